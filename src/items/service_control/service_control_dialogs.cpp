// The dialogs of the SC items, with the lists of the network's computers and of a
// computer's services they offer.

#include "items/service_control/service_control_dialogs.h"

#include "items/service_control/service_control_items.h"
#include "items/service_control/service_dialog_hooks.h"

namespace palvetta {
namespace {

TLayoutNode ServerBox() {
  return LabelAbove("Server (leave blank for local PC):", Combo("cmbServer", {}, 40));
}

TLayoutNode ServiceCombo(std::string caption) {
  return LabelAbove(std::move(caption), Combo("cmbService", {}, 40));
}

std::vector<TDialogHook> ServerAndServiceLists() {
  return {NetworkServersList("cmbServer"), ServicesList("cmbService", "cmbServer")};
}

// Pause, continue, interrogate and delete: the computer and the service.
TEditorSpec ServiceOnly(std::string caption) {
  return {.Title = std::move(caption),
          .Layout = Dialog({ServerBox(), ServiceCombo("Service:")}),
          .TypedCombos = {"cmbServer", "cmbService"},
          .Hooks = ServerAndServiceLists()};
}

TEditorSpec Query() {
  const std::vector<std::string> filters = {"lblType",   "cmbType", "lblState",  "cmbState",
                                            "lblBufSize", "sedBufSize", "lblRI", "sedRI",
                                            "lblGroup",  "edtGroup"};
  return {.Title = "Query the status for a service",
          .Layout = Dialog({
              ServerBox(),
              Check("cbxModeEx", "Show extended info"),
              // The buttons side by side in one group: a field between them would end
              // the group in which a click on one clears the others.
              Row({Radio("rbAllServices", "All services, unfiltered"),
                   Radio("rbSelectedService", "Selected service"),
                   Radio("rbAllServicesFiltered", "All services, filtered")}),
              ServiceCombo("Service (leave blank for all services):"),
              GroupBox("grpFilter", "Filter", {Form({
                  LabelBeside("Type:", Combo("cmbType", kSCQueryServiceTypes.DisplayTexts())),
                  LabelBeside("State:", Combo("cmbState", kSCQueryServiceStates.DisplayTexts())),
                  LabelBeside("Buffer size:", Number("sedBufSize", 8)),
                  LabelBeside("Resume from service number:", Number("sedRI", 8)),
                  LabelBeside("Group:", Edit("edtGroup", 30)),
              })}),
          }),
          .TypedCombos = {"cmbServer", "cmbService"},
          .Enabling = {{.CheckBox = "rbSelectedService", .Controls = {"lblService", "cmbService"}},
                       {.CheckBox = "rbAllServicesFiltered", .Controls = filters}},
          .Hooks = ServerAndServiceLists()};
}

TEditorSpec Start() {
  return {.Title = "Start a service",
          .Layout = Dialog({ServerBox(), ServiceCombo("Service:"),
                            Stretched(LabelAbove("Arguments (one per line):", Memo("memArgs", 5, 40)))}),
          .TypedCombos = {"cmbServer", "cmbService"},
          .Hooks = ServerAndServiceLists()};
}

TEditorSpec Stop() {
  const int majorCustom = static_cast<int>(TSCStopMajorReason::mrCustom);
  const int minorCustom = static_cast<int>(TSCStopMinorReason::mirCustom);
  return {.Title = "Stop a service",
          .Layout = Dialog({
              ServerBox(),
              ServiceCombo("Service:"),
              Check("cbxReason", "Specify reason:"),
              Indented(Form({
                  LabelBeside("Flag:", Combo("cmbFlag", kSCStopFlags.DisplayTexts())),
                  LabelBeside("Major reason:",
                              Combo("cmbMajorReason", kSCStopMajorReasons.DisplayTexts())),
                  LabelBeside("Custom code:", Number("sedMajorReasonCustomCode", 6, 64, 255)),
                  LabelBeside("Minor reason:",
                              Combo("cmbMinorReason", kSCStopMinorReasons.DisplayTexts())),
                  LabelBeside("Custom code:", Number("sedMinorReasonCustomCode", 6, 256, 65535)),
                  LabelBeside("Comment:", Edit("edtComment", 30)),
              })),
          }),
          .TypedCombos = {"cmbServer", "cmbService"},
          // The custom codes need both the box and "Custom" in their list: one rule each
          // would let either enable them, so the box's rule covers only the rest and the
          // list rules run after it.
          .Enabling = {{.CheckBox = "cbxReason",
                        .Controls = {"lblFlag", "cmbFlag", "lblMajorReason", "cmbMajorReason",
                                     "lblMinorReason", "cmbMinorReason", "lblComment",
                                     "edtComment"}},
                       {.CheckBox = "cmbMajorReason",
                        .Controls = {"lblMajorReasonCustomCode", "sedMajorReasonCustomCode"},
                        .WhenIndex = majorCustom,
                        .AlsoChecked = "cbxReason"},
                       {.CheckBox = "cmbMinorReason",
                        .Controls = {"lblMinorReasonCustomCode", "sedMinorReasonCustomCode"},
                        .WhenIndex = minorCustom,
                        .AlsoChecked = "cbxReason"}},
          .Hooks = ServerAndServiceLists()};
}

TEditorSpec Create() {
  return {.Title = "Create service",
          .Layout = Dialog({
              ServerBox(),
              LabelAbove("Service name:", Edit("edtServiceName", 40)),
              FieldWithBrowse("Path to the service binary file, followed by any arguments:",
                              "edtBinPath", "btnBinPath"),
              LabelAbove("Service type:", Combo("cmbType", kSCCreateTypes.DisplayTexts())),
              LabelAbove("Start type:", Combo("cmbStart", kSCCreateStarts.DisplayTexts())),
              LabelAbove("Severity of the error if the service fails when the computer is started:",
                         Combo("cmbError", kSCCreateErrors.DisplayTexts())),
              LabelAbove("Name of the group of which this service is a member:",
                         Combo("cmbGroup", {}, 40)),
              Check("cbxTag", "Obtain TagID"),
              LabelAbove("Names of services or groups that must start before this service starts:",
                         Row({Stretched(ListBox("lbxDepend", 4, 40)),
                              Column({Button("btnAdd", "Add"), Button("btnDel", "Delete")})})),
              LabelAbove("Account to run the service as:", Edit("edtObj", 40)),
              LabelAbove("User-friendly name of the service:", Edit("edtDisplayName", 40)),
              LabelAbove("Password:", Edit("edtPassword", 40)),
          }),
          .TypedCombos = {"cmbServer", "cmbGroup"},
          .Browse = {{.Button = "btnBinPath", .Field = "edtBinPath"}},
          .Hooks = {NetworkServersList("cmbServer"), ServiceGroupsList("cmbGroup"),
                    DependencyButtons({.AddButton = "btnAdd",
                                       .RemoveButton = "btnDel",
                                       .List = "lbxDepend",
                                       .MachineField = "cmbServer",
                                       .GroupCombo = "cmbGroup"})}};
}

}  // namespace

std::vector<TItemEditorSpec> ServiceControlEditorSpecs() {
  return {
      {&TSCQueryItem::Class, Query()},
      {&TSCStartItem::Class, Start()},
      {&TSCPauseItem::Class, ServiceOnly("Pause a service")},
      {&TSCStopItem::Class, Stop()},
      {&TSCContinueItem::Class, ServiceOnly("Continue paused service")},
      {&TSCInterrogateItem::Class, ServiceOnly("Interrogate service")},
      {&TSCCreateItem::Class, Create()},
      {&TSCDeleteItem::Class, ServiceOnly("Delete a service")},
  };
}

constinit const TItemFamily kServiceControlFamily{kServiceControlItemClasses, [](const TEnvironmentLookup&) { return ServiceControlEditorSpecs(); }};

}  // namespace palvetta
