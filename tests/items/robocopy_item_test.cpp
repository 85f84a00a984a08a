#include "items/robocopy/robocopy_item.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/date_time_text.h"
#include "base/file_io.h"
#include "base/xml_document.h"
#include "model/project.h"
#include "model/project_reader_writer.h"
#include "model/property_mapping.h"
#include "support/item_texts.h"
#include "support/project_files.h"
#include "support/sample_items.h"

namespace palvetta {
namespace {

using testing::Make;
using testing::ExpectTexts;
using testing::TTextCase;
using A = TRCFileAttr;

double Clock(int hour, int minute) { return (hour * 60 + minute) / 1440.0; }

// Both folders set: the smallest useful item, which the rows below build on.
std::function<std::unique_ptr<TCustomProjectItem>()> Copy(std::function<void(TRobocopyItem&)> setup) {
  return Make<TRobocopyItem>([setup](TRobocopyItem& i) {
    i.SrcDir = "C:\\src";
    i.DestDir = "E:\\dst";
    setup(i);
  });
}

constexpr const char* kReadable = "Robust copy files from C:\\src to E:\\dst";

TEST(RobocopyItem, BatchAndReadableTexts) {
  ExpectTexts({
      // The default copy flags and thread count write nothing.
      {Copy([](auto&) {}), "ROBOCOPY C:\\src E:\\dst", kReadable},
      {Make<TRobocopyItem>([](auto&) {}), "ROBOCOPY  ",
       "Robust copy files from <u>unknown dir</u> to <u>unknown dir</u>"},
      {Make<TRobocopyItem>([](auto& i) {
         i.SrcDir = "C:\\My Data\\";
         i.DestDir = "E:\\Backup";
         i.RCSubDirMode = TRCSubDirMode::sdmCopySubdirWithEmpty;
         i.RetryCount = 3;
         i.SetRetryCount = true;
         i.Wait = 5;
         i.SetWait = true;
         i.MultiThreaded = true;
         i.Threads = 8;
         i.LogFileName = "C:\\logs\\rc.log";
         i.ExcludeDirs = {"C:\\My Data\\Temp\\"};
       }),
       "ROBOCOPY \"C:\\My Data\" E:\\Backup /E /MT:8 /XD \"C:\\My Data\\Temp\" /R:3 /W:5 "
       "/LOG+:C:\\logs\\rc.log",
       "Robust copy files from C:\\My Data\\ to E:\\Backup"},
      // The sample item sets every property: every one of the switches, in command order.
      {Make<TRobocopyItem>([](auto& i) { testing::FillSample(i); }),
       "ROBOCOPY \"C:\\My Data\" E:\\Backup *.doc \"my file.txt\" /LEV:3 /ZB /EFSRAW /COPY:DTSU "
       "/DCOPY:T /NOCOPY /SECFIX /TIMFIX /PURGE /MIR /MOVE /A+:RH /A-:AT /CREATE /FAT /256 "
       "/MON:5 /MOT:10 /RH:0705-1830 /PF /IPG:50 /SL /MT:16 /A /M /IA:SCO /XA:NE "
       "/XF *.tmp ~$*.doc /XD \"C:\\My Data\\Temp\" cache /XC /XN /XO /XX /XL /IS /IT "
       "/MIN:1024 /MAX:5000000000 /MAXAGE:20240203 /MINAGE:2 /MAXLAD:90 /MINLAD:20240615 "
       "/XJ /FFT /DST /XJF /XJD /R:3 /W:5 /REG /TBD /L /X /V /TS /FP /BYTES /NS /NC /NFL /NDL "
       "/NP /ETA /UNILOG:\"C:\\logs\\rc log.txt\" /TEE /NJH /NJS /UNICODE /SAVE:weekly "
       "/JOB:nightly /QUIT /NOSD /NODD /IF *.docx \"report 1.pdf\"",
       "Robust copy files from C:\\My Data\\ to E:\\Backup"},
  });
}

// Each row: the item's settings and the switches they add after the two folders.
TEST(RobocopyItem, Switches) {
  using M = TDaysOrDate;
  struct Case {
    std::function<void(TRobocopyItem&)> setup;
    std::string switches;
  };
  const Case cases[] = {
      {[](auto& i) { i.CopyFlags |= MemberOf(TCopyFlag::cfS); }, " /COPY:DATS"},
      {[](auto& i) { i.CopyFlags = 0; }, ""},
      {[](auto& i) { i.CopyFlags = MemberOf(TCopyFlag::cfU) | MemberOf(TCopyFlag::cfD); }, " /COPY:DU"},
      {[](auto& i) { i.RCSubDirMode = TRCSubDirMode::sdmCopyNSubdirLevels; i.CopyNLevels = 2; }, " /LEV:2"},
      {[](auto& i) { i.CopyNLevels = 2; }, ""},
      // Retry and wait: asked for by the box (0 too), or above 0 from an older file.
      {[](auto& i) { i.SetRetryCount = true; }, " /R:0"},
      {[](auto& i) { i.RetryCount = 2; }, " /R:2"},
      {[](auto& i) { i.SetRetryCount = true; i.RetryCount = -1; }, ""},
      {[](auto& i) { i.SetWait = true; i.Wait = 0; }, " /W:0"},
      {[](auto& i) { i.Wait = 30; }, " /W:30"},
      {[](auto& i) { i.SetRunHours = true; i.RunHoursStart = Clock(7, 5); i.RunHoursEnd = Clock(18, 30); },
       " /RH:0705-1830"},
      {[](auto& i) { i.RunHoursPerFileCheck = true; }, ""},
      {[](auto& i) { i.MaxAgeMode = M::dodDate; i.MaxAgeDate = DateValue(2024, 2, 3) + 0.9; },
       " /MAXAGE:20240203"},
      {[](auto& i) { i.MaxAgeDays = 4; i.MaxAgeDate = DateValue(2024, 2, 3); }, ""},
      {[](auto& i) { i.MinLADMode = M::dodDays; i.MinLadDays = 7; i.MaxLADMode = M::dodDays; },
       " /MAXLAD:0 /MINLAD:7"},
      {[](auto& i) { i.IPG = -5; i.Threads = 8; }, ""},
      // An empty attribute set writes no switch of its own, the other one still does.
      {[](auto& i) { i.ClearAttrs = MemberOf(A::attrR); }, " /A-:R"},
      {[](auto& i) { i.AddAttrs = MemberOf(A::attrO) | MemberOf(A::attrR); }, " /A+:RO"},
      {[](auto& i) { i.ExclWithAttr = MemberOf(A::attrH); }, " /XA:H"},
      {[](auto& i) { i.InclWithAttr = MemberOf(A::attrT); }, " /IA:T"},
      // A job name is one argument, and a blank one writes nothing.
      {[](auto& i) { i.SaveParamsToJobName = "  "; i.LoadParamsFromJobName = "daily"; }, " /JOB:daily"},
      {[](auto& i) { i.SaveParamsToJobName = "daily"; }, " /SAVE:daily"},
      {[](auto& i) { i.SaveParamsToJobName = "a\" & ECHO INJ\r\n)"; }, " /SAVE:\"a & ECHO INJ )\""},
      {[](auto& i) { i.LoadParamsFromJobName = "100%"; }, " /JOB:100%%"},
      // Sizes beyond 2 GiB; the minimum comes first.
      {[](auto& i) {
         i.LimitMinFileSize = true;
         i.MinFileSize = 3000000000;
         i.LimitMaxFileSize = true;
         i.MaxFileSize = 9000000000000;
       },
       " /MIN:3000000000 /MAX:9000000000000"},
      {[](auto& i) { i.MaxFileSize = 10; }, ""},
      {[](auto& i) { i.MonitorMin = true; i.MonMMin = 15; i.MonNChanges = 3; }, " /MOT:15"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.switches);
    TRobocopyItem item;
    item.SrcDir = "C:\\src";
    item.DestDir = "E:\\dst";
    c.setup(item);
    EXPECT_EQ(item.GetBatchText(), "ROBOCOPY C:\\src E:\\dst" + c.switches);
  }
}

// Folders: ROBOCOPY reads a backslash before a closing quote as an escaped quote, so a
// quoted folder loses its final backslash; the user's own quotes are not doubled.
TEST(RobocopyItem, FoldersFilesAndLog) {
  struct Case {
    std::function<void(TRobocopyItem&)> setup;
    std::string batch;
  };
  const Case cases[] = {
      {[](auto& i) { i.SrcDir = "D:\\"; i.DestDir = "D:\\ab\\"; }, "ROBOCOPY D:\\ D:\\ab\\"},
      {[](auto& i) { i.SrcDir = "D:\\a b\\"; i.DestDir = "E:\\dst"; }, "ROBOCOPY \"D:\\a b\" E:\\dst"},
      {[](auto& i) { i.SrcDir = "\"D:\\a b\\\""; i.DestDir = " E:\\dst "; }, "ROBOCOPY \"D:\\a b\" E:\\dst"},
      {[](auto& i) { i.SrcDir = "C:\\"; i.DestDir = "\"E:\\x y\""; i.ExcludeDirs = {"\"C:\\t m\\\"", "C:\\o\\"}; },
       "ROBOCOPY C:\\ \"E:\\x y\" /XD \"C:\\t m\" C:\\o\\"},
      // Every line of the file list is written, a blank one too.
      {[](auto& i) { i.SrcDir = "a"; i.DestDir = "b"; i.FileList = {"x y.txt", "", "*.c"}; },
       "ROBOCOPY a b \"x y.txt\"  *.c"},
      {[](auto& i) { i.SrcDir = "a"; i.DestDir = "b"; i.LogFileName = "C:\\my logs\\rc.log"; },
       "ROBOCOPY a b /LOG+:\"C:\\my logs\\rc.log\""},
      {[](auto& i) { i.SrcDir = "a"; i.DestDir = "b"; i.LogFileName = "rc.log"; i.OverwriteLog = true; },
       "ROBOCOPY a b /LOG:rc.log"},
      {[](auto& i) { i.SrcDir = "a"; i.DestDir = "b"; i.LogFileName = "rc.log"; i.LogUnicode = true; },
       "ROBOCOPY a b /UNILOG+:rc.log"},
      {[](auto& i) {
         i.SrcDir = "a";
         i.DestDir = "b";
         i.LogFileName = "rc.log";
         i.LogUnicode = true;
         i.OverwriteLog = true;
       },
       "ROBOCOPY a b /UNILOG:rc.log"},
      {[](auto& i) { i.SrcDir = "a"; i.DestDir = "b"; i.LogFileName = "  "; i.OverwriteLog = true; },
       "ROBOCOPY a b"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.batch);
    TRobocopyItem item;
    c.setup(item);
    EXPECT_EQ(item.GetBatchText(), c.batch);
  }
}

// Project files store the properties by these names, in this order.
TEST(RobocopyItem, PropertiesInPersistedOrder) {
  const std::vector<std::string> expected = {
      "Enabled", "RedirectTo", "Overwrite", "GUID",
      "SrcDir", "DestDir", "FileList", "RCSubDirMode", "CopyNLevels", "FileCopyMode", "EFSRAW",
      "CopyFlags", "CopyDirTimestamps", "CopyFileInfo", "FixSec", "FixTime", "Purge", "Mirror",
      "MoveFiles", "AddAttrs", "ClearAttrs", "CreateTreeOnly", "Fat83", "TurnOff256",
      "MonitorChanges", "MonNChanges", "MonitorMin", "MonMMin", "SetRunHours", "RunHoursStart",
      "RunHoursEnd", "RunHoursPerFileCheck", "IPG", "CopySymbolicLinks", "MultiThreaded",
      "Threads", "CopyOnlyArhive", "CopyOnlyArhive_AndReset", "InclWithAttr", "ExclWithAttr",
      "ExcludeFiles", "ExcludeDirs", "ExcludeChanged", "ExcludeNewer", "ExcludeOlder",
      "ExcludeExtra", "ExcludeLonely", "IncludeSame", "IncludeTweaked", "LimitMaxFileSize",
      "LimitMinFileSize", "MaxFileSize", "MinFileSize", "MaxAgeMode", "MinAgeMode", "MaxAgeDays",
      "MinAgeDays", "MaxAgeDate", "MinAgeDate", "MaxLADMode", "MinLADMode", "MaxLadDays",
      "MinLadDays", "MaxLadDate", "MinLadDate", "ExcludeJunctionPoints", "FATTimes", "DST",
      "ExcludeJP_Files", "ExcludeJP_Folders", "RetryCount", "Wait", "SetRetryCount", "SetWait",
      "SaveRetryWaitToReg", "TBD", "ListOnly", "ReportAllExtra", "Verbose",
      "IncludeSourceTimeStamp", "IncludeFullPath", "SizeInBytes", "NoSize", "NoClass",
      "NoFileList", "NoDirList", "noProgress", "ETA", "LogFileName", "OverwriteLog", "LogUnicode",
      "LogAndConsole", "NoJobHeader", "NoJobSummary", "UnicodeStatus", "LoadParamsFromJobName",
      "SaveParamsToJobName", "Quit", "NoSD", "NoDD", "InclFiles"};
  TRobocopyItem item;
  TXmlDocument document("item");
  WriteProperties(item, document.Root());
  std::vector<std::string> names;
  for (const TXmlElement& child : document.Root().Children()) names.emplace_back(child.Name());
  EXPECT_EQ(names, expected);
}

// The golden file (written by the golden-file test from the sample item) loads back into
// the sample's values: sets, times of day, dates with their times, sizes past 2 GiB.
TEST(RobocopyItem, GoldenFileLoadsTheSampleValues) {
  TProject loaded;
  TProjectReaderWriter reader(testing::TestClasses());
  reader.Project = &loaded;
  reader.LoadFromBytes(ReadFileBytes(testing::ProjectFile("TRobocopyItem.kwj")));
  ASSERT_EQ(loaded.Count(), 1);
  const auto& item = static_cast<const TRobocopyItem&>(loaded.Items(0));
  TRobocopyItem sample;
  testing::FillSample(sample);
  EXPECT_EQ(item.MaxFileSize, 5000000000);
  EXPECT_EQ(item.CopyFlags, sample.CopyFlags);
  EXPECT_EQ(item.AddAttrs, sample.AddAttrs);
  EXPECT_EQ(item.InclWithAttr, sample.InclWithAttr);
  EXPECT_EQ(item.RunHoursStart, Clock(7, 5));
  EXPECT_EQ(item.MaxAgeDate, DateValue(2024, 2, 3) + 0.5);
  EXPECT_EQ(item.MinLadDate, sample.MinLadDate);
  EXPECT_EQ(item.ExcludeDirs, sample.ExcludeDirs);
  EXPECT_EQ(item.GetBatchText(), sample.GetBatchText());
}

// Sizes were whole numbers of 32 bits in older files; the same decimal text reads into
// the larger field, and a set names only the members it changes.
TEST(RobocopyItem, ReadsOlderAndPartialValues) {
  TXmlDocument document("item");
  TXmlElement& element = document.Root();
  element.AddChild("MinFileSize", "2048");
  element.AddChild("MaxFileSize", "4294967296");
  element.AddChild("CopyFlags").AddChild("cfS", "TRUE");
  TRobocopyItem item;
  ReadProperties(element, item);
  EXPECT_EQ(item.MinFileSize, 2048);
  EXPECT_EQ(item.MaxFileSize, 4294967296);
  EXPECT_EQ(item.CopyFlags, MemberOf(TCopyFlag::cfD) | MemberOf(TCopyFlag::cfA) |
                                MemberOf(TCopyFlag::cfT) | MemberOf(TCopyFlag::cfS));
}

TEST(RobocopyItem, EditorShowsTheCopyFlagsAsBoxesAndSizesAsLargeNumbers) {
  TRobocopyItem item;
  item.MaxFileSize = 6000000000;
  TEditorValues values;
  item.ToEditor(values);
  EXPECT_TRUE(values.Checked("cbxD") && values.Checked("cbxA") && values.Checked("cbxT"));
  EXPECT_FALSE(values.Checked("cbxS") || values.Checked("cbxO") || values.Checked("cbxU"));
  EXPECT_EQ(values.LargeNumber("sedMaxFileSize"), 6000000000);
  EXPECT_EQ(values.Index("sedThreads"), 1);
  EXPECT_FALSE(values.Checked("cbxPURGE"));
  EXPECT_FALSE(values.Checked("cbxNoProgress"));

  values.SetChecked("cbxA", false);
  values.SetChecked("cbxU", true);
  values.SetLargeNumber("sedMinFileSize", 3000000000);
  values.SetChecked("cbxPURGE", true);
  values.SetIndex("cmbMaxLADMode", 2);
  item.FromEditor(values);
  EXPECT_EQ(item.CopyFlags, MemberOf(TCopyFlag::cfD) | MemberOf(TCopyFlag::cfT) | MemberOf(TCopyFlag::cfU));
  EXPECT_EQ(item.MinFileSize, 3000000000);
  EXPECT_TRUE(item.Purge);
  EXPECT_EQ(item.MaxLADMode, TDaysOrDate::dodDate);
}

// The retry count's box is shown checked when the count is asked for or above 0; without
// the box no count is asked for, so it becomes 0. The wait time works the same way.
TEST(RobocopyItem, RetryAndWaitFollowTheirBoxes) {
  struct Case {
    bool set;
    int32_t count;
    bool shownChecked;
  };
  const Case cases[] = {{false, 0, false}, {true, 0, true}, {false, 4, true}, {true, 4, true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.set) + " " + std::to_string(c.count));
    TRobocopyItem item;
    item.SetRetryCount = c.set;
    item.RetryCount = c.count;
    item.SetWait = c.set;
    item.Wait = c.count;
    TEditorValues values;
    item.ToEditor(values);
    EXPECT_EQ(values.Checked("cbxRetryCount"), c.shownChecked);
    EXPECT_EQ(values.Checked("cbxWait"), c.shownChecked);
    EXPECT_EQ(values.Index("sedRetryCount"), c.count);
    EXPECT_EQ(values.Index("sedWait"), c.count);
  }

  TRobocopyItem item;
  item.RetryCount = 4;
  item.Wait = 9;
  TEditorValues values;
  item.ToEditor(values);
  values.SetChecked("cbxRetryCount", false);
  values.SetIndex("sedWait", 12);
  item.FromEditor(values);
  EXPECT_FALSE(item.SetRetryCount);
  EXPECT_EQ(item.RetryCount, 0);
  EXPECT_TRUE(item.SetWait);
  EXPECT_EQ(item.Wait, 12);
  EXPECT_EQ(item.GetBatchText(), "ROBOCOPY   /W:12");
}

}  // namespace
}  // namespace palvetta
