#pragma once
// The three-state attribute switches (TFileAttr) as command lines write them: each
// attribute left out, asked for set, or asked for not set.

#include <algorithm>
#include <array>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>

#include "model/types.h"

namespace palvetta {

// What an attribute is known by: its letter on command lines, the element its state is
// saved under, its row of a dialog's three-state grid and the row's caption.
struct TAttributeName {
  char Letter;
  std::string_view Name;
  std::string_view Control;
  std::string_view Caption;
};

// Every attribute an item may filter or change, in the order the commands name them.
inline constexpr TAttributeName kAttributeNames[] = {
    {'R', "ReadOnlyAttr", "attReadOnly", "Read only"},
    {'H', "Hidden", "attHidden", "Hidden"},
    {'I', "Indexed", "attIndexed", "Not content indexed"},
    {'S', "System", "attSystem", "System"},
    {'A', "Arch", "attArch", "Archive"},
    {'L', "ReparsePoints", "attReparsePoints", "Reparse points"},
    {'D', "DirAttr", "attDir", "Directory"},
};

// Meant for constant tables: there an unknown letter stops the build.
constexpr const TAttributeName& AttributeNamed(char letter) {
  for (const TAttributeName& name : kAttributeNames) {
    if (name.Letter == letter) return name;
  }
  throw std::logic_error("no attribute has that letter");
}

// One attribute of an item, by its letter (see kAttributeNames).
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

// The states of an item's attributes, in the order the commands name them (an item's
// table is in the order its file saves them).
template <class T, size_t N>
std::array<TAttributeState, N> AttributeStates(const T& item,
                                               const TAttributeField<T> (&table)[N]) {
  std::array<TAttributeState, N> states{};
  for (size_t i = 0; i < N; ++i) states[i] = {item.*table[i].Field, table[i].Letter};
  std::ranges::stable_sort(states, {}, [](const TAttributeState& state) {
    return std::ranges::find(kAttributeNames, state.Letter, &TAttributeName::Letter) -
           std::ranges::begin(kAttributeNames);
  });
  return states;
}

}  // namespace palvetta
