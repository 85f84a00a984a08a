#pragma once
// Field tables: each class lists its published properties and editor controls once, as
// rows, and hands the table to PALVETTA_DEFINE_CLASS. Rows are made by the helpers of
// namespace fields from a member pointer, the element name and the control, for example
//   fields::Text<&TPushdItem::Path>("Path", "edtPath")
// and the walkers run through a class's rows after its ancestors' rows. Rows made from a
// list (a set's boxes, an item's attributes) join the single rows through JoinFields.

#include <array>
#include <cmath>
#include <cstdint>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>
#include <vector>

#include "base/text.h"
#include "base/utf.h"
#include "gui/editor_values.h"
#include "model/class_info.h"
#include "model/field.h"
#include "model/properties.h"
#include "model/set_boxes.h"

namespace palvetta {

namespace field_access {

// Whether the class or one of its ancestors saves a property of the name.
inline bool SavesProperty(const TClass* cls, std::string_view name) {
  for (; cls; cls = cls->Parent) {
    for (const TField& row : cls->Fields) {
      if (row.Saved() && row.Name == name) return true;
    }
  }
  return false;
}

// The row of the most derived class from `leaf` up to, not including, `owner` that
// saves a property of the name again; nullptr when none does.
inline const TField* Redeclaration(const TClass& leaf, const TClass& owner, std::string_view name) {
  for (const TClass* cls = &leaf; cls && cls != &owner; cls = cls->Parent) {
    for (const TField& row : cls->Fields) {
      if (row.Saved() && row.Name == name) return &row;
    }
  }
  return nullptr;
}

template <class F>
void VisitRows(const TClass& cls, const TClass& leaf, F& visit) {
  if (cls.Parent) VisitRows(*cls.Parent, leaf, visit);
  for (const TField& row : cls.Fields) {
    if (!row.Saved()) {
      visit(row);
    } else if (!SavesProperty(cls.Parent, row.Name)) {
      const TField* redeclared = &cls == &leaf ? nullptr : Redeclaration(leaf, cls, row.Name);
      visit(redeclared ? *redeclared : row);
    }
  }
}

}  // namespace field_access

// Every row of the class and its ancestors, the ancestors' rows first. A class that
// declares a saved property of an ancestor's name again (a member of its own that hides
// the ancestor's) puts its row in the ancestor's place: files keep one element of that
// name, in the ancestor's position, and it holds the class's own value.
template <class F>
void ForEachField(const TClass& cls, F&& visit) {
  field_access::VisitRows(cls, cls, visit);
}

// The object's saved rows, to the visitor (its class's TPersistent::DescribeProperties).
void DescribeFields(TPersistent& object, IPropertyVisitor& visitor);
// Copies every value a row binds to a control into the values, and back.
void FieldsToEditor(const TPersistent& object, TEditorValues& values);
void FieldsFromEditor(TPersistent& object, const TEditorValues& values);

namespace field_access {

template <auto Member>
struct TMemberOf;
template <class C, class V, V C::*Member>
struct TMemberOf<Member> {
  static V& Of(TPersistent& object) { return static_cast<C&>(object).*Member; }
  static const V& Of(const TPersistent& object) { return static_cast<const C&>(object).*Member; }
};

template <auto Member>
auto& Of(TPersistent& object) {
  return TMemberOf<Member>::Of(object);
}
template <auto Member>
const auto& Of(const TPersistent& object) {
  return TMemberOf<Member>::Of(object);
}

template <class>
inline constexpr bool kUnsupported = false;

template <auto Member>
void Describe(TPersistent& object, std::string_view name, IPropertyVisitor& visitor) {
  auto& value = Of<Member>(object);
  using V = std::remove_reference_t<decltype(value)>;
  if constexpr (std::is_same_v<V, std::string>) {
    visitor.String(name, value);
  } else if constexpr (std::is_same_v<V, bool>) {
    visitor.Boolean(name, value);
  } else if constexpr (std::is_same_v<V, int32_t>) {
    visitor.Integer(name, value);
  } else if constexpr (std::is_same_v<V, int64_t>) {
    visitor.LargeInteger(name, value);
  } else if constexpr (std::is_same_v<V, uint8_t>) {
    visitor.Byte(name, value);
  } else if constexpr (std::is_same_v<V, char16_t>) {
    visitor.Char(name, value);
  } else if constexpr (std::is_enum_v<V>) {
    visitor.Enum(name, value);
  } else if constexpr (std::is_same_v<V, std::vector<std::string>>) {
    visitor.StringList(name, value);
  } else if constexpr (std::is_base_of_v<TCollectionBase, V>) {
    visitor.Collection(name, value);
  } else {
    static_assert(kUnsupported<V>, "no property kind for this member type");
  }
}

template <auto Member, TDateTimeKind Kind>
void DescribeDateTime(TPersistent& object, std::string_view name, IPropertyVisitor& visitor) {
  visitor.DateTime(name, Of<Member>(object), Kind);
}

template <auto Member, class E>
void DescribeSet(TPersistent& object, std::string_view name, IPropertyVisitor& visitor) {
  visitor.Set(name, Of<Member>(object), EnumTypeOf<E>());
}

template <auto Member>
void TextToEditor(const TPersistent& object, std::string_view control, TEditorValues& values) {
  values.SetText(control, Of<Member>(object));
}
template <auto Member>
void TextFromEditor(TPersistent& object, std::string_view control, const TEditorValues& values) {
  Of<Member>(object) = values.Text(control);
}
// A memo's lines, each followed by CRLF.
template <auto Member>
void LinesFromEditor(TPersistent& object, std::string_view control, const TEditorValues& values) {
  Of<Member>(object) = LinesText(SplitLines(values.Text(control)));
}

// A list of strings as a memo's lines, each followed by CRLF, and back.
template <auto Member>
void LineListToEditor(const TPersistent& object, std::string_view control, TEditorValues& values) {
  values.SetText(control, LinesText(Of<Member>(object)));
}
template <auto Member>
void LineListFromEditor(TPersistent& object, std::string_view control, const TEditorValues& values) {
  Of<Member>(object) = SplitLines(values.Text(control));
}

// A list of strings as a list box's entries.
template <auto Member>
void EntriesToEditor(const TPersistent& object, std::string_view control, TEditorValues& values) {
  values.SetEntries(control, Of<Member>(object));
}
template <auto Member>
void EntriesFromEditor(TPersistent& object, std::string_view control, const TEditorValues& values) {
  Of<Member>(object) = values.Entries(control);
}

template <auto Member>
void DateToEditor(const TPersistent& object, std::string_view control, TEditorValues& values) {
  values.SetDate(control, Of<Member>(object));
}
template <auto Member>
void DateFromEditor(TPersistent& object, std::string_view control, const TEditorValues& values) {
  Of<Member>(object) = values.Date(control);
}

// A date picker shows only the day: the time of day stored with it stays.
template <auto Member>
void DateTimeFromEditor(TPersistent& object, std::string_view control, const TEditorValues& values) {
  double& value = Of<Member>(object);
  value = std::floor(values.Date(control)) + (value - std::floor(value));
}

// A time picker shows only the time of day: the day stored with it stays.
template <auto Member>
void TimeFromEditor(TPersistent& object, std::string_view control, const TEditorValues& values) {
  double& value = Of<Member>(object);
  const double time = values.Date(control);
  value = std::floor(value) + (time - std::floor(time));
}

template <auto Member>
void FlagToEditor(const TPersistent& object, std::string_view control, TEditorValues& values) {
  values.SetChecked(control, Of<Member>(object));
}
template <auto Member>
void FlagFromEditor(TPersistent& object, std::string_view control, const TEditorValues& values) {
  Of<Member>(object) = values.Checked(control);
}

// A list index, the ordinal of an enumeration or a colour's number; an index the list
// cannot hold keeps the value.
template <auto Member>
void IndexToEditor(const TPersistent& object, std::string_view control, TEditorValues& values) {
  values.SetIndex(control, static_cast<int>(Of<Member>(object)));
}
template <auto Member, int Count>
void IndexFromEditor(TPersistent& object, std::string_view control, const TEditorValues& values) {
  auto& value = Of<Member>(object);
  const int index = values.Index(control);
  if (index >= 0 && index < Count) value = static_cast<std::remove_reference_t<decltype(value)>>(index);
}

template <auto Member>
constexpr int EnumCount() {
  using E = std::remove_cvref_t<decltype(Of<Member>(std::declval<TPersistent&>()))>;
  return static_cast<int>(EnumTypeOf<E>().Values.size());
}

template <auto Member>
void NumberFromEditor(TPersistent& object, std::string_view control, const TEditorValues& values) {
  Of<Member>(object) = values.Index(control);
}

template <auto Member>
void LargeNumberToEditor(const TPersistent& object, std::string_view control, TEditorValues& values) {
  values.SetLargeNumber(control, Of<Member>(object));
}
template <auto Member>
void LargeNumberFromEditor(TPersistent& object, std::string_view control, const TEditorValues& values) {
  Of<Member>(object) = values.LargeNumber(control);
}

// One member of a set (bit i for ordinal i) as a check box of its own.
template <auto Value>
constexpr uint32_t MemberBit() {
  return uint32_t{1} << static_cast<unsigned>(Value);
}
template <auto Member, auto Value>
void MemberToEditor(const TPersistent& object, std::string_view control, TEditorValues& values) {
  values.SetChecked(control, (Of<Member>(object) & MemberBit<Value>()) != 0);
}
template <auto Member, auto Value>
void MemberFromEditor(TPersistent& object, std::string_view control, const TEditorValues& values) {
  uint32_t& members = Of<Member>(object);
  const uint32_t bit = MemberBit<Value>();
  members = values.Checked(control) ? (members | bit) : (members & ~bit);
}

// A drive letter as a one-character text ("C"), or a drive root as it is ("E:\"). A
// drive combo that gives back nothing keeps the value.
template <auto Member>
void DriveToEditor(const TPersistent& object, std::string_view control, TEditorValues& values) {
  const auto& value = Of<Member>(object);
  if constexpr (std::is_same_v<std::remove_cvref_t<decltype(value)>, char16_t>) {
    values.SetText(control, value == 0 ? std::string() : Utf16ToUtf8(std::u16string(1, value)));
  } else {
    values.SetText(control, value);
  }
}
template <auto Member>
void DriveFromEditor(TPersistent& object, std::string_view control, const TEditorValues& values) {
  auto& value = Of<Member>(object);
  const std::string& text = values.Text(control);
  if (text.empty()) return;
  if constexpr (std::is_same_v<std::remove_cvref_t<decltype(value)>, char16_t>) {
    value = Utf8ToUtf16(text).front();
  } else {
    value = text;
  }
}

}  // namespace field_access

namespace field_access {

template <class Part>
constexpr size_t RowCount() {
  if constexpr (std::is_same_v<Part, TField>) {
    return 1;
  } else {
    return std::tuple_size_v<Part>;
  }
}

}  // namespace field_access

// A field table made of single rows and arrays of generated rows, in the order given.
template <class... Parts>
constexpr auto JoinFields(const Parts&... parts) {
  std::array<TField, (field_access::RowCount<Parts>() + ...)> rows{};
  size_t next = 0;
  const auto append = [&rows, &next](const auto& part) {
    if constexpr (std::is_same_v<std::remove_cvref_t<decltype(part)>, TField>) {
      rows[next++] = part;
    } else {
      for (const TField& row : part) rows[next++] = row;
    }
  };
  (append(parts), ...);
  return rows;
}

// Row helpers. The control may be left out for a property that is only saved.
namespace fields {

template <auto Member>
constexpr TField Text(std::string_view name, std::string_view control = {}) {
  using namespace field_access;
  return {name, control, TFieldKind::fkText, &Describe<Member>, &TextToEditor<Member>,
          &TextFromEditor<Member>};
}

// A multi-line text shown in a memo and taken back as typed.
template <auto Member>
constexpr TField Memo(std::string_view name, std::string_view control) {
  TField row = Text<Member>(name, control);
  row.Kind = TFieldKind::fkMemo;
  return row;
}

// A multi-line text shown in a memo and taken back as lines, each ended by CRLF.
template <auto Member>
constexpr TField Lines(std::string_view name, std::string_view control) {
  TField row = Memo<Member>(name, control);
  row.Kind = TFieldKind::fkLines;
  row.FromEditor = &field_access::LinesFromEditor<Member>;
  return row;
}

// A list of strings shown as the lines of a memo, blank lines included.
template <auto Member>
constexpr TField LineList(std::string_view name, std::string_view control) {
  using namespace field_access;
  return {name, control, TFieldKind::fkLines, &Describe<Member>, &LineListToEditor<Member>,
          &LineListFromEditor<Member>};
}

// A list of strings shown as the entries of a list box.
template <auto Member>
constexpr TField EntryList(std::string_view name, std::string_view control) {
  using namespace field_access;
  return {name, control, TFieldKind::fkList, &Describe<Member>, &EntriesToEditor<Member>,
          &EntriesFromEditor<Member>};
}

// A text picked from a list or typed; the item's code offers the list's entries.
template <auto Member>
constexpr TField Choice(std::string_view name, std::string_view control) {
  TField row = Text<Member>(name, control);
  row.Kind = TFieldKind::fkChoice;
  return row;
}

template <auto Member>
constexpr TField Flag(std::string_view name, std::string_view control = {}) {
  using namespace field_access;
  return {name, control, TFieldKind::fkFlag, &Describe<Member>, &FlagToEditor<Member>,
          &FlagFromEditor<Member>};
}

// An enumeration, shown as the index of a list of its values.
template <auto Member>
constexpr TField Enum(std::string_view name, std::string_view control = {}) {
  using namespace field_access;
  return {name,
          control,
          TFieldKind::fkEnumeration,
          &Describe<Member>,
          &IndexToEditor<Member>,
          &IndexFromEditor<Member, EnumCount<Member>()>};
}

// A TFileAttr shown as a row of a three-state grid, the control being the row's field.
template <auto Member>
constexpr TField ThreeState(std::string_view name, std::string_view control) {
  TField row = Enum<Member>(name, control);
  row.Kind = TFieldKind::fkThreeState;
  return row;
}

// A console colour's number (0 to 15), shown as the index of the list of colours.
template <auto Member>
constexpr TField Colour(std::string_view name, std::string_view control) {
  using namespace field_access;
  return {name,       control, TFieldKind::fkColour, &Describe<Member>, &IndexToEditor<Member>,
          &IndexFromEditor<Member, 16>};
}

template <auto Member>
constexpr TField Integer(std::string_view name, std::string_view control = {}) {
  using namespace field_access;
  return {name, control, TFieldKind::fkNumber, &Describe<Member>, &IndexToEditor<Member>,
          &NumberFromEditor<Member>};
}

// A whole number of 64 bits, shown in a number field.
template <auto Member>
constexpr TField LargeInteger(std::string_view name, std::string_view control = {}) {
  using namespace field_access;
  return {name,          control, TFieldKind::fkLargeNumber, &Describe<Member>,
          &LargeNumberToEditor<Member>, &LargeNumberFromEditor<Member>};
}

// A collection; where it names a control, the item's code shows it as the rows of a grid.
template <auto Member>
constexpr TField Grid(std::string_view name, std::string_view control = {}) {
  return {name, control, TFieldKind::fkGrid, &field_access::Describe<Member>, nullptr, nullptr};
}

template <auto Member>
constexpr TField Byte(std::string_view name) {
  return {name, {}, TFieldKind::fkByte, &field_access::Describe<Member>, nullptr, nullptr};
}

// A drive or volume letter.
template <auto Member>
constexpr TField Char(std::string_view name) {
  return {name, {}, TFieldKind::fkChar, &field_access::Describe<Member>, nullptr, nullptr};
}

// A date, saved only or shown in a date picker.
template <auto Member>
constexpr TField Date(std::string_view name, std::string_view control = {}) {
  using namespace field_access;
  return {name,
          control,
          TFieldKind::fkDate,
          &DescribeDateTime<Member, TDateTimeKind::Date>,
          control.empty() ? nullptr : &DateToEditor<Member>,
          control.empty() ? nullptr : &DateFromEditor<Member>};
}

// A time of day, saved only or shown in a time picker.
template <auto Member>
constexpr TField Time(std::string_view name, std::string_view control = {}) {
  using namespace field_access;
  return {name,
          control,
          TFieldKind::fkTime,
          &DescribeDateTime<Member, TDateTimeKind::Time>,
          control.empty() ? nullptr : &DateToEditor<Member>,
          control.empty() ? nullptr : &TimeFromEditor<Member>};
}

// A date and time, saved only or shown as it is in a date picker.
template <auto Member>
constexpr TField DateTime(std::string_view name, std::string_view control = {}) {
  using namespace field_access;
  return {name,
          control,
          TFieldKind::fkDateTime,
          &DescribeDateTime<Member, TDateTimeKind::DateTime>,
          control.empty() ? nullptr : &DateToEditor<Member>,
          control.empty() ? nullptr : &DateTimeFromEditor<Member>};
}

// A drive letter (a character) or a drive root (a text) picked from a drive combo.
template <auto Member>
constexpr TField Drive(std::string_view name, std::string_view control) {
  using namespace field_access;
  return {name, control, TFieldKind::fkDrive, &Describe<Member>, &DriveToEditor<Member>,
          &DriveFromEditor<Member>};
}

template <auto Member>
constexpr TField Strings(std::string_view name) {
  return {name, {}, TFieldKind::fkStrings, &field_access::Describe<Member>, nullptr, nullptr};
}

// A set of the enumeration E's values, bit i standing for ordinal i.
template <auto Member, class E>
constexpr TField Set(std::string_view name) {
  return {name, {}, TFieldKind::fkSet, &field_access::DescribeSet<Member, E>, nullptr, nullptr};
}

// The member Value of the set Member (saved by the set's own row) as a check box.
template <auto Member, auto Value>
constexpr TField SetMember(std::string_view control) {
  using namespace field_access;
  return {{}, control, TFieldKind::fkFlag, nullptr, &MemberToEditor<Member, Value>,
          &MemberFromEditor<Member, Value>};
}

// A control with no saved value of its own, filled and read by the item's code.
constexpr TField Control(TFieldKind kind, std::string_view control) {
  return {{}, control, kind, nullptr, nullptr, nullptr};
}

// The set's row followed by one check box row per letter the boxes show (see TSetBoxes).
template <auto Member, class E, const TSetBoxes& Boxes>
constexpr auto SetWithBoxes(std::string_view name) {
  static_assert(Boxes.Ordinals.size() == EnumTypeOf<E>().Values.size(),
                "one letter per value of the enumeration");
  static_assert(LettersWithin(Boxes.Letters, Boxes.Ordinals), "a box for an unknown member");
  using Names = TSetBoxNames<Boxes>;
  return [name]<size_t... I>(std::index_sequence<I...>) {
    return std::array<TField, 1 + sizeof...(I)>{
        Set<Member, E>(name),
        SetMember<Member, static_cast<E>(Boxes.Ordinals.find(Boxes.Letters[I]))>(
            Names::Name(I))...};
  }(std::make_index_sequence<Boxes.Letters.size()>());
}

}  // namespace fields

}  // namespace palvetta
