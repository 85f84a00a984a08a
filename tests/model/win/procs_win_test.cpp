#include "model/win/procs_win.h"

#include <gtest/gtest.h>

namespace palvetta {
namespace {

TEST(ProcsWin, LogicalDrivesAreRootPaths) {
  TStrings drives{"stale"};
  ListLogicalDrives(drives);
  ASSERT_FALSE(drives.empty());
  for (const auto& drive : drives) {
    ASSERT_EQ(drive.size(), 3u) << drive;
    EXPECT_EQ(drive.substr(1), ":\\");
  }
}

TEST(ProcsWin, DecimalSeparatorIsOneCharacter) {
  const char separator = UserDecimalSeparator();
  EXPECT_TRUE(separator == '.' || separator == ',') << separator;
}

}  // namespace
}  // namespace palvetta
