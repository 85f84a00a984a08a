// The dialogs of the miscellaneous items: comment, parameter, SET and declare variable.

#include "items/misc/misc_dialogs.h"

#include "items/misc/misc_items.h"

namespace palvetta {

std::vector<TItemEditorSpec> MiscEditorSpecs(const TEnvironmentLookup& environmentHas) {
  std::vector<TItemEditorSpec> specs;
  specs.push_back({&TREMItem::Class,
                   {.Title = "Comment", .Layout = Dialog({Stretched(Memo("memText", 8, 50))})}});
  specs.push_back(
      {&TParamItem::Class,
       {.Title = "Parameter",
        .Layout = Dialog({
            LabelAbove("Name:", Edit("edtName", 30)),
            LabelAbove("Description:", Stretched(Memo("memDescr", 4, 40))),
            LabelAbove("Check:", Combo("cmbCheck", {"No check", "Required (any string)",
                                                    "Path must exist", "Path must NOT exist"})),
        }),
        .Checks = {[environmentHas](TEditorValues& values) {
          return CheckParameterName(values, environmentHas);
        }}}});
  specs.push_back({&TSetVarValItem::Class,
                   {.Title = "Set variable value",
                    .Layout = Dialog({
                        LabelAbove("Variable name:", Edit("edtName", 30)),
                        LabelAbove("Variable value:", Edit("edtValue", 40)),
                    })}});
  specs.push_back(
      {&TVariableItem::Class,
       {.Title = "Declare a variable",
        .Layout = Dialog({
            LabelAbove("Name:", Edit("edtName", 30)),
            LabelAbove("Purpose:", Edit("edtDescr", 40)),
            Note("lblNote",
                 "This task writes only a comment. The variable it declares can then be picked "
                 "in \"User choice\" and \"Subroutine dispatcher\".",
                 45),
        })}});
  return specs;
}

constinit const TItemFamily kMiscFamily{kMiscItemClasses, MiscEditorSpecs};

}  // namespace palvetta
