#include "common/NativeSystemDirectory.h"

#include <windows.h>

namespace {
typedef BOOL(WINAPI* RedirectionProc)(PVOID*);
typedef BOOL(WINAPI* RevertProc)(PVOID);

// Looked up at run time: only Windows with WOW64 has the pair; kernel32 is loaded in every
// process, so the addresses outlive the lookup.
void* KernelFunction(const char* name) {
  HMODULE kernel = LoadLibraryA("kernel32.dll");
  if (!kernel) return nullptr;
  void* function = reinterpret_cast<void*>(GetProcAddress(kernel, name));
  FreeLibrary(kernel);
  return function;
}
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
