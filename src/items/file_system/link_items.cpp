#include "items/file_system/link_items.h"

#include "base/utf.h"
#include "items/file_and_folder/path_argument.h"
#include "items/radio_groups.h"
#include "items/text_helpers.h"
#include "model/field_table.h"

namespace palvetta {

namespace {

using namespace fields;

// Each Boolean or mode is a group of radio buttons, one per value: see the item code.
constexpr std::string_view kSubstButtons[] = {"rbAssociateFolder", "rbDeleteDrive"};
constexpr std::string_view kMKLinkModeButtons[] = {"rbFileSymLink", "rbDirSymLink",
                                                   "rbFileHardLink", "rbDirJunction"};

constexpr TField kSubstFields[] = {
    Drive<&TSubstItem::Drive>("Drive", "dcbDrive"),
    Text<&TSubstItem::Path>("Path", "edtPath"),
    Flag<&TSubstItem::Delete>("Delete"),
    Control(TFieldKind::fkRadio, kSubstButtons[0]),
    Control(TFieldKind::fkRadio, kSubstButtons[1]),
};

constexpr TField kMKLinkFields[] = {
    Text<&TMKLinkItem::Link>("Link", "edtLink"),
    Text<&TMKLinkItem::Target>("Target", "edtTarget"),
    Enum<&TMKLinkItem::MKLinkMode>("MKLinkMode"),
    Control(TFieldKind::fkRadio, kMKLinkModeButtons[0]),
    Control(TFieldKind::fkRadio, kMKLinkModeButtons[1]),
    Control(TFieldKind::fkRadio, kMKLinkModeButtons[2]),
    Control(TFieldKind::fkRadio, kMKLinkModeButtons[3]),
};

// The link phrases of the readable text, in the order of TMKLinkMode.
constexpr std::string_view kLinkPhrases[] = {" file symbolic link", " directory symbolic link",
                                             " file hard link", " directory junction"};

// The drive of a root ("E:\" gives "E:"): its first two characters.
std::string DriveOfRoot(std::string_view root) {
  const std::u16string wide = Utf8ToUtf16(OneLine(root));
  return Utf16ToUtf8(wide.substr(0, 2));
}

}  // namespace

PALVETTA_DEFINE_CLASS(TSubstItem, TCustomProjectItem, kSubstFields);
PALVETTA_DEFINE_CLASS(TMKLinkItem, TCustomProjectItem, kMKLinkFields);

// SUBST

std::string TSubstItem::GetHumanReadableText() const {
  if (Delete) {
    return "Delete " +
           (Drive.empty() ? std::string("<u>unknown virtual drive</u>") : "virtual drive " + Drive);
  }
  return "Associate " + (IsBlank(Path) ? std::string("<u>unknown directory</u> ") : Path) +
         " with " + (IsBlank(Drive) ? std::string("<u>unknown drive</u>") : "drive " + Drive);
}

std::string TSubstItem::GetBatchText() const {
  return "SUBST " + QuoteIfSpaced(DriveOfRoot(Drive)) + " " + (Delete ? std::string("/D") : PathArgument(Path));
}

void TSubstItem::SpecialToEditor(TEditorValues& values) const {
  RadiosToEditor(values, kSubstButtons, Delete);
}

void TSubstItem::SpecialFromEditor(const TEditorValues& values) {
  Delete = RadiosFromEditor(values, kSubstButtons, Delete);
}

// MKLINK

std::string TMKLinkItem::GetHumanReadableText() const {
  const auto mode = static_cast<size_t>(MKLinkMode);
  return "Create" + std::string(mode < std::size(kLinkPhrases) ? kLinkPhrases[mode] : "") +
         (IsBlank(Link) ? std::string(" with <u>empty name</u>") : " with name \"" + Link + '"') +
         (IsBlank(Target) ? std::string(" for <u>unknown target</u>") : " for " + Target);
}

std::string TMKLinkItem::GetBatchText() const {
  return "MKLINK" + std::string(kMKLinkModes.Command(MKLinkMode)) + " " + PathArgument(Link) + " " +
         PathArgument(Target);
}

void TMKLinkItem::SpecialToEditor(TEditorValues& values) const {
  RadiosToEditor(values, kMKLinkModeButtons, MKLinkMode);
}

void TMKLinkItem::SpecialFromEditor(const TEditorValues& values) {
  MKLinkMode = RadiosFromEditor(values, kMKLinkModeButtons, MKLinkMode);
}

}  // namespace palvetta
