#pragma once
// The message box as a seam: dialogs report failed checks through it, and tests put a
// recorder in its place so that no real, blocking message box ever appears in a test run.

#include <windows.h>

#include <string>
#include <string_view>

namespace palvetta {

class TMessageBoxSeam {
 public:
  virtual ~TMessageBoxSeam() = default;
  // Same flags and result as MessageBoxW (MB_OK | MB_ICONWARNING → IDOK, ...).
  virtual int Show(HWND owner, std::string_view text, std::string_view caption, UINT flags) = 0;
};

// The seam in use: the real message box unless a TScopedMessageBoxSeam replaced it.
TMessageBoxSeam& MessageBoxes();
int ShowMessageBox(HWND owner, std::string_view text, std::string_view caption, UINT flags);

// Puts a replacement in place for its lifetime; nests.
class TScopedMessageBoxSeam {
 public:
  explicit TScopedMessageBoxSeam(TMessageBoxSeam& replacement);
  ~TScopedMessageBoxSeam();
  TScopedMessageBoxSeam(const TScopedMessageBoxSeam&) = delete;
  TScopedMessageBoxSeam& operator=(const TScopedMessageBoxSeam&) = delete;

 private:
  TMessageBoxSeam* FPrevious;
};

}  // namespace palvetta
