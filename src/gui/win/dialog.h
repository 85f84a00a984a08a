#pragma once
// A dialog built from a layout description: one child control per named node, found and
// driven by its name, laid out in code at the window's DPI and the chosen font size. A
// dialog is created once, hidden when closed and shown again with what was last put in.

#include <windows.h>

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "gui/check_failure.h"
#include "gui/editor_values.h"
#include "gui/layout.h"
#include "gui/win/controls/dialog_control.h"
#include "gui/win/controls/grid_control.h"
#include "gui/win/edit_grid.h"
#include "gui/win/form.h"
#include "gui/win/gdi_text_measurer.h"

namespace palvetta {

class TIconControl;
class TListControl;
class TProgressControl;
class TThreeStateGridControl;

struct TDialogOptions {
  std::string Title;
  int FontPoints = 0;  // 0: the environment's current size
  // Combos where the user types text (the value is the text, the entries are suggestions);
  // every other combo is a pick-only list whose value is the index.
  std::vector<std::string> TypedCombos;
  // The help page F1 opens; 0: the one the dialog is shown with.
  int HelpContext = 0;
  TFormEnvironment Environment = {};
};

using TOkCheck = std::function<std::optional<TCheckFailure>()>;

class TDialog : public TForm, private IControlEvents {
 public:
  TDialog(TLayoutNode description, TDialogOptions options);
  ~TDialog() override;

  // The control of a name; an unknown name is a description fault (std::logic_error).
  HWND Control(std::string_view name) const;
  bool HasControl(std::string_view name) const { return FByName.count(name) != 0; }

  // Values by control name. Setting an edit's text runs its change handler; setting a
  // check box or radio button runs its click handler when the state changes (a radio
  // button also clears the other radio buttons of its container); setting a combo's index
  // runs no handler. A combo index of -1 selects nothing.
  void SetText(std::string_view name, std::string_view text);
  std::string Text(std::string_view name) const;
  void SetChecked(std::string_view name, bool checked);
  bool Checked(std::string_view name) const;
  void SetIndex(std::string_view name, int index);
  int Index(std::string_view name) const;
  // A number field's value: the text as a whole number within the field's range (a
  // number outside it reads as the nearest end, anything else as the smallest value).
  void SetNumber(std::string_view name, int64_t value);
  int64_t Number(std::string_view name) const;
  void SetEntries(std::string_view name, const TStrings& entries);  // combo entries
  TStrings Entries(std::string_view name) const;
  // A grid shows at least kMinGridRows rows, empty below the given ones, and as many as
  // it is given beyond that (a grid with a fixed column: just those); Rows gives back
  // every row it shows, in order.
  static constexpr int kMinGridRows = TGridControl::kMinRows;
  void SetRows(std::string_view name, const TGridRows& rows);
  TGridRows Rows(std::string_view name) const;
  // The editable grid of a grid control; any other name is a description fault.
  TEditGrid& EditGrid(std::string_view name) const;
  // The controls of a list box, a three-state grid and a date picker; any other name is a
  // description fault.
  TListControl& ListBox(std::string_view name) const;
  TThreeStateGridControl& ThreeStateGrid(std::string_view name) const;
  TProgressControl& Progress(std::string_view name) const;
  TIconControl& IconOf(std::string_view name) const;
  // Shows or hides a control (or a container with what it holds) and lays the dialog out
  // again; a hidden control takes no room.
  void SetVisible(std::string_view name, bool visible);
  // A label's text colour over the theme's; nothing gives it the theme's back.
  void SetLabelColor(std::string_view name, std::optional<COLORREF> color);
  std::optional<COLORREF> LabelColor(std::string_view name) const;
  bool IsVisible(std::string_view name) const;
  void SetDate(std::string_view name, double date);
  double Date(std::string_view name) const;
  // A time picker's time of day, as a fraction of a day.
  void SetTime(std::string_view name, double time);
  double Time(std::string_view name) const;
  void SetEnabled(std::string_view name, bool enabled);
  // The page a pages control shows; turning to another lays the dialog out again.
  void ShowPage(std::string_view name, int page);
  int ShownPage(std::string_view name) const;
  // Panels, expanded or collapsed by a click on their header or from here; either lays
  // the dialog out again (growing it when it got too small). The state lives in the
  // dialog's description, so a dialog used again shows its panels as they were left.
  void SetPanelExpanded(std::string_view name, bool expanded);
  bool PanelExpanded(std::string_view name) const;
  void CollapseAllPanels();
  // How far a panel group is scrolled, in pixels; kept within its panels' height.
  void ScrollPanels(std::string_view name, int position);
  int PanelsScroll(std::string_view name) const;

  // One handler per control and event; a second registration replaces the first.
  void OnClick(std::string_view name, std::function<void()> handler);
  void OnChange(std::string_view name, std::function<void()> handler);
  // A drop-down list about to open its list, and a drop-down list that got the focus.
  void OnDropDown(std::string_view name, std::function<void()> handler);
  void OnFocus(std::string_view name, std::function<void()> handler);
  // Run in order when OK is pressed; a failure keeps the dialog open and, unless it goes
  // on, ends the checks.
  void AddOkCheck(TOkCheck check) { FChecks.push_back(std::move(check)); }

  // The fields that name a control: texts, check states, combo indexes (typed combos:
  // texts), combo choices, grid rows; a grid's choices go to its pick-text columns.
  // Fields without a control are left alone.
  void Fill(const TEditorValues& values);
  // Every value-holding control into the field of its name.
  void Read(TEditorValues& values) const;

  // Shows the dialog with the owner disabled and runs its own message loop until OK
  // passes its checks or the dialog is cancelled (Esc, Cancel, closing the window). F1
  // opens the dialog's own help context, else the one given here.
  TModalResult ShowModal(HWND owner, int helpContext = 0);
  // Called once the dialog is shown, before its loop runs: tests post their keys and
  // clicks from here (Post), so they are handled in order by the loop itself.
  std::function<void(TDialog&)> OnShown;
  // What the Enter and Esc keys do, and the buttons. A cell edit under way is accepted
  // first (OK) or dropped (Cancel).
  void PressOK();
  void Cancel();

  HFONT Font() const { return FFont.Get(); }
  TSize PreferredClientSize() const { return FPreferred; }
  // The layout last applied, in client pixels.
  const TLayoutRects& LayoutRects() const { return FRects; }
  const TLayoutNode& Description() const { return FDescription; }

 protected:
  LRESULT HandleFormMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void Rescale(const TRect* suggested) override;
  bool PreTranslateModal(const MSG& message) override;
  std::optional<COLORREF> LabelTextColor(HWND control) const override;

 private:
  // Controls inside a panel group are children of its window (parent) and placed in its
  // client coordinates.
  void CreateControls(const TLayoutNode& node, const std::shared_ptr<TRadioGroup>& radioGroup,
                      HWND parent, const std::string& group);
  void AddControl(const TLayoutNode& node, const std::shared_ptr<TRadioGroup>& radioGroup,
                  HWND parent, const std::string& group);
  TLayoutNode& NodeOf(std::string_view name, TLayoutKind kind, const char* what);
  const TLayoutNode& NodeOf(std::string_view name, TLayoutKind kind, const char* what) const;
  // After a panel opened or closed: the preferred size anew, then the layout.
  void Relayout();
  // Scrolls the control's panel group so that the control shows whole, if it can.
  void ScrollIntoView(std::string_view name);
  IDialogControl& Find(std::string_view name) const;
  // The control of a name as the class that does what is asked; another kind is a
  // description fault (std::logic_error) naming what the control is not.
  template <class T>
  T& FindAs(std::string_view name, const char* what) const;
  IDialogControl* FindByHandle(HWND handle) const;
  // Turns the pages that hold the named control to it, so that it can take the focus.
  void RevealControl(std::string_view name);
  void LayoutPages();
  void Clicked(std::string_view name) override;
  void Changed(std::string_view name) override;
  void Run(const std::map<std::string, std::function<void()>, std::less<>>& handlers,
           std::string_view name);
  bool HandleKey(const MSG& message);
  void StopEdits(bool accept);
  void ApplyFont();
  void ResizeToPreferred();
  void LayoutControls();
  TSize WindowSizeFor(TSize client) const;

  TLayoutNode FDescription;
  TDialogOptions FOptions;
  TScopedFont FFont;
  TSize FPreferred;
  TLayoutRects FRects;
  std::vector<std::unique_ptr<IDialogControl>> FControls;
  std::map<std::string, std::size_t, std::less<>> FByName;
  std::vector<std::string> FGroupOf;  // per control: its panel group, or empty
  std::map<std::string, std::function<void()>, std::less<>> FClick;
  std::map<std::string, std::function<void()>, std::less<>> FChange;
  std::map<std::string, std::function<void()>, std::less<>> FDropDown;
  std::map<std::string, std::function<void()>, std::less<>> FFocus;
  std::vector<TOkCheck> FChecks;
  std::map<HWND, COLORREF> FLabelColors;
};

}  // namespace palvetta
