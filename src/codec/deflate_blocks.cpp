#include "codec/deflate_blocks.h"

#include <array>

namespace palvetta::deflate {

namespace {

constexpr unsigned ReverseBits(unsigned code, int length) {
  unsigned reversed = 0;
  for (int i = 0; i < length; ++i, code >>= 1) reversed = reversed << 1 | (code & 1);
  return reversed;
}

// Length index (length - 3) to length code, as 256 entries.
constexpr std::array<uint8_t, 256> kLengthCodeOf = [] {
  std::array<uint8_t, 256> codes{};
  for (int code = 0; code < kLengthCodes - 1; ++code) {
    for (int n = 0; n < 1 << kLengthExtra[code]; ++n) codes[kLengthBase[code] - kMinMatch + n] = static_cast<uint8_t>(code);
  }
  codes[255] = kLengthCodes - 1;  // 258 has a code of its own, not the last of code 27's range
  return codes;
}();

// Distance - 1 to distance code: below 256 directly, above it by distance >> 7 from
// entry 256 on.
constexpr std::array<uint8_t, 512> kDistanceCodeOf = [] {
  std::array<uint8_t, 512> codes{};
  for (int code = 0; code < kDistanceCodes; ++code) {
    for (int n = 0; n < 1 << kDistanceExtra[code]; ++n) {
      const int distance = kDistanceBase[code] - 1 + n;
      if (distance < 256) codes[distance] = static_cast<uint8_t>(code);
      else codes[256 + (distance >> 7)] = static_cast<uint8_t>(code);
    }
  }
  return codes;
}();

struct TFixedCodes {
  std::array<uint16_t, kFixedLitLenSymbols> LitLenCode{}, LitLenBits{};
  std::array<uint16_t, kDistanceCodes> DistanceCode{}, DistanceBits{};
};

constexpr TFixedCodes kFixed = [] {
  TFixedCodes fixed;
  int count[kMaxCodeBits + 1] = {};
  for (int n = 0; n < kFixedLitLenSymbols; ++n) {
    fixed.LitLenBits[n] = static_cast<uint16_t>(FixedLitLenBits(n));
    ++count[FixedLitLenBits(n)];
  }
  unsigned next[kMaxCodeBits + 1] = {};
  unsigned code = 0;
  for (int bits = 1; bits <= kMaxCodeBits; ++bits) next[bits] = code = (code + count[bits - 1]) << 1;
  for (int n = 0; n < kFixedLitLenSymbols; ++n) {
    fixed.LitLenCode[n] = static_cast<uint16_t>(ReverseBits(next[fixed.LitLenBits[n]]++, fixed.LitLenBits[n]));
  }
  for (int n = 0; n < kDistanceCodes; ++n) {
    fixed.DistanceBits[n] = kFixedDistanceBits;
    fixed.DistanceCode[n] = static_cast<uint16_t>(ReverseBits(static_cast<unsigned>(n), kFixedDistanceBits));
  }
  return fixed;
}();

constexpr int kSmallest = 1;  // the heap's top

}  // namespace

struct TTreeKind {
  const uint16_t* FixedBits;  // nullptr: the code-length code has no fixed form
  const uint8_t* Extra;
  int ExtraBase;
  int Elements;
  int MaxLength;
};

namespace {

constexpr TTreeKind kLitLenKind{kFixed.LitLenBits.data(), kLengthExtra, kLiterals + 1,
                                                kLitLenCodes, kMaxCodeBits};
constexpr TTreeKind kDistanceKind{kFixed.DistanceBits.data(), kDistanceExtra, 0,
                                                  kDistanceCodes, kMaxCodeBits};
constexpr TTreeKind kCodeLengthKind{nullptr, kCodeLengthExtra, 0, kCodeLengthCodes,
                                                    kMaxCodeLengthBits};

}  // namespace

unsigned TDeflateBlocks::LengthCode(unsigned lengthIndex) { return kLengthCodeOf[lengthIndex]; }

unsigned TDeflateBlocks::DistanceCode(unsigned distanceMinusOne) {
  return distanceMinusOne < 256 ? kDistanceCodeOf[distanceMinusOne] : kDistanceCodeOf[256 + (distanceMinusOne >> 7)];
}

TDeflateBlocks::TDeflateBlocks(TBitWriter& out) : FOut(out) {
  for (TTree* tree : {&FLitLen, &FDistance, &FCodeLength}) {
    for (int n = 0; n < kHeapSize; ++n) tree->Freq[n] = tree->Code[n] = tree->Dad[n] = tree->Len[n] = 0;
    tree->Len[kHeapSize] = 0;
    tree->MaxCode = 0;
  }
  StartBlock();
}

void TDeflateBlocks::StartBlock() {
  for (int n = 0; n < kLitLenCodes; ++n) FLitLen.Freq[n] = 0;
  for (int n = 0; n < kDistanceCodes; ++n) FDistance.Freq[n] = 0;
  for (int n = 0; n < kCodeLengthCodes; ++n) FCodeLength.Freq[n] = 0;
  FLitLen.Freq[kEndOfBlock] = 1;
  FOptimalBits = FStaticBits = 0;
  FSymbols = 0;
}

// Sifts the node at k down: a node is smaller when its frequency is, or when it is not
// deeper at equal frequency.
void TDeflateBlocks::DownHeap(const TTree& tree, int k) {
  const auto smaller = [&](int n, int m) {
    return tree.Freq[n] < tree.Freq[m] || (tree.Freq[n] == tree.Freq[m] && FDepth[n] <= FDepth[m]);
  };
  const int v = FHeap[k];
  int j = k << 1;
  while (j <= FHeapLength) {
    if (j < FHeapLength && smaller(FHeap[j + 1], FHeap[j])) ++j;
    if (smaller(v, FHeap[j])) break;
    FHeap[k] = FHeap[j];
    k = j;
    j <<= 1;
  }
  FHeap[k] = v;
}

void TDeflateBlocks::BuildTree(TTree& tree, const TTreeKind& kind) {
  int maxCode = -1;
  FHeapLength = 0;
  FHeapMax = kHeapSize;
  for (int n = 0; n < kind.Elements; ++n) {
    if (tree.Freq[n] != 0) {
      FHeap[++FHeapLength] = maxCode = n;
      FDepth[n] = 0;
    } else {
      tree.Len[n] = 0;
    }
  }
  // The format wants at least one distance code, and a code of one symbol still needs a
  // bit: force two codes of non-zero frequency.
  while (FHeapLength < 2) {
    const int node = FHeap[++FHeapLength] = maxCode < 2 ? ++maxCode : 0;
    tree.Freq[node] = 1;
    FDepth[node] = 0;
    --FOptimalBits;
    if (kind.FixedBits) FStaticBits -= kind.FixedBits[node];
  }
  tree.MaxCode = maxCode;
  for (int n = FHeapLength / 2; n >= 1; --n) DownHeap(tree, n);

  // Join the two least frequent nodes until one is left; the heap's freed tail keeps
  // the nodes sorted by frequency for the bit lengths.
  int node = kind.Elements;
  do {
    const int n = FHeap[kSmallest];
    FHeap[kSmallest] = FHeap[FHeapLength--];
    DownHeap(tree, kSmallest);
    const int m = FHeap[kSmallest];
    FHeap[--FHeapMax] = n;
    FHeap[--FHeapMax] = m;
    tree.Freq[node] = static_cast<uint16_t>(tree.Freq[n] + tree.Freq[m]);
    FDepth[node] = static_cast<uint8_t>((FDepth[n] >= FDepth[m] ? FDepth[n] : FDepth[m]) + 1);
    tree.Dad[n] = tree.Dad[m] = static_cast<uint16_t>(node);
    FHeap[kSmallest] = node++;
    DownHeap(tree, kSmallest);
  } while (FHeapLength >= 2);
  FHeap[--FHeapMax] = FHeap[kSmallest];

  GenerateBitLengths(tree, kind);

  unsigned next[kMaxCodeBits + 1] = {};
  unsigned code = 0;
  for (int bits = 1; bits <= kMaxCodeBits; ++bits) next[bits] = code = (code + FBitLengthCount[bits - 1]) << 1;
  for (int n = 0; n <= maxCode; ++n) {
    const int length = tree.Len[n];
    if (length != 0) tree.Code[n] = static_cast<uint16_t>(ReverseBits(next[length]++, length));
  }
}

// Bit lengths from the tree, limited to the kind's maximum: over-long leaves are moved up
// and the counts repaired as the reference implementation does, so that the codes (and
// the bytes) match it.
void TDeflateBlocks::GenerateBitLengths(TTree& tree, const TTreeKind& kind) {
  for (auto& count : FBitLengthCount) count = 0;
  tree.Len[FHeap[FHeapMax]] = 0;  // the root
  int overflow = 0;
  int h = FHeapMax + 1;
  for (; h < kHeapSize; ++h) {
    const int n = FHeap[h];
    int bits = tree.Len[tree.Dad[n]] + 1;
    if (bits > kind.MaxLength) {
      bits = kind.MaxLength;
      ++overflow;
    }
    tree.Len[n] = static_cast<uint16_t>(bits);
    if (n > tree.MaxCode) continue;  // an inner node
    ++FBitLengthCount[bits];
    const int extra = n >= kind.ExtraBase ? kind.Extra[n - kind.ExtraBase] : 0;
    const uint64_t freq = tree.Freq[n];
    FOptimalBits += freq * static_cast<unsigned>(bits + extra);
    if (kind.FixedBits) FStaticBits += freq * static_cast<unsigned>(kind.FixedBits[n] + extra);
  }
  if (overflow == 0) return;

  do {
    int bits = kind.MaxLength - 1;
    while (FBitLengthCount[bits] == 0) --bits;
    --FBitLengthCount[bits];
    FBitLengthCount[bits + 1] = static_cast<uint16_t>(FBitLengthCount[bits + 1] + 2);
    --FBitLengthCount[kind.MaxLength];
    overflow -= 2;
  } while (overflow > 0);

  for (int bits = kind.MaxLength; bits != 0; --bits) {
    int n = FBitLengthCount[bits];
    while (n != 0) {
      const int m = FHeap[--h];
      if (m > tree.MaxCode) continue;
      if (tree.Len[m] != bits) {
        FOptimalBits += (static_cast<uint64_t>(bits) - tree.Len[m]) * tree.Freq[m];
        tree.Len[m] = static_cast<uint16_t>(bits);
      }
      --n;
    }
  }
}

// Counts the code-length symbols (with their repeat codes) that will describe a tree.
void TDeflateBlocks::ScanTree(TTree& tree, int maxCode) {
  int previous = -1;
  int next = tree.Len[0];
  int count = 0;
  int maxCount = next == 0 ? 138 : 7;
  int minCount = next == 0 ? 3 : 4;
  tree.Len[maxCode + 1] = 0xFFFF;  // guard
  for (int n = 0; n <= maxCode; ++n) {
    const int current = next;
    next = tree.Len[n + 1];
    if (++count < maxCount && current == next) continue;
    if (count < minCount) {
      FCodeLength.Freq[current] = static_cast<uint16_t>(FCodeLength.Freq[current] + count);
    } else if (current != 0) {
      if (current != previous) ++FCodeLength.Freq[current];
      ++FCodeLength.Freq[kRepeatPrevious];
    } else if (count <= 10) {
      ++FCodeLength.Freq[kRepeatZero3];
    } else {
      ++FCodeLength.Freq[kRepeatZero11];
    }
    count = 0;
    previous = current;
    if (next == 0) maxCount = 138, minCount = 3;
    else if (current == next) maxCount = 6, minCount = 3;
    else maxCount = 7, minCount = 4;
  }
}

void TDeflateBlocks::SendTree(const TTree& tree, int maxCode) {
  int previous = -1;
  int next = tree.Len[0];
  int count = 0;
  int maxCount = next == 0 ? 138 : 7;
  int minCount = next == 0 ? 3 : 4;
  for (int n = 0; n <= maxCode; ++n) {
    const int current = next;
    next = tree.Len[n + 1];
    if (++count < maxCount && current == next) continue;
    if (count < minCount) {
      do SendCode(FCodeLength, current);
      while (--count != 0);
    } else if (current != 0) {
      if (current != previous) {
        SendCode(FCodeLength, current);
        --count;
      }
      SendCode(FCodeLength, kRepeatPrevious);
      FOut.Put(static_cast<uint32_t>(count - 3), 2);
    } else if (count <= 10) {
      SendCode(FCodeLength, kRepeatZero3);
      FOut.Put(static_cast<uint32_t>(count - 3), 3);
    } else {
      SendCode(FCodeLength, kRepeatZero11);
      FOut.Put(static_cast<uint32_t>(count - 11), 7);
    }
    count = 0;
    previous = current;
    if (next == 0) maxCount = 138, minCount = 3;
    else if (current == next) maxCount = 6, minCount = 3;
    else maxCount = 7, minCount = 4;
  }
}

// Builds the code-length code; returns the index in send order of its last non-zero
// length (at least 3, since at least four lengths are always sent).
int TDeflateBlocks::BuildCodeLengthTree() {
  ScanTree(FLitLen, FLitLen.MaxCode);
  ScanTree(FDistance, FDistance.MaxCode);
  BuildTree(FCodeLength, kCodeLengthKind);
  int maxIndex = kCodeLengthCodes - 1;
  for (; maxIndex >= 3; --maxIndex) {
    if (FCodeLength.Len[kCodeLengthOrder[maxIndex]] != 0) break;
  }
  FOptimalBits += 3 * (static_cast<uint64_t>(maxIndex) + 1) + 5 + 5 + 4;
  return maxIndex;
}

void TDeflateBlocks::SendAllTrees(int litLenCodes, int distanceCodes, int codeLengthCodes) {
  FOut.Put(static_cast<uint32_t>(litLenCodes - 257), 5);
  FOut.Put(static_cast<uint32_t>(distanceCodes - 1), 5);
  FOut.Put(static_cast<uint32_t>(codeLengthCodes - 4), 4);
  for (int rank = 0; rank < codeLengthCodes; ++rank) FOut.Put(FCodeLength.Len[kCodeLengthOrder[rank]], 3);
  SendTree(FLitLen, litLenCodes - 1);
  SendTree(FDistance, distanceCodes - 1);
}

void TDeflateBlocks::SendSymbols(const uint16_t* litLenCode, const uint16_t* litLenBits,
                                 const uint16_t* distanceCode, const uint16_t* distanceBits) {
  for (size_t i = 0; i < FSymbols; ++i) {
    const unsigned distance = FDistances[i];
    const unsigned lc = FLengthsOrLiterals[i];
    if (distance == 0) {
      FOut.Put(litLenCode[lc], litLenBits[lc]);
      continue;
    }
    const unsigned lengthCode = kLengthCodeOf[lc];
    const unsigned symbol = lengthCode + kLiterals + 1;
    const int lengthExtra = kLengthExtra[lengthCode];
    FOut.Put(litLenCode[symbol] | (lc - (kLengthBase[lengthCode] - kMinMatch)) << litLenBits[symbol],
             litLenBits[symbol] + lengthExtra);
    const unsigned d = distance - 1;
    const unsigned code = DistanceCode(d);
    FOut.Put(distanceCode[code] | (d - (kDistanceBase[code] - 1u)) << distanceBits[code],
             distanceBits[code] + kDistanceExtra[code]);
  }
  FOut.Put(litLenCode[kEndOfBlock], litLenBits[kEndOfBlock]);
}

void TDeflateBlocks::FlushBlock(const uint8_t* storedData, size_t storedLength, bool last) {
  BuildTree(FLitLen, kLitLenKind);
  BuildTree(FDistance, kDistanceKind);
  const int codeLengthIndex = BuildCodeLengthTree();
  // Sizes in bytes of each form, with the three block-header bits.
  uint64_t optimalBytes = (FOptimalBits + 3 + 7) >> 3;
  const uint64_t staticBytes = (FStaticBits + 3 + 7) >> 3;
  if (staticBytes <= optimalBytes) optimalBytes = staticBytes;

  const uint32_t lastBit = last ? 1 : 0;
  if (storedData != nullptr && storedLength + 4 <= optimalBytes) {
    FOut.Put(kStoredBlock << 1 | lastBit, 3);
    FOut.AlignToByte();
    FOut.Put(static_cast<uint16_t>(storedLength), 16);
    FOut.Put(static_cast<uint16_t>(~storedLength), 16);
    FOut.PutBytes(storedData, storedLength);
  } else if (staticBytes == optimalBytes) {
    FOut.Put(kFixedBlock << 1 | lastBit, 3);
    SendSymbols(kFixed.LitLenCode.data(), kFixed.LitLenBits.data(), kFixed.DistanceCode.data(),
                kFixed.DistanceBits.data());
  } else {
    FOut.Put(kDynamicBlock << 1 | lastBit, 3);
    SendAllTrees(FLitLen.MaxCode + 1, FDistance.MaxCode + 1, codeLengthIndex + 1);
    SendSymbols(FLitLen.Code, FLitLen.Len, FDistance.Code, FDistance.Len);
  }
  StartBlock();
  if (last) FOut.AlignToByte();
}

}  // namespace palvetta::deflate
