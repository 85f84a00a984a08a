// The network walk and the service lists on a fake system that hands out a few entries
// per read and asks for a larger buffer when the next entry does not fit.

#include "editors/service_enumeration.h"

#include <gtest/gtest.h>

#include "support/fake_service_enumeration.h"

namespace palvetta {
namespace {

using testing::Container;
using testing::Server;
using testing::TFakeServiceEnumeration;

// Two providers; the first holds a domain with more servers than one read gives and a
// server whose shares (containers of no server type) are walked too.
TFakeServiceEnumeration Neighbourhood() {
  TFakeServiceEnumeration fake;
  fake.Network[""] = {Container("Microsoft Windows Network"), Container("Other Network")};
  fake.Network["Microsoft Windows Network"] = {Container("WORKGROUP")};
  fake.Network["WORKGROUP"] = {Server("\\\\PC1"), Server("\\\\PC2"), Server("\\\\PC3"),
                               Server("\\\\PC4"), Container("\\\\FILES", kResourceDisplayServer)};
  fake.Network["\\\\FILES"] = {Container("\\\\FILES\\public", 3)};
  fake.Network["Other Network"] = {Server("\\\\" + std::string(20000, 'L'))};
  return fake;
}

TEST(NetworkWalk, ReadsEveryLevelToTheEndGrowingTheBuffer) {
  TFakeServiceEnumeration fake = Neighbourhood();
  EXPECT_EQ(NetworkServers(fake),
            (TStrings{"\\\\PC1", "\\\\PC2", "\\\\PC3", "\\\\PC4", "\\\\FILES",
                      "\\\\" + std::string(20000, 'L')}));
  // Depth first; a container that cannot be opened (the share) gives nothing.
  EXPECT_EQ(fake.OpenedContainers,
            (std::vector<std::string>{"", "Microsoft Windows Network", "WORKGROUP", "\\\\FILES",
                                      "\\\\FILES\\public", "Other Network"}));
  // The long name did not fit the first buffer: the walk read it with the size asked.
  EXPECT_EQ(fake.BufferSizes.back(), 20002 + TFakeServiceEnumeration::kEntrySize);
}

TEST(NetworkWalk, TheVisitorStopsTheWholeWalkAndSeesTheDepth) {
  TFakeServiceEnumeration fake = Neighbourhood();
  std::vector<std::pair<std::string, int>> seen;
  EnumerateNetwork(fake, [&](const TNetResource& resource, int depth) {
    seen.emplace_back(resource.RemoteName, depth);
    return resource.RemoteName != "\\\\PC2";
  });
  EXPECT_EQ(seen, (std::vector<std::pair<std::string, int>>{{"Microsoft Windows Network", 0},
                                                           {"WORKGROUP", 1},
                                                           {"\\\\PC1", 2},
                                                           {"\\\\PC2", 2}}));
}

TEST(ServiceList, AllServicesOfTheComputerAcrossReads) {
  TFakeServiceEnumeration fake;
  std::vector<TServiceEntry> many;
  TStrings expected;
  for (int i = 0; i < 250; ++i) {
    many.push_back({"Svc" + std::to_string(i), "Service " + std::to_string(i)});
    expected.push_back("Svc" + std::to_string(i) + " (Service " + std::to_string(i) + ")");
  }
  fake.Services[""] = many;
  fake.Services["\\\\PC1"] = {{"Spooler", "Print Spooler"}};
  EXPECT_EQ(ListServices(fake, ""), expected);
  EXPECT_EQ(ListServices(fake, " \\\\PC1 "), TStrings{"Spooler (Print Spooler)"});
  EXPECT_EQ(ListServices(fake, "\\\\NONE"), std::nullopt);

  fake.Services[""] = {{std::string(70000, 'x'), "Long"}, {"B", "b"}};
  const std::optional<TStrings> grown = ListServices(fake, "");
  ASSERT_TRUE(grown);
  EXPECT_EQ(grown->size(), 2u);
}

// A reader that keeps answering "more" without entries or a size ends the read instead of
// holding the dialog.
TEST(ServiceList, AReaderThatNeverEndsIsGivenUp) {
  struct TEndless : IEntryReader<TServiceEntry> {
    int Reads = 0;
    TReadStatus Read(size_t&, std::vector<TServiceEntry>&) override {
      ++Reads;
      return TReadStatus::rsMore;
    }
  } endless;
  std::vector<TServiceEntry> entries;
  EXPECT_FALSE(ReadAllEntries(endless, 1024, entries));
  EXPECT_LT(endless.Reads, 64);
}

TEST(ServiceGroups, NamesFromTheMultiString) {
  EXPECT_EQ(GroupNames(std::string("System Reserved\0Boot Bus Extender\0 \0\0NetworkProvider\0\0", 54)),
            (TStrings{"System Reserved", "Boot Bus Extender", "NetworkProvider"}));
  TFakeServiceEnumeration fake;
  EXPECT_EQ(ServiceGroups(fake), std::nullopt);
  fake.GroupOrder = std::string("A\0B\0", 4);
  EXPECT_EQ(ServiceGroups(fake), (TStrings{"A", "B"}));
}

TEST(Dependencies, ServicesThenGroupsEachOnce) {
  EXPECT_EQ(AddDependencies({"Tcpip (TCP/IP)", "+Net"},
                            {"Tcpip (TCP/IP)", "Dnscache (DNS Client)", "Dnscache (DNS Client)"},
                            {" NetworkProvider ", "Net", " "}),
            (TStrings{"Tcpip (TCP/IP)", "+Net", "Dnscache (DNS Client)", "+NetworkProvider"}));
}

}  // namespace
}  // namespace palvetta
