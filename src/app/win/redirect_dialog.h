#pragma once
// The dialog that edits one item's output redirection: the file the output goes to and
// whether an existing file is overwritten. Made once and kept between uses.

#include <windows.h>

#include <string>

#include "gui/win/dialog.h"

namespace palvetta {

class TfrmRedirectToFile {
 public:
  explicit TfrmRedirectToFile(const TFormEnvironment& environment);

  // Shows the file name and the overwrite flag; on OK writes back the field's text as
  // typed (empty: no redirection) and the check box. True for OK.
  bool Execute(std::string& fileName, bool& overwrite, HWND owner = nullptr);

  // The underlying dialog, e.g. for tests to act on it from its OnShown.
  TDialog& Form() { return FDialog; }

 private:
  void Browse();

  TDialog FDialog;
};

}  // namespace palvetta
