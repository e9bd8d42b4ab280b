#include "common/NativeSystemDirectory.h"

#include "common/SystemProbes.h"

#include <windows.h>

namespace {
// Only Windows with WOW64 has the pair.
typedef BOOL(WINAPI* RedirectionProc)(PVOID*);
typedef BOOL(WINAPI* RevertProc)(PVOID);
}  // namespace

NativeSystemDirectory::NativeSystemDirectory(bool wanted) {
  if (!wanted) return;
  auto disable =
      reinterpret_cast<RedirectionProc>(KernelFunction("Wow64DisableWow64FsRedirection"));
  disabled_ = disable && disable(&oldValue_);
}

NativeSystemDirectory::~NativeSystemDirectory() {
  if (!disabled_) return;
  auto revert = reinterpret_cast<RevertProc>(KernelFunction("Wow64RevertWow64FsRedirection"));
  if (revert) revert(oldValue_);
}
