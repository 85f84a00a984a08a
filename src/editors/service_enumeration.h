#pragma once
// The computers of the network and the services and service groups of a computer, as the
// SC dialogs offer them. The system is asked through IServiceEnumeration (Windows' in
// editors/win, a fake in the tests); the reading here goes on until the system says there
// is no more, growing the buffer whenever it asks for a larger one, so that a large
// network or service list is never cut short.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/text.h"

namespace palvetta {

// One entry of the network walk, with what it takes to open it when it is a container.
struct TNetResource {
  uint32_t Scope = 0;
  uint32_t Type = 0;
  uint32_t DisplayType = 0;
  uint32_t Usage = 0;
  std::string LocalName = {};
  std::string RemoteName = {};
  std::string Comment = {};
  std::string Provider = {};
};

constexpr uint32_t kResourceDisplayServer = 2;  // RESOURCEDISPLAYTYPE_SERVER
constexpr uint32_t kResourceUsageContainer = 2;  // RESOURCEUSAGE_CONTAINER

struct TServiceEntry {
  std::string Name;
  std::string DisplayName;
};

// What one read of an enumeration gave: entries and perhaps more to come (with, where
// the buffer was too small, the size to read the next with), or the last entries, or a
// failure.
enum class TReadStatus { rsMore, rsDone, rsFailed };

template <class E>
class IEntryReader {
 public:
  virtual ~IEntryReader() = default;
  // Appends what a buffer of bufferSize bytes takes; on rsMore bufferSize may come back
  // larger, the size the next read needs.
  virtual TReadStatus Read(size_t& bufferSize, std::vector<E>& entries) = 0;
};

class IServiceEnumeration {
 public:
  virtual ~IServiceEnumeration() = default;
  // The network's root (no container) or a container's entries; nullptr when it cannot be
  // opened.
  virtual std::unique_ptr<IEntryReader<TNetResource>> OpenNetwork(const TNetResource* container) = 0;
  // The services of the computer (empty: this one); nullptr when its service manager
  // cannot be opened.
  virtual std::unique_ptr<IEntryReader<TServiceEntry>> OpenServices(const std::string& machine) = 0;
  // The service group order of this computer: the names separated by NUL characters;
  // nothing when it cannot be read.
  virtual std::optional<std::string> ServiceGroupOrder() = 0;
};

constexpr size_t kMaxEnumerationBuffer = size_t{64} << 20;

// Reads until the reader is done; false when it failed or asked for more than
// kMaxEnumerationBuffer (the entries read so far stay).
template <class E>
bool ReadAllEntries(IEntryReader<E>& reader, size_t bufferSize, std::vector<E>& entries) {
  for (;;) {
    const size_t before = entries.size();
    size_t asked = bufferSize;
    switch (reader.Read(asked, entries)) {
      case TReadStatus::rsDone:
        return true;
      case TReadStatus::rsFailed:
        return false;
      case TReadStatus::rsMore:
        break;
    }
    // Neither entries nor a larger size: try a larger buffer anyway, so a reader that
    // keeps answering "more" cannot hold the dialog for ever.
    if (asked > bufferSize) {
      bufferSize = asked;
    } else if (entries.size() == before) {
      bufferSize *= 2;
    }
    if (bufferSize > kMaxEnumerationBuffer) return false;
  }
}

// Visits every resource of the network in walk order (a container's entries, each
// followed by its own entries one level deeper) until the visitor returns false. A level
// that cannot be opened or read gives what was read of it.
using TNetworkVisitor = std::function<bool(const TNetResource& resource, int depth)>;
void EnumerateNetwork(IServiceEnumeration& system, const TNetworkVisitor& visit);

// The remote names of the network's servers, in walk order.
TStrings NetworkServers(IServiceEnumeration& system);

// "NAME (DISPLAY NAME)" of every service of the computer, in the system's order; nothing
// when its service manager cannot be opened.
std::optional<TStrings> ListServices(IServiceEnumeration& system, const std::string& machine);

// The service groups of this computer, blank names left out; nothing when they cannot be
// read.
std::optional<TStrings> ServiceGroups(IServiceEnumeration& system);
TStrings GroupNames(std::string_view multiString);

// The services and groups chosen in the picker of a new service's dependencies.
struct TPickedDependencies {
  TStrings Services;
  TStrings Groups;
};

// The dependency list after adding the chosen services (as listed) and groups (trimmed,
// as "+NAME"), services first, each only when the list does not hold it yet.
TStrings AddDependencies(TStrings list, const TStrings& services, const TStrings& groups);

}  // namespace palvetta
