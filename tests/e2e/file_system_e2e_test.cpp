// The drive and file-system items in cmd.exe, each project saved as a project file and
// made into its batch file by batchgen. VOL, MKLINK and DIR run for real and are checked
// by what they print or make. CHKDSK, FORMAT, CONVERT and the other tools run only as the
// stand-in (argecho under their names, first on PATH), which shows the exact arguments
// each received: the runner refuses a batch file that would format, convert or check a
// disk for real. LABEL cannot be stood in for under Wine, whose cmd.exe answers it
// itself, so its generated line runs with the command renamed to a stand-in.

#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "base/code_page.h"
#include "base/file_io.h"
#include "base/win/wide.h"
#include "e2e_support.h"
#include "items/file_system/file_system_items.h"
#include "model/batch_generator.h"
#include "support/batch_safety.h"

namespace palvetta::e2e {
namespace {

void WriteText(const fs::path& file, const std::string& text) {
  fs::create_directories(file.parent_path());
  std::ofstream(file, std::ios::binary) << text;
}

// The lines argecho prints for one run of the command with the arguments.
Lines Echoed(const std::string& command, const Lines& arguments) {
  Lines lines = {"argecho name=[" + command + ".exe]",
                 "argecho argc=" + std::to_string(arguments.size())};
  for (size_t i = 0; i < arguments.size(); ++i) {
    lines.push_back("argecho arg" + std::to_string(i + 1) + "=[" + arguments[i] + "]");
  }
  return lines;
}

void Append(Lines& lines, const Lines& more) { lines.insert(lines.end(), more.begin(), more.end()); }

class FileSystemBatch : public GeneratedBatch {};

// Every external tool of the family as the stand-in; the items with paths that hold
// blanks, "&" or parentheses stand inside an IF block, where an unescaped ")" would end
// the block.
TEST_F(FileSystemBatch, ToolsReceiveExactlyTheirArguments) {
  StandIns({L"chkdsk", L"format", L"convert", L"tree", L"compact", L"chkntfs", L"recover",
            L"subst"});
  auto& chkdsk = Project.Add<TCHKDSKItem>();
  chkdsk.Drive = u'D';
  chkdsk.FixErrors = chkdsk.ChangLogFileSize = chkdsk.ForceDismount = true;
  chkdsk.LogFileSize = 4096;
  auto& format = Project.Add<TFormatItem>();
  format.Volume = u'E';
  format.VolLabel = "My & Disk";
  format.QuickFormat = true;
  format.AllocUnitSize = "4096";
  format.ShortNames = "disabled";
  auto& udf = Project.Add<TFormatItem>();
  udf.Volume = u'F';
  udf.FileSystem = TFileSystem::fsUDF;
  udf.UDFRevision = TUDFRevision::udfr2_50;
  udf.MetadataDup = true;
  auto& convert = Project.Add<TConvertItem>();
  convert.Volume = "E";
  convert.Verbose = convert.NoSecurity = convert.Dismount = true;
  convert.CVTArea = "cvt area.bin";
  auto& ntfsTimer = Project.Add<TCHKNTFSItem>();
  ntfsTimer.CHKNTFSMode = TCHKNTFSMode::cmTimer;
  ntfsTimer.Timer = 10;
  OpenIfBlock();
  auto& chkfile = Project.Add<TCHKDSKItem>();
  chkfile.CHKDSKMode = TCHKDSKMode::cdmFile;
  chkfile.FileName = "C:\\a b\\x (1).dat";
  auto& tree = Project.Add<TTreeItem>();
  tree.Path = "C:\\Program Files (x86)";
  tree.DisplayFileNames = tree.ASCII = true;
  auto& compact = Project.Add<TCompactItem>();
  compact.CompactMode = TCompactMode::cmUncompress;
  compact.InFolderAndSubfolders = "C:\\big & data";
  compact.Quiet = true;
  compact.Files = {"*.log", "old (1).txt"};
  auto& schedule = Project.Add<TCHKNTFSItem>();
  schedule.Volume = "D";
  schedule.CHKNTFSMode = TCHKNTFSMode::cmSchedule;
  auto& recover = Project.Add<TRecoverItem>();
  recover.Path = "D:\\bad disk\\data (2).db";
  auto& subst = Project.Add<TSubstItem>();
  subst.Drive = "Q:\\";
  subst.Path = "C:\\deep & dark (1)";
  auto& unsubst = Project.Add<TSubstItem>();
  unsubst.Drive = "Q:\\";
  unsubst.Delete = true;
  CloseIfBlock();

  const TBatchResult result = RunThroughBatchgen();
  EXPECT_FALSE(result.TimedOut);
  Lines expected;
  Append(expected, Echoed("chkdsk", {"D:", "/F", "/L:4096", "/X"}));
  Append(expected, Echoed("format", {"E:", "/FS:NTFS", "/V:My & Disk", "/Q", "/A:4096", "/S:disable"}));
  Append(expected, Echoed("format", {"F:", "/FS:UDF", "/R:2.50", "/D"}));
  Append(expected, Echoed("convert", {"E:", "/FS:NTFS", "/V", "/CvtArea:cvt area.bin",
                                      "/NoSecurity", "/X"}));
  Append(expected, Echoed("chkntfs", {"/T:10"}));
  Append(expected, Echoed("chkdsk", {"C:\\a b\\x (1).dat"}));
  Append(expected, Echoed("tree", {"C:\\Program Files (x86)", "/F", "/A"}));
  Append(expected, Echoed("compact", {"/U", "/S:C:\\big & data", "/Q", "*.log", "old (1).txt"}));
  Append(expected, Echoed("chkntfs", {"/C", "D:"}));
  Append(expected, Echoed("recover", {"D:\\bad disk\\data (2).db"}));
  Append(expected, Echoed("subst", {"Q:", "C:\\deep & dark (1)"}));
  Append(expected, Echoed("subst", {"Q:", "/D"}));
  EXPECT_EQ(SplitOutput(result.Output), expected);
}

// Without the stand-ins the batch file is not run at all.
TEST_F(FileSystemBatch, DiskToolsNeverRunForReal) {
  Project.Add<TFormatItem>().Volume = u'Q';
  Project.Add<TConvertItem>().Volume = "Q";
  Project.Add<TCHKDSKItem>().Drive = u'Q';
  TBatchGenerator maker;
  maker.Project = &Project;
  maker.MakeBatchFile(PathToUtf8(BatchFile()));
  const std::set<std::string> words = CommandWords(ReadFileBytes(BatchFile()));
  for (const char* command : {"FORMAT", "CONVERT", "CHKDSK"}) {
    EXPECT_TRUE(words.count(command)) << command;
  }
  EXPECT_THROW(Runner.Run(BatchFile()), TRefusedBatch);
}

// LABEL takes the rest of the line as the label: its special characters stay part of it
// instead of running a command of their own.
TEST_F(FileSystemBatch, LabelKeepsSpecialCharactersInTheLabel) {
  auto& plain = Project.Add<TLabelItem>();
  plain.Drive = u'Q';
  plain.DriveLabel = "A&echo INJECTED";
  OpenIfBlock();
  auto& mountPoint = Project.Add<TLabelItem>();
  mountPoint.MP = true;
  mountPoint.Volume = "C:\\mnt\\my disk";
  mountPoint.DriveLabel = "x|y (1)>z^w";
  CloseIfBlock();
  RunThroughBatchgen();  // Wine's own LABEL answers; only the batch file counts here

  // The generated lines, with the command renamed to the stand-in.
  const std::string made = BatchCodePage().ToUtf8(ReadFileBytes(BatchFile()));
  const std::string renamed = ReplaceAll(made, "LABEL ", "labelecho ");
  ASSERT_NE(renamed, made);
  WriteFileReplacing(BatchFile(), BatchCodePage().FromUtf8(renamed));
  StandIns({L"labelecho"});
  const TBatchResult result = Runner.Run(BatchFile());
  Log += DescribeRun({}, result);
  Lines expected = Echoed("labelecho", {"Q:", "A&echo", "INJECTED"});
  Append(expected, Echoed("labelecho", {"/MP", "C:\\mnt\\my disk", "x|y", "(1)>z^w"}));
  EXPECT_EQ(SplitOutput(result.Output), expected);
  EXPECT_FALSE(fs::exists(Temp.Path() / "z"));
}

// VOL, MKLINK and DIR run for real.
TEST_F(FileSystemBatch, VolMklinkAndDirRunForReal) {
  WriteText(Temp.Path() / "data (1)" / "b file.txt", "bee");
  WriteText(Temp.Path() / "data (1)" / "a&z.log", "ay");
  WriteText(Temp.Path() / "data (1)" / "sub dir" / "c.txt", "see");
  Project.Add<TVOLItem>().Volume = u'C';
  OpenIfBlock();
  auto& hardLink = Project.Add<TMKLinkItem>();
  hardLink.MKLinkMode = TMKLinkMode::mklmHard;
  hardLink.Link = "hard (1).txt";
  hardLink.Target = "data (1)\\b file.txt";
  auto& dir = Project.Add<TDirItem>();
  dir.Path = "data (1)";
  dir.BareFormat = true;
  dir.Sorted = true;
  dir.SortOrder = TSortOrder::soName;
  dir.Attr = true;
  dir.DirAttr = TFileAttr::frNotSet;
  auto& reversed = Project.Add<TDirItem>();
  reversed.Path = "data (1)";
  reversed.BareFormat = reversed.Sorted = reversed.SortedReversed = true;
  CloseIfBlock();

  const TBatchResult result = RunThroughBatchgen();
  EXPECT_FALSE(result.TimedOut);
  const Lines printed = SplitOutput(result.Output);
  ASSERT_GE(printed.size(), 5u);
  EXPECT_NE(result.Output.find("Volume"), std::string::npos) << "VOL's volume line";
  const Lines listed(printed.end() - 5, printed.end());
  EXPECT_EQ(listed, (Lines{"a&z.log", "b file.txt", "sub dir", "b file.txt", "a&z.log"}));
  EXPECT_EQ(ReadFileBytes(Temp.Path() / "hard (1).txt"), "bee");
}

}  // namespace
}  // namespace palvetta::e2e
