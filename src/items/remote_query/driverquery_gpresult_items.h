#pragma once
// DRIVERQUERY (the installed device drivers) and GPRESULT (the Resultant Set of Policy).

#include <string>

#include "items/remote_query/sup_item.h"
#include "model/properties.h"

namespace palvetta {

PALVETTA_ENUM(TGPResultOutputFormat, gpofDefault, gpofXML, gpofHTML);
PALVETTA_ENUM(TGPResultScope, gpsUser, gpsComputer);
PALVETTA_ENUM(TGPResultVerboseMode, gprNone, gpvR, gpvV, gpvZ);

class TDriverQueryItem : public TCustomSUPItem {
 public:
  PALVETTA_CLASS
  bool SI = false;  // information about signed drivers

  PALVETTA_ITEM_TEXTS
};

// Only the remote switches of the base: GPRESULT has no /NH or /FO.
class TGPResultItem : public TCustomSUPItem {
 public:
  PALVETTA_CLASS
  TGPResultOutputFormat Format = TGPResultOutputFormat::gpofDefault;
  std::string FileName;  // the XML or HTML report
  bool F = false;        // overwrite the report file
  TGPResultScope SCOPE = TGPResultScope::gpsUser;
  std::string ScopeUser;
  TGPResultVerboseMode GPResultVerboseMode = TGPResultVerboseMode::gprNone;

  PALVETTA_ITEM_TEXTS
  PALVETTA_ITEM_EDITOR_CODE
};

}  // namespace palvetta
