#include "crash/process/win/method_stub.h"

#include <windows.h>

#include <cstring>

namespace palvetta {

TMethodStub::TMethodStub(const void* object, TStubTarget target) noexcept {
  void* block = VirtualAlloc(nullptr, kStubBlockSize, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
  if (!block) return;
  const auto bytes = MethodStubBlock(object, target);
  std::memcpy(block, bytes.data(), bytes.size());
  DWORD previous = 0;
  auto* entry = reinterpret_cast<RUNTIME_FUNCTION*>(static_cast<uint8_t*>(block) + kStubFunctionEntryOffset);
  if (!VirtualProtect(block, kStubBlockSize, PAGE_EXECUTE_READ, &previous) ||
      !RtlAddFunctionTable(entry, 1, reinterpret_cast<DWORD64>(block))) {
    VirtualFree(block, 0, MEM_RELEASE);
    return;
  }
  FlushInstructionCache(GetCurrentProcess(), block, kStubBlockSize);
  FBlock = block;
}

TMethodStub& TMethodStub::operator=(TMethodStub&& other) noexcept {
  if (this != &other) {
    Free();
    FBlock = other.FBlock;
    other.FBlock = nullptr;
  }
  return *this;
}

void TMethodStub::Free() noexcept {
  if (!FBlock) return;
  RtlDeleteFunctionTable(reinterpret_cast<RUNTIME_FUNCTION*>(static_cast<uint8_t*>(FBlock) + kStubFunctionEntryOffset));
  VirtualFree(FBlock, 0, MEM_RELEASE);
  FBlock = nullptr;
}

}  // namespace palvetta
