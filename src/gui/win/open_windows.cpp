#include "gui/win/open_windows.h"

#include <algorithm>

#include "gui/win/form.h"

namespace palvetta {

void TOpenWindows::Register(TForm& form) {
  if (std::find(FForms.begin(), FForms.end(), &form) == FForms.end()) FForms.push_back(&form);
}

void TOpenWindows::Unregister(TForm& form) {
  FForms.erase(std::remove(FForms.begin(), FForms.end(), &form), FForms.end());
}

void TOpenWindows::FontSizeChanged(int size) {
  FFontPoints = size;
  // A copy, so that a form made or destroyed while another relays itself out cannot
  // invalidate the walk.
  for (TForm* form : Forms()) {
    if (form->FontPoints() != size) form->SetFontPoints(size);
  }
}

}  // namespace palvetta
