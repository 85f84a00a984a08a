#pragma once
// The deflate bit stream: bits go out least significant first. Writing past the capacity
// sets a flag instead of writing; the caller checks it once at the end.

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace palvetta::deflate {

class TBitWriter {
 public:
  TBitWriter(uint8_t* begin, size_t capacity) : FBegin(begin), FOut(begin), FEnd(begin + capacity) {}

  // Up to 32 bits at a time.
  void Put(uint32_t value, int count) {
    FBits |= uint64_t{value} << FCount;
    FCount += count;
    if (FCount >= 32) {
      PutWord(static_cast<uint32_t>(FBits));
      FBits >>= 32;
      FCount -= 32;
    }
  }

  // Pads with zero bits to a whole byte.
  void AlignToByte() {
    for (; FCount > 0; FCount -= 8, FBits >>= 8) PutByte(static_cast<uint8_t>(FBits));
    FCount = 0;
    FBits = 0;
  }

  // At a byte boundary only.
  void PutBytes(const uint8_t* bytes, size_t length) {
    if (static_cast<size_t>(FEnd - FOut) < length) {
      FOverflow = true;
      return;
    }
    std::memcpy(FOut, bytes, length);
    FOut += length;
  }

  size_t Size() const { return static_cast<size_t>(FOut - FBegin); }
  bool Overflowed() const { return FOverflow; }

 private:
  void PutWord(uint32_t word) {
    if (FEnd - FOut < 4) {
      FOverflow = true;
      return;
    }
    for (int i = 0; i < 4; ++i) FOut[i] = static_cast<uint8_t>(word >> (8 * i));
    FOut += 4;
  }

  void PutByte(uint8_t byte) {
    if (FOut == FEnd) {
      FOverflow = true;
      return;
    }
    *FOut++ = byte;
  }

  uint8_t* FBegin;
  uint8_t* FOut;
  uint8_t* FEnd;
  uint64_t FBits = 0;
  int FCount = 0;
  bool FOverflow = false;
};

}  // namespace palvetta::deflate
