#include "gui/win/ui_thread_queue.h"

#include <windows.h>

#include <deque>
#include <mutex>
#include <stdexcept>

namespace palvetta {

struct TUiThreadQueue::TShared {
  std::mutex Lock;
  HWND Window = nullptr;  // null once the queue is gone
  std::deque<std::function<void()>> Actions;
};

namespace {

constexpr UINT kRunQueued = WM_APP + 7;
constexpr wchar_t kClassName[] = L"PalvettaUiThreadQueue";

LRESULT CALLBACK QueueProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != kRunQueued) return DefWindowProcW(window, message, wParam, lParam);
  auto* shared = reinterpret_cast<TUiThreadQueue::TShared*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (!shared) return 0;
  // One action per message, taken under the lock and run outside it: an action may post
  // again, or end the queue.
  std::function<void()> action;
  {
    const std::lock_guard<std::mutex> guard(shared->Lock);
    if (shared->Actions.empty()) return 0;
    action = std::move(shared->Actions.front());
    shared->Actions.pop_front();
  }
  action();
  return 0;
}

void RegisterQueueClass() {
  static const bool registered = [] {
    WNDCLASSEXW windowClass = {};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = QueueProcedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = kClassName;
    return RegisterClassExW(&windowClass) != 0;
  }();
  if (!registered) throw std::runtime_error("The UI thread's queue cannot be registered.");
}

}  // namespace

bool TUiThreadQueue::TPoster::Post(std::function<void()> action) const {
  if (!FShared) return false;
  const std::lock_guard<std::mutex> guard(FShared->Lock);
  if (!FShared->Window) return false;
  FShared->Actions.push_back(std::move(action));
  if (!PostMessageW(FShared->Window, kRunQueued, 0, 0)) {
    FShared->Actions.pop_back();
    return false;
  }
  return true;
}

TUiThreadQueue::TUiThreadQueue() : FShared(std::make_shared<TShared>()) {
  RegisterQueueClass();
  const HWND window = CreateWindowExW(0, kClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                      GetModuleHandleW(nullptr), nullptr);
  if (!window) throw std::runtime_error("The UI thread's queue cannot be made.");
  SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(FShared.get()));
  FShared->Window = window;
}

TUiThreadQueue::~TUiThreadQueue() {
  HWND window = nullptr;
  std::deque<std::function<void()>> dropped;
  {
    const std::lock_guard<std::mutex> guard(FShared->Lock);
    window = FShared->Window;
    FShared->Window = nullptr;
    dropped.swap(FShared->Actions);
  }
  // Dropped outside the lock: what the actions hold may post on destruction.
  dropped.clear();
  SetWindowLongPtrW(window, GWLP_USERDATA, 0);
  DestroyWindow(window);
}

}  // namespace palvetta
