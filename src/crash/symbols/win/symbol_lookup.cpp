#include "crash/symbols/win/symbol_lookup.h"

#include <algorithm>

#include "base/path_text.h"
#include "base/utf.h"
#include "crash/symbols/win/map_cache.h"

namespace palvetta {

__attribute__((noinline)) bool LookupAddressInfo(const void* address, TAddressInfo& info) {
  if (address == nullptr) {
    address = static_cast<const char*>(__builtin_extract_return_addr(__builtin_return_address(0))) - 1;
  }
  info = TAddressInfo();
  const std::shared_ptr<const TMapFile> map = MapFileForAddress(address);
  const auto at = reinterpret_cast<uintptr_t>(address);
  info.ModuleName = map->ModuleFileName();
  info.UnitName = map->FindSegment(true, at).Unit_;
  const TMfPublic found = map->FindPublic(at);
  info.PublicAddress = found.Address;
  info.PublicName = found.Name;
  info.Line = std::max(map->FindLine(at), 0);
  return map->Valid();
}

std::string SymbolNameAt(uintptr_t address) {
  const std::shared_ptr<const TMapFile> map = MapFileForAddress(reinterpret_cast<const void*>(address));
  const TMfPublic found = map->FindPublic(address);
  if (!found.IsValid || found.Address != address) return {};
  const std::string unit = map->FindSegment(true, address).Unit_;
  std::string name = unit.empty() ? found.Name : unit + "." + found.Name;
  if (name.find('%') != std::string::npos) {
    name += " (" + Utf16ToUtf8(PathFileName(map->ModuleFileName())) + ")";
  }
  return name;
}

void LineAt(uintptr_t address, int32_t& line, uintptr_t& start, uintptr_t& next) {
  if (address == 0 || (line != 0 && start <= address && address < next)) return;
  const std::shared_ptr<const TMapFile> map = MapFileForAddress(reinterpret_cast<const void*>(address));
  line = std::max(map->FindLine(address, next), 0);
  start = address;
}

}  // namespace palvetta
