#pragma once
// The three-state grid of an item's attributes in its dialog.

#include <string>
#include <string_view>
#include <vector>

#include "gui/layout.h"
#include "model/file_attributes.h"

namespace palvetta {

// A row per letter, in the letters' order, named and captioned as kAttributeNames says.
inline std::vector<TThreeStateRow> AttributeGridRows(std::string_view letters) {
  std::vector<TThreeStateRow> rows;
  for (char letter : letters) {
    for (const TAttributeName& attribute : kAttributeNames) {
      if (attribute.Letter == letter) {
        rows.push_back({std::string(attribute.Caption), std::string(attribute.Control)});
      }
    }
  }
  return rows;
}

}  // namespace palvetta
