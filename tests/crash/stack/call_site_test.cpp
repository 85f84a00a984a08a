#include "crash/stack/call_site.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace palvetta {
namespace {

constexpr uint64_t kBase = 0x140001000;

// Code bytes followed by the return address at kBase + 16, with a pointer slot at kBase
// + 32 for RIP-relative calls (they point 16 bytes past the return address).
struct TCode {
  std::vector<uint8_t> Bytes = std::vector<uint8_t>(48, 0x90);
  uint64_t After = kBase + 16;
  explicit TCode(const std::vector<uint8_t>& call) {
    std::memcpy(Bytes.data() + 16 - call.size(), call.data(), call.size());
    const uint64_t pointer = 0x7FF612345678;
    std::memcpy(Bytes.data() + 32, &pointer, sizeof pointer);
  }
};

struct TCallRow {
  const char* What;
  std::vector<uint8_t> Call;
  bool Found;
  int Length;
  bool HasTarget;
  uint64_t Target;
};

TEST(CallSite, X64CallFormsEndingAtTheReturnAddress) {
  const uint64_t after = kBase + 16;
  const TCallRow rows[] = {
      {"call rel32 forwards", {0xE8, 0x00, 0x01, 0x00, 0x00}, true, 5, true, after + 0x100},
      {"call rel32 backwards", {0xE8, 0xF0, 0xFF, 0xFF, 0xFF}, true, 5, true, after - 0x10},
      {"call rax", {0xFF, 0xD0}, true, 2, false, 0},
      {"call r11 (REX.B)", {0x41, 0xFF, 0xD3}, true, 3, false, 0},
      {"call [rip+disp32] reads its pointer", {0xFF, 0x15, 0x10, 0x00, 0x00, 0x00}, true, 6, true, 0x7FF612345678},
      {"REX.W call [rip+disp32]", {0x48, 0xFF, 0x15, 0x10, 0x00, 0x00, 0x00}, true, 7, true, 0x7FF612345678},
      {"call [rax]", {0xFF, 0x10}, true, 2, false, 0},
      {"call [rax+8]", {0xFF, 0x50, 0x08}, true, 3, false, 0},
      {"call [rax+disp32]", {0xFF, 0x90, 0x00, 0x01, 0x00, 0x00}, true, 6, false, 0},
      {"call [rsp+8] (SIB, disp8)", {0xFF, 0x54, 0x24, 0x08}, true, 4, false, 0},
      {"call [r8+rcx*8+disp32] (REX, SIB)", {0x41, 0xFF, 0x94, 0xC8, 0x00, 0x10, 0x00, 0x00}, true, 8, false, 0},
      {"call [disp32+rcx*8] (SIB without base)", {0xFF, 0x14, 0xCD, 0x00, 0x10, 0x00, 0x00}, true, 7, false, 0},
      {"jmp rax is no call", {0xFF, 0xE0}, false, 0, false, 0},
      {"push [rax] is no call", {0xFF, 0x30}, false, 0, false, 0},
      {"call of the next instruction calls nothing", {0xE8, 0, 0, 0, 0}, false, 0, false, 0},
      {"plain code", {0x48, 0x89, 0xC8}, false, 0, false, 0},
      {"a call that ends one byte early", {0xE8, 0x00, 0x01, 0x00, 0x00, 0x90}, false, 0, false, 0},
  };
  for (const TCallRow& row : rows) {
    SCOPED_TRACE(row.What);
    const TCode code(row.Call);
    const TBufferReader reader(kBase, code.Bytes);
    TCallSite site;
    ASSERT_EQ(FindCallEndingAt(reader, code.After, site), row.Found);
    if (!row.Found) continue;
    EXPECT_EQ(site.CallAddr, code.After - static_cast<uint64_t>(row.Length));
    EXPECT_EQ(site.HasTarget, row.HasTarget);
    if (row.HasTarget) {
      EXPECT_EQ(site.Target, row.Target);
    }
  }
}

TEST(CallSite, ACallThroughAnAbsoluteAddressReadsItsPointer) {
  // Code loaded below 2 GB can name a pointer cell by its 32-bit address alone (a SIB
  // byte without base or index).
  constexpr uint64_t kLowBase = 0x401000;
  std::vector<uint8_t> bytes(16, 0x90);
  const uint8_t call[] = {0xFF, 0x14, 0x25, 0x08, 0x10, 0x40, 0x00};  // call [0x401008]
  std::memcpy(bytes.data(), call, sizeof call);
  const uint64_t pointer = 0x7FF612345678;
  std::memcpy(bytes.data() + 8, &pointer, sizeof pointer);
  const TBufferReader reader(kLowBase, bytes);
  TCallSite site;
  ASSERT_TRUE(FindCallEndingAt(reader, kLowBase + sizeof call, site));
  EXPECT_EQ(site.CallAddr, kLowBase);
  EXPECT_TRUE(site.HasTarget);
  EXPECT_EQ(site.Target, pointer);
}

TEST(CallSite, ReadsNothingBeforeReadableMemoryAndFailsAtItsStart) {
  // The call sits at the very start of the readable bytes: the 8-byte window reaches
  // before them, the nearer bytes still decide.
  const std::vector<uint8_t> bytes{0xE8, 0x10, 0x00, 0x00, 0x00, 0xFF, 0xD0};
  const TBufferReader reader(kBase, bytes);
  TCallSite site;
  ASSERT_TRUE(FindCallEndingAt(reader, kBase + 5, site));
  EXPECT_EQ(site.CallAddr, kBase);
  ASSERT_TRUE(FindCallEndingAt(reader, kBase + 7, site));
  EXPECT_EQ(site.CallAddr, kBase + 5);
  EXPECT_FALSE(FindCallEndingAt(reader, kBase + 1, site));
  EXPECT_FALSE(FindCallEndingAt(reader, 3, site));
  EXPECT_FALSE(FindCallEndingAt(reader, kBase + 0x1000, site));
}

}  // namespace
}  // namespace palvetta
