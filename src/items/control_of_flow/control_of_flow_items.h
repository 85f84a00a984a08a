#pragma once
// Items that structure a batch file: bookmarks and GOTO, IF / ELSE / end-of-IF blocks,
// EXIT, CALL of another batch file, running a program, PUSHD / POPD, SETLOCAL /
// ENDLOCAL, START, CMD, and subroutines with their dispatcher. Nothing checks that
// blocks are balanced: an IF item writes only its opening line, the end item only ")".

#include <cstdint>
#include <string>

#include "gui/editor_values.h"
#include "model/class_info.h"
#include "model/custom_project_item.h"
#include "model/run_param.h"

namespace palvetta {

enum class TEnableExtensions { eeNoChange, eeEnable, eeDisable };
enum class TEnableDelayedExpansion { edeNoChange, edeEnable, edeDisable };
enum class TStartItemMinMax { mmDefault, mmMin, mmMax };
enum class TStartItemSeparateShared { ssDefault, ssSeparate, ssShared };
enum class TStartItemPriority { pDefault, pLOW, pNORMAL, pHIGH, pREALTIME, pABOVENORMAL, pBELOWNORMAL };
enum class TCMDRemainTerminate { stRemain, stTerminate };
enum class TCMDOutputEncoding { oeDefault, oeANSI, oeUnicode };
enum class TCMDCommandExtenions { ecDefault, ecEnable, ecDisable };
enum class TCMDNameCompletion { ncDefault, ncEnable, ncDisable };
enum class TCMDEnvVarExpansion { veDefault, veEnable, veDisable };

namespace enum_names {
inline constexpr std::string_view kEnableExtensions[] = {"eeNoChange", "eeEnable", "eeDisable"};
inline constexpr std::string_view kEnableDelayedExpansion[] = {"edeNoChange", "edeEnable",
                                                               "edeDisable"};
inline constexpr std::string_view kStartItemMinMax[] = {"mmDefault", "mmMin", "mmMax"};
inline constexpr std::string_view kStartItemSeparateShared[] = {"ssDefault", "ssSeparate",
                                                                "ssShared"};
inline constexpr std::string_view kStartItemPriority[] = {
    "pDefault", "pLOW", "pNORMAL", "pHIGH", "pREALTIME", "pABOVENORMAL", "pBELOWNORMAL"};
inline constexpr std::string_view kCMDRemainTerminate[] = {"stRemain", "stTerminate"};
inline constexpr std::string_view kCMDOutputEncoding[] = {"oeDefault", "oeANSI", "oeUnicode"};
inline constexpr std::string_view kCMDCommandExtenions[] = {"ecDefault", "ecEnable", "ecDisable"};
inline constexpr std::string_view kCMDNameCompletion[] = {"ncDefault", "ncEnable", "ncDisable"};
inline constexpr std::string_view kCMDEnvVarExpansion[] = {"veDefault", "veEnable", "veDisable"};
}  // namespace enum_names

PALVETTA_ENUM_INFO(TEnableExtensions, enum_names::kEnableExtensions);
PALVETTA_ENUM_INFO(TEnableDelayedExpansion, enum_names::kEnableDelayedExpansion);
PALVETTA_ENUM_INFO(TStartItemMinMax, enum_names::kStartItemMinMax);
PALVETTA_ENUM_INFO(TStartItemSeparateShared, enum_names::kStartItemSeparateShared);
PALVETTA_ENUM_INFO(TStartItemPriority, enum_names::kStartItemPriority);
PALVETTA_ENUM_INFO(TCMDRemainTerminate, enum_names::kCMDRemainTerminate);
PALVETTA_ENUM_INFO(TCMDOutputEncoding, enum_names::kCMDOutputEncoding);
PALVETTA_ENUM_INFO(TCMDCommandExtenions, enum_names::kCMDCommandExtenions);
PALVETTA_ENUM_INFO(TCMDNameCompletion, enum_names::kCMDNameCompletion);
PALVETTA_ENUM_INFO(TCMDEnvVarExpansion, enum_names::kCMDEnvVarExpansion);

// A bookmark: the label that GOTO and the dispatcher jump to.
class TGotoLabelItem : public TCustomProjectItem {
 public:
  PALVETTA_CLASS
  TItemRole Role() const override { return TItemRole::irBookmark; }
  std::string DeclaredName() const override { return Name; }
  std::string Name;

  PALVETTA_ITEM_WITH_EDITOR
};

class TGotoItem : public TCustomProjectItem {
 public:
  PALVETTA_CLASS
  std::string LabelName;

  PALVETTA_ITEM_WITH_EDITOR
};

class TIfItem : public TCustomProjectItem {
 public:
  PALVETTA_CLASS
  std::string Condition;

  PALVETTA_ITEM_WITH_EDITOR
};

// The fixed items: a text of their own and no settings.
class TElseItem : public TCustomProjectItem {
 public:
  PALVETTA_CLASS
  PALVETTA_ITEM_TEXTS
};

class TIfEndItem : public TCustomProjectItem {
 public:
  PALVETTA_CLASS
  PALVETTA_ITEM_TEXTS
};

class TPopdItem : public TCustomProjectItem {
 public:
  PALVETTA_CLASS
  PALVETTA_ITEM_TEXTS
};

class TEndLocalItem : public TCustomProjectItem {
 public:
  PALVETTA_CLASS
  PALVETTA_ITEM_TEXTS
};

class TCallItem : public TCustomProjectItem {
 public:
  PALVETTA_CLASS
  std::string BatchFileName;
  std::string BatchFileParams;

  PALVETTA_ITEM_WITH_EDITOR
};

class TExitItem : public TCustomProjectItem {
 public:
  PALVETTA_CLASS
  std::string ErrorCode;

  PALVETTA_ITEM_WITH_EDITOR
};

class TRunProgramItem : public TCustomProjectItem {
 public:
  PALVETTA_CLASS
  std::string Path;
  TRunParams RunParams;  // only Param and Descr are used

  PALVETTA_ITEM_WITH_EDITOR
};

class TPushdItem : public TCustomProjectItem {
 public:
  PALVETTA_CLASS
  std::string Path;

  PALVETTA_ITEM_WITH_EDITOR
};

class TSetLocalItem : public TCustomProjectItem {
 public:
  PALVETTA_CLASS
  TEnableExtensions EnableExtensions = TEnableExtensions::eeNoChange;
  TEnableDelayedExpansion EnableDelayedExpansion = TEnableDelayedExpansion::edeNoChange;

  PALVETTA_ITEM_WITH_EDITOR
};

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

  PALVETTA_ITEM_WITH_EDITOR
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

  PALVETTA_ITEM_WITH_EDITOR
};

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

  PALVETTA_ITEM_WITH_EDITOR
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
  std::string Value;
  std::string SubOrLabel;
  std::string Parameters;

  void DescribeProperties(PropertyVisitor& visitor) override;
};

using TDispatcherCollection = TCollection<TDispatcherItem>;

// Compares a variable with a list of values and, for each, calls a subroutine or jumps
// to a bookmark.
class TSubroutineDispatcherItem : public TCustomProjectItem {
 public:
  PALVETTA_CLASS
  std::string VarName;
  TDispatcherCollection Dispatcher;

  PALVETTA_ITEM_WITH_EDITOR
};

void RegisterControlOfFlowItems(TClassRegistry& registry);

}  // namespace palvetta
