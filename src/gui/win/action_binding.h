#pragma once
// Shows actions in menus, tool bars and context menus, and routes their commands back.
// Every action gets a command id; WM_COMMAND of that id executes it. The states are
// pushed to the controls when the message queue becomes idle (OnIdle) and when a menu
// opens (WM_INITMENUPOPUP), so what the user sees is never older than the last message.

#include <windows.h>

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "gui/actions.h"

namespace palvetta {

class TActionBinding {
 public:
  static constexpr UINT kFirstCommandId = 40000;
  // The actions present in the list now get ids from firstId on, in list order; actions
  // added later get theirs on first use.
  explicit TActionBinding(TActionList& actions, UINT firstId = kFirstCommandId);

  // Raises std::out_of_range for an unknown name.
  UINT CommandId(std::string_view name);
  // The action of a command id, or nullptr.
  TAction* ActionOf(UINT commandId);

  // ---- Menus ----
  // Appends an item for the action ("-" appends a separator).
  void AppendMenuItem(HMENU menu, std::string_view name);
  // The menu (a menu bar or a popup, with its submenus) is refreshed on idle.
  void BindMenu(HMENU menu);
  // A popup menu of the named actions ("-" for a separator), states up to date. The
  // caller owns it (DestroyMenu).
  HMENU BuildPopupMenu(const std::vector<std::string>& names);
  // Shows the context menu at a screen point and executes the chosen action; returns
  // what Execute returned, or erUnknown when the user chose nothing.
  TExecuteResult ShowContextMenu(HWND owner, POINT screen, const std::vector<std::string>& names);

  // ---- Tool bars ----
  // Appends a button for the action (image: index in the tool bar's image list).
  void AddToolbarButton(HWND toolbar, std::string_view name, int image);
  // The tool bar's buttons with action ids are refreshed on idle; its tooltips (the
  // TBSTYLE_TOOLTIPS style) show the actions' hints.
  void BindToolbar(HWND toolbar);

  // ---- Messages ----
  // Call from the owning window's procedure first; true when the message was handled
  // (result then holds the return value).
  bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
  // Call when the message queue is empty: runs the update callbacks and shows the states.
  void OnIdle();
  // Shows the current states without running update callbacks.
  void Refresh();

 private:
  void RefreshMenu(HMENU menu);
  void RefreshToolbar(HWND toolbar);

  TActionList& FActions;
  std::vector<std::string> FNames;  // index = command id - FFirstId
  UINT FFirstId;
  std::vector<HMENU> FMenus;
  std::vector<HWND> FToolbars;
  std::wstring FTipText;  // stays alive while the tooltip reads it
};

// Dispatches every message waiting in this thread's queue, then, the queue being empty,
// calls binding.OnIdle(). Returns false when WM_QUIT was taken from the queue (OnIdle is
// then skipped). A main loop is: while (DispatchPendingMessages(binding)) WaitMessage();
// preTranslate sees each message first; true means it handled it.
bool DispatchPendingMessages(TActionBinding& binding,
                             const std::function<bool(const MSG&)>& preTranslate = nullptr);

}  // namespace palvetta
