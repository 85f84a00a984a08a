#pragma once
// The placeholders of settings texts ("%appname%", "%date%", "%desktop%", ...) and the
// facts they are replaced by. The facts come through an interface so that the texts can
// be expanded and tested anywhere; Windows fills it from the system.

#include <cstdint>
#include <string>
#include <string_view>

namespace palvetta {

struct TLocalDateTime {
  int Year = 0;
  int Month = 0;
  int Day = 0;
  int Hour = 0;
  int Minute = 0;
  int Second = 0;
  int Milliseconds = 0;
};

// Shell folders by their CSIDL numbers.
enum TPlaceholderFolder : int {
  pfDesktop = 16,
  pfUserAppData = 26,
  pfLocalAppData = 28,
  pfCommonAppData = 35,
};

class IPlaceholderFacts {
 public:
  virtual ~IPlaceholderFacts() = default;
  virtual uintptr_t ExecutableModule() = 0;
  // The module's full file name; 0 is the executable.
  virtual std::u16string ModuleFileName(uintptr_t module) = 0;
  // The file version text of the module's file; empty when it has none.
  virtual std::u16string FileVersionText(uintptr_t module) = 0;
  virtual TLocalDateTime LocalNow() = 0;
  virtual std::u16string ComputerName() = 0;
  virtual std::u16string OsDescription() = 0;
  // The folder without a trailing backslash; empty when unknown.
  virtual std::u16string SpecialFolder(TPlaceholderFolder folder) = 0;
};

// What the placeholders about the exception and the versions stand for. A plain settings
// object passes the placeholders themselves, so that they stay in the text.
struct TPlaceholderValues {
  std::u16string ExceptClass = u"%exceptClass%";
  std::u16string ErrorDetails = u"%errorDetails%";
  std::u16string BugReport = u"%bugReport%";
  std::u16string ExceptMsg = u"%exceptMsg%";
  // The VersionVar texts of the executable's and of the module's settings.
  std::u16string AppVersionVar;
  std::u16string ModVersionVar;
};

// Replaces every placeholder of the text, ignoring case, in one pass: what a value brings
// in is not expanded again. A fact is asked for only when the text holds its placeholder
// (and once for each place that holds it).
void ExpandPlaceholders(IPlaceholderFacts& facts, uintptr_t module, std::u16string& text,
                        const TPlaceholderValues& values);

}  // namespace palvetta
