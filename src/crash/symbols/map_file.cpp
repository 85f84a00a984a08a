#include "crash/symbols/map_file.h"

#include <algorithm>
#include <limits>

#include "crash/symbols/map_names.h"

namespace palvetta {

namespace {

bool SegmentBefore(const TMfSegment& a, const TMfSegment& b) {
  if (a.Code != b.Code) return a.Code;
  if (a.StartAddress != b.StartAddress) return a.StartAddress < b.StartAddress;
  return a.Length > b.Length;
}

uintptr_t SegmentEnd(const TMfSegment& segment) { return segment.StartAddress + segment.Length; }

}  // namespace

void TMapFile::AddSegment(bool code, bool relative, bool merge, bool sortedInsert, std::string unit,
                          uint32_t length, uintptr_t address, bool lineNumbers) {
  if (!code && FCodeOnly) return;
  unit = UnitWithoutObjectExtension(unit);
  if (relative) address += code ? FRanges.BaseOfCode : FRanges.BaseOfData;
  int& last = FSLastAdded[code ? 1 : 0];
  if (merge && last >= 0) {
    TMfSegment& previous = FSegments[static_cast<size_t>(last)];
    if (EqualsIgnoringCase(previous.Unit_, unit) && address >= previous.StartAddress &&
        address <= SegmentEnd(previous) + 2) {
      const uintptr_t end = std::max(SegmentEnd(previous), address + length);
      previous.Length = static_cast<uint32_t>(end - previous.StartAddress);
      return;
    }
  }
  TMfSegment segment{true, code, address, length, std::move(unit), lineNumbers};
  if (!sortedInsert) {
    FSegments.push_back(std::move(segment));
    last = static_cast<int>(FSegments.size()) - 1;
    return;
  }
  const auto at = std::upper_bound(FSegments.begin(), FSegments.end(), segment, SegmentBefore);
  const int index = static_cast<int>(at - FSegments.begin());
  FSegments.insert(at, std::move(segment));
  int& other = FSLastAdded[code ? 0 : 1];
  if (other >= index) ++other;
  last = index;
}

void TMapFile::AddPublic(bool code, std::string name, uintptr_t address, bool relative) {
  if (!code && FCodeOnly) return;
  if (relative) address += code ? FRanges.BaseOfCode : FRanges.BaseOfData;
  const TMfSegment segment = FindSegment(code, address);
  if (segment.IsValid && !segment.Unit_.empty()) {
    const std::string& unit = segment.Unit_;
    if (name.size() > unit.size() + 1 && name[unit.size()] == '.' &&
        EqualsIgnoringCase(std::string_view(name).substr(0, unit.size()), unit)) {
      name.erase(0, unit.size() + 1);
    } else if (EqualsIgnoringCase(name, unit)) {
      name = "initialization";
    }
  }
  FPublics.push_back(TMfPublic{true, code, std::move(name), address});
}

void TMapFile::AddLine(int32_t line, uintptr_t address, bool onlyIfIncreasing) {
  if (onlyIfIncreasing && !FLines.empty() && FLines.back().Address >= address) return;
  FLines.push_back(TMfLine{line, address});
}

void TMapFile::SortSegments() {
  std::stable_sort(FSegments.begin(), FSegments.end(), SegmentBefore);
  FSLastAdded[0] = FSLastAdded[1] = -1;
}

void TMapFile::SortPublics() {
  std::stable_sort(FPublics.begin(), FPublics.end(),
                   [](const TMfPublic& a, const TMfPublic& b) { return a.Address < b.Address; });
}

void TMapFile::SortLines() {
  std::stable_sort(FLines.begin(), FLines.end(),
                   [](const TMfLine& a, const TMfLine& b) { return a.Address < b.Address; });
}

void TMapFile::CompactSegments(bool touchingOnly) {
  std::vector<TMfSegment> compact;
  compact.reserve(FSegments.size());
  for (TMfSegment& segment : FSegments) {
    if (!compact.empty()) {
      TMfSegment& previous = compact.back();
      if (previous.Length == 0 || previous.StartAddress == segment.StartAddress) {
        previous = std::move(segment);
        continue;
      }
      if (previous.Code == segment.Code) {
        const bool touching = SegmentEnd(previous) >= segment.StartAddress;
        if (!touchingOnly || touching) {
          previous.Length = static_cast<uint32_t>(segment.StartAddress - previous.StartAddress);
          if (EqualsIgnoringCase(previous.Unit_, segment.Unit_)) {
            previous.Length = static_cast<uint32_t>(SegmentEnd(segment) - previous.StartAddress);
            previous.LineNumbers = previous.LineNumbers || segment.LineNumbers;
            continue;
          }
        }
      }
    }
    compact.push_back(std::move(segment));
  }
  if (!compact.empty() && compact.back().Length == 0) compact.pop_back();
  FSegments = std::move(compact);
  FSLastAdded[0] = FSLastAdded[1] = -1;
}

bool TMapFile::SegmentHoldsAddress(const TMfSegment& segment, uintptr_t address) const {
  return address >= segment.StartAddress && address - segment.StartAddress < segment.Length;
}

TMfSegment TMapFile::FindSegment(bool code, uintptr_t address) const {
  // The first segment after every one of this kind that starts at or below the address.
  const auto after = std::partition_point(FSegments.begin(), FSegments.end(), [&](const TMfSegment& s) {
    if (s.Code != code) return s.Code;
    return s.StartAddress <= address;
  });
  if (after == FSegments.begin()) return {};
  const TMfSegment& candidate = *(after - 1);
  if (candidate.Code != code || !SegmentHoldsAddress(candidate, address)) return {};
  return candidate;
}

TMfSegment TMapFile::FindSegment(int index) const {
  if (index < 0 || index >= SegmentCount()) return {};
  return FSegments[static_cast<size_t>(index)];
}

TMfPublic TMapFile::FindPublic(uintptr_t address) const {
  const auto after = std::upper_bound(FPublics.begin(), FPublics.end(), address,
                                      [](uintptr_t a, const TMfPublic& p) { return a < p.Address; });
  if (after == FPublics.begin()) return {};
  uintptr_t limit = std::numeric_limits<uintptr_t>::max();
  if (after != FPublics.end()) {
    limit = after->Address;
  } else if (FRanges.TopOfCode != 0) {
    limit = FRanges.TopOfCode;
  }
  if (address >= limit) return {};
  return *(after - 1);
}

TMfPublic TMapFile::FindPublic(int index) const {
  if (index < 0 || index >= PublicCount()) return {};
  return FPublics[static_cast<size_t>(index)];
}

uintptr_t TMapFile::FindPublic(bool code, std::string_view unit, std::string_view name,
                               bool caseSensitive) const {
  for (const TMfSegment& segment : FSegments) {
    if (segment.Code != code || !EqualsIgnoringCase(segment.Unit_, unit)) continue;
    auto at = std::lower_bound(FPublics.begin(), FPublics.end(), segment.StartAddress,
                               [](const TMfPublic& p, uintptr_t a) { return p.Address < a; });
    for (; at != FPublics.end() && at->Address <= SegmentEnd(segment); ++at) {
      if (at->Code != code) continue;
      if (caseSensitive ? at->Name == name : EqualsIgnoringCase(at->Name, name)) return at->Address;
    }
  }
  if (unit.find('.') == std::string_view::npos) {
    for (const char* extension : {".cpp", ".h", ".c"}) {
      const uintptr_t address = FindPublic(code, std::string(unit) + extension, name, caseSensitive);
      if (address != 0) return address;
    }
  }
  return 0;
}

int32_t TMapFile::FindLine(uintptr_t address) const {
  uintptr_t next = 0;
  return FindLine(address, next);
}

int32_t TMapFile::FindLine(uintptr_t address, uintptr_t& next) const {
  const TMfSegment segment = FindSegment(true, address);
  if (FLines.empty()) return segment.IsValid && segment.LineNumbers ? -1 : 0;
  const auto after = std::upper_bound(FLines.begin(), FLines.end(), address,
                                      [](uintptr_t a, const TMfLine& l) { return a < l.Address; });
  if (after == FLines.begin() || !segment.IsValid) return 0;
  if (after == FLines.end() && FRanges.TopOfCode != 0 && address >= FRanges.TopOfCode) return 0;
  const TMfLine& entry = *(after - 1);
  if (entry.Address < segment.StartAddress) return 0;
  next = after != FLines.end() ? after->Address : address + 1;
  return entry.Line;
}

uintptr_t TMapFile::FindAddress(std::string_view segment, std::string_view publicName) const {
  for (const TMfPublic& entry : FPublics) {
    if (!EqualsIgnoringCase(entry.Name, publicName)) continue;
    const TMfSegment holder = FindSegment(entry.Code, entry.Address);
    if (holder.IsValid && EqualsIgnoringCase(holder.Unit_, segment)) return entry.Address;
  }
  return 0;
}

}  // namespace palvetta
