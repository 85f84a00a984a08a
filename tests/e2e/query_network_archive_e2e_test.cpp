// The remote query, network and 7-Zip items in cmd.exe, each project saved as a project
// file and made into its batch file by batchgen. PING runs for real against the loopback
// address; DRIVERQUERY, GPRESULT, OPENFILES, curl.exe and 7z.exe run as the stand-in
// (argecho under their names, first on PATH), which shows the exact arguments each
// received; "net view" is a small batch file that lists three computers.

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <string>
#include <vector>

#include "base/code_page.h"
#include "base/file_io.h"
#include "e2e_support.h"
#include "items/network/network_items.h"
#include "items/remote_query/remote_query_items.h"
#include "items/seven_zip/seven_zip_items.h"

namespace palvetta::e2e {
namespace {

class QueryNetworkArchiveBatch : public GeneratedBatch {
 protected:
  template <class T>
  T& Add() {
    return Project.Add<T>();
  }

  std::string BatchText() const { return BatchCodePage().ToUtf8(ReadFileBytes(BatchFile())); }
};

// The printed lines with each program's name in lower case: cmd.exe starts a program by
// the name as the line writes it, whose case Windows ignores.
Lines WithLowerCaseNames(const std::string& output) {
  Lines lines = SplitOutput(output);
  for (std::string& line : lines) {
    if (line.rfind("argecho name=", 0) != 0) continue;
    for (char& c : line) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  }
  return lines;
}

size_t Occurrences(const std::string& text, const std::string& part) {
  size_t count = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
  return count;
}

TEST_F(QueryNetworkArchiveBatch, PingReachesTheLoopbackAddress) {
  Add<TPingItem>().Host = "127.0.0.1";
  const TBatchResult result = RunThroughBatchgen();
  EXPECT_EQ(result.ExitCode, 0u);
  EXPECT_NE(result.Output.find("127.0.0.1"), std::string::npos);
  EXPECT_NE(result.Output.find("TTL="), std::string::npos) << "no reply";
}

// The passwords' percent signs arrive as typed, and each value with a blank as one
// argument.
TEST_F(QueryNetworkArchiveBatch, RemoteQueryToolsReceiveTheExactArguments) {
  StandIns({L"driverquery", L"gpresult", L"openfiles"});
  auto& drivers = Add<TDriverQueryItem>();
  drivers.System = "PC1";
  drivers.User = "admin";
  drivers.Password = "50%off";
  drivers.NoHeader = drivers.SI = true;
  drivers.OutputFormat = TOutputFormat::ofCSV;
  auto& policy = Add<TGPResultItem>();
  policy.System = "PC1";
  policy.User = "admin";
  policy.Password = "my pass%";
  policy.ScopeUser = "john doe";
  auto& query = Add<TOpenFilesQueryItem>();
  query.OutputFormat = TOutputFormat::ofList;
  query.NoHeader = query.Verbose = true;
  auto& disconnect = Add<TOpenFilesDisconnectItem>();
  disconnect.A = "\"john doe\"";
  disconnect.O = TOpenFilesOpenMode::omReadWrite;
  Add<TOpenFilesLocalItem>().OnOff = true;
  const TBatchResult result = RunThroughBatchgen();
  EXPECT_EQ(WithLowerCaseNames(result.Output),
            (Lines{"argecho name=[driverquery.exe]", "argecho argc=10", "argecho arg1=[/S]",
                   "argecho arg2=[PC1]", "argecho arg3=[/U]", "argecho arg4=[admin]",
                   "argecho arg5=[/P]", "argecho arg6=[50%off]", "argecho arg7=[/NH]",
                   "argecho arg8=[/FO]", "argecho arg9=[CSV]", "argecho arg10=[/SI]",
                   "argecho name=[gpresult.exe]", "argecho argc=11", "argecho arg1=[/S]",
                   "argecho arg2=[PC1]", "argecho arg3=[/U]", "argecho arg4=[admin]",
                   "argecho arg5=[/P]", "argecho arg6=[my pass%]", "argecho arg7=[/SCOPE]",
                   "argecho arg8=[USER]", "argecho arg9=[/USER]", "argecho arg10=[john doe]",
                   "argecho arg11=[/R]",
                   "argecho name=[openfiles.exe]", "argecho argc=4", "argecho arg1=[/Query]",
                   "argecho arg2=[/FO]", "argecho arg3=[LIST]", "argecho arg4=[/V]",
                   "argecho name=[openfiles.exe]", "argecho argc=5", "argecho arg1=[/Disconnect]",
                   "argecho arg2=[/A]", "argecho arg3=[john doe]", "argecho arg4=[/O]",
                   "argecho arg5=[Read/Write]",
                   "argecho name=[openfiles.exe]", "argecho argc=2", "argecho arg1=[/Local]",
                   "argecho arg2=[ON]"}));
  EXPECT_EQ(result.ExitCode, 0u);
}

// "%20" in a URL and "%" in a password reach curl.exe as typed.
TEST_F(QueryNetworkArchiveBatch, CurlReceivesTheURLsAndCredentialsAsTyped) {
  StandIns({L"curl"});
  auto& download = Add<TDownloadFileItem>();
  download.URL = "ftp://h/x%20y.zip";
  auto& upload = Add<TFTPUploadItem>();
  upload.Host = "ftp://srv/";
  upload.Dir = "\\in box\\";
  upload.FileName = "C:\\a.txt";
  upload.User = "bob";
  upload.Password = "50%off";
  const TBatchResult result = RunThroughBatchgen();
  EXPECT_EQ(SplitOutput(result.Output),
            (Lines{"argecho name=[curl.exe]", "argecho argc=6", "argecho arg1=[-L]",
                   "argecho arg2=[-f]", "argecho arg3=[--create-dirs]", "argecho arg4=[-o]",
                   "argecho arg5=[x y.zip]", "argecho arg6=[ftp://h/x%20y.zip]",
                   "argecho name=[curl.exe]", "argecho argc=5", "argecho arg1=[-T]",
                   "argecho arg2=[C:\\a.txt]", "argecho arg3=[ftp://srv/in%20box/]",
                   "argecho arg4=[--user]", "argecho arg5=[bob:50%off]"}));
  EXPECT_EQ(result.ExitCode, 0u);
}

// The locator finds the stand-in on PATH; the two items share its one block.
TEST_F(QueryNetworkArchiveBatch, SevenZipItemsFindTheProgramThroughOneLocatorBlock) {
  StandIns({L"7z"});
  auto& create = Add<TSevenZipCreateItem>();
  create.CompressionLevel = TCompressionLevel::clNormal;
  create.ArchFileName = "\"my arch.zip\"";
  create.SrcPath = "data\\*.txt";
  auto& extract = Add<TSevenZipExtractItem>();
  extract.Subfolders = extract.OverwriteFiles = true;
  extract.ExtractTo = "out dir";
  extract.ArchFileName = "my arch.zip";
  const TBatchResult result = RunThroughBatchgen();
  EXPECT_EQ(SplitOutput(result.Output),
            (Lines{"argecho name=[7z.exe]", "argecho argc=5", "argecho arg1=[a]",
                   "argecho arg2=[-tzip]", "argecho arg3=[-mx=5]", "argecho arg4=[my arch.zip]",
                   "argecho arg5=[data\\*.txt]",
                   "argecho name=[7z.exe]", "argecho argc=6", "argecho arg1=[x]",
                   "argecho arg2=[-oout dir]", "argecho arg3=[-aoa]", "argecho arg4=[-y]",
                   "argecho arg5=[-r]", "argecho arg6=[my arch.zip]"}));
  EXPECT_EQ(result.ExitCode, 0u);
  EXPECT_EQ(Occurrences(BatchText(), "SET \"KWJ_7Z=\""), 1u);
}

// The server lines of "net view" (those with two backslashes) end up in the list, which
// replaces the one there before.
TEST_F(QueryNetworkArchiveBatch, ListOfPCsKeepsTheServerLinesOfNetView) {
  const fs::path standIns = Temp.Folder(L"stand ins");
  WriteFileReplacing(standIns / L"net.bat",
                     "@echo Server Name            Remark\r\n"
                     "@echo -------------------------------\r\n"
                     "@echo \\\\PC1                  first\r\n"
                     "@echo \\\\PC-2\r\n"
                     "@echo \\\\%1\r\n"
                     "@echo The command completed successfully.\r\n");
  Runner.PathPrepend = {standIns};
  WriteFileReplacing(Temp.Path() / L"pc list.txt", "\\\\OLD\r\n");
  auto& list = Add<TCreateAListOfPCSItem>();
  list.FileName = "pc list.txt";
  list.Overwrite = true;
  const TBatchResult result = RunThroughBatchgen();
  EXPECT_EQ(result.ExitCode, 0u);
  EXPECT_EQ(SplitOutput(result.Output), Lines{});
  EXPECT_EQ(ReadFileBytes(Temp.Path() / L"pc list.txt"), "\\\\PC1\r\n\\\\PC-2\r\n\\\\view\r\n");
}

}  // namespace
}  // namespace palvetta::e2e
