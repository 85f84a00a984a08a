#pragma once
// The three-state attribute switches (TFileAttr) as command lines write them: each
// attribute left out, asked for set, or asked for not set.

#include <array>
#include <span>
#include <string>

#include "model/types.h"

namespace palvetta {

// One attribute of an item and the letter the commands know it by: R read-only,
// H hidden, I not content indexed, S system, A archive, L reparse point, D directory.
template <class T>
struct TAttributeField {
  TFileAttr T::*Field;
  char Letter;
};

struct TAttributeState {
  TFileAttr State;
  char Letter;
};

// The filter text of DEL /A: and DIR /A: ("R-H": the letter when set, "-" and the
// letter when not set); empty when every attribute is left out.
std::string AttributeFilter(std::span<const TAttributeState> attributes);

// ATTRIB's changes ("+R -H ": a sign, the letter and a blank per attribute).
std::string AttributeChanges(std::span<const TAttributeState> attributes);

// The states of an item's attributes, in the table's order.
template <class T, size_t N>
std::array<TAttributeState, N> AttributeStates(const T& item,
                                               const TAttributeField<T> (&table)[N]) {
  std::array<TAttributeState, N> states{};
  for (size_t i = 0; i < N; ++i) states[i] = {item.*table[i].Field, table[i].Letter};
  return states;
}

}  // namespace palvetta
