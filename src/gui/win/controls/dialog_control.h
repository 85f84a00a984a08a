#pragma once
// One control of a dialog, made from its layout node by the class of its kind (see
// control_registry.h). The dialog drives every control through IDialogControl and knows
// no kind; what only some kinds do (check states, entries, numbers, rows) the dialog
// reaches through their own classes.

#include <windows.h>

#include <memory>
#include <string>
#include <string_view>

#include "gui/editor_values.h"
#include "gui/geometry.h"
#include "gui/layout.h"
#include "gui/win/window.h"

namespace palvetta {

class TRadioGroup;

// How a control tells its dialog that its value changed or it was clicked, for changes
// that Windows does not notify.
class IControlEvents {
 public:
  virtual ~IControlEvents() = default;
  virtual void Clicked(std::string_view name) = 0;
  virtual void Changed(std::string_view name) = 0;
};

// Where a control is made: its dialog, font and command id, and what the dialog knows of
// the node beyond its description.
struct TControlSite {
  HWND Parent = nullptr;
  HFONT Font = nullptr;
  int Id = 0;
  IControlEvents* Events = nullptr;
  bool Typed = false;  // a combo the user types into rather than picks from
  std::shared_ptr<TRadioGroup> RadioGroup = {};  // the radio buttons of the node's container
};

// What placing a control needs beyond its rectangle.
struct TPlaceContext {
  int Dpi = 96;
  int LineHeight = 0;  // of the dialog's font
};

class IDialogControl {
 public:
  virtual ~IDialogControl() = default;

  virtual const std::string& Name() const = 0;
  virtual HWND Handle() const = 0;
  virtual void SetText(std::string_view text) = 0;
  // Its field of the values, and the choices offered for it; a field that is not there
  // leaves the control as it is.
  virtual void Fill(const TEditorValues& values) = 0;
  // Its value into the field of its name; a control that holds no value writes nothing.
  virtual void Read(TEditorValues& values) const = 0;
  virtual void SetEnabled(bool enabled) = 0;
  // Moves it to its layout rectangle; an empty rectangle hides it.
  virtual void Place(const TRect& rect, const TPlaceContext& context) = 0;
  // A key before the dialog reads it as OK or Cancel; true when the control used it.
  virtual bool PreTranslate(const MSG& message) = 0;
  // An edit under way inside the control is kept (OK) or dropped (Cancel).
  virtual void EndEdit(bool accept) = 0;
  // Enter on it clicks it instead of pressing OK.
  virtual bool ClicksOnEnter() const = 0;
};

// Controls whose value is a position in a list: combos and grids.
class IIndexedControl {
 public:
  virtual ~IIndexedControl() = default;
  // -1 selects nothing.
  virtual void SetIndex(int index) = 0;
  virtual int Index() const = 0;
};

// What most controls share: a child window of the dialog, its text, moved and hidden as
// the layout says; a control holds no value unless its class says otherwise.
class TDialogControl : public IDialogControl {
 public:
  const std::string& Name() const override { return FName; }
  HWND Handle() const override { return FHandle; }
  void SetText(std::string_view text) override;
  void Fill(const TEditorValues&) override {}
  void Read(TEditorValues&) const override {}
  void SetEnabled(bool enabled) override;
  void Place(const TRect& rect, const TPlaceContext& context) override;
  bool PreTranslate(const MSG&) override { return false; }
  void EndEdit(bool) override {}
  bool ClicksOnEnter() const override { return false; }

 protected:
  // Creates the window from args, at the site's parent, font and id.
  TDialogControl(const TLayoutNode& node, const TControlSite& site, TControlArgs args);

  // Moves the window without painting it: the dialog repaints after a layout.
  void MoveTo(const TRect& rect, int height) const;
  void Show(bool shown) const;
  void NotifyClicked() const { FEvents.Clicked(FName); }
  void NotifyChanged() const { FEvents.Changed(FName); }

 private:
  std::string FName;
  IControlEvents& FEvents;
  HWND FHandle = nullptr;
};

// Tab stop, and the start of a group for the arrow keys.
constexpr DWORD kInputStyle = WS_TABSTOP | WS_GROUP;

}  // namespace palvetta
