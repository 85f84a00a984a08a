#pragma once
// The running Windows version as the crash reporter names it in its reports. The
// classification works on version numbers alone, so it is the same on any machine; the
// Windows build fills the numbers from the system (GetOsInfo in win/system_info.h).

#include <cstdint>
#include <string>
#include <string_view>

namespace palvetta {

enum class TOsEnum {
  osNone, osWin95, osWin95osr2, osWin98, osWin98se, osWinME, osWin9xNew,
  osWinNtOld, osWinNt4, osWin2k, osWinXP, osWin2003, osWinVista, osWin2008,
  osWin7, osWin2008r2, osWin8, osWin2012, osWin81, osWin2012r2, osWin10,
  osWin2016, osWin2019, osWin11, osWinNtNew,
};

// "Windows 10" for osWin10, and so on; "None" for osNone.
std::string_view OsDisplayName(TOsEnum os) noexcept;

struct TOS {
  uint32_t major = 0;
  uint32_t minor = 0;
  uint32_t build = 0;
  std::u16string spStr;
  bool win9x = false;
  TOsEnum win9xEnum = TOsEnum::osNone;
  bool winNt = false;
  TOsEnum winNtEnum = TOsEnum::osNone;
  TOsEnum Enum = TOsEnum::osNone;
  bool x64 = false;
  uint32_t spNo = 0;
  std::u16string description;
};

// What the system reports: its version record and the system metrics the description
// looks at.
struct TOsVersionFacts {
  bool Family9x = false;
  uint32_t Major = 0;
  uint32_t Minor = 0;
  uint32_t Build = 0;
  std::u16string ServicePackText;
  // The extended record carries the service pack's number and the product type; a
  // system that only filled the plain record has neither.
  bool Extended = false;
  uint32_t ServicePackMajor = 0;
  bool Workstation = true;
  bool NativeAmd64 = false;
  bool ServerR2Metric = false;
  bool StarterMetric = false;
  bool MediaCenterMetric = false;
};

TOsEnum ClassifyWin9x(uint32_t major, uint32_t minor, uint32_t build) noexcept;
TOsEnum ClassifyWinNt(uint32_t major, uint32_t minor, uint32_t build, bool workstation) noexcept;

// The whole record with its description.
TOS MakeOsInfo(const TOsVersionFacts& facts);

}  // namespace palvetta
