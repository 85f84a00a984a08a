#include "base/win/error_code_text.h"

#include <windows.h>

#include <string_view>

#include "base/number_text.h"
#include "base/scrambled_text.h"
#include "base/win/kernel_handles.h"

namespace palvetta {
namespace {

using TScopedLibrary = TScopedHandle<handle_traits::TNullEmptyTraits<HMODULE, FreeLibrary>>;

constexpr auto kNtDll = Scramble("ntdll.dll");
constexpr auto kStatusToError = Scramble("RtlNtStatusToDosError");
constexpr auto kNetMessages = Scramble("netmsg.dll");
constexpr auto kInternetMessages = Scramble("wininet.dll");
constexpr auto kUnknownError = Scramble("Unknown error");

// Codes whose texts live in a message library of their own rather than in the system's.
struct TMessageLibrary {
  uint32_t First;
  uint32_t Last;
  std::string_view ScrambledName;
};
constexpr TMessageLibrary kMessageLibraries[] = {
    {2100, 2999, kNetMessages.View()},
    {12000, 12186, kInternetMessages.View()},
};

constexpr uint32_t kHighestWin32Code = 0x3FFFFFFF;
constexpr DWORD kFormatFlags =
    FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_IGNORE_INSERTS | FORMAT_MESSAGE_FROM_SYSTEM;
constexpr DWORD kNeutralLanguage = MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT);

// An NTSTATUS (or HRESULT) as the Win32 code the system maps it to; the code itself when
// the system knows no mapping, so that its own text (if any) is still found.
uint32_t Win32Code(uint32_t code) {
  if (code <= kHighestWin32Code) return code;
  const HMODULE ntdll = GetModuleHandleA(UnscrambleAnsiStr(kNtDll.View()).c_str());
  if (!ntdll) return code;
  using TStatusToError = ULONG(WINAPI*)(LONG);
  const auto convert = reinterpret_cast<TStatusToError>(
      reinterpret_cast<void*>(GetProcAddress(ntdll, UnscrambleAnsiStr(kStatusToError.View()).c_str())));
  if (!convert) return code;
  const ULONG converted = convert(static_cast<LONG>(code));
  return converted == ERROR_MR_MID_NOT_FOUND ? code : converted;
}

TScopedLibrary MessageLibraryFor(uint32_t code) {
  for (const auto& library : kMessageLibraries) {
    if (code >= library.First && code <= library.Last) {
      return TScopedLibrary(
          LoadLibraryExA(UnscrambleAnsiStr(library.ScrambledName).c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE));
    }
  }
  return TScopedLibrary();
}

DWORD FormatMessageOf(DWORD flags, HMODULE library, uint32_t code, wchar_t** buffer) {
  return FormatMessageW(flags, library, code, kNeutralLanguage, reinterpret_cast<LPWSTR>(buffer), 0, nullptr);
}
DWORD FormatMessageOf(DWORD flags, HMODULE library, uint32_t code, char** buffer) {
  return FormatMessageA(flags, library, code, kNeutralLanguage, reinterpret_cast<LPSTR>(buffer), 0, nullptr);
}

template <class C, class SystemChar>
std::basic_string<C> CodeText(uint32_t code) {
  const uint32_t win32Code = Win32Code(code);
  const TScopedLibrary library = MessageLibraryFor(win32Code);
  const DWORD flags = kFormatFlags | (library ? FORMAT_MESSAGE_FROM_HMODULE : 0);
  SystemChar* buffer = nullptr;
  const DWORD length = FormatMessageOf(flags, library.Get(), win32Code, &buffer);
  const TScopedLocal<SystemChar> owner(buffer);
  std::basic_string<C> text;
  for (DWORD i = 0; buffer && i < length; ++i) {
    if (buffer[i] == '\r') {
      text.push_back(' ');
    } else if (buffer[i] != '\n') {
      text.push_back(static_cast<C>(buffer[i]));
    }
  }
  if (!text.empty()) return text;
  const std::string prefix = UnscrambleAnsiStr(kUnknownError.View()) + " ";
  text.assign(prefix.begin(), prefix.end());
  if constexpr (sizeof(C) == 1) {
    return text + CardToHexPadA(code, 1, '0');
  } else {
    return text + CardToHexPadW(code, 1, u'0');
  }
}

}  // namespace

std::u16string ErrorCodeText(uint32_t code) { return CodeText<char16_t, wchar_t>(code); }

std::string ErrorCodeTextA(uint32_t code) { return CodeText<char, char>(code); }

}  // namespace palvetta
