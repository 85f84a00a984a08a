#pragma once
// Hostile text for the generator: values that would break a batch file's quoting,
// escaping or lines if written as they are, each trying to make a canary file, and the
// copies of an item with one text field at a time set to one of them.

#include <cstddef>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "model/custom_project_item.h"

namespace palvetta::testing {

struct THostilePayload {
  std::string_view Name;  // short, for the lists of findings
  // The value; "{canary}" stands for the canary file's name, which the value's injected
  // command would create.
  std::string_view Text;
  // The value breaks the line: the one attack a field that holds the user's own batch
  // syntax must resist too.
  bool BreaksLine = false;
};

std::span<const THostilePayload> HostilePayloads();

// The payload's text with the canary file's name in place of "{canary}".
std::string PayloadText(const THostilePayload& payload, std::string_view canary);

// Every text the object holds, in property order, by path: "Name" for a text property,
// "Name[i]" for an entry of a list of strings and "Name[i].Entry" for a text of a
// collection's entry.
struct TStringField {
  std::string Path;
  std::string Value;
  bool operator==(const TStringField&) const = default;
};
std::vector<TStringField> StringFields(TPersistent& object);
// Sets the text at the path; false when the object has none there.
bool SetStringField(TPersistent& object, std::string_view path, const std::string& value);
// The path without its indexes ("Sources[1].Path" gives "Sources.Path"): the field that
// every entry of a collection shares.
std::string FieldName(std::string_view path);

// Whether the class writes the field as the user's own batch syntax (an IF condition, a
// command line, the arguments of a called program): its value is written as typed, and
// only a line break must not start a new command there.
bool KeepsUserSyntax(const TClass& cls, std::string_view field);

struct THostileCopy {
  std::string Field;  // the path of the field set
  const THostilePayload* Payload;
  std::string Value;  // the payload with its canary, as the field holds it
  std::unique_ptr<TCustomProjectItem> Item;
};

// One copy of the item per text field and payload, with that field set to the payload.
// A field that keeps the user's syntax gets only the payloads that break the line. The
// copy with index n (counted from 0 over the result) names the canary canary(n).
std::vector<THostileCopy> HostileCopies(TCustomProjectItem& item,
                                        const std::function<std::string(size_t)>& canary);

}  // namespace palvetta::testing
