// GlobalAlloc / LocalAlloc: fixed blocks counted as heap handles, so tests see leaks.
#include "winsim/Machine.h"

#include <cstdlib>
#include <cstring>
#include <map>

namespace winsim {
namespace {
std::map<void*, uintptr_t> blocks;  // block -> its handle-accounting entry

void* Allocate(const char* function, UINT flags, SIZE_T size, UINT zeroFlag) {
  WINSIM_LOCK;
  if (FailsNow(function)) return nullptr;
  // A 32-bit process has no more than 2 GB of address space to give.
  void* block = size < 0x7FFF0000 ? std::malloc(size ? size : 1) : nullptr;
  if (!block) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
  }
  // Memory that was not asked to be zeroed is filled with a marker, so code that relies on
  // zeroes it did not request shows up in tests.
  std::memset(block, (flags & zeroFlag) ? 0 : 0xCD, size ? size : 1);
  blocks[block] = NewHandle(HandleKind::Heap);
  return block;
}

bool Release(void* block) {
  WINSIM_LOCK;
  auto it = blocks.find(block);
  if (it == blocks.end()) {
    SetLastError(ERROR_INVALID_HANDLE);
    return false;
  }
  ReleaseHandle(HandleKind::Heap, it->second);
  blocks.erase(it);
  std::free(block);
  return true;
}
}  // namespace

void ResetMemory() {
  for (auto& block : blocks) std::free(block.first);
  blocks.clear();
}

}  // namespace winsim

extern "C" {

HGLOBAL WINAPI GlobalAlloc(UINT flags, SIZE_T size) {
  return static_cast<HGLOBAL>(winsim::Allocate("GlobalAlloc", flags, size, GMEM_ZEROINIT));
}

HGLOBAL WINAPI GlobalFree(HGLOBAL block) {
  if (!block) return nullptr;
  return winsim::Release(block) ? nullptr : block;
}

HLOCAL WINAPI LocalAlloc(UINT flags, SIZE_T size) {
  return static_cast<HLOCAL>(winsim::Allocate("LocalAlloc", flags, size, LMEM_ZEROINIT));
}

HLOCAL WINAPI LocalFree(HLOCAL block) {
  if (!block) return nullptr;
  return winsim::Release(block) ? nullptr : block;
}

}  // extern "C"
