#pragma once
// The command palette: a tree view showing the palette's nodes, categories expanded.
// Each tree item refers to its node by position, so the nodes stay plain data.

#include <windows.h>
#include <commctrl.h>

#include <string_view>
#include <vector>

#include "app/palette.h"

namespace palvetta {

class TPaletteView {
 public:
  void Create(HWND parent, int id);
  HWND Handle() const { return FHandle; }
  void SetImages(HIMAGELIST images);

  // Shows the nodes, expands the categories and selects the first node.
  void Fill(std::vector<TPaletteNode> nodes);
  // Adds a snippet node under the "Snippets" root.
  void AddSnippetNode(TPaletteNode node);

  // nullptr for no item.
  const TPaletteNode* NodeOf(HTREEITEM item) const;
  const TPaletteNode* Selected() const;
  // The tree item under a point in client coordinates, or nullptr.
  HTREEITEM ItemAt(POINT client) const;
  // The first tree item whose node text is this, or nullptr (for tests and look-ups).
  HTREEITEM FindByText(std::string_view text) const;
  void Select(HTREEITEM item);
  // The width the tree needs to show every row without scrolling sideways, with room
  // for a vertical scroll bar.
  int WidthShowingEveryRow() const;
  // Every node text in display order, children after their parent.
  std::vector<std::string> Texts() const;

 private:
  HTREEITEM Insert(HTREEITEM parent, const TPaletteNode& node, std::size_t index);

  HWND FHandle = nullptr;
  std::vector<TPaletteNode> FNodes;
  // The nodes by the position the tree items carry: FNodes and their children.
  std::vector<const TPaletteNode*> FFlat;
  std::vector<TPaletteNode> FAddedSnippets;  // stable addresses: reserved in Fill
};

}  // namespace palvetta
