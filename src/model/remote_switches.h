#pragma once
// The switches that Windows' query tools (SYSTEMINFO, TASKLIST, TASKKILL, DRIVERQUERY,
// GPRESULT, OPENFILES) share to run against another computer and to shape their output.

#include <string>
#include <string_view>

#include "model/types.h"

namespace palvetta {

// " /S system", then only with a system " /U user", then only with a user " /P password";
// nothing for a blank system. Each value is quoted when it holds a blank or a character
// that would end the command, and the password keeps its "%" as typed (EscapePercents):
// a password must reach the tool exactly as the user wrote it.
std::string RemoteSystemSwitches(std::string_view system, std::string_view user,
                                 std::string_view password);

// " /NH" when the header is to be left out and the format is not LIST (the tools refuse
// that pair), then always " /FO " and the format's name.
std::string HeaderAndFormatSwitches(bool noHeader, TOutputFormat format);

}  // namespace palvetta
