#include "gui/appearance.h"

#include <gtest/gtest.h>

#include <climits>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "gui/settings_store.h"

namespace palvetta {
namespace {

class TFakeThemeSwitcher : public IThemeSwitcher {
 public:
  std::vector<std::string> Requests;  // style names, in the order asked for
  std::set<std::string> FailingStyles;

  bool SwitchTo(const TThemeRow& row) override {
    Requests.emplace_back(row.StyleName);
    return FailingStyles.count(std::string(row.StyleName)) == 0;
  }
};

class TFontSizeLog : public IFontSizeListener {
 public:
  std::vector<int> Sizes;
  void FontSizeChanged(int size) override { Sizes.push_back(size); }
};

class AppearanceTest : public testing::Test {
 protected:
  TFakeThemeSwitcher Switcher;
  TFontSizeLog FontSizes;
  TAppearance Appearance{Switcher, FontSizes};
};

// --- The settings store ---------------------------------------------------------------

TEST(MemorySettingsStore, EachKindRoundTrips) {
  TMemorySettingsStore store;
  store.WriteString("Settings", "Theme", "Carbon");
  store.WriteString("Settings", "Empty", "");
  store.WriteInteger("Window", "Left", -120);
  store.WriteInteger("Window", "Big", INT_MAX);
  store.WriteInteger("Window", "Small", INT_MIN);
  store.WriteBool("Window", "Maximized", true);
  store.WriteBool("Window", "Hidden", false);
  EXPECT_EQ(store.ReadString("Settings", "Theme", "x"), "Carbon");
  EXPECT_EQ(store.ReadString("Settings", "Empty", "x"), "");
  EXPECT_EQ(store.ReadInteger("Window", "Left", 7), -120);
  EXPECT_EQ(store.ReadInteger("Window", "Big", 7), INT_MAX);
  EXPECT_EQ(store.ReadInteger("Window", "Small", 7), INT_MIN);
  EXPECT_TRUE(store.ReadBool("Window", "Maximized", false));
  EXPECT_FALSE(store.ReadBool("Window", "Hidden", true));
}

TEST(MemorySettingsStore, MissingValuesGiveTheDefault) {
  TMemorySettingsStore store;
  store.WriteInteger("Window", "Left", 5);
  EXPECT_EQ(store.ReadString("Window", "Theme", "Modern"), "Modern");
  EXPECT_EQ(store.ReadInteger("Window", "Top", 17), 17);
  EXPECT_EQ(store.ReadInteger("Other", "Left", 17), 17);
  EXPECT_TRUE(store.ReadBool("Window", "Maximized", true));
  EXPECT_FALSE(store.ReadBool("Window", "Maximized", false));
}

TEST(MemorySettingsStore, SectionsAreSeparateAndNamesIgnoreCase) {
  TMemorySettingsStore store;
  store.WriteInteger("Window", "Left", 1);
  store.WriteInteger("Preview", "Left", 2);
  EXPECT_EQ(store.ReadInteger("Window", "Left", 0), 1);
  EXPECT_EQ(store.ReadInteger("Preview", "Left", 0), 2);
  EXPECT_EQ(store.ReadInteger("WINDOW", "left", 0), 1);
  store.WriteInteger("window", "LEFT", 3);
  EXPECT_EQ(store.ReadInteger("Window", "Left", 0), 3);
  EXPECT_EQ(store.ReadInteger("Preview", "Left", 0), 2);
}

TEST(MemorySettingsStore, IntegersReadFromTextOrFallBack) {
  struct Case {
    const char* text;
    std::optional<int> expected;
  };
  const Case cases[] = {
      {"42", 42},          {" 42 ", 42},   {"+7", 7},        {"-7", -7},
      {"0", 0},            {"-2147483648", INT_MIN},         {"2147483647", INT_MAX},
      {"2147483648", {}},  {"4x", {}},     {"x4", {}},       {"", {}},
      {"  ", {}},          {"0x10", {}},   {"1.5", {}},      {"+-1", {}},
      {"+", {}},           {"-", {}},      {"1 2", {}},      {"abc", {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(ParseSettingInteger(c.text), c.expected);
    TMemorySettingsStore store;
    store.WriteString("S", "K", c.text);
    EXPECT_EQ(store.ReadInteger("S", "K", -99), c.expected.value_or(-99));
  }
}

TEST(MemorySettingsStore, BooleansReadFromTextOrFallBack) {
  struct Case {
    const char* text;
    std::optional<bool> expected;
  };
  const Case cases[] = {
      {"1", true},     {"0", false},     {"True", true}, {"true", true}, {"FALSE", false},
      {" True ", true}, {"-1", true},    {"2", true},    {"yes", {}},    {"", {}},
      {"Truee", {}},   {"0.0", {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(ParseSettingBool(c.text), c.expected);
    TMemorySettingsStore store;
    store.WriteString("S", "K", c.text);
    EXPECT_EQ(store.ReadBool("S", "K", true), c.expected.value_or(true));
    EXPECT_EQ(store.ReadBool("S", "K", false), c.expected.value_or(false));
  }
}

TEST(MemorySettingsStore, KeepsValuesAsIniText) {
  TMemorySettingsStore store;
  store.WriteInteger("S", "Number", -3);
  store.WriteBool("S", "Yes", true);
  store.WriteBool("S", "No", false);
  EXPECT_EQ(store.RawValue("S", "Number"), "-3");
  EXPECT_EQ(store.RawValue("S", "Yes"), "1");
  EXPECT_EQ(store.RawValue("S", "No"), "0");
  EXPECT_EQ(store.ReadString("S", "Number", ""), "-3");
  EXPECT_EQ(store.RawValue("S", "Missing"), std::nullopt);
}

TEST(MemorySettingsStore, FailingReadsGiveTheDefault) {
  TMemorySettingsStore store;
  store.WriteString("S", "Text", "stored");
  store.WriteInteger("S", "Number", 5);
  store.WriteBool("S", "Flag", true);
  store.FailReads = true;
  EXPECT_EQ(store.ReadString("S", "Text", "default"), "default");
  EXPECT_EQ(store.ReadInteger("S", "Number", 9), 9);
  EXPECT_FALSE(store.ReadBool("S", "Flag", false));
}

TEST(MemorySettingsStore, FailingWritesRaiseAndStoreNothing) {
  TMemorySettingsStore store;
  store.FailWrites = true;
  EXPECT_THROW(store.WriteString("S", "Text", "x"), std::runtime_error);
  EXPECT_THROW(store.WriteInteger("S", "Number", 1), std::runtime_error);
  EXPECT_THROW(store.WriteBool("S", "Flag", true), std::runtime_error);
  EXPECT_TRUE(store.Empty());
}

// --- The theme table ------------------------------------------------------------------

TEST(ThemeTable, NamesInTableOrder) {
  const TStrings expected = {"Default",
                             "Modern",
                             "Amakrits",
                             "Amethyst Kamri",
                             "Aqua Light Slate",
                             "Carbon",
                             "Cyan Dusk",
                             "Cyan Night",
                             "Emerald Light Slate",
                             "Glossy",
                             "Glow",
                             "Iceberg Classico",
                             "Lavender Classico",
                             "Light",
                             "Luna",
                             "Obsidian",
                             "Onyx Blue",
                             "Sapphire Kamri",
                             "Silver",
                             "Sky",
                             "Slate Classico",
                             "Smokey Quartz Kamri",
                             "Tablet Light",
                             "Turquoise Gray",
                             "Windows 10",
                             "Windows 10 Dark",
                             "Windows 10 Slate Gray"};
  EXPECT_EQ(TAppearance::GetThemeNames(), expected);
}

TEST(ThemeTable, StyleNamesDifferOnlyWhereTheFrameworkNamesThemSo) {
  struct Case {
    std::string_view display;
    std::string_view style;
  };
  const Case renamed[] = {
      {"Default", "Windows"},
      {"Modern", "Windows Modern"},
      {"Windows 10", "Windows10"},
      {"Windows 10 Dark", "Windows10 Dark"},
      {"Windows 10 Slate Gray", "Windows10 SlateGray"},
  };
  for (const auto& row : ThemeTable) {
    SCOPED_TRACE(std::string(row.DisplayName));
    std::string_view expected = row.DisplayName;
    for (const auto& c : renamed) {
      if (c.display == row.DisplayName) expected = c.style;
    }
    EXPECT_EQ(row.StyleName, expected);
  }
}

TEST(ThemeTable, DisplayNamesAreUniqueIgnoringCase) {
  std::set<std::string> seen;
  for (const auto& row : ThemeTable) {
    EXPECT_TRUE(seen.insert(UpperAscii(row.DisplayName)).second) << row.DisplayName;
  }
}

TEST(ThemeTable, LookupIgnoresCaseButNothingElse) {
  struct Case {
    const char* name;
    const char* found;  // nullptr: no row
  };
  const Case cases[] = {
      {"Carbon", "Carbon"},
      {"carbon", "Carbon"},
      {"CARBON", "Carbon"},
      {"windows 10 slate gray", "Windows 10 Slate Gray"},
      {"DEFAULT", "Default"},
      {"Windows10", nullptr},  // a style name, not a display name
      {"Carbon ", nullptr},
      {"Carb", nullptr},
      {"", nullptr},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const TThemeRow* row = FindThemeRow(c.name);
    if (c.found == nullptr) {
      EXPECT_EQ(row, nullptr);
    } else {
      ASSERT_NE(row, nullptr);
      EXPECT_EQ(row->DisplayName, c.found);
    }
  }
}

// --- Themes ---------------------------------------------------------------------------

TEST_F(AppearanceTest, StartsWithModernAtNinePointsWithoutTouchingAnything) {
  EXPECT_EQ(Appearance.GetCurrentTheme(), "Modern");
  EXPECT_EQ(Appearance.GetFontSize(), 9);
  EXPECT_TRUE(Switcher.Requests.empty());
  EXPECT_TRUE(FontSizes.Sizes.empty());
}

TEST_F(AppearanceTest, ApplyThemeSwitchesToTheRowOfTheName) {
  struct Case {
    const char* name;
    const char* current;
    const char* style;
  };
  const Case cases[] = {
      {"carbon", "Carbon", "Carbon"},
      {"Default", "Default", "Windows"},
      {"WINDOWS 10 DARK", "Windows 10 Dark", "Windows10 Dark"},
      {"Windows 10 Slate Gray", "Windows 10 Slate Gray", "Windows10 SlateGray"},
      {"No Such Theme", "Modern", "Windows Modern"},
      {"", "Modern", "Windows Modern"},
      {"Windows10 Dark", "Modern", "Windows Modern"},  // style names are not display names
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Switcher.Requests.clear();
    ASSERT_TRUE(Appearance.ApplyTheme("Glow"));
    Switcher.Requests.clear();
    EXPECT_TRUE(Appearance.ApplyTheme(c.name));
    EXPECT_EQ(Appearance.GetCurrentTheme(), c.current);
    EXPECT_EQ(Switcher.Requests, std::vector<std::string>{c.style});
  }
}

TEST_F(AppearanceTest, AFailingSwitchKeepsTheOldTheme) {
  ASSERT_TRUE(Appearance.ApplyTheme("Carbon"));
  Switcher.FailingStyles = {"Obsidian", "Windows Modern"};
  EXPECT_FALSE(Appearance.ApplyTheme("Obsidian"));
  EXPECT_EQ(Appearance.GetCurrentTheme(), "Carbon");
  // An unknown name falls back to Modern, whose switch fails just the same.
  EXPECT_FALSE(Appearance.ApplyTheme("Unknown"));
  EXPECT_EQ(Appearance.GetCurrentTheme(), "Carbon");
  EXPECT_EQ(Switcher.Requests,
            (std::vector<std::string>{"Carbon", "Obsidian", "Windows Modern"}));
  EXPECT_TRUE(Appearance.ApplyTheme("Sky"));
  EXPECT_EQ(Appearance.GetCurrentTheme(), "Sky");
}

// --- Font size ------------------------------------------------------------------------

TEST_F(AppearanceTest, SetFontSizeClampsAndTellsTheWindowsOnlyOfAChange) {
  struct Case {
    int start;
    int request;
    int expected;
    bool notified;
  };
  const Case cases[] = {
      {9, 10, 10, true},  {9, 12, 12, true},   {9, 8, 8, true},     {9, 14, 12, true},
      {9, 0, 8, true},    {9, -5, 8, true},    {9, INT_MAX, 12, true}, {9, INT_MIN, 8, true},
      {9, 9, 9, false},   {12, 13, 12, false}, {8, 7, 8, false},    {11, 11, 11, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.start << " -> " << c.request);
    Appearance.SetFontSize(c.start);
    ASSERT_EQ(Appearance.GetFontSize(), c.start);
    FontSizes.Sizes.clear();
    Appearance.SetFontSize(c.request);
    EXPECT_EQ(Appearance.GetFontSize(), c.expected);
    EXPECT_EQ(FontSizes.Sizes, c.notified ? std::vector<int>{c.expected} : std::vector<int>{});
  }
}

TEST(FontSizeToPixels, PointsAtNinetySixDpiRoundToTheNearestPixel) {
  struct Case {
    int points;
    int pixels;
  };
  const Case cases[] = {
      {8, 11},  // 10.67
      {9, 12},
      {10, 13},  // 13.33
      {11, 15},  // 14.67
      {12, 16},
      {0, 0},
      {72, 96},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FontSizeToPixels(c.points), c.pixels) << c.points;
  }
}

// --- Loading and saving ---------------------------------------------------------------

TEST_F(AppearanceTest, LoadReadsThemeAndClampedFontSize) {
  struct Case {
    std::optional<std::string> theme;
    std::optional<std::string> fontSize;  // the stored text
    const char* expectedTheme;
    int expectedSize;
  };
  const Case cases[] = {
      {{}, {}, "Modern", 9},
      {"Carbon", "10", "Carbon", 10},
      {"carbon", "8", "Carbon", 8},
      {"Windows 10 Dark", "12", "Windows 10 Dark", 12},
      {"Not A Theme", "11", "Modern", 11},
      {"", "11", "Modern", 11},
      {{}, "14", "Modern", 12},
      {{}, "7", "Modern", 8},
      {{}, "-3", "Modern", 8},
      {{}, "abc", "Modern", 9},
      {{}, "", "Modern", 9},
      {{}, "99999999999", "Modern", 9},
      {{}, "10.5", "Modern", 9},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.theme.value_or("<none>") << " / "
                                    << c.fontSize.value_or("<none>"));
    // Start elsewhere, so that the defaults show as changes.
    ASSERT_TRUE(Appearance.ApplyTheme("Glow"));
    Appearance.SetFontSize(11);
    if (c.fontSize == "11") Appearance.SetFontSize(12);
    FontSizes.Sizes.clear();

    TMemorySettingsStore store;
    if (c.theme) store.WriteString("Settings", "Theme", *c.theme);
    if (c.fontSize) store.WriteString("Settings", "FontSize", *c.fontSize);
    Appearance.LoadAppearanceSettings(store);
    EXPECT_EQ(Appearance.GetCurrentTheme(), c.expectedTheme);
    EXPECT_EQ(Appearance.GetFontSize(), c.expectedSize);
    // Loading happens before any window exists.
    EXPECT_TRUE(FontSizes.Sizes.empty());
  }
}

TEST_F(AppearanceTest, LoadFromAFailingStoreGivesTheDefaults) {
  ASSERT_TRUE(Appearance.ApplyTheme("Glow"));
  Appearance.SetFontSize(12);
  TMemorySettingsStore store;
  store.WriteString("Settings", "Theme", "Carbon");
  store.WriteInteger("Settings", "FontSize", 11);
  store.FailReads = true;
  Appearance.LoadAppearanceSettings(store);
  EXPECT_EQ(Appearance.GetCurrentTheme(), "Modern");
  EXPECT_EQ(Appearance.GetFontSize(), 9);
}

TEST_F(AppearanceTest, LoadKeepsTheOldThemeWhenItsSwitchFails) {
  TMemorySettingsStore store;
  store.WriteString("Settings", "Theme", "Carbon");
  store.WriteInteger("Settings", "FontSize", 10);
  Switcher.FailingStyles = {"Carbon"};
  Appearance.LoadAppearanceSettings(store);
  EXPECT_EQ(Appearance.GetCurrentTheme(), "Modern");
  EXPECT_EQ(Appearance.GetFontSize(), 10);
  EXPECT_EQ(Switcher.Requests, std::vector<std::string>{"Carbon"});
}

TEST_F(AppearanceTest, SaveWritesDisplayNameAndSize) {
  ASSERT_TRUE(Appearance.ApplyTheme("windows 10 dark"));
  Appearance.SetFontSize(11);
  TMemorySettingsStore store;
  EXPECT_TRUE(Appearance.SaveAppearanceSettings(store));
  EXPECT_EQ(store.RawValue("Settings", "Theme"), "Windows 10 Dark");
  EXPECT_EQ(store.RawValue("Settings", "FontSize"), "11");
}

TEST_F(AppearanceTest, SaveThenLoadRoundTrips) {
  struct Case {
    const char* theme;
    int size;
  };
  const Case cases[] = {{"Default", 8}, {"Carbon", 12}, {"Smokey Quartz Kamri", 10},
                        {"Modern", 9},  {"Windows 10 Slate Gray", 11}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.theme);
    ASSERT_TRUE(Appearance.ApplyTheme(c.theme));
    Appearance.SetFontSize(c.size);
    TMemorySettingsStore store;
    ASSERT_TRUE(Appearance.SaveAppearanceSettings(store));

    TFakeThemeSwitcher otherSwitcher;
    TFontSizeLog otherSizes;
    TAppearance loaded(otherSwitcher, otherSizes);
    loaded.LoadAppearanceSettings(store);
    EXPECT_EQ(loaded.GetCurrentTheme(), c.theme);
    EXPECT_EQ(loaded.GetFontSize(), c.size);
  }
}

TEST_F(AppearanceTest, SaveToAFailingStoreDoesNotRaise) {
  ASSERT_TRUE(Appearance.ApplyTheme("Carbon"));
  TMemorySettingsStore store;
  store.FailWrites = true;
  bool saved = true;
  EXPECT_NO_THROW(saved = Appearance.SaveAppearanceSettings(store));
  EXPECT_FALSE(saved);
  EXPECT_TRUE(store.Empty());
  EXPECT_EQ(Appearance.GetCurrentTheme(), "Carbon");
}

}  // namespace
}  // namespace palvetta
