#pragma once
// Asking the user: SET /P of a variable, and a menu of numbered or lettered options whose
// answer goes into a variable.

#include <string>

#include "base/text.h"
#include "model/class_info.h"
#include "model/custom_project_item.h"

namespace palvetta {

PALVETTA_ENUM(TChoiceNumbering, cnNumbers, cnLetters);

class TAskUserItem : public TCustomProjectItem {
 public:
  PALVETTA_CLASS
  std::string Intro;
  std::string VarName;

  PALVETTA_ITEM_TEXTS
};

class TUserChoiceItem : public TCustomProjectItem {
 public:
  PALVETTA_CLASS
  TStrings UserChoices;  // one option per entry
  std::string Intro;     // may hold several lines
  std::string Prompt;
  std::string VarName;
  TChoiceNumbering ChoiceNumbering = TChoiceNumbering::cnNumbers;

  PALVETTA_ITEM_TEXTS
  PALVETTA_ITEM_EDITOR_CODE
};

// The marker the user types for the option at the 0-based position: its number from 1,
// or a letter from "A", running on past "Z" into the characters that follow it.
std::string MenuMarker(size_t position, TChoiceNumbering numbering);

}  // namespace palvetta
