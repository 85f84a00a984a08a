#include "system/os_info.h"

#include <gtest/gtest.h>

#include "support/ascii_text.h"

namespace palvetta {
namespace {

// An NT system that filled the extended record, as a workstation.
TOsVersionFacts Nt(uint32_t major, uint32_t minor, uint32_t build) {
  TOsVersionFacts facts;
  facts.Major = major;
  facts.Minor = minor;
  facts.Build = build;
  facts.Extended = true;
  return facts;
}

TEST(OsInfo, ClassifiesTheNtFamily) {
  struct Case {
    uint32_t major, minor, build;
    bool workstation;
    TOsEnum expected;
  };
  const Case cases[] = {
      {3, 51, 1057, true, TOsEnum::osWinNtOld},
      {4, 0, 1381, true, TOsEnum::osWinNt4},
      {5, 0, 2195, false, TOsEnum::osWin2k},
      {5, 1, 2600, false, TOsEnum::osWinXP},
      {5, 2, 3790, true, TOsEnum::osWinXP},  // XP x64 is 5.2 on a workstation
      {5, 2, 3790, false, TOsEnum::osWin2003},
      {6, 0, 6002, true, TOsEnum::osWinVista},
      {6, 0, 6002, false, TOsEnum::osWin2008},
      {6, 1, 7601, true, TOsEnum::osWin7},
      {6, 1, 7601, false, TOsEnum::osWin2008r2},
      {6, 2, 9200, true, TOsEnum::osWin8},
      {6, 2, 9200, false, TOsEnum::osWin2012},
      {6, 3, 9600, true, TOsEnum::osWin81},
      {6, 3, 9600, false, TOsEnum::osWin2012r2},
      {6, 4, 9841, true, TOsEnum::osWinNtNew},
      {10, 0, 21999, true, TOsEnum::osWin10},
      {10, 0, 22000, true, TOsEnum::osWin11},
      {10, 0, 17762, false, TOsEnum::osWin2016},
      {10, 0, 17763, false, TOsEnum::osWin2019},
      {7, 0, 1, true, TOsEnum::osWinNtNew},
      {9, 0, 1, true, TOsEnum::osWinNtNew},
      {11, 0, 1, true, TOsEnum::osWinNtNew},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.major << "." << c.minor << "." << c.build << " ws=" << c.workstation);
    EXPECT_EQ(ClassifyWinNt(c.major, c.minor, c.build, c.workstation), c.expected);
  }
}

TEST(OsInfo, ClassifiesTheWin9xFamily) {
  struct Case {
    uint32_t major, minor, build;
    TOsEnum expected;
  };
  const Case cases[] = {
      {3, 95, 0, TOsEnum::osNone},       {4, 0, 950, TOsEnum::osWin95},     {4, 0, 1000, TOsEnum::osWin95},
      {4, 0, 1001, TOsEnum::osWin95osr2}, {4, 10, 2000, TOsEnum::osWin98},  {4, 10, 2001, TOsEnum::osWin98se},
      {4, 10, 2700, TOsEnum::osWin98se},  {4, 10, 2701, TOsEnum::osWinME},  {4, 11, 0, TOsEnum::osWinME},
      {4, 90, 3000, TOsEnum::osWinME},    {4, 91, 0, TOsEnum::osWin9xNew},  {5, 0, 0, TOsEnum::osWin9xNew},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.major << "." << c.minor << "." << c.build);
    EXPECT_EQ(ClassifyWin9x(c.major, c.minor, c.build), c.expected);
  }
}

TEST(OsInfo, DescriptionAddsEditionArchitectureAndServicePack) {
  TOsVersionFacts win11 = Nt(10, 0, 22000);
  win11.NativeAmd64 = true;
  EXPECT_EQ(Narrow(MakeOsInfo(win11).description), "Windows 11 x64");
  win11.Build = 21999;
  EXPECT_EQ(Narrow(MakeOsInfo(win11).description), "Windows 10 x64");

  TOsVersionFacts xp = Nt(5, 1, 2600);
  xp.ServicePackText = u"Service Pack 3";
  xp.ServicePackMajor = 3;
  xp.StarterMetric = true;
  xp.MediaCenterMetric = true;
  const TOS xpInfo = MakeOsInfo(xp);
  EXPECT_EQ(Narrow(xpInfo.description), "Windows XP Starter Media Center Service Pack 3");
  EXPECT_EQ(xpInfo.spNo, 3u);
  EXPECT_TRUE(xpInfo.winNt);
  EXPECT_EQ(xpInfo.winNtEnum, TOsEnum::osWinXP);
  EXPECT_EQ(xpInfo.win9xEnum, TOsEnum::osNone);

  // Media Center is an edition of the systems before Vista only.
  TOsVersionFacts seven = Nt(6, 1, 7601);
  seven.Workstation = false;
  seven.ServerR2Metric = true;
  seven.MediaCenterMetric = true;
  EXPECT_EQ(Narrow(MakeOsInfo(seven).description), "Windows 2008 R2 R2");
}

TEST(OsInfo, ServicePackNumberFromThePlainRecordsText) {
  struct Case {
    const char16_t* text;
    uint32_t expected;
  };
  const Case cases[] = {
      {u"Service Pack 2", 2}, {u"Service Pack 12", 12}, {u"Service Pack", 0}, {u"Service Pack 2a", 0}, {u"", 0},
  };
  for (const auto& c : cases) {
    TOsVersionFacts facts = Nt(5, 0, 2195);
    facts.Extended = false;  // only the plain record: the number comes from the text
    facts.ServicePackText = c.text;
    EXPECT_EQ(MakeOsInfo(facts).spNo, c.expected) << Narrow(c.text);
  }
}

TEST(OsInfo, Win9xKeepsTheLowBuildBitsAndAddsNothingToTheName) {
  TOsVersionFacts facts = Nt(4, 10, 0x040A08AE);
  facts.Family9x = true;
  facts.Extended = false;
  facts.ServicePackText = u" A ";
  facts.NativeAmd64 = true;
  const TOS os = MakeOsInfo(facts);
  EXPECT_EQ(os.build, 0x08AEu);
  EXPECT_EQ(os.Enum, TOsEnum::osWin98se);
  EXPECT_TRUE(os.win9x);
  EXPECT_FALSE(os.winNt);
  EXPECT_EQ(Narrow(os.description), "Windows 98 SE");
}

}  // namespace
}  // namespace palvetta
