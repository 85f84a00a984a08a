#include "items/compare_search/find_items.h"

#include "items/compare_search/command_line.h"
#include "items/radio_groups.h"
#include "items/text_helpers.h"
#include "model/command_tables.h"
#include "model/field_table.h"

namespace palvetta {

namespace {

using namespace fields;

constexpr TField kFindFields[] = {
    Text<&TFindItem::SearchFor>("SearchFor", "edtSearchFor"),
    Text<&TFindItem::Path>("Path", "edtPath"),
    Flag<&TFindItem::NotContaining>("NotContaining", "cbxNotContaining"),
    Flag<&TFindItem::OnlyCount>("OnlyCount", "cbxOnlyCount"),
    Flag<&TFindItem::LineNumbers>("LineNumbers", "cbxLineNumbers"),
    Flag<&TFindItem::IgnoreCase>("IgnoreCase", "cbxIgnoreCase"),
    Flag<&TFindItem::DoNotSkipOffline>("DoNotSkipOffline", "cbxDoNotSkipOffline"),
};

constexpr std::string_view kSearchForButtons[] = {"rbString", "rbStringsFromFile"};
constexpr std::string_view kSearchInButtons[] = {"rbPath", "rbFileListFile", "rbListOfFolders"};

// The two modes are shown as radio buttons: see SpecialToEditor.
constexpr TField kFindStrFields[] = {
    Text<&TFindStrItem::SearchFor>("SearchFor", "edtSearchForStr"),
    Text<&TFindStrItem::Path>("Path", "edtPath"),
    Enum<&TFindStrItem::FindStrItem_SearchFor>("FindStrItem_SearchFor"),
    Enum<&TFindStrItem::FindStrItem_SearchIn>("FindStrItem_SearchIn"),
    Flag<&TFindStrItem::BegLine>("BegLine", "cbxBegLine"),
    Flag<&TFindStrItem::EndLine>("EndLine", "cbxEndLine"),
    Flag<&TFindStrItem::Literal>("Literal", "cbxLiteral"),
    Flag<&TFindStrItem::Regular>("Regular", "cbxRegular"),
    Flag<&TFindStrItem::Subdir>("Subdir", "cbxSubdir"),
    Flag<&TFindStrItem::IgnoreCase>("IgnoreCase", "cbxIgnoreCase"),
    Flag<&TFindStrItem::ExactMatch>("ExactMatch", "cxbExactMatch"),
    Flag<&TFindStrItem::NotMatch>("NotMatch", "cbxNotMatch"),
    Flag<&TFindStrItem::LineNumbers>("LineNumbers", "cbxLineNum"),
    Flag<&TFindStrItem::OnlyFileName>("OnlyFileName", "cbxOnlyFileName"),
    Flag<&TFindStrItem::Offset>("Offset", "cbxOffset"),
    Flag<&TFindStrItem::SkipNonPrint>("SkipNonPrint", "cbxSkipNonPrint"),
    Flag<&TFindStrItem::DoNotSkipOffline>("DoNotSkipOffline", "cbxDoNotSkipOffline"),
    Colour<&TFindStrItem::Color>("Color", "cmbTextColor"),
    Flag<&TFindStrItem::SetColor>("SetColor", "cbxSetColor"),
    Text<&TFindStrItem::FileListFile>("FileListFile", "edtFileListFile"),
    Flag<&TFindStrItem::SearchAsLiteral>("SearchAsLiteral"),
    Text<&TFindStrItem::SearchStringsFile>("SearchStringsFile", "edtSearchStringsFile"),
    Text<&TFindStrItem::ListOfDirs>("ListOfDirs", "edtListOfFolders"),
    Control(TFieldKind::fkRadio, kSearchForButtons[0]),
    Control(TFieldKind::fkRadio, kSearchForButtons[1]),
    Control(TFieldKind::fkRadio, kSearchInButtons[0]),
    Control(TFieldKind::fkRadio, kSearchInButtons[1]),
    Control(TFieldKind::fkRadio, kSearchInButtons[2]),
};

constexpr TSwitch<TFindItem> kFindSwitches[] = {
    {&TFindItem::NotContaining, " /V"},   {&TFindItem::OnlyCount, " /C"},
    {&TFindItem::LineNumbers, " /N"},     {&TFindItem::IgnoreCase, " /I"},
    {&TFindItem::DoNotSkipOffline, " /OFFLINE"},
};

constexpr TSwitch<TFindStrItem> kFindStrSwitches[] = {
    {&TFindStrItem::BegLine, " /B"},      {&TFindStrItem::EndLine, " /E"},
    {&TFindStrItem::Literal, " /L"},      {&TFindStrItem::Regular, " /R"},
    {&TFindStrItem::Subdir, " /S"},       {&TFindStrItem::IgnoreCase, " /I"},
    {&TFindStrItem::ExactMatch, " /X"},   {&TFindStrItem::NotMatch, " /V"},
    {&TFindStrItem::LineNumbers, " /N"},  {&TFindStrItem::OnlyFileName, " /M"},
    {&TFindStrItem::Offset, " /O"},       {&TFindStrItem::SkipNonPrint, " /P"},
    {&TFindStrItem::DoNotSkipOffline, " /OFFLINE"},
};

// Typed search text on one line; a "%" stays a variable reference only where it names
// one (see EscapeLonePercents).
std::string TypedSearchText(const std::string& text) { return EscapeLonePercents(OneLine(text)); }

std::string UpperHex(unsigned value) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string digits;
  do {
    digits.insert(digits.begin(), kDigits[value % 16]);
    value /= 16;
  } while (value != 0);
  return digits;
}

}  // namespace

PALVETTA_DEFINE_CLASS(TFindItem, TCustomProjectItem, kFindFields);
PALVETTA_DEFINE_CLASS(TFindStrItem, TCustomProjectItem, kFindStrFields);

// FIND

std::string TFindItem::GetHumanReadableText() const {
  return "Search for " + OrPlaceholder(SearchFor, "<u>unknown string</u>") + " in " +
         OrPlaceholder(Path, "<u>unknown files</u>");
}

// FIND reads a doubled quote inside its quoted text as a quote. Doubling also keeps every
// character of the text inside quotes as cmd.exe reads the line.
std::string TFindItem::GetBatchText() const {
  return CommandLine("FIND" + SwitchesOf(*this, kFindSwitches) + " \"" +
                     ReplaceAll(TypedSearchText(SearchFor), "\"", "\"\"") + "\" " +
                     QuotePath(OneLine(Path)));
}

// FINDSTR

std::string TFindStrItem::GetHumanReadableText() const {
  std::string text = std::string("Search for ") + (Regular ? "regular expression " : "string ");
  if (!IsBlank(SearchFor)) {
    text += SearchFor + " ";
  } else if (!IsBlank(SearchStringsFile)) {
    text += " strings stored in file " + SearchStringsFile + " ";
  } else if (!IsBlank(FileListFile)) {
    text += " list of files stored in " + FileListFile;
  } else {
    text += " <u>unknown</u> string ";
  }
  if (!IsBlank(Path)) return text + " in " + Path;
  if (!IsBlank(ListOfDirs)) return text + " in folders " + ListOfDirs;
  return text + " in <u>unknown</u> places ";
}

// A text with a blank goes in /C:"...", FINDSTR's form for one search string; a single
// word stays bare unless it holds a character that cmd.exe would read as syntax or a
// quote, then it is quoted, which FINDSTR reads as the same word. Inside quotes FINDSTR
// takes \" for a quote (the rules of a program's command line).
std::string TFindStrItem::SearchText() const {
  const std::string text = TypedSearchText(SearchFor);
  const std::string word = Trim(text);
  if (SearchAsLiteral || word.find(' ') != std::string::npos) {
    return " /C:" + AlwaysQuotedArgument(text);
  }
  if (word.find_first_of("&|<>^\"") != std::string::npos) return " " + AlwaysQuotedArgument(word);
  return " " + text;
}

// FINDSTR /D: searches the folders for the file name alone.
std::string TFindStrItem::Places() const {
  switch (FindStrItem_SearchIn) {
    case TFindStrItem_SearchIn::siPath:
      return " " + PathArgument(Path);
    case TFindStrItem_SearchIn::siDirList: {
      const std::string path = Trim(OneLine(Path));
      if (path.empty()) return " *.*";
      return " " + PathArgument(path.substr(path.find_last_of("\\:") + 1));
    }
    case TFindStrItem_SearchIn::siFileList:
      break;
  }
  return {};
}

std::string TFindStrItem::GetBatchText() const {
  std::string text = "FINDSTR" + SwitchesOf(*this, kFindStrSwitches);
  if (SetColor) text += " /A:" + UpperHex(Color);
  if (FindStrItem_SearchFor == TFindStrItem_SearchFor::sfStringsFromFile) {
    text += " /G:" + PathArgument(SearchStringsFile);
  }
  if (FindStrItem_SearchIn == TFindStrItem_SearchIn::siFileList) {
    text += " /F:" + PathArgument(FileListFile);
  } else if (FindStrItem_SearchIn == TFindStrItem_SearchIn::siDirList) {
    text += " /D:" + PathArgument(ListOfDirs);
  }
  if (FindStrItem_SearchFor == TFindStrItem_SearchFor::sfString) text += SearchText();
  return CommandLine(text + Places());
}

void TFindStrItem::SpecialToEditor(TEditorValues& values) const {
  RadiosToEditor(values, kSearchForButtons, FindStrItem_SearchFor);
  RadiosToEditor(values, kSearchInButtons, FindStrItem_SearchIn);
}

void TFindStrItem::SpecialFromEditor(const TEditorValues& values) {
  FindStrItem_SearchFor =
      RadiosFromEditor(values, kSearchForButtons, TFindStrItem_SearchFor::sfString);
  FindStrItem_SearchIn = RadiosFromEditor(values, kSearchInButtons, TFindStrItem_SearchIn::siPath);
}

}  // namespace palvetta
