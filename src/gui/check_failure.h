#pragma once
// What a failed OK check of a dialog reports. Kept free of any window so the checks
// themselves can be written and tested without one.

#include <string>

namespace palvetta {

// What a failed OK check reports: the message, and the control to put the focus on.
struct TCheckFailure {
  std::string Message;
  std::string Focus;
};

}  // namespace palvetta
