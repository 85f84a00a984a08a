#pragma once
// A method stub in executable memory of its own (see method_stub_code.h): a plain
// callback that calls a routine with an object put in front of the callback's four
// arguments. The stub is described to the system's unwinder, so stack walks and
// exceptions pass through it. It is freed when its owner goes.

#include "crash/process/method_stub_code.h"

namespace palvetta {

class TMethodStub {
 public:
  TMethodStub() noexcept = default;
  // An empty stub when the memory cannot be had.
  TMethodStub(const void* object, TStubTarget target) noexcept;
  TMethodStub(TMethodStub&& other) noexcept : FBlock(other.FBlock) { other.FBlock = nullptr; }
  TMethodStub& operator=(TMethodStub&& other) noexcept;
  TMethodStub(const TMethodStub&) = delete;
  TMethodStub& operator=(const TMethodStub&) = delete;
  ~TMethodStub() { Free(); }

  // The callback's address, to be cast to the callback's type; nullptr when empty.
  void* Code() const noexcept { return FBlock; }
  explicit operator bool() const noexcept { return FBlock != nullptr; }

 private:
  void Free() noexcept;
  void* FBlock = nullptr;
};

}  // namespace palvetta
