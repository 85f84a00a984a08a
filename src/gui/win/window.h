#pragma once
// A window of our own class owned by a C++ object: the window procedure finds the object
// and calls its HandleMessage. Child controls are created from an arguments struct.

#include <windows.h>

#include <string>

#include "gui/geometry.h"

namespace palvetta {

struct TWindowArgs {
  const wchar_t* ClassName = L"PalvettaWindow";
  std::string Title;
  DWORD Style = WS_OVERLAPPEDWINDOW;
  DWORD ExStyle = 0;
  HWND Owner = nullptr;
  TRect Pos = {static_cast<int>(CW_USEDEFAULT), static_cast<int>(CW_USEDEFAULT), 400, 300};
};

class TWindow {
 public:
  TWindow() = default;
  virtual ~TWindow();
  TWindow(const TWindow&) = delete;
  TWindow& operator=(const TWindow&) = delete;

  HWND Handle() const { return FHandle; }
  // Creates the window; raises std::runtime_error when Windows refuses.
  void Create(const TWindowArgs& args);
  void Destroy();

 protected:
  // Unhandled messages go to DefWindowProcW.
  virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  HWND FHandle = nullptr;
};

struct TControlArgs {
  HWND Parent = nullptr;
  const wchar_t* ClassName = L"STATIC";
  DWORD Style = 0;  // WS_CHILD is always added, and WS_VISIBLE unless Hidden
  DWORD ExStyle = 0;
  std::string Text = {};
  TRect Pos = {};
  HFONT Font = nullptr;
  int Id = 0;
  bool Hidden = false;  // created hidden, to be shown when needed
};

// Raises std::runtime_error when Windows refuses.
HWND CreateControl(const TControlArgs& args);

std::string WindowText(HWND window);
void SetWindowTextUtf8(HWND window, std::string_view text);
// The window's rectangle in its parent's client coordinates.
TRect RectInParent(HWND window);

}  // namespace palvetta
