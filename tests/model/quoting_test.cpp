#include "model/quoting.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

namespace palvetta {
namespace {

TEST(QuoteIfSpaced, Cases) {
  struct Case {
    const char* text;
    const char* quoted;
  };
  const Case cases[] = {
      {"  C:\\My Files\\a.txt  ", "\"C:\\My Files\\a.txt\""},
      {" \"C:\\My Files\\a.txt\" ", "\"C:\\My Files\\a.txt\""},  // the user's own pair
      // A path cannot hold a double quote: one inside would end the quotes around it.
      {" \"C:\\My Files\\a.txt\" x ", "\"C:\\My Files\\a.txt x\""},
      {"a\" & ECHO INJ>canary & \"", "\"a & ECHO INJ>canary &\""},
      {"x\r\nDEL y", "\"x DEL y\""},
      // A literal "%" is doubled; references stay.
      {"C:\\100%\\a.txt", "C:\\100%%\\a.txt"},
      {"%~dp0out %~x", "\"%~dp0out %%~x\""},
      {" C:\\Files\\a.txt ", "C:\\Files\\a.txt"},
      {"", ""},
      {"   ", ""},
      {"a\tb", "a\tb"},  // only a blank or a special character asks for quotes
      // Characters that would end the command or redirect it are protected too.
      {"C:\\R&D\\log.txt", "\"C:\\R&D\\log.txt\""},
      {"C:\\Program(x86)", "\"C:\\Program(x86)\""},
      {"a|b", "\"a|b\""},
      {"a<b>c", "\"a<b>c\""},
      {"a^b", "\"a^b\""},
      {"%TEMP%\\x", "%TEMP%\\x"},
      // cmd's other separators would split the path into arguments.
      {"a,b\\t.bat", "\"a,b\\t.bat\""},
      {"o;p.txt", "\"o;p.txt\""},
      {"x=y.log", "\"x=y.log\""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(QuoteIfSpaced(c.text), c.quoted);
  }
}

TEST(EscapeBatchSpecials, Cases) {
  struct Case {
    const char* text;
    const char* escaped;
  };
  const Case cases[] = {
      {"Target (folder)", "Target ^(folder^)"},
      {"a & b | c > d < e ^ f", "a ^& b ^| c ^> d ^< e ^^ f"},
      {"\"a & b\" & c", "\"a & b\" ^& c"},  // inside quotes cmd reads them as text already
      {"50% %x% %~", "50%% %x% %%~"},  // a lone "%" would pair with the next one
      {"line1\r\nline2 & x", "line1 line2 ^& x"},
      {"", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(EscapeBatchSpecials(c.text), c.escaped);
  }
  EXPECT_EQ(OneLine("a\r\nb\nc\rd"), "a b c d");
}

TEST(QuoteOnce, Cases) {
  const struct {
    const char* text;
    const char* quoted;
  } cases[] = {
      {"C:\\My Files\\a.txt", "\"C:\\My Files\\a.txt\""},
      {"\"C:\\My Files\\a.txt\"", "\"C:\\My Files\\a.txt\""},
      {"  \"C:\\x.txt\"  ", "\"C:\\x.txt\""},
      {" a ", "\" a \""},  // as stored when the user gave no quotes
      {"", "\"\""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(QuoteOnce(c.text), c.quoted);
  }
}

TEST(EscapeSetAssignment, OnePassOneQuoteState) {
  const struct {
    const char* name;
    const char* value;
    const char* line;
  } cases[] = {
      {"X", "Tom & Jerry", "X=Tom ^& Jerry"},
      {"\"X", "a&b\"", "\"X=a&b\""},        // the classic quoted form
      {"X", "a^&b", "X=a^&b"},              // the user's own caret
      {"X", "(1) | <2>", "X=^(1^) ^| ^<2^>"},
      {"X", "end^", "X=end^^"},             // a last caret would join the next line
      {"X", "\"a & b\" & c", "X=\"a & b\" ^& c"},
      {"X", "a\r\nDEL y", "X=a DEL y"},
      {"X", "50% %~ %DATE% %~dp0", "X=50%% %%~ %DATE% %~dp0"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    EXPECT_EQ(EscapeSetAssignment(c.name, c.value), c.line);
  }
}

TEST(EscapeEchoText, PercentSignsPrintAsTyped) {
  EXPECT_EQ(EscapeEchoText("100% sure, %1 & (x)"), "100%% sure, %%1 ^& ^(x^)");
  EXPECT_EQ(EscapeEchoText("\"50%\" | y"), "\"50%%\" ^| y");
}

TEST(QuotePath, AlwaysOneQuotedArgument) {
  struct Case {
    const char* text;
    const char* quoted;
  };
  const Case cases[] = {
      {" C:\\logs\\*.log ", "\"C:\\logs\\*.log\""},
      {"", "\"\""},
      {"   ", "\"\""},
      {"\"C:\\a b.txt\"", "\"C:\\a b.txt\""},  // the user's quotes are not doubled
      {"a\"b\"c", "\"abc\""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(QuotePath(c.text), c.quoted);
  }
}

TEST(NormalizeQuotedPath, AQuotedFolderNeverEndsInBackslashQuote) {
  struct Case {
    const char* text;
    const char* normalized;
  };
  const Case cases[] = {
      {"D:\\a b\\", "\"D:\\a b\""},
      {" \"D:\\a b\\\" ", "\"D:\\a b\""},  // typed with its own quotes
      {"D:\\ab\\", "D:\\ab\\"},           // no quotes, so the backslash does no harm
      {"C:\\", "C:\\"},
      {"\"C:\\\"", "C:\\"},
      {"D:\\R&D\\", "\"D:\\R&D\""},
      {"", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(NormalizeQuotedPath(c.text), c.normalized);
  }
}

TEST(QuoteArgument, FollowsTheArgvRules) {
  struct Case {
    const char* argument;
    const char* quoted;
  };
  const Case cases[] = {
      {"plain", "plain"},
      {"C:\\dir\\", "C:\\dir\\"},  // backslashes alone need nothing
      {"", "\"\""},
      {"a b", "\"a b\""},
      {"a\tb", "\"a\tb\""},
      {"say \"hi\"", "\"say \\\"hi\\\"\""},
      {"C:\\a b\\", "\"C:\\a b\\\\\""},     // the closing quote's backslash doubled
      {"a\\\"b", "\"a\\\\\\\"b\""},          // backslash before a quote: both escaped
      {"a\\\\b c", "\"a\\\\b c\""},        // backslashes inside stay as they are
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.argument);
    EXPECT_EQ(QuoteArgument(c.argument), c.quoted);
  }
  EXPECT_EQ(AlwaysQuotedArgument("plain"), "\"plain\"");
  EXPECT_EQ(AlwaysQuotedArgument("a\\"), "\"a\\\\\"");
}

// The three ways the commands read a user's quotes, each on the same texts.
TEST(QuoteForCommand, EachRuleOnTheSameTexts) {
  const TCommandQuoting keeps{.Specials = " \t&()<>^|", .KeepsQuoted = true};
  const TCommandQuoting drops{.Specials = " \t%&()<>^|"};
  const TCommandQuoting untrimmed{.Specials = " \t%&()<>^|", .Trimmed = false};
  struct Case {
    const char* text;
    const char* keeping;    // kept in quotes
    const char* dropping;   // end quotes dropped, trimmed
    const char* untrimmed;  // end quotes dropped, blanks kept
  };
  const Case cases[] = {
      {"plain", "plain", "plain", "plain"},
      {" plain ", "plain", "plain", "\" plain \""},
      {"a b", "\"a b\"", "\"a b\"", "\"a b\""},
      {"\"ab\"", "\"ab\"", "ab", "ab"},
      {" \" a b \" ", "\" a b \"", "\"a b\"", "\"  a b  \""},
      // A name cannot hold a double quote: a lone or inner one would end the quotes.
      {"\"half", "half", "half", "half"},
      {"\"", "", "", ""},
      {"a\" & b", "\"a & b\"", "\"a & b\"", "\"a & b\""},
      {"%X%", "%X%", "\"%X%\"", "\"%X%\""},
      {"50%", "50%%", "\"50%%\"", "\"50%%\""},
      {"a\r\nb", "\"a b\"", "\"a b\"", "\"a b\""},
      {"a&b", "\"a&b\"", "\"a&b\"", "\"a&b\""},
      {"", "", "", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(QuoteForCommand(c.text, keeps), c.keeping);
    EXPECT_EQ(QuoteForCommand(c.text, drops), c.dropping);
    EXPECT_EQ(QuoteForCommand(c.text, untrimmed), c.untrimmed);
  }
}

TEST(VariableName, APercentOrDoubleQuoteIsLeftOutAndNoted) {
  const struct {
    const char* text;
    const char* name;
    const char* noted;
  } cases[] = {
      {" Mode ", "Mode", ""},
      {"a%~ & b", "a~ & b", "%"},
      {"%Mode%", "Mode", "%"},
      {"\"50% x\"", "50 x", "%"},
      {"a\"%b", "ab", "\"%"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    TLeftOutCharacters leftOut;
    EXPECT_EQ(VariableName(c.text), c.name);
    EXPECT_EQ(leftOut.Characters(), c.noted);
  }
}

TEST(PathValue, ADoubleQuoteIsLeftOutAndNoted) {
  const struct {
    const char* text;
    const char* value;
    bool noted;
  } cases[] = {
      {"  \"C:\\a b.txt\"  ", "C:\\a b.txt", false},  // the user's own pair
      {"a\"b", "ab", true},
      {"\"a\"b\"", "ab", true},
      {"\"open", "open", true},
      {"a \" ", "a", true},
      {"x\r\ny", "x y", false},
      {"\"\"", "", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    TLeftOutCharacters leftOut;
    EXPECT_EQ(PathValue(c.text), c.value);
    EXPECT_EQ(leftOut.Characters(), c.noted ? "\"" : "");
  }
  // Only the innermost collector notes; none alive notes nothing.
  EXPECT_EQ(PathValue("a\"b"), "ab");
  TLeftOutCharacters outer;
  {
    TLeftOutCharacters inner;
    QuoteIfSpaced("x\"y");
    QuotePath("\"x\"\"");
    EXPECT_EQ(inner.Characters(), "\"");
  }
  EXPECT_EQ(outer.Characters(), "");
  QuoteOnce("a\"b");
  EXPECT_EQ(outer.Characters(), "\"");
}

// A "%" on a command line is literal unless it is a reference or a batch parameter.
TEST(EscapeArgumentPercents, Cases) {
  const std::pair<const char*, const char*> cases[] = {
      {"100%", "100%%"},
      {"%%", "%%"},
      {"%TEMP%\\x", "%TEMP%\\x"},
      {"%DATE:~0,4%", "%DATE:~0,4%"},
      {"%1 %9 %*", "%1 %9 %*"},
      {"%~dp0x %~nx1 %~$PATH:2", "%~dp0x %~nx1 %~$PATH:2"},
      {"%~", "%%~"},  // would stop the batch file
      {"%~q1 %~$:1 %~$P", "%%~q1 %%~$:1 %%~$P"},
      {"a%b c%d", "a%%b c%%d"},  // a lone "%" would pair with the next one
      {"", ""},
  };
  for (const auto& [text, escaped] : cases) EXPECT_EQ(EscapeArgumentPercents(text), escaped) << text;
}

// The user's own syntax stays; only a line break or a caret that joins lines is mended.
TEST(UserBatchSyntax, KeepsWhatTheUserWroteOnOneLine) {
  const std::pair<const char*, const char*> cases[] = {
      {"a & b | c %x% %1", "a & b | c %x% %1"},
      {"x\r\nDEL y\nz", "x DEL y z"},
      {"a^", "a^^"},
      {"a^^", "a^^"},
      {"a^^^", "a^^^^"},
      {"\"a^\" b^", "\"a^\" b^^"},
      {"\"a ^", "\"a ^"},  // inside quotes a caret is text
      {"", ""},
  };
  for (const auto& [text, written] : cases) EXPECT_EQ(UserBatchSyntax(text), written) << text;
}

TEST(CommentText, NeitherStopsTheBatchFileNorJoinsTheNextLine) {
  const std::pair<const char*, const char*> cases[] = {
      {"100% & %~ (x)", "100%% & %%~ (x)"},
      {"%DATE% %%", "%DATE% %%"},
      {"end^", "end^^"},
      {"a\r\nECHO b", "a ECHO b"},
  };
  for (const auto& [text, written] : cases) EXPECT_EQ(CommentText(text), written) << text;
  EXPECT_EQ(LabelReference("a&b %~ c)"), "a^&b %%~ c^)");
}

TEST(EscapeOutsideQuotes, TheQuoteStateFlipsAtEveryQuote) {
  EXPECT_EQ(EscapeOutsideQuotes("a(b) \"(c)\" (d", "()"), "a^(b^) \"(c)\" ^(d");
  EXPECT_EQ(EscapeOutsideQuotes("\"a\" & \"b & c", "&"), "\"a\" ^& \"b & c");
  EXPECT_EQ(EscapeOutsideQuotes("x|y", ""), "x|y");
}

// A "%" that names a variable expands at run time; any other one is written as text.
TEST(EscapeLonePercents, Cases) {
  struct Case {
    const char* text;
    const char* escaped;
  };
  const Case cases[] = {
      {"100% sure", "100%% sure"},
      {"%%", "%%"},  // the user's own escape
      {"%RESULT%", "%RESULT%"},
      {"%PATH%x", "%PATH%x"},
      {"v%_a9.b-c%!", "v%_a9.b-c%!"},
      {"%DATE:~-4%", "%DATE:~-4%"},            // a substring
      {"%X:a b=c d%", "%X:a b=c d%"},          // a replacement, blanks and all
      {"%1 and %~dp0", "%%1 and %%~dp0"},      // no batch arguments in typed text
      {"100% sure, 50% off", "100%% sure, 50%% off"},  // "% sure, 50%" names nothing
      {"%A1%", "%A1%"},
      {"%9x%", "%%9x%%"},
      {"%open", "%%open"},
      {"a%", "a%%"},
      {"%%X%%", "%%X%%"},
      {"", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(EscapeLonePercents(c.text), c.escaped);
  }
}

TEST(EscapePercents, Cases) {
  struct Case {
    const char* text;
    const char* escaped;
  };
  const Case cases[] = {
      {"100%", "100%%"},
      {"%%", "%%"},
      {"%PATH%x", "%PATH%x"},
      {"%1", "%%1"},
      {"%A1%", "%%A1%%"},  // two hex digits: a URL escape, not a variable
      {"%_a9%", "%_a9%"},
      {"ftp://h/a%20b/%DIR%/", "ftp://h/a%%20b/%DIR%/"},
      {"p%ss", "p%%ss"},
      {"%NAME", "%%NAME"},    // never closed
      {"%my-var%", "%%my-var%%"},  // "-" is not a name character here
      {"", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(EscapePercents(c.text), c.escaped);
  }
}

TEST(IsVarRefAt, LengthOfTheReferenceOrZero) {
  struct Case {
    const char* text;
    size_t at;
    size_t length;
  };
  const Case cases[] = {
      {"%PATH%x", 0, 6}, {"a%_%", 1, 3},   {"%AF%20", 0, 0}, {"%AG%", 0, 4},
      {"%9X%", 0, 0},    {"x%A%", 1, 3},   {"%A", 0, 0},     {"abc", 1, 0},
      {"%", 0, 0},       {"%A%", 5, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.text) + " at " + std::to_string(c.at));
    EXPECT_EQ(IsVarRefAt(c.text, c.at), c.length);
  }
}

}  // namespace
}  // namespace palvetta
