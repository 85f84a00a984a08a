#pragma once
// Field-table rows the SC items share.

#include "items/inherited_rows.h"
#include "items/service_control/sc_items.h"
#include "model/field_table.h"

namespace palvetta {

// The service box of the dialogs that list the computer's services. The base class saves
// the name; the create dialog shows it in a plain field instead.
constexpr TField ServiceBox() {
  return ShownOnly(fields::Choice<&TCustomSCItem::ServiceName>({}, "cmbService"));
}

}  // namespace palvetta
