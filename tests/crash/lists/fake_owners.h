#pragma once
// Owners that record what the lists tell them.

#include <string>
#include <utility>
#include <vector>

#include "crash/lists/list_owners.h"

namespace palvetta {

class TFakeSettings : public ISettingsListOwner {
 public:
  void SetListText(TSettingsList list, std::u16string_view text) override {
    Writes.emplace_back(list, std::u16string(text));
  }
  std::vector<std::pair<TSettingsList, std::u16string>> Writes;
};

// Announces its report when a change arrives outside an update, or at the end of the
// outermost update that saw one: as the exception object does.
class TFakeReport : public IExceptionListOwner {
 public:
  void BeginUpdate() override { ++FDepth; }
  void EndUpdate() override {
    if (--FDepth == 0 && FModified) Announce();
  }
  void SetModified() override {
    if (FDepth == 0) {
      Announce();
    } else {
      FModified = true;
    }
  }
  int Announcements = 0;
  int Depth() const { return FDepth; }

 private:
  void Announce() {
    ++Announcements;
    FModified = false;
  }
  int FDepth = 0;
  bool FModified = false;
};

}  // namespace palvetta
