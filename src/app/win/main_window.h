#pragma once
// The program's main window: the command palette on the left, the project list on the
// right, a menu bar, a tool bar and a status bar. It owns the application object and
// performs every user command through its actions.

#include <windows.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>

#include "app/application_model.h"
#include "app/item_filter.h"
#include "app/recent_files.h"
#include "app/update_rules.h"
#include "app/win/update_dialog.h"
#include "app/win/update_install.h"
#include "app/win/update_workers.h"
#include "app/win/palette_view.h"
#include "app/win/project_list_view.h"
#include "editors/win/item_editing.h"
#include "gui/actions.h"
#include "gui/appearance.h"
#include "gui/settings_store.h"
#include "gui/win/action_binding.h"
#include "gui/win/form.h"
#include "gui/win/gdi_text_measurer.h"
#include "gui/win/splitter.h"

namespace palvetta {

class TDialog;
class TfrmBatchPreview;
class TfrmRedirectToFile;
class TfmAbt;
class TfrmChkUpdate;

struct TMainWindowOptions {
  TSettingsStore* Settings = nullptr;    // the window's placement, recent files
  TAppearance* Appearance = nullptr;     // for the settings dialog; none: no settings
  // Finds the folder the user's snippets live below; asked when they are first read.
  std::function<std::string()> AppDataFolder;
  std::string ProjectToOpen;             // opened on the first activation when not empty
  IItemEditing* Editing = nullptr;       // opens an item's editor; none: nothing to edit
  bool QuitWhenClosed = true;            // the program ends with its main window
  TFormEnvironment Environment;          // also the one of the dialogs the window makes
  // Where updates come from; none: no check a few seconds after start-up.
  const TUpdateConfig* Updates = nullptr;
  // What the update dialog needs beyond the configuration (tests replace the launch).
  TInstallerLauncher LaunchInstaller = ShellStartInstaller;
  std::function<void()> EndProgram = [] { PostQuitMessage(0); };
  std::string ProgramVersion;  // three parts; empty: the program's own
};

class TfrmMain : public TForm {
 public:
  explicit TfrmMain(TMainWindowOptions options);
  ~TfrmMain() override;

  // Shows the window after restoring its placement.
  void Show(int showCommand);

  TApplicationModel& App() { return *FApp; }
  TActionList& Actions() { return FActions; }
  TActionBinding& Binding() { return FBinding; }
  TPaletteView& Palette() { return FPalette; }
  TProjectListView& ProjectList() { return FList; }
  const TRecentFiles& RecentFiles() const { return FRecent; }
  HWND FilterControl(std::string_view name) const;  // cmbLevel, edtFilter, cmbFilterType

  bool Modified() const { return FModified; }
  std::string StatusText() const;
  bool Activated() const { return FActivated; }

  // What the palette's double-click and a drop on the project list do: adds the
  // node's item class or copies the snippet's items at the position (-1 appends).
  void AddFromPalette(const TPaletteNode& node, int position);
  // A drop of the palette's tree item at a point of the project list's client area.
  // false when the item cannot be dropped.
  bool DropOnList(HTREEITEM item, POINT listClient);
  // What a double-click on a row does: the item's editor with its help context.
  void EditRow(int row);
  // Opens the project (empty: asks for a file); false when it was not opened.
  bool OpenProject(const std::string& fileName);
  // Copies the filter controls into the filter and rebuilds the palette.
  void ApplyFilter();
  // Opens the recent file at the index after confirming to save.
  void OpenRecent(int index);

  bool ShowContextHelp() override;

  // The program's message loop step: dispatches what is waiting (F1 anywhere in the
  // window opens its help, Tab moves the focus), then updates the actions. false once
  // the program quits.
  bool DispatchPending();

  // The preview and the redirect dialog, made on first use and kept.
  TfrmBatchPreview& Preview();
  TfrmRedirectToFile& RedirectDialog();
  // Runs when the snippet name box shows (tests answer it from there).
  std::function<void(TDialog&)> OnInputBoxShown;
  // Run when the About box and the update dialog show (tests act on them from there).
  std::function<void(TfmAbt&)> OnAboutShown;
  std::function<void(TfrmChkUpdate&)> OnUpdateDialogShown;
  // The start-up check: started by its timer, gone once it reported.
  TUpdateCheckThread* StartupUpdateThread() { return FStartupUpdateThread.get(); }
  // What the update dialog's "Update Now" asks first; false stops the update.
  bool ConfirmSavingForUpdate() { return ConfirmSaving(); }

 protected:
  LRESULT HandleFormMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void Rescale(const TRect* suggested) override;

 private:
  // Posted by SetModified, so the status bar follows after the command.
  static constexpr UINT kModifiedChanged = WM_USER + 1;
  static constexpr UINT kFirstActivation = WM_USER + 2;
  static constexpr UINT_PTR kUpdateTimerId = 1;
  static constexpr UINT kUpdateTimerMs = 4000;
  static constexpr int kListId = 1001;
  static constexpr int kPaletteId = 1002;
  static constexpr int kLevelId = 1003;
  static constexpr int kFilterId = 1004;
  static constexpr int kFilterClearId = 1005;
  static constexpr int kFilterTypeId = 1006;
  static constexpr UINT kRecentFirstId = 41000;
  static constexpr UINT kRecentSeparatorId =
      kRecentFirstId + static_cast<UINT>(TRecentFiles::kMaxCount);

  // The client area between the tool bar and the status bar, and the sizes of its rows.
  struct TBand {
    int Top;
    int Bottom;
    int Margin;
    int LineHeight;
    int FieldHeight;  // a one-line field
  };

  void CreateActions();
  void CreateMenu();
  void CreateControls();
  void RebuildRecentMenu();
  void LayoutControls();
  void LayoutPalette(const TBand& band);
  void LayoutProjectList(const TBand& band, int clientWidth);
  void Place(HWND control, int left, int top, int width, int height);
  void FirstActivation();
  void SetModified(bool modified);
  void UpdateCaption();
  void RebuildList();
  void RebuildPalette();

  // Document commands.
  bool ConfirmSaving();
  void NewProject();
  bool Save(bool saveAs);
  void MakeBatchFile();
  void PreviewBatchFile();
  void MoveSelected(bool up);
  void DeleteSelected();
  void DisableSelected();
  void RedirectSelected();
  void CreateSnippet();
  bool CanClose();
  void SavePlacementAndWidth();
  void WriteRecentFiles();
  bool RestorePaletteWidth();
  void WidenPaletteForItsRows();
  void OpenSettings();
  void ShowAbout();
  void StartUpdateCheck();
  void UpdateCheckDone(TUpdateCheckThread& thread);
  void ShowUpdateDialog(const std::string& latestVersion, HWND owner);
  TUpdateDialogOptions UpdateDialogOptions();
  std::string ThreePartVersion() const;
  void ShowError(const std::string& message);

  // Messages.
  void HandleCommand(UINT id, UINT code);
  bool HandleNotify(const NMHDR& header, LRESULT& result);
  bool HandleContextMenu(HWND source, LPARAM lParam);
  void HandleActivate(WORD state);
  void ShowModifiedState();
  void HandleDestroy();
  void ShowListContextMenu(POINT screen);
  void BeginPaletteDrag(HTREEITEM item);
  void ShowPaletteDragCursor();
  void EndPaletteDrag(bool drop);

  TMainWindowOptions FOptions;
  std::unique_ptr<TApplicationModel> FApp;
  TItemFilter FItemFilter;
  TRecentFiles FRecent;
  TActionList FActions;
  TActionBinding FBinding{FActions};
  bool FModified = false;
  bool FActivated = false;

  HMENU FMenu = nullptr;
  HMENU FFileMenu = nullptr;
  HWND FToolbar = nullptr;
  HWND FListToolbar = nullptr;
  HWND FStatus = nullptr;
  HWND FLevel = nullptr;
  HWND FFilter = nullptr;
  HWND FFilterClear = nullptr;
  HWND FFilterType = nullptr;
  TPaletteView FPalette;
  TProjectListView FList;
  TScopedImageList FImages;
  TScopedImageList FToolbarImages;
  TScopedFont FFont;
  int FLineHeight = 0;  // of FFont
  TSplitter FSplitter;  // between the palette and the project list
  bool FShownOnce = false;
  bool FPaletteWidthRestored = false;  // else the palette widens for its rows once filled
  std::map<HWND, TRect> FPlaced;  // the bounds each control was last given
  HTREEITEM FDragItem = nullptr;

  std::unique_ptr<TfrmBatchPreview> FPreview;
  std::unique_ptr<TfrmRedirectToFile> FRedirect;
  std::unique_ptr<TUpdateCheckThread> FStartupUpdateThread;
};

}  // namespace palvetta
