#include "base/xml_element.h"

#include "base/text.h"

namespace palvetta {

TXmlElement& TXmlElement::AddChild(std::string name, std::string text) {
  return Children.emplace_back(std::move(name), std::move(text));
}

const TXmlElement* TXmlElement::FindChild(std::string_view name) const {
  for (const auto& child : Children) {
    if (SameTextAscii(child.Name, name)) return &child;
  }
  return nullptr;
}

const std::string* TXmlElement::FindAttribute(std::string_view name) const {
  for (const auto& [key, value] : Attributes) {
    if (SameTextAscii(key, name)) return &value;
  }
  return nullptr;
}

void TXmlElement::SetAttribute(std::string name, std::string value) {
  for (auto& [key, existing] : Attributes) {
    if (SameTextAscii(key, name)) {
      existing = std::move(value);
      return;
    }
  }
  Attributes.emplace_back(std::move(name), std::move(value));
}

}  // namespace palvetta
