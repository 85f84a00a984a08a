#pragma once
// The base of the query tools that run against another computer (DRIVERQUERY, GPRESULT,
// OPENFILES): the remote system, user and password, and the output switches.

#include <string>

#include "model/class_info.h"
#include "model/custom_project_item.h"
#include "model/field_table.h"
#include "model/types.h"

namespace palvetta {

class TCustomSUPItem : public TCustomProjectItem {
 public:
  PALVETTA_CLASS

  std::string System;
  std::string User;
  std::string Password;  // kept and written in plain text
  bool NoHeader = false;
  bool Verbose = false;
  TOutputFormat OutputFormat = TOutputFormat::ofTable;
};

// The remote switches of the item and, unless systemOnly, " /NH", " /FO format" and " /V".
std::string GetSUPParams(const TCustomSUPItem& item, bool systemOnly);

// The controls of the base's values. Not every tool shows every one of them, so each
// class lists those its dialog has; the base saves them all.
namespace sup_controls {

// A row that binds the control but leaves saving to the base's own row.
constexpr TField EditorOnly(TField row) {
  row.Name = {};
  return row;
}

constexpr TField System() {
  return EditorOnly(fields::Text<&TCustomSUPItem::System>("System", "edtSystem"));
}
constexpr TField User() {
  return EditorOnly(fields::Text<&TCustomSUPItem::User>("User", "edtUser"));
}
constexpr TField Password() {
  return EditorOnly(fields::Text<&TCustomSUPItem::Password>("Password", "edtPassword"));
}
constexpr TField NoHeader() {
  return EditorOnly(fields::Flag<&TCustomSUPItem::NoHeader>("NoHeader", "cbxNoHeader"));
}
constexpr TField Verbose() {
  return EditorOnly(fields::Flag<&TCustomSUPItem::Verbose>("Verbose", "cbxVerbose"));
}
constexpr TField OutputFormat() {
  return EditorOnly(fields::Enum<&TCustomSUPItem::OutputFormat>("OutputFormat", "cmbOutputFormat"));
}

}  // namespace sup_controls

}  // namespace palvetta
