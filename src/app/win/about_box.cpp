#include "app/win/about_box.h"

#include <commctrl.h>

#include "app/update_rules.h"
#include "app/win/update_workers.h"
#include "base/byte_size.h"
#include "base/win/program.h"
#include "base/win/wide.h"
#include "gui/win/controls/icon_control.h"
#include "gui/win/ui_seams.h"
#include "system/win/system_info.h"

namespace palvetta {
namespace {

constexpr int kIconPixels = 32;

// A label is as wide as the text it is laid out with, so the texts are known before the
// layout: a value set afterwards would be cut to the room an empty label got.
TLayoutNode AboutDescription(const TAboutBoxOptions& options) {
  const TSystemFacts facts = options.Facts();
  return Column({
      Row({Icon("imgIcon", kIconPixels),
           Stretched(Column({
               Label("lblProduct", "Palvetta"),
               Label("lblVersion", AboutVersionText(options.ProgramVersion)),
               Form({LabelBeside("Windows version:",
                                 Label("valWindows", WindowsProductName(facts.ProductName, facts.MajorVersion,
                                                                        facts.BuildNumber))),
                     LabelBeside("Memory available to Windows:",
                                 Label("valMemory", FormatByteSize(facts.FreePhysicalMemory)))}),
           }))}),
      Spacer(0, 1),
      Row({Button("btnHistory", "Version history..."), Button("btnCheck", "Check for updates"),
           Spacer(0, 1), Button("btnOK", "OK")}),
  });
}

TDialogOptions AboutOptions(const TFormEnvironment& environment) {
  TDialogOptions options;
  options.Title = "About Palvetta";
  options.Environment = environment;
  return options;
}

std::string RegistryText(HKEY root, const wchar_t* path, const wchar_t* name) {
  wchar_t buffer[256] = {};
  DWORD size = sizeof(buffer) - sizeof(wchar_t);
  if (RegGetValueW(root, path, name, RRF_RT_REG_SZ, nullptr, buffer, &size) != ERROR_SUCCESS) {
    return {};
  }
  return Narrow(buffer);
}

// The caller keeps the cursor it was given back.
class TBusyCursor {
 public:
  TBusyCursor() : FPrevious(SetCursor(LoadCursorW(nullptr, IDC_WAIT))) {}
  ~TBusyCursor() { SetCursor(FPrevious); }
  TBusyCursor(const TBusyCursor&) = delete;
  TBusyCursor& operator=(const TBusyCursor&) = delete;

 private:
  HCURSOR FPrevious;
};

TAboutBoxOptions WithProgramVersion(TAboutBoxOptions options) {
  if (options.ProgramVersion.empty()) options.ProgramVersion = GetAppVersion(false);
  return options;
}

}  // namespace

TSystemFacts ReadSystemFacts() {
  TSystemFacts facts;
  facts.ProductName = RegistryText(HKEY_LOCAL_MACHINE,
                                   L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion", L"ProductName");
  const TOS os = GetOsInfo();
  facts.MajorVersion = os.major;
  facts.BuildNumber = os.build;
  MEMORYSTATUSEX memory = {};
  memory.dwLength = sizeof(memory);
  if (GlobalMemoryStatusEx(&memory)) facts.FreePhysicalMemory = static_cast<int64_t>(memory.ullAvailPhys);
  return facts;
}

TfmAbt::TfmAbt(TAboutBoxOptions options)
    : FOptions(WithProgramVersion(std::move(options))),
      FDialog(AboutDescription(FOptions), AboutOptions(FOptions.Update.Environment)) {
  FDialog.OnClick("btnHistory", [this] {
    ShellOpen(FDialog.Handle(), VersionHistoryURL(FOptions.Update.Config));
  });
  FDialog.OnClick("btnCheck", [this] { CheckForUpdates(); });
}

void TfmAbt::Execute(HWND owner) {
  const auto shown = FDialog.OnShown;
  FDialog.OnShown = [this, shown](TDialog& dialog) {
    LoadProgramIcon();
    if (shown) shown(dialog);
  };
  FDialog.ShowModal(owner);
  FDialog.OnShown = shown;
}

void TfmAbt::LoadProgramIcon() {
  TIconControl& image = FDialog.IconOf("imgIcon");
  const int side = image.Side();
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  HICON icon = nullptr;
  if (side <= 128) {
    // The system's scaled loading draws the icon from its larger images; the import
    // library lacks it, so it is looked up.
    using TLoadScaled = HRESULT(WINAPI*)(HINSTANCE, PCWSTR, int, int, HICON*);
    const HMODULE controls = GetModuleHandleW(L"comctl32.dll");
    const auto loadScaled =
        controls ? reinterpret_cast<TLoadScaled>(reinterpret_cast<void*>(
                       GetProcAddress(controls, "LoadIconWithScaleDown")))
                 : nullptr;
    if (loadScaled && FAILED(loadScaled(instance, L"MAINICON", side, side, &icon))) icon = nullptr;
  }
  if (!icon) {
    icon = static_cast<HICON>(LoadImageW(instance, L"MAINICON", IMAGE_ICON, side, side, 0));
  }
  image.SetIcon(icon);
  FIcon.Reset(icon);
}

void TfmAbt::CheckForUpdates() {
  const HWND button = FDialog.Control("btnCheck");
  EnableWindow(button, FALSE);
  std::optional<std::string> latest;
  {
    const TBusyCursor busy;
    const std::string url =
        MakeUpdateQueryURL(FOptions.Update.Config, FOptions.ProgramVersion, FOptions.Store);
    latest = QueryLatestVersion(url, FOptions.Update.Config.QueryTimeoutMs);
  }
  EnableWindow(button, TRUE);
  if (!latest) {
    ShowMessageBox(FDialog.Handle(),
                   "Unable to check for updates. Please check your internet connection and try "
                   "again.",
                   "Palvetta", MB_OK | MB_ICONWARNING);
    return;
  }
  if (CompareVersions(FOptions.ProgramVersion, *latest) < 0) {
    TfrmChkUpdate update(FOptions.Update);
    if (OnUpdateDialogShown) {
      update.Form().OnShown = [this, &update](TDialog&) { OnUpdateDialogShown(update); };
    }
    update.Execute(*latest, FDialog.Handle());
    return;
  }
  ShowMessageBox(FDialog.Handle(), "You are running the latest version (" + FOptions.ProgramVersion + ").",
                 "Palvetta", MB_OK | MB_ICONINFORMATION);
}

}  // namespace palvetta
