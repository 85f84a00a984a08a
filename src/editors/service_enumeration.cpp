#include "editors/service_enumeration.h"

#include <algorithm>

namespace palvetta {
namespace {

constexpr size_t kNetworkBuffer = 16 * 1024;
constexpr size_t kServiceBuffer = 64 * 1024;

// False once the visitor asked to stop.
bool WalkLevel(IServiceEnumeration& system, const TNetResource* container, int depth,
               const TNetworkVisitor& visit) {
  std::unique_ptr<IEntryReader<TNetResource>> reader = system.OpenNetwork(container);
  if (!reader) return true;
  std::vector<TNetResource> resources;
  ReadAllEntries(*reader, kNetworkBuffer, resources);
  reader.reset();  // closed before walking deeper, so only one level is open at a time
  for (const TNetResource& resource : resources) {
    if (!visit(resource, depth)) return false;
    if ((resource.Usage & kResourceUsageContainer) != 0 &&
        !WalkLevel(system, &resource, depth + 1, visit)) {
      return false;
    }
  }
  return true;
}

void AddOnce(TStrings& list, const std::string& entry) {
  if (std::find(list.begin(), list.end(), entry) == list.end()) list.push_back(entry);
}

}  // namespace

void EnumerateNetwork(IServiceEnumeration& system, const TNetworkVisitor& visit) {
  WalkLevel(system, nullptr, 0, visit);
}

TStrings NetworkServers(IServiceEnumeration& system) {
  TStrings servers;
  EnumerateNetwork(system, [&servers](const TNetResource& resource, int) {
    if (resource.DisplayType == kResourceDisplayServer) servers.push_back(resource.RemoteName);
    return true;
  });
  return servers;
}

std::optional<TStrings> ListServices(IServiceEnumeration& system, const std::string& machine) {
  std::unique_ptr<IEntryReader<TServiceEntry>> reader = system.OpenServices(Trim(machine));
  if (!reader) return std::nullopt;
  std::vector<TServiceEntry> services;
  ReadAllEntries(*reader, kServiceBuffer, services);
  TStrings list;
  for (const TServiceEntry& service : services) {
    list.push_back(service.Name + " (" + service.DisplayName + ")");
  }
  return list;
}

TStrings GroupNames(std::string_view multiString) {
  TStrings names;
  for (const std::string& line : SplitLines(ReplaceAll(multiString, std::string_view("\0", 1), "\n"))) {
    if (!IsBlank(line)) names.push_back(line);
  }
  return names;
}

std::optional<TStrings> ServiceGroups(IServiceEnumeration& system) {
  const std::optional<std::string> order = system.ServiceGroupOrder();
  if (!order) return std::nullopt;
  return GroupNames(*order);
}

TStrings AddDependencies(TStrings list, const TStrings& services, const TStrings& groups) {
  for (const std::string& service : services) AddOnce(list, service);
  for (const std::string& group : groups) {
    const std::string name = Trim(group);
    if (!name.empty()) AddOnce(list, "+" + name);
  }
  return list;
}

}  // namespace palvetta
