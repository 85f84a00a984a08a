#pragma once
// Conversion between UTF-8 and the code pages files are written in: the system's ANSI
// code page for project files, its OEM code page for batch files. A character the code
// page lacks becomes one "?", never a look-alike: a best-fit conversion would turn a
// fullwidth quote into a real double quote and a fullwidth ampersand into "&", breaking
// quoting and starting a command the user never wrote.

#include <string>
#include <string_view>

namespace palvetta {

class ICodePage {
 public:
  virtual ~ICodePage() = default;
  virtual unsigned Id() const = 0;
  virtual std::string FromUtf8(std::string_view text) const = 0;
  virtual std::string ToUtf8(std::string_view bytes) const = 0;
};

// Windows-1252 and code page 437 from built-in tables: the host's ANSI and OEM code
// pages (those of Wine's default prefix), and the references the Windows conversion is
// tested against.
const ICodePage& Windows1252();
const ICodePage& CodePage437();

// The system's ANSI code page: Windows asks the system, the host uses Windows-1252.
const ICodePage& SystemCodePage();

// The code page of batch files: cmd.exe reads a batch file in the console's code page,
// which is the system's OEM code page (Windows asks the system, the host uses 437).
const ICodePage& BatchCodePage();

// The characters of the UTF-8 text that the code page cannot hold, each once, in the
// order they first appear.
std::u32string CharactersLost(const ICodePage& codePage, std::string_view text);

// UTF-8 itself, for files that name it.
const ICodePage& Utf8CodePage();

// Any code page the platform can convert (the host: 1252 and UTF-8); nullptr otherwise.
const ICodePage* CodePageById(unsigned id);

}  // namespace palvetta
