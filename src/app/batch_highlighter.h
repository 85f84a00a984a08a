#pragma once
// Splits batch text into coloured runs for the batch preview. It reads the text roughly the
// way cmd.exe does, line by line, but it is a highlighter, not a parser: it never rejects
// text and guesses where cmd.exe would need to run the script to know.
//
// What gets which colour:
// - Comment: a REM command (also "REM." and "REM:") to the end of its line, and "::" lines.
// - Label: ":name" lines, the target of GOTO (with or without ':') and of "CALL :name".
// - Command: the first word of a command when it is a known internal command or common tool,
//   the '@' that silences a line, ECHO's ON/OFF, the condition words of IF (NOT, EXIST,
//   DEFINED, ERRORLEVEL, EQU...), IN and DO of FOR, ELSE, and the SETLOCAL options.
//   Words after '(' , & && || | ELSE DO and after an IF condition start a command.
// - Variable: %name%, %name:~1,2%, %1..%9, %*, %~dp0, %%i, %%~ni, !name!. Variables inside
//   quotes are Variable too, since cmd.exe expands them there as well.
// - String: "quoted text" up to the closing quote or the line end.
// - Number: a run of digits standing alone (EXIT /B 1, IF ERRORLEVEL 2, SET /A x=5).
// - Operator: > >> < 2> 2>&1 | || & && ( and the ')' that closes a block, and == of IF.
// - PlainText: everything else. '^' and the character it escapes are PlainText. ECHO's text
//   is PlainText apart from variables, and operators outside quotes.
//
// Tokens cover the text exactly, in order, without gaps or overlaps; neighbours never share a
// kind. Lines may end in CRLF, LF or CR; line breaks are PlainText. Text is UTF-8; every token
// boundary lies before an ASCII character or a UTF-8 lead byte, so no sequence is split.

#include <cstddef>
#include <string_view>
#include <vector>

namespace palvetta {

// In the order of the fields of THighlighterColors.
enum class TBatchTokenKind {
  Comment,
  Command,
  Label,
  Variable,
  String,
  Number,
  Operator,
  PlainText
};

struct TBatchToken {
  std::size_t Start;
  std::size_t Length;
  TBatchTokenKind Kind;

  friend bool operator==(const TBatchToken&, const TBatchToken&) = default;
};

std::vector<TBatchToken> TokenizeBatch(std::string_view text);

}  // namespace palvetta
