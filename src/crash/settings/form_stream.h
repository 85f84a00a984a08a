#pragma once
// The reader of a settings resource: one object of the binary form-stream format (the
// "TPF0" signature, class "TStackward", object "Stackward") whose properties are the
// settings. Only the value types a settings resource can hold are understood.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "crash/settings/sw_property.h"

namespace palvetta {

enum TFormStreamStatus {
  fsComplete,     // the properties' end marker was reached
  fsBadHeader,    // not a settings object: nothing was read
  fsUnknownType,  // a value type the reader does not know stopped it
  fsTruncated,    // the bytes ended inside the properties
};

struct TFormStreamResult {
  TFormStreamStatus Status = fsComplete;
  uint8_t UnknownType = 0;  // with fsUnknownType
};

// Appends the properties of the stream to props; those read before a fault stay. Reading
// never passes the end of the bytes, whatever lengths the stream claims.
TFormStreamResult ReadSettingsStream(std::span<const uint8_t> bytes, std::vector<TSWProperty>& props);

// The message shown for a value type the reader does not know.
std::u16string InvalidSettingsResourceMessage(uint8_t typeCode);

}  // namespace palvetta
