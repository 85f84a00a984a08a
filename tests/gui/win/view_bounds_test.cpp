#include "gui/win/view_bounds.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>

#include "base/win/wide.h"
#include "support/png_file.h"
#include "support/ui_test_support.h"

namespace palvetta {
namespace {

HWND MakeTree(HWND parent) {
  const HWND tree = CreateControl({.Parent = parent,
                                   .ClassName = WC_TREEVIEWW,
                                   .Style = TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT,
                                   .ExStyle = WS_EX_CLIENTEDGE,
                                   .Pos = {10, 10, 200, 200}});
  HTREEITEM category = nullptr;
  for (int i = 0; i < 40; ++i) {
    std::wstring text = L"Entry " + std::to_wstring(i);
    TVINSERTSTRUCTW insert = {};
    insert.hParent = i % 10 == 0 ? TVI_ROOT : category;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT;
    insert.item.pszText = text.data();
    const HTREEITEM item = TreeView_InsertItem(tree, &insert);
    if (i % 10 == 0) category = item;
  }
  for (HTREEITEM root = TreeView_GetRoot(tree); root; root = TreeView_GetNextSibling(tree, root)) {
    TreeView_Expand(tree, root, TVE_EXPAND);
  }
  TreeView_SelectSetFirstVisible(tree, TreeView_GetRoot(tree));
  return tree;
}

HWND MakeList(HWND parent) {
  const HWND list = CreateControl({.Parent = parent,
                                   .ClassName = WC_LISTVIEWW,
                                   .Style = LVS_REPORT,
                                   .ExStyle = WS_EX_CLIENTEDGE,
                                   .Pos = {10, 10, 200, 200}});
  LVCOLUMNW column = {};
  column.mask = LVCF_TEXT | LVCF_WIDTH;
  column.pszText = const_cast<wchar_t*>(L"Command");
  column.cx = 150;
  ListView_InsertColumn(list, 0, &column);
  for (int row = 0; row < 60; ++row) {
    std::wstring text = L"Row " + std::to_wstring(row);
    LVITEMW item = {};
    item.mask = LVIF_TEXT;
    item.iItem = row;
    item.pszText = text.data();
    ListView_InsertItem(list, &item);
  }
  return list;
}

RECT ClientOf(HWND window) {
  RECT client = {};
  GetClientRect(window, &client);
  return client;
}

std::string Describe(const RECT& r) {
  return "(" + std::to_string(r.left) + "," + std::to_string(r.top) + ")-(" +
         std::to_string(r.right) + "," + std::to_string(r.bottom) + ")";
}

// rpAll: the view's own handling decides (it scrolled, or it is wider); what is kept
// then is the view's business, not SetViewBounds'.
enum class TRepaint { rpNothing, rpGainedStrip, rpAll };

TEST(ViewBoundsTest, AViewRepaintsOnlyWhatItsNewBoundsChanged) {
  ASSERT_TRUE(InitTestControls());
  const struct {
    const char* Change;
    TRect Bounds;
    TRepaint Expected;
  } cases[] = {
      {"taller", {10, 10, 200, 240}, TRepaint::rpGainedStrip},
      {"shorter", {10, 10, 200, 170}, TRepaint::rpNothing},
      {"wider", {10, 10, 230, 200}, TRepaint::rpAll},
  };
  for (const auto& make : {&MakeTree, &MakeList}) {
    for (const auto& c : cases) {
      TOwnerWindow owner;
      const HWND view = make(owner.Handle());
      wchar_t cls[64] = {};
      GetClassNameW(view, cls, 64);
      SCOPED_TRACE(std::string(c.Change) + " " + Narrow(cls));
      UpdateWindow(owner.Handle());
      RedrawWindow(view, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
      const RECT before = ClientOf(view);

      SetViewBounds(view, c.Bounds);
      RECT update = {};
      const bool pending = GetUpdateRect(view, &update, FALSE) != FALSE;
      const RECT after = ClientOf(view);
      switch (c.Expected) {
        case TRepaint::rpNothing:
          EXPECT_TRUE(!pending || IsRectEmpty(&update)) << Describe(update);
          break;
        case TRepaint::rpGainedStrip:
          ASSERT_TRUE(pending);
          EXPECT_EQ(Describe(update), Describe({0, before.bottom, after.right, after.bottom}));
          break;
        case TRepaint::rpAll:
          EXPECT_TRUE(pending);
          continue;
      }
      // What it kept is what a full repaint draws.
      RedrawWindow(view, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
      const TRgbImage kept = CaptureClient(view);
      RedrawWindow(view, nullptr, nullptr,
                   RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
      const TRgbImage full = CaptureClient(view);
      EXPECT_TRUE(kept.Pixels == full.Pixels) << "stale pixels after the change";
    }
  }
}

TEST(ViewBoundsTest, ATreeThatScrollsAsItGrowsIsRepaintedWhole) {
  ASSERT_TRUE(InitTestControls());
  TOwnerWindow owner;
  const HWND tree = MakeTree(owner.Handle());
  SendMessageW(tree, WM_VSCROLL, SB_BOTTOM, 0);
  UpdateWindow(owner.Handle());
  RedrawWindow(tree, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
  const int scrolled = GetScrollPos(tree, SB_VERT);
  SetViewBounds(tree, {10, 10, 200, 260});
  ASSERT_LT(GetScrollPos(tree, SB_VERT), scrolled) << "the tree shows more rows at its top";
  RECT update = {};
  ASSERT_TRUE(GetUpdateRect(tree, &update, FALSE));
  EXPECT_EQ(Describe(update), Describe(ClientOf(tree)));
}

}  // namespace
}  // namespace palvetta
