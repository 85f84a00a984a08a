#pragma once
// The SCHTASKS items: creating, changing, running, ending, deleting and querying
// scheduled tasks.

#include "items/scheduled_tasks/schtasks_create_item.h"
#include "items/scheduled_tasks/schtasks_items.h"

namespace palvetta {

// The family's classes, as the catalogue and project files know them.
inline constexpr const TClass* kScheduledTaskItemClasses[] = {
    &TSCHTASKSCreateItem::Class, &TSCHTASKSRunItem::Class,    &TSCHTASKSEndItem::Class,
    &TSCHTASKSDeleteItem::Class, &TSCHTASKSChangeItem::Class, &TSCHTASKSQueryItem::Class};

}  // namespace palvetta
