#include "base/xml_arena.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace palvetta {
namespace {

// A small document (one item copied onto another) takes a small block; a big one grows
// to blocks of 64 KiB, a thousand heap calls for a project of 100,000 items. Larger
// blocks would be fewer calls but slower: a heap maps a large block as fresh memory of
// its own (glibc from 128 KiB), so each document would fault its pages in anew.
constexpr size_t kFirstBlockSize = 4096;
constexpr size_t kLargestBlockSize = size_t{64} << 10;

}  // namespace

void* TXmlArena::Allocate(size_t size, size_t alignment) {
  const size_t padding = (alignment - reinterpret_cast<uintptr_t>(FFree) % alignment) % alignment;
  if (FFree == nullptr || padding + size > FFreeSize) {
    FNextBlockSize = std::clamp(FNextBlockSize * 2, kFirstBlockSize, kLargestBlockSize);
    // A text larger than a block gets a block of its own size.
    const size_t blockSize = std::max(FNextBlockSize, size + alignment);
    FBlocks.emplace_back(new std::byte[blockSize]);
    FFree = FBlocks.back().get();
    FFreeSize = blockSize;
    return Allocate(size, alignment);
  }
  std::byte* const result = FFree + padding;
  FFree = result + size;
  FFreeSize -= padding + size;
  return result;
}

std::string_view TXmlArena::Store(std::string_view text) {
  if (text.empty()) return {};
  auto* const copy = static_cast<char*>(Allocate(text.size(), 1));
  std::memcpy(copy, text.data(), text.size());
  return {copy, text.size()};
}

}  // namespace palvetta
