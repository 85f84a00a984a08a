#include "items/file_and_folder/xcopy_item.h"

#include "base/date_time_text.h"
#include "items/file_and_folder/path_argument.h"
#include "items/text_helpers.h"
#include "model/command_dates.h"
#include "model/field_table.h"

namespace palvetta {

namespace {

using namespace fields;

constexpr TField kXCopyFields[] = {
    Text<&TXCopyItem::Src>("Src", "edtSrc"),
    Text<&TXCopyItem::Dest>("Dest", "edtDest"),
    Flag<&TXCopyItem::A>("A", "cbxA"),
    Flag<&TXCopyItem::M>("M", "cbxM"),
    Flag<&TXCopyItem::D>("D", "cbxD"),
    Date<&TXCopyItem::D_Date>("D_Date", "dtpD_Date").ByCode(),
    EntryList<&TXCopyItem::Exclude>("Exclude", "lbxExclude"),
    Flag<&TXCopyItem::P>("P", "cbxP"),
    Flag<&TXCopyItem::S>("S", "cbxS"),
    Flag<&TXCopyItem::E>("E", "cbxE"),
    Flag<&TXCopyItem::V>("V", "cbxV"),
    Flag<&TXCopyItem::W>("W", "cbxW"),
    Flag<&TXCopyItem::C>("C", "cbxC"),
    Flag<&TXCopyItem::I>("I", "cbxI"),
    Flag<&TXCopyItem::Q>("Q", "cbxQ"),
    Flag<&TXCopyItem::F>("F", "cbxF"),
    Flag<&TXCopyItem::L>("L", "cbxL"),
    Flag<&TXCopyItem::G>("G", "cbxG"),
    Flag<&TXCopyItem::H>("H", "cbxH"),
    Flag<&TXCopyItem::R>("R", "cbxR"),
    Flag<&TXCopyItem::T>("T", "cbxT"),
    Flag<&TXCopyItem::U>("U", "cbxU"),
    Flag<&TXCopyItem::K>("K", "cbxK"),
    Flag<&TXCopyItem::N>("N", "cbxN"),
    Flag<&TXCopyItem::O>("O", "cbxO"),
    Flag<&TXCopyItem::X>("X", "cbxX"),
    Enum<&TXCopyItem::Y>("Y", "cmbXCopyOvewritePrompt"),
    Flag<&TXCopyItem::Z>("Z", "cbxZ"),
    Flag<&TXCopyItem::B>("B", "cbxB"),
    Flag<&TXCopyItem::J>("J", "cbxJ"),
};

constexpr TSwitch<TXCopyItem> kSwitchesBeforeDate[] = {{&TXCopyItem::A, " /A"},
                                                       {&TXCopyItem::M, " /M"}};
constexpr TSwitch<TXCopyItem> kSwitchesBeforeY[] = {
    {&TXCopyItem::P, " /P"}, {&TXCopyItem::S, " /S"}, {&TXCopyItem::E, " /E"},
    {&TXCopyItem::V, " /V"}, {&TXCopyItem::W, " /W"}, {&TXCopyItem::C, " /C"},
    {&TXCopyItem::I, " /I"}, {&TXCopyItem::Q, " /Q"}, {&TXCopyItem::F, " /F"},
    {&TXCopyItem::L, " /L"}, {&TXCopyItem::G, " /G"}, {&TXCopyItem::H, " /H"},
    {&TXCopyItem::R, " /R"}, {&TXCopyItem::T, " /T"}, {&TXCopyItem::U, " /U"},
    {&TXCopyItem::K, " /K"}, {&TXCopyItem::N, " /N"}, {&TXCopyItem::O, " /O"},
    {&TXCopyItem::X, " /X"},
};
constexpr TSwitch<TXCopyItem> kSwitchesAfterY[] = {
    {&TXCopyItem::Z, " /Z"}, {&TXCopyItem::B, " /B"}, {&TXCopyItem::J, " /J"}};

// The exclude files joined by "+", blank lines skipped and the rest trimmed (a blank
// entry would make XCOPY look for a file without a name); a file name's & ( ) stay text.
std::string ExcludeSwitch(const std::vector<std::string>& files) {
  TStrings names;
  for (const std::string& file : files) {
    if (!IsBlank(file)) names.push_back(Trim(file));
  }
  return names.empty() ? std::string() : " /EXCLUDE:" + EscapeBatchSpecials(JoinWith(names, "+"));
}

}  // namespace

PALVETTA_DEFINE_CLASS(TXCopyItem, TCustomProjectItem, kXCopyFields);

std::string TXCopyItem::GetHumanReadableText() const {
  return "Copies files and directory trees from " + OrPlaceholder(Src, "<u>unknown source</u>") +
         " to " + OrPlaceholder(Dest, "<u>unknown destination</u>");
}

std::string TXCopyItem::GetBatchText() const {
  return "XCOPY " + PathArgument(Src) + " " + PathArgument(Dest) +
         SwitchesOf(*this, kSwitchesBeforeDate) + (D ? " /D:" + MonthDayYear(D_Date) : "") +
         ExcludeSwitch(Exclude) + SwitchesOf(*this, kSwitchesBeforeY) +
         std::string(kXCopyOverwritePrompts.Command(Y)) + SwitchesOf(*this, kSwitchesAfterY);
}

// A new item has no date yet: the picker offers today's. The picker's date is taken only
// while /D is on, so confirming without it leaves the item as it was.
void TXCopyItem::SpecialToEditor(TEditorValues& values) const {
  values.SetDate("dtpD_Date", D_Date < 1 ? Today() : D_Date);
}

void TXCopyItem::SpecialFromEditor(const TEditorValues& values) {
  if (values.Checked("cbxD")) D_Date = values.Date("dtpD_Date");
}

}  // namespace palvetta
