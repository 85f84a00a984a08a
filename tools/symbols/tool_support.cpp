#include "tool_support.h"

#include <cstdio>
#include <stdexcept>

namespace palvetta {

namespace {

std::string ShellQuoted(const std::string& text) {
  std::string quoted = "'";
  for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

}  // namespace

std::string CommandOutput(const std::string& program, const std::string& arguments, const std::string& file) {
  const std::string command = ShellQuoted(program) + " " + arguments + " " + ShellQuoted(file);
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) throw std::runtime_error("cannot run " + program);
  std::string output;
  char buffer[65536];
  for (size_t read; (read = fread(buffer, 1, sizeof buffer, pipe)) > 0;) output.append(buffer, read);
  if (pclose(pipe) != 0) throw std::runtime_error(program + " failed on " + file);
  return output;
}

bool ParseAddress(const std::string& text, uintptr_t& address) {
  const std::string digits = text.rfind("0x", 0) == 0 || text.rfind("0X", 0) == 0 ? text.substr(2) : text;
  if (digits.empty() || digits.size() > 2 * sizeof(uintptr_t) ||
      digits.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos) {
    return false;
  }
  address = static_cast<uintptr_t>(std::stoull(digits, nullptr, 16));
  return true;
}

}  // namespace palvetta
