#include "gui/win/window.h"

#include <mutex>
#include <set>
#include <stdexcept>

#include "base/win/wide.h"

namespace palvetta {
namespace {

// Window classes belong to the process, and a form may be made on any thread.
void RegisterClassOnce(const wchar_t* name, WNDPROC procedure) {
  static std::mutex lock;
  static std::set<std::wstring> registered;
  const std::lock_guard<std::mutex> guard(lock);
  if (!registered.insert(name).second) return;
  WNDCLASSEXW cls = {};
  cls.cbSize = sizeof(cls);
  cls.style = CS_DBLCLKS;
  cls.lpfnWndProc = procedure;
  cls.hInstance = GetModuleHandleW(nullptr);
  cls.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  cls.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  cls.lpszClassName = name;
  if (!RegisterClassExW(&cls)) throw std::runtime_error("RegisterClassExW failed");
}

}  // namespace

TWindow::~TWindow() { Destroy(); }

void TWindow::Create(const TWindowArgs& args) {
  RegisterClassOnce(args.ClassName, &TWindow::Procedure);
  // The procedure stores the object at WM_NCCREATE, so messages sent during creation
  // already reach HandleMessage.
  CreateWindowExW(args.ExStyle, args.ClassName, Widen(args.Title).c_str(), args.Style,
                  args.Pos.Left, args.Pos.Top, args.Pos.Width, args.Pos.Height, args.Owner,
                  nullptr, GetModuleHandleW(nullptr), this);
  if (!FHandle) throw std::runtime_error("CreateWindowExW failed");
}

void TWindow::Destroy() {
  if (!FHandle) return;
  HWND handle = FHandle;
  SetWindowLongPtrW(handle, GWLP_USERDATA, 0);
  FHandle = nullptr;
  DestroyWindow(handle);
}

LRESULT TWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcW(FHandle, message, wParam, lParam);
}

LRESULT CALLBACK TWindow::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* self = static_cast<TWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    self->FHandle = window;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<TWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (!self) return DefWindowProcW(window, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    // Destroyed from outside (DestroyWindow, the owner going): the object must not use
    // the handle any more.
    const LRESULT result = self->HandleMessage(message, wParam, lParam);
    SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    self->FHandle = nullptr;
    return result;
  }
  return self->HandleMessage(message, wParam, lParam);
}

HWND CreateControl(const TControlArgs& args) {
  HWND control = CreateWindowExW(
      args.ExStyle, args.ClassName, Widen(args.Text).c_str(),
      WS_CHILD | (args.Hidden ? 0 : WS_VISIBLE) | args.Style,
      args.Pos.Left, args.Pos.Top, args.Pos.Width, args.Pos.Height, args.Parent,
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(args.Id)), GetModuleHandleW(nullptr), nullptr);
  if (!control) throw std::runtime_error("Creating a control failed: " + args.Text);
  if (args.Font) SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(args.Font), FALSE);
  return control;
}

std::string WindowText(HWND window) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  const int length = GetWindowTextW(window, text.data(), static_cast<int>(text.size()));
  text.resize(static_cast<std::size_t>(length > 0 ? length : 0));
  return Narrow(text);
}

void SetWindowTextUtf8(HWND window, std::string_view text) {
  SetWindowTextW(window, Widen(text).c_str());
}

TRect RectInParent(HWND window) {
  RECT r = {};
  GetWindowRect(window, &r);
  MapWindowPoints(HWND_DESKTOP, GetParent(window), reinterpret_cast<POINT*>(&r), 2);
  return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

}  // namespace palvetta
