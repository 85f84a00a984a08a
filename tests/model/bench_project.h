#pragma once
// A project of a realistic mix of items for the benchmarks: parameters referenced by
// name from commands in the main part and in subroutines, multi-line comments, SET lines
// with batch specials, bookmarks, subroutines with argument checks, redirected
// commands, a parameter check and a command that asks for a system block.

#include <memory>

#include "model/project.h"

namespace palvetta::testing {

// How the commands among the items are made: as test items that write their text as it
// is (what the generator's benchmark measures), or as items that run a program whose
// path is that text: a file of those loads in every build of the program, and its size
// is the same.
enum class TBenchCommands { bcVerbatim, bcRunProgram };

std::unique_ptr<TProject> MakeBenchProject(int itemCount,
                                           TBenchCommands commands = TBenchCommands::bcVerbatim);

}  // namespace palvetta::testing
