#include "items/compare_search/compare_items.h"

#include "items/compare_search/command_line.h"
#include "items/text_helpers.h"
#include "model/command_tables.h"
#include "model/field_table.h"

namespace palvetta {

namespace {

using namespace fields;

constexpr TField kFCFields[] = {
    Text<&TFCItem::FileName1>("FileName1", "edtFileName1"),
    Text<&TFCItem::FileName2>("FileName2", "edtFileName2"),
    Flag<&TFCItem::OnlyFirstAndLastDiff>("OnlyFirstAndLastDiff", "cbxOnlyFirstAndLastDiff"),
    Flag<&TFCItem::BinaryComp>("BinaryComp", "cbxBinaryComp"),
    Flag<&TFCItem::DisregardCase>("DisregardCase", "cbxDisregardCase"),
    Flag<&TFCItem::ASCII>("ASCII", "cbxASCII"),
    Integer<&TFCItem::MaxConsMismatches>("MaxConsMismatches", "sedMaxConsMismatches"),
    Flag<&TFCItem::LineNumbers>("LineNumbers", "cbxLineNumbers"),
    Flag<&TFCItem::DoNotSkipOffline>("DoNotSkipOffline", "cbxDoNotSkipOffline"),
    Flag<&TFCItem::DoNotExpandTabs>("DoNotExpandTabs", "cbxDoNotExpandTabs"),
    Flag<&TFCItem::Unicode>("Unicode", "cbxUnicode"),
    Flag<&TFCItem::CompressWhitespace>("CompressWhitespace", "cbxCompressWhitespace"),
    Integer<&TFCItem::NumberOfLinesAfterMismatch>("NumberOfLinesAfterMismatch",
                                                  "sedNumberOfLinesAfterMismatch"),
};

constexpr TField kCompFields[] = {
    Text<&TCompItem::Path1>("Path1", "edtPath1"),
    Text<&TCompItem::Path2>("Path2", "edtPath2"),
    Flag<&TCompItem::Decimal>("Decimal", "cbxDecimal"),
    Flag<&TCompItem::ASCII>("ASCII", "cbxASCII"),
    Flag<&TCompItem::LineNum>("LineNum", "cbxLineNum"),
    Integer<&TCompItem::FirstNLines>("FirstNLines", "sedFirstNLines"),
    Flag<&TCompItem::IgnoreCase>("IgnoreCase", "cbxIgnoreCase"),
    Flag<&TCompItem::DoNotSkipOffline>("DoNotSkipOffline", "cbxOffline"),
};

// FC's switches up to its mismatch count, and those after it.
constexpr TSwitch<TFCItem> kFCFirstSwitches[] = {
    {&TFCItem::OnlyFirstAndLastDiff, " /A"},
    {&TFCItem::BinaryComp, " /B"},
    {&TFCItem::DisregardCase, " /C"},
    {&TFCItem::ASCII, " /L"},
};
constexpr TSwitch<TFCItem> kFCLaterSwitches[] = {
    {&TFCItem::LineNumbers, " /N"},
    {&TFCItem::DoNotSkipOffline, " /OFFLINE"},
    {&TFCItem::DoNotExpandTabs, " /T"},
    {&TFCItem::Unicode, " /U"},
    {&TFCItem::CompressWhitespace, " /W"},
};

constexpr TSwitch<TCompItem> kCompFirstSwitches[] = {
    {&TCompItem::Decimal, " /D"},
    {&TCompItem::ASCII, " /A"},
    {&TCompItem::LineNum, " /L"},
};
constexpr TSwitch<TCompItem> kCompLaterSwitches[] = {
    {&TCompItem::IgnoreCase, " /C"},
    {&TCompItem::DoNotSkipOffline, " /OFFLINE"},
};

constexpr const char* kUnknownFile = "<u>unknown file</u>";

}  // namespace

PALVETTA_DEFINE_CLASS(TFCItem, TCustomProjectItem, kFCFields);
PALVETTA_DEFINE_CLASS(TCompItem, TCustomProjectItem, kCompFields);

// FC

std::string TFCItem::GetHumanReadableText() const {
  return "Compare " + OrPlaceholder(FileName1, kUnknownFile) + " with " +
         OrPlaceholder(FileName2, kUnknownFile);
}

std::string TFCItem::GetBatchText() const {
  std::string text = "FC" + SwitchesOf(*this, kFCFirstSwitches);
  if (MaxConsMismatches != 0) text += " /LB" + IntToStr(MaxConsMismatches);
  text += SwitchesOf(*this, kFCLaterSwitches);
  if (NumberOfLinesAfterMismatch > 0) text += " /" + IntToStr(NumberOfLinesAfterMismatch);
  return CommandLine(text + " " + PathArgument(FileName1) + " " + PathArgument(FileName2));
}

// COMP

std::string TCompItem::GetHumanReadableText() const {
  return "Compare the contents of " + OrPlaceholder(Path1, kUnknownFile) + " with " +
         OrPlaceholder(Path2, kUnknownFile);
}

// /M last: COMP would otherwise ask whether to compare more files, and wait.
std::string TCompItem::GetBatchText() const {
  std::string text = "COMP " + PathArgument(Path1) + " " + PathArgument(Path2);
  text += SwitchesOf(*this, kCompFirstSwitches);
  if (FirstNLines > 0) text += " /N=" + IntToStr(FirstNLines);
  text += SwitchesOf(*this, kCompLaterSwitches);
  return CommandLine(text + " /M");
}

}  // namespace palvetta
