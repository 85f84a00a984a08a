// The hostile copies that the end-to-end check runs: every text of an item is reached,
// each copy differs in exactly its one text, and the fields of the user's own syntax
// get only the line breaks.

#include <gtest/gtest.h>

#include "items/control_of_flow/control_of_flow_items.h"
#include "support/hostile_text.h"
#include "support/test_items.h"

namespace palvetta::testing {
namespace {

std::string Canary(size_t n) { return "C:\\canaries\\c" + std::to_string(n); }

std::vector<std::string> Paths(TPersistent& object) {
  std::vector<std::string> paths;
  for (const TStringField& field : StringFields(object)) paths.push_back(field.Path);
  return paths;
}

TEST(HostileText, ReachesTextsOfListsAndCollectionEntries) {
  TAllKindsItem item;
  item.Params.Add().Param = "second";
  EXPECT_EQ(Paths(item), (std::vector<std::string>{"RedirectTo", "GUID", "Label", "Lines[0]",
                                                   "Lines[1]", "Params[0].Param", "Params[0].Descr",
                                                   "Params[1].Param", "Params[1].Descr"}));

  EXPECT_TRUE(SetStringField(item, "Lines[1]", "changed"));
  EXPECT_TRUE(SetStringField(item, "Params[1].Descr", "what"));
  EXPECT_FALSE(SetStringField(item, "Params[2].Descr", "none"));
  EXPECT_FALSE(SetStringField(item, "Number", "7"));
  EXPECT_EQ(item.Lines, (TStrings{"one", "changed"}));
  EXPECT_EQ(item.Params[1].Descr, "what");
  EXPECT_EQ(item.Params[0].Descr, "what to copy");
}

TEST(HostileText, FieldNamesDropTheIndexes) {
  const std::pair<std::string_view, std::string_view> cases[] = {
      {"RedirectTo", "RedirectTo"},
      {"Lines[12]", "Lines"},
      {"Params[0].Param", "Params.Param"},
  };
  for (const auto& [path, name] : cases) EXPECT_EQ(FieldName(path), name) << path;
}

// Each copy is the item with its one field set to the payload and its own canary; the
// item itself stays as it was.
TEST(HostileText, EachCopySetsOneFieldToOnePayload) {
  TAllKindsItem item;
  item.Label = "a\r\nb";  // kept exactly, line break and all
  const std::vector<TStringField> original = StringFields(item);
  const std::vector<THostileCopy> copies = HostileCopies(item, Canary);
  const size_t payloads = HostilePayloads().size();
  ASSERT_EQ(copies.size(), original.size() * payloads);
  for (size_t n = 0; n < copies.size(); ++n) {
    const THostileCopy& copy = copies[n];
    SCOPED_TRACE(copy.Field + " " + std::string(copy.Payload->Name));
    EXPECT_EQ(copy.Field, original[n / payloads].Path);
    EXPECT_EQ(copy.Value, PayloadText(*copy.Payload, Canary(n)));
    std::vector<TStringField> expected = original;
    expected[n / payloads].Value = copy.Value;
    EXPECT_EQ(StringFields(*copy.Item), expected);
    EXPECT_EQ(static_cast<TAllKindsItem&>(*copy.Item).Number, item.Number);
  }
  EXPECT_EQ(StringFields(item), original);
}

TEST(HostileText, PayloadsNameTheirCanary) {
  for (const THostilePayload& payload : HostilePayloads()) {
    const std::string text = PayloadText(payload, "C:\\t\\c7");
    EXPECT_EQ(text.find("{canary}"), std::string::npos) << payload.Name;
    if (payload.Name != "trailing caret") {
      EXPECT_NE(text.find("C:\\t\\c7"), std::string::npos) << payload.Name;
    }
  }
}

TEST(HostileText, UserSyntaxFieldsGetOnlyLineBreaks) {
  TIfItem condition;
  size_t conditionCopies = 0;
  for (const THostileCopy& copy : HostileCopies(condition, Canary)) {
    if (copy.Field != "Condition") continue;
    ++conditionCopies;
    EXPECT_TRUE(copy.Payload->BreaksLine) << copy.Payload->Name;
  }
  EXPECT_GT(conditionCopies, 0u);
  EXPECT_TRUE(KeepsUserSyntax(TRunProgramItem::Class, "RunParams[3].Param"));
  EXPECT_FALSE(KeepsUserSyntax(TRunProgramItem::Class, "RunParams[3].Descr"));
  EXPECT_FALSE(KeepsUserSyntax(TRunProgramItem::Class, "Path"));
  EXPECT_FALSE(KeepsUserSyntax(TIfItem::Class, "RedirectTo"));
}

}  // namespace
}  // namespace palvetta::testing
