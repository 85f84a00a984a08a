#include "sample_image.h"

#include <cstring>
#include <string_view>

namespace palvetta::sample_image {
namespace {

constexpr uint32_t kNtHeaders = 0x40;
constexpr uint32_t kOptionalHeader = kNtHeaders + 24;
constexpr uint16_t kOptionalHeaderSize = 240;
constexpr uint32_t kSectionTable = kOptionalHeader + kOptionalHeaderSize;

class TWriter {
 public:
  explicit TWriter(std::vector<uint8_t>& bytes) : FBytes(bytes) {}
  void U16(uint32_t at, uint16_t value) { Put(at, &value, 2); }
  void U32(uint32_t at, uint32_t value) { Put(at, &value, 4); }
  void U64(uint32_t at, uint64_t value) { Put(at, &value, 8); }
  void Text(uint32_t at, std::string_view text) { Put(at, text.data(), text.size()); }

 private:
  void Put(uint32_t at, const void* data, size_t size) {
    if (FBytes.size() < at + size) FBytes.resize(at + size);
    std::memcpy(FBytes.data() + at, data, size);
  }
  std::vector<uint8_t>& FBytes;
};

void WriteHeaders(TWriter& w) {
  w.Text(0, "MZ");
  w.U32(0x3C, kNtHeaders);
  w.Text(kNtHeaders, std::string_view("PE\0\0", 4));
  w.U16(kNtHeaders + 4, 0x8664);
  w.U16(kNtHeaders + 6, 2);  // sections
  w.U16(kNtHeaders + 20, kOptionalHeaderSize);
  w.U16(kNtHeaders + 22, 0x2022);  // executable, large-address aware, DLL
  w.U16(kOptionalHeader, 0x20B);
  w.U64(kOptionalHeader + 24, 0x180000000);
  w.U32(kOptionalHeader + 32, 0x1000);  // section alignment
  w.U32(kOptionalHeader + 36, 0x200);   // file alignment
  w.U32(kOptionalHeader + 56, kSizeOfImage);
  w.U32(kOptionalHeader + 60, 0x400);  // size of headers
  w.U32(kOptionalHeader + 108, 16);
  const uint32_t directories = kOptionalHeader + 112;
  w.U32(directories + 0, kDataRva);  // exports
  w.U32(directories + 4, kExportRangeSize);
  w.U32(directories + 8, 0x1100);  // imports: one descriptor and the closing one
  w.U32(directories + 12, 40);

  struct TSectionRow {
    std::string_view Name;
    uint32_t Rva, VirtualSize, FileOffset, RawSize, Characteristics;
  };
  const TSectionRow sections[] = {
      {".rdata", kDataRva, 0x800, kDataFileOffset, 0x800, 0x40000040},
      {".text", kTextRva, 0x400, kTextFileOffset, 0x400, 0x60000020},
  };
  uint32_t at = kSectionTable;
  for (const auto& s : sections) {
    w.Text(at, s.Name);
    w.U32(at + 8, s.VirtualSize);
    w.U32(at + 12, s.Rva);
    w.U32(at + 16, s.RawSize);
    w.U32(at + 20, s.FileOffset);
    w.U32(at + 36, s.Characteristics);
    at += 40;
  }
}

// The data section's content, written at RVAs through a mapping to the layout.
void WriteData(TWriter& w, uint32_t (*place)(uint32_t rva)) {
  const uint32_t exports = kDataRva;
  w.U32(place(exports + 12), 0x1090);  // module name
  w.U32(place(exports + 16), kOrdinalBase);
  w.U32(place(exports + 20), 5);  // functions
  w.U32(place(exports + 24), 2);  // names
  w.U32(place(exports + 28), 0x1040);
  w.U32(place(exports + 32), 0x1060);
  w.U32(place(exports + 36), 0x1070);
  const uint32_t functions[] = {kAlphaRva, kBetaRva, kNamelessRva, kForwarderRva, 0};
  for (uint32_t i = 0; i < 5; ++i) w.U32(place(0x1040 + i * 4), functions[i]);
  // Names sorted as the loader expects; "Beta" is function 1, "Alpha" function 0.
  w.U32(place(0x1060), 0x1080);
  w.U32(place(0x1064), 0x1088);
  w.U16(place(0x1070), 0);
  w.U16(place(0x1072), 1);
  w.Text(place(0x1080), std::string_view("Alpha\0", 6));
  w.Text(place(0x1088), std::string_view("Beta\0", 5));
  w.Text(place(0x1090), std::string_view("sample.dll\0", 11));
  w.Text(place(kForwarderRva), std::string_view("OTHER.Gamma\0", 12));

  const uint32_t descriptor = 0x1100;
  w.U32(place(descriptor + 0), 0x1180);
  w.U32(place(descriptor + 12), 0x11C0);
  w.U32(place(descriptor + 16), kImportAddressTable);
  for (uint32_t table : {0x1180u, kImportAddressTable}) {
    w.U64(place(table), 0x11D0);
    w.U64(place(table + 8), 0x11E0);
    w.U64(place(table + 16), 0);
  }
  w.Text(place(0x11C0), std::string_view("KERNEL32.dll\0", 13));
  w.Text(place(0x11D2), std::string_view("GetTickCount\0", 13));
  w.Text(place(0x11E2), std::string_view("Sleep\0", 6));
}

}  // namespace

std::vector<uint8_t> Build(TPeLayout layout) {
  const bool file = layout == TPeLayout::plFile;
  std::vector<uint8_t> bytes(file ? kTextFileOffset + 0x400 : kSizeOfImage, 0);
  TWriter w(bytes);
  WriteHeaders(w);
  WriteData(w, file ? +[](uint32_t rva) { return rva - kDataRva + kDataFileOffset; }
                    : +[](uint32_t rva) { return rva; });
  const uint32_t text = file ? kTextFileOffset : kTextRva;
  for (uint32_t i = 0; i < 0x30; ++i) bytes[text + i] = 0xC3;
  return bytes;
}

}  // namespace palvetta::sample_image
