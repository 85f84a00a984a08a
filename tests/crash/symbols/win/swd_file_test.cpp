// Maps read from a packed ".swd" file beside a module, a module checked once per check
// period, and a module file replaced on disk getting a fresh map in the next period
// while the old one stays readable.

#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>

#include "crash/symbols/packed_map.h"
#include "crash/symbols/pe_resources.h"
#include "crash/symbols/win/map_cache.h"
#include "crash/symbols/win/module_map.h"
#include "crash/system/win/loaded_image.h"

namespace palvetta {
namespace {

class SwdFileTest : public testing::Test {
 protected:
  void SetUp() override {
    FFolder = std::filesystem::temp_directory_path() / "palvetta_swd_file_test";
    RemoveDeepFolder();
    std::filesystem::remove_all(FFolder);
    PlaceModuleIn(FFolder);
    // Each test's copy has the same name, time and usually load address as the last one.
    ClearMapCache();
  }
  void TearDown() override {
    if (FHandle != nullptr) FreeLibrary(FHandle);
    RemoveDeepFolder();
    std::error_code ignored;
    std::filesystem::remove_all(FFolder, ignored);
  }

  // A folder whose path is longer than the short path limit.
  std::filesystem::path DeepFolder() const {
    std::filesystem::path deep = FFolder;
    while (deep.native().size() <= MAX_PATH) deep /= "a_folder_with_a_rather_long_name";
    return deep;
  }
  // The library's remove_all stops at the short path limit: the deep folder's files and
  // folders go one by one, innermost first.
  void RemoveDeepFolder() const {
    for (auto folder = DeepFolder(); folder.native().size() > FFolder.native().size(); folder = folder.parent_path()) {
      DeleteFileW((folder / "probe_module.dll").c_str());
      DeleteFileW((folder / "probe_module.swd").c_str());
      RemoveDirectoryW(folder.c_str());
    }
  }
  void PlaceModuleIn(const std::filesystem::path& folder) {
    std::filesystem::create_directories(folder);
    FModule = folder / "probe_module.dll";
    std::filesystem::copy_file(std::filesystem::path(PALVETTA_PROBE_MODULE), FModule);
  }
  const void* Load() {
    FHandle = LoadLibraryW(FModule.c_str());
    EXPECT_NE(FHandle, nullptr);
    return reinterpret_cast<const void*>(GetProcAddress(FHandle, "SymbolProbeExport"));
  }
  void Unload() {
    FreeLibrary(FHandle);
    FHandle = nullptr;
  }
  // A map of one function at the export, written beside the module.
  void WriteSwd(const void* function, const std::string& name, int32_t line) {
    const std::optional<TPeImage> image = LoadedImage(FHandle);
    ASSERT_TRUE(image);
    TMapFile map;
    map.SetRanges(CodeRangesOf(*image, reinterpret_cast<uintptr_t>(FHandle)));
    const auto address = reinterpret_cast<uintptr_t>(function);
    map.AddSegment(true, false, false, false, "probe_module.cpp", 0x20, address);
    map.SortSegments();
    map.AddPublic(true, name, address);
    map.AddLine(line, address, false);
    map.SetValid(true);
    std::ofstream(FModule.parent_path() / "probe_module.swd", std::ios::binary) << map.Export(true, false, false);
  }

  std::filesystem::path FFolder;
  std::filesystem::path FModule;
  HMODULE FHandle = nullptr;
};

TEST_F(SwdFileTest, AModuleWithoutItsOwnMapReadsTheFileBesideIt) {
  const void* function = Load();
  ASSERT_NE(function, nullptr);
  EXPECT_FALSE(CreateModuleMap(FHandle, FModule.u16string())->Valid()) << "no .swd file yet";
  WriteSwd(function, "SymbolProbeExport", 4);
  const std::shared_ptr<const TMapFile> map = MapFileForAddress(function);
  ASSERT_TRUE(map->Valid());
  EXPECT_EQ(map->FindPublic(reinterpret_cast<uintptr_t>(function) + 2).Name, "SymbolProbeExport");
  EXPECT_EQ(map->FindLine(reinterpret_cast<uintptr_t>(function)), 4);
  EXPECT_EQ(MapFileForAddress(function), map) << "cached";
}

TEST_F(SwdFileTest, AModuleIsAskedForItsMapOncePerCheckPeriod) {
  const void* function = Load();
  ASSERT_NE(function, nullptr);
  RecheckModuleFiles();
  EXPECT_FALSE(MapFileForAddress(function)->Valid());
  WriteSwd(function, "SymbolProbeExport", 4);
  EXPECT_FALSE(MapFileForAddress(function)->Valid()) << "checked already in this period";
  RecheckModuleFiles();
  EXPECT_TRUE(MapFileForAddress(function)->Valid());
}

TEST_F(SwdFileTest, AModuleBeyondTheShortPathLimitFindsItsMap) {
  PlaceModuleIn(DeepFolder());
  const void* function = Load();
  ASSERT_NE(function, nullptr);
  WriteSwd(function, "SymbolProbeExport", 4);
  const std::shared_ptr<const TMapFile> map = MapFileForAddress(function);
  ASSERT_TRUE(map->Valid());
  EXPECT_EQ(map->FindLine(reinterpret_cast<uintptr_t>(function)), 4);
}

TEST_F(SwdFileTest, AReplacedModuleFileGetsAFreshMap) {
  const void* function = Load();
  ASSERT_NE(function, nullptr);
  WriteSwd(function, "Before", 4);
  const std::shared_ptr<const TMapFile> before = MapFileForAddress(function);
  ASSERT_TRUE(before->Valid());
  Unload();

  // A new build of the module: a later time stamp and a new map.
  {
    HANDLE file = CreateFileW(FModule.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    FILETIME written{};
    GetFileTime(file, nullptr, nullptr, &written);
    ULARGE_INTEGER later{{written.dwLowDateTime, written.dwHighDateTime}};
    later.QuadPart += 10'000'000ull * 60 * 60 * 24;
    written = FILETIME{later.LowPart, later.HighPart};
    EXPECT_TRUE(SetFileTime(file, nullptr, nullptr, &written));
    CloseHandle(file);
  }
  function = Load();
  WriteSwd(function, "After", 9);
  RecheckModuleFiles();  // a new trace
  const std::shared_ptr<const TMapFile> after = MapFileForAddress(function);
  ASSERT_TRUE(after->Valid());
  EXPECT_NE(after, before);
  EXPECT_EQ(after->FindPublic(reinterpret_cast<uintptr_t>(function)).Name, "After");
  // Whoever still held the old map reads it as it was.
  EXPECT_EQ(before->PublicCount(), 1);
  EXPECT_EQ(before->FindPublic(0).Name, "Before");
}

}  // namespace
}  // namespace palvetta
