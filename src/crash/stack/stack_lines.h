#pragma once
// The stack lines of a bug report: which resolved frames are shown, their columns, the
// checksums that tell two reports of the same call stack apart from different ones.

#include <cstdint>
#include <string>
#include <vector>

namespace palvetta {

// One resolved frame, innermost first.
struct TStackFrame {
  uint64_t Addr = 0;        // the call instruction, or the current address for the top item
  uint64_t PublicAddr = 0;  // the start of the function, 0 when unknown
  std::string ModuleName;   // file name without folder; "???" outside known modules
  std::string UnitName;
  int32_t Line = 0;        // the source line, or the line relative to PublicLine when that is > 0
  int32_t PublicLine = 0;  // the source line when Line is relative, else 0
  std::string PublicName;
  bool TopItem = false;       // the current or exception address
  bool CreationItem = false;  // the thread's creation frame (given as the first address)
};

struct TStackLineOptions {
  bool HideUglyItems = false;
  bool ShowRelativeAddrs = false;
  bool ShowRelativeLines = false;
};

// The entry of a shown frame in the trace handed to callers.
struct TStackItem {
  uint64_t Addr = 0;
  uint32_t relAddr = 0;
  std::string ModuleName;
  std::string UnitName;
  int32_t Line = 0;
  int32_t relLine = 0;
  std::string FunctionName;
};

struct TStackText {
  std::string Text;  // lines separated by CR LF, none at the end
  std::vector<TStackItem> Items;
  std::vector<size_t> Shown;  // the indexes of the shown frames in the composed list
  uint32_t Checksum1 = 0;
  uint32_t Checksum2 = 0;
  bool HasLines = false;
};

// Makes lines relative to the function's first line (when showRelativeLines asks and both
// lines are known): Line becomes the distance, PublicLine the source line.
void MakeLineRelative(TStackFrame& frame, int32_t functionLine);

// The shown frames (the top item and the creation frame always; others with a name and,
// when hideUglyItems, a line; a frame at the same address as the previous shown one
// never) laid out in columns, with their trace entries and checksums.
TStackText ComposeStackText(const std::vector<TStackFrame>& frames, const TStackLineOptions& options);

}  // namespace palvetta
