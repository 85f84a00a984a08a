#include "items/console/code_page_items.h"

#include <iterator>

#include "items/console/code_pages.h"
#include "items/radio_groups.h"
#include "model/field_table.h"
#include "model/quoting.h"

namespace palvetta {

namespace {

using namespace fields;

constexpr std::string_view kGraftablButtons[] = {"rbSetCodePage", "rbStatus"};
constexpr std::string_view kNotAccepted = " (not accepted by GRAFTABL)";

constexpr TField kCHCPFields[] = {
    Choice<&TCHCPItem::CodePage>("CodePage", "cmbCodePage").ByCode(),
    Text<&TCHCPItem::Lang>("Lang"),
};
constexpr TField kGraphTablFields[] = {
    Text<&TGraphTablItem::CodePage>("CodePage"),
    Text<&TGraphTablItem::Lang>("Lang"),
    Flag<&TGraphTablItem::Status>("Status"),
    Control(TFieldKind::fkEnumeration, "cmbCodePage"),
    Control(TFieldKind::fkRadio, kGraftablButtons[0]),
    Control(TFieldKind::fkRadio, kGraftablButtons[1]),
};

// The command with its trimmed argument, if any, on one line with its specials escaped.
std::string WithArgument(std::string command, const std::string& argument) {
  const std::string trimmed = Trim(OneLine(argument));
  if (!trimmed.empty()) command += " " + trimmed;
  return EscapeBatchSpecials(command);
}

}  // namespace

PALVETTA_DEFINE_CLASS(TCHCPItem, TCustomProjectItem, kCHCPFields);
PALVETTA_DEFINE_CLASS(TGraphTablItem, TCustomProjectItem, kGraphTablFields);

// CHCP

std::string TCHCPItem::GetHumanReadableText() const {
  return "Change code page to" +
         (IsBlank(CodePage) ? std::string(" <u>unknown</u> code page") : " " + CodePage);
}

std::string TCHCPItem::GetBatchText() const { return WithArgument("CHCP", CodePage); }

// The list's entry when one names the code page, else the code page as typed text; the
// dialog's check lets only a text that names a code page (or a blank one) through.
void TCHCPItem::SpecialToEditor(TEditorValues& values) const {
  const int entry = CodePageEntry(kCHCPCodePages, CodePage);
  values.SetText("cmbCodePage", entry >= 0 ? std::string(kCHCPCodePages[entry]) : Trim(CodePage));
}

void TCHCPItem::SpecialFromEditor(const TEditorValues& values) {
  CodePage = ParseCodePage(values.Text("cmbCodePage"));
}

// GRAFTABL

std::string TGraphTablItem::GetHumanReadableText() const {
  if (Status) return "Display the current code page selected for use with GRAFTABL";
  return "Display extended character set of" +
         (IsBlank(CodePage) ? std::string(" <u>unknown</u> code page") : " code page " + CodePage);
}

std::string TGraphTablItem::GetBatchText() const {
  return Status ? "GRAFTABL /STATUS" : WithArgument("GRAFTABL", CodePage);
}

// A code page GRAFTABL does not accept is offered as an entry of its own with that
// remark, so that editing keeps it; a blank one opens with the first entry chosen.
void TGraphTablItem::SpecialToEditor(TEditorValues& values) const {
  TStrings entries(std::begin(kGraftablCodePages), std::end(kGraftablCodePages));
  int entry = CodePageEntry(kGraftablCodePages, CodePage);
  if (entry < 0 && !IsBlank(CodePage)) {
    entries.push_back(Trim(OneLine(CodePage)) + std::string(kNotAccepted));
    entry = static_cast<int>(entries.size()) - 1;
  }
  values.SetChoices("cmbCodePage", std::move(entries));
  values.SetIndex("cmbCodePage", entry < 0 ? 0 : entry);
  RadiosToEditor(values, kGraftablButtons, Status);
}

void TGraphTablItem::SpecialFromEditor(const TEditorValues& values) {
  const int entry = values.Index("cmbCodePage");
  constexpr int kListed = static_cast<int>(std::size(kGraftablCodePages));
  if (entry < 0) {
    CodePage.clear();
  } else if (entry < kListed) {
    CodePage = ParseCodePage(kGraftablCodePages[entry]);
  } else {
    CodePage = Trim(CodePage);
  }
  Status = RadiosFromEditor(values, kGraftablButtons, Status);
}

}  // namespace palvetta
