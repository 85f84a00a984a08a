#include "items/file_and_folder/rename_replace_items.h"

#include "items/file_and_folder/path_argument.h"
#include "items/text_helpers.h"
#include "model/command_tables.h"
#include "model/field_table.h"

namespace palvetta {

namespace {

using namespace fields;

constexpr TField kRenameDirFields[] = {
    Text<&TRenameDirItem::Dir>("Dir", "edtDirectory"),
    Flag<&TRenameDirItem::Quiet>("Quiet", "cbxQuiet"),
    Text<&TRenameDirItem::Destination>("Destination", "edtNewName"),
};
constexpr TField kRenameFileFields[] = {
    Text<&TRenameFileItem::FileName>("FileName", "edtFileName"),
    Text<&TRenameFileItem::Destination>("Destination", "edtDest"),
};
constexpr TField kReplaceFields[] = {
    Text<&TReplaceItem::SrcPath>("SrcPath", "edtSource"),
    Text<&TReplaceItem::DestPath>("DestPath", "edtDestination"),
    Flag<&TReplaceItem::AddNewFiles>("AddNewFiles", "cbxAddNewFiles"),
    Flag<&TReplaceItem::PromptConfirm>("PromptConfirm", "cbxPromptConfirm"),
    Flag<&TReplaceItem::OverwriteReadOnly>("OverwriteReadOnly", "cbxReadonly"),
    Flag<&TReplaceItem::Subdirs>("Subdirs", "cbxSubdirs"),
    Flag<&TReplaceItem::Wait>("Wait", "cbxWait"),
    Flag<&TReplaceItem::Old>("Old", "cbxOld"),
};

constexpr TSwitch<TReplaceItem> kReplaceSwitches[] = {
    {&TReplaceItem::AddNewFiles, "/A "}, {&TReplaceItem::PromptConfirm, "/P "},
    {&TReplaceItem::OverwriteReadOnly, "/R "}, {&TReplaceItem::Subdirs, "/S "},
    {&TReplaceItem::Wait, "/W "}, {&TReplaceItem::Old, "/U "},
};

std::string RenameLine(const std::string& what, const std::string& destination) {
  return "REN " + PathArgument(what) + " " + PathArgument(NewNameOf(destination));
}

}  // namespace

PALVETTA_DEFINE_CLASS(TRenameDirItem, TCustomProjectItem, kRenameDirFields);
PALVETTA_DEFINE_CLASS(TRenameFileItem, TCustomProjectItem, kRenameFileFields);
PALVETTA_DEFINE_CLASS(TReplaceItem, TCustomProjectItem, kReplaceFields);

std::string NewNameOf(std::string_view destination) {
  std::string name = ReplaceAll(Trim(destination), "\"", "");
  if (!name.empty() && name.back() == '\\') name.pop_back();
  const size_t last = name.find_last_of("\\:");
  return last == std::string::npos ? name : name.substr(last + 1);
}

// REN of a folder

std::string TRenameDirItem::GetHumanReadableText() const {
  const std::string what =
      IsBlank(Dir) ? std::string("<u>unknown directory</u> to ") : "directory " + Dir + " to ";
  return "Rename " + what + OrPlaceholder(Destination, "<u>unknown directory</u>");
}

std::string TRenameDirItem::GetBatchText() const { return RenameLine(Dir, Destination); }

// REN of a file

std::string TRenameFileItem::GetHumanReadableText() const {
  const std::string what =
      IsBlank(FileName) ? std::string("<u>unknown file</u> to ") : FileName + " to ";
  return "Rename " + what + OrPlaceholder(Destination, "<u>unknown name</u>");
}

std::string TRenameFileItem::GetBatchText() const { return RenameLine(FileName, Destination); }

// REPLACE

std::string TReplaceItem::GetHumanReadableText() const {
  return "Replace " + (IsBlank(SrcPath) ? std::string("<u>unknown files</u>") : Trim(SrcPath)) +
         " in " + (IsBlank(DestPath) ? std::string("<u>unknown folder</u>") : Trim(DestPath));
}

std::string TReplaceItem::GetBatchText() const {
  return TrimRight("REPLACE " + PathArgument(SrcPath) + " " + PathArgument(DestPath) + " " +
                   SwitchesOf(*this, kReplaceSwitches));
}

}  // namespace palvetta
