#include "items/system/shutdown_reasons.h"

namespace palvetta {
namespace {

constexpr TReasonTypes Types(std::initializer_list<TReasonType> types) {
  TReasonTypes set = 0;
  for (TReasonType type : types) set |= uint32_t{1} << static_cast<unsigned>(type);
  return set;
}

constexpr TReasonTypes E = Types({TReasonType::rtExpected});
constexpr TReasonTypes U = Types({TReasonType::rtUnexpected});
constexpr TReasonTypes P = Types({TReasonType::rtPlanned});
constexpr TReasonTypes EP = Types({TReasonType::rtExpected, TReasonType::rtPlanned});
constexpr TReasonTypes C = Types({TReasonType::rtCustomerDefined});

// Some titles repeat: the same reason under another kind.
constexpr TShutdownReason kReasons[] = {
    {U, 0, 0, "Other (Unplanned)"},
    {E, 0, 0, "Other (Unplanned)"},
    {EP, 0, 0, "Other (Planned)"},
    {U, 0, 5, "Other Failure: System Unresponsive"},
    {E, 1, 1, "Hardware: Maintenance (Unplanned)"},
    {EP, 1, 1, "Hardware: Maintenance (Planned)"},
    {E, 1, 2, "Hardware: Installation (Unplanned)"},
    {EP, 1, 2, "Hardware: Installation (Planned)"},
    {E, 2, 2, "Operating System: Recovery (Planned)"},
    {EP, 2, 2, "Operating System: Recovery (Planned)"},
    {P, 2, 3, "Operating System: Upgrade (Planned)"},
    {E, 2, 4, "Operating System: Reconfiguration (Unplanned)"},
    {EP, 2, 4, "Operating System: Reconfiguration (Planned)"},
    {P, 2, 16, "Operating System: Service pack (Planned)"},
    {C, 2, 17, "Operating System: Hot fix (Unplanned)"},
    {P, 2, 17, "Operating System: Hot fix (Planned)"},
    {C, 2, 18, "Operating System: Security fix (Unplanned)"},
    {P, 2, 18, "Operating System: Security fix (Planned)"},
    {E, 4, 1, "Application: Maintenance (Unplanned)"},
    {EP, 4, 1, "Application: Maintenance (Planned)"},
    {EP, 4, 2, "Application: Installation (Planned)"},
    {E, 4, 5, "Application: Unresponsive"},
    {E, 4, 6, "Application: Unstable"},
    {U, 5, 15, "System Failure: Stop error"},
    {U, 5, 19, "Security issue"},
    {E, 5, 19, "Security issue"},
    {EP, 5, 19, "Security issue"},
    {E, 5, 20, "Loss of network connectivity (Unplanned)"},
    {U, 6, 11, "Power Failure: Cord Unplugged"},
    {U, 6, 12, "Power Failure: Environment"},
    {P, 7, 0, "Legacy API shutdown"},
};

}  // namespace

std::span<const TShutdownReason> ShutdownReasons() { return kReasons; }

std::vector<const TShutdownReason*> ShutdownReasonsOf(TReasonType type) {
  std::vector<const TShutdownReason*> reasons;
  for (const TShutdownReason& reason : kReasons) {
    if (reason.Has(type)) reasons.push_back(&reason);
  }
  return reasons;
}

}  // namespace palvetta
