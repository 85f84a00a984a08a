#pragma once
// The installer of an update: taken out of the downloaded package, held open so that
// nobody can change it, checked for the publisher's signature and started silently.

#include <windows.h>

#include <functional>
#include <string>
#include <string_view>

#include "app/update_rules.h"
#include "base/win/kernel_handles.h"

namespace palvetta {

// A new GUID's text with braces ("{...}"), upper-case as Windows writes it.
std::string NewGuidText();

// Extracts the first entry of the ZIP file whose file name equals installerName (ignoring
// case and the entry's folders) into the destination folder under its file name; the
// full path when it is then there, else (no such file, no such entry, a damaged archive
// or data that does not match its checksum) an empty text.
std::string ExtractInstallerFromZip(const std::string& zipPath, std::string_view installerName,
                                    const std::string& destinationFolder);

// The installer opened for reading with writing and deleting denied to everyone else, so
// that the file checked is the file started.
class TLockedInstaller {
 public:
  explicit TLockedInstaller(const std::string& path);
  bool IsOpen() const { return FFile.IsValid(); }
  HANDLE Handle() const { return FFile.Get(); }
  const std::string& Path() const { return FPath; }

 private:
  std::string FPath;
  TScopedKernelHandle FFile;
};

// The system's Authenticode check of the open file and the thumbprint of its first
// signer, judged against the publisher's thumbprint.
TSignatureVerdict VerifyInstallerSignature(const TLockedInstaller& installer,
                                           std::string_view publisherThumbprint);
// The same for a file by name: "the file is missing." when it cannot be opened.
TSignatureVerdict VerifyInstallerSignature(const std::string& path,
                                           std::string_view publisherThumbprint);

inline constexpr std::string_view kInstallerSwitches =
    "/SILENT /CLOSEAPPLICATIONS /RESTARTAPPLICATIONS";

// Starts a program with parameters in a normal window; true when it started.
using TInstallerLauncher = std::function<bool(const std::string& path, std::string_view parameters)>;
// Asks the shell to open the program.
bool ShellStartInstaller(const std::string& path, std::string_view parameters);

}  // namespace palvetta
