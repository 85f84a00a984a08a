#include "items/access_control/icacls_quoting.h"

#include "base/text.h"

namespace palvetta {

std::string ICACLSQuoteSID(std::string_view text) {
  std::string name = Trim(text);
  if (!name.empty() && name.front() == '"') name.erase(0, 1);
  if (!name.empty() && name.back() == '"') name.pop_back();
  name = Trim(name);
  if (name.find_first_of(" \t%&()<>^|") != std::string::npos) return "\"" + name + "\"";
  return name;
}

}  // namespace palvetta
