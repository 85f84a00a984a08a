#include "shell/win/ui_seams.h"

#include "model/win/wide.h"

namespace palvetta {
namespace {

class TWin32MessageBox : public TMessageBoxSeam {
 public:
  int Show(HWND owner, std::string_view text, std::string_view caption, UINT flags) override {
    return MessageBoxW(owner, Widen(text).c_str(), Widen(caption).c_str(), flags);
  }
};

TWin32MessageBox RealMessageBox;
TMessageBoxSeam* Current = &RealMessageBox;

}  // namespace

TMessageBoxSeam& MessageBoxes() { return *Current; }

int ShowMessageBox(HWND owner, std::string_view text, std::string_view caption, UINT flags) {
  return Current->Show(owner, text, caption, flags);
}

TScopedMessageBoxSeam::TScopedMessageBoxSeam(TMessageBoxSeam& replacement) : FPrevious(Current) {
  Current = &replacement;
}

TScopedMessageBoxSeam::~TScopedMessageBoxSeam() { Current = FPrevious; }

}  // namespace palvetta
