// The dialogs of the control-of-flow items: bookmarks and GOTO, IF, running programs,
// subroutines and their dispatcher, PUSHD, SETLOCAL, START, CMD, CALL and EXIT.

#include "items/control_of_flow/control_of_flow_dialogs.h"

#include "items/console/console_colours.h"
#include "items/control_of_flow/control_of_flow_items.h"

namespace palvetta {
namespace {

const char* const kExecutables = "Executables (*.exe)|*.exe";

TStrings NoChangeEnableDisable() { return {"No Change", "Enable", "Disable"}; }
TStrings DefaultEnableDisable() { return {"Default", "Enable", "Disable"}; }

TEditorSpec Simple(std::string title, TLayoutNode field) {
  return {.Title = std::move(title), .Layout = Dialog({std::move(field)})};
}

TEditorSpec RunProgram() {
  return {.Title = "Launch program",
          .Layout = Dialog({
              FieldWithBrowse("Executable name (path):", "edtPath", "btnBrowse"),
              LabelAbove("Parameters:",
                         Stretched(Grid("vstParams", {"Parameter", "Description"}, 8, 50))),
          }),
          .Browse = {{.Button = "btnBrowse",
                      .Field = "edtPath",
                      .Filter = kExecutables,
                      .DefaultExt = "exe"}}};
}

TEditorSpec Subroutine() {
  return {.Title = "Subroutine",
          .Layout = Dialog({
              LabelAbove("Name:", Edit("edtName", 30)),
              LabelAbove("Description:", Memo("memDescr", 3, 40)),
              LabelAbove("Parameters:",
                         Stretched(Grid("vstParams",
                                        {TGridColumn::Text("Name"), TGridColumn::Text("Description"),
                                         TGridColumn::PickIndex(
                                             "Check", {"No Check", "Required", "Path must exist",
                                                       "Path must be empty or must not exist"})},
                                        8, 60))),
          })};
}

TEditorSpec Dispatcher() {
  return {.Title = "Subroutine Dispatcher",
          .Layout = Dialog({
              LabelAbove("Variable:", Combo("cmbVarName", {}, 30)),
              LabelAbove("Values and subroutines/labels to go to:",
                         Stretched(Grid("vstDispatcher",
                                        {TGridColumn::Text("Value"), TGridColumn::PickText("Sub/label"),
                                         TGridColumn::Text("Parameters")},
                                        8, 60))),
          }),
          .TypedCombos = {"cmbVarName"}};
}

TEditorSpec Start() {
  return {.Title = "Start a separate window to run a specified program or command",
          .Layout = Dialog({
              FieldWithBrowse("Command / path to a program:", "edtExePath", "btnBrowseExe"),
              LabelAbove("Parameters:", Edit("edtParams", 40)),
              FieldWithBrowse("Starting directory:", "edtDPath", "btnBrowseDir"),
              LabelAbove("Window title:", Edit("edtTitle", 40)),
              Check("cbxB", "Start application without creating a new window"),
              Check("cbxI",
                    "The new environment will be the original environment passed to the cmd.exe "
                    "and not the current environment"),
              Check("cbxWait", "Start application and wait for it to terminate"),
              Form({
                  LabelBeside("Window size:", Combo("cmbMinMax", {"Default", "Minimized", "Maximized"})),
                  LabelBeside("Priority:",
                              Combo("cmbPriority", {"Default", "LOW", "NORMAL", "HIGH", "REALTIME",
                                                    "ABOVENORMAL", "BELOWNORMAL"})),
                  LabelBeside("16-bit memory space:",
                              Combo("cmbSeparateShared", {"Default", "Separate", "Shared"})),
              }),
              Row({Check("cbxNode", "Preferred Non-Uniform Memory Architecture (NUMA) node:"),
                   Number("sbnNode", 5, 0, 255)}),
              LabelAbove("Affinity:", Edit("edtAffinity", 20)),
          }),
          .Browse = {{.Button = "btnBrowseExe",
                      .Field = "edtExePath",
                      .Filter = kExecutables,
                      .DefaultExt = "exe"},
                     {.Button = "btnBrowseDir",
                      .Field = "edtDPath",
                      .Kind = TBrowseKind::bkFolder,
                      .Title = "Select folder"}},
          .Enabling = {{"cbxNode", {"sbnNode"}}}};
}

TEditorSpec Cmd() {
  return {.Title = "Start a new instance of the Windows command interpreter",
          .Layout = Dialog({
              Form({
                  LabelBeside("Output encoding:",
                              Combo("cmbOutputEncoding", {"Default", "ANSI", "Unicode"})),
                  LabelBeside("Text Color:", Combo("cmbTextColor", ConsoleColours())),
                  LabelBeside("Background color:", Combo("cmbBGColor", ConsoleColours())),
                  LabelBeside("Enable command extensions:",
                              Combo("cmbCommandExtensions", DefaultEnableDisable())),
                  LabelBeside("File and directory name completion characters:",
                              Combo("cmbNameCompletion", DefaultEnableDisable())),
                  LabelBeside("Delayed environment variable expansion:",
                              Combo("cmbEnvVarExpansion", DefaultEnableDisable())),
              }),
              Check("cbxQ", "Echo off"),
              Check("cbxD", "Disable execution of AutoRun commands from registry"),
              Row({Check("cbxExecStr", "Execute string:"), Stretched(Edit("edtStr", 30))}),
              Indented(Column({
                  Check("cbxS", "Strip down quotes (first and last)"),
                  Radio("rbnTerminate", "Execute and terminate"),
                  Radio("rbnRemain", "Execute and remain"),
              })),
          }),
          .Enabling = {{"cbxExecStr", {"rbnTerminate", "rbnRemain"}}}};
}

TEditorSpec Exit() {
  return {.Title = "Exit this batch file",
          .Layout = Dialog({
              Row({Check("cbxSetExitCode", "Set an exit code:"), Edit("edtExitCode", 16)}),
              Note("lblCodeHint", "A number from 0 to 255, or a variable such as %ERRORLEVEL%.", 45),
              Note("lblKeepHint", "Without an exit code, EXIT /B keeps the last command's exit code.",
                   45),
          }),
          .Enabling = {{"cbxSetExitCode", {"edtExitCode"}}},
          .Checks = {[](TEditorValues& values) { return CheckExitCode(values); }}};
}

}  // namespace

std::vector<TItemEditorSpec> ControlOfFlowEditorSpecs() {
  std::vector<TItemEditorSpec> specs;
  specs.push_back({&TGotoLabelItem::Class, Simple("Bookmark", LabelAbove("Name:", Edit("edtName", 30)))});
  TEditorSpec gotoSpec = Simple("Go to bookmark", LabelAbove("Bookmark:", Combo("cmbLabel", {}, 30)));
  gotoSpec.TypedCombos = {"cmbLabel"};
  specs.push_back({&TGotoItem::Class, std::move(gotoSpec)});
  specs.push_back(
      {&TIfItem::Class, Simple("IF condition", LabelAbove("Condition:", Edit("edtCondition", 50)))});
  specs.push_back({&TRunProgramItem::Class, RunProgram()});
  specs.push_back({&TSubroutineItem::Class, Subroutine()});
  specs.push_back({&TSubroutineDispatcherItem::Class, Dispatcher()});
  specs.push_back({&TPushdItem::Class,
                   {.Title = "Store the current directory",
                    .Layout = Dialog(
                        {FieldWithBrowse("Switch current directory to:", "edtPath", "btnBrowse")}),
                    .Browse = {{.Button = "btnBrowse",
                                .Field = "edtPath",
                                .Kind = TBrowseKind::bkFolder,
                                .Title = "Select dir"}}}});
  specs.push_back(
      {&TSetLocalItem::Class,
       {.Title = "Begin localization of environment changes in a batch file. ",
        .Layout = Dialog({
            LabelAbove("Enable or disable command processor extensions:",
                       Combo("cmbEnableExtensions", NoChangeEnableDisable())),
            LabelAbove("Enable or disable delayed environment variable expansion:",
                       Combo("cmbEnableDelayedExpansion", NoChangeEnableDisable())),
        })}});
  specs.push_back({&TStartItem::Class, Start()});
  specs.push_back({&TCMDItem::Class, Cmd()});
  specs.push_back(
      {&TCallItem::Class,
       {.Title = "Call external batch file",
        .Layout = Dialog({
            FieldWithBrowse("Path to batch file:", "edtBatchFileName", "btnBrowse"),
            LabelAbove("Parameters:", Edit("edtBatchFileParams", 40)),
        }),
        .Browse = {{.Button = "btnBrowse",
                    .Field = "edtBatchFileName",
                    .Filter = "Batch files (*.bat, *.cmd)|*.bat;*.cmd",
                    .DefaultExt = "bat"}}}});
  specs.push_back({&TExitItem::Class, Exit()});
  return specs;
}

constinit const TItemFamily kControlOfFlowFamily{kControlOfFlowItemClasses, [](const TEnvironmentLookup&) { return ControlOfFlowEditorSpecs(); }};

}  // namespace palvetta
