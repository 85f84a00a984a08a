// One-line forms of addresses of this program, named through its embedded symbol map.
#include "crash/stack/win/stack_line_lookup.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "crash/symbols/win/symbol_lookup.h"

// Outside any namespace for a plain name in the map.
void* gLineProbeReturn = nullptr;

extern "C" __attribute__((noinline)) void StackLineProbe() {
  gLineProbeReturn = __builtin_extract_return_addr(__builtin_return_address(0));
}

constexpr int kProbeCallLine = __LINE__ + 2;
extern "C" __attribute__((noinline)) int StackLineProbeCaller() {
  StackLineProbe();
  return 1;  // no tail call
}

namespace palvetta {
namespace {

uint64_t ProbeCallAddress() {
  StackLineProbeCaller();
  return reinterpret_cast<uint64_t>(gLineProbeReturn) - 1;
}

std::string Hex16(uint64_t value) {
  char text[24];
  std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(value));
  return text;
}

TEST(StackLineLookup, AddressInsideAFunctionOfThisProgram) {
  const uint64_t address = ProbeCallAddress();
  const auto start = reinterpret_cast<uint64_t>(&StackLineProbeCaller);
  // The function's first line as the map has it: at or before its call.
  TAddressInfo startInfo;
  ASSERT_TRUE(LookupAddressInfo(reinterpret_cast<const void*>(start), startInfo));
  ASSERT_GT(startInfo.Line, 0);
  ASSERT_LT(startInfo.Line, kProbeCallLine);
  const std::string module = " crash_stack_win_tests.exe stack_line_lookup_test.cpp ";
  const std::string line = std::to_string(kProbeCallLine) + " ";
  const std::string relativeLine = "+" + std::to_string(kProbeCallLine - startInfo.Line) + " ";
  char offset[24];
  std::snprintf(offset, sizeof offset, " +%llx", static_cast<unsigned long long>(address - start));

  EXPECT_EQ(FormatStackLine(address, false, false), Hex16(address) + module + line + "StackLineProbeCaller");
  EXPECT_EQ(FormatStackLine(address, true, true),
            Hex16(address) + offset + module + line + relativeLine + "StackLineProbeCaller");
  EXPECT_EQ(InternalErrorText("FillFinalOutput", false, false, address),
            ">> internal error in FillFinalOutput:\r\n" + FormatStackLine(address, false, false));
}

TEST(StackLineLookup, AddressesWithoutSymbols) {
  const auto sleep = reinterpret_cast<uint64_t>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "Sleep"));
  ASSERT_NE(sleep, 0u);
  EXPECT_EQ(FormatStackLine(sleep, true, false), Hex16(sleep) + " +0 ???");
  EXPECT_EQ(FormatStackLine(0, false, true), "0000000000000000 ???");
  EXPECT_EQ(InternalErrorText("ComposeResult", true, true, 0), ">> internal error in ComposeResult");
}

}  // namespace
}  // namespace palvetta
