#include "items/service_control/service_dialog_hooks.h"

#include <memory>
#include <optional>

#include "editors/service_enumeration.h"

namespace palvetta {
namespace {

// The list's entries anew, the busy cursor showing while the system is asked; the text
// typed into the box stays.
void Refill(IEditorDialog& dialog, const std::string& combo,
            const std::function<std::optional<TStrings>()>& entries) {
  std::optional<TStrings> fresh;
  dialog.WhileBusy([&fresh, &entries] { fresh = entries(); });
  if (fresh) dialog.SetEntries(combo, *fresh);
}

TStrings ServicesOf(IEditorDialog& dialog, const std::string& machineField) {
  return ListServices(dialog.Services(), dialog.Text(machineField)).value_or(TStrings{});
}

}  // namespace

TDialogHook NetworkServersList(std::string combo) {
  return {.Attach = [combo](IEditorDialog& dialog) {
    // Walking the network is slow: once is enough for a dialog.
    auto walked = std::make_shared<bool>(false);
    dialog.OnDropDown(combo, [&dialog, combo, walked] {
      if (*walked) return;
      *walked = true;
      Refill(dialog, combo, [&dialog] { return NetworkServers(dialog.Services()); });
    });
  }};
}

TDialogHook ServicesList(std::string combo, std::string machineField) {
  return {.Attach = [combo, machineField](IEditorDialog& dialog) {
    const auto refill = [&dialog, combo, machineField] {
      Refill(dialog, combo, [&dialog, &machineField] { return ServicesOf(dialog, machineField); });
    };
    dialog.OnFocus(combo, refill);
    dialog.OnShow(refill);
  }};
}

TDialogHook ServiceGroupsList(std::string combo) {
  return {.Attach = [combo](IEditorDialog& dialog) {
    dialog.OnShow([&dialog, combo] {
      Refill(dialog, combo, [&dialog] { return ServiceGroups(dialog.Services()); });
    });
  }};
}

TDialogHook DependencyButtons(TDependencyButtons buttons) {
  return {.Attach = [buttons](IEditorDialog& dialog) {
    dialog.OnClick(buttons.AddButton, [&dialog, buttons] {
      const std::optional<TPickedDependencies> picked = dialog.PickDependencies(
          ServicesOf(dialog, buttons.MachineField), dialog.Entries(buttons.GroupCombo));
      if (!picked) return;
      dialog.SetListEntries(buttons.List, AddDependencies(dialog.ListEntries(buttons.List),
                                                          picked->Services, picked->Groups));
    });
    dialog.OnClick(buttons.RemoveButton, [&dialog, buttons] { dialog.DeleteSelected(buttons.List); });
  }};
}

}  // namespace palvetta
