#pragma once
// The forms of ours that exist right now, so that a new font size reaches every one of
// them at once, and so that a form made later starts at that size too.

#include <vector>

#include "gui/appearance.h"

namespace palvetta {

class TForm;

// Every TForm calls these from its constructor and destructor.
void RegisterOpenForm(TForm& form);
void UnregisterOpenForm(TForm& form);
// The registered forms, oldest first.
std::vector<TForm*> OpenForms();

// The font size new forms start with: the last size told to a TOpenWindows, at first
// the default.
int CurrentFontPoints();

// What the appearance tells about a new font size: it becomes the current size and
// every open form is laid out again with it.
class TOpenWindows : public IFontSizeListener {
 public:
  void FontSizeChanged(int size) override;
};

}  // namespace palvetta
