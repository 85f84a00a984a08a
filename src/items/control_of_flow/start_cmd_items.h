#pragma once
// START of a program in a separate window, and CMD, a new command interpreter.

#include <cstdint>
#include <string>

#include "model/class_info.h"
#include "model/custom_project_item.h"

namespace palvetta {

PALVETTA_ENUM(TStartItemMinMax, mmDefault, mmMin, mmMax);
PALVETTA_ENUM(TStartItemSeparateShared, ssDefault, ssSeparate, ssShared);
PALVETTA_ENUM(TStartItemPriority, pDefault, pLOW, pNORMAL, pHIGH, pREALTIME, pABOVENORMAL,
              pBELOWNORMAL);
PALVETTA_ENUM(TCMDRemainTerminate, stRemain, stTerminate);
PALVETTA_ENUM(TCMDOutputEncoding, oeDefault, oeANSI, oeUnicode);
PALVETTA_ENUM(TCMDCommandExtenions, ecDefault, ecEnable, ecDisable);
PALVETTA_ENUM(TCMDNameCompletion, ncDefault, ncEnable, ncDisable);
PALVETTA_ENUM(TCMDEnvVarExpansion, veDefault, veEnable, veDisable);

class TStartItem : public TCustomProjectItem {
 public:
  PALVETTA_CLASS
  std::string Title;
  std::string DPath;
  bool B = false;
  bool I = false;
  TStartItemMinMax MinMax = TStartItemMinMax::mmDefault;
  TStartItemSeparateShared SeparateShared = TStartItemSeparateShared::ssDefault;
  TStartItemPriority Priority = TStartItemPriority::pDefault;
  int32_t Node = 0;
  bool UseNode = false;
  std::string Affinity;
  bool Wait = false;
  std::string ExePath;
  std::string Params;

  PALVETTA_ITEM_TEXTS
  PALVETTA_ITEM_EDITOR_CODE
};

class TCMDItem : public TCustomProjectItem {
 public:
  PALVETTA_CLASS
  TCMDRemainTerminate CMDRemainTerminate = TCMDRemainTerminate::stTerminate;
  TCMDOutputEncoding CMDOutputEncoding = TCMDOutputEncoding::oeDefault;
  TCMDCommandExtenions CMDCommandExtenions = TCMDCommandExtenions::ecDefault;
  TCMDNameCompletion CMDNameCompletion = TCMDNameCompletion::ncDefault;
  TCMDEnvVarExpansion CMDEnvVarExpansion = TCMDEnvVarExpansion::veDefault;
  bool S = false;
  bool Q = false;
  bool D = false;
  uint8_t TextColor = 7;
  uint8_t BGColor = 0;
  bool ExecStr = false;
  std::string Str;

  PALVETTA_ITEM_TEXTS
  PALVETTA_ITEM_EDITOR_CODE
};

}  // namespace palvetta
