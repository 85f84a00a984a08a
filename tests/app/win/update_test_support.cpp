#include "update_test_support.h"

#include <chrono>
#include <fstream>
#include <sstream>

#include "base/file_io.h"

namespace palvetta {

std::string TestInstaller(const std::string& name) {
  return std::string(PALVETTA_TEST_INSTALLERS) + "/" + name;
}

std::string PublisherThumbprint() { return ReadWhole(PathFromUtf8(TestInstaller("publisher.sha1"))); }

TUpdateConfig LocalConfig(const std::string& baseURL) {
  TUpdateConfig config{baseURL, PublisherThumbprint()};
  config.QueryTimeoutMs = 3000;
  config.DownloadConnectTimeoutMs = 3000;
  config.DownloadResponseTimeoutMs = 5000;
  return config;
}

bool PumpFor(const std::function<bool()>& condition, int ms) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
  while (!condition()) {
    if (std::chrono::steady_clock::now() > end) return false;
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
    Sleep(5);
  }
  return true;
}

std::string ReadWhole(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

void WriteWhole(const std::filesystem::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

TScratchFolder::TScratchFolder(const std::string& name)
    : FPath(std::filesystem::temp_directory_path() / "palvetta_update" / name) {
  std::error_code ignored;
  std::filesystem::remove_all(FPath, ignored);
  std::filesystem::create_directories(FPath);
}

TScratchFolder::~TScratchFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(FPath, ignored);
}

std::string TScratchFolder::Text() const { return PathToUtf8(FPath) + "\\"; }

}  // namespace palvetta
