#pragma once
// The items that work on drives and volumes: checking, formatting, labels, listings,
// compression and links.

#include "items/file_system/check_items.h"
#include "items/file_system/compact_item.h"
#include "items/file_system/link_items.h"
#include "items/file_system/listing_items.h"
#include "items/file_system/volume_items.h"

namespace palvetta {

// The family's classes, as the catalogue and project files know them.
inline constexpr const TClass* kFileSystemItemClasses[] = {
    &TCHKDSKItem::Class, &TTreeItem::Class,    &TSubstItem::Class,  &TDirItem::Class,
    &TFormatItem::Class, &TCompactItem::Class, &TVOLItem::Class,    &TRecoverItem::Class,
    &TLabelItem::Class,  &TMKLinkItem::Class,  &TCHKNTFSItem::Class, &TConvertItem::Class,
};

}  // namespace palvetta
