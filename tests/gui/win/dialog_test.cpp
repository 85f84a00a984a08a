#include "gui/win/dialog.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "gui/win/gdi_text_measurer.h"
#include "gui/win/ui_seams.h"
#include "support/sample_dialog_options.h"
#include "support/sample_dialogs.h"
#include "support/ui_test_support.h"

namespace palvetta {
namespace {

// Every other kind of control: a group box with a check box and radio buttons, a number
// field, a typed combo, a grid and a push button.
TLayoutNode OptionsDialog() {
  return Dialog({
      GroupBox("grpMode", "Mode",
               {
                   Check("cbxWait", "Wait for the program to end"),
                   Radio("rbnNormal", "Normal window"),
                   Radio("rbnMinimized", "Minimized window"),
                   Indented(LabelBeside("Time-out:", Number("sbnTimeout", 5))),
               }),
      LabelAbove("Variable:", Combo("cmbVariable", {}, 20)),
      Stretched(Grid("vstPairs", {"Name", "Value"}, 4, 30)),
      Aligned(Button("btnClear", "Clear"), TAlign::alEnd),
  });
}

TDialogOptions OptionsOptions() { return {"Options", 9, {"cmbVariable"}}; }

class DialogTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    ASSERT_TRUE(InitTestControls());
  }

  // Posts a key to a control of the running dialog (or to the dialog itself for "").
  static void PostKey(TDialog& dialog, std::string_view name, WPARAM key) {
    const HWND target = name.empty() ? dialog.Handle() : dialog.Control(name);
    PostMessageW(target, WM_KEYDOWN, key, 1);
  }

  TMessageRecorder Recorder;
  TScopedMessageBoxSeam Seam{Recorder};
  TOwnerWindow Owner;
};

// Safety net: a test that forgets to close its dialog fails instead of hanging.
void CancelAfterAll(TDialog& dialog) {
  dialog.Post([&dialog] {
    ADD_FAILURE() << "the dialog was still open after the test's input";
    dialog.Cancel();
  });
}

TEST_F(DialogTest, CreatesOneControlPerNamedNodeOfTheRightClass) {
  TDialog dialog(OptionsDialog(), OptionsOptions());
  const struct {
    const char* name;
    const wchar_t* className;
    LONG_PTR style;  // bits the control must have
  } expected[] = {
      {"grpMode", L"Button", BS_GROUPBOX},
      {"cbxWait", L"Button", BS_AUTOCHECKBOX},
      {"rbnNormal", L"Button", BS_AUTORADIOBUTTON},
      {"lblTimeout", L"Static", 0},
      {"sbnTimeout", L"Edit", 0},
      {"lblVariable", L"Static", 0},
      {"cmbVariable", L"ComboBox", CBS_DROPDOWN},
      {"vstPairs", WC_LISTVIEWW, LVS_REPORT},
      {"btnClear", L"Button", 0},
      {"btnOK", L"Button", BS_DEFPUSHBUTTON},
      {"btnCancel", L"Button", 0},
  };
  for (const auto& e : expected) {
    SCOPED_TRACE(e.name);
    const HWND control = dialog.Control(e.name);
    ASSERT_TRUE(IsWindow(control));
    EXPECT_EQ(GetParent(control), dialog.Handle());
    wchar_t className[64] = {};
    GetClassNameW(control, className, 64);
    EXPECT_STREQ(className, e.className);
    EXPECT_EQ(GetWindowLongPtrW(control, GWL_STYLE) & e.style, e.style);
    EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)), dialog.Font());
  }
  // A pick-only list and a typed combo differ in style.
  TDialog parameter(ParameterDialog(), ParameterOptions());
  EXPECT_EQ(GetWindowLongPtrW(parameter.Control("cmbCheck"), GWL_STYLE) & 3, CBS_DROPDOWNLIST);
  EXPECT_EQ(parameter.Entries("cmbCheck").size(), 4u);
  EXPECT_THROW(dialog.Control("edtMissing"), std::logic_error);
  EXPECT_THROW(TDialog(Dialog({Edit("edtTwice"), Edit("edtTwice")}), {}), std::logic_error);
}

TEST_F(DialogTest, ANumberFieldReadsAsAWholeNumberWithinItsRange) {
  TDialog dialog(Dialog({Number("sbnNode", 5, 0, 255)}), {"Number", 9, {}});
  const struct {
    const char* typed;
    int read;
  } cases[] = {{"17", 17}, {" 42 ", 42}, {"255", 255}, {"256", 255}, {"99999999999", 255},
               {"-5", 0},  {"abc", 0},   {"", 0},      {"1x", 0}};
  for (const auto& c : cases) {
    dialog.SetText("sbnNode", c.typed);
    EXPECT_EQ(dialog.Number("sbnNode"), c.read) << c.typed;
  }
  TEditorValues values;
  values.SetIndex("sbnNode", 300);
  dialog.Fill(values);
  EXPECT_EQ(dialog.Text("sbnNode"), "255") << "a value from outside is shown within the range";
}

TEST_F(DialogTest, EveryKindOfValueBindsByName) {
  TDialog dialog(OptionsDialog(), OptionsOptions());
  TEditorValues values;
  values.SetChecked("cbxWait", true);
  values.SetChecked("rbnMinimized", true);
  values.SetIndex("sbnTimeout", 30);
  values.SetText("cmbVariable", "%TEMP%");
  values.SetChoices("cmbVariable", {"%TEMP%", "%PATH%", "%USERPROFILE%"});
  values.SetRows("vstPairs", {{"a", "1"}, {"b", "2"}, {"c", ""}});
  values.SetIndex("NotAControl", 7);
  dialog.Fill(values);

  EXPECT_TRUE(dialog.Checked("cbxWait"));
  EXPECT_TRUE(dialog.Checked("rbnMinimized"));
  EXPECT_FALSE(dialog.Checked("rbnNormal"));
  EXPECT_EQ(dialog.Text("sbnTimeout"), "30");
  EXPECT_EQ(dialog.Entries("cmbVariable"), (TStrings{"%TEMP%", "%PATH%", "%USERPROFILE%"}));
  EXPECT_EQ(dialog.Text("cmbVariable"), "%TEMP%");

  TEditorValues back;
  dialog.Read(back);
  EXPECT_TRUE(back.Checked("cbxWait"));
  EXPECT_TRUE(back.Checked("rbnMinimized"));
  EXPECT_FALSE(back.Checked("rbnNormal"));
  EXPECT_EQ(back.Index("sbnTimeout"), 30);
  EXPECT_EQ(back.Text("cmbVariable"), "%TEMP%");
  // The rows given, then the empty rows a grid offers below them.
  const TGridRows rows = back.Rows("vstPairs");
  ASSERT_EQ(rows.size(), static_cast<std::size_t>(TDialog::kMinGridRows));
  EXPECT_EQ(TGridRows(rows.begin(), rows.begin() + 3), values.Rows("vstPairs"));
  EXPECT_EQ(rows.back(), (TStrings{"", ""}));
  EXPECT_FALSE(back.Has("NotAControl"));
  EXPECT_FALSE(back.Has("grpMode"));

  // The spin buttons write into the number field.
  const HWND spin = GetWindow(dialog.Control("sbnTimeout"), GW_HWNDNEXT);
  EXPECT_EQ(reinterpret_cast<HWND>(SendMessageW(spin, UDM_GETBUDDY, 0, 0)),
            dialog.Control("sbnTimeout"));
  SendMessageW(spin, UDM_SETPOS32, 0, 42);
  EXPECT_EQ(dialog.Text("sbnTimeout"), "42");
  // New choices keep a typed combo's text.
  dialog.SetEntries("cmbVariable", {"%A%"});
  EXPECT_EQ(dialog.Text("cmbVariable"), "%TEMP%");
}

// What each change of a value runs: setters follow what the item dialogs rely on, and a
// click by the user runs the click handler like a setter does.
TEST_F(DialogTest, SettersRunTheHandlersTheItemDialogsRelyOn) {
  struct TCase {
    const char* what;
    std::function<void(TDialog&)> act;
    const char* control;
    int clicks;
    int changes;
  };
  const TCase cases[] = {
      {"check a check box", [](TDialog& d) { d.SetChecked("cbxWait", true); }, "cbxWait", 1, 0},
      {"check it twice",
       [](TDialog& d) {
         d.SetChecked("cbxWait", true);
         d.SetChecked("cbxWait", true);
       },
       "cbxWait", 1, 0},
      {"leave it unchecked", [](TDialog& d) { d.SetChecked("cbxWait", false); }, "cbxWait", 0, 0},
      {"check a radio button", [](TDialog& d) { d.SetChecked("rbnNormal", true); }, "rbnNormal", 1,
       0},
      {"the user clicks the check box",
       [](TDialog& d) { SendMessageW(d.Control("cbxWait"), BM_CLICK, 0, 0); }, "cbxWait", 1, 0},
      {"set an edit's text", [](TDialog& d) { d.SetText("sbnTimeout", "5"); }, "sbnTimeout", 0, 1},
      {"set a typed combo's index", [](TDialog& d) { d.SetIndex("cmbVariable", 1); },
       "cmbVariable", 0, 0},
      {"fill a check box from values",
       [](TDialog& d) {
         TEditorValues v;
         v.SetChecked("cbxWait", true);
         d.Fill(v);
       },
       "cbxWait", 1, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    TDialog dialog(OptionsDialog(), OptionsOptions());
    dialog.SetEntries("cmbVariable", {"one", "two"});
    int clicks = 0;
    int changes = 0;
    dialog.OnClick(c.control, [&] { ++clicks; });
    dialog.OnChange(c.control, [&] { ++changes; });
    c.act(dialog);
    EXPECT_EQ(clicks, c.clicks);
    EXPECT_EQ(changes, c.changes);
  }

  // Pick-only lists too: an index set in code runs nothing, the memo's text does.
  TDialog parameter(ParameterDialog(), ParameterOptions());
  int changes = 0;
  parameter.OnChange("cmbCheck", [&] { ++changes; });
  parameter.OnChange("memDescr", [&] { changes += 10; });
  parameter.SetIndex("cmbCheck", 3);
  EXPECT_EQ(changes, 0);
  parameter.SetText("memDescr", "x");
  EXPECT_EQ(changes, 10);
  EXPECT_THROW(parameter.OnClick("btnMissing", [] {}), std::logic_error);
}

TEST_F(DialogTest, CheckingARadioButtonClearsTheOthersOfItsGroup) {
  TDialog dialog(OptionsDialog(), OptionsOptions());
  std::vector<std::string> clicked;
  dialog.OnClick("rbnNormal", [&] { clicked.push_back("rbnNormal"); });
  dialog.OnClick("rbnMinimized", [&] { clicked.push_back("rbnMinimized"); });
  dialog.SetChecked("rbnNormal", true);
  dialog.SetChecked("rbnMinimized", true);
  EXPECT_FALSE(dialog.Checked("rbnNormal"));
  EXPECT_TRUE(dialog.Checked("rbnMinimized"));
  EXPECT_FALSE(dialog.Checked("cbxWait"));  // not a radio button: not in the group
  EXPECT_EQ(clicked, (std::vector<std::string>{"rbnNormal", "rbnMinimized"}));
  EXPECT_THROW(dialog.SetChecked("sbnTimeout", true), std::logic_error);
}

// How the running dialog ends, for input a user would give.
TEST_F(DialogTest, KeysButtonsAndClosingEndTheModalRun) {
  struct TStep {
    const char* control;  // "" for the dialog window
    UINT message;
    WPARAM wParam;
  };
  struct TCase {
    const char* what;
    std::vector<TStep> steps;
    TModalResult result;
  };
  const TCase cases[] = {
      {"Enter in the name", {{"edtName", WM_KEYDOWN, VK_RETURN}}, TModalResult::mrOK},
      {"Enter in the list", {{"cmbCheck", WM_KEYDOWN, VK_RETURN}}, TModalResult::mrOK},
      {"Esc in the name", {{"edtName", WM_KEYDOWN, VK_ESCAPE}}, TModalResult::mrCancel},
      {"Esc in the memo", {{"memDescr", WM_KEYDOWN, VK_ESCAPE}}, TModalResult::mrCancel},
      {"Enter on the Cancel button", {{"btnCancel", WM_KEYDOWN, VK_RETURN}},
       TModalResult::mrCancel},
      {"Enter in the memo is a new line, not OK",
       {{"memDescr", WM_KEYDOWN, VK_RETURN}, {"edtName", WM_KEYDOWN, VK_ESCAPE}},
       TModalResult::mrCancel},
      {"clicking OK", {{"btnOK", BM_CLICK, 0}}, TModalResult::mrOK},
      {"clicking Cancel", {{"btnCancel", BM_CLICK, 0}}, TModalResult::mrCancel},
      {"closing the window", {{"", WM_CLOSE, 0}}, TModalResult::mrCancel},
      {"closing from the system menu", {{"", WM_SYSCOMMAND, SC_CLOSE}}, TModalResult::mrCancel},
  };
  TDialog dialog(ParameterDialog(), ParameterOptions());
  int checks = 0;
  dialog.AddOkCheck([&]() -> std::optional<TCheckFailure> {
    ++checks;
    return std::nullopt;
  });
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    checks = 0;
    dialog.OnShown = [&](TDialog& d) {
      for (const auto& step : c.steps) {
        const HWND target = *step.control ? d.Control(step.control) : d.Handle();
        PostMessageW(target, step.message, step.wParam, 0);
      }
      CancelAfterAll(d);
    };
    EXPECT_EQ(dialog.ShowModal(Owner.Handle()), c.result);
    EXPECT_EQ(checks, c.result == TModalResult::mrOK ? 1 : 0) << "Cancel never checks";
  }
}

TEST_F(DialogTest, TabLeavesAMemoAndTypesNoTab) {
  TDialog dialog(ParameterDialog(), ParameterOptions());
  HWND focused = nullptr;
  std::string memo;
  dialog.OnShown = [&](TDialog& d) {
    d.SetText("memDescr", "first line");
    SetFocus(d.Control("memDescr"));
    PostKey(d, "memDescr", VK_TAB);
    d.Post([&] {
      focused = GetFocus();
      memo = d.Text("memDescr");
      d.Cancel();
    });
  };
  EXPECT_EQ(dialog.ShowModal(Owner.Handle()), TModalResult::mrCancel);
  EXPECT_EQ(focused, dialog.Control("cmbCheck"));
  EXPECT_EQ(memo, "first line");
}

TEST_F(DialogTest, AFailingCheckKeepsTheDialogOpenUntilTheValueIsFixed) {
  TDialog dialog(ParameterDialog(), ParameterOptions());
  std::vector<std::string> ran;
  dialog.AddOkCheck([&]() -> std::optional<TCheckFailure> {
    ran.push_back("name");
    if (dialog.Text("edtName").empty()) return TCheckFailure{"Please enter a name.", "edtName"};
    return std::nullopt;
  });
  dialog.AddOkCheck([&]() -> std::optional<TCheckFailure> {
    ran.push_back("check");
    return std::nullopt;
  });
  bool stillOpen = false;
  HWND focusAfterFailure = nullptr;
  dialog.OnShown = [&](TDialog& d) {
    SetFocus(d.Control("memDescr"));
    PostMessageW(d.Control("btnOK"), BM_CLICK, 0, 0);
    d.Post([&] {
      stillOpen = d.IsRunning();
      focusAfterFailure = GetFocus();
      d.SetText("edtName", "Target");
    });
    PostKey(d, "edtName", VK_RETURN);
    CancelAfterAll(d);
  };
  EXPECT_EQ(dialog.ShowModal(Owner.Handle()), TModalResult::mrOK);
  EXPECT_TRUE(stillOpen);
  EXPECT_EQ(focusAfterFailure, dialog.Control("edtName"));
  // The failing check stops the others; the second OK runs them all.
  EXPECT_EQ(ran, (std::vector<std::string>{"name", "name", "check"}));
  ASSERT_EQ(Recorder.Shown.size(), 1u);
  EXPECT_EQ(Recorder.Shown[0].Text, "Please enter a name.");
  EXPECT_EQ(Recorder.Shown[0].Caption, "Parameter");
  EXPECT_EQ(Recorder.Shown[0].Flags, static_cast<UINT>(MB_OK | MB_ICONWARNING));
}

TLayoutNode PagesDialog() {
  return Dialog({Edit("edtName"),
                 Pages("pgcOptions", {Page("General", {Check("cbxA", "A"), Edit("edtA")}),
                                      Page("More", {Check("cbxB", "B"), Edit("edtB")})})});
}

bool ShownOnScreen(HWND control) { return (GetWindowLongPtrW(control, GWL_STYLE) & WS_VISIBLE) != 0; }

TEST_F(DialogTest, PagesShowOneSetOfControlsAndAFailedCheckTurnsToItsField) {
  TDialogOptions options;
  options.Title = "Pages";
  options.FontPoints = 9;
  TDialog dialog(PagesDialog(), options);
  const HWND tabs = dialog.Control("pgcOptions");
  EXPECT_EQ(SendMessageW(tabs, TCM_GETITEMCOUNT, 0, 0), 2);
  EXPECT_EQ(dialog.ShownPage("pgcOptions"), 0);
  EXPECT_TRUE(ShownOnScreen(dialog.Control("edtA")));
  EXPECT_FALSE(ShownOnScreen(dialog.Control("edtB")));
  // The tab strip stays above the page: the controls below it are not covered.
  RECT strip = {}, field = {};
  GetWindowRect(tabs, &strip);
  GetWindowRect(dialog.Control("edtA"), &field);
  EXPECT_LE(strip.bottom, field.top);

  // A click on a tab (as the tab control reports it) turns the page.
  SendMessageW(tabs, TCM_SETCURSEL, 1, 0);
  NMHDR change = {tabs, static_cast<UINT_PTR>(GetDlgCtrlID(tabs)), static_cast<UINT>(TCN_SELCHANGE)};
  SendMessageW(dialog.Handle(), WM_NOTIFY, change.idFrom, reinterpret_cast<LPARAM>(&change));
  EXPECT_TRUE(ShownOnScreen(dialog.Control("edtB")));
  EXPECT_FALSE(ShownOnScreen(dialog.Control("edtA")));
  // Values of hidden pages are read like any other.
  dialog.SetText("edtA", "kept");
  TEditorValues values;
  dialog.Read(values);
  EXPECT_EQ(values.Text("edtA"), "kept");
  EXPECT_THROW(dialog.ShowPage("pgcOptions", 2), std::logic_error);
  EXPECT_THROW(dialog.ShowPage("edtA", 0), std::logic_error);

  // A check that fails on a field of a page not shown turns to that page and focuses it.
  dialog.AddOkCheck([&]() -> std::optional<TCheckFailure> {
    if (dialog.Text("edtA") != "fixed") return TCheckFailure{"Please fix A.", "edtA"};
    return std::nullopt;
  });
  HWND focus = nullptr;
  int page = -1;
  dialog.OnShown = [&](TDialog& d) {
    PostMessageW(d.Control("btnOK"), BM_CLICK, 0, 0);
    d.Post([&] {
      focus = GetFocus();
      page = d.ShownPage("pgcOptions");
      d.SetText("edtA", "fixed");
      d.PressOK();
    });
    CancelAfterAll(d);
  };
  EXPECT_EQ(dialog.ShowModal(Owner.Handle()), TModalResult::mrOK);
  EXPECT_EQ(page, 0);
  EXPECT_EQ(focus, dialog.Control("edtA"));
}

// Collapsible panels in a group that scrolls, as a dialog with many settings has them.
TLayoutNode PanelsDialog() {
  return Dialog({
      PanelGroup("pgrOptions",
                 {Panel("pnlMain", "Main",
                        {LabelBeside("Source dir:", Edit("edtSrcDir", 30)),
                         LabelBeside("Destination dir:", Edit("edtDestDir", 30))}),
                  Panel("pnlCopy", "Copy options",
                        {Check("cbxD", "Data"), Number("sedMaxFileSize", 14, 0, INT64_MAX),
                         Memo("memNotes", 12, 30)},
                        true),
                  Panel("pnlLog", "Logging Options",
                        {Check("cbxListOnly", "List only"), Edit("edtLogFileName", 30)}, true)},
                 160),
      Aligned(Button("btnCollapseAll", "Collapse all"), TAlign::alStart),
  });
}

// Where a control inside a panel group is, in the group window's client coordinates.
TRect InGroup(const TDialog& dialog, std::string_view name) {
  return RectInParent(dialog.Control(name));
}

TEST_F(DialogTest, PanelsCollapseAndTheirGroupScrolls) {
  TDialog dialog(PanelsDialog(), {"Panels", 9, {}});
  dialog.OnClick("btnCollapseAll", [&dialog] { dialog.CollapseAllPanels(); });
  const HWND group = dialog.Control("pgrOptions");
  EXPECT_EQ(GetParent(dialog.Control("edtSrcDir")), group);
  EXPECT_TRUE(ShownOnScreen(dialog.Control("edtSrcDir")));
  EXPECT_FALSE(ShownOnScreen(dialog.Control("cbxD")));
  EXPECT_EQ(dialog.Text("pnlCopy"), "+ Copy options");

  // A click on a header expands its panel; the dialog lays out again.
  SendMessageW(dialog.Control("pnlCopy"), BM_CLICK, 0, 0);
  EXPECT_TRUE(dialog.PanelExpanded("pnlCopy"));
  EXPECT_EQ(dialog.Text("pnlCopy"), "- Copy options");
  EXPECT_TRUE(ShownOnScreen(dialog.Control("cbxD")));
  EXPECT_GT(InGroup(dialog, "cbxD").Top, InGroup(dialog, "pnlCopy").Bottom());

  // Clicks inside the group reach the dialog's handlers.
  bool clicked = false;
  dialog.OnClick("cbxD", [&clicked] { clicked = true; });
  SendMessageW(dialog.Control("cbxD"), BM_CLICK, 0, 0);
  EXPECT_TRUE(clicked);
  EXPECT_TRUE(dialog.Checked("cbxD"));

  // The panels are now taller than the group: its scroll bar moves them.
  SCROLLINFO info = {};
  info.cbSize = sizeof info;
  info.fMask = SIF_ALL;
  ASSERT_TRUE(GetScrollInfo(group, SB_VERT, &info));
  EXPECT_GT(info.nMax + 1, static_cast<int>(info.nPage));
  const int top = InGroup(dialog, "edtSrcDir").Top;
  SendMessageW(group, WM_VSCROLL, SB_PAGEDOWN, 0);
  const int scrolled = dialog.PanelsScroll("pgrOptions");
  EXPECT_GT(scrolled, 0);
  EXPECT_EQ(InGroup(dialog, "edtSrcDir").Top, top - scrolled);
  SendMessageW(group, WM_VSCROLL, SB_BOTTOM, 0);
  const int last = dialog.PanelsScroll("pgrOptions");
  EXPECT_EQ(last, info.nMax + 1 - static_cast<int>(info.nPage));  // never past the end
  SendMessageW(group, WM_VSCROLL, SB_TOP, 0);
  EXPECT_EQ(dialog.PanelsScroll("pgrOptions"), 0);

  // "Collapse all" leaves only the headers, and nothing to scroll.
  SendMessageW(dialog.Control("btnCollapseAll"), BM_CLICK, 0, 0);
  for (const char* panel : {"pnlMain", "pnlCopy", "pnlLog"}) EXPECT_FALSE(dialog.PanelExpanded(panel));
  EXPECT_FALSE(ShownOnScreen(dialog.Control("edtSrcDir")));
  EXPECT_THROW(dialog.SetPanelExpanded("cbxD", true), std::logic_error);
}

// A number field inside a panel: a value past the range of int goes in and comes back
// as a large number, and its spin buttons step it.
TEST_F(DialogTest, LargeNumbersInANumberField) {
  TDialog dialog(PanelsDialog(), {"Panels", 9, {}});
  dialog.SetPanelExpanded("pnlCopy", true);
  TEditorValues values;
  values.SetLargeNumber("sedMaxFileSize", 5000000000);
  dialog.Fill(values);
  EXPECT_EQ(dialog.Text("sedMaxFileSize"), "5000000000");
  SendMessageW(dialog.Control("sedMaxFileSize"), WM_KEYDOWN, VK_UP, 0);
  SendMessageW(dialog.Control("sedMaxFileSize"), WM_KEYUP, VK_UP, 0);
  TEditorValues back;
  dialog.Read(back);
  EXPECT_EQ(back.LargeNumber("sedMaxFileSize"), 5000000001);
  dialog.SetText("sedMaxFileSize", "99999999999999999999");
  EXPECT_EQ(dialog.Number("sedMaxFileSize"), INT64_MAX);
}

// The wheel over a number field, or its spin buttons, scrolls the panel group while the
// field has no focus, and changes nothing; with the focus the field keeps the wheel.
TEST_F(DialogTest, TheWheelOverAFieldWithoutTheFocusScrollsItsGroup) {
  TDialog dialog(PanelsDialog(), {"Panels", 9, {}});
  dialog.SetPanelExpanded("pnlCopy", true);
  dialog.SetPanelExpanded("pnlLog", true);
  dialog.SetNumber("sedMaxFileSize", 5);
  const HWND field = dialog.Control("sedMaxFileSize");
  const HWND spin = FindWindowExW(dialog.Control("pgrOptions"), nullptr, UPDOWN_CLASSW, nullptr);
  ASSERT_TRUE(spin);
  const auto wheelDown = [](HWND window) {
    SendMessageW(window, WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), 0);
  };
  dialog.OnShown = [&](TDialog& d) {
    d.Post([&] {
      SetFocus(d.Control("pnlMain"));
      wheelDown(field);
      const int scrolled = d.PanelsScroll("pgrOptions");
      EXPECT_GT(scrolled, 0);
      wheelDown(spin);
      EXPECT_GT(d.PanelsScroll("pgrOptions"), scrolled);
      EXPECT_EQ(d.Number("sedMaxFileSize"), 5);

      SetFocus(field);
      const int focused = d.PanelsScroll("pgrOptions");
      wheelDown(field);
      wheelDown(spin);
      EXPECT_EQ(d.PanelsScroll("pgrOptions"), focused);
      d.Cancel();
    });
    CancelAfterAll(d);
  };
  dialog.ShowModal(Owner.Handle());
}

// A failed check on a field of a collapsed panel expands it and scrolls the field into
// view; the panels stay as they were left for the next use of the dialog.
TEST_F(DialogTest, PanelsRevealAFailedFieldAndAreKeptBetweenUses) {
  TDialog dialog(PanelsDialog(), {"Panels", 9, {}});
  dialog.SetPanelExpanded("pnlCopy", true);
  dialog.AddOkCheck([&]() -> std::optional<TCheckFailure> {
    if (dialog.Text("edtLogFileName").empty()) return TCheckFailure{"Please name the log.", "edtLogFileName"};
    return std::nullopt;
  });
  HWND focus = nullptr;
  bool expanded = false;
  TRect field;
  TRect view;
  dialog.OnShown = [&](TDialog& d) {
    PostMessageW(d.Control("btnOK"), BM_CLICK, 0, 0);
    d.Post([&] {
      focus = GetFocus();
      expanded = d.PanelExpanded("pnlLog");
      field = InGroup(d, "edtLogFileName");
      RECT client = {};
      GetClientRect(d.Control("pgrOptions"), &client);
      view = {0, 0, client.right, client.bottom};
      d.SetPanelExpanded("pnlMain", false);
      d.SetText("edtLogFileName", "rc.log");
      d.PressOK();
    });
    CancelAfterAll(d);
  };
  EXPECT_EQ(dialog.ShowModal(Owner.Handle()), TModalResult::mrOK);
  EXPECT_TRUE(expanded);
  EXPECT_EQ(focus, dialog.Control("edtLogFileName"));
  EXPECT_GE(field.Top, view.Top);
  EXPECT_LE(field.Bottom(), view.Bottom());

  std::vector<bool> shown;
  dialog.OnShown = [&](TDialog& d) {
    for (const char* panel : {"pnlMain", "pnlCopy", "pnlLog"}) shown.push_back(d.PanelExpanded(panel));
    d.Post([&d] { d.Cancel(); });
  };
  EXPECT_EQ(dialog.ShowModal(Owner.Handle()), TModalResult::mrCancel);
  EXPECT_EQ(shown, (std::vector<bool>{false, true, true}));
}

TEST_F(DialogTest, TheOwnerIsDisabledOnlyWhileTheDialogRuns) {
  TDialog dialog(ParameterDialog(), ParameterOptions());
  bool ownerEnabled = true;
  bool visible = false;
  dialog.OnShown = [&](TDialog& d) {
    ownerEnabled = IsWindowEnabled(Owner.Handle());
    visible = IsWindowVisible(d.Handle());
    PostKey(d, "edtName", VK_ESCAPE);
  };
  EXPECT_TRUE(IsWindowEnabled(Owner.Handle()));
  dialog.ShowModal(Owner.Handle());
  EXPECT_FALSE(ownerEnabled);
  EXPECT_TRUE(visible);
  EXPECT_TRUE(IsWindowEnabled(Owner.Handle()));
  EXPECT_FALSE(IsWindowVisible(dialog.Handle()));
  EXPECT_EQ(reinterpret_cast<HWND>(GetWindowLongPtrW(dialog.Handle(), GWLP_HWNDPARENT)),
            Owner.Handle());
}

TEST_F(DialogTest, IsKeptBetweenUsesWithWhatWasLastPutIn) {
  TDialog dialog(ParameterDialog(), ParameterOptions());
  const HWND window = dialog.Handle();
  dialog.OnShown = [](TDialog& d) {
    d.SetText("edtName", "First");
    d.SetIndex("cmbCheck", 3);
    PostKey(d, "edtName", VK_RETURN);
    // Input left over when the dialog closes must not act on its next showing.
    PostKey(d, "edtName", VK_RETURN);
    d.Post([] { ADD_FAILURE() << "an action of the first showing ran in the second"; });
  };
  EXPECT_EQ(dialog.ShowModal(Owner.Handle()), TModalResult::mrOK);
  EXPECT_TRUE(IsWindow(window));
  EXPECT_FALSE(IsWindowVisible(window));

  std::string name;
  int check = -1;
  dialog.OnShown = [&](TDialog& d) {
    name = d.Text("edtName");
    check = d.Index("cmbCheck");
    d.Post([&d] { d.Cancel(); });
  };
  EXPECT_EQ(dialog.ShowModal(Owner.Handle()), TModalResult::mrCancel);
  EXPECT_EQ(dialog.Handle(), window);
  EXPECT_EQ(name, "First");
  EXPECT_EQ(check, 3);
}

bool Overlap(const TRect& a, const TRect& b) {
  return a.Left < b.Right() && b.Left < a.Right() && a.Top < b.Bottom() && b.Top < a.Bottom();
}

std::string Show(const TRect& r) {
  return "(" + std::to_string(r.Left) + "," + std::to_string(r.Top) + " " +
         std::to_string(r.Width) + "x" + std::to_string(r.Height) + ")";
}

// The named controls of a description, each with the names of its named containers.
void NamedNodes(const TLayoutNode& node, std::vector<std::string>& containers,
                std::vector<std::pair<std::string, std::vector<std::string>>>& out) {
  if (!node.Name.empty()) out.push_back({node.Name, containers});
  if (!node.Name.empty()) containers.push_back(node.Name);
  for (const auto& child : node.Children) NamedNodes(child, containers, out);
  if (!node.Name.empty()) containers.pop_back();
}

// What the real controls report: every one inside the client, none overlapping another
// (but its group box), each where the layout put it. A combo's field may be lower than
// its rectangle; a number field leaves room for its spin buttons, which stay inside.
void ExpectControlsFit(const TDialog& dialog) {
  RECT clientRect = {};
  GetClientRect(dialog.Handle(), &clientRect);
  const TRect client{0, 0, clientRect.right, clientRect.bottom};
  EXPECT_GE(client.Width, dialog.PreferredClientSize().Width);
  EXPECT_GE(client.Height, dialog.PreferredClientSize().Height);
  std::vector<std::string> containers;
  std::vector<std::pair<std::string, std::vector<std::string>>> nodes;
  NamedNodes(dialog.Description(), containers, nodes);
  std::vector<TRect> real;
  for (const auto& [name, ancestors] : nodes) {
    const TRect r = RectInParent(dialog.Control(name));
    const TRect planned = dialog.LayoutRects().at(name);
    SCOPED_TRACE(name + " " + Show(r) + " planned " + Show(planned));
    real.push_back(r);
    EXPECT_GT(r.Width, 0);
    EXPECT_GT(r.Height, 0);
    EXPECT_GE(r.Left, 0);
    EXPECT_GE(r.Top, 0);
    EXPECT_LE(r.Right(), client.Width);
    EXPECT_LE(r.Bottom(), client.Height);
    EXPECT_EQ(r.Left, planned.Left);
    EXPECT_EQ(r.Top, planned.Top);
    if (name.rfind("cmb", 0) == 0) {
      // A combo's field is as high as its font and frame need, which may be a little more
      // than the layout's room for field edges; it must still fit and overlap nothing.
      EXPECT_EQ(r.Width, planned.Width);
      EXPECT_NEAR(r.Height, planned.Height, 2);
    } else if (name.rfind("sbn", 0) == 0) {
      EXPECT_LT(r.Width, planned.Width);
      EXPECT_EQ(r.Height, planned.Height);
      const HWND spin = GetWindow(dialog.Control(name), GW_HWNDNEXT);
      const TRect s = RectInParent(spin);
      // The spin buttons cover the field's right border (2 px), as UDS_ALIGNRIGHT does.
      EXPECT_GE(s.Left, r.Right() - 2);
      EXPECT_LE(s.Right(), planned.Right());
    } else {
      EXPECT_EQ(r.Width, planned.Width);
      EXPECT_EQ(r.Height, planned.Height);
    }
  }
  for (std::size_t i = 0; i < nodes.size(); ++i) {
    for (std::size_t j = i + 1; j < nodes.size(); ++j) {
      const auto& ancestors = nodes[j].second;
      if (std::find(ancestors.begin(), ancestors.end(), nodes[i].first) != ancestors.end()) {
        continue;
      }
      EXPECT_FALSE(Overlap(real[i], real[j]))
          << nodes[i].first << " " << Show(real[i]) << " overlaps " << nodes[j].first << " "
          << Show(real[j]);
    }
  }
}

// Tells the dialog it moved to a monitor of the given DPI, as Windows does.
void MoveToDpi(TDialog& dialog, int dpi) {
  RECT suggested = {};
  GetWindowRect(dialog.Handle(), &suggested);
  SendMessageW(dialog.Handle(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
               reinterpret_cast<LPARAM>(&suggested));
}

int FontHeight(HFONT font) {
  LOGFONTW logFont = {};
  GetObjectW(font, sizeof(logFont), &logFont);
  return logFont.lfHeight;
}

TEST_F(DialogTest, ControlsFitAtEveryFontSizeAndDpi) {
  const struct {
    const char* name;
    std::function<TLayoutNode()> description;
    TDialogOptions options;
  } samples[] = {{"Parameter", ParameterDialog, ParameterOptions()},
                 {"Options", OptionsDialog, OptionsOptions()}};
  for (const auto& sample : samples) {
    for (int points : {8, 12}) {
      for (int dpi : {96, 144}) {
        SCOPED_TRACE(std::string(sample.name) + " at " + std::to_string(points) + " pt, " +
                     std::to_string(dpi) + " dpi");
        TDialog dialog(sample.description(), sample.options);
        MoveToDpi(dialog, dpi);
        dialog.SetFontPoints(points);
        EXPECT_EQ(dialog.Dpi(), dpi);
        EXPECT_EQ(FontHeight(dialog.Font()), FontHeightFor(points, dpi));
        ExpectControlsFit(dialog);
        // A larger window gives the extra room to the stretching controls, still fitting.
        RECT w = {};
        GetWindowRect(dialog.Handle(), &w);
        SetWindowPos(dialog.Handle(), nullptr, 0, 0, w.right - w.left + 150,
                     w.bottom - w.top + 90, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        ExpectControlsFit(dialog);
      }
    }
  }
}

TEST_F(DialogTest, ADpiChangeRescalesTheFontAndTheControls) {
  TDialog dialog(ParameterDialog(), ParameterOptions());
  MoveToDpi(dialog, 96);
  const TSize at96 = dialog.PreferredClientSize();
  const TRect name96 = RectInParent(dialog.Control("edtName"));
  const TRect ok96 = RectInParent(dialog.Control("btnOK"));

  RECT suggested = {100, 80, 110, 90};  // too small: the dialog grows to its preferred size
  SendMessageW(dialog.Handle(), WM_DPICHANGED, MAKEWPARAM(144, 144),
               reinterpret_cast<LPARAM>(&suggested));
  EXPECT_EQ(dialog.Dpi(), 144);
  EXPECT_EQ(FontHeight(dialog.Font()), FontHeightFor(9, 144));
  for (const char* name : {"edtName", "memDescr", "cmbCheck", "lblName", "btnOK"}) {
    EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageW(dialog.Control(name), WM_GETFONT, 0, 0)),
              dialog.Font())
        << name;
  }
  RECT window = {};
  GetWindowRect(dialog.Handle(), &window);
  EXPECT_EQ(window.left, 100);
  EXPECT_EQ(window.top, 80);
  // Real fonts round their extents, so the scale is only about 1.5.
  const TSize at144 = dialog.PreferredClientSize();
  EXPECT_NEAR(at144.Width, at96.Width * 1.5, at96.Width * 0.1);
  EXPECT_NEAR(at144.Height, at96.Height * 1.5, at96.Height * 0.1);
  const TRect name144 = RectInParent(dialog.Control("edtName"));
  const TRect ok144 = RectInParent(dialog.Control("btnOK"));
  EXPECT_NEAR(name144.Width, name96.Width * 1.5, name96.Width * 0.1);
  EXPECT_NEAR(name144.Height, name96.Height * 1.5, name96.Height * 0.15);
  EXPECT_NEAR(ok144.Width, ok96.Width * 1.5, ok96.Width * 0.1);
  ExpectControlsFit(dialog);

  MoveToDpi(dialog, 96);
  EXPECT_EQ(dialog.PreferredClientSize().Width, at96.Width);
  EXPECT_EQ(dialog.PreferredClientSize().Height, at96.Height);
}

TEST_F(DialogTest, AFontSizeChangeLaysTheDialogOutAgain) {
  TDialog dialog(ParameterDialog(), ParameterOptions());
  MoveToDpi(dialog, 96);
  dialog.SetText("edtName", "kept");
  const TSize small = dialog.PreferredClientSize();
  const TRect memo = RectInParent(dialog.Control("memDescr"));
  dialog.SetFontPoints(12);
  EXPECT_EQ(dialog.FontPoints(), 12);
  EXPECT_EQ(FontHeight(dialog.Font()), FontHeightFor(12, 96));
  EXPECT_GT(dialog.PreferredClientSize().Width, small.Width);
  EXPECT_GT(dialog.PreferredClientSize().Height, small.Height);
  const TRect larger = RectInParent(dialog.Control("memDescr"));
  EXPECT_GT(larger.Width, memo.Width);
  EXPECT_GT(larger.Height, memo.Height);
  EXPECT_EQ(dialog.Text("edtName"), "kept");
  ExpectControlsFit(dialog);
}

TEST(GdiTextMeasurer, GrowsWithTheFontAndTheDpi) {
  const struct {
    int points;
    int dpi;
  } sizes[] = {{8, 96}, {12, 96}, {8, 144}, {12, 144}};
  std::vector<int> widths;
  for (const auto& size : sizes) {
    const TScopedFont font = CreateMessageFont(size.points, size.dpi);
    const TGdiTextMeasurer measurer(font.Get());
    SCOPED_TRACE(std::to_string(size.points) + " pt, " + std::to_string(size.dpi) + " dpi");
    EXPECT_GE(measurer.LineHeight(), -FontHeightFor(size.points, size.dpi));
    EXPECT_GT(measurer.AverageCharWidth(), 0);
    EXPECT_EQ(measurer.TextWidth(""), 0);
    EXPECT_LT(measurer.TextWidth("iii"), measurer.TextWidth("WWW"));
    EXPECT_EQ(measurer.TextWidth("ab") + measurer.TextWidth("cd") >= measurer.TextWidth("abcd") - 1,
              true);
    widths.push_back(measurer.TextWidth("Description:"));
  }
  EXPECT_LT(widths[0], widths[1]);
  EXPECT_LT(widths[0], widths[2]);
  EXPECT_LT(widths[2], widths[3]);
  EXPECT_NEAR(widths[2], widths[0] * 1.5, widths[0] * 0.15);
}

TEST(MessageBoxSeam, AScopedReplacementRecordsAndRestores) {
  TMessageBoxSeam& real = MessageBoxes();
  TMessageRecorder outer;
  {
    TScopedMessageBoxSeam replace(outer);
    EXPECT_EQ(&MessageBoxes(), &outer);
    TMessageRecorder inner;
    {
      TScopedMessageBoxSeam nested(inner);
      EXPECT_EQ(ShowMessageBox(nullptr, "inner", "Caption", MB_OK), IDOK);
    }
    EXPECT_EQ(ShowMessageBox(nullptr, "outer", "Caption", MB_YESNO), IDOK);
    ASSERT_EQ(inner.Shown.size(), 1u);
    EXPECT_EQ(inner.Shown[0].Text, "inner");
  }
  ASSERT_EQ(outer.Shown.size(), 1u);
  EXPECT_EQ(outer.Shown[0].Text, "outer");
  EXPECT_EQ(outer.Shown[0].Flags, static_cast<UINT>(MB_YESNO));
  EXPECT_EQ(&MessageBoxes(), &real);
}

}  // namespace
}  // namespace palvetta
