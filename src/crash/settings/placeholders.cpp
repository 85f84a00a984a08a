#include "crash/settings/placeholders.h"

#include <algorithm>
#include <functional>
#include <iterator>

#include "base/number_text.h"
#include "base/path_text.h"
#include "base/text_edit.h"
#include "base/text_search.h"

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

// Placeholders are ASCII, so an ASCII case fold is enough.
bool StartsWithIgnoringCase(const std::u16string& text, std::size_t at, std::u16string_view prefix) {
  if (text.size() - at < prefix.size()) return false;
  const auto fold = [](char16_t c) { return c >= u'A' && c <= u'Z' ? char16_t(c + 32) : c; };
  for (std::size_t i = 0; i < prefix.size(); ++i) {
    if (fold(text[at + i]) != fold(prefix[i])) return false;
  }
  return true;
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
  // One pass over the template: a value put in (an exception message, a whole bug report
  // full of "%NAME%" batch text) is never scanned for placeholders again.
  std::u16string result;
  result.reserve(text.size());
  std::size_t pos = 0;
  while (pos < text.size()) {
    const std::size_t percent = text.find(u'%', pos);
    if (percent == std::u16string::npos) break;
    result.append(text, pos, percent - pos);
    const auto* match = std::find_if(std::begin(kReplacements), std::end(kReplacements),
                                     [&](const auto& replacement) {
                                       return StartsWithIgnoringCase(text, percent,
                                                                     replacement.Placeholder);
                                     });
    if (match == std::end(kReplacements)) {
      result += u'%';
      pos = percent + 1;
    } else {
      result += match->Value();
      pos = percent + match->Placeholder.size();
    }
  }
  result.append(text, pos, std::u16string::npos);
  text = std::move(result);
}

}  // namespace palvetta
