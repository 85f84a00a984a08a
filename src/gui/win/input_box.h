#pragma once
// A one-line question, e.g. the name of a new snippet. The dialog is made for each
// question and gone afterwards.

#include <windows.h>

#include <functional>
#include <string>
#include <string_view>

#include "gui/win/dialog.h"

namespace palvetta {

// Asks with the prompt, the field holding the initial text. OK with a text that is not
// blank gives the text as typed, blanks around it included; Cancel, closing the window or
// a blank text give the default. onShown runs once the dialog shows (tests drive it from
// there).
std::string ShowInputBox(std::string_view caption, std::string_view prompt,
                         std::string_view initialText, std::string_view defaultValue,
                         HWND owner = nullptr,
                         const std::function<void(TDialog&)>& onShown = nullptr,
                         const TFormEnvironment& environment = {});

}  // namespace palvetta
