#include "items/scheduled_tasks/scheduled_tasks_items.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/date_time_text.h"
#include "items/scheduled_tasks/schtasks_quoting.h"
#include "model/system_items.h"
#include "support/item_texts.h"

namespace palvetta {
namespace {

using testing::ExpectBatchTexts;
using testing::ExpectTexts;
using testing::Make;

TEST(SchtasksQuoting, QuoteUnquoteAndQuoteEscaped) {
  struct Case {
    const char* text;
    const char* unquoted;
    const char* quoted;
    const char* escaped;
  };
  const Case cases[] = {
      {"", "", "", "\"\""},
      {"bob", "bob", "bob", "\"bob\""},
      // Blanks are kept by the first two; QuoteEscaped trims.
      {" bob ", " bob ", "\" bob \"", "\"bob\""},
      {"My Task", "My Task", "\"My Task\"", "\"My Task\""},
      {"a\tb", "a\tb", "\"a\tb\"", "\"a\tb\""},
      {"50%", "50%", "\"50%%\"", "\"50%\""},  // a lone "%" would pair with the next
      {"a&b", "a&b", "\"a&b\"", "\"a&b\""},
      {"x(1)", "x(1)", "\"x(1)\"", "\"x(1)\""},
      {"a<b>c", "a<b>c", "\"a<b>c\"", "\"a<b>c\""},
      {"a^b|c", "a^b|c", "\"a^b|c\"", "\"a^b|c\""},
      // One quote at each end is removed, each on its own.
      {"\"bob\"", "bob", "bob", "\"bob\""},
      {"\"My Task\"", "My Task", "\"My Task\"", "\"My Task\""},
      {"\"open", "open", "open", "\"open\""},
      {"close\"", "close", "close", "\"close\""},
      {"\"", "", "", "\"\""},
      // Inner quotes: a name cannot hold them, they would end its quotes; QuoteEscaped
      // writes them as \".
      {"*[System[(Level=1)]] \"x\"", "*[System[(Level=1)]] \"x", "\"*[System[(Level=1)]] x\"",
       "\"*[System[(Level=1)]] \\\"x\""},
      {"a\"b", "a\"b", "ab", "\"a\\\"b\""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(SchtasksUnquote(c.text), c.unquoted);
    EXPECT_EQ(SchtasksQuote(c.text), c.quoted);
    EXPECT_EQ(QuoteEscaped(c.text), c.escaped);
  }
}

// After an inner \" cmd.exe reads the text outside quotes: its specials get a caret there.
TEST(SchtasksQuoting, ShieldOutsideQuotes) {
  const std::pair<const char*, const char*> cases[] = {
      {"\"calc.exe\"", "\"calc.exe\""},
      {"\"a & b\"", "\"a & b\""},
      {"\"cmd /c \\\"echo a & echo b\\\"\"", "\"cmd /c \\\"echo a ^& echo b\\\"\""},
      {"\"x \\\"a|b<c>d^e\\\" y\"", "\"x \\\"a^|b^<c^>d^^e\\\" y\""},
      // Parentheses are the line's business (see the create item).
      {"\"x \\\"(a)\\\"\"", "\"x \\\"(a)\\\"\""},
  };
  for (const auto& [argument, shielded] : cases) {
    SCOPED_TRACE(argument);
    EXPECT_EQ(ShieldOutsideQuotes(argument), shielded);
  }
}

TEST(SchtasksQuoting, BuiltinAccounts) {
  for (const char* name :
       {"SYSTEM", "system", " \"NT AUTHORITY\\SYSTEM\" ", "LocalService", "LOCAL SERVICE",
        "nt authority\\local service", "NT AUTHORITY\\LOCALSERVICE", "NetworkService",
        "network service", "NT AUTHORITY\\NETWORKSERVICE", "NT AUTHORITY\\NETWORK SERVICE",
        "S-1-5-18", "*S-1-5-18", "*s-1-5-19", "S-1-5-20", "\" *SYSTEM \""}) {
    EXPECT_TRUE(IsBuiltinAccount(name)) << name;
  }
  for (const char* name : {"", "bob", "SYSTEMS", "**SYSTEM", "S-1-5-21", "NT AUTHORITY\\bob",
                           "DOMAIN\\SYSTEM"}) {
    EXPECT_FALSE(IsBuiltinAccount(name)) << name;
  }
}

TEST(SchtasksItems, RunEndDeleteQueryTexts) {
  ExpectTexts({
      {Make<TSCHTASKSRunItem>([](auto&) {}), "SCHTASKS /Run ",
       "Run <u>unknown</u> scheduled task"},
      {Make<TSCHTASKSRunItem>([](auto& i) {
         i.TN = "Backup";
         i.I = true;
       }),
       "SCHTASKS /Run  /TN \"Backup\" /I", "Run scheduled task \"Backup\""},
      // User and password only with a system; the password's lone "%" doubled, the
      // user's "%%" and references kept.
      {Make<TSCHTASKSRunItem>([](auto& i) {
         i.TN = "Backup";
         i.Username = "bob";
         i.Password = "x";
       }),
       "SCHTASKS /Run  /TN \"Backup\"", "Run scheduled task \"Backup\""},
      {Make<TSCHTASKSEndItem>([](auto& i) {
         i.Sys = "PC1";
         i.Username = " Domain User ";
         i.Password = "50% %%x %PW%";
         i.TN = "\\Folder\\Backup";
       }),
       "SCHTASKS /End /S PC1 /U \"Domain User\" /P \"50%% %%x %PW%\" /TN \"\\Folder\\Backup\"",
       "Stop running scheduled task \"\\Folder\\Backup\""},
      {Make<TSCHTASKSDeleteItem>([](auto& i) {
         i.Sys = "PC1";
         i.Username = "bob";
         i.Password = "secret";
         i.AskForPassword = true;
         i.TN = "Backup";
         i.F = true;
       }),
       "SCHTASKS /Delete /S PC1 /U bob /P /TN \"Backup\" /F", "Delete scheduled task \"Backup\""},
      {Make<TSCHTASKSDeleteItem>([](auto& i) { i.TN = "  "; }), "SCHTASKS /Delete ",
       "Delete <u>unknown</u> scheduled task"},
      {Make<TSCHTASKSQueryItem>([](auto&) {}), "SCHTASKS /Query  /FO TABLE",
       "Display the scheduled tasks on local PC"},
      {Make<TSCHTASKSQueryItem>([](auto& i) {
         i.FO = TOutputFormat_WithXML::ofxCSV;
         i.NH = i.V = true;
         i.TN = "Backup";
         i.Sys = "PC1";
       }),
       "SCHTASKS /Query /S PC1 /FO CSV /NH /V /TN \"Backup\"",
       "Display the scheduled tasks on remote PC \"PC1\""},
      {Make<TSCHTASKSQueryItem>([](auto& i) { i.NH = true; }), "SCHTASKS /Query  /FO TABLE /NH",
       "Display the scheduled tasks on local PC"},
      // SCHTASKS refuses /NH with LIST and XML.
      {Make<TSCHTASKSQueryItem>([](auto& i) {
         i.FO = TOutputFormat_WithXML::ofxList;
         i.NH = true;
       }),
       "SCHTASKS /Query  /FO LIST", "Display the scheduled tasks on local PC"},
      {Make<TSCHTASKSQueryItem>([](auto& i) {
         i.FO = TOutputFormat_WithXML::ofxXML;
         i.NH = i.OneXML = i.V = true;
       }),
       "SCHTASKS /Query  /XML ONE /V", "Display the scheduled tasks on local PC"},
      {Make<TSCHTASKSQueryItem>([](auto& i) {
         i.FO = TOutputFormat_WithXML::ofxXML;
       }),
       "SCHTASKS /Query  /XML", "Display the scheduled tasks on local PC"},
  });
}

// The remote machine and the task's name are one argument each, and the task's command
// line is one argument on one line.
TEST(SchtasksItems, HostileValuesStayOneArgumentOnOneLine) {
  ExpectBatchTexts({
      {Make<TSCHTASKSRunItem>([](auto& i) {
         i.Sys = "PC1 & ECHO INJ>canary";
         i.TN = "a\" & ECHO INJ & \"b";
       }),
       "SCHTASKS /Run /S \"PC1 & ECHO INJ>canary\" /TN \"a & ECHO INJ & b\""},
      {Make<TSCHTASKSDeleteItem>([](auto& i) { i.TN = "\"x\"\r\n50%"; }),
       "SCHTASKS /Delete  /TN \"x 50%%\""},
      {Make<TSCHTASKSCreateItem>([](auto& i) {
         i.TN = "T\"&x";
         i.TR = "C:\\x.exe\r\nECHO INJ>canary";
       }),
       "SCHTASKS /Create /SC DAILY /TN \"T&x\" /TR \"C:\\x.exe ECHO INJ>canary\" /IT"},
  });
}

// A create item of a fixed moment, with a name and a command.
void Named(TSCHTASKSCreateItem& i) {
  i.TN = "Backup";
  i.TR = "C:\\Tools\\backup.exe";
}

TEST(SchtasksItems, CreateAndChangeTexts) {
  const double at0730 = (7 * 60 + 30) / 1440.0;
  ExpectTexts({
      {Make<TSCHTASKSCreateItem>([](auto&) {}), "SCHTASKS /Create /SC DAILY /TN \"\" /TR \"\" /IT",
       "Create <u>unnamed</u> task for <u>unknown</u> command line"},
      {Make<TSCHTASKSChangeItem>([](auto&) {}), "SCHTASKS /Change /TN \"\"",
       "Change <u>unknown</u> scheduled task"},
      // Every-N schedules write N from 2 on.
      {Make<TSCHTASKSCreateItem>([](auto& i) {
         Named(i);
         i.SC = TScheduleType::scMINUTE;
         i.MO_MINUTE = 15;
         i.MO_DAILY = 3;
       }),
       "SCHTASKS /Create /SC MINUTE /MO 15 /TN \"Backup\" /TR \"C:\\Tools\\backup.exe\" /IT",
       "Create task \"Backup\" for C:\\Tools\\backup.exe"},
      {Make<TSCHTASKSCreateItem>([](auto& i) {
         Named(i);
         i.SC = TScheduleType::scHOURLY;
         i.MO_HOURLY = 1;
       }),
       "SCHTASKS /Create /SC HOURLY /TN \"Backup\" /TR \"C:\\Tools\\backup.exe\" /IT",
       "Create task \"Backup\" for C:\\Tools\\backup.exe"},
      {Make<TSCHTASKSCreateItem>([](auto& i) {
         Named(i);
         i.SC = TScheduleType::scWEEKLY;
         i.MO_WEEKLY = 2;
         i.WeeklySchedule_WeekDay = TDayOfWeek::dwFRI;
       }),
       "SCHTASKS /Create /SC WEEKLY /MO 2 /d FRI /TN \"Backup\" /TR \"C:\\Tools\\backup.exe\" /IT",
       "Create task \"Backup\" for C:\\Tools\\backup.exe"},
      {Make<TSCHTASKSCreateItem>([](auto& i) {
         Named(i);
         i.SC = TScheduleType::scWEEKLY;
       }),
       "SCHTASKS /Create /SC WEEKLY /d * /TN \"Backup\" /TR \"C:\\Tools\\backup.exe\" /IT",
       "Create task \"Backup\" for C:\\Tools\\backup.exe"},
      // The three monthly forms.
      {Make<TSCHTASKSCreateItem>([](auto& i) {
         Named(i);
         i.SC = TScheduleType::scMONTHLY;
         i.MonthlySchedule = TMonthlySchedule::msWeekNo;
         i.MonthlySchedule_WeekNo = TMonthlySchedule_WeekNo::mswSECOND;
         i.MonthlySchedule_WeekDay = TDayOfWeek::dwTUE;
       }),
       "SCHTASKS /Create /SC MONTHLY /MO SECOND /d TUE /TN \"Backup\" /TR "
       "\"C:\\Tools\\backup.exe\" /IT",
       "Create task \"Backup\" for C:\\Tools\\backup.exe"},
      {Make<TSCHTASKSCreateItem>([](auto& i) {
         Named(i);
         i.SC = TScheduleType::scMONTHLY;
         i.MonthlySchedule = TMonthlySchedule::msDayNo;
         i.MO_MONTHLY_Int = 2;
         i.MonthlySchedule_DayOfMonth = 15;
       }),
       "SCHTASKS /Create /SC MONTHLY /MO 2 /d 15 /TN \"Backup\" /TR \"C:\\Tools\\backup.exe\" /IT",
       "Create task \"Backup\" for C:\\Tools\\backup.exe"},
      {Make<TSCHTASKSCreateItem>([](auto& i) {
         Named(i);
         i.SC = TScheduleType::scMONTHLY;
         i.MonthlySchedule = TMonthlySchedule::msLastDay;
         i.MonthlySchedule_LastDay = TMonth::moMAR;
       }),
       "SCHTASKS /Create /SC MONTHLY /MO LASTDAY /m MAR /TN \"Backup\" /TR "
       "\"C:\\Tools\\backup.exe\" /IT",
       "Create task \"Backup\" for C:\\Tools\\backup.exe"},
      {Make<TSCHTASKSCreateItem>([](auto& i) {
         Named(i);
         i.SC = TScheduleType::scMONTHLY;
       }),
       "SCHTASKS /Create /SC MONTHLY /MO LASTDAY /m * /TN \"Backup\" /TR "
       "\"C:\\Tools\\backup.exe\" /IT",
       "Create task \"Backup\" for C:\\Tools\\backup.exe"},
      // On idle with its minutes; on event with channel, query (its & shielded after the
      // inner quote) and delay; times, repeat and duration.
      {Make<TSCHTASKSCreateItem>([](auto& i) {
         Named(i);
         i.SC = TScheduleType::scONIDLE;
         i.I = 10;
         i.InteractiveMode = TInteractiveMode::imNP;
       }),
       "SCHTASKS /Create /SC ONIDLE /I 10 /TN \"Backup\" /TR \"C:\\Tools\\backup.exe\" /NP",
       "Create task \"Backup\" for C:\\Tools\\backup.exe"},
      {Make<TSCHTASKSCreateItem>([](auto& i) {
         Named(i);
         i.SC = TScheduleType::scONEVENT;
         i.EC = " Application Log ";
         i.MO_XPathEventString = " *[System[Provider[@Name=\"A&B\"]]] ";
         i.Delay_Set = true;
         i.Delay = (90 * 60 + 30) / 86400.0;
       }),
       "SCHTASKS /Create /SC ONEVENT /MO \"*[System[Provider[@Name=\\\"A^&B\\\"]]]\" /TN "
       "\"Backup\" /TR \"C:\\Tools\\backup.exe\" /EC \"Application Log\" /IT /Delay 0090:30",
       "Create task \"Backup\" for C:\\Tools\\backup.exe"},
      {Make<TSCHTASKSCreateItem>([at0730](auto& i) {
         Named(i);
         i.ST_Set = i.RI_set = i.K = true;
         i.ST = DateValue(2024, 3, 5) + at0730;
         i.RI = 30;
         i.EndTimeDuration = TEndTimeDuration::etdDU;
         i.DU = (2 * 60 + 5) / 1440.0;
         i.ET = at0730;
       }),
       "SCHTASKS /Create /SC DAILY /TN \"Backup\" /TR \"C:\\Tools\\backup.exe\" /ST 07:30 /RI 30 "
       "/DU 02:05 /K /IT",
       "Create task \"Backup\" for C:\\Tools\\backup.exe"},
      {Make<TSCHTASKSCreateItem>([at0730](auto& i) {
         Named(i);
         i.EndTimeDuration = TEndTimeDuration::etdET;
         i.ET = at0730;
         i.Z = i.V1 = i.F = true;
         i.RL = TRunLevel::rlHighest;
         i.XML = "C:\\task.xml";  // with V1 the settings still count
       }),
       "SCHTASKS /Create /SC DAILY /TN \"Backup\" /TR \"C:\\Tools\\backup.exe\" /ET 07:30 /IT /Z "
       "/V1 /F /RL HIGHEST",
       "Create task \"Backup\" for C:\\Tools\\backup.exe"},
      // A task file instead of the settings.
      {Make<TSCHTASKSCreateItem>([](auto& i) {
         Named(i);
         i.XML = "C:\\My Tasks\\task.xml";
         i.F = true;
         i.SD_Set = true;
       }),
       "SCHTASKS /Create /XML \"C:\\My Tasks\\task.xml\" /TN \"Backup\" /F",
       "Create task \"Backup\" for C:\\Tools\\backup.exe"},
      // Accounts: two blanks before /RU; no /RP for a built-in account; /RP empty to ask.
      {Make<TSCHTASKSCreateItem>([](auto& i) {
         Named(i);
         i.RunAsUser = true;
         i.RAUsername = "NT AUTHORITY\\SYSTEM";
         i.RAPassword = "unused";
       }),
       "SCHTASKS /Create  /RU \"NT AUTHORITY\\SYSTEM\" /SC DAILY /TN \"Backup\" /TR "
       "\"C:\\Tools\\backup.exe\" /IT",
       "Create task \"Backup\" for C:\\Tools\\backup.exe"},
      {Make<TSCHTASKSCreateItem>([](auto& i) {
         Named(i);
         i.RunAsUser = true;
         i.RAUsername = "*S-1-5-18";
       }),
       "SCHTASKS /Create  /RU *S-1-5-18 /SC DAILY /TN \"Backup\" /TR \"C:\\Tools\\backup.exe\" /IT",
       "Create task \"Backup\" for C:\\Tools\\backup.exe"},
      {Make<TSCHTASKSCreateItem>([](auto& i) {
         Named(i);
         i.RunAsUser = true;
         i.RAUsername = "bob";
         i.RAPassword = "secret";
         i.AskForRAPassword = true;
       }),
       "SCHTASKS /Create  /RU bob /RP  /SC DAILY /TN \"Backup\" /TR \"C:\\Tools\\backup.exe\" /IT",
       "Create task \"Backup\" for C:\\Tools\\backup.exe"},
      {Make<TSCHTASKSCreateItem>([](auto& i) {
         Named(i);
         i.Sys = "PC1";
         i.Username = "admin";
         i.Password = "a%b";
         i.RunAsUser = true;
         i.RAUsername = "bob";
         i.RAPassword = "100% %%ok %PW%";
       }),
       "SCHTASKS /Create /S PC1 /U admin /P \"a%%b\"  /RU bob /RP \"100%% %%ok %PW%\" /SC DAILY "
       "/TN \"Backup\" /TR \"C:\\Tools\\backup.exe\" /IT",
       "Create task \"Backup\" for C:\\Tools\\backup.exe"},
      // The delay: on start, logon and event only for the create item, always for change.
      {Make<TSCHTASKSCreateItem>([](auto& i) {
         Named(i);
         i.SC = TScheduleType::scONLOGON;
         i.Delay_Set = true;
         i.Delay = (2 * 60 + 5) / 86400.0;
       }),
       "SCHTASKS /Create /SC ONLOGON /TN \"Backup\" /TR \"C:\\Tools\\backup.exe\" /IT /Delay "
       "0002:05",
       "Create task \"Backup\" for C:\\Tools\\backup.exe"},
      {Make<TSCHTASKSCreateItem>([](auto& i) {
         Named(i);
         i.Delay_Set = true;
         i.Delay = (2 * 60 + 5) / 86400.0;
       }),
       "SCHTASKS /Create /SC DAILY /TN \"Backup\" /TR \"C:\\Tools\\backup.exe\" /IT",
       "Create task \"Backup\" for C:\\Tools\\backup.exe"},
      // Change: no schedule, XML, channel, /NP, /V1 or /F; the run level and the state.
      {Make<TSCHTASKSChangeItem>([](auto& i) {
         Named(i);
         i.SC = TScheduleType::scONEVENT;
         i.EC = "System";
         i.MO_MINUTE = 5;
         i.XML = "C:\\task.xml";
         i.V1 = i.F = true;
         i.RL_Set = true;
         i.Delay_Set = true;
         i.Delay = (125 * 60) / 86400.0;
         i.TaskEnableDisable = TTaskEnableDisable::tedDisable;
       }),
       "SCHTASKS /Change /TN \"Backup\" /TR \"C:\\Tools\\backup.exe\" /RL LIMITED /Delay 0125:00 "
       "/DISABLE",
       "Change scheduled task \"Backup\""},
      {Make<TSCHTASKSChangeItem>([](auto& i) {
         i.TN = "Backup";
         i.InteractiveMode = TInteractiveMode::imIT;
         i.RL = TRunLevel::rlHighest;
         i.TaskEnableDisable = TTaskEnableDisable::tedEnable;
       }),
       "SCHTASKS /Change /TN \"Backup\" /IT /RL HIGHEST /ENABLE", "Change scheduled task \"Backup\""},
  });
}

// /TR: the user's quotes as \", and the specials after an inner quote shielded, so the
// task's command stays one argument; parentheses outside quotes get a caret so the line
// works inside an IF block.
TEST(SchtasksItems, TaskCommandStaysOneArgument) {
  const std::pair<const char*, const char*> cases[] = {
      {"cmd /c \"echo a & echo b\"", "/TR \"cmd /c \\\"echo a ^& echo b\\\"\""},
      {"calc.exe (x)", "/TR \"calc.exe (x)\""},
      {"cmd /c \"echo (a) | more\"", "/TR \"cmd /c \\\"echo ^(a^) ^| more\\\"\""},
      // With the inner quotes balanced, what follows a quoted program is inside quotes.
      {"\"C:\\My App\\a.exe\" (x) | y", "/TR \"\\\"C:\\My App\\a.exe\\\" (x) | y\""},
      {"a & b", "/TR \"a & b\""},
  };
  for (const auto& [command, expected] : cases) {
    SCOPED_TRACE(command);
    TSCHTASKSCreateItem item;
    item.TR = command;
    EXPECT_NE(item.GetBatchText().find(expected), std::string::npos) << item.GetBatchText();
  }
}

// Records the system blocks an item asks for.
class TRecordingHooks : public IGenerationHooks {
 public:
  void NeedSaveFile(const TStrings&, std::string&) override {}
  void AppendLines(const TStrings&) override {}
  void GetParamList(TItemList&) override {}
  void AddSystemItem(const TClass& cls) override { Requested.push_back(&cls); }
  std::vector<const TClass*> Requested;
};

TEST(SchtasksItems, DatesAreWrittenInEachDateOrder) {
  TRecordingHooks hooks;
  TSCHTASKSCreateItem item;
  item.SetGenerationHooks(&hooks);
  Named(item);
  item.TR = "calc.exe (x)";
  item.SD_Set = item.ED_Set = true;
  item.SD = DateValue(2024, 3, 5) + 0.25;
  item.ED = DateValue(2025, 12, 31);
  const std::string tail =
      " /TN \"Backup\" /TR \"calc.exe (x)\" /SD {SD} /ED {ED} /IT";
  const auto variant = [&](const char* sd, const char* ed) {
    return "SCHTASKS /Create /SC DAILY" +
           ReplaceAll(ReplaceAll(tail, "{SD}", sd), "{ED}", ed);
  };
  EXPECT_EQ(item.GetBatchText(),
            "(IF /I \"%KWJ_DATEORDER%\"==\"d\" (" + variant("05/03/2024", "31/12/2025") +
                ") ELSE IF /I \"%KWJ_DATEORDER%\"==\"y\" (" + variant("2024/03/05", "2025/12/31") +
                ") ELSE (" + variant("03/05/2024", "12/31/2025") + "))");
  ASSERT_EQ(hooks.Requested.size(), 1u);
  EXPECT_EQ(hooks.Requested[0], &TSysDateOrder::Class);

  // A parenthesis outside quotes gets its caret in each variant; the change item too.
  TSCHTASKSChangeItem change;
  change.SetGenerationHooks(&hooks);
  change.TN = "Backup";
  change.TR = "cmd /c \"echo (a)\"";
  change.ED_Set = true;
  change.ED = DateValue(2024, 1, 2);
  EXPECT_EQ(change.GetBatchText(),
            "(IF /I \"%KWJ_DATEORDER%\"==\"d\" (SCHTASKS /Change /TN \"Backup\" /TR "
            "\"cmd /c \\\"echo ^(a^)\\\"\" /ED 02/01/2024) ELSE IF /I \"%KWJ_DATEORDER%\"==\"y\" "
            "(SCHTASKS /Change /TN \"Backup\" /TR \"cmd /c \\\"echo ^(a^)\\\"\" /ED 2024/01/02) ELSE "
            "(SCHTASKS /Change /TN \"Backup\" /TR \"cmd /c \\\"echo ^(a^)\\\"\" /ED 01/02/2024))");

  // Without dates the block is not asked for.
  hooks.Requested.clear();
  TSCHTASKSCreateItem plain;
  plain.SetGenerationHooks(&hooks);
  plain.GetBatchText();
  EXPECT_TRUE(hooks.Requested.empty());
}

// The delay is minutes and seconds in the dialog; it may pass an hour, which the item
// writes, up to 9999 minutes.
TEST(SchtasksItems, DelayFieldsRoundTrip) {
  TSCHTASKSCreateItem item;
  item.Delay = (75 * 60 + 9) / 86400.0;
  TEditorValues values;
  item.ToEditor(values);
  EXPECT_EQ(values.Index(kDelayMinutesField), 75);
  EXPECT_EQ(values.Index(kDelaySecondsField), 9);
  values.SetIndex(kDelayMinutesField, 9999);
  values.SetIndex(kDelaySecondsField, 59);
  item.FromEditor(values);
  item.SC = TScheduleType::scONSTART;
  item.Delay_Set = true;
  EXPECT_EQ(item.DelaySwitch(), " /Delay 9999:59");
}

// The dialog shows one N for the chosen schedule; each schedule keeps its own, and a
// remembered 0 shown as 1 stays 0 unless the user changes it.
TEST(SchtasksItems, RepeatFieldBelongsToTheShownSchedule) {
  TSCHTASKSCreateItem item;
  item.SC = TScheduleType::scHOURLY;
  item.MO_HOURLY = 0;
  item.MO_MINUTE = 45;
  TEditorValues values;
  item.ToEditor(values);
  EXPECT_EQ(values.Index("sedN"), 1);
  item.FromEditor(values);
  EXPECT_EQ(item.MO_HOURLY, 0);

  values.SetIndex("sedN", 30);  // beyond the hours' range
  item.FromEditor(values);
  EXPECT_EQ(item.MO_HOURLY, 23);
  EXPECT_EQ(item.MO_MINUTE, 45);

  item.SC = TScheduleType::scONCE;
  item.ToEditor(values);
  EXPECT_EQ(values.Index("sedN"), 0);
  item.FromEditor(values);
  EXPECT_EQ(item.MO_HOURLY, 23);
}

TEST(SchtasksItems, ChangeDialogRunLevel) {
  struct Case {
    TRunLevel level;
    bool set;
    int index;
  };
  for (const Case c : {Case{TRunLevel::rlLimited, false, 0}, Case{TRunLevel::rlLimited, true, 1},
                       Case{TRunLevel::rlHighest, false, 2}, Case{TRunLevel::rlHighest, true, 2}}) {
    TSCHTASKSChangeItem item;
    item.RL = c.level;
    item.RL_Set = c.set;
    TEditorValues values;
    item.ToEditor(values);
    EXPECT_EQ(values.Index("cmbRunLevel"), c.index);
  }
  TSCHTASKSChangeItem item;
  TEditorValues values;
  item.ToEditor(values);
  for (const Case c : {Case{TRunLevel::rlLimited, false, 0}, Case{TRunLevel::rlLimited, true, 1},
                       Case{TRunLevel::rlHighest, true, 2}}) {
    values.SetIndex("cmbRunLevel", c.index);
    item.FromEditor(values);
    EXPECT_EQ(item.RL, c.level);
    EXPECT_EQ(item.RL_Set, c.set);
  }
  // The create dialog's list is LIMITED, HIGHEST.
  TSCHTASKSCreateItem create;
  create.ToEditor(values);
  values.SetIndex("cmbRunLevel", 1);
  create.FromEditor(values);
  EXPECT_EQ(create.RL, TRunLevel::rlHighest);
}

TEST(SchtasksItems, RunAsUserFollowsTheRunAsBox) {
  TSCHTASKSCreateItem item;
  TEditorValues values;
  item.ToEditor(values);
  values.SetText("edtRAUserName", " bob ");
  item.FromEditor(values);
  EXPECT_TRUE(item.RunAsUser);
  values.SetText("edtRAUserName", "  ");
  item.FromEditor(values);
  EXPECT_FALSE(item.RunAsUser);
}

// A week number the dialog's list does not offer (LASTDAY, from a file) survives OK.
TEST(SchtasksItems, LastDayWeekSurvivesTheDialog) {
  TSCHTASKSCreateItem item;
  item.MonthlySchedule_WeekNo = TMonthlySchedule_WeekNo::mswLASTDAY;
  TEditorValues values;
  item.ToEditor(values);
  values.SetIndex("cmbFIRSTLAST", -1);  // no selection shown
  item.FromEditor(values);
  EXPECT_EQ(item.MonthlySchedule_WeekNo, TMonthlySchedule_WeekNo::mswLASTDAY);
}

}  // namespace
}  // namespace palvetta
