#pragma once
// How published properties become child elements of a document element and back:
// one element per property, named after it, in property order. Project files, snippet
// files and copying one item onto another all use this mapping.

#include <string>
#include <string_view>

#include "base/xml_element.h"
#include "model/properties.h"

namespace palvetta {

// How every message about a damaged project file begins.
inline constexpr std::string_view kDamagedProjectFile = "The project file is damaged: ";

// Appends one child element per published property of the object to the element.
void WriteProperties(TPersistent& object, TXmlElement& element);

// Sets every published property that has an element of its name (ignoring case);
// properties without one keep their values, extra elements are ignored. Raises a
// std::runtime_error with a readable message on a value that cannot be read.
void ReadProperties(const TXmlElement& element, TPersistent& object);

// A date or time as the ten bytes of an 80-bit extended float, in memory order, as
// 20 upper-case hexadecimal digits (0.5 gives "0000000000000080FE3F").
std::string ExtendedToHex(double value);
// False when the text is not exactly 20 hexadecimal digits.
bool HexToExtended(std::string_view hex, double& value);

}  // namespace palvetta
