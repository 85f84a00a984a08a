#pragma once
// A set of 8-bit characters as a 256-bit map. A UTF-16 character above 255 is never a
// member. Nothing here allocates or throws.

#include <cstdint>
#include <string_view>

namespace palvetta {

class TCharSet {
 public:
  constexpr TCharSet() = default;
  // The set of the given characters.
  constexpr explicit TCharSet(std::string_view characters) {
    for (char c : characters) Include(static_cast<unsigned char>(c));
  }
  // Characters first..last, both included.
  static constexpr TCharSet Range(unsigned char first, unsigned char last) {
    TCharSet set;
    for (unsigned c = first; c <= last; ++c) set.Include(c);
    return set;
  }

  constexpr void Include(unsigned character) {
    if (character < 256) FBits[character / 8] |= static_cast<uint8_t>(1u << (character % 8));
  }
  constexpr bool Contains(char character) const {
    return Contains(static_cast<unsigned>(static_cast<unsigned char>(character)));
  }
  constexpr bool Contains(char16_t character) const { return Contains(static_cast<unsigned>(character)); }
  constexpr bool Contains(unsigned character) const {
    return character < 256 && (FBits[character / 8] >> (character % 8) & 1u) != 0;
  }

 private:
  uint8_t FBits[32] = {};
};

}  // namespace palvetta
