#pragma once
// The frame and caption drawn around a container's controls. The caption is drawn here in
// the colours the parent answers to WM_CTLCOLORSTATIC, as for a label: the system's group
// box (and its visual style) may draw it in a dark text of its own on any background.

#include "gui/win/controls/dialog_control.h"

namespace palvetta {

class TGroupBoxControl : public TDialogControl {
 public:
  TGroupBoxControl(const TLayoutNode& node, const TControlSite& site);
  ~TGroupBoxControl() override;

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                    UINT_PTR id, DWORD_PTR self);
  void Paint(HDC dc) const;
};

}  // namespace palvetta
