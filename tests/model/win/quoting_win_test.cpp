#include <windows.h>
// shellapi.h needs the types of windows.h.
#include <shellapi.h>

#include <gtest/gtest.h>

#include <string>

#include "base/win/wide.h"
#include "model/quoting.h"

namespace palvetta {
namespace {

// The real parser reads back exactly the argument that was quoted.
TEST(QuoteArgument, CommandLineToArgvReadsItBack) {
  const char* arguments[] = {"plain",  "", "a b", "a\ttab", "say \"hi\"", "C:\\a b\\",
                             "a\\\"b", "a\\\\b c", "\\\\server\\share x\\", "\"", "\\"};
  for (const char* argument : arguments) {
    SCOPED_TRACE(argument);
    const std::wstring line = L"prog.exe " + Widen(QuoteArgument(argument)) + L" end";
    int count = 0;
    LPWSTR* argv = CommandLineToArgvW(line.c_str(), &count);
    ASSERT_NE(argv, nullptr);
    ASSERT_EQ(count, 3);
    EXPECT_EQ(Narrow(argv[1]), argument);
    EXPECT_EQ(Narrow(argv[2]), "end");
    LocalFree(argv);
  }
}

}  // namespace
}  // namespace palvetta
