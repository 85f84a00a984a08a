// The dialog of the FOR loop over the lines of a file.

#include "items/for/for_dialogs.h"

#include "items/for/for_items.h"

namespace palvetta {

std::vector<TItemEditorSpec> ForEditorSpecs() {
  std::vector<TItemEditorSpec> specs;
  specs.push_back(
      {&TFOREachLineInFile::Class,
       {.Title = "For each line in file",
        .Layout = Dialog({FieldWithBrowse("File name:", "edtFileName", "btnBrowse")}),
        .Browse = {{.Button = "btnBrowse", .Field = "edtFileName"}},
        .Checks = {[](TEditorValues& values) { return CheckForFileName(values); }}}});
  return specs;
}

constinit const TItemFamily kFORFamily{kFORItemClasses, [](const TEnvironmentLookup&) { return ForEditorSpecs(); }};

}  // namespace palvetta
