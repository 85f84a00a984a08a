#include "items/scheduled_tasks/schtasks_quoting.h"

#include "base/text.h"
#include "model/quoting.h"

namespace palvetta {

std::string SchtasksUnquote(std::string_view text) {
  if (text.starts_with('"')) text.remove_prefix(1);
  if (text.ends_with('"')) text.remove_suffix(1);
  return std::string(text);
}

std::string SchtasksQuote(std::string_view text) {
  return QuoteForCommand(text, {.Specials = " \t%&()<>^|", .Trimmed = false});
}

std::string QuoteEscaped(std::string_view text) {
  return "\"" + ReplaceAll(SchtasksUnquote(Trim(text)), "\"", "\\\"") + "\"";
}

std::string ShieldOutsideQuotes(std::string_view argument) {
  return EscapeOutsideQuotes(argument, "&|<>^");
}

bool IsBuiltinAccount(std::string_view name) {
  std::string account = UpperAscii(Trim(SchtasksUnquote(Trim(name))));
  if (account.starts_with('*')) account.erase(0, 1);
  static constexpr std::string_view kAccounts[] = {
      "SYSTEM",          "NT AUTHORITY\\SYSTEM",          "LOCALSERVICE",
      "NT AUTHORITY\\LOCALSERVICE",   "LOCAL SERVICE",   "NT AUTHORITY\\LOCAL SERVICE",
      "NETWORKSERVICE",  "NT AUTHORITY\\NETWORKSERVICE",  "NETWORK SERVICE",
      "NT AUTHORITY\\NETWORK SERVICE", "S-1-5-18",       "S-1-5-19",
      "S-1-5-20"};
  for (const std::string_view known : kAccounts) {
    if (account == known) return true;
  }
  return false;
}

}  // namespace palvetta
