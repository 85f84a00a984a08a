#pragma once
// Conversion between UTF-8 and the system's ANSI code page, in which batch files are
// written. A character the code page lacks becomes "?", never a look-alike: a best-fit
// conversion would turn a fullwidth quote into a real double quote and a fullwidth
// ampersand into "&", breaking quoting and starting a command the user never wrote.

#include <string>
#include <string_view>

namespace palvetta {

class CodePage {
 public:
  virtual ~CodePage() = default;
  virtual unsigned Id() const = 0;
  virtual std::string FromUtf8(std::string_view text) const = 0;
  virtual std::string ToUtf8(std::string_view bytes) const = 0;
};

// Windows-1252 from a built-in table: the code page on the host, and the reference
// the Windows conversion is tested against.
const CodePage& Windows1252();

// The system's ANSI code page: Windows asks the system, the host uses Windows-1252.
const CodePage& SystemCodePage();

// UTF-8 itself, for files that name it.
const CodePage& Utf8CodePage();

// Any code page the platform can convert (the host: 1252 and UTF-8); nullptr otherwise.
const CodePage* CodePageById(unsigned id);

}  // namespace palvetta
