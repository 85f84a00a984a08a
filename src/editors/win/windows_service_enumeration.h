#pragma once
// The network, services and service groups as Windows has them: WNetOpenEnumW and
// WNetEnumResourceW (read on until ERROR_NO_MORE_ITEMS), EnumServicesStatusW (read on with
// its resume handle while it answers ERROR_MORE_DATA) and the registry's service group
// order.

#include "editors/service_enumeration.h"

namespace palvetta {

class TWindowsServiceEnumeration : public IServiceEnumeration {
 public:
  std::unique_ptr<IEntryReader<TNetResource>> OpenNetwork(const TNetResource* container) override;
  std::unique_ptr<IEntryReader<TServiceEntry>> OpenServices(const std::string& machine) override;
  std::optional<std::string> ServiceGroupOrder() override;
};

}  // namespace palvetta
