#include "support/sample_items.h"

#include <gtest/gtest.h>

#include "base/date_time_text.h"
#include "items/compare_search/compare_search_items.h"
#include "items/console/console_items.h"
#include "items/control_of_flow/control_of_flow_items.h"
#include "items/file_and_folder/file_and_folder_items.h"
#include "items/file_system/file_system_items.h"
#include "items/for/for_items.h"
#include "items/misc/misc_items.h"
#include "items/robocopy/robocopy_item.h"
#include "items/remote_query/remote_query_items.h"
#include "items/network/network_items.h"
#include "items/seven_zip/seven_zip_items.h"
#include "items/system/system_family.h"
#include "items/service_control/service_control_items.h"
#include "items/access_control/icacls_items.h"
#include "items/scheduled_tasks/scheduled_tasks_items.h"

namespace palvetta::testing {
namespace {

template <class T>
TSampleItem Sample(std::function<void(T&)> fill, std::function<void(T&)> resetByEditor = {}) {
  TSampleItem sample{&T::Class, nullptr, nullptr};
  sample.Fill = [fill](TCustomProjectItem& item) {
    item.Enabled = false;
    item.RedirectTo = "C:\\Logs\\run log.txt";
    item.Overwrite = true;
    item.GUID = "{0F8FAD5B-D9CB-469F-A165-70867728950E}";
    fill(static_cast<T&>(item));
  };
  sample.ResetByEditor = [resetByEditor](TCustomProjectItem& item) {
    if (resetByEditor) resetByEditor(static_cast<T&>(item));
  };
  return sample;
}

template <class T>
TSampleItem Fixed() {
  return Sample<T>([](T&) {});
}

// Every property away from its default: all flags set, every enumeration past its first
// value, sets of several members, times, and dates with a time of day.
void FillRobocopySample(TRobocopyItem& i) {
  using A = TRCFileAttr;
  i.SrcDir = "C:\\My Data\\";
  i.DestDir = "E:\\Backup";
  i.FileList = {"*.doc", "my file.txt"};
  i.RCSubDirMode = TRCSubDirMode::sdmCopyNSubdirLevels;
  i.CopyNLevels = 3;
  i.FileCopyMode = TFileCopyMode::fcmRestartableBackip;
  i.CopyFlags = MemberOf(TCopyFlag::cfD) | MemberOf(TCopyFlag::cfT) | MemberOf(TCopyFlag::cfS) |
                MemberOf(TCopyFlag::cfU);
  i.CopyFileInfo = TCopyFileInfo::cfiNO;
  i.MoveFiles = TMoveFiles::mfDirs;
  i.AddAttrs = MemberOf(A::attrR) | MemberOf(A::attrH);
  i.ClearAttrs = MemberOf(A::attrA) | MemberOf(A::attrT);
  i.MonNChanges = 5;
  i.MonMMin = 10;
  i.RunHoursStart = (7 * 60 + 5) / 1440.0;
  i.RunHoursEnd = (18 * 60 + 30) / 1440.0;
  i.IPG = 50;
  i.Threads = 16;
  i.InclWithAttr = MemberOf(A::attrS) | MemberOf(A::attrC) | MemberOf(A::attrO);
  i.ExclWithAttr = MemberOf(A::attrN) | MemberOf(A::attrE);
  i.ExcludeFiles = {"*.tmp", "~$*.doc"};
  i.ExcludeDirs = {"C:\\My Data\\Temp\\", "cache"};
  i.MaxFileSize = 5000000000;
  i.MinFileSize = 1024;
  i.MaxAgeMode = TDaysOrDate::dodDate;
  i.MinAgeMode = TDaysOrDate::dodDays;
  i.MaxAgeDays = 30;
  i.MinAgeDays = 2;
  i.MaxAgeDate = DateValue(2024, 2, 3) + 0.5;
  i.MinAgeDate = DateValue(2023, 12, 31);
  i.MaxLADMode = TDaysOrDate::dodDays;
  i.MinLADMode = TDaysOrDate::dodDate;
  i.MaxLadDays = 90;
  i.MinLadDays = 1;
  i.MaxLadDate = DateValue(2025, 1, 1) + 0.25;
  i.MinLadDate = DateValue(2024, 6, 15) + 0.75;
  i.RetryCount = 3;
  i.Wait = 5;
  i.LogFileName = "C:\\logs\\rc log.txt";
  i.LoadParamsFromJobName = "nightly";
  i.SaveParamsToJobName = "weekly";
  i.InclFiles = {"*.docx", "report 1.pdf"};
  for (bool TRobocopyItem::*flag :
       {&TRobocopyItem::EFSRAW, &TRobocopyItem::CopyDirTimestamps, &TRobocopyItem::FixSec,
        &TRobocopyItem::FixTime, &TRobocopyItem::Purge, &TRobocopyItem::Mirror,
        &TRobocopyItem::CreateTreeOnly, &TRobocopyItem::Fat83, &TRobocopyItem::TurnOff256,
        &TRobocopyItem::MonitorChanges, &TRobocopyItem::MonitorMin, &TRobocopyItem::SetRunHours,
        &TRobocopyItem::RunHoursPerFileCheck, &TRobocopyItem::CopySymbolicLinks,
        &TRobocopyItem::MultiThreaded, &TRobocopyItem::CopyOnlyArhive,
        &TRobocopyItem::CopyOnlyArhive_AndReset, &TRobocopyItem::ExcludeChanged,
        &TRobocopyItem::ExcludeNewer, &TRobocopyItem::ExcludeOlder, &TRobocopyItem::ExcludeExtra,
        &TRobocopyItem::ExcludeLonely, &TRobocopyItem::IncludeSame, &TRobocopyItem::IncludeTweaked,
        &TRobocopyItem::LimitMaxFileSize, &TRobocopyItem::LimitMinFileSize,
        &TRobocopyItem::ExcludeJunctionPoints, &TRobocopyItem::FATTimes, &TRobocopyItem::DST,
        &TRobocopyItem::ExcludeJP_Files, &TRobocopyItem::ExcludeJP_Folders,
        &TRobocopyItem::SetRetryCount, &TRobocopyItem::SetWait, &TRobocopyItem::SaveRetryWaitToReg,
        &TRobocopyItem::TBD, &TRobocopyItem::ListOnly, &TRobocopyItem::ReportAllExtra,
        &TRobocopyItem::Verbose, &TRobocopyItem::IncludeSourceTimeStamp,
        &TRobocopyItem::IncludeFullPath, &TRobocopyItem::SizeInBytes, &TRobocopyItem::NoSize,
        &TRobocopyItem::NoClass, &TRobocopyItem::NoFileList, &TRobocopyItem::NoDirList,
        &TRobocopyItem::noProgress, &TRobocopyItem::ETA, &TRobocopyItem::OverwriteLog,
        &TRobocopyItem::LogUnicode, &TRobocopyItem::LogAndConsole, &TRobocopyItem::NoJobHeader,
        &TRobocopyItem::NoJobSummary, &TRobocopyItem::UnicodeStatus, &TRobocopyItem::Quit,
        &TRobocopyItem::NoSD, &TRobocopyItem::NoDD}) {
    i.*flag = true;
  }
}

void FillRemoteSample(TCustomSUPItem& i) {
  i.System = "PC1";
  i.User = "admin";
  i.Password = "p%ss word";
  i.NoHeader = i.Verbose = true;
  i.OutputFormat = TOutputFormat::ofCSV;
}

void FillSCSample(TCustomSCItem& i) {
  i.Server = "\\\\PC1";
  i.ServiceName = "Spooler (Print Spooler)";
}

// The shared values, every switch set; each dialog shows only some of them.
void FillSchtasksAccount(TSCHTASKSCustomItem& i) {
  i.Sys = "PC1";
  i.Username = "admin";
  i.Password = "50% off";
  i.RunAsUser = true;
  i.RAUsername = "bob";
  i.RAPassword = "pw %1";
  i.AskForPassword = true;
  i.AskForRAPassword = true;
}

// Every property of the create item away from its default; the change item adds its own.
void FillSchtasksCreateSample(TSCHTASKSCreateItem& i) {
  FillSchtasksAccount(i);
  i.SC = TScheduleType::scMONTHLY;
  i.UseModifier = true;
  i.MO_MINUTE = 10;
  i.MO_HOURLY = 2;
  i.MO_DAILY = 3;
  i.MO_WEEKLY = 4;
  i.MO_MONTHLY_Int = 6;
  i.MO_MONTHLY = TMonthlyModifier::mmLAST;
  i.MO_XPathEventString = "*[System[EventID=104]]";
  i.D = TDayMode::dmDayOfMonth;
  i.D_DayOfWeek = TDayOfWeek::dwWED;
  i.D_DayOfMonth = 12;
  i.M = TMonthMode::mmSelectMonth;
  i.M_Month = TMonth::moJUN;
  i.I = 15;
  i.TN = "\\Backups\\Nightly";
  i.TR = "cmd /c \"C:\\Tools\\backup.cmd\" & exit";
  i.ST = DateValue(2024, 3, 5) + (7 * 60 + 30) / 1440.0;
  i.RI_set = true;
  i.RI = 90;
  i.ET = DateValue(2024, 3, 5) + (18 * 60 + 45) / 1440.0;
  i.DU = (3 * 60 + 15) / 1440.0;
  i.K = true;
  i.SD = DateValue(2024, 3, 5);
  i.ED = DateValue(2025, 12, 31);
  i.EC = "System";
  i.IT = i.NP = i.Z = true;
  i.XML = "C:\\Tasks\\nightly.xml";
  i.V1 = i.F = true;
  i.RL = TRunLevel::rlHighest;
  i.Delay = (75 * 60 + 9) / 86400.0;
  i.ST_Set = i.ET_Set = i.DU_Set = i.SD_Set = i.ED_Set = i.Delay_Set = true;
  i.MonthlySchedule = TMonthlySchedule::msDayNo;
  i.MonthlySchedule_LastDay = TMonth::moFEB;
  i.MonthlySchedule_WeekNo = TMonthlySchedule_WeekNo::mswTHIRD;
  i.MonthlySchedule_WeekDay = TDayOfWeek::dwSAT;
  i.MonthlySchedule_DayOfMonth = 20;
  i.WeeklySchedule_WeekDay = TDayOfWeek::dwMON;
  i.EndTimeDuration = TEndTimeDuration::etdDU;
  i.InteractiveMode = TInteractiveMode::imNP;
}

void FillICACLSSample(TICACLSCustomItem& i) {
  i.FileName = "C:\\My Data\\*.doc";
  i.SID = "NT AUTHORITY\\NETWORK SERVICE";
  i.ACLFile = "old.acl";
  i.T = true;
  i.C = true;
  i.L = true;
  i.Q = true;
}

std::vector<TSampleItem> MakeSamples() {
  return {
      // Compare, search, print, verify, sort, write to file
      Sample<TFCItem>([](auto& i) {
        i.FileName1 = "C:\\Data\\old list.txt";
        i.FileName2 = "new.txt";
        i.OnlyFirstAndLastDiff = true;
        i.BinaryComp = true;
        i.DisregardCase = true;
        i.ASCII = true;
        i.MaxConsMismatches = 5;
        i.LineNumbers = true;
        i.DoNotSkipOffline = true;
        i.DoNotExpandTabs = true;
        i.Unicode = true;
        i.CompressWhitespace = true;
        i.NumberOfLinesAfterMismatch = 3;
      }),
      Sample<TCompItem>([](auto& i) {
        i.Path1 = "a.bin";
        i.Path2 = "C:\\Backup Copy\\a.bin";
        i.Decimal = true;
        i.ASCII = true;
        i.LineNum = true;
        i.FirstNLines = 12;
        i.IgnoreCase = true;
        i.DoNotSkipOffline = true;
      }),
      Sample<TFindItem>([](auto& i) {
        i.SearchFor = "say \"hi\"";
        i.Path = "C:\\logs\\*.log";
        i.NotContaining = true;
        i.OnlyCount = true;
        i.LineNumbers = true;
        i.IgnoreCase = true;
        i.DoNotSkipOffline = true;
      }),
      Sample<TFindStrItem>([](auto& i) {
            i.SearchFor = "hello world";
            i.Path = "C:\\x\\*.cfg";
            i.FindStrItem_SearchFor = TFindStrItem_SearchFor::sfStringsFromFile;
            i.FindStrItem_SearchIn = TFindStrItem_SearchIn::siDirList;
            i.BegLine = true;
            i.EndLine = true;
            i.Literal = true;
            i.Regular = true;
            i.Subdir = true;
            i.IgnoreCase = true;
            i.ExactMatch = true;
            i.NotMatch = true;
            i.LineNumbers = true;
            i.OnlyFileName = true;
            i.Offset = true;
            i.SkipNonPrint = true;
            i.DoNotSkipOffline = true;
            i.Color = 10;
            i.SetColor = true;
            i.FileListFile = "files.txt";
            i.SearchAsLiteral = true;
            i.SearchStringsFile = "words.txt";
            i.ListOfDirs = "C:\\a;C:\\b";
          }),
      Sample<TPrintItem>([](auto& i) {
        i.Path = "C:\\My Docs\\report.txt";
        i.ToDefaultDevice = true;
        i.Device = "LPT2";
      }),
      Sample<TVerifyItem>([](auto& i) { i.Enable = false; }),
      Sample<TSORTItem>([](auto& i) {
        i.Path = "names.txt";
        i.TemporaryPath = "C:\\Temp Dir";
        i.OutputPath = "sorted.txt";
        i.N = 3;
        i.L = "C";
        i.M = 2048;
        i.Rec = 8192;
        i.R = true;
      }),
      Sample<TWriteToFileItem>([](auto& i) {
        i.Path = "C:\\out\\log.txt";
        i.Text = "done & dusted";
        i.VarName = "RESULT";
        i.Overwrite = true;
        i.Mode = TWriteToFileMode::wtfText;
      }),

      // Miscellaneous
      Sample<TREMItem>([](auto& i) { i.Text = "first\r\nsecond\r\n"; }),
      Sample<TParamItem>([](auto& i) {
        i.Name = "Source";
        i.Descr = "what\r\nto copy\r\n";
        i.ParamCheck = TParamCheck::pcPathMustNOTExist;
      }),
      Sample<TSetVarValItem>([](auto& i) {
        i.Name = " x ";
        i.Value = " a & b ";
      }),
      Fixed<TCheckParamsItem>(),
      Sample<TVariableItem>([](auto& i) {
        i.Name = "Count";
        i.Descr = " purpose ";
      }),

      // Control of flow
      Sample<TGotoLabelItem>([](auto& i) { i.Name = "Done"; }),
      Sample<TGotoItem>([](auto& i) { i.LabelName = "Done"; }),
      Sample<TIfItem>([](auto& i) { i.Condition = "NOT EXIST \"C:\\a b\\x.txt\""; }),
      Fixed<TElseItem>(),
      Fixed<TIfEndItem>(),
      Fixed<TPopdItem>(),
      Fixed<TEndLocalItem>(),
      Sample<TCallItem>([](auto& i) {
        i.BatchFileName = "C:\\Batches\\sub job.cmd";
        i.BatchFileParams = "one \"two 2\"";
      }),
      Sample<TExitItem>([](auto& i) { i.ErrorCode = "3"; }),
      Sample<TRunProgramItem>(
          [](auto& i) {
            i.Path = "C:\\My Tools\\x.exe";
            AddRunParam(i.RunParams, "-a", "first switch");
            AddRunParam(i.RunParams, "\"b c\"", "a file\r\nwith a blank", TParamCheck::pcRequired);
          },
          // The grid of a program's arguments has no column for checks.
          [](auto& i) {
            for (TRunParam& entry : i.RunParams) entry.ParamCheck = TParamCheck::pcNoCheck;
          }),
      Sample<TPushdItem>([](auto& i) { i.Path = "C:\\My Dir"; }),
      Sample<TSetLocalItem>([](auto& i) {
        i.EnableExtensions = TEnableExtensions::eeDisable;
        i.EnableDelayedExpansion = TEnableDelayedExpansion::edeEnable;
      }),
      Sample<TStartItem>([](auto& i) {
        i.Title = "My Title";
        i.DPath = "C:\\Work Dir";
        i.B = true;
        i.I = true;
        i.MinMax = TStartItemMinMax::mmMax;
        i.SeparateShared = TStartItemSeparateShared::ssShared;
        i.Priority = TStartItemPriority::pBELOWNORMAL;
        i.Node = 3;
        i.UseNode = true;
        i.Affinity = "0x3";
        i.Wait = true;
        i.ExePath = "C:\\My Tools\\x.exe";
        i.Params = "-x <in.txt";
      }),
      Sample<TCMDItem>([](auto& i) {
        i.CMDRemainTerminate = TCMDRemainTerminate::stRemain;
        i.CMDOutputEncoding = TCMDOutputEncoding::oeUnicode;
        i.CMDCommandExtenions = TCMDCommandExtenions::ecDisable;
        i.CMDNameCompletion = TCMDNameCompletion::ncEnable;
        i.CMDEnvVarExpansion = TCMDEnvVarExpansion::veDisable;
        i.S = true;
        i.Q = true;
        i.D = true;
        i.TextColor = 14;
        i.BGColor = 1;
        i.ExecStr = true;
        i.Str = "dir /b & pause";
      }),
      Sample<TSubroutineItem>([](auto& i) {
        i.Name = "Backup";
        i.Descr = "Copies the files\r\nof a day";
        AddRunParam(i.RunParams, "Source", "what to copy", TParamCheck::pcPathMustExist);
        AddRunParam(i.RunParams, "Target", "where to", TParamCheck::pcPathMustNOTExist);
      }),
      Fixed<TSubroutineEndItem>(),
      Sample<TSubroutineDispatcherItem>([](auto& i) {
        i.VarName = "Mode";
        TDispatcherItem& first = i.Dispatcher.Add();
        first.Value = "b";
        first.SubOrLabel = "Backup";
        first.Parameters = "C:\\Data \"D:\\Save 1\"";
        TDispatcherItem& second = i.Dispatcher.Add();
        second.Value = "q";
        second.SubOrLabel = "Done";
      }),

      // FOR
      Sample<TFOREachLineInFile>(
          [](auto& i) { i.FileName = "C:\\My Lists\\servers & hosts.txt"; }),
      Fixed<TFOREndItem>(),

      // Files and folders
      Sample<TCopyItem>([](auto& i) {
        TSourceFile& first = i.Sources.Add();
        first.Path = "C:\\My Files\\a.txt";
        first.SourceType = TFileType::stBinary;
        i.Sources.Add().Path = "b.txt";
        i.Destination = "D:\\Out Dir";
        i.SourceType = TFileType::stASCII;
        i.DestType = TFileType::stBinary;
        i.AllowDestDecrypted = true;
        i.Verify = true;
        i.UseShortNames = true;
        i.PromptOverwrite = true;
        i.NetworkedRestartable = true;
        i.CopySymLinks = true;
      }),
      Sample<TDeleteItem>([](auto& i) {
        i.Files = {"*.tmp", "", "C:\\a b\\x.txt"};
        i.Prompt = true;
        i.DelReadOnly = true;
        i.DelFromSubDirs = true;
        i.Quiet = true;
        i.DelAttr = true;
        i.ReadOnlyAttr = TFileAttr::frSet;
        i.Hidden = TFileAttr::frNotSet;
        i.Indexed = TFileAttr::frSet;
        i.System = TFileAttr::frNotSet;
        i.Arch = TFileAttr::frSet;
        i.ReparsePoints = TFileAttr::frNotSet;
      }),
      Sample<TMakeDirItem>([](auto& i) { i.Path = "C:\\New Dir"; }),
      Sample<TAttribItem>([](auto& i) {
        i.Path = "C:\\my files\\*.txt";
        i.ReadOnlyAttr = TFileAttr::frSet;
        i.Hidden = TFileAttr::frNotSet;
        i.Indexed = TFileAttr::frSet;
        i.System = TFileAttr::frNotSet;
        i.Arch = TFileAttr::frSet;
        i.Folders = true;
        i.Subfolders = true;
        i.SymLinks = true;
      }),
      Sample<TChangeDirItem>([](auto& i) {
        i.Path = "D:\\Work Dir";
        i.Disk = true;
      }),
      Sample<TMoveFilesItem>([](auto& i) {
        i.Files = {"a.txt", "C:\\b c.txt"};
        i.Quiet = true;
        i.Destination = "D:\\Out Dir";
      }),
      Sample<TRenameDirItem>([](auto& i) {
        i.Dir = "C:\\Data\\Old";
        i.Quiet = true;
        i.Destination = "New Name";
      }),
      Sample<TDeleteDirItem>([](auto& i) {
        i.Dir = "C:\\Old Dir";
        i.Quiet = true;
        i.Subdirs = true;
      }),
      Sample<TRenameFileItem>([](auto& i) {
        i.FileName = "C:\\Data\\old name.txt";
        i.Destination = "new name.txt";
      }),
      Sample<TReplaceItem>([](auto& i) {
        i.SrcPath = "C:\\New Files\\*.dll";
        i.DestPath = "C:\\App Dir";
        i.AddNewFiles = true;
        i.PromptConfirm = true;
        i.OverwriteReadOnly = true;
        i.Subdirs = true;
        i.Wait = true;
        i.Old = true;
      }),
      Sample<TXCopyItem>([](auto& i) {
        i.Src = "C:\\Source Dir";
        i.Dest = "D:\\Target Dir";
        i.A = i.M = i.D = true;
        i.D_Date = DateValue(2023, 12, 1);
        i.Exclude = {"skip list.txt", "more.txt"};
        i.P = i.S = i.E = i.V = i.W = i.C = i.I = i.Q = i.F = i.L = true;
        i.G = i.H = i.R = i.T = i.U = i.K = i.N = i.O = i.X = true;
        i.Y = TXCopyOvewritePrompt::opAlwaysAsk;
        i.Z = i.B = i.J = true;
      }),
      // ROBOCOPY
      Sample<TRobocopyItem>([](auto& i) { FillRobocopySample(i); }),
      // Remote query tools. GPRESULT and OPENFILES /Disconnect keep the output switches
      // and /Local all six values of the base, though their dialogs do not show them.
      Sample<TDriverQueryItem>([](auto& i) {
        FillRemoteSample(i);
        i.SI = true;
      }),
      // GPRESULT takes no user or password together with a report file.
      Sample<TGPResultItem>([](auto& i) {
        FillRemoteSample(i);
        i.User = i.Password = "";
        i.Format = TGPResultOutputFormat::gpofHTML;
        i.FileName = "C:\\Reports\\rsop.html";
        i.F = true;
        i.SCOPE = TGPResultScope::gpsComputer;
        i.ScopeUser = "john doe";
        i.GPResultVerboseMode = TGPResultVerboseMode::gpvZ;
      }),
      Sample<TOpenFilesQueryItem>([](auto& i) { FillRemoteSample(i); }),
      Sample<TOpenFilesDisconnectItem>([](auto& i) {
        FillRemoteSample(i);
        i.ID = "12";
        i.A = "john doe";
        i.O = TOpenFilesOpenMode::omReadWrite;
        i.OP = "C:\\Shared\\report.doc";
      }),
      Sample<TOpenFilesLocalItem>([](auto& i) {
        FillRemoteSample(i);
        i.OnOff = true;
      }),
      // Network
      Sample<TPingItem>([](auto& i) { i.Host = "example.org"; }),
      Sample<TFTPUploadItem>([](auto& i) {
        i.Host = "ftp.example.org";
        i.User = "bob";
        i.Password = "50%off";
        i.Dir = "in box";
        i.FileName = "C:\\Data\\report.txt";
      }),
      Sample<TDownloadFileItem>([](auto& i) {
        i.URL = "https://example.org/files/My%20File.zip";
        i.SaveToPath = "C:\\Downloads";
      }),
      Sample<TCreateAListOfPCSItem>([](auto& i) { i.FileName = "C:\\Lists\\pcs.txt"; }),
      Sample<TIPConfigItem>([](auto& i) {
        i.AllCompartments = true;
        i.Mode = TIPConfigMode::ipcmSetClassID;
        i.IPVer = TIPVer::ipv6;
        i.Adapter = "Local Area";
        i.ClassID = "lab";
      }),
      Sample<TNetStatItem>([](auto& i) {
        i.All = i.Exe = i.EthernetStats = i.FQDN = i.Numerical = i.OwnerID = true;
        i.ConnectionsByProto = i.StatsByProto = true;
        i.StatsProto = TNetstatProtocol::npICMPv6;
        i.ConnProto = TNetstatProtocol::npUDP;
        i.OffloadState = i.Routing = i.Redisplay = true;
        i.Interval = 30;
      }),
      // 7-Zip
      Sample<TSevenZipCreateItem>([](auto& i) {
        i.SrcPath = "C:\\Data\\*.txt";
        i.ArchFileName = "D:\\Backup\\data.zip";
        i.CompressionLevel = TCompressionLevel::clUltra;
      }),
      Sample<TSevenZipExtractItem>([](auto& i) {
        i.ArchFileName = "D:\\Backup\\data.zip";
        i.ExtractTo = "C:\\Restored";
        i.Subfolders = i.OverwriteFiles = true;
      }),
      // Drives and file systems
      Sample<TCHKDSKItem>([](auto& i) {
        i.CHKDSKMode = TCHKDSKMode::cdmFile;
        i.Drive = u'D';
        i.FileName = "D:\\Data Files\\big.db";
        i.FixErrors = i.ShowFileNames = i.LocateBadSectors = i.ChangLogFileSize = true;
        i.LogFileSize = 4096;
        i.ForceDismount = i.LessIndexCheck = i.SkipCycles = i.ReEvaluateBadClusters = true;
      }),
      Sample<TTreeItem>([](auto& i) {
        i.Path = "C:\\Program Files";
        i.DisplayFileNames = i.ASCII = true;
      }),
      Sample<TSubstItem>([](auto& i) {
        i.Drive = "Q:\\";
        i.Path = "C:\\Deep Folder\\Work";
        i.Delete = true;
      }),
      Sample<TDirItem>([](auto& i) {
        i.Path = "C:\\My Files";
        i.Attr = true;
        i.DirAttr = TFileAttr::frNotSet;
        i.ReadOnlyAttr = TFileAttr::frSet;
        i.Hidden = TFileAttr::frNotSet;
        i.Indexed = TFileAttr::frSet;
        i.System = TFileAttr::frNotSet;
        i.Arch = TFileAttr::frSet;
        i.ReparsePoints = TFileAttr::frNotSet;
        i.BareFormat = i.DisplayThousandsSeparator = true;
        i.WideAndColumn = i.Lowercase = i.LongList = i.Sorted = i.SortedReversed = true;
        i.SortOrder = TSortOrder::soDateTime;
        i.PauseByScreen = i.DisplayOwner = i.AlternateDataStreams = i.Subdirs = true;
        i.TimeField = TTimeField::tfLastWritten;
        i.Wide = i.ShortNames = i.FourDigitYears = true;
      }),
      Sample<TFormatItem>([](auto& i) {
        i.Volume = u'E';
        i.FileSystem = TFileSystem::fsUDF;
        i.VolLabel = "My & Disk";
        i.QuickFormat = i.CompressedByDefault = i.Dismount = true;
        i.UDFRevision = TUDFRevision::udfr2_50;
        i.MetadataDup = true;
        i.AllocUnitSize = "4096";
        i.FloppySize = "1.44";
        i.Tracks = 80;
        i.SectorsPerTrack = 18;
        i.Passes = 2;
        i.ShortNames = "disabled";
      }),
      Sample<TCompactItem>([](auto& i) {
        i.Files = {"*.log", "C:\\My Logs\\old.txt"};
        i.CompactMode = TCompactMode::cmUncompress;
        i.InFolderAndSubfolders = "C:\\Big Data";
        i.HiddenAndSystem = i.IgnoreErrors = i.CompressCompressed = i.Quiet = true;
      }),
      Sample<TVOLItem>([](auto& i) { i.Volume = u'Z'; }),
      Sample<TRecoverItem>([](auto& i) { i.Path = "D:\\bad disk\\data.db"; }),
      Sample<TLabelItem>([](auto& i) {
        i.Drive = u'E';
        i.MP = true;
        i.Volume = "C:\\mnt\\disk";
        i.DriveLabel = "Backup & Restore";
      }),
      Sample<TMKLinkItem>([](auto& i) {
        i.Link = "C:\\Links\\my link";
        i.Target = "D:\\Real Folder";
        i.MKLinkMode = TMKLinkMode::mklmDirJunction;
      }),
      Sample<TCHKNTFSItem>([](auto& i) {
        i.Volume = "D:";
        i.Timer = 30;
        i.CHKNTFSMode = TCHKNTFSMode::cmSchedule;
      }),
      Sample<TConvertItem>([](auto& i) {
        i.Volume = "E:";
        i.Verbose = i.NoSecurity = i.Dismount = true;
        i.CVTArea = "cvt area.bin";
      }),

      // Console
      Sample<TECHOItem>([](auto& i) { i.Text = "Copying & checking 100%"; }),
      Sample<TECHOControlItem>([](auto& i) { i.Mode = TEchoMode::emEchoOFF; }),
      Fixed<TClearScreenItem>(),
      Sample<TColorItem>([](auto& i) {
        i.TextColor = 14;
        i.BGColor = 1;
      }),
      Sample<TAskUserItem>([](auto& i) {
        i.Intro = "Your name: ";
        i.VarName = "NAME";
      }),
      Sample<TUserChoiceItem>([](auto& i) {
        i.UserChoices = {"Copy", "", "Move"};
        i.Intro = "Choose:\r\n\r\nor cancel";
        i.Prompt = "Your choice: ";
        i.VarName = "CHOICE";
        i.ChoiceNumbering = TChoiceNumbering::cnLetters;
      }),
      Fixed<TPressAnyKeyItem>(),
      Sample<TPromptItem>([](auto& i) { i.Prompt = "$P$G"; }),
      Sample<TTypeItem>([](auto& i) { i.Path = "C:\\my file.txt"; }),
      Fixed<TVerItem>(),
      Sample<TTitleItem>([](auto& i) { i.Title = "Nightly backup"; }),
      Sample<TCHCPItem>([](auto& i) {
        i.CodePage = "850";
        i.Lang = "en";
      }),
      Sample<TGraphTablItem>(
          [](auto& i) {
            i.CodePage = "1252";
            i.Lang = "de";
            i.Status = true;
          },
          // A blank code page opens with the first entry chosen, and OK takes it.
          [](auto& i) {
            if (IsBlank(i.CodePage)) i.CodePage = "437";
          }),
      // System
      Sample<TPathItem>([](auto& i) { i.Path = "C:\\Program Files (x86)\\Tools"; }),
      Sample<TShutdownItem>([](auto& i) {
        i.ShutdownMode = TShutDownMode::sdmShutdownRestart;
        i.Computer = "\\\\SERVER1";
        i.Timeout = 30;
        i.ForceCloseApps = i.ProvideReason = true;
        i.ReasonType = TReasonType::rtPlanned;
        i.MajorReasonNumber = 2;
        i.MinorReasonNumber = 17;
        i.Comment = "Nightly update";
      }),
      Sample<TOpenExtItem>([](auto& i) {
        i.Ext = "txt;log;";
        i.Name = "MyType";
        i.ExeName = "C:\\Tools\\my edit.exe";
      }),
      Sample<TSystemInfoItem>([](auto& i) {
        i.System = "SERVER1";
        i.User = "admin";
        i.Password = "50%off";
        i.NoHeader = true;
        i.OutputFormat = TOutputFormat::ofCSV;
      }),
      Sample<TTaskListItem>([](auto& i) {
        i.System = "SERVER1";
        i.User = "admin";
        i.Password = "secret";
        AddFilterCondition(i.Filter, TaskFilterFields()[0]);
        TCustomFilterItem& memory = AddFilterCondition(i.Filter, TaskFilterFields()[6]);
        memory.FilterOperation = TFilterOperation::foGT;
        memory.Value = "10000";
        i.Module = "ntdll.dll";
        i.Verbose = i.Svc = i.NoHeader = true;
        i.OutputFormat = TOutputFormat::ofCSV;
      }),
      Sample<TTaskKillItem>([](auto& i) {
        TCustomFilterItem& user = AddFilterCondition(i.Filter, TaskFilterFields()[7]);
        user.FilterOperation = TFilterOperation::foNE;
        user.Value = "SYSTEM";
        i.PID = {"10", "20"};
        i.IM = {"notepad.exe", "my tool.exe"};
        i.Terminate = i.Force = true;
      }),
      Sample<TDisplayCurrentDateAndTimeItem>([](auto& i) { i.Date = false; }),
      Sample<TSetTimeItem>([](auto& i) {
        i.AskUser = false;
        i.Time = "12:30";
      }),
      Sample<TSetDateItem>([](auto& i) {
        i.AskUser = false;
        i.Date = "24.12.2024";
      }),
      Sample<TCOMModeItem>([](auto& i) {
        i.ComPort = 3;
        i.SetBAUD = i.SetParity = i.SetData = i.SetSTOP = i.SetTo = i.SetXON = true;
        i.SetODSR = i.SetOCTS = i.SetDTR = i.SetRTS = i.SetIDSR = true;
        i.BAUD = "9600";
        i.Parity = "Odd";
        i.Data = "8";
        i.Stop = "2";
        i.ToVal = "off";
        i.XON = "off";
        i.ODSR = "off";
        i.OCTS = "off";
        i.DTR = "hs";
        i.RTS = "tg";
        i.IDSR = "off";
      }),

      // Service control
      Sample<TSCQueryItem>([](auto& i) {
        FillSCSample(i);
        i.QueryMode = TQueryMode::qmEx;
        i.Mode = TSCQueryItemMode::qmAllServicesFiltered;
        i.ServType = TSCQueryServiceType::stAll;
        i.State = TSCQueryServiceState::ssInactive;
        i.BufSize = 8192;
        i.RI = 14;
        i.Group = "Network Provider";
      }),
      Sample<TSCStartItem>([](auto& i) {
        FillSCSample(i);
        i.Args = {"-debug", "", "\"a b\""};
      }),
      Sample<TSCPauseItem>([](auto& i) { FillSCSample(i); }),
      Sample<TSCStopItem>([](auto& i) {
        FillSCSample(i);
        i.Reason = true;
        i.Flag = TSCStopFlag::sfPlanned;
        i.MajorReason = TSCStopMajorReason::mrCustom;
        i.MajorReasonCustomCode = 70;
        i.MinorReason = TSCStopMinorReason::mirCustom;
        i.MinorReasonCustomCode = 300;
        i.Comment = "maintenance window";
      }),
      Sample<TSCContinueItem>([](auto& i) { FillSCSample(i); }),
      Sample<TSCInterrogateItem>([](auto& i) { FillSCSample(i); }),
      Sample<TSCCreateItem>([](auto& i) {
        FillSCSample(i);
        i.BinPath = "C:\\Program Files\\My App\\svc.exe -k net";
        i.CType = TSCCreateType::ctShare;
        i.Start = TSCCreateStart::sDelayedAuto;
        i.Error = TSCCreateError::sIgnore;
        i.Group = "NetworkProvider";
        i.Depend = {"Tcpip (TCP/IP Protocol Driver)", "+NetworkProvider"};
        i.Obj = ".\\svcuser";
        i.Tag = true;
        i.DisplayName = "My Service";
        i.Password = "50% off";
      }),
      Sample<TSCDeleteItem>([](auto& i) { FillSCSample(i); }),

      // Access control lists
      Sample<TICACLSGrantItem>([](auto& i) {
        FillICACLSSample(i);
        i.SimpleAccessRights = RightBit(TSimpleAccessRight::sarRX) | RightBit(TSimpleAccessRight::sarW);
        i.SpecificRights = RightBit(TSpecificRight::srRD) | RightBit(TSpecificRight::srWA);
        i.R = true;
      }),
      Sample<TICACLSDenyItem>([](auto& i) {
        FillICACLSSample(i);
        i.SimpleAccessRights = RightBit(TSimpleAccessRight::sarD);
        i.SpecificRights = RightBit(TSpecificRight::srDE) | RightBit(TSpecificRight::srDC);
        i.R = true;
      }),
      Sample<TICACLSRemoveItem>([](auto& i) {
        FillICACLSSample(i);
        i.ICACLSRemoveMode = TICACLSRemoveMode::rmDenies;
      }),
      Sample<TICACLSResetItem>([](auto& i) { FillICACLSSample(i); }),
      Sample<TICACLSVerifyItem>([](auto& i) { FillICACLSSample(i); }),
      Sample<TICACLSSaveItem>([](auto& i) {
        FillICACLSSample(i);
        i.ACLFileName = "D:\\Backup\\acl list.txt";
      }),
      Sample<TICACLSRestoreItem>([](auto& i) {
        FillICACLSSample(i);
        i.ACLFileName = "D:\\Backup\\acl list.txt";
        i.ReplaceSID = true;
        i.SIDOld = "*S-1-5-21-1-2-3-1001";
        i.SIDNew = "Domain Users";
      }),
      Sample<TICACLSSetIntegrityLevelItem>([](auto& i) {
        FillICACLSSample(i);
        i.ICACLSIntegrityLevel = TICACLSIntegrityLevel::ilHigh;
        i.ICACLSIntegrityInheritance = TICACLSIntegrityInheritance::iiOI;
      }),

      // Scheduled tasks
      Sample<TSCHTASKSCreateItem>([](auto& i) { FillSchtasksCreateSample(i); }),
      Sample<TSCHTASKSRunItem>([](auto& i) {
        FillSchtasksAccount(i);
        i.TN = "Nightly";
        i.I = true;
      }),
      Sample<TSCHTASKSEndItem>([](auto& i) {
        FillSchtasksAccount(i);
        i.TN = "Nightly";
      }),
      Sample<TSCHTASKSDeleteItem>([](auto& i) {
        FillSchtasksAccount(i);
        i.TN = "Nightly";
        i.F = true;
      }),
      Sample<TSCHTASKSChangeItem>([](auto& i) {
        FillSchtasksCreateSample(i);
        i.InteractiveMode = TInteractiveMode::imIT;
        i.TaskEnableDisable = TTaskEnableDisable::tedDisable;
        i.RL_Set = true;
      }),
      Sample<TSCHTASKSQueryItem>([](auto& i) {
        FillSchtasksAccount(i);
        i.TN = "Nightly";
        i.FO = TOutputFormat_WithXML::ofxXML;
        i.NH = i.V = i.OneXML = true;
      }),
  };
}

}  // namespace

void AddRunParam(TRunParams& params, const std::string& param, const std::string& descr,
                 TParamCheck check) {
  TRunParam& entry = params.Add();
  entry.Param = param;
  entry.Descr = descr;
  entry.ParamCheck = check;
}

const std::vector<TSampleItem>& SampleItems() {
  static const std::vector<TSampleItem> samples = MakeSamples();
  return samples;
}

const TSampleItem* SampleOf(const TClass& cls) {
  for (const TSampleItem& sample : SampleItems()) {
    if (sample.Class == &cls) return &sample;
  }
  ADD_FAILURE() << "no sample item of " << cls.Name;
  return nullptr;
}

void FillSample(TCustomProjectItem& item) {
  if (const TSampleItem* sample = SampleOf(item.ClassType())) sample->Fill(item);
}

}  // namespace palvetta::testing
