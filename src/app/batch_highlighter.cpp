#include "app/batch_highlighter.h"

#include <algorithm>
#include <cstring>
#include <span>

#include "base/text.h"

namespace palvetta {

namespace {

using enum TBatchTokenKind;

// Words that start a command: cmd.exe's internal commands and the tools batch files use most.
constexpr std::string_view kCommandWords[]{
    "ASSOC",    "ATTRIB",   "BREAK",    "CALL",    "CD",       "CHCP",   "CHDIR",      "CHOICE",
    "CLIP",     "CLS",      "CMD",      "COLOR",   "COMP",     "COPY",   "DATE",       "DEL",
    "DIR",      "DPATH",    "ECHO",     "ELSE",    "ENDLOCAL", "ERASE",  "EXIT",       "EXPAND",
    "FC",       "FIND",     "FINDSTR",  "FOR",     "FORFILES", "FTYPE",  "GOTO",       "HOSTNAME",
    "ICACLS",   "IF",       "IPCONFIG", "MD",      "MKDIR",    "MKLINK", "MODE",       "MORE",
    "MOVE",     "NET",      "PATH",     "PAUSE",   "PING",     "POPD",   "POWERSHELL", "PROMPT",
    "PUSHD",    "RD",       "REG",      "REN",     "RENAME",   "RMDIR",  "ROBOCOPY",   "SC",
    "SCHTASKS", "SET",      "SETLOCAL", "SETX",    "SHIFT",    "SORT",   "START",      "SUBST",
    "TASKKILL", "TASKLIST", "TIME",     "TIMEOUT", "TITLE",    "TREE",   "TYPE",       "VER",
    "VERIFY",   "VOL",      "WHERE",    "WHOAMI",  "XCOPY",
};
constexpr std::string_view kSetlocalOptions[]{"EnableDelayedExpansion", "DisableDelayedExpansion",
                                              "EnableExtensions", "DisableExtensions"};
// IF words followed by a single operand.
constexpr std::string_view kIfTests[]{"EXIST", "DEFINED", "ERRORLEVEL", "CMDEXTVERSION"};
constexpr std::string_view kIfComparisons[]{"EQU", "NEQ", "LSS", "LEQ", "GTR", "GEQ"};

bool IsOneOf(std::string_view word, std::span<const std::string_view> words) {
  return std::ranges::any_of(words, [&](std::string_view w) { return SameTextAscii(w, word); });
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsIn(char c, const char* set) { return c != '\0' && std::strchr(set, c) != nullptr; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
bool IsLineBreak(char c) { return c == '\r' || c == '\n'; }
bool IsUtf8Continuation(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

// Characters that end a word: blanks, cmd.exe's argument separators, operators and the starts
// of strings, variables and escapes.
constexpr const char* kWordEnds = " \t=,;^\"%!<>|&()";
// Around a number: what may stand next to digits for them to count as a number of their own.
constexpr const char* kNumberNeighbours = " \t=,;<>|&()";
// Path modifiers of %~ and %%~ (f, d, p, n, x, s, a, t, z).
constexpr const char* kPathModifiers = "fdpnxsatzFDPNXSATZ";

enum class TMode {
  CommandStart,  // the next word names a command
  Arguments,
  EchoText,
  GotoTarget,
  CallTarget,
  IfCondition,
  ForClause,
  SetlocalOptions,
};

// Where an IF condition has got to.
enum class TIfStage { Flags, SingleOperand, LeftOperand, Comparison, RightOperand };

class TTokenizer {
 public:
  explicit TTokenizer(std::string_view text) : Text(text) {}

  std::vector<TBatchToken> Run() {
    while (Pos < Text.size()) {
      LineEnd = Pos;
      while (LineEnd < Text.size() && !IsLineBreak(Text[LineEnd])) ++LineEnd;
      ScanLine();
      std::size_t breakEnd = LineEnd;
      if (breakEnd < Text.size()) breakEnd += Text.compare(breakEnd, 2, "\r\n") == 0 ? 2 : 1;
      EmitTo(breakEnd, PlainText);
    }
    return std::move(Tokens);
  }

 private:
  std::string_view Text;
  std::vector<TBatchToken> Tokens;
  std::size_t Pos = 0;
  std::size_t LineEnd = 0;
  int BlockDepth = 0;  // open '(' blocks, across lines
  TMode Mode = TMode::CommandStart;
  TIfStage IfStage = TIfStage::Flags;
  bool EchoQuoted = false;
  bool ContinuedLine = false;  // the previous line ended in '^': the command goes on

  char At(std::size_t i) const { return i < LineEnd ? Text[i] : '\0'; }

  // Emits [Pos, end) and moves Pos there, joining a neighbour of the same kind.
  void EmitTo(std::size_t end, TBatchTokenKind kind) {
    if (end <= Pos) return;
    if (!Tokens.empty() && Tokens.back().Kind == kind)
      Tokens.back().Length += end - Pos;
    else
      Tokens.push_back({Pos, end - Pos, kind});
    Pos = end;
  }

  // One character of text, where "%%" is a single escaped percent sign.
  std::size_t CharEnd(std::size_t limit) const {
    return Text.compare(Pos, 2, "%%") == 0 && Pos + 2 <= limit ? Pos + 2 : Pos + 1;
  }

  std::size_t WordEnd(std::size_t from) const {
    while (from < LineEnd && !IsIn(Text[from], kWordEnds)) ++from;
    return from;
  }

  void ScanLine() {
    if (!ContinuedLine) {
      Mode = TMode::CommandStart;
      EchoQuoted = false;
      std::size_t start = Pos;
      while (start < LineEnd && IsBlank(Text[start])) ++start;
      EmitTo(start, PlainText);
      if (At(Pos) == ':') {
        EmitTo(LineEnd, At(Pos + 1) == ':' ? Comment : Label);
        return;
      }
    }
    if (ContinuedLine && Pos < LineEnd) {
      // The '^' that joined the lines escapes the first character of this one as well.
      EmitTo(CharacterEnd(Pos), PlainText);
    }
    ContinuedLine = false;
    while (Pos < LineEnd) Step();
  }

  void Step() {
    const char c = Text[Pos];
    if (IsBlank(c)) {
      std::size_t end = Pos;
      while (end < LineEnd && IsBlank(Text[end])) ++end;
      EmitTo(end, PlainText);
      return;
    }
    if (Mode == TMode::EchoText) return StepEcho();
    if (TryOperator()) return;
    switch (Mode) {
      case TMode::CommandStart:
        return StepCommandStart();
      case TMode::GotoTarget:
        Mode = TMode::Arguments;
        if (WordEnd(Pos) == Pos) return StepElement(LineEnd);
        return EmitTo(WordEnd(Pos), Label);
      case TMode::CallTarget:
        if (c == ':') {
          Mode = TMode::Arguments;
          return EmitTo(WordEnd(Pos), Label);
        }
        Mode = TMode::CommandStart;  // CALL runs a program or another batch file
        return StepCommandStart();
      case TMode::IfCondition:
        return StepIf();
      case TMode::ForClause:
      case TMode::SetlocalOptions:
        return StepKeywordArguments();
      default:
        return StepElement(LineEnd);
    }
  }

  // & && | || redirections, and the parentheses of blocks. False when there is none here.
  bool TryOperator() {
    const char c = Text[Pos];
    if (c == '&' || c == '|') {
      EmitTo(Pos + (At(Pos + 1) == c ? 2 : 1), Operator);
      Mode = TMode::CommandStart;
      EchoQuoted = false;
      return true;
    }
    if (c == '<' || c == '>' || (IsDigit(c) && IsIn(At(Pos + 1), "<>") && StandsAlone(Pos))) {
      std::size_t end = Pos + (IsDigit(c) ? 1 : 0);
      const char arrow = Text[end++];
      if (arrow == '>' && At(end) == '>') ++end;
      if (At(end) == '&' && IsDigit(At(end + 1))) end += 2;  // 2>&1
      EmitTo(end, Operator);
      return true;
    }
    if (c == '(' && (Mode == TMode::CommandStart || Mode == TMode::ForClause)) {
      ++BlockDepth;
      EmitTo(Pos + 1, Operator);
      return true;
    }
    if (c == ')' && BlockDepth > 0) {
      --BlockDepth;
      EmitTo(Pos + 1, Operator);
      // The ')' of FOR's set keeps the FOR clause going up to DO.
      if (Mode != TMode::ForClause) Mode = TMode::CommandStart;
      EchoQuoted = false;
      return true;
    }
    return false;
  }

  bool StandsAlone(std::size_t at) const {
    return at == 0 || IsLineBreak(Text[at - 1]) || IsIn(Text[at - 1], kNumberNeighbours);
  }

  void StepCommandStart() {
    if (Text[Pos] == '@') return EmitTo(Pos + 1, Command);
    const std::size_t end = WordEnd(Pos);
    if (end == Pos) {
      Mode = TMode::Arguments;
      return StepElement(LineEnd);
    }
    const std::string_view word = Text.substr(Pos, end - Pos);
    if (IsRem(word)) return EmitTo(LineEnd, Comment);
    // ECHO. and ECHO: print their text like ECHO does, without ever meaning ON/OFF.
    if (word.size() > 4 && StartsWithAscii(word, "ECHO") && IsIn(word[4], ".:/\\[]+")) {
      EmitTo(Pos + 4, Command);
      Mode = TMode::EchoText;
      return;
    }
    if (!IsOneOf(word, kCommandWords)) {
      Mode = TMode::Arguments;
      return EmitTo(end, PlainText);
    }
    EmitTo(end, Command);
    const std::string upper = UpperAscii(word);
    if (upper == "ECHO") return StartEcho();
    IfStage = TIfStage::Flags;
    // ELSE leaves the next word to start a command.
    if (upper != "ELSE") Mode = ModeAfterCommand(upper);
  }

  static TMode ModeAfterCommand(std::string_view upperCommand) {
    if (upperCommand == "GOTO") return TMode::GotoTarget;
    if (upperCommand == "CALL") return TMode::CallTarget;
    if (upperCommand == "IF") return TMode::IfCondition;
    if (upperCommand == "FOR") return TMode::ForClause;
    if (upperCommand == "SETLOCAL") return TMode::SetlocalOptions;
    return TMode::Arguments;
  }

  static bool IsRem(std::string_view word) {
    return SameTextAscii(word, "REM") ||
           (word.size() > 3 && StartsWithAscii(word, "REM") && IsIn(word[3], ".:/"));
  }

  // ECHO ON and ECHO OFF switch echoing; any other text is printed.
  void StartEcho() {
    Mode = TMode::EchoText;
    EchoQuoted = false;
    std::size_t start = Pos;
    while (start < LineEnd && IsBlank(Text[start])) ++start;
    std::size_t end = start;
    while (end < LineEnd && IsLetter(Text[end])) ++end;
    const std::string_view word = Text.substr(start, end - start);
    if (!SameTextAscii(word, "ON") && !SameTextAscii(word, "OFF")) return;
    std::size_t after = end;
    while (after < LineEnd && IsBlank(Text[after])) ++after;
    if (after < LineEnd && !IsIn(Text[after], "&|<>")) return;
    EmitTo(start, PlainText);
    EmitTo(end, Command);
    Mode = TMode::Arguments;
  }

  void StepEcho() {
    const char c = Text[Pos];
    if (c == '"') {
      EchoQuoted = !EchoQuoted;
      return EmitTo(Pos + 1, PlainText);
    }
    if (TryVariable(LineEnd)) return;
    if (!EchoQuoted) {
      if (c == '^') return EmitEscape();
      if (TryOperator()) return;
    }
    std::size_t end = CharEnd(LineEnd);
    while (end < LineEnd && !IsIn(Text[end], " \t\"%!^&|<>()0123456789")) ++end;
    EmitTo(end, PlainText);
  }

  // IF [/I] [NOT] EXIST|DEFINED|ERRORLEVEL|CMDEXTVERSION x command
  // IF [/I] [NOT] a==b command   or   a EQU b command
  void StepIf() {
    const std::size_t end = WordEnd(Pos);
    const std::string_view word = Text.substr(Pos, end - Pos);
    switch (IfStage) {
      case TIfStage::Flags:
        if (SameTextAscii(word, "/I")) return EmitTo(end, PlainText);
        if (SameTextAscii(word, "NOT")) return EmitTo(end, Command);
        if (IsOneOf(word, kIfTests)) {
          IfStage = TIfStage::SingleOperand;
          return EmitTo(end, Command);
        }
        IfStage = TIfStage::LeftOperand;
        return StepIf();
      case TIfStage::Comparison:
        IfStage = TIfStage::RightOperand;
        if (Text.compare(Pos, 2, "==") == 0 && Pos + 2 <= LineEnd) return EmitTo(Pos + 2, Operator);
        if (IsOneOf(word, kIfComparisons)) return EmitTo(end, Command);
        return StepIf();
      case TIfStage::LeftOperand:
        IfStage = TIfStage::Comparison;
        return EmitSpan(OperandEnd(true));
      case TIfStage::SingleOperand:
      case TIfStage::RightOperand:
        Mode = TMode::CommandStart;
        return EmitSpan(OperandEnd(false));
    }
  }

  // An IF operand runs to a blank or operator outside quotes; the left one also to "==".
  std::size_t OperandEnd(bool stopAtEquals) const {
    std::size_t end = Pos;
    while (end < LineEnd) {
      const char c = Text[end];
      if (IsBlank(c) || IsIn(c, "&|<>()")) break;
      if (stopAtEquals && end > Pos && Text.compare(end, 2, "==") == 0) break;
      if (c == '"') {
        end = QuoteEnd(end);
      } else if (c == '^' && end + 1 < LineEnd) {
        end += 2;
      } else {
        ++end;
      }
    }
    return end == Pos ? Pos + 1 : end;
  }

  void EmitSpan(std::size_t end) {
    while (Pos < end) StepElement(end);
  }

  // FOR's IN and DO, SETLOCAL's options; anything else as a plain argument.
  void StepKeywordArguments() {
    const std::size_t end = WordEnd(Pos);
    const std::string_view word = Text.substr(Pos, end - Pos);
    if (Mode == TMode::ForClause && SameTextAscii(word, "DO")) {
      Mode = TMode::CommandStart;
      return EmitTo(end, Command);
    }
    if ((Mode == TMode::ForClause && SameTextAscii(word, "IN")) ||
        (Mode == TMode::SetlocalOptions && IsOneOf(word, kSetlocalOptions)))
      return EmitTo(end, Command);
    StepElement(LineEnd);
  }

  // One string, variable, escape, number or plain word, not beyond limit.
  void StepElement(std::size_t limit) {
    const char c = Text[Pos];
    if (c == '"') return EmitString(limit);
    if (c == '^') return EmitEscape();
    if (TryVariable(limit)) return;
    const std::size_t end = std::min(WordEnd(Pos), limit);
    if (end == Pos) return EmitTo(CharEnd(limit), PlainText);
    const bool digitsOnly = std::all_of(Text.begin() + Pos, Text.begin() + end, IsDigit);
    const bool alone = StandsAlone(Pos) && (end == LineEnd || IsIn(Text[end], kNumberNeighbours));
    EmitTo(end, digitsOnly && alone ? Number : PlainText);
  }

  std::size_t QuoteEnd(std::size_t open) const {
    const std::size_t close = Text.find('"', open + 1);
    return close < LineEnd ? close + 1 : LineEnd;
  }

  void EmitString(std::size_t limit) {
    const std::size_t end = std::min(QuoteEnd(Pos), limit);
    EmitTo(Pos + 1, String);
    while (Pos < end) {
      if (TryVariable(end)) continue;
      std::size_t run = CharEnd(end);
      while (run < end && !IsIn(Text[run], "%!")) ++run;
      EmitTo(run, String);
    }
  }

  // '^' and the character it escapes, a whole UTF-8 sequence; at the line end it continues
  // the command on the next line.
  void EmitEscape() {
    if (Pos + 1 == LineEnd) ContinuedLine = LineEnd < Text.size();
    EmitTo(Pos + 1 == LineEnd ? LineEnd : CharacterEnd(Pos + 1), PlainText);
  }

  // The end of the character at 'at', a whole UTF-8 sequence.
  std::size_t CharacterEnd(std::size_t at) const {
    ++at;
    while (at < LineEnd && IsUtf8Continuation(Text[at])) ++at;
    return at;
  }

  bool TryVariable(std::size_t limit) {
    const std::size_t end = VariableEnd(limit);
    if (end == 0) return false;
    EmitTo(end, Variable);
    return true;
  }

  // The end of the variable at Pos, or 0 when there is none.
  std::size_t VariableEnd(std::size_t limit) const {
    const auto at = [&](std::size_t i) { return i < limit ? Text[i] : '\0'; };
    const char c = at(Pos);
    if (c == '!') {
      std::size_t close = Pos + 1;
      while (close < limit && Text[close] != '!' && !IsBlank(Text[close])) ++close;
      return at(close) == '!' && close > Pos + 1 ? close + 1 : 0;
    }
    if (c != '%') return 0;
    if (at(Pos + 1) == '%') {  // %%i, %%~ni: a FOR variable; "%%" alone is a percent sign
      std::size_t next = Pos + 2;
      if (at(next) == '~') next = ModifiersEnd(next + 1, limit, true);
      return IsLetter(at(next)) ? next + 1 : 0;
    }
    if (at(Pos + 1) == '~') {  // %~1, %~dp0, %~$PATH:1
      const std::size_t next = ModifiersEnd(Pos + 2, limit, false);
      return IsDigit(at(next)) ? next + 1 : 0;
    }
    if (IsDigit(at(Pos + 1)) || at(Pos + 1) == '*') return Pos + 2;
    const std::size_t close = Text.find('%', Pos + 1);
    return close < limit && close > Pos + 1 ? close + 1 : 0;
  }

  // Skips path modifiers and a $NAME: search. For a FOR variable the last letter stays the
  // variable's name, so "%%~a" and "%%~dpa" name the variable a.
  std::size_t ModifiersEnd(std::size_t from, std::size_t limit, bool letterFollows) const {
    std::size_t end = from;
    while (end < limit && IsIn(Text[end], kPathModifiers)) ++end;
    if (end < limit && Text[end] == '$') {
      const std::size_t colon = Text.find(':', end);
      if (colon < limit) return colon + 1;
    }
    if (letterFollows && end > from && (end == limit || !IsLetter(Text[end]))) --end;
    return end;
  }
};

}  // namespace

std::vector<TBatchToken> TokenizeBatch(std::string_view text) { return TTokenizer(text).Run(); }

}  // namespace palvetta
