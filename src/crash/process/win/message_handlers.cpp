#include "crash/process/win/message_handlers.h"

#include <algorithm>
#include <string>
#include <vector>

#include "base/number_text.h"

namespace palvetta {
namespace {

struct TRegistration {
  UINT Message;
  TMsgHandler Handler;
  TMsgHandlerOO Method;
  void* Object;

  bool SameHandler(const TRegistration& other) const noexcept {
    return Handler == other.Handler && Method == other.Method && Object == other.Object;
  }
};

struct TThreadWindow {
  DWORD ThreadId;
  HWND Window;
  ATOM ClassAtom;
  std::vector<TRegistration> Handlers;
};

// The list and every registration in it; handlers run outside the lock on a copy, so a
// handler may add or remove registrations.
SRWLOCK gListLock = SRWLOCK_INIT;
std::vector<TThreadWindow>* gWindows = nullptr;

class TListLock {
 public:
  TListLock() noexcept { AcquireSRWLockExclusive(&gListLock); }
  ~TListLock() { ReleaseSRWLockExclusive(&gListLock); }
  TListLock(const TListLock&) = delete;
  TListLock& operator=(const TListLock&) = delete;
};

std::vector<TThreadWindow>& Windows() {
  if (!gWindows) gWindows = new std::vector<TThreadWindow>();  // lives as long as the process
  return *gWindows;
}

TThreadWindow* FindThread(DWORD threadId) {
  auto& windows = Windows();
  const auto found = std::find_if(windows.begin(), windows.end(),
                                  [threadId](const TThreadWindow& w) { return w.ThreadId == threadId; });
  return found == windows.end() ? nullptr : &*found;
}

TThreadWindow* FindWindowEntry(HWND window) {
  auto& windows = Windows();
  const auto found =
      std::find_if(windows.begin(), windows.end(), [window](const TThreadWindow& w) { return w.Window == window; });
  return found == windows.end() ? nullptr : &*found;
}

// The messages the window hands on, below the range that is handed on whole.
constexpr UINT kDispatchedSystemMessages[] = {
    0x11, 0x12, 0x15, 0x16, 0x17, 0x1A, 0x1B, 0x1C, 0x1D, 0x1E, 0x2A, 0x41, 0x48, 0x4A, 0x50, 0x51, 0x54, 0x7E,
};
constexpr UINT kFirstDispatchedRange = 0x218;

bool IsDispatched(UINT message) {
  return message >= kFirstDispatchedRange ||
         std::find(std::begin(kDispatchedSystemMessages), std::end(kDispatchedSystemMessages), message) !=
             std::end(kDispatchedSystemMessages);
}

LRESULT CALLBACK HandlerWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = IsWindowUnicode(window) ? DefWindowProcW(window, message, wParam, lParam)
                                           : DefWindowProcA(window, message, wParam, lParam);
  if (!IsDispatched(message)) return result;
  std::vector<TRegistration> handlers;
  try {
    TListLock lock;
    if (const TThreadWindow* entry = FindWindowEntry(window)) handlers = entry->Handlers;
  } catch (...) {
    return result;  // no memory for the copy: the message goes unhandled
  }
  for (const TRegistration& r : handlers) {
    if (r.Message != message) continue;
    // An exception must not cross the system's frames of the window procedure: a failing
    // handler leaves the result as it was and the next one runs.
    try {
      if (r.Handler) r.Handler(window, message, wParam, lParam, result);
      if (r.Method) r.Method(r.Object, window, message, wParam, lParam, result);
    } catch (...) {
    }
  }
  return result;
}

std::wstring HandlerClassName(DWORD threadId) {
  const std::string name = "swToolsMsgHandlerWindow" + CardToHexPadA(threadId) +
                           Int64ToHexPadA(static_cast<int64_t>(reinterpret_cast<uintptr_t>(&ThreadHandlerWindow)));
  return std::wstring(name.begin(), name.end());
}

HINSTANCE OwnInstance() {
  HMODULE module = nullptr;
  GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                     reinterpret_cast<LPCWSTR>(&HandlerWindowProc), &module);
  return module;
}

HWND CreateHandlerWindow(DWORD threadId) {
  const std::wstring className = HandlerClassName(threadId);
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = HandlerWindowProc;
  windowClass.hInstance = OwnInstance();
  windowClass.lpszClassName = className.c_str();
  const ATOM atom = RegisterClassExW(&windowClass);
  if (!atom) return nullptr;
  const HWND window = CreateWindowExW(WS_EX_TOOLWINDOW, className.c_str(), L"", WS_POPUP, 0, 0, 0, 0, nullptr,
                                      nullptr, windowClass.hInstance, nullptr);
  if (!window) {
    UnregisterClassW(className.c_str(), windowClass.hInstance);
    return nullptr;
  }
  TListLock lock;
  Windows().push_back({threadId, window, atom, {}});
  return window;
}

UINT Add(const TRegistration& wanted, DWORD threadId) {
  const HWND window = ThreadHandlerWindow(threadId);
  if (!window) return 0;
  UINT message = wanted.Message;
  {
    TListLock lock;
    TThreadWindow* entry = FindWindowEntry(window);
    if (!entry) return 0;
    auto& handlers = entry->Handlers;
    if (message != 0) {
      for (const auto& r : handlers) {
        if (r.Message == message && r.SameHandler(wanted)) return 0;
      }
    } else {
      message = WM_USER;
      while (std::any_of(handlers.begin(), handlers.end(), [message](const TRegistration& r) {
        return r.Message == message;
      })) {
        ++message;
      }
    }
    TRegistration registration = wanted;
    registration.Message = message;
    handlers.push_back(registration);
  }
  AllowWindowMessage(window, message);
  return message;
}

void Remove(const TRegistration& wanted, DWORD threadId) {
  if (threadId == 0) threadId = GetCurrentThreadId();
  HWND windowToGo = nullptr;
  ATOM classToGo = 0;
  {
    TListLock lock;
    if (!gWindows) return;
    TThreadWindow* entry = FindThread(threadId);
    if (!entry) return;
    auto& handlers = entry->Handlers;
    for (size_t i = 0; i < handlers.size();) {
      const TRegistration& r = handlers[i];
      if (r.SameHandler(wanted) && (wanted.Message == 0 || r.Message == wanted.Message)) {
        handlers[i] = handlers.back();
        handlers.pop_back();
      } else {
        ++i;
      }
    }
    if (!handlers.empty() || !IsWindow(entry->Window)) return;
    windowToGo = entry->Window;
    classToGo = entry->ClassAtom;
    *entry = std::move(Windows().back());
    Windows().pop_back();
  }
  if (threadId == GetCurrentThreadId()) {
    DestroyWindow(windowToGo);
    UnregisterClassW(reinterpret_cast<LPCWSTR>(static_cast<uintptr_t>(classToGo)), OwnInstance());
  } else {
    PostMessageW(windowToGo, WM_CLOSE, 0, 0);
  }
}

}  // namespace

HWND ThreadHandlerWindow(DWORD threadId) {
  const DWORD self = GetCurrentThreadId();
  if (threadId == 0) threadId = self;
  {
    TListLock lock;
    if (const TThreadWindow* entry = FindThread(threadId)) return entry->Window;
  }
  return threadId == self ? CreateHandlerWindow(threadId) : nullptr;
}

UINT AddMessageHandler(TMsgHandler handler, UINT message, DWORD threadId) {
  return handler ? Add({message, handler, nullptr, nullptr}, threadId) : 0;
}

UINT AddMessageHandler(TMsgHandlerOO method, void* object, UINT message, DWORD threadId) {
  return method ? Add({message, nullptr, method, object}, threadId) : 0;
}

void RemoveMessageHandler(TMsgHandler handler, UINT message, DWORD threadId) {
  Remove({message, handler, nullptr, nullptr}, threadId);
}

void RemoveMessageHandler(TMsgHandlerOO method, void* object, UINT message, DWORD threadId) {
  Remove({message, nullptr, method, object}, threadId);
}

void AllowWindowMessage(HWND window, UINT message) {
  using TFilterEx = BOOL(WINAPI*)(HWND, UINT, DWORD, void*);
  using TFilter = BOOL(WINAPI*)(UINT, DWORD);
  const HMODULE user32 = GetModuleHandleW(L"user32.dll");
  if (!user32) return;
  if (const auto filterEx = reinterpret_cast<TFilterEx>(
          reinterpret_cast<void*>(GetProcAddress(user32, "ChangeWindowMessageFilterEx")))) {
    filterEx(window, message, MSGFLT_ALLOW, nullptr);
  } else if (const auto filter = reinterpret_cast<TFilter>(
                 reinterpret_cast<void*>(GetProcAddress(user32, "ChangeWindowMessageFilter")))) {
    filter(message, MSGFLT_ADD);
  }
}

}  // namespace palvetta
