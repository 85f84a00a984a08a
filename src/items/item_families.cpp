#include "items/item_families.h"

#include "items/control_of_flow/control_of_flow_items.h"
#include "items/for/for_items.h"
#include "items/misc/misc_items.h"

namespace palvetta {

void RegisterItemFamilies(TClassRegistry& registry) {
  RegisterMiscItems(registry);
  RegisterControlOfFlowItems(registry);
  RegisterFORItems(registry);
}

}  // namespace palvetta
