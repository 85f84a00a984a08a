#include "crash/stack/win/stack_line_lookup.h"

#include "base/path_text.h"
#include "base/utf.h"
#include "crash/stack/stack_line_format.h"
#include "crash/symbols/win/symbol_lookup.h"

namespace palvetta {
namespace {

const void* AsPointer(uint64_t address) { return reinterpret_cast<const void*>(static_cast<uintptr_t>(address)); }

TAddressFacts LookUpFacts(uint64_t address) {
  TAddressFacts facts;
  if (address == 0) return facts;  // the lookup would take a null address for its caller's own
  try {
    TAddressInfo info;
    if (!LookupAddressInfo(AsPointer(address), info)) return facts;
    facts.ModuleName = Utf16ToUtf8(PathFileName(info.ModuleName));
    facts.UnitName = info.UnitName;
    facts.Line = info.Line;
    facts.FunctionStart = info.PublicAddress;
    facts.FunctionName = info.PublicName;
    TAddressInfo start;
    if (facts.FunctionStart != 0 && LookupAddressInfo(AsPointer(facts.FunctionStart), start))
      facts.FunctionLine = start.Line;
    facts.Found = true;
  } catch (...) {
    facts = TAddressFacts();
  }
  return facts;
}

}  // namespace

std::string FormatStackLine(uint64_t address, bool showRelativeAddrs, bool showRelativeLines) {
  return ComposeStackLine(address, LookUpFacts(address), showRelativeAddrs, showRelativeLines);
}

std::string InternalErrorText(std::string_view routineName, bool showRelativeAddrs, bool showRelativeLines,
                              uint64_t exceptionAddress) {
  const std::string line =
      exceptionAddress != 0 ? FormatStackLine(exceptionAddress, showRelativeAddrs, showRelativeLines) : "";
  return ComposeInternalErrorText(routineName, line);
}

}  // namespace palvetta
