#pragma once
// Hands work from other threads to the UI thread: an action posted through a poster runs
// on the thread that made the queue, from its message loop (any loop, modal ones too).
// Worker threads never touch windows themselves; they post.
//
// The queue may go while workers still hold posters: what was posted and not yet run is
// dropped, and later posts are refused. So a posted action may refer to the queue's owner.

#include <functional>
#include <memory>

namespace palvetta {

class TUiThreadQueue {
 public:
  struct TShared;

  // A copyable handle for any thread.
  class TPoster {
   public:
    TPoster() = default;
    // false when the queue is gone (the action is dropped).
    bool Post(std::function<void()> action) const;

   private:
    friend class TUiThreadQueue;
    explicit TPoster(std::shared_ptr<TShared> shared) : FShared(std::move(shared)) {}
    std::shared_ptr<TShared> FShared;
  };

  // On the UI thread; raises std::runtime_error when its window cannot be made.
  TUiThreadQueue();
  ~TUiThreadQueue();
  TUiThreadQueue(const TUiThreadQueue&) = delete;
  TUiThreadQueue& operator=(const TUiThreadQueue&) = delete;

  TPoster Poster() const { return TPoster(FShared); }

 private:
  std::shared_ptr<TShared> FShared;
};

}  // namespace palvetta
