#include "shell/win/item_editors.h"

#include <map>

namespace palvetta {
namespace {

// Only the UI thread installs and opens editors.
std::map<const TClass*, TItemEditor>& Editors() {
  static std::map<const TClass*, TItemEditor> editors;
  return editors;
}

}  // namespace

void InstallItemEditor(const TClass& cls, TItemEditor editor) {
  if (editor) {
    Editors()[&cls] = std::move(editor);
  } else {
    Editors().erase(&cls);
  }
}

bool HasItemEditor(const TClass& cls) { return Editors().count(&cls) != 0; }

bool ExecEditor(TCustomProjectItem& item, HWND owner) {
  const auto found = Editors().find(&item.ClassType());
  if (found == Editors().end()) return false;
  // A copy, so that an editor that reinstalls editors cannot pull itself away.
  const TItemEditor editor = found->second;
  return editor(item, owner);
}

}  // namespace palvetta
