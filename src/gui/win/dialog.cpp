#include "gui/win/dialog.h"

#include <commctrl.h>

#include <algorithm>
#include <stdexcept>

#include "gui/win/controls/check_box_control.h"
#include "gui/win/controls/combo_control.h"
#include "gui/win/controls/control_registry.h"
#include "gui/win/controls/date_control.h"
#include "gui/win/controls/icon_control.h"
#include "gui/win/controls/list_control.h"
#include "gui/win/controls/number_control.h"
#include "gui/win/controls/pages_control.h"
#include "gui/win/controls/panel_control.h"
#include "gui/win/controls/panel_group_control.h"
#include "gui/win/controls/progress_control.h"
#include "gui/win/controls/radio_button_control.h"
#include "gui/win/controls/three_state_grid_control.h"
#include "gui/win/controls/time_control.h"
#include "gui/win/theme_painter.h"
#include "gui/win/ui_seams.h"

namespace palvetta {
namespace {

constexpr int kFirstControlId = 100;
constexpr DWORD kDialogStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME;
constexpr DWORD kDialogExStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;

bool IsWithin(HWND window, HWND ancestor) {
  return window == ancestor || IsChild(ancestor, window);
}

bool HasStyle(HWND window, LONG_PTR style) {
  return (GetWindowLongPtrW(window, GWL_STYLE) & style) == style;
}

TLayoutNode* FindNode(TLayoutNode& node, std::string_view name) {
  if (node.Name == name) return &node;
  for (auto& child : node.Children) {
    if (TLayoutNode* found = FindNode(child, name)) return found;
  }
  return nullptr;
}

void ForEachNodeOf(TLayoutKind kind, TLayoutNode& node,
                   const std::function<void(TLayoutNode&)>& visit) {
  if (node.Kind == kind) visit(node);
  for (auto& child : node.Children) ForEachNodeOf(kind, child, visit);
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
  CreateControls(FDescription, std::make_shared<TRadioGroup>(), Handle(), {});
  ApplyFont();
  ResizeToPreferred();
}

TDialog::~TDialog() = default;

void TDialog::CreateControls(const TLayoutNode& node,
                             const std::shared_ptr<TRadioGroup>& radioGroup, HWND parent,
                             const std::string& group) {
  if (!node.Name.empty()) AddControl(node, radioGroup, parent, group);
  const bool panelGroup = node.Kind == TLayoutKind::lkPanelGroup && HasControl(node.Name);
  const HWND childParent = panelGroup ? Control(node.Name) : parent;
  const std::string& childGroup = panelGroup ? node.Name : group;
  // Radio buttons of one container form one group.
  const auto radios = std::make_shared<TRadioGroup>();
  for (const auto& child : node.Children) CreateControls(child, radios, childParent, childGroup);
}

void TDialog::AddControl(const TLayoutNode& node, const std::shared_ptr<TRadioGroup>& radioGroup,
                         HWND parent, const std::string& group) {
  if (FByName.count(node.Name)) throw std::logic_error("Two controls named " + node.Name);
  TControlSite site;
  site.Parent = parent;
  site.Font = FFont.Get();
  site.Id = node.Name == "btnOK"       ? IDOK
            : node.Name == "btnCancel" ? IDCANCEL
                                       : kFirstControlId + static_cast<int>(FControls.size());
  site.Events = this;
  site.Typed = std::find(FOptions.TypedCombos.begin(), FOptions.TypedCombos.end(), node.Name) !=
               FOptions.TypedCombos.end();
  site.RadioGroup = radioGroup;
  std::unique_ptr<IDialogControl> control = MakeControl(node, site);
  if (!control) return;
  FByName.emplace(node.Name, FControls.size());
  FControls.push_back(std::move(control));
  FGroupOf.push_back(group);
}

IDialogControl& TDialog::Find(std::string_view name) const {
  const auto found = FByName.find(name);
  if (found == FByName.end()) {
    throw std::logic_error("The dialog has no control named " + std::string(name));
  }
  return *FControls[found->second];
}

template <class T>
T& TDialog::FindAs(std::string_view name, const char* what) const {
  IDialogControl& control = Find(name);
  T* found = dynamic_cast<T*>(&control);
  if (!found) throw std::logic_error(control.Name() + " is not " + what);
  return *found;
}

IDialogControl* TDialog::FindByHandle(HWND handle) const {
  for (const auto& control : FControls) {
    if (control->Handle() == handle) return control.get();
  }
  return nullptr;
}

HWND TDialog::Control(std::string_view name) const { return Find(name).Handle(); }

void TDialog::SetText(std::string_view name, std::string_view text) { Find(name).SetText(text); }

std::string TDialog::Text(std::string_view name) const { return WindowText(Control(name)); }

void TDialog::SetChecked(std::string_view name, bool checked) {
  FindAs<TCheckBoxControl>(name, "a check box or radio button").SetChecked(checked);
}

bool TDialog::Checked(std::string_view name) const {
  return FindAs<TCheckBoxControl>(name, "a check box or radio button").Checked();
}

void TDialog::SetIndex(std::string_view name, int index) {
  FindAs<IIndexedControl>(name, "a list or grid").SetIndex(index);
}

int TDialog::Index(std::string_view name) const {
  return FindAs<IIndexedControl>(name, "a list or grid").Index();
}

void TDialog::SetNumber(std::string_view name, int64_t value) {
  FindAs<TNumberControl>(name, "a number field").SetNumber(value);
}

int64_t TDialog::Number(std::string_view name) const {
  return FindAs<TNumberControl>(name, "a number field").Number();
}

void TDialog::SetEntries(std::string_view name, const TStrings& entries) {
  FindAs<TComboControl>(name, "a list").SetEntries(entries);
}

TStrings TDialog::Entries(std::string_view name) const {
  return FindAs<TComboControl>(name, "a list").Entries();
}

TEditGrid& TDialog::EditGrid(std::string_view name) const {
  return FindAs<TGridControl>(name, "a grid").Grid();
}

TListControl& TDialog::ListBox(std::string_view name) const {
  return FindAs<TListControl>(name, "a list box");
}

TProgressControl& TDialog::Progress(std::string_view name) const {
  return FindAs<TProgressControl>(name, "a progress bar");
}

TIconControl& TDialog::IconOf(std::string_view name) const {
  return FindAs<TIconControl>(name, "an icon");
}

void TDialog::SetVisible(std::string_view name, bool visible) {
  TLayoutNode* node = FindNode(FDescription, name);
  if (!node) throw std::logic_error(std::string(name) + " is no control of the dialog");
  if (node->Visible == visible) return;
  node->Visible = visible;
  Relayout();
}

void TDialog::SetLabelColor(std::string_view name, std::optional<COLORREF> color) {
  const HWND label = Control(name);
  if (color) {
    FLabelColors[label] = *color;
  } else {
    FLabelColors.erase(label);
  }
  InvalidateRect(label, nullptr, TRUE);
}

std::optional<COLORREF> TDialog::LabelColor(std::string_view name) const {
  return LabelTextColor(Control(name));
}

std::optional<COLORREF> TDialog::LabelTextColor(HWND control) const {
  const auto found = FLabelColors.find(control);
  if (found == FLabelColors.end()) return std::nullopt;
  return found->second;
}

bool TDialog::IsVisible(std::string_view name) const {
  const TLayoutNode* node = FindNode(const_cast<TLayoutNode&>(FDescription), name);
  if (!node) throw std::logic_error(std::string(name) + " is no control of the dialog");
  return node->Visible;
}

TThreeStateGridControl& TDialog::ThreeStateGrid(std::string_view name) const {
  return FindAs<TThreeStateGridControl>(name, "a three-state grid");
}

void TDialog::SetDate(std::string_view name, double date) {
  FindAs<TDateControl>(name, "a date picker").SetDate(date);
}

double TDialog::Date(std::string_view name) const {
  return FindAs<TDateControl>(name, "a date picker").Date();
}

void TDialog::SetTime(std::string_view name, double time) {
  FindAs<TTimeControl>(name, "a time picker").SetTime(time);
}

double TDialog::Time(std::string_view name) const {
  return FindAs<TTimeControl>(name, "a time picker").Time();
}

void TDialog::SetRows(std::string_view name, const TGridRows& rows) {
  FindAs<TGridControl>(name, "a grid").SetRows(rows);
}

TGridRows TDialog::Rows(std::string_view name) const {
  return FindAs<TGridControl>(name, "a grid").Rows();
}

void TDialog::SetEnabled(std::string_view name, bool enabled) { Find(name).SetEnabled(enabled); }

void TDialog::ShowPage(std::string_view name, int page) {
  TLayoutNode* node = FindNode(FDescription, name);
  if (!node || node->Kind != TLayoutKind::lkPages) {
    throw std::logic_error(std::string(name) + " is not a pages control");
  }
  if (page < 0 || page >= static_cast<int>(node->Children.size())) {
    throw std::logic_error(std::string(name) + " has no page " + std::to_string(page));
  }
  node->Page = page;
  LayoutPages();
}

int TDialog::ShownPage(std::string_view name) const {
  return FindAs<TPagesControl>(name, "a pages control").Selected();
}

void TDialog::RevealControl(std::string_view name) {
  if (!ShowPageOf(FDescription, name)) return;
  ForEachNodeOf(TLayoutKind::lkPages, FDescription, [this](TLayoutNode& pages) {
    FindAs<TPagesControl>(pages.Name, "a pages control").Select(pages.Page);
  });
  Relayout();
  ScrollIntoView(name);
}

void TDialog::LayoutPages() {
  ForEachNodeOf(TLayoutKind::lkPages, FDescription, [this](TLayoutNode& pages) {
    FindAs<TPagesControl>(pages.Name, "a pages control").Select(pages.Page);
  });
  LayoutControls();
}

TLayoutNode& TDialog::NodeOf(std::string_view name, TLayoutKind kind, const char* what) {
  TLayoutNode* node = FindNode(FDescription, name);
  if (!node || node->Kind != kind) throw std::logic_error(std::string(name) + " is not " + what);
  return *node;
}

const TLayoutNode& TDialog::NodeOf(std::string_view name, TLayoutKind kind,
                                   const char* what) const {
  return const_cast<TDialog*>(this)->NodeOf(name, kind, what);
}

void TDialog::SetPanelExpanded(std::string_view name, bool expanded) {
  NodeOf(name, TLayoutKind::lkPanel, "a panel").Collapsed = !expanded;
  Relayout();
}

bool TDialog::PanelExpanded(std::string_view name) const {
  return !NodeOf(name, TLayoutKind::lkPanel, "a panel").Collapsed;
}

void TDialog::CollapseAllPanels() {
  palvetta::CollapseAllPanels(FDescription);
  Relayout();
}

void TDialog::ScrollPanels(std::string_view name, int position) {
  NodeOf(name, TLayoutKind::lkPanelGroup, "a panel group").Scroll = position;
  LayoutControls();
}

int TDialog::PanelsScroll(std::string_view name) const {
  return NodeOf(name, TLayoutKind::lkPanelGroup, "a panel group").Scroll;
}

void TDialog::Relayout() {
  ForEachNodeOf(TLayoutKind::lkPanel, FDescription, [this](TLayoutNode& panel) {
    FindAs<TPanelControl>(panel.Name, "a panel").ShowExpanded(!panel.Collapsed);
  });
  const TGdiTextMeasurer measurer(FFont.Get());
  FPreferred = PreferredSize(FDescription, {measurer, Dpi()});
  RECT client = {};
  GetClientRect(Handle(), &client);
  if (client.right >= FPreferred.Width && client.bottom >= FPreferred.Height) {
    LayoutControls();
    return;
  }
  // Growing the window lays it out (WM_SIZE).
  const TSize size = WindowSizeFor({std::max<int>(client.right, FPreferred.Width),
                                    std::max<int>(client.bottom, FPreferred.Height)});
  SetWindowPos(Handle(), nullptr, 0, 0, size.Width, size.Height,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  LayoutControls();
}

void TDialog::ScrollIntoView(std::string_view name) {
  const auto found = FByName.find(name);
  if (found == FByName.end() || FGroupOf[found->second].empty()) return;
  const std::string& group = FGroupOf[found->second];
  const TRect& control = FRects.at(found->first);
  const TRect& view = FRects.at(group);
  int& scroll = NodeOf(group, TLayoutKind::lkPanelGroup, "a panel group").Scroll;
  if (control.Bottom() > view.Bottom()) scroll += control.Bottom() - view.Bottom();
  if (control.Top < view.Top) scroll -= view.Top - control.Top;
  LayoutControls();
}

void TDialog::Clicked(std::string_view name) {
  if (dynamic_cast<TPanelControl*>(&Find(name))) SetPanelExpanded(name, !PanelExpanded(name));
  Run(FClick, name);
}

void TDialog::Changed(std::string_view name) {
  if (auto* group = dynamic_cast<TPanelGroupControl*>(&Find(name))) {
    ScrollPanels(name, group->Requested());
  }
  Run(FChange, name);
}

void TDialog::OnClick(std::string_view name, std::function<void()> handler) {
  FClick[Find(name).Name()] = std::move(handler);
}

void TDialog::OnChange(std::string_view name, std::function<void()> handler) {
  FChange[Find(name).Name()] = std::move(handler);
}

void TDialog::OnDropDown(std::string_view name, std::function<void()> handler) {
  FDropDown[Find(name).Name()] = std::move(handler);
}

void TDialog::OnFocus(std::string_view name, std::function<void()> handler) {
  FFocus[Find(name).Name()] = std::move(handler);
}

void TDialog::Run(const std::map<std::string, std::function<void()>, std::less<>>& handlers,
                  std::string_view name) {
  const auto found = handlers.find(name);
  if (found != handlers.end() && found->second) found->second();
}

void TDialog::Fill(const TEditorValues& values) {
  for (const auto& control : FControls) control->Fill(values);
}

void TDialog::Read(TEditorValues& values) const {
  for (const auto& control : FControls) control->Read(values);
}

void TDialog::StopEdits(bool accept) {
  for (const auto& control : FControls) control->EndEdit(accept);
}

void TDialog::PressOK() {
  // A click on OK may come while a cell is still being edited (and without the focus
  // moving, when it comes from a key or from code).
  StopEdits(true);
  bool failed = false;
  for (const auto& check : FChecks) {
    const std::optional<TCheckFailure> failure = check();
    if (!failure) continue;
    failed = true;
    if (!failure->Message.empty()) {
      ShowMessageBox(Handle(), failure->Message, FOptions.Title, MB_OK | MB_ICONWARNING);
    }
    if (!failure->Focus.empty()) {
      RevealControl(failure->Focus);
      const HWND field = Control(failure->Focus);
      SetFocus(field);
      if (ClassOf(field) == L"Edit") SendMessageW(field, EM_SETSEL, 0, -1);
    }
    if (!failure->GoOn) break;
  }
  if (!failed) EndModal(TModalResult::mrOK);
}

void TDialog::Cancel() {
  StopEdits(false);
  EndModal(TModalResult::mrCancel);
}

// F1 opens the help page, Enter presses OK (or the focused push button), Esc cancels; a memo keeps its Enter and
// an open drop-down list its Esc and Enter, a grid its Enter and a cell editor both.
bool TDialog::HandleKey(const MSG& message) {
  if (message.message != WM_KEYDOWN || !IsWithin(message.hwnd, Handle())) return false;
  for (const auto& control : FControls) {
    if (control->PreTranslate(message)) return true;
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
  const IDialogControl* control = FindByHandle(target);
  if (control && control->ClicksOnEnter()) {
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
      const HWND handle = control->Handle();
      if (HasStyle(handle, WS_TABSTOP | WS_VISIBLE) && IsWindowEnabled(handle)) {
        SetFocus(handle);
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
    SendMessageW(control->Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(FFont.Get()), FALSE);
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
  const TLayoutContext layoutContext{measurer, Dpi()};
  // A panel group's scroll stays within its panels, so that the layout and the scroll
  // bar agree.
  ForEachNodeOf(TLayoutKind::lkPanelGroup, FDescription, [&](TLayoutNode& group) {
    const TLayoutRects groupRects =
        Layout(FDescription, {0, 0, client.right, client.bottom}, layoutContext);
    const int page = groupRects.at(group.Name).Height;
    const int content = PanelGroupContentHeight(group, layoutContext);
    group.Scroll = std::clamp(group.Scroll, 0, std::max(0, content - page));
    FindAs<TPanelGroupControl>(group.Name, "a panel group").SetScrollRange(content, page, group.Scroll);
  });
  FRects = Layout(FDescription, {0, 0, client.right, client.bottom}, layoutContext);
  const TPlaceContext context{Dpi(), measurer.LineHeight()};
  for (std::size_t i = 0; i < FControls.size(); ++i) {
    TRect rect = FRects.at(FControls[i]->Name());
    if (!FGroupOf[i].empty() && !rect.IsEmpty()) {
      // In the group window's client coordinates.
      const TRect& origin = FRects.at(FGroupOf[i]);
      rect.Left -= origin.Left;
      rect.Top -= origin.Top;
    }
    FControls[i]->Place(rect, context);
  }
  // Everything afresh, when the loop next paints: the dialog first, then its controls.
  // A control painted at once would be painted over by the dialog's background, and one
  // moved onto another's old place would keep pieces of it.
  RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
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
      const IDialogControl* control = FindByHandle(source);
      if (!control) break;
      if (code == BN_CLICKED) {
        if (control->Name() == "btnOK") {
          PressOK();
        } else if (control->Name() == "btnCancel") {
          Cancel();
        } else {
          Clicked(control->Name());
        }
      } else if (code == EN_CHANGE || code == CBN_SELCHANGE || code == CBN_EDITCHANGE) {
        Changed(control->Name());
      } else if (code == CBN_DROPDOWN) {
        Run(FDropDown, control->Name());
      } else if (code == CBN_SETFOCUS) {
        Run(FFocus, control->Name());
      }
      return 0;
    }
    case WM_NOTIFY: {
      const auto* header = reinterpret_cast<const NMHDR*>(lParam);
      const auto* pages = dynamic_cast<const TPagesControl*>(FindByHandle(header->hwndFrom));
      if (header->code == TCN_SELCHANGE && pages) {
        ShowPage(pages->Name(), pages->Selected());
        return 0;
      }
      if (header->code == UDN_DELTAPOS) {
        const auto buddy = reinterpret_cast<HWND>(SendMessageW(header->hwndFrom, UDM_GETBUDDY, 0, 0));
        auto* number = dynamic_cast<TNumberControl*>(FindByHandle(buddy));
        if (number && number->Wide()) {
          number->Step(reinterpret_cast<const NMUPDOWN*>(lParam)->iDelta);
          return TRUE;  // the spin buttons keep no position of their own
        }
      }
      break;
    }
    case WM_DRAWITEM: {
      const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      const auto* pages = dynamic_cast<const TPagesControl*>(FindByHandle(item.hwndItem));
      if (item.CtlType != ODT_TAB || !pages) break;
      // The theme's colours, or the system's for a tab strip without visual styles.
      const TThemePainter* painter = Environment().ThemePainter;
      pages->DrawTab(item, painter ? painter->WindowColor() : GetSysColor(COLOR_BTNFACE),
                     painter ? painter->TextColor() : GetSysColor(COLOR_BTNTEXT));
      return TRUE;
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
