// A stand-in for a command-line tool that the machine lacks (7z.exe and the like). Tests
// copy it under the tool's name; it prints the name it was started under and every
// argument exactly as the program received it, so a test sees what a batch line passed:
//
//   argecho name=[7z.exe]
//   argecho argc=2
//   argecho arg1=[a]
//   argecho arg2=[my archive.7z]
//
// The brackets show leading and trailing blanks and empty arguments. It exits with 0.

#include <windows.h>
// shellapi.h needs the types of windows.h.
#include <shellapi.h>

#include <string>

#include "base/win/program.h"

namespace {

// The console programs of a batch file write in the console's code page; so does this
// one, so that its lines decode like the lines of cmd.exe around them.
void Print(const std::wstring& line) {
  const std::wstring text = line + L"\r\n";
  UINT codePage = GetConsoleOutputCP();
  if (codePage == 0) codePage = GetOEMCP();
  const int size = WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()),
                                       nullptr, 0, nullptr, nullptr);
  std::string bytes(static_cast<size_t>(size), '\0');
  WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), bytes.data(), size,
                      nullptr, nullptr);
  DWORD written = 0;
  WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), bytes.data(), static_cast<DWORD>(bytes.size()),
            &written, nullptr);
}

std::wstring OwnFileName() {
  const std::wstring path = palvetta::ProgramPath();
  const size_t slash = path.find_last_of(L"\\/");
  return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

}  // namespace

int main() {
  Print(L"argecho name=[" + OwnFileName() + L"]");
  int count = 0;
  LPWSTR* args = CommandLineToArgvW(GetCommandLineW(), &count);
  if (args == nullptr) {
    Print(L"argecho error=[cannot split the command line]");
    return 2;
  }
  Print(L"argecho argc=" + std::to_wstring(count - 1));
  for (int i = 1; i < count; ++i) {
    Print(L"argecho arg" + std::to_wstring(i) + L"=[" + args[i] + L"]");
  }
  LocalFree(args);
  return 0;
}
