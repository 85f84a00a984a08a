#include "crash/settings/form_stream.h"

#include <cstring>
#include <optional>
#include <string_view>

#include "base/code_page.h"
#include "base/number_text.h"
#include "base/utf.h"

namespace palvetta {
namespace {

constexpr uint8_t kHeader[] = {'T', 'P', 'F', '0', 10,  'T', 'S', 't', 'a', 'c', 'k', 'w', 'a',
                               'r', 'd', 9,   'S', 't', 'a', 'c', 'k', 'w', 'a', 'r', 'd'};

// The value types of the form stream that a settings resource may use.
enum TValueType : uint8_t {
  vtInt8 = 2,
  vtInt16 = 3,
  vtInt32 = 4,
  vtString = 6,
  vtIdent = 7,
  vtFalse = 8,
  vtTrue = 9,
  vtLString = 12,
  vtWString = 18,
  vtUtf8String = 20,
};

// A cursor over the bytes that answers nothing once a read would pass their end.
class TStreamCursor {
 public:
  explicit TStreamCursor(std::span<const uint8_t> bytes) : FBytes(bytes) {}

  std::optional<std::span<const uint8_t>> Take(uint64_t count) {
    if (count > FBytes.size() - FPos) return std::nullopt;
    const auto part = FBytes.subspan(FPos, static_cast<size_t>(count));
    FPos += static_cast<size_t>(count);
    return part;
  }
  std::optional<uint32_t> TakeLittleEndian(int size) {
    const auto part = Take(static_cast<uint64_t>(size));
    if (!part) return std::nullopt;
    uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i) value = (value << 8) | (*part)[static_cast<size_t>(i)];
    return value;
  }
  std::optional<std::string_view> TakeText(uint64_t count) {
    const auto part = Take(count);
    if (!part) return std::nullopt;
    return std::string_view(reinterpret_cast<const char*>(part->data()), part->size());
  }

 private:
  std::span<const uint8_t> FBytes;
  size_t FPos = 0;
};

std::u16string AnsiToWide(std::string_view bytes) { return Utf8ToUtf16(SystemCodePage().ToUtf8(bytes)); }

std::u16string Utf16LeToWide(std::span<const uint8_t> bytes) {
  std::u16string text(bytes.size() / 2, u'\0');
  for (size_t i = 0; i < text.size(); ++i) {
    text[i] = static_cast<char16_t>(bytes[2 * i] | (bytes[2 * i + 1] << 8));
  }
  return text;
}

enum TValueRead { vrRead, vrUnknown, vrTruncated };

// Reads the value of one property into prop.
TValueRead ReadValue(TStreamCursor& cursor, uint8_t type, TSWProperty& prop) {
  auto setInt = [&](std::optional<uint32_t> raw, int size) {
    if (!raw) return vrTruncated;
    const int shift = 32 - 8 * size;  // sign-extends the narrower integers
    prop.Typ = ptInteger;
    prop.VInt = static_cast<int32_t>(*raw << shift) >> shift;
    return vrRead;
  };
  auto setText = [&](std::optional<uint32_t> length, auto decode, uint64_t unitSize) {
    if (!length) return vrTruncated;
    const auto bytes = cursor.Take(*length * unitSize);
    if (!bytes) return vrTruncated;
    prop.Typ = ptString;
    prop.VStr = decode(*bytes);
    return vrRead;
  };
  const auto ansi = [](std::span<const uint8_t> b) {
    return AnsiToWide(std::string_view(reinterpret_cast<const char*>(b.data()), b.size()));
  };
  const auto utf8 = [](std::span<const uint8_t> b) {
    return Utf8ToUtf16(std::string_view(reinterpret_cast<const char*>(b.data()), b.size()));
  };
  switch (type) {
    case vtInt8: return setInt(cursor.TakeLittleEndian(1), 1);
    case vtInt16: return setInt(cursor.TakeLittleEndian(2), 2);
    case vtInt32: return setInt(cursor.TakeLittleEndian(4), 4);
    case vtString: return setText(cursor.TakeLittleEndian(1), ansi, 1);
    case vtIdent: return setText(cursor.TakeLittleEndian(1), utf8, 1);
    case vtLString: return setText(cursor.TakeLittleEndian(4), ansi, 1);
    case vtWString: return setText(cursor.TakeLittleEndian(4), Utf16LeToWide, 2);
    case vtUtf8String: return setText(cursor.TakeLittleEndian(4), utf8, 1);
    case vtFalse:
    case vtTrue:
      prop.Typ = ptBoolean;
      prop.VBool = type == vtTrue;
      return vrRead;
    default: return vrUnknown;
  }
}

}  // namespace

TFormStreamResult ReadSettingsStream(std::span<const uint8_t> bytes, std::vector<TSWProperty>& props) {
  if (bytes.size() < sizeof kHeader || std::memcmp(bytes.data(), kHeader, sizeof kHeader) != 0) {
    return {fsBadHeader, 0};
  }
  TStreamCursor cursor(bytes.subspan(sizeof kHeader));
  for (;;) {
    const auto nameLength = cursor.TakeLittleEndian(1);
    if (!nameLength) return {fsTruncated, 0};
    if (*nameLength == 0) return {fsComplete, 0};
    const auto name = cursor.TakeText(*nameLength);
    const auto type = cursor.TakeLittleEndian(1);
    if (!name || !type) return {fsTruncated, 0};
    TSWProperty prop;
    prop.Name = std::string(*name);
    switch (ReadValue(cursor, static_cast<uint8_t>(*type), prop)) {
      case vrRead: props.push_back(std::move(prop)); break;
      case vrUnknown: return {fsUnknownType, static_cast<uint8_t>(*type)};
      case vrTruncated: return {fsTruncated, 0};
    }
  }
}

std::u16string InvalidSettingsResourceMessage(uint8_t typeCode) {
  return u"Internal error: Invalid settings resource (" + Utf8ToUtf16(CardToHexPadA(typeCode, 1)) + u").";
}

}  // namespace palvetta
