#include "editors/win/dialog_handlers.h"

namespace palvetta {

void TDialogHandlers::Add(TControlEvent event, std::string_view control, TDialogHandler handler,
                          bool thenEnabling) {
  TChain& chain = FChains[{event, std::string(control)}];
  chain.Handlers.push_back(std::move(handler));
  chain.ThenEnabling = chain.ThenEnabling || thenEnabling;
}

void TDialogHandlers::Replace(TControlEvent event, std::string_view control,
                              TDialogHandler handler, bool thenEnabling) {
  FChains[{event, std::string(control)}] = TChain{{std::move(handler)}, thenEnabling};
}

void TDialogHandlers::AttachTo(TDialog& dialog, const TDialogHandler& enabling) const {
  for (const auto& [key, chain] : FChains) {
    const auto& [event, control] = key;
    TDialogHandler run = [handlers = chain.Handlers, enabling,
                          thenEnabling = chain.ThenEnabling] {
      for (const TDialogHandler& handler : handlers) handler();
      if (thenEnabling) enabling();
    };
    switch (event) {
      case TControlEvent::ceClick:
        dialog.OnClick(control, std::move(run));
        break;
      case TControlEvent::ceChange:
        dialog.OnChange(control, std::move(run));
        break;
      case TControlEvent::ceDropDown:
        dialog.OnDropDown(control, std::move(run));
        break;
      case TControlEvent::ceFocus:
        dialog.OnFocus(control, std::move(run));
        break;
    }
  }
}

}  // namespace palvetta
