#include "base/scrambled_text.h"

#include <gtest/gtest.h>

namespace palvetta {
namespace {

TEST(ScrambledText, RoundTripWithoutThePlainText) {
  constexpr auto kScrambled = Scramble("ntdll.dll");
  static_assert(kScrambled.View().size() == 9);
  EXPECT_EQ(kScrambled.View().find("ntdll"), std::string_view::npos);
  EXPECT_EQ(UnscrambleAnsiStr(kScrambled.View()), "ntdll.dll");
  EXPECT_EQ(UnscrambleAnsiStr(""), "");
}

}  // namespace
}  // namespace palvetta
