#include "crash/symbols/mini_stream.h"

#include <gtest/gtest.h>

#include <string>

namespace palvetta {
namespace {

TEST(MiniStream, WritesGrowInWholeStepsAndReadsStopAtTheEnd) {
  TMiniStream stream;
  EXPECT_EQ(stream.Write("abc", 0), 0);
  EXPECT_EQ(stream.Write("abc", -1), 0);
  const std::string big(TMiniStream::kGranularity + 1, 'x');
  EXPECT_EQ(stream.Write(big.data(), static_cast<ptrdiff_t>(big.size())), static_cast<ptrdiff_t>(big.size()));
  EXPECT_EQ(stream.Size(), big.size());
  EXPECT_EQ(stream.Capacity(), 2 * TMiniStream::kGranularity);

  stream.SetPosition(static_cast<ptrdiff_t>(big.size()) - 2);
  char buffer[8] = {};
  EXPECT_EQ(stream.Read(buffer, 8), 2);
  EXPECT_EQ(stream.Read(buffer, 8), 0);
  stream.SetPosition(-1);
  EXPECT_EQ(stream.Read(buffer, 1), 0);
  EXPECT_EQ(stream.Remaining(), 0u);

  stream.SetSize(0);
  EXPECT_EQ(stream.Memory(), nullptr);
  EXPECT_EQ(stream.Capacity(), 0u);
}

TEST(MiniStream, ReadsBackWhatWasWrittenInTheMiddle) {
  TMiniStream stream("0123456789", 10);
  stream.SetPosition(4);
  EXPECT_EQ(stream.Write("ab", 2), 2);
  stream.SetPosition(3);
  char buffer[4] = {};
  EXPECT_EQ(stream.Read(buffer, 4), 4);
  EXPECT_EQ(std::string(buffer, 4), "3ab6");
  EXPECT_EQ(stream.Size(), 10u);
}

}  // namespace
}  // namespace palvetta
