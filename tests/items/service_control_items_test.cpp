#include "items/service_control/service_control_items.h"

#include <gtest/gtest.h>

#include <string>

#include "items/service_control/sc_quoting.h"
#include "support/item_texts.h"

namespace palvetta {
namespace {

using testing::ExpectTexts;
using testing::Make;

TEST(SCQuoting, QuoteAndUnquote) {
  struct Case {
    const char* text;
    const char* quoted;
    const char* unquoted;
  };
  const Case cases[] = {
      {"", "", ""},
      {"  Spooler ", "Spooler", "Spooler"},
      {"My Service", "\"My Service\"", "My Service"},
      {"a\tb", "\"a\tb\"", "a\tb"},
      {"a&b", "\"a&b\"", "a&b"},
      {"x(1)", "\"x(1)\"", "x(1)"},
      {"a<b>c", "\"a<b>c\"", "a<b>c"},
      {"a^b|c", "\"a^b|c\"", "a^b|c"},
      // Already quoted: kept as it is; its pair is what unquoting removes.
      {" \"My Service\" ", "\"My Service\"", "My Service"},
      {"\"\"", "\"\"", ""},
      // A name cannot hold any other double quote: it would end the quotes around it.
      {"\"", "", "\""},
      {"a\" & x", "\"a & x\"", "a\" & x"},
      {"\"a\" & \"b\"", "\"a & b\"", "a\" & \"b"},
      // SC's own separators are no reason to quote; a lone "%" is doubled.
      {"a,b;c=d", "a,b;c=d", "a,b;c=d"},
      {"50%", "50%%", "50%"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(SCQuote(c.text), c.quoted);
    EXPECT_EQ(SCUnquote(c.text), c.unquoted);
  }
}

TEST(SCQuoting, ServiceKeyNameAndServer) {
  EXPECT_EQ(ServiceKeyName("Spooler (Print Spooler)"), "Spooler");
  EXPECT_EQ(ServiceKeyName(" My Service (Nice) "), "My Service");
  EXPECT_EQ(ServiceKeyName(" Tcpip "), "Tcpip");
  EXPECT_EQ(ServiceKeyName("x(y)"), "x(y)");

  EXPECT_EQ(SCServerArgument(""), "");
  EXPECT_EQ(SCServerArgument(" \\\\ "), "");
  EXPECT_EQ(SCServerArgument("PC1"), "\\\\PC1");
  EXPECT_EQ(SCServerArgument(" \\\\PC1 "), "\\\\PC1");
  EXPECT_EQ(SCServerArgument("\\PC1\\"), "\\\\PC1");
  EXPECT_EQ(SCServerArgument("%HOST%"), "\\\\%HOST%");
}

// binPath= as the batch file holds it; what SC stores is the end-to-end tests' part.
TEST(SCQuoting, BuildBinPath) {
  const std::pair<const char*, const char*> cases[] = {
      {"C:\\svc\\a.exe", "\"C:\\svc\\a.exe\""},
      {"C:\\Program Files\\My App\\svc.exe -k net",
       "\"\\\"C:\\Program Files\\My App\\svc.exe\\\" -k net\""},
      {"\"C:\\A & B\\a.exe\"", "\"\\\"C:\\A ^& B\\a.exe\\\"\""},
      {"C:\\dir\\", "\"C:\\dir\\\\\""},
      {"C:\\x\\a.exe -p a&b", "\"C:\\x\\a.exe -p a&b\""},
      {"C:\\My Tools\\run it", "\"C:\\My Tools\\run it\""},
      // Blanks around the whole are dropped; the extension is found ignoring case, also
      // at the end of the text, and .sys and .com end a program too.
      {"  C:\\A B\\Drv.SYS  ", "\"\\\"C:\\A B\\Drv.SYS\\\"\""},
      {"C:\\A B\\x.com /q", "\"\\\"C:\\A B\\x.com\\\" /q\""},
      // A program with "%" is quoted; the quoted program's arguments follow it.
      {"C:\\%APP%\\a.exe", "\"\\\"C:\\%APP%\\a.exe\\\"\""},
      {"\"C:\\a b\\x.exe\"   -p  1", "\"\\\"C:\\a b\\x.exe\\\" -p  1\""},
      // An unclosed quote takes the rest as the program.
      {"\"C:\\a b\\x.exe", "\"\\\"C:\\a b\\x.exe\\\"\""},
      // Backslashes before a quote of the argument are doubled.
      {"C:\\x\\a.exe \"C:\\dir\\\\\"", "\"C:\\x\\a.exe \\\"C:\\dir\\\\\\\\\\\"\""},
      {"", "\"\""},
      // One line; a literal "%" doubled; an odd number of quotes leaves cmd.exe no quote
      // open to the end of the line.
      {"C:\\x.exe -p a\r\nECHO INJ", "\"C:\\x.exe -p a ECHO INJ\""},
      {"C:\\x.exe 50%", "\"C:\\x.exe 50%%\""},
      {"C:\\x.exe -p \"a&b", "^\"C:\\x.exe -p \\^\"a^&b^\""},
  };
  for (const auto& [text, expected] : cases) {
    SCOPED_TRACE(text);
    EXPECT_EQ(BuildBinPath(text), expected);
  }
}

TEST(SCItems, ServiceCommandTexts) {
  const auto named = [](const char* name, const char* server = "") {
    return [=](TCustomSCItem& i) {
      i.ServiceName = name;
      i.Server = server;
    };
  };
  ExpectTexts({
      {Make<TSCPauseItem>([](auto&) {}), "SC pause ", "Pause <u>unknown</u> service on  local PC"},
      {Make<TSCPauseItem>(named("Spooler (Print Spooler)")), "SC pause Spooler",
       "Pause service Spooler (Print Spooler) on  local PC"},
      {Make<TSCContinueItem>(named("My Service (Nice)", "\\\\PC1")),
       "SC \\\\PC1 continue \"My Service\"",
       "Continue paused service My Service (Nice) on  server \\\\PC1"},
      // A computer typed without backslashes still names the computer.
      {Make<TSCInterrogateItem>(named("a&b", "PC1")), "SC \\\\PC1 interrogate \"a&b\"",
       "Interrogate service a&b on  server PC1"},
      {Make<TSCDeleteItem>(named("Svc", "\\PC2")), "SC \\\\PC2 delete Svc",
       "Delete service Svc on  server \\PC2"},
      {Make<TSCStartItem>(named("Spooler (Print Spooler)")), "SC start Spooler",
       "Start service Spooler (Print Spooler) on  local PC"},
      {Make<TSCStartItem>([](auto& i) {
         i.ServiceName = "Svc";
         i.Args = {"-a", "", "\"b c\""};
       }),
       "SC start Svc -a  \"b c\"", "Start service Svc on  local PC"},
      {Make<TSCStopItem>(named("Spooler")), "SC stop Spooler", "Stop service Spooler on  local PC"},
      {Make<TSCStopItem>([](auto& i) {
         i.ServiceName = "Spooler";
         i.Reason = true;
         i.Flag = TSCStopFlag::sfPlanned;
         i.MajorReason = TSCStopMajorReason::mrHardware;
         i.MinorReason = TSCStopMinorReason::mirDisk;
         i.Comment = " \"maintenance window\" ";
       }),
       "SC stop Spooler 4:2:8 \"maintenance window\"", "Stop service Spooler on  local PC"},
      {Make<TSCStopItem>([](auto& i) {
         i.ServiceName = "Spooler";
         i.Reason = true;
         i.Flag = TSCStopFlag::sfCustom;
         i.MajorReason = TSCStopMajorReason::mrCustom;
         i.MajorReasonCustomCode = 70;
         i.MinorReason = TSCStopMinorReason::mirCustom;
         i.MinorReasonCustomCode = 300;
       }),
       "SC stop Spooler 2:70:300", "Stop service Spooler on  local PC"},
      {Make<TSCStopItem>([](auto& i) {
         i.ServiceName = "Spooler";
         i.Reason = true;
         i.MajorReason = TSCStopMajorReason::mrApplication;
         i.MinorReason = TSCStopMinorReason::mirMMC;
         i.Comment = "  ";
       }),
       "SC stop Spooler 1:5:22", "Stop service Spooler on  local PC"},
  });
}

// The comment is quoted text that cannot end its quotes; the start arguments are the
// user's own, but on one line.
TEST(SCItems, HostileValuesNeverStartACommand) {
  TSCStopItem stop;
  stop.ServiceName = "S\" & ECHO INJ & \"";
  stop.Reason = true;
  stop.Comment = "a\" & ECHO INJ & \"b\r\nc";
  EXPECT_EQ(stop.GetBatchText(), "SC stop \"S & ECHO INJ &\" 1:1:1 \"a & ECHO INJ & b c\"");
  TSCStartItem start;
  start.ServiceName = "Svc";
  start.Server = "PC\" & ECHO INJ";
  start.Args = {"a\r\nECHO INJ^"};
  EXPECT_EQ(start.GetBatchText(), "SC \"\\\\PC & ECHO INJ\" start Svc a ECHO INJ^^");
}

TEST(SCItems, QueryTexts) {
  ExpectTexts({
      {Make<TSCQueryItem>([](auto&) {}), "SC QUERY", "Query the status for all services on local PC"},
      {Make<TSCQueryItem>([](auto& i) {
         i.Mode = TSCQueryItemMode::qmAllServicesFiltered;
         i.Server = "PC1";
       }),
       "SC \\\\PC1 QUERY", "Query the status for all services (filtered) on server PC1"},
      {Make<TSCQueryItem>([](auto& i) {
         i.Mode = TSCQueryItemMode::qmAllServicesFiltered;
         i.ServType = TSCQueryServiceType::stAll;
         i.State = TSCQueryServiceState::ssAll;
         i.BufSize = 8192;
         i.RI = 14;
         i.Group = "a b";
       }),
       "SC QUERY type= all state= all bufsize= 8192 ri= 14 group= \"a b\"",
       "Query the status for all services (filtered) on local PC"},
      {Make<TSCQueryItem>([](auto& i) {
         i.Mode = TSCQueryItemMode::qmAllServicesFiltered;
         i.ServType = TSCQueryServiceType::stDriver;
         i.State = TSCQueryServiceState::ssInactive;
       }),
       "SC QUERY type= driver state= inactive",
       "Query the status for all services (filtered) on local PC"},
      {Make<TSCQueryItem>([](auto& i) {
         i.QueryMode = TQueryMode::qmEx;
         i.Mode = TSCQueryItemMode::qmSelectedService;
         i.ServiceName = " Spooler (Print Spooler) ";
         i.ServType = TSCQueryServiceType::stInteract;  // only for the filtered list
       }),
       "SC QUERYEX Spooler",
       "Query the extended status for service Spooler (Print Spooler) on local PC"},
      {Make<TSCQueryItem>([](auto& i) { i.Mode = TSCQueryItemMode::qmSelectedService; }),
       "SC QUERY ", "Query the status for <u>unknown</u> service on local PC"},
  });
}

TEST(SCItems, CreateTexts) {
  ExpectTexts({
      {Make<TSCCreateItem>([](auto& i) {
         i.ServiceName = "Svc";
         i.BinPath = "C:\\s.exe";
       }),
       "SC create Svc binPath= \"C:\\s.exe\" tag= no obj= LocalSystem",
       "Create service Svc on  local PC"},
      {Make<TSCCreateItem>([](auto& i) {
         i.Server = "PC1";
         i.ServiceName = "My Svc";
         i.BinPath = "C:\\Program Files\\My App\\svc.exe -k net";
         i.CType = TSCCreateType::ctInteract;
         i.Start = TSCCreateStart::sDelayedAuto;
         i.Error = TSCCreateError::sCritical;
         i.Group = "Net Group";
         i.Tag = true;
         i.Depend = {"Tcpip (TCP/IP Protocol Driver)", "+NetworkProvider", "+", " "};
         i.Obj = " ";
         i.DisplayName = "\"Nice & Name\"";
         i.Password = "p w";
       }),
       "SC \\\\PC1 create \"My Svc\" binPath= \"\\\"C:\\Program Files\\My App\\svc.exe\\\" -k net\""
       " type= interact type= own start= delayed-auto error= critical group= \"Net Group\""
       " tag= yes depend= Tcpip/+NetworkProvider DisplayName= \"Nice & Name\" password= \"p w\"",
       "Create service My Svc on  server PC1"},
      {Make<TSCCreateItem>([](auto& i) {
         i.ServiceName = "Drv";
         i.BinPath = "C:\\d.sys";
         i.CType = TSCCreateType::ctKernel;
         i.Start = TSCCreateStart::sBoot;
         i.Error = TSCCreateError::sSevere;
         i.Depend = {"A B (x)", "C"};
         i.Obj = "NT AUTHORITY\\LocalService";
       }),
       "SC create Drv binPath= \"C:\\d.sys\" type= kernel start= boot error= severe tag= no"
       " depend= \"A B/C\" obj= \"NT AUTHORITY\\LocalService\"",
       "Create service Drv on  local PC"},
      {Make<TSCCreateItem>([](auto&) {}), "SC create  binPath= \"\" tag= no obj= LocalSystem",
       "Create <u>unknown</u> service on  local PC"},
  });
}

// cmd.exe takes a lone "%" (and a pair around a name) out of a line before SC sees it:
// the password keeps the user's own "%%" and references, and every other "%" is doubled.
TEST(SCItems, PasswordPercentsReachSC) {
  const std::pair<const char*, const char*> cases[] = {
      {"50%off", " password= 50%%off"},
      {"%%x", " password= %%x"},
      {"%PASS%", " password= %PASS%"},
      {"a%b c%", " password= \"a%%b c%%\""},
  };
  for (const auto& [password, ending] : cases) {
    TSCCreateItem item;
    item.ServiceName = "S";
    item.Obj = "";
    item.Password = password;
    EXPECT_TRUE(item.GetBatchText().ends_with(ending)) << item.GetBatchText();
  }
}

TEST(SCItems, DialogsMapTheModesAndTheCreateName) {
  TSCQueryItem query;
  query.QueryMode = TQueryMode::qmEx;
  query.Mode = TSCQueryItemMode::qmSelectedService;
  TEditorValues values;
  query.ToEditor(values);
  EXPECT_TRUE(values.Checked("cbxModeEx"));
  EXPECT_TRUE(values.Checked("rbSelectedService"));
  EXPECT_FALSE(values.Checked("rbAllServices"));
  values.SetChecked("cbxModeEx", false);
  values.SetChecked("rbSelectedService", false);
  query.FromEditor(values);
  EXPECT_EQ(query.QueryMode, TQueryMode::qmNormal);
  EXPECT_EQ(query.Mode, TSCQueryItemMode::qmSelectedService);  // no button checked: kept
  values.SetChecked("rbAllServicesFiltered", true);
  query.FromEditor(values);
  EXPECT_EQ(query.Mode, TSCQueryItemMode::qmAllServicesFiltered);

  TSCCreateItem create;
  create.ServiceName = "Svc";
  TEditorValues createValues;
  create.ToEditor(createValues);
  EXPECT_EQ(createValues.Text("edtServiceName"), "Svc");
  EXPECT_FALSE(createValues.Has("cmbService"));
  createValues.SetText("edtServiceName", "Other");
  create.FromEditor(createValues);
  EXPECT_EQ(create.ServiceName, "Other");
}

}  // namespace
}  // namespace palvetta
