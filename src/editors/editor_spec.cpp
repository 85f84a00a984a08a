#include "editors/editor_spec.h"

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

std::vector<TItemEditorSpec> AllEditorSpecs(const TEnvironmentLookup& environmentHas) {
  std::vector<TItemEditorSpec> specs = MiscEditorSpecs(environmentHas);
  for (auto family : {ControlOfFlowEditorSpecs(), ForEditorSpecs(), FileAndFolderEditorSpecs()}) {
    for (auto& spec : family) specs.push_back(std::move(spec));
  }
  return specs;
}

}  // namespace palvetta
