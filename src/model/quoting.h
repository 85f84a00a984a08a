#pragma once
// Quoting and escaping of user text written into batch lines. Each rule lives here
// once; items never quote or escape on their own.

#include <cstddef>
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

// The text trimmed, every double quote removed, and always wrapped in double quotes (a
// blank text gives ""): for commands whose file argument must be one argument even when
// it is empty (FIND, SORT, the write-to-file redirection).
std::string QuotePath(std::string_view text);

// A folder for a command that reads a quoted trailing backslash as an escaped quote
// (ROBOCOPY): the text trimmed and stripped of the user's own surrounding quotes; a
// final backslash of a folder below the root that needs quotes is dropped (a root such
// as C:\ keeps it); then quoted as QuoteIfSpaced does.
std::string NormalizeQuotedPath(std::string_view text);

// How a command takes a name or value that may need quotes (SC, ICACLS, SCHTASKS differ
// only in these): the characters that make it need them, whether blanks around it go,
// and how quotes the user typed are read: a text already in quotes stays as it is, or
// one double quote at either end is dropped before the text is quoted anew.
struct TCommandQuoting {
  std::string_view Specials;
  bool Trimmed = true;
  bool KeepsQuoted = false;
};
// The text as the command's rule says, wrapped in double quotes when it holds one of the
// rule's characters.
std::string QuoteForCommand(std::string_view text, const TCommandQuoting& quoting);

// One argument of a Windows command line as the C run time's parser
// (CommandLineToArgvW) reads it back: unchanged when it holds no blank, tab or double
// quote and is not empty; otherwise wrapped in double quotes, each inner double quote
// escaped as \", and the backslashes before an escaped quote or the closing quote
// doubled.
std::string QuoteArgument(std::string_view argument);
// The same, wrapped in double quotes whatever it holds (FINDSTR's /C:"text").
std::string AlwaysQuotedArgument(std::string_view argument);

// A caret before each of the given characters where it stands outside double quotes,
// as cmd.exe reads the line: the quote state flips at every double quote.
std::string EscapeOutsideQuotes(std::string_view text, std::string_view characters);

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

// A message the user writes for a batch line (ECHO, TITLE, PROMPT, a menu, a line
// written to a file): on one line, its batch specials escaped as EscapeBatchSpecials
// does, and a "%" kept only where it names a variable (EscapeLonePercents), so "%DATE%"
// expands and "100%" prints as typed.
std::string EscapeMessageText(std::string_view text);

// User text in which a "%" means what the user wrote: a reference to a variable
// ("%" + a name of ASCII letters, digits, "_", "-" and "." that begins with a letter or
// "_", with an optional ":" modifier such as ":~0,4" or ":a=b", then "%") stays, so the
// batch file expands it at run time; "%%" stays the user's own escape; every other "%"
// is doubled, since cmd.exe would drop it ("100% sure" would print "100 sure").
std::string EscapeLonePercents(std::string_view text);

// The length of the batch variable reference that starts at the "%" at the position
// (0-based), both percent signs included, or 0: "%", a name of ASCII letters, digits
// and "_" that begins with a letter or "_", then directly "%". A two-character name of
// hexadecimal digits ("%AF%" in "%AF%20") is read as a URL escape, not a reference.
size_t IsVarRefAt(std::string_view text, size_t percent);

// The stricter rule of URLs and passwords: "%%" stays, a reference as IsVarRefAt reads
// it stays so the batch file expands it, every other "%" is doubled
// ("ftp://h/a%20b/%DIR%/" gives "ftp://h/a%%20b/%DIR%/").
std::string EscapePercents(std::string_view text);

}  // namespace palvetta
