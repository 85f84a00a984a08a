#pragma once
// How SCHTASKS's arguments are written: names and accounts quoted where cmd.exe would
// split or act on them, and the texts SCHTASKS hands on (the task's command line, an
// event query) as one argument whose own quotes are escaped as \".

#include <string>
#include <string_view>

namespace palvetta {

// The text without one double quote at its start and one at its end, each when present
// (blanks are kept).
std::string SchtasksUnquote(std::string_view text);
// SchtasksUnquote, then wrapped in double quotes when it holds a blank, a TAB or one of
// % & ( ) < > ^ |.
std::string SchtasksQuote(std::string_view text);
// Trimmed and unquoted, every inner double quote written as \", and the whole in double
// quotes: one argument for SCHTASKS, whatever quotes it holds.
std::string QuoteEscaped(std::string_view text);
// An argument quoted with \" inside, with a caret before each of & | < > ^ that cmd.exe
// reads outside quotes (each inner \" flips cmd's quote state too), so an "&" after an
// inner quote cannot start a second command. Parentheses are left to the line as a whole.
std::string ShieldOutsideQuotes(std::string_view argument);
// Whether the account is one of the built-in service accounts, which run without a
// password (SYSTEM, LOCAL SERVICE, NETWORK SERVICE, with or without "NT AUTHORITY\", or
// their SIDs, a leading "*" allowed), ignoring case.
bool IsBuiltinAccount(std::string_view name);

}  // namespace palvetta
