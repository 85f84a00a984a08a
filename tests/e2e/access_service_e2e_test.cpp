// SC and ICACLS lines as the commands receive them: services created in the test's Wine
// prefix with each kind of binary path (read back with REG QUERY), queried and deleted;
// and ICACLS lines inside an IF block, through the argument-printing stand-in.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "e2e_support.h"

namespace palvetta::e2e {
namespace {

struct ServiceCase {
  const char* name;
  const char* imagePath;  // what the binary path of sc_create.kwj must become
};
const ServiceCase kServices[] = {
    {"PalvettaSvc1", "C:\\svc\\a.exe"},
    {"PalvettaSvc2", "\"C:\\Program Files\\My App\\svc.exe\" -k net"},
    {"PalvettaSvc3", "\"C:\\A & B\\a.exe\""},
    {"PalvettaSvc4", "C:\\dir\\"},
    {"PalvettaSvc5", "C:\\x\\a.exe -p a&b"},
    {"PalvettaSvc6", "C:\\My Tools\\run it"},
};

class ServiceControlBatch : public ProjectFileBatch {
 protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(Generate("sc_delete.kwj", L"delete.bat"));
    Run({}, L"delete.bat");  // services a stopped earlier run left behind
  }

  void TearDown() override {
    Run({}, L"delete.bat");
    ProjectFileBatch::TearDown();
  }

  // The value as REG QUERY prints it, or nothing when the service has no such value.
  std::optional<std::string> RegistryValue(const std::string& service, const char* value) {
    const ProgramRun run = RunProgram(
        L"C:\\windows\\system32\\reg.exe",
        {L"QUERY", Widen("HKLM\\SYSTEM\\CurrentControlSet\\Services\\" + service), L"/v",
         Widen(value)},
        Temp.Path() / L"reg output.txt");
    Log += "--- REG QUERY " + service + " " + value + "\n" + run.Output;
    if (run.ExitCode != 0) return std::nullopt;
    const std::string marker = std::string(value) + "    REG_SZ    ";
    for (const std::string& line : SplitOutput(run.Output)) {
      const size_t at = line.find(marker);
      if (at != std::string::npos) return line.substr(at + marker.size());
    }
    return std::string();
  }
};

TEST_F(ServiceControlBatch, EachBinaryPathIsStoredAsTypedAndTheServicesAreQueriedAndDeleted) {
  ASSERT_NO_FATAL_FAILURE(Generate("sc_create.kwj"));
  const TBatchResult created = Run();
  EXPECT_FALSE(created.TimedOut);
  const Lines printed = SplitOutput(created.Output);
  for (const ServiceCase& service : kServices) {
    SCOPED_TRACE(service.name);
    EXPECT_EQ(RegistryValue(service.name, "ImagePath"), service.imagePath);
    EXPECT_NE(std::find(printed.begin(), printed.end(),
                        std::string("SERVICE_NAME: ") + service.name),
              printed.end());
  }
  EXPECT_EQ(RegistryValue("PalvettaSvc1", "DisplayName"), "Palvetta test & service");

  Run({}, L"delete.bat");
  for (const ServiceCase& service : kServices) {
    EXPECT_EQ(RegistryValue(service.name, "ImagePath"), std::nullopt) << service.name;
  }
}

class ICACLSBatch : public ProjectFileBatch {
 protected:
  void SetUp() override {
    const fs::path tools = Temp.Folder(L"tools");
    fs::copy_file(ArgEcho(), tools / L"icacls.exe");
    Runner.PathPrepend = {tools};
  }
};

// Without the carets the first ")" of the rights would end the IF block and the rest of
// the line would run as a command of its own.
TEST_F(ICACLSBatch, RightsAndInheritanceReachICACLSInsideAnIfBlock) {
  ASSERT_NO_FATAL_FAILURE(Generate("icacls.kwj"));
  ExpectRuns({{{},
               {"argecho name=[icacls.exe]", "argecho argc=3", "argecho arg1=[C:\\My Data]",
                "argecho arg2=[/grant:r]", "argecho arg3=[Users:(RX,RD,X)]",
                "argecho name=[icacls.exe]", "argecho argc=3", "argecho arg1=[D:\\x]",
                "argecho arg2=[/deny]", "argecho arg3=[NT AUTHORITY\\NETWORK SERVICE:(W)]",
                "argecho name=[icacls.exe]", "argecho argc=3", "argecho arg1=[C:\\a (1)]",
                "argecho arg2=[/setintegritylevel]", "argecho arg3=[(OI)High]"},
               0}});
}

}  // namespace
}  // namespace palvetta::e2e
