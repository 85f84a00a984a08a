#include "model/project.h"

#include <stdexcept>
#include <string>


namespace palvetta {

TProject::~TProject() = default;

TCustomProjectItem& TProject::Items(int index) const {
  if (index < 0 || index >= Count()) {
    throw std::out_of_range("List index out of bounds (" + std::to_string(index) + ")");
  }
  return *FItems[static_cast<size_t>(index)];
}

TCustomProjectItem& TProject::AddItem(const TClass& cls, int index) {
  std::unique_ptr<TCustomProjectItem> item = CreateItem(cls);
  item->SetProjectLists(this);
  TCustomProjectItem& added = *item;
  if (index < 0 || index >= Count()) {
    FItems.push_back(std::move(item));
  } else {
    FItems.insert(FItems.begin() + index, std::move(item));
  }
  return added;
}

void TProject::AddItems(int index, const TItemList& items) {
  for (size_t i = 0; i < items.size(); ++i) {
    const int at = index == -1 ? -1 : index + static_cast<int>(i);
    AddItem(items[i]->ClassType(), at).Assign(*items[i]);
  }
}

size_t TProject::IndexOf(const TCustomProjectItem& item) const {
  for (size_t i = 0; i < FItems.size(); ++i) {
    if (FItems[i].get() == &item) return i;
  }
  throw std::invalid_argument("The item does not belong to this project.");
}

void TProject::DeleteItem(TCustomProjectItem& item) {
  FItems.erase(FItems.begin() + static_cast<std::ptrdiff_t>(IndexOf(item)));
}

void TProject::ListItems(const TClass& cls, TItemList& list) const {
  for (const auto& item : FItems) {
    if (item->ClassType().InheritsFrom(cls)) list.push_back(item.get());
  }
}

void TProject::ListItems(TItemRole role, TItemList& list) const {
  for (const auto& item : FItems) {
    if (item->Role() == role) list.push_back(item.get());
  }
}

void TProject::MoveUp(TCustomProjectItem& item) {
  const size_t i = IndexOf(item);
  if (i > 0) std::swap(FItems[i], FItems[i - 1]);
}

void TProject::MoveDown(TCustomProjectItem& item) {
  const size_t i = IndexOf(item);
  if (i + 1 < FItems.size()) std::swap(FItems[i], FItems[i + 1]);
}

void TProject::GetLabelsList(TItemList& list) { ListItems(TItemRole::irBookmark, list); }

void TProject::GetSubroutinesList(TItemList& list) { ListItems(TItemRole::irSubroutine, list); }

void TProject::GetVarList(TStrings& list) {
  list.clear();
  TItemList variables;
  ListItems(TItemRole::irVariable, variables);
  for (auto* item : variables) list.push_back(item->DeclaredName());
}

int TProject::PositionAmong(const TCustomProjectItem& item, const TClass& cls) {
  TItemList same;
  ListItems(cls, same);
  for (size_t i = 0; i < same.size(); ++i) {
    if (same[i] == &item) return static_cast<int>(i) + 1;
  }
  return 0;
}

}  // namespace palvetta
