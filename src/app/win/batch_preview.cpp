#include "app/win/batch_preview.h"

#include <commctrl.h>
#include <richedit.h>
#include <windowsx.h>

#include <algorithm>

#include "app/rtf_text.h"
#include "base/code_page.h"
#include "base/win/wide.h"
#include "gui/theme_palettes.h"
#include "gui/win/rich_edit.h"
#include "gui/win/theme_painter.h"

namespace palvetta {
namespace {

constexpr const char* kEditorFont = "Consolas";
// The window's size at 96 dpi with the default font of 12 pixels; it grows with both.
constexpr int kDesignWidth = 640;
constexpr int kDesignHeight = 480;
constexpr int kDesignFontPixels = 12;
constexpr DWORD kStyle =
    WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MAXIMIZEBOX | WS_CLIPCHILDREN;

enum class TEnabledWhen { ewSelection, ewCanPaste, ewCanUndo, ewHasText };

// The standard edit commands, each one message to the editor.
struct TEditCommand {
  const char* Name;
  const char* Caption;
  const char* Hint;
  const char* Shortcut;
  WORD Key;
  bool Control;
  UINT Message;
  LPARAM LParam;
  TEnabledWhen When;
};

constexpr TEditCommand kEditCommands[] = {
    {"actEditCut", "Cu&t", "Cuts the selection and puts it on the Clipboard", "Ctrl+X", 'X', true,
     WM_CUT, 0, TEnabledWhen::ewSelection},
    {"actEditCopy", "&Copy", "Copies the selection and puts it on the Clipboard", "Ctrl+C", 'C',
     true, WM_COPY, 0, TEnabledWhen::ewSelection},
    {"actEditPaste", "&Paste", "Inserts Clipboard contents", "Ctrl+V", 'V', true, WM_PASTE, 0,
     TEnabledWhen::ewCanPaste},
    {"actEditSelectAll", "Select &All", "Selects the entire document", "Ctrl+A", 'A', true,
     EM_SETSEL, -1, TEnabledWhen::ewHasText},
    {"actEditUndo", "&Undo", "Reverts the last action", "Ctrl+Z", 'Z', true, EM_UNDO, 0,
     TEnabledWhen::ewCanUndo},
    {"actEditDelete", "&Delete", "Erases the selection", "Del", VK_DELETE, false, WM_CLEAR, 0,
     TEnabledWhen::ewSelection},
};

constexpr const char* kCopy = "actEditCopy";

bool EndsWithLineBreak(std::string_view text) {
  return !text.empty() && (text.back() == '\n' || text.back() == '\r');
}

bool IsWithin(HWND window, HWND ancestor) {
  return window == ancestor || IsChild(ancestor, window);
}

bool CommandAvailable(HWND editor, TEnabledWhen when) {
  switch (when) {
    case TEnabledWhen::ewSelection: {
      CHARRANGE selection = {};
      SendMessageW(editor, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&selection));
      return selection.cpMin != selection.cpMax;
    }
    case TEnabledWhen::ewCanPaste:
      return SendMessageW(editor, EM_CANPASTE, 0, 0) != 0;
    case TEnabledWhen::ewCanUndo:
      return SendMessageW(editor, EM_CANUNDO, 0, 0) != 0;
    case TEnabledWhen::ewHasText:
      return GetWindowTextLengthW(editor) > 0;
  }
  return false;
}

constexpr TRgb ToRgb(COLORREF color) {
  return (static_cast<TRgb>(GetRValue(color)) << 16) | (static_cast<TRgb>(GetGValue(color)) << 8) |
         GetBValue(color);
}

// The theme's highlighter colours; a theme keeping the system look still has them, and
// before any theme is chosen (or without a painter) the system look's row ("Default")
// stands in.
const THighlighterColors& HighlighterColors(const TThemePainter* painter) {
  const TThemePalette* palette = painter ? painter->CurrentPalette() : nullptr;
  if (!palette) palette = FindThemePalette(ThemeTable.front().DisplayName);
  return palette->Colors.Highlighter;
}

// The background every other edit of the theme has.
TRgb EditorBackground(const TThemePainter* painter) {
  return ToRgb(painter ? painter->ControlColor() : GetSysColor(COLOR_WINDOW));
}

// The tool bar lies on the themed window colour, so its button texts take the theme's text
// colours; with the system look it draws itself.
LRESULT PaintToolbarButton(const TThemePainter* painter, NMTBCUSTOMDRAW& draw) {
  if (!painter || painter->UsesSystemColors()) return CDRF_DODEFAULT;
  if (draw.nmcd.dwDrawStage == CDDS_PREPAINT) return CDRF_NOTIFYITEMDRAW;
  if (draw.nmcd.dwDrawStage != CDDS_ITEMPREPAINT) return CDRF_DODEFAULT;
  const bool disabled = (draw.nmcd.uItemState & (CDIS_DISABLED | CDIS_GRAYED)) != 0;
  draw.clrText = disabled ? painter->DisabledTextColor() : painter->TextColor();
  draw.clrBtnFace = painter->WindowColor();
  return TBCDRF_USECDCOLORS | TBCDRF_NOETCHEDEFFECT;
}

}  // namespace

TfrmBatchPreview::TfrmBatchPreview(const TFormEnvironment& environment) : TForm(environment) {
  BindActions(FBinding);
  TWindowArgs args;
  args.ClassName = L"PalvettaBatchPreview";
  args.Title = "Preview Batch File";
  args.Style = kStyle;
  args.Pos = {static_cast<int>(CW_USEDEFAULT), static_cast<int>(CW_USEDEFAULT), kDesignWidth,
              kDesignHeight};
  Create(args);
  FormCreated();
  AddEditActions();
  CreateControls();
  const int scale = Dpi() * FontSizeToPixels(FontPoints());
  const int unit = 96 * kDesignFontPixels;
  SetWindowPos(Handle(), nullptr, 0, 0, MulDiv(kDesignWidth, scale, unit),
               MulDiv(kDesignHeight, scale, unit), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  FScale = scale;
  ApplyFonts();
  LayoutControls();
}

TfrmBatchPreview::~TfrmBatchPreview() = default;

void TfrmBatchPreview::AddEditActions() {
  for (const TEditCommand& command : kEditCommands) {
    TAction action;
    action.Name = command.Name;
    action.Caption = command.Caption;
    action.Hint = command.Hint;
    action.Shortcut = command.Shortcut;
    action.OnExecute = [this, &command] {
      SendMessageW(FEditor, command.Message, 0, command.LParam);
    };
    action.OnUpdate = [this, &command](TAction& self) {
      self.Enabled = CommandAvailable(FEditor, command.When);
    };
    FActions.Add(std::move(action));
  }
}

void TfrmBatchPreview::CreateControls() {
  TControlArgs toolbar;
  toolbar.Parent = Handle();
  toolbar.ClassName = TOOLBARCLASSNAMEW;
  toolbar.Style = TBSTYLE_FLAT | TBSTYLE_LIST | TBSTYLE_TOOLTIPS | CCS_TOP | CCS_NODIVIDER;
  FToolbar = CreateControl(toolbar);
  SendMessageW(FToolbar, TB_SETBITMAPSIZE, 0, MAKELPARAM(0, 0));
  // A text button: the preview does not depend on an image list.
  FBinding.AddToolbarButton(FToolbar, kCopy, I_IMAGENONE);
  const std::wstring caption = Widen(StripAccelerator(FActions.Get(kCopy).Caption));
  TBBUTTONINFOW info = {};
  info.cbSize = sizeof(info);
  info.dwMask = TBIF_TEXT | TBIF_STYLE;
  info.fsStyle = BTNS_BUTTON | BTNS_AUTOSIZE | BTNS_SHOWTEXT;
  info.pszText = const_cast<wchar_t*>(caption.c_str());
  SendMessageW(FToolbar, TB_SETBUTTONINFOW, FBinding.CommandId(kCopy),
               reinterpret_cast<LPARAM>(&info));
  FBinding.BindToolbar(FToolbar);

  TControlArgs tabs;
  tabs.Parent = Handle();
  tabs.ClassName = WC_TABCONTROLW;
  tabs.Style = WS_CLIPSIBLINGS | WS_TABSTOP;
  FTabs = CreateControl(tabs);

  TControlArgs editor;
  editor.Parent = Handle();
  editor.ClassName = RichEditClass();
  editor.Style = WS_TABSTOP | WS_VSCROLL | WS_HSCROLL | ES_MULTILINE | ES_AUTOVSCROLL |
                 ES_AUTOHSCROLL | ES_NOHIDESEL | ES_WANTRETURN;
  editor.ExStyle = WS_EX_CLIENTEDGE;
  FEditor = CreateControl(editor);
  // Batch lines are not wrapped (no target device with a line width of 1).
  SendMessageW(FEditor, EM_SETTARGETDEVICE, 0, 1);
  SendMessageW(FEditor, EM_EXLIMITTEXT, 0, 0x7FFFFFFF);
}

void TfrmBatchPreview::Init(const TCreatedFiles& createdFiles) {
  FCreatedFiles = &createdFiles;
  SendMessageW(FEditor, EM_SETREADONLY, FALSE, 0);
  SendMessageW(FToolbar, TB_HIDEBUTTON, FBinding.CommandId(kCopy), MAKELPARAM(FALSE, 0));
  TabCtrl_DeleteAllItems(FTabs);
  if (createdFiles.Count() > 1) {
    for (int i = 0; i < createdFiles.Count(); ++i) {
      std::wstring name = Widen(createdFiles.Items(i).Name);
      TCITEMW item = {};
      item.mask = TCIF_TEXT;
      item.pszText = name.data();
      TabCtrl_InsertItem(FTabs, i, &item);
    }
    TabCtrl_SetCurSel(FTabs, 0);
  }
  LayoutControls();
  LoadFile(0);
  FBinding.OnIdle();
}

void TfrmBatchPreview::SelectTab(int index) {
  TabCtrl_SetCurSel(FTabs, index);
  LoadFile(index);
}

void TfrmBatchPreview::LoadFile(int index) {
  if (!FCreatedFiles || index < 0 || index >= FCreatedFiles->Count()) {
    SetWindowTextW(FEditor, L"");
    return;
  }
  // Created files hold the bytes that will be written, in the ANSI code page.
  const std::string text = BatchCodePage().ToUtf8(FCreatedFiles->Items(index).Stream);
  const TThemePainter* painter = Environment().ThemePainter;
  const TRgb background = EditorBackground(painter);
  SendMessageW(FEditor, EM_SETBKGNDCOLOR, 0, ToColorRef(background));
  StreamInRtf(FEditor, BatchToRtf(text, HighlighterColors(painter), background, kEditorFont,
                                  FontPoints()));
  // RichEdit takes the last paragraph mark of RTF for the end mark every document has, so
  // the file's final line break is put back: the editor is to hold exactly the file.
  if (EndsWithLineBreak(text) && !EndsWithLineBreak(RichEditText(FEditor))) {
    AppendText(FEditor, "\r");
  }
  SendMessageW(FEditor, EM_EMPTYUNDOBUFFER, 0, 0);
  SendMessageW(FEditor, EM_SETMODIFY, FALSE, 0);
  SendMessageW(FEditor, EM_SETSEL, 0, 0);
  SendMessageW(FEditor, EM_SCROLLCARET, 0, 0);
}

void TfrmBatchPreview::ShowModal(HWND owner) {
  RunModal(owner, 0, [this] {
    SetFocus(FEditor);
    if (OnShown) OnShown(*this);
  });
}

void TfrmBatchPreview::ApplyFonts() {
  FFont = CreateMessageFont(FontPoints(), Dpi());
  for (HWND control : {FToolbar, FTabs}) {
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(FFont.Get()), TRUE);
  }
  // The size only, so that colours and the user's edits stay.
  CHARFORMAT2W format = {};
  format.cbSize = sizeof(format);
  format.dwMask = CFM_SIZE;
  format.yHeight = FontPoints() * 20;
  SendMessageW(FEditor, EM_SETCHARFORMAT, SCF_ALL, reinterpret_cast<LPARAM>(&format));
}

void TfrmBatchPreview::Rescale(const TRect* suggested) {
  ApplyFonts();
  const int scale = Dpi() * FontSizeToPixels(FontPoints());
  if (suggested) {
    SetWindowPos(Handle(), nullptr, suggested->Left, suggested->Top, suggested->Width,
                 suggested->Height, SWP_NOZORDER | SWP_NOACTIVATE);
  } else if (scale != FScale && !IsZoomed(Handle())) {
    // The window grows and shrinks with its text.
    RECT r = {};
    GetWindowRect(Handle(), &r);
    SetWindowPos(Handle(), nullptr, 0, 0, MulDiv(r.right - r.left, scale, FScale),
                 MulDiv(r.bottom - r.top, scale, FScale),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  FScale = scale;
  LayoutControls();
  InvalidateRect(Handle(), nullptr, TRUE);
}

void TfrmBatchPreview::LayoutControls() {
  if (!FEditor) return;  // sized while being created
  RECT client = {};
  GetClientRect(Handle(), &client);
  SendMessageW(FToolbar, TB_AUTOSIZE, 0, 0);
  const TRect bar = RectInParent(FToolbar);
  RECT area = {0, bar.Bottom(), client.right,
               std::max(bar.Bottom(), static_cast<int>(client.bottom))};
  RECT editor = area;
  const bool tabbed = TabCtrl_GetItemCount(FTabs) > 1;
  if (tabbed) {
    MoveWindow(FTabs, area.left, area.top, area.right - area.left, area.bottom - area.top, TRUE);
    RECT display = {0, 0, area.right - area.left, area.bottom - area.top};
    TabCtrl_AdjustRect(FTabs, FALSE, &display);
    editor = {display.left, area.top + display.top, display.right, area.top + display.bottom};
  }
  ShowWindow(FTabs, tabbed ? SW_SHOWNA : SW_HIDE);
  // Above the tab control, which clips itself around it.
  SetWindowPos(FEditor, HWND_TOP, editor.left, editor.top,
               std::max(0, static_cast<int>(editor.right - editor.left)),
               std::max(0, static_cast<int>(editor.bottom - editor.top)), SWP_NOACTIVATE);
}

// A shortcut runs its action only when the action is enabled; otherwise the key is the
// editor's (Del without a selection deletes the next character).
bool TfrmBatchPreview::RunShortcut(const MSG& message) {
  if (message.message != WM_KEYDOWN || !IsWithin(message.hwnd, Handle())) return false;
  if (GetKeyState(VK_MENU) < 0 || GetKeyState(VK_SHIFT) < 0) return false;
  const bool control = GetKeyState(VK_CONTROL) < 0;
  for (const TEditCommand& command : kEditCommands) {
    if (command.Key != message.wParam || command.Control != control) continue;
    return FActions.Execute(command.Name) == TExecuteResult::erExecuted;
  }
  return false;
}

bool TfrmBatchPreview::PreTranslateModal(const MSG& message) { return RunShortcut(message); }

LRESULT TfrmBatchPreview::HandleFormMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_NOTIFY: {
      const auto* header = reinterpret_cast<const NMHDR*>(lParam);
      if (header->hwndFrom == FTabs && header->code == TCN_SELCHANGE) {
        LoadFile(TabCtrl_GetCurSel(FTabs));
        return 0;
      }
      if (header->hwndFrom == FToolbar && header->code == NM_CUSTOMDRAW) {
        return PaintToolbarButton(Environment().ThemePainter,
                                  *reinterpret_cast<NMTBCUSTOMDRAW*>(lParam));
      }
      break;
    }
    case WM_CONTEXTMENU: {
      if (reinterpret_cast<HWND>(wParam) != FEditor) break;
      POINT at = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
      if (at.x == -1 && at.y == -1) {
        // From the keyboard: at the editor's top left corner.
        at = {4, 4};
        ClientToScreen(FEditor, &at);
      }
      FBinding.ShowContextMenu(Handle(), at, {kCopy});
      return 0;
    }
    case WM_CLOSE:
      // Closing ends the showing; the window stays for the next one.
      Close();
      if (!IsRunning()) ShowWindow(Handle(), SW_HIDE);
      return 0;
    case WM_SIZE:
      LayoutControls();
      return 0;
    default:
      break;
  }
  return TForm::HandleFormMessage(message, wParam, lParam);
}

}  // namespace palvetta
