#include "model/file_attributes.h"

namespace palvetta {

std::string AttributeFilter(std::span<const TAttributeState> attributes) {
  std::string text;
  for (const auto& [state, letter] : attributes) {
    if (state == TFileAttr::frNotSet) text += '-';
    if (state != TFileAttr::frUndef) text += letter;
  }
  return text;
}

std::string AttributeChanges(std::span<const TAttributeState> attributes) {
  std::string text;
  for (const auto& [state, letter] : attributes) {
    if (state == TFileAttr::frUndef) continue;
    text += state == TFileAttr::frSet ? '+' : '-';
    text += letter;
    text += ' ';
  }
  return text;
}

}  // namespace palvetta
