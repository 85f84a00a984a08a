#include "items/compare_search/print_verify_sort_items.h"

#include "items/compare_search/command_line.h"
#include "items/radio_groups.h"
#include "items/text_helpers.h"
#include "model/field_table.h"

namespace palvetta {

namespace {

using namespace fields;

// Each Boolean is shown as two radio buttons, the one for false first: see the item code.
constexpr std::string_view kDeviceButtons[] = {"rbToSelectedDevice", "rbToDefaultDevice"};
constexpr std::string_view kVerifyButtons[] = {"rbDisable", "rbEnable"};

constexpr TField kPrintFields[] = {
    Text<&TPrintItem::Path>("Path", "edtPath"),
    Flag<&TPrintItem::ToDefaultDevice>("ToDefaultDevice"),
    Text<&TPrintItem::Device>("Device", "edtDevice"),
    Control(TFieldKind::fkRadio, kDeviceButtons[0]),
    Control(TFieldKind::fkRadio, kDeviceButtons[1]),
};

constexpr TField kVerifyFields[] = {
    Flag<&TVerifyItem::Enable>("Enable"),
    Control(TFieldKind::fkRadio, kVerifyButtons[0]),
    Control(TFieldKind::fkRadio, kVerifyButtons[1]),
};

constexpr TField kSORTFields[] = {
    Text<&TSORTItem::Path>("Path", "edtPath"),
    Text<&TSORTItem::TemporaryPath>("TemporaryPath", "edtTemporaryPath"),
    Text<&TSORTItem::OutputPath>("OutputPath", "edtOutputPath"),
    Integer<&TSORTItem::N>("N", "sedN"),
    Text<&TSORTItem::L>("L", "edtL"),
    Integer<&TSORTItem::M>("M", "sedM"),
    Integer<&TSORTItem::Rec>("Rec", "sedREC"),
    Flag<&TSORTItem::R>("R", "cbxR"),
};

}  // namespace

PALVETTA_DEFINE_CLASS(TPrintItem, TCustomProjectItem, kPrintFields);
PALVETTA_DEFINE_CLASS(TVerifyItem, TCustomProjectItem, kVerifyFields);
PALVETTA_DEFINE_CLASS(TSORTItem, TCustomProjectItem, kSORTFields);

// PRINT

std::string TPrintItem::GetHumanReadableText() const {
  return "Print " + (IsBlank(Path) ? std::string("<u>unknown</u> file") : "file " + Path);
}

std::string TPrintItem::GetBatchText() const {
  std::string text = "PRINT";
  if (!ToDefaultDevice && !IsBlank(Device)) text += " /D:" + OneLine(Device);
  return CommandLine(text + " " + PathArgument(Path));
}

void TPrintItem::SpecialToEditor(TEditorValues& values) const {
  RadiosToEditor(values, kDeviceButtons, ToDefaultDevice);
}

void TPrintItem::SpecialFromEditor(const TEditorValues& values) {
  ToDefaultDevice = RadiosFromEditor(values, kDeviceButtons, false);
}

// VERIFY

std::string TVerifyItem::GetHumanReadableText() const {
  return Enable ? "Enable file write verification" : "Disable file write verification";
}

std::string TVerifyItem::GetBatchText() const { return Enable ? "VERIFY ON" : "VERIFY OFF"; }

void TVerifyItem::SpecialToEditor(TEditorValues& values) const {
  RadiosToEditor(values, kVerifyButtons, Enable);
}

void TVerifyItem::SpecialFromEditor(const TEditorValues& values) {
  Enable = RadiosFromEditor(values, kVerifyButtons, false);
}

// SORT

std::string TSORTItem::GetHumanReadableText() const {
  return "Sort lines in " + OrPlaceholder(Path, "standard input");
}

// Values at SORT's own defaults (column 1, 160 KB, records of 4096) are left out.
std::string TSORTItem::GetBatchText() const {
  std::string text = "SORT";
  if (R) text += " /R";
  if (N > 1) text += " /+" + IntToStr(N);
  if (M > 160) text += " /M " + IntToStr(M);
  if (Rec > 0 && Rec != 4096) text += " /REC " + IntToStr(Rec);
  if (!IsBlank(L)) text += " /L " + OneLine(L);
  if (!IsBlank(Path)) text += " " + QuotePath(OneLine(Path));
  if (!IsBlank(TemporaryPath)) text += " /T " + QuotePath(OneLine(TemporaryPath));
  if (!IsBlank(OutputPath)) text += " /O " + QuotePath(OneLine(OutputPath));
  return CommandLine(text);
}

}  // namespace palvetta
