#include "app/win/palette_view.h"

#include <algorithm>

#include "base/win/wide.h"
#include "gui/win/window.h"

namespace palvetta {
namespace {

// Snippets made in one session; beyond this the palette is rebuilt instead.
constexpr std::size_t kMaxAddedSnippets = 256;

}  // namespace

void TPaletteView::Create(HWND parent, int id) {
  FHandle = CreateControl({.Parent = parent,
                           .ClassName = WC_TREEVIEWW,
                           .Style = WS_TABSTOP | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT |
                                    TVS_SHOWSELALWAYS,
                           .ExStyle = WS_EX_CLIENTEDGE,
                           .Pos = {0, 0, 100, 100},
                           .Id = id});
}

void TPaletteView::SetImages(HIMAGELIST images) {
  TreeView_SetImageList(FHandle, images, TVSIL_NORMAL);
}

HTREEITEM TPaletteView::Insert(HTREEITEM parent, const TPaletteNode& node, std::size_t index) {
  const std::wstring text = Widen(node.Text);
  TVINSERTSTRUCTW insert = {};
  insert.hParent = parent;
  insert.hInsertAfter = TVI_LAST;
  insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM;
  insert.item.pszText = const_cast<wchar_t*>(text.c_str());
  insert.item.iImage = node.ImageIndex;
  insert.item.iSelectedImage = node.ImageIndex;
  insert.item.lParam = static_cast<LPARAM>(index);
  return TreeView_InsertItem(FHandle, &insert);
}

void TPaletteView::Fill(std::vector<TPaletteNode> nodes) {
  SendMessageW(FHandle, WM_SETREDRAW, FALSE, 0);
  TreeView_DeleteAllItems(FHandle);
  FNodes = std::move(nodes);
  FFlat.clear();
  FAddedSnippets.clear();
  FAddedSnippets.reserve(kMaxAddedSnippets);
  for (const TPaletteNode& node : FNodes) {
    FFlat.push_back(&node);
    const HTREEITEM parent = Insert(TVI_ROOT, node, FFlat.size() - 1);
    for (const TPaletteNode& child : node.Children) {
      FFlat.push_back(&child);
      Insert(parent, child, FFlat.size() - 1);
    }
    TreeView_Expand(FHandle, parent, TVE_EXPAND);
  }
  SendMessageW(FHandle, WM_SETREDRAW, TRUE, 0);
  if (const HTREEITEM first = TreeView_GetRoot(FHandle)) {
    TreeView_SelectItem(FHandle, first);
    TreeView_EnsureVisible(FHandle, first);
  }
  InvalidateRect(FHandle, nullptr, TRUE);
}

void TPaletteView::AddSnippetNode(TPaletteNode node) {
  HTREEITEM root = TreeView_GetRoot(FHandle);
  while (root && NodeOf(root)->Kind != TPaletteNodeKind::pnSnippetsRoot) {
    root = TreeView_GetNextSibling(FHandle, root);
  }
  if (!root) return;
  if (FAddedSnippets.size() == FAddedSnippets.capacity()) {
    throw std::length_error("Too many snippets added; rebuild the palette");
  }
  FAddedSnippets.push_back(std::move(node));
  FFlat.push_back(&FAddedSnippets.back());
  Insert(root, FAddedSnippets.back(), FFlat.size() - 1);
  TreeView_Expand(FHandle, root, TVE_EXPAND);
}

const TPaletteNode* TPaletteView::NodeOf(HTREEITEM item) const {
  if (!item) return nullptr;
  TVITEMW data = {};
  data.mask = TVIF_PARAM;
  data.hItem = item;
  if (!TreeView_GetItem(FHandle, &data)) return nullptr;
  const auto index = static_cast<std::size_t>(data.lParam);
  return index < FFlat.size() ? FFlat[index] : nullptr;
}

const TPaletteNode* TPaletteView::Selected() const {
  return NodeOf(TreeView_GetSelection(FHandle));
}

HTREEITEM TPaletteView::ItemAt(POINT client) const {
  TVHITTESTINFO hit = {};
  hit.pt = client;
  const HTREEITEM item = TreeView_HitTest(FHandle, &hit);
  return (hit.flags & TVHT_ONITEM) ? item : nullptr;
}

void TPaletteView::Select(HTREEITEM item) { TreeView_SelectItem(FHandle, item); }

namespace {

template <class Visit>
void Walk(HWND tree, HTREEITEM item, Visit&& visit) {
  for (; item; item = TreeView_GetNextSibling(tree, item)) {
    if (!visit(item)) return;
    Walk(tree, TreeView_GetChild(tree, item), visit);
  }
}

}  // namespace

HTREEITEM TPaletteView::FindByText(std::string_view text) const {
  HTREEITEM found = nullptr;
  Walk(FHandle, TreeView_GetRoot(FHandle), [&](HTREEITEM item) {
    const TPaletteNode* node = NodeOf(item);
    if (!found && node && node->Text == text) found = item;
    return found == nullptr;
  });
  return found;
}

int TPaletteView::WidthShowingEveryRow() const {
  int right = 0;
  Walk(FHandle, TreeView_GetRoot(FHandle), [&](HTREEITEM item) {
    RECT label = {};
    if (TreeView_GetItemRect(FHandle, item, &label, TRUE)) right = std::max<int>(right, label.right);
    return true;
  });
  right += GetScrollPos(FHandle, SB_HORZ);
  RECT window = {};
  RECT client = {};
  GetWindowRect(FHandle, &window);
  GetClientRect(FHandle, &client);
  int frame = (window.right - window.left) - client.right;
  if (!(GetWindowLongPtrW(FHandle, GWL_STYLE) & WS_VSCROLL)) {
    frame += GetSystemMetricsForDpi(SM_CXVSCROLL, GetDpiForWindow(FHandle));
  }
  // A little air after the longest text, as between the text and its icon.
  return right + frame + GetSystemMetricsForDpi(SM_CXEDGE, GetDpiForWindow(FHandle)) * 2;
}

std::vector<std::string> TPaletteView::Texts() const {
  std::vector<std::string> texts;
  Walk(FHandle, TreeView_GetRoot(FHandle), [&](HTREEITEM item) {
    if (const TPaletteNode* node = NodeOf(item)) texts.push_back(node->Text);
    return true;
  });
  return texts;
}

}  // namespace palvetta
