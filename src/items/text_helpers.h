#pragma once
// Small pieces the item families' texts share.

#include <string>

#include "base/text.h"

namespace palvetta {

// The value, or the placeholder when the value is blank.
inline std::string OrPlaceholder(const std::string& value, const char* placeholder) {
  return IsBlank(value) ? std::string(placeholder) : value;
}

// An enumeration's ordinal, to index tables of the batch words of its values.
template <class E>
int Ordinal(E value) {
  return static_cast<int>(value);
}

}  // namespace palvetta
