#include "gui/win/open_windows.h"

#include <algorithm>

#include "gui/win/form.h"

namespace palvetta {
namespace {

// Only the UI thread makes forms, so no lock is needed.
std::vector<TForm*>& Registered() {
  static std::vector<TForm*> forms;
  return forms;
}

int& CurrentSize() {
  static int size = TAppearance::DefaultFontSize;
  return size;
}

}  // namespace

void RegisterOpenForm(TForm& form) {
  auto& forms = Registered();
  if (std::find(forms.begin(), forms.end(), &form) == forms.end()) forms.push_back(&form);
}

void UnregisterOpenForm(TForm& form) {
  auto& forms = Registered();
  forms.erase(std::remove(forms.begin(), forms.end(), &form), forms.end());
}

std::vector<TForm*> OpenForms() { return Registered(); }

int CurrentFontPoints() { return CurrentSize(); }

void TOpenWindows::FontSizeChanged(int size) {
  CurrentSize() = size;
  // A copy, so that a form made or destroyed while another relays itself out cannot
  // invalidate the walk.
  for (TForm* form : OpenForms()) {
    if (form->FontPoints() != size) form->SetFontPoints(size);
  }
}

}  // namespace palvetta
