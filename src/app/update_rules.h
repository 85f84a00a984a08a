#pragma once
// The rules of the update check that need no network: where the program asks, what
// answer it believes, how versions compare, what the installer is called, what the
// signature check's result means and what the update dialog says while it downloads.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "gui/settings_store.h"

namespace palvetta {

// Where updates come from and who must have signed them. The shipped program has one
// fixed record (ShippedUpdateConfig); tests pass their own.
struct TUpdateConfig {
  std::string SiteAddress;          // scheme and host, no final "/": "https://host"
  std::string PublisherThumbprint;  // SHA-1 of the publisher's certificate, 40 hex digits
  int QueryTimeoutMs = 15000;       // connecting and waiting for the answer, each
  int DownloadConnectTimeoutMs = 30000;
  int DownloadResponseTimeoutMs = 60000;
};

const TUpdateConfig& ShippedUpdateConfig();

inline constexpr std::string_view kAppKey = "5817";
inline constexpr std::string_view kUpdateUserAgent =
    "Mozilla/5.0 (Windows NT 10.0; Win64; x64) AppleWebKit/537.36 (KHTML, like Gecko) "
    "Chrome/120.0.0.0 Safari/537.36";

std::string UpdateServiceURL(const TUpdateConfig& config);  // site + "/updchk/updchk.php"
std::string VersionHistoryURL(const TUpdateConfig& config);  // site + "/releases.php"
std::string DownloadURLFor(const TUpdateConfig& config, std::string_view version);
// The host part of the site's address ("www.example.org"), for messages.
std::string SiteHostName(const TUpdateConfig& config);
std::string InstallerNameFor(std::string_view version);  // "Palvetta_Setup_v2.8.exe"
std::string DownloadZipNameFor(std::string_view version);  // "update_2.8.zip"

// Percent-encodes every byte but the unreserved characters A-Z a-z 0-9 - . _ ~.
std::string UrlEncode(std::string_view text);
// The service's address with APPKEY, and v and id when they are not empty.
std::string UpdateQueryURL(std::string_view serviceURL, std::string_view appKey,
                           std::string_view version, std::string_view installId);

// One to four groups of digits separated by dots, and nothing else. The server's answer
// goes into a download address, a file name in TEMP and the installer's name, so
// anything looser could lead outside TEMP.
bool IsValidVersionText(std::string_view text);
// The latest version from the service's answer: status 200 and a trimmed body that is a
// version text (a body beginning "ERROR", empty or anything else is no answer).
std::optional<std::string> LatestVersionFromAnswer(int status, std::string_view body);

// -1 when a is older than b, 1 when newer, 0 when equal. Parts are split at every dot and
// compared as numbers; a missing part or one that is not a number counts 0.
int CompareVersions(std::string_view a, std::string_view b);

// The installation id: a GUID's 36 characters without braces, hexadecimal digits of
// either case with dashes at the 9th, 14th, 19th and 24th character.
bool IsValidInstallID(std::string_view text);
// The stored id (section "UpdateCheck", value "InstallID"), trimmed and lower-cased. One
// that is not valid is replaced by a new one from newGuidText ("{...}" or bare), written
// and used only when it reads back the same; otherwise, or when the store fails, empty.
// Calls are serialized by one process-wide lock.
std::string GetInstallID(TSettingsStore& store, const std::function<std::string()>& newGuidText);

// The update dialog's status while downloading: the percent rounded half to even when the
// total is known, else the megabytes received.
int DownloadPercent(int64_t received, int64_t total);
std::string DownloadProgressText(int64_t received, int64_t total);

// What the system's trust check of a downloaded installer means.
namespace trust_result {
inline constexpr uint32_t kTrusted = 0;
inline constexpr uint32_t kNoSignature = 0x800B0100;
inline constexpr uint32_t kUntrustedRoot = 0x800B0109;
inline constexpr uint32_t kIncompleteChain = 0x800B010A;
inline constexpr uint32_t kBadDigest = 0x80096010;
}  // namespace trust_result

struct TSignatureVerdict {
  bool Accepted = false;
  std::string Reason;  // ends the sentence "The downloaded update was not run, because "
};
// The trust check's result and the first signer's certificate hash (40 hex digits, empty
// when there is none) against the publisher's thumbprint. A chain that ends at a root
// this machine does not trust is accepted when the signer is the pinned publisher.
TSignatureVerdict JudgeSignature(uint32_t result, std::string_view signerHash,
                                 std::string_view publisherThumbprint);
std::string SignatureFailureMessage(std::string_view reason, std::string_view hostName);

// The About box's version: "Version " and the three-part version without a final ".0".
std::string AboutVersionText(std::string_view threePartVersion);
// The system's product name; Windows 11 still calls itself Windows 10 there, so a build
// above 21999 of major version 10 has its first "Windows 10" replaced by "Windows 11".
std::string WindowsProductName(std::string_view reportedName, unsigned majorVersion,
                               unsigned buildNumber);

}  // namespace palvetta
