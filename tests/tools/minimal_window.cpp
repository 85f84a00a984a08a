// The reference for the benchmarks: the least a Win32 program does to show one window and
// run its message loop. With "--list ROWS" the window holds a report list view of that
// many rows filling its client area, the plain list window the resize benchmark compares
// the main window with.

#include <windows.h>
#include <commctrl.h>

#include <cwchar>
#include <string>

namespace {

HWND listView = nullptr;

LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_SIZE:
      if (listView) MoveWindow(listView, 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcW(window, message, wParam, lParam);
  }
}

void AddList(HWND parent, int rows) {
  INITCOMMONCONTROLSEX init = {sizeof(init), ICC_LISTVIEW_CLASSES};
  InitCommonControlsEx(&init);
  RECT client = {};
  GetClientRect(parent, &client);
  listView = CreateWindowExW(WS_EX_CLIENTEDGE, WC_LISTVIEWW, L"",
                             WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_SHOWSELALWAYS, 0, 0,
                             client.right, client.bottom, parent, nullptr, nullptr, nullptr);
  ListView_SetExtendedListViewStyle(listView, LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
  const wchar_t* captions[] = {L"Command", L"Check", L"Redirect"};
  for (int c = 0; c < 3; ++c) {
    LVCOLUMNW column = {};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.pszText = const_cast<wchar_t*>(captions[c]);
    column.cx = c == 0 ? 300 : 120;
    ListView_InsertColumn(listView, c, &column);
  }
  for (int row = 0; row < rows; ++row) {
    std::wstring text = L"Row " + std::to_wstring(row + 1);
    LVITEMW item = {};
    item.mask = LVIF_TEXT;
    item.iItem = row;
    item.pszText = text.data();
    ListView_InsertItem(listView, &item);
  }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR commandLine, int showCommand) {
  WNDCLASSW cls = {};
  cls.lpfnWndProc = &Procedure;
  cls.hInstance = instance;
  cls.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  cls.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  cls.lpszClassName = L"MinimalWindow";
  RegisterClassW(&cls);
  HWND window = CreateWindowExW(0, L"MinimalWindow", L"Minimal window",
                                WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, CW_USEDEFAULT,
                                CW_USEDEFAULT, 640, 480, nullptr, nullptr, instance, nullptr);
  if (const wchar_t* list = std::wcsstr(commandLine, L"--list ")) AddList(window, _wtoi(list + 7));
  ShowWindow(window, showCommand);
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return 0;
}
