#pragma once
// An ordered, thread-safe list of named texts: the report's header lines and sections,
// the extra fields of a mail or upload (setting AddFields), the assistant's form cache.
// Names are found ignoring case; a content is never blank (a blank one deletes its item).

#include <atomic>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "crash/lists/list_owners.h"

namespace palvetta {

class ISWFields {
 public:
  virtual ~ISWFields() = default;

  // The list's lock; locks nest. With an exception owner it brackets the owner's update.
  virtual void Lock() = 0;
  virtual void Unlock() = 0;
  virtual int GetItemCount() = 0;
  // The name at index; empty outside the list.
  virtual std::u16string GetItem(int index) = 0;
  // Renames the item at index; ignored outside the list.
  virtual void SetItem(int index, std::u16string_view value) = 0;
  // The index of the first item of that name, ignoring case; -1 when none.
  virtual int FindItem(std::u16string_view item) = 0;
  virtual std::u16string GetContent(std::u16string_view item) = 0;
  // Sets the trimmed content of the item (taking the new spelling of its name); a new
  // name goes to the insertion point or the end, a blank content deletes the item.
  virtual void SetContent(std::u16string_view item, std::u16string_view value) = 0;
  void Add(std::u16string_view item, std::u16string_view content) { SetContent(item, content); }
  // Puts the item at index (clamped), moving an item of the same name there.
  virtual void Insert(int index, std::u16string_view item, std::u16string_view content) = 0;
  virtual void Delete(int index) = 0;
  virtual void Delete(std::u16string_view item) = 0;
  // A copy accepting data, without owners.
  virtual std::shared_ptr<ISWFields> Clone() = 0;
};

// What the owners use.
class ISWFieldsEx : public ISWFields {
 public:
  virtual void ClearExcParent() = 0;
  virtual void ClearMesParent() = 0;
  // Where new names go: before the item at addIndex, moving on with each one added; 0 or
  // less appends.
  virtual void SetAddIndex(int addIndex) = 0;
  // Until this is called the list ignores new content.
  virtual void AcceptData() = 0;
};

class TISWFields : public ISWFieldsEx {
 public:
  explicit TISWFields(IExceptionListOwner* excParent = nullptr, ISettingsListOwner* mesParent = nullptr);

  void Lock() override;
  void Unlock() override;
  int GetItemCount() override;
  std::u16string GetItem(int index) override;
  void SetItem(int index, std::u16string_view value) override;
  int FindItem(std::u16string_view item) override;
  std::u16string GetContent(std::u16string_view item) override;
  void SetContent(std::u16string_view item, std::u16string_view value) override;
  void Insert(int index, std::u16string_view item, std::u16string_view content) override;
  void Delete(int index) override;
  void Delete(std::u16string_view item) override;
  std::shared_ptr<ISWFields> Clone() override;

  void ClearExcParent() override;
  void ClearMesParent() override;
  void SetAddIndex(int addIndex) override;
  void AcceptData() override;

  // Makes a settings object the owner once the list holds what the setting said.
  void SetMesParent(ISettingsListOwner* mesParent);
  // The AddFields form: name=content items joined by "|", nothing escaped.
  std::u16string Text();

 private:
  struct TItem {
    std::u16string Name;
    std::u16string Content;
  };
  int Find(std::u16string_view item) const;
  void InsertLocked(int index, std::u16string_view item, std::u16string_view content);
  void RemoveAt(int index);
  void Modified();

  std::atomic<IExceptionListOwner*> FExcParent;
  std::atomic<ISettingsListOwner*> FMesParent;
  std::vector<TItem> FItems;
  int FAddIndex = 0;
  std::atomic<bool> FAcceptData{false};
  std::recursive_mutex FSection;
};

// The list of a setting's AddFields text, accepting data; the owner is set only after
// loading, so loading writes nothing back. Each "|"-part gives a name (before its first
// "=") and a content (everything after it).
std::shared_ptr<TISWFields> ReadAdditionalFields(std::u16string_view text, ISettingsListOwner* owner);

}  // namespace palvetta
