#pragma once
// The crash reporter's settings, one row each: X(Name, "Key", Kind, Default). From these
// rows come the accessors of the settings interfaces (Get<Name> and Set<Name>, or <Name>
// for the getter-only rows), the key constants, the built-in defaults, the numbered rows
// that a module's block indexes, and the check of the shipped listing at build time
// (tools/settings_resource). A setting is added in one place.
//
// Kinds: Bool, Card (unsigned 32 bits), Int, Text (UTF-16), Ansi (8-bit text), and the
// enumerations Button, DupDef, Show; bools are stored as bools, the numbers and
// enumerations as 32-bit integers, both texts as texts. Default is the built-in value
// the executable's settings fall back on when its resource lacks the key (texts as 8-bit
// constants), or kNoDefault.
//
// It needs nothing but the standard library and sw_property.h, so the build tools can
// include it too.

#include <cstdint>
#include <string>
#include <string_view>

#include "crash/settings/sw_property.h"

namespace palvetta {

enum TSWShowSetting : int32_t { ssFullBox, ssAssistant, ssDetailBox, ssSimpleBox, ssNothing };
enum TSWDupDef : int32_t { ddExceptAddrIdentical, ddCrashStackIdentical, ddAllStacksIdentical };
enum TSWButton : int32_t {
  bSendBugReport,
  bSaveBugReport,
  bPrintBugReport,
  bShowBugReport,
  bContinueApplication,
  bRestartApplication,
  bCloseApplication,
};

using TSWKindBool = bool;
using TSWKindCard = uint32_t;
using TSWKindInt = int32_t;
using TSWKindText = std::u16string;
using TSWKindAnsi = std::string;
using TSWKindButton = TSWButton;
using TSWKindDupDef = TSWDupDef;
using TSWKindShow = TSWShowSetting;

// ISWSettings.
#define PALVETTA_SW_SETTINGS_PAIRS(X)                                               \
  X(AutoSave, "AutoSave", Bool, true)                                               \
  X(AutoSaveIfNotSent, "AutoSaveIfNotSent", Bool, true)                             \
  X(AutoSend, "AutoSend", Bool, false)                                              \
  X(AutoSendPrgrBox, "AutoSendBox", Bool, false)                                    \
  X(AutoClipboard, "AutoClip", Bool, true)                                          \
  X(SuspendThreads, "PauseThreads", Bool, false)                                    \
  X(ShowPleaseWaitBox, "PlWaitBox", Bool, true)                                     \
  X(AutoContinue, "AutoContinue", Bool, false)                                      \
  X(AutoRestart, "AutoRestart", Card, 0)                                            \
  X(AutoClose, "AutoClose", Card, 0)                                                \
  X(AutoDelay, "AutoDelay", Card, 60)                                               \
  X(SendBtnVisible, "SendBtnVis", Bool, true)                                       \
  X(SaveBtnVisible, "SaveBtnVis", Bool, false)                                      \
  X(PrintBtnVisible, "PrintBtnVis", Bool, false)                                    \
  X(ShowBtnVisible, "ShowBtnVis", Bool, true)                                       \
  X(ContinueBtnVisible, "ContinueBtnVis", Bool, true)                               \
  X(RestartBtnVisible, "RestartBtnVis", Bool, true)                                 \
  X(CloseBtnVisible, "CloseBtnVis", Bool, true)                                     \
  X(FocusedButton, "FocusedBtn", Button, 0)                                         \
  X(SendAssistant, "SendAssis", Text, "")                                           \
  X(SaveAssistant, "SaveAssis", Text, "")                                           \
  X(PrintAssistant, "PrintAssis", Text, "")                                         \
  X(AutoShowBugReport, "AutoShowBugRep", Bool, false)                               \
  X(NoOwnerDrawButtons, "UglyBtns", Bool, false)                                    \
  X(SendInBackground, "SendInBackgr", Bool, true)                                   \
  X(MailAddr, "MailAddr", Text, "")                                                 \
  X(UploadToFogBugz, "FogBugz", Bool, false)                                        \
  X(UploadToBugZilla, "BugZilla", Bool, false)                                      \
  X(UploadToMantis, "Mantis", Bool, false)                                          \
  X(UploadToCustomScript, "UploadViaHttp", Bool, false)                             \
  X(HttpServer, "HttpServer", Ansi, "")                                             \
  X(HttpSsl, "HttpSsl", Bool, false)                                                \
  X(HttpPort, "HttpPort", Card, 0)                                                  \
  X(HttpAccount, "HttpAccount", Text, "")                                           \
  X(HttpPassword, "HttpPassword", Text, "")                                         \
  X(BugTrackerAccount, "BugTrAccount", Text, "")                                    \
  X(BugTrackerPassword, "BugTrPassword", Text, "")                                  \
  X(BugTrackerProject, "BugTrProject", Text, "")                                    \
  X(BugTrackerArea, "BugTrArea", Text, "")                                          \
  X(BugTrackerAssignTo, "BugTrAssignTo", Text, "")                                  \
  X(MailAsSmtpServer, "MailAsSmtpServer", Bool, false)                              \
  X(MailAsSmtpClient, "MailAsSmtpClient", Bool, false)                              \
  X(SmtpServer, "SmtpServer", Ansi, "")                                             \
  X(SmtpSsl, "SmtpSsl", Bool, false)                                                \
  X(SmtpTls, "SmtpTls", Bool, false)                                                \
  X(SmtpPort, "SmtpPort", Card, 0)                                                  \
  X(SmtpAccount, "SmtpAccount", Text, "")                                           \
  X(SmtpPassword, "SmtpPassword", Text, "")                                         \
  X(MailViaMapi, "MailViaMapi", Bool, true)                                         \
  X(MailViaMailto, "MailViaMailto", Bool, true)                                     \
  X(MailFrom, "MailFrom", Text, "")                                                 \
  X(AttachBugReport, "AttachBugRep", Bool, true)                                    \
  X(AttachBugReportFile, "AttachBugRepFile", Bool, true)                            \
  X(DeleteBugReportFile, "DelBugRepFile", Bool, true)                               \
  X(BugReportSendAs, "BugRepSendAs", Text, "bugreport.mbr")                         \
  X(BugReportZip, "BugRepZip", Text, "")                                            \
  X(ScreenShotDepth, "ScrShotDepth", Int, 0)                                        \
  X(ScreenShotAppOnly, "ScrShotAppOnly", Bool, true)                                \
  X(ScreenShotSendAs, "ScrShotSendAs", Text, "screenshot.png")                      \
  X(ScreenShotZip, "ScrShotZip", Text, "")                                          \
  X(BugReportFile, "BugRepFile", Text, "bugreport.mbr")                             \
  X(AppendBugReports, "AppendBugReps", Bool, true)                                  \
  X(BugReportFileSize, "BugRepFileSize", Card, 100000)                              \
  X(NoDupExcepts, "NoDupExcepts", Bool, true)                                       \
  X(NoDupFreezes, "NoDupFreezes", Bool, true)                                       \
  X(DupExceptDef, "DupExceptDef", DupDef, 1)                                        \
  X(DupFreezeDef, "DupFreezeDef", DupDef, 2)                                        \
  X(ListThreads, "ListThreads", Bool, true)                                         \
  X(ShowCpuRegisters, "CpuRegs", Bool, true)                                        \
  X(ShowStackDump, "StackDump", Bool, true)                                         \
  X(ShowDisAsm, "ShowDisAsm", Bool, true)                                           \
  X(HideUglyItems, "HideUglyItems", Bool, false)                                    \
  X(ShowRelativeAddrs, "ShowRelAddrs", Bool, true)                                  \
  X(ShowRelativeLines, "ShowRelLines", Bool, true)                                  \
  X(FormatDisassembly, "FormatDisAsm", Bool, false)                                 \
  X(LimitDisassembly, "LimitDisAsm", Int, 5)                                        \
  X(TitleBar, "TitleBar", Text, "%appname%")                                        \
  X(ExceptMsg, "ExceptMsg", Text, "An error occurred in the application.")          \
  X(FrozenMsg, "FrozenMsg", Text, "The application seems to be frozen.")            \
  X(SendBtnCaption, "SendBtnTxt", Text, "send bug report")                          \
  X(SaveBtnCaption, "SaveBtnTxt", Text, "save bug report")                          \
  X(PrintBtnCaption, "PrintBtnTxt", Text, "print bug report")                       \
  X(ShowBtnCaption, "ShowBtnTxt", Text, "show bug report")                          \
  X(ContinueBtnCaption, "ContinueBtnTxt", Text, "continue application")             \
  X(RestartBtnCaption, "RestartBtnTxt", Text, "restart application")                \
  X(CloseBtnCaption, "CloseBtnTxt", Text, "close application")                      \
  X(OkBtnCaption, "OkBtnTxt", Text, "&OK")                                          \
  X(DetailsBtnCaption, "DetailsBtnTxt", Text, "&Details")                           \
  X(PleaseWaitTitle, "PlWaitTitle", Text, "Information")                            \
  X(PleaseWaitText, "PlWaitText", Text, "Please wait a moment...")                  \
  X(BugTrackerTitle, "BugTrTitle", Text, "%appname%, %exceptMsg%")                  \
  X(BugTrackerDescription, "BugTrDescr", Text, "error details: \r\n%errorDetails%") \
  X(MailSubject, "MailSubj", Text, "bug report")                                    \
  X(MailBody, "MailBody", Text, "please find the bug report attached")              \
  X(SendBoxTitle, "SendBoxTitle", Text, "Sending bug report...")                    \
  X(PrepareAttachMsg, "PrepAttMsg", Text, "Prepare attachments...")                 \
  X(MxLookupMsg, "MxLookMsg", Text, "Searching for mail server...")                 \
  X(ConnectMsg, "ConnMsg", Text, "Connecting to server...")                         \
  X(SendMailMsg, "SendMailMsg", Text, "Sending mail...")                            \
  X(FieldsMsg, "FieldMsg", Text, "Setting fields...")                               \
  X(SendAttachMsg, "SendAttMsg", Text, "Sending attachments...")                    \
  X(SendFinalizeMsg, "SendFinalMsg", Text, "Finalizing...")                         \
  X(SendFailureMsg, "SendFailMsg", Text, "Sorry, sending the bug report didn't work.")

// ISWModuleSettings.
#define PALVETTA_SW_MODULE_PAIRS(X)                       \
  X(WindowsLogo, "WindowsLogo", Bool, false)              \
  X(Filter1Classes, "F1Classes", Text, kNoDefault)        \
  X(Filter2Classes, "F2Classes", Text, kNoDefault)        \
  X(Filter1NoBugReport, "F1NoBugRep", Bool, kNoDefault)   \
  X(Filter2NoBugReport, "F2NoBugRep", Bool, kNoDefault)   \
  X(GeneralNoBugReport, "GnNoBugRep", Bool, kNoDefault)   \
  X(Filter1NoScreenShot, "F1NoScrShot", Bool, kNoDefault) \
  X(Filter2NoScreenShot, "F2NoScrShot", Bool, kNoDefault) \
  X(GeneralNoScreenShot, "GnNoScrShot", Bool, kNoDefault) \
  X(Filter1NoSuspend, "F1NoSuspend", Bool, kNoDefault)    \
  X(Filter2NoSuspend, "F2NoSuspend", Bool, kNoDefault)    \
  X(GeneralNoSuspend, "GnNoSuspend", Bool, kNoDefault)    \
  X(Filter1NoHandlers, "F1NoHandlers", Bool, kNoDefault)  \
  X(Filter2NoHandlers, "F2NoHandlers", Bool, kNoDefault)  \
  X(GeneralNoHandlers, "GnNoHandlers", Bool, kNoDefault)  \
  X(Filter1ShowSetting, "F1ShowCfg", Show, kNoDefault)    \
  X(Filter2ShowSetting, "F2ShowCfg", Show, kNoDefault)    \
  X(GeneralShowSetting, "GnShowCfg", Show, kNoDefault)    \
  X(Filter1Assistant, "F1Assis", Text, kNoDefault)        \
  X(Filter2Assistant, "F2Assis", Text, kNoDefault)        \
  X(GeneralAssistant, "GnAssis", Text, kNoDefault)

// FreezeTimeout is in milliseconds, the unit of the shipped value and of every reader.
#define PALVETTA_SW_MODULE_GETTERS(X)            \
  X(Enabled, "Enabled", Bool, false)             \
  X(CheckForFreeze, "CheckFreeze", Bool, false)  \
  X(FreezeTimeout, "FreezeTimeout", Card, 60000) \
  X(ReportLeaks, "ReportLeaks", Bool, false)

// Keys with no accessor of their own in the interfaces: read by the ones built on them
// (LinkInSettings, LinkInMapFile, CrashOnOverrun, the version text, the lists, the
// plug-ins) or not yet read at all (the assistants).
#define PALVETTA_SW_OTHER_KEYS(X)                           \
  X(NoSettings, "NoSettings", Bool, true)                   \
  X(MinDebugInfo, "MinDebugInfo", Text, kNoDefault)         \
  X(CrashOnBuffer, "CrashOnBuffer", Bool, kNoDefault)       \
  X(CrashOnUnderrun, "CrashOnUnderrun", Bool, false)        \
  X(VersionVar, "VersionVar", Card, 0)                      \
  X(AddAttachs, "AddAttachs", Text, "")                     \
  X(AddFields, "AddFields", Text, "")                       \
  X(Plugins, "Plugins", Text, "modules|processes|hardware") \
  X(Assistant1, "Assistant1", Text, kNoDefault)             \
  X(Assistant2, "Assistant2", Text, kNoDefault)             \
  X(Assistant3, "Assistant3", Text, kNoDefault)

// Every setting, each once.
#define PALVETTA_SW_ALL_SETTINGS(X) \
  PALVETTA_SW_SETTINGS_PAIRS(X)     \
  PALVETTA_SW_MODULE_PAIRS(X)       \
  PALVETTA_SW_MODULE_GETTERS(X)     \
  PALVETTA_SW_OTHER_KEYS(X)

// The setting of each row by number, for reads that index the block's table of rows.
enum TSWSettingId : int {
#define PALVETTA_SW_SETTING_ID(Name, Key, Kind, Default) sid##Name,
  PALVETTA_SW_ALL_SETTINGS(PALVETTA_SW_SETTING_ID)
#undef PALVETTA_SW_SETTING_ID
  kSWSettingCount
};

// The key of each row, for the few places that name a setting outside its accessor.
namespace sw_keys {
#define PALVETTA_SW_KEY_CONSTANT(Name, Key, Kind, Default) inline constexpr const char k##Name[] = Key;
PALVETTA_SW_ALL_SETTINGS(PALVETTA_SW_KEY_CONSTANT)
#undef PALVETTA_SW_KEY_CONSTANT
}  // namespace sw_keys

// How each kind is stored: a bool, a 32-bit integer or a text.
#define PALVETTA_SW_STORED_Bool ptBoolean
#define PALVETTA_SW_STORED_Card ptInteger
#define PALVETTA_SW_STORED_Int ptInteger
#define PALVETTA_SW_STORED_Button ptInteger
#define PALVETTA_SW_STORED_DupDef ptInteger
#define PALVETTA_SW_STORED_Show ptInteger
#define PALVETTA_SW_STORED_Text ptString
#define PALVETTA_SW_STORED_Ansi ptString

// One row as data: its key, how it is stored, and its built-in default when it has one
// (texts as 8-bit constants).
struct TSWSettingRow {
  const char* Key;
  TPropertyType Typ;
  bool HasDefault;
  TPropertyType DefaultTyp;  // how the default as written is stored
  bool VBool;
  int32_t VInt;
  const char* VStr;
};

// A row without a built-in default reads false, 0 or an empty text.
struct TSWNoDefault {};
inline constexpr TSWNoDefault kNoDefault{};

constexpr TSWSettingRow SWSettingRow(const char* key, TPropertyType typ, TSWNoDefault) {
  return {key, typ, false, typ, false, 0, nullptr};
}
constexpr TSWSettingRow SWSettingRow(const char* key, TPropertyType typ, bool value) {
  return {key, typ, true, ptBoolean, value, 0, nullptr};
}
constexpr TSWSettingRow SWSettingRow(const char* key, TPropertyType typ, int32_t value) {
  return {key, typ, true, ptInteger, false, value, nullptr};
}
constexpr TSWSettingRow SWSettingRow(const char* key, TPropertyType typ, const char* value) {
  return {key, typ, true, ptString, false, 0, value};
}

inline constexpr TSWSettingRow kSWSettingRows[kSWSettingCount] = {
#define PALVETTA_SW_ROW(Name, Key, Kind, Default) SWSettingRow(Key, PALVETTA_SW_STORED_##Kind, Default),
    PALVETTA_SW_ALL_SETTINGS(PALVETTA_SW_ROW)
#undef PALVETTA_SW_ROW
};

// The row of that key (exact name); -1 when no row has it.
constexpr int FindSWSettingRow(std::string_view key) noexcept {
  for (int row = 0; row < kSWSettingCount; ++row) {
    if (key == kSWSettingRows[row].Key) return row;
  }
  return -1;
}

// Each key once, each default of its row's kind: a second row for a key, or a default of
// the wrong kind, fails the build here.
constexpr bool SWSettingRowsAreSound() {
  for (int row = 0; row < kSWSettingCount; ++row) {
    const TSWSettingRow& setting = kSWSettingRows[row];
    if (FindSWSettingRow(setting.Key) != row || setting.DefaultTyp != setting.Typ) return false;
  }
  return true;
}
static_assert(SWSettingRowsAreSound(), "a key has two rows, or a default of another kind, in the settings table");

}  // namespace palvetta
