#include "app/win/main_window.h"

#include <commctrl.h>

#include <algorithm>
#include <stdexcept>

#include "app/help_contexts.h"
#include "app/palette.h"
#include "app/win/batch_preview.h"
#include "app/win/redirect_dialog.h"
#include "base/file_io.h"
#include "base/win/program.h"
#include "base/win/wide.h"
#include "gui/win/image_lists.h"
#include "gui/win/ui_seams.h"
#include "gui/win/view_bounds.h"
#include "gui/window_metrics.h"
#include "image_indexes.h"

namespace palvetta {
namespace {

constexpr std::string_view kWindowSection = "Window";
constexpr std::string_view kPaletteWidthKey = "TaskListWidth";

// The margins, fields and splitter the main window was drawn with: the defaults.
constexpr TWindowMetrics kMetrics;

const char* const kLevelTexts[] = {"Level: Super pro", "Level: Advanced", "Level: Basic"};
const char* const kFilterTypeTexts[] = {"Filter by title", "Filter by command",
                                        "Filter by title + command"};

HWND MakeChild(HWND parent, const wchar_t* cls, DWORD style, int id, DWORD exStyle = 0,
               std::string text = {}) {
  TControlArgs args;
  args.Parent = parent;
  args.ClassName = cls;
  args.Style = style;
  args.ExStyle = exStyle;
  args.Text = std::move(text);
  args.Pos = {0, 0, 10, 10};
  args.Id = id;
  return CreateControl(args);
}

void FillCombo(HWND combo, std::initializer_list<const char*> texts, int selected) {
  for (const char* text : texts) {
    SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(text).c_str()));
  }
  SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(selected), 0);
}

int ComboIndex(HWND combo) { return static_cast<int>(SendMessageW(combo, CB_GETCURSEL, 0, 0)); }

int WindowHeight(HWND window) {
  RECT r = {};
  GetWindowRect(window, &r);
  return r.bottom - r.top;
}

}  // namespace

TfrmMain::TfrmMain(TMainWindowOptions options)
    : TForm(options.Environment), FOptions(std::move(options)), FSplitter(kMetrics.Splitter) {
  if (!FOptions.Settings) throw std::invalid_argument("The main window needs a settings store");
  BindActions(FBinding);
  FApp = std::make_unique<TApplicationModel>();
  CreateActions();
  TWindowArgs args;
  args.ClassName = L"PalvettaMainWindow";
  args.Title = "Palvetta";
  args.Style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
  args.Pos = {static_cast<int>(CW_USEDEFAULT), static_cast<int>(CW_USEDEFAULT), 900, 600};
  Create(args);
  FormCreated();
  SetDesignHelpContext(MainWindowHelpContext);
  FSplitter.Attach(Handle(), Dpi());
  FSplitter.OnMoved = [this] { LayoutControls(); };
  CreateMenu();
  CreateControls();
  FRecent.Read(*FOptions.Settings);
  RebuildRecentMenu();
  Rescale(nullptr);
  RebuildList();
}

void TfrmMain::Place(HWND control, int left, int top, int width, int height) {
  // Moving a combo box also moves its drop-down window, which costs a round trip to the
  // window system under Wine: controls already in place are left alone.
  const TRect wanted = {left, top, std::max(0, width), std::max(0, height)};
  TRect& placed = FPlaced[control];
  if (placed == wanted) return;
  placed = wanted;
  if (control == FPalette.Handle() || control == FList.Handle()) {
    SetViewBounds(control, wanted);
    return;
  }
  SetWindowPos(control, nullptr, left, top, wanted.Width, wanted.Height,
               SWP_NOZORDER | SWP_NOACTIVATE);
}

TfrmMain::~TfrmMain() {
  // A window destroyed with its object (not closed) still keeps its recent files.
  if (Handle()) WriteRecentFiles();
}

HWND TfrmMain::FilterControl(std::string_view name) const {
  if (name == "cmbLevel") return FLevel;
  if (name == "edtFilter") return FFilter;
  if (name == "cmbFilterType") return FFilterType;
  throw std::logic_error("The main window has no filter control " + std::string(name));
}

// ---- Construction ----

void TfrmMain::CreateActions() {
  const auto always = [](TAction& a) { a.Enabled = true; };
  const auto hasItems = [this](TAction& a) { a.Enabled = FApp->Project().Count() > 0; };
  const auto hasSelection = [this](TAction& a) {
    a.Enabled = FApp->Project().Count() > 0 && FList.FirstSelected().has_value();
  };
  struct TSpec {
    const char* Name;
    const char* Caption;
    bool CaptionAsHint;
    std::function<void()> Execute;
    std::function<void(TAction&)> Update;
  };
  const TSpec specs[] = {
      {"actNewProject", "New project", false, [this] { if (ConfirmSaving()) NewProject(); }, always},
      {"actOpenProject", "Open Project...", false,
       [this] { if (ConfirmSaving()) OpenProject(""); }, always},
      {"actSaveProject", "Save Project...", false, [this] { Save(false); },
       [this](TAction& a) { a.Enabled = FModified; }},
      {"actSaveProjectAs", "Save Project As...", false, [this] { Save(true); },
       [this](TAction& a) { a.Enabled = !FApp->FileName.empty(); }},
      {"actSettings", "Settings...", false, [this] { OpenSettings(); },
       [this](TAction& a) { a.Enabled = FOptions.Appearance != nullptr; }},
      {"actExit", "Exit", false, [this] { PostMessageW(Handle(), WM_CLOSE, 0, 0); }, always},
      {"actMakeBatchFile", "Make Batch File...", false, [this] { MakeBatchFile(); }, hasItems},
      {"actPreviewBatchFile", "Preview Batch File", false, [this] { PreviewBatchFile(); },
       hasItems},
      {"actHelpContents", "Contents", false, [this] { ShowHelp(Handle(), Environment().HelpFile, 0); },
       always},
      {"actAbout", "About", false, [this] { ShowAbout(); }, always},
      {"actMoveUp", "Move up", true, [this] { MoveSelected(true); },
       [this](TAction& a) {
         const auto row = FList.FirstSelected();
         a.Enabled = FApp->Project().Count() > 0 && row && *row > 0;
       }},
      {"actMoveDown", "Move down", true, [this] { MoveSelected(false); },
       [this](TAction& a) {
         const auto row = FList.FirstSelected();
         a.Enabled = FApp->Project().Count() > 0 && row && *row + 1 < FApp->Project().Count();
       }},
      {"actDelete", "Delete item", true, [this] { DeleteSelected(); }, hasSelection},
      {"actDisable", "Disable item", true, [this] { DisableSelected(); }, hasSelection},
      {"actRedirectToFile", "Redirect to file...", false, [this] { RedirectSelected(); },
       hasSelection},
      {"actCreateSnippet", "Create snippet from selection", true, [this] { CreateSnippet(); },
       always},
  };
  for (const TSpec& spec : specs) {
    TAction action;
    action.Name = spec.Name;
    action.Caption = spec.Caption;
    if (spec.CaptionAsHint) action.Hint = spec.Caption;
    action.OnExecute = spec.Execute;
    action.OnUpdate = spec.Update;
    FActions.Add(std::move(action));
  }
}

void TfrmMain::CreateMenu() {
  FMenu = ::CreateMenu();
  FFileMenu = CreatePopupMenu();
  for (const char* name :
       {"actNewProject", "actOpenProject", "actSaveProject", "actSaveProjectAs", "-",
        "actSettings", "-", "actExit"}) {
    FBinding.AppendMenuItem(FFileMenu, name);
  }
  HMENU project = CreatePopupMenu();
  FBinding.AppendMenuItem(project, "actMakeBatchFile");
  FBinding.AppendMenuItem(project, "actPreviewBatchFile");
  HMENU help = CreatePopupMenu();
  FBinding.AppendMenuItem(help, "actHelpContents");
  FBinding.AppendMenuItem(help, "actAbout");
  AppendMenuW(FMenu, MF_POPUP, reinterpret_cast<UINT_PTR>(FFileMenu), L"&File");
  AppendMenuW(FMenu, MF_POPUP, reinterpret_cast<UINT_PTR>(project), L"&Project");
  AppendMenuW(FMenu, MF_POPUP, reinterpret_cast<UINT_PTR>(help), L"&Help");
  SetMenu(Handle(), FMenu);
  FBinding.BindMenu(FMenu);
}

void TfrmMain::CreateControls() {
  FImages = LoadImageStrip(L"CATALOGUE_IMAGES", L"CATALOGUE_IMAGES_32", Dpi());
  FToolbarImages = LoadImageStrip(L"TOOLBAR_IMAGES", L"TOOLBAR_IMAGES_32", Dpi());

  FToolbar = MakeChild(Handle(), TOOLBARCLASSNAMEW,
                       TBSTYLE_FLAT | TBSTYLE_TOOLTIPS | CCS_TOP | CCS_NODIVIDER, 0);
  FListToolbar = MakeChild(Handle(), TOOLBARCLASSNAMEW,
                           TBSTYLE_FLAT | TBSTYLE_TOOLTIPS | CCS_NORESIZE | CCS_NOPARENTALIGN |
                               CCS_NODIVIDER,
                           0);
  for (HWND toolbar : {FToolbar, FListToolbar}) {
    SendMessageW(toolbar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    if (FToolbarImages) {
      SendMessageW(toolbar, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(FToolbarImages.Get()));
    }
  }
  const struct {
    HWND Toolbar;
    const char* Action;
    int Image;
  } buttons[] = {
      {FToolbar, "actNewProject", tbiNewProject},
      {FToolbar, "actOpenProject", tbiOpenProject},
      {FToolbar, "actSaveProject", tbiSaveProject},
      {FToolbar, "actMakeBatchFile", tbiMakeBatchFile},
      {FToolbar, "actPreviewBatchFile", tbiPreviewBatchFile},
      {FToolbar, "actHelpContents", tbiHelpContents},
      {FListToolbar, "actMoveUp", tbiMoveUp},
      {FListToolbar, "actMoveDown", tbiMoveDown},
      {FListToolbar, "actDelete", tbiDeleteItem},
      {FListToolbar, "actDisable", tbiDisableItem},
  };
  for (const auto& button : buttons) {
    FBinding.AddToolbarButton(button.Toolbar, button.Action, FToolbarImages ? button.Image : I_IMAGENONE);
  }
  FBinding.BindToolbar(FToolbar);
  FBinding.BindToolbar(FListToolbar);

  FStatus = MakeChild(Handle(), STATUSCLASSNAMEW, SBARS_SIZEGRIP, 0);

  FLevel = MakeChild(Handle(), WC_COMBOBOXW, CBS_DROPDOWNLIST | WS_TABSTOP | WS_VSCROLL, kLevelId);
  FillCombo(FLevel, {kLevelTexts[0], kLevelTexts[1], kLevelTexts[2]},
            static_cast<int>(FItemFilter.FCommandLevel));
  FFilter = MakeChild(Handle(), WC_EDITW, ES_AUTOHSCROLL | WS_TABSTOP, kFilterId, WS_EX_CLIENTEDGE);
  FFilterClear = MakeChild(Handle(), WC_BUTTONW, BS_PUSHBUTTON | WS_TABSTOP, kFilterClearId, 0,
                           "\u00D7");
  FFilterType = MakeChild(Handle(), WC_COMBOBOXW, CBS_DROPDOWNLIST | WS_TABSTOP | WS_VSCROLL,
                          kFilterTypeId);
  FillCombo(FFilterType, {kFilterTypeTexts[0], kFilterTypeTexts[1], kFilterTypeTexts[2]},
            static_cast<int>(FItemFilter.FTextFilterType));

  FPalette.Create(Handle(), kPaletteId);
  FList.Create(Handle(), kListId);
  if (FImages) {
    FPalette.SetImages(FImages.Get());
    FList.SetImages(FImages.Get());
  }
}

void TfrmMain::RebuildRecentMenu() {
  for (UINT id = kRecentFirstId; id <= kRecentSeparatorId; ++id) {
    DeleteMenu(FFileMenu, id, MF_BYCOMMAND);
  }
  // The recent files follow the separator after "Save Project As...", with a separator
  // of their own after them only when there are any.
  constexpr UINT kFirstRecentPosition = 5;
  const UINT count = static_cast<UINT>(FRecent.Count());
  for (UINT i = 0; i < count; ++i) {
    InsertMenuW(FFileMenu, kFirstRecentPosition + i, MF_BYPOSITION | MF_STRING, kRecentFirstId + i,
                Widen(FRecent.Caption(static_cast<int>(i))).c_str());
  }
  if (count > 0) {
    InsertMenuW(FFileMenu, kFirstRecentPosition + count, MF_BYPOSITION | MF_SEPARATOR,
                kRecentSeparatorId, nullptr);
  }
}

// ---- Layout ----

void TfrmMain::Rescale(const TRect* suggested) {
  FFont = CreateMessageFont(FontPoints(), Dpi());
  FLineHeight = TGdiTextMeasurer(FFont.Get()).LineHeight();
  for (HWND control : {FLevel, FFilter, FFilterClear, FFilterType, FPalette.Handle(),
                       FList.Handle(), FStatus}) {
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(FFont.Get()), TRUE);
  }
  FList.FitCaptions();
  FPlaced.clear();  // heights follow the font
  FSplitter.SetDpi(Dpi());
  if (suggested) {
    SetWindowPos(Handle(), nullptr, suggested->Left, suggested->Top, suggested->Width,
                 suggested->Height, SWP_NOZORDER | SWP_NOACTIVATE);
  }
  LayoutControls();
  // Controls that shrank with the font leave their larger selves in the gaps between
  // them, which nothing else repaints.
  RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void TfrmMain::LayoutControls() {
  // Until the window is first shown its size is not final; one layout then does it all.
  if (!FShownOnce) return;
  RECT client = {};
  GetClientRect(Handle(), &client);
  SendMessageW(FToolbar, TB_AUTOSIZE, 0, 0);
  SendMessageW(FStatus, WM_SIZE, 0, 0);
  // The status bar keeps the pixels it had where it still lies, the size grip among them:
  // painted whole, the grip shows only at its new place.
  InvalidateRect(FStatus, nullptr, TRUE);
  const int top = WindowHeight(FToolbar);
  FSplitter.MoveTo(FSplitter.Position(), client.right);
  const TBand band = {top, client.bottom - WindowHeight(FStatus),
                      FromDesign(kMetrics.Margin, Dpi()), FLineHeight,
                      FLineHeight + FromDesign(kMetrics.FieldPadding, Dpi())};
  LayoutPalette(band);
  LayoutProjectList(band, client.right);
}

// The palette left of the splitter: level, filter text with its clear button, filter
// type, then the tree.
void TfrmMain::LayoutPalette(const TBand& band) {
  const int margin = band.Margin;
  const int fieldHeight = band.FieldHeight;
  const int comboHeight = fieldHeight + kMetrics.DropDownLines * band.LineHeight;
  const int left = margin;
  const int width = FSplitter.Position() - margin;
  int y = band.Top + margin;
  Place(FLevel, left, y, width, comboHeight);
  y += WindowHeight(FLevel) + margin;
  const int clearWidth = fieldHeight;
  Place(FFilter, left, y, width - clearWidth - margin / 2, fieldHeight);
  Place(FFilterClear, left + width - clearWidth, y, clearWidth, fieldHeight);
  y += fieldHeight + margin;
  Place(FFilterType, left, y, width, comboHeight);
  y += WindowHeight(FFilterType) + margin;
  Place(FPalette.Handle(), left, y, width, band.Bottom - margin - y);
}

// The project list with its tool bar, right of the splitter.
void TfrmMain::LayoutProjectList(const TBand& band, int clientWidth) {
  const int margin = band.Margin;
  const int left = FSplitter.End();
  const int width = std::max(0, clientWidth - left - margin);
  SIZE buttons = {};
  SendMessageW(FListToolbar, TB_GETMAXSIZE, 0, reinterpret_cast<LPARAM>(&buttons));
  const int toolbarHeight = std::max<int>(buttons.cy, band.FieldHeight);
  Place(FListToolbar, left, band.Top + margin, width, toolbarHeight);
  const int listTop = band.Top + margin + toolbarHeight + margin / 2;
  Place(FList.Handle(), left, listTop, width, band.Bottom - margin - listTop);
  FList.FitColumns();
}

// ---- State shown ----

void TfrmMain::SetModified(bool modified) {
  FModified = modified;
  PostMessageW(Handle(), kModifiedChanged, 0, 0);
}

std::string TfrmMain::StatusText() const {
  wchar_t text[64] = {};
  SendMessageW(FStatus, SB_GETTEXTW, 0, reinterpret_cast<LPARAM>(text));
  return Narrow(text);
}

void TfrmMain::UpdateCaption() {
  const std::string name = FApp->FileName.empty() ? "Untitled.kwj" : FApp->FileName;
  SetWindowTextUtf8(Handle(), "Palvetta v." + GetAppVersion(false) + " - " + name);
}

void TfrmMain::RebuildList() {
  UpdateCaption();
  FList.SetSource(&FApp->Project(), &FApp->Registry());
  FList.Rebuild();
}

void TfrmMain::RebuildPalette() {
  FPalette.Fill(BuildPalette(FApp->Registry(), FApp->Snippets(), FItemFilter));
}

void TfrmMain::ApplyFilter() {
  FItemFilter.FCommandLevel = static_cast<TCommandLevel>(std::max(0, ComboIndex(FLevel)));
  FItemFilter.FTextFilterType =
      static_cast<TTextFilterType>(std::max(0, ComboIndex(FFilterType)));
  FItemFilter.FText = WindowText(FFilter);
  RebuildPalette();
}

// ---- Start-up ----

void TfrmMain::Show(int showCommand) {
  RestorePlacement(*FOptions.Settings, kWindowSection);
  FPaletteWidthRestored = RestorePaletteWidth();
  FShownOnce = true;
  LayoutControls();
  ShowForm(showCommand);
  if (FOptions.Updates) SetTimer(Handle(), kUpdateTimerId, kUpdateTimerMs, nullptr);
}

bool TfrmMain::RestorePaletteWidth() {
  const int saved = FOptions.Settings->ReadInteger(kWindowSection, kPaletteWidthKey, 0);
  if (saved < 1) return false;
  RECT client = {};
  GetClientRect(Handle(), &client);
  int available = client.right;
  if (IsZoomed(Handle())) {
    available = ChooseWorkArea(CurrentMonitors(), Facts().Bounds, {}).Width;
  }
  FSplitter.MoveTo(FromDesign(saved, Dpi()), available);
  return true;
}

void TfrmMain::WidenPaletteForItsRows() {
  const int wanted = FromDesign(kMetrics.Margin, Dpi()) + FPalette.WidthShowingEveryRow();
  if (wanted <= FSplitter.Position()) return;
  RECT client = {};
  GetClientRect(Handle(), &client);
  FSplitter.MoveTo(wanted, client.right);
  LayoutControls();
}

void TfrmMain::FirstActivation() {
  // A damaged snippet file costs only that snippet: the user learns which file it was,
  // and the palette and the project named on the command line still come up.
  try {
    const std::string appData = FOptions.AppDataFolder ? FOptions.AppDataFolder() : std::string();
    const std::vector<TSnippetLoadError> errors = FApp->ReadSnippets(appData);
    if (!errors.empty()) {
      std::string message = "These snippet files could not be read and were left out:";
      for (const TSnippetLoadError& error : errors) {
        message += "\r\n" + error.FileName + ": " + error.Message;
      }
      ShowMessageBox(Handle(), message, "Palvetta", MB_OK | MB_ICONWARNING);
    }
  } catch (const std::exception& error) {
    ShowError(std::string("The snippets could not be read: ") + error.what());
  }
  ApplyFilter();
  if (!FPaletteWidthRestored) WidenPaletteForItsRows();
  const std::string& project = FOptions.ProjectToOpen;
  if (project.empty() || !IsExistingFile(project) || !OpenProject(project)) NewProject();
}

bool TfrmMain::CanClose() {
  if (!ConfirmSaving()) return false;
  FRecent.Add(FApp->FileName);
  SavePlacementAndWidth();
  return true;
}

void TfrmMain::SavePlacementAndWidth() {
  SavePlacement(*FOptions.Settings, kWindowSection);
  try {
    FOptions.Settings->WriteInteger(kWindowSection, kPaletteWidthKey,
                                    ToDesign(FSplitter.Position(), Dpi()));
  } catch (const std::exception&) {
    // The width is a convenience; a store that refuses it costs nothing else.
  }
}

void TfrmMain::WriteRecentFiles() {
  try {
    FRecent.Write(*FOptions.Settings);
  } catch (const std::exception&) {
    // Losing the recent-files list is not worth stopping the program for.
  }
}

}  // namespace palvetta
