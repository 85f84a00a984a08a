#pragma once
// The candidates of one trace and the links between them: which call of which candidate's
// function can have led to which inner candidate. Index 0 is the outermost candidate.

#include <cstdint>
#include <string>
#include <vector>

namespace palvetta {

struct TStackLink {
  int Link = -1;  // the linked candidate; -1: the entry only describes the candidate's own call
  uint64_t CodeAddr = 0;  // the call instruction
  bool HasTarget = false;
  uint64_t Target = 0;
  int Func = -1;  // the called or containing function in the function cache, -1 when unknown
  int64_t Quality = 0;  // 0 until evaluated
};

struct TStackLinkList {
  std::vector<TStackLink> Links;
  int Best = -1;
};

// Entry 0 leads towards inner frames (higher indexes), entry 1 towards outer frames.
enum TLinkDirection { ldInner = 0, ldOuter = 1 };
using TStackLinks = TStackLinkList[2];

struct TFinalOutput {
  uint64_t Addr = 0;
  std::string ModuleName;
  std::string UnitName;
  int32_t Line = 0;
  std::string PublicName;
  uint64_t PublicAddr = 0;
  int32_t PublicLine = 0;
};

struct TInternalStackItem {
  uint64_t AfterInstr = 0;  // the return address; for the innermost frame the next instruction
  bool DontKill = false;    // an anchor the chain selection never removes
  bool TopItem = false;     // the frame of the current or exception address
  int Module = -1;
  TStackLinks Links;
  bool Invalid = false;
  TFinalOutput FinalOutput;
};

class TTraceItems {
 public:
  std::vector<TInternalStackItem>& Items() { return FItems; }
  const std::vector<TInternalStackItem>& Items() const { return FItems; }
  TInternalStackItem& operator[](int index) { return FItems[static_cast<size_t>(index)]; }
  const TInternalStackItem& operator[](int index) const { return FItems[static_cast<size_t>(index)]; }
  int Count() const { return static_cast<int>(FItems.size()); }

  // Links inner (outer higher, inner lower index) both ways with the same call.
  void LinkBothWays(int outer, int inner, const TStackLink& call);
  // Removes the candidate and every link that leads to it; later indexes move down.
  void Delete(int index);
  // Removes every link whose function is func.
  void DropLinksOfFunction(int func);

 private:
  std::vector<TInternalStackItem> FItems;
};

}  // namespace palvetta
