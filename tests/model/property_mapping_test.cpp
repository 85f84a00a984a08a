#include "model/property_mapping.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>

#include "base/xml_document.h"
#include "support/test_items.h"

namespace palvetta {
namespace {

using testing::TAllKindsItem;

// Element name and text of every child, nested children indented by two blanks.
std::string Outline(const TXmlElement& element, int depth = 0) {
  std::string out;
  for (const TXmlElement& child : element.Children()) {
    out += std::string(static_cast<size_t>(depth) * 2, ' ') + std::string(child.Name());
    if (!child.Text().empty()) out += "=" + std::string(child.Text());
    out += "\n" + Outline(child, depth + 1);
  }
  return out;
}

TEST(PropertyMapping, WritesEveryKindInPropertyOrder) {
  TAllKindsItem item;
  TXmlDocument document("item");
  WriteProperties(item, document.Root());
  EXPECT_EQ(Outline(document.Root()),
            "Enabled=TRUE\nRedirectTo\nOverwrite=FALSE\nGUID\n"
            "Number=7\nSize=5000000000\nSmall=3\nDrive=67\nLabel=x\nCheck=pcRequired\n"
            "Attributes\n  frUndef=TRUE\n  frSet=FALSE\n  frNotSet=TRUE\n"
            "When=0000000000000080FE3F\nDay=000000000000C8AF0E40\nMoment=000000000040C8AF0E40\n"
            "Lines\n  Item0=one\n  Item1=two\n  Count=2\n"
            "Params\n  Item0\n    Param=Source\n    Descr=what to copy\n    ParamCheck=pcPathMustExist\n"
            "  Count=1\n");
}

TEST(PropertyMapping, ExtendedFloats) {
  struct Case {
    double value;
    const char* hex;
  };
  const Case cases[] = {
      {0.5, "0000000000000080FE3F"},
      {0.0, "00000000000000000000"},
      {1.0, "0000000000000080FF3F"},
      {2.0, "00000000000000800040"},
      {-2.0, "000000000000008000C0"},
      {45000.0, "000000000000C8AF0E40"},
      {std::numeric_limits<double>::denorm_min(), "0000000000000080CD3B"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.value);
    EXPECT_EQ(ExtendedToHex(c.value), c.hex);
    double back = 123;
    ASSERT_TRUE(HexToExtended(c.hex, back));
    EXPECT_EQ(back, c.value);
  }
  double value = 0;
  EXPECT_FALSE(HexToExtended("0000000000000080FE3", value));
  EXPECT_FALSE(HexToExtended("0000000000000080FE3G", value));
  EXPECT_TRUE(std::isinf(HexToExtended("0000000000000080FF7F", value) ? value : 0));
}

TXmlDocument DocumentWith(std::initializer_list<std::pair<const char*, const char*>> children) {
  TXmlDocument document("item");
  for (const auto& [name, text] : children) document.Root().AddChild(name, text);
  return document;
}

TEST(PropertyMapping, ReadsBooleansLikeTheTextToBooleanConversion) {
  struct Case {
    const char* text;
    bool value;
  };
  const Case cases[] = {{"TRUE", true}, {"yes", true}, {"Y", true},   {"false", false},
                        {"No", false},  {"n", false},  {"1", true},   {"-7", true},
                        {"0", false},   {"maybe", false}, {"", false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    TAllKindsItem item;
    item.Overwrite = !c.value;
    ReadProperties(DocumentWith({{"overwrite", c.text}}).Root(), item);
    EXPECT_EQ(item.Overwrite, c.value);
  }
}

TEST(PropertyMapping, ReadsNumbersAndEnumerations) {
  struct Case {
    const char* text;
    int32_t number;
    int64_t size;
    uint8_t small;
    char16_t drive;
  };
  const Case cases[] = {
      {"42", 42, 42, 42, u'*'},
      {" -3 ", -3, -3, 255, 0xFFFF},
      {"", -1, -1, 255, 0xFFFF},
      {"x1", -1, -1, 255, 0xFFFF},
      {"300", 300, 300, 255, 300},
      {"99999999999", -1, 99999999999, 255, 0xFFFF},
      {"-9223372036854775808", -1, INT64_MIN, 255, 0xFFFF},
      {"9223372036854775808", -1, -1, 255, 0xFFFF},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    TAllKindsItem item;
    ReadProperties(DocumentWith({{"Number", c.text}, {"Size", c.text}, {"Small", c.text},
                                 {"Drive", c.text}}).Root(),
                   item);
    EXPECT_EQ(item.Number, c.number);
    EXPECT_EQ(item.Size, c.size);
    EXPECT_EQ(item.Small, c.small);
    EXPECT_EQ(item.Drive, c.drive);
  }

  struct EnumCase {
    const char* text;
    TParamCheck value;
  };
  const EnumCase enums[] = {
      {"pcPathMustExist", TParamCheck::pcPathMustExist},
      {"PCNOCHECK", TParamCheck::pcNoCheck},
      {"3", TParamCheck::pcPathMustNOTExist},
      {"4", TParamCheck::pcRequired},  // out of range: kept
      {"-1", TParamCheck::pcRequired},
      {"nonsense", TParamCheck::pcRequired},
  };
  for (const auto& c : enums) {
    SCOPED_TRACE(c.text);
    TAllKindsItem item;
    ReadProperties(DocumentWith({{"Check", c.text}}).Root(), item);
    EXPECT_EQ(item.Check, c.value);
  }
}

TEST(PropertyMapping, ReadsDatesAndTimes) {
  TAllKindsItem item;
  ReadProperties(
      DocumentWith({{"When", "000000000000008000C0"}, {"Day", "12.5"}, {"Moment", "00AB"}}).Root(), item);
  EXPECT_EQ(item.When, -2.0);
  EXPECT_EQ(item.Day, 12.5);
  EXPECT_EQ(item.Moment, 45000.25);  // too few digits: kept

  try {
    ReadProperties(DocumentWith({{"Day", "yesterday"}}).Root(), item);
    FAIL();
  } catch (const std::runtime_error& error) {
    EXPECT_STREQ(error.what(), "'yesterday' is not a valid date");
  }
}

TEST(PropertyMapping, MissingElementsKeepValuesAndNamesIgnoreCase) {
  TAllKindsItem item;
  item.Label = "before";
  ReadProperties(DocumentWith({{"LABEL", " after "}, {"Unknown", "x"}}).Root(), item);
  EXPECT_EQ(item.Label, " after ");  // white space is kept
  EXPECT_EQ(item.Number, 7);
  EXPECT_EQ(item.Lines, (TStrings{"one", "two"}));
  EXPECT_EQ(item.Params.Count(), 1u);
}

TEST(PropertyMapping, ReadsListsAndCollections) {
  TXmlDocument document("item");
  TXmlElement& element = document.Root();
  TXmlElement& lines = element.AddChild("Lines");
  lines.AddChild("Item1", "second");
  lines.AddChild("Count", "3");
  lines.AddChild("Item0", "first");
  TXmlElement& params = element.AddChild("Params");
  params.AddChild("Item0").AddChild("Param", "P");
  params.AddChild("Count", "2");
  TAllKindsItem item;
  ReadProperties(element, item);
  EXPECT_EQ(item.Lines, (TStrings{"first", "second", ""}));
  ASSERT_EQ(item.Params.Count(), 2u);
  EXPECT_EQ(item.Params[0].Param, "P");
  EXPECT_EQ(item.Params[1].ParamCheck, TParamCheck::pcNoCheck);

  // Entries are found by name as FindChild finds them: any case, the first of a name,
  // and no other spelling of the number.
  TXmlDocument odd("item");
  TXmlElement& oddLines = odd.Root().AddChild("Lines");
  for (const auto& [name, text] : {std::pair{"Count", "4"}, {"ITEM1", "one"}, {"Item01", "not one"},
                                   {"Item1", "later one"}, {"Item3", "three"}, {"Item+2", "not two"},
                                   {"Item4", "beyond"}, {"Item", "none"}, {"Item0x", "not zero"}}) {
    oddLines.AddChild(name, text);
  }
  ReadProperties(odd.Root(), item);
  EXPECT_EQ(item.Lines, (TStrings{"", "one", "", "three"}));

  // Without Count a string list takes the element's text; a collection stays as it is.
  TAllKindsItem plain;
  ReadProperties(DocumentWith({{"Lines", "a\r\nb"}, {"Params", "ignored"}}).Root(), plain);
  EXPECT_EQ(plain.Lines, (TStrings{"a", "b"}));
  EXPECT_EQ(plain.Params.Count(), 1u);
}

TEST(PropertyMapping, ACountBeyondTheElementsIsRefused) {
  for (const char* count : {"1000000000", "-1", "x"}) {
    SCOPED_TRACE(count);
    TXmlDocument document("item");
    document.Root().AddChild("Lines").AddChild("Count", count);
    TAllKindsItem item;
    EXPECT_THROW(ReadProperties(document.Root(), item), std::runtime_error);
  }
}

}  // namespace
}  // namespace palvetta
