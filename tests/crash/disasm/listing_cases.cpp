#include "listing_cases.h"

#include <sstream>

#include "crash/disasm/instruction_text.h"

namespace palvetta::testing {

bool ParseListingCase(const std::string& text, TListingCase& listingCase, std::string& error) {
  const size_t marker = text.find("listing:\n");
  if (marker == std::string::npos || (marker != 0 && text[marker - 1] != '\n')) {
    error = "no line \"listing:\"";
    return false;
  }
  listingCase.Header = text.substr(0, marker);
  listingCase.Expected = text.substr(marker + 9);
  std::istringstream lines(listingCase.Header);
  std::string line;
  bool inBytes = false;
  while (std::getline(lines, line)) {
    if (line.empty() || line[0] == '#') continue;
    std::istringstream words(line);
    std::string key;
    if (line.rfind("mode:", 0) == 0) {
      words >> key >> key;
      listingCase.Mode = key == "64" ? TCpuMode::cm64 : TCpuMode::cm32;
      inBytes = false;
    } else if (line.rfind("address:", 0) == 0) {
      words >> key >> key;
      listingCase.Address = std::stoull(key, nullptr, 16);
      inBytes = false;
    } else if (line.rfind("bytes:", 0) == 0 || inBytes) {
      if (!inBytes) words >> key;
      inBytes = true;
      while (words >> key) listingCase.Bytes.push_back(static_cast<uint8_t>(std::stoul(key, nullptr, 16)));
    } else {
      error = "unknown line: " + line;
      return false;
    }
  }
  if (listingCase.Bytes.empty()) {
    error = "no bytes";
    return false;
  }
  return true;
}

std::string ListingOf(const TListingCase& listingCase) {
  const TBufferReader reader(listingCase.Address, listingCase.Bytes);
  std::string listing;
  for (uint64_t address = listingCase.Address; address < listingCase.Address + listingCase.Bytes.size();) {
    std::string line;
    const TInstrInfo info = InstructionText(listingCase.Mode, address, reader, line);
    listing += line + "\n";
    address = info.Next;
  }
  return listing;
}

}  // namespace palvetta::testing
