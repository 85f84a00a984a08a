#include "gui/win/edit_grid.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "base/win/wide.h"
#include "gui/win/dialog.h"
#include "support/png_file.h"
#include "support/sample_dialog_options.h"
#include "support/sample_dialogs.h"
#include "support/ui_test_support.h"

namespace palvetta {
namespace {

const TStrings kTargets = {"alpha", "beta", "gamma", "delta"};

// Columns of every kind: typed, picked by index, picked by text.
std::vector<TGridColumn> Columns() {
  return {TGridColumn::Text("Name"), TGridColumn::PickIndex("Check", kParameterChecks),
          TGridColumn::PickText("Target")};
}

HWND CreateChild(HWND parent, const wchar_t* className, DWORD style, std::string text, TRect pos) {
  TControlArgs args;
  args.Parent = parent;
  args.ClassName = className;
  args.Style = style;
  args.Text = std::move(text);
  args.Pos = pos;
  return CreateControl(args);
}

std::wstring ClassOf(HWND window) {
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  return name;
}

void Key(HWND window, WPARAM key) { SendMessageW(window, WM_KEYDOWN, key, 1); }

// A fresh row's value of each column.
std::string Fresh(int col) { return col == 1 ? "0" : ""; }

// The one cell whose value differs from a fresh row's, as (column, row); (-1, -1) when
// none or several do.
std::pair<int, int> ChangedCell(const TEditGrid& grid) {
  std::pair<int, int> changed{-1, -1};
  int count = 0;
  for (int r = 0; r < grid.GetRowCount(); ++r) {
    for (int c = 0; c < grid.ColumnCount(); ++c) {
      if (grid.GetCell(c, r) != Fresh(c)) {
        changed = {c, r};
        ++count;
      }
    }
  }
  return count == 1 ? changed : std::pair<int, int>{-1, -1};
}

class EditGridTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { ASSERT_TRUE(InitTestControls()); }

  EditGridTest() {
    for (int c = 0; c < Grid.ColumnCount(); ++c) ListView_SetColumnWidth(ListView, c, 140);
    Grid.SetRowCount(100);
    Grid.SetChoices(2, kTargets);
  }

  void Click(int col, int row, UINT message = WM_LBUTTONDOWN) {
    RECT cell = {};
    ListView_GetSubItemRect(ListView, row, col, LVIR_BOUNDS, &cell);
    if (col == 0) cell.right = cell.left + ListView_GetColumnWidth(ListView, 0);
    const LPARAM at = MAKELPARAM((cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2);
    SendMessageW(ListView, message, MK_LBUTTON, at);
    SendMessageW(ListView, WM_LBUTTONUP, 0, at);
  }

  // Which cell is being edited, found by what accepting a new value changes: a typed
  // text, or the last entry of a drop-down.
  std::pair<int, int> EditedCell() {
    const HWND editor = Grid.Editor();
    if (!editor) return {-1, -1};
    if (ClassOf(editor) == L"Edit") {
      SetWindowTextW(editor, L"marked");
    } else {
      SendMessageW(editor, CB_SETCURSEL, SendMessageW(editor, CB_GETCOUNT, 0, 0) - 1, 0);
    }
    Key(editor, VK_RETURN);
    EXPECT_FALSE(Grid.IsEditing());
    const std::pair<int, int> cell = ChangedCell(Grid);
    if (cell.first >= 0) Grid.SetCell(cell.first, cell.second, Fresh(cell.first));
    return cell;
  }

  TOwnerWindow Owner;
  HWND ListView = CreateChild(Owner.Handle(), WC_LISTVIEWW,
                              WS_TABSTOP | LVS_REPORT | LVS_SHOWSELALWAYS | LVS_SINGLESEL, "",
                              {10, 10, 460, 300});
  HWND Elsewhere = CreateChild(Owner.Handle(), L"BUTTON", WS_TABSTOP, "Elsewhere", {10, 320, 100, 25});
  TEditGrid Grid{ListView, Columns()};
};

TEST_F(EditGridTest, CellsOutsideTheGridReadEmptyAndIgnoreWrites) {
  EXPECT_EQ(Grid.GetRowCount(), 100);
  EXPECT_EQ(ListView_GetItemCount(ListView), 100);
  EXPECT_EQ(ListViewCellText(ListView, 1, 99), "No Check") << "a fresh row's check is the first entry";
  const std::pair<int, int> outside[] = {{0, 100}, {0, -1}, {1, 100}, {3, 0}, {-1, 0}};
  for (const auto& [col, row] : outside) {
    SCOPED_TRACE(std::to_string(col) + "," + std::to_string(row));
    Grid.SetCell(col, row, "x");
    Grid.SetCellInt(col, row, 2);
    EXPECT_EQ(Grid.GetCell(col, row), "");
    EXPECT_EQ(Grid.GetCellInt(col, row), 0);
  }
  EXPECT_EQ(ChangedCell(Grid), std::make_pair(-1, -1));
  EXPECT_EQ(Grid.GetRowCount(), 100);
  EXPECT_EQ(ListView_GetItemCount(ListView), 100);

  // Numbers belong to pick-index columns only.
  Grid.SetCellInt(0, 5, 3);
  Grid.SetCell(2, 5, "7");
  EXPECT_EQ(Grid.GetCell(0, 5), "");
  EXPECT_EQ(Grid.GetCellInt(2, 5), 0);
  Grid.SetCellInt(1, 5, 3);
  EXPECT_EQ(Grid.GetCell(1, 5), "3");

  // A pick-index cell shows its entry, or nothing for an index that names none.
  const std::pair<const char*, const char*> shown[] = {
      {"2", "Path must exist"}, {"3", "Path must be empty or must not exist"},
      {"4", ""}, {"-1", ""}, {"x", ""}, {"", ""}, {"1 ", ""}};
  for (const auto& [value, text] : shown) {
    SCOPED_TRACE(value);
    Grid.SetCell(1, 0, value);
    EXPECT_EQ(Grid.GetCell(1, 0), value);
    EXPECT_EQ(ListViewCellText(ListView, 1, 0), text);
  }
  Grid.SetCell(2, 0, "anything");
  EXPECT_EQ(ListViewCellText(ListView, 2, 0), "anything");

  Grid.ClearGrid();
  EXPECT_EQ(Grid.GetRowCount(), 0);
  EXPECT_EQ(ListView_GetItemCount(ListView), 0);
  EXPECT_EQ(Grid.GetCell(0, 0), "");
  Grid.EditCell(0, 0);
  EXPECT_FALSE(Grid.IsEditing());
}

TEST_F(EditGridTest, ClicksAndKeysEditTheCellTheyPointAt) {
  Click(0, 3);
  ASSERT_TRUE(Grid.IsEditing());
  EXPECT_EQ(ClassOf(Grid.Editor()), L"Edit");
  EXPECT_TRUE(IsWindowVisible(Grid.Editor()));
  EXPECT_EQ(GetFocus(), Grid.Editor());
  EXPECT_EQ(EditedCell(), std::make_pair(0, 3));
  EXPECT_EQ(GetFocus(), ListView) << "the focus goes back to the grid";

  Click(1, 4);
  ASSERT_TRUE(Grid.IsEditing());
  EXPECT_EQ(ClassOf(Grid.Editor()), L"ComboBox");
  EXPECT_TRUE(SendMessageW(Grid.Editor(), CB_GETDROPPEDSTATE, 0, 0)) << "the list drops down";
  EXPECT_EQ(EditedCell(), std::make_pair(1, 4));

  Click(2, 5, WM_LBUTTONDBLCLK);
  EXPECT_EQ(EditedCell(), std::make_pair(2, 5));

  // The keyboard edits the focused row, in the column last edited or chosen with the arrows.
  ListView_SetItemState(ListView, 6, LVIS_FOCUSED, LVIS_FOCUSED);
  Key(ListView, VK_F2);
  EXPECT_EQ(EditedCell(), std::make_pair(2, 6));
  Key(ListView, VK_LEFT);
  Key(ListView, VK_LEFT);
  Key(ListView, VK_LEFT);
  EXPECT_EQ(Grid.FocusedColumn(), 0);
  Key(ListView, VK_RIGHT);
  MSG enter = {ListView, WM_KEYDOWN, VK_RETURN, 1, 0, {}};
  EXPECT_TRUE(Grid.PreTranslate(enter));
  EXPECT_EQ(EditedCell(), std::make_pair(1, 6));
  Key(ListView, VK_RIGHT);
  Key(ListView, VK_RIGHT);
  EXPECT_EQ(Grid.FocusedColumn(), 2);
  Key(ListView, VK_RETURN);
  EXPECT_EQ(EditedCell(), std::make_pair(2, 6));
  // Esc on the grid itself is not the grid's.
  MSG escape = {ListView, WM_KEYDOWN, VK_ESCAPE, 1, 0, {}};
  EXPECT_FALSE(Grid.PreTranslate(escape));
}

TEST_F(EditGridTest, ATypedCellIsAcceptedByEnterOrLeavingAndCancelledByEsc) {
  struct TCase {
    const char* what;
    std::function<void()> end;
    const char* kept;
  };
  const TCase cases[] = {
      {"Enter", [this] { Key(Grid.Editor(), VK_RETURN); }, "new"},
      {"Esc", [this] { Key(Grid.Editor(), VK_ESCAPE); }, "old"},
      {"Enter seen by a dialog's loop",
       [this] {
         EXPECT_TRUE(Grid.PreTranslate({Grid.Editor(), WM_KEYDOWN, VK_RETURN, 1, 0, {}}));
       },
       "new"},
      {"Esc seen by a dialog's loop",
       [this] {
         EXPECT_TRUE(Grid.PreTranslate({Grid.Editor(), WM_KEYDOWN, VK_ESCAPE, 1, 0, {}}));
       },
       "old"},
      {"the focus moving elsewhere", [this] { SetFocus(Elsewhere); }, "new"},
      {"another cell being edited", [this] { Click(0, 4); }, "new"},
      {"the grid scrolling", [this] { SendMessageW(ListView, WM_VSCROLL, SB_LINEDOWN, 0); },
       "new"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Grid.SetRowCount(100);
    Grid.SetCell(0, 2, "old");
    Grid.EditCell(0, 2);
    const HWND editor = Grid.Editor();
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(WindowText(editor), "old");
    SetWindowTextW(editor, L"new");
    c.end();
    EXPECT_EQ(Grid.GetCell(0, 2), c.kept);
    EXPECT_EQ(ListViewCellText(ListView, 0, 2), c.kept);
    Grid.CancelEdit();
    EXPECT_FALSE(IsWindowVisible(editor));
  }
  // The other cells never change.
  Grid.SetCell(0, 2, "");
  EXPECT_EQ(ChangedCell(Grid), std::make_pair(-1, -1));
}

// Both kinds of drop-down cell, ended every way there is. Esc closes the open list first;
// that close-up must not count as a choice while the edit is already being cancelled.
TEST_F(EditGridTest, APickedCellTakesTheChosenEntryOrKeepsItsValue) {
  struct TColumnCase {
    int col;
    const char* old;
    int oldIndex;
    std::function<std::string(int)> valueOf;  // the cell's value for an entry's index
    std::function<std::string(int)> shownOf;
  };
  const TColumnCase columns[] = {
      {1, "1", 1, [](int i) { return IntToStr(i); }, [](int i) { return kParameterChecks[static_cast<std::size_t>(i)]; }},
      {2, "beta", 1, [](int i) { return kTargets[static_cast<std::size_t>(i)]; },
       [](int i) { return kTargets[static_cast<std::size_t>(i)]; }},
  };
  struct TEnd {
    const char* what;
    int choose;  // the entry selected before the edit ends; -1: none
    std::function<void()> end;
    bool accepted;
  };
  const TEnd ends[] = {
      {"Enter", 3, [this] { Key(Grid.Editor(), VK_RETURN); }, true},
      {"Esc", 3, [this] { Key(Grid.Editor(), VK_ESCAPE); }, false},
      {"closing the list", 2,
       [this] { SendMessageW(Grid.Editor(), CB_SHOWDROPDOWN, FALSE, 0); }, true},
      {"closing the list with nothing chosen", -1,
       [this] { SendMessageW(Grid.Editor(), CB_SHOWDROPDOWN, FALSE, 0); }, false},
      {"the focus moving elsewhere", 0, [this] { SetFocus(Elsewhere); }, true},
  };
  for (const auto& column : columns) {
    for (const auto& end : ends) {
      SCOPED_TRACE(std::string(end.what) + " in column " + std::to_string(column.col));
      Grid.SetCell(column.col, 7, column.old);
      Grid.EditCell(column.col, 7);
      const HWND combo = Grid.Editor();
      ASSERT_NE(combo, nullptr);
      EXPECT_EQ(SendMessageW(combo, CB_GETCOUNT, 0, 0), 4);
      EXPECT_EQ(SendMessageW(combo, CB_GETCURSEL, 0, 0), column.oldIndex);
      SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(end.choose), 0);
      end.end();
      EXPECT_FALSE(Grid.IsEditing());
      EXPECT_FALSE(IsWindowVisible(combo));
      const int expected = end.accepted ? end.choose : column.oldIndex;
      EXPECT_EQ(Grid.GetCell(column.col, 7), column.valueOf(expected));
      EXPECT_EQ(ListViewCellText(ListView, column.col, 7), column.shownOf(expected));
    }
  }

  // A value that is no entry selects none, and stays when none is chosen.
  const std::pair<int, const char*> strangers[] = {{1, "9"}, {2, "Beta"}, {2, "omega"}};
  for (const auto& [col, value] : strangers) {
    SCOPED_TRACE(value);
    Grid.SetCell(col, 8, value);
    Grid.EditCell(col, 8);
    EXPECT_EQ(SendMessageW(Grid.Editor(), CB_GETCURSEL, 0, 0), -1);
    SendMessageW(Grid.Editor(), CB_SHOWDROPDOWN, FALSE, 0);
    EXPECT_FALSE(Grid.IsEditing());
    EXPECT_EQ(Grid.GetCell(col, 8), value);
  }
}

// The width of the text in the control's font.
int TextWidth(HWND control, const std::wstring& text) {
  const HDC dc = GetDC(control);
  const HGDIOBJ old =
      SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(control, WM_GETFONT, 0, 0)));
  SIZE size = {};
  GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
  SelectObject(dc, old);
  ReleaseDC(control, dc);
  return size.cx;
}

TEST_F(EditGridTest, TheDropDownShowsWholeEntriesAndItsFieldFitsTheRow) {
  const std::wstring longEntry =
      L"a target whose name is far wider than the column it is picked in";
  Grid.SetChoices(2, {"short", Narrow(longEntry)});
  const HFONT bigger = CreateFontW(-20, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0,
                                   L"Tahoma");
  // In the list view's first font and in a bigger one set later.
  for (const HFONT font : {static_cast<HFONT>(nullptr), bigger}) {
    SCOPED_TRACE(font ? "bigger font" : "first font");
    if (font) SendMessageW(ListView, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    for (int col : {1, 2}) {
      SCOPED_TRACE("column " + std::to_string(col));
      Grid.EditCell(col, 3);
      const HWND combo = Grid.Editor();
      ASSERT_NE(combo, nullptr);
      RECT row = {};
      ListView_GetSubItemRect(ListView, 3, col, LVIR_BOUNDS, &row);
      RECT field = {};
      GetWindowRect(combo, &field);
      EXPECT_LE(field.bottom - field.top, row.bottom - row.top) << "the closed field";
      TEXTMETRICW metrics = {};
      const HDC dc = GetDC(combo);
      const HGDIOBJ old =
          SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(combo, WM_GETFONT, 0, 0)));
      GetTextMetricsW(dc, &metrics);
      SelectObject(dc, old);
      ReleaseDC(combo, dc);
      EXPECT_GE(SendMessageW(combo, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0),
                metrics.tmHeight)
          << "the field's text is not cut";

      COMBOBOXINFO info = {};
      info.cbSize = sizeof(info);
      ASSERT_TRUE(GetComboBoxInfo(combo, &info));
      RECT list = {};
      GetClientRect(info.hwndList, &list);
      int widest = 0;
      const int count = static_cast<int>(SendMessageW(combo, CB_GETCOUNT, 0, 0));
      for (int i = 0; i < count; ++i) {
        wchar_t text[128] = {};
        SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
        widest = std::max(widest, TextWidth(combo, text));
      }
      EXPECT_GT(list.right, widest) << "the drop-down list's room for its entries";
      EXPECT_GE(list.right, field.right - field.left - 2 * GetSystemMetrics(SM_CXEDGE))
          << "never narrower than the cell";
      Key(combo, VK_ESCAPE);
    }
  }
  SendMessageW(ListView, WM_SETFONT, 0, FALSE);
  DeleteObject(bigger);
}

class EditGridDialogTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { ASSERT_TRUE(InitTestControls()); }

  // Runs the steps one after another in the dialog's own loop: each step's posted input
  // is handled before the next step runs. A dialog still open after them fails the test.
  static void RunSteps(TDialog& dialog, std::vector<std::function<void(TDialog&)>> steps) {
    auto remaining = std::make_shared<std::vector<std::function<void(TDialog&)>>>(std::move(steps));
    auto next = std::make_shared<std::function<void(std::size_t)>>();
    *next = [&dialog, remaining, next](std::size_t i) {
      if (i == remaining->size()) {
        dialog.Post([&dialog] {
          ADD_FAILURE() << "the dialog was still open after the test's input";
          dialog.Cancel();
        });
        return;
      }
      dialog.Post([&dialog, remaining, next, i] {
        (*remaining)[i](dialog);
        if (dialog.IsRunning()) (*next)(i + 1);
      });
    };
    (*next)(0);
  }

  TMessageRecorder Recorder;
  TScopedMessageBoxSeam Seam{Recorder};
  TOwnerWindow Owner;
  TDialog Editor{SubroutineGridDialog(), SubroutineOptions()};
};

TEST_F(EditGridDialogTest, EnterAndEscInACellEndTheEditNotTheDialog) {
  TEditorValues values;
  values.SetRows("vstParams", {{"old", "kept", "2"}});
  Editor.Fill(values);
  TEditGrid& grid = Editor.EditGrid("vstParams");
  std::vector<std::string> seen;
  auto note = [&](TDialog& d) {
    seen.push_back(grid.GetCell(0, 0) + (grid.IsEditing() ? " editing" : "") +
                   (d.IsRunning() ? "" : " closed"));
  };
  Editor.OnShown = [&](TDialog& d) {
    RunSteps(d, {
                    [&](TDialog&) {
                      grid.EditCell(0, 0);
                      SetWindowTextW(grid.Editor(), L"dropped");
                      PostMessageW(grid.Editor(), WM_KEYDOWN, VK_ESCAPE, 1);
                    },
                    [&](TDialog& d) {
                      note(d);
                      grid.EditCell(0, 0);
                      SetWindowTextW(grid.Editor(), L"typed");
                      PostMessageW(grid.Editor(), WM_KEYDOWN, VK_RETURN, 1);
                    },
                    [&](TDialog& d) {
                      note(d);
                      grid.EditCell(2, 0);
                      PostMessageW(grid.Editor(), WM_KEYDOWN, VK_ESCAPE, 1);
                    },
                    [&](TDialog& d) {
                      note(d);
                      // Enter on the grid edits its focused cell instead of pressing OK.
                      SetFocus(grid.Handle());
                      PostMessageW(grid.Handle(), WM_KEYDOWN, VK_LEFT, 1);
                      PostMessageW(grid.Handle(), WM_KEYDOWN, VK_LEFT, 1);
                      PostMessageW(grid.Handle(), WM_KEYDOWN, VK_RETURN, 1);
                    },
                    [&](TDialog& d) {
                      note(d);
                      SetWindowTextW(grid.Editor(), L"last");
                      // OK while a cell is edited keeps what was typed.
                      PostMessageW(d.Control("btnOK"), BM_CLICK, 0, 0);
                    },
                });
  };
  EXPECT_EQ(Editor.ShowModal(Owner.Handle()), TModalResult::mrOK);
  EXPECT_EQ(seen, (std::vector<std::string>{"old", "typed", "typed", "typed editing"}));
  EXPECT_FALSE(grid.IsEditing());
  TEditorValues back;
  Editor.Read(back);
  EXPECT_EQ(back.Rows("vstParams").at(0), (TStrings{"last", "kept", "2"}));

  // Cancel drops an edit under way.
  Editor.OnShown = [&](TDialog& d) {
    RunSteps(d, {[&](TDialog& d) {
               grid.EditCell(0, 0);
               SetWindowTextW(grid.Editor(), L"dropped");
               d.Cancel();
             }});
  };
  EXPECT_EQ(Editor.ShowModal(Owner.Handle()), TModalResult::mrCancel);
  EXPECT_FALSE(grid.IsEditing());
  EXPECT_EQ(grid.GetCell(0, 0), "last");
}

TEST_F(EditGridDialogTest, Screenshot) {
  TEditorValues values;
  values.SetText("edtName", "CopyFiles");
  values.SetText("memDescr", "Copies the files of a folder");
  values.SetRows("vstParams", {{"Source", "The folder to copy", "2"},
                               {"Target", "Where the copies go", "3"},
                               {"Mode", "", "0"}});
  values.SetRows("vstDispatcher", {{"1", "CopyFiles", ""}, {"2", "End", ""}});
  Editor.Fill(values);
  TEditGrid& grid = Editor.EditGrid("vstParams");
  bool written = false;
  Editor.OnShown = [&](TDialog& d) {
    RunSteps(d, {
                    [&](TDialog&) {
                      grid.EditCell(1, 1);
                      SetWindowTextW(grid.Editor(), L"Where the copies go, created when missing");
                    },
                    [&](TDialog& d) {
                      RedrawWindow(d.Handle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
                      WritePngFile(ScreenshotFolder() / "edit-grid.png", CaptureClient(d.Handle()));
                      grid.EditCell(2, 0);
                    },
                    [&](TDialog& d) {
                      COMBOBOXINFO combo = {};
                      combo.cbSize = sizeof(combo);
                      GetComboBoxInfo(grid.Editor(), &combo);
                      RedrawWindow(d.Handle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
                      UpdateWindow(combo.hwndList);
                      WritePngFile(ScreenshotFolder() / "edit-grid-drop-down.png",
                                   CaptureClient(d.Handle()));
                      written = true;
                      d.Cancel();
                    },
                });
  };
  Editor.ShowModal(Owner.Handle());
  EXPECT_TRUE(written);
}

}  // namespace
}  // namespace palvetta
