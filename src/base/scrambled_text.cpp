#include "base/scrambled_text.h"

namespace palvetta {

std::string UnscrambleAnsiStr(std::string_view scrambled) {
  std::string plain(scrambled);
  for (char& c : plain) c = static_cast<char>(static_cast<unsigned char>(c) ^ kScrambleKey);
  return plain;
}

}  // namespace palvetta
