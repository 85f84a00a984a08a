#pragma once
// The safety rules of the end-to-end runs, read off a batch file's text: which commands
// it may call. A test must never format, convert or check a disk, shut the machine down
// or end processes for real, and a command that may ask a question must find an answer
// in its input (Wine's cmd.exe asks again without end once the input has ended).

#include <set>
#include <string>
#include <string_view>

namespace palvetta::e2e {

// Refused unless the test put a stand-in of that name first on PATH.
inline constexpr std::string_view kDangerousCommands[] = {"FORMAT", "CONVERT", "CHKDSK",
                                                          "SHUTDOWN", "TASKKILL"};
// Given an answer file when the test did not give one.
inline constexpr std::string_view kPromptingCommands[] = {
    "PAUSE", "CHOICE", "COPY", "XCOPY", "MOVE", "DEL",   "ERASE", "RD",
    "RMDIR", "REPLACE", "COMP", "PRINT", "LABEL", "FORMAT", "DATE", "TIME"};

// The words of the text that cmd.exe may run as commands, in upper case, without folder
// and extension: every word outside double quotes, except the text of ECHO and REM
// (which ends at an unescaped & or |). Reading more than the command position errs on
// the safe side: "DIR format" counts as calling FORMAT.
std::set<std::string> CommandWords(std::string_view batchText);

}  // namespace palvetta::e2e
