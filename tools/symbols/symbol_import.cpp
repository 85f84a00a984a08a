#include "symbol_import.h"

#include <cxxabi.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <sstream>
#include <unordered_map>
#include <vector>

namespace palvetta {

namespace {

struct TLineRow {
  uintptr_t Address;
  int32_t Line;
  int File;  // index into the file names
};

bool InCode(uintptr_t address, const TCodeRanges& ranges) {
  return address >= ranges.BaseOfCode && address < ranges.TopOfCode;
}

bool ParseHex(const std::string& text, uintptr_t& value) {
  const std::string digits = text.rfind("0x", 0) == 0 ? text.substr(2) : text;
  if (digits.empty() || digits.size() > 16 || digits.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos) {
    return false;
  }
  value = static_cast<uintptr_t>(std::stoull(digits, nullptr, 16));
  return true;
}

// A row of the decoded line table: "name  line  0xaddress  [view]  [x]", the line "-" at
// the end of a sequence. Headers, file-name lines and blank lines are no rows.
bool ParseRow(const std::string& text, std::string& file, std::string& line, uintptr_t& address) {
  std::istringstream in(text);
  std::vector<std::string> tokens;
  for (std::string token; in >> token;) tokens.push_back(token);
  for (size_t i = 2; i < tokens.size(); ++i) {
    if (tokens[i].rfind("0x", 0) != 0) continue;
    if (!ParseHex(tokens[i], address)) return false;
    line = tokens[i - 1];
    file = tokens[0];
    for (size_t k = 1; k + 1 < i; ++k) file += " " + tokens[k];
    return true;
  }
  return false;
}

// The sequences of the line table, each as its rows and the address where it ends.
struct TSequence {
  std::vector<TLineRow> Rows;
  uintptr_t End = 0;
};

std::vector<TSequence> ReadSequences(std::istream& decodedLines, std::vector<std::string>& files) {
  std::unordered_map<std::string, int> fileIndex;
  std::vector<TSequence> sequences(1);
  std::string text, file, line;
  uintptr_t address = 0;
  while (std::getline(decodedLines, text)) {
    if (!ParseRow(text, file, line, address)) continue;
    if (line == "-") {
      sequences.back().End = address;
      sequences.emplace_back();
      continue;
    }
    if (line.empty() || line.find_first_not_of("0123456789") != std::string::npos) continue;
    const auto [at, added] = fileIndex.try_emplace(file, static_cast<int>(files.size()));
    if (added) files.push_back(file);
    sequences.back().Rows.push_back(TLineRow{address, static_cast<int32_t>(std::stol(line)), at->second});
  }
  if (sequences.back().Rows.empty()) sequences.pop_back();
  return sequences;
}

int ImportLines(std::istream& decodedLines, TMapFile& map) {
  const TCodeRanges& ranges = map.Ranges();
  std::vector<std::string> files;
  const std::vector<TSequence> sequences = ReadSequences(decodedLines, files);
  std::vector<TLineRow> rows;
  for (const TSequence& sequence : sequences) {
    const uintptr_t end = sequence.End != 0 ? sequence.End : sequence.Rows.back().Address + 1;
    for (size_t i = 0; i < sequence.Rows.size(); ++i) {
      const TLineRow& row = sequence.Rows[i];
      if (!InCode(row.Address, ranges)) continue;
      rows.push_back(row);
      // A run of one file is a segment up to the next file's first row or the end.
      if (i > 0 && sequence.Rows[i - 1].File == row.File) continue;
      size_t next = i + 1;
      while (next < sequence.Rows.size() && sequence.Rows[next].File == row.File) ++next;
      const uintptr_t runEnd = std::min(next < sequence.Rows.size() ? sequence.Rows[next].Address : end, ranges.TopOfCode);
      if (runEnd > row.Address) {
        map.AddSegment(true, false, false, false, files[static_cast<size_t>(row.File)],
                       static_cast<uint32_t>(runEnd - row.Address), row.Address);
      }
    }
  }
  std::stable_sort(rows.begin(), rows.end(), [](const TLineRow& a, const TLineRow& b) { return a.Address < b.Address; });
  int lines = 0;
  for (size_t i = 0; i < rows.size(); ++i) {
    if (i + 1 < rows.size() && rows[i + 1].Address == rows[i].Address) continue;
    map.AddLine(rows[i].Line, rows[i].Address, false);
    ++lines;
  }
  map.SortSegments();
  map.CompactSegments(true);
  return lines;
}

int ImportPublics(std::istream& nmText, TMapFile& map) {
  struct TSymbol {
    uintptr_t Address;
    bool Global;
    std::string Name;
  };
  std::vector<TSymbol> symbols;
  std::string text;
  while (std::getline(nmText, text)) {
    std::istringstream in(text);
    std::string address, kind, name;
    uintptr_t value = 0;
    if (!(in >> address >> kind >> name) || !ParseHex(address, value)) continue;
    if ((kind != "T" && kind != "t") || name.empty() || name[0] == '.' || !InCode(value, map.Ranges())) continue;
    symbols.push_back(TSymbol{value, kind == "T", name});
  }
  // At one address the first global symbol, else the first.
  std::stable_sort(symbols.begin(), symbols.end(), [](const TSymbol& a, const TSymbol& b) {
    return a.Address != b.Address ? a.Address < b.Address : a.Global > b.Global;
  });
  int publics = 0;
  for (size_t i = 0; i < symbols.size(); ++i) {
    if (i > 0 && symbols[i - 1].Address == symbols[i].Address) continue;
    map.AddPublic(true, DemangledName(symbols[i].Name), symbols[i].Address);
    ++publics;
  }
  map.SortPublics();
  return publics;
}

}  // namespace

std::string DemangledName(const std::string& name) {
  int status = 0;
  std::unique_ptr<char, decltype(&std::free)> demangled(abi::__cxa_demangle(name.c_str(), nullptr, nullptr, &status),
                                                        &std::free);
  return status == 0 && demangled ? std::string(demangled.get()) : name;
}

TImportCounts ImportSymbols(std::istream& nmText, std::istream& decodedLines, TMapFile& map) {
  TImportCounts counts;
  counts.Lines = ImportLines(decodedLines, map);
  counts.Publics = ImportPublics(nmText, map);
  map.SortLines();
  counts.Segments = map.SegmentCount();
  map.SetValid(true);
  return counts;
}

}  // namespace palvetta
