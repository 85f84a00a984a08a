#include "model/custom_project_item.h"

#include <stdexcept>

#include "base/xml_document.h"
#include "model/field_table.h"
#include "model/property_mapping.h"

namespace palvetta {

namespace {
constexpr TField kItemFields[] = {
    fields::Flag<&TCustomProjectItem::Enabled>("Enabled"),
    fields::Text<&TCustomProjectItem::RedirectTo>("RedirectTo"),
    fields::Flag<&TCustomProjectItem::Overwrite>("Overwrite"),
    fields::Text<&TCustomProjectItem::GUID>("GUID"),
};
}  // namespace

const TClass TCustomProjectItem::Class =
    AbstractClass<TPersistent>("TCustomProjectItem", kItemFields);
const TClass TSystemProjectItem::Class = AbstractClass<TCustomProjectItem>("TSystemProjectItem");

void TCustomProjectItem::Assign(TCustomProjectItem& source) {
  TXmlDocument copy("item");
  WriteProperties(source, copy.Root());
  ReadProperties(copy.Root(), *this);
}

std::string TCustomProjectItem::GetHumanReadableText() const { return "Stub text"; }

std::string TCustomProjectItem::GetBatchText() const { return "REM Undefined item text"; }

void TCustomProjectItem::ToEditor(TEditorValues& values) const {
  FieldsToEditor(*this, values);
  SpecialToEditor(values);
}

void TCustomProjectItem::FromEditor(const TEditorValues& values) {
  FieldsFromEditor(*this, values);
  SpecialFromEditor(values);
}

void TCustomProjectItem::DoAddSystemItem(const TClass& cls) const {
  if (FGenerationHooks) FGenerationHooks->AddSystemItem(cls);
}

void TCustomProjectItem::DoNeedLabelsList(TItemList& list) const {
  if (FProjectLists) FProjectLists->GetLabelsList(list);
}

void TCustomProjectItem::DoNeedParamList(TItemList& list) const {
  if (FGenerationHooks) FGenerationHooks->GetParamList(list);
}

void TCustomProjectItem::DoNeedSubroutinesList(TItemList& list) const {
  if (FProjectLists) FProjectLists->GetSubroutinesList(list);
}

void TCustomProjectItem::DoNeedToAppendLines(const TStrings& lines) const {
  if (FGenerationHooks) FGenerationHooks->AppendLines(lines);
}

void TCustomProjectItem::DoNeedVarList(TStrings& list) const {
  if (FProjectLists) FProjectLists->GetVarList(list);
}

std::unique_ptr<TCustomProjectItem> CreateItem(const TClass& cls) {
  if (!cls.InheritsFrom(TCustomProjectItem::Class) || cls.Create == nullptr) {
    throw std::invalid_argument(std::string(cls.Name) + " is not a command that can be made");
  }
  std::unique_ptr<TPersistent> object = cls.Create();
  return std::unique_ptr<TCustomProjectItem>(static_cast<TCustomProjectItem*>(object.release()));
}

}  // namespace palvetta
