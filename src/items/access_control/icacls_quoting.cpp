#include "items/access_control/icacls_quoting.h"

#include "model/quoting.h"

namespace palvetta {

std::string ICACLSQuoteSID(std::string_view text) {
  return QuoteForCommand(text, {.Specials = " \t%&()<>^|"});
}

}  // namespace palvetta
