#include "gui/theme_palettes.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <set>
#include <stdexcept>
#include <string>

#include "base/text.h"
#include "gui/appearance.h"

namespace palvetta {
namespace {

std::string Hex(TRgb color) {
  char text[8];
  std::snprintf(text, sizeof text, "%06X", static_cast<unsigned>(color));
  return text;
}

TEST(ColourArithmetic, LuminanceAndContrastFollowWcag) {
  struct Case {
    TRgb a;
    TRgb b;
    double contrast;
  };
  const Case cases[] = {
      {0x000000, 0xFFFFFF, 21.0}, {0xFFFFFF, 0x000000, 21.0}, {0x777777, 0xFFFFFF, 4.48},
      {0x767676, 0xFFFFFF, 4.54}, {0xFF0000, 0xFFFFFF, 4.00}, {0x0000FF, 0xFFFFFF, 8.59},
      {0x00FF00, 0x000000, 15.3}, {0x123456, 0x123456, 1.0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(Hex(c.a) + " on " + Hex(c.b));
    EXPECT_NEAR(ContrastRatio(c.a, c.b), c.contrast, 0.01);
  }
  EXPECT_DOUBLE_EQ(RelativeLuminance(0x000000), 0.0);
  EXPECT_DOUBLE_EQ(RelativeLuminance(0xFFFFFF), 1.0);
  // Each channel carries its own weight: a swapped byte order would show here.
  EXPECT_NEAR(RelativeLuminance(0xFF0000), 0.2126, 1e-9);
  EXPECT_NEAR(RelativeLuminance(0x00FF00), 0.7152, 1e-9);
  EXPECT_NEAR(RelativeLuminance(0x0000FF), 0.0722, 1e-9);
}

TEST(ThemePalettes, OnePerThemeInTableOrder) {
  ASSERT_EQ(ThemePalettes().size(), ThemeTable.size());
  for (size_t i = 0; i < ThemeTable.size(); ++i) {
    const int index = static_cast<int>(i);
    SCOPED_TRACE(std::string(ThemeTable[i].DisplayName));
    EXPECT_EQ(ThemePaletteAt(index).DisplayName, ThemeTable[i].DisplayName);
    EXPECT_EQ(&ThemePaletteAt(index), &ThemePalettes()[i]);
    EXPECT_EQ(FindThemePalette(ThemeTable[i].DisplayName), &ThemePalettes()[i]);
    EXPECT_EQ(FindThemePalette(UpperAscii(ThemeTable[i].DisplayName)), &ThemePalettes()[i]);
  }
}

TEST(ThemePalettes, LookupOutsideTheTable) {
  EXPECT_EQ(FindThemePalette("No Such Theme"), nullptr);
  EXPECT_EQ(FindThemePalette("Windows10 Dark"), nullptr);  // a style name
  EXPECT_EQ(FindThemePalette(""), nullptr);
  EXPECT_EQ(FindThemePalette("cyan night")->DisplayName, "Cyan Night");
  EXPECT_THROW(ThemePaletteAt(-1), std::out_of_range);
  EXPECT_THROW(ThemePaletteAt(static_cast<int>(ThemeTable.size())), std::out_of_range);
}

TEST(ThemePalettes, OnlyDefaultKeepsTheSystemColours) {
  for (const auto& theme : ThemePalettes()) {
    EXPECT_EQ(theme.UsesSystemColors, theme.DisplayName == "Default") << theme.DisplayName;
  }
}

TEST(ThemePalettes, ColoursAreRgbValues) {
  for (const auto& theme : ThemePalettes()) {
    const TPalette& p = theme.Colors;
    const THighlighterColors& h = p.Highlighter;
    for (TRgb color : {p.Window, p.Control, p.Text, p.DisabledText, p.SelectionBackground,
                       p.SelectionText, p.InactiveSelectionBackground, p.InactiveSelectionText,
                       p.Border, p.Header, p.Accent, p.ButtonFace, h.Comment, h.Command, h.Label,
                       h.Variable, h.String, h.Number, h.Operator, h.PlainText}) {
      EXPECT_LE(color, 0xFFFFFFu) << theme.DisplayName;
    }
  }
}

// Foreground on background, with the least contrast that keeps it readable: 4.5 for
// text (WCAG AA), 3 for coloured code and for controls that must stand out, less for
// what is meant to recede.
struct TContrastRule {
  const char* what;
  TRgb TPalette::*foreground;
  TRgb TPalette::*background;
  double minimum;
};

const TContrastRule kContrastRules[] = {
    {"text on window", &TPalette::Text, &TPalette::Window, 4.5},
    {"text on control", &TPalette::Text, &TPalette::Control, 4.5},
    {"text on header", &TPalette::Text, &TPalette::Header, 4.5},
    {"text on button", &TPalette::Text, &TPalette::ButtonFace, 4.5},
    {"selection text", &TPalette::SelectionText, &TPalette::SelectionBackground, 4.5},
    {"inactive selection text", &TPalette::InactiveSelectionText,
     &TPalette::InactiveSelectionBackground, 4.5},
    {"disabled text on window", &TPalette::DisabledText, &TPalette::Window, 2.5},
    {"disabled text on control", &TPalette::DisabledText, &TPalette::Control, 2.5},
    {"accent on window", &TPalette::Accent, &TPalette::Window, 3.0},
    {"accent on control", &TPalette::Accent, &TPalette::Control, 3.0},
    {"selection on control", &TPalette::SelectionBackground, &TPalette::Control, 1.5},
    {"inactive selection on control", &TPalette::InactiveSelectionBackground,
     &TPalette::Control, 1.2},
    {"border on window", &TPalette::Border, &TPalette::Window, 1.3},
    {"border on control", &TPalette::Border, &TPalette::Control, 1.3},
};

TEST(ThemePalettes, TextIsReadable) {
  for (const auto& theme : ThemePalettes()) {
    const TPalette& p = theme.Colors;
    for (const auto& rule : kContrastRules) {
      const TRgb fore = p.*rule.foreground;
      const TRgb back = p.*rule.background;
      EXPECT_GE(ContrastRatio(fore, back), rule.minimum)
          << theme.DisplayName << ": " << rule.what << " (" << Hex(fore) << " on " << Hex(back)
          << ")";
    }
  }
}

TEST(ThemePalettes, TheSelectionAtRestIsQuieterThanTheFocusedOne) {
  for (const auto& theme : ThemePalettes()) {
    const TPalette& p = theme.Colors;
    EXPECT_LT(ContrastRatio(p.InactiveSelectionBackground, p.Control),
              ContrastRatio(p.SelectionBackground, p.Control))
        << theme.DisplayName;
  }
}

TEST(ThemePalettes, UnnamedInactiveSelectionColoursAreDerivedNamedOnesKept) {
  TPalette dark = FindThemePalette("Carbon")->Colors;
  dark.Control = 0x000000;
  dark.SelectionBackground = 0x2040FF;
  dark.Text = 0xEEEEEE;
  dark.SelectionText = 0x000000;
  dark.InactiveSelectionBackground = TPalette::kUnnamedColor;
  dark.InactiveSelectionText = TPalette::kUnnamedColor;
  const TPalette derived = DeriveInactiveSelection(dark);
  EXPECT_EQ(Hex(derived.InactiveSelectionBackground), "102080");
  EXPECT_EQ(Hex(derived.InactiveSelectionText), "EEEEEE") << "the readable one of the two";

  TPalette light = dark;
  light.Control = 0xFFFFFF;
  light.SelectionBackground = 0x000000;
  light.Text = 0x000000;
  light.SelectionText = 0xFFFFFF;
  EXPECT_EQ(Hex(DeriveInactiveSelection(light).InactiveSelectionBackground), "808080");
  EXPECT_EQ(Hex(DeriveInactiveSelection(light).InactiveSelectionText), "000000");

  light.InactiveSelectionBackground = 0x123456;
  light.InactiveSelectionText = 0xFEDCBA;
  EXPECT_EQ(Hex(DeriveInactiveSelection(light).InactiveSelectionBackground), "123456");
  EXPECT_EQ(Hex(DeriveInactiveSelection(light).InactiveSelectionText), "FEDCBA");

  const TPalette& windows10Dark = FindThemePalette("Windows 10 Dark")->Colors;
  EXPECT_EQ(Hex(windows10Dark.InactiveSelectionBackground), "3D3D3D");
  EXPECT_EQ(Hex(windows10Dark.InactiveSelectionText), "FFFFFF");
}

TEST(ThemePalettes, DisabledTextRecedes) {
  for (const auto& theme : ThemePalettes()) {
    const TPalette& p = theme.Colors;
    EXPECT_LT(ContrastRatio(p.DisabledText, p.Window), ContrastRatio(p.Text, p.Window))
        << theme.DisplayName;
  }
}

struct THighlighterRule {
  const char* what;
  TRgb THighlighterColors::*color;
  double minimum;
};

const THighlighterRule kHighlighterRules[] = {
    {"comment", &THighlighterColors::Comment, 3.0},
    {"command", &THighlighterColors::Command, 3.0},
    {"label", &THighlighterColors::Label, 3.0},
    {"variable", &THighlighterColors::Variable, 3.0},
    {"string", &THighlighterColors::String, 3.0},
    {"number", &THighlighterColors::Number, 3.0},
    {"operator", &THighlighterColors::Operator, 3.0},
    {"plain text", &THighlighterColors::PlainText, 4.5},
};

TEST(ThemePalettes, PreviewColoursAreReadableAndDistinct) {
  for (const auto& theme : ThemePalettes()) {
    const TPalette& p = theme.Colors;
    std::set<TRgb> seen;
    for (const auto& rule : kHighlighterRules) {
      const TRgb color = p.Highlighter.*rule.color;
      EXPECT_GE(ContrastRatio(color, p.Control), rule.minimum)
          << theme.DisplayName << ": " << rule.what << " (" << Hex(color) << " on "
          << Hex(p.Control) << ")";
      EXPECT_TRUE(seen.insert(color).second)
          << theme.DisplayName << ": " << rule.what << " looks like another kind of text";
    }
  }
}

TEST(ThemePalettes, DarkThemesAreDarkAndLightOnesLight) {
  const std::set<std::string> dark = {"Amakrits", "Carbon", "Cyan Dusk", "Cyan Night",
                                      "Glossy", "Glow", "Obsidian", "Onyx Blue",
                                      "Windows 10 Dark", "Windows 10 Slate Gray"};
  for (const auto& theme : ThemePalettes()) {
    const TPalette& p = theme.Colors;
    SCOPED_TRACE(std::string(theme.DisplayName));
    if (dark.count(std::string(theme.DisplayName)) != 0) {
      EXPECT_TRUE(IsDark(p));
      EXPECT_LT(RelativeLuminance(p.Window), 0.08) << Hex(p.Window);
      EXPECT_LT(RelativeLuminance(p.Control), 0.08) << Hex(p.Control);
      EXPECT_GT(RelativeLuminance(p.Text), RelativeLuminance(p.Window));
      EXPECT_GT(RelativeLuminance(p.Highlighter.PlainText), RelativeLuminance(p.Control));
    } else {
      EXPECT_FALSE(IsDark(p));
      EXPECT_GT(RelativeLuminance(p.Window), 0.5) << Hex(p.Window);
      EXPECT_GT(RelativeLuminance(p.Control), 0.5) << Hex(p.Control);
      EXPECT_LT(RelativeLuminance(p.Text), RelativeLuminance(p.Window));
      EXPECT_LT(RelativeLuminance(p.Highlighter.PlainText), RelativeLuminance(p.Control));
    }
  }
}

TEST(ThemePalettes, ThemesLookDifferent) {
  std::set<std::pair<TRgb, TRgb>> seen;
  for (const auto& theme : ThemePalettes()) {
    const TPalette& p = theme.Colors;
    EXPECT_TRUE(seen.insert({p.Window, p.Accent}).second)
        << theme.DisplayName << " has the window and accent of another theme";
  }
}

}  // namespace
}  // namespace palvetta
