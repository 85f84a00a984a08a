// The update dialog, the About box and the main window's start-up check, against the
// server inside the test program.

#include <gtest/gtest.h>

#include <filesystem>

#include "app/win/about_box.h"
#include "app/win/main_window.h"
#include "app/win/update_dialog.h"
#include "base/byte_size.h"
#include "base/file_io.h"
#include "base/win/wide.h"
#include "gui/win/controls/icon_control.h"
#include "gui/win/controls/progress_control.h"
#include "local_http_server.h"
#include "support/ui_test_support.h"
#include "support/zip_builder.h"
#include "update_test_support.h"

namespace palvetta {
namespace {

namespace fs = std::filesystem;

constexpr char kPackagePath[] = "/files/Palvetta_Setup_v2.8.zip";

// Runs the action inside the dialog's loop once the condition holds; cancels the dialog
// and fails when it does not within ten seconds.
void WhenTrue(TDialog& dialog, std::function<bool()> condition, std::function<void()> action,
              int triesLeft = 1000) {
  dialog.Post([&dialog, condition = std::move(condition), action = std::move(action), triesLeft]() mutable {
    if (condition()) {
      action();
    } else if (triesLeft == 0) {
      ADD_FAILURE() << "the dialog never reached the state waited for";
      dialog.Cancel();
    } else {
      Sleep(10);
      WhenTrue(dialog, std::move(condition), std::move(action), triesLeft - 1);
    }
  });
}

struct TUpdateState {
  std::string Status;
  std::optional<COLORREF> StatusColor;
  bool StatusVisible;
  bool ProgressVisible;
  bool UpdateVisible;
  bool LaterVisible;
};

TUpdateState StateOf(TDialog& d) {
  return {d.Text("lblStatus"), d.LabelColor("lblStatus"), d.IsVisible("lblStatus"),
          d.IsVisible("pbProgress"), d.IsVisible("btnOK"), d.IsVisible("btnCancel")};
}

class UpdateDialogTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { ASSERT_TRUE(InitTestControls()); }

  TUpdateDialogOptions Options() {
    TUpdateDialogOptions options;
    options.Config = LocalConfig(Server.BaseURL());
    options.TempFolder = Temp.Text();
    options.ConfirmSaving = [this] {
      ++Confirmations;
      return ConfirmAnswer;
    };
    options.Launch = [this](const std::string& path, std::string_view parameters) {
      Launched.push_back(path + "|" + std::string(parameters));
      return ShellStartInstaller(path, parameters);
    };
    options.EndProgram = [this] { ++Ended; };
    return options;
  }

  void ServePackage(std::vector<TZipBuilderEntry> entries, int pieces = 1, int pauseMs = 0) {
    Server.Serve(kPackagePath, {200, BuildZipArchive(entries), true, pieces, pauseMs});
  }
  // A stored entry that makes the package large enough to arrive in many pieces.
  static TZipBuilderEntry Padding() { return {"padding.bin", std::string(600000, 'p'), false}; }
  static TZipBuilderEntry Installer(const std::string& signedFile, const std::string& folder = "") {
    return {folder + "Palvetta_Setup_v2.8.exe", ReadWhole(PathFromUtf8(TestInstaller(signedFile)))};
  }

  // Shows the dialog, presses "Update Now" and, once the condition holds, records the state
  // and closes it.
  TUpdateState RunUntil(const std::function<bool(TDialog&)>& condition) {
    TfrmChkUpdate dialog(Options());
    TUpdateState state{};
    dialog.Form().OnShown = [&](TDialog& d) {
      d.Post([&d] { d.PressOK(); });
      WhenTrue(d, [&] { return condition(d); }, [&] {
        state = StateOf(d);
        d.Cancel();
      });
    };
    dialog.Execute("2.8", Owner.Handle());
    return state;
  }

  TLocalHttpServer Server;
  TScratchFolder Temp{"dialog"};
  TMessageRecorder Messages;
  TScopedMessageBoxSeam MessageSeam{Messages};
  TOwnerWindow Owner;
  int Confirmations = 0;
  bool ConfirmAnswer = true;
  std::vector<std::string> Launched;
  int Ended = 0;
};

TEST_F(UpdateDialogTest, OffersTheVersion) {
  TfrmChkUpdate dialog(Options());
  bool checked = false;
  dialog.Form().OnShown = [&](TDialog& d) {
    checked = true;
    EXPECT_EQ(WindowText(d.Handle()), "Software Update Available");
    EXPECT_EQ(d.Text("lblTitle"), "Palvetta");
    EXPECT_EQ(d.Text("lblMessage"), "A new update (v2.8) is available. Would you like to install it now?");
    EXPECT_EQ(WindowText(d.Control("btnOK")), "Update Now");
    EXPECT_EQ(WindowText(d.Control("btnCancel")), "Later");
    const TUpdateState state = StateOf(d);
    EXPECT_FALSE(state.StatusVisible);
    EXPECT_FALSE(state.ProgressVisible);
    EXPECT_TRUE(state.UpdateVisible && state.LaterVisible);
    d.Post([&d] { d.Cancel(); });
  };
  dialog.Execute("2.8", Owner.Handle());
  EXPECT_TRUE(checked);
  EXPECT_TRUE(Server.Requests().empty()) << "nothing is downloaded before Update Now";
}

TEST_F(UpdateDialogTest, DownloadsChecksAndStartsTheInstallerSilently) {
  const std::string log = PathToUtf8(Temp.Path() / "stand_in_arguments.txt");
  SetEnvironmentVariableW(L"PALVETTA_STAND_IN_LOG", Widen(log).c_str());
  ServePackage({{"readme.txt", "notes"}, Installer("signed_publisher.exe", "setup/"), Padding()}, 6, 150);
  TfrmChkUpdate dialog(Options());
  std::vector<TUpdateState> seen;
  std::vector<int> positions;
  dialog.Form().OnShown = [&](TDialog& d) {
    d.Post([&d] { d.PressOK(); });
    // The status while the pieces arrive.
    WhenTrue(d, [&] { return d.Text("lblStatus").find('%') != std::string::npos; }, [&] {
      seen.push_back(StateOf(d));
      positions.push_back(d.Progress("pbProgress").Position());
    });
  };
  dialog.Execute("2.8", Owner.Handle());
  EXPECT_EQ(Confirmations, 1);
  EXPECT_EQ(Ended, 1) << "the program ends once the installer runs";
  ASSERT_EQ(Launched.size(), 1u);
  EXPECT_EQ(Launched[0], Temp.Text() + "Palvetta_Setup_v2.8.exe|/SILENT /CLOSEAPPLICATIONS /RESTARTAPPLICATIONS");
  EXPECT_FALSE(fs::exists(Temp.Path() / "update_2.8.zip")) << "the package is deleted";
  const auto requests = Server.Requests();
  ASSERT_EQ(requests.size(), 1u);
  EXPECT_EQ(requests[0].substr(0, requests[0].find("\r\n")), std::string("GET ") + kPackagePath + " HTTP/1.1");
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].Status.rfind("Downloading update... ", 0), 0u) << seen[0].Status;
  EXPECT_EQ(seen[0].StatusColor, kUpdateStatusGrey);
  EXPECT_TRUE(seen[0].ProgressVisible);
  EXPECT_FALSE(seen[0].UpdateVisible || seen[0].LaterVisible);
  EXPECT_GT(positions[0], 0);
  // The stand-in writes the command line it got.
  ASSERT_TRUE(PumpFor([&] { return fs::exists(PathFromUtf8(log)) && fs::file_size(PathFromUtf8(log)) > 0; }));
  const std::string raw = ReadWhole(PathFromUtf8(log));
  const std::string line = Narrow(std::wstring(reinterpret_cast<const wchar_t*>(raw.data()), raw.size() / 2));
  EXPECT_NE(line.find("Palvetta_Setup_v2.8.exe"), std::string::npos) << line;
  EXPECT_TRUE(line.ends_with(" /SILENT /CLOSEAPPLICATIONS /RESTARTAPPLICATIONS")) << line;
}

TEST_F(UpdateDialogTest, RefusesAnInstallerThatFailsTheSignatureCheck) {
  const struct {
    const char* file;
    const char* reason;
  } cases[] = {
      {"signed_other.exe", "it is not signed by the publisher of Palvetta."},
      {"unsigned.exe", "it is not signed."},
      {"changed_after_signing.exe", "it has been changed since it was signed."},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.file);
    Messages.Shown.clear();
    ServePackage({Installer(c.file)});
    const TUpdateState state = RunUntil([&](TDialog&) { return !Messages.Shown.empty(); });
    EXPECT_EQ(state.Status, "The update was not run: it failed the signature check.");
    EXPECT_EQ(state.StatusColor, kUpdateStatusRed);
    EXPECT_FALSE(state.ProgressVisible);
    EXPECT_FALSE(state.UpdateVisible);
    EXPECT_TRUE(state.LaterVisible);
    ASSERT_EQ(Messages.Shown.size(), 1u);
    EXPECT_EQ(Messages.Shown[0].Text, SignatureFailureMessage(c.reason, "127.0.0.1"));
    EXPECT_EQ(Messages.Shown[0].Flags & MB_ICONMASK, static_cast<UINT>(MB_ICONERROR));
    EXPECT_FALSE(fs::exists(Temp.Path() / "Palvetta_Setup_v2.8.exe")) << "the installer is deleted";
    EXPECT_TRUE(Launched.empty());
    EXPECT_EQ(Ended, 0);
  }
}

TEST_F(UpdateDialogTest, FailuresOfTheDownloadAndThePackage) {
  const struct {
    const char* what;
    THttpScript script;
    const char* status;
  } cases[] = {
      {"not found", {404, "gone"}, "Failed to download the update. Please try again later."},
      {"no installer", {200, BuildZipArchive({{"Palvetta_Setup_v2.7.exe", "MZ"}})},
       "Failed to extract the installer from the download."},
      {"damaged package", {200, BuildZipArchive({Installer("signed_publisher.exe")}).substr(0, 500)},
       "Failed to extract the installer from the download."},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Server.Serve(kPackagePath, c.script);
    const TUpdateState state = RunUntil([](TDialog& d) { return d.LabelColor("lblStatus") == kUpdateStatusRed; });
    EXPECT_EQ(state.Status, c.status);
    EXPECT_FALSE(state.ProgressVisible);
    EXPECT_TRUE(state.UpdateVisible && state.LaterVisible) << "both buttons come back";
    EXPECT_TRUE(Launched.empty());
  }
}

TEST_F(UpdateDialogTest, CancelledSavingStartsNothing) {
  ConfirmAnswer = false;
  ServePackage({Installer("signed_publisher.exe")});
  TfrmChkUpdate dialog(Options());
  TUpdateState state{};
  dialog.Form().OnShown = [&](TDialog& d) {
    d.Post([&d] { d.PressOK(); });
    d.Post([&] {
      state = StateOf(d);
      EXPECT_EQ(dialog.Download(), nullptr);
      d.Cancel();
    });
  };
  dialog.Execute("2.8", Owner.Handle());
  EXPECT_EQ(Confirmations, 1);
  EXPECT_TRUE(state.UpdateVisible && state.LaterVisible) << "Later comes back";
  EXPECT_FALSE(state.StatusVisible);
  PumpFor([] { return false; }, 300);
  EXPECT_TRUE(Server.Requests().empty());
  EXPECT_TRUE(Launched.empty());
}

TEST_F(UpdateDialogTest, ClosingDuringTheDownloadAbandonsIt) {
  ServePackage({Installer("signed_publisher.exe"), Padding()}, 20, 200);
  RunUntil([](TDialog& d) { return d.Text("lblStatus").find('%') != std::string::npos; });
  EXPECT_TRUE(PumpFor([&] {
    return !fs::exists(Temp.Path() / "update_2.8.zip.part") && !fs::exists(Temp.Path() / "update_2.8.zip");
  })) << "the partial download is deleted";
  EXPECT_TRUE(Launched.empty());
}

// ---- The About box ----

class AboutBoxTest : public UpdateDialogTest {
 protected:
  TAboutBoxOptions AboutOptions() {
    TAboutBoxOptions options;
    options.ProgramVersion = "2.7.0";
    options.Store = &Store;
    options.Update = Options();
    options.Facts = [] { return TSystemFacts{"Windows 10 Pro", 10, 22000, 1536LL * 1024 * 1024}; };
    return options;
  }
  TMemorySettingsStore Store;
};

// Whether the control's text fits its width in the control's font, so none of it is
// wrapped or cut off.
bool ShowsWholeText(HWND control) {
  const std::wstring text = Widen(WindowText(control));
  const HDC dc = GetDC(control);
  const HGDIOBJ previous = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)));
  SIZE extent = {};
  GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
  SelectObject(dc, previous);
  ReleaseDC(control, dc);
  RECT client = {};
  GetClientRect(control, &client);
  return extent.cx <= client.right;
}

TEST_F(AboutBoxTest, ShowsTheVersionAndFacts) {
  TShellRecorder shell;
  TScopedShellSeam shellSeam(shell);
  const struct {
    const char* reported;
    unsigned build;
    const char* windows;
  } builds[] = {{"Windows 10 Pro", 22000, "Windows 11 Pro"},
                {"Windows 10 Pro", 19045, "Windows 10 Pro"},
                {"Microsoft Windows 7", 7601, "Microsoft Windows 7"},
                {"Windows Server 2022 Datacenter Evaluation", 20348, "Windows Server 2022 Datacenter Evaluation"}};
  for (const auto& b : builds) {
    TAboutBoxOptions options = AboutOptions();
    options.Facts = [&b] { return TSystemFacts{b.reported, b.build == 7601 ? 6u : 10u, b.build, 1536LL * 1024 * 1024}; };
    TfmAbt about(options);
    bool checked = false;
    about.Form().OnShown = [&](TDialog& d) {
      checked = true;
      EXPECT_EQ(WindowText(d.Handle()), "About Palvetta");
      EXPECT_EQ(d.Text("lblProduct"), "Palvetta");
      EXPECT_EQ(d.Text("lblVersion"), "Version 2.7");
      EXPECT_EQ(d.Text("lblWindows"), "Windows version:");
      EXPECT_EQ(d.Text("lblMemory"), "Memory available to Windows:");
      EXPECT_EQ(d.Text("valWindows"), b.windows);
      EXPECT_EQ(d.Text("valMemory"), FormatByteSize(1536LL * 1024 * 1024));
      for (const char* label : {"lblVersion", "valWindows", "valMemory"}) {
        EXPECT_TRUE(ShowsWholeText(d.Control(label))) << label << " of " << b.windows;
      }
      EXPECT_NE(d.IconOf("imgIcon").Icon(), nullptr) << "the program's icon";
      d.Post([&d] { SendMessageW(d.Control("btnHistory"), BM_CLICK, 0, 0); });
      d.Post([&d] { d.Cancel(); });
    };
    about.Execute(Owner.Handle());
    EXPECT_TRUE(checked);
  }
  ASSERT_EQ(shell.Calls.size(), 4u);
  EXPECT_EQ(shell.Calls[0].Target, Server.BaseURL() + "/releases.php");
}

TEST(SystemFactsTest, TheRunningSystemReportsItsNameVersionAndMemory) {
  const TSystemFacts facts = ReadSystemFacts();
  EXPECT_FALSE(facts.ProductName.empty());
  EXPECT_GE(facts.MajorVersion, 5u);
  EXPECT_GT(facts.BuildNumber, 0u);
  EXPECT_GT(facts.FreePhysicalMemory, 0);
}

TEST_F(AboutBoxTest, ChecksForUpdatesOnRequest) {
  const struct {
    THttpScript answer;
    const char* dialogMessage;  // nullptr: no update dialog
    const char* box;            // nullptr: no message box
  } cases[] = {
      {{200, "2.8\r\n"}, "A new update (v2.8) is available. Would you like to install it now?", nullptr},
      {{200, "2.7.0.3"}, "A new update (v2.7.0.3) is available. Would you like to install it now?", nullptr},
      {{200, "2.7"}, nullptr, "You are running the latest version (2.7.0)."},
      {{404, "2.8"}, nullptr, "Unable to check for updates. Please check your internet connection and try again."},
      {{200, "ERROR no key"}, nullptr, "Unable to check for updates. Please check your internet connection and try again."},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.answer.Body);
    Messages.Shown.clear();
    Server.Serve("/updchk/updchk.php", c.answer);
    TfmAbt about(AboutOptions());
    std::string offered;
    about.OnUpdateDialogShown = [&](TfrmChkUpdate& update) {
      offered = update.Form().Text("lblMessage");
      update.Form().Post([&update] { update.Form().Cancel(); });
    };
    about.Form().OnShown = [&](TDialog& d) {
      d.Post([&d] { SendMessageW(d.Control("btnCheck"), BM_CLICK, 0, 0); });
      d.Post([&d] {
        EXPECT_TRUE(IsWindowEnabled(d.Control("btnCheck")));
        d.Cancel();
      });
    };
    about.Execute(Owner.Handle());
    EXPECT_EQ(offered, c.dialogMessage ? c.dialogMessage : "");
    if (c.box) {
      ASSERT_EQ(Messages.Shown.size(), 1u);
      EXPECT_EQ(Messages.Shown[0].Text, c.box);
    } else {
      EXPECT_TRUE(Messages.Shown.empty());
    }
  }
  const auto requests = Server.Requests();
  ASSERT_FALSE(requests.empty());
  EXPECT_NE(requests[0].find("?APPKEY=5817&v=2.7.0&id="), std::string::npos) << requests[0];
}

// ---- The main window's start-up check ----

class StartupCheckTest : public UpdateDialogTest {
 protected:
  TfrmMain& Start() {
    Config = LocalConfig(Server.BaseURL());
    TMainWindowOptions options;
    options.Settings = &Store;
    options.AppDataFolder = [folder = PathToUtf8(Temp.Path() / "AppData")] { return folder; };
    options.QuitWhenClosed = false;
    options.Updates = &Config;
    options.ProgramVersion = "2.7.0";
    options.LaunchInstaller = [this](const std::string& path, std::string_view) {
      Launched.push_back(path);
      return true;
    };
    options.EndProgram = [this] { ++Ended; };
    Window = std::make_unique<TfrmMain>(options);
    Window->OnUpdateDialogShown = [this](TfrmChkUpdate& update) { OnUpdate(update); };
    Window->Show(SW_SHOWNORMAL);
    return *Window;
  }
  void TearDown() override { Window.reset(); }

  std::function<void(TfrmChkUpdate&)> OnUpdate;
  TUpdateConfig Config;
  TMemorySettingsStore Store;
  std::unique_ptr<TfrmMain> Window;
};

TEST_F(StartupCheckTest, ComparesTheThreePartVersionAsTheAboutBoxDoes) {
  const struct {
    const char* latest;
    bool offered;
  } cases[] = {{"2.8", true}, {"2.7.0.3", true}, {"2.7", false}, {"2.7.0.0", false}, {"2.6.9", false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.latest);
    Server.Serve("/updchk/updchk.php", {200, c.latest});
    const std::size_t before = Server.Requests().size();
    std::string offered;
    OnUpdate = [&](TfrmChkUpdate& update) {
      offered = update.Form().Text("lblMessage");
      update.Form().Post([&update] { update.Form().Cancel(); });
    };
    TfrmMain& window = Start();
    // The check starts a few seconds after the window shows and is forgotten once it reported.
    ASSERT_TRUE(PumpUntil(window, [&] { return Server.Requests().size() > before && !window.StartupUpdateThread(); }));
    PumpFor([] { return false; }, 200);
    EXPECT_EQ(!offered.empty(), c.offered) << offered;
    const std::string request = Server.Requests().back();
    EXPECT_NE(request.find("?APPKEY=5817&v=2.7.0&id="), std::string::npos) << request;
    Window.reset();
  }
}

TEST_F(StartupCheckTest, UpdateNowFirstAsksToSaveTheModifiedProject) {
  Server.Serve("/updchk/updchk.php", {200, "2.8"});
  ServePackage({Installer("signed_publisher.exe")});
  TUpdateState state{};
  bool asked = false;
  OnUpdate = [&](TfrmChkUpdate& update) {
    TDialog& d = update.Form();
    d.Post([&d] { d.PressOK(); });
    d.Post([&] {
      state = StateOf(d);
      asked = !Messages.Shown.empty();
      d.Cancel();
    });
  };
  TfrmMain& window = Start();
  ASSERT_TRUE(PumpUntil(window, [&] { return window.Activated() && !window.Palette().Texts().empty(); }));
  window.AddFromPalette(*window.Palette().NodeOf(window.Palette().FindByText("Comment (REM)")), -1);
  ASSERT_TRUE(window.Modified());
  Messages.Answers.push_back(IDCANCEL);
  ASSERT_TRUE(PumpUntil(window, [&] { return asked; }));
  ASSERT_EQ(Messages.Shown.size(), 1u);
  EXPECT_EQ(Messages.Shown[0].Text, "Save current project?");
  EXPECT_TRUE(state.UpdateVisible && state.LaterVisible) << "Later comes back";
  EXPECT_FALSE(state.StatusVisible);
  PumpFor([] { return false; }, 300);
  EXPECT_EQ(Server.Requests().size(), 1u) << "only the check: nothing was downloaded";
  EXPECT_TRUE(Launched.empty());
  EXPECT_EQ(Ended, 0);
  EXPECT_TRUE(window.Modified()) << "the user's changes are still there";
}

}  // namespace
}  // namespace palvetta
