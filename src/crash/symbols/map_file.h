#pragma once
// The symbol map of one module: its code (and, unless code-only, data) segments named
// after their source unit, its public symbols and its line numbers, all at absolute,
// pointer-sized addresses, and the lookups from an address to each of them.
//
// Maps are filled by a reader (packed debug information, or the build's importer), then
// sorted; lookups need the sorted orders.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace palvetta {

struct TMfSegment {
  bool IsValid = false;
  bool Code = false;
  uintptr_t StartAddress = 0;
  uint32_t Length = 0;
  std::string Unit_;
  // The segment has line numbers that this map does not hold.
  bool LineNumbers = false;
};

struct TMfPublic {
  bool IsValid = false;
  bool Code = false;
  std::string Name;
  uintptr_t Address = 0;
};

struct TMfLine {
  int32_t Line = 0;
  uintptr_t Address = 0;
};

// Where a module's code and data lie, from its PE headers (see pe_image.h).
struct TCodeRanges {
  uintptr_t HInstance = 0;
  uintptr_t BaseOfCode = 0;
  uintptr_t TopOfCode = 0;
  uintptr_t BaseOfData = 0;
  uintptr_t TopOfData = 0;
};

class TMapFile {
 public:
  // An empty map; invalid until a reader marks it valid.
  explicit TMapFile(bool codeOnly = true) : FCodeOnly(codeOnly) {}

  bool Valid() const { return FValid; }
  void SetValid(bool valid) { FValid = valid; }
  bool CodeOnly() const { return FCodeOnly; }
  const TCodeRanges& Ranges() const { return FRanges; }
  void SetRanges(const TCodeRanges& ranges) { FRanges = ranges; }
  uintptr_t EntryPoint() const { return FEntryPoint; }
  void SetEntryPoint(uintptr_t entryPoint) { FEntryPoint = entryPoint; }
  // The identity of packed information that carries no names ("" for a full map).
  const std::string& MinDebugInfo() const { return FMinDebugInfo; }
  void SetMinDebugInfo(std::string text) { FMinDebugInfo = std::move(text); }
  const std::u16string& ModuleFileName() const { return FModuleFileName; }
  void SetModuleFileName(std::u16string name) { FModuleFileName = std::move(name); }

  // Adding entries. Relative addresses count from the code or data base. With merge, a
  // segment of the same unit that starts inside or up to 2 bytes behind the segment of
  // its kind added last extends that one; with sortedInsert it goes to its place in the
  // sort order.
  void AddSegment(bool code, bool relative, bool merge, bool sortedInsert, std::string unit,
                  uint32_t length, uintptr_t address, bool lineNumbers = false);
  // A public whose name starts with its segment's unit and a "." loses that prefix; one
  // named like its unit is the unit's initialization.
  void AddPublic(bool code, std::string name, uintptr_t address, bool relative = false);
  void AddLine(int32_t line, uintptr_t address, bool onlyIfIncreasing);

  void SortSegments();
  void SortPublics();
  void SortLines();
  // Removes empty segments and those that start where the next starts, cuts each
  // segment at the next of its kind (touchingOnly: only when they touch or overlap),
  // and merges neighbours of the same unit.
  void CompactSegments(bool touchingOnly);

  int SegmentCount() const { return static_cast<int>(FSegments.size()); }
  int PublicCount() const { return static_cast<int>(FPublics.size()); }
  int LineCount() const { return static_cast<int>(FLines.size()); }
  const std::vector<TMfLine>& Lines() const { return FLines; }

  // The segment of that kind holding the address; IsValid false when none.
  TMfSegment FindSegment(bool code, uintptr_t address) const;
  TMfSegment FindSegment(int index) const;
  // The public at or below the address, when the address lies below the next public
  // (below the top of code, when known, for the last one).
  TMfPublic FindPublic(uintptr_t address) const;
  TMfPublic FindPublic(int index) const;
  // The address of the public named so inside a segment of that kind and unit (the unit
  // ignoring case; without a "." in the unit also unit.cpp, .h and .c); 0 when none.
  uintptr_t FindPublic(bool code, std::string_view unit, std::string_view name,
                       bool caseSensitive) const;
  // The line of the last line entry at or below the address inside the code segment
  // holding it; 0 when none. A map without line entries answers -1 for segments whose
  // lines it does not hold. next receives the next entry's address (address + 1 after
  // the last).
  int32_t FindLine(uintptr_t address) const;
  int32_t FindLine(uintptr_t address, uintptr_t& next) const;
  // The first public of that name inside a segment of that unit, both ignoring case.
  uintptr_t FindAddress(std::string_view segment, std::string_view publicName) const;

  // The packed debug information of a valid map (see packed_map.h); empty for an
  // invalid one.
  std::string Export(bool newFormat, bool minDebugInfoOnly, bool hideUglyItems) const;

 private:
  bool SegmentHoldsAddress(const TMfSegment& segment, uintptr_t address) const;
  int LastSegmentIndex(bool code) const;

  bool FCodeOnly;
  std::vector<TMfSegment> FSegments;
  std::vector<TMfPublic> FPublics;
  std::vector<TMfLine> FLines;
  uintptr_t FEntryPoint = 0;
  TCodeRanges FRanges;
  bool FValid = false;
  std::u16string FModuleFileName;
  std::string FMinDebugInfo;
  // The index of the segment added last, per kind (data, code); -1 before the first.
  int FSLastAdded[2] = {-1, -1};
};

}  // namespace palvetta
