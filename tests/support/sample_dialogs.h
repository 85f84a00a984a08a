#pragma once
// A small dialog description the layout and window tests share: a parameter's name, its
// description and its check, as the program's own parameter dialog has them.

#include "gui/layout.h"

namespace palvetta {

inline TLayoutNode ParameterDialog() {
  return Dialog({
      LabelAbove("Name:", Edit("edtName", 30)),
      LabelAbove("Description:", Memo("memDescr", 4, 40)),
      LabelAbove("Check:", Combo("cmbCheck", {"No check", "Required (any string)",
                                              "Path must exist", "Path must NOT exist"})),
  });
}

}  // namespace palvetta
