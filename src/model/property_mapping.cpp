#include "model/property_mapping.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>
#include <optional>
#include <stdexcept>

#include "base/date_time_text.h"
#include "base/text.h"

namespace palvetta {
namespace {

const char* BoolText(bool value) { return value ? "TRUE" : "FALSE"; }

std::string OrdinalName(int ordinal, const TEnumType& type) {
  if (ordinal >= 0 && static_cast<size_t>(ordinal) < type.Values.size()) {
    return std::string(type.Values[static_cast<size_t>(ordinal)]);
  }
  return IntToStr(ordinal);
}

std::string ItemName(size_t index) { return "Item" + std::to_string(index); }

class TWritingVisitor final : public IPropertyVisitor {
 public:
  explicit TWritingVisitor(TXmlElement& element) : FElement(element) {}

  void Boolean(std::string_view name, bool& value) override { Add(name, BoolText(value)); }
  void Integer(std::string_view name, int32_t& value) override { Add(name, IntToStr(value)); }
  void LargeInteger(std::string_view name, int64_t& value) override { Add(name, IntToStr(value)); }
  void Byte(std::string_view name, uint8_t& value) override { Add(name, IntToStr(value)); }
  void Char(std::string_view name, char16_t& value) override { Add(name, IntToStr(value)); }
  void String(std::string_view name, std::string& value) override { Add(name, value); }
  void Enumeration(std::string_view name, int& ordinal, const TEnumType& type) override {
    Add(name, OrdinalName(ordinal, type));
  }
  void Set(std::string_view name, uint32_t& members, const TEnumType& type) override {
    TXmlElement& set = Add(name, {});
    for (size_t i = 0; i < type.Values.size(); ++i) {
      set.AddChild(type.Values[i], BoolText((members >> i) & 1U));
    }
  }
  // Every kind of date and time is written in the locale-independent hexadecimal form.
  void DateTime(std::string_view name, double& value, TDateTimeKind) override {
    Add(name, ExtendedToHex(value));
  }
  void StringList(std::string_view name, std::vector<std::string>& lines) override {
    TXmlElement& list = Add(name, {});
    for (size_t i = 0; i < lines.size(); ++i) list.AddChild(ItemName(i), lines[i]);
    list.AddChild("Count", IntToStr(static_cast<long long>(lines.size())));
  }
  void Collection(std::string_view name, TCollectionBase& collection) override {
    TXmlElement& list = Add(name, {});
    for (size_t i = 0; i < collection.Count(); ++i) {
      WriteProperties(collection.Entry(i), list.AddChild(ItemName(i)));
    }
    list.AddChild("Count", IntToStr(static_cast<long long>(collection.Count())));
  }

 private:
  TXmlElement& Add(std::string_view name, std::string_view text) {
    return FElement.AddChild(name, text);
  }
  TXmlElement& FElement;
};

bool ParseInt64(std::string_view text, long long& value) {
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc() && end == text.data() + text.size() && !text.empty();
}

// Integer, large integer, byte and character: decimal text; an empty, invalid or out-of-range text
// reads as -1, so a byte becomes 255 and a character U+FFFF.
template <class T>
T ReadOrdinal(std::string_view text) {
  long long value;
  if (!ParseInt64(Trim(text), value) || value < std::numeric_limits<T>::min() ||
      value > std::numeric_limits<T>::max()) {
    value = -1;
  }
  return static_cast<T>(value);
}
template <>
uint8_t ReadOrdinal<uint8_t>(std::string_view text) {
  long long value;
  return ParseInt64(Trim(text), value) && value >= 0 && value <= 255 ? static_cast<uint8_t>(value)
                                                                    : 255;
}
template <>
char16_t ReadOrdinal<char16_t>(std::string_view text) {
  long long value;
  return ParseInt64(Trim(text), value) && value >= 0 && value <= 0xFFFF
             ? static_cast<char16_t>(value)
             : char16_t{0xFFFF};
}

// The standard text-to-Boolean conversion: a number is true unless zero; anything
// else gives the default, false.
bool ReadBoolean(std::string_view text) {
  const std::string t = Trim(text);
  for (const char* yes : {"TRUE", "YES", "Y"}) {
    if (SameTextAscii(t, yes)) return true;
  }
  for (const char* no : {"FALSE", "NO", "N"}) {
    if (SameTextAscii(t, no)) return false;
  }
  long long number;
  return ParseInt64(t, number) && number != 0;
}

bool IsHexDigits(std::string_view text) {
  for (char c : text) {
    if (!std::isxdigit(static_cast<unsigned char>(c))) return false;
  }
  return true;
}

const char* DateTimeKindName(TDateTimeKind kind) {
  switch (kind) {
    case TDateTimeKind::Date:
      return "date";
    case TDateTimeKind::Time:
      return "time";
    case TDateTimeKind::DateTime:
      break;
  }
  return "date and time";
}

// Number of child elements named Item<n>: the most a Count can honestly claim.
size_t ReadCount(const TXmlElement& list, std::string_view name) {
  const TXmlElement* count = list.FindChild("Count");
  long long value;
  if (!ParseInt64(Trim(count->Text()), value) || value < 0 ||
      static_cast<unsigned long long>(value) > list.ChildCount()) {
    throw std::runtime_error("The list " + std::string(name) + " has a wrong count: \"" +
                             std::string(count->Text()) + "\".");
  }
  return static_cast<size_t>(value);
}

// n for a name that ItemName(n) writes (any case), else nothing.
std::optional<size_t> ItemNumber(std::string_view name) {
  constexpr std::string_view kPrefix = "Item";
  if (name.size() <= kPrefix.size() || !SameTextAscii(name.substr(0, kPrefix.size()), kPrefix)) {
    return {};
  }
  const std::string_view digits = name.substr(kPrefix.size());
  if (digits.size() > 1 && digits.front() == '0') return {};
  size_t number;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), number);
  if (error != std::errc() || end != digits.data() + digits.size()) return {};
  return number;
}

// The entries Item0 .. Item<count-1> of a list, nullptr where one is missing; the first of
// a name counts, as FindChild would find it. One pass over the children, so a list of
// any length loads in time linear in its length.
std::vector<const TXmlElement*> ListEntries(const TXmlElement& list, size_t count) {
  std::vector<const TXmlElement*> entries(count, nullptr);
  for (const TXmlElement& child : list.Children()) {
    const std::optional<size_t> number = ItemNumber(child.Name());
    if (number && *number < count && entries[*number] == nullptr) entries[*number] = &child;
  }
  return entries;
}

// The text of a value property's element. Elements inside it would be dropped without a
// word, so they make the file damaged.
std::string_view ValueText(const TXmlElement& element, std::string_view property) {
  if (element.HasChildren()) {
    throw std::runtime_error(std::string(kDamagedProjectFile) + "the property " +
                             std::string(property) + " holds elements instead of a value.");
  }
  return element.Text();
}

// The text of the value property of that name in the parent; nothing if it has none.
std::optional<std::string_view> FindValueText(const TXmlElement& parent, std::string_view name) {
  const TXmlElement* element = parent.FindChild(name);
  if (element == nullptr) return {};
  return ValueText(*element, name);
}

class TReadingVisitor final : public IPropertyVisitor {
 public:
  explicit TReadingVisitor(const TXmlElement& element) : FElement(element) {}

  void Boolean(std::string_view name, bool& value) override {
    if (auto text = FindValue(name)) value = ReadBoolean(*text);
  }
  void Integer(std::string_view name, int32_t& value) override {
    if (auto text = FindValue(name)) value = ReadOrdinal<int32_t>(*text);
  }
  void LargeInteger(std::string_view name, int64_t& value) override {
    if (auto text = FindValue(name)) value = ReadOrdinal<int64_t>(*text);
  }
  void Byte(std::string_view name, uint8_t& value) override {
    if (auto text = FindValue(name)) value = ReadOrdinal<uint8_t>(*text);
  }
  void Char(std::string_view name, char16_t& value) override {
    if (auto text = FindValue(name)) value = ReadOrdinal<char16_t>(*text);
  }
  void String(std::string_view name, std::string& value) override {
    if (auto text = FindValue(name)) value = *text;
  }
  // A value name, else a decimal ordinal within the enumeration; anything else keeps
  // the value, so an unknown value never becomes an ordinal the program cannot name.
  void Enumeration(std::string_view name, int& ordinal, const TEnumType& type) override {
    const std::optional<std::string_view> value = FindValue(name);
    if (!value) return;
    const std::string text = Trim(*value);
    for (size_t i = 0; i < type.Values.size(); ++i) {
      if (SameTextAscii(type.Values[i], text)) {
        ordinal = static_cast<int>(i);
        return;
      }
    }
    long long number;
    if (ParseInt64(text, number) && number >= 0 &&
        static_cast<unsigned long long>(number) < type.Values.size()) {
      ordinal = static_cast<int>(number);
    }
  }
  void Set(std::string_view name, uint32_t& members, const TEnumType& type) override {
    const TXmlElement* e = Find(name);
    if (!e) return;
    for (size_t i = 0; i < type.Values.size(); ++i) {
      if (const auto member = FindValueText(*e, type.Values[i])) {
        const uint32_t bit = 1U << i;
        members = ReadBoolean(*member) ? (members | bit) : (members & ~bit);
      }
    }
  }
  void DateTime(std::string_view name, double& value, TDateTimeKind kind) override {
    const std::optional<std::string_view> stored = FindValue(name);
    if (!stored) return;
    const std::string text = Trim(*stored);
    if (HexToExtended(text, value)) return;
    if (text.size() < 20 && IsHexDigits(text)) return;  // too short to be a value: kept
    double number;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (error == std::errc() && end == text.data() + text.size() && std::isfinite(number)) {
      value = number;
      return;
    }
    // Older files hold dates and times as the writing user's locale formatted them.
    if (const auto parsed = ParseDateTimeText(text, UserDateOrder())) {
      value = *parsed;
      return;
    }
    throw std::runtime_error("'" + std::string(*stored) + "' is not a valid " + DateTimeKindName(kind));
  }
  void StringList(std::string_view name, std::vector<std::string>& lines) override {
    const TXmlElement* e = Find(name);
    if (!e) return;
    lines.clear();
    if (!e->FindChild("Count")) {
      lines = SplitLines(ValueText(*e, name));
      return;
    }
    const std::vector<const TXmlElement*> entries = ListEntries(*e, ReadCount(*e, name));
    lines.reserve(entries.size());
    for (const TXmlElement* entry : entries) {
      lines.emplace_back(entry != nullptr ? ValueText(*entry, name) : std::string_view());
    }
  }
  void Collection(std::string_view name, TCollectionBase& collection) override {
    const TXmlElement* e = Find(name);
    if (!e || !e->FindChild("Count")) return;
    const std::vector<const TXmlElement*> entries = ListEntries(*e, ReadCount(*e, name));
    collection.Clear();
    for (const TXmlElement* element : entries) {
      TPersistent& entry = collection.AddEntry();
      if (element != nullptr) ReadProperties(*element, entry);
    }
  }

 private:
  const TXmlElement* Find(std::string_view name) const { return FElement.FindChild(name); }
  std::optional<std::string_view> FindValue(std::string_view name) const {
    return FindValueText(FElement, name);
  }
  const TXmlElement& FElement;
};

}  // namespace

void WriteProperties(TPersistent& object, TXmlElement& element) {
  TWritingVisitor visitor(element);
  object.DescribeProperties(visitor);
}

void ReadProperties(const TXmlElement& element, TPersistent& object) {
  TReadingVisitor visitor(element);
  object.DescribeProperties(visitor);
}

std::string ExtendedToHex(double value) {
  uint64_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  const uint16_t sign = static_cast<uint16_t>((bits >> 63) << 15);
  const int exponent = static_cast<int>((bits >> 52) & 0x7FF);
  const uint64_t fraction = bits & ((uint64_t{1} << 52) - 1);
  uint64_t mantissa = 0;
  int extendedExponent = 0;
  if (exponent == 0x7FF) {  // infinity or NaN
    extendedExponent = 0x7FFF;
    mantissa = (uint64_t{1} << 63) | (fraction << 11);
  } else if (exponent != 0) {
    extendedExponent = exponent - 1023 + 16383;
    mantissa = (uint64_t{1} << 63) | (fraction << 11);
  } else if (fraction != 0) {  // subnormal double: normal as an extended
    int top = 51;
    while (!((fraction >> top) & 1)) --top;
    mantissa = fraction << (63 - top);
    extendedExponent = top - 1074 + 16383;
  }
  unsigned char bytes[10];
  for (int i = 0; i < 8; ++i) bytes[i] = static_cast<unsigned char>(mantissa >> (8 * i));
  const uint16_t head = static_cast<uint16_t>(sign | extendedExponent);
  bytes[8] = static_cast<unsigned char>(head & 0xFF);
  bytes[9] = static_cast<unsigned char>(head >> 8);
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string hex;
  for (unsigned char b : bytes) {
    hex += kDigits[b >> 4];
    hex += kDigits[b & 0xF];
  }
  return hex;
}

bool HexToExtended(std::string_view hex, double& value) {
  if (hex.size() != 20 || !IsHexDigits(hex)) return false;
  unsigned char bytes[10];
  for (int i = 0; i < 10; ++i) {
    std::from_chars(hex.data() + 2 * i, hex.data() + 2 * i + 2, bytes[i], 16);
  }
  uint64_t mantissa = 0;
  for (int i = 7; i >= 0; --i) mantissa = (mantissa << 8) | bytes[i];
  const unsigned head = bytes[8] | (bytes[9] << 8);
  const bool negative = (head & 0x8000) != 0;
  const int exponent = static_cast<int>(head & 0x7FFF);
  double magnitude;
  if (exponent == 0x7FFF) {
    magnitude = (mantissa << 1) == 0 ? std::numeric_limits<double>::infinity()
                                     : std::numeric_limits<double>::quiet_NaN();
  } else {
    magnitude = std::ldexp(static_cast<double>(mantissa), exponent - 16383 - 63);
  }
  value = negative ? -magnitude : magnitude;
  return true;
}

}  // namespace palvetta
