#pragma once
// Comparing (FC, COMP), searching (FIND, FINDSTR), printing, write verification, sorting
// and writing a text or a variable into a file.

#include "items/compare_search/compare_items.h"
#include "items/compare_search/find_items.h"
#include "items/compare_search/print_verify_sort_items.h"
#include "items/compare_search/write_to_file_item.h"

namespace palvetta {

// The family's classes, as the catalogue and project files know them.
inline constexpr const TClass* kCompareSearchItemClasses[] = {
    &TFCItem::Class,    &TCompItem::Class, &TFindItem::Class, &TFindStrItem::Class,
    &TPrintItem::Class, &TVerifyItem::Class, &TSORTItem::Class, &TWriteToFileItem::Class};

}  // namespace palvetta
