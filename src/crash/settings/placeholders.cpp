#include "crash/settings/placeholders.h"

#include <functional>

#include "crash/text/number_text.h"
#include "crash/text/path_text.h"
#include "crash/text/text_edit.h"
#include "crash/text/text_search.h"

namespace palvetta {
namespace {

std::u16string Padded(int value, int width) { return CardToDecPadW(static_cast<uint32_t>(value), width, u'0'); }

std::u16string DateText(const TLocalDateTime& now) {
  return Padded(now.Year, 4) + u"-" + Padded(now.Month, 2) + u"-" + Padded(now.Day, 2);
}

std::u16string TimeText(const TLocalDateTime& now) {
  return Padded(now.Hour, 2) + u":" + Padded(now.Minute, 2) + u":" + Padded(now.Second, 2) + u", " +
         Padded(now.Milliseconds, 0) + u"ms";
}

std::u16string VersionText(IPlaceholderFacts& facts, uintptr_t module, const std::u16string& versionVar) {
  if (!versionVar.empty()) return versionVar;
  std::u16string version = facts.FileVersionText(module);
  return version.empty() ? u"?" : version;
}

}  // namespace

void ExpandPlaceholders(IPlaceholderFacts& facts, uintptr_t module, std::u16string& text,
                        const TPlaceholderValues& values) {
  if (text.find(u'%') == std::u16string::npos) return;
  TLocalDateTime now;
  bool haveNow = false;
  auto localNow = [&]() -> const TLocalDateTime& {
    if (!haveNow) now = facts.LocalNow();
    haveNow = true;
    return now;
  };
  const uintptr_t executable = facts.ExecutableModule();
  const struct {
    std::u16string_view Placeholder;
    std::function<std::u16string()> Value;
  } kReplacements[] = {
      {u"%appname%", [&] { return PathFileName(facts.ModuleFileName(executable)); }},
      {u"%modname%", [&] { return PathFileName(facts.ModuleFileName(module)); }},
      {u"%appversion%", [&] { return VersionText(facts, executable, values.AppVersionVar); }},
      {u"%modversion%", [&] { return VersionText(facts, module, values.ModVersionVar); }},
      {u"%exceptClass%", [&] { return values.ExceptClass; }},
      {u"%exceptMsg%", [&] { return values.ExceptMsg.empty() ? u"Unknown" : values.ExceptMsg; }},
      {u"%bugReport%", [&] { return values.BugReport; }},
      {u"%LF%", [] { return std::u16string(u"\r\n"); }},
      {u"%date%", [&] { return DateText(localNow()); }},
      {u"%time%", [&] { return TimeText(localNow()); }},
      {u"%datetime%", [&] { return DateText(localNow()) + u", " + TimeText(localNow()); }},
      {u"%computerName%", [&] { return facts.ComputerName(); }},
      {u"%os%", [&] { return facts.OsDescription(); }},
      {u"%errorDetails%", [&] { return values.ErrorDetails; }},
      {u"%desktop%", [&] { return facts.SpecialFolder(pfDesktop); }},
      {u"%userappdata%", [&] { return facts.SpecialFolder(pfUserAppData); }},
      {u"%commonappdata%", [&] { return facts.SpecialFolder(pfCommonAppData); }},
      {u"%localappdata%", [&] { return facts.SpecialFolder(pfLocalAppData); }},
  };
  for (const auto& replacement : kReplacements) {
    if (PosInRange(replacement.Placeholder, text) == 0) continue;  // ignores case
    ReplaceTextW(text, replacement.Placeholder, replacement.Value(), false);
  }
}

}  // namespace palvetta
