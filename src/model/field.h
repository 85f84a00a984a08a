#pragma once
// One row of a class's field table: a published property, the editor control that shows
// it, or both. Saving, loading, Assign and the editor dialog all walk these rows; the
// helpers that make rows are in model/field_table.h.

#include <string_view>

namespace palvetta {

class IPropertyVisitor;
class TEditorValues;
class TPersistent;

// What a row holds, and so the kind of control that shows it: a one-line field (text),
// a memo taken as typed (memo) or as lines each ended by a line break (lines), a list
// that also takes typed text (choice), a check box (flag), a radio button, a list whose
// index is an enumeration's ordinal (enumeration) or one of the 16 console colours
// (colour), a number field (number, or large number for values past the range of int), a
// grid of a collection's entries (grid), a row of a three-state grid (three-state: an
// enumeration of "left out", "set", "not set"), or a list box of a list of strings
// (list), or a drive picked from the machine's drives (drive: a letter, or a root such as
// "E:\"). A date may have a date picker and a time a time picker; the other rows without
// a control are saved only (byte, character, list of strings, set).
enum class TFieldKind {
  fkText,
  fkMemo,
  fkLines,
  fkChoice,
  fkFlag,
  fkRadio,
  fkEnumeration,
  fkColour,
  fkNumber,
  fkLargeNumber,
  fkGrid,
  fkThreeState,
  fkList,
  fkByte,
  fkChar,
  fkDate,
  fkTime,
  fkDateTime,
  fkStrings,
  fkSet,
  fkDrive,
};

struct TField {
  std::string_view Name;     // the element name in files; empty: not saved
  std::string_view Control;  // the editor field; empty: not in the dialog
  TFieldKind Kind;
  // Null where the row has no member to save, or where the item's own code fills and
  // reads the control (a control "bound by code").
  void (*Describe)(TPersistent& object, std::string_view name, IPropertyVisitor& visitor);
  void (*ToEditor)(const TPersistent& object, std::string_view control, TEditorValues& values);
  void (*FromEditor)(TPersistent& object, std::string_view control, const TEditorValues& values);

  bool Saved() const { return !Name.empty(); }
  bool InEditor() const { return !Control.empty(); }

  // The same row with its control left to the item's own code.
  constexpr TField ByCode() const {
    TField row = *this;
    row.ToEditor = nullptr;
    row.FromEditor = nullptr;
    return row;
  }
};

}  // namespace palvetta
