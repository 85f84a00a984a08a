#include "items/file_and_folder/delete_attrib_items.h"

#include "items/file_and_folder/path_argument.h"
#include "items/text_helpers.h"
#include "model/attribute_fields.h"
#include "model/command_tables.h"
#include "model/field_table.h"
#include "model/file_attributes.h"

namespace palvetta {

namespace {

using namespace fields;

// Each item's attributes, in the order its file saves them.
constexpr TAttributeField<TDeleteItem> kDeleteAttributes[] = {
    {&TDeleteItem::ReadOnlyAttr, 'R'}, {&TDeleteItem::Hidden, 'H'}, {&TDeleteItem::Indexed, 'I'},
    {&TDeleteItem::System, 'S'},       {&TDeleteItem::Arch, 'A'},   {&TDeleteItem::ReparsePoints, 'L'},
};
constexpr TAttributeField<TAttribItem> kAttribAttributes[] = {
    {&TAttribItem::ReadOnlyAttr, 'R'}, {&TAttribItem::Hidden, 'H'}, {&TAttribItem::Indexed, 'I'},
    {&TAttribItem::System, 'S'},       {&TAttribItem::Arch, 'A'},
};

constexpr auto kDeleteFields = JoinFields(
    LineList<&TDeleteItem::Files>("Files", "memFiles"),
    Flag<&TDeleteItem::Prompt>("Prompt", "cbxPrompt"),
    Flag<&TDeleteItem::DelReadOnly>("DelReadOnly", "cbxDelReadOnly"),
    Flag<&TDeleteItem::DelFromSubDirs>("DelFromSubDirs", "cbxDelFromSubDirs"),
    Flag<&TDeleteItem::Quiet>("Quiet", "cbxQuiet"),
    Flag<&TDeleteItem::DelAttr>("DelAttr", "cbxDelAttr"),
    AttributeRows<kDeleteAttributes>());
constexpr auto kAttribFields = JoinFields(
    Text<&TAttribItem::Path>("Path", "edtPath"),
    AttributeRows<kAttribAttributes>(),
    Flag<&TAttribItem::Folders>("Folders", "cbxFolders"),
    Flag<&TAttribItem::Subfolders>("Subfolders", "cbxSubfolders"),
    Flag<&TAttribItem::SymLinks>("SymLinks", "cbxSymLinks"));

constexpr TSwitch<TDeleteItem> kDeleteSwitches[] = {
    {&TDeleteItem::Prompt, "/P "},
    {&TDeleteItem::DelReadOnly, "/F "},
    {&TDeleteItem::DelFromSubDirs, "/S "},
    {&TDeleteItem::Quiet, "/Q "},
};
constexpr TSwitch<TAttribItem> kAttribSwitches[] = {
    {&TAttribItem::Subfolders, "/S "},
    {&TAttribItem::Folders, "/D "},
    {&TAttribItem::SymLinks, "/L "},
};

}  // namespace

PALVETTA_DEFINE_CLASS(TDeleteItem, TCustomProjectItem, kDeleteFields);
PALVETTA_DEFINE_CLASS(TAttribItem, TCustomProjectItem, kAttribFields);

// DEL

std::string TDeleteItem::GetHumanReadableText() const {
  if (Files.empty()) return "Delete <u>unknown</u> files.";
  std::string text = "Delete";
  for (const std::string& file : Files) {
    if (!IsBlank(file)) text += " " + Trim(file);
  }
  return text;
}

std::string TDeleteItem::GetBatchText() const {
  std::string text = "DEL " + SwitchesOf(*this, kDeleteSwitches);
  if (DelAttr) {
    const std::string filter = AttributeFilter(AttributeStates(*this, kDeleteAttributes));
    if (!filter.empty()) text += "/A:" + filter + " ";
  }
  for (const std::string& file : Files) {
    if (!IsBlank(file)) text += PathArgument(file) + " ";
  }
  return TrimRight(text);
}

// ATTRIB

std::string TAttribItem::GetHumanReadableText() const {
  return "Set attributes of " + OrPlaceholder(Path, "<u>undefined file</u>");
}

std::string TAttribItem::GetBatchText() const {
  return TrimRight("ATTRIB " + AttributeChanges(AttributeStates(*this, kAttribAttributes)) +
                   PathArgument(Path) + " " + SwitchesOf(*this, kAttribSwitches));
}

}  // namespace palvetta
