#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>
#include <map>

#include "pe/pe_exports.h"
#include "pe/pe_image.h"
#include "pe/pe_imports.h"
#include "sample_image.h"

namespace palvetta {
namespace {

namespace si = sample_image;

class PeImageLayouts : public testing::TestWithParam<TPeLayout> {
 protected:
  void SetUp() override {
    FBytes = si::Build(GetParam());
    auto image = TPeImage::Open(FBytes.data(), FBytes.size(), GetParam());
    ASSERT_TRUE(image);
    FImage.emplace(*image);
    auto exports = ReadExportDirectory(*FImage);
    ASSERT_TRUE(exports);
    FExports = *exports;
  }
  std::vector<uint8_t> FBytes;
  std::optional<TPeImage> FImage;
  TExportDirectory FExports;
};

TEST_P(PeImageLayouts, Headers) {
  EXPECT_TRUE(FImage->IsPe32Plus());
  EXPECT_EQ(FImage->NtHeadersOffset(), 0x40u);
  EXPECT_EQ(FImage->SizeOfImage(), si::kSizeOfImage);
  EXPECT_EQ(FImage->ImageBase(), 0x180000000u);
  EXPECT_EQ(FImage->SectionCount(), 2u);
  EXPECT_EQ(FImage->Directory(kExportDirectory).Rva, si::kDataRva);
  EXPECT_EQ(FImage->Directory(kResourceDirectory).Rva, 0u);
  EXPECT_EQ(FImage->Directory(16).Rva, 0u);  // beyond the image's 16 directories
}

TEST_P(PeImageLayouts, RvaToFileOffset) {
  struct Case {
    uint32_t rva, offset;
  };
  const Case cases[] = {
      {0x10, 0x10},  // before every section: unchanged
      {si::kDataRva, si::kDataFileOffset},
      {si::kDataRva + 0x7FF, si::kDataFileOffset + 0x7FF},
      {si::kTextRva, si::kTextFileOffset},
      {si::kTextRva + 0x5000, si::kTextFileOffset + 0x5000},  // the last section takes all above
  };
  for (const auto& c : cases) EXPECT_EQ(FImage->RvaToFileOffset(c.rva), c.offset) << std::hex << c.rva;
}

TEST_P(PeImageLayouts, ExportsByNameOrdinalAndForwarder) {
  EXPECT_EQ(FExports.Base, si::kOrdinalBase);
  EXPECT_EQ(ExportRvaByName(*FImage, FExports, "Alpha"), si::kAlphaRva);
  EXPECT_EQ(ExportRvaByName(*FImage, FExports, "Beta"), si::kBetaRva);
  EXPECT_EQ(ExportRvaByName(*FImage, FExports, "alpha"), 0u);  // names compare exactly
  EXPECT_EQ(ExportRvaByName(*FImage, FExports, "Alph"), 0u);
  EXPECT_EQ(ExportRvaByOrdinal(*FImage, FExports, si::kOrdinalBase + 2), si::kNamelessRva);
  EXPECT_EQ(ExportRvaByOrdinal(*FImage, FExports, si::kOrdinalBase - 1), 0u);
  EXPECT_EQ(ExportRvaByOrdinal(*FImage, FExports, si::kOrdinalBase + 5), 0u);

  const uint32_t forwarderRva = ExportRvaByOrdinal(*FImage, FExports, si::kOrdinalBase + 3);
  EXPECT_FALSE(IsForwarderRva(FExports, si::kAlphaRva));
  ASSERT_TRUE(IsForwarderRva(FExports, forwarderRva));
  const auto forwarder = ReadForwarder(*FImage, FExports, forwarderRva);
  ASSERT_TRUE(forwarder);
  EXPECT_EQ(forwarder->Module, "OTHER");
  EXPECT_EQ(forwarder->Function, "Gamma");
}

TEST_P(PeImageLayouts, ExportNames) {
  EXPECT_EQ(ExportNameOfRva(*FImage, FExports, si::kAlphaRva), "Alpha");
  EXPECT_EQ(ExportNameOfRva(*FImage, FExports, si::kBetaRva), "Beta");
  EXPECT_EQ(ExportNameOfRva(*FImage, FExports, si::kNamelessRva), "#7");
  EXPECT_EQ(ExportNameOfRva(*FImage, FExports, si::kAlphaRva + 1), "");
}

TEST(PeImage, ExportNameOfAnAddressSeveralExportsShare) {
  // "Alpha" names function 2, which now shares its address with the nameless function 0.
  std::vector<uint8_t> bytes = si::Build(TPeLayout::plLoaded);
  const uint16_t alphaIndex = 2;
  std::memcpy(&bytes[0x1070], &alphaIndex, sizeof alphaIndex);
  std::memcpy(&bytes[0x1040 + alphaIndex * 4], &si::kAlphaRva, sizeof si::kAlphaRva);
  const auto image = TPeImage::Open(bytes.data(), bytes.size(), TPeLayout::plLoaded);
  ASSERT_TRUE(image);
  const auto exports = ReadExportDirectory(*image);
  ASSERT_TRUE(exports);
  EXPECT_EQ(ExportNameOfRva(*image, *exports, si::kAlphaRva), "Alpha");
}

TEST_P(PeImageLayouts, ImportSlots) {
  std::vector<std::pair<std::string, uint32_t>> slots;
  EXPECT_TRUE(ForEachImportSlot(*FImage, [&](std::string_view module, uint32_t rva) {
    slots.emplace_back(module, rva);
  }));
  const std::vector<std::pair<std::string, uint32_t>> expected = {
      {"KERNEL32.dll", si::kImportAddressTable}, {"KERNEL32.dll", si::kImportAddressTable + 8}};
  EXPECT_EQ(slots, expected);
}

INSTANTIATE_TEST_SUITE_P(Both, PeImageLayouts, testing::Values(TPeLayout::plLoaded, TPeLayout::plFile));

TEST(PeImage, RefusesWhatIsNoImage) {
  std::vector<uint8_t> bytes = si::Build(TPeLayout::plFile);
  const auto opens = [&](const std::vector<uint8_t>& b) {
    return TPeImage::Open(b.data(), b.size(), TPeLayout::plFile).has_value();
  };
  EXPECT_TRUE(opens(bytes));
  EXPECT_FALSE(TPeImage::Open(nullptr, 0, TPeLayout::plFile));
  EXPECT_FALSE(opens(std::vector<uint8_t>(bytes.begin(), bytes.begin() + 0x3F)));
  auto damaged = bytes;
  damaged[1] = 'X';  // "MX"
  EXPECT_FALSE(opens(damaged));
  damaged = bytes;
  damaged[0x3C] = 0xF0;  // the NT headers' offset points past the bytes
  damaged[0x3D] = 0xFF;
  EXPECT_FALSE(opens(damaged));
  damaged = bytes;
  damaged[0x40 + 2] = 'X';  // "PEX\0"
  EXPECT_FALSE(opens(damaged));
  damaged = bytes;
  damaged[0x40 + 24] = 0x07;  // optional-header magic of a ROM image
  EXPECT_FALSE(opens(damaged));
}

TEST(PeImage, TablesRunningPastTheBytesReadAsMissing) {
  std::vector<uint8_t> bytes = si::Build(TPeLayout::plLoaded);
  // The names claim a table far longer than the image.
  const uint32_t names = 0x1000 + 24;
  bytes[names + 3] = 0x10;
  auto image = TPeImage::Open(bytes.data(), bytes.size(), TPeLayout::plLoaded);
  ASSERT_TRUE(image);
  const auto exports = ReadExportDirectory(*image);
  ASSERT_TRUE(exports);
  EXPECT_EQ(ExportRvaByName(*image, *exports, "Beta"), si::kBetaRva);
  EXPECT_EQ(ExportRvaByName(*image, *exports, "Missing"), 0u);
  EXPECT_EQ(exports->NumberOfNames, bytes.size() / 4);  // no more than the bytes can hold

  // An import address table that starts outside the image makes the table invalid.
  bytes = si::Build(TPeLayout::plLoaded);
  const uint32_t firstThunk = 0x1100 + 16;
  bytes[firstThunk + 2] = 0x10;  // 0x1011A0, beyond SizeOfImage
  image = TPeImage::Open(bytes.data(), bytes.size(), TPeLayout::plLoaded);
  int visited = 0;
  EXPECT_FALSE(ForEachImportSlot(*image, [&](std::string_view, uint32_t) { ++visited; }));
  EXPECT_EQ(visited, 0);

  // The export table cut off in the middle of its fields: no table.
  bytes = si::Build(TPeLayout::plLoaded);
  bytes.resize(0x1010);
  image = TPeImage::Open(bytes.data(), bytes.size(), TPeLayout::plLoaded);
  ASSERT_TRUE(image);
  EXPECT_FALSE(ReadExportDirectory(*image));
}

// A file whose sections all share the same file bytes under a SizeOfImage of 2 GB: an
// RVA walk through it reads those bytes over and over, so it must stop where a table
// could no longer fit in the file.
std::vector<uint8_t> SectionsSharingBytes(unsigned sectionCount, uint32_t sectionSpan) {
  std::vector<uint8_t> bytes(0x1000, 0);
  const auto put32 = [&](uint32_t at, uint32_t value) { std::memcpy(&bytes[at], &value, 4); };
  const auto put16 = [&](uint32_t at, uint16_t value) { std::memcpy(&bytes[at], &value, 2); };
  bytes[0] = 'M', bytes[1] = 'Z';
  put32(0x3C, 0x40);
  std::memcpy(&bytes[0x40], "PE\0\0", 4);
  put16(0x40 + 6, static_cast<uint16_t>(sectionCount));
  put16(0x40 + 20, 240);
  const uint32_t optionalHeader = 0x40 + 24;
  put16(optionalHeader, 0x20B);
  put32(optionalHeader + 56, 0x80000000);  // SizeOfImage
  put32(optionalHeader + 108, 16);
  const uint32_t descriptor = 0x3D0;  // in the headers, below every section
  put32(optionalHeader + 112 + 8, descriptor);
  put32(optionalHeader + 112 + 12, 40);
  for (unsigned i = 0; i < sectionCount; ++i) {
    const uint32_t header = optionalHeader + 240 + i * 40;
    put32(header + 12, 0x1000 + i * sectionSpan);  // VirtualAddress
    put32(header + 16, sectionSpan);               // SizeOfRawData
    put32(header + 20, 0x400);                     // PointerToRawData: the same for all
  }
  put32(descriptor + 12, 0x3F8);   // the module's name
  put32(descriptor + 16, 0x1000);  // its address table: the shared bytes
  bytes[0x3F8] = 'X';
  std::fill(bytes.begin() + 0x400, bytes.end(), 0x11);  // every slot looks filled
  return bytes;
}

TEST(PeImage, WalksStopWhereTheTablesNoLongerFitTheFile) {
  const std::vector<uint8_t> bytes = SectionsSharingBytes(16, 0xC00);
  const auto image = TPeImage::Open(bytes.data(), bytes.size(), TPeLayout::plFile);
  ASSERT_TRUE(image);
  ASSERT_EQ(image->RvaToFileOffset(0x1000 + 15 * 0xC00 + 8), 0x408u);
  size_t visited = 0;
  EXPECT_FALSE(ForEachImportSlot(*image, [&](std::string_view, uint32_t) { ++visited; }));
  EXPECT_LE(visited, bytes.size() / 8);
}

TEST(PeImage, SectionsInDescendingOrderMapNothing) {
  std::vector<uint8_t> bytes = SectionsSharingBytes(3, 0x400);
  const uint32_t secondSectionAddress = 0x40 + 24 + 240 + 40 + 12;
  const uint32_t below = 0x800;  // below the first section's 0x1000
  std::memcpy(&bytes[secondSectionAddress], &below, 4);
  const auto image = TPeImage::Open(bytes.data(), bytes.size(), TPeLayout::plFile);
  ASSERT_TRUE(image);
  EXPECT_FALSE(image->RvaToFileOffset(0x1000));
  EXPECT_FALSE(image->U32At(0x1000));
  EXPECT_FALSE(ForEachImportSlot(*image, [](std::string_view, uint32_t) {}));
}

#ifdef PALVETTA_PE_SAMPLE_DLL
// A DLL that mingw-w64 built (pe_sample_dll.cpp and .def), read as a file from disk.
TEST(PeImage, ReadsAMingwBuiltDll) {
  std::ifstream file(PALVETTA_PE_SAMPLE_DLL, std::ios::binary);
  ASSERT_TRUE(file);
  const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  const auto image = TPeImage::Open(bytes.data(), bytes.size(), TPeLayout::plFile);
  ASSERT_TRUE(image);
  EXPECT_TRUE(image->IsPe32Plus());
  const auto exports = ReadExportDirectory(*image);
  ASSERT_TRUE(exports);

  for (const char* name : {"SampleAdd", "SampleNamed"}) {
    const uint32_t rva = ExportRvaByName(*image, *exports, name);
    EXPECT_NE(rva, 0u) << name;
    EXPECT_FALSE(IsForwarderRva(*exports, rva)) << name;
    EXPECT_EQ(ExportNameOfRva(*image, *exports, rva), name);
  }
  const uint32_t hidden = ExportRvaByOrdinal(*image, *exports, 7);
  EXPECT_NE(hidden, 0u);
  EXPECT_EQ(ExportNameOfRva(*image, *exports, hidden), "#7");

  const uint32_t ticks = ExportRvaByName(*image, *exports, "SampleTicks");
  const auto forwarder = ReadForwarder(*image, *exports, ticks);
  ASSERT_TRUE(forwarder);
  EXPECT_EQ(forwarder->Module, "KERNEL32");
  EXPECT_EQ(forwarder->Function, "GetTickCount");

  std::map<std::string, int> slotsPerModule;
  EXPECT_TRUE(ForEachImportSlot(*image, [&](std::string_view module, uint32_t) { ++slotsPerModule[std::string(module)]; }));
  EXPECT_EQ(slotsPerModule["KERNEL32.dll"], 1);  // GetCurrentProcessId
}
#endif

}  // namespace
}  // namespace palvetta
