// The reading of a program database through the debug-help library, on a small DLL that
// clang and lld built with CodeView information (its .pdb lies beside it).

#include "crash/symbols/win/pdb_map.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "crash/symbols/win/module_map.h"

namespace palvetta {
namespace {

using TLineFunction = int (*)(int);

class PdbMapTest : public testing::Test {
 protected:
  void SetUp() override {
    FModule = LoadLibraryW(FileName().c_str());
    ASSERT_NE(FModule, nullptr) << "cannot load " << PALVETTA_PDB_PROBE_MODULE;
  }
  void TearDown() override {
    if (FModule) FreeLibrary(FModule);
  }
  static std::wstring FileName() {
    const std::string name = PALVETTA_PDB_PROBE_MODULE;
    return std::wstring(name.begin(), name.end());
  }
  static std::u16string FileName16() {
    const std::wstring name = FileName();
    return std::u16string(name.begin(), name.end());
  }
  uintptr_t Export(const char* name) const {
    return reinterpret_cast<uintptr_t>(reinterpret_cast<void*>(GetProcAddress(FModule, name)));
  }
  HMODULE FModule = nullptr;
};

TEST_F(PdbMapTest, ModuleMapReadsTheDatabaseBesideTheModule) {
  const std::unique_ptr<TMapFile> map = CreateModuleMap(FModule, FileName16());
  ASSERT_TRUE(map->Valid());
  EXPECT_GT(map->LineCount(), 0);

  struct TCase {
    const char* Name;
    int Line;
  };
  const auto first = reinterpret_cast<int (*)()>(Export("PdbProbeFirst"));
  const auto second = reinterpret_cast<int (*)(int)>(Export("PdbProbeSecond"));
  ASSERT_TRUE(first && second);
  for (const TCase& c : {TCase{"PdbProbeFirst", first()}, TCase{"PdbProbeSecond", second(1)}}) {
    SCOPED_TRACE(c.Name);
    const uintptr_t address = Export(c.Name);
    const TMfPublic symbol = map->FindPublic(address + 1);
    ASSERT_TRUE(symbol.IsValid);
    EXPECT_EQ(symbol.Name, c.Name);
    EXPECT_EQ(symbol.Address, address);
    EXPECT_EQ(map->FindLine(address), c.Line);
    const TMfSegment segment = map->FindSegment(true, address);
    ASSERT_TRUE(segment.IsValid);
    EXPECT_EQ(segment.Unit_, "pdb_probe_module.cpp");
  }
}

TEST_F(PdbMapTest, AModuleWithoutADatabaseReadsNothing) {
  wchar_t own[MAX_PATH] = {};
  const DWORD length = GetModuleFileNameW(nullptr, own, MAX_PATH);
  TMapFile map;
  EXPECT_FALSE(ReadProgramDatabase(std::u16string(own, own + length), map));
  EXPECT_FALSE(map.Valid());
  EXPECT_EQ(map.LineCount(), 0);
}

}  // namespace
}  // namespace palvetta
