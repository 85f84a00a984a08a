#include "model/win/procs_win.h"

#include <windows.h>

#include <vector>

#include "base/win/wide.h"

namespace palvetta {

void ListLogicalDrives(TStrings& list) {
  list.clear();
  wchar_t buffer[128];  // room for all 26 drive roots
  const DWORD length = GetLogicalDriveStringsW(128, buffer);
  if (length == 0 || length > 128) return;
  for (const wchar_t* root = buffer; *root != L'\0'; root += wcslen(root) + 1) {
    list.push_back(Narrow(root));
  }
}

char UserDecimalSeparator() {
  wchar_t separator[4] = {};
  if (GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SDECIMAL, separator, 4) > 0 &&
      separator[0] < 128) {
    return static_cast<char>(separator[0]);
  }
  return '.';
}

}  // namespace palvetta
