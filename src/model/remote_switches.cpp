#include "model/remote_switches.h"

#include "base/text.h"
#include "model/procs.h"
#include "model/quoting.h"

namespace palvetta {

std::string RemoteSystemSwitches(std::string_view system, std::string_view user,
                                 std::string_view password) {
  if (IsBlank(system)) return {};
  std::string out = " /S " + QuoteIfSpaced(system);
  if (IsBlank(user)) return out;
  out += " /U " + QuoteIfSpaced(user);
  if (IsBlank(password)) return out;
  return out + " /P " + QuoteIfSpaced(EscapePercents(password));
}

std::string HeaderAndFormatSwitches(bool noHeader, TOutputFormat format) {
  std::string out = noHeader && format != TOutputFormat::ofList ? " /NH" : "";
  return out + " /FO " + OutputFormatName(format);
}

}  // namespace palvetta
