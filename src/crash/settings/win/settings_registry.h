#pragma once
// The process's registry of settings blocks, shared by every module of the process that
// carries the crash reporter: a named mapping ("StackwardSettingsBuf2$" + the process id
// in hexadecimal) holds the address of the record with the list of blocks, and a named
// mutex ("StackwardSettingsMtx$" + the same id) serialises opening and closing it.

#include "crash/settings/settings_blocks.h"

namespace palvetta {

// Opens the registry (creating it in the first module that asks) and counts one more
// user; nullptr when the mapping can be neither opened nor created.
TSettingsBlockList* OpenSettingsBuffer() noexcept;
// The open registry's list without counting a user (for one that holds a block);
// nullptr when it is not open.
TSettingsBlockList* CurrentSettingsBuffer() noexcept;
// Counts one user less; the last one frees the record and the mapping.
void CloseSettingsBuffer() noexcept;

}  // namespace palvetta
