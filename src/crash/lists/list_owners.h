#pragma once
// The owners a report list tells about its changes.

#include <string_view>

namespace palvetta {

// An exception object whose report a list belongs to. Lock and Unlock of the list
// bracket their work with BeginUpdate and EndUpdate, so that a batch of changes made
// under one lock announces the report once.
class IExceptionListOwner {
 public:
  virtual void BeginUpdate() = 0;
  virtual void EndUpdate() = 0;
  virtual void SetModified() = 0;

 protected:
  ~IExceptionListOwner() = default;
};

// The lists that a setting mirrors in its text form.
enum class TSettingsList { slAddFields, slAddAttachs };

// A settings object one of whose settings mirrors the list in its text form. The owner
// knows which of its settings that is, so the setting's key stays in the settings table.
class ISettingsListOwner {
 public:
  virtual void SetListText(TSettingsList list, std::u16string_view text) = 0;

 protected:
  ~ISettingsListOwner() = default;
};

}  // namespace palvetta
