#include "listing_cases.h"

#include <sstream>

#include "crash/disasm/function_listing.h"
#include "crash/disasm/instruction_text.h"

namespace palvetta::testing {
namespace {

// The case's bytes as a module of their own, with its names and line numbers.
class TCaseModule final : public IModuleFacts, public IAddressNames, public ILineNumbers {
 public:
  explicit TCaseModule(const TListingCase& c) : FCase(c) {}
  bool IsCommitted(uint64_t address) const override {
    return address >= FCase.Address && address < FCase.Address + FCase.Bytes.size();
  }
  bool AllowedRange(uint64_t, uint64_t& begin, uint64_t& end) const override {
    begin = FCase.Address;
    end = FCase.Address + FCase.Bytes.size();
    return true;
  }
  bool FunctionExtent(uint64_t, uint64_t&, uint64_t&) const override { return false; }
  bool IsNoReturn(uint64_t) const override { return false; }
  std::string ErrorText(uint32_t code) const override { return "error " + std::to_string(code); }
  bool HasPublicName(uint64_t address) const override { return FCase.Names.count(address) != 0; }
  std::string FunctionName(uint64_t address) const override {
    const auto found = FCase.Names.find(address);
    return found == FCase.Names.end() ? std::string() : found->second;
  }
  bool InModuleImage(uint64_t address) const override { return IsCommitted(address); }
  int LineOf(uint64_t address) const override {
    auto found = FCase.Lines.upper_bound(address);
    if (found == FCase.Lines.begin()) return 0;
    return (--found)->second;
  }

 private:
  const TListingCase& FCase;
};

std::string WithLineFeeds(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (c != '\r') out += c;
  }
  return out.empty() ? out : out + "\n";
}

}  // namespace

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
    } else if (line.rfind("function:", 0) == 0 || line.rfind("highlight:", 0) == 0 ||
               line.rfind("on-exception:", 0) == 0) {
      words >> key;
      std::string value;
      words >> value;
      uint64_t& field = key == "function:"    ? listingCase.Function
                        : key == "highlight:" ? listingCase.Highlight
                                              : listingCase.OnExceptionRoutine;
      field = std::stoull(value, nullptr, 16);
      inBytes = false;
    } else if (line.rfind("limit:", 0) == 0 || line.rfind("format:", 0) == 0) {
      words >> key;
      int value = 0;
      words >> value;
      if (key == "limit:") listingCase.Limit = value;
      else listingCase.Format = value != 0;
      inBytes = false;
    } else if (line.rfind("name:", 0) == 0) {
      std::string address, name;
      words >> key >> address;
      std::getline(words >> std::ws, name);
      listingCase.Names[std::stoull(address, nullptr, 16)] = name;
      inBytes = false;
    } else if (line.rfind("line:", 0) == 0) {
      std::string address;
      int number = 0;
      words >> key >> address >> number;
      listingCase.Lines[std::stoull(address, nullptr, 16)] = number;
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
  if (listingCase.Function != 0) {
    const TCaseModule module(listingCase);
    TListingOptions options;
    options.Highlight = listingCase.Highlight;
    options.Format = listingCase.Format;
    options.LineLimit = listingCase.Limit;
    options.Routines.HandleOnException = listingCase.OnExceptionRoutine;
    options.Names = &module;
    options.Lines = listingCase.Lines.empty() ? nullptr : &module;
    std::string text;
    TFunctionInfo info;
    if (!DisassembleFunctionText(listingCase.Mode, listingCase.Function, reader, module, options, text, info)) {
      return "invalid: " + info.LastErrorStr + "\n";
    }
    return WithLineFeeds(text);
  }
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
