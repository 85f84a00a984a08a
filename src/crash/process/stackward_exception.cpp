#include "crash/process/stackward_exception.h"

#include <atomic>

namespace palvetta {
namespace {

std::atomic<TExceptionDestroyedNotification> destroyedNotification{nullptr};

}  // namespace

TStackwardException::~TStackwardException() {
  InnerException.reset();
  if (const auto notification = destroyedNotification.load()) notification(this);
}

void SetExceptionDestroyedNotification(TExceptionDestroyedNotification notification) noexcept {
  destroyedNotification.store(notification);
}

}  // namespace palvetta
