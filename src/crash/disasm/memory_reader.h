#pragma once
// Where the decoder's bytes come from: the process's own memory through fault-free reads
// (win/safe_memory.h), or a buffer standing at an address (tests, the disasm tool).

#include <cstddef>
#include <cstdint>
#include <span>

namespace palvetta {

class IMemoryReader {
 public:
  virtual ~IMemoryReader() = default;
  // Copies count bytes from address to out; false when any of them cannot be read.
  virtual bool Read(uint64_t address, void* out, size_t count) const noexcept = 0;
};

// Bytes as if loaded at Base; nothing outside them can be read.
class TBufferReader final : public IMemoryReader {
 public:
  TBufferReader(uint64_t base, std::span<const uint8_t> bytes) noexcept : FBase(base), FBytes(bytes) {}
  bool Read(uint64_t address, void* out, size_t count) const noexcept override;
  uint64_t Base() const noexcept { return FBase; }
  std::span<const uint8_t> Bytes() const noexcept { return FBytes; }

 private:
  uint64_t FBase;
  std::span<const uint8_t> FBytes;
};

}  // namespace palvetta
