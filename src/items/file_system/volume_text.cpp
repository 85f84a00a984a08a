#include "items/file_system/volume_text.h"

#include "base/text.h"
#include "base/utf.h"
#include "model/quoting.h"

namespace palvetta {

std::string DriveLetterText(char16_t letter) {
  return letter == 0 ? std::string() : Utf16ToUtf8(std::u16string(1, letter));
}

std::string VolumeArgument(std::string_view volume) {
  std::string text = PathValue(volume);
  if (Utf8ToUtf16(text).size() == 1) text += ':';
  return QuoteIfSpaced(text);
}

}  // namespace palvetta
