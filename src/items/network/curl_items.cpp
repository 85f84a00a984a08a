#include "items/network/curl_items.h"

#include "items/network/url_file_name.h"
#include "model/field_table.h"
#include "model/quoting.h"

namespace palvetta {

namespace {

using namespace fields;

constexpr TField kFTPUploadFields[] = {
    Text<&TFTPUploadItem::Host>("Host", "edtHost"),
    Text<&TFTPUploadItem::User>("User", "edtUsername"),
    Text<&TFTPUploadItem::Password>("Password", "edtPassword"),
    Text<&TFTPUploadItem::Dir>("Dir", "edtDir"),
    Text<&TFTPUploadItem::FileName>("FileName", "edtFilename"),
};

constexpr TField kDownloadFields[] = {
    Text<&TDownloadFileItem::URL>("URL", "edtURL"),
    Text<&TDownloadFileItem::SaveToPath>("SaveToPath", "edtSaveToPath"),
};

// The host without an "ftp://" the user typed and without trailing slashes; any other
// scheme the user typed stays part of the host.
std::string FTPHost(const std::string& host) {
  std::string text = URLValue(host);
  if (StartsWithAscii(text, "ftp://")) text.erase(0, 6);
  while (!text.empty() && text.back() == '/') text.pop_back();
  return text;
}

std::string FTPDirectory(const std::string& dir) {
  std::string text = ReplaceAll(URLValue(dir), "\\", "/");
  const size_t first = text.find_first_not_of('/');
  if (first == std::string::npos) return {};
  const size_t last = text.find_last_not_of('/');
  return text.substr(first, last - first + 1);
}

}  // namespace

PALVETTA_DEFINE_CLASS(TFTPUploadItem, TCustomProjectItem, kFTPUploadFields);
PALVETTA_DEFINE_CLASS(TDownloadFileItem, TCustomProjectItem, kDownloadFields);

// FTP upload

std::string TFTPUploadItem::GetHumanReadableText() const {
  return "Upload via FTP " +
         (IsBlank(FileName) ? std::string("<u>unknown file </u> ") : FileName + " ") + "to " +
         (IsBlank(Host) ? std::string("<u>unknown host </u>") : Host);
}

std::string TFTPUploadItem::GetBatchText() const {
  std::string url = "ftp://" + FTPHost(Host) + "/";
  if (const std::string dir = FTPDirectory(Dir); !dir.empty()) url += ReplaceAll(dir, " ", "%20") + "/";
  std::string text = "curl.exe -T " + QuotePath(FileName) + " \"" +
                     EscapePercents(url) + "\"";
  if (!IsBlank(User)) text += " --user " + ShieldedArgument(EscapePercents(OneLine(User + ":" + Password)));
  return text;
}

// Download

std::string TDownloadFileItem::GetHumanReadableText() const {
  return "Download file from " + (IsBlank(URL) ? std::string("<u>unknown URL</u> ") : URL + " ") +
         " and save to " + (IsBlank(SaveToPath) ? std::string("<u>current folder</u>") : SaveToPath);
}

std::string TDownloadFileItem::GetBatchText() const {
  if (IsBlank(URL)) return "REM Download a file: no URL given";
  std::string folder = EscapeArgumentPercents(PathValue(SaveToPath));
  if (!folder.empty() && folder.back() != '\\' && folder.back() != '/') folder += '\\';
  const std::string url = URLValue(URL);
  return "curl.exe -L -f --create-dirs -o \"" + folder + BatchFileNameFromURL(url) + "\" \"" +
         EscapePercents(url) + "\"";
}

}  // namespace palvetta
