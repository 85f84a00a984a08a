#include "model/class_info.h"

#include <gtest/gtest.h>

#include "items/control_of_flow/control_of_flow_items.h"
#include "items/item_families.h"
#include "items/misc/misc_items.h"
#include "model/system_items.h"

namespace palvetta {
namespace {

TEST(ClassRegistry, FindsClassesAndTheirAncestorsIgnoringCase) {
  TClassRegistry registry;
  RegisterItemFamilies(registry);
  EXPECT_EQ(registry.Find("TREMItem"), &TREMItem::Class);
  EXPECT_EQ(registry.Find("tremitem"), &TREMItem::Class);
  EXPECT_EQ(registry.Find("TSubroutineItem"), &TSubroutineItem::Class);
  EXPECT_EQ(registry.Find("TCustomProjectItem"), &TCustomProjectItem::Class);
  EXPECT_EQ(registry.Find("TPersistent"), &TPersistent::Class);
  EXPECT_EQ(registry.Find("TSys7Zip"), nullptr);  // system blocks are never named in files
  try {
    registry.Get("TNoSuchItem");
    FAIL();
  } catch (const std::runtime_error& error) {
    EXPECT_STREQ(error.what(), "Class TNoSuchItem not found");
  }
}

TEST(ClassInfo, InheritanceAndIdentity) {
  EXPECT_TRUE(TSys7Zip::Class.InheritsFrom(TSystemProjectItem::Class));
  EXPECT_TRUE(TSys7Zip::Class.InheritsFrom(TCustomProjectItem::Class));
  EXPECT_TRUE(TREMItem::Class.InheritsFrom(TREMItem::Class));
  EXPECT_FALSE(TREMItem::Class.InheritsFrom(TSystemProjectItem::Class));
  EXPECT_EQ(CreateItem(TParamItem::Class)->ClassName(), "TParamItem");
  EXPECT_THROW(CreateItem(TCustomProjectItem::Class), std::invalid_argument);  // abstract
  EXPECT_THROW(CreateItem(TPersistent::Class), std::invalid_argument);        // not an item
}

}  // namespace
}  // namespace palvetta
