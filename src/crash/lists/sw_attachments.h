#pragma once
// The thread-safe list of extra files sent with a report (setting AddAttachs, and the
// list the delivery builds): per file its path, the name it is sent as, the zip archive
// to put it in (empty: none) and the form field of an upload.

#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "crash/lists/list_owners.h"

namespace palvetta {

class ISWAttachments {
 public:
  virtual ~ISWAttachments() = default;

  virtual void Lock() = 0;
  virtual void Unlock() = 0;
  virtual int GetItemCount() = 0;
  // False, leaving the out values alone, outside the list.
  virtual bool GetItem(int index, std::u16string& originalFile, std::u16string& sendAsFileName,
                       std::u16string& zipFile, std::u16string& fieldName) = 0;
  // Nothing for an empty original file. An empty send-as name becomes the original's file
  // name, an empty field name the send-as name without its extension.
  virtual void Add(std::u16string_view originalFile, std::u16string_view sendAsFileName,
                   std::u16string_view zipFile, std::u16string_view fieldName) = 0;
  // Removes the first item of that original file, ignoring case; whether there was one.
  virtual bool Delete(std::u16string_view originalFile) = 0;
  virtual void Clear() = 0;
  // A copy without owner.
  virtual std::shared_ptr<ISWAttachments> Clone() = 0;
};

class ISWAttachmentsEx : public ISWAttachments {
 public:
  // The settings owner detaches itself when it goes.
  virtual void ClearParent() = 0;
};

class TISWAttachments : public ISWAttachmentsEx {
 public:
  explicit TISWAttachments(ISettingsListOwner* parent = nullptr);

  void Lock() override;
  void Unlock() override;
  int GetItemCount() override;
  bool GetItem(int index, std::u16string& originalFile, std::u16string& sendAsFileName, std::u16string& zipFile,
               std::u16string& fieldName) override;
  void Add(std::u16string_view originalFile, std::u16string_view sendAsFileName, std::u16string_view zipFile,
           std::u16string_view fieldName) override;
  bool Delete(std::u16string_view originalFile) override;
  void Clear() override;
  std::shared_ptr<ISWAttachments> Clone() override;
  void ClearParent() override;

  // Makes a settings object the owner once the list holds what the setting said.
  void SetParent(ISettingsListOwner* parent);
  // The AddAttachs form: original>send-as>zip>field items joined by "|", nothing escaped.
  std::u16string Text();

 private:
  struct TItem {
    std::u16string OriginalFile;
    std::u16string SendAsFileName;
    std::u16string ZipFile;
    std::u16string FieldName;
  };
  void Modified();

  ISettingsListOwner* FParent;
  std::vector<TItem> FItems;
  std::recursive_mutex FSection;
};

// A new, empty list without owner.
std::shared_ptr<ISWAttachments> CreateAttachments();

// The list of a setting's AddAttachs text; the owner is set only after loading, so
// loading writes nothing back.
std::shared_ptr<TISWAttachments> ReadAdditionalAttachments(std::u16string_view text, ISettingsListOwner* owner);

}  // namespace palvetta
