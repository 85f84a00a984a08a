#pragma once
// The items that talk to the user at the console or change the console: messages, echo,
// clearing, colours, questions and menus, PAUSE, the prompt, TYPE, VER, the window title
// and the code pages.

#include "items/console/code_page_items.h"
#include "items/console/console_window_items.h"
#include "items/console/echo_items.h"
#include "items/console/input_items.h"

namespace palvetta {

// The family's classes, as the catalogue and project files know them.
inline constexpr const TClass* kConsoleItemClasses[] = {
    &TECHOItem::Class,        &TECHOControlItem::Class, &TClearScreenItem::Class,
    &TColorItem::Class,       &TAskUserItem::Class,     &TUserChoiceItem::Class,
    &TPressAnyKeyItem::Class, &TPromptItem::Class,      &TTypeItem::Class,
    &TVerItem::Class,         &TTitleItem::Class,       &TCHCPItem::Class,
    &TGraphTablItem::Class};

}  // namespace palvetta
