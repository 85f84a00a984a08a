#include "editors/editor_spec.h"

#include <algorithm>
#include <iterator>


namespace palvetta {

TLayoutNode FieldWithBrowse(std::string caption, std::string field, std::string button,
                            int chars) {
  std::string label = LabelNameFor(field);
  TLayoutNode pair = Column({
      Label(std::move(label), std::move(caption)),
      Row({Stretched(Edit(std::move(field), chars)),
           Aligned(Button(std::move(button), "..."), TAlign::alCentre)}),
  });
  pair.LabelPair = true;
  return pair;
}

namespace {

void CollectRadios(const TLayoutNode& node, std::vector<std::string>& names) {
  if (node.Kind == TLayoutKind::lkRadio && !node.Name.empty()) names.push_back(node.Name);
  for (const TLayoutNode& child : node.Children) CollectRadios(child, names);
}

}  // namespace

std::vector<std::string> RuleTriggers(const TEditorSpec& spec) {
  std::vector<std::string> names;
  if (spec.Enabling.empty()) return names;
  CollectRadios(spec.Layout, names);
  const auto add = [&names](const std::string& name) {
    if (std::find(names.begin(), names.end(), name) == names.end()) names.push_back(name);
  };
  for (const TEnableRule& rule : spec.Enabling) {
    if (!rule.ByIndex()) add(rule.CheckBox);
    for (const std::string& box : rule.OrChecked) add(box);
    if (!rule.AlsoChecked.empty()) add(rule.AlsoChecked);
  }
  return names;
}

bool TEnableRule::EnabledAt(int index) const {
  if (WhenIndex >= 0 && index == WhenIndex) return true;
  return std::find(WhenIndexes.begin(), WhenIndexes.end(), index) != WhenIndexes.end();
}

TStrings EntriesToAdd(const TListButtons& buttons, const std::string& text) {
  if (buttons.Separator == 0) return {text};
  TStrings entries;
  std::size_t start = 0;
  for (std::size_t at; (at = text.find(buttons.Separator, start)) != std::string::npos;
       start = at + 1) {
    entries.push_back(text.substr(start, at - start));
  }
  if (start < text.size() || entries.empty()) entries.push_back(text.substr(start));
  return entries;
}

}  // namespace palvetta
