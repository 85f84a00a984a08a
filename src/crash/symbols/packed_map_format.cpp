#include "crash/symbols/packed_map_format.h"

#include "base/number_text.h"
#include "base/scrambled_text.h"

namespace palvetta {

namespace {

constexpr auto kPassPhraseText = Scramble("sym-map:verso/4f27");

}  // namespace

std::string PackedPassPhrase(uint32_t bodyLength) {
  return UnscrambleAnsiStr(kPassPhraseText.View()) + CardToHexPadA(bodyLength) + CardToDecPadA(bodyLength);
}

}  // namespace palvetta
