#pragma once
// A set shown as one check box per member, each box named after the member's letter. The
// item's field rows and its dialog's boxes are both made from the one description, so
// they cannot disagree on which members a set offers.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace palvetta {

struct TSetBoxes {
  std::string_view Prefix;    // a box is named prefix + letter
  std::string_view Letters;   // the members shown, by letter
  std::string_view Ordinals;  // the letters of all the enumeration's values, by ordinal
};

constexpr bool LettersWithin(std::string_view letters, std::string_view known) {
  for (char letter : letters) {
    if (known.find(letter) == std::string_view::npos) return false;
  }
  return true;
}

// The set's members the boxes show, bit i for ordinal i.
constexpr uint32_t ShownMembers(const TSetBoxes& boxes) {
  uint32_t members = 0;
  for (char letter : boxes.Letters) members |= uint32_t{1} << boxes.Ordinals.find(letter);
  return members;
}

// The names of the boxes, kept for the life of the program so that field rows can point
// at them.
template <const TSetBoxes& Boxes>
struct TSetBoxNames {
  static constexpr size_t kLength = Boxes.Prefix.size() + 1;
  static constexpr auto kNames = [] {
    std::array<std::array<char, kLength>, Boxes.Letters.size()> names{};
    for (size_t i = 0; i < names.size(); ++i) {
      for (size_t c = 0; c < Boxes.Prefix.size(); ++c) names[i][c] = Boxes.Prefix[c];
      names[i][kLength - 1] = Boxes.Letters[i];
    }
    return names;
  }();

  static constexpr std::string_view Name(size_t index) {
    return {kNames[index].data(), kLength};
  }
};

}  // namespace palvetta
