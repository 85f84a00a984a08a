#include "model/system_items.h"

namespace palvetta {

PALVETTA_DEFINE_CLASS(TSysDateOrder, TSystemProjectItem);
PALVETTA_DEFINE_CLASS(TSys7Zip, TSystemProjectItem);

std::string TSysDateOrder::GetBatchText() const {
  // KWJ_DATEFMT is emptied first so that a value left in the environment is never taken
  // for the pattern, and only a first letter d or y overrides the month-first default.
  return JoinWith(
      {"REM This PC's date order, for the dates below (M = month first, d = day first, y = year "
       "first)",
       "SET \"KWJ_DATEORDER=M\"",
       "SET \"KWJ_DATEFMT=\"",
       "FOR /F \"tokens=2*\" %%A IN ('REG QUERY \"HKCU\\Control Panel\\International\" /v "
       "sShortDate 2^>NUL ^| FIND /I \"sShortDate\"') DO SET \"KWJ_DATEFMT=%%B\"",
       "IF DEFINED KWJ_DATEFMT IF \"%KWJ_DATEFMT:~0,1%\"==\"d\" SET \"KWJ_DATEORDER=d\"",
       "IF DEFINED KWJ_DATEFMT IF \"%KWJ_DATEFMT:~0,1%\"==\"y\" SET \"KWJ_DATEORDER=y\""},
      "\r\n");
}

std::string TSys7Zip::GetBatchText() const {
  return JoinWith(
      {"REM 7-Zip: its installer does not add 7z.exe to the PATH, so look in its usual folders "
       "too",
       "SET \"KWJ_7Z=\"",
       "FOR %%P IN (7z.exe) DO SET \"KWJ_7Z=%%~$PATH:P\"",
       "IF NOT DEFINED KWJ_7Z IF EXIST \"%ProgramFiles%\\7-Zip\\7z.exe\" SET "
       "\"KWJ_7Z=%ProgramFiles%\\7-Zip\\7z.exe\"",
       "IF NOT DEFINED KWJ_7Z IF EXIST \"%ProgramFiles(x86)%\\7-Zip\\7z.exe\" SET "
       "\"KWJ_7Z=%ProgramFiles(x86)%\\7-Zip\\7z.exe\"",
       "IF NOT DEFINED KWJ_7Z ECHO 7-Zip was not found. Install it from https://www.7-zip.org/",
       "IF NOT DEFINED KWJ_7Z SET \"KWJ_7Z=7z.exe\""},
      "\r\n");
}

}  // namespace palvetta
