#include "base/delimited_list.h"

#include <gtest/gtest.h>

namespace palvetta {
namespace {

TEST(DelimitedList, CountAndItems) {
  EXPECT_EQ(SubStrCount(u"", u'|'), 0u);
  EXPECT_EQ(SubStrCount(u"a", u'|'), 1u);
  EXPECT_EQ(SubStrCount(u"a||b|", u'|'), 4u);
  EXPECT_EQ(SubStrCount(u"|", u'|'), 2u);

  struct Case {
    size_t index;
    const char16_t* item;
  };
  const Case cases[] = {{0, u"a"}, {1, u""}, {2, u"b"}, {3, u""}, {4, u""}, {size_t(-1), u""}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.index);
    EXPECT_EQ(SubStr(u"a||b|", c.index, u'|'), c.item);
  }
  EXPECT_EQ(SubStr(u"x;y", 1, u';'), u"y");
  EXPECT_EQ(SubStr(u"", 0, u';'), u"");
}

TEST(DelimitedList, WholeItemsOnly) {
  EXPECT_TRUE(IsItemInListText(u"ab,cd,ef", u"ab", u','));
  EXPECT_TRUE(IsItemInListText(u"ab,cd,ef", u"cd", u','));
  EXPECT_TRUE(IsItemInListText(u"ab,cd,ef", u"ef", u','));
  EXPECT_FALSE(IsItemInListText(u"ab,cd,ef", u"c", u','));
  EXPECT_FALSE(IsItemInListText(u"ab,cd,ef", u"b,c", u','));
  EXPECT_FALSE(IsItemInListText(u"a,,b", u"", u','));
  EXPECT_FALSE(IsItemInListText(u"", u"a", u','));
  EXPECT_TRUE(IsItemInListText(u"ab,cd", u"CD", u','));
  EXPECT_FALSE(IsItemInListText(u"abc,d", u"AB", u','));
}

}  // namespace
}  // namespace palvetta
