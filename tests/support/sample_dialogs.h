#pragma once
// Small dialog descriptions the layout and window tests share.

#include "base/text.h"
#include "gui/layout.h"

namespace palvetta {

// A parameter's name, its description and its check, as the program's own parameter
// dialog has them.
inline TLayoutNode ParameterDialog() {
  return Dialog({
      LabelAbove("Name:", Edit("edtName", 30)),
      LabelAbove("Description:", Memo("memDescr", 4, 40)),
      LabelAbove("Check:", Combo("cmbCheck", {"No check", "Required (any string)",
                                              "Path must exist", "Path must NOT exist"})),
  });
}

// The checks of a parameter, as a grid's pick-index column offers them.
inline const TStrings kParameterChecks = {"No Check", "Required", "Path must exist",
                                          "Path must be empty or must not exist"};

// Grids inside a dialog, as the subroutine and dispatcher editors have them.
inline TLayoutNode SubroutineGridDialog() {
  return Dialog({
      LabelAbove("Name:", Edit("edtName", 30)),
      LabelAbove("Description:", Memo("memDescr", 2, 40)),
      LabelAbove("Parameters:",
                 Stretched(Grid("vstParams",
                                {TGridColumn::Text("Name"), TGridColumn::Text("Description"),
                                 TGridColumn::PickIndex("Check", kParameterChecks)},
                                5, 60))),
      LabelAbove("Targets:", Stretched(Grid("vstDispatcher",
                                            {TGridColumn::Text("Value"),
                                             TGridColumn::PickText("Sub/label"),
                                             TGridColumn::Text("Parameters")},
                                            4, 60))),
  });
}

}  // namespace palvetta
