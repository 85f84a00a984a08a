#include "items/seven_zip/seven_zip_items.h"

#include "model/field_table.h"
#include "model/quoting.h"
#include "model/system_items.h"

namespace palvetta {

namespace {

using namespace fields;

constexpr TField kCreateFields[] = {
    Text<&TSevenZipCreateItem::SrcPath>("SrcPath", "edtSrcPath"),
    Text<&TSevenZipCreateItem::ArchFileName>("ArchFileName", "edtArchFileName"),
    Enum<&TSevenZipCreateItem::CompressionLevel>("CompressionLevel", "cmbCompression"),
};

constexpr TField kExtractFields[] = {
    Text<&TSevenZipExtractItem::ArchFileName>("ArchFileName", "edtArchFileName"),
    Text<&TSevenZipExtractItem::ExtractTo>("ExtractTo", "edtExtractTo"),
    Flag<&TSevenZipExtractItem::Subfolders>("Subfolders", "cbxSubfolders"),
    Flag<&TSevenZipExtractItem::OverwriteFiles>("OverwriteFiles", "cbxOverwrite"),
};

constexpr const char* kSevenZip = "\"%KWJ_7Z%\" ";

}  // namespace

PALVETTA_DEFINE_CLASS(TSevenZipCreateItem, TCustomProjectItem, kCreateFields);
PALVETTA_DEFINE_CLASS(TSevenZipExtractItem, TCustomProjectItem, kExtractFields);

// Create

int TSevenZipCreateItem::GetCompressionInt() const {
  const int ordinal = static_cast<int>(CompressionLevel);
  return ordinal >= 0 && ordinal <= static_cast<int>(TCompressionLevel::clUltra) ? ordinal * 2 + 1 : 0;
}

std::string TSevenZipCreateItem::GetHumanReadableText() const {
  return "Create " + (IsBlank(ArchFileName) ? std::string("<u>unknown archive</u>") : "archive " + ArchFileName) +
         " with " + (IsBlank(SrcPath) ? std::string("<u>unknown files</u>") : "files from " + SrcPath);
}

// Both paths are always quoted, each once: a path the user quoted keeps no second pair.
std::string TSevenZipCreateItem::GetBatchText() const {
  DoAddSystemItem(TSys7Zip::Class);
  return kSevenZip + std::string("a -tzip -mx=") + IntToStr(GetCompressionInt()) + " " +
         QuotePath(ArchFileName) + " " + QuotePath(SrcPath);
}

// Extract

std::string TSevenZipExtractItem::GetHumanReadableText() const {
  return "Extract files from " +
         (IsBlank(ArchFileName) ? std::string("<u>unknown archive</u>") : "archive " + ArchFileName) +
         " to " + (IsBlank(ExtractTo) ? std::string("<u>unknown folder</u>") : ExtractTo);
}

std::string TSevenZipExtractItem::GetBatchText() const {
  DoAddSystemItem(TSys7Zip::Class);
  std::string text = kSevenZip + std::string(Subfolders ? "x " : "e ");
  if (!IsBlank(ExtractTo)) text += "-o" + QuotePath(ExtractTo) + " ";
  text += OverwriteFiles ? "-aoa " : "-aos ";
  return text + "-y -r " + QuotePath(ArchFileName);
}

}  // namespace palvetta
