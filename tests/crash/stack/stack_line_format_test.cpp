#include "crash/stack/stack_line_format.h"

#include <gtest/gtest.h>

#include <vector>

namespace palvetta {
namespace {

constexpr uint64_t kAddress = 0x140001234;

TAddressFacts FoundInCrash() {
  TAddressFacts facts;
  facts.Found = true;
  facts.ModuleName = "palvetta.exe";
  facts.UnitName = "main.cpp";
  facts.Line = 42;
  facts.FunctionStart = 0x140001200;
  facts.FunctionLine = 40;
  facts.FunctionName = "Crash()";
  return facts;
}

TEST(StackLineFormat, OneAddress) {
  struct TCase {
    const char* Name;
    TAddressFacts Facts;
    bool RelativeAddrs;
    bool RelativeLines;
    const char* Expected;
  };
  TAddressFacts noLine = FoundInCrash();
  noLine.Line = 0;
  TAddressFacts noFunctionLine = FoundInCrash();
  noFunctionLine.FunctionLine = 0;
  TAddressFacts noFunction = FoundInCrash();
  noFunction.FunctionStart = 0;
  noFunction.FunctionLine = 0;
  noFunction.FunctionName.clear();
  TAddressFacts startAbove = FoundInCrash();
  startAbove.FunctionStart = kAddress + 1;
  TAddressFacts notFound = FoundInCrash();
  notFound.Found = false;
  const std::vector<TCase> cases{
      {"plain", FoundInCrash(), false, false, "0000000140001234 palvetta.exe main.cpp 42 Crash()"},
      {"relative address", FoundInCrash(), true, false, "0000000140001234 +34 palvetta.exe main.cpp 42 Crash()"},
      {"relative line", FoundInCrash(), false, true, "0000000140001234 palvetta.exe main.cpp 42 +2 Crash()"},
      {"both", FoundInCrash(), true, true, "0000000140001234 +34 palvetta.exe main.cpp 42 +2 Crash()"},
      {"no line", noLine, true, true, "0000000140001234 +34 palvetta.exe main.cpp +0 Crash()"},
      {"function's line unknown", noFunctionLine, false, true, "0000000140001234 palvetta.exe main.cpp 42 +42 Crash()"},
      {"function unknown", noFunction, true, false, "0000000140001234 +0 palvetta.exe main.cpp 42 "},
      {"function start above the address", startAbove, true, false,
       "0000000140001234 +0 palvetta.exe main.cpp 42 Crash()"},
      {"not found", notFound, false, false, "0000000140001234 ???"},
      {"not found, relative", notFound, true, true, "0000000140001234 +0 ???"},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    EXPECT_EQ(ComposeStackLine(kAddress, c.Facts, c.RelativeAddrs, c.RelativeLines), c.Expected);
  }
}

TEST(StackLineFormat, InternalErrorWithAndWithoutAnException) {
  EXPECT_EQ(ComposeInternalErrorText("InDeepChecks", ""), ">> internal error in InDeepChecks");
  EXPECT_EQ(ComposeInternalErrorText("ComposeResult", "0000000140001234 ???"),
            ">> internal error in ComposeResult:\r\n0000000140001234 ???");
}

}  // namespace
}  // namespace palvetta
