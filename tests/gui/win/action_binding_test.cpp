#include "gui/win/action_binding.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "base/win/wide.h"
#include "gui/win/window.h"
#include "support/ui_test_support.h"

namespace palvetta {
namespace {

// The program's state that the update callbacks read.
struct TState {
  bool HasProject = false;
  bool WrapLines = false;
  int Opened = 0;
  int Saved = 0;
};

TAction MakeAction(const char* name, const char* caption, const char* hint, const char* shortcut) {
  TAction action;
  action.Name = name;
  action.Caption = caption;
  action.Hint = hint;
  action.Shortcut = shortcut;
  return action;
}

// A top-level window with a menu bar (File: Open, Save; View: Wrap) and a tool bar of the
// same three actions; its procedure hands messages to the binding first.
class TMainWindow : public TWindow {
 public:
  explicit TMainWindow(TState& state) : FState(state) {
    TAction open = MakeAction("actOpen", "&Open...", "Open a project", "Ctrl+O");
    open.OnExecute = [this] { ++FState.Opened; };
    Actions.Add(open);
    TAction save = MakeAction("actSave", "&Save", "Save the project", "Ctrl+S");
    save.OnExecute = [this] { ++FState.Saved; };
    save.OnUpdate = [this](TAction& a) { a.Enabled = FState.HasProject; };
    Actions.Add(save);
    TAction wrap = MakeAction("actWrap", "&Wrap lines", "", "");
    wrap.OnExecute = [this] { FState.WrapLines = !FState.WrapLines; };
    wrap.OnUpdate = [this](TAction& a) { a.Checked = FState.WrapLines; };
    Actions.Add(wrap);

    TWindowArgs args;
    args.Title = "Actions";
    args.Pos = {60, 60, 480, 320};
    Create(args);

    Menu = CreateMenu();
    FilePopup = CreatePopupMenu();
    Binding.AppendMenuItem(FilePopup, "actOpen");
    Binding.AppendMenuItem(FilePopup, "-");
    Binding.AppendMenuItem(FilePopup, "actSave");
    ViewPopup = CreatePopupMenu();
    Binding.AppendMenuItem(ViewPopup, "actWrap");
    AppendMenuW(Menu, MF_POPUP, reinterpret_cast<UINT_PTR>(FilePopup), L"&File");
    AppendMenuW(Menu, MF_POPUP, reinterpret_cast<UINT_PTR>(ViewPopup), L"&View");
    SetMenu(Handle(), Menu);
    Binding.BindMenu(Menu);

    TControlArgs bar;
    bar.Parent = Handle();
    bar.ClassName = TOOLBARCLASSNAMEW;
    bar.Style = TBSTYLE_TOOLTIPS | TBSTYLE_FLAT | CCS_TOP;
    bar.Pos = {0, 0, 480, 28};
    bar.Id = 100;
    Toolbar = CreateControl(bar);
    for (const char* name : {"actOpen", "actSave", "actWrap"}) Binding.AddToolbarButton(Toolbar, name, 0);
    Binding.BindToolbar(Toolbar);
    ShowWindow(Handle(), SW_SHOWNA);
  }

  // The window owns the menu bar (DestroyWindow frees it), the tool bar is its child.
  ~TMainWindow() override { Destroy(); }

  UINT Id(const char* name) { return Binding.CommandId(name); }
  UINT MenuState(const char* name) { return GetMenuState(Menu, Id(name), MF_BYCOMMAND); }
  bool ButtonEnabled(const char* name) {
    return SendMessageW(Toolbar, TB_ISBUTTONENABLED, Id(name), 0) != 0;
  }
  bool ButtonChecked(const char* name) {
    return SendMessageW(Toolbar, TB_ISBUTTONCHECKED, Id(name), 0) != 0;
  }
  std::string MenuItemText(HMENU menu, UINT position) {
    wchar_t text[128] = {};
    GetMenuStringW(menu, position, text, 128, MF_BYPOSITION);
    return Narrow(text);
  }

  TActionList Actions;
  TActionBinding Binding{Actions};
  HMENU Menu = nullptr;
  HMENU FilePopup = nullptr;
  HMENU ViewPopup = nullptr;
  HWND Toolbar = nullptr;

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
    LRESULT result = 0;
    if (Binding.HandleMessage(message, wParam, lParam, result)) return result;
    return TWindow::HandleMessage(message, wParam, lParam);
  }

 private:
  TState& FState;
};

class ActionBindingTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    ASSERT_TRUE(InitTestControls());
  }

  void Idle() { ASSERT_TRUE(DispatchPendingMessages(Window.Binding)); }

  TState State;
  TMainWindow Window{State};
};

TEST_F(ActionBindingTest, MenuItemsShowCaptionsAndShortcuts) {
  EXPECT_EQ(Window.MenuItemText(Window.FilePopup, 0), "&Open...\tCtrl+O");
  EXPECT_EQ(GetMenuState(Window.FilePopup, 1, MF_BYPOSITION) & MF_SEPARATOR, UINT(MF_SEPARATOR));
  EXPECT_EQ(Window.MenuItemText(Window.FilePopup, 2), "&Save\tCtrl+S");
  EXPECT_EQ(Window.MenuItemText(Window.ViewPopup, 0), "&Wrap lines");
  EXPECT_EQ(SendMessageW(Window.Toolbar, TB_BUTTONCOUNT, 0, 0), 3);
}

TEST_F(ActionBindingTest, IdleShowsTheStatesOfTheUpdateCallbacks) {
  const struct {
    bool hasProject;
    bool wrapLines;
  } cases[] = {{false, false}, {true, true}, {false, true}, {true, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string("project ") + (c.hasProject ? "yes" : "no") + ", wrap " +
                 (c.wrapLines ? "yes" : "no"));
    State.HasProject = c.hasProject;
    State.WrapLines = c.wrapLines;
    Idle();
    EXPECT_EQ((Window.MenuState("actSave") & MF_GRAYED) != 0, !c.hasProject);
    EXPECT_EQ(Window.ButtonEnabled("actSave"), c.hasProject);
    EXPECT_EQ((Window.MenuState("actWrap") & MF_CHECKED) != 0, c.wrapLines);
    EXPECT_EQ(Window.ButtonChecked("actWrap"), c.wrapLines);
    // An action without an update callback keeps its state.
    EXPECT_EQ(Window.MenuState("actOpen") & (MF_GRAYED | MF_CHECKED), 0u);
    EXPECT_TRUE(Window.ButtonEnabled("actOpen"));
  }
}

TEST_F(ActionBindingTest, AnOpeningMenuIsRefreshedEvenBeforeIdle) {
  State.HasProject = true;
  Idle();
  ASSERT_EQ(Window.MenuState("actSave") & MF_GRAYED, 0u);
  State.HasProject = false;  // no idle time in between
  SendMessageW(Window.Handle(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(Window.FilePopup),
               MAKELPARAM(0, FALSE));
  EXPECT_NE(Window.MenuState("actSave") & MF_GRAYED, 0u);
}

TEST_F(ActionBindingTest, CommandsRunEnabledActionsOnly) {
  const struct {
    const char* name;
    bool hasProject;
    WORD code;  // 0 menu, 1 accelerator
    bool fromToolbar;
    int opened;
    int saved;
  } cases[] = {
      {"actOpen", false, 0, false, 1, 0},
      {"actSave", true, 0, false, 0, 1},
      {"actSave", false, 0, false, 0, 0},
      {"actSave", true, 1, false, 0, 1},
      {"actSave", false, 1, false, 0, 0},
      {"actSave", true, BN_CLICKED, true, 0, 1},
      {"actSave", false, BN_CLICKED, true, 0, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.name) + " code " + std::to_string(c.code) +
                 (c.hasProject ? " with project" : " without project"));
    State = {};
    State.HasProject = c.hasProject;
    Idle();
    const LPARAM source = c.fromToolbar ? reinterpret_cast<LPARAM>(Window.Toolbar) : 0;
    PostMessageW(Window.Handle(), WM_COMMAND, MAKEWPARAM(Window.Id(c.name), c.code), source);
    Idle();
    EXPECT_EQ(State.Opened, c.opened);
    EXPECT_EQ(State.Saved, c.saved);
  }
}

TEST_F(ActionBindingTest, CommandsOfOtherIdsAndNotificationsAreNotTaken) {
  State.HasProject = true;
  LRESULT result = 0;
  EXPECT_FALSE(Window.Binding.HandleMessage(WM_COMMAND, MAKEWPARAM(1234, 0), 0, result));
  // An edit control's EN_CHANGE (0x300) carrying an action's id is not a command.
  EXPECT_FALSE(Window.Binding.HandleMessage(
      WM_COMMAND, MAKEWPARAM(Window.Id("actSave"), EN_CHANGE), 0, result));
  EXPECT_EQ(State.Saved, 0);
}

TEST_F(ActionBindingTest, TooltipsShowTheHintOrElseTheCaption) {
  const struct {
    const char* name;
    const char* tip;
  } cases[] = {{"actOpen", "Open a project"}, {"actWrap", "Wrap lines"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    NMTTDISPINFOW info = {};
    info.hdr.hwndFrom = Window.Toolbar;
    info.hdr.idFrom = Window.Id(c.name);
    info.hdr.code = TTN_GETDISPINFOW;
    SendMessageW(Window.Handle(), WM_NOTIFY, 100, reinterpret_cast<LPARAM>(&info));
    ASSERT_NE(info.lpszText, nullptr);
    EXPECT_EQ(Narrow(info.lpszText), c.tip);
  }
}

TEST_F(ActionBindingTest, AContextMenuListsTheNamedActionsWithTheirStates) {
  State.HasProject = false;
  State.WrapLines = true;
  HMENU popup = Window.Binding.BuildPopupMenu({"actWrap", "-", "actSave", "actOpen"});
  ASSERT_EQ(GetMenuItemCount(popup), 4);
  const struct {
    UINT position;
    const char* text;
    const char* name;  // nullptr for the separator
    UINT state;        // MF_GRAYED / MF_CHECKED bits expected of an action's item
  } items[] = {
      {0, "&Wrap lines", "actWrap", MF_CHECKED},
      {1, "", nullptr, 0},
      {2, "&Save\tCtrl+S", "actSave", MF_GRAYED},
      {3, "&Open...\tCtrl+O", "actOpen", 0},
  };
  for (const auto& item : items) {
    SCOPED_TRACE(item.position);
    const UINT state = GetMenuState(popup, item.position, MF_BYPOSITION);
    if (!item.name) {  // Windows also reports a separator as greyed
      EXPECT_NE(state & MF_SEPARATOR, 0u);
      continue;
    }
    EXPECT_EQ(state & (MF_GRAYED | MF_CHECKED), item.state);
    EXPECT_EQ(Window.MenuItemText(popup, item.position), item.text);
    EXPECT_EQ(GetMenuItemID(popup, static_cast<int>(item.position)), Window.Id(item.name));
  }
  DestroyMenu(popup);
  EXPECT_THROW(Window.Binding.BuildPopupMenu({"actMissing"}), std::out_of_range);
}

// Safety net: ends a menu that the keys below failed to close, instead of hanging.
void CALLBACK EndStuckMenu(HWND, UINT, UINT_PTR, DWORD) { EndMenu(); }

TEST_F(ActionBindingTest, AChoiceInAContextMenuExecutesTheAction) {
  State.HasProject = true;
  SetForegroundWindow(Window.Handle());
  // The menu's own loop reads these keys: Down selects the first item, Return chooses it.
  PostMessageW(Window.Handle(), WM_KEYDOWN, VK_DOWN, 1);
  PostMessageW(Window.Handle(), WM_KEYDOWN, VK_RETURN, 1);
  const UINT_PTR timer = SetTimer(nullptr, 0, 3000, &EndStuckMenu);
  const TExecuteResult result =
      Window.Binding.ShowContextMenu(Window.Handle(), {120, 120}, {"actSave", "actOpen"});
  KillTimer(nullptr, timer);
  EXPECT_EQ(result, TExecuteResult::erExecuted);
  EXPECT_EQ(State.Saved, 1);
  EXPECT_EQ(State.Opened, 0);
}

TEST_F(ActionBindingTest, CommandIdsAreStableAndUnknownNamesRefused) {
  const UINT open = Window.Id("actOpen");
  EXPECT_EQ(Window.Id("actSave"), open + 1);
  EXPECT_EQ(Window.Id("actOpen"), open);
  EXPECT_EQ(Window.Binding.ActionOf(open), Window.Actions.Find("actOpen"));
  EXPECT_EQ(Window.Binding.ActionOf(open + 100), nullptr);
  EXPECT_THROW(Window.Id("actMissing"), std::out_of_range);
  // An action added after the binding was made still gets an id of its own.
  Window.Actions.Add(MakeAction("actLate", "&Late", "", ""));
  const UINT late = Window.Id("actLate");
  EXPECT_EQ(Window.Binding.ActionOf(late), Window.Actions.Find("actLate"));
  EXPECT_NE(late, open);
}

TEST(DispatchPendingMessagesTest, StopsAtQuitWithoutIdling) {
  TActionList actions;
  int updates = 0;
  TAction counted;
  counted.Name = "actCounted";
  counted.OnUpdate = [&](TAction&) { ++updates; };
  actions.Add(counted);
  TActionBinding binding(actions);
  EXPECT_TRUE(DispatchPendingMessages(binding));
  EXPECT_EQ(updates, 1);
  PostQuitMessage(7);
  EXPECT_FALSE(DispatchPendingMessages(binding));
  EXPECT_EQ(updates, 1);
  // The quit stays for an outer loop.
  MSG message;
  ASSERT_TRUE(PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(message.wParam, 7u);
}

}  // namespace
}  // namespace palvetta
