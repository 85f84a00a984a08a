#include "gui/win/dialog.h"

#include <commctrl.h>

#include <algorithm>
#include <charconv>
#include <stdexcept>

#include "base/win/wide.h"
#include "gui/win/ui_seams.h"

namespace palvetta {
namespace {

constexpr int kFirstControlId = 100;
constexpr DWORD kDialogStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME;
constexpr DWORD kDialogExStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
// Room below a combo's field for its drop-down list, in lines.
constexpr int kDropDownLines = 8;

bool IsContainer(TLayoutKind kind) {
  return kind == TLayoutKind::lkColumn || kind == TLayoutKind::lkRow;
}

// A multi-line edit shows line breaks only as CR LF.
std::string WithCrLf(std::string_view text) {
  std::string result;
  result.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) result += '\r';
    result += text[i];
  }
  return result;
}

bool IsWithin(HWND window, HWND ancestor) {
  return window == ancestor || IsChild(ancestor, window);
}

bool HasStyle(HWND window, LONG_PTR style) {
  return (GetWindowLongPtrW(window, GWL_STYLE) & style) == style;
}

std::wstring ClassOf(HWND window) {
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  return name;
}

}  // namespace

TDialog::TDialog(TLayoutNode description, TDialogOptions options)
    : TForm(options.Environment, options.FontPoints),
      FDescription(std::move(description)),
      FOptions(std::move(options)) {
  TWindowArgs args;
  args.ClassName = L"PalvettaDialog";
  args.Title = FOptions.Title;
  args.Style = kDialogStyle;
  args.ExStyle = kDialogExStyle;
  args.Pos = {static_cast<int>(CW_USEDEFAULT), static_cast<int>(CW_USEDEFAULT), 200, 100};
  Create(args);
  FormCreated();
  SetDesignHelpContext(FOptions.HelpContext);
  FFont = CreateMessageFont(FontPoints(), Dpi());
  int radioGroup = 0;
  CreateControls(FDescription, radioGroup);
  ApplyFont();
  ResizeToPreferred();
}

TDialog::~TDialog() = default;

void TDialog::CreateControls(const TLayoutNode& node, int& radioGroup) {
  if (IsContainer(node.Kind)) {
    if (node.Group && !node.Name.empty()) AddControl(node, 0, false);
    // Radio buttons of one container form one group.
    const int group = ++radioGroup;
    bool first = true;
    for (const auto& child : node.Children) {
      if (child.Kind == TLayoutKind::lkRadio) {
        AddControl(child, group, first);
        first = false;
      } else {
        CreateControls(child, radioGroup);
      }
    }
    return;
  }
  if (node.Kind == TLayoutKind::lkSpacer || node.Name.empty()) return;
  AddControl(node, 0, false);
}

void TDialog::AddControl(const TLayoutNode& node, int radioGroup, bool firstOfGroup) {
  if (FByName.count(node.Name)) throw std::logic_error("Two controls named " + node.Name);
  TControl control{node.Name, node.Kind};
  control.RadioGroup = radioGroup;
  control.Typed = std::find(FOptions.TypedCombos.begin(), FOptions.TypedCombos.end(),
                            node.Name) != FOptions.TypedCombos.end();
  TControlArgs args;
  args.Parent = Handle();
  args.Text = node.Text;
  args.Font = FFont.Get();
  args.Id = node.Name == "btnOK"       ? IDOK
            : node.Name == "btnCancel" ? IDCANCEL
                                       : kFirstControlId + static_cast<int>(FControls.size());
  const DWORD input = WS_TABSTOP | WS_GROUP;
  switch (node.Kind) {
    case TLayoutKind::lkLabel:
    case TLayoutKind::lkNote:
      args.Style = SS_LEFT;
      break;
    case TLayoutKind::lkEdit:
    case TLayoutKind::lkNumber:
      args.ClassName = L"EDIT";
      args.Style = input | ES_AUTOHSCROLL;
      args.ExStyle = WS_EX_CLIENTEDGE;
      break;
    case TLayoutKind::lkMemo:
      args.ClassName = L"EDIT";
      args.Style = input | ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL | WS_VSCROLL;
      args.ExStyle = WS_EX_CLIENTEDGE;
      break;
    case TLayoutKind::lkCombo:
      args.ClassName = L"COMBOBOX";
      args.Style = input | WS_VSCROLL | (control.Typed ? CBS_DROPDOWN | CBS_AUTOHSCROLL
                                                       : CBS_DROPDOWNLIST);
      args.Text.clear();
      break;
    case TLayoutKind::lkCheck:
      args.ClassName = L"BUTTON";
      args.Style = input | BS_AUTOCHECKBOX;
      break;
    case TLayoutKind::lkRadio:
      args.ClassName = L"BUTTON";
      args.Style = WS_TABSTOP | BS_AUTORADIOBUTTON | (firstOfGroup ? WS_GROUP : 0);
      break;
    case TLayoutKind::lkButton:
      args.ClassName = L"BUTTON";
      args.Style = input | (node.Name == "btnOK" ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
      break;
    case TLayoutKind::lkGrid:
      args.ClassName = WC_LISTVIEWW;
      args.Style = input | LVS_REPORT | LVS_SHOWSELALWAYS | LVS_SINGLESEL;
      args.ExStyle = WS_EX_CLIENTEDGE;
      break;
    case TLayoutKind::lkColumn:
    case TLayoutKind::lkRow:
      args.ClassName = L"BUTTON";
      args.Style = BS_GROUPBOX;
      break;
    case TLayoutKind::lkSpacer:
      return;
  }
  control.Handle = CreateControl(args);
  if (node.Kind == TLayoutKind::lkCombo) {
    for (const auto& entry : node.Entries) {
      SendMessageW(control.Handle, CB_ADDSTRING, 0,
                   reinterpret_cast<LPARAM>(Widen(entry).c_str()));
    }
  } else if (node.Kind == TLayoutKind::lkNumber) {
    TControlArgs spin;
    spin.Parent = Handle();
    spin.ClassName = UPDOWN_CLASSW;
    spin.Style = UDS_ALIGNRIGHT | UDS_SETBUDDYINT | UDS_ARROWKEYS | UDS_NOTHOUSANDS;
    control.Spin = CreateControl(spin);
    control.Minimum = node.Minimum;
    control.Maximum = node.Maximum;
    SendMessageW(control.Spin, UDM_SETRANGE32, static_cast<WPARAM>(node.Minimum),
                 static_cast<LPARAM>(node.Maximum));
    SendMessageW(control.Spin, UDM_SETBUDDY, reinterpret_cast<WPARAM>(control.Handle), 0);
  } else if (node.Kind == TLayoutKind::lkGrid) {
    std::vector<TGridColumn> columns = node.Columns;
    if (columns.empty()) {
      for (const auto& caption : node.Entries) columns.push_back(TGridColumn::Text(caption));
    }
    control.Grid = std::make_unique<TEditGrid>(control.Handle, std::move(columns));
  }
  FByName.emplace(node.Name, FControls.size());
  FControls.push_back(std::move(control));
}

const TDialog::TControl& TDialog::Find(std::string_view name) const {
  const auto found = FByName.find(name);
  if (found == FByName.end()) {
    throw std::logic_error("The dialog has no control named " + std::string(name));
  }
  return FControls[found->second];
}

const TDialog::TControl* TDialog::FindByHandle(HWND handle) const {
  for (const auto& control : FControls) {
    if (control.Handle == handle) return &control;
  }
  return nullptr;
}

HWND TDialog::Control(std::string_view name) const { return Find(name).Handle; }

void TDialog::SetText(std::string_view name, std::string_view text) {
  const TControl& control = Find(name);
  // WM_SETTEXT makes a one-line edit send EN_CHANGE, which runs the change handler; a
  // multi-line edit sends nothing, so its handler is run here.
  if (control.Kind == TLayoutKind::lkMemo) {
    SetWindowTextUtf8(control.Handle, WithCrLf(text));
    Run(FChange, control.Name);
  } else {
    SetWindowTextUtf8(control.Handle, text);
  }
}

std::string TDialog::Text(std::string_view name) const { return WindowText(Find(name).Handle); }

void TDialog::SetChecked(std::string_view name, bool checked) {
  const TControl& control = Find(name);
  if (control.Kind != TLayoutKind::lkCheck && control.Kind != TLayoutKind::lkRadio) {
    throw std::logic_error(control.Name + " is not a check box or radio button");
  }
  if (Checked(name) == checked) return;
  if (checked && control.Kind == TLayoutKind::lkRadio) {
    for (const auto& other : FControls) {
      if (&other != &control && other.Kind == TLayoutKind::lkRadio &&
          other.RadioGroup == control.RadioGroup) {
        SendMessageW(other.Handle, BM_SETCHECK, BST_UNCHECKED, 0);
      }
    }
  }
  SendMessageW(control.Handle, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
  Run(FClick, control.Name);
}

bool TDialog::Checked(std::string_view name) const {
  return SendMessageW(Find(name).Handle, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void TDialog::SetIndex(std::string_view name, int index) {
  const TControl& control = Find(name);
  if (control.Kind == TLayoutKind::lkGrid) {
    ListView_SetItemState(control.Handle, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
    if (index >= 0) {
      ListView_SetItemState(control.Handle, index, LVIS_SELECTED | LVIS_FOCUSED,
                            LVIS_SELECTED | LVIS_FOCUSED);
    }
    return;
  }
  SendMessageW(control.Handle, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

int TDialog::Index(std::string_view name) const {
  const TControl& control = Find(name);
  if (control.Kind == TLayoutKind::lkGrid) {
    return ListView_GetNextItem(control.Handle, -1, LVNI_SELECTED);
  }
  return static_cast<int>(SendMessageW(control.Handle, CB_GETCURSEL, 0, 0));
}

void TDialog::SetEntries(std::string_view name, const TStrings& entries) {
  const TControl& control = Find(name);
  // A typed combo keeps its text; a list keeps nothing selected.
  const std::string text = control.Typed ? Text(name) : std::string();
  SendMessageW(control.Handle, CB_RESETCONTENT, 0, 0);
  for (const auto& entry : entries) {
    SendMessageW(control.Handle, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(entry).c_str()));
  }
  if (control.Typed) SetWindowTextUtf8(control.Handle, text);
}

TStrings TDialog::Entries(std::string_view name) const {
  const HWND combo = Find(name).Handle;
  TStrings entries;
  const int count = static_cast<int>(SendMessageW(combo, CB_GETCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    const auto length = SendMessageW(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(i), 0);
    std::wstring entry(static_cast<std::size_t>(length) + 1, L'\0');
    SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(entry.data()));
    entry.resize(static_cast<std::size_t>(length));
    entries.push_back(Narrow(entry));
  }
  return entries;
}

TEditGrid& TDialog::EditGrid(std::string_view name) const {
  const TControl& control = Find(name);
  if (!control.Grid) throw std::logic_error(control.Name + " is not a grid");
  return *control.Grid;
}

void TDialog::SetRows(std::string_view name, const TGridRows& rows) {
  TEditGrid& grid = EditGrid(name);
  grid.SetRowCount(std::max(kMinGridRows, static_cast<int>(rows.size())));
  for (std::size_t r = 0; r < rows.size(); ++r) {
    for (std::size_t c = 0; c < rows[r].size(); ++c) {
      grid.SetCell(static_cast<int>(c), static_cast<int>(r), rows[r][c]);
    }
  }
}

TGridRows TDialog::Rows(std::string_view name) const {
  const TEditGrid& grid = EditGrid(name);
  TGridRows rows(static_cast<std::size_t>(grid.GetRowCount()));
  for (std::size_t r = 0; r < rows.size(); ++r) {
    for (int c = 0; c < grid.ColumnCount(); ++c) {
      rows[r].push_back(grid.GetCell(c, static_cast<int>(r)));
    }
  }
  return rows;
}

void TDialog::SetEnabled(std::string_view name, bool enabled) {
  const TControl& control = Find(name);
  EnableWindow(control.Handle, enabled);
  if (control.Spin) EnableWindow(control.Spin, enabled);
}

void TDialog::OnClick(std::string_view name, std::function<void()> handler) {
  FClick[Find(name).Name] = std::move(handler);
}

void TDialog::OnChange(std::string_view name, std::function<void()> handler) {
  FChange[Find(name).Name] = std::move(handler);
}

void TDialog::Run(const std::map<std::string, std::function<void()>, std::less<>>& handlers,
                  std::string_view name) {
  const auto found = handlers.find(name);
  if (found != handlers.end() && found->second) found->second();
}

void TDialog::Fill(const TEditorValues& values) {
  for (const auto& control : FControls) {
    const std::string& name = control.Name;
    if (control.Kind == TLayoutKind::lkCombo) {
      // Choices come first, so that an index or text refers to the new entries; without
      // any, the description's entries stay.
      if (values.HasChoices(name)) SetEntries(name, values.Choices(name));
    } else if (control.Grid && values.HasChoices(name)) {
      for (int c = 0; c < control.Grid->ColumnCount(); ++c) {
        control.Grid->SetChoices(c, values.Choices(name));
      }
    }
    if (!values.Has(name)) continue;
    switch (control.Kind) {
      case TLayoutKind::lkEdit:
      case TLayoutKind::lkMemo:
        SetText(name, values.Text(name));
        break;
      case TLayoutKind::lkNumber:
        SetNumber(name, values.Index(name));
        break;
      case TLayoutKind::lkCombo:
        if (control.Typed) {
          SetText(name, values.Text(name));
        } else {
          SetIndex(name, values.Index(name));
        }
        break;
      case TLayoutKind::lkCheck:
      case TLayoutKind::lkRadio:
        SetChecked(name, values.Checked(name));
        break;
      case TLayoutKind::lkGrid:
        SetRows(name, values.Rows(name));
        break;
      default:
        break;
    }
  }
}

void TDialog::SetNumber(std::string_view name, int value) {
  const TControl& control = Find(name);
  if (control.Kind != TLayoutKind::lkNumber) throw std::logic_error("Not a number field");
  SetText(name, std::to_string(std::clamp(value, control.Minimum, control.Maximum)));
}

int TDialog::Number(std::string_view name) const {
  const TControl& control = Find(name);
  if (control.Kind != TLayoutKind::lkNumber) throw std::logic_error("Not a number field");
  const std::string text = Trim(Text(name));
  long long value = control.Minimum;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error == std::errc::result_out_of_range) {
    value = text.starts_with('-') ? control.Minimum : control.Maximum;
  } else if (error != std::errc() || end != text.data() + text.size()) {
    value = control.Minimum;
  }
  return static_cast<int>(std::clamp<long long>(value, control.Minimum, control.Maximum));
}

void TDialog::Read(TEditorValues& values) const {
  for (const auto& control : FControls) {
    if (!HoldsValue(control.Kind)) continue;
    const std::string& name = control.Name;
    switch (control.Kind) {
      case TLayoutKind::lkCombo:
        if (control.Typed) {
          values.SetText(name, Text(name));
        } else {
          values.SetIndex(name, Index(name));
        }
        break;
      case TLayoutKind::lkCheck:
      case TLayoutKind::lkRadio:
        values.SetChecked(name, Checked(name));
        break;
      case TLayoutKind::lkGrid:
        values.SetRows(name, Rows(name));
        break;
      case TLayoutKind::lkNumber:
        values.SetIndex(name, Number(name));
        break;
      default:
        values.SetText(name, Text(name));
        break;
    }
  }
}

void TDialog::StopGridEdits(bool accept) {
  for (const auto& control : FControls) {
    if (!control.Grid) continue;
    if (accept) {
      control.Grid->AcceptEdit();
    } else {
      control.Grid->CancelEdit();
    }
  }
}

void TDialog::PressOK() {
  // A click on OK may come while a cell is still being edited (and without the focus
  // moving, when it comes from a key or from code).
  StopGridEdits(true);
  for (const auto& check : FChecks) {
    const std::optional<TCheckFailure> failure = check();
    if (!failure) continue;
    ShowMessageBox(Handle(), failure->Message, FOptions.Title, MB_OK | MB_ICONWARNING);
    if (!failure->Focus.empty()) {
      const HWND field = Control(failure->Focus);
      SetFocus(field);
      if (ClassOf(field) == L"Edit") SendMessageW(field, EM_SETSEL, 0, -1);
    }
    return;
  }
  EndModal(TModalResult::mrOK);
}

void TDialog::Cancel() {
  StopGridEdits(false);
  EndModal(TModalResult::mrCancel);
}

// F1 opens the help page, Enter presses OK (or the focused push button), Esc cancels; a memo keeps its Enter and
// an open drop-down list its Esc and Enter, a grid its Enter and a cell editor both.
bool TDialog::HandleKey(const MSG& message) {
  if (message.message != WM_KEYDOWN || !IsWithin(message.hwnd, Handle())) return false;
  for (const auto& control : FControls) {
    if (control.Grid && control.Grid->PreTranslate(message)) return true;
  }
  if (message.wParam == VK_F1) {
    ShowContextHelp();
    return true;
  }
  if (message.wParam != VK_RETURN && message.wParam != VK_ESCAPE) return false;
  HWND target = message.hwnd;
  HWND combo = ClassOf(GetParent(target)) == L"ComboBox" ? GetParent(target) : target;
  if (ClassOf(combo) == L"ComboBox" && SendMessageW(combo, CB_GETDROPPEDSTATE, 0, 0)) {
    return false;
  }
  if (message.wParam == VK_ESCAPE) {
    Cancel();
    return true;
  }
  if (ClassOf(target) == L"Edit" && HasStyle(target, ES_MULTILINE | ES_WANTRETURN)) return false;
  const TControl* control = FindByHandle(target);
  if (control && control->Kind == TLayoutKind::lkButton && control->Name != "btnOK") {
    SendMessageW(target, BM_CLICK, 0, 0);
    return true;
  }
  if (HasControl("btnOK") && !IsWindowEnabled(Control("btnOK"))) return true;
  PressOK();
  return true;
}

TModalResult TDialog::ShowModal(HWND owner, int helpContext) {
  return RunModal(owner, helpContext, [this] {
    // The first control that takes the focus gets it.
    for (const auto& control : FControls) {
      if (HasStyle(control.Handle, WS_TABSTOP | WS_VISIBLE) && IsWindowEnabled(control.Handle)) {
        SetFocus(control.Handle);
        break;
      }
    }
    if (OnShown) OnShown(*this);
  });
}

bool TDialog::PreTranslateModal(const MSG& message) {
  return HandleKey(message) || IsDialogMessageW(Handle(), const_cast<MSG*>(&message));
}

void TDialog::ApplyFont() {
  for (const auto& control : FControls) {
    SendMessageW(control.Handle, WM_SETFONT, reinterpret_cast<WPARAM>(FFont.Get()), FALSE);
  }
  const TGdiTextMeasurer measurer(FFont.Get());
  FPreferred = PreferredSize(FDescription, {measurer, Dpi()});
}

TSize TDialog::WindowSizeFor(TSize client) const {
  RECT r = {0, 0, client.Width, client.Height};
  AdjustWindowRectExForDpi(&r, kDialogStyle, FALSE, kDialogExStyle, static_cast<UINT>(Dpi()));
  return {r.right - r.left, r.bottom - r.top};
}

void TDialog::ResizeToPreferred() {
  const TSize size = WindowSizeFor(FPreferred);
  SetWindowPos(Handle(), nullptr, 0, 0, size.Width, size.Height,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  LayoutControls();
}

void TDialog::Rescale(const TRect* suggested) {
  FFont = CreateMessageFont(FontPoints(), Dpi());
  ApplyFont();
  if (suggested) {
    // The system's rectangle for the new DPI, but never below what the controls need.
    const TSize least = WindowSizeFor(FPreferred);
    SetWindowPos(Handle(), nullptr, suggested->Left, suggested->Top,
                 std::max(least.Width, suggested->Width), std::max(least.Height, suggested->Height),
                 SWP_NOZORDER | SWP_NOACTIVATE);
    LayoutControls();
  } else {
    ResizeToPreferred();
  }
  InvalidateRect(Handle(), nullptr, TRUE);
}

void TDialog::LayoutControls() {
  if (FControls.empty()) return;
  RECT client = {};
  GetClientRect(Handle(), &client);
  const TGdiTextMeasurer measurer(FFont.Get());
  FRects = Layout(FDescription, {0, 0, client.right, client.bottom}, {measurer, Dpi()});
  for (const auto& control : FControls) {
    const TRect r = FRects.at(control.Name);
    const bool shown = !r.IsEmpty();
    int height = r.Height;
    if (control.Kind == TLayoutKind::lkCombo) {
      // The window height of a combo includes its drop-down list; the field itself takes
      // the height of its item, set to fill the layout's rectangle.
      const int edges = static_cast<int>(
          SendMessageW(control.Handle, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0));
      RECT field = {};
      GetWindowRect(control.Handle, &field);
      const int chrome = (field.bottom - field.top) - edges;
      if (chrome > 0 && r.Height > chrome) {
        SendMessageW(control.Handle, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), r.Height - chrome);
      }
      height = r.Height + kDropDownLines * measurer.LineHeight();
    }
    MoveWindow(control.Handle, r.Left, r.Top, r.Width, height, TRUE);
    if (control.Spin) {
      // Re-attaching the buddy puts the spin buttons inside the field's rectangle again.
      SendMessageW(control.Spin, UDM_SETBUDDY, reinterpret_cast<WPARAM>(control.Handle), 0);
      ShowWindow(control.Spin, shown ? SW_SHOWNA : SW_HIDE);
    }
    if (control.Kind == TLayoutKind::lkGrid) {
      const int columns = static_cast<int>(
          SendMessageW(ListView_GetHeader(control.Handle), HDM_GETITEMCOUNT, 0, 0));
      const int scrollBar = GetSystemMetricsForDpi(SM_CXVSCROLL, static_cast<UINT>(Dpi()));
      for (int c = 0; c < columns; ++c) {
        ListView_SetColumnWidth(control.Handle, c, std::max(1, (r.Width - scrollBar - 4) / columns));
      }
    }
    ShowWindow(control.Handle, shown ? SW_SHOWNA : SW_HIDE);
  }
}

LRESULT TDialog::HandleFormMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND: {
      const HWND source = reinterpret_cast<HWND>(lParam);
      const int code = HIWORD(wParam);
      if (!source) {
        if (LOWORD(wParam) == IDOK) PressOK();
        if (LOWORD(wParam) == IDCANCEL) Cancel();
        return 0;
      }
      const TControl* control = FindByHandle(source);
      if (!control) break;
      if (code == BN_CLICKED) {
        if (control->Name == "btnOK") {
          PressOK();
        } else if (control->Name == "btnCancel") {
          Cancel();
        } else {
          Run(FClick, control->Name);
        }
      } else if (code == EN_CHANGE || code == CBN_SELCHANGE || code == CBN_EDITCHANGE) {
        Run(FChange, control->Name);
      }
      return 0;
    }
    case WM_CLOSE:
      // Closing is cancelling; the window stays for the next use.
      Cancel();
      if (!IsRunning()) ShowWindow(Handle(), SW_HIDE);
      return 0;
    case WM_SIZE:
      LayoutControls();
      return 0;
    case WM_GETMINMAXINFO: {
      if (FPreferred.Width > 0) {
        const TSize least = WindowSizeFor(FPreferred);
        auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
        info->ptMinTrackSize = {least.Width, least.Height};
      }
      return 0;
    }
    default:
      break;
  }
  return TForm::HandleFormMessage(message, wParam, lParam);
}

}  // namespace palvetta
