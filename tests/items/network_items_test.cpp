#include "items/network/network_items.h"

#include <gtest/gtest.h>

#include "base/code_page.h"
#include "items/network/url_file_name.h"
#include "support/item_texts.h"

namespace palvetta {
namespace {

using testing::ExpectBatchTexts;
using testing::ExpectTexts;
using testing::Make;

TEST(NetworkItems, PingListOfPCsIPConfigNetStatTexts) {
  ExpectTexts({
      {Make<TPingItem>([](auto&) {}), "PING ", "Ping <u>unknown</u> host"},
      {Make<TPingItem>([](auto& i) { i.Host = "127.0.0.1"; }), "PING 127.0.0.1", "Ping 127.0.0.1"},

      {Make<TCreateAListOfPCSItem>([](auto&) {}),
       "REM Create list of PCs in the network and save to \r\n"
       "for /f \"usebackq delims= \" %%i in (`net view ^| find \"\\\\\"`) do echo %%i>>\"\"",
       "Create a list of PCs in current network and save to <u>unknown</u> file"},
      {Make<TCreateAListOfPCSItem>([](auto& i) {
         i.FileName = "C:\\My Lists\\pcs.txt";
         i.Overwrite = true;
       }),
       "REM Create list of PCs in the network and save to C:\\My Lists\\pcs.txt\r\n"
       "IF EXIST \"C:\\My Lists\\pcs.txt\" DEL \"C:\\My Lists\\pcs.txt\"\r\n"
       "for /f \"usebackq delims= \" %%i in (`net view ^| find \"\\\\\"`) do echo %%i>>\"C:\\My "
       "Lists\\pcs.txt\"",
       "Create a list of PCs in current network and save to C:\\My Lists\\pcs.txt"},

      {Make<TIPConfigItem>([](auto&) {}), "ipconfig /all", "Display full IP configuration information"},
      {Make<TIPConfigItem>([](auto& i) {
         i.AllCompartments = true;
         i.Mode = TIPConfigMode::ipcmRelease;
       }),
       "ipconfig /allcompartments /release ", "Release the IPv4 address for <u>unknown</u> adapter"},
      {Make<TIPConfigItem>([](auto& i) {
         i.Mode = TIPConfigMode::ipcmRenew;
         i.IPVer = TIPVer::ipv6;
         i.Adapter = "Ethernet";
       }),
       "ipconfig /renew6 Ethernet", "Renew the IPv6 address for adapter \"Ethernet\""},
      {Make<TIPConfigItem>([](auto& i) {
         i.Mode = TIPConfigMode::ipcmRelease;
         i.IPVer = TIPVer::ipv6;
         i.Adapter = "Local Area";
       }),
       "ipconfig /release6 \"Local Area\"", "Release the IPv6 address for adapter \"Local Area\""},
      {Make<TIPConfigItem>([](auto& i) {
         i.Mode = TIPConfigMode::ipcmFlushDNS;
         i.Adapter = "ignored";
       }),
       "ipconfig /flushdns", "Purge the DNS Resolver cache"},
      {Make<TIPConfigItem>([](auto& i) { i.Mode = TIPConfigMode::ipcmRegisterDNS; }),
       "ipconfig /registerdns", "Refresh all DHCP leases and re-register DNS names"},
      {Make<TIPConfigItem>([](auto& i) { i.Mode = TIPConfigMode::ipcmDisplayDNS; }),
       "ipconfig /displaydns", "Display the contents of the DNS Resolver Cache"},
      {Make<TIPConfigItem>([](auto& i) {
         i.Mode = TIPConfigMode::ipcmShowClassID;
         i.Adapter = "Wi-Fi";
       }),
       "ipconfig /showclassid Wi-Fi", "Display all the dhcp class IDs allowed for adapter \"Wi-Fi\""},
      {Make<TIPConfigItem>([](auto& i) {
         i.Mode = TIPConfigMode::ipcmShowClassID;
         i.IPVer = TIPVer::ipv6;
       }),
       "ipconfig /showclassid6 ", "Display all the IPv6 DHCP class IDs allowed for <u>unknown</u> adapter"},
      {Make<TIPConfigItem>([](auto& i) {
         i.Mode = TIPConfigMode::ipcmSetClassID;
         i.IPVer = TIPVer::ipv6;
         i.Adapter = "Local Area";
         i.ClassID = "X";
       }),
       "ipconfig /setclassid6 \"Local Area\" X", "Modify the IPv6 DHCP class ID for adapter \"Local Area\""},
      {Make<TIPConfigItem>([](auto& i) {
         i.Mode = TIPConfigMode::ipcmSetClassID;
         i.Adapter = "Eth";
       }),
       "ipconfig /setclassid Eth ", "Modify the dhcp class ID for adapter \"Eth\""},

      {Make<TNetStatItem>([](auto&) {}), "netstat",
       "Display protocol statistics and current TCP/IP network connections"},
      {Make<TNetStatItem>([](auto& i) {
         i.All = i.Exe = i.EthernetStats = i.FQDN = i.Numerical = i.OwnerID = true;
         i.ConnectionsByProto = true;
         i.ConnProto = TNetstatProtocol::npUDPv6;
         i.Routing = i.OffloadState = i.Redisplay = true;
         i.Interval = 5;
       }),
       "netstat /a /b /e /f /n /o -p UDPv6 /r /t 5",
       "Display protocol statistics and current TCP/IP network connections"},
      // The statistics' protocol wins: NETSTAT takes one -p.
      {Make<TNetStatItem>([](auto& i) {
         i.StatsByProto = true;
         i.StatsProto = TNetstatProtocol::npIP;
         i.ConnectionsByProto = true;
         i.ConnProto = TNetstatProtocol::npTCP;
       }),
       "netstat -p IP /s", "Display protocol statistics and current TCP/IP network connections"},
      // Statistics of all protocols: no -p, and the connections' protocol is not taken.
      {Make<TNetStatItem>([](auto& i) {
         i.StatsByProto = true;
         i.ConnectionsByProto = true;
         i.ConnProto = TNetstatProtocol::npTCP;
       }),
       "netstat /s", "Display protocol statistics and current TCP/IP network connections"},
      {Make<TNetStatItem>([](auto& i) { i.ConnProto = TNetstatProtocol::npICMPv6; }), "netstat",
       "Display protocol statistics and current TCP/IP network connections"},
      {Make<TNetStatItem>([](auto& i) {
         i.StatsByProto = true;
         i.StatsProto = TNetstatProtocol::npICMPv6;
       }),
       "netstat -p ICMPv6 /s", "Display protocol statistics and current TCP/IP network connections"},
  });
}

TEST(NetworkItems, CurlTexts) {
  ExpectTexts({
      {Make<TFTPUploadItem>([](auto&) {}), "curl.exe -T \"\" \"ftp:///\"",
       "Upload via FTP <u>unknown file </u> to <u>unknown host </u>"},
      // The scheme the user typed and the slashes around the folder go; a blank in the
      // folder becomes %20, doubled for the batch file, as is a "%" of the local file.
      {Make<TFTPUploadItem>([](auto& i) {
         i.Host = "ftp://srv/";
         i.Dir = "\\in box\\";
         i.FileName = "C:\\a.txt";
       }),
       "curl.exe -T \"C:\\a.txt\" \"ftp://srv/in%%20box/\"", "Upload via FTP C:\\a.txt to ftp://srv/"},
      {Make<TFTPUploadItem>([](auto& i) {
         i.Host = " FTP://srv// ";
         i.Dir = "//a\\b c//";
         i.FileName = " \"C:\\100% done.txt\" ";
         i.User = "bob";
         i.Password = "p%ss";
       }),
       "curl.exe -T \"C:\\100%% done.txt\" \"ftp://srv/a/b%%20c/\" --user \"bob:p%%ss\"",
       "Upload via FTP  \"C:\\100% done.txt\"  to  FTP://srv// "},
      // Only "ftp://" is taken off the host; another scheme stays part of it.
      {Make<TFTPUploadItem>([](auto& i) {
         i.Host = "ftps://srv";
         i.FileName = "a.txt";
       }),
       "curl.exe -T \"a.txt\" \"ftp://ftps://srv/\"", "Upload via FTP a.txt to ftps://srv"},
      // A password without a user is not written; an empty password keeps the colon; a
      // variable in the folder or the credentials is expanded by the batch file.
      {Make<TFTPUploadItem>([](auto& i) {
         i.Host = "srv";
         i.Password = "secret";
         i.FileName = "a.txt";
       }),
       "curl.exe -T \"a.txt\" \"ftp://srv/\"", "Upload via FTP a.txt to srv"},
      {Make<TFTPUploadItem>([](auto& i) {
         i.Host = "srv";
         i.Dir = "%DIR%";
         i.User = "%FTPUSER%";
         i.FileName = "a.txt";
       }),
       "curl.exe -T \"a.txt\" \"ftp://srv/%DIR%/\" --user \"%FTPUSER%:\"", "Upload via FTP a.txt to srv"},

      {Make<TDownloadFileItem>([](auto&) {}), "REM Download a file: no URL given",
       "Download file from <u>unknown URL</u>  and save to <u>current folder</u>"},
      {Make<TDownloadFileItem>([](auto& i) {
         i.URL = "ftp://h/x%20y.zip";
         i.SaveToPath = "C:\\Temp";
       }),
       "curl.exe -L -f --create-dirs -o \"C:\\Temp\\x y.zip\" \"ftp://h/x%%20y.zip\"",
       "Download file from ftp://h/x%20y.zip  and save to C:\\Temp"},
      {Make<TDownloadFileItem>([](auto& i) {
         i.URL = " https://h/get?id=1 ";
         i.SaveToPath = "\"D:\\in\\\"";
       }),
       "curl.exe -L -f --create-dirs -o \"D:\\in\\get\" \"https://h/get?id=1\"",
       "Download file from  https://h/get?id=1   and save to \"D:\\in\\\""},
      // A decoded "%" is part of the file name and stays one; a name with a variable is
      // not decoded, and the batch file expands the variable.
      {Make<TDownloadFileItem>([](auto& i) { i.URL = "http://h/a%25PATH%25b.txt"; }),
       "curl.exe -L -f --create-dirs -o \"a%%PATH%%b.txt\" \"http://h/a%%25PATH%%25b.txt\"",
       "Download file from http://h/a%25PATH%25b.txt  and save to <u>current folder</u>"},
      {Make<TDownloadFileItem>([](auto& i) {
         i.URL = "http://h/%NAME%.zip";
         i.SaveToPath = "out/";
       }),
       "curl.exe -L -f --create-dirs -o \"out/%NAME%.zip\" \"http://h/%NAME%.zip\"",
       "Download file from http://h/%NAME%.zip  and save to out/"},
      {Make<TDownloadFileItem>([](auto& i) { i.URL = "http://h/"; }),
       "curl.exe -L -f --create-dirs -o \"download\" \"http://h/\"",
       "Download file from http://h/  and save to <u>current folder</u>"},
  });
}

// FileNameFromURL with Windows-1252 as the ANSI code page (the host's and Wine's).
// A value can neither end the quotes around it, nor start a command or a line: a host is
// quoted where it needs quotes, a path cannot hold a double quote, a URL holds it as %22,
// and a password keeps it as one argument.
TEST(NetworkItems, HostileValuesStayOneArgumentOnOneLine) {
  ExpectBatchTexts({
      {Make<TPingItem>([](auto& i) { i.Host = "h & ECHO INJ>canary"; }),
       "PING \"h & ECHO INJ>canary\""},
      {Make<TPingItem>([](auto& i) { i.Host = "h\" & \"x\r\nECHO y%~"; }), "PING \"h & x ECHO y%%~\""},
      {Make<TIPConfigItem>([](auto& i) {
         i.Mode = TIPConfigMode::ipcmSetClassID;
         i.Adapter = "LAN";
         i.ClassID = "c)&x";
       }),
       "ipconfig /setclassid LAN \"c)&x\""},
      {Make<TCreateAListOfPCSItem>([](auto& i) { i.FileName = "a\" & ECHO INJ & \"b%~"; }),
       "REM Create list of PCs in the network and save to a\" & ECHO INJ & \"b%%~\r\n"
       "for /f \"usebackq delims= \" %%i in (`net view ^| find \"\\\\\"`) do echo %%i>>"
       "\"a & ECHO INJ & b%%~\""},
      {Make<TDownloadFileItem>([](auto& i) {
         i.URL = "http://h/a\"&b\r\n.zip";
         i.SaveToPath = "C:\\in\r\nECHO INJ\" & \"x";
       }),
       "curl.exe -L -f --create-dirs -o \"C:\\in ECHO INJ & x\\a_&b .zip\" "
       "\"http://h/a%%22&b .zip\""},
      {Make<TFTPUploadItem>([](auto& i) {
         i.Host = "srv\"&x";
         i.FileName = "C:\\a\".txt";
         i.User = "u";
         i.Password = "p\"&x";
       }),
       "curl.exe -T \"C:\\a.txt\" \"ftp://srv%%22&x/\" --user ^\"u:p\\^\"^&x^\""},
      {Make<TFTPUploadItem>([](auto& i) {
         i.Host = "srv";
         i.User = "u\"";
         i.Password = "\"&x";
       }),
       "curl.exe -T \"\" \"ftp://srv/\" --user \"u\\\":\\\"&x\""},
  });
}

TEST(NetworkItems, FileNameFromURL) {
  const struct {
    const char* url;
    const char* name;
  } cases[] = {
      {"ftp://h/dir/My%20File.zip?x=1#top", "My File.zip"},
      {"ftp://h/dir/", "download"},
      {"ftp://h", "download"},
      {"", "download"},
      {"no-slash.zip", "download"},
      {"ftp://h/%NAME%.zip", "%NAME%.zip"},
      {"ftp://h/%NAME%%20x.zip", "%NAME%%20x.zip"},
      {"ftp://h/a%3Ab.txt", "a_b.txt"},
      {"ftp://h/caf%C3%A9.txt", "caf\xC3\xA9.txt"},
      {"ftp://h/a#b/c.txt", "a"},
      {"ftp://h/x?y/z.txt", "x"},
      {" http://h/a/%20b%20 ", "b"},
      // "%AF%" is a URL escape, not a variable (both are hex digits), and decodes.
      {"http://h/%41F%42", "AFB"},
      {"http://h/%4", "%4"},
      {"http://h/100%", "100%"},
      // Characters a file name cannot hold.
      {"http://h/a%22b%2Ac%3Cd%3Ee%3Ff%5Cg%7Ch%09i", "a_b_c_d_e_f_g_h_i"},
      {"http://h/a%2Fb", "a_b"},
      // "." and ".." would name the folder itself or the one above it.
      {"http://h/.", "download"},
      {"http://h/..", "download"},
      {"http://h/%2E%2E", "download"},
      {"http://h/...x", "...x"},
      // A character the ANSI code page lacks, or bytes that are no UTF-8, would reach
      // curl.exe as "?", a wildcard to its -o: each becomes "_".
      {"http://h/%CE%A9mega.txt", "_mega.txt"},
      {"http://h/%E2%82%AC.txt", "\xE2\x82\xAC.txt"},
      {"http://h/a%FFb.txt", "a_b.txt"},
      {"http://h/a%C3.txt", "a_.txt"},
      {"http://h/\xCE\xA9.txt", "_.txt"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.url);
    EXPECT_EQ(FileNameFromURL(c.url, Windows1252()), c.name);
  }
}

}  // namespace
}  // namespace palvetta
