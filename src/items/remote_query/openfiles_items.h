#pragma once
// OPENFILES: list the files others opened through shared folders, disconnect them, and
// switch the tracking of local file handles on or off.

#include <string>

#include "items/remote_query/sup_item.h"
#include "model/properties.h"

namespace palvetta {

PALVETTA_ENUM(TOpenFilesOpenMode, omAll, omRead, omWrite, omReadWrite);

class TCustomOpenFileItem : public TCustomSUPItem {
 public:
  PALVETTA_CLASS
};

class TOpenFilesQueryItem : public TCustomOpenFileItem {
 public:
  PALVETTA_CLASS

  PALVETTA_ITEM_TEXTS
};

// Only the remote switches of the base.
class TOpenFilesDisconnectItem : public TCustomOpenFileItem {
 public:
  PALVETTA_CLASS
  std::string ID;  // file ID
  std::string A;   // accessed by
  TOpenFilesOpenMode O = TOpenFilesOpenMode::omAll;
  std::string OP;  // the open file's name

  PALVETTA_ITEM_TEXTS
};

// None of the base's switches.
class TOpenFilesLocalItem : public TCustomOpenFileItem {
 public:
  PALVETTA_CLASS
  bool OnOff = false;

  PALVETTA_ITEM_TEXTS
  PALVETTA_ITEM_EDITOR_CODE
};

}  // namespace palvetta
