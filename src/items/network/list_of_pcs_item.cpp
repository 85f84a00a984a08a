#include "items/network/list_of_pcs_item.h"

#include "model/field_table.h"
#include "model/quoting.h"

namespace palvetta {

namespace {

using namespace fields;

constexpr TField OverwriteControl() {
  TField row = Flag<&TCustomProjectItem::Overwrite>("Overwrite", "cbxOverwrite");
  row.Name = {};  // saved by the base class's own row
  return row;
}

constexpr TField kListOfPCsFields[] = {
    Text<&TCreateAListOfPCSItem::FileName>("FileName", "edtFileName"),
    OverwriteControl(),
};

}  // namespace

PALVETTA_DEFINE_CLASS(TCreateAListOfPCSItem, TCustomProjectItem, kListOfPCsFields);

std::string TCreateAListOfPCSItem::GetHumanReadableText() const {
  return "Create a list of PCs in current network and save to" +
         (IsBlank(FileName) ? std::string(" <u>unknown</u> file") : " " + FileName);
}

// The server lines of "net view" start with two backslashes; each is appended to the file.
std::string TCreateAListOfPCSItem::GetBatchText() const {
  const std::string file = QuotePath(FileName);
  std::string text = "REM Create list of PCs in the network and save to " + CommentText(FileName) + "\r\n";
  if (Overwrite) text += "IF EXIST " + file + " DEL " + file + "\r\n";
  return text + "for /f \"usebackq delims= \" %%i in (`net view ^| find \"\\\\\"`) do echo %%i>>" +
         file;
}

}  // namespace palvetta
