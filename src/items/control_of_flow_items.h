#pragma once
// Items that structure a batch file: bookmarks and GOTO, IF / ELSE / end-of-IF blocks,
// EXIT, CALL of another batch file, running a program, PUSHD / POPD, SETLOCAL /
// ENDLOCAL, START, CMD, and subroutines with their dispatcher. Nothing checks that
// blocks are balanced: an IF item writes only its opening line, the end item only ")".

#include <cstdint>
#include <string>

#include "model/editor_values.h"
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

template <>
struct EnumInfo<TEnableExtensions> {
  static constexpr EnumType Type{"TEnableExtensions", enum_names::kEnableExtensions};
};
template <>
struct EnumInfo<TEnableDelayedExpansion> {
  static constexpr EnumType Type{"TEnableDelayedExpansion", enum_names::kEnableDelayedExpansion};
};
template <>
struct EnumInfo<TStartItemMinMax> {
  static constexpr EnumType Type{"TStartItemMinMax", enum_names::kStartItemMinMax};
};
template <>
struct EnumInfo<TStartItemSeparateShared> {
  static constexpr EnumType Type{"TStartItemSeparateShared", enum_names::kStartItemSeparateShared};
};
template <>
struct EnumInfo<TStartItemPriority> {
  static constexpr EnumType Type{"TStartItemPriority", enum_names::kStartItemPriority};
};
template <>
struct EnumInfo<TCMDRemainTerminate> {
  static constexpr EnumType Type{"TCMDRemainTerminate", enum_names::kCMDRemainTerminate};
};
template <>
struct EnumInfo<TCMDOutputEncoding> {
  static constexpr EnumType Type{"TCMDOutputEncoding", enum_names::kCMDOutputEncoding};
};
template <>
struct EnumInfo<TCMDCommandExtenions> {
  static constexpr EnumType Type{"TCMDCommandExtenions", enum_names::kCMDCommandExtenions};
};
template <>
struct EnumInfo<TCMDNameCompletion> {
  static constexpr EnumType Type{"TCMDNameCompletion", enum_names::kCMDNameCompletion};
};
template <>
struct EnumInfo<TCMDEnvVarExpansion> {
  static constexpr EnumType Type{"TCMDEnvVarExpansion", enum_names::kCMDEnvVarExpansion};
};

// A bookmark: the label that GOTO and the dispatcher jump to.
class TGotoLabelItem : public TCustomProjectItem {
 public:
  PALVETTA_CLASS
  std::string Name;

  void DescribeProperties(PropertyVisitor& visitor) override;
  std::string GetHumanReadableText() const override;
  std::string GetBatchText() const override;
  bool HasEditor() const override { return true; }
  void ToEditor(TEditorValues& values) const override;
  void FromEditor(const TEditorValues& values) override;
};

class TGotoItem : public TCustomProjectItem {
 public:
  PALVETTA_CLASS
  std::string LabelName;

  void DescribeProperties(PropertyVisitor& visitor) override;
  std::string GetHumanReadableText() const override;
  std::string GetBatchText() const override;
  bool HasEditor() const override { return true; }
  void ToEditor(TEditorValues& values) const override;
  void FromEditor(const TEditorValues& values) override;
};

class TIfItem : public TCustomProjectItem {
 public:
  PALVETTA_CLASS
  std::string Condition;

  void DescribeProperties(PropertyVisitor& visitor) override;
  std::string GetHumanReadableText() const override;
  std::string GetBatchText() const override;
  bool HasEditor() const override { return true; }
  void ToEditor(TEditorValues& values) const override;
  void FromEditor(const TEditorValues& values) override;
};

// The fixed items: a text of their own and no settings.
class TElseItem : public TCustomProjectItem {
 public:
  PALVETTA_CLASS
  std::string GetHumanReadableText() const override;
  std::string GetBatchText() const override;
};

class TIfEndItem : public TCustomProjectItem {
 public:
  PALVETTA_CLASS
  std::string GetHumanReadableText() const override;
  std::string GetBatchText() const override;
};

class TPopdItem : public TCustomProjectItem {
 public:
  PALVETTA_CLASS
  std::string GetHumanReadableText() const override;
  std::string GetBatchText() const override;
};

class TEndLocalItem : public TCustomProjectItem {
 public:
  PALVETTA_CLASS
  std::string GetHumanReadableText() const override;
  std::string GetBatchText() const override;
};

class TCallItem : public TCustomProjectItem {
 public:
  PALVETTA_CLASS
  std::string BatchFileName;
  std::string BatchFileParams;

  void DescribeProperties(PropertyVisitor& visitor) override;
  std::string GetHumanReadableText() const override;
  std::string GetBatchText() const override;
  bool HasEditor() const override { return true; }
  void ToEditor(TEditorValues& values) const override;
  void FromEditor(const TEditorValues& values) override;
};

class TExitItem : public TCustomProjectItem {
 public:
  PALVETTA_CLASS
  std::string ErrorCode;

  void DescribeProperties(PropertyVisitor& visitor) override;
  std::string GetHumanReadableText() const override;
  std::string GetBatchText() const override;
  bool HasEditor() const override { return true; }
  void ToEditor(TEditorValues& values) const override;
  void FromEditor(const TEditorValues& values) override;
};

class TRunProgramItem : public TCustomProjectItem {
 public:
  PALVETTA_CLASS
  std::string Path;
  TRunParams RunParams;  // only Param and Descr are used

  void DescribeProperties(PropertyVisitor& visitor) override;
  std::string GetHumanReadableText() const override;
  std::string GetBatchText() const override;
  bool HasEditor() const override { return true; }
  void ToEditor(TEditorValues& values) const override;
  void FromEditor(const TEditorValues& values) override;
};

class TPushdItem : public TCustomProjectItem {
 public:
  PALVETTA_CLASS
  std::string Path;

  void DescribeProperties(PropertyVisitor& visitor) override;
  std::string GetHumanReadableText() const override;
  std::string GetBatchText() const override;
  bool HasEditor() const override { return true; }
  void ToEditor(TEditorValues& values) const override;
  void FromEditor(const TEditorValues& values) override;
};

class TSetLocalItem : public TCustomProjectItem {
 public:
  PALVETTA_CLASS
  TEnableExtensions EnableExtensions = TEnableExtensions::eeNoChange;
  TEnableDelayedExpansion EnableDelayedExpansion = TEnableDelayedExpansion::edeNoChange;

  void DescribeProperties(PropertyVisitor& visitor) override;
  std::string GetHumanReadableText() const override;
  std::string GetBatchText() const override;
  bool HasEditor() const override { return true; }
  void ToEditor(TEditorValues& values) const override;
  void FromEditor(const TEditorValues& values) override;
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

  void DescribeProperties(PropertyVisitor& visitor) override;
  std::string GetHumanReadableText() const override;
  std::string GetBatchText() const override;
  bool HasEditor() const override { return true; }
  void ToEditor(TEditorValues& values) const override;
  void FromEditor(const TEditorValues& values) override;
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

  void DescribeProperties(PropertyVisitor& visitor) override;
  std::string GetHumanReadableText() const override;
  std::string GetBatchText() const override;
  bool HasEditor() const override { return true; }
  void ToEditor(TEditorValues& values) const override;
  void FromEditor(const TEditorValues& values) override;
};

// Opens a subroutine: the items after it, up to the next subroutine item, a subroutine
// end item or the end of the project, are its body, which the generator moves behind
// the main part of the batch file.
class TSubroutineItem : public TCustomProjectItem {
 public:
  PALVETTA_CLASS
  std::string Name;
  std::string Descr;     // may hold several lines
  TRunParams RunParams;  // the arguments it is called with, and their checks

  void DescribeProperties(PropertyVisitor& visitor) override;
  std::string GetHumanReadableText() const override;
  std::string GetBatchText() const override;
  bool HasEditor() const override { return true; }
  void ToEditor(TEditorValues& values) const override;
  void FromEditor(const TEditorValues& values) override;
};

class TSubroutineEndItem : public TCustomProjectItem {
 public:
  PALVETTA_CLASS
  std::string GetHumanReadableText() const override;
  std::string GetBatchText() const override;
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

  void DescribeProperties(PropertyVisitor& visitor) override;
  std::string GetHumanReadableText() const override;
  std::string GetBatchText() const override;
  bool HasEditor() const override { return true; }
  void ToEditor(TEditorValues& values) const override;
  void FromEditor(const TEditorValues& values) override;
};

void RegisterControlOfFlowItems(TClassRegistry& registry);

}  // namespace palvetta
