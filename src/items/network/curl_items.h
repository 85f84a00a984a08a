#pragma once
// Uploading a file by FTP and downloading a file, both with curl.exe, which Windows has
// had since Windows 10 1803.

#include <string>

#include "model/class_info.h"
#include "model/custom_project_item.h"

namespace palvetta {

class TFTPUploadItem : public TCustomProjectItem {
 public:
  PALVETTA_CLASS
  std::string Host;
  std::string User;
  std::string Password;  // kept and written in plain text
  std::string Dir;       // remote directory
  std::string FileName;  // local file

  PALVETTA_ITEM_TEXTS
};

class TDownloadFileItem : public TCustomProjectItem {
 public:
  PALVETTA_CLASS
  std::string URL;
  std::string SaveToPath;  // local folder; blank: the current one

  PALVETTA_ITEM_TEXTS
};

}  // namespace palvetta
