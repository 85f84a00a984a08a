#include "crash/lists/sw_fields.h"

#include <algorithm>

#include "base/delimited_list.h"
#include "base/text_edit.h"
#include "base/text_search.h"
#include "crash/lists/list_support.h"

namespace palvetta {

TISWFields::TISWFields(IExceptionListOwner* excParent, ISettingsListOwner* mesParent)
    : FExcParent(excParent), FMesParent(mesParent) {}

void TISWFields::Lock() {
  if (IExceptionListOwner* owner = FExcParent.load()) owner->BeginUpdate();
  FSection.lock();
}

void TISWFields::Unlock() {
  FSection.unlock();
  if (IExceptionListOwner* owner = FExcParent.load()) owner->EndUpdate();
}

int TISWFields::GetItemCount() {
  std::lock_guard lock(FSection);
  return static_cast<int>(FItems.size());
}

std::u16string TISWFields::GetItem(int index) {
  std::lock_guard lock(FSection);
  if (index < 0 || index >= static_cast<int>(FItems.size())) return {};
  return FItems[static_cast<size_t>(index)].Name;
}

void TISWFields::SetItem(int index, std::u16string_view value) {
  TListLock lock(*this);
  if (index < 0 || index >= static_cast<int>(FItems.size())) return;
  std::u16string& name = FItems[static_cast<size_t>(index)].Name;
  if (name == value) return;
  name = value;
  Modified();
}

int TISWFields::FindItem(std::u16string_view item) {
  std::lock_guard lock(FSection);
  return Find(item);
}

std::u16string TISWFields::GetContent(std::u16string_view item) {
  std::lock_guard lock(FSection);
  const int index = Find(item);
  return index < 0 ? std::u16string() : FItems[static_cast<size_t>(index)].Content;
}

void TISWFields::SetContent(std::u16string_view item, std::u16string_view value) {
  if (!FAcceptData) return;
  std::u16string content(value);
  TrimInPlaceW(content);
  if (content.empty()) {
    Delete(item);
    return;
  }
  TListLock lock(*this);
  const int index = Find(item);
  if (index < 0) {
    InsertLocked(FAddIndex > 0 ? FAddIndex : static_cast<int>(FItems.size()), item, content);
    return;
  }
  TItem& found = FItems[static_cast<size_t>(index)];
  if (found.Name == item && found.Content == content) return;
  found.Name = item;
  found.Content = content;
  Modified();
}

void TISWFields::Insert(int index, std::u16string_view item, std::u16string_view content) {
  if (!FAcceptData) return;
  std::u16string trimmed(content);
  TrimInPlaceW(trimmed);
  if (trimmed.empty()) return;
  TListLock lock(*this);
  InsertLocked(index, item, trimmed);
}

void TISWFields::InsertLocked(int index, std::u16string_view item, std::u16string_view content) {
  index = std::clamp(index, 0, static_cast<int>(FItems.size()));
  const int existing = Find(item);
  if (existing >= 0) {
    if (existing == index && FItems[static_cast<size_t>(existing)].Content == content) return;
    RemoveAt(existing);
    if (existing < index) --index;
  }
  GrowWhenFull(FItems);
  FItems.insert(FItems.begin() + index, TItem{std::u16string(item), std::u16string(content)});
  // Names added later through SetContent stay behind this one.
  if (FAddIndex > 0 && FAddIndex >= index) ++FAddIndex;
  Modified();
}

void TISWFields::Delete(int index) {
  TListLock lock(*this);
  if (index < 0 || index >= static_cast<int>(FItems.size())) return;
  RemoveAt(index);
  Modified();
}

void TISWFields::Delete(std::u16string_view item) {
  TListLock lock(*this);
  const int index = Find(item);
  if (index < 0) return;
  RemoveAt(index);
  Modified();
}

std::shared_ptr<ISWFields> TISWFields::Clone() {
  auto clone = std::make_shared<TISWFields>();
  std::lock_guard lock(FSection);
  clone->FItems = FItems;
  clone->FAcceptData = true;
  return clone;
}

void TISWFields::ClearExcParent() {
  std::lock_guard lock(FSection);
  FExcParent = nullptr;
}

void TISWFields::ClearMesParent() {
  std::lock_guard lock(FSection);
  FMesParent = nullptr;
}

void TISWFields::SetMesParent(ISettingsListOwner* mesParent) {
  std::lock_guard lock(FSection);
  FMesParent = mesParent;
}

void TISWFields::SetAddIndex(int addIndex) {
  std::lock_guard lock(FSection);
  FAddIndex = addIndex;
}

void TISWFields::AcceptData() { FAcceptData = true; }

std::u16string TISWFields::Text() {
  std::lock_guard lock(FSection);
  std::u16string text;
  for (const TItem& item : FItems) {
    if (&item != &FItems.front()) text += u'|';
    text += item.Name + u'=' + item.Content;
  }
  return text;
}

int TISWFields::Find(std::u16string_view item) const {
  const auto found = std::find_if(FItems.begin(), FItems.end(),
                                  [item](const TItem& each) { return SameTextW(each.Name, item); });
  return found == FItems.end() ? -1 : static_cast<int>(found - FItems.begin());
}

void TISWFields::RemoveAt(int index) {
  FItems.erase(FItems.begin() + index);
  if (FAddIndex > 0 && index < FAddIndex) --FAddIndex;
}

void TISWFields::Modified() {
  if (ISettingsListOwner* owner = FMesParent.load()) owner->SetListText(TSettingsList::slAddFields, Text());
  if (IExceptionListOwner* owner = FExcParent.load()) owner->SetModified();
}

std::shared_ptr<TISWFields> ReadAdditionalFields(std::u16string_view text, ISettingsListOwner* owner) {
  auto fields = std::make_shared<TISWFields>();
  fields->AcceptData();
  for (size_t i = 0, count = SubStrCount(text, u'|'); i < count; ++i) {
    const std::u16string part = SubStr(text, i, u'|');
    const size_t equals = part.find(u'=');
    if (equals == std::u16string::npos) continue;  // a name without content adds nothing
    fields->SetContent(std::u16string_view(part).substr(0, equals), std::u16string_view(part).substr(equals + 1));
  }
  fields->SetMesParent(owner);
  return fields;
}

}  // namespace palvetta
