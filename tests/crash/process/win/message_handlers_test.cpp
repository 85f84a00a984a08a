#include "crash/process/win/message_handlers.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace palvetta {
namespace {

std::atomic<int> gCalls{0};

void CountAndAnswer(HWND, UINT, WPARAM wParam, LPARAM, LRESULT& result) {
  ++gCalls;
  result = static_cast<LRESULT>(wParam) + 1;
}

struct TCounter {
  int Calls = 0;
  UINT LastMessage = 0;
};

void CountOnObject(void* object, HWND, UINT message, WPARAM, LPARAM, LRESULT& result) {
  auto* counter = static_cast<TCounter*>(object);
  ++counter->Calls;
  counter->LastMessage = message;
  result += 100;  // after the plain handler's answer
}

TEST(MessageHandlers, RegistersDispatchesAndRemoves) {
  gCalls = 0;
  const HWND window = ThreadHandlerWindow();
  ASSERT_TRUE(window);
  EXPECT_EQ(ThreadHandlerWindow(GetCurrentThreadId()), window);
  EXPECT_FALSE(IsWindowVisible(window));
  wchar_t className[128];
  GetClassNameW(window, className, 128);
  EXPECT_EQ(std::wstring(className).rfind(L"swToolsMsgHandlerWindow$", 0), 0u);

  EXPECT_EQ(AddMessageHandler(CountAndAnswer, 0), static_cast<UINT>(WM_USER));
  EXPECT_EQ(AddMessageHandler(CountAndAnswer, 0), static_cast<UINT>(WM_USER + 1));
  EXPECT_EQ(AddMessageHandler(CountAndAnswer, WM_USER), 0u);  // the same registration again
  TCounter counter;
  EXPECT_EQ(AddMessageHandler(CountOnObject, &counter, WM_USER), static_cast<UINT>(WM_USER));

  EXPECT_EQ(SendMessageW(window, WM_USER, 41, 0), 142);
  EXPECT_EQ(gCalls, 1);
  EXPECT_EQ(counter.Calls, 1);
  EXPECT_EQ(counter.LastMessage, static_cast<UINT>(WM_USER));
  // A message below the dispatched range is the default procedure's alone.
  AddMessageHandler(CountAndAnswer, WM_SIZE);
  SendMessageW(window, WM_SIZE, 0, 0);
  EXPECT_EQ(gCalls, 1);

  RemoveMessageHandler(CountAndAnswer, 0);  // every message of the plain handler
  EXPECT_EQ(SendMessageW(window, WM_USER + 1, 1, 0), 0);
  EXPECT_EQ(gCalls, 1);
  EXPECT_TRUE(IsWindow(window));

  RemoveMessageHandler(CountOnObject, &counter, WM_USER);  // the last one: the window goes
  EXPECT_FALSE(IsWindow(window));
  WNDCLASSEXW info{};
  info.cbSize = sizeof info;
  EXPECT_FALSE(GetClassInfoExW(GetModuleHandleW(nullptr), className, &info));
}

TEST(MessageHandlers, AnotherThreadsWindow) {
  std::atomic<DWORD> threadId{0};
  std::atomic<HWND> window{nullptr};
  std::atomic<bool> loopEnded{false};
  std::thread owner([&] {
    window = ThreadHandlerWindow();
    AddMessageHandler(CountAndAnswer, WM_USER + 7);
    threadId = GetCurrentThreadId();
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
      DispatchMessageW(&message);
      if (!IsWindow(window)) break;
    }
    loopEnded = true;
  });
  while (threadId == 0) Sleep(1);

  // Another thread's window is only looked up.
  std::thread([] { EXPECT_EQ(ThreadHandlerWindow(GetCurrentThreadId() + 4), nullptr); }).join();
  EXPECT_EQ(ThreadHandlerWindow(threadId), window.load());
  gCalls = 0;
  const UINT second = AddMessageHandler(CountAndAnswer, 0, threadId);
  EXPECT_EQ(second, static_cast<UINT>(WM_USER));
  DWORD_PTR answer = 0;
  SendMessageTimeoutW(window, second, 9, 0, SMTO_ABORTIFHUNG, 5000, &answer);
  EXPECT_EQ(answer, 10u);
  EXPECT_EQ(gCalls, 1);

  wchar_t className[128];
  GetClassNameW(window, className, 128);
  RemoveMessageHandler(CountAndAnswer, 0, threadId);  // posts WM_CLOSE to the owner
  owner.join();
  EXPECT_TRUE(loopEnded);
  EXPECT_FALSE(IsWindow(window));
  WNDCLASSEXW info{};
  info.cbSize = sizeof info;
  EXPECT_TRUE(GetClassInfoExW(GetModuleHandleW(nullptr), className, &info));  // not unregistered
  EXPECT_EQ(ThreadHandlerWindow(threadId), nullptr);
}

}  // namespace
}  // namespace palvetta
