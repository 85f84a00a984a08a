#include "crash/lists/sw_attachments.h"

#include <algorithm>

#include "base/delimited_list.h"
#include "base/path_text.h"
#include "base/text_search.h"
#include "crash/lists/list_support.h"

namespace palvetta {

TISWAttachments::TISWAttachments(ISettingsListOwner* parent) : FParent(parent) {}

void TISWAttachments::Lock() { FSection.lock(); }

void TISWAttachments::Unlock() { FSection.unlock(); }

int TISWAttachments::GetItemCount() {
  std::lock_guard lock(FSection);
  return static_cast<int>(FItems.size());
}

bool TISWAttachments::GetItem(int index, std::u16string& originalFile, std::u16string& sendAsFileName,
                              std::u16string& zipFile, std::u16string& fieldName) {
  std::lock_guard lock(FSection);
  if (index < 0 || index >= static_cast<int>(FItems.size())) return false;
  const TItem& item = FItems[static_cast<size_t>(index)];
  originalFile = item.OriginalFile;
  sendAsFileName = item.SendAsFileName;
  zipFile = item.ZipFile;
  fieldName = item.FieldName;
  return true;
}

void TISWAttachments::Add(std::u16string_view originalFile, std::u16string_view sendAsFileName,
                          std::u16string_view zipFile, std::u16string_view fieldName) {
  if (originalFile.empty()) return;
  TItem item{std::u16string(originalFile), std::u16string(sendAsFileName), std::u16string(zipFile),
             std::u16string(fieldName)};
  if (item.SendAsFileName.empty()) item.SendAsFileName = PathFileName(originalFile);
  if (item.FieldName.empty()) {
    const std::u16string extension = PathExtension(item.SendAsFileName);
    item.FieldName = item.SendAsFileName.substr(0, item.SendAsFileName.size() - extension.size());
  }
  std::lock_guard lock(FSection);
  GrowWhenFull(FItems);
  FItems.push_back(std::move(item));
  Modified();
}

bool TISWAttachments::Delete(std::u16string_view originalFile) {
  std::lock_guard lock(FSection);
  const auto found = std::find_if(FItems.begin(), FItems.end(),
                                  [originalFile](const TItem& each) { return SameTextW(each.OriginalFile, originalFile); });
  if (found == FItems.end()) return false;
  FItems.erase(found);
  Modified();
  return true;
}

void TISWAttachments::Clear() {
  std::lock_guard lock(FSection);
  if (FItems.empty()) return;
  FItems.clear();
  Modified();
}

std::shared_ptr<ISWAttachments> TISWAttachments::Clone() {
  auto clone = std::make_shared<TISWAttachments>();
  std::lock_guard lock(FSection);
  for (const TItem& item : FItems) clone->Add(item.OriginalFile, item.SendAsFileName, item.ZipFile, item.FieldName);
  return clone;
}

void TISWAttachments::ClearParent() { SetParent(nullptr); }

void TISWAttachments::SetParent(ISettingsListOwner* parent) {
  std::lock_guard lock(FSection);
  FParent = parent;
}

std::u16string TISWAttachments::Text() {
  std::lock_guard lock(FSection);
  std::u16string text;
  for (const TItem& item : FItems) {
    if (&item != &FItems.front()) text += u'|';
    text += item.OriginalFile + u'>' + item.SendAsFileName + u'>' + item.ZipFile + u'>' + item.FieldName;
  }
  return text;
}

void TISWAttachments::Modified() {
  if (FParent) FParent->SetListText(TSettingsList::slAddAttachs, Text());
}

std::shared_ptr<ISWAttachments> CreateAttachments() { return std::make_shared<TISWAttachments>(); }

std::shared_ptr<TISWAttachments> ReadAdditionalAttachments(std::u16string_view text, ISettingsListOwner* owner) {
  auto attachments = std::make_shared<TISWAttachments>();
  for (size_t i = 0, count = SubStrCount(text, u'|'); i < count; ++i) {
    const std::u16string part = SubStr(text, i, u'|');
    attachments->Add(SubStr(part, 0, u'>'), SubStr(part, 1, u'>'), SubStr(part, 2, u'>'), SubStr(part, 3, u'>'));
  }
  attachments->SetParent(owner);
  return attachments;
}

}  // namespace palvetta
