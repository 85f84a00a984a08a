#include "support/editor_spec_lookup.h"

#include <stdexcept>
#include <string_view>
#include <vector>

#include "items/item_families.h"

namespace palvetta {

const TEditorSpec& SpecOf(const TClass& cls) {
  static const std::vector<TItemEditorSpec> specs =
      AllEditorSpecs([](std::string_view) { return false; });
  for (const TItemEditorSpec& spec : specs) {
    if (spec.ItemClass == &cls) return spec.Spec;
  }
  throw std::logic_error("no dialog for " + std::string(cls.Name));
}

const TLayoutNode* NodeNamed(const TLayoutNode& node, const std::string& name) {
  if (node.Name == name) return &node;
  for (const TLayoutNode& child : node.Children) {
    if (const TLayoutNode* found = NodeNamed(child, name)) return found;
  }
  return nullptr;
}

}  // namespace palvetta
