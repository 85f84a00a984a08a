#pragma once
// Run parameters as the rows of an editor grid, and back.

#include "gui/editor_values.h"
#include "model/run_param.h"

namespace palvetta {

// Grid rows of run parameters: name (or argument) and description, and the check's
// ordinal when the grid has that column.
TGridRows RunParamRows(const TRunParams& params, bool withCheck);

// Every row whose first cell is not blank becomes an entry, its cells as typed; a check
// the enumeration lacks becomes no check.
void RunParamsFromRows(const TGridRows& rows, TRunParams& params, bool withCheck);

}  // namespace palvetta
