#include "model/command_tables.h"

#include <gtest/gtest.h>

#include "model/command_dates.h"
#include "model/file_attributes.h"

namespace palvetta {

PALVETTA_ENUM(TSampleMode, smDefault, smNoAsk, smAsk);

namespace {

struct TSample {
  bool A = false;
  bool B = false;
  bool C = false;
  TFileAttr ReadOnly = TFileAttr::frUndef;
  TFileAttr Hidden = TFileAttr::frUndef;
  TFileAttr System = TFileAttr::frUndef;
};

constexpr TSwitch<TSample> kSwitches[] = {
    {&TSample::C, " /C"}, {&TSample::A, " /A"}, {&TSample::B, " /B"}};

TEST(SwitchTable, WritesTheSetFlagsInTableOrder) {
  TSample sample;
  EXPECT_EQ(SwitchesOf(sample, kSwitches), "");
  sample.A = sample.C = true;
  EXPECT_EQ(SwitchesOf(sample, kSwitches), " /C /A");
  sample.B = true;
  EXPECT_EQ(SwitchesOf(sample, kSwitches), " /C /A /B");
}

constexpr TEnumTable<TSampleMode> kModes({{{"", "Default"}, {" /Y", "Do not ask"},
                                           {" /-Y", "Always ask"}}});

TEST(EnumTable, GivesCommandDisplayAndStoredName) {
  EXPECT_EQ(kModes.Command(TSampleMode::smNoAsk), " /Y");
  EXPECT_EQ(kModes.Display(TSampleMode::smAsk), "Always ask");
  EXPECT_EQ(kModes.PersistedName(TSampleMode::smAsk), "smAsk");
  EXPECT_EQ(kModes.DisplayTexts(), (std::vector<std::string>{"Default", "Do not ask", "Always ask"}));
  // A value no declaration has (read from a damaged file) writes nothing.
  EXPECT_EQ(kModes.Command(static_cast<TSampleMode>(7)), "");
  EXPECT_EQ(kModes.PersistedName(static_cast<TSampleMode>(-1)), "");
}

constexpr TAttributeField<TSample> kAttributes[] = {
    {&TSample::ReadOnly, 'R'}, {&TSample::Hidden, 'H'}, {&TSample::System, 'S'}};

TEST(FileAttributes, FilterAndChangeStyles) {
  TSample sample;
  EXPECT_EQ(AttributeFilter(AttributeStates(sample, kAttributes)), "");
  EXPECT_EQ(AttributeChanges(AttributeStates(sample, kAttributes)), "");
  sample.ReadOnly = TFileAttr::frSet;
  sample.Hidden = TFileAttr::frNotSet;
  EXPECT_EQ(AttributeFilter(AttributeStates(sample, kAttributes)), "R-H");
  EXPECT_EQ(AttributeChanges(AttributeStates(sample, kAttributes)), "+R -H ");
  sample.ReadOnly = TFileAttr::frUndef;
  sample.System = TFileAttr::frSet;
  EXPECT_EQ(AttributeFilter(AttributeStates(sample, kAttributes)), "-HS");
}

// An item lists its attributes in the order its file saves them; the commands name them
// in their own order (R H I S A L D) all the same.
TEST(FileAttributes, CommandsNameAttributesInTheirOwnOrder) {
  constexpr TAttributeField<TSample> kSavedOrder[] = {
      {&TSample::System, 'S'}, {&TSample::Hidden, 'H'}, {&TSample::ReadOnly, 'R'}};
  TSample sample;
  sample.System = TFileAttr::frSet;
  sample.Hidden = TFileAttr::frNotSet;
  sample.ReadOnly = TFileAttr::frSet;
  EXPECT_EQ(AttributeFilter(AttributeStates(sample, kSavedOrder)), "R-HS");
  EXPECT_EQ(AttributeChanges(AttributeStates(sample, kSavedOrder)), "+R -H +S ");
}

TEST(CommandDates, NeverFollowTheLocale) {
  const double march5 = DateValue(2024, 3, 5) + (7 * 60 + 30) / 1440.0;
  const double december1 = DateValue(2023, 12, 1);
  EXPECT_EQ(MonthDayYear(march5), "3-5-2024");
  EXPECT_EQ(MonthDayYear(december1), "12-1-2023");
  EXPECT_EQ(CompactDate(march5), "20240305");
  EXPECT_EQ(CompactTime(march5), "0730");
  EXPECT_EQ(HourMinute(march5), "07:30");
  EXPECT_EQ(HourMinute(0.5), "12:00");
  EXPECT_EQ(SlashedDate(march5, TDateOrder::DayMonthYear), "05/03/2024");
  EXPECT_EQ(SlashedDate(march5, TDateOrder::YearMonthDay), "2024/03/05");
  EXPECT_EQ(SlashedDate(march5, TDateOrder::MonthDayYear), "03/05/2024");
}

}  // namespace
}  // namespace palvetta
