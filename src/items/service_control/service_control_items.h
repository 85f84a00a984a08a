#pragma once
// The SC items: querying, starting, pausing, stopping, continuing, interrogating,
// creating and deleting services.

#include "items/service_control/sc_create_item.h"
#include "items/service_control/sc_items.h"

namespace palvetta {

// The family's classes, as the catalogue and project files know them.
inline constexpr const TClass* kServiceControlItemClasses[] = {
    &TSCQueryItem::Class,       &TSCStartItem::Class,       &TSCPauseItem::Class,
    &TSCStopItem::Class,        &TSCContinueItem::Class,    &TSCInterrogateItem::Class,
    &TSCCreateItem::Class,      &TSCDeleteItem::Class};

}  // namespace palvetta
