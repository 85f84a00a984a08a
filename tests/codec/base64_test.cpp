#include <gtest/gtest.h>

#include "codec/base64.h"

namespace palvetta {
namespace {

TEST(Base64Test, EncodesWithPaddingToWholeGroups) {
  const struct {
    std::string_view Bytes;
    std::string_view Text;
  } cases[] = {
      {"", ""},          {"f", "Zg=="},         {"fo", "Zm8="},         {"foo", "Zm9v"},
      {"foob", "Zm9vYg=="}, {"fooba", "Zm9vYmE="}, {"foobar", "Zm9vYmFy"}, {"\xFB\xFF\xBF", "+/+/"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Base64Encode(c.Bytes), c.Text) << c.Bytes;
    EXPECT_EQ(Base64Decode(c.Text), c.Bytes) << c.Text;
  }
}

TEST(Base64Test, RefusesTextsThatAreNotWholeGroupsOfTheAlphabet) {
  // Each of these would give some bytes if decoding stopped at the bad character.
  for (std::string_view text : {"Zm9vYm", "Zm9", "Zm9v!mFy", "Zm9vYmF\xC3", "Zm9v Y==", "Zm=v", "Z===", "====",
                                "Zm9vYg==Zm9v", "Zm9v\r\nYmFy", "Zg=a"}) {
    EXPECT_EQ(Base64Decode(text), "") << text;
  }
}

}  // namespace
}  // namespace palvetta
