#include "crash/process/win/folders.h"

#include <shlobj.h>

#include <cstring>

#include "base/path_text.h"
#include "crash/process/path_names.h"
#include "crash/process/win/process_facts.h"
#include "system/win/system_info.h"

namespace palvetta {
namespace {

constexpr char16_t kReportFolderSuffix[] = u".Stackward";

std::u16string WithTrailingBackslash(std::u16string path, bool wanted) {
  const bool has = !path.empty() && path.back() == u'\\';
  if (wanted && !has) path += u'\\';
  if (!wanted && has) path.pop_back();
  return path;
}

bool EnsureFolder(const std::u16string& folder) {
  return CreateDirectoryW(WidePtr(folder), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS;
}

std::u16string ReportTempFolderName() {
  wchar_t temp[MAX_PATH + 1] = {};
  std::u16string base;
  if (GetTempPathW(MAX_PATH + 1, temp) != 0) base = FromWide(temp);
  if (base.empty() || !EnsureFolder(WithTrailingBackslash(base, false))) {
    base = SpecialFolderPath(CSIDL_APPDATA, true);
    if (base.empty() || !EnsureFolder(WithTrailingBackslash(base, false))) return {};
  }
  return WithTrailingBackslash(base, true) + PathWithoutExt(PathFileName(ModuleFileName())) + kReportFolderSuffix;
}

}  // namespace

std::u16string ExpandToExeFolder(std::u16string_view path) { return ExpandToExeFolder(path, ModuleFileName()); }

std::u16string GetReportTempFolder() {
  const std::u16string folder = ReportTempFolderName();
  if (folder.empty() || !EnsureFolder(folder)) return {};
  return folder + u'\\';
}

void DeleteReportTempFolder() {
  const std::u16string folder = ReportTempFolderName();
  if (folder.empty()) return;
  WIN32_FIND_DATAW found{};
  const HANDLE find = FindFirstFileW(WidePtr(folder + u"\\*"), &found);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
        DeleteFileW(WidePtr(folder + u'\\' + FromWide(found.cFileName)));
      }
    } while (FindNextFileW(find, &found));
    FindClose(find);
  }
  RemoveDirectoryW(WidePtr(folder));
}

std::u16string SpecialFolderPath(int csidl, bool trailingBackslash) {
  std::u16string path;
  PIDLIST_ABSOLUTE list = nullptr;
  if (SUCCEEDED(SHGetSpecialFolderLocation(nullptr, csidl, &list)) && list) {
    wchar_t buffer[MAX_PATH] = {};
    if (SHGetPathFromIDListW(list, buffer)) path = FromWide(buffer);
    CoTaskMemFree(list);
  }
  if (path.empty()) path = PathFolder(ModuleFileName());
  return WithTrailingBackslash(path, trailingBackslash);
}

std::u16string GetComputerNameStr() {
  wchar_t name[MAX_COMPUTERNAME_LENGTH + 1] = {};
  DWORD length = MAX_COMPUTERNAME_LENGTH + 1;
  return GetComputerNameW(name, &length) ? FromWide(name) : std::u16string();
}

int64_t SecondsNow() {
  FILETIME now{};
  GetSystemTimeAsFileTime(&now);
  const uint64_t ticks = (uint64_t{now.dwHighDateTime} << 32) | now.dwLowDateTime;
  return static_cast<int64_t>(ticks / 10'000'000);
}

bool NeedsUnicode(std::u16string_view text) {
  if (text.empty()) return false;
  BOOL lossy = FALSE;
  WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, reinterpret_cast<const wchar_t*>(text.data()),
                      static_cast<int>(text.size()), nullptr, 0, nullptr, &lossy);
  return lossy != FALSE;
}

void PutTextOnClipboard(std::u16string_view text) {
  if (!OpenClipboard(nullptr)) return;
  EmptyClipboard();
  CloseClipboard();
  const size_t bytes = (text.size() + 1) * sizeof(char16_t);
  const HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_SHARE, bytes);
  if (!block) return;
  if (void* target = GlobalLock(block)) {
    std::memcpy(target, text.data(), text.size() * sizeof(char16_t));
    static_cast<char16_t*>(target)[text.size()] = u'\0';
    GlobalUnlock(block);
  }
  if (!OpenClipboard(nullptr)) {
    GlobalFree(block);
    return;
  }
  if (!SetClipboardData(CF_UNICODETEXT, block)) GlobalFree(block);  // the clipboard owns it when set
  CloseClipboard();
}

}  // namespace palvetta
