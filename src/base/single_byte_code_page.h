#pragma once
// A code page of one byte per character whose bytes below 0x80 are ASCII, converted from a
// table of its upper half: the built-in Windows-1252 and 437, and on Windows the system's
// own single-byte code pages, whose table is read from the system once. Text goes straight
// between the bytes and UTF-8 in one pass, runs of ASCII copied as they are: a project
// file of many megabytes is mostly ASCII.

#include <array>
#include <string>
#include <string_view>

#include "base/code_page.h"

namespace palvetta {

// The characters of bytes 0x80..0xFF; 0 marks a byte the code page leaves unassigned.
using TCodePageHighHalf = std::array<char16_t, 128>;

class TSingleByteCodePage final : public ICodePage {
 public:
  TSingleByteCodePage(unsigned id, const TCodePageHighHalf& highHalf)
      : FId(id), FHighHalf(highHalf) {}

  unsigned Id() const override { return FId; }
  // What the code page lacks becomes one "?" per character.
  std::string FromUtf8(std::string_view text) const override;
  // An unassigned byte becomes the C1 control of the same number, as Windows does.
  std::string ToUtf8(std::string_view bytes) const override;

 private:
  char ByteOf(char32_t codePoint) const;

  unsigned FId;
  TCodePageHighHalf FHighHalf;
};

}  // namespace palvetta
