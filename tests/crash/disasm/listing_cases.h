#pragma once
// A golden listing file: its header (mode, load address, bytes and options, kept as
// written) and the listing expected for it.

#include <cstdint>
#include <string>
#include <vector>

#include <map>

#include "crash/disasm/instr_info.h"

namespace palvetta::testing {

struct TListingCase {
  std::string Header;  // everything above "listing:", with its line ends
  std::string Expected;
  TCpuMode Mode = TCpuMode::cm32;
  uint64_t Address = 0;
  std::vector<uint8_t> Bytes;
  // A function listing ("function: ENTRY") instead of one line per instruction, with
  // "highlight: ADDRESS", "limit: LINES", "format: 0|1", "name: ADDRESS TEXT" and
  // "line: ADDRESS NUMBER" (the number holds up to the next such line).
  uint64_t Function = 0;
  uint64_t Highlight = 0;
  int Limit = 0;
  bool Format = true;
  std::map<uint64_t, std::string> Names;
  std::map<uint64_t, int> Lines;
  uint64_t OnExceptionRoutine = 0;  // "on-exception: ADDRESS", the run time's routine
};

// Reads "mode: 32|64", "address: HEX" and "bytes: HEX HEX ..." lines (bytes may go on
// over several lines; "#" starts a comment line) up to "listing:".
bool ParseListingCase(const std::string& text, TListingCase& listingCase, std::string& error);

// The listing of the case's bytes: one line per instruction from the first byte on, or
// the function listing (its CR LF as line ends).
std::string ListingOf(const TListingCase& listingCase);

}  // namespace palvetta::testing
