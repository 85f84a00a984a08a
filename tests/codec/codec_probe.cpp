// Runs the ZIP writer and Base64 for the scripts that check them against other programs:
//   codec_probe zip OUT.zip FILE[=SEND_AS_NAME]...   exit 1 when no archive was written
//   codec_probe base64 HEX...      prints each encoding on a line (an empty line for "")
//   codec_probe unbase64 TEXT...   prints each decoding in hex, or "refused"

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "codec/base64.h"
#include "codec/zip_writer.h"

namespace {

std::string FromHex(const std::string& hex) {
  std::string bytes;
  for (size_t i = 0; i + 1 < hex.size(); i += 2) bytes += static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16));
  return bytes;
}

std::string ToHex(const std::string& bytes) {
  std::string hex;
  char digits[3];
  for (unsigned char c : bytes) {
    std::snprintf(digits, sizeof digits, "%02x", c);
    hex += digits;
  }
  return hex;
}

int Zip(int argc, char** argv) {
  std::vector<std::string> files, names;
  for (int i = 3; i < argc; ++i) {
    const std::string argument = argv[i];
    const size_t equals = argument.find('=');
    files.push_back(argument.substr(0, equals));
    names.push_back(equals == std::string::npos ? "" : argument.substr(equals + 1));
  }
  const palvetta::TZipResult result = palvetta::WriteZipArchive(argv[2], files, names);
  for (const auto& skipped : result.Skipped) {
    std::printf("skipped %s %s\n", skipped.Path.c_str(),
                skipped.Reason == palvetta::TZipSkipReason::zsrTooLarge ? "too-large" : "unreadable");
  }
  return result.Written ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc >= 3 && std::strcmp(argv[1], "zip") == 0) return Zip(argc, argv);
  if (argc >= 2 && std::strcmp(argv[1], "base64") == 0) {
    for (int i = 2; i < argc; ++i) std::printf("%s\n", palvetta::Base64Encode(FromHex(argv[i])).c_str());
    return 0;
  }
  if (argc >= 2 && std::strcmp(argv[1], "unbase64") == 0) {
    for (int i = 2; i < argc; ++i) {
      const std::string bytes = palvetta::Base64Decode(argv[i]);
      std::printf("%s\n", bytes.empty() ? "refused" : ToHex(bytes).c_str());
    }
    return 0;
  }
  std::fprintf(stderr, "usage: codec_probe zip OUT FILE[=NAME]... | base64 HEX... | unbase64 TEXT...\n");
  return 2;
}
