// The dialogs of the compare, search, print, verify, sort and write-to-file items, and
// their OK checks.

#include "items/compare_search/compare_search_dialogs.h"

#include <limits>

#include "items/compare_search/compare_search_items.h"
#include "items/console/console_colours.h"

namespace palvetta {
namespace {

constexpr int kNoMinimum = std::numeric_limits<int>::min();
constexpr int kNoMaximum = std::numeric_limits<int>::max();

TBrowseButton OpenFile(std::string button, std::string field) {
  return {.Button = std::move(button), .Field = std::move(field)};
}

// A radio button with the field it enables below it.
std::vector<TLayoutNode> RadioWith(std::string radio, std::string caption, TLayoutNode field) {
  return {Radio(std::move(radio), std::move(caption)), Indented(std::move(field))};
}

TLayoutNode FieldAndButton(std::string field, std::string button) {
  return Row({Stretched(Edit(std::move(field), 40)),
              Aligned(Button(std::move(button), "..."), TAlign::alCentre)});
}

std::optional<TCheckFailure> Blank(const TEditorValues& values, const char* field,
                                   const char* message) {
  if (!IsBlank(values.Text(field))) return std::nullopt;
  return TCheckFailure{message, field};
}

TEditorSpec FC() {
  return {.Title = "Compare two files or sets of files",
          .Layout = Dialog({
              FieldWithBrowse("First file(s):", "edtFileName1", "btnBrowse1"),
              FieldWithBrowse("Second file(s):", "edtFileName2", "btnBrowse2"),
              Check("cbxOnlyFirstAndLastDiff",
                    "Display only the first and last lines of each set of differences (/A)"),
              Check("cbxBinaryComp", "Compare the files in binary mode (/B)"),
              Check("cbxDisregardCase", "Ignore case (/C)"),
              Check("cbxASCII", "Compare the files as ASCII text (/L)"),
              Check("cbxLineNumbers", "Display line numbers (/N)"),
              Check("cbxDoNotSkipOffline", "Do not skip files with the offline attribute set (/OFFLINE)"),
              Check("cbxDoNotExpandTabs", "Do not expand tabs to spaces (/T)"),
              Check("cbxUnicode", "Compare the files as Unicode text (/U)"),
              Check("cbxCompressWhitespace", "Compress white space (tabs and spaces) for comparison (/W)"),
              Form({
                  LabelBeside("Maximum consecutive mismatches (/LB):",
                              Number("sedMaxConsMismatches", 10, kNoMinimum, kNoMaximum)),
                  LabelBeside("Lines that must match after a mismatch:",
                              Number("sedNumberOfLinesAfterMismatch", 10, kNoMinimum, kNoMaximum)),
              }),
          }),
          .Browse = {OpenFile("btnBrowse1", "edtFileName1"), OpenFile("btnBrowse2", "edtFileName2")}};
}

TEditorSpec Comp() {
  return {.Title = "Compare two files (sets of files)",
          .Layout = Dialog({
              FieldWithBrowse("First file(s):", "edtPath1", "btnBrowse1"),
              FieldWithBrowse("Second file(s):", "edtPath2", "btnBrowse2"),
              Check("cbxDecimal", "Display differences in decimal format (/D)"),
              Check("cbxASCII", "Display differences as characters (/A)"),
              Check("cbxLineNum", "Display line numbers of differences (/L)"),
              Check("cbxIgnoreCase", "Ignore case (/C)"),
              Check("cbxOffline", "Do not skip files with the offline attribute set (/OFFLINE)"),
              LabelBeside("Compare only the first lines (0: all):",
                          Number("sedFirstNLines", 10, kNoMinimum, kNoMaximum)),
          }),
          .Browse = {OpenFile("btnBrowse1", "edtPath1"), OpenFile("btnBrowse2", "edtPath2")}};
}

// Both checks run, so both messages may come one after the other.
TEditorSpec Find() {
  return {.Title = "Search for a string in file(s)",
          .Layout = Dialog({
              LabelAbove("String to search for:", Edit("edtSearchFor", 40)),
              FieldWithBrowse("File(s) to search in:", "edtPath", "btnBrowse"),
              Check("cbxNotContaining", "Display all lines NOT containing the string (/V)"),
              Check("cbxOnlyCount", "Display only the count of lines containing the string (/C)"),
              Check("cbxLineNumbers", "Display line numbers (/N)"),
              Check("cbxIgnoreCase", "Ignore case (/I)"),
              Check("cbxDoNotSkipOffline", "Do not skip files with the offline attribute set (/OFFLINE)"),
          }),
          .Browse = {OpenFile("btnBrowse", "edtPath")},
          .Checks = {[](TEditorValues& values) {
                       std::optional<TCheckFailure> failure =
                           Blank(values, "edtSearchFor", "Please enter a string to search for!");
                       if (failure) failure->GoOn = true;
                       return failure;
                     },
                     [](TEditorValues& values) {
                       return Blank(values, "edtPath", "Please enter path!");
                     }}};
}

// The path is used both ways of searching: as the files themselves, and as the file
// names looked for in the listed folders.
TEditorSpec FindStr() {
  std::vector<TLayoutNode> searchFor =
      RadioWith("rbString", "String:", Edit("edtSearchForStr", 40));
  for (TLayoutNode& node : RadioWith("rbStringsFromFile", "Strings from file:",
                                     FieldAndButton("edtSearchStringsFile", "btnSearchStringsFile"))) {
    searchFor.push_back(std::move(node));
  }
  std::vector<TLayoutNode> searchIn =
      RadioWith("rbPath", "Path:", FieldAndButton("edtPath", "btnPath"));
  for (auto nodes : {RadioWith("rbFileListFile", "File with list of files:",
                               FieldAndButton("edtFileListFile", "btnFileListFile")),
                     RadioWith("rbListOfFolders", "List of folders:",
                               FieldAndButton("edtListOfFolders", "sbnListOfFolders"))}) {
    for (TLayoutNode& node : nodes) searchIn.push_back(std::move(node));
  }
  return {
      .Title = "Find strings in files",
      .Layout = Dialog({Pages(
          "pgcFindStr",
          {Page("Search",
                {GroupBox("grpSearchFor", "Search for", std::move(searchFor)),
                 Check("cbxRegular", "Use search strings as regular expressions (/R)"),
                 GroupBox("grpSearchIn", "Search in", std::move(searchIn))}),
           Page("Settings",
                {Check("cbxBegLine", "Match pattern if at the beginning of a line (/B)"),
                 Check("cbxEndLine", "Match pattern if at the end of a line (/E)"),
                 Check("cbxLiteral", "Use search strings literally (/L)"),
                 Check("cbxSubdir", "Search in the current folder and all subfolders (/S)"),
                 Check("cbxIgnoreCase", "Ignore case (/I)"),
                 Check("cxbExactMatch", "Print lines that match exactly (/X)"),
                 Check("cbxNotMatch", "Print only lines that do not contain a match (/V)"),
                 Check("cbxLineNum", "Print the line number before each matching line (/N)"),
                 Check("cbxOnlyFileName", "Print only the name of a file that contains a match (/M)"),
                 Check("cbxOffset", "Print the character offset before each matching line (/O)"),
                 Check("cbxSkipNonPrint", "Skip files with non-printable characters (/P)"),
                 Check("cbxDoNotSkipOffline",
                       "Do not skip files with the offline attribute set (/OFFLINE)"),
                 Row({Check("cbxSetColor", "Set color:"),
                      Combo("cmbTextColor", ConsoleColours(), 16)})})})}),
      .Browse = {OpenFile("btnSearchStringsFile", "edtSearchStringsFile"),
                 OpenFile("btnPath", "edtPath"),
                 OpenFile("btnFileListFile", "edtFileListFile"),
                 {.Button = "sbnListOfFolders",
                  .Field = "edtListOfFolders",
                  .Kind = TBrowseKind::bkFolderList}},
      .Enabling = {{"rbString", {"edtSearchForStr"}},
                   {"rbStringsFromFile", {"edtSearchStringsFile", "btnSearchStringsFile"}},
                   {"rbFileListFile", {"edtFileListFile", "btnFileListFile"}},
                   {"rbListOfFolders", {"edtListOfFolders", "sbnListOfFolders"}},
                   {"cbxSetColor", {"cmbTextColor"}}}};
}

TEditorSpec Print() {
  std::vector<TLayoutNode> device = {Radio("rbToDefaultDevice", "To default device")};
  for (TLayoutNode& node : RadioWith("rbToSelectedDevice", "To selected device", Edit("edtDevice", 20))) {
    device.push_back(std::move(node));
  }
  return {.Title = "Print file",
          .Layout = Dialog({FieldWithBrowse("File to print:", "edtPath", "btnBrowse"),
                            Column(std::move(device))}),
          .Browse = {OpenFile("btnBrowse", "edtPath")},
          .Enabling = {{"rbToSelectedDevice", {"edtDevice"}}}};
}

TEditorSpec Sort() {
  return {.Title = "Sort lines in file / standard input",
          .Layout = Dialog({
              FieldWithBrowse("File name (leave blank to sort standard input):", "edtPath", "btnPath"),
              FieldWithBrowse("Temporary folder:", "edtTemporaryPath", "btnTemporaryPath"),
              FieldWithBrowse("Output file:", "edtOutputPath", "btnOutputPath"),
              Check("cbxR", "Reverse the sort order"),
              Form({
                  LabelBeside("Start comparison from character:", Number("sedN", 8, 1, 65535)),
                  LabelBeside("Memory (kilobytes):", Number("sedM", 12, 160, kNoMaximum)),
                  LabelBeside("Record size (characters):", Number("sedREC", 8, 128, 65535)),
                  LabelBeside("Locale:", Edit("edtL", 12)),
              }),
          }),
          .Browse = {OpenFile("btnPath", "edtPath"),
                     {.Button = "btnTemporaryPath",
                      .Field = "edtTemporaryPath",
                      .Kind = TBrowseKind::bkFolder,
                      .Title = "Select folder"},
                     OpenFile("btnOutputPath", "edtOutputPath")}};
}

// The text or the variable is checked first, and a missing one stops the checks.
TEditorSpec WriteToFile() {
  std::vector<TLayoutNode> what = RadioWith("rbVariable", "Write variable value:", Edit("edtVarName", 30));
  for (TLayoutNode& node : RadioWith("rbWriteText", "Write text:", Edit("edtText", 40))) {
    what.push_back(std::move(node));
  }
  return {.Title = "Write to file",
          .Layout = Dialog({FieldWithBrowse("File name:", "edtPath", "btnBrowse"),
                            Column(std::move(what)), Check("cbxOverwrite", "Overwrite")}),
          .Browse = {OpenFile("btnBrowse", "edtPath")},
          .Enabling = {{"rbVariable", {"edtVarName"}}, {"rbWriteText", {"edtText"}}},
          .Checks = {[](TEditorValues& values) -> std::optional<TCheckFailure> {
                       if (!values.Checked("rbVariable")) return std::nullopt;
                       return Blank(values, "edtVarName", "Please enter variable name!");
                     },
                     [](TEditorValues& values) -> std::optional<TCheckFailure> {
                       if (!values.Checked("rbWriteText")) return std::nullopt;
                       return Blank(values, "edtText", "Please enter text!");
                     },
                     [](TEditorValues& values) {
                       return Blank(values, "edtPath", "Please enter file name!");
                     }}};
}

}  // namespace

std::vector<TItemEditorSpec> CompareSearchEditorSpecs() {
  return {
      {&TFCItem::Class, FC()},
      {&TCompItem::Class, Comp()},
      {&TFindItem::Class, Find()},
      {&TFindStrItem::Class, FindStr()},
      {&TPrintItem::Class, Print()},
      {&TVerifyItem::Class,
       {.Title = "File write verification",
        .Layout = Dialog({Column({Radio("rbEnable", "Enable"), Radio("rbDisable", "Disable")})})}},
      {&TSORTItem::Class, Sort()},
      {&TWriteToFileItem::Class, WriteToFile()},
  };
}

constinit const TItemFamily kCompareSearchFamily{kCompareSearchItemClasses, [](const TEnvironmentLookup&) { return CompareSearchEditorSpecs(); }};

}  // namespace palvetta
