#pragma once
// Items that structure a batch file: bookmarks and GOTO, IF / ELSE / end-of-IF blocks,
// EXIT, CALL of another batch file, running a program, PUSHD / POPD, SETLOCAL /
// ENDLOCAL, START, CMD, and subroutines with their dispatcher.

#include "items/control_of_flow/bookmark_items.h"
#include "items/control_of_flow/call_exit_run_items.h"
#include "items/control_of_flow/if_items.h"
#include "items/control_of_flow/pushd_setlocal_items.h"
#include "items/control_of_flow/start_cmd_items.h"
#include "items/control_of_flow/subroutine_items.h"
#include "model/class_info.h"

namespace palvetta {

// The family's classes, as the catalogue and project files know them.
inline constexpr const TClass* kControlOfFlowItemClasses[] = {
    &TGotoLabelItem::Class,  &TGotoItem::Class,       &TIfItem::Class,
    &TElseItem::Class,       &TIfEndItem::Class,      &TPopdItem::Class,
    &TEndLocalItem::Class,   &TCallItem::Class,       &TExitItem::Class,
    &TRunProgramItem::Class, &TPushdItem::Class,      &TSetLocalItem::Class,
    &TStartItem::Class,      &TCMDItem::Class,        &TSubroutineItem::Class,
    &TSubroutineEndItem::Class, &TSubroutineDispatcherItem::Class,
};

}  // namespace palvetta
