#pragma once
// SCHTASKS: running, ending, deleting and querying scheduled tasks, on this computer or
// another one. Creating and changing one is in schtasks_create_item.h.

#include <string>

#include "model/custom_project_item.h"
#include "model/properties.h"
#include "model/types.h"

namespace palvetta {

// What every SCHTASKS item may name: the computer with the account that connects to it,
// and the account a created or changed task runs as.
class TSCHTASKSCustomItem : public TCustomProjectItem {
 public:
  PALVETTA_CLASS
  std::string Sys;  // blank: this computer
  std::string Username;
  std::string Password;  // stored in plain text
  bool RunAsUser = false;
  std::string RAUsername;
  std::string RAPassword;  // stored in plain text
  bool AskForPassword = false;    // /P without a value: SCHTASKS asks
  bool AskForRAPassword = false;  // the same for /RP

 protected:
  // "/S system" with its account, or nothing for this computer.
  std::string SystemParams() const;
  // ` /TN "name"`, or nothing for a blank name.
  static std::string TaskNameSwitch(const std::string& name);
  // The verb and ` scheduled task "name"`, or the placeholder for a blank name.
  static std::string TaskText(const char* verb, const std::string& name);
};

class TSCHTASKSRunItem : public TSCHTASKSCustomItem {
 public:
  PALVETTA_CLASS
  std::string TN;
  bool I = false;  // run now, whatever the task's constraints
  PALVETTA_ITEM_TEXTS
};

class TSCHTASKSEndItem : public TSCHTASKSCustomItem {
 public:
  PALVETTA_CLASS
  std::string TN;
  PALVETTA_ITEM_TEXTS
};

class TSCHTASKSDeleteItem : public TSCHTASKSCustomItem {
 public:
  PALVETTA_CLASS
  std::string TN;
  bool F = false;  // even while it runs
  PALVETTA_ITEM_TEXTS
};

class TSCHTASKSQueryItem : public TSCHTASKSCustomItem {
 public:
  PALVETTA_CLASS
  std::string TN;
  TOutputFormat_WithXML FO = TOutputFormat_WithXML::ofxTable;
  bool NH = false;
  bool V = false;
  bool OneXML = false;
  PALVETTA_ITEM_TEXTS
};

}  // namespace palvetta
