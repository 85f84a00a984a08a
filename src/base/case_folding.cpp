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

// The letters the reporter's own upper and lower case know: ASCII and the German umlauts.
constexpr bool IsSmallLetter(unsigned c) { return (c >= 'a' && c <= 'z') || c == 0xE4 || c == 0xF6 || c == 0xFC; }
constexpr bool IsCapitalLetter(unsigned c) { return (c >= 'A' && c <= 'Z') || c == 0xC4 || c == 0xD6 || c == 0xDC; }

}  // namespace

char16_t FoldCharW(char16_t character) noexcept {
  return character < 256 ? kFoldTable[character] : character;
}

char FoldCharA(char character) noexcept {
  return static_cast<char>(kFoldTable[static_cast<unsigned char>(character)]);
}

char UpCharA(char character) noexcept {
  const auto c = static_cast<unsigned char>(character);
  return IsSmallLetter(c) ? static_cast<char>(c - 0x20) : character;
}

std::string UpperCaseA(std::string_view text) {
  std::string result(text);
  for (char& c : result) c = UpCharA(c);
  return result;
}

std::u16string UpperCaseW(std::u16string_view text) {
  std::u16string result(text);
  for (char16_t& c : result) {
    if (IsSmallLetter(c)) c = static_cast<char16_t>(c - 0x20);
  }
  return result;
}

std::u16string LowerCaseW(std::u16string_view text) {
  std::u16string result(text);
  for (char16_t& c : result) {
    if (IsCapitalLetter(c)) c = static_cast<char16_t>(c + 0x20);
  }
  return result;
}

}  // namespace palvetta
