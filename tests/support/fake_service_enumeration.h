#pragma once
// A network and service lists in memory, read the way Windows hands them out: a read
// fills at most a few entries, and a buffer too small for the next entry gets "more
// data" with the size it needs, so that only a reader that goes on and grows its buffer
// sees everything.

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "editors/service_enumeration.h"

namespace palvetta::testing {

class TFakeServiceEnumeration : public IServiceEnumeration {
 public:
  // What a read of the container (by remote name; "" for the root) returns, in order.
  std::map<std::string, std::vector<TNetResource>> Network;
  // The services by computer; a computer not listed has no service manager to open.
  std::map<std::string, std::vector<TServiceEntry>> Services;
  std::optional<std::string> GroupOrder;

  size_t EntriesPerRead = 3;
  std::vector<std::string> OpenedContainers;  // in order, "" for the root
  std::vector<size_t> BufferSizes;            // of every read

  // An entry takes this many bytes of the buffer, plus its name.
  static constexpr size_t kEntrySize = 512;

  std::unique_ptr<IEntryReader<TNetResource>> OpenNetwork(const TNetResource* container) override {
    const std::string name = container ? container->RemoteName : std::string();
    OpenedContainers.push_back(name);
    const auto found = Network.find(name);
    if (found == Network.end()) return nullptr;
    return std::make_unique<TReader<TNetResource>>(found->second, *this, false);
  }

  std::unique_ptr<IEntryReader<TServiceEntry>> OpenServices(const std::string& machine) override {
    const auto found = Services.find(machine);
    if (found == Services.end()) return nullptr;
    return std::make_unique<TReader<TServiceEntry>>(found->second, *this, true);
  }

  std::optional<std::string> ServiceGroupOrder() override { return GroupOrder; }

 private:
  static size_t SizeOf(const TNetResource& resource) { return kEntrySize + resource.RemoteName.size(); }
  static size_t SizeOf(const TServiceEntry& service) { return kEntrySize + service.Name.size(); }

  // Services answer their last entries with "done"; the network with entries, and then
  // with "no more" on the read after.
  template <class E>
  class TReader : public IEntryReader<E> {
   public:
    TReader(const std::vector<E>& entries, TFakeServiceEnumeration& owner, bool doneWithLast)
        : FEntries(entries), FOwner(owner), FDoneWithLast(doneWithLast) {}

    TReadStatus Read(size_t& bufferSize, std::vector<E>& entries) override {
      FOwner.BufferSizes.push_back(bufferSize);
      if (FNext == FEntries.size()) return TReadStatus::rsDone;
      size_t used = 0;
      size_t read = 0;
      while (FNext < FEntries.size() && read < FOwner.EntriesPerRead &&
             used + SizeOf(FEntries[FNext]) <= bufferSize) {
        used += SizeOf(FEntries[FNext]);
        entries.push_back(FEntries[FNext++]);
        ++read;
      }
      if (read == 0) {
        bufferSize = SizeOf(FEntries[FNext]);
        return TReadStatus::rsMore;
      }
      return FDoneWithLast && FNext == FEntries.size() ? TReadStatus::rsDone : TReadStatus::rsMore;
    }

   private:
    const std::vector<E>& FEntries;
    TFakeServiceEnumeration& FOwner;
    bool FDoneWithLast;
    size_t FNext = 0;
  };
};

inline TNetResource Server(std::string name) {
  return {.DisplayType = kResourceDisplayServer, .RemoteName = std::move(name)};
}
inline TNetResource Container(std::string name, uint32_t displayType = 1) {
  return {.DisplayType = displayType, .Usage = kResourceUsageContainer, .RemoteName = std::move(name)};
}

}  // namespace palvetta::testing
