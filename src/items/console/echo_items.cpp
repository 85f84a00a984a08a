#include "items/console/echo_items.h"

#include "items/console/console_text.h"
#include "items/radio_groups.h"
#include "items/text_helpers.h"
#include "model/field_table.h"

namespace palvetta {

namespace {

using namespace fields;

// One radio button per mode, in the order of the modes.
constexpr std::string_view kModeButtons[] = {"rbShowSettings", "rbEchoON", "rbEchoOFF"};

constexpr TField kECHOFields[] = {Text<&TECHOItem::Text>("Text", "edtMsg")};
constexpr TField kECHOControlFields[] = {
    Enum<&TECHOControlItem::Mode>("Mode"),
    Control(TFieldKind::fkRadio, kModeButtons[0]),
    Control(TFieldKind::fkRadio, kModeButtons[1]),
    Control(TFieldKind::fkRadio, kModeButtons[2]),
};

}  // namespace

PALVETTA_DEFINE_CLASS(TECHOItem, TCustomProjectItem, kECHOFields);
PALVETTA_DEFINE_CLASS(TECHOControlItem, TCustomProjectItem, kECHOControlFields);
PALVETTA_DEFINE_CLASS(TClearScreenItem, TCustomProjectItem);
PALVETTA_DEFINE_CLASS(TPressAnyKeyItem, TCustomProjectItem);

// ECHO

std::string TECHOItem::GetHumanReadableText() const {
  return IsBlank(Text) ? "Show <u>undefined</u> text" : "Show \"" + Text + "\"";
}

std::string TECHOItem::GetBatchText() const { return EchoLine(Text); }

// ECHO ON/OFF

std::string TECHOControlItem::GetHumanReadableText() const {
  static constexpr const char* kTexts[] = {"Show current command output settings",
                                           "Enable command output", "Disable command output"};
  return kTexts[Ordinal(Mode)];
}

std::string TECHOControlItem::GetBatchText() const {
  static constexpr const char* kLines[] = {"ECHO", "ECHO ON", "ECHO OFF"};
  return kLines[Ordinal(Mode)];
}

void TECHOControlItem::SpecialToEditor(TEditorValues& values) const {
  RadiosToEditor(values, kModeButtons, Mode);
}

void TECHOControlItem::SpecialFromEditor(const TEditorValues& values) {
  Mode = RadiosFromEditor(values, kModeButtons, Mode);
}

// CLS and PAUSE

std::string TClearScreenItem::GetHumanReadableText() const { return "Clear screen"; }
std::string TClearScreenItem::GetBatchText() const { return "CLS"; }

std::string TPressAnyKeyItem::GetHumanReadableText() const { return "Press any key to continue..."; }
std::string TPressAnyKeyItem::GetBatchText() const { return "PAUSE"; }

}  // namespace palvetta
