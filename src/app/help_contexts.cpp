#include "app/help_contexts.h"

#include "app/catalogue.h"
#include "base/text.h"
#include "model/custom_project_item.h"

namespace palvetta {

int HelpContextOf(const TCustomProjectItem* item) {
  if (item == nullptr) return 0;
  const std::string_view className = item->ClassType().Name;
  for (const TCatalogueEntry& entry : CatalogueEntries()) {
    if (SameTextAscii(entry.ClassName, className)) return entry.HelpId;
  }
  return 0;
}

}  // namespace palvetta
