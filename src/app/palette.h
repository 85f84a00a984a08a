#pragma once
// The command palette as a tree of plain nodes: a node per category that has entries
// passing the filter, with those entries under it, then the snippets. The window layer
// shows the nodes; adding from a node and dropping on the project list are decided here.

#include <optional>
#include <string>
#include <vector>

#include "app/item_filter.h"
#include "image_indexes.h"
#include "model/item_registry.h"
#include "model/snippets.h"

namespace palvetta {

enum class TPaletteNodeKind { pnCategory, pnEntry, pnSnippetsRoot, pnSnippet };

struct TPaletteNode {
  TPaletteNode(TPaletteNodeKind kind, std::string text, int imageIndex)
      : Kind(kind), Text(std::move(text)), ImageIndex(imageIndex) {}

  TPaletteNodeKind Kind;
  std::string Text;
  int ImageIndex;
  int Category = -1;  // pnCategory, pnEntry: index in the item class registry
  int Entry = -1;     // pnEntry: index in the category
  int Snippet = -1;   // pnSnippet: index in the snippets
  std::vector<TPaletteNode> Children;

  // Entries and snippets can be added to a project; categories and the root cannot.
  bool CanAdd() const { return Kind == TPaletteNodeKind::pnEntry || Kind == TPaletteNodeKind::pnSnippet; }
};

// The categories with their passing entries (categories without any are left out), then
// the "Snippets" root with every snippet.
std::vector<TPaletteNode> BuildPalette(const TItemClassRegistry& registry,
                                       const TSnippets& snippets, const TItemFilter& filter);

// Where a drop on the project list inserts. row is the row under the point (none: below
// the last row); above is true when the point is in the upper part of that row.
// Dropping above a row inserts before it, on or below it inserts after it, and on no
// row appends.
int DropPosition(std::optional<int> row, bool above, int rowCount);

}  // namespace palvetta
