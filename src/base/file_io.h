#pragma once
// Writing files so that they are never left half-written.

#include <filesystem>
#include <string>
#include <string_view>

namespace palvetta {

// A path from UTF-8 text (a narrow string would be read in the ANSI code page).
std::filesystem::path PathFromUtf8(std::string_view path);
std::string PathToUtf8(const std::filesystem::path& path);

// Writes the bytes to a temporary file beside the target and then puts it in the
// target's place, so a failure leaves any old file as it was. Raises
// std::runtime_error with the file name and the system's reason.
void WriteFileReplacing(const std::filesystem::path& target, std::string_view bytes);

// Why the text cannot be the name of a file in a folder of its own (a separator, a
// character Windows refuses, "." or "..", a trailing dot or blank, a device name such as
// CON or LPT1), or an empty text when it can.
std::string InvalidFileNameReason(std::string_view name);

// True for an existing file that is not a folder; false for anything else, errors
// included.
bool IsExistingFile(std::string_view path);

// The whole file; raises std::runtime_error when it cannot be read.
std::string ReadFileBytes(const std::filesystem::path& path);

}  // namespace palvetta
