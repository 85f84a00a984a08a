#include "base/case_folding.h"

#include <array>

namespace palvetta {
namespace {

constexpr std::array<unsigned char, 256> MakeFoldTable() {
  std::array<unsigned char, 256> table{};
  for (unsigned c = 0; c < 256; ++c) table[c] = static_cast<unsigned char>(c);
  for (unsigned c = 'A'; c <= 'Z'; ++c) table[c] = static_cast<unsigned char>(c + 0x20);
  for (unsigned c = 0xC0; c <= 0xDE; ++c) {
    if (c != 0xD7) table[c] = static_cast<unsigned char>(c + 0x20);  // not the multiplication sign
  }
  table[0x8A] = 0x9A;  // Š
  table[0x8C] = 0x9C;  // Œ
  table[0x8E] = 0x9E;  // Ž
  table[0x9F] = 0xFF;  // Ÿ
  return table;
}

constexpr auto kFoldTable = MakeFoldTable();

// The capitals the reporter's own lower case knows: ASCII and the German umlauts.
constexpr bool IsCapitalLetter(unsigned c) { return (c >= 'A' && c <= 'Z') || c == 0xC4 || c == 0xD6 || c == 0xDC; }

}  // namespace

char16_t FoldCharW(char16_t character) noexcept {
  return character < 256 ? kFoldTable[character] : character;
}

char FoldCharA(char character) noexcept {
  return static_cast<char>(kFoldTable[static_cast<unsigned char>(character)]);
}

std::u16string LowerCaseW(std::u16string_view text) {
  std::u16string result(text);
  for (char16_t& c : result) {
    if (IsCapitalLetter(c)) c = static_cast<char16_t>(c + 0x20);
  }
  return result;
}

}  // namespace palvetta
