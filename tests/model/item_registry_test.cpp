#include "model/item_registry.h"

#include <gtest/gtest.h>

#include "items/control_of_flow/control_of_flow_items.h"
#include "items/misc/misc_items.h"
#include "model/system_items.h"

namespace palvetta {
namespace {

TEST(ItemClassRegistry, EntriesRegisterTheirClassesAndImages) {
  TClassRegistry classes;
  TItemClassRegistry catalogue(classes);
  TCategory& misc = catalogue.Add("Misc", 11);
  misc.Add(TREMItem::Class, "Comment", "A comment", 5, "REM", TCommandLevel::clBasic);
  misc.Add(TSubroutineItem::Class, "Subroutine", "Begins a subroutine", 6, "", TCommandLevel::clAdvanced);
  catalogue.Add("Again", 12).Add(TREMItem::Class, "Note", "", 9, "REM", TCommandLevel::clAdmin);

  EXPECT_EQ(catalogue.Count(), 2);
  EXPECT_EQ(catalogue.Items(0).Title, "Misc");
  EXPECT_EQ(catalogue.Items(0).Items(1).Title, "Subroutine");
  EXPECT_THROW(catalogue.Items(2), std::out_of_range);
  EXPECT_THROW(misc.Items(-1), std::out_of_range);

  EXPECT_EQ(catalogue.GetImageIndex(TREMItem::Class), 9);  // the last category wins
  EXPECT_EQ(catalogue.GetImageIndex(TSubroutineItem::Class), 6);
  EXPECT_EQ(catalogue.GetImageIndex(TSys7Zip::Class), -1);
  EXPECT_EQ(catalogue.GetImageIndex(TCustomProjectItem::Class), -1);  // no derived matches

  EXPECT_EQ(classes.Find("TREMItem"), &TREMItem::Class);
  EXPECT_EQ(classes.Find("TCustomProjectItem"), &TCustomProjectItem::Class);
  EXPECT_EQ(classes.Find("TParamItem"), nullptr);
}

}  // namespace
}  // namespace palvetta
