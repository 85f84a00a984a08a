#include "editors/editor_checks.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "base/text.h"

namespace palvetta {
namespace {

const std::string CharacterMessage =
    "Use only letters (A to Z), digits, spaces, _, - and . in the name.";
const std::string PrefixMessage =
    "Names that start with KWJ_ are used by Palvetta itself. Please choose another name.";
const std::string ExitCodeMessage =
    "Type the exit code as a number from 0 to 255, or as a variable such as %ERRORLEVEL%.";

// Stands in for the program's environment, so no result depends on where tests run.
// Windows looks variables up without regard to case, and so does this.
struct TFakeEnvironment {
  std::vector<std::string> Names;
  TEnvironmentLookup Lookup() const {
    return [this](std::string_view name) {
      return std::any_of(Names.begin(), Names.end(),
                         [name](const std::string& known) { return SameTextAscii(known, name); });
    };
  }
};

TEditorValues ParameterValues(const std::string& name, int number = 1) {
  TEditorValues values;
  values.SetText("edtName", name);
  values.SetIndex("ParamNumber", number);
  return values;
}

std::string EnvironmentMessage(const std::string& name) {
  return name + " is the name of a Windows environment variable: every %" + name +
         "% in the batch file would become this parameter. Please choose another name.";
}

std::string TooManyMessage(int number) {
  return "A batch file can read only nine parameters, %1 to %9, and this is Parameter task "
         "number " +
         std::to_string(number) + " of the project. Delete this task, or another Parameter task.";
}

TEST(ParameterNameCheck, AcceptsNamesOfLettersDigitsBlanksAndPunctuationAllowed) {
  const TFakeEnvironment none;
  const std::string names[] = {
      "Source", "_private", "my file.txt", "a-b_c.d 1", "  padded  ", "X", "42",
      // Close to refused names without being one.
      "KWJ", "KWJX_", "xKWJ_", "PATHS", "TEMPDIR", "MY PATH",
      // Defined on the machine running the tests, but not in the fake environment.
      "HOME", "SHELL"};
  for (const std::string& name : names) {
    EXPECT_EQ(CheckParameterName(ParameterValues(name), none.Lookup()), std::nullopt) << name;
  }
  // The ninth parameter is still readable; 0 is an unknown position.
  EXPECT_EQ(CheckParameterName(ParameterValues("Last", 9), none.Lookup()), std::nullopt);
  EXPECT_EQ(CheckParameterName(ParameterValues("Unknown", 0), none.Lookup()), std::nullopt);
  TEditorValues withoutNumber;
  withoutNumber.SetText("edtName", "Free");
  EXPECT_EQ(CheckParameterName(withoutNumber, none.Lookup()), std::nullopt);
}

TEST(ParameterNameCheck, RefusesWithTheMessageOfTheFirstRuleBrokenAndFocusesTheName) {
  const TFakeEnvironment none;
  struct Case {
    std::string name;
    std::string message;
  };
  const Case cases[] = {
      {"", "Please enter a name for the parameter."},
      {" \t ", "Please enter a name for the parameter."},
      {"a/b", CharacterMessage},
      {"Caf\xC3\xA9", CharacterMessage},     // é
      {"\xE2\x82\xAC", CharacterMessage},    // €
      {"tab\tinside", CharacterMessage},
      {"100%", CharacterMessage},
      {"KWJ_/x", CharacterMessage},          // characters are checked before the prefix
      {"COMMONPROGRAMFILES(X86)", CharacterMessage},
      {"kwj_name", PrefixMessage},
      {"KWJ_", PrefixMessage},
      {"path", EnvironmentMessage("path")},
      {"Temp", EnvironmentMessage("Temp")},
      {"  tMp  ", EnvironmentMessage("tMp")},  // the message names the trimmed name
      {"__cd__", EnvironmentMessage("__cd__")},
      {"ErrorLevel", EnvironmentMessage("ErrorLevel")},
  };
  for (const Case& c : cases) {
    const std::optional<TCheckFailure> failure =
        CheckParameterName(ParameterValues(c.name), none.Lookup());
    ASSERT_TRUE(failure.has_value()) << c.name;
    EXPECT_EQ(failure->Message, c.message) << c.name;
    EXPECT_EQ(failure->Focus, "edtName") << c.name;
  }
}

TEST(ParameterNameCheck, RefusesEveryParameterPastTheNinthWhateverItsName) {
  const TFakeEnvironment none;
  for (const int number : {10, 12}) {
    for (const std::string name : {"Good", "", "a/b", "KWJ_x", "PATH"}) {
      const std::optional<TCheckFailure> failure =
          CheckParameterName(ParameterValues(name, number), none.Lookup());
      ASSERT_TRUE(failure.has_value()) << number << " " << name;
      EXPECT_EQ(failure->Message, TooManyMessage(number));
      EXPECT_EQ(failure->Focus, "edtName");
    }
  }
}

TEST(ParameterNameCheck, RefusesReservedNamesEvenWhenTheEnvironmentLacksThem) {
  const TFakeEnvironment none;
  for (std::string_view reserved : ReservedVariableNames) {
    const std::string name(reserved);
    const std::optional<TCheckFailure> failure =
        CheckParameterName(ParameterValues(name), none.Lookup());
    ASSERT_TRUE(failure.has_value()) << name;
    // Names with parentheses never get past the character rule.
    const bool plain = name.find('(') == std::string::npos;
    EXPECT_EQ(failure->Message, plain ? EnvironmentMessage(name) : CharacterMessage);
  }
}

TEST(ParameterNameCheck, RefusesNamesTheEnvironmentDefinesAndOnlyThose) {
  const TFakeEnvironment defining{{"MYTOOL_HOME", "Build Dir"}};
  const TFakeEnvironment lacking;
  for (const std::string name : {"mytool_home", "MYTOOL_HOME", " Build Dir ", "build dir"}) {
    const std::optional<TCheckFailure> failure =
        CheckParameterName(ParameterValues(name), defining.Lookup());
    ASSERT_TRUE(failure.has_value()) << name;
    EXPECT_EQ(failure->Message, EnvironmentMessage(Trim(name)));
    EXPECT_EQ(CheckParameterName(ParameterValues(name), lacking.Lookup()), std::nullopt) << name;
  }
  EXPECT_EQ(CheckParameterName(ParameterValues("Other"), defining.Lookup()), std::nullopt);
}

TEditorValues ExitValues(const std::string& code, bool setExitCode = true) {
  TEditorValues values;
  values.SetChecked("cbxSetExitCode", setExitCode);
  values.SetText("edtExitCode", code);
  return values;
}

TEST(ExitCodeCheck, AcceptsNumbersAndVariablesAndWritesThemBackTidied) {
  struct Case {
    std::string typed;
    std::string saved;
  };
  const Case cases[] = {
      {"0", "0"},
      {"255", "255"},
      {"007", "7"},
      {"000", "0"},
      {" 42\t", "42"},
      {"%ERRORLEVEL%", "%ERRORLEVEL%"},
      {"  %ERRORLEVEL% ", "%ERRORLEVEL%"},
      {"%A%", "%A%"},
      {"%RC:~0,3%", "%RC:~0,3%"},
      {"%\xC3\x84rger%", "%\xC3\x84rger%"},  // Ärger: characters beyond code 255 are allowed
      {"%\xE2\x82\xAC%", "%\xE2\x82\xAC%"},  // €
  };
  for (const Case& c : cases) {
    TEditorValues values = ExitValues(c.typed);
    EXPECT_EQ(CheckExitCode(values), std::nullopt) << c.typed;
    EXPECT_EQ(values.Text("edtExitCode"), c.saved) << c.typed;
  }
}

TEST(ExitCodeCheck, RefusesEverythingElseAndLeavesTheFieldAsTyped) {
  const std::string refused[] = {
      "", "   ", "256", "999", "-1", "+5", "1000", "0255", "1e2", "12 3", "\xD9\xA3",  // Arabic 3
      "%", "%%", "%%%", "%A B%", "%A\"B%", "%A%B%", "%A&B%", "%A<B%", "%A>B%", "%A^B%",
      "%A|B%", "ERRORLEVEL", "%ERRORLEVEL", "ERRORLEVEL%", "!ERRORLEVEL!"};
  for (const std::string& code : refused) {
    TEditorValues values = ExitValues(code);
    const std::optional<TCheckFailure> failure = CheckExitCode(values);
    ASSERT_TRUE(failure.has_value()) << code;
    EXPECT_EQ(failure->Message, ExitCodeMessage) << code;
    EXPECT_EQ(failure->Focus, "edtExitCode") << code;
    EXPECT_EQ(values.Text("edtExitCode"), code);
  }
}

TEST(ExitCodeCheck, TestsNothingWhileTheBoxIsCleared) {
  for (const std::string code : {"garbage", "007", ""}) {
    TEditorValues values = ExitValues(code, false);
    EXPECT_EQ(CheckExitCode(values), std::nullopt) << code;
    EXPECT_EQ(values.Text("edtExitCode"), code);
  }
}

TEST(ForFileNameCheck, RefusesOnlyABlankName) {
  for (const std::string name : {"", "  \t "}) {
    TEditorValues values;
    values.SetText("edtFileName", name);
    const std::optional<TCheckFailure> failure = CheckForFileName(values);
    ASSERT_TRUE(failure.has_value()) << '"' << name << '"';
    EXPECT_EQ(failure->Message, "Please enter the name of the file to read.");
    EXPECT_EQ(failure->Focus, "edtFileName");
  }
  for (const std::string name : {"list.txt", " C:\\data\\in.txt "}) {
    TEditorValues values;
    values.SetText("edtFileName", name);
    EXPECT_EQ(CheckForFileName(values), std::nullopt) << name;
  }
}

}  // namespace
}  // namespace palvetta
