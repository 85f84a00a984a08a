#pragma once
// User text written into the console family's lines.

#include <string>
#include <string_view>

#include "base/text.h"
#include "model/quoting.h"

namespace palvetta {

// Text for an ECHO, TITLE or PROMPT line, or for the menu's lines.
inline std::string ConsoleText(std::string_view text) { return EscapeMessageText(text); }

// An ECHO line of the text; a blank text gives an empty line ("ECHO." prints one, a
// bare "ECHO" would print whether echo is on).
inline std::string EchoLine(std::string_view text) {
  if (IsBlank(text)) return "ECHO.";
  return "ECHO " + ConsoleText(text);
}

// "SET /P Name="Prompt"": the prompt in double quotes, the whole read in one quote state
// as cmd.exe reads it, so that a quote inside the prompt cannot leave a special
// character unescaped.
inline std::string AskLine(std::string_view varName, std::string_view prompt) {
  return "SET /P " +
         EscapeSetAssignment(varName, "\"" + EscapeLonePercents(OneLine(prompt)) + "\"");
}

}  // namespace palvetta
