#include "crash/disasm/memory_reader.h"

#include <cstring>

namespace palvetta {

bool TBufferReader::Read(uint64_t address, void* out, size_t count) const noexcept {
  if (address < FBase) return false;
  const uint64_t offset = address - FBase;
  if (offset > FBytes.size() || count > FBytes.size() - offset) return false;
  if (count > 0) std::memcpy(out, FBytes.data() + offset, count);
  return true;
}

}  // namespace palvetta
