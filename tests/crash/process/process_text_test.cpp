#include <gtest/gtest.h>

#include <cstring>
#include <stdexcept>
#include <vector>

#include "crash/process/auto_action.h"
#include "crash/process/path_names.h"
#include "crash/process/stackward_exception.h"
#include "crash/process/thread_caption.h"
#include "crash/process/thread_list.h"
#include "support/ascii_text.h"

namespace palvetta {
namespace {

std::u16string Widen(std::string_view text) { return std::u16string(text.begin(), text.end()); }

TEST(ProcessText, PathWithoutExtCutsOnlyTheFileNamesExtension) {
  struct Case {
    const char* path;
    const char* expected;
  };
  const Case cases[] = {
      {"C:\\dir\\app.exe", "C:\\dir\\app"},
      {"C:\\my.dir\\app", "C:\\my.dir\\app"},  // a dot in a folder name stays
      {"C:\\dir\\app.tar.gz", "C:\\dir\\app.tar"},
      {"app", "app"},
      {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(Narrow(PathWithoutExt(Widen(c.path))), c.expected) << c.path;
}

TEST(ProcessText, ExpandToExeFolder) {
  struct Case {
    const char* exe;
    const char* path;
    const char* expected;
  };
  const Case cases[] = {
      {"C:\\Apps\\Tool\\tool.exe", "report.txt", "C:\\Apps\\Tool\\report.txt"},
      {"C:\\Apps\\Tool\\tool.exe", "..\\report.txt", "C:\\Apps\\report.txt"},
      {"C:\\Apps\\Tool\\tool.exe", "..\\..\\..\\report.txt", "C:\\report.txt"},
      {"C:\\Apps\\Tool\\tool.exe", "\\Logs\\report.txt", "C:\\Logs\\report.txt"},
      {"C:\\Apps\\Tool\\tool.exe", "D:\\x\\.\\y\\..\\z.txt", "D:\\x\\z.txt"},
      {"C:\\Apps\\Tool\\tool.exe", "sub\\.\\.\\a\\b\\..\\..\\c", "C:\\Apps\\Tool\\sub\\c"},
      {"\\\\srv\\share\\Tool\\tool.exe", "\\Logs\\r.txt", "\\\\srv\\share\\Logs\\r.txt"},
      {"\\\\srv\\share\\Tool\\tool.exe", "..\\r.txt", "\\\\srv\\share\\r.txt"},
      {"C:\\Apps\\Tool\\tool.exe", "\\\\srv\\share\\r.txt", "\\\\srv\\share\\r.txt"},
      {"C:\\Apps\\Tool\\tool.exe", "ab", "C:\\Apps\\Tool\\ab"},
      {"C:\\Apps\\Tool\\tool.exe", "C:\\Dir\\", "C:\\Dir\\"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Narrow(ExpandToExeFolder(Widen(c.path), Widen(c.exe))), c.expected) << c.path;
  }
}

TEST(ProcessText, ThreadCaptions) {
  struct Case {
    const char16_t* name;
    const char16_t* className;
    bool raw;
    const char* expected;
  };
  const Case cases[] = {
      {u"Worker", u"", false, "Worker ($1a2b)"},
      {u"Worker", u"TPool", false, "Worker ($1a2b)"},
      {u"", u"", false, "thread $1a2b"},
      {u"", u"TPool", false, "thread $1a2b (TPool)"},
      {u"-", u"TPool", true, "thread $1a2b (TPool)"},
      {u"-", u"", false, ""},
      {u"Stackward - HandleExceptionThread", u"", false, ""},
      {u"Stackward - HandleExceptionThread", u"", true, "Stackward - HandleExceptionThread ($1a2b)"},
      {u"Stackward - AntiFreezeThread", u"", false, ""},
      {u"Stackward - TraceProcessThread", u"", false, ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Narrow(ThreadCaptionText(0x1a2b, c.name, c.className, c.raw)), c.expected) << Narrow(c.name);
  }
}

// A record list as the system lays it out: process records, each followed by its threads.
class TRecordList {
 public:
  void AddProcess(uint64_t processId, const std::vector<uint64_t>& threads) {
    if (FLastRecord != SIZE_MAX) Put<uint32_t>(FLastRecord, static_cast<uint32_t>(FBytes.size() - FLastRecord));
    FLastRecord = FBytes.size();
    FBytes.resize(FBytes.size() + kProcessRecordSize + threads.size() * kThreadRecordSize);
    Put<uint32_t>(FLastRecord + kProcessRecordThreadCount, static_cast<uint32_t>(threads.size()));
    Put<uint64_t>(FLastRecord + kProcessRecordProcessId, processId);
    for (size_t i = 0; i < threads.size(); ++i) {
      Put<uint64_t>(FLastRecord + kProcessRecordSize + i * kThreadRecordSize + kThreadRecordThreadId, threads[i]);
    }
  }
  std::vector<uint8_t> FBytes;

 private:
  template <class T>
  void Put(size_t at, T value) {
    std::memcpy(FBytes.data() + at, &value, sizeof value);
  }
  size_t FLastRecord = SIZE_MAX;
};

TEST(ProcessText, ThreadIdsOfProcess) {
  TRecordList list;
  list.AddProcess(0, {});
  list.AddProcess(4, {8, 12});
  list.AddProcess(0x1234, {0x20, 0x24, 0x28});
  const auto& b = list.FBytes;
  EXPECT_EQ(ThreadIdsOfProcess(b.data(), b.size(), 0x1234), (TDACardinal{0x20, 0x24, 0x28}));
  EXPECT_EQ(ThreadIdsOfProcess(b.data(), b.size(), 4), (TDACardinal{8, 12}));
  EXPECT_EQ(ThreadIdsOfProcess(b.data(), b.size(), 99), TDACardinal{});
  // A list cut inside the last record's threads gives the threads that are whole.
  EXPECT_EQ(ThreadIdsOfProcess(b.data(), b.size() - kThreadRecordSize + 1, 0x1234), (TDACardinal{0x20, 0x24}));
  EXPECT_EQ(ThreadIdsOfProcess(b.data(), 100, 0), TDACardinal{});
  EXPECT_EQ(ThreadIdsOfProcess(nullptr, 0, 0), TDACardinal{});
}

TEST(ProcessText, AutoActionDue) {
  const int64_t now = 13'000'000'000;
  TExceptionTimes times{};
  EXPECT_FALSE(AutoActionDue(0, times, now));
  EXPECT_TRUE(AutoActionDue(1, times, now));
  for (int i = 0; i < 9; ++i) times[i] = now - i;
  EXPECT_FALSE(AutoActionDue(60, times, now));  // nine exceptions
  times[9] = now - 60;
  EXPECT_TRUE(AutoActionDue(60, times, now));  // ten within 60 seconds
  times[9] = now - 61;
  EXPECT_FALSE(AutoActionDue(60, times, now));
  EXPECT_FALSE(AutoActionDue(0, times, now));
}

}  // namespace
}  // namespace palvetta
