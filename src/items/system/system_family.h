#pragma once
// The items that act on the machine itself: the search path, shutting down, file
// associations, system information, the date and time, serial ports, and the processes
// that run.

#include "items/system/path_assoc_items.h"
#include "items/system/shutdown_item.h"
#include "items/system/system_info_items.h"
#include "items/system/task_items.h"

namespace palvetta {

// The family's classes, as the catalogue and project files know them.
inline constexpr const TClass* kSystemItemClasses[] = {
    &TPathItem::Class,      &TShutdownItem::Class,
    &TOpenExtItem::Class,   &TSystemInfoItem::Class,
    &TTaskListItem::Class,  &TTaskKillItem::Class,
    &TDisplayCurrentDateAndTimeItem::Class, &TSetTimeItem::Class,
    &TSetDateItem::Class,   &TCOMModeItem::Class};

}  // namespace palvetta
