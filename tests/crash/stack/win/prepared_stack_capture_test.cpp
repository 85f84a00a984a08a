// The prepared stack of the test's own thread, taken a few calls deep.
#include "crash/stack/win/prepared_stack_capture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <vector>

#include "crash/stack/win/thread_stack.h"

namespace palvetta {
namespace {

// Where each level returns to, outermost first. The counter after each call keeps the
// calls from becoming tail calls.
uint64_t gReturns[3];
std::atomic<int> gCalls{0};

// What the innermost level asks for; not on the stack, where a copy of the stop value
// would stop the walk early.
struct TPrepareRequest {
  uint64_t StopValue = 0;
  bool StopAtValue = false;
  std::span<TPreparedEntry> Out;
} gRequest;

uint64_t AsAddress(void* pointer) { return reinterpret_cast<uint64_t>(pointer); }

__attribute__((noinline)) size_t PrepareInLevel3() {
  gReturns[2] = AsAddress(__builtin_extract_return_addr(__builtin_return_address(0)));
  const size_t count = PrepareCurrentStack(0, gRequest.StopValue, gRequest.StopAtValue, gRequest.Out);
  ++gCalls;
  return count;
}

__attribute__((noinline)) size_t PrepareInLevel2() {
  gReturns[1] = AsAddress(__builtin_extract_return_addr(__builtin_return_address(0)));
  const size_t count = PrepareInLevel3();
  ++gCalls;
  return count;
}

__attribute__((noinline)) size_t PrepareInLevel1() {
  gReturns[0] = AsAddress(__builtin_extract_return_addr(__builtin_return_address(0)));
  const size_t count = PrepareInLevel2();
  ++gCalls;
  return count;
}

// The position of each level's return address among the entries (-1 when missing).
std::vector<long> PositionsOfReturns(std::span<const TPreparedEntry> entries) {
  std::vector<long> positions;
  for (const uint64_t address : gReturns) {
    const auto found = std::find_if(entries.begin(), entries.end(),
                                    [&](const TPreparedEntry& entry) { return entry.Address == address; });
    positions.push_back(found == entries.end() ? -1 : static_cast<long>(found - entries.begin()));
  }
  return positions;
}

TEST(PreparedStackCapture, FindsTheReturnAddressesOfNestedCallsOutermostFirst) {
  std::vector<TPreparedEntry> entries(256);
  gRequest = {0, false, entries};
  entries.resize(PrepareInLevel1());
  const std::vector<long> positions = PositionsOfReturns(entries);
  ASSERT_GE(positions[0], 0);
  EXPECT_GT(positions[1], positions[0]);
  EXPECT_GT(positions[2], positions[1]);
  // The capture's own frame and its return address into the innermost level lie below.
  EXPECT_EQ(positions[2], static_cast<long>(entries.size()) - 1);
  for (const TPreparedEntry& entry : entries) EXPECT_FALSE(entry.FrameSlot);  // no frame pointer given
}

TEST(PreparedStackCapture, StopsBeforeTheStopValue) {
  // A first run learns the middle level's return address; the second stops there.
  std::vector<TPreparedEntry> entries(256);
  gRequest = {0, false, entries};
  PrepareInLevel1();
  gRequest = {gReturns[1], true, entries};
  entries.resize(PrepareInLevel1());
  const std::vector<long> positions = PositionsOfReturns(entries);
  EXPECT_GE(positions[0], 0);
  EXPECT_EQ(positions[1], -1);
  EXPECT_EQ(positions[2], -1);
}

TEST(PreparedStackCapture, IsAnalysedIntoTheFunctionsThatTookIt) {
  std::vector<TPreparedEntry> entries(256);
  gRequest = {0, false, entries};
  entries.resize(PrepareInLevel1());
  TTraceRequest request;
  request.NoCurrentAddress = true;
  const TTraceResult result = AnalysePreparedStack(entries, request);
  SCOPED_TRACE(result.Stack.Text);
  std::vector<std::string> names;
  for (const TStackItem& item : result.Stack.Items) names.push_back(item.FunctionName);
  ASSERT_GE(names.size(), 2u);
  EXPECT_EQ(names[0], "palvetta::(anonymous namespace)::PrepareInLevel2()");
  EXPECT_EQ(names[1], "palvetta::(anonymous namespace)::PrepareInLevel1()");
}

}  // namespace
}  // namespace palvetta
