#include "base/xml_element.h"

#include "base/text.h"

namespace palvetta {

XmlElement& XmlElement::AddChild(std::string name, std::string text) {
  return Children.emplace_back(std::move(name), std::move(text));
}

const XmlElement* XmlElement::FindChild(std::string_view name) const {
  for (const auto& child : Children) {
    if (SameTextAscii(child.Name, name)) return &child;
  }
  return nullptr;
}

const std::string* XmlElement::FindAttribute(std::string_view name) const {
  for (const auto& [key, value] : Attributes) {
    if (SameTextAscii(key, name)) return &value;
  }
  return nullptr;
}

void XmlElement::SetAttribute(std::string name, std::string value) {
  for (auto& [key, existing] : Attributes) {
    if (SameTextAscii(key, name)) {
      existing = std::move(value);
      return;
    }
  }
  Attributes.emplace_back(std::move(name), std::move(value));
}

}  // namespace palvetta
