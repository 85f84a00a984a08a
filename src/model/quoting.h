#pragma once
// Quoting and escaping of user text written into batch lines. Each rule lives here
// once; items never quote or escape on their own.

#include <cstddef>
#include <string>
#include <string_view>

namespace palvetta {

// Characters that a rule here left out of the batch text because the value cannot hold
// them: a Windows path or name cannot hold a double quote. The generator keeps one while
// it asks an item for its text; every rule that leaves a character out on this thread adds
// it to the innermost one alive, so the user learns which item lost what while the
// project keeps the value as typed.
class TLeftOutCharacters {
 public:
  TLeftOutCharacters();
  ~TLeftOutCharacters();
  TLeftOutCharacters(const TLeftOutCharacters&) = delete;
  TLeftOutCharacters& operator=(const TLeftOutCharacters&) = delete;

  // Each once, in the order first left out.
  const std::string& Characters() const { return FCharacters; }
  // Adds the character to the innermost collector alive on this thread, if any.
  static void Note(char c);

 private:
  std::string FCharacters;
  TLeftOutCharacters* FOuter;
};

// A path or name as the value of one argument: on one line, trimmed, without the one
// pair of double quotes the user may have put around it (as "Copy as path" gives it);
// every other double quote is left out and noted (TLeftOutCharacters), since it would
// end the generator's quotes.
std::string PathValue(std::string_view text);

// A variable's name where a line names it as "%name%": PathValue, and every "%" left out
// and noted too, since one would end the reference early and leave the rest as text, a
// "%~" that stops the batch file among it.
std::string VariableName(std::string_view text);

// User text on a command line where a "%" is literal unless it is a reference: "%%", a
// variable reference (as EscapeLonePercents reads it) and a batch parameter ("%1", "%*",
// "%~dp0", "%~$PATH:1") stay, every other "%" is doubled. A lone "%" would pair with the
// next one on the line, and a "%~" that names no parameter stops the whole batch file.
std::string EscapeArgumentPercents(std::string_view text);

// A path or name argument: PathValue, its literal "%" doubled (EscapeArgumentPercents),
// and wrapped in double quotes when it holds a blank, one of & ( ) ^ | < > or one of
// cmd's other separators , ; = . The standard quoting of paths on generated command
// lines and of redirection targets.
std::string QuoteIfSpaced(std::string_view text);

// The text in double quotes, once, as PathValue reads it: a text the user already
// wrapped in quotes keeps only its own pair, without the blanks around it; a text
// without them keeps its blanks.
std::string QuoteOnce(std::string_view text);

// The path as QuoteIfSpaced reads it, always wrapped in double quotes (a blank text gives
// ""): for commands whose file argument must be one argument even when it is empty (FIND,
// SORT, the write-to-file redirection).
std::string QuotePath(std::string_view text);

// A folder for a command that reads a quoted trailing backslash as an escaped quote
// (ROBOCOPY): the text trimmed and stripped of the user's own surrounding quotes; a
// final backslash of a folder below the root that needs quotes is dropped (a root such
// as C:\ keeps it); then quoted as QuoteIfSpaced does.
std::string NormalizeQuotedPath(std::string_view text);

// How a command takes a name that may need quotes (SC, ICACLS, SCHTASKS differ only in
// these): the characters that make it need them, whether blanks around it go, and how
// quotes the user typed are read: a text already in quotes keeps them, or one double
// quote at either end is dropped before the text is quoted anew. A name cannot hold a
// double quote: any other is left out and noted (TLeftOutCharacters).
struct TCommandQuoting {
  std::string_view Specials;
  bool Trimmed = true;
  bool KeepsQuoted = false;
};
// The name on one line as the command's rule says, its literal "%" doubled
// (EscapeArgumentPercents), wrapped in double quotes when it holds one of the rule's
// characters.
std::string QuoteForCommand(std::string_view text, const TCommandQuoting& quoting);

// One argument of a Windows command line as the C run time's parser
// (CommandLineToArgvW) reads it back: unchanged when it holds no blank, tab or double
// quote and is not empty; otherwise wrapped in double quotes, each inner double quote
// escaped as \", and the backslashes before an escaped quote or the closing quote
// doubled.
std::string QuoteArgument(std::string_view argument);
// The same, wrapped in double quotes whatever it holds (FINDSTR's /C:"text").
std::string AlwaysQuotedArgument(std::string_view argument);
// AlwaysQuotedArgument with a caret before each of ^ & | < > ( ) that cmd.exe reads
// outside quotes (each inner \" flips cmd's quote state too), so that a text holding
// double quotes (a password) reaches the program whole and starts no command. With an odd
// number of double quotes cmd.exe would read the rest of the line as quoted, so then
// every double quote gets a caret too and cmd.exe reads none of them as a quote.
std::string ShieldedArgument(std::string_view argument);

// A caret before each of the given characters where it stands outside double quotes,
// as cmd.exe reads the line: the quote state flips at every double quote.
std::string EscapeOutsideQuotes(std::string_view text, std::string_view characters);

// Line breaks replaced by blanks: user text written into a line (a REM line, a label)
// must not start a line of its own, which cmd.exe would run as a command.
std::string OneLine(std::string_view text);

// The user's own batch syntax (an IF condition, a command line, an argument list) kept
// as written, on one line (see OneLine); only a caret at its end that stands outside
// double quotes is escaped, since it would join the generator's next line (a block's
// ")") to the user's.
std::string UserBatchSyntax(std::string_view text);

// A label's name where a command names it (GOTO :name, CALL :name): on one line, a "%"
// kept only where it names a variable (as CommentText writes the label's own line), and
// a caret before each of cmd's special characters, so a name never starts a command.
std::string LabelReference(std::string_view name);

// User text for a REM line or a label's line: on one line, a "%" kept only where it
// names a variable (EscapeLonePercents: a "%~" would stop the batch file even in a
// comment), and a caret at its end escaped, since it would make the next line part of
// the comment.
std::string CommentText(std::string_view text);

// One line (see OneLine) with a caret before each of ^ & | < > ( ) that stands outside
// double quotes, as cmd.exe reads the line, and its literal "%" doubled
// (EscapeArgumentPercents), so that user text in a command line stays text: it can
// neither close the block it stands in, nor start a second command, nor stop the batch
// file at a "%~".
std::string EscapeBatchSpecials(std::string_view text);

// "Name=Value" for a SET line, read in one pass with one quote state, as cmd.exe reads
// the line: the classic quoted form ("X=a&b" typed as name "X and value a&b") stays as
// typed, a caret the user typed already escapes the character after it, and every other
// ^ & | < > ( ) outside quotes gets a caret. A literal "%" is doubled
// (EscapeArgumentPercents), so "%DATE%" expands and "50%" is stored as typed.
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
