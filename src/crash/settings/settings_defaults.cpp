#include "crash/settings/settings_defaults.h"

#include "base/code_page.h"
#include "base/wide_text.h"

namespace palvetta {
namespace {

constexpr TDefaultSetting B(const char* name, bool value) { return {name, ptBoolean, value, 0, nullptr}; }
constexpr TDefaultSetting I(const char* name, int32_t value) { return {name, ptInteger, false, value, nullptr}; }
constexpr TDefaultSetting S(const char* name, const char* value) { return {name, ptString, false, 0, value}; }

// The filter keys (F1…, F2…, Gn…), MinDebugInfo, CrashOnBuffer and the assistants have no
// entry: without a value they read false, 0 or empty anyway.
constexpr TDefaultSetting kDefaults[] = {
    // Module and activation.
    B("Enabled", false),
    B("NoSettings", true),
    B("CheckFreeze", false),
    // Milliseconds, the unit the shipped value and every reader use.
    I("FreezeTimeout", 60000),
    B("WindowsLogo", false),
    B("ReportLeaks", false),
    B("CrashOnUnderrun", false),
    I("VersionVar", 0),
    // Automatic actions.
    B("AutoSave", true),
    B("AutoSaveIfNotSent", true),
    B("AutoSend", false),
    B("AutoSendBox", false),
    B("AutoClip", true),
    B("PauseThreads", false),
    B("PlWaitBox", true),
    B("AutoContinue", false),
    I("AutoRestart", 0),
    I("AutoClose", 0),
    I("AutoDelay", 60),
    // Exception box.
    B("SendBtnVis", true),
    B("ShowBtnVis", true),
    B("ContinueBtnVis", true),
    B("RestartBtnVis", true),
    B("CloseBtnVis", true),
    B("SaveBtnVis", false),
    B("PrintBtnVis", false),
    I("FocusedBtn", 0),
    S("SendAssis", ""),
    S("SaveAssis", ""),
    S("PrintAssis", ""),
    B("AutoShowBugRep", false),
    B("UglyBtns", false),
    // Sending.
    B("SendInBackgr", true),
    S("MailAddr", ""),
    S("MailFrom", ""),
    B("MailViaMapi", true),
    B("MailViaMailto", true),
    B("MailAsSmtpServer", false),
    B("MailAsSmtpClient", false),
    S("SmtpServer", ""),
    B("SmtpSsl", false),
    B("SmtpTls", false),
    I("SmtpPort", 0),
    S("SmtpAccount", ""),
    S("SmtpPassword", ""),
    B("UploadViaHttp", false),
    B("FogBugz", false),
    B("BugZilla", false),
    B("Mantis", false),
    S("HttpServer", ""),
    B("HttpSsl", false),
    I("HttpPort", 0),
    S("HttpAccount", ""),
    S("HttpPassword", ""),
    S("BugTrAccount", ""),
    S("BugTrPassword", ""),
    S("BugTrProject", ""),
    S("BugTrArea", ""),
    S("BugTrAssignTo", ""),
    // Report file, attachments and duplicates.
    B("AttachBugRep", true),
    B("AttachBugRepFile", true),
    B("DelBugRepFile", true),
    S("BugRepSendAs", "bugreport.mbr"),
    S("BugRepZip", ""),
    I("ScrShotDepth", 0),
    B("ScrShotAppOnly", true),
    S("ScrShotSendAs", "screenshot.png"),
    S("ScrShotZip", ""),
    S("AddAttachs", ""),
    S("AddFields", ""),
    S("BugRepFile", "bugreport.mbr"),
    B("AppendBugReps", true),
    I("BugRepFileSize", 100000),
    B("NoDupExcepts", true),
    B("NoDupFreezes", true),
    I("DupExceptDef", 1),
    I("DupFreezeDef", 2),
    // Report content.
    B("ListThreads", true),
    B("CpuRegs", true),
    B("StackDump", true),
    B("ShowDisAsm", true),
    B("HideUglyItems", false),
    B("ShowRelAddrs", true),
    B("ShowRelLines", true),
    B("FormatDisAsm", false),
    I("LimitDisAsm", 5),
    S("Plugins", "modules|processes|hardware"),
    // Texts.
    S("TitleBar", "%appname%"),
    S("ExceptMsg", "An error occurred in the application."),
    S("FrozenMsg", "The application seems to be frozen."),
    S("SendBtnTxt", "send bug report"),
    S("SaveBtnTxt", "save bug report"),
    S("PrintBtnTxt", "print bug report"),
    S("ShowBtnTxt", "show bug report"),
    S("ContinueBtnTxt", "continue application"),
    S("RestartBtnTxt", "restart application"),
    S("CloseBtnTxt", "close application"),
    S("OkBtnTxt", "&OK"),
    S("DetailsBtnTxt", "&Details"),
    S("PlWaitTitle", "Information"),
    S("PlWaitText", "Please wait a moment..."),
    S("BugTrTitle", "%appname%, %exceptMsg%"),
    S("BugTrDescr", "error details: \r\n%errorDetails%"),
    S("MailSubj", "bug report"),
    S("MailBody", "please find the bug report attached"),
    S("SendBoxTitle", "Sending bug report..."),
    S("PrepAttMsg", "Prepare attachments..."),
    S("MxLookMsg", "Searching for mail server..."),
    S("ConnMsg", "Connecting to server..."),
    S("SendMailMsg", "Sending mail..."),
    S("FieldMsg", "Setting fields..."),
    S("SendAttMsg", "Sending attachments..."),
    S("SendFinalMsg", "Finalizing..."),
    S("SendFailMsg", "Sorry, sending the bug report didn't work."),
};

}  // namespace

std::span<const TDefaultSetting> DefaultSettings() noexcept { return kDefaults; }

const TDefaultSetting* FindDefaultSetting(std::string_view name) noexcept {
  for (const TDefaultSetting& setting : kDefaults) {
    if (name == setting.Name) return &setting;
  }
  return nullptr;
}

TSWProperty DefaultAsProperty(const TDefaultSetting& setting) {
  TSWProperty prop;
  prop.Name = setting.Name;
  prop.Typ = setting.Typ;
  prop.VBool = setting.VBool;
  prop.VInt = setting.VInt;
  if (setting.VStr) prop.VStr = Utf8ToWideStr(SystemCodePage().ToUtf8(setting.VStr));
  return prop;
}

}  // namespace palvetta
