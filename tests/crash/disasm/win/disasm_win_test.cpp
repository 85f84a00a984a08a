// The decoder on this process's own memory under Wine: fault-free reads (an execute-only
// page, the whole address space), the analysis of functions of this program against the
// calls objdump lists for them, and the listing of one of them.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <sstream>
#include <string>

#include "crash/disasm/function_listing.h"
#include "crash/disasm/win/loaded_modules.h"
#include "crash/disasm/win/safe_memory.h"
#include "objdump_calls.h"

extern "C" {

__attribute__((noinline)) int DisasmSampleSwitch(int value) {
  switch (value) {
    case 0: return 11;
    case 1: return static_cast<int>(GetTickCount() & 7);
    case 2: return value << 4;
    case 3: return static_cast<int>(GetCurrentProcessId() & 3);
    case 4: return 99;
    case 5: return value ^ 0x55;
    case 6: return static_cast<int>(std::strlen("six"));
    default: return 0;
  }
}

__attribute__((noinline)) unsigned DisasmSampleCalls(const char* text) {
  unsigned sum = static_cast<unsigned>(lstrlenA(text));
  sum += GetLastError();
  OutputDebugStringA(text);
  return sum + static_cast<unsigned>(DisasmSampleSwitch(static_cast<int>(sum & 7)));
}

}  // extern "C"

namespace palvetta {
namespace {

TEST(SafeMemory, ReadsAnExecuteOnlyPageByChangingItsProtectionForTheCopy) {
  void* page = VirtualAlloc(nullptr, 4096, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
  ASSERT_NE(page, nullptr);
  std::memcpy(page, "\x55\x48\x89\xe5\xc3", 5);
  DWORD old = 0;
  ASSERT_TRUE(VirtualProtect(page, 4096, PAGE_EXECUTE, &old));
  const uintptr_t address = reinterpret_cast<uintptr_t>(page);
  const TDATryRead snapshot = SnapshotReadableAreas();
  for (const TDATryRead* using_ : {static_cast<const TDATryRead*>(nullptr), &snapshot}) {
    uint8_t bytes[5] = {};
    EXPECT_TRUE(SafeReadMemory(address, bytes, sizeof bytes, using_));
    EXPECT_EQ(std::memcmp(bytes, "\x55\x48\x89\xe5\xc3", 5), 0);
    MEMORY_BASIC_INFORMATION info;
    ASSERT_EQ(VirtualQuery(page, &info, sizeof info), sizeof info);
    EXPECT_EQ(info.Protect, static_cast<DWORD>(PAGE_EXECUTE));  // restored
  }
  VirtualFree(page, 0, MEM_RELEASE);
}

TEST(SafeMemory, SnapshotCoversTheWholeAddressSpace) {
  const TDATryRead snapshot = SnapshotReadableAreas();
  ASSERT_FALSE(snapshot.empty());
  for (size_t i = 1; i < snapshot.size(); ++i) {
    EXPECT_EQ(snapshot[i - 1].areaEnd, snapshot[i].areaBegin);
    EXPECT_NE(snapshot[i - 1].flags, snapshot[i].flags);
  }
  // The program itself lies above 4 GB: its code reads through the snapshot.
  const uintptr_t code = reinterpret_cast<uintptr_t>(&DisasmSampleSwitch);
  uint8_t byte = 0;
  EXPECT_TRUE(SafeReadMemory(code, &byte, 1, &snapshot));
  EXPECT_FALSE(SafeReadMemory(0, &byte, 1, &snapshot));
  EXPECT_FALSE(SafeReadMemory(16, &byte, 1, nullptr));
  EXPECT_FALSE(SafeReadMemory(~uintptr_t{0} - 2, &byte, 8, &snapshot));  // wraps around
}

std::string ReadText(const char* path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

TEST(FunctionAnalysisWin, FindsEveryCallObjdumpListsInThisProgram) {
  const auto functions = testing::ParseObjdumpCalls(ReadText(PALVETTA_DISASM_OBJDUMP));
  const TDATryRead snapshot = SnapshotReadableAreas();
  const TSafeReader reader(&snapshot);
  const TLoadedModules modules;
  const std::pair<const char*, uintptr_t> samples[] = {
      {"DisasmSampleSwitch", reinterpret_cast<uintptr_t>(&DisasmSampleSwitch)},
      {"DisasmSampleCalls", reinterpret_cast<uintptr_t>(&DisasmSampleCalls)},
  };
  for (const auto& [name, entry] : samples) {
    SCOPED_TRACE(name);
    const auto listed = functions.find(name);
    ASSERT_NE(listed, functions.end());
    EXPECT_FALSE(listed->second.CallOffsets.empty());
    const TFunctionInfo info = AnalyzeFunction(TCpuMode::cm64, entry, reader, modules);
    ASSERT_TRUE(info.IsValid) << info.LastErrorStr;
    for (const uint64_t offset : listed->second.CallOffsets) {
      const uint64_t site = entry + offset;
      bool found = false;
      for (const TFarCall& call : info.FarCalls) found |= call.Call && call.CodeAddr1 == site;
      for (const TUnknownTarget& unknown : info.UnknownTargets) found |= unknown.Call && unknown.CodeAddr1 == site;
      EXPECT_TRUE(found) << "call at +" << std::hex << offset;
    }
  }
}

TEST(FunctionAnalysisWin, AnEntryOutsideCommittedMemoryIsAnInvalidParameter) {
  const TSafeReader reader;
  const TLoadedModules modules;
  const TFunctionInfo info = AnalyzeFunction(TCpuMode::cm64, 0x10, reader, modules);
  EXPECT_FALSE(info.IsValid);
  EXPECT_EQ(info.LastErrorNo, kInvalidParameterError);
  EXPECT_EQ(info.LastErrorAddr, 0x10u);
  EXPECT_FALSE(info.LastErrorStr.empty());
}

// Line numbers as a symbol lookup would give them: a new line every 16 bytes.
class TSampleLines final : public ILineNumbers {
 public:
  explicit TSampleLines(uint64_t entry) : FEntry(entry) {}
  int LineOf(uint64_t address) const override {
    return address >= FEntry && address < FEntry + 0x400 ? 120 + static_cast<int>((address - FEntry) / 16) : 0;
  }

 private:
  uint64_t FEntry;
};

TEST(FunctionListingWin, ListsAFunctionOfTheRunningProgram) {
  const uintptr_t entry = reinterpret_cast<uintptr_t>(&DisasmSampleCalls);
  const TDATryRead snapshot = SnapshotReadableAreas();
  const TSafeReader reader(&snapshot);
  const TLoadedModules modules;
  const TSampleLines lines(entry);
  TListingOptions options;
  options.Names = &modules;
  options.Lines = &lines;
  TFunctionInfo info;
  std::string text;
  ASSERT_TRUE(DisassembleFunctionText(TCpuMode::cm64, entry, reader, modules, options, text, info));
  options.Highlight = info.FarCalls.empty() ? entry : info.FarCalls.front().CodeAddr1;
  ASSERT_TRUE(DisassembleFunctionText(TCpuMode::cm64, entry, reader, modules, options, text, info));
  std::printf("%s\n", text.c_str());
  char title[40];
  std::snprintf(title, sizeof title, "sub_%llx:", static_cast<unsigned long long>(entry));
  EXPECT_EQ(text.rfind(title, 0), 0u);
  char first[40];
  std::snprintf(first, sizeof first, "\r\n%016llx 12", static_cast<unsigned long long>(entry));
  EXPECT_NE(text.find(first), std::string::npos) << "16-digit address and the line number";
  EXPECT_NE(text.find("lstrlenA"), std::string::npos);
  EXPECT_NE(text.find("OutputDebugStringA"), std::string::npos);
  char highlighted[40];
  std::snprintf(highlighted, sizeof highlighted, "%016llx ", static_cast<unsigned long long>(options.Highlight));
  const size_t line = text.find(highlighted);
  ASSERT_NE(line, std::string::npos);
  EXPECT_EQ(text.find('>', line), line + 16 + 1 + 4) << "behind the line-number column";
}

}  // namespace
}  // namespace palvetta
