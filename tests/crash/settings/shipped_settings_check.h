#pragma once
// The shipped settings as the interfaces answer them, value by value, for the tests of
// the resource made from the listing (host) and of the one linked into the program
// (Windows).

#include <string>

#include "crash/settings/sw_settings.h"

namespace palvetta {

// appName is the file name "%appname%" stands for.
void ExpectShippedSettings(TISWSettings& settings, const std::u16string& appName);

}  // namespace palvetta
