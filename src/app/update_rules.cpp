#include "app/update_rules.h"

#include <charconv>
#include <cstdio>
#include <mutex>

#include "base/text.h"

namespace palvetta {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsHexDigit(char c) {
  return IsDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

std::string LowerAscii(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return lower;
}

// A version part as a number; anything that is not a whole number (or does not fit)
// counts 0.
long long PartValue(std::string_view part) {
  long long value = 0;
  const char* end = part.data() + part.size();
  if (!part.empty() && part.front() == '+') part.remove_prefix(1);
  const auto [stop, error] = std::from_chars(part.data(), end, value);
  if (part.empty() || error != std::errc() || stop != end) return 0;
  return value;
}

std::string_view PartAt(std::string_view text, std::size_t index) {
  std::size_t start = 0;
  for (std::size_t i = 0; i < index; ++i) {
    const std::size_t dot = text.find('.', start);
    if (dot == std::string_view::npos) return {};
    start = dot + 1;
  }
  const std::size_t dot = text.find('.', start);
  return text.substr(start, dot == std::string_view::npos ? std::string_view::npos : dot - start);
}

std::size_t PartCount(std::string_view text) {
  std::size_t count = 1;
  for (char c : text) count += c == '.';
  return count;
}

std::mutex& InstallIdLock() {
  static std::mutex lock;
  return lock;
}

constexpr std::string_view kInstallIdSection = "UpdateCheck";
constexpr std::string_view kInstallIdValue = "InstallID";

}  // namespace

const TUpdateConfig& ShippedUpdateConfig() {
  // The publisher's web site and the thumbprint of the certificate its installers are
  // signed with.
  static const TUpdateConfig config{
      "https://www.palvetta.example",
      "3F0A7C0B6B1E2D94C8A5E7F1D2B3C4A5968778A9",
  };
  return config;
}

std::string UpdateServiceURL(const TUpdateConfig& config) {
  return config.SiteAddress + "/updchk/updchk.php";
}

std::string VersionHistoryURL(const TUpdateConfig& config) {
  return config.SiteAddress + "/releases.php";
}

std::string DownloadURLFor(const TUpdateConfig& config, std::string_view version) {
  return config.SiteAddress + "/files/Palvetta_Setup_v" + std::string(version) + ".zip";
}

std::string SiteHostName(const TUpdateConfig& config) {
  std::string_view host = config.SiteAddress;
  const std::size_t scheme = host.find("://");
  if (scheme != std::string_view::npos) host.remove_prefix(scheme + 3);
  host = host.substr(0, host.find_first_of("/?#"));
  const std::size_t at = host.rfind('@');
  if (at != std::string_view::npos) host.remove_prefix(at + 1);
  return std::string(host.substr(0, host.find(':')));
}

std::string InstallerNameFor(std::string_view version) {
  return "Palvetta_Setup_v" + std::string(version) + ".exe";
}

std::string DownloadZipNameFor(std::string_view version) {
  return "update_" + std::string(version) + ".zip";
}

std::string UrlEncode(std::string_view text) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string encoded;
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (IsDigit(c) || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '-' || c == '.' ||
        c == '_' || c == '~') {
      encoded += c;
    } else {
      encoded += '%';
      encoded += kHex[byte >> 4];
      encoded += kHex[byte & 15];
    }
  }
  return encoded;
}

std::string UpdateQueryURL(std::string_view serviceURL, std::string_view appKey,
                           std::string_view version, std::string_view installId) {
  std::string url = std::string(serviceURL) + "?APPKEY=" + std::string(appKey);
  if (!version.empty()) url += "&v=" + UrlEncode(version);
  if (!installId.empty()) url += "&id=" + UrlEncode(installId);
  return url;
}

bool IsValidVersionText(std::string_view text) {
  int groups = 0;
  std::size_t digits = 0;
  for (const char c : text) {
    if (IsDigit(c)) {
      ++digits;
    } else if (c == '.' && digits > 0) {
      ++groups;
      digits = 0;
    } else {
      return false;
    }
  }
  if (digits == 0) return false;
  return groups + 1 <= 4;
}

std::optional<std::string> LatestVersionFromAnswer(int status, std::string_view body) {
  if (status != 200) return std::nullopt;
  std::string version = Trim(body);
  if (version.empty() || version.starts_with("ERROR") || !IsValidVersionText(version)) {
    return std::nullopt;
  }
  return version;
}

int CompareVersions(std::string_view a, std::string_view b) {
  const std::size_t count = std::max(PartCount(a), PartCount(b));
  for (std::size_t i = 0; i < count; ++i) {
    const long long left = PartValue(PartAt(a, i));
    const long long right = PartValue(PartAt(b, i));
    if (left != right) return left < right ? -1 : 1;
  }
  return 0;
}

bool IsValidInstallID(std::string_view text) {
  if (text.size() != 36) return false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const bool dash = i == 8 || i == 13 || i == 18 || i == 23;
    if (dash ? text[i] != '-' : !IsHexDigit(text[i])) return false;
  }
  return true;
}

std::string GetInstallID(TSettingsStore& store, const std::function<std::string()>& newGuidText) {
  const std::lock_guard<std::mutex> guard(InstallIdLock());
  try {
    const std::string stored = LowerAscii(Trim(store.ReadString(kInstallIdSection, kInstallIdValue, "")));
    if (IsValidInstallID(stored)) return stored;
    const std::string made = newGuidText();
    std::string_view guid = made;
    if (guid.size() >= 2 && guid.front() == '{' && guid.back() == '}') {
      guid = guid.substr(1, guid.size() - 2);
    }
    const std::string fresh = LowerAscii(guid);
    if (!IsValidInstallID(fresh)) return {};
    store.WriteString(kInstallIdSection, kInstallIdValue, fresh);
    return store.ReadString(kInstallIdSection, kInstallIdValue, "") == fresh ? fresh : std::string();
  } catch (...) {
    return {};
  }
}

int DownloadPercent(int64_t received, int64_t total) {
  if (total <= 0 || received <= 0) return 0;
  const unsigned __int128 scaled = static_cast<unsigned __int128>(received) * 100;
  const auto divisor = static_cast<unsigned __int128>(total);
  auto quotient = static_cast<int64_t>(scaled / divisor);
  const unsigned __int128 twiceRest = (scaled % divisor) * 2;
  if (twiceRest > divisor || (twiceRest == divisor && quotient % 2 != 0)) ++quotient;
  return static_cast<int>(quotient);
}

std::string DownloadProgressText(int64_t received, int64_t total) {
  char text[64];
  if (total > 0) {
    std::snprintf(text, sizeof text, "Downloading update... %d%%", DownloadPercent(received, total));
  } else {
    std::snprintf(text, sizeof text, "Downloading update... %.1f MB",
                  static_cast<double>(received) / 1048576.0);
  }
  return text;
}

TSignatureVerdict JudgeSignature(uint32_t result, std::string_view signerHash,
                                 std::string_view publisherThumbprint) {
  using namespace trust_result;
  switch (result) {
    case kTrusted:
    case kUntrustedRoot:
    case kIncompleteChain:
      if (!signerHash.empty() && SameTextAscii(signerHash, publisherThumbprint)) return {true, {}};
      return {false, "it is not signed by the publisher of Palvetta."};
    case kNoSignature:
      return {false, signerHash.empty() ? "it is not signed." : "it has been changed since it was signed."};
    case kBadDigest:
      return {false, "it has been changed since it was signed."};
    default: {
      char reason[80];
      std::snprintf(reason, sizeof reason, "its signature could not be checked (error 0x%.8X).",
                    static_cast<unsigned>(result));
      return {false, reason};
    }
  }
}

std::string SignatureFailureMessage(std::string_view reason, std::string_view hostName) {
  return "The downloaded update was not run, because " + std::string(reason) +
         "\r\n\r\nIt has been deleted. Please download Palvetta from " + std::string(hostName) +
         " instead.";
}

std::string AboutVersionText(std::string_view threePartVersion) {
  std::string_view version = threePartVersion;
  if (version.ends_with(".0")) version.remove_suffix(2);
  return "Version " + std::string(version);
}

std::string WindowsProductName(std::string_view reportedName, unsigned majorVersion,
                               unsigned buildNumber) {
  std::string name(reportedName);
  if (majorVersion == 10 && buildNumber > 21999) {
    const std::size_t at = name.find("Windows 10");
    if (at != std::string::npos) name.replace(at, 10, "Windows 11");
  }
  return name;
}

}  // namespace palvetta
