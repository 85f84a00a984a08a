#include <chrono>
#include <vector>

#include "codec/blowfish.h"
#include "codec/dos_date_time.h"
#include "codec/packed_block.h"
#include "crash/symbols/map_names.h"
#include "crash/symbols/mini_stream.h"
#include "crash/symbols/packed_map.h"
#include "crash/symbols/packed_map_format.h"

namespace palvetta {

namespace {

class TPackedWriter {
 public:
  void U8(uint8_t value) { FStream.Write(&value, 1); }
  void U32(uint32_t value) {
    const uint8_t bytes[4] = {static_cast<uint8_t>(value), static_cast<uint8_t>(value >> 8),
                              static_cast<uint8_t>(value >> 16), static_cast<uint8_t>(value >> 24)};
    FStream.Write(bytes, 4);
  }
  void Integer(int32_t value) {
    if (value >= -127 && value <= 127) {
      U8(static_cast<uint8_t>(value));
    } else {
      U8(kPackedLongInteger);
      U32(static_cast<uint32_t>(value));
    }
  }
  void Name(std::string_view name) {
    const std::string_view cut = CutUtf8(name, kPackedMaxName);
    U8(static_cast<uint8_t>(cut.size()));
    FStream.Write(cut.data(), static_cast<ptrdiff_t>(cut.size()));
  }
  std::string_view Bytes() const {
    return {reinterpret_cast<const char*>(FStream.Memory()), FStream.Size()};
  }

 private:
  TMiniStream FStream;
};

bool IsCodeEntry(bool code, uintptr_t address, const TCodeRanges& ranges) {
  return code && address >= ranges.BaseOfCode && address - ranges.BaseOfCode <= UINT32_MAX;
}

uint32_t Relative(uintptr_t address, const TCodeRanges& ranges) {
  return static_cast<uint32_t>(address - ranges.BaseOfCode);
}

std::string PackedData(const TMapFile& map, const TExportOptions& options) {
  const TCodeRanges& ranges = map.Ranges();
  TPackedWriter out;

  std::vector<TMfSegment> segments;
  for (int i = 0; i < map.SegmentCount(); ++i) {
    TMfSegment segment = map.FindSegment(i);
    if (IsCodeEntry(segment.Code, segment.StartAddress, ranges)) segments.push_back(std::move(segment));
  }
  out.U32(static_cast<uint32_t>(segments.size()));
  for (const TMfSegment& segment : segments) {
    out.U32(Relative(segment.StartAddress, ranges));
    out.U32(segment.Length);
    if (options.MinDebugInfoOnly) {
      const uintptr_t lastByte = segment.StartAddress + segment.Length - 1;
      out.U8(segment.LineNumbers || (segment.Length != 0 && map.FindLine(lastByte) > 0) ? 1 : 0);
    } else {
      out.Name(segment.Unit_);
    }
  }

  std::vector<TMfPublic> publics;
  for (int i = 0; i < map.PublicCount(); ++i) {
    TMfPublic entry = map.FindPublic(i);
    if (IsCodeEntry(entry.Code, entry.Address, ranges)) publics.push_back(std::move(entry));
  }
  out.U32(static_cast<uint32_t>(publics.size()));
  uint32_t previous = 0;
  for (size_t i = 0; i < publics.size(); ++i) {
    const TMfPublic& entry = publics[i];
    if (!options.MinDebugInfoOnly) {
      const bool ugly = options.HideUglyItems && map.FindLine(entry.Address) <= 0;
      out.Name(ugly ? std::string_view() : std::string_view(entry.Name));
    }
    const uint32_t offset = Relative(entry.Address, ranges);
    if (i == 0) {
      out.U32(offset);
    } else {
      out.Integer(static_cast<int32_t>(offset - previous));
    }
    previous = offset;
  }

  std::vector<TMfLine> lines;
  if (!options.MinDebugInfoOnly) {
    for (const TMfLine& line : map.Lines()) {
      if (IsCodeEntry(true, line.Address, ranges)) lines.push_back(line);
    }
  }
  out.U32(static_cast<uint32_t>(lines.size()));
  for (size_t i = 0; i < lines.size(); ++i) {
    const uint32_t offset = Relative(lines[i].Address, ranges);
    if (i == 0) {
      out.U32(static_cast<uint32_t>(lines[i].Line));
      out.U32(offset);
    } else {
      out.Integer(static_cast<int32_t>(static_cast<uint32_t>(lines[i].Line) - static_cast<uint32_t>(lines[i - 1].Line)));
      out.Integer(static_cast<int32_t>(offset - Relative(lines[i - 1].Address, ranges)));
    }
  }

  if (map.EntryPoint() != 0 && IsCodeEntry(true, map.EntryPoint(), ranges)) {
    out.U32(Relative(map.EntryPoint(), ranges));
  }
  return std::string(out.Bytes());
}

void PutU32(std::string& out, uint32_t value) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<char>(value >> (8 * i)));
}

uint32_t GetU32(std::string_view in, size_t at) {
  uint32_t value = 0;
  for (int i = 3; i >= 0; --i) value = value << 8 | static_cast<uint8_t>(in[at + static_cast<size_t>(i)]);
  return value;
}

}  // namespace

std::string WrapPackedData(std::string_view data, bool newFormat, bool noNames, uint32_t dosDateTime) {
  std::string body = PackCompressed(data, false);
  if (body.empty()) return {};
  const uint32_t checksum = GetU32(body, 8);
  const auto bodyLength = static_cast<uint32_t>(body.size());
  if (!BlowfishEncryptStr(body, PackedPassPhrase(bodyLength))) return {};

  std::string block(kPackedSignature);
  PutU32(block, bodyLength);
  PutU32(block, newFormat ? kPackedVersionNew : kPackedVersionOld);
  if (newFormat) {
    // The date comes first, as DOS stamps are usually stored.
    PutU32(block, dosDateTime >> 16 | dosDateTime << 16);
    PutU32(block, checksum);
    PutU32(block, noNames ? kPackedFlagNoNames : 0);
  }
  block += body;
  block.resize((block.size() + 3) / 4 * 4, '\0');
  return block;
}

std::string ExportPackedDebugInfo(const TMapFile& map, const TExportOptions& options, uint32_t dosDateTime) {
  if (!map.Valid()) return {};
  return WrapPackedData(PackedData(map, options), options.NewFormat, options.MinDebugInfoOnly, dosDateTime);
}

std::string TMapFile::Export(bool newFormat, bool minDebugInfoOnly, bool hideUglyItems) const {
  return ExportPackedDebugInfo(*this, TExportOptions{newFormat, minDebugInfoOnly, hideUglyItems},
                               CurrentUtcDosDateTime());
}

uint32_t CurrentUtcDosDateTime() {
  using namespace std::chrono;
  const auto now = system_clock::now();
  const auto days = floor<std::chrono::days>(now);
  const year_month_day date{days};
  const hh_mm_ss clock{floor<seconds>(now - days)};
  return DosDateTime(TLocalDateTime{static_cast<int>(date.year()), static_cast<int>(static_cast<unsigned>(date.month())),
                                    static_cast<int>(static_cast<unsigned>(date.day())), static_cast<int>(clock.hours().count()),
                                    static_cast<int>(clock.minutes().count()), static_cast<int>(clock.seconds().count())});
}

}  // namespace palvetta
