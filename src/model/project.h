#pragma once
// The document: an ordered list of command items that it owns. The order of the list
// is the order of the commands in the batch file.

#include <memory>
#include <vector>

#include "model/custom_project_item.h"

namespace palvetta {

class TProject : public TPersistent, private IProjectLists {
 public:
  TProject() = default;
  TProject(const TProject&) = delete;
  TProject& operator=(const TProject&) = delete;
  ~TProject() override;

  int Count() const { return static_cast<int>(FItems.size()); }
  // Raises std::out_of_range outside 0..Count-1.
  TCustomProjectItem& Items(int index) const;

  // Makes an item of the class; appends it when the index is negative or past the last
  // item, else inserts it there. The item is wired to this project.
  TCustomProjectItem& AddItem(const TClass& cls, int index);
  template <class T>
  T& Add(int index = -1) {
    return static_cast<T&>(AddItem(T::Class, index));
  }
  // Adds copies of the items at index, index+1, ... (appends them when index is -1).
  void AddItems(int index, const TItemList& items);
  void DeleteItem(TCustomProjectItem& item);
  // Adds every item of the class or a class derived from it, without clearing the list.
  void ListItems(const TClass& cls, TItemList& list) const;
  // Adds every item of the role, in project order, without clearing the list.
  void ListItems(TItemRole role, TItemList& list) const;
  void MoveUp(TCustomProjectItem& item);
  void MoveDown(TCustomProjectItem& item);

 private:
  void GetLabelsList(TItemList& list) override;
  void GetSubroutinesList(TItemList& list) override;
  void GetVarList(TStrings& list) override;
  int PositionAmong(const TCustomProjectItem& item, const TClass& cls) override;

  // Raises std::invalid_argument for an item of another project.
  size_t IndexOf(const TCustomProjectItem& item) const;

  std::vector<std::unique_ptr<TCustomProjectItem>> FItems;
};

}  // namespace palvetta
