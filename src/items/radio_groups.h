#pragma once
// A value shown as a group of radio buttons, one button per value in order (an
// enumeration's ordinals, or false and true).

#include <cstddef>
#include <string_view>

#include "gui/editor_values.h"

namespace palvetta {

template <class E, size_t N>
void RadiosToEditor(TEditorValues& values, const std::string_view (&buttons)[N], E value) {
  for (size_t i = 0; i < N; ++i) values.SetChecked(buttons[i], static_cast<size_t>(value) == i);
}

// The value of the checked button; the fallback when none is checked.
template <class E, size_t N>
E RadiosFromEditor(const TEditorValues& values, const std::string_view (&buttons)[N], E fallback) {
  for (size_t i = 0; i < N; ++i) {
    if (values.Checked(buttons[i])) return static_cast<E>(i);
  }
  return fallback;
}

}  // namespace palvetta
