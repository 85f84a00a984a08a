#pragma once
// Published properties: each class describes its persisted state once, to a visitor,
// ancestor's properties first and in declaration order (by default the saved rows of
// its field table, model/field_table.h). Saving, loading, Assign and the tests'
// comparisons all walk this one description.

#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "model/class_info.h"

namespace palvetta {

class IPropertyVisitor;

// Root of every class with published properties.
class TPersistent {
 public:
  static const TClass Class;
  virtual ~TPersistent() = default;
  virtual const TClass& ClassType() const { return Class; }
  std::string_view ClassName() const { return ClassType().Name; }
  // Describes the rows of the field tables of the class and its ancestors that are saved.
  void DescribeProperties(IPropertyVisitor& visitor);
};

// The value names of an enumeration, by ordinal.
struct TEnumType {
  std::string_view Name;
  std::span<const std::string_view> Values;
};

// Specialised once per enumeration, by PALVETTA_ENUM, with `static constexpr TEnumType Type`.
template <class E>
struct TEnumInfo;

// The number of enumerators in the text of an enumerator list ("a, b, c").
constexpr size_t CountEnumerators(std::string_view list) {
  size_t count = 1;
  for (char c : list) count += c == ',' ? 1 : 0;
  return count;
}

// The enumerators' names from the text of an enumerator list, in order.
template <size_t N>
constexpr std::array<std::string_view, N> EnumeratorNames(std::string_view list) {
  std::array<std::string_view, N> names{};
  for (std::string_view& name : names) {
    const size_t comma = list.find(',');
    name = list.substr(0, comma);
    while (!name.empty() && name.front() == ' ') name.remove_prefix(1);
    while (!name.empty() && name.back() == ' ') name.remove_suffix(1);
    list = comma == std::string_view::npos ? std::string_view() : list.substr(comma + 1);
  }
  return names;
}

// Declares, in this namespace, an enumeration and the names files store its values by:
// the names of its enumerators (which therefore take no explicit values).
#define PALVETTA_ENUM(E, ...)                                                                   \
  enum class E { __VA_ARGS__ };                                                                 \
  template <>                                                                                   \
  struct TEnumInfo<E> {                                                                          \
    static constexpr auto Names =                                                               \
        ::palvetta::EnumeratorNames<::palvetta::CountEnumerators(#__VA_ARGS__)>(#__VA_ARGS__); \
    static constexpr TEnumType Type{#E, {Names.data(), Names.size()}};                           \
  }

template <class E>
constexpr const TEnumType& EnumTypeOf() {
  return TEnumInfo<E>::Type;
}

enum class TDateTimeKind { DateTime, Date, Time };

// A list of entries that each carry published properties (run parameters, dispatcher
// rows, ...).
class TCollectionBase {
 public:
  virtual ~TCollectionBase() = default;
  virtual size_t Count() const = 0;
  virtual TPersistent& Entry(size_t index) = 0;
  virtual TPersistent& AddEntry() = 0;
  virtual void Clear() = 0;
};

template <class T>
class TCollection : public TCollectionBase {
 public:
  TCollection() = default;
  TCollection(const TCollection&) = delete;
  TCollection& operator=(const TCollection&) = delete;

  T& Add() { return *FItems.emplace_back(std::make_unique<T>()); }
  T& operator[](size_t index) const { return *FItems.at(index); }
  T& Items(size_t index) const { return *FItems.at(index); }
  size_t Count() const override { return FItems.size(); }
  bool Empty() const { return FItems.empty(); }
  void Clear() override { FItems.clear(); }
  TPersistent& Entry(size_t index) override { return Items(index); }
  TPersistent& AddEntry() override { return Add(); }

  class TIterator {
   public:
    explicit TIterator(typename std::vector<std::unique_ptr<T>>::const_iterator at) : FAt(at) {}
    T& operator*() const { return **FAt; }
    TIterator& operator++() {
      ++FAt;
      return *this;
    }
    bool operator!=(const TIterator& other) const { return FAt != other.FAt; }

   private:
    typename std::vector<std::unique_ptr<T>>::const_iterator FAt;
  };
  TIterator begin() const { return TIterator(FItems.begin()); }
  TIterator end() const { return TIterator(FItems.end()); }

 private:
  std::vector<std::unique_ptr<T>> FItems;
};

class IPropertyVisitor {
 public:
  virtual ~IPropertyVisitor() = default;
  virtual void Boolean(std::string_view name, bool& value) = 0;
  virtual void Integer(std::string_view name, int32_t& value) = 0;
  // A whole number of 64 bits (byte sizes); stored as decimal text like Integer, so a
  // value saved as an Integer reads back unchanged.
  virtual void LargeInteger(std::string_view name, int64_t& value) = 0;
  virtual void Byte(std::string_view name, uint8_t& value) = 0;
  // A drive or volume letter: one UTF-16 code unit.
  virtual void Char(std::string_view name, char16_t& value) = 0;
  virtual void String(std::string_view name, std::string& value) = 0;
  virtual void Enumeration(std::string_view name, int& ordinal, const TEnumType& type) = 0;
  // Bit i set means the value of ordinal i is in the set.
  virtual void Set(std::string_view name, uint32_t& members, const TEnumType& type) = 0;
  // Days since 1899-12-30, fraction = time of day.
  virtual void DateTime(std::string_view name, double& value, TDateTimeKind kind) = 0;
  virtual void StringList(std::string_view name, std::vector<std::string>& lines) = 0;
  virtual void Collection(std::string_view name, TCollectionBase& collection) = 0;

  template <class E>
    requires std::is_enum_v<E>
  void Enum(std::string_view name, E& value) {
    int ordinal = static_cast<int>(value);
    Enumeration(name, ordinal, EnumTypeOf<E>());
    value = static_cast<E>(ordinal);
  }
};

}  // namespace palvetta
