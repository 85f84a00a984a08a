#include "gui/theme_palettes.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <stdexcept>
#include <string>

#include "base/text.h"

namespace palvetta {

namespace {

constexpr THighlighterColors kLightCode{
    .Comment = 0x008000,
    .Command = 0x0000FF,
    .Label = 0x795E26,
    .Variable = 0x001080,
    .String = 0xA31515,
    .Number = 0x098658,
    .Operator = 0xAF00DB,
    .PlainText = 0x000000,
};

constexpr THighlighterColors kDarkCode{
    .Comment = 0x6A9955,
    .Command = 0x569CD6,
    .Label = 0xDCDCAA,
    .Variable = 0x9CDCFE,
    .String = 0xCE9178,
    .Number = 0xB5CEA8,
    .Operator = 0xC586C0,
    .PlainText = 0xD4D4D4,
};

constexpr THighlighterColors kWarmDarkCode{
    .Comment = 0x8FA876,
    .Command = 0xE8A15C,
    .Label = 0xE6C87A,
    .Variable = 0x7FC4D8,
    .String = 0xD98C73,
    .Number = 0xB8D49C,
    .Operator = 0xD792C0,
    .PlainText = 0xE9E1D6,
};

constexpr THighlighterColors kCyanDarkCode{
    .Comment = 0x6F9E85,
    .Command = 0x3FC8E4,
    .Label = 0xE8CC7D,
    .Variable = 0x9CD2F0,
    .String = 0xE89B7F,
    .Number = 0xA2DCA4,
    .Operator = 0xDA9CDC,
    .PlainText = 0xD4E6EE,
};

constexpr THighlighterColors kNeonCode{
    .Comment = 0x6FAF7F,
    .Command = 0x3FD8FF,
    .Label = 0xFFE066,
    .Variable = 0xC39BFF,
    .String = 0xFF8FB0,
    .Number = 0x9CFF8F,
    .Operator = 0xFF9E4A,
    .PlainText = 0xE4E4F0,
};

// Named where the look being followed has its own resting selection; the others derive it.
constexpr std::array<TThemePalette, 27> kPalettes{{
    {"Default", true,
     {0xF0F0F0, 0xFFFFFF, 0x000000, 0x6D6D6D, 0x0067C0, 0xFFFFFF, 0xADADAD, 0xFFFFFF, 0x0078D7,
      0xE1E1E1, kLightCode}},
    {"Modern", false,
     {0xF3F3F3, 0xFFFFFF, 0x1B1B1B, 0x6E6E6E, 0x0063B1, 0xFFFFFF, 0xC4C4C4, 0xF9F9F9, 0x0063B1,
      0xFBFBFB, kLightCode}},
    {"Amakrits", false,
     {0x2D2926, 0x221F1C, 0xE9E1D6, 0x8C8279, 0x9C4A12, 0xFFFFFF, 0x4D453E, 0x383330, 0xE8832E,
      0x3B3531, kWarmDarkCode}},
    {"Amethyst Kamri", false,
     {0xF4F0F7, 0xFFFFFF, 0x1F1A24, 0x766D7E, 0x6B3FA0, 0xFFFFFF, 0xC9BDD6, 0xEAE1F2, 0x7A4DB3,
      0xEDE6F3, kLightCode}},
    {"Aqua Light Slate", false,
     {0xDCE3EA, 0xF5F8FA, 0x17212B, 0x5F6B77, 0x1D7F8C, 0xFFFFFF, 0xA9B6C2, 0xC9D4DE, 0x137A87,
      0xD0D9E2, kLightCode}},
    {"Carbon", false,
     {0x262626, 0x1C1C1C, 0xE6E6E6, 0x8A8A8A, 0x3D6E99, 0xFFFFFF, 0x454545, 0x303030, 0x4FA3E0,
      0x383838, kDarkCode}},
    {"Cyan Dusk", false,
     {0x1F2A33, 0x172028, 0xD8E6EE, 0x7F919E, 0x1C6E7D, 0xFFFFFF, 0x3A4A57, 0x27353F, 0x35C2D6,
      0x2C3A45, kCyanDarkCode}},
    {"Cyan Night", false,
     {0x0F1419, 0x0A0E12, 0xCFE8F0, 0x6F8793, 0x005F73, 0xFFFFFF, 0x27343D, 0x141C22, 0x00B8D4,
      0x1A242C, kCyanDarkCode}},
    {"Emerald Light Slate", false,
     {0xDCE4E2, 0xF5F8F7, 0x17241F, 0x5E6D68, 0x1B7A55, 0xFFFFFF, 0xA7B8B2, 0xC8D6D1, 0x14794F,
      0xCFDBD7, kLightCode}},
    {"Glossy", false,
     {0x2A2D31, 0x1F2124, 0xE8ECF0, 0x8A9099, 0x2F6FB5, 0xFFFFFF, 0x4A5058, 0x3A3F46, 0x5AA6F0,
      0x40464E, kDarkCode}},
    {"Glow", false,
     {0x141418, 0x0C0C10, 0xE4E4F0, 0x7C7C90, 0x5B2A86, 0xFFFFFF, 0x34344A, 0x1C1C24, 0x39FF9C,
      0x24242E, kNeonCode}},
    {"Iceberg Classico", false,
     {0xEAF2F8, 0xFFFFFF, 0x13212E, 0x64717D, 0x2E6DA4, 0xFFFFFF, 0xA8C0D4, 0xD6E6F2, 0x2E6DA4,
      0xDDE9F3, kLightCode}},
    {"Lavender Classico", false,
     {0xEFEAF6, 0xFFFFFF, 0x221A2E, 0x6F6680, 0x6A4C9C, 0xFFFFFF, 0xBFB2D6, 0xE0D6EE, 0x6A4C9C,
      0xE4DCF0, kLightCode}},
    {"Light", false,
     {0xFAFAFA, 0xFFFFFF, 0x202020, 0x707070, 0x99C9EF, 0x000000, 0xD0D0D0, 0xF3F3F3, 0x0067C0,
      0xF0F0F0, kLightCode}},
    {"Luna", false,
     {0xECE9D8, 0xFFFFFF, 0x000000, 0x7F7A68, 0x316AC5, 0xFFFFFF, 0x7F9DB9, 0xF1EFE2, 0x316AC5,
      0xECE9D8, kLightCode}},
    {"Obsidian", false,
     {0x18181B, 0x101012, 0xDCDCE0, 0x7A7A82, 0x4B4B6B, 0xFFFFFF, 0x35353A, 0x202024, 0x8C8CE6,
      0x2A2A2E, kDarkCode}},
    {"Onyx Blue", false,
     {0x1A1F2B, 0x121620, 0xDDE3EE, 0x7D8698, 0x2D4F8C, 0xFFFFFF, 0x36405A, 0x232A3A, 0x4C8DFF,
      0x2B3346, kDarkCode}},
    {"Sapphire Kamri", false,
     {0xF0F3F9, 0xFFFFFF, 0x151C2B, 0x697084, 0x0F52BA, 0xFFFFFF, 0xB7C3DB, 0xDCE4F3, 0x0F52BA,
      0xE3E9F5, kLightCode}},
    {"Silver", false,
     {0xE6E6E9, 0xF7F7F8, 0x1A1A1C, 0x66666C, 0x5A6677, 0xFFFFFF, 0xA8A8AE, 0xD9D9DD, 0x5A6677,
      0xDCDCE0, kLightCode}},
    {"Sky", false,
     {0xE8F4FC, 0xFFFFFF, 0x0F2233, 0x5E7384, 0x1372BE, 0xFFFFFF, 0xA6CDEB, 0xCFE6F7, 0x1372BE,
      0xD8ECFA, kLightCode}},
    {"Slate Classico", false,
     {0xD8DCE0, 0xF2F4F6, 0x1C2228, 0x5A6169, 0x4A5A6E, 0xFFFFFF, 0x9AA3AD, 0xC3C9D0, 0x4A5A6E,
      0xCACFD5, kLightCode}},
    {"Smokey Quartz Kamri", false,
     {0xF2EFEC, 0xFFFFFF, 0x221D19, 0x736B63, 0x6E5D4E, 0xFFFFFF, 0xC5BCB3, 0xE4DED8, 0x7C6654,
      0xE9E4DF, kLightCode}},
    {"Tablet Light", false,
     {0xF5F6F7, 0xFFFFFF, 0x1E1E1E, 0x707070, 0x1A6FB8, 0xFFFFFF, 0xCFD3D7, 0xEBEDEF, 0x1A6FB8,
      0xE9EBED, kLightCode}},
    {"Turquoise Gray", false,
     {0xE1E5E6, 0xFAFBFB, 0x1A2224, 0x5E6769, 0x0F7580, 0xFFFFFF, 0xA9B3B5, 0xCFD6D7, 0x0F7580,
      0xD5DBDC, kLightCode}},
    {"Windows 10", false,
     {0xFFFFFF, 0xFFFFFF, 0x000000, 0x6D6D6D, 0x0067C0, 0xFFFFFF, 0x7A7A7A, 0xF2F2F2, 0x0078D7,
      0xCCCCCC, kLightCode, 0xD9D9D9, 0x000000}},
    {"Windows 10 Dark", false,
     {0x202020, 0x191919, 0xFFFFFF, 0x858585, 0x0063B1, 0xFFFFFF, 0x3F3F3F, 0x2B2B2B, 0x4CA0E0,
      0x333333, kDarkCode, 0x3D3D3D, 0xFFFFFF}},
    {"Windows 10 Slate Gray", false,
     {0x2F3B45, 0x26313A, 0xE1E7EC, 0x8493A0, 0x3E6F96, 0xFFFFFF, 0x4E5D6A, 0x384652, 0x6FB3E8,
      0x3A4854, kDarkCode}},
}};

double LinearChannel(TRgb channel) {
  const double c = static_cast<double>(channel & 0xFF) / 255.0;
  return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

TRgb HalfWay(TRgb from, TRgb to) {
  TRgb mixed = 0;
  for (int shift : {16, 8, 0}) {
    const TRgb a = (from >> shift) & 0xFF;
    const TRgb b = (to >> shift) & 0xFF;
    mixed |= ((a + b + 1) / 2) << shift;
  }
  return mixed;
}

// The table as handed out: every colour named.
const std::array<TThemePalette, 27>& CompletePalettes() {
  static const std::array<TThemePalette, 27> complete = [] {
    std::array<TThemePalette, 27> palettes = kPalettes;
    for (auto& palette : palettes) palette.Colors = DeriveInactiveSelection(palette.Colors);
    return palettes;
  }();
  return complete;
}

}  // namespace

TPalette DeriveInactiveSelection(TPalette palette) {
  if (palette.InactiveSelectionBackground == TPalette::kUnnamedColor) {
    palette.InactiveSelectionBackground = HalfWay(palette.Control, palette.SelectionBackground);
  }
  if (palette.InactiveSelectionText == TPalette::kUnnamedColor) {
    const TRgb back = palette.InactiveSelectionBackground;
    palette.InactiveSelectionText =
        ContrastRatio(palette.Text, back) >= ContrastRatio(palette.SelectionText, back)
            ? palette.Text
            : palette.SelectionText;
  }
  return palette;
}

std::span<const TThemePalette> ThemePalettes() { return CompletePalettes(); }

const TThemePalette* FindThemePalette(std::string_view displayName) {
  for (const auto& palette : CompletePalettes()) {
    if (SameTextAscii(palette.DisplayName, displayName)) return &palette;
  }
  return nullptr;
}

const TThemePalette& ThemePaletteAt(int index) {
  if (index < 0 || index >= static_cast<int>(kPalettes.size())) {
    throw std::out_of_range("Argument out of range: theme palette " + std::to_string(index));
  }
  return CompletePalettes()[static_cast<size_t>(index)];
}

double RelativeLuminance(TRgb color) {
  return 0.2126 * LinearChannel(color >> 16) + 0.7152 * LinearChannel(color >> 8) +
         0.0722 * LinearChannel(color);
}

double ContrastRatio(TRgb a, TRgb b) {
  const double la = RelativeLuminance(a);
  const double lb = RelativeLuminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

bool IsDark(const TPalette& palette) {
  // Mid grey (0x777777) sits near 0.18: darker windows count as dark.
  return RelativeLuminance(palette.Window) < 0.18;
}

}  // namespace palvetta
