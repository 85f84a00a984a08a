#include "codec/zip_writer.h"

#include <exception>

#include "base/file_io.h"
#include "codec/checksums.h"
#include "codec/zip_source.h"

namespace palvetta {

namespace {

constexpr uint32_t kLocalHeaderSignature = 0x04034B50;
constexpr uint32_t kCentralHeaderSignature = 0x02014B50;
constexpr uint32_t kEndSignature = 0x06054B50;
constexpr uint16_t kVersion = 20;              // 2.0: deflate; made by MS-DOS conventions
constexpr uint16_t kUtf8NameFlag = 0x0800;
constexpr uint64_t kLocalHeaderSize = 30;
constexpr uint64_t kCentralHeaderSize = 46;
constexpr uint64_t kEndSize = 22;
constexpr uint64_t kMaxArchiveSize = 0xFFFFFFFFu;
constexpr size_t kMaxEntries = 0xFFFF;
constexpr size_t kMaxNameLength = 0xFFFF;

void Put16(std::string& out, uint32_t value) {
  out += static_cast<char>(value);
  out += static_cast<char>(value >> 8);
}

void Put32(std::string& out, uint32_t value) {
  Put16(out, value & 0xFFFF);
  Put16(out, value >> 16);
}

struct TEntry {
  std::string Name;
  uint16_t Method;
  uint32_t DosTime;
  uint32_t Crc;
  uint32_t PackedSize;
  uint32_t Size;
  uint32_t Attributes;
  uint32_t Offset;
};

// The fields the local and the central header share, from "version needed" on.
void PutCommonFields(std::string& out, const TEntry& entry) {
  Put16(out, kVersion);
  Put16(out, kUtf8NameFlag);
  Put16(out, entry.Method);
  Put16(out, entry.DosTime & 0xFFFF);
  Put16(out, entry.DosTime >> 16);
  Put32(out, entry.Crc);
  Put32(out, entry.PackedSize);
  Put32(out, entry.Size);
  Put16(out, static_cast<uint32_t>(entry.Name.size()));
}

std::string EntryName(const std::vector<std::string>& files, const std::vector<std::string>& sendAsNames,
                      size_t i) {
  if (i < sendAsNames.size() && !sendAsNames[i].empty()) return sendAsNames[i];
  const size_t slash = files[i].find_last_of("\\/");
  return slash == std::string::npos ? files[i] : files[i].substr(slash + 1);
}

void PutCentralDirectory(std::string& archive, const std::vector<TEntry>& entries) {
  const auto start = static_cast<uint32_t>(archive.size());
  for (const TEntry& entry : entries) {
    Put32(archive, kCentralHeaderSignature);
    Put16(archive, kVersion);
    PutCommonFields(archive, entry);
    Put16(archive, 0);  // extra field
    Put16(archive, 0);  // comment
    Put16(archive, 0);  // disk
    Put16(archive, 0);  // internal attributes
    Put32(archive, entry.Attributes);
    Put32(archive, entry.Offset);
    archive += entry.Name;
  }
  const auto size = static_cast<uint32_t>(archive.size() - start);
  Put32(archive, kEndSignature);
  Put16(archive, 0);
  Put16(archive, 0);
  Put16(archive, static_cast<uint32_t>(entries.size()));
  Put16(archive, static_cast<uint32_t>(entries.size()));
  Put32(archive, size);
  Put32(archive, start);
  Put16(archive, 0);
}

}  // namespace

TZipEntryData CompressZipEntry(std::string_view contents, TDeflateFunction deflate) {
  std::string packed(contents.size() * 11 / 10 + 12, '\0');
  const uint64_t size = deflate(contents.data(), packed.data(), contents.size(), packed.size());
  if (size == 0) return {kZipStored, std::string(contents)};
  packed.resize(size);
  return {kZipDeflated, std::move(packed)};
}

TZipResult WriteZipArchive(std::string_view zipPath, const std::vector<std::string>& files,
                           const std::vector<std::string>& sendAsNames) {
  TZipResult result;
  try {
    std::string archive;
    std::vector<TEntry> entries;
    uint64_t directorySize = kEndSize;  // of the entries so far
    for (size_t i = 0; i < files.size(); ++i) {
      TZipSource source;
      const TZipSourceStatus status = ReadZipSource(files[i], source);
      if (status != TZipSourceStatus::zssRead) {
        result.Skipped.push_back({files[i], status == TZipSourceStatus::zssTooLarge ? TZipSkipReason::zsrTooLarge
                                                                                     : TZipSkipReason::zsrUnreadable});
        continue;
      }
      TEntry entry;
      entry.Name = EntryName(files, sendAsNames, i);
      TZipEntryData data = CompressZipEntry(source.Bytes);
      // Room for this entry and, after it, the central directory with it and the end record.
      const uint64_t entryEnd = archive.size() + kLocalHeaderSize + entry.Name.size() + data.Data.size();
      const uint64_t record = kCentralHeaderSize + entry.Name.size();
      if (entries.size() == kMaxEntries || entry.Name.size() > kMaxNameLength ||
          entryEnd + directorySize + record > kMaxArchiveSize) {
        result.Skipped.push_back({files[i], TZipSkipReason::zsrTooLarge});
        continue;
      }
      entry.Method = data.Method;
      entry.DosTime = DosDateTime(source.Modified);
      entry.Crc = Crc32Update(0xFFFFFFFF, source.Bytes.data(), source.Bytes.size()) ^ 0xFFFFFFFF;
      entry.PackedSize = static_cast<uint32_t>(data.Data.size());
      entry.Size = static_cast<uint32_t>(source.Bytes.size());
      entry.Attributes = source.Attributes;
      entry.Offset = static_cast<uint32_t>(archive.size());
      Put32(archive, kLocalHeaderSignature);
      PutCommonFields(archive, entry);
      Put16(archive, 0);  // extra field
      archive += entry.Name;
      archive += data.Data;
      directorySize += record;
      entries.push_back(std::move(entry));
    }
    if (entries.empty()) return result;
    PutCentralDirectory(archive, entries);
    WriteFileReplacing(PathFromUtf8(zipPath), archive);
    result.Written = true;
  } catch (const std::exception&) {
    result.Written = false;
  }
  return result;
}

}  // namespace palvetta
