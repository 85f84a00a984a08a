#include "gui/win/controls/memo_control.h"

namespace palvetta {
namespace {

// A multi-line edit shows line breaks only as CR LF.
std::string WithCrLf(std::string_view text) {
  std::string result;
  result.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) result += '\r';
    result += text[i];
  }
  return result;
}

}  // namespace

TMemoControl::TMemoControl(const TLayoutNode& node, const TControlSite& site)
    : TEditControl(node, site, ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL | WS_VSCROLL) {}

bool TMemoControl::PreTranslate(const MSG& message) {
  if (message.hwnd != Handle() || message.message != WM_KEYDOWN || message.wParam != VK_TAB ||
      GetKeyState(VK_CONTROL) < 0) {
    return false;
  }
  const HWND dialog = GetParent(Handle());
  const HWND next = GetNextDlgTabItem(dialog, Handle(), GetKeyState(VK_SHIFT) < 0);
  if (next) SetFocus(next);
  return true;
}

void TMemoControl::SetText(std::string_view text) {
  TEditControl::SetText(WithCrLf(text));
  NotifyChanged();
}

}  // namespace palvetta
