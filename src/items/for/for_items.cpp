#include "items/for/for_items.h"

#include "model/field_table.h"
#include "model/quoting.h"

namespace palvetta {

namespace {
constexpr TField kEachLineFields[] = {
    fields::Text<&TFOREachLineInFile::FileName>("FileName", "edtFileName"),
};
}  // namespace

PALVETTA_DEFINE_CLASS(TFOREachLineInFile, TCustomProjectItem, kEachLineFields);
PALVETTA_DEFINE_CLASS(TFOREndItem, TCustomProjectItem);

std::string TFOREachLineInFile::GetHumanReadableText() const {
  return "For each line in " +
         (IsBlank(FileName) ? std::string("<u>unknown</u> file") : "file " + FileName);
}

// The file name goes between the double quotes of the IN clause as stored.
std::string TFOREachLineInFile::GetBatchText() const {
  const std::string file = OneLine(FileName);
  return "REM For each line in file " + CommentText(file) + "\r\nfor /F \"usebackq tokens=*\" %%L in (" + QuoteOnce(file) +
         ") do (";
}

std::string TFOREndItem::GetHumanReadableText() const { return "End of FOR"; }

std::string TFOREndItem::GetBatchText() const { return ")\r\nREM End of FOR"; }

}  // namespace palvetta
