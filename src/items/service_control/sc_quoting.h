#pragma once
// How SC's arguments are written: SC takes "name= value" pairs and reads each value as
// one argument, so a value with a blank or a character cmd.exe would act on is quoted,
// and the binary path, which SC stores as the service's command line, is quoted as one
// argument holding its own quoted program.

#include <string>
#include <string_view>

namespace palvetta {

// The trimmed text without the one pair of double quotes around it.
std::string SCUnquote(std::string_view text);
// The trimmed text, wrapped in double quotes when it holds a blank, a TAB or one of
// & ( ) < > ^ | and is not already quoted.
std::string SCQuote(std::string_view text);
// The value of "binPath=", on one line with its literal "%" doubled: the program quoted
// when it holds a blank, a TAB or "%", its arguments after it, the whole as one argument
// shielded from cmd.exe (ShieldedArgument).
std::string BuildBinPath(std::string_view text);
// The key name of a service picked from the list ("Spooler (Print Spooler)" gives
// "Spooler"): the text before the first " (", else the trimmed text.
std::string ServiceKeyName(std::string_view text);
// The computer argument: "\\" and the name with the user's backslashes removed, so that
// "PC1" and "\\PC1" both name the computer; empty for a blank text (the local one).
std::string SCServerArgument(std::string_view text);

}  // namespace palvetta
