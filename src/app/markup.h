#pragma once
// Readable texts of items carry a little HTML-like markup (placeholders in <u> or <i>,
// <b>, line breaks as <br>); the project list shows them as plain text.

#include <string>
#include <string_view>

namespace palvetta {

// Every <br>, <br/> or <br /> (blanks allowed before the slash) becomes one blank; then
// the opening and closing tags u, b, i, em, strong, a, font, span and p, with or without
// attributes, are dropped. Tag names ignore case; anything else stays as it is.
std::string RemoveMarkup(std::string_view text);

}  // namespace palvetta
