// A second module of the test process that carries its own copy of the reporter's
// thread-name registry code, as a DLL of the program would: both must share one registry.

#include <windows.h>

#include <algorithm>

#include "crash/process/win/thread_names.h"

extern "C" {

__declspec(dllexport) bool DllAttachThreadNames() { return palvetta::AttachThreadNames(); }

__declspec(dllexport) void DllDetachThreadNames() { palvetta::DetachThreadNames(); }

__declspec(dllexport) void DllSetThreadEntry(DWORD threadId, const char16_t* name, const char16_t* className) {
  palvetta::SetThreadEntry(threadId, nullptr, name, GetCurrentThreadId(), reinterpret_cast<void*>(&DllSetThreadEntry),
                           className);
}

// The caption into the buffer, cut to fit; its length.
__declspec(dllexport) int DllThreadCaption(DWORD threadId, char16_t* buffer, int capacity) {
  const std::u16string caption = palvetta::ThreadCaption(threadId, false).Caption;
  const int length = std::min(static_cast<int>(caption.size()), capacity - 1);
  std::copy_n(caption.data(), length, buffer);
  buffer[length] = u'\0';
  return length;
}
}
