// A stand-in for FIND, whose /I switch Wine's find.exe lacks: FIND [/I] "string" prints
// the lines of standard input that contain the string (ignoring ASCII case with /I).
// Exit code 0 when a line matched, 1 when none did, 2 on a bad command line.

#include <cctype>
#include <iostream>
#include <string>

namespace {

std::string Lower(std::string text) {
  for (auto& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

}  // namespace

int main(int argc, char** argv) {
  bool ignoreCase = false;
  std::string needle;
  bool haveNeedle = false;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "/I" || arg == "/i") {
      ignoreCase = true;
    } else if (!haveNeedle) {
      needle = arg;
      haveNeedle = true;
    } else {
      return 2;
    }
  }
  if (!haveNeedle) return 2;
  if (ignoreCase) needle = Lower(needle);
  bool matched = false;
  for (std::string line; std::getline(std::cin, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if ((ignoreCase ? Lower(line) : line).find(needle) != std::string::npos) {
      std::cout << line << "\n";
      matched = true;
    }
  }
  return matched ? 0 : 1;
}
