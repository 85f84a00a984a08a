#pragma once
// The base of every top-level window of ours (the main window and the dialogs). It
// gives them what they share: following the user's font size and the monitor's DPI,
// remembering the bounds of the normal state, saving and restoring the placement in the
// settings, fitting into the work area when shown, the help page to open on F1, and the
// theme's colours. What it needs from the program comes in its environment.
//
// A form is drawn at its monitor's DPI with the user's font size in points; a subclass
// only says how to lay itself out again (Rescale) when either changes.

#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "gui/placement.h"
#include "gui/settings_store.h"
#include "gui/win/form_environment.h"
#include "gui/win/window.h"

namespace palvetta {

class TActionBinding;

// The monitors as the placement arithmetic wants them.
TMonitors CurrentMonitors();

enum class TModalResult { mrNone, mrOK, mrCancel };

class TForm : public TWindow {
 public:
  // fontPoints 0: the size the environment gives new forms.
  explicit TForm(TFormEnvironment environment, int fontPoints = 0);
  ~TForm() override;

  const TFormEnvironment& Environment() const { return FEnvironment; }

  int Dpi() const { return FDpi; }
  int FontPoints() const { return FFontPoints; }
  // Lays the form out again at a new font size (the appearance changed).
  void SetFontPoints(int points);

  // The form's own help context (0: it takes the one it is shown with) and the one F1
  // opens now.
  void SetDesignHelpContext(int context) { FDesignHelpContext = context; }
  int HelpContext() const { return FHelpContext; }
  // Opens the help file at the form's help context; false when there is no help.
  virtual bool ShowContextHelp();

  // Writes Left, Top, Width, Height (96-dpi units) and Maximized to the section;
  // failed writes are dropped, as settings must never stop the program.
  void SavePlacement(TSettingsStore& store, std::string_view section) const;
  // Puts the form where the section says, on a monitor that still exists, maximizing
  // it when it was; without a usable saved placement it is centred on the primary
  // monitor. Does not show a hidden form.
  void RestorePlacement(const TSettingsStore& store, std::string_view section);

  // The facts the placement arithmetic works on.
  TFormFacts Facts() const;
  // The last bounds while neither minimized nor maximized (empty until known).
  TRect NormalBounds() const { return FNormalBounds; }
  // A sizeable form in the normal state shrinks to its work area.
  void FitIntoWorkArea();

  // True while the form runs its modal loop.
  bool IsRunning() const { return FRunning; }
  // The result the running loop will end with; mrNone while it goes on (e.g. after an OK
  // whose check failed).
  TModalResult ModalResult() const { return FModalResult; }
  // Runs the action from the form's message loop after the messages posted before it.
  void Post(std::function<void()> action);

 protected:
  // Called after the form's window exists: takes its DPI.
  void FormCreated();
  // Shows the form: takes the help context when it has none of its own and fits a
  // sizeable form into the work area first.
  void ShowForm(int showCommand, int helpContext = 0);
  // Lays the form out again for Dpi() and FontPoints(). suggested is the rectangle the
  // system proposes after a DPI change, else nothing.
  virtual void Rescale(const TRect* suggested) = 0;
  virtual TBorderKind Border() const;

  // Shows the form over the owner, which stays disabled meanwhile, and runs the form's
  // own message loop until EndModal gives a result or the program quits (mrCancel). The
  // form is centred on its owner the first time; later showings keep the user's place.
  // The help context is taken as ShowForm takes it; shown runs once the form is visible,
  // before the loop. Afterwards the form is hidden and input still queued for it is
  // dropped.
  TModalResult RunModal(HWND owner, int helpContext, const std::function<void()>& shown);
  void EndModal(TModalResult result) { FModalResult = result; }
  // The text colour of a label of the form, over the theme's; nothing keeps the theme's.
  virtual std::optional<COLORREF> LabelTextColor(HWND) const { return std::nullopt; }
  // Each message of the modal loop comes here first; true when it was handled.
  virtual bool PreTranslateModal(const MSG& message);
  // The modal loop found the message queue empty.
  virtual void ModalIdle() {}

  // The form's actions take their menu and tool bar commands before the form's own
  // handling sees them. The binding must outlive the form's window.
  void BindActions(TActionBinding& binding) { FActionBinding = &binding; }
  // A form's own message handling; what it leaves goes on to TForm::HandleFormMessage.
  // The theme's painter and the bound actions have had their turn by then.
  virtual LRESULT HandleFormMessage(UINT message, WPARAM wParam, LPARAM lParam);

 private:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) final;
  void SetBounds(const TRect& bounds);
  void CentreOn(HWND owner);
  void DropQueuedInput();

  TFormEnvironment FEnvironment;
  TActionBinding* FActionBinding = nullptr;
  int FDpi = 96;
  int FFontPoints;
  int FDesignHelpContext = 0;
  int FHelpContext = 0;
  TRect FNormalBounds;
  bool FStartMaximized = false;  // restored as maximized while hidden
  std::vector<std::function<void()>> FPosted;
  TModalResult FModalResult = TModalResult::mrNone;
  bool FRunning = false;
  bool FPlaced = false;  // centred on its owner once
};

}  // namespace palvetta
