#pragma once
// Commands of the main window as named objects: menus, tool buttons and context menus
// show the same action, so its caption, hint and enabled/checked state live in one place.
// The update callback derives that state from the program's state; the window layer calls
// UpdateAll when it is idle, so no command handler has to remember which buttons to grey.

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace palvetta {

struct TAction {
  std::string Name;     // key in the list, e.g. "actFileOpen"
  std::string Caption;  // "&Open..."; "&" marks the accelerator letter, "&&" is a literal "&"
  std::string Hint;     // tooltip and status text
  std::string Shortcut; // shown beside the menu text, e.g. "Ctrl+O"
  bool Enabled = true;
  bool Checked = false;
  std::function<void()> OnExecute;
  // Sets Enabled/Checked (and may change Caption) from the program's state.
  std::function<void(TAction&)> OnUpdate;
};

// The caption without accelerator markers: "&Save && close" → "Save & close".
std::string StripAccelerator(std::string_view caption);
// The accelerator letter, upper case, or '\0' when the caption has none.
char AcceleratorKey(std::string_view caption);
// The text of a menu item: the caption, then a tab and the shortcut when there is one.
std::string MenuText(const TAction& action);

enum class TExecuteResult { erExecuted, erDisabled, erUnknown };

class TActionList {
 public:
  // Adds an action; raises std::invalid_argument for an empty or repeated name. The
  // returned reference stays valid for the list's lifetime.
  TAction& Add(TAction action);
  TAction* Find(std::string_view name);
  const TAction* Find(std::string_view name) const;
  // Raises std::out_of_range for an unknown name.
  TAction& Get(std::string_view name);

  // Names in the order the actions were added.
  std::vector<std::string> Names() const;
  std::size_t Size() const { return FActions.size(); }

  void UpdateAll();
  // Runs the action's update callback first, so a state that went stale since the last
  // idle time cannot let a disabled command run; a disabled action does nothing.
  TExecuteResult Execute(std::string_view name);

 private:
  std::vector<std::unique_ptr<TAction>> FActions;
};

}  // namespace palvetta
