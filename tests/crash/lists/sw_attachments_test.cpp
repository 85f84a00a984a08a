#include "crash/lists/sw_attachments.h"

#include <gtest/gtest.h>

#include "fake_owners.h"

namespace palvetta {
namespace {

struct TAttachment {
  std::u16string OriginalFile, SendAsFileName, ZipFile, FieldName;
  bool operator==(const TAttachment&) const = default;
};

std::vector<TAttachment> Items(ISWAttachments& list) {
  std::vector<TAttachment> items(static_cast<size_t>(list.GetItemCount()));
  for (size_t i = 0; i < items.size(); ++i) {
    auto& a = items[i];
    list.GetItem(static_cast<int>(i), a.OriginalFile, a.SendAsFileName, a.ZipFile, a.FieldName);
  }
  return items;
}

TEST(SWAttachments, AddFillsInMissingNames) {
  struct Case {
    TAttachment given;
    TAttachment stored;
  };
  const Case cases[] = {
      {{u"C:\\logs\\app.log", u"", u"", u""}, {u"C:\\logs\\app.log", u"app.log", u"", u"app"}},
      {{u"C:\\a.b\\file", u"", u"", u""}, {u"C:\\a.b\\file", u"file", u"", u"file"}},  // no extension
      {{u"C:\\x\\dump.dmp", u"crash.tar.gz", u"r.zip", u""}, {u"C:\\x\\dump.dmp", u"crash.tar.gz", u"r.zip", u"crash.tar"}},
      {{u"C:\\x\\a.txt", u"", u"", u"upload"}, {u"C:\\x\\a.txt", u"a.txt", u"", u"upload"}},
      {{u"plain", u"", u"", u""}, {u"plain", u"plain", u"", u"plain"}},
  };
  for (const auto& c : cases) {
    TISWAttachments list;
    list.Add(c.given.OriginalFile, c.given.SendAsFileName, c.given.ZipFile, c.given.FieldName);
    EXPECT_EQ(Items(list), std::vector<TAttachment>{c.stored});
  }
  TISWAttachments list;
  list.Add(u"", u"a", u"b", u"c");  // no original file: nothing
  EXPECT_EQ(list.GetItemCount(), 0);
}

TEST(SWAttachments, GetItemOutsideTheListLeavesTheValues) {
  const auto list = CreateAttachments();
  list->Add(u"C:\\a.txt", u"", u"", u"");
  std::u16string a = u"keep", b = u"keep", c = u"keep", d = u"keep";
  EXPECT_FALSE(list->GetItem(1, a, b, c, d));
  EXPECT_FALSE(list->GetItem(-1, a, b, c, d));
  EXPECT_EQ(a + b + c + d, u"keepkeepkeepkeep");
  EXPECT_TRUE(list->GetItem(0, a, b, c, d));
  EXPECT_EQ(a, u"C:\\a.txt");
}

TEST(SWAttachments, DeleteClearAndCloneTellTheSettingsOnlyOfChanges) {
  TFakeSettings settings;
  TISWAttachments list(&settings);
  list.Add(u"C:\\One.txt", u"", u"", u"");
  list.Add(u"C:\\two.txt", u"2.txt", u"z.zip", u"f");
  ASSERT_EQ(settings.Writes.size(), 2u);
  EXPECT_EQ(settings.Writes.back().first, TSettingsList::slAddAttachs);
  EXPECT_EQ(settings.Writes.back().second, u"C:\\One.txt>One.txt>>One|C:\\two.txt>2.txt>z.zip>f");

  const auto clone = list.Clone();
  clone->Clear();
  EXPECT_EQ(list.GetItemCount(), 2);
  EXPECT_EQ(settings.Writes.size(), 2u);

  EXPECT_FALSE(list.Delete(u"C:\\three.txt"));
  EXPECT_TRUE(list.Delete(u"c:\\ONE.TXT"));
  EXPECT_EQ(settings.Writes.back().second, u"C:\\two.txt>2.txt>z.zip>f");
  list.Clear();
  EXPECT_EQ(settings.Writes.back().second, u"");
  const auto writes = settings.Writes.size();
  list.Clear();  // already empty
  list.ClearParent();
  list.Add(u"C:\\x", u"", u"", u"");
  EXPECT_EQ(settings.Writes.size(), writes);
}

TEST(SWAttachments, ReadFromTheSettingAndWrittenBack) {
  TFakeSettings settings;
  const auto list =
      ReadAdditionalAttachments(u"C:\\a\\log.txt|C:\\b\\dump.dmp>crash.dmp>report.zip>dump||>x>y>z", &settings);
  EXPECT_TRUE(settings.Writes.empty());
  EXPECT_EQ(Items(*list), (std::vector<TAttachment>{{u"C:\\a\\log.txt", u"log.txt", u"", u"log"},
                                                    {u"C:\\b\\dump.dmp", u"crash.dmp", u"report.zip", u"dump"}}));
  list->Add(u"C:\\c.ini", u"", u"", u"");
  ASSERT_EQ(settings.Writes.size(), 1u);
  EXPECT_EQ(settings.Writes[0].second,
            u"C:\\a\\log.txt>log.txt>>log|C:\\b\\dump.dmp>crash.dmp>report.zip>dump|C:\\c.ini>c.ini>>c");
  const auto again = ReadAdditionalAttachments(settings.Writes[0].second, nullptr);
  EXPECT_EQ(again->Text(), settings.Writes[0].second);
}

TEST(SWAttachments, LocksNest) {
  TISWAttachments list;
  list.Lock();
  list.Lock();
  list.Add(u"C:\\a", u"", u"", u"");
  list.Unlock();
  list.Unlock();
  EXPECT_EQ(list.GetItemCount(), 1);
}

}  // namespace
}  // namespace palvetta
