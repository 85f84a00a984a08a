#pragma once
// The table of the settings interfaces: one row per setting, naming its accessors, the
// key it is stored under and its kind. The interfaces declare, and TISWSettings defines,
// their getters and setters by walking these rows, so a setting is added in one place.
//
// X(Name, "Key", Kind) gives Get<Name> and Set<Name>; the getter-only rows give <Name>.
// Kinds: Bool, Card (unsigned 32 bits), Int, Text (UTF-16), Ansi (8-bit text), and the
// enumerations Button, DupDef, Show.

#include <cstdint>
#include <string>

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
#define PALVETTA_SW_SETTINGS_PAIRS(X)                          \
  X(AutoSave, "AutoSave", Bool)                                \
  X(AutoSaveIfNotSent, "AutoSaveIfNotSent", Bool)              \
  X(AutoSend, "AutoSend", Bool)                                \
  X(AutoSendPrgrBox, "AutoSendBox", Bool)                      \
  X(AutoClipboard, "AutoClip", Bool)                           \
  X(SuspendThreads, "PauseThreads", Bool)                      \
  X(ShowPleaseWaitBox, "PlWaitBox", Bool)                      \
  X(AutoContinue, "AutoContinue", Bool)                        \
  X(AutoRestart, "AutoRestart", Card)                          \
  X(AutoClose, "AutoClose", Card)                              \
  X(AutoDelay, "AutoDelay", Card)                              \
  X(SendBtnVisible, "SendBtnVis", Bool)                        \
  X(SaveBtnVisible, "SaveBtnVis", Bool)                        \
  X(PrintBtnVisible, "PrintBtnVis", Bool)                      \
  X(ShowBtnVisible, "ShowBtnVis", Bool)                        \
  X(ContinueBtnVisible, "ContinueBtnVis", Bool)                \
  X(RestartBtnVisible, "RestartBtnVis", Bool)                  \
  X(CloseBtnVisible, "CloseBtnVis", Bool)                      \
  X(FocusedButton, "FocusedBtn", Button)                       \
  X(SendAssistant, "SendAssis", Text)                          \
  X(SaveAssistant, "SaveAssis", Text)                          \
  X(PrintAssistant, "PrintAssis", Text)                        \
  X(AutoShowBugReport, "AutoShowBugRep", Bool)                 \
  X(NoOwnerDrawButtons, "UglyBtns", Bool)                      \
  X(SendInBackground, "SendInBackgr", Bool)                    \
  X(MailAddr, "MailAddr", Text)                                \
  X(UploadToFogBugz, "FogBugz", Bool)                          \
  X(UploadToBugZilla, "BugZilla", Bool)                        \
  X(UploadToMantis, "Mantis", Bool)                            \
  X(UploadToCustomScript, "UploadViaHttp", Bool)               \
  X(HttpServer, "HttpServer", Ansi)                            \
  X(HttpSsl, "HttpSsl", Bool)                                  \
  X(HttpPort, "HttpPort", Card)                                \
  X(HttpAccount, "HttpAccount", Text)                          \
  X(HttpPassword, "HttpPassword", Text)                        \
  X(BugTrackerAccount, "BugTrAccount", Text)                   \
  X(BugTrackerPassword, "BugTrPassword", Text)                 \
  X(BugTrackerProject, "BugTrProject", Text)                   \
  X(BugTrackerArea, "BugTrArea", Text)                         \
  X(BugTrackerAssignTo, "BugTrAssignTo", Text)                 \
  X(MailAsSmtpServer, "MailAsSmtpServer", Bool)                \
  X(MailAsSmtpClient, "MailAsSmtpClient", Bool)                \
  X(SmtpServer, "SmtpServer", Ansi)                            \
  X(SmtpSsl, "SmtpSsl", Bool)                                  \
  X(SmtpTls, "SmtpTls", Bool)                                  \
  X(SmtpPort, "SmtpPort", Card)                                \
  X(SmtpAccount, "SmtpAccount", Text)                          \
  X(SmtpPassword, "SmtpPassword", Text)                        \
  X(MailViaMapi, "MailViaMapi", Bool)                          \
  X(MailViaMailto, "MailViaMailto", Bool)                      \
  X(MailFrom, "MailFrom", Text)                                \
  X(AttachBugReport, "AttachBugRep", Bool)                     \
  X(AttachBugReportFile, "AttachBugRepFile", Bool)             \
  X(DeleteBugReportFile, "DelBugRepFile", Bool)                \
  X(BugReportSendAs, "BugRepSendAs", Text)                     \
  X(BugReportZip, "BugRepZip", Text)                           \
  X(ScreenShotDepth, "ScrShotDepth", Int)                      \
  X(ScreenShotAppOnly, "ScrShotAppOnly", Bool)                 \
  X(ScreenShotSendAs, "ScrShotSendAs", Text)                   \
  X(ScreenShotZip, "ScrShotZip", Text)                         \
  X(BugReportFile, "BugRepFile", Text)                         \
  X(AppendBugReports, "AppendBugReps", Bool)                   \
  X(BugReportFileSize, "BugRepFileSize", Card)                 \
  X(NoDupExcepts, "NoDupExcepts", Bool)                        \
  X(NoDupFreezes, "NoDupFreezes", Bool)                        \
  X(DupExceptDef, "DupExceptDef", DupDef)                      \
  X(DupFreezeDef, "DupFreezeDef", DupDef)                      \
  X(ListThreads, "ListThreads", Bool)                          \
  X(ShowCpuRegisters, "CpuRegs", Bool)                         \
  X(ShowStackDump, "StackDump", Bool)                          \
  X(ShowDisAsm, "ShowDisAsm", Bool)                            \
  X(HideUglyItems, "HideUglyItems", Bool)                      \
  X(ShowRelativeAddrs, "ShowRelAddrs", Bool)                   \
  X(ShowRelativeLines, "ShowRelLines", Bool)                   \
  X(FormatDisassembly, "FormatDisAsm", Bool)                   \
  X(LimitDisassembly, "LimitDisAsm", Int)                      \
  X(TitleBar, "TitleBar", Text)                                \
  X(ExceptMsg, "ExceptMsg", Text)                              \
  X(FrozenMsg, "FrozenMsg", Text)                              \
  X(SendBtnCaption, "SendBtnTxt", Text)                        \
  X(SaveBtnCaption, "SaveBtnTxt", Text)                        \
  X(PrintBtnCaption, "PrintBtnTxt", Text)                      \
  X(ShowBtnCaption, "ShowBtnTxt", Text)                        \
  X(ContinueBtnCaption, "ContinueBtnTxt", Text)                \
  X(RestartBtnCaption, "RestartBtnTxt", Text)                  \
  X(CloseBtnCaption, "CloseBtnTxt", Text)                      \
  X(OkBtnCaption, "OkBtnTxt", Text)                            \
  X(DetailsBtnCaption, "DetailsBtnTxt", Text)                  \
  X(PleaseWaitTitle, "PlWaitTitle", Text)                      \
  X(PleaseWaitText, "PlWaitText", Text)                        \
  X(BugTrackerTitle, "BugTrTitle", Text)                       \
  X(BugTrackerDescription, "BugTrDescr", Text)                 \
  X(MailSubject, "MailSubj", Text)                             \
  X(MailBody, "MailBody", Text)                                \
  X(SendBoxTitle, "SendBoxTitle", Text)                        \
  X(PrepareAttachMsg, "PrepAttMsg", Text)                      \
  X(MxLookupMsg, "MxLookMsg", Text)                            \
  X(ConnectMsg, "ConnMsg", Text)                               \
  X(SendMailMsg, "SendMailMsg", Text)                          \
  X(FieldsMsg, "FieldMsg", Text)                               \
  X(SendAttachMsg, "SendAttMsg", Text)                         \
  X(SendFinalizeMsg, "SendFinalMsg", Text)                     \
  X(SendFailureMsg, "SendFailMsg", Text)

// ISWModuleSettings.
#define PALVETTA_SW_MODULE_PAIRS(X)                            \
  X(WindowsLogo, "WindowsLogo", Bool)                          \
  X(Filter1Classes, "F1Classes", Text)                         \
  X(Filter2Classes, "F2Classes", Text)                         \
  X(Filter1NoBugReport, "F1NoBugRep", Bool)                    \
  X(Filter2NoBugReport, "F2NoBugRep", Bool)                    \
  X(GeneralNoBugReport, "GnNoBugRep", Bool)                    \
  X(Filter1NoScreenShot, "F1NoScrShot", Bool)                  \
  X(Filter2NoScreenShot, "F2NoScrShot", Bool)                  \
  X(GeneralNoScreenShot, "GnNoScrShot", Bool)                  \
  X(Filter1NoSuspend, "F1NoSuspend", Bool)                     \
  X(Filter2NoSuspend, "F2NoSuspend", Bool)                     \
  X(GeneralNoSuspend, "GnNoSuspend", Bool)                     \
  X(Filter1NoHandlers, "F1NoHandlers", Bool)                   \
  X(Filter2NoHandlers, "F2NoHandlers", Bool)                   \
  X(GeneralNoHandlers, "GnNoHandlers", Bool)                   \
  X(Filter1ShowSetting, "F1ShowCfg", Show)                     \
  X(Filter2ShowSetting, "F2ShowCfg", Show)                     \
  X(GeneralShowSetting, "GnShowCfg", Show)                     \
  X(Filter1Assistant, "F1Assis", Text)                         \
  X(Filter2Assistant, "F2Assis", Text)                         \
  X(GeneralAssistant, "GnAssis", Text)

#define PALVETTA_SW_MODULE_GETTERS(X)                          \
  X(Enabled, "Enabled", Bool)                                  \
  X(CheckForFreeze, "CheckFreeze", Bool)                       \
  X(FreezeTimeout, "FreezeTimeout", Card)                      \
  X(ReportLeaks, "ReportLeaks", Bool)

}  // namespace palvetta
