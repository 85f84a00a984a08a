#pragma once
// A golden listing file: its header (mode, load address, bytes and options, kept as
// written) and the listing expected for it.

#include <cstdint>
#include <string>
#include <vector>

#include "crash/disasm/instr_info.h"

namespace palvetta::testing {

struct TListingCase {
  std::string Header;  // everything above "listing:", with its line ends
  std::string Expected;
  TCpuMode Mode = TCpuMode::cm32;
  uint64_t Address = 0;
  std::vector<uint8_t> Bytes;
};

// Reads "mode: 32|64", "address: HEX" and "bytes: HEX HEX ..." lines (bytes may go on
// over several lines; "#" starts a comment line) up to "listing:".
bool ParseListingCase(const std::string& text, TListingCase& listingCase, std::string& error);

// The listing of the case's bytes: one line per instruction, from the first byte on.
std::string ListingOf(const TListingCase& listingCase);

}  // namespace palvetta::testing
