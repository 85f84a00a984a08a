#pragma once
// The network items: PING, FTP upload and download with curl.exe, the list of the
// network's computers, IPCONFIG and NETSTAT.

#include "items/network/curl_items.h"
#include "items/network/list_of_pcs_item.h"
#include "items/network/ping_ipconfig_netstat_items.h"

namespace palvetta {

// The family's classes, as the catalogue and project files know them.
inline constexpr const TClass* kNetworkItemClasses[] = {
    &TPingItem::Class,  &TFTPUploadItem::Class, &TDownloadFileItem::Class,
    &TCreateAListOfPCSItem::Class, &TIPConfigItem::Class, &TNetStatItem::Class};

}  // namespace palvetta
