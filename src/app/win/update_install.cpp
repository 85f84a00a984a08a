#include "app/win/update_install.h"

#include <objbase.h>
#include <shellapi.h>
#include <softpub.h>
#include <wintrust.h>

#include <cstdio>

#include "app/zip_directory.h"
#include "app/zip_entry_contents.h"
#include "base/file_io.h"
#include "base/win/wide.h"

namespace palvetta {
namespace {

std::string WithDelimiter(std::string folder) {
  if (!folder.empty() && folder.back() != '\\' && folder.back() != '/') folder += '\\';
  return folder;
}

// The SHA-1 hash of the first signer's certificate as 40 upper-case hex digits, or empty.
std::string SignerThumbprint(HANDLE stateData) {
  CRYPT_PROVIDER_DATA* provider = WTHelperProvDataFromStateData(stateData);
  if (!provider) return {};
  CRYPT_PROVIDER_SGNR* signer = WTHelperGetProvSignerFromChain(provider, 0, FALSE, 0);
  if (!signer || signer->csCertChain == 0 || !signer->pasCertChain ||
      !signer->pasCertChain[0].pCert) {
    return {};
  }
  BYTE hash[20] = {};
  DWORD size = sizeof(hash);
  if (!CertGetCertificateContextProperty(signer->pasCertChain[0].pCert, CERT_SHA1_HASH_PROP_ID,
                                         hash, &size) ||
      size != sizeof(hash)) {
    return {};
  }
  std::string text;
  char digits[3];
  for (const BYTE byte : hash) {
    std::snprintf(digits, sizeof digits, "%02X", byte);
    text += digits;
  }
  return text;
}

}  // namespace

std::string NewGuidText() {
  GUID guid = {};
  if (FAILED(CoCreateGuid(&guid))) return {};
  wchar_t text[40] = {};
  if (StringFromGUID2(guid, text, 40) == 0) return {};
  return Narrow(text);
}

std::string ExtractInstallerFromZip(const std::string& zipPath, std::string_view installerName,
                                    const std::string& destinationFolder) {
  try {
    if (!IsExistingFile(zipPath)) return {};
    const std::string archive = ReadFileBytes(PathFromUtf8(zipPath));
    const auto entry = FindZipEntryByFileName(ReadZipDirectory(archive), installerName);
    if (!entry) return {};
    const std::string contents = ZipEntryContents(archive, *entry);
    const std::string target =
        WithDelimiter(destinationFolder) + std::string(ZipFileNamePart(entry->Name));
    WriteFileReplacing(PathFromUtf8(target), contents);
    return IsExistingFile(target) ? target : std::string();
  } catch (...) {
    return {};
  }
}

TLockedInstaller::TLockedInstaller(const std::string& path)
    : FPath(path),
      FFile(CreateFileW(Widen(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                        FILE_ATTRIBUTE_NORMAL, nullptr)) {}

TSignatureVerdict VerifyInstallerSignature(const TLockedInstaller& installer,
                                           std::string_view publisherThumbprint) {
  if (!installer.IsOpen()) return {false, "the file is missing."};
  const std::wstring path = Widen(installer.Path());
  WINTRUST_FILE_INFO file = {};
  file.cbStruct = sizeof(file);
  file.pcwszFilePath = path.c_str();
  file.hFile = installer.Handle();
  WINTRUST_DATA data = {};
  data.cbStruct = sizeof(data);
  data.dwUIChoice = WTD_UI_NONE;
  data.fdwRevocationChecks = WTD_REVOKE_NONE;
  data.dwUnionChoice = WTD_CHOICE_FILE;
  data.pFile = &file;
  data.dwStateAction = WTD_STATEACTION_VERIFY;
  data.dwProvFlags = WTD_SAFER_FLAG;
  GUID action = WINTRUST_ACTION_GENERIC_VERIFY_V2;
  const auto result = static_cast<uint32_t>(
      WinVerifyTrust(static_cast<HWND>(INVALID_HANDLE_VALUE), &action, &data));
  std::string thumbprint;
  if (data.hWVTStateData) thumbprint = SignerThumbprint(data.hWVTStateData);
  data.dwStateAction = WTD_STATEACTION_CLOSE;
  WinVerifyTrust(static_cast<HWND>(INVALID_HANDLE_VALUE), &action, &data);
  return JudgeSignature(result, thumbprint, publisherThumbprint);
}

TSignatureVerdict VerifyInstallerSignature(const std::string& path,
                                           std::string_view publisherThumbprint) {
  return VerifyInstallerSignature(TLockedInstaller(path), publisherThumbprint);
}

bool ShellStartInstaller(const std::string& path, std::string_view parameters) {
  const std::wstring file = Widen(path);
  const std::wstring arguments = Widen(parameters);
  SHELLEXECUTEINFOW info = {};
  info.cbSize = sizeof(info);
  info.fMask = SEE_MASK_NOASYNC | SEE_MASK_FLAG_NO_UI;
  info.lpVerb = L"open";
  info.lpFile = file.c_str();
  info.lpParameters = arguments.c_str();
  info.nShow = SW_SHOWNORMAL;
  return ShellExecuteExW(&info) != FALSE;
}

}  // namespace palvetta
