#include "items/file_system/file_system_items.h"

#include <gtest/gtest.h>

#include <string>

#include "items/file_system/alloc_units.h"
#include "items/file_system/volume_text.h"
#include "gui/editor_values.h"
#include "model/quoting.h"
#include "support/item_texts.h"

namespace palvetta {
namespace {

using testing::ExpectBatchTexts;
using testing::ExpectTexts;
using testing::Make;

TEST(FileSystemItems, CheckingTexts) {
  ExpectTexts({
      {Make<TCHKDSKItem>([](auto&) {}), "CHKDSK C:", "Check drive C"},
      {Make<TCHKDSKItem>([](auto& i) {
         i.CHKDSKMode = TCHKDSKMode::cdmFile;
         i.FileName = "C:\\a b\\x.dat";
       }),
       "CHKDSK \"C:\\a b\\x.dat\"", "Check file C:\\a b\\x.dat for fragmentation"},
      {Make<TCHKDSKItem>([](auto& i) { i.CHKDSKMode = TCHKDSKMode::cdmFile; }), "CHKDSK ",
       "Check <u>unknown file</u> for fragmentation"},
      // Every switch in order; the log size only with its flag and above 0.
      {Make<TCHKDSKItem>([](auto& i) {
         i.Drive = u'D';
         i.FixErrors = i.ShowFileNames = i.LocateBadSectors = i.ChangLogFileSize = true;
         i.LogFileSize = 4096;
         i.ForceDismount = i.LessIndexCheck = i.SkipCycles = i.ReEvaluateBadClusters = true;
       }),
       "CHKDSK D: /F /V /R /L:4096 /X /I /C /B", "Check drive D"},
      {Make<TCHKDSKItem>([](auto& i) {
         i.ChangLogFileSize = true;
         i.LogFileSize = 0;
       }),
       "CHKDSK C:", "Check drive C"},
      {Make<TCHKDSKItem>([](auto& i) { i.LogFileSize = 4096; }), "CHKDSK C:", "Check drive C"},
      {Make<TCHKDSKItem>([](auto& i) { i.Drive = u'c'; }), "CHKDSK c:", "Check <u>unknown</u> drive"},

      {Make<TCHKNTFSItem>([](auto&) {}), "CHKNTFS C:",
       "Check NTFS disk: display if C is dirty or scheduled to be checked on next reboot"},
      {Make<TCHKNTFSItem>([](auto& i) {
         i.Volume = "D";
         i.CHKNTFSMode = TCHKNTFSMode::cmSchedule;
       }),
       "CHKNTFS /C D:", "Check NTFS disk: Schedule D to be checked at boot time"},
      {Make<TCHKNTFSItem>([](auto& i) {
         i.Volume = "D:";
         i.CHKNTFSMode = TCHKNTFSMode::cmSchedule;
       }),
       "CHKNTFS /C D:", "Check NTFS disk: Schedule D: to be checked at boot time"},
      {Make<TCHKNTFSItem>([](auto& i) {
         i.Volume = "\\\\?\\Volume{1}";
         i.CHKNTFSMode = TCHKNTFSMode::cmExclude;
       }),
       "CHKNTFS /X \\\\?\\Volume{1}",
       "Check NTFS disk: Exclude \\\\?\\Volume{1} from the default boot-time check"},
      {Make<TCHKNTFSItem>([](auto& i) {
         i.Volume = "  ";
         i.CHKNTFSMode = TCHKNTFSMode::cmExclude;
       }),
       "CHKNTFS /X ", "Check NTFS disk: Exclude <u>unknown volume</u> from the default boot-time check"},
      {Make<TCHKNTFSItem>([](auto& i) { i.CHKNTFSMode = TCHKNTFSMode::cmRestoreDefaults; }),
       "CHKNTFS /D", "Check NTFS disk: restore defaults, cancel all changes"},
      {Make<TCHKNTFSItem>([](auto& i) {
         i.CHKNTFSMode = TCHKNTFSMode::cmTimer;
         i.Timer = 10;
       }),
       "CHKNTFS /T:10", "Check NTFS disk: Change the AUTOCHK initiation countdown time to 10 seconds"},
      {Make<TCHKNTFSItem>([](auto& i) { i.CHKNTFSMode = TCHKNTFSMode::cmTimer; }), "CHKNTFS /T:0",
       "Check NTFS disk: Change the AUTOCHK initiation countdown time to <u>unknown number of "
       "seconds</u>"},
      {Make<TCHKNTFSItem>([](auto& i) { i.CHKNTFSMode = TCHKNTFSMode::cmShowTimer; }), "CHKNTFS /T",
       "Check NTFS disk: Show current AUTOCHK countdown timer"},

      {Make<TConvertItem>([](auto&) {}), "CONVERT C: /FS:NTFS", "Convert  FAT volume C to NTFS."},
      {Make<TConvertItem>([](auto& i) {
         i.Volume = "E:";
         i.Verbose = i.NoSecurity = i.Dismount = true;
         i.CVTArea = "cvt area.bin";
       }),
       "CONVERT E: /FS:NTFS /V /CvtArea:\"cvt area.bin\" /NoSecurity /X",
       "Convert  FAT volume E: to NTFS."},
      {Make<TConvertItem>([](auto& i) {
         i.Volume = "";
         i.CVTArea = "  ";
       }),
       "CONVERT  /FS:NTFS", "Convert  <u>unknown FAT volume</u> to NTFS."},

      {Make<TRecoverItem>([](auto&) {}), "RECOVER ",
       "Recover readable information from  <u>unknown</u> file on a bad or defective disk"},
      {Make<TRecoverItem>([](auto& i) { i.Path = "D:\\bad disk\\data.db"; }),
       "RECOVER \"D:\\bad disk\\data.db\"",
       "Recover readable information from  file D:\\bad disk\\data.db on a bad or defective disk"},
  });
}

TEST(FileSystemItems, VolumeTexts) {
  ExpectTexts({
      {Make<TFormatItem>([](auto&) {}), "FORMAT C: /FS:NTFS", "Format C: to NTFS file system."},
      {Make<TFormatItem>([](auto& i) {
         i.Volume = u'E';
         i.VolLabel = "My Disk";
         i.QuickFormat = true;
         i.AllocUnitSize = " 4096 ";
       }),
       "FORMAT E: /FS:NTFS /V:\"My Disk\" /Q /A:4096", "Format E: to NTFS file system."},
      // Compression only on NTFS; the UDF revision and duplication only on UDF, which
      // takes no allocation size.
      {Make<TFormatItem>([](auto& i) {
         i.Volume = u'F';
         i.FileSystem = TFileSystem::fsUDF;
         i.UDFRevision = TUDFRevision::udfr2_50;
         i.MetadataDup = i.CompressedByDefault = true;
         i.AllocUnitSize = "4096";
       }),
       "FORMAT F: /FS:UDF /R:2.50 /D", "Format F: to UDF file system."},
      {Make<TFormatItem>([](auto& i) {
         i.FileSystem = TFileSystem::fsUDF;
         i.UDFRevision = TUDFRevision::udfr2_00;
         i.MetadataDup = true;
       }),
       "FORMAT C: /FS:UDF /R:2.00", "Format C: to UDF file system."},
      {Make<TFormatItem>([](auto& i) {
         i.FileSystem = TFileSystem::fsFAT32;
         i.UDFRevision = TUDFRevision::udfr2_50;
         i.CompressedByDefault = i.Dismount = true;
         i.FloppySize = "1.44";
         i.Tracks = 80;
         i.SectorsPerTrack = 18;
         i.Passes = 2;
         i.ShortNames = " Disabled ";
       }),
       "FORMAT C: /FS:FAT32 /X /F:1.44 /T:80 /N:18 /P:2 /S:disable", "Format C: to FAT32 file system."},
      {Make<TFormatItem>([](auto& i) {
         i.FileSystem = TFileSystem::fsexFAT;
         i.ShortNames = "ENABLED";
       }),
       "FORMAT C: /FS:exFAT /S:enable", "Format C: to exFAT file system."},
      {Make<TFormatItem>([](auto& i) { i.ShortNames = "maybe"; }), "FORMAT C: /FS:NTFS",
       "Format C: to NTFS file system."},
      // Labels quoted on cmd's special characters; quotes alone leave no label.
      {Make<TFormatItem>([](auto& i) { i.VolLabel = "A&B"; }), "FORMAT C: /FS:NTFS /V:\"A&B\"",
       "Format C: to NTFS file system."},
      {Make<TFormatItem>([](auto& i) { i.VolLabel = "\"My\"Data"; }), "FORMAT C: /FS:NTFS /V:MyData",
       "Format C: to NTFS file system."},
      {Make<TFormatItem>([](auto& i) { i.VolLabel = " \"\" \" "; }), "FORMAT C: /FS:NTFS",
       "Format C: to NTFS file system."},
      {Make<TFormatItem>([](auto& i) { i.Volume = u'1'; }), "FORMAT 1: /FS:NTFS",
       "Format <u>unknown drive</u> to NTFS file system."},

      {Make<TVOLItem>([](auto&) {}), "VOL C:",
       "Display the disk volume label and serial number for volume C:"},
      {Make<TVOLItem>([](auto& i) { i.Volume = u'Z'; }), "VOL Z:",
       "Display the disk volume label and serial number for volume Z:"},

      {Make<TLabelItem>([](auto&) {}), "LABEL C: ", "Set volume label of drive C to <u>empty string</u>"},
      {Make<TLabelItem>([](auto& i) {
         i.Drive = u'E';
         i.DriveLabel = "Backup 1";
       }),
       "LABEL E: Backup 1", "Set volume label of drive E to \"Backup 1\""},
      // The label is the rest of the line: special characters get a caret so they stay
      // part of it rather than start another command.
      {Make<TLabelItem>([](auto& i) { i.DriveLabel = "A&B"; }), "LABEL C: A^&B",
       "Set volume label of drive C to \"A&B\""},
      {Make<TLabelItem>([](auto& i) { i.DriveLabel = "a|b<c>d^e"; }), "LABEL C: a^|b^<c^>d^^e",
       "Set volume label of drive C to \"a|b<c>d^e\""},
      {Make<TLabelItem>([](auto& i) {
         i.MP = true;
         i.Volume = "D";
         i.DriveLabel = "Data";
       }),
       "LABEL /MP D: Data", "Set volume label of volume D to \"Data\""},
      {Make<TLabelItem>([](auto& i) {
         i.MP = true;
         i.Volume = "C:\\mnt\\my disk";
       }),
       "LABEL /MP \"C:\\mnt\\my disk\" ", "Set volume label of volume C:\\mnt\\my disk to <u>empty string</u>"},
      {Make<TLabelItem>([](auto& i) { i.MP = true; }), "LABEL /MP ",
       "Set volume label of <u>unknown volume</u> to <u>empty string</u>"},
  });
}

TEST(FileSystemItems, ListingTexts) {
  ExpectTexts({
      {Make<TDirItem>([](auto&) {}), "DIR", "Display a list of files and subdirectories in <u>unknown directory</u>"},
      {Make<TDirItem>([](auto& i) {
         i.Path = "C:\\Data";
         i.Sorted = i.SortedReversed = i.Subdirs = true;
         i.SortOrder = TSortOrder::soDateTime;
         i.TimeField = TTimeField::tfLastWritten;
       }),
       "DIR C:\\Data /O:-D /T:W /S", "Display a list of files and subdirectories in C:\\Data"},
      // The time field only goes with sorting by date.
      {Make<TDirItem>([](auto& i) {
         i.SortOrder = TSortOrder::soDateTime;
         i.TimeField = TTimeField::tfCreation;
       }),
       "DIR", "Display a list of files and subdirectories in <u>unknown directory</u>"},
      {Make<TDirItem>([](auto& i) {
         i.Path = "x";
         i.Sorted = true;
         i.SortOrder = TSortOrder::soDir;
         i.TimeField = TTimeField::tfLastAccess;
       }),
       "DIR x /O:G", "Display a list of files and subdirectories in x"},
      {Make<TDirItem>([](auto& i) {
         i.Path = "x";
         i.DisplayThousandsSeparator = i.HideThousandsSeparator = true;
       }),
       "DIR x /C", "Display a list of files and subdirectories in x"},
      {Make<TDirItem>([](auto& i) {
         i.Path = "x";
         i.HideThousandsSeparator = true;
       }),
       "DIR x /-C", "Display a list of files and subdirectories in x"},
      // The attributes count only with their flag, in the order R H I S A L D.
      {Make<TDirItem>([](auto& i) {
         i.Path = "C:\\My Files";
         i.DirAttr = TFileAttr::frNotSet;
         i.Hidden = TFileAttr::frSet;
       }),
       "DIR \"C:\\My Files\"", "Display a list of files and subdirectories in C:\\My Files"},
      {Make<TDirItem>([](auto& i) {
         i.Path = "C:\\My Files";
         i.Attr = true;
         i.DirAttr = TFileAttr::frNotSet;
         i.ReadOnlyAttr = i.Hidden = i.Indexed = i.System = i.Arch = TFileAttr::frSet;
         i.ReparsePoints = TFileAttr::frNotSet;
       }),
       "DIR \"C:\\My Files\" /A:RHISA-L-D", "Display a list of files and subdirectories in C:\\My Files"},
      {Make<TDirItem>([](auto& i) {
         i.Path = "x";
         i.Attr = true;
       }),
       "DIR x", "Display a list of files and subdirectories in x"},
      // Every other switch, in order.
      {Make<TDirItem>([](auto& i) {
         i.Path = "x";
         i.BareFormat = i.WideAndColumn = i.Lowercase = i.LongList = true;
         i.Sorted = true;
         i.SortOrder = TSortOrder::soSize;
         i.PauseByScreen = i.DisplayOwner = i.AlternateDataStreams = i.Subdirs = true;
         i.Wide = i.ShortNames = i.FourDigitYears = true;
       }),
       "DIR x /B /D /L /N /O:S /P /Q /R /S /W /X /4", "Display a list of files and subdirectories in x"},

      {Make<TTreeItem>([](auto&) {}), "TREE", "Display folder structure of <u>unknown path</u>"},
      {Make<TTreeItem>([](auto& i) {
         i.Path = "C:\\Program Files";
         i.DisplayFileNames = i.ASCII = true;
       }),
       "TREE \"C:\\Program Files\" /F /A", "Display folder structure of C:\\Program Files"},
  });
}

TEST(FileSystemItems, LinkAndCompressionTexts) {
  ExpectTexts({
      {Make<TSubstItem>([](auto&) {}), "SUBST  ",
       "Associate <u>unknown directory</u>  with <u>unknown drive</u>"},
      {Make<TSubstItem>([](auto& i) {
         i.Drive = "E:\\";
         i.Path = "C:\\Deep Folder\\Work";
       }),
       "SUBST E: \"C:\\Deep Folder\\Work\"", "Associate C:\\Deep Folder\\Work with drive E:\\"},
      {Make<TSubstItem>([](auto& i) {
         i.Drive = "E:\\";
         i.Delete = true;
       }),
       "SUBST E: /D", "Delete virtual drive E:\\"},
      {Make<TSubstItem>([](auto& i) { i.Delete = true; }), "SUBST  /D",
       "Delete <u>unknown virtual drive</u>"},

      {Make<TMKLinkItem>([](auto&) {}), "MKLINK  ",
       "Create file symbolic link with <u>empty name</u> for <u>unknown target</u>"},
      {Make<TMKLinkItem>([](auto& i) {
         i.Link = "my link.txt";
         i.Target = "C:\\data\\real.txt";
       }),
       "MKLINK \"my link.txt\" C:\\data\\real.txt",
       "Create file symbolic link with name \"my link.txt\" for C:\\data\\real.txt"},
      {Make<TMKLinkItem>([](auto& i) {
         i.MKLinkMode = TMKLinkMode::mklmDirSymLink;
         i.Link = "l";
         i.Target = "t";
       }),
       "MKLINK /D l t", "Create directory symbolic link with name \"l\" for t"},
      {Make<TMKLinkItem>([](auto& i) {
         i.MKLinkMode = TMKLinkMode::mklmHard;
         i.Link = "l";
         i.Target = "t";
       }),
       "MKLINK /H l t", "Create file hard link with name \"l\" for t"},
      {Make<TMKLinkItem>([](auto& i) {
         i.MKLinkMode = TMKLinkMode::mklmDirJunction;
         i.Link = "l";
         i.Target = "t (1)";
       }),
       "MKLINK /J l \"t (1)\"", "Create directory junction with name \"l\" for t (1)"},

      {Make<TCompactItem>([](auto&) {}), "COMPACT /C", "Compress <u>unknown files</u> "},
      {Make<TCompactItem>([](auto& i) {
         i.CompactMode = TCompactMode::cmUncompress;
         i.Files = {"*.log", "", "C:\\My Logs\\old.txt"};
       }),
       "COMPACT /U *.log \"C:\\My Logs\\old.txt\"", "Uncompress list of files "},
      {Make<TCompactItem>([](auto& i) {
         i.InFolderAndSubfolders = "C:\\Big Data";
         i.HiddenAndSystem = i.IgnoreErrors = i.CompressCompressed = i.Quiet = true;
         i.Files = {"*.*"};
       }),
       "COMPACT /C /S:\"C:\\Big Data\" /A /I /F /Q *.*",
       "Compress files in folder C:\\Big Data and subfolders"},
  });
}

// A volume is one argument: quoted where cmd.exe would act on it, without a double quote
// (which would end those quotes), on one line.
TEST(FileSystemItems, AVolumeNeverStartsACommand) {
  ExpectBatchTexts({
      {Make<TCHKNTFSItem>([](auto& i) { i.Volume = "D: & ECHO INJ>canary"; }),
       "CHKNTFS \"D: & ECHO INJ>canary\""},
      {Make<TCHKNTFSItem>([](auto& i) {
         i.Volume = "D:\" & \"x\r\ny";
         i.CHKNTFSMode = TCHKNTFSMode::cmExclude;
       }),
       "CHKNTFS /X \"D: & x y\""},
      {Make<TConvertItem>([](auto& i) { i.Volume = "E:)^"; }), "CONVERT \"E:)^\" /FS:NTFS"},
      {Make<TConvertItem>([](auto& i) { i.Volume = "%~1%"; }), "CONVERT %~1%% /FS:NTFS"},
  });
}

// A label or volume name is one argument: quoted on a blank or a character cmd.exe acts on.
TEST(FileSystemItems, LabelsAreQuotedOnBlanksAndCmdSpecials) {
  const std::pair<const char*, const char*> cases[] = {
      {"Data", "Data"},         {" Data ", "Data"},         {"My Disk", "\"My Disk\""},
      {"a|b", "\"a|b\""},       {"a<b", "\"a<b\""},         {"a>b", "\"a>b\""},
      {"a^b", "\"a^b\""},       {"\"x\"", "x"},             {"\" a b \"", "\"a b\""},
      {"", ""},                 {"(x)", "\"(x)\""},  // a ")" would close a block
  };
  for (const auto& [text, quoted] : cases) EXPECT_EQ(QuoteIfSpaced(text), quoted) << text;
}

TEST(FileSystemItems, AllocationUnitsOfEveryFileSystem) {
  const TAllocUnits units;
  const TStrings fat = {"512", "1024", "2048", "4096", "8192", "16K", "32K", "64K", "128K", "256K"};
  TStrings exFat = fat;
  exFat.insert(exFat.end(), {"512K", "1M", "2M", "4M", "8M", "16M", "32M"});
  const std::pair<TFileSystem, TStrings> expected[] = {
      {TFileSystem::fsFAT, fat},
      {TFileSystem::fsFAT32, fat},
      {TFileSystem::fsexFAT, exFat},
      {TFileSystem::fsNTFS, {"512", "1024", "2048", "4096", "8192", "16K", "32K", "64K"}},
      {TFileSystem::fsUDF, {}},
  };
  for (const auto& [fileSystem, sizes] : expected) {
    SCOPED_TRACE(static_cast<int>(fileSystem));
    const TStrings* found = units.GetUnits(fileSystem);
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(*found, sizes);
  }
  EXPECT_EQ(units.GetUnits(TFileSystem::fsexFAT)->size(), 17u);
  EXPECT_EQ(units.GetUnits(static_cast<TFileSystem>(9)), nullptr);
}

// What the items put into their dialogs and take back where the mapping is not one
// control per property.
TEST(FileSystemItems, EditorMappingOfDerivedControls) {
  TCHKDSKItem chkdsk;
  TEditorValues values;
  chkdsk.ToEditor(values);
  EXPECT_EQ(values.Index("sedLogFileSize"), 65536) << "shown while none is stored";
  EXPECT_EQ(values.Text("dcbDrive"), "C");
  values.SetChecked("rbCheckDisk", false);
  values.SetChecked("rbCheckFile", true);
  values.SetText("dcbDrive", "");  // a drive list that gave nothing back
  chkdsk.FromEditor(values);
  EXPECT_EQ(chkdsk.CHKDSKMode, TCHKDSKMode::cdmFile);
  EXPECT_EQ(chkdsk.Drive, u'C');

  TFormatItem format;
  format.ShortNames = " DISABLED ";
  format.AllocUnitSize = "4096";
  values = TEditorValues();
  format.ToEditor(values);
  EXPECT_EQ(values.Index("cmbShortNames"), 2);
  EXPECT_TRUE(values.Checked("cbxAllocUnitSize"));
  values.SetChecked("cbxAllocUnitSize", false);
  values.SetIndex("cmbShortNames", 1);
  format.FromEditor(values);
  EXPECT_EQ(format.AllocUnitSize, "");
  EXPECT_EQ(format.ShortNames, "enabled");
  values.SetIndex("cmbShortNames", 0);
  format.FromEditor(values);
  EXPECT_EQ(format.ShortNames, "");

  TDirItem dir;
  dir.DisplayThousandsSeparator = dir.HideThousandsSeparator = true;
  values = TEditorValues();
  dir.ToEditor(values);
  EXPECT_FALSE(values.Checked("cbxNoThousands"));
  values.SetIndex("cmbSortBy", -1);  // nothing selected keeps the order
  dir.SortOrder = TSortOrder::soSize;
  dir.FromEditor(values);
  EXPECT_EQ(dir.SortOrder, TSortOrder::soSize);

  TSubstItem subst;
  subst.Drive = "E:\\";
  values = TEditorValues();
  subst.ToEditor(values);
  EXPECT_EQ(values.Text("dcbDrive"), "E:\\");
  EXPECT_TRUE(values.Checked("rbAssociateFolder"));
}

}  // namespace
}  // namespace palvetta
