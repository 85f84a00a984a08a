#include "app/update_rules.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "base/text.h"

namespace palvetta {
namespace {

TEST(UpdateRulesTest, CompareVersions) {
  const struct {
    const char* a;
    const char* b;
    int expected;
  } cases[] = {
      {"2.7", "2.7.0", 0},    {"2.7.0", "2.7", 0},   {"2.10", "2.9", 1},  {"2.9", "2.10", -1},
      {"2.x", "2.0", 0},      {"2.7.1", "2.7", 1},   {"2.7", "2.7.0.1", -1}, {"", "0", 0},
      {"3", "2.99.99", 1},    {"1..2", "1.0.2", 0},  {"2.8", " 2.8", 1},  {"2.-1", "2", -1},
      {"99999999999999999999", "0", 0},  // too large to be a number
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.a) + " vs " + c.b);
    EXPECT_EQ(CompareVersions(c.a, c.b), c.expected);
  }
}

TEST(UpdateRulesTest, IsValidInstallID) {
  const struct {
    const char* text;
    bool valid;
  } cases[] = {
      {"0f8fad5b-d9cb-469f-a165-70867728950e", true},
      {"0F8FAD5B-D9CB-469F-A165-70867728950E", true},
      {"{0f8fad5b-d9cb-469f-a165-70867728950e}", false},
      {"0f8fad5b-d9cb-469f-a165-70867728950", false},
      {"0f8fad5b-d9cb-469f-a165-70867728950e0", false},
      {"0f8fad5bd-9cb-469f-a165-70867728950e", false},
      {"0f8fad5b-d9cb-469f-a165-70867728950g", false},
      {"0f8fad5b-d9cb-469f-a165_70867728950e", false},
      {"", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(IsValidInstallID(c.text), c.valid);
  }
}

TEST(UpdateRulesTest, OnlyPlainVersionTextsAreAnswers) {
  const struct {
    int status;
    const char* body;
    const char* expected;  // nullptr: no answer
  } cases[] = {
      {200, " 2.8\r\n", "2.8"},
      {200, "\t2.8.1.4 \n", "2.8.1.4"},
      {200, "3", "3"},
      {200, "", nullptr},
      {200, " \r\n", nullptr},
      {200, "ERROR x", nullptr},
      {200, "ERRORS", nullptr},
      {404, "2.8", nullptr},
      {500, "2.8", nullptr},
      {200, "2.8.1.4.5", nullptr},
      {200, "../2.8", nullptr},
      {200, "2.8/../../x", nullptr},
      {200, "2..8", nullptr},
      {200, ".2", nullptr},
      {200, "2.", nullptr},
      {200, "2.8 beta", nullptr},
      {200, "v2.8", nullptr},
      {200, "2.8\\x", nullptr},
      {200, "error 2.8", nullptr},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.status) + " [" + c.body + "]");
    const auto answer = LatestVersionFromAnswer(c.status, c.body);
    if (c.expected) {
      ASSERT_TRUE(answer.has_value());
      EXPECT_EQ(*answer, c.expected);
    } else {
      EXPECT_FALSE(answer.has_value()) << *answer;
    }
  }
}

TEST(UpdateRulesTest, QueryAddressCarriesKeyVersionAndIdEncoded) {
  const struct {
    const char* version;
    const char* id;
    const char* expected;
  } cases[] = {
      {"2.7.0", "0f8fad5b-d9cb-469f-a165-70867728950e",
       "http://h/updchk/updchk.php?APPKEY=5817&v=2.7.0&id=0f8fad5b-d9cb-469f-a165-70867728950e"},
      {"", "", "http://h/updchk/updchk.php?APPKEY=5817"},
      {"2.7", "", "http://h/updchk/updchk.php?APPKEY=5817&v=2.7"},
      {"", "ab", "http://h/updchk/updchk.php?APPKEY=5817&id=ab"},
      {"1 2&x=y", "a/b?c~_", "http://h/updchk/updchk.php?APPKEY=5817&v=1%202%26x%3Dy&id=a%2Fb%3Fc~_"},
      {"\xc3\xa4", "", "http://h/updchk/updchk.php?APPKEY=5817&v=%C3%A4"},
  };
  const TUpdateConfig config{"http://h", ""};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.expected);
    EXPECT_EQ(UpdateQueryURL(UpdateServiceURL(config), kAppKey, c.version, c.id), c.expected);
  }
}

TEST(UpdateRulesTest, AddressesAndNamesOfTheSite) {
  const TUpdateConfig config{"https://www.example.org", ""};
  EXPECT_EQ(UpdateServiceURL(config), "https://www.example.org/updchk/updchk.php");
  EXPECT_EQ(VersionHistoryURL(config), "https://www.example.org/releases.php");
  EXPECT_EQ(DownloadURLFor(config, "2.8"), "https://www.example.org/files/Palvetta_Setup_v2.8.zip");
  EXPECT_EQ(InstallerNameFor("2.8"), "Palvetta_Setup_v2.8.exe");
  EXPECT_EQ(DownloadZipNameFor("2.8"), "update_2.8.zip");
  const struct {
    const char* site;
    const char* host;
  } hosts[] = {{"https://www.example.org", "www.example.org"},
               {"http://127.0.0.1:8080", "127.0.0.1"},
               {"http://user@h.example/base", "h.example"},
               {"h.example", "h.example"}};
  for (const auto& h : hosts) EXPECT_EQ(SiteHostName({h.site, ""}), h.host) << h.site;
  EXPECT_FALSE(SiteHostName(ShippedUpdateConfig()).empty());
  EXPECT_EQ(ShippedUpdateConfig().PublisherThumbprint.size(), 40u);
}

TEST(UpdateRulesTest, ProgressTexts) {
  const struct {
    int64_t received;
    int64_t total;
    const char* text;
  } cases[] = {
      {0, 1000, "Downloading update... 0%"},
      {5, 1000, "Downloading update... 0%"},     // 0.5 → 0 (even)
      {15, 1000, "Downloading update... 2%"},    // 1.5 → 2 (even)
      {25, 1000, "Downloading update... 2%"},    // 2.5 → 2
      {26, 1000, "Downloading update... 3%"},
      {995, 1000, "Downloading update... 100%"},  // 99.5 → 100
      {1000, 1000, "Downloading update... 100%"},
      {1, 3, "Downloading update... 33%"},
      {2, 3, "Downloading update... 67%"},
      {int64_t{1} << 62, (int64_t{1} << 62) + 1, "Downloading update... 100%"},
      {0, 0, "Downloading update... 0.0 MB"},
      {1048576, -1, "Downloading update... 1.0 MB"},
      {1572864, 0, "Downloading update... 1.5 MB"},
      {100000, 0, "Downloading update... 0.1 MB"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(DownloadProgressText(c.received, c.total), c.text);
  }
  EXPECT_EQ(DownloadPercent(5, 10), 50);
  EXPECT_EQ(DownloadPercent(35, 1000), 4);  // 3.5 → 4
}

TEST(UpdateRulesTest, SignatureVerdicts) {
  using namespace trust_result;
  const std::string publisher = "00112233445566778899AABBCCDDEEFF00112233";
  const std::string lowerPublisher = "00112233445566778899aabbccddeeff00112233";
  const std::string other = "FFFF2233445566778899AABBCCDDEEFF00112233";
  const struct {
    uint32_t result;
    std::string hash;
    bool accepted;
    const char* reason;
  } cases[] = {
      {kTrusted, publisher, true, ""},
      {kUntrustedRoot, lowerPublisher, true, ""},
      {kIncompleteChain, publisher, true, ""},
      {kTrusted, other, false, "it is not signed by the publisher of Palvetta."},
      {kUntrustedRoot, "", false, "it is not signed by the publisher of Palvetta."},
      {kNoSignature, "", false, "it is not signed."},
      {kNoSignature, publisher, false, "it has been changed since it was signed."},
      {kBadDigest, publisher, false, "it has been changed since it was signed."},
      {0x800B0101, publisher, false, "its signature could not be checked (error 0x800B0101)."},
      {0x80092026, "", false, "its signature could not be checked (error 0x80092026)."},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.result);
    const TSignatureVerdict verdict = JudgeSignature(c.result, c.hash, publisher);
    EXPECT_EQ(verdict.Accepted, c.accepted);
    EXPECT_EQ(verdict.Reason, c.reason);
  }
  // An empty thumbprint in the configuration accepts no one.
  EXPECT_FALSE(JudgeSignature(kTrusted, "", "").Accepted);
  EXPECT_EQ(SignatureFailureMessage("it is not signed.", "h.example"),
            "The downloaded update was not run, because it is not signed.\r\n\r\n"
            "It has been deleted. Please download Palvetta from h.example instead.");
}

TEST(UpdateRulesTest, InstallIdIsKeptLowerCasedAndReplacedWhenInvalid) {
  const std::string fresh = "{AAAAAAAA-BBBB-CCCC-DDDD-EEEEEEEEEEEE}";
  const auto newGuid = [&] { return fresh; };
  const struct {
    const char* stored;  // nullptr: none
    const char* expected;
  } cases[] = {
      {nullptr, "aaaaaaaa-bbbb-cccc-dddd-eeeeeeeeeeee"},
      {"0F8FAD5B-D9CB-469F-A165-70867728950E", "0f8fad5b-d9cb-469f-a165-70867728950e"},
      {" 0f8fad5b-d9cb-469f-a165-70867728950e\r\n", "0f8fad5b-d9cb-469f-a165-70867728950e"},
      {"{0f8fad5b-d9cb-469f-a165-70867728950e}", "aaaaaaaa-bbbb-cccc-dddd-eeeeeeeeeeee"},
      {"junk", "aaaaaaaa-bbbb-cccc-dddd-eeeeeeeeeeee"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.stored ? c.stored : "(none)");
    TMemorySettingsStore store;
    if (c.stored) store.WriteString("UpdateCheck", "InstallID", c.stored);
    EXPECT_EQ(GetInstallID(store, newGuid), c.expected);
    // A new id is stored; a valid stored one is left as it was.
    EXPECT_EQ(*store.RawValue("UpdateCheck", "InstallID"),
              IsValidInstallID(Trim(c.stored ? c.stored : "")) ? c.stored : c.expected);
  }
}

TEST(UpdateRulesTest, InstallIdIsEmptyWhenTheStoreFails) {
  const auto newGuid = [] { return std::string("aaaaaaaa-bbbb-cccc-dddd-eeeeeeeeeeee"); };
  TMemorySettingsStore failingWrites;
  failingWrites.FailWrites = true;
  EXPECT_EQ(GetInstallID(failingWrites, newGuid), "");
  TMemorySettingsStore failingReads;
  failingReads.FailReads = true;  // the read-back differs from what was written
  EXPECT_EQ(GetInstallID(failingReads, newGuid), "");
  TMemorySettingsStore store;
  EXPECT_EQ(GetInstallID(store, [] { return std::string("not a guid"); }), "");
  EXPECT_EQ(GetInstallID(store, []() -> std::string { throw std::runtime_error("no GUID"); }), "");
}

TEST(UpdateRulesTest, AboutBoxTexts) {
  const struct {
    const char* version;
    const char* text;
  } versions[] = {{"2.7.0", "Version 2.7"}, {"2.7.1", "Version 2.7.1"}, {"2.0.0", "Version 2.0"},
                  {"2.10", "Version 2.10"}};
  for (const auto& v : versions) EXPECT_EQ(AboutVersionText(v.version), v.text);
  const struct {
    const char* name;
    unsigned major;
    unsigned build;
    const char* shown;
  } names[] = {
      {"Windows 10 Pro", 10, 22000, "Windows 11 Pro"},
      {"Windows 10 Pro", 10, 21999, "Windows 10 Pro"},
      {"Windows 10 Pro", 6, 22000, "Windows 10 Pro"},
      {"Microsoft Windows 10 Home Windows 10", 10, 22631, "Microsoft Windows 11 Home Windows 10"},
      {"Windows 7 Professional", 6, 7601, "Windows 7 Professional"},
  };
  for (const auto& n : names) {
    EXPECT_EQ(WindowsProductName(n.name, n.major, n.build), n.shown) << n.name << " " << n.build;
  }
}

}  // namespace
}  // namespace palvetta
