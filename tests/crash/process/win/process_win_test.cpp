#include <windows.h>

#include <aclapi.h>
#include <shlobj.h>
#include <tlhelp32.h>
#include <winternl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <set>
#include <stdexcept>
#include <thread>

#include "base/case_folding.h"
#include "base/path_text.h"
#include "crash/process/stackward_exception.h"
#include "crash/process/win/folders.h"
#include "crash/process/win/import_patch.h"
#include "crash/process/win/live_object.h"
#include "crash/process/win/loader_lock.h"
#include "crash/process/win/process_facts.h"
#include "crash/process/win/registry_text.h"
#include "crash/process/win/shared_security.h"
#include "crash/process/win/thread_except_state.h"
#include "support/ascii_text.h"
#include "system/win/system_info.h"

namespace palvetta {
namespace {

std::set<DWORD> ToolhelpThreads() {
  std::set<DWORD> ids;
  const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
  THREADENTRY32 entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry)) {
    if (entry.th32OwnerProcessID == GetCurrentProcessId()) ids.insert(entry.th32ThreadID);
  }
  CloseHandle(snapshot);
  return ids;
}

TEST(ProcessFactsWin, ThreadListEqualsToolhelps) {
  std::atomic<bool> stop{false};
  std::vector<std::thread> workers;
  for (int i = 0; i < 3; ++i) workers.emplace_back([&] { while (!stop) Sleep(5); });
  const TDACardinal ids = EnumProcessThreads();
  const std::set<DWORD> listed(ids.begin(), ids.end());
  EXPECT_EQ(listed, ToolhelpThreads());
  EXPECT_EQ(listed.size(), ids.size());
  EXPECT_TRUE(listed.count(GetCurrentThreadId()));
  stop = true;
  for (auto& worker : workers) worker.join();
}

TEST(ProcessFactsWin, OpensThreadsById) {
  const TScopedKernelHandle thread = OpenThreadById(GetCurrentThreadId(), THREAD_QUERY_INFORMATION);
  ASSERT_TRUE(thread);
  EXPECT_EQ(GetThreadId(thread.Get()), GetCurrentThreadId());
  DWORD flags = 0;
  GetHandleInformation(thread.Get(), &flags);
  EXPECT_TRUE(flags & HANDLE_FLAG_INHERIT);
  EXPECT_FALSE(OpenThreadById(0xFFFFFFF0, THREAD_QUERY_INFORMATION));
}

TEST(ProcessFactsWin, ModuleListHoldsKernel32AndTheProgram) {
  const TDAModule modules = ListLoadedModules();
  const auto has = [&](HMODULE handle, std::u16string_view name) {
    return std::any_of(modules.begin(), modules.end(), [&](const TModule& m) {
      return m.handle == handle && LowerCaseW(m.fileName) == LowerCaseW(name);
    });
  };
  EXPECT_TRUE(has(GetModuleHandleW(L"kernel32.dll"), u"kernel32.dll"));
  EXPECT_TRUE(has(GetModuleHandleW(L"ntdll.dll"), u"ntdll.dll"));
  EXPECT_TRUE(has(GetModuleHandleW(nullptr), PathFileName(ModuleFileName())));
  std::set<HMODULE> unique;
  for (const auto& m : modules) EXPECT_TRUE(unique.insert(m.handle).second) << Narrow(m.fileName);
  EXPECT_EQ(OwnModule(), GetModuleHandleW(nullptr));  // the reporter lives in the program here
}

TEST(LoaderLockWin, BusyWhileAnotherThreadHoldsTheLoaderLock) {
  EXPECT_FALSE(LoaderLockBusy(0));
  const auto* peb = reinterpret_cast<const uint8_t*>(NtCurrentTeb()->ProcessEnvironmentBlock);
  auto* loaderLock = *reinterpret_cast<CRITICAL_SECTION* const*>(peb + 0x110);
  std::atomic<int> stage{0};
  std::thread holder([&] {
    EnterCriticalSection(loaderLock);
    stage = 1;
    while (stage != 2) Sleep(1);
    LeaveCriticalSection(loaderLock);
  });
  while (stage != 1) Sleep(1);
  EXPECT_TRUE(LoaderLockBusy(30));
  stage = 2;
  holder.join();
  EXPECT_FALSE(LoaderLockBusy(100));
  SetOwnModuleUnloading(true);
  EXPECT_TRUE(LoaderLockBusy(0));
  SetOwnModuleUnloading(false);
}

DWORD WINAPI FakeTickCount() { return 12345; }

TEST(ImportPatchWin, RedirectsARealImportAndBack) {
  const void* original = reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "GetTickCount"));
  const void* fake = reinterpret_cast<void*>(&FakeTickCount);
  const TDAModule program = {{GetModuleHandleW(nullptr), u"program"}};
  EXPECT_GE(PatchAllImports(program, original, fake), 1);
  EXPECT_EQ(GetTickCount(), 12345u);  // through the program's import slot
  EXPECT_GE(PatchModuleImports(GetModuleHandleW(nullptr), fake, original), 1);
  EXPECT_NE(GetTickCount(), 12345u);
  EXPECT_EQ(PatchModuleImports(GetModuleHandleW(nullptr), fake, original), 0);
}

TEST(SharedSecurityWin, ThreeEntriesAndASecondOpenWorks) {
  TSharedSecurity security;
  InitSharedSecurityAttributes(security);
  ASSERT_TRUE(security.Acl);
  ACL_SIZE_INFORMATION info{};
  ASSERT_TRUE(GetAclInformation(security.Acl.Get(), &info, sizeof info, AclSizeInformation));
  EXPECT_EQ(info.AceCount, 3u);
  EXPECT_EQ(security.Attributes.nLength, sizeof(SECURITY_ATTRIBUTES));
  EXPECT_FALSE(security.Attributes.bInheritHandle);
  const wchar_t* name = L"PalvettaSharedSecurityTest";
  const TScopedKernelHandle first(CreateFileMappingW(INVALID_HANDLE_VALUE, &security.Attributes, PAGE_READWRITE, 0, 64, name));
  ASSERT_TRUE(first);
  const TScopedKernelHandle second(CreateFileMappingW(INVALID_HANDLE_VALUE, &security.Attributes, PAGE_READWRITE, 0, 64, name));
  EXPECT_TRUE(second);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
}

TEST(FoldersWin, ExecutableFolderTempFolderAndNames) {
  const std::u16string exe = ModuleFileName();
  EXPECT_EQ(ExpandToExeFolder(u"report.txt"), PathFolder(exe) + u"report.txt");

  const std::u16string temp = GetReportTempFolder();
  ASSERT_FALSE(temp.empty());
  EXPECT_EQ(temp.back(), u'\\');
  EXPECT_NE(Narrow(temp).find("crash_process_win_tests.Stackward\\"), std::string::npos) << Narrow(temp);
  const std::u16string file = temp + u"a.txt";
  CloseHandle(CreateFileW(WidePtr(file), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
  EXPECT_NE(GetFileAttributesW(WidePtr(file)), INVALID_FILE_ATTRIBUTES);
  DeleteReportTempFolder();
  EXPECT_EQ(GetFileAttributesW(WidePtr(temp)), INVALID_FILE_ATTRIBUTES);

  const std::u16string appData = SpecialFolderPath(CSIDL_APPDATA, true);
  EXPECT_EQ(appData.back(), u'\\');
  EXPECT_EQ(SpecialFolderPath(CSIDL_APPDATA, false) + u'\\', appData);
  EXPECT_FALSE(GetComputerNameStr().empty());
  EXPECT_GT(SecondsNow(), int64_t{13'000'000'000});  // after 2012
  EXPECT_FALSE(NeedsUnicode(u"plain text"));
  EXPECT_TRUE(NeedsUnicode(u"snow \u2603 man"));
}

TEST(RegistryTextWin, WriteReadDelete) {
  const std::u16string key = u"Software\\PalvettaTests\\CrashProcess";
  EXPECT_TRUE(RegistryWriteStr(HKEY_CURRENT_USER, key, u"Name", u"J\u00fcrgen \u2603"));
  EXPECT_EQ(RegistryReadStr(HKEY_CURRENT_USER, key, u"Name"), u"J\u00fcrgen \u2603");
  EXPECT_TRUE(RegistryDeleteValue(HKEY_CURRENT_USER, key, u"Name"));
  EXPECT_EQ(RegistryReadStr(HKEY_CURRENT_USER, key, u"Name"), u"");
  EXPECT_FALSE(RegistryDeleteValue(HKEY_CURRENT_USER, key, u"Name"));
  EXPECT_EQ(RegistryReadStr(HKEY_CURRENT_USER, u"Software\\NoSuchKeyAnywhere", u"x"), u"");
  RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\PalvettaTests");
}

TEST(LiveObjectWin, ChecksObjectsWithoutFaulting) {
  const std::out_of_range outOfRange("x");
  EXPECT_TRUE(IsObject(&outOfRange));
  EXPECT_EQ(DynamicTypeOf(&outOfRange), &typeid(std::out_of_range));
  EXPECT_TRUE(IsObjectOfClass(&outOfRange, "std::logic_error"));
  EXPECT_FALSE(IsObjectOfClass(&outOfRange, "std::runtime_error"));

  const uint64_t number = 0x12345678;
  EXPECT_FALSE(IsObject(&number));
  EXPECT_FALSE(IsObject(nullptr));
  void* freed = VirtualAlloc(nullptr, 4096, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
  VirtualFree(freed, 0, MEM_RELEASE);
  EXPECT_FALSE(IsObject(freed));
  const void* pointsAtCode[] = {reinterpret_cast<void*>(&FakeTickCount)};
  EXPECT_FALSE(IsObject(pointsAtCode));
}

TEST(LiveObjectWin, ReporterStackInfoMarker) {
  static const unsigned char record[] = {0x34, 0x64, 0x77, 0x6B, 0x63, 0x61, 0x74, 0x53, 0};
  static const unsigned char other[9] = {};
  TStackwardException ours("boom");
  EXPECT_FALSE(HasReporterStackInfo(&ours, &typeid(ours)));
  ours.StackInfo = const_cast<unsigned char*>(record);
  EXPECT_TRUE(HasReporterStackInfo(&ours, &typeid(ours)));
  ours.StackInfo = const_cast<unsigned char*>(other);
  EXPECT_FALSE(HasReporterStackInfo(&ours, &typeid(ours)));
  ours.StackInfo = reinterpret_cast<void*>(0x10);  // unreadable
  EXPECT_FALSE(HasReporterStackInfo(&ours, &typeid(ours)));
  const std::runtime_error plain("x");
  EXPECT_FALSE(HasReporterStackInfo(&plain, &typeid(plain)));
  ours.StackInfo = nullptr;
}

}  // namespace
}  // namespace palvetta

namespace palvetta {
namespace {

TEST(ThreadExceptStateWin, SavedStateCompletesTheInfo) {
  const std::runtime_error error("saved");
  TThreadExceptState* state = ThreadExceptState();
  ASSERT_TRUE(state);
  EXPECT_EQ(ThreadExceptState(), state);  // the same slot again
  state->Object = &error;
  state->Address = reinterpret_cast<void*>(0x1234);
  RtlCaptureContext(&state->Context);
  state->HasContext = true;

  TExceptInfo info;
  info.Object = &error;
  info.Address = reinterpret_cast<void*>(0x1234);
  CompleteExceptInfo(info);
  EXPECT_EQ(info.Type, &typeid(std::runtime_error));
  EXPECT_EQ(info.Context, &state->Context);

  TExceptInfo other;
  other.Object = &error;
  other.Address = reinterpret_cast<void*>(0x5678);  // another raise: not this state
  CompleteExceptInfo(other);
  EXPECT_EQ(other.Context, nullptr);

  const uint64_t notAnObject = 7;
  TExceptInfo bad;
  bad.Object = &notAnObject;
  CompleteExceptInfo(bad);
  EXPECT_EQ(bad.Object, nullptr);

  // Another thread gets a slot of its own.
  std::thread([state] { EXPECT_NE(ThreadExceptState(), state); ClearThreadExceptState(); }).join();
  ClearThreadExceptState();
  EXPECT_NE(state->OwnerThreadId, GetCurrentThreadId());
}

}  // namespace
}  // namespace palvetta
