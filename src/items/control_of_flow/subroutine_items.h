#pragma once
// Subroutines, their end, and the dispatcher that calls them or jumps to bookmarks.

#include <string>

#include "model/class_info.h"
#include "model/custom_project_item.h"
#include "model/properties.h"
#include "model/run_param.h"

namespace palvetta {

// Opens a subroutine: the items after it, up to the next subroutine item, a subroutine
// end item or the end of the project, are its body, which the generator moves behind
// the main part of the batch file.
class TSubroutineItem : public TCustomProjectItem {
 public:
  PALVETTA_CLASS
  TItemRole Role() const override { return TItemRole::irSubroutine; }
  std::string DeclaredName() const override { return Name; }
  std::string Name;
  std::string Descr;     // may hold several lines
  TRunParams RunParams;  // the arguments it is called with, and their checks

  PALVETTA_ITEM_TEXTS
  PALVETTA_ITEM_EDITOR_CODE
};

class TSubroutineEndItem : public TCustomProjectItem {
 public:
  PALVETTA_CLASS
  TItemRole Role() const override { return TItemRole::irSubroutineEnd; }
  PALVETTA_ITEM_TEXTS
};

// One row of the dispatcher: the value to compare with, where to go, and the
// arguments of a subroutine call.
class TDispatcherItem : public TPersistent {
 public:
  PALVETTA_CLASS
  std::string Value;
  std::string SubOrLabel;
  std::string Parameters;
};

using TDispatcherCollection = TCollection<TDispatcherItem>;

// Compares a variable with a list of values and, for each, calls a subroutine or jumps
// to a bookmark.
class TSubroutineDispatcherItem : public TCustomProjectItem {
 public:
  PALVETTA_CLASS
  std::string VarName;
  TDispatcherCollection Dispatcher;

  PALVETTA_ITEM_TEXTS
  PALVETTA_ITEM_EDITOR_CODE
};

}  // namespace palvetta
