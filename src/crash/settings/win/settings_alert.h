#pragma once
// How the settings tell the user that something is wrong with them: a message box
// without owner, caption "Stackward". Tests put a recorder in its place.

#include <string>

namespace palvetta {

using TSettingsAlert = void (*)(const std::u16string& text);

// Installs alert (nullptr: the message box again) and returns the one it replaces.
TSettingsAlert SetSettingsAlert(TSettingsAlert alert) noexcept;

}  // namespace palvetta
