// Golden project files: one per item class, holding its sample item (every property away
// from its default where it can be), so that a renamed, reordered or lost property shows
// in the diff.

#include <gtest/gtest.h>

#include "items/item_families.h"
#include "model/project.h"
#include "support/project_files.h"
#include "support/sample_items.h"

namespace palvetta {
namespace {

TEST(ItemFamilies, GoldenProjectFiles) {
  TClassRegistry classes;
  RegisterItemFamilies(classes);
  for (const TClass* cls : classes.Classes()) {
    if (!cls->Create) continue;  // the abstract ancestors
    const std::string name = std::string(cls->Name) + ".kwj";
    SCOPED_TRACE(name);
    TProject project;
    testing::FillSample(project.AddItem(*cls, -1));
    testing::ExpectGoldenItemFile(name, project, *cls);
  }
}

}  // namespace
}  // namespace palvetta
