#pragma once
// Quoting and escaping of user text written into batch lines. Each rule lives here
// once; items never quote or escape on their own.

#include <string>
#include <string_view>

namespace palvetta {

// Trims the text and wraps it in double quotes when it holds a blank, one of
// & ( ) ^ | < > or one of cmd's other separators , ; = and does not already begin with
// a double quote. The standard quoting of paths on generated command lines and of
// redirection targets.
std::string QuoteIfSpaced(std::string_view text);

// The text in double quotes, once: a text the user already wrapped in quotes (as "Copy
// as path" gives it) keeps only its own pair, without the blanks around it.
std::string QuoteOnce(std::string_view text);

// Line breaks replaced by blanks: user text written into a line (a REM line, a label)
// must not start a line of its own, which cmd.exe would run as a command.
std::string OneLine(std::string_view text);

// One line (see OneLine) with a caret before each of ^ & | < > ( ) that stands outside
// double quotes, as cmd.exe reads the line, so that user text in an ECHO or SET line
// stays text: it can neither close the block it stands in nor start a second command.
std::string EscapeBatchSpecials(std::string_view text);

// "Name=Value" for a SET line, read in one pass with one quote state, as cmd.exe reads
// the line: the classic quoted form ("X=a&b" typed as name "X and value a&b") stays as
// typed, a caret the user typed already escapes the character after it, and every other
// ^ & | < > ( ) outside quotes gets a caret.
std::string EscapeSetAssignment(std::string_view name, std::string_view value);

// User text for an ECHO line: escaped as EscapeBatchSpecials does, and each "%" doubled,
// so that "100% sure, %1" prints as typed instead of expanding a parameter.
std::string EscapeEchoText(std::string_view text);

}  // namespace palvetta
