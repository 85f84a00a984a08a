#pragma once
// A password setting as a settings editor stores it: padded and enciphered with the
// account, then again with the server, in Base64.

#include <string>

#include "codec/base64.h"
#include "codec/blowfish.h"

namespace palvetta {

inline std::string PadToBlock(std::string text) {
  const size_t pad = 8 - text.size() % 8;
  return text + std::string(pad, static_cast<char>(pad));
}

inline std::string StoredPassword(const std::string& password, const std::string& account,
                                  const std::string& server) {
  std::string text = PadToBlock(password);
  BlowfishCrypt(reinterpret_cast<uint8_t*>(text.data()), text.size(), true, false, 0x6B2D4F81, 0, account);
  text = PadToBlock(text);
  BlowfishCrypt(reinterpret_cast<uint8_t*>(text.data()), text.size(), true, false, 0x3C5A9E17, 0, server);
  return Base64Encode(text);
}

}  // namespace palvetta
