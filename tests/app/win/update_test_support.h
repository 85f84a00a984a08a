#pragma once
// What the update tests share: the installers signed at build time, a scratch folder, the
// message loop run until a condition holds, and files read whole.

#include <windows.h>

#include <filesystem>
#include <functional>
#include <string>

#include "app/update_rules.h"

namespace palvetta {

// The test installers: "signed_publisher.exe", "signed_other.exe", "unsigned.exe",
// "changed_after_signing.exe"; and "publisher.sha1", the publisher's thumbprint.
std::string TestInstaller(const std::string& name);
std::string PublisherThumbprint();

// A configuration for the local server, with short time-outs.
TUpdateConfig LocalConfig(const std::string& baseURL);

// Dispatches messages until the condition holds; false after the time.
bool PumpFor(const std::function<bool()>& condition, int ms = 10000);

std::string ReadWhole(const std::filesystem::path& path);
void WriteWhole(const std::filesystem::path& path, const std::string& bytes);

// A fresh folder for one test, removed afterwards.
class TScratchFolder {
 public:
  explicit TScratchFolder(const std::string& name);
  ~TScratchFolder();
  const std::filesystem::path& Path() const { return FPath; }
  std::string Text() const;  // with a final "\"

 private:
  std::filesystem::path FPath;
};

}  // namespace palvetta
