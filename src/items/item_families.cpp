#include "items/item_families.h"

namespace palvetta {

#define PALVETTA_ITEM_FAMILY(record) extern const TItemFamily record;
#include "items/item_family_list.inc"
#undef PALVETTA_ITEM_FAMILY

std::span<const TItemFamily* const> ItemFamilies() {
  static constexpr const TItemFamily* kFamilies[] = {
#define PALVETTA_ITEM_FAMILY(record) &record,
#include "items/item_family_list.inc"
#undef PALVETTA_ITEM_FAMILY
  };
  return kFamilies;
}

void RegisterItemFamilies(TClassRegistry& registry) {
  for (const TItemFamily* family : ItemFamilies()) {
    for (const TClass* cls : family->Classes) registry.Register(*cls);
  }
}

std::vector<TItemEditorSpec> AllEditorSpecs(const TEnvironmentLookup& environmentHas) {
  std::vector<TItemEditorSpec> specs;
  for (const TItemFamily* family : ItemFamilies()) {
    for (TItemEditorSpec& spec : family->Dialogs(environmentHas)) specs.push_back(std::move(spec));
  }
  return specs;
}

}  // namespace palvetta
