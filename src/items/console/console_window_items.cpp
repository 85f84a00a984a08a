#include "items/console/console_window_items.h"

#include "items/console/console_colours.h"
#include "items/console/console_text.h"
#include "items/text_helpers.h"
#include "model/field_table.h"

namespace palvetta {

namespace {

using namespace fields;

constexpr TField kColorFields[] = {
    Colour<&TColorItem::TextColor>("TextColor", "cmbTextColor"),
    Colour<&TColorItem::BGColor>("BGColor", "cmbBGColor"),
};
constexpr TField kTitleFields[] = {Text<&TTitleItem::Title>("Title", "edtTitle")};
constexpr TField kPromptFields[] = {Text<&TPromptItem::Prompt>("Prompt", "edtPrompt")};
constexpr TField kTypeFields[] = {Text<&TTypeItem::Path>("Path", "edtPath")};

}  // namespace

PALVETTA_DEFINE_CLASS(TColorItem, TCustomProjectItem, kColorFields);
PALVETTA_DEFINE_CLASS(TTitleItem, TCustomProjectItem, kTitleFields);
PALVETTA_DEFINE_CLASS(TPromptItem, TCustomProjectItem, kPromptFields);
PALVETTA_DEFINE_CLASS(TTypeItem, TCustomProjectItem, kTypeFields);
PALVETTA_DEFINE_CLASS(TVerItem, TCustomProjectItem);

// COLOR

std::string TColorItem::GetHumanReadableText() const {
  return "Set text color to " + std::string(ConsoleColourName(TextColor)) +
         " and background color to " + std::string(ConsoleColourName(BGColor));
}

std::string TColorItem::GetBatchText() const {
  return std::string("COLOR ") + ConsoleColourDigit(BGColor) + ConsoleColourDigit(TextColor);
}

// TITLE

std::string TTitleItem::GetHumanReadableText() const {
  return "Set title of console window to " + OrPlaceholder(Title, "<u>empty string</u>.");
}

std::string TTitleItem::GetBatchText() const { return TrimRight("TITLE " + ConsoleText(Title)); }

// PROMPT

std::string TPromptItem::GetHumanReadableText() const {
  return "Changes the cmd.exe command prompt to " + OrPlaceholder(Prompt, "<u>unknown text</u>");
}

std::string TPromptItem::GetBatchText() const { return TrimRight("PROMPT " + ConsoleText(Prompt)); }

// TYPE

std::string TTypeItem::GetHumanReadableText() const {
  return "Display contents of " + (IsBlank(Path) ? std::string("<u>unknown</u> file") : "file " + Path);
}

std::string TTypeItem::GetBatchText() const {
  return TrimRight(EscapeBatchSpecials("TYPE " + QuoteIfSpaced(OneLine(Path))));
}

// VER

std::string TVerItem::GetHumanReadableText() const { return "Display Windows version"; }
std::string TVerItem::GetBatchText() const { return "VER"; }

}  // namespace palvetta
