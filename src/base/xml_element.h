#pragma once
// An element of the project file's document tree: name, attributes, text and child
// elements. Published properties map onto it one element per property.

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace palvetta {

struct TXmlElement {
  std::string Name;
  std::vector<std::pair<std::string, std::string>> Attributes;
  std::string Text;
  std::vector<TXmlElement> Children;

  TXmlElement() = default;
  explicit TXmlElement(std::string name, std::string text = {})
      : Name(std::move(name)), Text(std::move(text)) {}

  TXmlElement& AddChild(std::string name, std::string text = {});
  // The first child of that name, ignoring the case of ASCII letters; nullptr if none.
  const TXmlElement* FindChild(std::string_view name) const;
  // The value of the attribute of that name, ignoring case; nullptr if none.
  const std::string* FindAttribute(std::string_view name) const;
  void SetAttribute(std::string name, std::string value);

  bool operator==(const TXmlElement&) const = default;
};

}  // namespace palvetta
