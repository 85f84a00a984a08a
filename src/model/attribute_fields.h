#pragma once
// The field rows of an item's attributes, made from its one list of them: each a row of
// the dialog's three-state grid, saved under the attribute's name.

#include <array>
#include <iterator>
#include <utility>

#include "model/field_table.h"
#include "model/file_attributes.h"

namespace palvetta::fields {

// The rows in the list's order; for JoinFields.
template <const auto& Attributes>
constexpr auto AttributeRows() {
  return []<size_t... I>(std::index_sequence<I...>) {
    return std::array<TField, sizeof...(I)>{
        ThreeState<Attributes[I].Field>(AttributeNamed(Attributes[I].Letter).Name,
                                        AttributeNamed(Attributes[I].Letter).Control)...};
  }(std::make_index_sequence<std::size(Attributes)>());
}

}  // namespace palvetta::fields
