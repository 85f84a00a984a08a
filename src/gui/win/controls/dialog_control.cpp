#include "gui/win/controls/dialog_control.h"

namespace palvetta {

TDialogControl::TDialogControl(const TLayoutNode& node, const TControlSite& site,
                               TControlArgs args)
    : FName(node.Name), FEvents(*site.Events) {
  args.Parent = site.Parent;
  args.Font = site.Font;
  args.Id = site.Id;
  FHandle = CreateControl(args);
}

void TDialogControl::SetText(std::string_view text) { SetWindowTextUtf8(FHandle, text); }

void TDialogControl::SetEnabled(bool enabled) { EnableWindow(FHandle, enabled); }

void TDialogControl::Place(const TRect& rect, const TPlaceContext&) {
  MoveTo(rect, rect.Height);
  Show(!rect.IsEmpty());
}

void TDialogControl::MoveTo(const TRect& rect, int height) const {
  // Neither painted nor copied along: the dialog paints itself afresh once every control
  // is in place, as old pixels copied now may already be another control's.
  SetWindowPos(FHandle, nullptr, rect.Left, rect.Top, rect.Width, height,
               SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOCOPYBITS | SWP_NOREDRAW);
}

void TDialogControl::Show(bool shown) const { ShowWindow(FHandle, shown ? SW_SHOWNA : SW_HIDE); }

}  // namespace palvetta
