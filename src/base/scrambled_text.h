#pragma once
// Texts kept out of the program's plain strings: the names of the system libraries and
// routines the error texts come from. They are scrambled at compile time, so the plain
// text never reaches the binary, and unscrambled when used.

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace palvetta {

inline constexpr unsigned char kScrambleKey = 0xA5;

template <size_t N>
struct TScrambledText {
  std::array<char, N> Bytes;
  constexpr std::string_view View() const { return {Bytes.data(), N}; }
};

// Usage: constexpr auto kName = Scramble("name"); ... UnscrambleAnsiStr(kName.View()).
template <size_t N>
consteval TScrambledText<N - 1> Scramble(const char (&plain)[N]) {
  TScrambledText<N - 1> scrambled{};
  for (size_t i = 0; i + 1 < N; ++i) {
    scrambled.Bytes[i] = static_cast<char>(static_cast<unsigned char>(plain[i]) ^ kScrambleKey);
  }
  return scrambled;
}

std::string UnscrambleAnsiStr(std::string_view scrambled);

}  // namespace palvetta
