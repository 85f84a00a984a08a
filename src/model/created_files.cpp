#include "model/created_files.h"

#include <stdexcept>

namespace palvetta {

TNamedStream& TCreatedFiles::Add(std::string name) {
  return *FFiles.emplace_back(std::make_unique<TNamedStream>(TNamedStream{std::move(name), {}}));
}

TNamedStream& TCreatedFiles::Items(int index) const {
  if (index < 0 || index >= Count()) {
    throw std::out_of_range("Argument out of range: created file " + std::to_string(index));
  }
  return *FFiles[static_cast<size_t>(index)];
}

TNamedStream* TCreatedFiles::ItemByName(const std::string& name) const {
  for (const auto& file : FFiles) {
    if (file->Name == name) return file.get();
  }
  return nullptr;
}

}  // namespace palvetta
