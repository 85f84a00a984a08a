#include "crash/settings/placeholders.h"

#include <gtest/gtest.h>

#include "fake_settings_host.h"

namespace palvetta {
namespace {

constexpr uintptr_t kLibrary = 0x2000;

TEST(PlaceholdersTest, ReplacesEveryPlaceholderIgnoringCase) {
  TFakeFacts facts;
  TPlaceholderValues exception;
  exception.ExceptClass = u"EAccessViolation";
  exception.ErrorDetails = u"details";
  exception.BugReport = u"report";
  exception.ExceptMsg = u"Access violation";
  const struct {
    std::u16string Text;
    std::u16string Expected;
  } cases[] = {
      {u"%appname% / %APPNAME%", u"palvetta.exe / palvetta.exe"},
      {u"%modname%", u"plugin.dll"},
      {u"%appversion% %modversion%", u"1.2.3.4 ?"},  // the library has no version
      {u"%exceptClass%: %exceptMsg%", u"EAccessViolation: Access violation"},
      {u"%bugReport%|%errorDetails%", u"report|details"},
      {u"a%LF%b%lf%", u"a\r\nb\r\n"},
      {u"%date%", u"2024-03-07"},
      {u"%time%", u"09:05:04, 21ms"},
      {u"%datetime%", u"2024-03-07, 09:05:04, 21ms"},
      {u"%computerName% on %os%", u"BUILDBOX on Windows 10 x64"},
      {u"%desktop%;%userappdata%;%commonappdata%;%localappdata%", u"C:\\Folder6;C:\\Folder6;C:\\Folder5;C:\\Folder8"},
      {u"100% sure, %unknown%", u"100% sure, %unknown%"},
  };
  for (const auto& c : cases) {
    std::u16string text = c.Text;
    ExpandPlaceholders(facts, kLibrary, text, exception);
    EXPECT_EQ(text, c.Expected) << std::string(c.Text.begin(), c.Text.end());
  }
}

TEST(PlaceholdersTest, VersionsAndExceptionTextsFallBack) {
  TFakeFacts facts;
  TPlaceholderValues values;
  values.AppVersionVar = u"2.0 beta";
  std::u16string text = u"%appversion%|%modversion%|%exceptMsg%|%exceptClass%";
  ExpandPlaceholders(facts, facts.Executable, text, values);
  // The executable's VersionVar wins over its file version; the module's own (empty) falls
  // back to the file version; the exception placeholders of a plain object stay.
  EXPECT_EQ(text, u"2.0 beta|1.2.3.4|%exceptMsg%|%exceptClass%");

  values.ExceptMsg.clear();
  text = u"%exceptMsg%";
  ExpandPlaceholders(facts, facts.Executable, text, values);
  EXPECT_EQ(text, u"Unknown");
}

// What a value brings in stays as it is: a message naming "%date%", a bug report full of
// batch text with "%PATH%" and "%appname%".
TEST(PlaceholdersTest, ValuesAreNotExpandedAgain) {
  TFakeFacts facts;
  TPlaceholderValues values;
  values.ExceptMsg = u"bad %date% in %bugReport%";
  values.BugReport = u"SET \"PATH=C:\\x;%PATH%\"%LF%ECHO %appname%";
  std::u16string text = u"%exceptMsg%|%bugReport%|%%appname%";
  ExpandPlaceholders(facts, facts.Executable, text, values);
  EXPECT_EQ(text, u"bad %date% in %bugReport%|SET \"PATH=C:\\x;%PATH%\"%LF%ECHO %appname%|%" +
                      std::u16string(u"palvetta.exe"));
}

TEST(PlaceholdersTest, AsksForAFactOnlyWhenTheTextHoldsIt) {
  TFakeFacts facts;
  std::u16string text = u"%appname% at %date%";
  ExpandPlaceholders(facts, facts.Executable, text, {});
  EXPECT_EQ(facts.FolderLookups, 0);
  text = u"%DESKTOP%";
  ExpandPlaceholders(facts, facts.Executable, text, {});
  EXPECT_EQ(facts.FolderLookups, 1);
}

}  // namespace
}  // namespace palvetta
