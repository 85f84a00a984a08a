#include "gui/win/ui_seams.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

namespace palvetta {
namespace {

using namespace std::string_literals;

TEST(FilterToWin32Test, TurnsBarsIntoNulsWithADoubleNulAtTheEnd) {
  const struct {
    const char* filter;
    std::wstring expected;
  } cases[] = {
      {"Batch files (*.bat)|*.bat", L"Batch files (*.bat)\0*.bat\0\0"s},
      {"Batch files (*.bat;*.cmd)|*.bat;*.cmd|All files (*.*)|*.*",
       L"Batch files (*.bat;*.cmd)\0*.bat;*.cmd\0All files (*.*)\0*.*\0\0"s},
      {"Proje\xC3\xA7t (*.pvp)|*.pvp", L"Proje\u00E7t (*.pvp)\0*.pvp\0\0"s},
      {"", L""s},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.filter);
    EXPECT_EQ(FilterToWin32(c.filter), c.expected);
  }
}

TEST(FilterToWin32Test, RefusesUnpairedOrEmptyFields) {
  for (const char* filter : {"Batch files", "Batch files|*.bat|All files", "|*.bat",
                             "Batch files|", "Batch files|*.bat|"}) {
    SCOPED_TRACE(filter);
    EXPECT_THROW(FilterToWin32(filter), std::invalid_argument);
  }
}

TFileDialogArgs SaveArgs() {
  TFileDialogArgs args;
  args.Title = "Save batch file";
  args.Filter = "Batch files (*.bat)|*.bat";
  args.DefaultExt = "bat";
  args.InitialName = "build.bat";
  return args;
}

TEST(FilePickerRecorderTest, RecordsCallsAndGivesScriptedAnswersInOrder) {
  TFilePickerRecorder recorder;
  TScopedFilePickerSeam seam(recorder);
  recorder.Answers = {"C:\\out\\build.bat", std::nullopt, "C:\\in\\p.pvp", "C:\\work"};

  EXPECT_EQ(PickFileToSave(SaveArgs()), "C:\\out\\build.bat");
  EXPECT_EQ(PickFileToSave(SaveArgs()), std::nullopt);  // the user cancelled
  TFileDialogArgs open;
  open.Title = "Open project";
  EXPECT_EQ(PickFileToOpen(open), "C:\\in\\p.pvp");
  EXPECT_EQ(PickFolder(nullptr, "Working folder"), "C:\\work");
  EXPECT_EQ(PickFileToOpen(open), std::nullopt);  // nothing scripted: cancelled

  const struct {
    TPickerKind kind;
    const char* title;
  } expected[] = {
      {TPickerKind::pkSave, "Save batch file"}, {TPickerKind::pkSave, "Save batch file"},
      {TPickerKind::pkOpen, "Open project"},    {TPickerKind::pkFolder, "Working folder"},
      {TPickerKind::pkOpen, "Open project"},
  };
  ASSERT_EQ(recorder.Calls.size(), std::size(expected));
  for (std::size_t i = 0; i < std::size(expected); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(recorder.Calls[i].Kind, expected[i].kind);
    EXPECT_EQ(recorder.Calls[i].Args.Title, expected[i].title);
  }
  EXPECT_EQ(recorder.Calls[0].Args.Filter, "Batch files (*.bat)|*.bat");
  EXPECT_EQ(recorder.Calls[0].Args.DefaultExt, "bat");
  EXPECT_EQ(recorder.Calls[0].Args.InitialName, "build.bat");
}

TEST(ShellRecorderTest, RecordsCallsAndGivesScriptedResults) {
  TShellRecorder recorder;
  TScopedShellSeam seam(recorder);
  recorder.Results = {false};
  const HWND owner = reinterpret_cast<HWND>(0x1234);

  EXPECT_FALSE(ShellOpen(owner, "https://example.org/"));
  EXPECT_TRUE(ShowHelp(owner, "C:\\app\\palvetta.chm", 120));  // nothing scripted: success
  EXPECT_TRUE(ShellOpen(nullptr, "C:\\out\\build.bat"));

  const struct {
    TShellCallKind kind;
    HWND owner;
    const char* target;
    unsigned context;
  } expected[] = {
      {TShellCallKind::skExecute, owner, "https://example.org/", 0},
      {TShellCallKind::skHelp, owner, "C:\\app\\palvetta.chm", 120},
      {TShellCallKind::skExecute, nullptr, "C:\\out\\build.bat", 0},
  };
  ASSERT_EQ(recorder.Calls.size(), std::size(expected));
  for (std::size_t i = 0; i < std::size(expected); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(recorder.Calls[i].Kind, expected[i].kind);
    EXPECT_EQ(recorder.Calls[i].Owner, expected[i].owner);
    EXPECT_EQ(recorder.Calls[i].Target, expected[i].target);
    EXPECT_EQ(recorder.Calls[i].ContextId, expected[i].context);
  }
}

// Replacements nest, and each one's end puts the previous seam back.
TEST(SeamScopeTest, ReplacementsNestAndRestore) {
  TFilePickerSeam& realPickers = FilePickers();
  TShellSeam& realShell = Shell();
  {
    TFilePickerRecorder outerPickers, innerPickers;
    TShellRecorder outerShell, innerShell;
    TScopedFilePickerSeam outerPickerSeam(outerPickers);
    TScopedShellSeam outerShellSeam(outerShell);
    {
      TScopedFilePickerSeam innerPickerSeam(innerPickers);
      TScopedShellSeam innerShellSeam(innerShell);
      EXPECT_EQ(&FilePickers(), &innerPickers);
      EXPECT_EQ(&Shell(), &innerShell);
      PickFolder(nullptr, "inner");
      ShellOpen(nullptr, "inner");
    }
    EXPECT_EQ(&FilePickers(), &outerPickers);
    EXPECT_EQ(&Shell(), &outerShell);
    EXPECT_EQ(innerPickers.Calls.size(), 1u);
    EXPECT_TRUE(outerPickers.Calls.empty());
    EXPECT_EQ(innerShell.Calls.size(), 1u);
    EXPECT_TRUE(outerShell.Calls.empty());
  }
  EXPECT_EQ(&FilePickers(), &realPickers);
  EXPECT_EQ(&Shell(), &realShell);
}

// The real help opener must fail cleanly, not crash, for a help file that is not there.
TEST(RealShellTest, HelpForAMissingFileFails) {
  EXPECT_FALSE(ShowHelp(nullptr, "C:\\no such folder\\missing.chm", 10));
}

}  // namespace
}  // namespace palvetta
