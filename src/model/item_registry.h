#pragma once
// The catalogue of item kinds the user can add: categories of entries, each naming an
// item class with its title, description, image, command keyword and level. Adding an
// entry registers its class by name, so project files can name it.

#include <memory>
#include <string>
#include <vector>

#include "model/class_info.h"
#include "model/custom_project_item.h"

namespace palvetta {

// A lower ordinal is the more demanding level.
enum class TCommandLevel { clAdmin, clAdvanced, clBasic };

struct TRegistryItem {
  TProjectItemClass ItemClass;
  std::string Title;
  std::string ShortDescr;
  int ImageIndex;
  std::string Command;  // may be empty
  TCommandLevel CommandLevel;
};

class TCategory {
 public:
  TCategory(std::string title, int imageIndex, TClassRegistry& classes)
      : Title(std::move(title)), ImageIndex(imageIndex), FClasses(classes) {}

  const std::string Title;
  const int ImageIndex;

  TRegistryItem& Add(const TClass& cls, std::string title, std::string shortDescr, int imageIndex,
                     std::string command, TCommandLevel level);
  int Count() const { return static_cast<int>(FItems.size()); }
  // Raises std::out_of_range outside 0..Count-1.
  const TRegistryItem& Items(int index) const;

 private:
  TClassRegistry& FClasses;
  std::vector<std::unique_ptr<TRegistryItem>> FItems;
};

class TItemClassRegistry {
 public:
  // Classes of added entries are registered in classes, which must outlive this.
  explicit TItemClassRegistry(TClassRegistry& classes) : FClasses(classes) {}

  TCategory& Add(std::string title, int imageIndex);
  int Count() const { return static_cast<int>(FCategories.size()); }
  // Raises std::out_of_range outside 0..Count-1.
  TCategory& Items(int index) const;
  // The image of the entry of exactly this class (the last category wins), -1 if none.
  int GetImageIndex(const TClass& cls) const;

 private:
  TClassRegistry& FClasses;
  std::vector<std::unique_ptr<TCategory>> FCategories;
};

}  // namespace palvetta
