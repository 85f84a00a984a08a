#include "codec/blowfish.h"

#include <cstring>

namespace palvetta {

namespace {

uint32_t F(const TBlowfishContext& context, uint32_t x) {
  return ((context.S[0][x >> 24] + context.S[1][(x >> 16) & 0xFF]) ^ context.S[2][(x >> 8) & 0xFF]) +
         context.S[3][x & 0xFF];
}

uint32_t ReadBig(const uint8_t* bytes) {
  return uint32_t{bytes[0]} << 24 | uint32_t{bytes[1]} << 16 | uint32_t{bytes[2]} << 8 | bytes[3];
}

void WriteBig(uint8_t* bytes, uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes[i] = static_cast<uint8_t>(value >> (24 - 8 * i));
}

uint32_t ReadLittle(const uint8_t* bytes) {
  return uint32_t{bytes[3]} << 24 | uint32_t{bytes[2]} << 16 | uint32_t{bytes[1]} << 8 | bytes[0];
}

void WriteLittle(uint8_t* bytes, uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes[i] = static_cast<uint8_t>(value >> (8 * i));
}

// The counter block as a big-endian number: byte 7 is the least significant.
void Increment(uint8_t (&counter)[8]) {
  for (int i = 7; i >= 0 && ++counter[i] == 0; --i) {
  }
}

void CounterMode(const TBlowfishContext& context, uint8_t* data, size_t blocks, uint32_t low,
                 uint32_t high) {
  uint8_t counter[8];
  WriteLittle(counter, low);
  WriteLittle(counter + 4, high);
  for (size_t block = 0; block < blocks; ++block, data += 8) {
    Increment(counter);
    uint32_t left = ReadBig(counter);
    uint32_t right = ReadBig(counter + 4);
    BlowfishBlock(context, left, right, true);
    uint8_t pad[8];
    WriteBig(pad, left);
    WriteBig(pad + 4, right);
    for (int i = 0; i < 8; ++i) data[i] ^= pad[i];
  }
}

void Ecb(const TBlowfishContext& context, uint8_t* data, size_t blocks, bool encipher,
         bool swappedWords) {
  for (size_t block = 0; block < blocks; ++block, data += 8) {
    if (swappedWords) {
      // The block as one little-endian 64-bit number, its high half on the left.
      uint32_t left = ReadLittle(data + 4);
      uint32_t right = ReadLittle(data);
      BlowfishBlock(context, left, right, encipher);
      WriteLittle(data + 4, left);
      WriteLittle(data, right);
    } else {
      uint32_t left = ReadBig(data);
      uint32_t right = ReadBig(data + 4);
      BlowfishBlock(context, left, right, encipher);
      WriteBig(data, left);
      WriteBig(data + 4, right);
    }
  }
}

uint8_t* Bytes(std::string& text) { return reinterpret_cast<uint8_t*>(text.data()); }

}  // namespace

bool BlowfishSetKey(const uint8_t* key, size_t keyLength, TBlowfishContext& context) {
  if (keyLength == 0) return false;
  std::memcpy(context.P, kBlowfishInitialP, sizeof context.P);
  std::memcpy(context.S, kBlowfishInitialS, sizeof context.S);
  size_t k = 0;
  for (uint32_t& p : context.P) {
    uint32_t word = 0;
    for (int i = 0; i < 4; ++i, k = (k + 1) % keyLength) word = word << 8 | key[k];
    p ^= word;
  }
  uint32_t left = 0;
  uint32_t right = 0;
  for (int i = 0; i < kBlowfishRounds + 2; i += 2) {
    BlowfishBlock(context, left, right, true);
    context.P[i] = left;
    context.P[i + 1] = right;
  }
  for (auto& box : context.S) {
    for (int i = 0; i < 256; i += 2) {
      BlowfishBlock(context, left, right, true);
      box[i] = left;
      box[i + 1] = right;
    }
  }
  return true;
}

void BlowfishBlock(const TBlowfishContext& context, uint32_t& left, uint32_t& right,
                   bool encipher) {
  uint32_t l = left;
  uint32_t r = right;
  for (int round = 0; round < kBlowfishRounds; ++round) {
    l ^= context.P[encipher ? round : kBlowfishRounds + 1 - round];
    r ^= F(context, l);
    const uint32_t swap = l;
    l = r;
    r = swap;
  }
  const uint32_t swap = l;
  l = r;
  r = swap;
  r ^= context.P[encipher ? kBlowfishRounds : 1];
  l ^= context.P[encipher ? kBlowfishRounds + 1 : 0];
  left = l;
  right = r;
}

bool BlowfishCrypt(uint8_t* data, size_t length, bool encipher, bool swappedWords,
                   uint32_t counterLow, uint32_t counterHigh, std::string_view key) {
  TBlowfishContext context;
  if (!BlowfishSetKey(reinterpret_cast<const uint8_t*>(key.data()), key.size(), context)) {
    return false;
  }
  if (counterLow != 0 || counterHigh != 0) {
    CounterMode(context, data, length / 8, counterLow, counterHigh);
  } else {
    Ecb(context, data, length / 8, encipher, swappedWords);
  }
  return true;
}

bool BlowfishEncryptStr(std::string& text, std::string_view key) {
  return BlowfishCrypt(Bytes(text), text.size(), true, true, 0, 0, key);
}

bool BlowfishDecryptStr(std::string& text, std::string_view key) {
  return BlowfishCrypt(Bytes(text), text.size(), false, true, 0, 0, key);
}

bool BlowfishCtrDecipher(std::string& text, std::string_view key, uint32_t counterLow,
                         uint32_t counterHigh) {
  if (text.empty()) return !key.empty();
  if (!BlowfishCrypt(Bytes(text), text.size(), true, false, counterLow, counterHigh, key)) {
    return false;
  }
  const size_t pad = static_cast<uint8_t>(text.back());
  if (pad == 1) {
    text.pop_back();
  } else if (pad >= 2 && pad <= 8 && text.size() >= pad &&
             text.find_first_not_of(static_cast<char>(pad), text.size() - pad) == std::string::npos) {
    text.resize(text.size() - pad);
  }
  return true;
}

}  // namespace palvetta
