#pragma once
// The allocation-unit sizes FORMAT offers for each file system.

#include <vector>

#include "base/text.h"
#include "model/types.h"

namespace palvetta {

struct TAllocUnit {
  TFileSystem FileSystem;
  TStrings Sizes;
};

class TAllocUnits {
 public:
  TAllocUnits();

  // The sizes of the file system, in the order offered; null for a value that is none of
  // the file systems (a damaged file). The list stays the object's own.
  const TStrings* GetUnits(TFileSystem fileSystem) const;

 private:
  std::vector<TAllocUnit> FUnits;
};

}  // namespace palvetta
