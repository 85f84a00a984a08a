#include "app/palette.h"

namespace palvetta {

std::vector<TPaletteNode> BuildPalette(const TItemClassRegistry& registry,
                                       const TSnippets& snippets, const TItemFilter& filter) {
  std::vector<TPaletteNode> nodes;
  for (int c = 0; c < registry.Count(); ++c) {
    const TCategory& category = registry.Items(c);
    TPaletteNode node(TPaletteNodeKind::pnCategory, category.Title, category.ImageIndex);
    node.Category = c;
    for (int e = 0; e < category.Count(); ++e) {
      const TRegistryItem& entry = category.Items(e);
      if (!filter.Passes(entry)) continue;
      TPaletteNode& child = node.Children.emplace_back(
          TPaletteNodeKind::pnEntry, PaletteNodeText(entry.Title, entry.Command), entry.ImageIndex);
      child.Category = c;
      child.Entry = e;
    }
    if (!node.Children.empty()) nodes.push_back(std::move(node));
  }
  TPaletteNode root(TPaletteNodeKind::pnSnippetsRoot, "Snippets", SnippetsRootImage);
  for (int s = 0; s < snippets.Count(); ++s) {
    root.Children.emplace_back(TPaletteNodeKind::pnSnippet, snippets.Items(s).Name, SnippetImage)
        .Snippet = s;
  }
  nodes.push_back(std::move(root));
  return nodes;
}

int DropPosition(std::optional<int> row, bool above, int rowCount) {
  if (!row || *row < 0 || *row >= rowCount) return rowCount;
  return above ? *row : *row + 1;
}

}  // namespace palvetta
