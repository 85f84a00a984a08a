#include "codec/deflate.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <new>

#include "codec/deflate_blocks.h"

namespace palvetta {

namespace {

using namespace deflate;

constexpr unsigned kWindowSize = 32768;
constexpr unsigned kWindowMask = kWindowSize - 1;
constexpr unsigned kWindowBytes = 2 * kWindowSize;  // slid by half when the string start nears its end
constexpr unsigned kMinLookahead = kMaxMatch + kMinMatch + 1;
constexpr unsigned kMaxDist = kWindowSize - kMinLookahead;  // farthest match candidate
constexpr unsigned kHashBits = 15;
constexpr unsigned kHashSize = 1u << kHashBits;
constexpr unsigned kHashMask = kHashSize - 1;
constexpr unsigned kHashShift = (kHashBits + kMinMatch - 1) / kMinMatch;
constexpr uint16_t kNil = 0;  // empty chain; window position 0 is never a candidate

// zlib's level 2. Its good length (4, which would quarter the chain after a long match)
// never applies: the fast algorithm does not track the previous match, whose length stays
// at its start value of 2.
constexpr unsigned kMaxInsertLength = 5;
constexpr unsigned kNiceLength = 16;
constexpr unsigned kMaxChain = 8;

uint64_t Load64(const uint8_t* p) {
  uint64_t value;
  std::memcpy(&value, p, sizeof value);
  return value;
}

// The length of the common prefix, at most kMaxMatch; the first two bytes are known to
// match.
unsigned MatchLength(const uint8_t* scan, const uint8_t* match) {
  for (unsigned length = 2; length < kMaxMatch; length += 8) {
    const uint64_t difference = Load64(scan + length) ^ Load64(match + length);
    if (difference != 0) {
      length += static_cast<unsigned>(__builtin_ctzll(difference)) / 8;
      return length < kMaxMatch ? length : kMaxMatch;
    }
  }
  return kMaxMatch;
}

// The window and the hash chains: most of the compressor's memory.
struct TMatchTables {
  uint8_t Window[kWindowBytes];
  uint16_t Head[kHashSize];
  uint16_t Prev[kWindowSize];
};

// The match tables of this thread, kept for its next call: fresh pages for them cost more
// in page faults than compressing a small buffer does. Nothing when memory ran out.
TMatchTables* ThisThreadsMatchTables() {
  thread_local std::unique_ptr<TMatchTables> tables(new (std::nothrow) TMatchTables);
  return tables.get();
}

class TDeflater {
 public:
  TDeflater(const uint8_t* source, uint64_t sourceLength, TMatchTables& tables, deflate::TBitWriter& out)
      : FInput(source), FInputLeft(sourceLength), FBlocks(out), FWindow(tables.Window), FHead(tables.Head),
        FPrev(tables.Prev) {
    // The bytes after the data take part in the match search, so the output depends on
    // the window starting zeroed, as the head of every chain must.
    std::memset(FWindow, 0, sizeof tables.Window);
    std::memset(FHead, 0, sizeof tables.Head);
  }

  void Run();

 private:
  void FillWindow();
  void SlideHash();
  unsigned LongestMatch(unsigned candidate);
  void FlushBlock(bool last);

  void UpdateHash(uint8_t c) { FHash = ((FHash << kHashShift) ^ c) & kHashMask; }
  // Enters the string at position into its hash chain; returns the chain's previous head.
  unsigned InsertString(unsigned position) {
    UpdateHash(FWindow[position + kMinMatch - 1]);
    const unsigned head = FHead[FHash];
    FPrev[position & kWindowMask] = static_cast<uint16_t>(head);
    FHead[FHash] = static_cast<uint16_t>(position);
    return head;
  }

  const uint8_t* FInput;
  uint64_t FInputLeft;
  TDeflateBlocks FBlocks;
  unsigned FStart = 0;       // the current string's position in the window
  unsigned FLookahead = 0;   // bytes after it in the window
  unsigned FMatchStart = 0;
  long FBlockStart = 0;      // negative once the block's start has slid out of the window
  unsigned FHash = 0;
  uint8_t* const FWindow;
  uint16_t* const FHead;
  // Read only at positions whose chain entry was written before: never cleared.
  uint16_t* const FPrev;
};

void TDeflater::SlideHash() {
  const auto slide = [](uint16_t& entry) { entry = static_cast<uint16_t>(entry >= kWindowSize ? entry - kWindowSize : kNil); };
  std::for_each(FHead, FHead + kHashSize, slide);
  std::for_each(FPrev, FPrev + kWindowSize, slide);
}

// Tops the window up from the input, sliding it by half first when the string start has
// passed the slide point. The bytes after the data keep what the slide left there, as in
// zlib, since its match search looks at them before cutting a match to the lookahead.
void TDeflater::FillWindow() {
  do {
    unsigned more = kWindowBytes - FLookahead - FStart;
    if (FStart >= kWindowSize + kMaxDist) {
      std::memcpy(FWindow, FWindow + kWindowSize, kWindowSize - more);
      FMatchStart -= kWindowSize;
      FStart -= kWindowSize;
      FBlockStart -= static_cast<long>(kWindowSize);
      SlideHash();
      more += kWindowSize;
    }
    if (FInputLeft == 0) break;
    const unsigned n = FInputLeft < more ? static_cast<unsigned>(FInputLeft) : more;
    std::memcpy(FWindow + FStart + FLookahead, FInput, n);
    FInput += n;
    FInputLeft -= n;
    FLookahead += n;
    if (FLookahead >= kMinMatch) {
      FHash = FWindow[FStart];
      UpdateHash(FWindow[FStart + 1]);
    }
  } while (FLookahead < kMinLookahead && FInputLeft != 0);
}

unsigned TDeflater::LongestMatch(unsigned candidate) {
  const uint8_t* scan = FWindow + FStart;
  unsigned best = kMinMatch - 1;
  const unsigned nice = kNiceLength < FLookahead ? kNiceLength : FLookahead;
  const unsigned limit = FStart > kMaxDist ? FStart - kMaxDist : kNil;
  unsigned chain = kMaxChain;
  uint8_t scanEnd1 = scan[best - 1];
  uint8_t scanEnd = scan[best];
  do {
    const uint8_t* match = FWindow + candidate;
    if (match[best] != scanEnd || match[best - 1] != scanEnd1 || match[0] != scan[0] || match[1] != scan[1]) {
      continue;
    }
    const unsigned length = MatchLength(scan, match);
    if (length > best) {
      FMatchStart = candidate;
      best = length;
      if (length >= nice) break;
      scanEnd1 = scan[best - 1];
      scanEnd = scan[best];
    }
  } while ((candidate = FPrev[candidate & kWindowMask]) > limit && --chain != 0);
  return best <= FLookahead ? best : FLookahead;
}

void TDeflater::FlushBlock(bool last) {
  const uint8_t* stored = FBlockStart >= 0 ? FWindow + FBlockStart : nullptr;
  FBlocks.FlushBlock(stored, static_cast<size_t>(static_cast<long>(FStart) - FBlockStart), last);
  FBlockStart = FStart;
}

// The fast algorithm: a match found at the current position is taken at once.
void TDeflater::Run() {
  unsigned matchLength = kMinMatch - 1;
  for (;;) {
    if (FLookahead < kMinLookahead) {
      FillWindow();
      if (FLookahead == 0) break;
    }
    unsigned head = kNil;
    if (FLookahead >= kMinMatch) head = InsertString(FStart);
    if (head != kNil && FStart - head <= kMaxDist) matchLength = LongestMatch(head);

    bool full;
    if (matchLength >= kMinMatch) {
      full = FBlocks.TallyMatch(FStart - FMatchStart, matchLength);
      FLookahead -= matchLength;
      if (matchLength <= kMaxInsertLength && FLookahead >= kMinMatch) {
        // Short matches: every string in them joins the chains.
        while (--matchLength != 0) InsertString(++FStart);
        ++FStart;
      } else {
        FStart += matchLength;
        matchLength = 0;
        FHash = FWindow[FStart];
        UpdateHash(FWindow[FStart + 1]);
      }
    } else {
      full = FBlocks.TallyLiteral(FWindow[FStart]);
      --FLookahead;
      ++FStart;
    }
    if (full) FlushBlock(false);
  }
  FlushBlock(true);
}

}  // namespace

uint64_t DeflateBuffer(const void* source, void* destination, uint64_t sourceLength,
                       uint64_t destinationLength) {
  if (destinationLength == 0) return 0;
  deflate::TBitWriter out(static_cast<uint8_t*>(destination), static_cast<size_t>(destinationLength - 1));
  TMatchTables* tables = ThisThreadsMatchTables();
  if (tables == nullptr) return 0;
  const std::unique_ptr<TDeflater> deflater(
      new (std::nothrow) TDeflater(static_cast<const uint8_t*>(source), sourceLength, *tables, out));
  if (!deflater) return 0;
  deflater->Run();
  return out.Overflowed() ? 0 : out.Size();
}

}  // namespace palvetta
