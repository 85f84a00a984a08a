#include "items/remote_query/remote_query_items.h"

#include <gtest/gtest.h>

#include "support/item_texts.h"

namespace palvetta {
namespace {

using testing::ExpectTexts;
using testing::Make;

// Every class, its new item first; the remote switches and the output switches as each
// tool takes them.
TEST(RemoteQueryItems, Texts) {
  using F = TOutputFormat;
  ExpectTexts({
      // DRIVERQUERY
      {Make<TDriverQueryItem>([](auto&) {}), "DRIVERQUERY /FO TABLE",
       "Display a list of installed device drivers"},
      {Make<TDriverQueryItem>([](auto& i) {
         i.System = "PC1";
         i.User = "admin";
         i.Password = "secret";
         i.NoHeader = i.Verbose = i.SI = true;
         i.OutputFormat = F::ofCSV;
       }),
       "DRIVERQUERY /S PC1 /U admin /P secret /NH /FO CSV /V /SI",
       "Display a list of installed device drivers"},
      // LIST shows no header anyway, and the tool refuses /NH with it.
      {Make<TDriverQueryItem>([](auto& i) {
         i.NoHeader = true;
         i.OutputFormat = F::ofList;
       }),
       "DRIVERQUERY /FO LIST", "Display a list of installed device drivers"},
      // A user without a system, a password without a user: neither is written.
      {Make<TDriverQueryItem>([](auto& i) {
         i.User = "admin";
         i.Password = "x";
       }),
       "DRIVERQUERY /FO TABLE", "Display a list of installed device drivers"},
      {Make<TDriverQueryItem>([](auto& i) {
         i.System = "PC1";
         i.Password = "x";
       }),
       "DRIVERQUERY /S PC1 /FO TABLE", "Display a list of installed device drivers"},

      // GPRESULT
      {Make<TGPResultItem>([](auto&) {}), "GPRESULT /SCOPE USER /R",
       "Display the Resultant Set of Policy (RSoP) for <u>unknown</u> user"},
      {Make<TGPResultItem>([](auto& i) {
         i.SCOPE = TGPResultScope::gpsComputer;
         i.Format = TGPResultOutputFormat::gpofHTML;
         i.FileName = "C:\\My Reports\\r.html";
         i.F = true;
       }),
       "GPRESULT /SCOPE COMPUTER /H \"C:\\My Reports\\r.html\" /F",
       "Display the Resultant Set of Policy (RSoP) for local PC"},
      // The computer's scope never names a user; GPRESULT has no output switches.
      {Make<TGPResultItem>([](auto& i) {
         i.System = "PC1";
         i.User = "admin";
         i.NoHeader = i.Verbose = true;
         i.OutputFormat = F::ofCSV;
         i.SCOPE = TGPResultScope::gpsComputer;
         i.ScopeUser = "john";
         i.GPResultVerboseMode = TGPResultVerboseMode::gpvZ;
       }),
       "GPRESULT /S PC1 /U admin /SCOPE COMPUTER /Z",
       "Display the Resultant Set of Policy (RSoP) for remote PC \"PC1\""},
      {Make<TGPResultItem>([](auto& i) {
         i.ScopeUser = "john doe";
         i.GPResultVerboseMode = TGPResultVerboseMode::gpvV;
         i.Format = TGPResultOutputFormat::gpofXML;
         i.FileName = "r.xml";
       }),
       "GPRESULT /SCOPE USER /USER \"john doe\" /V /X r.xml",
       "Display the Resultant Set of Policy (RSoP) for user john doe"},
      {Make<TGPResultItem>([](auto& i) { i.GPResultVerboseMode = TGPResultVerboseMode::gpvR; }),
       "GPRESULT /SCOPE USER /R", "Display the Resultant Set of Policy (RSoP) for <u>unknown</u> user"},
      // A report file without a name leaves its blank.
      {Make<TGPResultItem>([](auto& i) { i.Format = TGPResultOutputFormat::gpofXML; }),
       "GPRESULT /SCOPE USER /X ", "Display the Resultant Set of Policy (RSoP) for <u>unknown</u> user"},

      // OPENFILES /Query
      {Make<TOpenFilesQueryItem>([](auto&) {}), "OPENFILES /Query /FO TABLE",
       "Display a list of files and folders that have been remotely opened on local system"},
      {Make<TOpenFilesQueryItem>([](auto& i) {
         i.System = "srv";
         i.User = "me";
         i.NoHeader = i.Verbose = true;
         i.OutputFormat = F::ofCSV;
       }),
       "OPENFILES /Query /S srv /U me /NH /FO CSV /V",
       "Display a list of files and folders that have been remotely opened on srv"},

      // OPENFILES /Disconnect: the user's quotes go, values with blanks are quoted.
      {Make<TOpenFilesDisconnectItem>([](auto&) {}), "OPENFILES /Disconnect",
       "Disconnect files and folders that have been opened remotely through a shared folder"},
      {Make<TOpenFilesDisconnectItem>([](auto& i) { i.ID = "\"12\""; }), "OPENFILES /Disconnect /ID 12",
       "Disconnect files and folders that have been opened remotely through a shared folder"},
      {Make<TOpenFilesDisconnectItem>([](auto& i) {
         i.System = "srv";
         i.NoHeader = i.Verbose = true;
         i.A = "john doe";
         i.O = TOpenFilesOpenMode::omReadWrite;
         i.OP = "\"C:\\My Files\\a.doc\"";
       }),
       "OPENFILES /Disconnect /S srv /A \"john doe\" /O Read/Write /OP \"C:\\My Files\\a.doc\"",
       "Disconnect files and folders that have been opened remotely through a shared folder"},
      {Make<TOpenFilesDisconnectItem>([](auto& i) { i.O = TOpenFilesOpenMode::omRead; }),
       "OPENFILES /Disconnect /O Read",
       "Disconnect files and folders that have been opened remotely through a shared folder"},
      {Make<TOpenFilesDisconnectItem>([](auto& i) { i.O = TOpenFilesOpenMode::omWrite; }),
       "OPENFILES /Disconnect /O Write",
       "Disconnect files and folders that have been opened remotely through a shared folder"},

      // OPENFILES /Local takes none of the remote switches.
      {Make<TOpenFilesLocalItem>([](auto&) {}), "OPENFILES /Local OFF",
       "Disable tracking of local file handlers"},
      {Make<TOpenFilesLocalItem>([](auto& i) {
         i.OnOff = true;
         i.System = "srv";
       }),
       "OPENFILES /Local ON", "Enable tracking of local file handlers"},
  });
}

// A password reaches the tool as typed: a lone "%" is doubled for the batch file, while
// the user's own "%%" and a %NAME% reference stay (the batch file expands the reference),
// and a password with a blank is quoted.
TEST(RemoteQueryItems, PasswordsKeepTheirPercentSigns) {
  const struct {
    const char* password;
    const char* written;
  } cases[] = {
      {"50%off", "50%%off"},
      {"a%%b", "a%%b"},
      {"%PW%", "%PW%"},
      {"%1x", "%%1x"},
      {"%AF%", "%%AF%%"},
      {"my pass%", "\"my pass%%\""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.password);
    TDriverQueryItem driverQuery;
    TGPResultItem gpResult;
    TOpenFilesQueryItem query;
    TOpenFilesDisconnectItem disconnect;
    for (TCustomSUPItem* item : std::initializer_list<TCustomSUPItem*>{&driverQuery, &gpResult, &query, &disconnect}) {
      item->System = "PC1";
      item->User = "admin";
      item->Password = c.password;
    }
    const std::string switches = std::string(" /S PC1 /U admin /P ") + c.written;
    EXPECT_EQ(driverQuery.GetBatchText(), "DRIVERQUERY" + switches + " /FO TABLE");
    EXPECT_EQ(gpResult.GetBatchText(), "GPRESULT" + switches + " /SCOPE USER /R");
    EXPECT_EQ(query.GetBatchText(), "OPENFILES /Query" + switches + " /FO TABLE");
    EXPECT_EQ(disconnect.GetBatchText(), "OPENFILES /Disconnect" + switches);
  }
}

}  // namespace
}  // namespace palvetta
