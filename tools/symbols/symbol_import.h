#pragma once
// Fills a symbol map from the text that binutils print about a linked program: the
// symbol table of `nm --defined-only` and the line table of `objdump
// --dwarf=decodedline`. Names are demangled with the Itanium demangler.

#include <istream>
#include <string>

#include "crash/symbols/map_file.h"

namespace palvetta {

struct TImportCounts {
  int Publics = 0;
  int Lines = 0;
  int Segments = 0;
};

// Adds a code segment per run of line entries from one source file (named without its
// folders), each line entry (of several at one address the last, as addr2line answers),
// and a public per code symbol (of several at one address the first global one). Entries
// outside the map's code range are left out. Sorts the map and marks it valid.
TImportCounts ImportSymbols(std::istream& nmText, std::istream& decodedLines, TMapFile& map);

// The demangled name, or the name itself when it is not a mangled C++ name.
std::string DemangledName(const std::string& name);

}  // namespace palvetta
