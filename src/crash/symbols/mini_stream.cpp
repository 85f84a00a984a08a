#include "crash/symbols/mini_stream.h"

#include <algorithm>
#include <cstring>

namespace palvetta {

TMiniStream::TMiniStream(const void* data, size_t size) {
  SetSize(size);
  if (size != 0) std::memcpy(FMemory.get(), data, size);
}

size_t TMiniStream::Remaining() const {
  if (FPosition < 0 || static_cast<size_t>(FPosition) >= FSize) return 0;
  return FSize - static_cast<size_t>(FPosition);
}

ptrdiff_t TMiniStream::Read(void* buffer, ptrdiff_t count) {
  if (count <= 0 || FPosition < 0) return 0;
  const size_t copied = std::min(static_cast<size_t>(count), Remaining());
  if (copied != 0) std::memcpy(buffer, FMemory.get() + FPosition, copied);
  FPosition += static_cast<ptrdiff_t>(copied);
  return static_cast<ptrdiff_t>(copied);
}

ptrdiff_t TMiniStream::Write(const void* buffer, ptrdiff_t count) {
  if (count <= 0 || FPosition < 0) return 0;
  const size_t end = static_cast<size_t>(FPosition) + static_cast<size_t>(count);
  if (end > FSize) SetSize(end);
  std::memcpy(FMemory.get() + FPosition, buffer, static_cast<size_t>(count));
  FPosition = static_cast<ptrdiff_t>(end);
  return count;
}

void TMiniStream::SetSize(size_t size) {
  if (size == 0) {
    FMemory.reset();
    FSize = FCapacity = 0;
    return;
  }
  const size_t capacity = (size + kGranularity - 1) / kGranularity * kGranularity;
  if (capacity != FCapacity) {
    auto grown = std::make_unique<uint8_t[]>(capacity);
    if (FMemory) std::memcpy(grown.get(), FMemory.get(), std::min(FSize, size));
    FMemory = std::move(grown);
    FCapacity = capacity;
  }
  if (size > FSize) std::memset(FMemory.get() + FSize, 0, size - FSize);
  FSize = size;
}

}  // namespace palvetta
