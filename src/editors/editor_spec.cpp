#include "editors/editor_spec.h"

#include <algorithm>

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

TStrings ConsoleColours() {
  return {"Black ",    "Blue  ",     "Green ",       "Aqua  ",     "Red   ",       "Purple",
          "Yellow",    "White ",     "Gray",         "Light Blue", "Light Green",  "Light Aqua",
          "Light Red", "Light Purple", "Light Yellow", "Bright White"};
}

std::vector<std::string> RuleTriggers(const TEditorSpec& spec) {
  std::vector<std::string> names;
  if (spec.Enabling.empty()) return names;
  CollectRadios(spec.Layout, names);
  for (const TEnableRule& rule : spec.Enabling) {
    if (rule.WhenIndex < 0 && std::find(names.begin(), names.end(), rule.CheckBox) == names.end()) {
      names.push_back(rule.CheckBox);
    }
    if (!rule.AlsoChecked.empty() &&
        std::find(names.begin(), names.end(), rule.AlsoChecked) == names.end()) {
      names.push_back(rule.AlsoChecked);
    }
  }
  return names;
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

std::vector<TItemEditorSpec> AllEditorSpecs(const TEnvironmentLookup& environmentHas) {
  std::vector<TItemEditorSpec> specs = MiscEditorSpecs(environmentHas);
  for (auto family : {ControlOfFlowEditorSpecs(), ForEditorSpecs(), FileAndFolderEditorSpecs(),
                      CompareSearchEditorSpecs(), RobocopyEditorSpecs(),
                      ServiceControlEditorSpecs(), AccessControlEditorSpecs()}) {
    for (auto& spec : family) specs.push_back(std::move(spec));
  }
  return specs;
}

}  // namespace palvetta
