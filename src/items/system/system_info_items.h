#pragma once
// SYSTEMINFO, showing and setting the date and time (DATE, TIME) and the settings of a
// serial port (MODE COMn).

#include <string>

#include "model/class_info.h"
#include "model/custom_project_item.h"
#include "model/types.h"

namespace palvetta {

class TSystemInfoItem : public TCustomProjectItem {
 public:
  PALVETTA_CLASS
  std::string System;
  std::string User;
  std::string Password;
  bool NoHeader = false;
  TOutputFormat OutputFormat = TOutputFormat::ofTable;

  PALVETTA_ITEM_TEXTS
};

class TDisplayCurrentDateAndTimeItem : public TCustomProjectItem {
 public:
  PALVETTA_CLASS
  bool Time = true;
  bool Date = true;

  PALVETTA_ITEM_TEXTS
};

// Sets the system time, or lets the user type it when the batch file runs. The time is
// free text in the format of the machine that runs the batch file, so it is typed, not
// picked.
class TSetTimeItem : public TCustomProjectItem {
 public:
  PALVETTA_CLASS
  bool AskUser = true;
  std::string Time;

  PALVETTA_ITEM_TEXTS
  PALVETTA_ITEM_EDITOR_CODE
};

// The twin of TSetTimeItem for the date.
class TSetDateItem : public TCustomProjectItem {
 public:
  PALVETTA_CLASS
  bool AskUser = true;
  std::string Date;

  PALVETTA_ITEM_TEXTS
  PALVETTA_ITEM_EDITOR_CODE
};

class TCOMModeItem : public TCustomProjectItem {
 public:
  PALVETTA_CLASS
  int32_t ComPort = 1;
  // Whether each value is written.
  bool SetBAUD = false;
  bool SetParity = false;
  bool SetData = false;
  bool SetSTOP = false;
  bool SetTo = false;
  bool SetXON = false;
  bool SetODSR = false;
  bool SetOCTS = false;
  bool SetDTR = false;
  bool SetRTS = false;
  bool SetIDSR = false;
  std::string BAUD = "14400";
  std::string Parity = "e";
  std::string Data = "7";
  std::string Stop = "1";
  std::string ToVal = "on";
  std::string XON = "on";
  std::string ODSR = "on";
  std::string OCTS = "on";
  std::string DTR = "on";
  std::string RTS = "on";
  std::string IDSR = "on";

  PALVETTA_ITEM_TEXTS
  PALVETTA_ITEM_EDITOR_CODE
};

// The parity letter MODE takes for a parity's name ("Even" gives "e"); any other text
// trimmed.
std::string ParityLetter(std::string_view parity);

// The values the COM port's drop-down lists offer, by list.
struct TComModeList {
  std::string_view Control;
  std::string TCOMModeItem::*Value;
  TStrings Entries;
};
const std::vector<TComModeList>& ComModeLists();

}  // namespace palvetta
