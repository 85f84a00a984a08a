#include "items/control_of_flow/pushd_setlocal_items.h"

#include "items/text_helpers.h"
#include "model/field_table.h"
#include "model/quoting.h"

namespace palvetta {

namespace {

using namespace fields;

constexpr TField kPushdFields[] = {Text<&TPushdItem::Path>("Path", "edtPath")};
constexpr TField kSetLocalFields[] = {
    Enum<&TSetLocalItem::EnableExtensions>("EnableExtensions", "cmbEnableExtensions"),
    Enum<&TSetLocalItem::EnableDelayedExpansion>("EnableDelayedExpansion",
                                                 "cmbEnableDelayedExpansion"),
};

}  // namespace

PALVETTA_DEFINE_CLASS(TPushdItem, TCustomProjectItem, kPushdFields);
PALVETTA_DEFINE_CLASS(TPopdItem, TCustomProjectItem);
PALVETTA_DEFINE_CLASS(TSetLocalItem, TCustomProjectItem, kSetLocalFields);
PALVETTA_DEFINE_CLASS(TEndLocalItem, TCustomProjectItem);

// PUSHD, POPD

std::string TPushdItem::GetHumanReadableText() const {
  return "Store the current directory for later use" +
         (IsBlank(Path) ? std::string() : " and switch to directory " + Path);
}

std::string TPushdItem::GetBatchText() const {
  return IsBlank(Path) ? "PUSHD ." : "PUSHD " + QuoteIfSpaced(Path);
}

std::string TPopdItem::GetHumanReadableText() const { return "Restore saved current directory."; }
std::string TPopdItem::GetBatchText() const { return "POPD"; }

// SETLOCAL, ENDLOCAL

std::string TSetLocalItem::GetHumanReadableText() const {
  return "Begin localization of environment changes in a batch file.";
}

std::string TSetLocalItem::GetBatchText() const {
  static constexpr const char* kExtensions[] = {"", " ENABLEEXTENSIONS", " DISABLEEXTENSIONS"};
  static constexpr const char* kExpansion[] = {"", " ENABLEDELAYEDEXPANSION",
                                               " DISABLEDELAYEDEXPANSION"};
  return std::string("SETLOCAL") + kExtensions[Ordinal(EnableExtensions)] +
         kExpansion[Ordinal(EnableDelayedExpansion)];
}

std::string TEndLocalItem::GetHumanReadableText() const {
  return "End localization of environment changes in a batch file.";
}
std::string TEndLocalItem::GetBatchText() const { return "ENDLOCAL"; }

}  // namespace palvetta
