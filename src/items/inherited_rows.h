#pragma once
// Rows that show an ancestor's saved property in a control of one descendant's dialog:
// the ancestor saves the value once, each dialog that has a control for it binds it.

#include "model/field.h"

namespace palvetta {

constexpr TField ShownOnly(TField row) {
  row.Name = {};
  row.Describe = nullptr;
  return row;
}

}  // namespace palvetta
