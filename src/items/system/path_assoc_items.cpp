#include "items/system/path_assoc_items.h"

#include "items/text_helpers.h"
#include "model/field_table.h"
#include "model/procs.h"
#include "model/quoting.h"

namespace palvetta {
namespace {

using namespace fields;

constexpr TField kPathFields[] = {
    Text<&TPathItem::Path>("Path", "edtPath"),
};

constexpr TField kOpenExtFields[] = {
    Memo<&TOpenExtItem::Ext>("Ext", "memExt").ByCode(),
    Text<&TOpenExtItem::Name>("Name", "edtName"),
    Text<&TOpenExtItem::ExeName>("ExeName", "edtExeName"),
};

}  // namespace

PALVETTA_DEFINE_CLASS(TPathItem, TCustomProjectItem, kPathFields);
PALVETTA_DEFINE_CLASS(TOpenExtItem, TCustomProjectItem, kOpenExtFields);

// PATH

std::string TPathItem::GetHumanReadableText() const {
  return "Append " + OrPlaceholder(Path, "<u>unknown path</u>") +
         " to the search path for executable files";
}

// A quoted SET instead of "PATH x;%PATH%": the search path is expanded when the line is
// read, and a folder such as "C:\Program Files (x86)\..." in it would close an IF block
// around the line, or the blanks in it end the PATH command's argument.
std::string TPathItem::GetBatchText() const {
  if (IsBlank(Path)) return "PATH";
  return "SET " + EscapeSetAssignment("\"PATH", PathValue(Path) + ";%PATH%\"");
}

// ASSOC / FTYPE

std::string TOpenExtItem::GetHumanReadableText() const {
  const std::string extensions =
      IsBlank(Ext) ? "<u>unknown</u> file name extensions" : Ext + " file name extensions";
  const std::string program = IsBlank(ExeName) ? "<u>unknown</u> executable" : ExeName;
  return "Associate " + extensions + " to " + program;
}

// Without a file type name no ASSOC line is written: "ASSOC .txt=" would delete the
// extension's association instead of making one.
std::string TOpenExtItem::GetBatchText() const {
  std::string text;
  if (!IsBlank(Name)) {
    for (const std::string& piece : SplitLines(ReplaceAll(OneLine(Ext), ";", "\n"))) {
      std::string extension = Trim(piece);
      if (!extension.empty() && extension.front() == '.') extension.erase(0, 1);
      if (!extension.empty()) text += EscapeBatchSpecials("ASSOC ." + extension + "=" + Name) + "\r\n";
    }
  }
  const std::string program = QuotePath(ExeName);
  return text + EscapeBatchSpecials("FTYPE " + Name + "=" + program + " \"%%1\" %%*") + "\r\n";
}

// One extension per line in the memo; the lines come back joined by ";", each ended by one.
void TOpenExtItem::SpecialToEditor(TEditorValues& values) const {
  values.SetText("memExt", ReplaceAll(Ext, ";", "\r\n"));
}

void TOpenExtItem::SpecialFromEditor(const TEditorValues& values) {
  Ext = JoinLines(SplitLines(values.Text("memExt")), ";");
}

}  // namespace palvetta
