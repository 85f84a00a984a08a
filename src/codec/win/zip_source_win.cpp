#include <algorithm>
#include <exception>

#include "base/win/kernel_handles.h"
#include "base/win/wide.h"
#include "codec/zip_source.h"

namespace palvetta {

TZipSourceStatus ReadZipSource(std::string_view pathUtf8, TZipSource& source) {
  try {
    const std::wstring path = Widen(pathUtf8);
    TScopedKernelHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                         OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return TZipSourceStatus::zssUnreadable;
    BY_HANDLE_FILE_INFORMATION facts{};
    if (!GetFileInformationByHandle(file.Get(), &facts)) return TZipSourceStatus::zssUnreadable;
    if (facts.nFileSizeHigh != 0) return TZipSourceStatus::zssTooLarge;
    source.Bytes.resize(facts.nFileSizeLow);
    size_t done = 0;
    while (done < source.Bytes.size()) {
      DWORD got = 0;
      const DWORD want = static_cast<DWORD>(std::min<size_t>(source.Bytes.size() - done, 1u << 30));
      if (!ReadFile(file.Get(), source.Bytes.data() + done, want, &got, nullptr) || got == 0) {
        return TZipSourceStatus::zssUnreadable;
      }
      done += got;
    }
    FILETIME local{};
    SYSTEMTIME clock{};
    if (!FileTimeToLocalFileTime(&facts.ftLastWriteTime, &local) || !FileTimeToSystemTime(&local, &clock)) {
      return TZipSourceStatus::zssUnreadable;
    }
    source.Modified = {clock.wYear, clock.wMonth, clock.wDay, clock.wHour, clock.wMinute, clock.wSecond};
    source.Attributes = facts.dwFileAttributes;
    return TZipSourceStatus::zssRead;
  } catch (const std::exception&) {
    return TZipSourceStatus::zssUnreadable;
  }
}

}  // namespace palvetta
