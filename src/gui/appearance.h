#pragma once
// The user's appearance settings: the colour theme and the font size every window uses.
// The window layer owns the actual restyling; this object only decides what is current
// and tells it.

#include <array>
#include <string>
#include <string_view>

#include "base/text.h"
#include "gui/settings_store.h"

namespace palvetta {

struct TThemeRow {
  std::string_view DisplayName;  // what the user picks and what the settings keep
  std::string_view StyleName;    // the look the window layer switches to
};

inline constexpr std::array<TThemeRow, 27> ThemeTable{{
    {"Default", "Windows"},
    {"Modern", "Windows Modern"},
    {"Amakrits", "Amakrits"},
    {"Amethyst Kamri", "Amethyst Kamri"},
    {"Aqua Light Slate", "Aqua Light Slate"},
    {"Carbon", "Carbon"},
    {"Cyan Dusk", "Cyan Dusk"},
    {"Cyan Night", "Cyan Night"},
    {"Emerald Light Slate", "Emerald Light Slate"},
    {"Glossy", "Glossy"},
    {"Glow", "Glow"},
    {"Iceberg Classico", "Iceberg Classico"},
    {"Lavender Classico", "Lavender Classico"},
    {"Light", "Light"},
    {"Luna", "Luna"},
    {"Obsidian", "Obsidian"},
    {"Onyx Blue", "Onyx Blue"},
    {"Sapphire Kamri", "Sapphire Kamri"},
    {"Silver", "Silver"},
    {"Sky", "Sky"},
    {"Slate Classico", "Slate Classico"},
    {"Smokey Quartz Kamri", "Smokey Quartz Kamri"},
    {"Tablet Light", "Tablet Light"},
    {"Turquoise Gray", "Turquoise Gray"},
    {"Windows 10", "Windows10"},
    {"Windows 10 Dark", "Windows10 Dark"},
    {"Windows 10 Slate Gray", "Windows10 SlateGray"},
}};

inline constexpr std::string_view DefaultThemeName = "Modern";

// The row whose display name equals the name ignoring case, or nullptr.
const TThemeRow* FindThemeRow(std::string_view displayName);

// The window layer's style manager.
class IThemeSwitcher {
 public:
  virtual ~IThemeSwitcher() = default;
  // Restyles every window; false when the style could not be set, and then the old one
  // must still be in place.
  virtual bool SwitchTo(const TThemeRow& row) = 0;
};

// The open windows, which rescale themselves to a new font size.
class IFontSizeListener {
 public:
  virtual ~IFontSizeListener() = default;
  virtual void FontSizeChanged(int size) = 0;
};

class TAppearance {
 public:
  static constexpr int kMinFontSize = 8;
  static constexpr int kMaxFontSize = 12;
  static constexpr int kDefaultFontSize = 9;

  // Both must outlive the appearance.
  TAppearance(IThemeSwitcher& switcher, IFontSizeListener& fontSizeListener)
      : FSwitcher(switcher), FFontSizeListener(fontSizeListener) {}

  // Reads Settings\Theme and Settings\FontSize and switches to the theme. Meant for
  // start-up, before any window exists, so nobody is told about the font size.
  void LoadAppearanceSettings(const TSettingsStore& store);
  // Writes both values; a failing write does not raise (settings never stop the
  // program) but makes the result false.
  bool SaveAppearanceSettings(TSettingsStore& store) const;

  // An unknown name means the default theme. Only a successful switch changes the
  // current theme; the result says whether it happened.
  bool ApplyTheme(std::string_view name);
  static TStrings GetThemeNames();
  const std::string& GetCurrentTheme() const { return FCurrentTheme; }

  int GetFontSize() const { return FFontSize; }
  // Clamps to kMinFontSize..kMaxFontSize; the windows are told only about a real change.
  void SetFontSize(int size);

 private:
  IThemeSwitcher& FSwitcher;
  IFontSizeListener& FFontSizeListener;
  std::string FCurrentTheme{DefaultThemeName};
  int FFontSize = kDefaultFontSize;
};

// Points to pixels at 96 dpi, rounded to the nearest pixel.
int FontSizeToPixels(int size);

}  // namespace palvetta
