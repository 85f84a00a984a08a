#include "gui/appearance.h"

#include <algorithm>
#include <cmath>
#include <exception>

namespace palvetta {

namespace {
constexpr std::string_view kSection = "Settings";
constexpr std::string_view kThemeKey = "Theme";
constexpr std::string_view kFontSizeKey = "FontSize";

int ClampFontSize(int size) {
  return std::clamp(size, TAppearance::kMinFontSize, TAppearance::kMaxFontSize);
}
}  // namespace

const TThemeRow* FindThemeRow(std::string_view displayName) {
  for (const auto& row : ThemeTable) {
    if (SameTextAscii(row.DisplayName, displayName)) return &row;
  }
  return nullptr;
}

void TAppearance::LoadAppearanceSettings(const TSettingsStore& store) {
  const std::string theme = store.ReadString(kSection, kThemeKey, DefaultThemeName);
  FFontSize = ClampFontSize(store.ReadInteger(kSection, kFontSizeKey, kDefaultFontSize));
  ApplyTheme(theme);
}

bool TAppearance::SaveAppearanceSettings(TSettingsStore& store) const {
  bool saved = true;
  try {
    store.WriteString(kSection, kThemeKey, FCurrentTheme);
  } catch (const std::exception&) {
    saved = false;
  }
  try {
    store.WriteInteger(kSection, kFontSizeKey, FFontSize);
  } catch (const std::exception&) {
    saved = false;
  }
  return saved;
}

bool TAppearance::ApplyTheme(std::string_view name) {
  const TThemeRow* row = FindThemeRow(name);
  if (row == nullptr) row = FindThemeRow(DefaultThemeName);
  if (!FSwitcher.SwitchTo(*row)) return false;
  FCurrentTheme = std::string(row->DisplayName);
  return true;
}

TStrings TAppearance::GetThemeNames() {
  TStrings names;
  names.reserve(ThemeTable.size());
  for (const auto& row : ThemeTable) names.emplace_back(row.DisplayName);
  return names;
}

void TAppearance::SetFontSize(int size) {
  size = ClampFontSize(size);
  if (size == FFontSize) return;
  FFontSize = size;
  FFontSizeListener.FontSizeChanged(size);
}

int FontSizeToPixels(int size) {
  return static_cast<int>(std::lround(size * 96.0 / 72.0));
}

}  // namespace palvetta
