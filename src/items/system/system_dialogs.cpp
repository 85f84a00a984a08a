// The dialogs of the system items: PATH, SHUTDOWN, ASSOC/FTYPE, SYSTEMINFO, the date and
// time items, MODE COM, TASKLIST and TASKKILL.

#include "items/system/system_dialogs.h"

#include <limits>

#include "editors/filter_grid.h"
#include "items/system/system_family.h"

namespace palvetta {
namespace {

constexpr int kNoMinimum = std::numeric_limits<int>::min();
constexpr int kNoMaximum = std::numeric_limits<int>::max();

TStrings OutputFormats() { return {"TABLE", "LIST", "CSV"}; }

// The remote computer, its user and password (shown as typed: the batch file holds it in
// plain text anyway).
std::vector<TLayoutNode> RemoteSystem(std::string systemCaption) {
  return {LabelAbove(std::move(systemCaption), Edit("edtSystem", 30)),
          Form({LabelBeside("User:", Edit("edtUser", 20)),
                LabelBeside("Password:", Edit("edtPassword", 20))})};
}

TLayoutNode OutputFormat() {
  return Form({LabelBeside("Output format:", Combo("cmbOutputFormat", OutputFormats()))});
}

TEditorSpec PathDialog() {
  return {.Title = "Append path to the search path for executable files",
          .Layout = Dialog({FieldWithBrowse("Path:", "edtPath", "btnBrowse")}),
          .Browse = {{.Button = "btnBrowse",
                      .Field = "edtPath",
                      .Kind = TBrowseKind::bkFolder,
                      .Title = "Select directory"}}};
}

int ReasonTypeIndex(const TEditorValues& values) { return values.Index("cmbReasonType"); }

TEditorSpec ShutdownDialog() {
  return {
      .Title = "Shutdown PC",
      .Layout = Dialog({
          Form({LabelBeside("What to do:", Combo("cmbShutdownMode", kShutdownModes.DisplayTexts()))}),
          FieldWithBrowse("Remote PC:", "edtComputer", "btnBrowsePCs", 30),
          Row({Label("lblWaitFor", "Wait for"), Number("sedTimeout", 8, kNoMinimum, kNoMaximum),
               Label("lblSeconds", "seconds")}),
          Form({LabelBeside("Comment:", Edit("edtComment", 40))}),
          Check("cbxForceCloseApps", "Force running applications to close without forewarning users."),
          Check("cbxProvideReason", "Provide the reason for the restart or shutdown."),
          Indented(Column({Combo("cmbReasonType", kReasonTypes.DisplayTexts()),
                           Combo("cmbReason", {}, 40)})),
      }),
      .Browse = {{.Button = "btnBrowsePCs",
                  .Field = "edtComputer",
                  .Kind = TBrowseKind::bkComputer,
                  .Title = "Select the remote PC"}},
      .Enabling = {{.CheckBox = "cmbShutdownMode",
                    .Controls = {"lblWaitFor", "sedTimeout", "lblSeconds"},
                    .WhenIndexes = {static_cast<int>(TShutDownMode::sdmShutdown),
                                    static_cast<int>(TShutDownMode::sdmShutdownRestart),
                                    static_cast<int>(TShutDownMode::sdmShutdownRestartRegApp)}},
                   {"cbxProvideReason", {"cmbReasonType", "cmbReason"}}},
      // A new kind of reason offers its own reasons, the first one chosen.
      .ValueRules = {{{"cmbShutdownMode"},
                      [](TEditorValues& values) {
                        const int type = ReasonTypeIndex(values);
                        shutdown_editor::ApplyMode(values);
                        if (ReasonTypeIndex(values) != type) shutdown_editor::FillReasons(values, -1, -1);
                      }},
                     {{"cmbReasonType"},
                      [](TEditorValues& values) { shutdown_editor::FillReasons(values, -1, -1); }}},
  };
}

TEditorSpec AssocDialog() {
  return {.Title = "Associate file name extensions with executable",
          .Layout = Dialog({LabelAbove("Name of this association:", Edit("edtName", 30)),
                            Stretched(LabelAbove("Extensions (one per line, without leading dot):",
                                                 Memo("memExt", 6, 30))),
                            FieldWithBrowse("Executable:", "edtExeName", "btnBrowse")}),
          .Browse = {{.Button = "btnBrowse",
                      .Field = "edtExeName",
                      .Filter = "Executables (*.exe)|*.exe",
                      .DefaultExt = ".exe"}}};
}

TEditorSpec SystemInfoDialog() {
  std::vector<TLayoutNode> body = RemoteSystem("Remote system (leave blank for local):");
  body.push_back(OutputFormat());
  body.push_back(Check("cbxNoHeader", "No header"));
  return {.Title = "Display system information", .Layout = Dialog(std::move(body))};
}

TFilterGrid TaskFilterGrid() {
  return {.Grid = "vstFilter",
          .AddButton = "btnAddField",
          .DeleteButton = "btnDelete",
          .Fields = TaskFilterFields()};
}

// "Add field(s)" adds a row for each field picked, "Delete" removes the selected row, and
// the operation cell offers what the row's field allows.
TDialogHook FilterGridButtons(TFilterGrid grid) {
  return {.Attach = [grid](IEditorDialog& dialog) {
    dialog.SetCellChoices(grid.Grid, 1, [&dialog, grid](int row) {
      return OperationChoices(grid.Fields, dialog.Cell(grid.Grid, 0, row));
    });
    dialog.OnClick(grid.AddButton, [&dialog, grid] {
      const std::optional<std::vector<size_t>> picked = dialog.PickFields(grid.Fields);
      if (!picked || picked->empty()) return;
      dialog.SetRows(grid.Grid, WithFieldsAdded(dialog.Rows(grid.Grid), grid.Fields, *picked));
    });
    dialog.OnClick(grid.DeleteButton, [&dialog, grid] {
      dialog.SetRows(grid.Grid, WithoutRow(dialog.Rows(grid.Grid), dialog.Index(grid.Grid)));
    });
  }};
}

TEditorSpec TaskListDialog() {
  std::vector<TLayoutNode> settings = RemoteSystem("Remote machine name (leave blank for local):");
  // In the user's and password's form, so that the three fields line up.
  settings.back().Children.push_back(LabelBeside("Module:", Edit("edtModule", 20)));
  settings.push_back(Check("cbxSvc", "Display services hosted in each process."));
  settings.push_back(Check("cbxVerbose", "Display verbose task information."));
  settings.push_back(OutputFormat());
  settings.push_back(Check("cbxNoHeader", "No header"));
  return {.Title = "Display a list of currently running processes",
          .Layout = Dialog({Stretched(Pages(
              "pgcTask", {Page("Settings", std::move(settings)), FilterPage(TaskFilterGrid())}))}),
          .Hooks = {FilterGridButtons(TaskFilterGrid())}};
}

TEditorSpec TaskKillDialog() {
  std::vector<TLayoutNode> settings = RemoteSystem("Remote machine name (leave blank for local):");
  settings.push_back(Check("cbxTerminate",
                           "Terminate the specified process and any child processes which were "
                           "started by it"));
  settings.push_back(Check("cbxForce", "Forcefully terminate the process(es)"));
  return {.Title = "Terminate tasks by process id (PID) or image name",
          .Layout = Dialog({Stretched(Pages(
              "pgcTask",
              {Page("Settings", std::move(settings)),
               Page("Process id(s) (PID) or image name(s)",
                    {Stretched(LabelAbove("Process id(s) (one per line):", Memo("memPID", 5, 30))),
                     Stretched(LabelAbove("Image name(s):", Memo("memIM", 5, 30)))}),
               FilterPage(TaskFilterGrid())}))}),
          .Hooks = {FilterGridButtons(TaskFilterGrid())}};
}

// "Ask user" or a value typed for the batch file to set.
TEditorSpec SetClockDialog(std::string title, std::string radio, std::string caption,
                           std::string field) {
  return {.Title = std::move(title),
          .Layout = Dialog({Column({Radio("rbAskUser", "Ask user"), Radio(radio, std::move(caption)),
                                    Indented(Edit(field, 16))})}),
          .Enabling = {{radio, {field}}}};
}

TEditorSpec DateTimeDialog() {
  return {.Title = "Show current date and time",
          .Layout = Dialog({Check("cbxDate", "Show date"), Check("cbxTime", "Show time")})};
}

TEditorSpec ComModeDialog() {
  // A value is written only while its box is checked; the box does not disable it.
  const auto checkWith = [](std::string box, std::string caption, TLayoutNode field) {
    return Row({Stretched(Check(std::move(box), std::move(caption))), std::move(field)});
  };
  const auto list = [](std::string_view name) {
    for (const TComModeList& entry : ComModeLists()) {
      if (entry.Control == name) return Combo(std::string(name), entry.Entries, 6);
    }
    return Combo(std::string(name), {}, 6);
  };
  return {.Title = "Configure COM port",
          .Layout = Dialog({
              Form({LabelBeside("COM port:", Number("sedCOMPort", 6, kNoMinimum, kNoMaximum))}),
              checkWith("cbxSetBAUD", "Baud rate:", Edit("edtBaud", 10)),
              checkWith("cbxSetParity", "Parity:", Edit("edtParity", 10)),
              checkWith("cbxSetData", "Data bits:", Edit("edtData", 10)),
              checkWith("cbxSetStop", "Stop bits:", Edit("edtStop", 10)),
              checkWith("cbxSetTo", "Timeout:", list("cmbTimeout")),
              checkWith("cbxSetXON", "XON/XOFF:", list("cmbXON")),
              checkWith("cbxSetOCTS", "CTS handshaking:", list("cmbOCTS")),
              checkWith("cbxSetDTR", "DTR circuit:", list("cmbDTR")),
              checkWith("cbxSetRTS", "RTS circuit:", list("cmbRTS")),
              checkWith("cbxSetIDSR", "DSR sensitivity:", list("cmbidsr")),
              checkWith("cbxSetODSR", "DSR handshaking:", list("cmbODSR")),
          })};
}

}  // namespace

std::vector<TItemEditorSpec> SystemEditorSpecs() {
  return {
      {&TPathItem::Class, PathDialog()},
      {&TShutdownItem::Class, ShutdownDialog()},
      {&TOpenExtItem::Class, AssocDialog()},
      {&TSystemInfoItem::Class, SystemInfoDialog()},
      {&TTaskListItem::Class, TaskListDialog()},
      {&TTaskKillItem::Class, TaskKillDialog()},
      {&TSetTimeItem::Class, SetClockDialog("Set system time", "rbSetTime", "Set time to:", "edtTime")},
      {&TSetDateItem::Class, SetClockDialog("Set system date", "rbSetDate", "Set date to:", "edtDate")},
      {&TDisplayCurrentDateAndTimeItem::Class, DateTimeDialog()},
      {&TCOMModeItem::Class, ComModeDialog()},
  };
}

constinit const TItemFamily kSystemFamily{kSystemItemClasses, [](const TEnvironmentLookup&) { return SystemEditorSpecs(); }};

}  // namespace palvetta
