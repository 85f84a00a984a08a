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
  explicit TTokenizer(std::string_view text) : FText(text) {}

  std::vector<TBatchToken> Run() {
    while (FPos < FText.size()) {
      FLineEnd = FPos;
      while (FLineEnd < FText.size() && !IsLineBreak(FText[FLineEnd])) ++FLineEnd;
      ScanLine();
      std::size_t breakEnd = FLineEnd;
      if (breakEnd < FText.size()) breakEnd += FText.compare(breakEnd, 2, "\r\n") == 0 ? 2 : 1;
      EmitTo(breakEnd, PlainText);
    }
    return std::move(FTokens);
  }

 private:
  std::string_view FText;
  std::vector<TBatchToken> FTokens;
  std::size_t FPos = 0;
  std::size_t FLineEnd = 0;
  int FBlockDepth = 0;  // open '(' blocks, across lines
  TMode FMode = TMode::CommandStart;
  TIfStage FIfStage = TIfStage::Flags;
  bool FEchoQuoted = false;
  bool FContinuedLine = false;  // the previous line ended in '^': the command goes on

  char At(std::size_t i) const { return i < FLineEnd ? FText[i] : '\0'; }

  // Emits [FPos, end) and moves FPos there, joining a neighbour of the same kind.
  void EmitTo(std::size_t end, TBatchTokenKind kind) {
    if (end <= FPos) return;
    if (!FTokens.empty() && FTokens.back().Kind == kind)
      FTokens.back().Length += end - FPos;
    else
      FTokens.push_back({FPos, end - FPos, kind});
    FPos = end;
  }

  // One character of text, where "%%" is a single escaped percent sign.
  std::size_t CharEnd(std::size_t limit) const {
    return FText.compare(FPos, 2, "%%") == 0 && FPos + 2 <= limit ? FPos + 2 : FPos + 1;
  }

  std::size_t WordEnd(std::size_t from) const {
    while (from < FLineEnd && !IsIn(FText[from], kWordEnds)) ++from;
    return from;
  }

  void ScanLine() {
    if (!FContinuedLine) {
      FMode = TMode::CommandStart;
      FEchoQuoted = false;
      std::size_t start = FPos;
      while (start < FLineEnd && IsBlank(FText[start])) ++start;
      EmitTo(start, PlainText);
      if (At(FPos) == ':') {
        EmitTo(FLineEnd, At(FPos + 1) == ':' ? Comment : Label);
        return;
      }
    }
    if (FContinuedLine && FPos < FLineEnd) {
      // The '^' that joined the lines escapes the first character of this one as well.
      EmitTo(CharacterEnd(FPos), PlainText);
    }
    FContinuedLine = false;
    while (FPos < FLineEnd) Step();
  }

  void Step() {
    const char c = FText[FPos];
    if (IsBlank(c)) {
      std::size_t end = FPos;
      while (end < FLineEnd && IsBlank(FText[end])) ++end;
      EmitTo(end, PlainText);
      return;
    }
    if (FMode == TMode::EchoText) return StepEcho();
    if (TryOperator()) return;
    switch (FMode) {
      case TMode::CommandStart:
        return StepCommandStart();
      case TMode::GotoTarget:
        FMode = TMode::Arguments;
        if (WordEnd(FPos) == FPos) return StepElement(FLineEnd);
        return EmitTo(WordEnd(FPos), Label);
      case TMode::CallTarget:
        if (c == ':') {
          FMode = TMode::Arguments;
          return EmitTo(WordEnd(FPos), Label);
        }
        FMode = TMode::CommandStart;  // CALL runs a program or another batch file
        return StepCommandStart();
      case TMode::IfCondition:
        return StepIf();
      case TMode::ForClause:
      case TMode::SetlocalOptions:
        return StepKeywordArguments();
      default:
        return StepElement(FLineEnd);
    }
  }

  // & && | || redirections, and the parentheses of blocks. False when there is none here.
  bool TryOperator() {
    const char c = FText[FPos];
    if (c == '&' || c == '|') {
      EmitTo(FPos + (At(FPos + 1) == c ? 2 : 1), Operator);
      FMode = TMode::CommandStart;
      FEchoQuoted = false;
      return true;
    }
    if (c == '<' || c == '>' || (IsDigit(c) && IsIn(At(FPos + 1), "<>") && StandsAlone(FPos))) {
      std::size_t end = FPos + (IsDigit(c) ? 1 : 0);
      const char arrow = FText[end++];
      if (arrow == '>' && At(end) == '>') ++end;
      if (At(end) == '&' && IsDigit(At(end + 1))) end += 2;  // 2>&1
      EmitTo(end, Operator);
      return true;
    }
    if (c == '(' && (FMode == TMode::CommandStart || FMode == TMode::ForClause)) {
      ++FBlockDepth;
      EmitTo(FPos + 1, Operator);
      return true;
    }
    if (c == ')' && FBlockDepth > 0) {
      --FBlockDepth;
      EmitTo(FPos + 1, Operator);
      // The ')' of FOR's set keeps the FOR clause going up to DO.
      if (FMode != TMode::ForClause) FMode = TMode::CommandStart;
      FEchoQuoted = false;
      return true;
    }
    return false;
  }

  bool StandsAlone(std::size_t at) const {
    return at == 0 || IsLineBreak(FText[at - 1]) || IsIn(FText[at - 1], kNumberNeighbours);
  }

  void StepCommandStart() {
    if (FText[FPos] == '@') return EmitTo(FPos + 1, Command);
    const std::size_t end = WordEnd(FPos);
    if (end == FPos) {
      FMode = TMode::Arguments;
      return StepElement(FLineEnd);
    }
    const std::string_view word = FText.substr(FPos, end - FPos);
    if (IsRem(word)) return EmitTo(FLineEnd, Comment);
    // ECHO. and ECHO: print their text like ECHO does, without ever meaning ON/OFF.
    if (word.size() > 4 && StartsWithAscii(word, "ECHO") && IsIn(word[4], ".:/\\[]+")) {
      EmitTo(FPos + 4, Command);
      FMode = TMode::EchoText;
      return;
    }
    if (!IsOneOf(word, kCommandWords)) {
      FMode = TMode::Arguments;
      return EmitTo(end, PlainText);
    }
    EmitTo(end, Command);
    const std::string upper = UpperAscii(word);
    if (upper == "ECHO") return StartEcho();
    FIfStage = TIfStage::Flags;
    // ELSE leaves the next word to start a command.
    if (upper != "ELSE") FMode = ModeAfterCommand(upper);
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
    FMode = TMode::EchoText;
    FEchoQuoted = false;
    std::size_t start = FPos;
    while (start < FLineEnd && IsBlank(FText[start])) ++start;
    std::size_t end = start;
    while (end < FLineEnd && IsLetter(FText[end])) ++end;
    const std::string_view word = FText.substr(start, end - start);
    if (!SameTextAscii(word, "ON") && !SameTextAscii(word, "OFF")) return;
    std::size_t after = end;
    while (after < FLineEnd && IsBlank(FText[after])) ++after;
    if (after < FLineEnd && !IsIn(FText[after], "&|<>")) return;
    EmitTo(start, PlainText);
    EmitTo(end, Command);
    FMode = TMode::Arguments;
  }

  void StepEcho() {
    const char c = FText[FPos];
    if (c == '"') {
      FEchoQuoted = !FEchoQuoted;
      return EmitTo(FPos + 1, PlainText);
    }
    if (TryVariable(FLineEnd)) return;
    if (!FEchoQuoted) {
      if (c == '^') return EmitEscape();
      if (TryOperator()) return;
    }
    std::size_t end = CharEnd(FLineEnd);
    while (end < FLineEnd && !IsIn(FText[end], " \t\"%!^&|<>()0123456789")) ++end;
    EmitTo(end, PlainText);
  }

  // IF [/I] [NOT] EXIST|DEFINED|ERRORLEVEL|CMDEXTVERSION x command
  // IF [/I] [NOT] a==b command   or   a EQU b command
  void StepIf() {
    const std::size_t end = WordEnd(FPos);
    const std::string_view word = FText.substr(FPos, end - FPos);
    switch (FIfStage) {
      case TIfStage::Flags:
        if (SameTextAscii(word, "/I")) return EmitTo(end, PlainText);
        if (SameTextAscii(word, "NOT")) return EmitTo(end, Command);
        if (IsOneOf(word, kIfTests)) {
          FIfStage = TIfStage::SingleOperand;
          return EmitTo(end, Command);
        }
        FIfStage = TIfStage::LeftOperand;
        return StepIf();
      case TIfStage::Comparison:
        FIfStage = TIfStage::RightOperand;
        if (FText.compare(FPos, 2, "==") == 0 && FPos + 2 <= FLineEnd) return EmitTo(FPos + 2, Operator);
        if (IsOneOf(word, kIfComparisons)) return EmitTo(end, Command);
        return StepIf();
      case TIfStage::LeftOperand:
        FIfStage = TIfStage::Comparison;
        return EmitSpan(OperandEnd(true));
      case TIfStage::SingleOperand:
      case TIfStage::RightOperand:
        FMode = TMode::CommandStart;
        return EmitSpan(OperandEnd(false));
    }
  }

  // An IF operand runs to a blank or operator outside quotes; the left one also to "==".
  std::size_t OperandEnd(bool stopAtEquals) const {
    std::size_t end = FPos;
    while (end < FLineEnd) {
      const char c = FText[end];
      if (IsBlank(c) || IsIn(c, "&|<>()")) break;
      if (stopAtEquals && end > FPos && FText.compare(end, 2, "==") == 0) break;
      if (c == '"') {
        end = QuoteEnd(end);
      } else if (c == '^' && end + 1 < FLineEnd) {
        end += 2;
      } else {
        ++end;
      }
    }
    return end == FPos ? FPos + 1 : end;
  }

  void EmitSpan(std::size_t end) {
    while (FPos < end) StepElement(end);
  }

  // FOR's IN and DO, SETLOCAL's options; anything else as a plain argument.
  void StepKeywordArguments() {
    const std::size_t end = WordEnd(FPos);
    const std::string_view word = FText.substr(FPos, end - FPos);
    if (FMode == TMode::ForClause && SameTextAscii(word, "DO")) {
      FMode = TMode::CommandStart;
      return EmitTo(end, Command);
    }
    if ((FMode == TMode::ForClause && SameTextAscii(word, "IN")) ||
        (FMode == TMode::SetlocalOptions && IsOneOf(word, kSetlocalOptions)))
      return EmitTo(end, Command);
    StepElement(FLineEnd);
  }

  // One string, variable, escape, number or plain word, not beyond limit.
  void StepElement(std::size_t limit) {
    const char c = FText[FPos];
    if (c == '"') return EmitString(limit);
    if (c == '^') return EmitEscape();
    if (TryVariable(limit)) return;
    const std::size_t end = std::min(WordEnd(FPos), limit);
    if (end == FPos) return EmitTo(CharEnd(limit), PlainText);
    const bool digitsOnly = std::all_of(FText.begin() + FPos, FText.begin() + end, IsDigit);
    const bool alone = StandsAlone(FPos) && (end == FLineEnd || IsIn(FText[end], kNumberNeighbours));
    EmitTo(end, digitsOnly && alone ? Number : PlainText);
  }

  std::size_t QuoteEnd(std::size_t open) const {
    const std::size_t close = FText.find('"', open + 1);
    return close < FLineEnd ? close + 1 : FLineEnd;
  }

  void EmitString(std::size_t limit) {
    const std::size_t end = std::min(QuoteEnd(FPos), limit);
    EmitTo(FPos + 1, String);
    while (FPos < end) {
      if (TryVariable(end)) continue;
      std::size_t run = CharEnd(end);
      while (run < end && !IsIn(FText[run], "%!")) ++run;
      EmitTo(run, String);
    }
  }

  // '^' and the character it escapes, a whole UTF-8 sequence; at the line end it continues
  // the command on the next line.
  void EmitEscape() {
    if (FPos + 1 == FLineEnd) FContinuedLine = FLineEnd < FText.size();
    EmitTo(FPos + 1 == FLineEnd ? FLineEnd : CharacterEnd(FPos + 1), PlainText);
  }

  // The end of the character at 'at', a whole UTF-8 sequence.
  std::size_t CharacterEnd(std::size_t at) const {
    ++at;
    while (at < FLineEnd && IsUtf8Continuation(FText[at])) ++at;
    return at;
  }

  bool TryVariable(std::size_t limit) {
    const std::size_t end = VariableEnd(limit);
    if (end == 0) return false;
    EmitTo(end, Variable);
    return true;
  }

  // The end of the variable at FPos, or 0 when there is none.
  std::size_t VariableEnd(std::size_t limit) const {
    const auto at = [&](std::size_t i) { return i < limit ? FText[i] : '\0'; };
    const char c = at(FPos);
    if (c == '!') {
      std::size_t close = FPos + 1;
      while (close < limit && FText[close] != '!' && !IsBlank(FText[close])) ++close;
      return at(close) == '!' && close > FPos + 1 ? close + 1 : 0;
    }
    if (c != '%') return 0;
    if (at(FPos + 1) == '%') {  // %%i, %%~ni: a FOR variable; "%%" alone is a percent sign
      std::size_t next = FPos + 2;
      if (at(next) == '~') next = ModifiersEnd(next + 1, limit, true);
      return IsLetter(at(next)) ? next + 1 : 0;
    }
    if (at(FPos + 1) == '~') {  // %~1, %~dp0, %~$PATH:1
      const std::size_t next = ModifiersEnd(FPos + 2, limit, false);
      return IsDigit(at(next)) ? next + 1 : 0;
    }
    if (IsDigit(at(FPos + 1)) || at(FPos + 1) == '*') return FPos + 2;
    const std::size_t close = FText.find('%', FPos + 1);
    return close < limit && close > FPos + 1 ? close + 1 : 0;
  }

  // Skips path modifiers and a $NAME: search. For a FOR variable the last letter stays the
  // variable's name, so "%%~a" and "%%~dpa" name the variable a.
  std::size_t ModifiersEnd(std::size_t from, std::size_t limit, bool letterFollows) const {
    std::size_t end = from;
    while (end < limit && IsIn(FText[end], kPathModifiers)) ++end;
    if (end < limit && FText[end] == '$') {
      const std::size_t colon = FText.find(':', end);
      if (colon < limit) return colon + 1;
    }
    if (letterFollows && end > from && (end == limit || !IsLetter(FText[end]))) --end;
    return end;
  }
};

}  // namespace

std::vector<TBatchToken> TokenizeBatch(std::string_view text) { return TTokenizer(text).Run(); }

}  // namespace palvetta
