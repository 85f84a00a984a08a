#include <sys/stat.h>

#include <ctime>
#include <exception>
#include <fstream>

#include "base/file_io.h"
#include "codec/zip_source.h"

namespace palvetta {

TZipSourceStatus ReadZipSource(std::string_view pathUtf8, TZipSource& source) {
  try {
    const std::string path(pathUtf8);
    struct stat facts {};
    if (stat(path.c_str(), &facts) != 0 || !S_ISREG(facts.st_mode)) return TZipSourceStatus::zssUnreadable;
    if (static_cast<uint64_t>(facts.st_size) > kZipMaxFileSize) return TZipSourceStatus::zssTooLarge;
    std::ifstream in(path, std::ios::binary);
    if (!in) return TZipSourceStatus::zssUnreadable;
    source.Bytes.resize(static_cast<size_t>(facts.st_size));
    in.read(source.Bytes.data(), static_cast<std::streamsize>(source.Bytes.size()));
    if (in.gcount() != static_cast<std::streamsize>(source.Bytes.size())) return TZipSourceStatus::zssUnreadable;
    std::tm local{};
    localtime_r(&facts.st_mtime, &local);
    source.Modified = {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec};
    source.Attributes = 0;
    return TZipSourceStatus::zssRead;
  } catch (const std::exception&) {
    return TZipSourceStatus::zssUnreadable;
  }
}

}  // namespace palvetta
