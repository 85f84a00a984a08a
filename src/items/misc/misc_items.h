#pragma once
// Comments, batch-file parameters, SET, the parameter check of the batch file and
// variable declarations.

#include <string>

#include "model/class_info.h"
#include "model/custom_project_item.h"

namespace palvetta {

class TREMItem : public TCustomProjectItem {
 public:
  PALVETTA_CLASS
  std::string Text;  // may hold several lines

  PALVETTA_ITEM_TEXTS
};

// A parameter of the batch file: writes nothing itself, but "%Name%" in other items'
// texts becomes its number ("%1".."%9"), counted among all parameter items.
class TParamItem : public TCustomProjectItem {
 public:
  PALVETTA_CLASS
  TItemRole Role() const override { return TItemRole::irParameter; }
  std::string DeclaredName() const override { return Name; }
  std::string Name;
  std::string Descr;  // may hold several lines
  TParamCheck ParamCheck = TParamCheck::pcNoCheck;

  PALVETTA_ITEM_TEXTS
  PALVETTA_ITEM_EDITOR_CODE
};

class TSetVarValItem : public TCustomProjectItem {
 public:
  PALVETTA_CLASS
  std::string Name;
  std::string Value;

  PALVETTA_ITEM_TEXTS
};

// Checks the batch file's parameters and, when one fails, shows how to call the file.
class TCheckParamsItem : public TCustomProjectItem {
 public:
  PALVETTA_CLASS
  PALVETTA_ITEM_TEXTS
};

class TVariableItem : public TCustomProjectItem {
 public:
  PALVETTA_CLASS
  TItemRole Role() const override { return TItemRole::irVariable; }
  std::string DeclaredName() const override { return Name; }
  std::string Name;
  std::string Descr;  // purpose

  PALVETTA_ITEM_TEXTS
};

// The family's classes, as the catalogue and project files know them.
inline constexpr const TClass* kMiscItemClasses[] = {&TREMItem::Class, &TParamItem::Class,
                                                     &TSetVarValItem::Class,
                                                     &TCheckParamsItem::Class,
                                                     &TVariableItem::Class};

}  // namespace palvetta
