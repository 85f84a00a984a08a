#pragma once
// Readers that copy each page they are asked about once and answer later reads from the
// copy: a trace reads the same stack slots and decodes the same code many times, and each
// fault-free read of the process's memory is a system call. For one trace only: the
// copies are not refreshed.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <unordered_map>

#include "crash/disasm/memory_reader.h"

namespace palvetta {

class TPageCopyReader : public IMemoryReader {
 public:
  static constexpr uint64_t kPageSize = 4096;

  explicit TPageCopyReader(const IMemoryReader& source) noexcept : FSource(source) {}
  bool Read(uint64_t address, void* out, size_t count) const noexcept override;

 protected:
  // The page's copy; nullptr when it cannot be read whole or cannot be kept.
  virtual const uint8_t* Page(uint64_t page) const noexcept = 0;
  const IMemoryReader& Source() const noexcept { return FSource; }

 private:
  const IMemoryReader& FSource;
};

// Keeps every page it copies, on the heap: for the analysis of a trace.
class TCachedReader final : public TPageCopyReader {
 public:
  using TPageCopyReader::TPageCopyReader;

 private:
  const uint8_t* Page(uint64_t page) const noexcept override;
  mutable std::unordered_map<uint64_t, std::unique_ptr<uint8_t[]>> FPages;
};

// Keeps up to kPages pages in itself and reads the rest through: for capturing a stack
// while a thread is suspended, when nothing may be allocated (the thread may hold the
// heap's lock). Large: give it static storage.
class TFixedCachedReader final : public TPageCopyReader {
 public:
  static constexpr size_t kPages = 128;

  using TPageCopyReader::TPageCopyReader;
  // Forgets the copies (the memory may have changed since).
  void Reset() noexcept { FCount = 0; }

 private:
  const uint8_t* Page(uint64_t page) const noexcept override;

  mutable uint64_t FAddresses[kPages] = {};
  mutable bool FReadable[kPages] = {};
  mutable uint8_t FBytes[kPages][kPageSize];
  mutable size_t FCount = 0;
};

}  // namespace palvetta
