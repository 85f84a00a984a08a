#pragma once
// The system's text of a Windows error code, for the bug report.

#include <cstdint>
#include <string>

namespace palvetta {

// The text of a Win32 error code, an NTSTATUS (converted to its Win32 code when the
// system knows one), a network-management code (2100..2999) or a WinINet code
// (12000..12186), on one line: carriage returns become blanks, line feeds go. A code the
// system has no text for gives "Unknown error $<hex code>".
std::u16string ErrorCodeText(uint32_t code);
// The same in the system's ANSI code page.
std::string ErrorCodeTextA(uint32_t code);

}  // namespace palvetta
