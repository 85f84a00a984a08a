#pragma once
// File and disk sizes as people read them.

#include <cstdint>
#include <string>

namespace palvetta {

// "1024 Bytes", "1.5 KB", ...: the unit grows while the size exceeds the next power of
// 1024; at most two decimals, written with the given decimal separator.
std::string FormatByteSize(int64_t size, char decimalSeparator = '.');

}  // namespace palvetta
