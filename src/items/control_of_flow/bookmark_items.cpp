#include "items/control_of_flow/bookmark_items.h"

#include "items/text_helpers.h"
#include "model/field_table.h"
#include "model/quoting.h"

namespace palvetta {

namespace {

using namespace fields;

constexpr TField kGotoLabelFields[] = {Text<&TGotoLabelItem::Name>("Name", "edtName")};
constexpr TField kGotoFields[] = {Choice<&TGotoItem::LabelName>("LabelName", "cmbLabel")};

}  // namespace

PALVETTA_DEFINE_CLASS(TGotoLabelItem, TCustomProjectItem, kGotoLabelFields);
PALVETTA_DEFINE_CLASS(TGotoItem, TCustomProjectItem, kGotoFields);

// Bookmark

std::string TGotoLabelItem::GetHumanReadableText() const {
  return IsBlank(Name) ? "<u>Unnamed</u> bookmark" : Name;
}

std::string TGotoLabelItem::GetBatchText() const {
  return IsBlank(Name) ? std::string() : ":" + CommentText(Name);
}

// GOTO

std::string TGotoItem::GetHumanReadableText() const {
  return "Go to " + OrPlaceholder(LabelName, "<u>unknown bookmark</u>");
}

std::string TGotoItem::GetBatchText() const { return "GOTO :" + LabelReference(LabelName); }

// The list offers the project's bookmarks that have a name, in project order.
void TGotoItem::SpecialToEditor(TEditorValues& values) const {
  TItemList labels;
  DoNeedLabelsList(labels);
  TStrings names;
  for (auto* item : labels) {
    const std::string& name = static_cast<const TGotoLabelItem*>(item)->Name;
    if (!IsBlank(name)) names.push_back(name);
  }
  values.SetChoices("cmbLabel", std::move(names));
}

}  // namespace palvetta
