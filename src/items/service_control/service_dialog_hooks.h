#pragma once
// What the SC dialogs add to the generic editor: drop-down lists filled from the system
// (the network's computers, a computer's services, this computer's service groups) and
// the buttons that edit a new service's dependencies through the picker.

#include <string>

#include "editors/editor_dialog.h"

namespace palvetta {

// The computers of the network, walked on the first drop-down in the dialog's life.
TDialogHook NetworkServersList(std::string combo);
// The services of the computer named in machineField, when the dialog opens and whenever
// the list gets the focus.
TDialogHook ServicesList(std::string combo, std::string machineField);
// This computer's service groups, when the dialog opens (a list that cannot be read
// keeps its entries).
TDialogHook ServiceGroupsList(std::string combo);

// A button that opens the picker of services (those of the computer in MachineField) and
// groups (the entries of GroupCombo) and adds the chosen ones to the list, and the button
// that deletes the list's selected entries.
struct TDependencyButtons {
  std::string AddButton = {};
  std::string RemoveButton = {};
  std::string List = {};
  std::string MachineField = {};
  std::string GroupCombo = {};
};
TDialogHook DependencyButtons(TDependencyButtons buttons);

}  // namespace palvetta
