#include "base/xml_element.h"

#include <algorithm>

#include "base/text.h"

namespace palvetta {

TXmlElement& TXmlElement::AddChild(std::string_view name, std::string_view text) {
  TXmlElement& child = FArena->Make<TXmlElement>(*FArena, name, text);
  (FLastChild != nullptr ? FLastChild->FNext : FFirstChild) = &child;
  FLastChild = &child;
  ++FChildCount;
  return child;
}

const TXmlElement* TXmlElement::FindChild(std::string_view name) const {
  for (const TXmlElement& child : Children()) {
    if (SameTextAscii(child.Name(), name)) return &child;
  }
  return nullptr;
}

const std::string_view* TXmlElement::FindAttribute(std::string_view name) const {
  for (const TXmlAttribute& attribute : Attributes()) {
    if (SameTextAscii(attribute.Name, name)) return &attribute.Value;
  }
  return nullptr;
}

void TXmlElement::AddAttribute(std::string_view name, std::string_view value) {
  TXmlAttribute& added = FArena->Make<TXmlAttribute>(FArena->Store(name), FArena->Store(value));
  (FLastAttribute != nullptr ? FLastAttribute->FNext : FFirstAttribute) = &added;
  FLastAttribute = &added;
}

bool TXmlElement::operator==(const TXmlElement& other) const {
  const auto sameAttribute = [](const TXmlAttribute& a, const TXmlAttribute& b) {
    return a.Name == b.Name && a.Value == b.Value;
  };
  return FName == other.FName && FText == other.FText && FChildCount == other.FChildCount &&
         std::ranges::equal(Attributes(), other.Attributes(), sameAttribute) &&
         std::ranges::equal(Children(), other.Children());
}

}  // namespace palvetta
