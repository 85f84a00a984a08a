#pragma once
// Base64 (RFC 4648's standard alphabet, "=" padding, no line breaks) for mail and upload
// texts.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace palvetta {

std::string Base64Encode(const uint8_t* buffer, size_t length);
std::string Base64Encode(std::string_view bytes);

// The bytes of a text of whole four-character groups, each ending the text in at most two
// "=". Any other text gives an empty result, never the bytes before a bad character: a
// truncated password or attachment would pass for the whole.
std::string Base64Decode(std::string_view text);

}  // namespace palvetta
