#include <cstring>
#include <new>
#include <optional>

#include "base/number_text.h"
#include "codec/blowfish.h"
#include "codec/packed_block.h"
#include "crash/symbols/mini_stream.h"
#include "crash/symbols/packed_map.h"
#include "crash/symbols/packed_map_format.h"

namespace palvetta {

namespace {

uint32_t GetU32(std::string_view in, size_t at) {
  uint32_t value = 0;
  for (int i = 3; i >= 0; --i) value = value << 8 | static_cast<uint8_t>(in[at + static_cast<size_t>(i)]);
  return value;
}

// Reads the unpacked data; every read is checked, so damage ends in nullopt.
class TPackedReader {
 public:
  explicit TPackedReader(std::string_view data) : FStream(data.data(), data.size()) {}

  std::optional<uint8_t> U8() {
    uint8_t value = 0;
    if (FStream.Read(&value, 1) != 1) return std::nullopt;
    return value;
  }
  std::optional<uint32_t> U32() {
    uint8_t bytes[4];
    if (FStream.Read(bytes, 4) != 4) return std::nullopt;
    return static_cast<uint32_t>(bytes[0] | bytes[1] << 8 | bytes[2] << 16 | uint32_t{bytes[3]} << 24);
  }
  std::optional<uint32_t> Integer() {
    const auto first = U8();
    if (!first) return std::nullopt;
    if (*first == kPackedLongInteger) return U32();
    return static_cast<uint32_t>(static_cast<int32_t>(static_cast<int8_t>(*first)));
  }
  std::optional<std::string> Name() {
    const auto length = U8();
    if (!length || *length > FStream.Remaining()) return std::nullopt;
    std::string name(*length, '\0');
    FStream.Read(name.data(), *length);
    return name;
  }
  // A count of entries of at least minBytes each that the rest of the data can hold, so
  // a damaged count cannot make us reserve more than the data.
  std::optional<uint32_t> Count(size_t minBytes) {
    const auto count = U32();
    if (!count || *count > FStream.Remaining() / minBytes) return std::nullopt;
    return count;
  }
  size_t Remaining() const { return FStream.Remaining(); }

 private:
  TMiniStream FStream;
};

bool ReadEntries(std::string_view data, bool withNames, TMapFile& map) {
  TPackedReader in(data);
  const uintptr_t base = map.Ranges().BaseOfCode;

  const auto segments = in.Count(9);
  if (!segments) return false;
  for (uint32_t i = 0; i < *segments; ++i) {
    const auto start = in.U32();
    const auto length = in.U32();
    if (!start || !length) return false;
    bool lineNumbers = false;
    std::string name;
    if (withNames) {
      auto read = in.Name();
      if (!read) return false;
      name = std::move(*read);
    } else {
      const auto flag = in.U8();
      if (!flag || *flag > 1) return false;
      lineNumbers = *flag != 0;
      name = "segment%" + std::to_string(i);
    }
    map.AddSegment(true, false, false, false, std::move(name), *length, base + *start, lineNumbers);
  }
  map.SortSegments();

  const auto publics = in.Count(withNames ? 2 : 1);
  if (!publics) return false;
  uint32_t offset = 0;
  for (uint32_t i = 0; i < *publics; ++i) {
    std::string name;
    if (withNames) {
      auto read = in.Name();
      if (!read) return false;
      name = std::move(*read);
    } else {
      name = "public%" + std::to_string(i);
    }
    const auto step = i == 0 ? in.U32() : in.Integer();
    if (!step) return false;
    offset = i == 0 ? *step : offset + *step;
    map.AddPublic(true, std::move(name), base + offset);
  }
  map.SortPublics();

  const auto lines = in.Count(2);
  if (!lines) return false;
  uint32_t line = 0;
  offset = 0;
  for (uint32_t i = 0; i < *lines; ++i) {
    const auto lineStep = i == 0 ? in.U32() : in.Integer();
    const auto addressStep = i == 0 ? in.U32() : in.Integer();
    if (!lineStep || !addressStep) return false;
    line = i == 0 ? *lineStep : line + *lineStep;
    offset = i == 0 ? *addressStep : offset + *addressStep;
    map.AddLine(static_cast<int32_t>(line), base + offset, false);
  }
  map.SortLines();

  if (in.Remaining() == 4) {
    map.SetEntryPoint(base + *in.U32());
  } else if (in.Remaining() != 0) {
    return false;
  }
  return true;
}

bool ReadBlock(std::string_view block, TMapFile& map) {
  if (block.size() < kPackedHeaderOld || block.substr(0, kPackedSignature.size()) != kPackedSignature) return false;
  const uint32_t bodyLength = GetU32(block, 14);
  const uint32_t version = GetU32(block, 18);
  if (version != kPackedVersionOld && version != kPackedVersionNew) return false;
  const size_t headerSize = version == kPackedVersionNew ? kPackedHeaderNew : kPackedHeaderOld;
  if (block.size() < headerSize || bodyLength > block.size() - headerSize) return false;
  // Only the zero padding to a multiple of 4 may follow the body.
  const size_t used = headerSize + bodyLength;
  if (block.size() - used >= 4 || block.find_first_not_of('\0', used) != std::string_view::npos) return false;

  bool withNames = true;
  std::optional<uint32_t> checksum;
  if (version == kPackedVersionNew) {
    const uint32_t dateStamp = GetU32(block, 22);
    checksum = GetU32(block, 26);
    const uint32_t flags = GetU32(block, 30);
    if ((flags & ~kPackedFlagNoNames) != 0) return false;  // a later format we cannot read
    const std::string identity =
        PackedDebugInfoIdentity(static_cast<uint32_t>((used + 3) / 4 * 4), dateStamp, *checksum);
    if (!map.MinDebugInfo().empty() && map.MinDebugInfo() != identity) return false;
    withNames = (flags & kPackedFlagNoNames) == 0;
    map.SetMinDebugInfo(withNames ? std::string() : identity);
  } else {
    map.SetMinDebugInfo({});
  }

  std::string body(block.substr(headerSize, bodyLength));
  if (body.size() < 12 || !BlowfishDecryptStr(body, PackedPassPhrase(bodyLength))) return false;
  if (checksum && GetU32(body, 8) != *checksum) return false;
  const std::string data = UnpackCompressed(body);
  if (data.empty()) return false;
  return ReadEntries(data, withNames, map);
}

}  // namespace

std::string PackedDebugInfoIdentity(uint32_t totalLength, uint32_t dateStamp, uint32_t checksum) {
  return CardToHexPadA(totalLength, 8) + ", " + CardToHexPadA(dateStamp, 8) + ", " + CardToHexPadA(checksum, 8);
}

bool ReadPackedDebugInfo(std::string_view block, TMapFile& map) {
  try {
    TMapFile read(map.CodeOnly());
    read.SetRanges(map.Ranges());
    read.SetModuleFileName(map.ModuleFileName());
    read.SetMinDebugInfo(map.MinDebugInfo());
    if (!ReadBlock(block, read)) return false;
    read.SetValid(true);
    map = std::move(read);
    return true;
  } catch (const std::bad_alloc&) {
    return false;
  }
}

}  // namespace palvetta
