#include "gui/actions.h"

#include <stdexcept>

namespace palvetta {

std::string StripAccelerator(std::string_view caption) {
  std::string text;
  text.reserve(caption.size());
  for (std::size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] == '&') {
      if (i + 1 < caption.size() && caption[i + 1] == '&') {
        text += '&';
        ++i;
      }
      continue;
    }
    text += caption[i];
  }
  return text;
}

char AcceleratorKey(std::string_view caption) {
  for (std::size_t i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] != '&') continue;
    if (caption[i + 1] == '&') {
      ++i;
      continue;
    }
    const char c = caption[i + 1];
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
  }
  return '\0';
}

std::string MenuText(const TAction& action) {
  if (action.Shortcut.empty()) return action.Caption;
  return action.Caption + "\t" + action.Shortcut;
}

TAction& TActionList::Add(TAction action) {
  if (action.Name.empty()) throw std::invalid_argument("An action needs a name");
  if (Find(action.Name)) throw std::invalid_argument("Repeated action name: " + action.Name);
  FActions.push_back(std::make_unique<TAction>(std::move(action)));
  return *FActions.back();
}

TAction* TActionList::Find(std::string_view name) {
  for (auto& action : FActions)
    if (action->Name == name) return action.get();
  return nullptr;
}

const TAction* TActionList::Find(std::string_view name) const {
  for (const auto& action : FActions)
    if (action->Name == name) return action.get();
  return nullptr;
}

TAction& TActionList::Get(std::string_view name) {
  TAction* action = Find(name);
  if (!action) throw std::out_of_range("Unknown action: " + std::string(name));
  return *action;
}

std::vector<std::string> TActionList::Names() const {
  std::vector<std::string> names;
  names.reserve(FActions.size());
  for (const auto& action : FActions) names.push_back(action->Name);
  return names;
}

void TActionList::UpdateAll() {
  for (auto& action : FActions)
    if (action->OnUpdate) action->OnUpdate(*action);
}

TExecuteResult TActionList::Execute(std::string_view name) {
  TAction* action = Find(name);
  if (!action) return TExecuteResult::erUnknown;
  if (action->OnUpdate) action->OnUpdate(*action);
  if (!action->Enabled) return TExecuteResult::erDisabled;
  if (action->OnExecute) action->OnExecute();
  return TExecuteResult::erExecuted;
}

}  // namespace palvetta
