#pragma once
// Storage for the elements and strings of one XML document, taken from the heap in big
// blocks and given back all at once when the arena goes. A project file has hundreds of
// thousands of small parts; one heap call each is slow on heaps that are slow with many
// small blocks (Wine's is), and freeing them one by one slower still.

#include <cstddef>
#include <memory>
#include <new>
#include <string_view>
#include <type_traits>
#include <utility>
#include <vector>

namespace palvetta {

class TXmlArena {
 public:
  TXmlArena() = default;
  TXmlArena(const TXmlArena&) = delete;
  TXmlArena& operator=(const TXmlArena&) = delete;

  // A copy of the text that lives as long as the arena.
  std::string_view Store(std::string_view text);

  // An object made in the arena. Its destructor never runs, so it must have none.
  template <class T, class... TArgs>
  T& Make(TArgs&&... args) {
    static_assert(std::is_trivially_destructible_v<T>);
    return *::new (Allocate(sizeof(T), alignof(T))) T(std::forward<TArgs>(args)...);
  }

 private:
  void* Allocate(size_t size, size_t alignment);

  std::vector<std::unique_ptr<std::byte[]>> FBlocks;
  std::byte* FFree = nullptr;  // the unused rest of the newest block
  size_t FFreeSize = 0;
  size_t FNextBlockSize = 0;
};

}  // namespace palvetta
