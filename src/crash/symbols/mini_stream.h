#pragma once
// A growable memory buffer read and written at a position, the container of the packed
// debug information while it is built or read.

#include <cstddef>
#include <cstdint>
#include <memory>

namespace palvetta {

class TMiniStream {
 public:
  static constexpr size_t kGranularity = 8192;

  TMiniStream() = default;
  TMiniStream(const void* data, size_t size);
  TMiniStream(const TMiniStream&) = delete;
  TMiniStream& operator=(const TMiniStream&) = delete;

  // Copies min(count, what is left) bytes and advances; 0 for a negative count or
  // position.
  ptrdiff_t Read(void* buffer, ptrdiff_t count);
  // Grows the stream when needed, copies and advances; 0 for a count <= 0.
  ptrdiff_t Write(const void* buffer, ptrdiff_t count);

  // The capacity becomes the size rounded up to a multiple of kGranularity; 0 frees
  // the buffer. The position is kept.
  void SetSize(size_t size);

  const uint8_t* Memory() const { return FMemory.get(); }
  size_t Size() const { return FSize; }
  size_t Capacity() const { return FCapacity; }
  ptrdiff_t Position() const { return FPosition; }
  void SetPosition(ptrdiff_t position) { FPosition = position; }
  // Bytes between the position and the end (0 when the position lies outside).
  size_t Remaining() const;

 private:
  std::unique_ptr<uint8_t[]> FMemory;
  size_t FSize = 0;
  ptrdiff_t FPosition = 0;
  size_t FCapacity = 0;
};

}  // namespace palvetta
