// The dialog of the FOR loop over the lines of a file.

#include "editors/editor_spec.h"
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

}  // namespace palvetta
