#pragma once
// Bookmarks and GOTO: a label, and the jump to one.

#include <string>

#include "model/class_info.h"
#include "model/custom_project_item.h"

namespace palvetta {

// A bookmark: the label that GOTO and the dispatcher jump to.
class TGotoLabelItem : public TCustomProjectItem {
 public:
  PALVETTA_CLASS
  TItemRole Role() const override { return TItemRole::irBookmark; }
  std::string DeclaredName() const override { return Name; }
  std::string Name;

  PALVETTA_ITEM_TEXTS
};

class TGotoItem : public TCustomProjectItem {
 public:
  PALVETTA_CLASS
  std::string LabelName;

  PALVETTA_ITEM_TEXTS
  void SpecialToEditor(TEditorValues& values) const override;
};

}  // namespace palvetta
