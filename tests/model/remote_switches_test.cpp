#include "model/remote_switches.h"

#include <gtest/gtest.h>

#include <string>

namespace palvetta {
namespace {

TEST(RemoteSystemSwitches, UserOnlyWithSystemPasswordOnlyWithUser) {
  struct Case {
    const char* system;
    const char* user;
    const char* password;
    const char* switches;
  };
  const Case cases[] = {
      {"srv", "me", "pw", " /S srv /U me /P pw"},
      {"", "me", "pw", ""},
      {"  ", "me", "pw", ""},
      {"srv", "", "pw", " /S srv"},
      {"srv", "me", "", " /S srv /U me"},
      // A password reaches the tool as typed: a lone "%" is doubled, references stay,
      // and a character that would start a second command is quoted.
      {"srv", "me", "50%off", " /S srv /U me /P 50%%off"},
      {"srv", "me", "%PW%", " /S srv /U me /P %PW%"},
      {"srv", "me", "a&b", " /S srv /U me /P \"a&b\""},
      {"srv", "DOM\\Jane Doe", "x", " /S srv /U \"DOM\\Jane Doe\" /P x"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.system) + "|" + c.user + "|" + c.password);
    EXPECT_EQ(RemoteSystemSwitches(c.system, c.user, c.password), c.switches);
  }
}

TEST(HeaderAndFormatSwitches, NoHeaderIsNeverWrittenWithList) {
  EXPECT_EQ(HeaderAndFormatSwitches(false, TOutputFormat::ofTable), " /FO TABLE");
  EXPECT_EQ(HeaderAndFormatSwitches(true, TOutputFormat::ofCSV), " /NH /FO CSV");
  EXPECT_EQ(HeaderAndFormatSwitches(true, TOutputFormat::ofList), " /FO LIST");
}

}  // namespace
}  // namespace palvetta
