#include "app/catalogue.h"

#include <gtest/gtest.h>

#include <iostream>
#include <set>
#include <string>

#include "image_indexes.h"
#include "items/item_families.h"
#include "model/system_items.h"

namespace palvetta {
namespace {

const TCatalogueEntry& EntryOf(std::string_view className) {
  for (const TCatalogueEntry& entry : CatalogueEntries()) {
    if (entry.ClassName == className) return entry;
  }
  throw std::invalid_argument("not catalogued: " + std::string(className));
}

TEST(Catalogue, HasTwelveCategoriesOf113UniqueEntriesWithEveryHelpIdOnce) {
  const auto categories = CatalogueCategories();
  ASSERT_EQ(categories.size(), 12u);
  EXPECT_EQ(CatalogueEntries().size(), 113u);

  size_t counted = 0;
  for (int c = 0; c < 12; ++c) counted += CatalogueEntriesOf(c).size();
  EXPECT_EQ(counted, 113u);

  std::set<int> helpIds;
  std::set<std::string_view> classNames;
  for (const TCatalogueEntry& entry : CatalogueEntries()) {
    EXPECT_TRUE(helpIds.insert(entry.HelpId).second) << entry.HelpId;
    EXPECT_TRUE(classNames.insert(entry.ClassName).second) << entry.ClassName;
  }
  EXPECT_EQ(*helpIds.begin(), 1001);
  EXPECT_EQ(*helpIds.rbegin(), 1113);
  EXPECT_THROW(CatalogueEntriesOf(-1), std::out_of_range);
  EXPECT_THROW(CatalogueEntriesOf(12), std::out_of_range);
}

TEST(Catalogue, CategoriesAndEntriesReadAsTheUserSeesThem) {
  const auto categories = CatalogueCategories();
  EXPECT_EQ(categories[0].Title, "Files");
  EXPECT_EQ(categories[0].ImageIndex, 7);
  EXPECT_EQ(categories[7].Title, "Access Control Lists (ACLs)");
  EXPECT_EQ(categories[7].ImageIndex, 55);
  EXPECT_EQ(categories[10].Title, "Archive (7Zip)");
  EXPECT_EQ(categories[11].Title, "Misc");

  const TCatalogueEntry& first = CatalogueEntriesOf(0).front();
  EXPECT_EQ(first.ClassName, "TCopyItem");
  EXPECT_EQ(first.Title, "Copy files");
  EXPECT_EQ(first.Command, "COPY");
  EXPECT_EQ(first.Level, TCommandLevel::clBasic);
  EXPECT_EQ(first.ImageIndex, 1);
  EXPECT_EQ(first.HelpId, 1001);
  EXPECT_EQ(first.ShortDescr, "Copies one or more files to another location.");

  const TCatalogueEntry& last = CatalogueEntriesOf(11).back();
  EXPECT_EQ(last.ClassName, "TCheckParamsItem");
  EXPECT_EQ(last.Command, "");
  EXPECT_EQ(last.ShortDescr, "Set variable value.");

  // Rows whose values look like slips but are the catalogue as it stands.
  EXPECT_EQ(EntryOf("TIPConfigItem").HelpId, 1113);
  EXPECT_EQ(EntryOf("TNetStatItem").HelpId, 1105);
  EXPECT_EQ(EntryOf("TOpenFilesLocalItem").ShortDescr, "Disconnect remotely files and folders");
  EXPECT_EQ(EntryOf("TCMDItem").ShortDescr,
            "Start a new instance of the Windows command interpreter");
  EXPECT_EQ(EntryOf("TMakeDirItem").Command, "MKDIR, MD");
  EXPECT_EQ(EntryOf("TOpenExtItem").Command, "ASSOC,FTYPE");
  EXPECT_EQ(EntryOf("TSystemInfoItem").Level, TCommandLevel::clAdmin);
  EXPECT_EQ(EntryOf("TGotoLabelItem").Command, "");
  EXPECT_EQ(EntryOf("TFOREachLineInFile").ImageIndex, 123);
}

TEST(Catalogue, EveryImageIsInTheImageStrip) {
  for (const TCatalogueCategory& category : CatalogueCategories()) {
    EXPECT_GE(category.ImageIndex, 0) << category.Title;
    EXPECT_LT(category.ImageIndex, CatalogueImageCount) << category.Title;
  }
  for (const TCatalogueEntry& entry : CatalogueEntries()) {
    EXPECT_GE(entry.ImageIndex, 0) << entry.ClassName;
    EXPECT_LT(entry.ImageIndex, CatalogueImageCount) << entry.ClassName;
  }
}

TEST(Catalogue, RegistersEveryCategoryAndTheEntriesOfTheFamiliesThatExist) {
  TClassRegistry classes;
  RegisterItemFamilies(classes);
  TItemClassRegistry registry(classes);
  RegisterCatalogue(registry, classes);

  // Every item class the families register is catalogued, so none goes missing; only
  // the list of the network's computers is read from project files without being offered.
  for (const TClass* cls : classes.Classes()) {
    if (cls->Create == nullptr || !cls->InheritsFrom(TCustomProjectItem::Class)) continue;
    if (cls->Name == "TCreateAListOfPCSItem") {
      EXPECT_ANY_THROW(EntryOf(cls->Name));
      continue;
    }
    EXPECT_NO_THROW(EntryOf(cls->Name)) << cls->Name;
  }

  const auto unresolved = UnresolvedCatalogueEntries(classes);
  std::string missing;
  for (const TCatalogueEntry* entry : unresolved) missing += " " + std::string(entry->ClassName);
  std::cout << "[ info ] " << unresolved.size()
            << " catalogue entries wait for their item family:" << missing << "\n";

  ASSERT_EQ(registry.Count(), 12);
  size_t registered = 0;
  for (int c = 0; c < registry.Count(); ++c) {
    const TCategory& category = registry.Items(c);
    EXPECT_EQ(category.Title, CatalogueCategories()[static_cast<size_t>(c)].Title);
    // The entries that resolve, in catalogue order, with their texts.
    int next = 0;
    for (const TCatalogueEntry& entry : CatalogueEntriesOf(c)) {
      const TClass* cls = ResolveCatalogueEntry(entry, classes);
      if (cls == nullptr) continue;
      ASSERT_LT(next, category.Count());
      const TRegistryItem& item = category.Items(next++);
      EXPECT_EQ(item.ItemClass, cls);
      EXPECT_EQ(item.ItemClass->Name, entry.ClassName);
      EXPECT_EQ(item.Title, entry.Title);
      EXPECT_EQ(item.ShortDescr, entry.ShortDescr);
      EXPECT_EQ(item.Command, entry.Command);
      EXPECT_EQ(item.ImageIndex, entry.ImageIndex);
      EXPECT_EQ(item.CommandLevel, entry.Level);
    }
    EXPECT_EQ(next, category.Count());
    registered += static_cast<size_t>(category.Count());
  }
  EXPECT_EQ(registered + unresolved.size(), 113u);

  // The families that exist: misc, control of flow and FOR.
  EXPECT_EQ(registry.Items(2).Count(), 19);
  EXPECT_EQ(registry.Items(11).Count(), 5);
  EXPECT_EQ(registry.GetImageIndex(classes.Get("TREMItem")), 35);
  EXPECT_EQ(registry.GetImageIndex(classes.Get("TFOREndItem")), 122);
  EXPECT_EQ(registry.GetImageIndex(TSysDateOrder::Class), -1);
  EXPECT_NE(classes.Find("TCustomProjectItem"), nullptr);
}

TEST(Catalogue, OnlyClassesThatMakeItemsResolve) {
  static constexpr TClass notAnItem{"TREMItem", nullptr, &CreateInstance<TSysDateOrder>};
  static constexpr TClass abstractItem{"TCopyItem", &TCustomProjectItem::Class, nullptr};
  TClassRegistry classes;
  classes.Register(notAnItem);
  classes.Register(abstractItem);
  EXPECT_EQ(ResolveCatalogueEntry(EntryOf("TREMItem"), classes), nullptr);
  EXPECT_EQ(ResolveCatalogueEntry(EntryOf("TCopyItem"), classes), nullptr);
  EXPECT_EQ(UnresolvedCatalogueEntries(classes).size(), 113u);

  TItemClassRegistry registry(classes);
  RegisterCatalogue(registry, classes);
  EXPECT_EQ(registry.Count(), 12);
  for (int c = 0; c < registry.Count(); ++c) EXPECT_EQ(registry.Items(c).Count(), 0);
}

}  // namespace
}  // namespace palvetta
