#include "codec/inflate.h"

#include <cstring>

#include "codec/deflate_format.h"
#include "codec/huffman_decoder.h"

namespace palvetta {

namespace {

using namespace deflate;

constexpr int kLitLenRootBits = 10;
constexpr int kDistanceRootBits = 8;
constexpr int kCodeLengthRootBits = 7;
// Room for the root table and every sub-table a valid code can need (the worst cases are
// 1334 and 402 entries), with a margin; a code that needs more is refused, never
// written past.
constexpr size_t kLitLenEntries = 2048;
constexpr size_t kDistanceEntries = 1024;
constexpr size_t kCodeLengthEntries = 1 << kCodeLengthRootBits;

// Past the end of the source the reader supplies zero bytes and counts them: a stream
// that really uses them is truncated, which the final check finds. Beyond this many, the
// stream is certainly truncated.
constexpr unsigned kMaxOverrun = 16;

class TInflater {
 public:
  TInflater(const uint8_t* source, size_t sourceLength, uint8_t* destination, size_t destinationLength)
      : FIn(source), FInBegin(source), FInEnd(source + sourceLength), FOut(destination),
        FOutBegin(destination), FOutEnd(destination + destinationLength) {}

  bool Run();

 private:
  // At least 56 bits in the buffer afterwards.
  void Refill() {
    if (FInEnd - FIn >= 8) {
      uint64_t word;
      std::memcpy(&word, FIn, sizeof word);
      FBits |= LittleEndian(word) << FCount;
      FIn += (63 - FCount) >> 3;
      FCount |= 56;
      return;
    }
    for (; FCount <= 56; FCount += 8) {
      if (FIn < FInEnd) FBits |= uint64_t{*FIn++} << FCount;
      else ++FOverrun;
    }
  }

  static uint64_t LittleEndian(uint64_t word) {
#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_BIG_ENDIAN__
    return __builtin_bswap64(word);
#else
    return word;
#endif
  }

  uint32_t Take(unsigned count) {
    const auto value = static_cast<uint32_t>(FBits & ((uint64_t{1} << count) - 1));
    FBits >>= count;
    FCount -= static_cast<int>(count);
    return value;
  }

  uint32_t Decode(const uint32_t* table, int rootBits) {
    uint32_t e = table[FBits & ((1u << rootBits) - 1)];
    if (e & entry::kSubTable) {
      Take(entry::Bits(e));
      e = table[entry::Value(e) + (FBits & ((1u << entry::Extra(e)) - 1))];
    }
    Take(entry::Bits(e));
    return e;
  }

  bool Truncated() const { return FOverrun >= kMaxOverrun; }

  bool StoredBlock();
  bool ReadDynamicTables();
  void BuildFixedTables();
  bool DecodeSymbols();
  bool CopyMatch(size_t distance, size_t length);

  const uint8_t* FIn;
  const uint8_t* FInBegin;
  const uint8_t* FInEnd;
  uint8_t* FOut;
  uint8_t* FOutBegin;
  uint8_t* FOutEnd;
  uint64_t FBits = 0;
  int FCount = 0;
  unsigned FOverrun = 0;
  uint32_t FLitLen[kLitLenEntries];
  uint32_t FDistance[kDistanceEntries];
};

bool TInflater::StoredBlock() {
  // Back to the byte after the block header: the buffer holds whole bytes after the
  // padding bits, some of them perhaps the zeros supplied past the end.
  Take(static_cast<unsigned>(FCount & 7));
  const unsigned buffered = static_cast<unsigned>(FCount) / 8;
  if (FOverrun > buffered) return false;
  FIn -= buffered - FOverrun;
  FOverrun = 0;
  FBits = 0;
  FCount = 0;
  if (FInEnd - FIn < 4) return false;
  const unsigned length = FIn[0] | FIn[1] << 8;
  const unsigned check = FIn[2] | FIn[3] << 8;
  FIn += 4;
  if ((length ^ 0xFFFF) != check) return false;
  if (static_cast<size_t>(FInEnd - FIn) < length || static_cast<size_t>(FOutEnd - FOut) < length) return false;
  std::memcpy(FOut, FIn, length);
  FIn += length;
  FOut += length;
  return true;
}

void TInflater::BuildFixedTables() {
  uint8_t lengths[kFixedLitLenSymbols];
  for (int s = 0; s < kFixedLitLenSymbols; ++s) lengths[s] = static_cast<uint8_t>(FixedLitLenBits(s));
  BuildDecodeTable(TCodeKind::ckLitLen, lengths, kFixedLitLenSymbols, kLitLenRootBits, FLitLen, kLitLenEntries);
  // All 32 distance codes have five bits; 30 and 31 are invalid when used.
  std::memset(lengths, kFixedDistanceBits, 32);
  BuildDecodeTable(TCodeKind::ckDistance, lengths, 32, kDistanceRootBits, FDistance, kDistanceEntries);
}

bool TInflater::ReadDynamicTables() {
  Refill();
  const unsigned litLenCount = Take(5) + 257;
  const unsigned distanceCount = Take(5) + 1;
  const unsigned codeLengthCount = Take(4) + 4;
  if (litLenCount > kLitLenCodes || distanceCount > kDistanceCodes) return false;

  uint8_t codeLengthLengths[kCodeLengthCodes] = {};
  for (unsigned i = 0; i < codeLengthCount; ++i) {
    if (FCount < 3) Refill();
    codeLengthLengths[kCodeLengthOrder[i]] = static_cast<uint8_t>(Take(3));
  }
  uint32_t codeLengthTable[kCodeLengthEntries];
  if (!BuildDecodeTable(TCodeKind::ckCodeLength, codeLengthLengths, kCodeLengthCodes, kCodeLengthRootBits,
                        codeLengthTable, kCodeLengthEntries)) {
    return false;
  }

  uint8_t lengths[kLitLenCodes + kDistanceCodes];
  const unsigned total = litLenCount + distanceCount;
  for (unsigned n = 0; n < total;) {
    Refill();
    if (Truncated()) return false;
    const uint32_t e = Decode(codeLengthTable, kCodeLengthRootBits);
    if (e & entry::kInvalid) return false;
    const unsigned symbol = entry::Value(e);
    if (symbol < kRepeatPrevious) {
      lengths[n++] = static_cast<uint8_t>(symbol);
      continue;
    }
    uint8_t value = 0;
    unsigned repeat;
    if (symbol == kRepeatPrevious) {
      if (n == 0) return false;
      value = lengths[n - 1];
      repeat = 3 + Take(2);
    } else if (symbol == kRepeatZero3) {
      repeat = 3 + Take(3);
    } else {
      repeat = 11 + Take(7);
    }
    if (n + repeat > total) return false;
    std::memset(lengths + n, value, repeat);
    n += repeat;
  }
  if (lengths[kEndOfBlock] == 0) return false;  // a block that could never end
  return BuildDecodeTable(TCodeKind::ckLitLen, lengths, static_cast<int>(litLenCount), kLitLenRootBits, FLitLen,
                          kLitLenEntries) &&
         BuildDecodeTable(TCodeKind::ckDistance, lengths + litLenCount, static_cast<int>(distanceCount),
                          kDistanceRootBits, FDistance, kDistanceEntries);
}

bool TInflater::CopyMatch(size_t distance, size_t length) {
  if (distance > static_cast<size_t>(FOut - FOutBegin) || length > static_cast<size_t>(FOutEnd - FOut)) return false;
  const uint8_t* from = FOut - distance;
  uint8_t* to = FOut;
  FOut += length;
  if (distance >= 8 && static_cast<size_t>(FOutEnd - to) >= length + 8) {
    // Eight bytes at a time may write a few bytes past the match; later output covers them.
    do {
      std::memcpy(to, from, 8);
      to += 8;
      from += 8;
    } while (to < FOut);
  } else if (distance == 1) {
    std::memset(to, *from, length);
  } else {
    while (to < FOut) *to++ = *from++;
  }
  return true;
}

bool TInflater::DecodeSymbols() {
  for (;;) {
    Refill();
    if (Truncated()) return false;
    uint32_t e = Decode(FLitLen, kLitLenRootBits);
    if (e & entry::kLiteral) {
      if (FOut == FOutEnd) return false;
      *FOut++ = static_cast<uint8_t>(entry::Value(e));
      continue;
    }
    if (e & entry::kEndOfBlock) return true;
    if (e & entry::kSpecial) return false;
    const size_t length = entry::Value(e) + Take(entry::Extra(e));
    e = Decode(FDistance, kDistanceRootBits);
    if (e & entry::kSpecial) return false;
    const size_t distance = entry::Value(e) + Take(entry::Extra(e));
    if (!CopyMatch(distance, length)) return false;
  }
}

bool TInflater::Run() {
  bool last;
  do {
    Refill();
    if (Truncated()) return false;
    last = Take(1) != 0;
    const uint32_t type = Take(2);
    if (type == kStoredBlock) {
      if (!StoredBlock()) return false;
      continue;
    }
    if (type == kFixedBlock) BuildFixedTables();
    else if (type != kDynamicBlock || !ReadDynamicTables()) return false;
    if (!DecodeSymbols()) return false;
  } while (!last);

  // The whole output, and the stream ending in the source's last byte: neither cut short
  // nor followed by anything.
  const uint64_t sourceBits = static_cast<uint64_t>(FInEnd - FInBegin) * 8;
  const uint64_t usedBits = (static_cast<uint64_t>(FIn - FInBegin) + FOverrun) * 8 - static_cast<uint64_t>(FCount);
  return FOut == FOutEnd && usedBits <= sourceBits && sourceBits - usedBits < 8;
}

}  // namespace

uint64_t InflateBuffer(const void* source, void* destination, uint64_t sourceLength,
                       uint64_t destinationLength) {
  if (sourceLength > SIZE_MAX || destinationLength > SIZE_MAX) return 0;
  TInflater inflater(static_cast<const uint8_t*>(source), static_cast<size_t>(sourceLength),
                     static_cast<uint8_t*>(destination), static_cast<size_t>(destinationLength));
  return inflater.Run() ? destinationLength : 0;
}

}  // namespace palvetta
