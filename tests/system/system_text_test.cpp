#include <gtest/gtest.h>

#include <map>

#include "support/ascii_text.h"
#include "system/demangle.h"
#include "system/path_rules.h"
#include "system/tick_count.h"
#include "system/version_text.h"

namespace palvetta {
namespace {

TEST(SystemText, FileVersionNumberText) {
  EXPECT_EQ(Narrow(FileVersionNumberText(0x00010002, 0x00030004)), "1.2.3.4");
  EXPECT_EQ(Narrow(FileVersionNumberText(0xFFFF0000, 0x0000FFFF)), "65535.0.0.65535");
  EXPECT_EQ(Narrow(TranslationKey(0x0409, 0x04B0)), "040904b0");
}

TEST(SystemText, PathRoot) {
  struct Case {
    const char* path;
    const char* root;
  };
  const Case cases[] = {
      {"C:\\dir\\file", "C:\\"},
      {"C:", "C:"},
      {"\\\\server\\share\\dir", "\\\\server\\share\\"},
      {"\\\\server\\share", "\\\\server\\share"},  // no closing backslash: all of it
      {"\\\\server", ""},                          // the server name is not closed
      {"\\dir", ""},
      {"dir\\file", ""},
      {"C", ""},
      {"", ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(PathRootA(c.path), c.root) << c.path;
    const std::string path = c.path;
    EXPECT_EQ(Narrow(PathRootW(std::u16string(path.begin(), path.end()))), c.root) << c.path;
  }
}

TEST(SystemText, RewritesSelectedComponentsByTheirPathAsWritten) {
  const std::map<std::u16string, std::u16string> fileSystem = {
      {u"C:\\PROGRA~1", u"Program Files"},
      {u"C:\\PROGRA~1\\MYAPP~1", u"My App"},
      {u"\\\\srv\\share\\LONGNA~1", u"Long Name"},
  };
  std::vector<std::u16string> asked;
  const TComponentLookup lookup = [&](const std::u16string& path) -> std::optional<std::u16string> {
    asked.push_back(path);
    const auto found = fileSystem.find(path);
    if (found == fileSystem.end()) return std::nullopt;
    return found->second;
  };
  struct Case {
    const char16_t* path;
    const char* expected;
  };
  const Case cases[] = {
      {u"C:\\PROGRA~1\\MYAPP~1\\x~y.txt", "C:\\Program Files\\My App\\x~y.txt"},  // unknown stays
      {u"C:\\PROGRA~1\\", "C:\\Program Files\\"},
      {u"\\\\srv\\share\\LONGNA~1", "\\\\srv\\share\\Long Name"},
      {u"C:\\", "C:\\"},
      {u"relative~1", "relative~1"},
      {u"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(Narrow(RewritePathComponents(c.path, HasTilde, lookup)), c.expected);

  asked.clear();
  RewritePathComponents(u"C:\\a\\b*\\c", HasNoWildcard, lookup);
  EXPECT_EQ(asked, (std::vector<std::u16string>{u"C:\\a", u"C:\\a\\b*\\c"}));
}

TEST(SystemText, TickDifferenceAcrossTheWrap) {
  EXPECT_EQ(TickDifference(1000, 1500), 500u);
  EXPECT_EQ(TickDifference(1000, 1000), 0u);
  EXPECT_EQ(TickDifference(0xFFFFFFF0u, 0x10u), 0x20u);
  EXPECT_EQ(TickDifference(0xFFFFFFFFu, 0u), 1u);
}

TEST(SystemText, Demangles) {
  EXPECT_EQ(DemangleSymbol("_ZN2ns4Type6MethodEi"), "ns::Type::Method(int)");
  EXPECT_EQ(DemangleSymbol("GetTickCount"), std::nullopt);
  EXPECT_EQ(DemangleSymbol("_Zgarbage"), std::nullopt);
  EXPECT_EQ(DemangleTypeName("N2ns4TypeE"), "ns::Type");
  EXPECT_EQ(DemangleTypeName("St13runtime_error"), "std::runtime_error");
  EXPECT_EQ(DemangleTypeName("*N12_GLOBAL__N_15LocalE"), "(anonymous namespace)::Local");
  EXPECT_EQ(DemangleTypeName(""), std::nullopt);
}

}  // namespace
}  // namespace palvetta
