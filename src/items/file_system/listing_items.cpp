#include "items/file_system/listing_items.h"

#include "items/file_and_folder/path_argument.h"
#include "items/text_helpers.h"
#include "model/attribute_fields.h"
#include "model/command_tables.h"
#include "model/field_table.h"
#include "model/file_attributes.h"

namespace palvetta {

namespace {

using namespace fields;

// The attributes in the order the file saves them.
constexpr TAttributeField<TDirItem> kDirAttributes[] = {
    {&TDirItem::DirAttr, 'D'}, {&TDirItem::ReadOnlyAttr, 'R'}, {&TDirItem::Hidden, 'H'},
    {&TDirItem::Indexed, 'I'}, {&TDirItem::System, 'S'},       {&TDirItem::Arch, 'A'},
    {&TDirItem::ReparsePoints, 'L'},
};

// The thousands separator boxes exclude each other: see the item code.
constexpr auto kDirFields = JoinFields(
    Text<&TDirItem::Path>("Path", "edtPath"),
    Flag<&TDirItem::Attr>("Attr", "cbxAttr"),
    AttributeRows<kDirAttributes>(),
    Flag<&TDirItem::BareFormat>("BareFormat", "cbxBare"),
    Flag<&TDirItem::DisplayThousandsSeparator>("DisplayThousandsSeparator", "cbxThousands"),
    Flag<&TDirItem::HideThousandsSeparator>("HideThousandsSeparator", "cbxNoThousands").ByCode(),
    Flag<&TDirItem::WideAndColumn>("WideAndColumn", "cbxColumns"),
    Flag<&TDirItem::Lowercase>("Lowercase", "cbxLowercase"),
    Flag<&TDirItem::LongList>("LongList", "cbxLongList"),
    Flag<&TDirItem::Sorted>("Sorted", "cbxSort"),
    Flag<&TDirItem::SortedReversed>("SortedReversed", "cbxReversed"),
    Enum<&TDirItem::SortOrder>("SortOrder", "cmbSortBy"),
    Flag<&TDirItem::PauseByScreen>("PauseByScreen", "cbxPause"),
    Flag<&TDirItem::DisplayOwner>("DisplayOwner", "cbxOwner"),
    Flag<&TDirItem::AlternateDataStreams>("AlternateDataStreams", "cbxAltDataStreams"),
    Flag<&TDirItem::Subdirs>("Subdirs", "cbxSubdirs"),
    Enum<&TDirItem::TimeField>("TimeField", "cmbTimeField"),
    Flag<&TDirItem::Wide>("Wide", "cbxWide"),
    Flag<&TDirItem::ShortNames>("ShortNames", "cbxShortNames"),
    Flag<&TDirItem::FourDigitYears>("FourDigitYears", "cbxFourDigitYears"));

constexpr TField kTreeFields[] = {
    Text<&TTreeItem::Path>("Path", "edtPath"),
    Flag<&TTreeItem::DisplayFileNames>("DisplayFileNames", "cbxDisplayFileNames"),
    Flag<&TTreeItem::ASCII>("ASCII", "cbxASCII"),
};

constexpr TSwitch<TDirItem> kLayoutSwitches[] = {
    {&TDirItem::WideAndColumn, "/D "},
    {&TDirItem::Lowercase, "/L "},
    {&TDirItem::LongList, "/N "},
};
constexpr TSwitch<TDirItem> kListingSwitches[] = {
    {&TDirItem::PauseByScreen, "/P "}, {&TDirItem::DisplayOwner, "/Q "},
    {&TDirItem::AlternateDataStreams, "/R "}, {&TDirItem::Subdirs, "/S "},
    {&TDirItem::Wide, "/W "}, {&TDirItem::ShortNames, "/X "},
    {&TDirItem::FourDigitYears, "/4 "},
};
constexpr TSwitch<TTreeItem> kTreeSwitches[] = {
    {&TTreeItem::DisplayFileNames, "/F "},
    {&TTreeItem::ASCII, "/A "},
};

}  // namespace

PALVETTA_DEFINE_CLASS(TDirItem, TCustomProjectItem, kDirFields);
PALVETTA_DEFINE_CLASS(TTreeItem, TCustomProjectItem, kTreeFields);

// DIR

std::string TDirItem::GetHumanReadableText() const {
  return "Display a list of files and subdirectories in " +
         OrPlaceholder(Path, "<u>unknown directory</u>");
}

std::string TDirItem::GetBatchText() const {
  std::string text = "DIR " + PathArgument(Path) + " ";
  if (Attr) {
    const std::string filter = AttributeFilter(AttributeStates(*this, kDirAttributes));
    if (!filter.empty()) text += "/A:" + filter + " ";
  }
  if (BareFormat) text += "/B ";
  if (DisplayThousandsSeparator) {
    text += "/C ";
  } else if (HideThousandsSeparator) {
    text += "/-C ";
  }
  text += SwitchesOf(*this, kLayoutSwitches);
  if (Sorted) {
    text += "/O:" + std::string(SortedReversed ? "-" : "") +
            std::string(kSortOrders.Command(SortOrder)) + " ";
    // The time field only chooses which date sorting uses.
    if (SortOrder == TSortOrder::soDateTime) {
      text += "/T:" + std::string(kTimeFields.Command(TimeField)) + " ";
    }
  }
  return Trim(text + SwitchesOf(*this, kListingSwitches));
}

void TDirItem::SpecialToEditor(TEditorValues& values) const {
  values.SetChecked("cbxNoThousands", HideThousandsSeparator && !DisplayThousandsSeparator);
}

void TDirItem::SpecialFromEditor(const TEditorValues& values) {
  HideThousandsSeparator = values.Checked("cbxNoThousands");
}

// TREE

std::string TTreeItem::GetHumanReadableText() const {
  return "Display folder structure of " + OrPlaceholder(Path, "<u>unknown path</u>");
}

std::string TTreeItem::GetBatchText() const {
  return TrimRight("TREE " + PathArgument(Path) + " " + SwitchesOf(*this, kTreeSwitches));
}

}  // namespace palvetta
