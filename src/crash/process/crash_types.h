#pragma once
// Types the crash reporter's parts pass between one another.

#include <cstdint>
#include <string>
#include <vector>

namespace palvetta {

using TDASmallInt = std::vector<int16_t>;
using TDACardinal = std::vector<uint32_t>;
using TDAInteger = std::vector<int32_t>;
using TDANativeUInt = std::vector<uintptr_t>;
using TDAAnsiString = std::vector<std::string>;
using TDAUnicodeString = std::vector<std::u16string>;

// The system's exception record, field for field (the Windows build checks the layout
// against EXCEPTION_RECORD). Addresses and parameters are pointer-sized.
struct TExceptionRecord {
  static constexpr int kMaxParameters = 15;

  uint32_t ExceptionCode;
  uint32_t ExceptionFlags;
  TExceptionRecord* ExceptionRecord;
  void* ExceptionAddress;
  uint32_t NumberParameters;
  uintptr_t ExceptionInformation[kMaxParameters];

  // Exceptions the run time raises itself carry the raise address and the exception
  // object in their first two parameters.
  void* ExceptAddr() const noexcept { return reinterpret_cast<void*>(ExceptionInformation[0]); }
  void* ExceptObject() const noexcept { return reinterpret_cast<void*>(ExceptionInformation[1]); }
};

}  // namespace palvetta
