#include "items/item_families.h"

#include "items/control_of_flow_items.h"
#include "items/for_items.h"
#include "items/misc_items.h"

namespace palvetta {

void RegisterItemFamilies(TClassRegistry& registry) {
  RegisterMiscItems(registry);
  RegisterControlOfFlowItems(registry);
  RegisterFORItems(registry);
}

}  // namespace palvetta
