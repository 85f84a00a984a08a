#include "gui/editor_values.h"

#include <stdexcept>

namespace palvetta {

void TEditorValues::Set(std::string_view field, Value value) {
  FValues[std::string(field)] = std::move(value);
}

void TEditorValues::SetChoices(std::string_view field, TStrings choices) {
  FChoices[std::string(field)] = std::move(choices);
}

template <class T>
const T& TEditorValues::Get(std::string_view field) const {
  const auto found = FValues.find(std::string(field));
  if (found == FValues.end() || !std::holds_alternative<T>(found->second)) {
    throw std::logic_error("The editor has no value of that kind for " + std::string(field));
  }
  return std::get<T>(found->second);
}

template const std::string& TEditorValues::Get<std::string>(std::string_view) const;
template const bool& TEditorValues::Get<bool>(std::string_view) const;
template const int& TEditorValues::Get<int>(std::string_view) const;
template const int64_t& TEditorValues::Get<int64_t>(std::string_view) const;
template const TGridRows& TEditorValues::Get<TGridRows>(std::string_view) const;
template const double& TEditorValues::Get<double>(std::string_view) const;
template const TStrings& TEditorValues::Get<TStrings>(std::string_view) const;

bool TEditorValues::HoldsLargeNumber(std::string_view field) const {
  const auto found = FValues.find(std::string(field));
  return found != FValues.end() && std::holds_alternative<int64_t>(found->second);
}

const TStrings& TEditorValues::Choices(std::string_view field) const {
  const auto found = FChoices.find(std::string(field));
  if (found == FChoices.end()) {
    throw std::logic_error("The editor offers no choices for " + std::string(field));
  }
  return found->second;
}

std::vector<std::string> TEditorValues::Fields() const {
  std::vector<std::string> fields;
  for (const auto& [name, value] : FValues) fields.push_back(name);
  return fields;
}

}  // namespace palvetta
