#include "objdump_calls.h"

namespace palvetta::testing {

std::map<std::string, TObjdumpFunction> ParseObjdumpCalls(const std::string& listing) {
  std::map<std::string, TObjdumpFunction> functions;
  TObjdumpFunction* current = nullptr;
  size_t start = 0;
  while (start < listing.size()) {
    size_t end = listing.find('\n', start);
    if (end == std::string::npos) end = listing.size();
    std::string line = listing.substr(start, end - start);
    start = end + 1;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const size_t open = line.find(" <");
    if (line.size() > 3 && line.back() == ':' && open != std::string::npos && line[0] != ' ') {
      const std::string name = line.substr(open + 2, line.size() - open - 4);
      current = &functions[name];
      current->Address = std::stoull(line, nullptr, 16);
    } else if (current && line.find(":\tcall") != std::string::npos) {
      current->CallOffsets.insert(std::stoull(line, nullptr, 16) - current->Address);
    }
  }
  return functions;
}

}  // namespace palvetta::testing
