#include "gui/win/controls/group_box_control.h"

#include <commctrl.h>

#include <algorithm>
#include <string>

namespace palvetta {
namespace {

constexpr UINT_PTR kSubclassId = 1;
constexpr int kCaptionIndent = 8;  // 96-dpi pixels from the frame's left edge to the caption

}  // namespace

TGroupBoxControl::TGroupBoxControl(const TLayoutNode& node, const TControlSite& site)
    : TDialogControl(node, site,
                     {.ClassName = L"BUTTON", .Style = BS_GROUPBOX, .Text = node.Text}) {
  SetWindowSubclass(Handle(), &Procedure, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
}

TGroupBoxControl::~TGroupBoxControl() { RemoveWindowSubclass(Handle(), &Procedure, kSubclassId); }

// The frame's top line runs through the middle of the caption's line; the caption sits on
// the parent's background, breaking the line.
void TGroupBoxControl::Paint(HDC dc) const {
  const HWND parent = GetParent(Handle());
  const HGDIOBJ oldFont =
      SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(Handle(), WM_GETFONT, 0, 0)));
  auto brush = reinterpret_cast<HBRUSH>(
      SendMessageW(parent, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                   reinterpret_cast<LPARAM>(Handle())));
  if (!brush) brush = GetSysColorBrush(COLOR_BTNFACE);
  if (!IsWindowEnabled(Handle())) SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));

  TEXTMETRICW metrics = {};
  GetTextMetricsW(dc, &metrics);
  RECT client = {};
  GetClientRect(Handle(), &client);
  RECT frame = client;
  frame.top += metrics.tmHeight / 2;
  DrawEdge(dc, &frame, EDGE_ETCHED, BF_RECT);

  const int length = GetWindowTextLengthW(Handle());
  if (length == 0) {
    SelectObject(dc, oldFont);
    return;
  }
  std::wstring caption(static_cast<std::size_t>(length) + 1, L'\0');
  GetWindowTextW(Handle(), caption.data(), length + 1);
  caption.resize(static_cast<std::size_t>(length));
  SIZE extent = {};
  GetTextExtentPoint32W(dc, caption.c_str(), length, &extent);
  const int left = MulDiv(kCaptionIndent, static_cast<int>(GetDpiForWindow(Handle())), 96);
  RECT label = {left - 2, 0, std::min<LONG>(left + extent.cx + 2, client.right - 2),
                metrics.tmHeight};
  FillRect(dc, &label, brush);
  label.left += 2;
  SetBkMode(dc, TRANSPARENT);
  DrawTextW(dc, caption.c_str(), length, &label, DT_LEFT | DT_SINGLELINE | DT_NOPREFIX);
  SelectObject(dc, oldFont);
}

LRESULT CALLBACK TGroupBoxControl::Procedure(HWND window, UINT message, WPARAM wParam,
                                             LPARAM lParam, UINT_PTR, DWORD_PTR self) {
  const auto* box = reinterpret_cast<const TGroupBoxControl*>(self);
  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT paint = {};
      const HDC dc = BeginPaint(window, &paint);
      box->Paint(dc);
      EndPaint(window, &paint);
      return 0;
    }
    case WM_PRINTCLIENT:
      box->Paint(reinterpret_cast<HDC>(wParam));
      return 0;
    case WM_ENABLE:
      InvalidateRect(window, nullptr, TRUE);
      break;
    default:
      break;
  }
  return DefSubclassProc(window, message, wParam, lParam);
}

}  // namespace palvetta
