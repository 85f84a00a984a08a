#include "system/os_info.h"

#include <array>

namespace palvetta {
namespace {

constexpr std::array<std::string_view, 25> kDisplayNames = {
    "None", "Windows 95", "Windows 95 OSR-2", "Windows 98", "Windows 98 SE", "Windows ME",
    "Windows 9x New", "Windows NT 3", "Windows NT 4", "Windows 2000", "Windows XP", "Windows 2003",
    "Windows Vista", "Windows 2008", "Windows 7", "Windows 2008 R2", "Windows 8", "Windows 2012",
    "Windows 8.1", "Windows 2012 R2", "Windows 10", "Windows 2016", "Windows 2019", "Windows 11",
    "Windows NT New",
};

// The 6.x releases: workstation and server name per minor version.
struct TNt6Release {
  TOsEnum Workstation;
  TOsEnum Server;
};
constexpr std::array<TNt6Release, 4> kNt6Releases = {{
    {TOsEnum::osWinVista, TOsEnum::osWin2008},
    {TOsEnum::osWin7, TOsEnum::osWin2008r2},
    {TOsEnum::osWin8, TOsEnum::osWin2012},
    {TOsEnum::osWin81, TOsEnum::osWin2012r2},
}};

constexpr uint32_t kFirstWin11Build = 22000;
constexpr uint32_t kFirstServer2019Build = 17763;
// The plain record's service-pack text reads "Service Pack N".
constexpr size_t kServicePackPrefixLength = 13;

std::u16string Ascii(std::string_view text) { return std::u16string(text.begin(), text.end()); }

// The text as a decimal number, 0 when it is no number.
uint32_t NumberOrZero(std::u16string_view text) {
  if (text.empty() || text.size() > 9) return 0;
  uint32_t value = 0;
  for (char16_t c : text) {
    if (c < u'0' || c > u'9') return 0;
    value = value * 10 + (c - u'0');
  }
  return value;
}

}  // namespace

std::string_view OsDisplayName(TOsEnum os) noexcept {
  const auto index = static_cast<size_t>(os);
  return index < kDisplayNames.size() ? kDisplayNames[index] : kDisplayNames[0];
}

TOsEnum ClassifyWin9x(uint32_t major, uint32_t minor, uint32_t build) noexcept {
  if (major < 4) return TOsEnum::osNone;
  if (major > 4 || minor > 90) return TOsEnum::osWin9xNew;
  if (minor < 10) return build <= 1000 ? TOsEnum::osWin95 : TOsEnum::osWin95osr2;
  if (minor == 10) {
    if (build <= 2000) return TOsEnum::osWin98;
    return build <= 2700 ? TOsEnum::osWin98se : TOsEnum::osWinME;
  }
  return TOsEnum::osWinME;
}

TOsEnum ClassifyWinNt(uint32_t major, uint32_t minor, uint32_t build, bool workstation) noexcept {
  switch (major) {
    case 0: case 1: case 2: case 3:
      return TOsEnum::osWinNtOld;
    case 4:
      return TOsEnum::osWinNt4;
    case 5:
      if (minor == 0) return TOsEnum::osWin2k;
      if (minor == 1 || workstation) return TOsEnum::osWinXP;
      return TOsEnum::osWin2003;
    case 6:
      if (minor >= kNt6Releases.size()) return TOsEnum::osWinNtNew;
      return workstation ? kNt6Releases[minor].Workstation : kNt6Releases[minor].Server;
    case 10:
      if (workstation) return build < kFirstWin11Build ? TOsEnum::osWin10 : TOsEnum::osWin11;
      return build < kFirstServer2019Build ? TOsEnum::osWin2016 : TOsEnum::osWin2019;
    default:
      return TOsEnum::osWinNtNew;
  }
}

TOS MakeOsInfo(const TOsVersionFacts& facts) {
  TOS os;
  os.major = facts.Major;
  os.minor = facts.Minor;
  os.build = facts.Family9x ? facts.Build & 0xFFFF : facts.Build;
  os.spStr = facts.ServicePackText;
  os.x64 = facts.NativeAmd64;
  if (facts.Family9x) {
    os.win9x = true;
    os.win9xEnum = ClassifyWin9x(os.major, os.minor, os.build);
    os.Enum = os.win9xEnum;
  } else {
    os.winNt = true;
    os.winNtEnum = ClassifyWinNt(os.major, os.minor, os.build, facts.Workstation);
    os.Enum = os.winNtEnum;
  }
  if (facts.Extended) {
    os.spNo = facts.ServicePackMajor;
  } else if (os.spStr.size() > kServicePackPrefixLength) {
    os.spNo = NumberOrZero(std::u16string_view(os.spStr).substr(kServicePackPrefixLength));
  }

  os.description = Ascii(OsDisplayName(os.Enum));
  if (os.winNt) {
    if (facts.ServerR2Metric) os.description += u" R2";
    if (facts.StarterMetric) os.description += u" Starter";
    if (facts.MediaCenterMetric && os.Enum < TOsEnum::osWinVista) os.description += u" Media Center";
    if (os.x64) os.description += u" x64";
    if (!os.spStr.empty()) os.description += u" " + os.spStr;
  }
  return os;
}

}  // namespace palvetta
