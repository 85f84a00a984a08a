#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <stdexcept>

#include "crash/system/pe_exports.h"
#include "crash/system/win/loaded_image.h"
#include "crash/system/win/method_stub.h"
#include "crash/system/win/system_info.h"

namespace palvetta {
namespace {

std::string Narrow(const std::u16string& text) { return std::string(text.begin(), text.end()); }

HMODULE Kernel32() { return GetModuleHandleW(L"kernel32.dll"); }

std::u16string ModulePath(HMODULE module) {
  wchar_t path[MAX_PATH];
  GetModuleFileNameW(module, path, MAX_PATH);
  return FromWide(path);
}

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

// Every named export of Wine's kernel32, forwarders included, gives the system's
// address, read from memory and from the file.
TEST(LoadedImageWin, Kernel32ExportsMatchGetProcAddress) {
  const HMODULE kernel32 = Kernel32();
  const auto image = LoadedImage(kernel32);
  ASSERT_TRUE(image);
  const auto exports = ReadExportDirectory(*image);
  ASSERT_TRUE(exports);
  int forwarders = 0;
  int named = 0;
  for (uint32_t i = 0; i < exports->NumberOfNames; ++i) {
    const std::string name(*image->StringAt(*image->U32At(exports->AddressOfNames + i * 4)));
    const void* expected = reinterpret_cast<void*>(GetProcAddress(kernel32, name.c_str()));
    EXPECT_EQ(ImageProcAddress(kernel32, name.c_str()), expected) << name;
    const uint32_t rva = ExportRvaByName(*image, *exports, name);
    if (IsForwarderRva(*exports, rva)) {
      ++forwarders;
      const void* resolved = ResolveExportForwarder(kernel32, rva);
      if (resolved) {
        EXPECT_EQ(resolved, expected) << name;
      }
    } else {
      // The name found for the address leads to the same address (names may share one).
      const std::string found = ExportNameOfAddress(kernel32, expected, false);
      EXPECT_EQ(ImageProcAddress(kernel32, found.c_str()), expected) << name << " -> " << found;
    }
    if (i % 50 == 0) {
      EXPECT_EQ(ImageProcAddress(kernel32, name.c_str(), true), expected) << name;
    }
    ++named;
  }
  EXPECT_GT(named, 500);
  EXPECT_GT(forwarders, 0);
  EXPECT_EQ(ImageProcAddress(kernel32, "NoSuchExportAnywhere"), nullptr);
}

TEST(LoadedImageWin, SampleDllOrdinalsForwardersAndNames) {
  const HMODULE sample = LoadLibraryA(PALVETTA_PE_SAMPLE_DLL);
  ASSERT_TRUE(sample);
  void* hidden = ImageProcAddressByOrdinal(sample, 7);
  ASSERT_NE(hidden, nullptr);
  EXPECT_EQ(hidden, reinterpret_cast<void*>(GetProcAddress(sample, MAKEINTRESOURCEA(7))));
  EXPECT_EQ(ExportNameOfAddress(sample, hidden, false), "#7");
  EXPECT_EQ(ExportNameOfAddress(sample, static_cast<uint8_t*>(hidden) + 1, false), "");

  EXPECT_EQ(ImageProcAddress(sample, "SampleTicks"), reinterpret_cast<void*>(GetProcAddress(Kernel32(), "GetTickCount")));

  // A forwarder into a module that is not loaded: the forwarder step loads nothing, the
  // system's answer decides.
  const auto image = LoadedImage(sample);
  const auto exports = ReadExportDirectory(*image);
  const uint32_t missing = ExportRvaByName(*image, *exports, "SampleMissing");
  ASSERT_TRUE(IsForwarderRva(*exports, missing));
  EXPECT_EQ(ResolveExportForwarder(sample, missing), nullptr);
  EXPECT_EQ(ImageProcAddress(sample, "SampleMissing"), reinterpret_cast<void*>(GetProcAddress(sample, "SampleMissing")));
  EXPECT_EQ(GetModuleHandleA("palvetta_not_loaded"), nullptr);

  // Its fixed version is 0: the string table's version counts, unchanged.
  EXPECT_EQ(Narrow(GetFileVersionText(ModulePath(sample))), "7.1 beta");
  EXPECT_EQ(LoadResourceStr(sample, MAKEINTRESOURCEW(10), L"SAMPLEDATA").substr(0, 15), "Palvetta sample");

  const auto module = FindModuleOfAddress(hidden);
  ASSERT_TRUE(module);
  EXPECT_EQ(module->Module, sample);
  EXPECT_NE(Narrow(module->FileName).find("pe_sample.dll"), std::string::npos);
  FreeLibrary(sample);
}

TEST(LoadedImageWin, MapsTheModuleFileAndReadsResources) {
  const TMappedFile file = MapModuleFile(Kernel32());
  ASSERT_TRUE(file);
  const auto image = TPeImage::Open(file.View(), file.Size(), TPeLayout::plFile);
  ASSERT_TRUE(image);
  EXPECT_EQ(image->SizeOfImage(), LoadedImage(Kernel32())->SizeOfImage());
  int notAnImage = 0;
  EXPECT_FALSE(LoadedImage(reinterpret_cast<HMODULE>(&notAnImage)));

  const std::string version = LoadResourceStr(Kernel32(), MAKEINTRESOURCEW(16), MAKEINTRESOURCEW(1));
  const std::wstring_view key(L"VS_VERSION_INFO");
  ASSERT_GT(version.size(), 6 + key.size() * 2);
  EXPECT_EQ(std::wstring_view(reinterpret_cast<const wchar_t*>(version.data() + 6), key.size()), key);
  EXPECT_EQ(LoadResourceStr(Kernel32(), L"NOSUCHTYPE", L"NOSUCHNAME"), "");
  EXPECT_NE(ImageDataDirectory(Kernel32(), kExportDirectory), nullptr);
}

struct TStubObject {
  uintptr_t Seen[4] = {};
  void* Self = nullptr;
};

intptr_t RecordArguments(void* object, uintptr_t a, uintptr_t b, uintptr_t c, uintptr_t d) {
  auto* target = static_cast<TStubObject*>(object);
  target->Self = object;
  target->Seen[0] = a;
  target->Seen[1] = b;
  target->Seen[2] = c;
  target->Seen[3] = d;
  return static_cast<intptr_t>(a + b + c + d);
}

intptr_t Throw(void*, uintptr_t a, uintptr_t, uintptr_t, uintptr_t) { throw std::runtime_error(std::to_string(a)); }

using TCallback = intptr_t (*)(uintptr_t, uintptr_t, uintptr_t, uintptr_t);

TEST(MethodStubWin, CallsTheTargetWithTheObjectFirst) {
  TStubObject object;
  TMethodStub stub(&object, RecordArguments);
  ASSERT_TRUE(stub);
  const auto callback = reinterpret_cast<TCallback>(stub.Code());
  EXPECT_EQ(callback(1, 0x20, 0x300, 0x4000000000), 0x4000000321);
  EXPECT_EQ(object.Self, &object);
  EXPECT_EQ(object.Seen[0], 1u);
  EXPECT_EQ(object.Seen[1], 0x20u);
  EXPECT_EQ(object.Seen[2], 0x300u);
  EXPECT_EQ(object.Seen[3], 0x4000000000u);

  // The stub is a window procedure too.
  auto windowProcedure = reinterpret_cast<WNDPROC>(stub.Code());
  windowProcedure(reinterpret_cast<HWND>(5), WM_USER, 6, 7);
  EXPECT_EQ(object.Seen[1], static_cast<uintptr_t>(WM_USER));
}

TEST(MethodStubWin, ExceptionsUnwindThroughTheStub) {
  TMethodStub stub(nullptr, Throw);
  const auto callback = reinterpret_cast<TCallback>(stub.Code());
  try {
    callback(42, 0, 0, 0);
    ADD_FAILURE() << "no exception";
  } catch (const std::runtime_error& error) {
    EXPECT_STREQ(error.what(), "42");
  }
  TMethodStub moved = std::move(stub);
  EXPECT_FALSE(stub);
  EXPECT_TRUE(moved);
}

}  // namespace
}  // namespace palvetta
