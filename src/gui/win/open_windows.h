#pragma once
// The open forms of one environment, so that a new font size reaches every one of them
// at once, and so that a form made later starts at that size too.

#include <vector>

#include "gui/appearance.h"

namespace palvetta {

class TForm;

// Its forms live on one thread, the one that tells it about font sizes: it takes no lock.
class TOpenWindows : public IFontSizeListener {
 public:
  // Every TForm whose environment names this registry calls these from its constructor
  // and destructor.
  void Register(TForm& form);
  void Unregister(TForm& form);
  // The registered forms, oldest first.
  std::vector<TForm*> Forms() const { return FForms; }

  // The size new forms start with: the last size told, at first the default.
  int FontPoints() const { return FFontPoints; }
  // The size becomes the current one and every registered form is laid out again with it.
  void FontSizeChanged(int size) override;

 private:
  std::vector<TForm*> FForms;
  int FFontPoints = TAppearance::kDefaultFontSize;
};

}  // namespace palvetta
