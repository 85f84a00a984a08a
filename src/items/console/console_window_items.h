#pragma once
// The console window and what it shows: COLOR, TITLE, PROMPT, TYPE of a text file and VER.

#include <cstdint>
#include <string>

#include "model/class_info.h"
#include "model/custom_project_item.h"

namespace palvetta {

class TColorItem : public TCustomProjectItem {
 public:
  PALVETTA_CLASS
  uint8_t TextColor = 7;  // console colour numbers 0..15
  uint8_t BGColor = 0;

  PALVETTA_ITEM_TEXTS
};

class TTitleItem : public TCustomProjectItem {
 public:
  PALVETTA_CLASS
  std::string Title;

  PALVETTA_ITEM_TEXTS
};

class TPromptItem : public TCustomProjectItem {
 public:
  PALVETTA_CLASS
  std::string Prompt;  // with PROMPT's $ codes

  PALVETTA_ITEM_TEXTS
};

class TTypeItem : public TCustomProjectItem {
 public:
  PALVETTA_CLASS
  std::string Path;

  PALVETTA_ITEM_TEXTS
};

class TVerItem : public TCustomProjectItem {
 public:
  PALVETTA_CLASS
  PALVETTA_ITEM_TEXTS
};

}  // namespace palvetta
