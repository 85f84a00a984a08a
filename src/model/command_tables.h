#pragma once
// Tables that hold an item's command-line shape, so that the order of its switches lives
// in one place instead of a chain of ifs.

#include <array>
#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "model/properties.h"

namespace palvetta {

// A switch written when a flag of the item is set, e.g. {&TFindItem::IgnoreCase, " /I"}.
template <class T>
struct TSwitch {
  bool T::*Flag;
  std::string_view Text;
};

// The texts of the set flags' switches, in table order.
template <class T>
std::string SwitchesOf(const T& item, std::span<const TSwitch<T>> table) {
  std::string text;
  for (const TSwitch<T>& entry : table) {
    if (item.*entry.Flag) text += entry.Text;
  }
  return text;
}

template <class T, size_t N>
std::string SwitchesOf(const T& item, const TSwitch<T> (&table)[N]) {
  return SwitchesOf(item, std::span<const TSwitch<T>>(table));
}

// What an enumeration value stands for on the command line and in the dialog's list;
// the name project files store it by comes from the enumeration's declaration.
struct TEnumText {
  std::string_view Command;
  std::string_view Display;
};

// One TEnumText per value of E, in the order of its declaration.
template <class E>
class TEnumTable {
 public:
  static constexpr size_t kSize = TEnumInfo<E>::Names.size();

  constexpr explicit TEnumTable(const std::array<TEnumText, kSize>& texts) : FTexts(texts) {}

  // Empty for a value outside the enumeration (a damaged file cannot make it read past
  // the table).
  constexpr std::string_view Command(E value) const { return At(value).Command; }
  constexpr std::string_view Display(E value) const { return At(value).Display; }
  constexpr std::string_view PersistedName(E value) const {
    const auto index = static_cast<size_t>(value);
    return index < kSize ? TEnumInfo<E>::Names[index] : std::string_view();
  }

  // The display texts in order: the entries of the dialog's list.
  std::vector<std::string> DisplayTexts() const {
    std::vector<std::string> texts;
    for (const TEnumText& text : FTexts) texts.emplace_back(text.Display);
    return texts;
  }

 private:
  constexpr TEnumText At(E value) const {
    const auto index = static_cast<size_t>(value);
    return index < kSize ? FTexts[index] : TEnumText{};
  }

  std::array<TEnumText, kSize> FTexts;
};

}  // namespace palvetta
