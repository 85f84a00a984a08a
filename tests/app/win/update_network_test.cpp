// The update check, the download, the installer's extraction and signature check against
// a server inside the test program and installers signed at build time.
//
// Wine's trust check accepts a chain that ends at a root nobody trusts (it answers 0 for
// the throw-away certificates), so the untrusted-root branch is shown by the host tests of
// JudgeSignature; every other branch runs here for real.

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

#include "app/win/update_install.h"
#include "app/win/update_workers.h"
#include "base/file_io.h"
#include "base/win/wide.h"
#include "gui/win/registry_settings_store.h"
#include "local_http_server.h"
#include "support/zip_builder.h"
#include "update_test_support.h"

namespace palvetta {
namespace {

namespace fs = std::filesystem;

std::string HeaderLine(const std::string& head, const std::string& name) {
  const std::size_t at = head.find("\r\n" + name + ": ");
  if (at == std::string::npos) return {};
  const std::size_t start = at + 2;
  return head.substr(start, head.find("\r\n", start) - start);
}

TEST(UpdateQueryTest, AnswersOfTheService) {
  TLocalHttpServer server;
  const struct {
    const char* what;
    THttpScript script;
    const char* latest;  // nullptr: failed
  } cases[] = {
      {"version between blanks", {200, " 2.8\r\n"}, "2.8"},
      {"empty body", {200, ""}, nullptr},
      {"error answer", {200, "ERROR x"}, nullptr},
      {"not found", {404, "2.8"}, nullptr},
      {"path in the answer", {200, "../../2.8"}, nullptr},
      {"without a length", {200, "2.9.1", false}, "2.9.1"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    server.Serve("/updchk/updchk.php", c.script);
    const auto latest = QueryLatestVersion(
        UpdateQueryURL(UpdateServiceURL(LocalConfig(server.BaseURL())), kAppKey, "2.7.0", "x"), 3000);
    if (c.latest) {
      ASSERT_TRUE(latest);
      EXPECT_EQ(*latest, c.latest);
    } else {
      EXPECT_FALSE(latest) << *latest;
    }
  }
}

TEST(UpdateQueryTest, SendsKeyVersionIdAndUserAgent) {
  TLocalHttpServer server;
  server.Serve("/updchk/updchk.php", {200, "2.8"});
  TMemorySettingsStore store;
  store.WriteString("UpdateCheck", "InstallID", "0F8FAD5B-D9CB-469F-A165-70867728950E");
  const std::string url = MakeUpdateQueryURL(LocalConfig(server.BaseURL()), "2.7.0", &store);
  ASSERT_TRUE(QueryLatestVersion(url, 3000));
  const auto requests = server.Requests();
  ASSERT_EQ(requests.size(), 1u);
  EXPECT_EQ(requests[0].substr(0, requests[0].find("\r\n")),
            "GET /updchk/updchk.php?APPKEY=5817&v=2.7.0&id=0f8fad5b-d9cb-469f-a165-70867728950e "
            "HTTP/1.1");
  EXPECT_EQ(HeaderLine(requests[0], "User-Agent"), "User-Agent: " + std::string(kUpdateUserAgent));
}

TEST(UpdateQueryTest, ClosedPortAndStallFail) {
  const std::string closed = "http://127.0.0.1:" + std::to_string(TLocalHttpServer::ClosedPort());
  EXPECT_FALSE(QueryLatestVersion(closed + "/updchk/updchk.php?APPKEY=5817", 3000));

  TLocalHttpServer server;
  server.Serve("/updchk/updchk.php", {200, "2.8", true, 1, 0, 8000});
  const auto start = std::chrono::steady_clock::now();
  EXPECT_FALSE(QueryLatestVersion(server.BaseURL() + "/updchk/updchk.php?APPKEY=5817", 700));
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(6))
      << "the time-out did not end the stall";
}

TEST(UpdateQueryTest, CheckThreadReportsOnTheUiThreadAndAbandonedReportsNothing) {
  TLocalHttpServer server;
  server.Serve("/updchk/updchk.php", {200, "2.8\r\n"});
  const std::string url = server.BaseURL() + "/updchk/updchk.php?APPKEY=5817";
  auto thread = std::make_unique<TUpdateCheckThread>(url, 3000);
  DWORD calledOn = 0;
  std::string latest;
  thread->OnComplete = [&](TUpdateCheckThread& done) {
    calledOn = GetCurrentThreadId();
    latest = done.LatestVersion();
    thread.reset();  // the owner frees it from its own call
  };
  thread->Start();
  ASSERT_TRUE(PumpFor([&] { return calledOn != 0; }));
  EXPECT_EQ(calledOn, GetCurrentThreadId());
  EXPECT_EQ(latest, "2.8");

  server.Serve("/updchk/updchk.php", {200, "2.8", true, 1, 0, 500});
  bool called = false;
  auto abandoned = std::make_unique<TUpdateCheckThread>(url, 3000);
  abandoned->OnComplete = [&](TUpdateCheckThread&) { called = true; };
  abandoned->Start();
  abandoned.reset();
  PumpFor([] { return false; }, 1500);
  EXPECT_FALSE(called);
}

TEST(InstallIdTest, ReadBackFromTheRegistry) {
  TRegistrySettingsStore store("Software\\PalvettaTests\\UpdateInstallId");
  const auto read = [] {
    wchar_t value[64] = {};
    DWORD size = sizeof(value);
    RegGetValueW(HKEY_CURRENT_USER, L"Software\\PalvettaTests\\UpdateInstallId\\UpdateCheck",
                 L"InstallID", RRF_RT_REG_SZ, nullptr, value, &size);
    return Narrow(value);
  };
  store.WriteString("UpdateCheck", "InstallID", "0F8FAD5B-D9CB-469F-A165-70867728950E");
  EXPECT_EQ(GetInstallID(store, NewGuidText), "0f8fad5b-d9cb-469f-a165-70867728950e");

  store.WriteString("UpdateCheck", "InstallID", "{0f8fad5b-d9cb-469f-a165-70867728950e}");
  const std::string fresh = GetInstallID(store, NewGuidText);
  EXPECT_TRUE(IsValidInstallID(fresh));
  EXPECT_NE(fresh, "0f8fad5b-d9cb-469f-a165-70867728950e");
  EXPECT_EQ(read(), fresh);
  EXPECT_EQ(GetInstallID(store, NewGuidText), fresh) << "a second call keeps the id";
  RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\PalvettaTests\\UpdateInstallId");
}

class DownloadTest : public ::testing::Test {
 protected:
  void Start(THttpScript script) {
    Server.Serve("/files/package.zip", std::move(script));
    Thread = std::make_unique<TDownloadThread>(Server.BaseURL() + "/files/package.zip", Target,
                                               THttpTimeouts{3000, 5000});
    Thread->OnProgress = [this](TDownloadThread&, int64_t received, int64_t total) {
      EXPECT_EQ(GetCurrentThreadId(), UiThread);
      Progress.emplace_back(received, total);
    };
    Thread->OnComplete = [this](TDownloadThread& done) {
      EXPECT_EQ(GetCurrentThreadId(), UiThread);
      Completed = true;
      Success = done.Success();
    };
    Thread->Start();
  }

  const DWORD UiThread = GetCurrentThreadId();
  TScratchFolder Folder{"download"};
  const std::string Target = Folder.Text() + "update_2.8.zip";
  TLocalHttpServer Server;
  std::unique_ptr<TDownloadThread> Thread;
  std::vector<std::pair<int64_t, int64_t>> Progress;
  bool Completed = false;
  bool Success = false;
};

TEST_F(DownloadTest, WithAndWithoutLengthInSlowPieces) {
  const std::string body(200000, 'z');
  for (const bool withLength : {true, false}) {
    SCOPED_TRACE(withLength);
    Progress.clear();
    Completed = false;
    Start({200, body, withLength, 5, 100});
    ASSERT_TRUE(PumpFor([&] { return Completed; }));
    EXPECT_TRUE(Success);
    EXPECT_TRUE(ReadWhole(PathFromUtf8(Target)) == body) << "the file differs from the body";
    EXPECT_FALSE(fs::exists(PathFromUtf8(Target + ".part")));
    ASSERT_GE(Progress.size(), 2u) << "slow pieces are reported one by one";
    EXPECT_EQ(Progress.back().first, 200000);
    EXPECT_EQ(Progress.back().second, withLength ? 200000 : -1);
    for (std::size_t i = 1; i < Progress.size(); ++i) EXPECT_GT(Progress[i].first, Progress[i - 1].first);
  }
}

TEST_F(DownloadTest, NotFoundFailsAndLeavesNoFile) {
  Start({404, "nothing"});
  ASSERT_TRUE(PumpFor([&] { return Completed; }));
  EXPECT_FALSE(Success);
  EXPECT_FALSE(fs::exists(PathFromUtf8(Target)));
  EXPECT_FALSE(fs::exists(PathFromUtf8(Target + ".part")));
}

TEST_F(DownloadTest, CancelledAndAbandonedDeleteThePartialFileWithoutACompletionCall) {
  for (const bool abandon : {false, true}) {
    SCOPED_TRACE(abandon ? "abandoned" : "cancelled");
    Completed = false;
    Progress.clear();
    Start({200, std::string(100000, 'y'), true, 20, 150});
    ASSERT_TRUE(PumpFor([&] { return !Progress.empty(); }));
    EXPECT_TRUE(fs::exists(PathFromUtf8(Target + ".part")));
    if (abandon) {
      Thread.reset();
    } else {
      Thread->Cancel();
    }
    EXPECT_TRUE(PumpFor([&] { return !fs::exists(PathFromUtf8(Target + ".part")); }));
    PumpFor([] { return false; }, 500);
    EXPECT_FALSE(Completed);
    EXPECT_FALSE(fs::exists(PathFromUtf8(Target)));
  }
}

TEST(ExtractInstallerTest, Packages) {
  TScratchFolder folder("extract");
  const std::string installer = "Palvetta_Setup_v2.8.exe";
  const struct {
    const char* what;
    std::string zip;  // empty: no file
    bool found;
  } cases[] = {
      {"installer in a subfolder",
       BuildZipArchive({{"readme.txt", "read me"}, {"setup/PALVETTA_SETUP_V2.8.EXE", "MZ setup"}}), true},
      {"stored at the top", BuildZipArchive({{installer, "MZ setup", false}}), true},
      {"missing installer", BuildZipArchive({{"Palvetta_Setup_v2.7.exe", "MZ old"}}), false},
      {"damaged archive", BuildZipArchive({{installer, "MZ setup"}}).substr(0, 40), false},
      {"checksum wrong", [] {
         std::string zip = BuildZipArchive({{"Palvetta_Setup_v2.8.exe", "MZ setup", false}});
         zip[30 + 23] = 'X';  // the first byte of the stored data
         return zip;
       }(), false},
      {"no zip file", "", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const std::string zipPath = folder.Text() + "update_2.8.zip";
    DeleteFileW(Widen(zipPath).c_str());
    if (!c.zip.empty()) WriteWhole(PathFromUtf8(zipPath), c.zip);
    const fs::path out = folder.Path() / "out";
    fs::remove_all(out);
    fs::create_directories(out);
    const std::string path = ExtractInstallerFromZip(zipPath, installer, PathToUtf8(out));
    if (c.found) {
      ASSERT_FALSE(path.empty());
      EXPECT_EQ(PathFromUtf8(path).parent_path(), out);
      EXPECT_EQ(ReadWhole(PathFromUtf8(path)), "MZ setup");
    } else {
      EXPECT_EQ(path, "");
      EXPECT_TRUE(fs::is_empty(out));
    }
  }
}

TEST(InstallerSignatureTest, PublisherOtherUnsignedChangedMissing) {
  const struct {
    const char* file;
    bool accepted;
    const char* reason;
  } cases[] = {
      {"signed_publisher.exe", true, ""},
      {"signed_other.exe", false, "it is not signed by the publisher of Palvetta."},
      {"unsigned.exe", false, "it is not signed."},
      {"changed_after_signing.exe", false, "it has been changed since it was signed."},
      {"missing.exe", false, "the file is missing."},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.file);
    const TSignatureVerdict verdict =
        VerifyInstallerSignature(TestInstaller(c.file), PublisherThumbprint());
    EXPECT_EQ(verdict.Accepted, c.accepted);
    EXPECT_EQ(verdict.Reason, c.reason);
  }
  // Another configured publisher refuses the same file.
  EXPECT_FALSE(VerifyInstallerSignature(TestInstaller("signed_publisher.exe"),
                                        ReadWhole(PathFromUtf8(TestInstaller("other.sha1"))))
                   .Accepted);
}

TEST(InstallerSignatureTest, TheCheckedFileCannotBeChangedUntilItIsStarted) {
  TScratchFolder folder("locked");
  const std::string path = folder.Text() + "Palvetta_Setup_v2.8.exe";
  ASSERT_TRUE(CopyFileW(Widen(TestInstaller("signed_publisher.exe")).c_str(), Widen(path).c_str(), FALSE));
  {
    const TLockedInstaller locked(path);
    ASSERT_TRUE(locked.IsOpen());
    EXPECT_TRUE(VerifyInstallerSignature(locked, PublisherThumbprint()).Accepted);
    const HANDLE writer = CreateFileW(Widen(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                      nullptr, OPEN_EXISTING, 0, nullptr);
    EXPECT_EQ(writer, INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SHARING_VIOLATION));
    if (writer != INVALID_HANDLE_VALUE) CloseHandle(writer);
    EXPECT_FALSE(DeleteFileW(Widen(path).c_str()));
  }
  EXPECT_TRUE(DeleteFileW(Widen(path).c_str())) << "free again once the handle is closed";
}

}  // namespace
}  // namespace palvetta
