#include "model/batch_generator.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "base/file_io.h"
#include "items/control_of_flow/control_of_flow_items.h"
#include "items/misc/misc_items.h"
#include "model/project.h"
#include "model/system_items.h"
#include "support/test_items.h"

namespace palvetta {
namespace {

using testing::TFailingItem;
using testing::TTestCommandItem;

TTestCommandItem& Command(TProject& project, const std::string& text) {
  auto& item = project.Add<TTestCommandItem>();
  item.Text = text;
  return item;
}

TParamItem& Param(TProject& project, const std::string& name,
                  TParamCheck check = TParamCheck::pcNoCheck) {
  auto& item = project.Add<TParamItem>();
  item.Name = name;
  item.ParamCheck = check;
  return item;
}

TSubroutineItem& Subroutine(TProject& project, const std::string& name) {
  auto& item = project.Add<TSubroutineItem>();
  item.Name = name;
  return item;
}

std::string Generate(TProject& project) {
  TBatchGenerator maker;
  maker.Project = &project;
  maker.MakeBatchFile();
  EXPECT_EQ(maker.CreatedFiles().Count(), 1);
  EXPECT_EQ(maker.CreatedFiles().Items(0).Name, "Main batch");
  return maker.CreatedFiles().Items(0).Stream;
}

std::string Lines(std::initializer_list<std::string> lines) {
  std::string text;
  for (const auto& line : lines) text += line + "\r\n";
  return text;
}

// The subroutine item's own header, as it writes it with no description or arguments.
std::string SubroutineHeader(const std::string& name) {
  return Lines({"REM -----------------------", "REM SUBroutine " + name, "", ":" + name});
}

TEST(BatchGenerator, EmptyProjectIsOnlyEchoOff) {
  TProject project;
  EXPECT_EQ(Generate(project), "@ECHO OFF\r\n");
  EXPECT_EQ(Generate(project).size(), 11u);
}

TEST(BatchGenerator, EmptyAndDisabledItemsWriteNothing) {
  TProject project;
  project.Add<TREMItem>();                   // enabled, no text
  Command(project, "ECHO hidden").Enabled = false;
  Command(project, "  \r\n\t ");            // blank after trimming
  Command(project, "ECHO shown \r\n\r\n");  // trailing white space removed
  EXPECT_EQ(Generate(project), Lines({"@ECHO OFF", "ECHO shown"}));
}

TEST(BatchGenerator, LineBreaksInsideAnItemBecomeCrLf) {
  TProject project;
  Command(project, "ECHO a\nECHO b\rECHO c\r\n\r\nECHO d");
  EXPECT_EQ(Generate(project), Lines({"@ECHO OFF", "ECHO a", "ECHO b", "ECHO c", "", "ECHO d"}));
}

TEST(BatchGenerator, ParameterReferencesBecomeNumbersIgnoringCase) {
  TProject project;
  Param(project, "A");
  Param(project, "B").Enabled = false;  // still takes its number
  Param(project, " ");                  // blank names are never substituted
  Command(project, "COPY %a% %B% % %");
  EXPECT_EQ(Generate(project), Lines({"@ECHO OFF", "COPY %1 %2 % %"}));
}

// "%%" is a percent sign written as text, or a FOR variable: what follows it is no
// reference, as cmd.exe reads the line.
TEST(BatchGenerator, DoubledPercentSignsStartNoReference) {
  TProject project;
  Param(project, "sure");
  Param(project, "x");
  Command(project, "ECHO 100%% sure%% %sure%");
  Command(project, "FOR %%x IN (a) DO ECHO %%x %x%");
  EXPECT_EQ(Generate(project),
            Lines({"@ECHO OFF", "ECHO 100%% sure%% %1", "FOR %%x IN (a) DO ECHO %%x %2"}));
}

TEST(BatchGenerator, NonAsciiParameterNamesMatchIgnoringCase) {
  TProject project;
  Param(project, "Größe");
  Command(project, "ECHO %GRÖSSE% %größe%");
  // Only simple case folding: ß has no upper-case form of its own.
  EXPECT_EQ(Generate(project), Lines({"@ECHO OFF", "ECHO %GR\x99SSE% %1"}));  // in code page 437
}

TEST(BatchGenerator, SubroutinesReadParametersThroughCopies) {
  TProject project;
  Param(project, "A");
  Param(project, "B");
  Param(project, "Target (folder)");
  Command(project, "CALL :S");
  Subroutine(project, "S");
  Command(project, "COPY %a% %B% %Target (folder)%");
  project.Add<TSubroutineEndItem>();
  EXPECT_EQ(Generate(project),
            Lines({"@ECHO OFF", "REM Copies of the batch file's parameters for its subroutines",
                   "SET KWJ_PARAM_A=%1", "SET KWJ_PARAM_B=%2", "SET KWJ_PARAM_Target ^(folder^)=%3",
                   "CALL :S", "EXIT /B"}) +
                SubroutineHeader("S") +
                Lines({"COPY %KWJ_PARAM_A% %KWJ_PARAM_B% %KWJ_PARAM_Target (folder)%", "EXIT /B",
                       "REM End of subroutine S", "REM ----------------- "}));
}

TEST(BatchGenerator, ParametersAfterTheNinth) {
  for (const bool referenced : {false, true}) {
    SCOPED_TRACE(referenced);
    TProject project;
    for (int i = 1; i <= 11; ++i) Param(project, i == 11 ? "" : "P" + std::to_string(i));
    Command(project, referenced ? "ECHO %P10% %P9%" : "ECHO %P9%");
    std::string expected = Lines(
        {"@ECHO OFF",
         "REM A batch file reads only nine parameters by number. Parameters 10 and later are left "
         "out: P10, unnamed"});
    if (referenced) {
      expected += Lines(
          {"ECHO This batch file uses more than nine parameters, which a batch file cannot read.",
           "ECHO Remove the extra Parameter tasks in Palvetta and make the batch file again.",
           "EXIT /B 1", "ECHO %P10% %9"});
    } else {
      expected += Lines({"ECHO %9"});
    }
    EXPECT_EQ(Generate(project), expected);
  }
}

TEST(BatchGenerator, RedirectionSkipsLabelsBlocksRemAndBlankLines) {
  TProject project;
  auto& item = Command(project,
                       "ECHO one\r\n:label\r\nIF 1==1 (\r\n  ECHO two  \r\n)\r\n\r\nREM note\r\nrem\r\n"
                       "REMARK x\r\nECHO three");
  item.RedirectTo = "  C:\\my log.txt ";
  item.Overwrite = true;
  EXPECT_EQ(Generate(project),
            Lines({"@ECHO OFF", "ECHO one > \"C:\\my log.txt\"", ":label", "IF 1==1 (",
                   "  ECHO two >> \"C:\\my log.txt\"", ")", "", "REM note", "rem",
                   "REMARK x >> \"C:\\my log.txt\"", "ECHO three >> \"C:\\my log.txt\""}));
}

TEST(BatchGenerator, RedirectionTargets) {
  struct Case {
    const char* target;
    bool overwrite;
    const char* line;
  };
  const Case cases[] = {
      {"out.txt", false, "ECHO x >> out.txt"},
      {"out.txt", true, "ECHO x > out.txt"},
      {"\"C:\\a b\\out.txt\"", true, "ECHO x > \"C:\\a b\\out.txt\""},
      // Without quotes "&" would end the command and run "D\log.txt".
      {"C:\\R&D\\log.txt", true, "ECHO x > \"C:\\R&D\\log.txt\""},
      {"   ", true, "ECHO x"},
      // A line break read from a file must not start a second command line.
      {"out.txt\r\nDEL x", true, "ECHO x > \"out.txt DEL x\""},
      // A path cannot hold a double quote: one inside would end the quotes around it.
      {"a\" & ECHO INJ>canary & \"", true, "ECHO x > \"a & ECHO INJ>canary &\""},
      {"%TEMP%\\100%.txt", false, "ECHO x >> %TEMP%\\100%%.txt"},
      {"%~.txt", false, "ECHO x >> %%~.txt"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.target);
    TProject project;
    auto& item = Command(project, "ECHO x");
    item.RedirectTo = c.target;
    item.Overwrite = c.overwrite;
    EXPECT_EQ(Generate(project), Lines({"@ECHO OFF", c.line}));
  }
}

TEST(BatchGenerator, SystemBlocksAreWrittenOnceAfterTheParameterBlock) {
  TProject project;
  Param(project, "A");
  Command(project, "CALL :S");
  Command(project, "ECHO date").RequestedBlock = &TSysDateOrder::Class;
  Command(project, "ECHO zip1").RequestedBlock = &TSys7Zip::Class;
  Command(project, "ECHO zip2").RequestedBlock = &TSys7Zip::Class;
  Command(project, "ECHO base").RequestedBlock = &TSystemProjectItem::Class;  // abstract: ignored
  Command(project, "ECHO other").RequestedBlock = &TREMItem::Class;           // not a block
  Subroutine(project, "S");
  Command(project, "ECHO %A%");

  const std::string text = Generate(project);
  const std::string zip = TSys7Zip().GetBatchText() + "\r\n";
  const std::string date = TSysDateOrder().GetBatchText() + "\r\n";
  const std::string head = Lines({"@ECHO OFF",
                                  "REM Copies of the batch file's parameters for its subroutines",
                                  "SET KWJ_PARAM_A=%1"}) +
                           zip + date;  // the block requested last stands first
  EXPECT_EQ(text.substr(0, head.size()), head);
  EXPECT_EQ(text.find(zip), text.rfind(zip));
}

TEST(BatchGenerator, SubroutinesMoveBehindTheMainPart) {
  TProject project;
  auto& s = Subroutine(project, "S");
  Command(project, "ECHO X");
  project.Add<TSubroutineEndItem>();
  Command(project, "ECHO Y");

  EXPECT_EQ(Generate(project), Lines({"@ECHO OFF", "ECHO Y", "EXIT /B"}) + SubroutineHeader("S") +
                                   Lines({"ECHO X", "EXIT /B", "REM End of subroutine S",
                                          "REM ----------------- "}));
  s.Enabled = false;
  EXPECT_EQ(Generate(project), Lines({"@ECHO OFF", "ECHO Y"}));
}

TEST(BatchGenerator, SubroutineBodiesEndAtTheNextSubroutine) {
  TProject project;
  Subroutine(project, "S1");
  Command(project, "ECHO in S1");
  Subroutine(project, "S2");
  Command(project, "ECHO in S2");
  project.Add<TSubroutineEndItem>();
  project.Add<TSubroutineEndItem>();  // closes nothing: written with its own text
  Command(project, "ECHO main");

  EXPECT_EQ(Generate(project),
            Lines({"@ECHO OFF", "REM End of Subroutine -----", "ECHO main", "EXIT /B"}) +
                SubroutineHeader("S1") +
                Lines({"ECHO in S1", "EXIT /B", "REM End of subroutine S1", "REM ----------------- "}) +
                SubroutineHeader("S2") +
                Lines({"ECHO in S2", "EXIT /B", "REM End of subroutine S2", "REM ----------------- "}));
}

TEST(BatchGenerator, AppendedLinesComeAfterSubroutines) {
  TProject project;
  Param(project, "Source", TParamCheck::pcRequired);
  project.Add<TCheckParamsItem>();
  Subroutine(project, "S");
  const std::string text = Generate(project);
  const size_t subroutineEnd = text.find("REM ----------------- \r\n");
  const size_t usage = text.find("\r\n:USAGEHINT\r\n");
  ASSERT_NE(subroutineEnd, std::string::npos);
  EXPECT_GT(usage, subroutineEnd);
  EXPECT_TRUE(text.ends_with("EXIT /B 1\r\n"));
}

// cmd.exe reads a batch file in the OEM code page (437 here), so that is what it is
// written in: "Büro" must reach cmd as Büro, not as the ANSI byte that 437 reads as "ⁿ".
TEST(BatchGenerator, TextIsWrittenInTheOemCodePageWithoutBestFit) {
  TProject project;
  // ü exists in 437, € does not; the fullwidth quote and ampersand must not turn into a
  // real quote and ampersand; a character outside the basic plane is one "?".
  Command(project, "ECHO \xC3\xBC \xE2\x82\xAC \xEF\xBC\x82\xEF\xBC\x86 \xF0\x9F\x98\x80");
  EXPECT_EQ(Generate(project), Lines({"@ECHO OFF", "ECHO \x81 ? ?? ?"}));
}

TEST(BatchGenerator, TellsWhichItemsLostWhichCharacters) {
  TProject project;
  Command(project, "ECHO B\xC3\xBCro");  // ü fits: nothing lost
  Command(project, "ECHO \xE2\x82\xAC\xE2\x82\xAC \xE2\x9C\x93").RedirectTo = "\xE2\x82\xAC.txt";
  // The usage hint that the check item appends holds the parameter's description.
  Param(project, "Target", TParamCheck::pcRequired).Descr = "Ziel \xE2\x9C\x93";
  project.Add<TCheckParamsItem>();
  TBatchGenerator maker;
  maker.Project = &project;
  maker.MakeBatchFile();
  const std::vector<TLostCharacters>& lost = maker.LostCharacters();
  ASSERT_EQ(lost.size(), 2u);
  EXPECT_EQ(lost[0].Position, 2);
  EXPECT_EQ(lost[0].Characters, U"\u20AC\u2713");
  EXPECT_EQ(lost[1].Position, 4);
  EXPECT_EQ(lost[1].Characters, U"\u2713");
  EXPECT_EQ(LostCharactersMessage(lost, [](int position) { return "Item " + std::to_string(position); }),
            "The batch file's code page (437) has no place for some characters; each of them was "
            "written as \"?\":\r\nItem 2: \xE2\x82\xAC \xE2\x9C\x93\r\nItem 4: \xE2\x9C\x93");

  // A new run starts afresh.
  project.DeleteItem(project.Items(1));
  maker.MakeBatchFile();
  ASSERT_EQ(maker.LostCharacters().size(), 1u);
  EXPECT_EQ(maker.LostCharacters()[0].Position, 3);
}

// A double quote that a path cannot hold is left out of the batch text, and the item is
// named like one that lost characters to the code page; only a redirection the batch file
// writes can lose one (a block's ") ELSE (" takes none).
TEST(BatchGenerator, TellsWhichItemsLeftOutCharactersOfAPath) {
  TProject project;
  Command(project, "ECHO a").RedirectTo = "\"C:\\a b.txt\"";  // the user's own pair: kept
  Command(project, "IF 1==1 (");
  project.Add<TElseItem>().RedirectTo = "x\"y.txt";
  project.Add<TIfEndItem>().RedirectTo = "x\"y.txt";
  Command(project, "ECHO \xE2\x82\xAC").RedirectTo = "l\"o\"g.txt";
  TBatchGenerator maker;
  maker.Project = &project;
  maker.MakeBatchFile();
  EXPECT_EQ(maker.CreatedFiles().Items(0).Stream,
            Lines({"@ECHO OFF", "ECHO a >> \"C:\\a b.txt\"", "IF 1==1 (", ") ELSE (", ")",
                   "ECHO ? >> log.txt"}));
  const std::vector<TLostCharacters>& lost = maker.LostCharacters();
  ASSERT_EQ(lost.size(), 1u);
  EXPECT_EQ(lost[0].Position, 5);
  EXPECT_EQ(lost[0].Characters, U"\u20AC");
  EXPECT_EQ(lost[0].LeftOut, U"\"");
  const auto describe = [](int position) { return "Item " + std::to_string(position); };
  EXPECT_EQ(LostCharactersMessage(lost, describe),
            "The batch file's code page (437) has no place for some characters; each of them was "
            "written as \"?\":\r\nItem 5: \xE2\x82\xAC\r\n"
            "Paths, names and quoted texts cannot hold some characters; each of them was left "
            "out of the batch file:\r\nItem 5: \"");
  EXPECT_EQ(LostCharactersMessage({{2, U"", U"\""}}, describe),
            "Paths, names and quoted texts cannot hold some characters; each of them was left "
            "out of the batch file:\r\nItem 2: \"");
}

TEST(BatchGenerator, AFailingItemAbortsTheRunAndLeavesNoHooks) {
  TProject project;
  auto& before = Command(project, "ECHO before");
  project.Add<TFailingItem>();
  TBatchGenerator maker;
  maker.Project = &project;
  EXPECT_THROW(maker.MakeBatchFile(), std::runtime_error);
  EXPECT_EQ(maker.CreatedFiles().Count(), 0);
  EXPECT_EQ(before.GenerationHooks(), nullptr);
  EXPECT_EQ(project.Items(1).GenerationHooks(), nullptr);
}

TEST(BatchGenerator, HooksLastOnlyForTheRun) {
  TProject project;
  project.Add<TCheckParamsItem>();
  auto& param = Param(project, "A", TParamCheck::pcRequired);
  TBatchGenerator maker;
  maker.Project = &project;
  maker.MakeBatchFile();
  // Outside a run the check item gets no parameters and writes nothing.
  EXPECT_EQ(project.Items(0).GenerationHooks(), nullptr);
  EXPECT_EQ(param.GenerationHooks(), nullptr);
  EXPECT_EQ(project.Items(0).GetBatchText(), "");
  // A second run starts from scratch: the usage hint is appended once.
  maker.MakeBatchFile();
  const std::string text = maker.CreatedFiles().Items(0).Stream;
  EXPECT_EQ(text.find("REM Usage hint"), text.rfind("REM Usage hint"));
}

// An item that hands lines to the generator as a further created file.
class TSaveFileItem : public TCustomProjectItem {
 public:
  PALVETTA_CLASS
  std::string FileName;
  mutable std::string GivenName;
  std::string GetBatchText() const override {
    GivenName = FileName;
    if (GenerationHooks()) GenerationHooks()->NeedSaveFile({"line"}, GivenName);
    return "ECHO " + GivenName;
  }
};
PALVETTA_DEFINE_CLASS(TSaveFileItem, TCustomProjectItem);

TEST(BatchGenerator, FurtherCreatedFilesGetUniqueNamesBesideTheBatchFile) {
  TProject project;
  for (const char* name : {"data.txt", "data.txt", "", "..\\..\\evil.txt", "data.txt"}) {
    project.Add<TSaveFileItem>().FileName = name;
  }
  TBatchGenerator maker;
  maker.Project = &project;
  maker.MakeBatchFile();
  std::vector<std::string> names;
  for (int i = 0; i < maker.CreatedFiles().Count(); ++i) {
    names.push_back(maker.CreatedFiles().Items(i).Name);
  }
  EXPECT_EQ(names, (std::vector<std::string>{"Main batch", "data.txt", "data1.txt", "file.ext",
                                             "evil.txt", "data2.txt"}));
  EXPECT_EQ(maker.CreatedFiles().Items(1).Stream, "line\r\n");
  EXPECT_EQ(static_cast<TSaveFileItem&>(project.Items(1)).GivenName, "data1.txt");

  const auto folder = std::filesystem::temp_directory_path() / "palvetta_created_files_test";
  std::filesystem::remove_all(folder);
  std::filesystem::create_directories(folder);
  maker.MakeBatchFile(PathToUtf8(folder / "run.bat"));
  EXPECT_EQ(ReadFileBytes(folder / "data2.txt"), "line\r\n");
  EXPECT_EQ(ReadFileBytes(folder / "run.bat"), maker.CreatedFiles().Items(0).Stream);
  std::filesystem::remove_all(folder);
}

TEST(BatchGenerator, WritingIntoAMissingFolderFailsWithTheFileName) {
  TProject project;
  TBatchGenerator maker;
  maker.Project = &project;
  const auto target = std::filesystem::temp_directory_path() / "palvetta-no-such-folder" / "x.bat";
  try {
    maker.MakeBatchFile(PathToUtf8(target));
    FAIL() << "expected an error";
  } catch (const std::runtime_error& error) {
    EXPECT_NE(std::string(error.what()).find("x.bat"), std::string::npos) << error.what();
  }
}

}  // namespace
}  // namespace palvetta
