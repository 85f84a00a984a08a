#pragma once
// The handlers of a dialog's controls, gathered while the dialog is built and then given
// to it as one per control and event (a dialog keeps only one): the generic rules' and
// the hooks' handlers of a control run in the order they were added, and a click or
// change that asks for it runs the enabling rules once after all of them.

#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "editors/editor_dialog.h"
#include "gui/win/dialog.h"

namespace palvetta {

enum class TControlEvent { ceClick, ceChange, ceDropDown, ceFocus };

class TDialogHandlers {
 public:
  void Add(TControlEvent event, std::string_view control, TDialogHandler handler,
           bool thenEnabling = false);
  // In place of every handler the control's event had so far.
  void Replace(TControlEvent event, std::string_view control, TDialogHandler handler,
               bool thenEnabling = false);
  // Gives the dialog the handlers; the enabling runs last where one of them asked for it.
  void AttachTo(TDialog& dialog, const TDialogHandler& enabling) const;

 private:
  struct TChain {
    std::vector<TDialogHandler> Handlers;
    bool ThenEnabling = false;
  };
  std::map<std::pair<TControlEvent, std::string>, TChain, std::less<>> FChains;
};

}  // namespace palvetta
