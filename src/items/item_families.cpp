#include "items/item_families.h"

#include <span>

#include "items/compare_search/compare_search_items.h"
#include "items/console/console_items.h"
#include "items/control_of_flow/control_of_flow_items.h"
#include "items/file_and_folder/file_and_folder_items.h"
#include "items/file_system/file_system_items.h"
#include "items/for/for_items.h"
#include "items/misc/misc_items.h"
#include "items/robocopy/robocopy_item.h"
#include "items/remote_query/remote_query_items.h"
#include "items/network/network_items.h"
#include "items/seven_zip/seven_zip_items.h"
#include "items/system/system_family.h"
#include "items/service_control/service_control_items.h"
#include "items/access_control/icacls_items.h"
#include "items/scheduled_tasks/scheduled_tasks_items.h"

namespace palvetta {

void RegisterItemFamilies(TClassRegistry& registry) {
  const std::span<const TClass* const> families[] = {
      kMiscItemClasses,
      kControlOfFlowItemClasses,
      kFORItemClasses,
      kFileAndFolderItemClasses,
      kCompareSearchItemClasses,
      kRobocopyItemClasses,
      kRemoteQueryItemClasses,
      kNetworkItemClasses,
      kSevenZipItemClasses,
      kFileSystemItemClasses,
      kConsoleItemClasses,
      kSystemItemClasses,
      kServiceControlItemClasses,
      kAccessControlItemClasses,
      kScheduledTaskItemClasses,
  };
  for (const auto family : families) {
    for (const TClass* cls : family) registry.Register(*cls);
  }
}

}  // namespace palvetta
