#include "items/system/system_family.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/item_texts.h"

namespace palvetta {
namespace {

using testing::ExpectTexts;
using testing::Make;

TEST(SystemItems, PathTexts) {
  ExpectTexts({
      {Make<TPathItem>([](auto&) {}), "PATH",
       "Append <u>unknown path</u> to the search path for executable files"},
      {Make<TPathItem>([](auto& i) { i.Path = "   "; }), "PATH",
       "Append <u>unknown path</u> to the search path for executable files"},
      // Quoted, so that "(x86)" and the blanks of the old path stay text inside a block.
      {Make<TPathItem>([](auto& i) { i.Path = " C:\\Program Files (x86)\\Tools "; }),
       "SET \"PATH=C:\\Program Files (x86)\\Tools;%PATH%\"",
       "Append  C:\\Program Files (x86)\\Tools  to the search path for executable files"},
      {Make<TPathItem>([](auto& i) { i.Path = "%ProgramFiles%\\A&B"; }),
       "SET \"PATH=%ProgramFiles%\\A&B;%PATH%\"",
       "Append %ProgramFiles%\\A&B to the search path for executable files"},
      // A quote of the user's own ends the quoted part: what follows is escaped as SET
      // escapes it, and the line stays one command.
      {Make<TPathItem>([](auto& i) { i.Path = "C:\\a\"&b"; }),
       "SET \"PATH=C:\\a&b;%PATH%\"", "Append C:\\a\"&b to the search path for executable files"},
  });
}

TEST(SystemItems, ShutdownTexts) {
  ExpectTexts({
      {Make<TShutdownItem>([](auto&) {}), "SHUTDOWN /s /t 0", "Shutdown"},
      {Make<TShutdownItem>([](auto& i) { i.ForceCloseApps = true; }), "SHUTDOWN /s /t 0 /f",
       "Shutdown"},
      // Only the modes that wait take a time; a negative time in none.
      {Make<TShutdownItem>([](auto& i) {
         i.ShutdownMode = TShutDownMode::sdmLogOff;
         i.Timeout = 20;
       }),
       "SHUTDOWN /l", "Log off"},
      {Make<TShutdownItem>([](auto& i) {
         i.ShutdownMode = TShutDownMode::sdmAbortShutdown;
         i.Timeout = 20;
       }),
       "SHUTDOWN /a", "Abort shutdown"},
      {Make<TShutdownItem>([](auto& i) { i.ShutdownMode = TShutDownMode::sdmTurnOff; }),
       "SHUTDOWN /p", "Turn off withour warnings"},
      {Make<TShutdownItem>([](auto& i) { i.ShutdownMode = TShutDownMode::sdmHibernate; }),
       "SHUTDOWN /h", "Hibernate"},
      {Make<TShutdownItem>([](auto& i) {
         i.ShutdownMode = TShutDownMode::sdmShutdownRestart;
         i.Timeout = -1;
       }),
       "SHUTDOWN /r", "Shutdown and restart"},
      {Make<TShutdownItem>([](auto& i) {
         i.ShutdownMode = TShutDownMode::sdmShutdownRestartRegApp;
         i.Timeout = 60;
       }),
       "SHUTDOWN /g /t 60", "Shutdown, restart then run registered apps"},
      // The computer's backslashes are its own business: always two in front.
      {Make<TShutdownItem>([](auto& i) { i.Computer = "\\\\PC1"; }), "SHUTDOWN /s /m \\\\PC1 /t 0",
       "Shutdown computer \\\\PC1"},
      {Make<TShutdownItem>([](auto& i) { i.Computer = " srv\\ "; }), "SHUTDOWN /s /m \\\\srv /t 0",
       "Shutdown computer  srv\\ "},
      // Neither the computer nor the comment can start a command or end their quotes.
      {Make<TShutdownItem>([](auto& i) {
         i.Computer = "pc\" & ECHO INJ";
         i.Comment = "a\" & ECHO INJ & \"b\r\n50%";
       }),
       "SHUTDOWN /s /m \"\\\\pc & ECHO INJ\" /t 0 /c \"a & ECHO INJ & b 50%%\"",
       "Shutdown computer pc\" & ECHO INJ"},
      {Make<TShutdownItem>([](auto& i) {
         i.ShutdownMode = TShutDownMode::sdmDocumentUnexpected;
         i.Comment = "Power cut";
         i.ForceCloseApps = true;
         i.ProvideReason = true;
         i.ReasonType = TReasonType::rtUnexpected;
         i.MajorReasonNumber = 2;
         i.MinorReasonNumber = 17;
       }),
       "SHUTDOWN /e /c \"Power cut\" /f /d 2:17", "Document unexpected shutdown"},
      {Make<TShutdownItem>([](auto& i) {
         i.ProvideReason = true;
         i.ReasonType = TReasonType::rtPlanned;
         i.MajorReasonNumber = 2;
         i.MinorReasonNumber = 17;
       }),
       "SHUTDOWN /s /t 0 /d p:2:17", "Shutdown"},
      {Make<TShutdownItem>([](auto& i) {
         i.ProvideReason = true;
         i.ReasonType = TReasonType::rtCustomerDefined;
         i.MajorReasonNumber = 2;
         i.MinorReasonNumber = 18;
       }),
       "SHUTDOWN /s /t 0 /d u:2:18", "Shutdown"},
      // A comment's & stays inside its quotes, and so does the computer's.
      {Make<TShutdownItem>([](auto& i) {
         i.Computer = "a&b";
         i.Comment = "x & y";
       }),
       "SHUTDOWN /s /m \"\\\\a&b\" /t 0 /c \"x & y\"", "Shutdown computer a&b"},
  });
}

TEST(SystemItems, ShutdownReasonTable) {
  ASSERT_EQ(ShutdownReasons().size(), 31u);
  // Row numbers from 1, as the dialog lists every reason.
  const auto rowsOf = [](TReasonType type) {
    std::vector<int> rows;
    const auto all = ShutdownReasons();
    for (const TShutdownReason* reason : ShutdownReasonsOf(type)) {
      rows.push_back(static_cast<int>(reason - all.data()) + 1);
    }
    return rows;
  };
  EXPECT_EQ(rowsOf(TReasonType::rtCustomerDefined), (std::vector<int>{15, 17}));
  EXPECT_EQ(rowsOf(TReasonType::rtPlanned),
            (std::vector<int>{3, 6, 8, 10, 11, 13, 14, 16, 18, 20, 21, 27, 31}));
  EXPECT_EQ(rowsOf(TReasonType::rtUnexpected), (std::vector<int>{1, 4, 24, 25, 29, 30}));
  EXPECT_EQ(rowsOf(TReasonType::rtExpected),
            (std::vector<int>{2, 3, 5, 6, 7, 8, 9, 10, 12, 13, 19, 20, 21, 22, 23, 26, 27, 28}));
  EXPECT_EQ(ShutdownReasons()[8].Title, ShutdownReasons()[9].Title);
}

TEST(SystemItems, AssocTexts) {
  ExpectTexts({
      {Make<TOpenExtItem>([](auto& i) {
         i.Ext = "txt;.log";
         i.Name = "MyType";
         i.ExeName = "C:\\Tools\\edit.exe";
       }),
       "ASSOC .txt=MyType\r\nASSOC .log=MyType\r\nFTYPE MyType=\"C:\\Tools\\edit.exe\" \"%%1\" %%*\r\n",
       "Associate txt;.log file name extensions to C:\\Tools\\edit.exe"},
      // Empty pieces write nothing; repeated ones repeat.
      {Make<TOpenExtItem>([](auto& i) {
         i.Ext = ".txt;;txt; ;";
         i.Name = "T";
         i.ExeName = "\"C:\\a b\\x.exe\"";
       }),
       "ASSOC .txt=T\r\nASSOC .txt=T\r\nFTYPE T=\"C:\\a b\\x.exe\" \"%%1\" %%*\r\n",
       "Associate .txt;;txt; ; file name extensions to \"C:\\a b\\x.exe\""},
      {Make<TOpenExtItem>([](auto& i) { i.Name = "T"; }), "FTYPE T=\"\" \"%%1\" %%*\r\n",
       "Associate <u>unknown</u> file name extensions to <u>unknown</u> executable"},
      // Without a type name "ASSOC .txt=" would delete the association: no ASSOC line.
      {Make<TOpenExtItem>([](auto& i) {
         i.Ext = "txt";
         i.Name = "  ";
         i.ExeName = "x.exe";
       }),
       "FTYPE   =\"x.exe\" \"%%1\" %%*\r\n", "Associate txt file name extensions to x.exe"},
      {Make<TOpenExtItem>([](auto& i) {
         i.Ext = "a&b";
         i.Name = "T&U";
       }),
       "ASSOC .a^&b=T^&U\r\nFTYPE T^&U=\"\" \"%%1\" %%*\r\n",
       "Associate a&b file name extensions to <u>unknown</u> executable"},
  });
}

TEST(SystemItems, SystemInfoTexts) {
  const std::string local = "Display operating system configuration information for  local machine";
  ExpectTexts({
      {Make<TSystemInfoItem>([](auto&) {}), "SYSTEMINFO /FO TABLE", local},
      // A user or password without a system is left out.
      {Make<TSystemInfoItem>([](auto& i) {
         i.User = "u";
         i.Password = "p";
       }),
       "SYSTEMINFO /FO TABLE", local},
      {Make<TSystemInfoItem>([](auto& i) {
         i.System = "PC1";
         i.Password = "p";
       }),
       "SYSTEMINFO /S PC1 /FO TABLE",
       "Display operating system configuration information for  remote machine PC1"},
      {Make<TSystemInfoItem>([](auto& i) {
         i.System = "PC1";
         i.User = "DOM\\me";
         i.Password = "p";
         i.NoHeader = true;
         i.OutputFormat = TOutputFormat::ofCSV;
       }),
       "SYSTEMINFO /S PC1 /U DOM\\me /P p /NH /FO CSV",
       "Display operating system configuration information for  remote machine PC1"},
      {Make<TSystemInfoItem>([](auto& i) {
         i.NoHeader = true;
         i.OutputFormat = TOutputFormat::ofList;
       }),
       "SYSTEMINFO /FO LIST", local},
      // A password reaches the tool as typed: a lone "%" doubled, "%%" and references kept.
      {Make<TSystemInfoItem>([](auto& i) {
         i.System = "PC1";
         i.User = "me";
         i.Password = "50%-off%%x%PW%";
       }),
       "SYSTEMINFO /S PC1 /U me /P 50%%-off%%x%PW% /FO TABLE",
       "Display operating system configuration information for  remote machine PC1"},
      {Make<TSystemInfoItem>([](auto& i) {
         i.System = "PC1";
         i.User = "me";
         i.Password = "a b&c";
       }),
       "SYSTEMINFO /S PC1 /U me /P \"a b&c\" /FO TABLE",
       "Display operating system configuration information for  remote machine PC1"},
  });
}

TEST(SystemItems, DateAndTimeTexts) {
  ExpectTexts({
      {Make<TDisplayCurrentDateAndTimeItem>([](auto&) {}), "TIME /T\r\nDATE /T\r\n",
       "Display current system date and time"},
      {Make<TDisplayCurrentDateAndTimeItem>([](auto& i) { i.Date = false; }), "TIME /T\r\n",
       "Display current system time"},
      {Make<TDisplayCurrentDateAndTimeItem>([](auto& i) { i.Time = false; }), "DATE /T\r\n",
       "Display current system date "},
      {Make<TDisplayCurrentDateAndTimeItem>([](auto& i) { i.Time = i.Date = false; }), "",
       "Do not display current system date and time"},
      {Make<TSetTimeItem>([](auto& i) { i.Time = "12:00"; }), "TIME", "Ask user to set system time"},
      {Make<TSetTimeItem>([](auto& i) {
         i.AskUser = false;
         i.Time = "12:00";
       }),
       "TIME 12:00", "Set system time to 12:00"},
      {Make<TSetTimeItem>([](auto& i) { i.AskUser = false; }), "TIME",
       "Set system time to <u>unknown time</u>"},
      {Make<TSetDateItem>([](auto&) {}), "DATE", "Ask user to set system date"},
      {Make<TSetDateItem>([](auto& i) {
         i.AskUser = false;
         i.Date = "24.12.2024";
       }),
       "DATE 24.12.2024", "Set system date to 24.12.2024"},
      {Make<TSetDateItem>([](auto& i) { i.AskUser = false; }), "DATE",
       "Set system date to <u>unknown date</u>"},
  });
}

TEST(SystemItems, ComModeTexts) {
  ExpectTexts({
      {Make<TCOMModeItem>([](auto&) {}), "MODE COM1", "Configure COM1 port"},
      {Make<TCOMModeItem>([](auto& i) {
         i.SetParity = true;
         i.Parity = " Even ";
       }),
       "MODE COM1 PARITY=e", "Configure COM1 port"},
      {Make<TCOMModeItem>([](auto& i) {
         i.SetParity = true;
         i.Parity = "x";
       }),
       "MODE COM1 PARITY=x", "Configure COM1 port"},
      {Make<TCOMModeItem>([](auto& i) {
         i.ComPort = 4;
         i.SetBAUD = i.SetParity = i.SetData = i.SetSTOP = i.SetTo = i.SetXON = true;
         i.SetODSR = i.SetOCTS = i.SetDTR = i.SetRTS = i.SetIDSR = true;
         i.Parity = "none";
         i.DTR = "hs";
         i.RTS = "tg";
       }),
       "MODE COM4 BAUD=14400 PARITY=n DATA=7 STOP=1 to=on xon=on odsr=on octs=on dtr=hs rts=tg "
       "idsr=on",
       "Configure COM4 port"},
  });
  for (const auto& [name, letter] : std::vector<std::pair<std::string, std::string>>{
           {"NONE", "n"}, {"even", "e"}, {"Odd", "o"}, {"mark", "m"}, {"space", "s"}, {"e", "e"}}) {
    EXPECT_EQ(ParityLetter(name), letter) << name;
  }
}

}  // namespace
}  // namespace palvetta
