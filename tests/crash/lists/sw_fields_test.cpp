#include "crash/lists/sw_fields.h"

#include <gtest/gtest.h>

#include <thread>

#include "fake_owners.h"

namespace palvetta {
namespace {

// "name=content|..." of the list, to compare whole lists at once.
std::u16string Items(TISWFields& fields) { return fields.Text(); }

class SWFields : public testing::Test {
 protected:
  SWFields() : FFields(&FReport) { FFields.AcceptData(); }
  TFakeReport FReport;
  TISWFields FFields;
};

TEST_F(SWFields, SetContentTrimsRenamesAndDeletes) {
  FFields.SetContent(u"name", u" x\t");
  EXPECT_EQ(Items(FFields), u"name=x");
  EXPECT_EQ(FReport.Announcements, 1);

  FFields.SetContent(u"NAME", u"x");  // same content, new spelling: a change
  EXPECT_EQ(Items(FFields), u"NAME=x");
  EXPECT_EQ(FReport.Announcements, 2);
  FFields.SetContent(u"NAME", u"x");  // nothing new
  EXPECT_EQ(FReport.Announcements, 2);

  FFields.Add(u"other", u"y");
  FFields.SetContent(u"Name", u"  ");  // blank: deletes, whatever the spelling
  EXPECT_EQ(Items(FFields), u"other=y");
  EXPECT_EQ(FReport.Announcements, 4);
  FFields.SetContent(u"missing", u"");
  EXPECT_EQ(FReport.Announcements, 4);
}

TEST_F(SWFields, NewNamesGoToTheInsertionPointInOrder) {
  for (const char16_t* name : {u"a", u"b", u"c", u"d"}) FFields.Add(name, u"1");
  FFields.SetAddIndex(3);
  FFields.Add(u"x", u"1");
  FFields.Add(u"y", u"1");
  FFields.Add(u"z", u"1");
  EXPECT_EQ(Items(FFields), u"a=1|b=1|c=1|x=1|y=1|z=1|d=1");
  // The point has moved on to 6: the next one follows z.
  FFields.Add(u"w", u"1");
  EXPECT_EQ(FFields.FindItem(u"W"), 6);
  // Deleting before the point moves it back.
  FFields.Delete(0);
  FFields.Add(u"v", u"1");
  EXPECT_EQ(Items(FFields), u"b=1|c=1|x=1|y=1|z=1|w=1|v=1|d=1");
  // An existing name keeps its place.
  FFields.SetContent(u"B", u"2");
  EXPECT_EQ(FFields.FindItem(u"b"), 0);
}

TEST_F(SWFields, InsertMovesAnItemOfTheSameName) {
  FFields.Add(u"A", u"1");
  FFields.Add(u"b", u"2");
  FFields.Add(u"c", u"3");
  const int before = FReport.Announcements;
  FFields.Insert(0, u"a", u"1");  // already there with that content: no change at all
  EXPECT_EQ(Items(FFields), u"A=1|b=2|c=3");
  EXPECT_EQ(FReport.Announcements, before);

  FFields.Insert(0, u"a", u"9");  // replaced, not doubled
  EXPECT_EQ(Items(FFields), u"a=9|b=2|c=3");
  FFields.Insert(3, u"a", u"9");  // from before the index: the index counts without it
  EXPECT_EQ(Items(FFields), u"b=2|c=3|a=9");
  FFields.Insert(-4, u"d", u"4");
  FFields.Insert(99, u"e", u"5");
  EXPECT_EQ(Items(FFields), u"d=4|b=2|c=3|a=9|e=5");
  FFields.Insert(0, u"f", u" ");
  EXPECT_EQ(FFields.GetItemCount(), 5);
}

TEST_F(SWFields, InsertBeforeTheInsertionPointMovesIt) {
  FFields.Add(u"a", u"1");
  FFields.Add(u"b", u"1");
  FFields.SetAddIndex(1);
  FFields.Insert(0, u"first", u"1");
  FFields.Add(u"new", u"1");
  EXPECT_EQ(Items(FFields), u"first=1|a=1|new=1|b=1");
}

TEST_F(SWFields, ItemsByIndexAndName) {
  FFields.Add(u"One", u"1");
  FFields.Add(u"Two", u"2");
  EXPECT_EQ(FFields.GetItem(1), u"Two");
  EXPECT_EQ(FFields.GetItem(2), u"");
  EXPECT_EQ(FFields.GetItem(-1), u"");
  EXPECT_EQ(FFields.FindItem(u"two"), 1);
  EXPECT_EQ(FFields.FindItem(u"three"), -1);
  EXPECT_EQ(FFields.GetContent(u"ONE"), u"1");
  EXPECT_EQ(FFields.GetContent(u"three"), u"");

  const int before = FReport.Announcements;
  FFields.SetItem(0, u"One");  // the same name: nothing
  FFields.SetItem(5, u"x");
  EXPECT_EQ(FReport.Announcements, before);
  FFields.SetItem(0, u"ONE");
  EXPECT_EQ(Items(FFields), u"ONE=1|Two=2");
  EXPECT_EQ(FReport.Announcements, before + 1);

  FFields.Delete(u"two");
  FFields.Delete(7);
  EXPECT_EQ(Items(FFields), u"ONE=1");
}

TEST_F(SWFields, ChangesUnderOneLockAnnounceOnce) {
  FFields.Lock();
  FFields.Add(u"a", u"1");
  FFields.Lock();  // locks nest
  FFields.Add(u"b", u"2");
  FFields.Unlock();
  FFields.Insert(0, u"c", u"3");
  FFields.Delete(u"a");
  EXPECT_EQ(FReport.Announcements, 0);
  FFields.Unlock();
  EXPECT_EQ(FReport.Announcements, 1);
  EXPECT_EQ(FReport.Depth(), 0);

  // A lock without changes announces nothing; reading takes no update.
  FFields.Lock();
  EXPECT_EQ(FFields.GetContent(u"b"), u"2");
  FFields.Unlock();
  EXPECT_EQ(FReport.Announcements, 1);

  // After the owner detaches, nothing reaches it.
  FFields.ClearExcParent();
  FFields.Add(u"d", u"4");
  EXPECT_EQ(FReport.Announcements, 1);
}

TEST(SWFieldsData, RefusesContentUntilAccepting) {
  TISWFields fields;
  fields.SetContent(u"a", u"1");
  fields.Add(u"b", u"2");
  fields.Insert(0, u"c", u"3");
  EXPECT_EQ(fields.GetItemCount(), 0);
  fields.AcceptData();
  fields.Add(u"b", u"2");
  EXPECT_EQ(fields.GetItemCount(), 1);
}

TEST(SWFieldsData, CloneCopiesWithoutOwners) {
  TFakeSettings settings;
  TFakeReport report;
  TISWFields fields(&report, &settings);
  fields.AcceptData();
  fields.Add(u"a", u"1");
  fields.Add(u"b", u"2");
  const auto writes = settings.Writes.size();
  const int announcements = report.Announcements;

  const std::shared_ptr<ISWFields> clone = fields.Clone();
  EXPECT_EQ(clone->GetItemCount(), 2);
  EXPECT_EQ(clone->GetItem(1), u"b");
  clone->Add(u"c", u"3");  // accepts data, tells no one
  EXPECT_EQ(clone->GetItemCount(), 3);
  EXPECT_EQ(fields.GetItemCount(), 2);
  EXPECT_EQ(settings.Writes.size(), writes);
  EXPECT_EQ(report.Announcements, announcements);
}

TEST(SWFieldsText, ReadFromTheSettingAndWrittenBack) {
  TFakeSettings settings;
  const auto fields = ReadAdditionalFields(u"Product=Palvetta|Query=a=b=c||NoContent|Blank= |Version= 1.0", &settings);
  EXPECT_TRUE(settings.Writes.empty());  // loading writes nothing back
  EXPECT_EQ(fields->GetItemCount(), 3);
  // Everything after the first "=" is the content.
  EXPECT_EQ(fields->GetContent(u"query"), u"a=b=c");
  EXPECT_EQ(fields->GetContent(u"Version"), u"1.0");

  fields->SetContent(u"Version", u"2.0");
  ASSERT_EQ(settings.Writes.size(), 1u);
  EXPECT_EQ(settings.Writes[0].first, TSettingsList::slAddFields);
  EXPECT_EQ(settings.Writes[0].second, u"Product=Palvetta|Query=a=b=c|Version=2.0");
  // What was written reads back to the same list.
  const auto again = ReadAdditionalFields(settings.Writes[0].second, nullptr);
  EXPECT_EQ(again->Text(), settings.Writes[0].second);

  fields->ClearMesParent();
  fields->Delete(0);
  EXPECT_EQ(settings.Writes.size(), 1u);
  EXPECT_EQ(ReadAdditionalFields(u"", nullptr)->GetItemCount(), 0);
}

TEST(SWFieldsThreads, ConcurrentChangesKeepEveryItem) {
  TFakeSettings settings;
  TISWFields fields(nullptr, &settings);
  fields.AcceptData();
  std::vector<std::thread> threads;
  for (int t = 0; t < 4; ++t) {
    threads.emplace_back([&fields, t] {
      for (int i = 0; i < 50; ++i) {
        const std::u16string name = {u't', static_cast<char16_t>(u'0' + t), u'_', static_cast<char16_t>(u'0' + i / 10),
                                     static_cast<char16_t>(u'0' + i % 10)};
        fields.Add(name, u"v");
        fields.GetContent(name);
      }
    });
  }
  for (auto& thread : threads) thread.join();
  EXPECT_EQ(fields.GetItemCount(), 200);
  EXPECT_EQ(settings.Writes.size(), 200u);
}

}  // namespace
}  // namespace palvetta
