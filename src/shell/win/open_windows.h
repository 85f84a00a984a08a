#pragma once
// The dialogs of ours that exist right now, so that a new font size reaches
// every one of them at once, and so that a dialog made later starts at that
// size too.

#include <vector>

#include "shell/appearance.h"

namespace palvetta {

class TDialog;

// Every TDialog calls these from its constructor and destructor.
void RegisterOpenDialog(TDialog& dialog);
void UnregisterOpenDialog(TDialog& dialog);
// The registered dialogs, oldest first.
std::vector<TDialog*> OpenDialogs();

// The font size new dialogs start with: the last size told to a TOpenWindows,
// at first the default.
int CurrentFontPoints();

// What the appearance tells about a new font size: it becomes the current size
// and every open dialog is laid out again with it.
class TOpenWindows : public IFontSizeListener {
 public:
  void FontSizeChanged(int size) override;
};

}  // namespace palvetta
