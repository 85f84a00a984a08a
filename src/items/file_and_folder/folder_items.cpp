#include "items/file_and_folder/folder_items.h"

#include "items/file_and_folder/path_argument.h"
#include "model/field_table.h"

namespace palvetta {

namespace {

using namespace fields;

constexpr TField kMakeDirFields[] = {Text<&TMakeDirItem::Path>("Path", "edtDirName")};
constexpr TField kChangeDirFields[] = {
    Text<&TChangeDirItem::Path>("Path", "edtDirName"),
    Flag<&TChangeDirItem::Disk>("Disk", "cbxDisk"),
};
constexpr TField kDeleteDirFields[] = {
    Text<&TDeleteDirItem::Dir>("Dir", "edtDir"),
    Flag<&TDeleteDirItem::Quiet>("Quiet", "cbxQuiet"),
    Flag<&TDeleteDirItem::Subdirs>("Subdirs", "cbxSubdirs"),
};

}  // namespace

PALVETTA_DEFINE_CLASS(TMakeDirItem, TCustomProjectItem, kMakeDirFields);
PALVETTA_DEFINE_CLASS(TChangeDirItem, TCustomProjectItem, kChangeDirFields);
PALVETTA_DEFINE_CLASS(TDeleteDirItem, TCustomProjectItem, kDeleteDirFields);

std::string TMakeDirItem::GetHumanReadableText() const {
  return IsBlank(Path) ? "Create <u>unknown</u> directory." : "Create directory " + Path;
}

std::string TMakeDirItem::GetBatchText() const { return "MD " + PathArgument(Path); }

std::string TChangeDirItem::GetHumanReadableText() const {
  return IsBlank(Path) ? "Display the name of the current directory."
                       : "Change current directory to " + Path;
}

std::string TChangeDirItem::GetBatchText() const {
  if (IsBlank(Path)) return "CD";
  return std::string("CD ") + (Disk ? "/D " : "") + PathArgument(Path);
}

std::string TDeleteDirItem::GetHumanReadableText() const {
  return "Delete " + (IsBlank(Dir) ? std::string("<u>unknown directory</u>") : "directory " + Dir);
}

std::string TDeleteDirItem::GetBatchText() const {
  return std::string("RMDIR ") + (Subdirs ? "/S " : "") + (Quiet ? "/Q " : "") + PathArgument(Dir);
}

}  // namespace palvetta
