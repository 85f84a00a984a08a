#pragma once
// What a failed OK check of a dialog reports. Kept free of any window so the checks
// themselves can be written and tested without one.

#include <string>

namespace palvetta {

// What a failed OK check reports: the message, and the control to put the focus on.
// A failure that goes on lets the checks after it run as well, so that their messages
// follow its own; the dialog stays open all the same. A failure without a message keeps
// the dialog open without a word: the check has acted itself.
struct TCheckFailure {
  std::string Message;
  std::string Focus;
  bool GoOn = false;
};

}  // namespace palvetta
