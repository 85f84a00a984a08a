#include "items/for/for_items.h"

#include "model/quoting.h"

namespace palvetta {

PALVETTA_DEFINE_CLASS(TFOREachLineInFile, TCustomProjectItem);
PALVETTA_DEFINE_CLASS(TFOREndItem, TCustomProjectItem);

void RegisterFORItems(TClassRegistry& registry) {
  registry.Register(TFOREachLineInFile::Class);
  registry.Register(TFOREndItem::Class);
}

void TFOREachLineInFile::DescribeProperties(PropertyVisitor& visitor) {
  TCustomProjectItem::DescribeProperties(visitor);
  visitor.String("FileName", FileName);
}

std::string TFOREachLineInFile::GetHumanReadableText() const {
  return "For each line in " +
         (IsBlank(FileName) ? std::string("<u>unknown</u> file") : "file " + FileName);
}

// The file name goes between the double quotes of the IN clause as stored.
std::string TFOREachLineInFile::GetBatchText() const {
  const std::string file = OneLine(FileName);
  return "REM For each line in file " + file + "\r\nfor /F \"usebackq tokens=*\" %%L in (\"" + file +
         "\") do (";
}

void TFOREachLineInFile::ToEditor(TEditorValues& values) const {
  values.SetText("edtFileName", FileName);
}

void TFOREachLineInFile::FromEditor(const TEditorValues& values) {
  FileName = values.Text("edtFileName");
}

std::string TFOREndItem::GetHumanReadableText() const { return "End of FOR"; }

std::string TFOREndItem::GetBatchText() const { return ")\r\nREM End of FOR"; }

}  // namespace palvetta
