#pragma once
// Hidden per-thread windows that hand chosen window messages to registered handlers:
// system broadcasts (session end, setting and device changes, power, copy-data, ...) and
// any message from 0x218 on, which includes the numbers handed out for private use. A
// handler runs on the thread that owns the window, in its message loop, after the
// default window procedure has computed a result, which it may change.

#include <windows.h>

namespace palvetta {

using TMsgHandler = void (*)(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
// The method form: a routine that takes its object first.
using TMsgHandlerOO = void (*)(void* object, HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                               LRESULT& result);

// The thread's handler window (0 = the calling thread). The calling thread gets one made
// on first use; another thread's window is only looked up, 0 when it has none.
HWND ThreadHandlerWindow(DWORD threadId = 0);

// Registers the handler for the message on the thread's window; message 0 picks the
// lowest number from WM_USER up that the window does not use yet. Returns the message
// number, or 0 when the thread has no window or the same registration exists already.
UINT AddMessageHandler(TMsgHandler handler, UINT message, DWORD threadId = 0);
UINT AddMessageHandler(TMsgHandlerOO method, void* object, UINT message, DWORD threadId = 0);

// Removes the registrations of the handler for the message (0: for every message). A
// window left without handlers goes: destroyed with its class by its own thread, closed
// by a posted WM_CLOSE when another thread removes the last handler.
void RemoveMessageHandler(TMsgHandler handler, UINT message, DWORD threadId = 0);
void RemoveMessageHandler(TMsgHandlerOO method, void* object, UINT message, DWORD threadId = 0);

// Lets processes of lower integrity send the message to the window.
void AllowWindowMessage(HWND window, UINT message);

}  // namespace palvetta
