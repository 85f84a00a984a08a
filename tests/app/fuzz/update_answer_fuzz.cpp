// Feeds arbitrary text to the rules that judge the update service's answer. Whatever the
// server sends, what passes as a version must be one to four groups of digits (it goes
// into a download address and file names), and comparing versions must be a consistent
// order. Layout: the first byte's low bit picks status 200 or another, the rest splits at
// its first newline into the answer and a second version text.

#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "app/update_rules.h"

namespace {

using namespace palvetta;

bool OnlyDigitGroups(std::string_view text) {
  int groups = 1;
  bool digitBefore = false;
  for (const char c : text) {
    if (c == '.') {
      if (!digitBefore) return false;
      ++groups;
      digitBefore = false;
    } else if (c >= '0' && c <= '9') {
      digitBefore = true;
    } else {
      return false;
    }
  }
  return digitBefore && groups <= 4;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const int status = (data[0] & 1) != 0 ? 200 : 404;
  const std::string_view rest(reinterpret_cast<const char*>(data + 1), size - 1);
  const size_t newline = rest.find('\n');
  const std::string_view answer = rest.substr(0, newline);
  const std::string_view other = newline == std::string_view::npos ? std::string_view() : rest.substr(newline + 1);

  if (IsValidVersionText(answer) != OnlyDigitGroups(answer)) std::abort();
  const auto latest = LatestVersionFromAnswer(status, answer);
  if (latest && (status != 200 || !OnlyDigitGroups(*latest))) std::abort();

  const int forward = CompareVersions(answer, other);
  if (forward < -1 || forward > 1 || CompareVersions(other, answer) != -forward) std::abort();
  if (CompareVersions(answer, answer) != 0) std::abort();
  if (latest) {
    // Download names are made only of a version that passed.
    if (DownloadZipNameFor(*latest).find_first_of("/\\:") != std::string::npos) std::abort();
  }
  return 0;
}
