#include "base/win/program.h"

#include <gtest/gtest.h>

namespace palvetta {
namespace {

TEST(Program, VersionOfAProgramWithoutVersionResource) {
  EXPECT_EQ(GetAppVersion(false), "1.0");
  EXPECT_EQ(GetAppVersion(true), "1.0");
}

TEST(Program, PathNamesTheRunningExecutable) {
  const std::wstring path = ProgramPath();
  ASSERT_GE(path.size(), 4u);
  EXPECT_EQ(path.substr(path.size() - 4), L".exe");
}

}  // namespace
}  // namespace palvetta
