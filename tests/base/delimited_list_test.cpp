#include "base/delimited_list.h"

#include <gtest/gtest.h>

namespace palvetta {
namespace {

TEST(DelimitedList, CountAndItems) {
  EXPECT_EQ(SubStrCountA("", '|'), 0);
  EXPECT_EQ(SubStrCountA("a", '|'), 1);
  EXPECT_EQ(SubStrCountA("a||b|", '|'), 4);
  EXPECT_EQ(SubStrCountW(u"|", u'|'), 2);

  struct Case {
    int index;
    const char* item;
  };
  const Case cases[] = {{1, "a"}, {2, ""}, {3, "b"}, {4, ""}, {5, ""}, {0, ""}, {-1, ""}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.index);
    EXPECT_EQ(SubStrA("a||b|", c.index, '|'), c.item);
  }
  EXPECT_EQ(SubStrW(u"x;y", 2, u';'), u"y");
  EXPECT_EQ(SubStrW(u"", 1, u';'), u"");
}

TEST(DelimitedList, WholeItemsOnly) {
  EXPECT_TRUE(IsItemInListW(u"ab,cd,ef", u"ab", u','));
  EXPECT_TRUE(IsItemInListW(u"ab,cd,ef", u"cd", u','));
  EXPECT_TRUE(IsItemInListW(u"ab,cd,ef", u"ef", u','));
  EXPECT_FALSE(IsItemInListW(u"ab,cd,ef", u"c", u','));
  EXPECT_FALSE(IsItemInListW(u"ab,cd,ef", u"b,c", u','));
  EXPECT_FALSE(IsItemInListW(u"ab,cd", u"AB", u','));
  EXPECT_FALSE(IsItemInListW(u"a,,b", u"", u','));
  EXPECT_FALSE(IsItemInListW(u"", u"a", u','));
  EXPECT_TRUE(IsItemInListTextW(u"ab,cd", u"CD", u','));
  EXPECT_FALSE(IsItemInListTextW(u"abc,d", u"AB", u','));
}

}  // namespace
}  // namespace palvetta
