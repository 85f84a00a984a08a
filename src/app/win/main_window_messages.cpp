// The main window's messages: the keys its loop takes first, F1 help, notifications of
// the palette and the project list, the list's context menu and dragging from the
// palette onto the list.

#include "app/win/main_window.h"

#include <commctrl.h>
#include <windowsx.h>

#include "app/help_contexts.h"
#include "gui/win/ui_seams.h"

namespace palvetta {

bool TfrmMain::DispatchPending() {
  return DispatchPendingMessages(FBinding, [this](const MSG& message) {
    if (message.message != WM_KEYDOWN) return false;
    if (message.hwnd != Handle() && !IsChild(Handle(), message.hwnd)) return false;
    // Controls keep F1 and Tab to themselves, so the window takes them first: F1 opens
    // the help, Tab and Shift+Tab move between the palette's fields, the palette and
    // the project list.
    if (message.wParam == VK_F1) {
      ShowContextHelp();
      return true;
    }
    if (message.wParam == VK_TAB && !(GetKeyState(VK_CONTROL) & 0x8000)) {
      const bool back = (GetKeyState(VK_SHIFT) & 0x8000) != 0;
      if (HWND next = GetNextDlgTabItem(Handle(), GetFocus(), back)) SetFocus(next);
      return true;
    }
    return false;
  });
}

bool TfrmMain::ShowContextHelp() {
  if (Environment().HelpFile.empty()) return false;
  int context = MainWindowHelpContext;
  const HWND focus = GetFocus();
  if (focus == FPalette.Handle()) {
    const TPaletteNode* node = FPalette.Selected();
    context = 0;
    if (node && node->Kind == TPaletteNodeKind::pnEntry) {
      const TRegistryItem& entry = FApp->Registry().Items(node->Category).Items(node->Entry);
      const auto item = CreateItem(*entry.ItemClass);
      context = HelpContextOf(item.get());
    }
  } else if (focus == FList.Handle()) {
    const std::optional<int> row = FList.FocusedRow();
    context = row ? HelpContextOf(&FApp->Project().Items(*row)) : 0;
  }
  return ShowHelp(Handle(), Environment().HelpFile, static_cast<unsigned>(context));
}

void TfrmMain::ShowListContextMenu(POINT screen) {
  HMENU menu = FBinding.BuildPopupMenu({"actDelete", "actDisable"});
  HMENU redirect = FBinding.BuildPopupMenu({"actRedirectToFile"});
  AppendMenuW(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(redirect), L"Redirect to...");
  FBinding.AppendMenuItem(menu, "actCreateSnippet");
  const TScopedMenu owned(menu);  // the submenu goes with it
  const UINT command = static_cast<UINT>(TrackPopupMenu(
      menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, screen.x, screen.y, 0, Handle(), nullptr));
  if (const TAction* action = FBinding.ActionOf(command)) FActions.Execute(action->Name);
}

void TfrmMain::BeginPaletteDrag(HTREEITEM item) {
  const TPaletteNode* node = FPalette.NodeOf(item);
  if (!node || !node->CanAdd()) return;
  FDragItem = item;
  SetCapture(Handle());
}

void TfrmMain::ShowPaletteDragCursor() {
  if (!FDragItem) return;
  POINT point = {};
  GetCursorPos(&point);
  SetCursor(LoadCursorW(nullptr, WindowFromPoint(point) == FList.Handle() ? IDC_ARROW : IDC_NO));
}

void TfrmMain::EndPaletteDrag(bool drop) {
  if (!FDragItem) return;
  const HTREEITEM item = FDragItem;
  FDragItem = nullptr;
  ReleaseCapture();
  if (!drop) return;
  POINT point = {};
  GetCursorPos(&point);
  if (WindowFromPoint(point) != FList.Handle()) return;
  ScreenToClient(FList.Handle(), &point);
  DropOnList(item, point);
}

bool TfrmMain::HandleNotify(const NMHDR& header, LRESULT& result) {
  if (FList.HandleNotify(header, result)) return true;
  if (header.hwndFrom == FList.Handle() && header.code == NM_DBLCLK) {
    const auto& activate = reinterpret_cast<const NMITEMACTIVATE&>(header);
    if (activate.iItem >= 0) EditRow(activate.iItem);
    return true;
  }
  if (header.hwndFrom == FPalette.Handle()) {
    if (header.code == NM_DBLCLK) {
      // The selection need not be where the double-click was (e.g. below the last row).
      const DWORD at = GetMessagePos();
      POINT point = {GET_X_LPARAM(at), GET_Y_LPARAM(at)};
      ScreenToClient(FPalette.Handle(), &point);
      const TPaletteNode* node = FPalette.NodeOf(FPalette.ItemAt(point));
      if (node && node->CanAdd()) {
        AddFromPalette(*node, -1);
        result = 1;  // the tree does not expand or collapse as well
        return true;
      }
    } else if (header.code == TVN_BEGINDRAGW) {
      if (FActivated) BeginPaletteDrag(reinterpret_cast<const NMTREEVIEWW&>(header).itemNew.hItem);
      return true;
    }
  }
  return false;
}

void TfrmMain::HandleCommand(UINT id, UINT code) {
  if (id >= kRecentFirstId && id < kRecentFirstId + TRecentFiles::kMaxCount) {
    OpenRecent(static_cast<int>(id - kRecentFirstId));
    return;
  }
  if ((id == kLevelId || id == kFilterTypeId) && code == CBN_SELCHANGE) ApplyFilter();
  if (id == kFilterId && code == EN_CHANGE) ApplyFilter();
  if (id == kFilterClearId && code == BN_CLICKED) SetWindowTextW(FFilter, L"");
}

bool TfrmMain::HandleContextMenu(HWND source, LPARAM lParam) {
  if (source != FList.Handle()) return false;
  POINT screen = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  if (screen.x == -1 && screen.y == -1) {
    // From the keyboard: at the list's top left corner.
    screen = {0, 0};
    ClientToScreen(FList.Handle(), &screen);
  }
  ShowListContextMenu(screen);
  return true;
}

void TfrmMain::HandleActivate(WORD state) {
  if (state == WA_INACTIVE || FActivated) return;
  FActivated = true;
  PostMessageW(Handle(), kFirstActivation, 0, 0);
}

void TfrmMain::ShowModifiedState() {
  SendMessageW(FStatus, SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(FModified ? L"Modified" : L""));
}

void TfrmMain::HandleDestroy() {
  WriteRecentFiles();
  KillTimer(Handle(), kUpdateTimerId);
  // A check still running is abandoned: its answer will find no one.
  FStartupUpdateThread.reset();
  if (FOptions.QuitWhenClosed) PostQuitMessage(0);
}

LRESULT TfrmMain::HandleFormMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  if (FSplitter.HandleMouse(message, wParam, lParam, result)) return result;
  switch (message) {
    case WM_COMMAND:
      HandleCommand(LOWORD(wParam), HIWORD(wParam));
      return 0;
    case WM_NOTIFY:
      if (HandleNotify(*reinterpret_cast<const NMHDR*>(lParam), result)) return result;
      break;
    case WM_CONTEXTMENU:
      if (HandleContextMenu(reinterpret_cast<HWND>(wParam), lParam)) return 0;
      break;
    case WM_SIZE:
      LayoutControls();
      return 0;
    case WM_ACTIVATE:
      HandleActivate(LOWORD(wParam));
      break;
    case kFirstActivation:
      FirstActivation();
      return 0;
    case kModifiedChanged:
      ShowModifiedState();
      return 0;
    case WM_TIMER:
      if (wParam != kUpdateTimerId) break;
      KillTimer(Handle(), kUpdateTimerId);
      StartUpdateCheck();
      return 0;
    case WM_LBUTTONDOWN:
      return 0;
    case WM_MOUSEMOVE:
      ShowPaletteDragCursor();
      return 0;
    case WM_LBUTTONUP:
      EndPaletteDrag(true);
      return 0;
    case WM_CAPTURECHANGED:
      // Another window took the mouse: a drag from the palette is over.
      if (FDragItem && reinterpret_cast<HWND>(lParam) != Handle()) FDragItem = nullptr;
      return 0;
    case WM_CLOSE:
      if (CanClose()) DestroyWindow(Handle());
      return 0;
    case WM_DESTROY:
      HandleDestroy();
      break;
    default:
      break;
  }
  return TForm::HandleFormMessage(message, wParam, lParam);
}

}  // namespace palvetta
