#pragma once
// The Blowfish block cipher keyed by a pass phrase, applied in place to the whole 8-byte
// blocks of a buffer: ECB in the standard big-endian word order or in the swapped order
// of the packed debug data, or counter mode for stored passwords.
//
// None of these allocate or throw (a context lives on the caller's stack), so they can
// run on a thread that is already failing.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "codec/blowfish_tables.h"

namespace palvetta {

struct TBlowfishContext {
  uint32_t P[kBlowfishRounds + 2];
  uint32_t S[4][256];
};

// The standard key schedule from the standard tables. False, with the context untouched,
// for an empty key: it would leave the cipher unkeyed.
bool BlowfishSetKey(const uint8_t* key, size_t keyLength, TBlowfishContext& context);

// One block, left the more significant half.
void BlowfishBlock(const TBlowfishContext& context, uint32_t& left, uint32_t& right,
                   bool encipher);

// Counter mode when counterLow or counterHigh is not 0 (the counter is a big-endian
// 64-bit number over those two little-endian words; the first block uses start + 1),
// else ECB in the given word order. The last length mod 8 bytes stay as they are.
// False, with the data untouched, for an empty key.
bool BlowfishCrypt(uint8_t* data, size_t length, bool encipher, bool swappedWords,
                   uint32_t counterLow, uint32_t counterHigh, std::string_view key);

// Swapped-word ECB over the text's whole blocks.
bool BlowfishEncryptStr(std::string& text, std::string_view key);
bool BlowfishDecryptStr(std::string& text, std::string_view key);

// Counter mode, then the padding of 1 to 8 bytes of that count removed when it is there.
bool BlowfishCtrDecipher(std::string& text, std::string_view key, uint32_t counterLow,
                         uint32_t counterHigh);

}  // namespace palvetta
