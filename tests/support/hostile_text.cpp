#include "support/hostile_text.h"

#include <array>
#include <utility>

namespace palvetta::testing {
namespace {

constexpr std::string_view kCanary = "{canary}";

// Each value tries to run "echo INJ>{canary}" or to break the line or block it stands
// in. The non-ASCII ones: text the code page holds next to an "&", and full-width
// quotes and ampersands, which a best-fit conversion would turn into real ones.
constexpr std::array kPayloads = {
    THostilePayload{"quote", "a\" & echo INJ>{canary} & \""},
    THostilePayload{"ampersand", "a & echo INJ>{canary}"},
    THostilePayload{"pipe", "a | echo INJ>{canary}"},
    THostilePayload{"paren", "a) & echo INJ>{canary}"},
    THostilePayload{"caret", "a^& echo INJ>{canary}"},
    THostilePayload{"trailing caret", "a^"},
    THostilePayload{"less", "a <nul >{canary}"},
    THostilePayload{"greater", "a >{canary}"},
    THostilePayload{"percent", "100% & echo INJ>{canary}"},
    THostilePayload{"percent tilde", "a%~ & echo INJ>{canary}"},
    THostilePayload{"bang", "a!b!c & echo INJ>{canary}"},
    THostilePayload{"CRLF", "a\r\necho INJ>{canary}", true},
    THostilePayload{"LF", "a\necho INJ>{canary}", true},
    THostilePayload{"CR", "a\recho INJ>{canary}", true},
    THostilePayload{"non-ASCII", "Gr\xC3\xBC\xC3\x9F" "e & echo INJ>{canary}"},
    THostilePayload{"full-width", "\xEF\xBD\x81\xEF\xBC\x82 \xEF\xBC\x86 echo INJ>{canary} "
                                  "\xEF\xBC\x86 \xEF\xBC\x82"},
};

// The fields whose text the item writes as batch syntax of the user's own.
constexpr std::pair<std::string_view, std::string_view> kUserSyntax[] = {
    {"TIfItem", "Condition"},
    {"TCMDItem", "Str"},
    {"TCallItem", "BatchFileParams"},
    {"TStartItem", "Params"},
    {"TRunProgramItem", "RunParams.Param"},
    {"TSCStartItem", "Args"},
};

// Calls back with the path and a reference of every text the object holds.
class TStringWalker final : public IPropertyVisitor {
 public:
  using TCallback = std::function<void(const std::string& path, std::string& value)>;
  TStringWalker(std::string prefix, const TCallback& found) : FPrefix(std::move(prefix)), FFound(found) {}

  void Boolean(std::string_view, bool&) override {}
  void Integer(std::string_view, int32_t&) override {}
  void LargeInteger(std::string_view, int64_t&) override {}
  void Byte(std::string_view, uint8_t&) override {}
  void Char(std::string_view, char16_t&) override {}
  void Enumeration(std::string_view, int&, const TEnumType&) override {}
  void Set(std::string_view, uint32_t&, const TEnumType&) override {}
  void DateTime(std::string_view, double&, TDateTimeKind) override {}
  void String(std::string_view name, std::string& value) override { FFound(Path(name), value); }
  void StringList(std::string_view name, std::vector<std::string>& lines) override {
    for (size_t i = 0; i < lines.size(); ++i) FFound(Indexed(name, i), lines[i]);
  }
  void Collection(std::string_view name, TCollectionBase& collection) override {
    for (size_t i = 0; i < collection.Count(); ++i) {
      TStringWalker entry(Indexed(name, i) + ".", FFound);
      collection.Entry(i).DescribeProperties(entry);
    }
  }

 private:
  std::string Path(std::string_view name) const { return FPrefix + std::string(name); }
  std::string Indexed(std::string_view name, size_t i) const {
    return Path(name) + "[" + std::to_string(i) + "]";
  }
  std::string FPrefix;
  const TCallback& FFound;
};

void ForEachString(TPersistent& object, const TStringWalker::TCallback& found) {
  TStringWalker walker("", found);
  object.DescribeProperties(walker);
}

}  // namespace

std::span<const THostilePayload> HostilePayloads() { return kPayloads; }

std::string PayloadText(const THostilePayload& payload, std::string_view canary) {
  std::string text(payload.Text);
  for (size_t at = text.find(kCanary); at != std::string::npos; at = text.find(kCanary, at + canary.size())) {
    text.replace(at, kCanary.size(), canary);
  }
  return text;
}

std::vector<TStringField> StringFields(TPersistent& object) {
  std::vector<TStringField> fields;
  ForEachString(object, [&](const std::string& path, std::string& value) { fields.push_back({path, value}); });
  return fields;
}

bool SetStringField(TPersistent& object, std::string_view path, const std::string& value) {
  bool found = false;
  ForEachString(object, [&](const std::string& at, std::string& text) {
    if (at != path) return;
    text = value;
    found = true;
  });
  return found;
}

std::string FieldName(std::string_view path) {
  std::string name;
  bool inIndex = false;
  for (char c : path) {
    if (c == '[') inIndex = true;
    if (!inIndex) name += c;
    if (c == ']') inIndex = false;
  }
  return name;
}

bool KeepsUserSyntax(const TClass& cls, std::string_view field) {
  for (const auto& [className, name] : kUserSyntax) {
    if (cls.Name == className && FieldName(field) == name) return true;
  }
  return false;
}

std::vector<THostileCopy> HostileCopies(TCustomProjectItem& item,
                                        const std::function<std::string(size_t)>& canary) {
  std::vector<THostileCopy> copies;
  for (const TStringField& text : StringFields(item)) {
    const std::string& field = text.Path;
    const bool userSyntax = KeepsUserSyntax(item.ClassType(), field);
    for (const THostilePayload& payload : kPayloads) {
      if (userSyntax && !payload.BreaksLine) continue;
      std::string value = PayloadText(payload, canary(copies.size()));
      std::unique_ptr<TCustomProjectItem> copy = CreateItem(item.ClassType());
      copy->Assign(item);
      SetStringField(*copy, field, value);
      copies.push_back({field, &payload, std::move(value), std::move(copy)});
    }
  }
  return copies;
}

}  // namespace palvetta::testing
