#include <windows.h>

#include <gtest/gtest.h>

#include "pe/pe_exports.h"
#include "pe/win/loaded_image.h"
#include "support/ascii_text.h"
#include "support/kernel32_module.h"
#include "system/win/system_info.h"

namespace palvetta {
namespace {

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

}  // namespace
}  // namespace palvetta
