#include "shipped_settings_check.h"

#include <gtest/gtest.h>

#include <functional>
#include <variant>

namespace palvetta {
namespace {

using TValue = std::variant<bool, int64_t, std::u16string, std::string>;
using S = TISWSettings;

struct TRow {
  const char* Getter;
  std::function<TValue(S&)> Read;
  TValue Expected;
};

TValue Int(int64_t value) { return value; }
TValue Text(const char16_t* value) { return std::u16string(value); }
TValue Ansi(const char* value) { return std::string(value); }

std::string Printable(const TValue& value) {
  struct {
    std::string operator()(bool v) const { return v ? "true" : "false"; }
    std::string operator()(int64_t v) const { return std::to_string(v); }
    std::string operator()(const std::u16string& v) const { return "\"" + std::string(v.begin(), v.end()) + "\""; }
    std::string operator()(const std::string& v) const { return "8-bit \"" + v + "\""; }
  } print;
  return std::visit(print, value);
}

}  // namespace

void ExpectShippedSettings(TISWSettings& settings, const std::u16string& appName) {
  const TRow rows[] = {
      // Module and activation.
      {"IsValid", [](S& s) { return s.IsValid(); }, true},
      {"Enabled", [](S& s) { return s.Enabled(); }, true},
      {"LinkInSettings", [](S& s) { return s.LinkInSettings(); }, true},
      {"LinkInMapFile", [](S& s) { return s.LinkInMapFile(); }, true},
      {"CheckForFreeze", [](S& s) { return s.CheckForFreeze(); }, false},
      {"FreezeTimeout", [](S& s) { return Int(s.FreezeTimeout()); }, Int(60000)},
      {"GetWindowsLogo", [](S& s) { return s.GetWindowsLogo(); }, false},
      {"ReportLeaks", [](S& s) { return s.ReportLeaks(); }, false},
      {"CrashOnOverrun", [](S& s) { return s.CrashOnOverrun(); }, false},
      {"CrashOnUnderrun", [](S& s) { return s.CrashOnUnderrun(); }, false},
      {"VersionVar", [](S& s) { return s.VersionVar(); }, Text(u"")},
      // Automatic actions.
      {"GetAutoSave", [](S& s) { return s.GetAutoSave(); }, true},
      {"GetAutoSaveIfNotSent", [](S& s) { return s.GetAutoSaveIfNotSent(); }, true},
      {"GetAutoSend", [](S& s) { return s.GetAutoSend(); }, false},
      {"GetAutoSendPrgrBox", [](S& s) { return s.GetAutoSendPrgrBox(); }, false},
      {"GetAutoClipboard", [](S& s) { return s.GetAutoClipboard(); }, false},
      {"GetSuspendThreads", [](S& s) { return s.GetSuspendThreads(); }, false},
      {"GetShowPleaseWaitBox", [](S& s) { return s.GetShowPleaseWaitBox(); }, true},
      {"GetAutoContinue", [](S& s) { return s.GetAutoContinue(); }, false},
      {"GetAutoRestart", [](S& s) { return Int(s.GetAutoRestart()); }, Int(0)},
      {"GetAutoClose", [](S& s) { return Int(s.GetAutoClose()); }, Int(0)},
      {"GetAutoDelay", [](S& s) { return Int(s.GetAutoDelay()); }, Int(60)},
      // Exception box.
      {"GetSendBtnVisible", [](S& s) { return s.GetSendBtnVisible(); }, true},
      {"GetShowBtnVisible", [](S& s) { return s.GetShowBtnVisible(); }, true},
      {"GetContinueBtnVisible", [](S& s) { return s.GetContinueBtnVisible(); }, true},
      {"GetRestartBtnVisible", [](S& s) { return s.GetRestartBtnVisible(); }, true},
      {"GetCloseBtnVisible", [](S& s) { return s.GetCloseBtnVisible(); }, true},
      {"GetSaveBtnVisible", [](S& s) { return s.GetSaveBtnVisible(); }, false},
      {"GetPrintBtnVisible", [](S& s) { return s.GetPrintBtnVisible(); }, false},
      {"GetFocusedButton", [](S& s) { return Int(s.GetFocusedButton()); }, Int(bSendBugReport)},
      {"GetSendAssistant", [](S& s) { return s.GetSendAssistant(); }, Text(u"SendAssistant")},
      {"GetSaveAssistant", [](S& s) { return s.GetSaveAssistant(); }, Text(u"SaveAssistant")},
      {"GetPrintAssistant", [](S& s) { return s.GetPrintAssistant(); }, Text(u"PrintAssistant")},
      {"GetAutoShowBugReport", [](S& s) { return s.GetAutoShowBugReport(); }, false},
      {"GetNoOwnerDrawButtons", [](S& s) { return s.GetNoOwnerDrawButtons(); }, false},
      // Sending.
      {"GetSendInBackground", [](S& s) { return s.GetSendInBackground(); }, true},
      {"GetMailAddr", [](S& s) { return s.GetMailAddr(); }, Text(u"")},
      {"GetMailFrom", [](S& s) { return s.GetMailFrom(); }, Text(u"")},
      {"GetMailViaMapi", [](S& s) { return s.GetMailViaMapi(); }, true},
      {"GetMailViaMailto", [](S& s) { return s.GetMailViaMailto(); }, true},
      {"GetMailAsSmtpServer", [](S& s) { return s.GetMailAsSmtpServer(); }, false},
      {"GetMailAsSmtpClient", [](S& s) { return s.GetMailAsSmtpClient(); }, false},
      {"GetSmtpServer", [](S& s) { return s.GetSmtpServer(); }, Ansi("")},
      {"GetSmtpSsl", [](S& s) { return s.GetSmtpSsl(); }, false},
      {"GetSmtpTls", [](S& s) { return s.GetSmtpTls(); }, false},
      {"GetSmtpPort", [](S& s) { return Int(s.GetSmtpPort()); }, Int(25)},  // the first of two entries
      {"GetSmtpAccount", [](S& s) { return s.GetSmtpAccount(); }, Text(u"")},
      {"GetSmtpPassword", [](S& s) { return s.GetSmtpPassword(); }, Text(u"")},
      {"GetUploadToCustomScript", [](S& s) { return s.GetUploadToCustomScript(); }, false},
      {"GetUploadToFogBugz", [](S& s) { return s.GetUploadToFogBugz(); }, false},
      {"GetUploadToBugZilla", [](S& s) { return s.GetUploadToBugZilla(); }, false},
      {"GetUploadToMantis", [](S& s) { return s.GetUploadToMantis(); }, false},
      {"GetHttpServer", [](S& s) { return s.GetHttpServer(); }, Ansi("")},
      {"GetHttpSsl", [](S& s) { return s.GetHttpSsl(); }, false},
      {"GetHttpPort", [](S& s) { return Int(s.GetHttpPort()); }, Int(80)},
      {"GetHttpAccount", [](S& s) { return s.GetHttpAccount(); }, Text(u"")},
      {"GetHttpPassword", [](S& s) { return s.GetHttpPassword(); }, Text(u"")},
      {"GetBugTrackerAccount", [](S& s) { return s.GetBugTrackerAccount(); }, Text(u"")},
      {"GetBugTrackerPassword", [](S& s) { return s.GetBugTrackerPassword(); }, Text(u"")},
      {"GetBugTrackerProject", [](S& s) { return s.GetBugTrackerProject(); }, Text(u"")},
      {"GetBugTrackerArea", [](S& s) { return s.GetBugTrackerArea(); }, Text(u"")},
      {"GetBugTrackerAssignTo", [](S& s) { return s.GetBugTrackerAssignTo(); }, Text(u"")},
      // Report file, attachments and duplicates.
      {"GetAttachBugReport", [](S& s) { return s.GetAttachBugReport(); }, true},
      {"GetAttachBugReportFile", [](S& s) { return s.GetAttachBugReportFile(); }, true},
      {"GetDeleteBugReportFile", [](S& s) { return s.GetDeleteBugReportFile(); }, true},
      {"GetBugReportSendAs", [](S& s) { return s.GetBugReportSendAs(); }, Text(u"bugreport.txt")},
      {"GetBugReportZip", [](S& s) { return s.GetBugReportZip(); }, Text(u"")},
      {"GetScreenShotDepth", [](S& s) { return Int(s.GetScreenShotDepth()); }, Int(8)},
      {"GetScreenShotAppOnly", [](S& s) { return s.GetScreenShotAppOnly(); }, false},
      {"GetScreenShotSendAs", [](S& s) { return s.GetScreenShotSendAs(); }, Text(u"screenshot.png")},
      {"GetScreenShotZip", [](S& s) { return s.GetScreenShotZip(); }, Text(u"")},
      {"GetAdditionalAttachments", [](S& s) { return Int(s.GetAdditionalAttachments()->GetItemCount()); }, Int(0)},
      {"GetAdditionalFields", [](S& s) { return Int(s.GetAdditionalFields()->GetItemCount()); }, Int(0)},
      {"GetBugReportFile", [](S& s) { return s.GetBugReportFile(); }, Text(u"bugreport.txt")},
      {"GetAppendBugReports", [](S& s) { return s.GetAppendBugReports(); }, true},
      {"GetBugReportFileSize", [](S& s) { return Int(s.GetBugReportFileSize()); }, Int(100000)},
      {"GetNoDupExcepts", [](S& s) { return s.GetNoDupExcepts(); }, true},
      {"GetNoDupFreezes", [](S& s) { return s.GetNoDupFreezes(); }, true},
      {"GetDupExceptDef", [](S& s) { return Int(s.GetDupExceptDef()); }, Int(ddCrashStackIdentical)},
      {"GetDupFreezeDef", [](S& s) { return Int(s.GetDupFreezeDef()); }, Int(ddAllStacksIdentical)},
      // Report content.
      {"GetListThreads", [](S& s) { return s.GetListThreads(); }, true},
      {"GetShowCpuRegisters", [](S& s) { return s.GetShowCpuRegisters(); }, true},
      {"GetShowStackDump", [](S& s) { return s.GetShowStackDump(); }, true},
      {"GetShowDisAsm", [](S& s) { return s.GetShowDisAsm(); }, true},
      {"GetHideUglyItems", [](S& s) { return s.GetHideUglyItems(); }, false},
      {"GetShowRelativeAddrs", [](S& s) { return s.GetShowRelativeAddrs(); }, true},
      {"GetShowRelativeLines", [](S& s) { return s.GetShowRelativeLines(); }, true},
      {"GetFormatDisassembly", [](S& s) { return s.GetFormatDisassembly(); }, false},
      {"GetLimitDisassembly", [](S& s) { return Int(s.GetLimitDisassembly()); }, Int(5)},
      {"GetPluginEnabled(modules)", [](S& s) { return s.GetPluginEnabled(u"modules"); }, true},
      {"GetPluginEnabled(processes)", [](S& s) { return s.GetPluginEnabled(u"processes"); }, true},
      {"GetPluginEnabled(hardware)", [](S& s) { return s.GetPluginEnabled(u"hardware"); }, true},
      {"GetPluginEnabled(other)", [](S& s) { return s.GetPluginEnabled(u"other"); }, false},
      // Exception filters.
      {"GetFilter1Classes", [](S& s) { return s.GetFilter1Classes(); }, Text(u"EDBEditError")},
      {"GetFilter2Classes", [](S& s) { return s.GetFilter2Classes(); }, Text(u"")},
      {"GetFilter1NoBugReport", [](S& s) { return s.GetFilter1NoBugReport(); }, true},
      {"GetFilter2NoBugReport", [](S& s) { return s.GetFilter2NoBugReport(); }, false},
      {"GetGeneralNoBugReport", [](S& s) { return s.GetGeneralNoBugReport(); }, false},
      {"GetFilter1NoScreenShot", [](S& s) { return s.GetFilter1NoScreenShot(); }, true},
      {"GetFilter2NoScreenShot", [](S& s) { return s.GetFilter2NoScreenShot(); }, false},
      {"GetGeneralNoScreenShot", [](S& s) { return s.GetGeneralNoScreenShot(); }, false},
      {"GetFilter1NoHandlers", [](S& s) { return s.GetFilter1NoHandlers(); }, true},
      {"GetFilter2NoHandlers", [](S& s) { return s.GetFilter2NoHandlers(); }, false},
      {"GetGeneralNoHandlers", [](S& s) { return s.GetGeneralNoHandlers(); }, false},
      {"GetFilter1NoSuspend", [](S& s) { return s.GetFilter1NoSuspend(); }, true},
      {"GetFilter2NoSuspend", [](S& s) { return s.GetFilter2NoSuspend(); }, false},
      {"GetGeneralNoSuspend", [](S& s) { return s.GetGeneralNoSuspend(); }, false},
      {"GetFilter1ShowSetting", [](S& s) { return Int(s.GetFilter1ShowSetting()); }, Int(ssSimpleBox)},
      {"GetFilter2ShowSetting", [](S& s) { return Int(s.GetFilter2ShowSetting()); }, Int(ssFullBox)},
      {"GetGeneralShowSetting", [](S& s) { return Int(s.GetGeneralShowSetting()); }, Int(ssFullBox)},
      {"GetFilter1Assistant", [](S& s) { return s.GetFilter1Assistant(); }, Text(u"")},
      {"GetFilter2Assistant", [](S& s) { return s.GetFilter2Assistant(); }, Text(u"")},
      {"GetGeneralAssistant", [](S& s) { return s.GetGeneralAssistant(); }, Text(u"")},
      // Assistants, by key.
      {"Assistant1", [](S& s) { return s.GetPropStr("Assistant1"); },
       Text(u"SendAssistant|Send Assistant|ContactForm|DetailsForm|ScrShotForm")},
      {"Assistant2", [](S& s) { return s.GetPropStr("Assistant2"); },
       Text(u"SaveAssistant|Save Assistant|ContactForm|DetailsForm")},
      {"Assistant3", [](S& s) { return s.GetPropStr("Assistant3"); },
       Text(u"PrintAssistant|Print Assistant|ContactForm|DetailsForm")},
      // Texts.
      {"GetTitleBar", [](S& s) { return s.GetTitleBar(); }, appName},
      {"GetExceptMsg", [](S& s) { return s.GetExceptMsg(); }, Text(u"An error occurred in the application.")},
      {"GetFrozenMsg", [](S& s) { return s.GetFrozenMsg(); }, Text(u"The application seems to be frozen.")},
      {"GetSendBtnCaption", [](S& s) { return s.GetSendBtnCaption(); }, Text(u"send bug report")},
      {"GetSaveBtnCaption", [](S& s) { return s.GetSaveBtnCaption(); }, Text(u"save bug report")},
      {"GetPrintBtnCaption", [](S& s) { return s.GetPrintBtnCaption(); }, Text(u"print bug report")},
      {"GetShowBtnCaption", [](S& s) { return s.GetShowBtnCaption(); }, Text(u"show bug report")},
      {"GetContinueBtnCaption", [](S& s) { return s.GetContinueBtnCaption(); }, Text(u"continue application")},
      {"GetRestartBtnCaption", [](S& s) { return s.GetRestartBtnCaption(); }, Text(u"restart application")},
      {"GetCloseBtnCaption", [](S& s) { return s.GetCloseBtnCaption(); }, Text(u"close application")},
      {"GetOkBtnCaption", [](S& s) { return s.GetOkBtnCaption(); }, Text(u"&OK")},
      {"GetDetailsBtnCaption", [](S& s) { return s.GetDetailsBtnCaption(); }, Text(u"&Details")},
      {"GetPleaseWaitTitle", [](S& s) { return s.GetPleaseWaitTitle(); }, Text(u"Information")},
      {"GetPleaseWaitText", [](S& s) { return s.GetPleaseWaitText(); }, Text(u"Please wait a moment...")},
      {"GetBugTrackerTitle", [](S& s) { return s.GetBugTrackerTitle(); }, appName + u", %exceptMsg%"},
      {"GetBugTrackerDescription", [](S& s) { return s.GetBugTrackerDescription(); },
       Text(u"error details: \r\n%errorDetails%")},
      {"GetMailSubject", [](S& s) { return s.GetMailSubject(); }, Text(u"bug report")},
      {"GetMailBody", [](S& s) { return s.GetMailBody(); }, Text(u"please find the bug report attached")},
      {"GetSendBoxTitle", [](S& s) { return s.GetSendBoxTitle(); }, Text(u"Sending bug report...")},
      {"GetPrepareAttachMsg", [](S& s) { return s.GetPrepareAttachMsg(); }, Text(u"Preparing attachments...")},
      {"GetMxLookupMsg", [](S& s) { return s.GetMxLookupMsg(); }, Text(u"Searching for mail server...")},
      {"GetConnectMsg", [](S& s) { return s.GetConnectMsg(); }, Text(u"Connecting to server...")},
      {"GetSendMailMsg", [](S& s) { return s.GetSendMailMsg(); }, Text(u"Sending mail...")},
      {"GetFieldsMsg", [](S& s) { return s.GetFieldsMsg(); }, Text(u"Setting fields...")},
      {"GetSendAttachMsg", [](S& s) { return s.GetSendAttachMsg(); }, Text(u"Sending attachments...")},
      {"GetSendFinalizeMsg", [](S& s) { return s.GetSendFinalizeMsg(); }, Text(u"Finalizing...")},
      {"GetSendFailureMsg", [](S& s) { return s.GetSendFailureMsg(); },
       Text(u"Sorry, sending the bug report didn't work.")},
  };
  for (const TRow& row : rows) {
    const TValue actual = row.Read(settings);
    EXPECT_EQ(actual, row.Expected) << row.Getter << ": " << Printable(actual) << " instead of "
                                    << Printable(row.Expected);
  }
}

}  // namespace palvetta
