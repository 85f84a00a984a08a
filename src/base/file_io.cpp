#include "base/file_io.h"

#include <atomic>
#include <cctype>
#include <cerrno>
#include <chrono>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <system_error>

namespace palvetta {

std::filesystem::path PathFromUtf8(std::string_view path) {
  return std::filesystem::path(std::u8string(path.begin(), path.end()));
}

std::string PathToUtf8(const std::filesystem::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

namespace {

std::string Reason(int error) { return std::generic_category().message(error); }

[[noreturn]] void Fail(const char* what, const std::filesystem::path& path, const std::string& why) {
  throw std::runtime_error(std::string(what) + " \"" + PathToUtf8(path) + "\". " + why);
}

std::filesystem::path TemporaryBeside(const std::filesystem::path& target) {
  static std::atomic<unsigned> counter{0};
  const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
  std::filesystem::path temp = target;
  temp += ".~" + std::to_string(stamp % 1000000007) + "-" + std::to_string(counter++) + ".tmp";
  return temp;
}

}  // namespace

void WriteFileReplacing(const std::filesystem::path& target, std::string_view bytes) {
  const std::filesystem::path temp = TemporaryBeside(target);
  {
    errno = 0;
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    if (!out) Fail("Cannot create file", target, Reason(errno ? errno : EACCES));
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.flush();
    if (!out) {
      const int error = errno ? errno : EIO;
      out.close();
      std::error_code ignored;
      std::filesystem::remove(temp, ignored);
      Fail("Cannot write file", target, Reason(error));
    }
  }
  std::error_code error;
  std::filesystem::rename(temp, target, error);
  if (error) {
    std::error_code ignored;
    std::filesystem::remove(temp, ignored);
    Fail("Cannot create file", target, error.message());
  }
}

std::string InvalidFileNameReason(std::string_view name) {
  if (name.find_first_not_of(' ') == std::string_view::npos) return "Please enter a name.";
  for (char c : name) {
    if (static_cast<unsigned char>(c) < 32 ||
        std::string_view("\\/:*?\"<>|").find(c) != std::string_view::npos) {
      return "A name cannot contain any of these characters: \\ / : * ? \" < > |";
    }
  }
  if (name.back() == '.' || name.back() == ' ') return "A name cannot end with a dot or a blank.";
  if (name.size() > 200) return "The name is too long.";
  static constexpr std::string_view kDevices[] = {
      "CON",  "PRN",  "AUX",  "NUL",  "COM1", "COM2", "COM3", "COM4", "COM5", "COM6", "COM7",
      "COM8", "COM9", "LPT1", "LPT2", "LPT3", "LPT4", "LPT5", "LPT6", "LPT7", "LPT8", "LPT9"};
  const std::string_view base = name.substr(0, name.find('.'));
  for (const auto device : kDevices) {
    std::string upper(base);
    for (auto& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (upper.substr(0, upper.find_last_not_of(' ') + 1) == device) {
      return "\"" + std::string(base) + "\" is a name that Windows keeps for a device.";
    }
  }
  return {};
}

bool IsExistingFile(std::string_view path) {
  std::error_code error;
  return !path.empty() && std::filesystem::is_regular_file(PathFromUtf8(path), error);
}

std::string ReadFileBytes(const std::filesystem::path& path) {
  errno = 0;
  std::ifstream in(path, std::ios::binary);
  if (!in) Fail("Cannot open file", path, Reason(errno ? errno : ENOENT));
  // Sized to the file at once: a large project would otherwise be copied at every doubling.
  in.seekg(0, std::ios::end);
  const std::streamoff size = in.tellg();
  in.seekg(0, std::ios::beg);
  std::string bytes;
  if (size > 0 && in) {
    bytes.resize(static_cast<size_t>(size));
    in.read(bytes.data(), static_cast<std::streamsize>(size));
    bytes.resize(static_cast<size_t>(in.gcount()));
  } else {
    in.clear();
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  if (in.bad()) Fail("Cannot read file", path, Reason(errno ? errno : EIO));
  return bytes;
}

}  // namespace palvetta
