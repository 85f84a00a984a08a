#include "model/item_registry.h"

#include <stdexcept>

namespace palvetta {

TRegistryItem& TCategory::Add(const TClass& cls, std::string title, std::string shortDescr,
                              int imageIndex, std::string command, TCommandLevel level) {
  FClasses.Register(cls);
  return *FItems.emplace_back(std::make_unique<TRegistryItem>(TRegistryItem{
      &cls, std::move(title), std::move(shortDescr), imageIndex, std::move(command), level}));
}

const TRegistryItem& TCategory::Items(int index) const {
  if (index < 0 || index >= Count()) {
    throw std::out_of_range("Argument out of range: entry " + std::to_string(index));
  }
  return *FItems[static_cast<size_t>(index)];
}

TCategory& TItemClassRegistry::Add(std::string title, int imageIndex) {
  return *FCategories.emplace_back(std::make_unique<TCategory>(std::move(title), imageIndex, FClasses));
}

TCategory& TItemClassRegistry::Items(int index) const {
  if (index < 0 || index >= Count()) {
    throw std::out_of_range("Argument out of range: category " + std::to_string(index));
  }
  return *FCategories[static_cast<size_t>(index)];
}

int TItemClassRegistry::GetImageIndex(const TClass& cls) const {
  int image = -1;
  for (const auto& category : FCategories) {
    for (int i = 0; i < category->Count(); ++i) {
      if (category->Items(i).ItemClass == &cls) image = category->Items(i).ImageIndex;
    }
  }
  return image;
}

}  // namespace palvetta
