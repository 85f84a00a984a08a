// Stands in for a downloaded installer: writes the command line it was started with to
// the file PALVETTA_STAND_IN_LOG names, so a test sees the switches it got.

#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  wchar_t log[MAX_PATH] = {};
  if (GetEnvironmentVariableW(L"PALVETTA_STAND_IN_LOG", log, MAX_PATH) == 0) return 1;
  const HANDLE file = CreateFileW(log, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return 2;
  const wchar_t* line = GetCommandLineW();
  DWORD written = 0;
  WriteFile(file, line, static_cast<DWORD>(lstrlenW(line) * sizeof(wchar_t)), &written, nullptr);
  CloseHandle(file);
  return 0;
}
