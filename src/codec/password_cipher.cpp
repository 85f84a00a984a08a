#include "codec/password_cipher.h"

#include "base/code_page.h"
#include "base/utf.h"
#include "codec/base64.h"
#include "codec/blowfish.h"

namespace palvetta {

namespace {

constexpr uint32_t kServerCounter = 0x3C5A9E17;
constexpr uint32_t kAccountCounter = 0x6B2D4F81;

}  // namespace

std::u16string DecipherPasswordProp(std::string_view stored, std::string_view account,
                                    std::string_view server) {
  std::string text = Base64Decode(stored);
  if (!server.empty()) BlowfishCtrDecipher(text, SystemCodePage().FromUtf8(server), kServerCounter, 0);
  if (!account.empty()) BlowfishCtrDecipher(text, account, kAccountCounter, 0);
  return Utf8ToUtf16(text);
}

}  // namespace palvetta
