#pragma once
// The items that copy, move, delete, rename and change files and folders.

#include "items/file_and_folder/copy_move_items.h"
#include "items/file_and_folder/delete_attrib_items.h"
#include "items/file_and_folder/folder_items.h"
#include "items/file_and_folder/rename_replace_items.h"
#include "items/file_and_folder/xcopy_item.h"

namespace palvetta {

// The family's classes, as the catalogue and project files know them.
inline constexpr const TClass* kFileAndFolderItemClasses[] = {
    &TCopyItem::Class,      &TDeleteItem::Class,     &TMakeDirItem::Class,
    &TAttribItem::Class,    &TChangeDirItem::Class,  &TMoveFilesItem::Class,
    &TRenameDirItem::Class, &TDeleteDirItem::Class,  &TRenameFileItem::Class,
    &TReplaceItem::Class,   &TXCopyItem::Class,
};

}  // namespace palvetta
