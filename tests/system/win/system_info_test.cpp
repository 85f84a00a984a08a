#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>

#include "support/ascii_text.h"
#include "support/kernel32_module.h"
#include "system/win/system_info.h"

namespace palvetta {
namespace {

TEST(SystemInfoWin, OsInfoDescribesTheRunningSystem) {
  const TOS os = GetOsInfo();
  EXPECT_TRUE(os.winNt);
  EXPECT_FALSE(os.win9x);
  EXPECT_TRUE(os.x64);
  EXPECT_NE(os.Enum, TOsEnum::osNone);
  EXPECT_EQ(Narrow(os.description).rfind(std::string(OsDisplayName(os.Enum)), 0), 0u) << Narrow(os.description);
  EXPECT_NE(Narrow(os.description).find(" x64"), std::string::npos);
}

TEST(SystemInfoWin, FileVersionText) {
  const std::string version = Narrow(GetFileVersionText(ModulePath(Kernel32())));
  ASSERT_FALSE(version.empty());
  EXPECT_EQ(std::count(version.begin(), version.end(), '.'), 3) << version;
  EXPECT_EQ(GetFileVersionText(ModulePath(nullptr)), u"");  // the test program has no version
  EXPECT_EQ(GetFileVersionText(u"C:\\no\\such\\file.dll"), u"");
}

TEST(SystemInfoWin, BadMemoryRanges) {
  const SIZE_T page = 4096;
  auto* block = static_cast<uint8_t*>(VirtualAlloc(nullptr, 4 * page, MEM_RESERVE, PAGE_NOACCESS));
  ASSERT_TRUE(block);
  VirtualAlloc(block, page, MEM_COMMIT, PAGE_READWRITE);
  VirtualAlloc(block + page, page, MEM_COMMIT, PAGE_READONLY);  // readable too, but another region
  VirtualAlloc(block + 2 * page, page, MEM_COMMIT, PAGE_READWRITE | PAGE_GUARD);
  struct Case {
    size_t offset, count;
    bool bad;
  };
  const Case cases[] = {
      {0, page, false},
      {10, page - 10, false},
      {10, page - 9, true},       // one byte into the next region
      {page, page, false},
      {2 * page, 1, true},        // guard page
      {3 * page, 1, true},        // reserved, not committed
  };
  for (const auto& c : cases) EXPECT_EQ(IsBadMemoryRange(block + c.offset, c.count), c.bad) << c.offset << "+" << c.count;
  EXPECT_TRUE(IsBadMemoryRange(nullptr, 1));

  // Uncached memory is readable memory.
  void* uncached = VirtualAlloc(nullptr, page, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE | PAGE_NOCACHE);
  ASSERT_TRUE(uncached);
  EXPECT_FALSE(IsBadMemoryRange(uncached, page));
  VirtualFree(uncached, 0, MEM_RELEASE);
  VirtualFree(block, 0, MEM_RELEASE);
}

TEST(SystemInfoWin, TicksSince) {
  const uint32_t earlier = GetTickCount() - 1000;
  const uint32_t since = TicksSince(earlier);
  EXPECT_GE(since, 1000u);
  EXPECT_LT(since, 60000u);
}

TEST(SystemInfoWin, ShortAndLongPathsRoundTrip) {
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  const std::filesystem::path folder = std::filesystem::path(temp) / L"Palvetta Long Folder Name";
  std::filesystem::create_directories(folder);
  const std::filesystem::path file = folder / L"a rather long file name.txt";
  CloseHandle(CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));

  const std::u16string longPath = FromWide(file.c_str());
  const std::u16string shortPath = ToShortPathW(longPath);
  EXPECT_EQ(ToLongPathW(shortPath), longPath) << Narrow(shortPath);
  // Missing components and wildcards stay as written; one trailing backslash goes.
  EXPECT_EQ(ToShortPathW(u"C:\\no such folder\\x*.txt"), u"C:\\no such folder\\x*.txt");
  EXPECT_EQ(ToLongPathW(u"C:\\NOSUCH~1\\"), u"C:\\NOSUCH~1");
  std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace palvetta
