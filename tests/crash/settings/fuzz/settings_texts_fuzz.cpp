// Feeds arbitrary texts to the readers of the settings' field and attachment lists and to
// the placeholder expansion. A list read from its text and written back must read again
// to the same text; expansion must end and leave a text without "%" as it was. The input
// is UTF-16 (pairs of bytes, odd byte dropped); its first unit's low bits pick the text's
// use: 0 the fields, 1 the attachments, otherwise a text to expand.

#include <cstdint>
#include <cstdlib>
#include <string>

#include "crash/lists/sw_attachments.h"
#include "crash/lists/sw_fields.h"
#include "crash/settings/placeholders.h"
#include "fake_settings_host.h"

using namespace palvetta;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  std::u16string text;
  for (size_t at = 2; at + 1 < size; at += 2) text += static_cast<char16_t>(data[at] | data[at + 1] << 8);

  switch (data[0] & 3) {
    case 0: {
      const std::u16string written = ReadAdditionalFields(text, nullptr)->Text();
      if (ReadAdditionalFields(written, nullptr)->Text() != written) std::abort();
      break;
    }
    case 1: {
      const std::u16string written = ReadAdditionalAttachments(text, nullptr)->Text();
      if (ReadAdditionalAttachments(written, nullptr)->Text() != written) std::abort();
      break;
    }
    default: {
      TFakeFacts facts;
      TPlaceholderValues values;
      values.ExceptMsg = text;  // a value that holds placeholders itself
      std::u16string expanded = text;
      ExpandPlaceholders(facts, (data[1] & 1) != 0 ? facts.Executable : 0x2000, expanded, values);
      if (text.find(u'%') == std::u16string::npos && expanded != text) std::abort();
      break;
    }
  }
  return 0;
}
