#pragma once
// The query tools that can run against another computer: DRIVERQUERY, GPRESULT and
// OPENFILES.

#include "items/remote_query/driverquery_gpresult_items.h"
#include "items/remote_query/openfiles_items.h"

namespace palvetta {

// The family's classes, as the catalogue and project files know them.
inline constexpr const TClass* kRemoteQueryItemClasses[] = {
    &TDriverQueryItem::Class, &TGPResultItem::Class, &TOpenFilesQueryItem::Class,
    &TOpenFilesDisconnectItem::Class, &TOpenFilesLocalItem::Class};

}  // namespace palvetta
