// The program: applies the user's appearance, shows the main window and runs the message
// loop until it closes.

#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>

#include <cstdlib>
#include <string>

#include "app/update_rules.h"
#include "app/win/main_window.h"
#include "base/win/program.h"
#include "base/win/wide.h"
#include "editors/editor_spec.h"
#include "editors/win/item_editor_dialogs.h"
#include "gui/appearance.h"
#include "gui/win/action_binding.h"
#include "gui/win/form_environment.h"
#include "gui/win/open_windows.h"
#include "gui/win/registry_settings_store.h"
#include "gui/win/theme_painter.h"
#include "gui/win/ui_seams.h"
#include "items/item_families.h"

namespace palvetta {
namespace {

std::string ProgramFolder() {
  const std::wstring path = ProgramPath();
  return Narrow(path.substr(0, path.find_last_of(L"\\/") + 1));
}

// Asked only when the snippets are first read, after the window shows: the shell's DLLs
// load then instead of delaying the start.
std::string RoamingAppDataFolder() {
  wchar_t path[MAX_PATH] = {};
  if (FAILED(SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, path))) {
    return {};
  }
  return Narrow(path);
}

// The only argument the program looks at: the project file to open. The C run time has
// split the command line already (the shell's splitter would load its DLLs at start).
std::string FirstArgument() { return __argc > 1 && __wargv ? Narrow(__wargv[1]) : std::string(); }

int Run(int showCommand) {
  INITCOMMONCONTROLSEX init = {};
  init.dwSize = sizeof(init);
  init.dwICC = ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES | ICC_BAR_CLASSES;
  InitCommonControlsEx(&init);

  TRegistrySettingsStore settings;
  TThemePainter painter;
  TOpenWindows openWindows;
  TAppearance appearance(painter, openWindows);
  appearance.LoadAppearanceSettings(settings);
  // Windows made from now on start at the user's font size.
  openWindows.FontSizeChanged(appearance.GetFontSize());
  const TFormEnvironment environment{ProgramFolder() + "palvetta.chm", &painter, &openWindows};

  TItemEditorDialogs editors(AllEditorSpecs(&ProcessEnvironmentHas), environment);

  TMainWindowOptions options;
  options.Settings = &settings;
  options.Appearance = &appearance;
  options.AppDataFolder = &RoamingAppDataFolder;
  options.ProjectToOpen = FirstArgument();
  options.Editing = &editors;
  options.Environment = environment;
  options.Updates = &ShippedUpdateConfig();
  TfrmMain mainWindow(options);
  mainWindow.Show(showCommand);
  while (mainWindow.DispatchPending()) WaitMessage();
  return 0;
}

}  // namespace
}  // namespace palvetta

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int showCommand) {
  try {
    return palvetta::Run(showCommand);
  } catch (const std::exception& error) {
    palvetta::ShowMessageBox(nullptr, std::string("Palvetta cannot go on: ") + error.what(),
                             "Palvetta", MB_OK | MB_ICONERROR);
    return 1;
  }
}
