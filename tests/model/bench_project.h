#pragma once
// A project of a realistic mix of items for the benchmarks: parameters referenced by
// name from commands in the main part and in subroutines, multi-line comments, SET lines
// with batch specials, bookmarks, subroutines with argument checks, redirected
// commands, a parameter check and a command that asks for a system block.

#include <memory>

#include "model/project.h"

namespace palvetta::testing {

std::unique_ptr<TProject> MakeBenchProject(int itemCount);

}  // namespace palvetta::testing
