#include "items/file_system/alloc_units.h"

namespace palvetta {

TAllocUnits::TAllocUnits() {
  const TStrings fat = {"512", "1024", "2048", "4096", "8192", "16K", "32K", "64K", "128K", "256K"};
  TStrings exFat = fat;
  for (const char* size : {"512K", "1M", "2M", "4M", "8M", "16M", "32M"}) exFat.push_back(size);
  const TStrings ntfs(fat.begin(), fat.begin() + 8);
  FUnits = {{TFileSystem::fsFAT, fat},
            {TFileSystem::fsFAT32, fat},
            {TFileSystem::fsexFAT, exFat},
            {TFileSystem::fsNTFS, ntfs},
            {TFileSystem::fsUDF, {}}};
}

const TStrings* TAllocUnits::GetUnits(TFileSystem fileSystem) const {
  for (const TAllocUnit& unit : FUnits) {
    if (unit.FileSystem == fileSystem) return &unit.Sizes;
  }
  return nullptr;
}

}  // namespace palvetta
