#include "app/batch_highlighter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace palvetta {
namespace {

using enum TBatchTokenKind;

struct TPiece {
  TBatchTokenKind Kind;
  std::string Text;
  friend bool operator==(const TPiece&, const TPiece&) = default;
};

std::string KindName(TBatchTokenKind kind) {
  static const char* const names[] = {"Comment", "Command", "Label",    "Variable",
                                      "String",  "Number",  "Operator", "PlainText"};
  return names[static_cast<int>(kind)];
}

// Prints as Kind[text], so that a failing case shows where the colours went wrong.
void PrintTo(const TPiece& piece, std::ostream* out) {
  *out << KindName(piece.Kind) << "[" << piece.Text << "]";
}

std::vector<TPiece> Pieces(std::string_view text) {
  std::vector<TPiece> pieces;
  for (const auto& token : TokenizeBatch(text))
    pieces.push_back({token.Kind, std::string(text.substr(token.Start, token.Length))});
  return pieces;
}

struct TCase {
  std::string Text;
  std::vector<TPiece> Expected;
};

void ExpectTokens(const std::vector<TCase>& cases) {
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Text);
    EXPECT_EQ(Pieces(c.Text), c.Expected);
  }
}

TEST(BatchHighlighter, CommentsAndLabels) {
  ExpectTokens({
      {"REM Copies a folder & more > x", {{Comment, "REM Copies a folder & more > x"}}},
      {"  rem. note", {{PlainText, "  "}, {Comment, "rem. note"}}},
      {"REM:x", {{Comment, "REM:x"}}},
      {"@REM quiet", {{Command, "@"}, {Comment, "REM quiet"}}},
      {"ECHO a & REM b & c",
       {{Command, "ECHO"},
        {PlainText, " a "},
        {Operator, "&"},
        {PlainText, " "},
        {Comment, "REM b & c"}}},
      // Not REM: a program of that name.
      {"REMARK x", {{PlainText, "REMARK x"}}},
      {":: a comment (with) %x%", {{Comment, ":: a comment (with) %x%"}}},
      {":USAGEHINT", {{Label, ":USAGEHINT"}}},
      {"  :Done", {{PlainText, "  "}, {Label, ":Done"}}},
      {"GOTO :USAGEHINT", {{Command, "GOTO"}, {PlainText, " "}, {Label, ":USAGEHINT"}}},
      {"goto End", {{Command, "goto"}, {PlainText, " "}, {Label, "End"}}},
      {"GOTO %Target%", {{Command, "GOTO"}, {PlainText, " "}, {Variable, "%Target%"}}},
      {"CALL :Show decoy",
       {{Command, "CALL"}, {PlainText, " "}, {Label, ":Show"}, {PlainText, " decoy"}}},
      {"CALL other.bat %1", {{Command, "CALL"}, {PlainText, " other.bat "}, {Variable, "%1"}}},
      {"call echo x", {{Command, "call"}, {PlainText, " "}, {Command, "echo"}, {PlainText, " x"}}},
  });
}

TEST(BatchHighlighter, VariablesOfEveryForm) {
  ExpectTokens({
      {"ECHO %Name%-%name:~1,2%-%x:a=b%",
       {{Command, "ECHO"},
        {PlainText, " "},
        {Variable, "%Name%"},
        {PlainText, "-"},
        {Variable, "%name:~1,2%"},
        {PlainText, "-"},
        {Variable, "%x:a=b%"}}},
      {"ECHO %1 %9 %* %~1 %~dp0 %~$PATH:1",
       {{Command, "ECHO"},
        {PlainText, " "},
        {Variable, "%1"},
        {PlainText, " "},
        {Variable, "%9"},
        {PlainText, " "},
        {Variable, "%*"},
        {PlainText, " "},
        {Variable, "%~1"},
        {PlainText, " "},
        {Variable, "%~dp0"},
        {PlainText, " "},
        {Variable, "%~$PATH:1"}}},
      // %%~a: 'a' is a path modifier letter, yet here it names the variable.
      {"ECHO %%i %%~ni %%~a %%~dpnxI",
       {{Command, "ECHO"},
        {PlainText, " "},
        {Variable, "%%i"},
        {PlainText, " "},
        {Variable, "%%~ni"},
        {PlainText, " "},
        {Variable, "%%~a"},
        {PlainText, " "},
        {Variable, "%%~dpnxI"}}},
      {"ECHO !count! and !x:~0,1!",
       {{Command, "ECHO"},
        {PlainText, " "},
        {Variable, "!count!"},
        {PlainText, " and "},
        {Variable, "!x:~0,1!"}}},
      // A doubled percent sign is a literal one and starts no variable.
      {"ECHO 100%% done %x%", {{Command, "ECHO"}, {PlainText, " 100%% done "}, {Variable, "%x%"}}},
      {"ECHO Hello! How are you!", {{Command, "ECHO"}, {PlainText, " Hello! How are you!"}}},
      {"ECHO 50% off", {{Command, "ECHO"}, {PlainText, " 50% off"}}},
      {"ECHO %", {{Command, "ECHO"}, {PlainText, " %"}}},
      {"ECHO %Target (folder)%",
       {{Command, "ECHO"}, {PlainText, " "}, {Variable, "%Target (folder)%"}}},
      {"%~dp0tool.exe /x", {{Variable, "%~dp0"}, {PlainText, "tool.exe /x"}}},
      {"ECHO 1=[%1]", {{Command, "ECHO"}, {PlainText, " 1=["}, {Variable, "%1"}, {PlainText, "]"}}},
  });
}

TEST(BatchHighlighter, StringsNumbersAndOperators) {
  ExpectTokens({
      {"TYPE \"%%L\" >> out.txt 2>&1",
       {{Command, "TYPE"},
        {PlainText, " "},
        {String, "\""},
        {Variable, "%%L"},
        {String, "\""},
        {PlainText, " "},
        {Operator, ">>"},
        {PlainText, " out.txt "},
        {Operator, "2>&1"}}},
      {"DIR>nul 2>nul <in.txt",
       {{Command, "DIR"},
        {Operator, ">"},
        {PlainText, "nul "},
        {Operator, "2>"},
        {PlainText, "nul "},
        {Operator, "<"},
        {PlainText, "in.txt"}}},
      {"DIR | FIND \"x\" && ECHO ok || ECHO failed",
       {{Command, "DIR"},
        {PlainText, " "},
        {Operator, "|"},
        {PlainText, " "},
        {Command, "FIND"},
        {PlainText, " "},
        {String, "\"x\""},
        {PlainText, " "},
        {Operator, "&&"},
        {PlainText, " "},
        {Command, "ECHO"},
        {PlainText, " ok "},
        {Operator, "||"},
        {PlainText, " "},
        {Command, "ECHO"},
        {PlainText, " failed"}}},
      {"COPY \"C:\\My Files\\a&b.txt\" x&CLS",
       {{Command, "COPY"},
        {PlainText, " "},
        {String, "\"C:\\My Files\\a&b.txt\""},
        {PlainText, " x"},
        {Operator, "&"},
        {Command, "CLS"}}},
      // An unclosed quote ends at the line end.
      {"DEL \"a b\nCLS",
       {{Command, "DEL"},
        {PlainText, " "},
        {String, "\"a b"},
        {PlainText, "\n"},
        {Command, "CLS"}}},
      {"EXIT /B 1", {{Command, "EXIT"}, {PlainText, " /B "}, {Number, "1"}}},
      {"SET /A n=15", {{Command, "SET"}, {PlainText, " /A n="}, {Number, "15"}}},
      {"7z.exe a x1 2x", {{PlainText, "7z.exe a x1 2x"}}},
      {"START \"\" /WAIT CMD /C EXIT 7",
       {{Command, "START"},
        {PlainText, " "},
        {String, "\"\""},
        {PlainText, " /WAIT CMD /C EXIT "},
        {Number, "7"}}},
  });
}

TEST(BatchHighlighter, EscapesAndEchoText) {
  ExpectTokens({
      {"ECHO a ^> b ^| c ^& d ^^", {{Command, "ECHO"}, {PlainText, " a ^> b ^| c ^& d ^^"}}},
      {"SET Title=Tom ^& Jerry", {{Command, "SET"}, {PlainText, " Title=Tom ^& Jerry"}}},
      {"ECHO Target ^(folder^) ^<it^>",
       {{Command, "ECHO"}, {PlainText, " Target ^(folder^) ^<it^>"}}},
      // In ECHO's text quotes are printed, and operators inside them are text.
      {"ECHO \"a & b\" & CLS",
       {{Command, "ECHO"},
        {PlainText, " \"a & b\" "},
        {Operator, "&"},
        {PlainText, " "},
        {Command, "CLS"}}},
      {"ECHO first > file.txt",
       {{Command, "ECHO"}, {PlainText, " first "}, {Operator, ">"}, {PlainText, " file.txt"}}},
      {"ECHO IF x GOTO y", {{Command, "ECHO"}, {PlainText, " IF x GOTO y"}}},
      {"ECHO Source (required) - x", {{Command, "ECHO"}, {PlainText, " Source (required) - x"}}},
      {"@ECHO OFF", {{Command, "@ECHO"}, {PlainText, " "}, {Command, "OFF"}}},
      {"echo on", {{Command, "echo"}, {PlainText, " "}, {Command, "on"}}},
      {"ECHO ON and on", {{Command, "ECHO"}, {PlainText, " ON and on"}}},
      {"ECHO.", {{Command, "ECHO"}, {PlainText, "."}}},
      {"ECHO:%x%", {{Command, "ECHO"}, {PlainText, ":"}, {Variable, "%x%"}}},
      // A '^' at the line end joins the next line and escapes its first character.
      {"COPY a ^\r\n&CLS", {{Command, "COPY"}, {PlainText, " a ^\r\n&CLS"}}},
      {"ECHO x ^\nCLS", {{Command, "ECHO"}, {PlainText, " x ^\nCLS"}}},
  });
}

TEST(BatchHighlighter, ConditionsLoopsAndBlocks) {
  ExpectTokens({
      {"IF \"%~1\"==\"\" (",
       {{Command, "IF"},
        {PlainText, " "},
        {String, "\""},
        {Variable, "%~1"},
        {String, "\""},
        {Operator, "=="},
        {String, "\"\""},
        {PlainText, " "},
        {Operator, "("}}},
      {"IF /I NOT EXIST \"%~1\" GOTO :EOF",
       {{Command, "IF"},
        {PlainText, " /I "},
        {Command, "NOT"},
        {PlainText, " "},
        {Command, "EXIST"},
        {PlainText, " "},
        {String, "\""},
        {Variable, "%~1"},
        {String, "\""},
        {PlainText, " "},
        {Command, "GOTO"},
        {PlainText, " "},
        {Label, ":EOF"}}},
      {"if errorlevel 1 exit /b 2",
       {{Command, "if"},
        {PlainText, " "},
        {Command, "errorlevel"},
        {PlainText, " "},
        {Number, "1"},
        {PlainText, " "},
        {Command, "exit"},
        {PlainText, " /b "},
        {Number, "2"}}},
      {"IF %x% GEQ 10 ECHO big",
       {{Command, "IF"},
        {PlainText, " "},
        {Variable, "%x%"},
        {PlainText, " "},
        {Command, "GEQ"},
        {PlainText, " "},
        {Number, "10"},
        {PlainText, " "},
        {Command, "ECHO"},
        {PlainText, " big"}}},
      {"IF DEFINED Mode CALL :Run",
       {{Command, "IF"},
        {PlainText, " "},
        {Command, "DEFINED"},
        {PlainText, " Mode "},
        {Command, "CALL"},
        {PlainText, " "},
        {Label, ":Run"}}},
      {"for /F \"usebackq tokens=*\" %%L in (\"C:\\list.txt\") do (",
       {{Command, "for"},
        {PlainText, " /F "},
        {String, "\"usebackq tokens=*\""},
        {PlainText, " "},
        {Variable, "%%L"},
        {PlainText, " "},
        {Command, "in"},
        {PlainText, " "},
        {Operator, "("},
        {String, "\"C:\\list.txt\""},
        {Operator, ")"},
        {PlainText, " "},
        {Command, "do"},
        {PlainText, " "},
        {Operator, "("}}},
      {"FOR /L %%i IN (1,1,5) DO ECHO %%i",
       {{Command, "FOR"},
        {PlainText, " /L "},
        {Variable, "%%i"},
        {PlainText, " "},
        {Command, "IN"},
        {PlainText, " "},
        {Operator, "("},
        {Number, "1"},
        {PlainText, ","},
        {Number, "1"},
        {PlainText, ","},
        {Number, "5"},
        {Operator, ")"},
        {PlainText, " "},
        {Command, "DO"},
        {PlainText, " "},
        {Command, "ECHO"},
        {PlainText, " "},
        {Variable, "%%i"}}},
      {"IF x==y (\r\n  ECHO one\r\n) ELSE (\r\n  ECHO two\r\n) >> log.txt",
       {{Command, "IF"}, {PlainText, " x"},     {Operator, "=="},  {PlainText, "y "},
        {Operator, "("}, {PlainText, "\r\n  "}, {Command, "ECHO"}, {PlainText, " one\r\n"},
        {Operator, ")"}, {PlainText, " "},      {Command, "ELSE"}, {PlainText, " "},
        {Operator, "("}, {PlainText, "\r\n  "}, {Command, "ECHO"}, {PlainText, " two\r\n"},
        {Operator, ")"}, {PlainText, " "},      {Operator, ">>"},  {PlainText, " log.txt"}}},
      // Inside a block the first unescaped ')' ends it, even in ECHO's text.
      {"(ECHO a ^) (b) & CLS",
       {{Operator, "("},
        {Command, "ECHO"},
        {PlainText, " a ^) (b"},
        {Operator, ")"},
        {PlainText, " "},
        {Operator, "&"},
        {PlainText, " "},
        {Command, "CLS"}}},
      // Outside a block a ')' is just a character.
      {")", {{PlainText, ")"}}},
      {"Setlocal enabledelayedexpansion EnableExtensions",
       {{Command, "Setlocal"},
        {PlainText, " "},
        {Command, "enabledelayedexpansion"},
        {PlainText, " "},
        {Command, "EnableExtensions"}}},
  });
}

TEST(BatchHighlighter, LinesAndUtf8) {
  ExpectTokens({
      {"", {}},
      {"\r\n", {{PlainText, "\r\n"}}},
      {"ECHO a\nECHO b",
       {{Command, "ECHO"}, {PlainText, " a\n"}, {Command, "ECHO"}, {PlainText, " b"}}},
      {"CLS\rCLS\r\n",
       {{Command, "CLS"}, {PlainText, "\r"}, {Command, "CLS"}, {PlainText, "\r\n"}}},
      {"REM été\r\n:Über\r\nGOTO Über",
       {{Comment, "REM été"},
        {PlainText, "\r\n"},
        {Label, ":Über"},
        {PlainText, "\r\n"},
        {Command, "GOTO"},
        {PlainText, " "},
        {Label, "Über"}}},
      {"ECHO Grüße ^é 😀 %Größe%",
       {{Command, "ECHO"}, {PlainText, " Grüße ^é 😀 "}, {Variable, "%Größe%"}}},
      {"SET \"x=ö\"", {{Command, "SET"}, {PlainText, " "}, {String, "\"x=ö\""}}},
      {"ÄCHO x", {{PlainText, "ÄCHO x"}}},
  });
}

// What every tokenization must satisfy, whatever the text.
void ExpectExactCover(std::string_view text, bool validUtf8) {
  const auto tokens = TokenizeBatch(text);
  std::size_t next = 0;
  for (std::size_t i = 0; i < tokens.size(); ++i) {
    const auto& token = tokens[i];
    ASSERT_EQ(token.Start, next) << "token " << i;
    ASSERT_GT(token.Length, 0u) << "token " << i;
    if (i > 0) {
      ASSERT_NE(token.Kind, tokens[i - 1].Kind) << "token " << i;
    }
    if (validUtf8) {
      ASSERT_NE(static_cast<unsigned char>(text[token.Start]) & 0xC0, 0x80)
          << "token " << i << " splits UTF-8";
    }
    next = token.Start + token.Length;
  }
  ASSERT_EQ(next, text.size());
}

std::string ReadFile(const char* path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

TEST(BatchHighlighterCover, GeneratedBatchFile) {
  const std::string text = ReadFile(PALVETTA_GOLDEN_BATCH);
  ASSERT_NE(text.find("@ECHO OFF"), std::string::npos);
  ExpectExactCover(text, true);
  // Its labels and GOTO targets, in order, and nothing else in label colour.
  const auto pieces = Pieces(text);
  std::vector<std::string> labels;
  for (const auto& piece : pieces)
    if (piece.Kind == Label) labels.push_back(piece.Text);
  EXPECT_EQ(labels, (std::vector<std::string>{":USAGEHINT", ":USAGEHINT", ":USAGEHINT", ":Done",
                                              ":Show", ":USAGEHINT"}));
  EXPECT_NE(std::find(pieces.begin(), pieces.end(), TPiece{Comment, "REM Usage hint"}),
            pieces.end());
}

TEST(BatchHighlighterCover, RandomTextsFromBatchFragments) {
  static const char* const fragments[] = {
      "ECHO", "echo.", "REM", "::",    ":",  "%",    "%%",  "%%~", "!",     "\"", "^",
      "(",    ")",     "&",   "&&",    "|",  "||",   ">",   ">>",  "<",     "2",  "1",
      ">&",   " ",     "\t",  "\r\n",  "\n", "\r",   "IF",  "NOT", "EXIST", "==", "EQU",
      "GOTO", "CALL",  "FOR", "IN",    "DO", "ELSE", "SET", "é",   "😀",     "€",  "x",
      "Name", "~",     "$",   ":~1,2", "=",  ",",    "@",   "dp0", "a",     "7",
  };
  std::mt19937 random(20261210);
  std::uniform_int_distribution<std::size_t> pick(0, std::size(fragments) - 1);
  std::uniform_int_distribution<int> length(0, 40);
  for (int run = 0; run < 5000; ++run) {
    std::string text;
    for (int n = length(random); n > 0; --n) text += fragments[pick(random)];
    SCOPED_TRACE(text);
    ExpectExactCover(text, true);
    if (HasFatalFailure()) return;
  }
}

TEST(BatchHighlighterCover, RandomBytes) {
  std::mt19937 random(7);
  std::uniform_int_distribution<int> byte(0, 255);
  for (int run = 0; run < 2000; ++run) {
    std::string text(static_cast<std::size_t>(byte(random) % 64), '\0');
    for (char& c : text) c = static_cast<char>(byte(random));
    ExpectExactCover(text, false);
    if (HasFatalFailure()) return;
  }
}

}  // namespace
}  // namespace palvetta
