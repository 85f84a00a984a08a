#include "gui/win/action_binding.h"

#include <commctrl.h>

#include <algorithm>
#include <stdexcept>

#include "base/win/wide.h"
#include "base/win/window_handles.h"

namespace palvetta {

TActionBinding::TActionBinding(TActionList& actions, UINT firstId)
    : FActions(actions), FNames(actions.Names()), FFirstId(firstId) {}

UINT TActionBinding::CommandId(std::string_view name) {
  const auto found = std::find(FNames.begin(), FNames.end(), name);
  if (found != FNames.end()) return FFirstId + static_cast<UINT>(found - FNames.begin());
  if (!FActions.Find(name)) throw std::out_of_range("Unknown action: " + std::string(name));
  FNames.emplace_back(name);
  return FFirstId + static_cast<UINT>(FNames.size() - 1);
}

TAction* TActionBinding::ActionOf(UINT commandId) {
  if (commandId < FFirstId || commandId - FFirstId >= FNames.size()) return nullptr;
  return FActions.Find(FNames[commandId - FFirstId]);
}

void TActionBinding::AppendMenuItem(HMENU menu, std::string_view name) {
  if (name == "-") {
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    return;
  }
  const UINT id = CommandId(name);
  const TAction& action = *ActionOf(id);
  UINT flags = MF_STRING | (action.Enabled ? MF_ENABLED : MF_GRAYED) |
               (action.Checked ? MF_CHECKED : MF_UNCHECKED);
  AppendMenuW(menu, flags, id, Widen(MenuText(action)).c_str());
}

void TActionBinding::BindMenu(HMENU menu) {
  if (std::find(FMenus.begin(), FMenus.end(), menu) == FMenus.end()) FMenus.push_back(menu);
  RefreshMenu(menu);
}

HMENU TActionBinding::BuildPopupMenu(const std::vector<std::string>& names) {
  FActions.UpdateAll();
  HMENU menu = CreatePopupMenu();
  for (const std::string& name : names) AppendMenuItem(menu, name);
  return menu;
}

TExecuteResult TActionBinding::ShowContextMenu(HWND owner, POINT screen,
                                               const std::vector<std::string>& names) {
  const TScopedMenu menu(BuildPopupMenu(names));
  // TPM_RETURNCMD: the choice comes back here instead of as a posted WM_COMMAND, so it
  // runs before this call returns.
  const UINT chosen = static_cast<UINT>(TrackPopupMenu(menu.Get(), TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_LEFTALIGN,
                                                       screen.x, screen.y, 0, owner, nullptr));
  const TAction* action = ActionOf(chosen);
  if (!action) return TExecuteResult::erUnknown;
  return FActions.Execute(action->Name);
}

void TActionBinding::AddToolbarButton(HWND toolbar, std::string_view name, int image) {
  const UINT id = CommandId(name);
  const TAction& action = *ActionOf(id);
  TBBUTTON button = {};
  button.iBitmap = image;
  button.idCommand = static_cast<int>(id);
  button.fsState = static_cast<BYTE>((action.Enabled ? TBSTATE_ENABLED : 0) |
                                     (action.Checked ? TBSTATE_CHECKED : 0));
  button.fsStyle = BTNS_BUTTON;
  SendMessageW(toolbar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
  SendMessageW(toolbar, TB_ADDBUTTONSW, 1, reinterpret_cast<LPARAM>(&button));
}

void TActionBinding::BindToolbar(HWND toolbar) {
  if (std::find(FToolbars.begin(), FToolbars.end(), toolbar) == FToolbars.end())
    FToolbars.push_back(toolbar);
  RefreshToolbar(toolbar);
}

bool TActionBinding::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  switch (message) {
    case WM_COMMAND: {
      // Menus and accelerators send codes 0 and 1, a tool bar button BN_CLICKED (0);
      // other notifications with the same id are not commands.
      const UINT code = HIWORD(wParam);
      if (code > 1) return false;
      const TAction* action = ActionOf(LOWORD(wParam));
      if (!action) return false;
      FActions.Execute(action->Name);
      result = 0;
      return true;
    }
    case WM_INITMENUPOPUP:
      FActions.UpdateAll();
      RefreshMenu(reinterpret_cast<HMENU>(wParam));
      result = 0;
      return true;
    case WM_NOTIFY: {
      auto* header = reinterpret_cast<NMHDR*>(lParam);
      if (header->code != TTN_GETDISPINFOW) return false;
      const TAction* action = ActionOf(static_cast<UINT>(header->idFrom));
      if (!action) return false;
      auto* info = reinterpret_cast<NMTTDISPINFOW*>(lParam);
      FTipText = Widen(action->Hint.empty() ? StripAccelerator(action->Caption) : action->Hint);
      info->lpszText = FTipText.data();
      info->hinst = nullptr;
      result = 0;
      return true;
    }
    default:
      return false;
  }
}

void TActionBinding::OnIdle() {
  FActions.UpdateAll();
  Refresh();
}

void TActionBinding::Refresh() {
  for (HMENU menu : FMenus) RefreshMenu(menu);
  for (HWND toolbar : FToolbars) RefreshToolbar(toolbar);
}

void TActionBinding::RefreshMenu(HMENU menu) {
  const int count = GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i) {
    MENUITEMINFOW info = {};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_ID | MIIM_SUBMENU | MIIM_FTYPE;
    if (!GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info)) continue;
    if (info.hSubMenu) {
      RefreshMenu(info.hSubMenu);
      continue;
    }
    if (info.fType & MFT_SEPARATOR) continue;
    const TAction* action = ActionOf(info.wID);
    if (!action) continue;
    const std::wstring text = Widen(MenuText(*action));
    MENUITEMINFOW update = {};
    update.cbSize = sizeof(update);
    update.fMask = MIIM_STATE | MIIM_STRING;
    update.fState = (action->Enabled ? MFS_ENABLED : MFS_GRAYED) |
                    (action->Checked ? MFS_CHECKED : MFS_UNCHECKED);
    update.dwTypeData = const_cast<wchar_t*>(text.c_str());
    SetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &update);
  }
}

void TActionBinding::RefreshToolbar(HWND toolbar) {
  const int count = static_cast<int>(SendMessageW(toolbar, TB_BUTTONCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    TBBUTTON button = {};
    if (!SendMessageW(toolbar, TB_GETBUTTON, static_cast<WPARAM>(i),
                      reinterpret_cast<LPARAM>(&button)))
      continue;
    const TAction* action = ActionOf(static_cast<UINT>(button.idCommand));
    if (!action) continue;
    // Only changes are sent: a button repaints on every TB_ENABLEBUTTON.
    const bool enabled = button.fsState & TBSTATE_ENABLED;
    const bool checked = button.fsState & TBSTATE_CHECKED;
    const WPARAM id = static_cast<WPARAM>(button.idCommand);
    if (enabled != action->Enabled)
      SendMessageW(toolbar, TB_ENABLEBUTTON, id, MAKELPARAM(action->Enabled ? TRUE : FALSE, 0));
    if (checked != action->Checked)
      SendMessageW(toolbar, TB_CHECKBUTTON, id, MAKELPARAM(action->Checked ? TRUE : FALSE, 0));
  }
}

bool DispatchPendingMessages(TActionBinding& binding,
                             const std::function<bool(const MSG&)>& preTranslate) {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(message.wParam));  // left for the caller's loop
      return false;
    }
    if (preTranslate && preTranslate(message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  binding.OnIdle();
  return true;
}

}  // namespace palvetta
