#pragma once
// The reasons a shutdown can be documented with (SHUTDOWN /d), and what the shutdown
// dialog offers of them for each kind of reason.

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "model/properties.h"

namespace palvetta {

PALVETTA_ENUM(TReasonType, rtExpected, rtUnexpected, rtPlanned, rtCustomerDefined);

// A set of TReasonType: bit i for ordinal i.
using TReasonTypes = uint32_t;

struct TShutdownReason {
  TReasonTypes ReasonTypes;
  int MajorReason;
  int MinorReason;
  std::string_view Title;

  bool Has(TReasonType type) const { return (ReasonTypes >> static_cast<unsigned>(type)) & 1U; }
};

// Every reason, in the order the dialog lists them.
std::span<const TShutdownReason> ShutdownReasons();
// The reasons of one kind, in table order: the entries of the dialog's reason list.
std::vector<const TShutdownReason*> ShutdownReasonsOf(TReasonType type);

}  // namespace palvetta
