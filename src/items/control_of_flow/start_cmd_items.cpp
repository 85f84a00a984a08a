#include "items/control_of_flow/start_cmd_items.h"

#include "items/text_helpers.h"
#include "model/field_table.h"
#include "model/quoting.h"

namespace palvetta {

namespace {

using namespace fields;

// The node's box and number follow a rule of their own: see SpecialToEditor.
constexpr TField kStartFields[] = {
    Text<&TStartItem::Title>("Title", "edtTitle"),
    Text<&TStartItem::DPath>("DPath", "edtDPath"),
    Flag<&TStartItem::B>("B", "cbxB"),
    Flag<&TStartItem::I>("I", "cbxI"),
    Enum<&TStartItem::MinMax>("MinMax", "cmbMinMax"),
    Enum<&TStartItem::SeparateShared>("SeparateShared", "cmbSeparateShared"),
    Enum<&TStartItem::Priority>("Priority", "cmbPriority"),
    Integer<&TStartItem::Node>("Node", "sbnNode").ByCode(),
    Flag<&TStartItem::UseNode>("UseNode", "cbxNode").ByCode(),
    Text<&TStartItem::Affinity>("Affinity", "edtAffinity"),
    Flag<&TStartItem::Wait>("Wait", "cbxWait"),
    Text<&TStartItem::ExePath>("ExePath", "edtExePath"),
    Text<&TStartItem::Params>("Params", "edtParams"),
};

// Two radio buttons show whether the interpreter remains or terminates.
constexpr TField kCMDFields[] = {
    Enum<&TCMDItem::CMDRemainTerminate>("CMDRemainTerminate"),
    Control(TFieldKind::fkRadio, "rbnTerminate"),
    Control(TFieldKind::fkRadio, "rbnRemain"),
    Enum<&TCMDItem::CMDOutputEncoding>("CMDOutputEncoding", "cmbOutputEncoding"),
    Enum<&TCMDItem::CMDCommandExtenions>("CMDCommandExtenions", "cmbCommandExtensions"),
    Enum<&TCMDItem::CMDNameCompletion>("CMDNameCompletion", "cmbNameCompletion"),
    Enum<&TCMDItem::CMDEnvVarExpansion>("CMDEnvVarExpansion", "cmbEnvVarExpansion"),
    Flag<&TCMDItem::S>("S", "cbxS"),
    Flag<&TCMDItem::Q>("Q", "cbxQ"),
    Flag<&TCMDItem::D>("D", "cbxD"),
    Colour<&TCMDItem::TextColor>("TextColor", "cmbTextColor"),
    Colour<&TCMDItem::BGColor>("BGColor", "cmbBGColor"),
    Flag<&TCMDItem::ExecStr>("ExecStr", "cbxExecStr"),
    Text<&TCMDItem::Str>("Str", "edtStr"),
};

}  // namespace

PALVETTA_DEFINE_CLASS(TStartItem, TCustomProjectItem, kStartFields);
PALVETTA_DEFINE_CLASS(TCMDItem, TCustomProjectItem, kCMDFields);

// START

std::string TStartItem::GetHumanReadableText() const {
  return "Start a separate window to run" +
         (IsBlank(ExePath) ? std::string(" <u>unknown</u> program") : " " + ExePath);
}

std::string TStartItem::GetBatchText() const {
  static constexpr const char* kMinMax[] = {"", " /MIN", " /MAX"};
  static constexpr const char* kSeparateShared[] = {"", " /SEPARATE", " /SHARED"};
  static constexpr const char* kPriority[] = {"",           " /LOW",      " /NORMAL",
                                              " /HIGH",     " /REALTIME", " /ABOVENORMAL",
                                              " /BELOWNORMAL"};
  // The title is always written: START takes a first quoted argument for the title.
  std::string text = "START " + QuoteOnce(Title);
  if (!IsBlank(DPath)) text += " /D " + QuoteOnce(DPath);
  if (I) text += " /I";
  text += kMinMax[Ordinal(MinMax)];
  text += kSeparateShared[Ordinal(SeparateShared)];
  text += kPriority[Ordinal(Priority)];
  if (UseNode || Node > 0) text += " /NODE " + IntToStr(Node);
  if (!IsBlank(Affinity)) text += " /AFFINITY " + QuoteIfSpaced(Affinity);
  if (Wait) text += " /WAIT";
  if (B) text += " /B";
  return TrimRight(text + " " + QuoteIfSpaced(ExePath) + " " + UserBatchSyntax(Params));
}

void TStartItem::SpecialToEditor(TEditorValues& values) const {
  values.SetChecked("cbxNode", UseNode || Node > 0);
  values.SetIndex("sbnNode", Node);
}

void TStartItem::SpecialFromEditor(const TEditorValues& values) {
  UseNode = values.Checked("cbxNode");
  // Without the box no node is chosen: a node left over from before would still
  // write /NODE, since a node above 0 counts as chosen.
  Node = UseNode ? values.Index("sbnNode") : 0;
}

// CMD

std::string TCMDItem::GetHumanReadableText() const {
  return "Start a new instance of the Windows command interpreter";
}

std::string TCMDItem::GetBatchText() const {
  static constexpr const char* kEncoding[] = {"", " /A", " /U"};
  static constexpr const char* kExtensions[] = {"", " /E:ON", " /E:OFF"};
  static constexpr const char* kCompletion[] = {"", " /F:ON", " /F:OFF"};
  static constexpr const char* kExpansion[] = {"", " /V:ON", " /V:OFF"};
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string text = "CMD";
  text += kEncoding[Ordinal(CMDOutputEncoding)];
  if (Q) text += " /Q";
  if (D) text += " /D";
  text += std::string(" /T:") + kHex[BGColor & 0xF] + kHex[TextColor & 0xF];
  text += kExtensions[Ordinal(CMDCommandExtenions)];
  text += kCompletion[Ordinal(CMDNameCompletion)];
  text += kExpansion[Ordinal(CMDEnvVarExpansion)];
  if (ExecStr && !IsBlank(Str)) {
    if (S) text += " /S";
    text += CMDRemainTerminate == TCMDRemainTerminate::stRemain ? " /K" : " /C";
    text += " " + UserBatchSyntax(Str);
  }
  return text;
}

void TCMDItem::SpecialToEditor(TEditorValues& values) const {
  values.SetChecked("rbnTerminate", CMDRemainTerminate == TCMDRemainTerminate::stTerminate);
  values.SetChecked("rbnRemain", CMDRemainTerminate == TCMDRemainTerminate::stRemain);
}

void TCMDItem::SpecialFromEditor(const TEditorValues& values) {
  CMDRemainTerminate = values.Checked("rbnTerminate") ? TCMDRemainTerminate::stTerminate
                                                      : TCMDRemainTerminate::stRemain;
}

}  // namespace palvetta
