#pragma once
// The block half of the compressor: collects literals and matches, and sends each block
// as stored, fixed or dynamic Huffman, whichever is smallest. The Huffman trees are
// built as the reference implementation published with zlib builds them (heap order,
// tie-breaking by depth, the same repair of over-long codes), so a given sequence of
// symbols gives the same bytes.

#include <cstddef>
#include <cstdint>

#include "codec/bit_writer.h"
#include "codec/deflate_format.h"

namespace palvetta::deflate {

// What differs between the three codes of a dynamic block (literal/length, distance,
// code length) when their trees are built.
struct TTreeKind;

class TDeflateBlocks {
 public:
  // A block ends when it holds one symbol less than this.
  static constexpr size_t kSymbolBufferSize = 16384;

  explicit TDeflateBlocks(TBitWriter& out);

  // Each returns true when the block is full and must be flushed.
  bool TallyLiteral(uint8_t literal) {
    FDistances[FSymbols] = 0;
    FLengthsOrLiterals[FSymbols++] = literal;
    ++FLitLen.Freq[literal];
    return FSymbols == kSymbolBufferSize - 1;
  }
  bool TallyMatch(unsigned distance, unsigned length) {
    const unsigned lengthIndex = length - kMinMatch;
    FDistances[FSymbols] = static_cast<uint16_t>(distance);
    FLengthsOrLiterals[FSymbols++] = static_cast<uint8_t>(lengthIndex);
    ++FLitLen.Freq[LengthCode(lengthIndex) + kLiterals + 1];
    ++FDistance.Freq[DistanceCode(distance - 1)];
    return FSymbols == kSymbolBufferSize - 1;
  }

  // Sends the collected symbols as one block. storedData is the block's uncompressed
  // bytes when they are still at hand (the stored form needs them), else nullptr.
  void FlushBlock(const uint8_t* storedData, size_t storedLength, bool last);

  static unsigned LengthCode(unsigned lengthIndex);
  static unsigned DistanceCode(unsigned distanceMinusOne);

 private:
  // A code tree with room for its inner nodes (a heap of 2n - 1 nodes).
  static constexpr int kHeapSize = 2 * kLitLenCodes + 1;
  struct TTree {
    uint16_t Freq[kHeapSize];
    uint16_t Code[kHeapSize];
    uint16_t Dad[kHeapSize];
    uint16_t Len[kHeapSize + 1];  // one more for the guard the tree scan sets
    int MaxCode;
  };
  void StartBlock();
  void BuildTree(TTree& tree, const TTreeKind& kind);
  void GenerateBitLengths(TTree& tree, const TTreeKind& kind);
  void DownHeap(const TTree& tree, int k);
  int BuildCodeLengthTree();
  void ScanTree(TTree& tree, int maxCode);
  void SendTree(const TTree& tree, int maxCode);
  void SendAllTrees(int litLenCodes, int distanceCodes, int codeLengthCodes);
  void SendSymbols(const uint16_t* litLenCode, const uint16_t* litLenBits, const uint16_t* distanceCode,
                   const uint16_t* distanceBits);
  void SendCode(const TTree& tree, int symbol) { FOut.Put(tree.Code[symbol], tree.Len[symbol]); }

  TBitWriter& FOut;
  TTree FLitLen;
  TTree FDistance;
  TTree FCodeLength;
  int FHeap[kHeapSize];
  int FHeapLength = 0;
  int FHeapMax = 0;
  uint8_t FDepth[kHeapSize];
  uint16_t FBitLengthCount[kMaxCodeBits + 1];
  uint64_t FOptimalBits = 0;  // of the dynamic form, trees included
  uint64_t FStaticBits = 0;   // of the fixed form
  uint16_t FDistances[kSymbolBufferSize];  // 0 for a literal
  uint8_t FLengthsOrLiterals[kSymbolBufferSize];
  size_t FSymbols = 0;
};

}  // namespace palvetta::deflate
