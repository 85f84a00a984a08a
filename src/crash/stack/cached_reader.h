#pragma once
// A reader that copies each page it is asked about once and answers later reads from the
// copy: the analysis of a trace decodes the same code many times, and each fault-free
// read of the process's memory is a system call. For one trace only: the copies are not
// refreshed.

#include <cstdint>
#include <memory>
#include <unordered_map>

#include "crash/disasm/memory_reader.h"

namespace palvetta {

class TCachedReader final : public IMemoryReader {
 public:
  static constexpr uint64_t kPageSize = 4096;

  explicit TCachedReader(const IMemoryReader& source) : FSource(source) {}
  bool Read(uint64_t address, void* out, size_t count) const noexcept override;

 private:
  // The page's copy; nullptr when it cannot be read.
  const uint8_t* Page(uint64_t page) const noexcept;

  const IMemoryReader& FSource;
  mutable std::unordered_map<uint64_t, std::unique_ptr<uint8_t[]>> FPages;
};

}  // namespace palvetta
