// The dialogs of DRIVERQUERY, GPRESULT and the three OPENFILES items, and GPRESULT's OK
// checks.

#include "items/remote_query/remote_query_dialogs.h"

#include "items/remote_query/remote_query_items.h"

namespace palvetta {
namespace {

TStrings OutputFormats() { return {"TABLE", "LIST", "CSV"}; }

// The remote system, its user and password. Passwords are shown as typed.
std::vector<TLayoutNode> RemoteSystem(std::string systemCaption) {
  return {LabelAbove(std::move(systemCaption), Edit("edtSystem", 30)),
          Form({LabelBeside("User:", Edit("edtUser", 24)),
                LabelBeside("Password:", Edit("edtPassword", 24))})};
}

std::vector<TLayoutNode> Concat(std::vector<TLayoutNode> first, std::vector<TLayoutNode> second) {
  for (TLayoutNode& node : second) first.push_back(std::move(node));
  return first;
}

TEditorSpec DriverQuery() {
  return {.Title = "Display a list of installed device drivers",
          .Layout = Dialog(Concat(RemoteSystem("Remote system (leave blank for local):"),
                                  {LabelBeside("Output format:", Combo("cmbOutputFormat", OutputFormats())),
                                   Check("cbxNoHeader", "No header"),
                                   Check("cbxVerbose", "Verbose output"),
                                   Check("cbxSI", "Provide information about signed drivers")}))};
}

bool ToFile(const TEditorValues& values) { return values.Checked("rbXML") || values.Checked("rbHTML"); }

std::optional<TCheckFailure> CheckGPResultUserWithoutSystem(const TEditorValues& values) {
  const bool credentials = !IsBlank(values.Text("edtUser")) || !IsBlank(values.Text("edtPassword"));
  if (!IsBlank(values.Text("edtSystem")) || !credentials) return std::nullopt;
  return TCheckFailure{
      "User and Password are used only with a remote system. Type the remote system, or clear "
      "User and Password.",
      "edtSystem"};
}

std::optional<TCheckFailure> CheckGPResultUserWithFile(const TEditorValues& values) {
  const bool user = !IsBlank(values.Text("edtUser"));
  if (!(user || !IsBlank(values.Text("edtPassword"))) || !ToFile(values)) return std::nullopt;
  return TCheckFailure{
      "GPRESULT does not accept User and Password together with an XML or HTML file. Clear User "
      "and Password, or choose Standard output.",
      user ? "edtUser" : "edtPassword"};
}

std::optional<TCheckFailure> CheckGPResultFileName(const TEditorValues& values) {
  if (!ToFile(values) || !IsBlank(values.Text("edtFileName"))) return std::nullopt;
  return TCheckFailure{"Type the name of the file to save the report to.", "edtFileName"};
}

// The report's browse button offers the type of the checked output: see the dialog code.
TEditorSpec GPResult() {
  return {
      .Title = "Displays the Resultant Set of Policy (RSoP)",
      .Layout = Dialog(Concat(
          RemoteSystem("Remote system (leave blank for local):"),
          {GroupBox("grpScope", "Scope",
                    {Radio("rbScopeUSer", "Display user settings"),
                     Indented(LabelBeside("User:", Edit("edtScopeUser", 24))),
                     Radio("rbScopeComputer", "Display computer settings")}),
           GroupBox("grpOutput", "Output",
                    {Radio("rbStandard", "Standard"), Radio("rbXML", "XML file"),
                     Radio("rbHTML", "HTML file"),
                     Indented(FieldWithBrowse("File name:", "edtFileName", "btnBrowse", 36)),
                     Indented(Check("cbxF", "Overwrite this file"))}),
           GroupBox("rgVerbose", "Verbose",
                    {Radio("rbVerboseNormal", "Normal"),
                     Radio("rbVerboseSummary", "Display RSoP summary data"),
                     Radio("rbVerboseDetails", "Display verbose information (additional details)"),
                     Radio("rbVerboseSuper", "Display super-verbose information")})})),
      .Browse = {{.Button = "btnBrowse",
                  .Field = "edtFileName",
                  .Kind = TBrowseKind::bkSaveFile,
                  .Filter = "XML Files (*.xml)|*.xml|HTML Files (*.html)|*.html",
                  .DefaultExt = ".xml"}},
      .Enabling = {{.CheckBox = "rbXML",
                    .Controls = {LabelNameFor("edtFileName"), "edtFileName", "btnBrowse", "cbxF"},
                    .OrChecked = {"rbHTML"}},
                   {.CheckBox = "rbScopeUSer", .Controls = {LabelNameFor("edtScopeUser"), "edtScopeUser"}}},
      .Checks = {CheckGPResultUserWithoutSystem, CheckGPResultUserWithFile, CheckGPResultFileName}};
}

TEditorSpec OpenFilesQuery() {
  return {.Title = "Display a list of files and folders opened remotely",
          .Layout = Dialog(Concat(RemoteSystem("Remote system (leave blank for local)"),
                                  {LabelBeside("Output format:", Combo("cmbOutputFormat", OutputFormats())),
                                   Check("cbxNoHeader", "No header"),
                                   Check("cbxVerbose", "Verbose output")}))};
}

TEditorSpec OpenFilesDisconnect() {
  return {.Title = "Disconnect remotely opened files",
          .Layout = Dialog(Concat(
              RemoteSystem("Remote system (leave blank for local):"),
              {Form({LabelBeside("File ID:", Edit("edtID", 12)),
                     LabelBeside("Accessed by:", Edit("edtA", 24)),
                     LabelBeside("Open mode:",
                                 Combo("cmbOpenMode", {"All modes", "Read", "Write", "Read/Write"}))}),
               FieldWithBrowse("File name:", "edtOpenFile", "btnBrowse")})),
          .Browse = {{.Button = "btnBrowse", .Field = "edtOpenFile"}}};
}

}  // namespace

std::vector<TItemEditorSpec> RemoteQueryEditorSpecs() {
  return {
      {&TDriverQueryItem::Class, DriverQuery()},
      {&TGPResultItem::Class, GPResult()},
      {&TOpenFilesQueryItem::Class, OpenFilesQuery()},
      {&TOpenFilesDisconnectItem::Class, OpenFilesDisconnect()},
      {&TOpenFilesLocalItem::Class,
       {.Title = "Enable/disable tracking of local file handlers",
        .Layout = Dialog({Column({Radio("rbEnable", "Enable"), Radio("rbDisable", "Disable")})})}},
  };
}

constinit const TItemFamily kRemoteQueryFamily{kRemoteQueryItemClasses, [](const TEnvironmentLookup&) { return RemoteQueryEditorSpecs(); }};

}  // namespace palvetta
