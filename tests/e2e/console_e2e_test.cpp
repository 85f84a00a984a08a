// The console items in cmd.exe: each project is saved as a project file, made into its
// batch file by batchgen and run. ECHO, ECHO ON/OFF, PROMPT, COLOR, TITLE, TYPE, SET /P
// and the menu run for real (the answers come from an answer file), on their own and
// inside an IF block, where an unescaped ")" in a message would end the block early and
// an unescaped "&" would start a command. CHCP and GRAFTABL run as the stand-in, which
// shows the exact arguments each received.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "base/text.h"
#include "e2e_support.h"
#include "items/console/console_items.h"
#include "items/control_of_flow/control_of_flow_items.h"
#include "items/misc/misc_items.h"

namespace palvetta::e2e {
namespace {

namespace fs = std::filesystem;

class ConsoleBatch : public GeneratedBatch {
 protected:
  void Echo(const std::string& text) { Project.Add<TECHOItem>().Text = text; }

  void EchoMode(TEchoMode mode) { Project.Add<TECHOControlItem>().Mode = mode; }

  // "IF condition ECHO text": what the condition found, on a line of its own.
  void EchoIf(const std::string& condition, const std::string& text) {
    OpenIfBlock(condition);
    Echo(text);
    CloseIfBlock();
  }

  // Answers SET /P from a file. Wine's SET /P takes the rest of the file, so each run
  // answers one question.
  void Answer(const std::string& answer) {
    Runner.UseAnswerFile = true;
    Runner.Answers = answer + "\r\n";
  }

  // Whether a line reads so, less blanks at its end (cmd.exe shows a command it echoes
  // with one).
  static bool HasLine(const Lines& lines, const std::string& line) {
    return std::any_of(lines.begin(), lines.end(),
                       [&](const std::string& shown) { return TrimRight(shown) == line; });
  }
};

// Messages with batch syntax print as typed, a blank one as an empty line, a variable
// expands; TITLE and COLOR take text and colours without a word; TYPE shows the file.
// Inside the IF block the same lines run again: nothing closed the block early, and the
// file that "& del x" names is still there.
TEST_F(ConsoleBatch, MessagesTitleColourAndTypeRunForReal) {
  std::ofstream(Temp.Path() / "notes (1).txt", std::ios::binary) << "first line\r\nsecond & last\r\n";
  std::ofstream(Temp.Path() / "x", std::ios::binary) << "keep me";
  auto& who = Project.Add<TSetVarValItem>();
  who.Name = "Who";
  who.Value = "Ann";
  const auto items = [&] {
    Echo("Tom & Jerry (1) | 100% ^ <x> & del x");
    Echo("");
    Echo("Hello %Who%)");
    Project.Add<TTitleItem>().Title = "Backup (nightly) & del x";
    auto& colour = Project.Add<TColorItem>();
    colour.BGColor = 1;
    colour.TextColor = 14;
    Project.Add<TTypeItem>().Path = "notes (1).txt";
    Echo("after");
  };
  items();
  OpenIfBlock("EXIST \"notes (1).txt\"");
  items();
  CloseIfBlock();

  const TBatchResult result = RunThroughBatchgen();
  const Lines once = {"Tom & Jerry (1) | 100% ^ <x> & del x", "", "Hello Ann)", "first line",
                      "second & last", "after"};
  Lines twice = once;
  twice.insert(twice.end(), once.begin(), once.end());
  EXPECT_EQ(SplitOutput(result.Output), twice);
  EXPECT_EQ(result.ExitCode, 0u);
  EXPECT_TRUE(fs::exists(Temp.Path() / "x"));
}

// ECHO alone tells the state; after ECHO ON each command is shown behind the prompt that
// PROMPT set, until ECHO OFF.
TEST_F(ConsoleBatch, EchoOnAndOffSwitchTheShowingOfCommands) {
  EchoMode(TEchoMode::emNotSet);
  Project.Add<TPromptItem>().Prompt = "MY$G";
  EchoMode(TEchoMode::emEchoON);
  Echo("shown");
  EchoMode(TEchoMode::emEchoOFF);
  Echo("quiet");

  const TBatchResult result = RunThroughBatchgen();
  const Lines lines = SplitOutput(result.Output);
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(UpperAscii(lines[0]), UnderWine() ? "ECHO IS OFF" : "ECHO IS OFF.");
  EXPECT_TRUE(HasLine(lines, "MY>ECHO shown")) << result.Output;
  EXPECT_TRUE(HasLine(lines, "MY>ECHO OFF")) << result.Output;
  EXPECT_FALSE(HasLine(lines, "MY>ECHO quiet")) << result.Output;
  EXPECT_EQ(lines.back(), "quiet");
}

// The menu lists its options by their markers, the 30th marked "^"; the answer typed
// for it is what the variable holds, so an IF on it finds "^".
class MenuBatch : public ConsoleBatch {
 protected:
  void Menu() {
    auto& menu = Project.Add<TUserChoiceItem>();
    menu.Intro = "Pick one (or none):\r\n\r\n";
    for (int i = 1; i <= 30; ++i) menu.UserChoices.push_back("o" + std::to_string(i));
    menu.UserChoices[1] = "Copy & verify (safe)";
    menu.ChoiceNumbering = TChoiceNumbering::cnLetters;
    menu.VarName = "CHOICE";
    menu.Prompt = "Your choice (A-^): ";
  }

  void ExpectMenuAndAnswer() {
    Answer("^");
    const TBatchResult result = RunThroughBatchgen();
    const Lines lines = SplitOutput(result.Output);
    ASSERT_GE(lines.size(), 33u) << result.Output;
    const Lines head(lines.begin(), lines.begin() + 4);
    EXPECT_EQ(head, (Lines{"Pick one (or none):", "", "A. o1", "B. Copy & verify (safe)"}));
    EXPECT_EQ(lines[28], "[. o27");
    EXPECT_EQ(lines[29], "\\. o28");
    EXPECT_EQ(lines[31], "^. o30");
    // The prompt, then (input coming from a file) what follows on the same line.
    EXPECT_NE(lines[32].find("Your choice (A-^): "), std::string::npos) << lines[32];
    EXPECT_NE(result.Output.find("matched the caret"), std::string::npos) << result.Output;
    EXPECT_EQ(result.ExitCode, 0u);
  }
};

TEST_F(MenuBatch, TheAnswerFromAFileIsTheMarkerShown) {
  Menu();
  EchoIf("\"%CHOICE%\"==\"^\"", "matched the caret");
  ExpectMenuAndAnswer();
}

TEST_F(MenuBatch, InsideAnIfBlock) {
  OpenIfBlock();
  Menu();
  CloseIfBlock();
  EchoIf("\"%CHOICE%\"==\"^\"", "matched the caret");
  ExpectMenuAndAnswer();
}

// SET /P shows its intro, batch syntax and all, and stores the answer.
class AskBatch : public ConsoleBatch {
 protected:
  void Ask() {
    auto& ask = Project.Add<TAskUserItem>();
    ask.Intro = "Name (first) & last, 100%: ";
    ask.VarName = "NAME";
  }

  void ExpectAskedAndStored() {
    Answer("Ann Lee");
    const TBatchResult result = RunThroughBatchgen();
    EXPECT_NE(result.Output.find("Name (first) & last, 100%: "), std::string::npos) << result.Output;
    EXPECT_NE(result.Output.find("Hello Ann Lee!"), std::string::npos) << result.Output;
    EXPECT_EQ(result.ExitCode, 0u);
  }
};

TEST_F(AskBatch, TheAnswerFromAFileIsStored) {
  Ask();
  Echo("Hello %NAME%!");
  ExpectAskedAndStored();
}

TEST_F(AskBatch, InsideAnIfBlock) {
  OpenIfBlock();
  Ask();
  CloseIfBlock();
  Echo("Hello %NAME%!");
  ExpectAskedAndStored();
}

// Each code-page command gets exactly the arguments the item means, on its own and inside
// an IF block.
TEST_F(ConsoleBatch, CodePageCommandsReceiveTheExactArguments) {
  StandIns({L"chcp", L"graftabl"});
  const auto items = [&] {
    Project.Add<TCHCPItem>().CodePage = " 850 ";
    Project.Add<TCHCPItem>();
    Project.Add<TGraphTablItem>().CodePage = "437";
    auto& status = Project.Add<TGraphTablItem>();
    status.CodePage = "850";
    status.Status = true;
    Project.Add<TGraphTablItem>();
  };
  items();
  OpenIfBlock();
  items();
  CloseIfBlock();

  const Lines once = {
      "argecho name=[chcp.exe]",     "argecho argc=1", "argecho arg1=[850]",
      "argecho name=[chcp.exe]",     "argecho argc=0",
      "argecho name=[graftabl.exe]", "argecho argc=1", "argecho arg1=[437]",
      "argecho name=[graftabl.exe]", "argecho argc=1", "argecho arg1=[/STATUS]",
      "argecho name=[graftabl.exe]", "argecho argc=0"};
  Lines twice = once;
  twice.insert(twice.end(), once.begin(), once.end());
  const TBatchResult result = RunThroughBatchgen();
  EXPECT_EQ(SplitOutput(result.Output), twice);
  EXPECT_EQ(result.ExitCode, 0u);
}

}  // namespace
}  // namespace palvetta::e2e
