#pragma once
// A field of several lines; its value is its text, lines ended by CR LF.

#include "gui/win/controls/edit_control.h"

namespace palvetta {

class TMemoControl : public TEditControl {
 public:
  TMemoControl(const TLayoutNode& node, const TControlSite& site);
  // Lone line feeds are shown as line breaks too. Runs the change handler, which Windows
  // does not notify for a multi-line edit's WM_SETTEXT.
  void SetText(std::string_view text) override;
  // Tab and Shift+Tab move on to the next or previous control, as in any dialog, instead
  // of typing a tab; Ctrl+Tab still types one.
  bool PreTranslate(const MSG& message) override;
};

}  // namespace palvetta
