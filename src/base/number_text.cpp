#include "base/number_text.h"

#include <cstddef>
#include <string_view>

namespace palvetta {
namespace {

constexpr size_t kMaxDigits = 20;  // of a 64-bit value in decimal

// The digits of a magnitude, right-aligned in a small buffer.
struct TDigits {
  char Buffer[kMaxDigits];
  size_t Length = 0;

  TDigits(uint64_t magnitude, unsigned base) {
    char* end = Buffer + kMaxDigits;
    char* p = end;
    do {
      *--p = "0123456789abcdef"[magnitude % base];
      magnitude /= base;
    } while (magnitude != 0);
    Length = static_cast<size_t>(end - p);
  }
  const char* Data() const { return Buffer + kMaxDigits - Length; }
};

template <class C>
bool IsDecimalDigit(C c) {
  return c >= '0' && c <= '9';
}

template <class C>
bool IsHexDigit(C c) {
  return IsDecimalDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

template <class C>
class TStringSink {
 public:
  void Put(C c) { FText.push_back(c); }
  std::basic_string<C> Text() { return std::move(FText); }

 private:
  std::basic_string<C> FText;
};

// One text made of a prefix ("-", "$" or nothing) and a body, padded: countedLength is
// the length the fill is measured against, fillInside puts a left fill between prefix
// and body.
template <class C, class Sink, class Body>
void WritePadded(Sink& sink, std::basic_string_view<C> prefix, const Body& body, size_t bodyLength,
                 size_t countedLength, int width, C fill, bool fillInside) {
  const long long wanted = width < 0 ? -static_cast<long long>(width) : width;
  const long long fillCount = wanted - static_cast<long long>(countedLength);
  const auto putFill = [&] {
    for (long long i = 0; i < fillCount; ++i) sink.Put(fill);
  };
  if (width > 0 && !fillInside) putFill();
  for (C c : prefix) sink.Put(c);
  if (width > 0 && fillInside) putFill();
  for (size_t i = 0; i < bodyLength; ++i) sink.Put(static_cast<C>(body[i]));
  if (width < 0) putFill();
}

template <class C, class Sink>
void WriteDecimal(Sink& sink, int64_t value, int width, C fill) {
  const bool negative = value < 0;
  const uint64_t magnitude = negative ? 0 - static_cast<uint64_t>(value) : static_cast<uint64_t>(value);
  const TDigits digits(magnitude, 10);
  static constexpr C kMinus[] = {'-'};
  const std::basic_string_view<C> sign(kMinus, negative ? 1 : 0);
  WritePadded<C>(sink, sign, digits.Data(), digits.Length, sign.size() + digits.Length, width, fill,
                 IsDecimalDigit(fill));
}

template <class C, class Sink>
void WriteHex(Sink& sink, uint64_t bits, int width, C fill) {
  const TDigits digits(bits, 16);
  static constexpr C kDollar[] = {'$'};
  WritePadded<C>(sink, std::basic_string_view<C>(kDollar, 1), digits.Data(), digits.Length,
                 digits.Length, width, fill, IsHexDigit(fill));
}

template <class C>
std::basic_string<C> Decimal(int64_t value, int width, C fill) {
  TStringSink<C> sink;
  WriteDecimal(sink, value, width, fill);
  return sink.Text();
}

template <class C>
std::basic_string<C> Hex(uint64_t bits, int width, C fill) {
  TStringSink<C> sink;
  WriteHex(sink, bits, width, fill);
  return sink.Text();
}

}  // namespace

std::string IntToDecPadA(int32_t value, int width, char fill) { return Decimal(value, width, fill); }
std::string IntToHexPadA(int32_t value, int width, char fill) { return Hex(static_cast<uint32_t>(value), width, fill); }
std::string CardToDecPadA(uint32_t value, int width, char fill) { return Decimal(value, width, fill); }
std::string CardToHexPadA(uint32_t value, int width, char fill) { return Hex(value, width, fill); }
std::string Int64ToHexPadA(int64_t value, int width, char fill) { return Hex(static_cast<uint64_t>(value), width, fill); }
std::u16string CardToDecPadW(uint32_t value, int width, char16_t fill) { return Decimal(value, width, fill); }
std::u16string CardToHexPadW(uint32_t value, int width, char16_t fill) { return Hex(value, width, fill); }

std::u16string SizeToText(int64_t size, char16_t decimalSeparator) {
  const uint64_t magnitude = size < 0 ? 0 - static_cast<uint64_t>(size) : static_cast<uint64_t>(size);
  if (magnitude < 1024) return Decimal<char16_t>(static_cast<int64_t>(magnitude), 0, u' ') + u" Bytes";
  struct TUnit {
    uint64_t Limit;
    uint64_t Divisor;  // what the magnitude is divided by before the hundredths are taken
    const char16_t* Name;
  };
  static constexpr TUnit kUnits[] = {
      {uint64_t{1} << 20, 1, u" KB"}, {uint64_t{1} << 30, uint64_t{1} << 10, u" MB"}, {UINT64_MAX, uint64_t{1} << 20, u" GB"}};
  const TUnit* unit = kUnits;
  while (magnitude >= unit->Limit && unit->Limit != UINT64_MAX) ++unit;
  const uint64_t hundredths = magnitude / unit->Divisor * 100 / 1024;
  std::u16string text = Decimal<char16_t>(static_cast<int64_t>(hundredths), 3, u'0');
  text.insert(text.size() - 2, 1, decimalSeparator);
  return text + unit->Name;
}

}  // namespace palvetta
