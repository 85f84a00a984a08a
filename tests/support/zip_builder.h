#pragma once
// Builds small ZIP archives in memory for tests of the readers: entries stored or
// deflated (through zlib), with the central directory a reader expects.

#include <string>
#include <vector>

namespace palvetta {

struct TZipBuilderEntry {
  std::string Name;
  std::string Contents;
  bool Deflate = true;
};

std::string BuildZipArchive(const std::vector<TZipBuilderEntry>& entries);

}  // namespace palvetta
