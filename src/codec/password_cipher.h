#pragma once
// Reading the enciphered password settings of the mail and upload transports.

#include <string>
#include <string_view>

namespace palvetta {

// The password from its stored form (Base64 of the text enciphered in counter mode, first
// with the account as key, then with the server). Account and server are UTF-8; the
// server keys the cipher in the system's code page, the account in UTF-8. An empty
// account or server adds no layer.
std::u16string DecipherPasswordProp(std::string_view stored, std::string_view account,
                                    std::string_view server);

}  // namespace palvetta
