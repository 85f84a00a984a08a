#pragma once
// The files a generation run made, in memory. The first is the batch file itself.

#include <memory>
#include <string>
#include <vector>

namespace palvetta {

struct TNamedStream {
  std::string Name;
  std::string Stream;  // the file's bytes
};

class TCreatedFiles {
 public:
  TNamedStream& Add(std::string name);
  void Clear() { FFiles.clear(); }
  int Count() const { return static_cast<int>(FFiles.size()); }
  // Raises std::out_of_range outside 0..Count-1.
  TNamedStream& Items(int index) const;
  // The first file of exactly that name (case-sensitive), or nullptr.
  TNamedStream* ItemByName(const std::string& name) const;

 private:
  std::vector<std::unique_ptr<TNamedStream>> FFiles;
};

}  // namespace palvetta
