#include "gui/win/theme_painter.h"

#include <commctrl.h>
#include <gtest/gtest.h>
#include <zlib.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "gui/win/dialog.h"
#include "gui/win/gdi_text_measurer.h"
#include "support/contrast_patch.h"
#include "support/png_file.h"
#include "support/sample_dialogs.h"
#include "support/ui_test_support.h"

namespace palvetta {
namespace {

uint32_t ReadBigEndian(const std::string& bytes, std::size_t at) {
  uint32_t value = 0;
  for (std::size_t i = 0; i < 4; ++i) {
    value = (value << 8) | static_cast<uint8_t>(bytes.at(at + i));
  }
  return value;
}

TEST(PngFileTest, RowsComeBackFromTheChunks) {
  TRgbImage image;
  image.Width = 3;
  image.Height = 2;
  image.Pixels = {255, 0, 0, 0, 255, 0, 0, 0, 255, 10, 20, 30, 40, 50, 60, 70, 80, 90};
  const std::string png = EncodePng(image);
  ASSERT_EQ(png.substr(0, 8), std::string("\x89PNG\r\n\x1a\n", 8));

  // Walk the chunks: each CRC covers type and data.
  std::vector<std::string> types;
  std::string header;
  std::string packed;
  for (std::size_t at = 8; at < png.size();) {
    const uint32_t length = ReadBigEndian(png, at);
    const std::string typed = png.substr(at + 4, 4 + length);
    EXPECT_EQ(ReadBigEndian(png, at + 8 + length),
              crc32(0, reinterpret_cast<const Bytef*>(typed.data()),
                    static_cast<uInt>(typed.size())))
        << typed.substr(0, 4);
    types.push_back(typed.substr(0, 4));
    if (types.back() == "IHDR") header = typed.substr(4);
    if (types.back() == "IDAT") packed += typed.substr(4);
    at += 12 + length;
  }
  EXPECT_EQ(types, (std::vector<std::string>{"IHDR", "IDAT", "IEND"}));
  ASSERT_EQ(header.size(), 13u);
  EXPECT_EQ(ReadBigEndian(header, 0), 3u);
  EXPECT_EQ(ReadBigEndian(header, 4), 2u);
  EXPECT_EQ(header.substr(8), std::string("\x08\x02\x00\x00\x00", 5));

  std::string raw(2 * (1 + 9), '\x7f');
  uLongf rawSize = static_cast<uLongf>(raw.size());
  ASSERT_EQ(uncompress(reinterpret_cast<Bytef*>(raw.data()), &rawSize,
                       reinterpret_cast<const Bytef*>(packed.data()),
                       static_cast<uLong>(packed.size())),
            Z_OK);
  ASSERT_EQ(rawSize, raw.size());
  for (int y = 0; y < 2; ++y) {
    EXPECT_EQ(raw[y * 10], '\0') << "row " << y << " has no filter";
    EXPECT_EQ(raw.substr(y * 10 + 1, 9),
              std::string(reinterpret_cast<const char*>(image.Pixels.data()) + y * 9, 9));
  }
  EXPECT_EQ(image.At(2, 1), RGB(70, 80, 90));

  image.Pixels.pop_back();
  EXPECT_THROW(EncodePng(image), std::invalid_argument);
}

// A window that asks the painter about its messages first, as a form does.
class TPlainWindow : public TWindow {
 public:
  explicit TPlainWindow(TThemePainter& painter) : FPainter(painter) {
    TWindowArgs args;
    args.Title = "Plain";
    args.Pos = {40, 40, 300, 200};
    Create(args);
  }

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (const auto painted = FPainter.Paint(Handle(), message, wParam, lParam)) return *painted;
    return TWindow::HandleMessage(message, wParam, lParam);
  }

 private:
  TThemePainter& FPainter;
};

COLORREF BrushColor(LRESULT brush) {
  LOGBRUSH info = {};
  GetObjectW(reinterpret_cast<HBRUSH>(brush), sizeof(info), &info);
  return info.lbColor;
}

class ThemePainterTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    ASSERT_TRUE(InitTestControls());
  }

  TThemePainter Painter;
};

TEST_F(ThemePainterTest, AnswersTheColourMessagesFromThePalette) {
  TPlainWindow window(Painter);
  TControlArgs args;
  args.Parent = window.Handle();
  args.Pos = {5, 5, 50, 20};
  const HWND disabled = CreateControl(args);
  EnableWindow(disabled, FALSE);
  const HDC dc = CreateCompatibleDC(nullptr);

  // Until a theme with its own colours is chosen, Windows answers.
  EXPECT_TRUE(Painter.UsesSystemColors());
  EXPECT_FALSE(Painter.Paint(window.Handle(), WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc), 0));
  EXPECT_TRUE(Painter.IsRegistered(window.Handle()));

  ASSERT_TRUE(Painter.SwitchTo(*FindThemeRow("Obsidian")));
  const TPalette& palette = FindThemePalette("Obsidian")->Colors;
  const struct {
    UINT message;
    HWND control;
    TRgb background;
    TRgb text;
  } cases[] = {
      {WM_CTLCOLORDLG, nullptr, palette.Window, palette.Text},
      {WM_CTLCOLORSTATIC, nullptr, palette.Window, palette.Text},
      {WM_CTLCOLORSTATIC, disabled, palette.Window, palette.DisabledText},
      {WM_CTLCOLOREDIT, nullptr, palette.Control, palette.Text},
      {WM_CTLCOLOREDIT, disabled, palette.Control, palette.DisabledText},
      {WM_CTLCOLORLISTBOX, nullptr, palette.Control, palette.Text},
      {WM_CTLCOLORBTN, nullptr, palette.Window, palette.Text},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "message 0x" << std::hex << c.message << " disabled "
                                    << (c.control != nullptr));
    const auto result = Painter.Paint(window.Handle(), c.message, reinterpret_cast<WPARAM>(dc),
                                      reinterpret_cast<LPARAM>(c.control));
    ASSERT_TRUE(result);
    EXPECT_EQ(BrushColor(*result), ToColorRef(c.background));
    EXPECT_EQ(GetBkColor(dc), ToColorRef(c.background));
    EXPECT_EQ(GetTextColor(dc), ToColorRef(c.text));
  }
  EXPECT_EQ(Painter.Paint(window.Handle(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0),
            std::optional<LRESULT>(1));
  EXPECT_FALSE(Painter.Paint(window.Handle(), WM_PAINT, 0, 0));

  // Back to the system colours: Windows answers again.
  ASSERT_TRUE(Painter.SwitchTo(*FindThemeRow("Default")));
  EXPECT_FALSE(Painter.Paint(window.Handle(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), 0));
  EXPECT_EQ(Painter.WindowColor(), GetSysColor(COLOR_BTNFACE));
  DeleteDC(dc);

  window.Destroy();
  EXPECT_FALSE(Painter.IsRegistered(window.Handle()));
}

TEST_F(ThemePainterTest, AFailedSwitchKeepsTheOldColours) {
  ASSERT_TRUE(Painter.SwitchTo(*FindThemeRow("Carbon")));
  const COLORREF window = Painter.WindowColor();
  const COLORREF control = Painter.ControlColor();
  EXPECT_FALSE(Painter.SwitchTo({"No Such Theme", "No Such Style"}));
  EXPECT_FALSE(Painter.UsesSystemColors());
  EXPECT_EQ(Painter.WindowColor(), window);
  EXPECT_EQ(Painter.ControlColor(), control);
  EXPECT_EQ(window, ToColorRef(FindThemePalette("Carbon")->Colors.Window));
}

TEST_F(ThemePainterTest, ListViewsTakeTheControlColours) {
  TPlainWindow window(Painter);
  TControlArgs args;
  args.Parent = window.Handle();
  args.ClassName = WC_LISTVIEWW;
  args.Style = LVS_REPORT;
  args.Pos = {5, 5, 200, 100};
  const HWND list = CreateControl(args);
  Painter.Register(window.Handle());
  for (const char* theme : {"Cyan Night", "Light", "Default"}) {
    SCOPED_TRACE(theme);
    ASSERT_TRUE(Painter.SwitchTo(*FindThemeRow(theme)));
    EXPECT_EQ(ListView_GetBkColor(list), Painter.ControlColor());
    EXPECT_EQ(ListView_GetTextBkColor(list), Painter.ControlColor());
    EXPECT_EQ(ListView_GetTextColor(list), Painter.TextColor());
  }
}

// A point inside the control's client area, away from the caret and text at its left.
POINT InsideOf(HWND control, HWND dialog) {
  RECT client = {};
  GetClientRect(control, &client);
  POINT point = {client.right - 3, client.bottom / 2};
  MapWindowPoints(control, dialog, &point, 1);
  return point;
}

struct TThemeShot {
  std::string Theme;
  COLORREF Background;
  COLORREF EditInterior;
};

TEST_F(ThemePainterTest, EveryThemePaintsTheDialog) {
  const std::filesystem::path folder = ScreenshotFolder();
  TDialogOptions options{"Parameter", 9, {}};
  options.Environment.ThemePainter = &Painter;
  TDialog dialog(ParameterDialog(), options);
  std::vector<TThemeShot> shots;
  auto shoot = [&](const std::string& theme) {
    const TRgbImage image = CaptureClient(dialog.Handle());
    ASSERT_GT(image.Width, 0);
    WritePngFile(folder / ("dialog-" + theme + ".png"), image);
    const POINT edit = InsideOf(dialog.Control("edtName"), dialog.Handle());
    shots.push_back({theme, image.At(2, 2), image.At(edit.x, edit.y)});
  };
  dialog.OnShown = [&](TDialog&) {
    for (const TThemeRow& row : ThemeTable) {
      dialog.Post([&, row] {
        ASSERT_TRUE(Painter.SwitchTo(row)) << row.DisplayName;
        shoot(std::string(row.DisplayName));
      });
    }
    // A failing switch leaves the last theme's colours on screen.
    dialog.Post([&] {
      EXPECT_FALSE(Painter.SwitchTo({"No Such Theme", "No Such Style"}));
      RedrawWindow(dialog.Handle(), nullptr, nullptr,
                   RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
      shoot("failed-switch");
    });
    dialog.Post([&] { dialog.Cancel(); });
  };
  dialog.ShowModal(nullptr);

  ASSERT_EQ(shots.size(), ThemeTable.size() + 1);
  for (std::size_t i = 0; i < ThemeTable.size(); ++i) {
    const TThemePalette& palette = ThemePaletteAt(static_cast<int>(i));
    SCOPED_TRACE(shots[i].Theme);
    if (palette.UsesSystemColors) {
      EXPECT_EQ(shots[i].Background, GetSysColor(COLOR_BTNFACE));
      EXPECT_EQ(shots[i].EditInterior, GetSysColor(COLOR_WINDOW));
    } else {
      EXPECT_EQ(shots[i].Background, ToColorRef(palette.Colors.Window));
      EXPECT_EQ(shots[i].EditInterior, ToColorRef(palette.Colors.Control));
    }
  }
  const TThemeShot& last = shots[ThemeTable.size() - 1];
  EXPECT_EQ(shots.back().Background, last.Background);
  EXPECT_EQ(shots.back().EditInterior, last.EditInterior);
}


// The controls whose text Windows draws in colours of its own choosing, each in a dialog
// painted in every theme: whatever the theme, their text must stand out from its ground.
TLayoutNode ControlsDialog() {
  return Dialog({GroupBox("grpRunAs", "Run as user",
                          {Check("cbxAsk", "Ask for password"), Radio("rbLast", "Last day")}),
                 Row({DatePicker("dtpStart"), TimePicker("tedStart")}),
                 Pages("pgcPages", {Page("Timings", {Label("lblOnPage", "On the page")}),
                                    Page("Settings", {})}),
                 Grid("vstGrid", {"Name", "Value"}, 3)});
}

// Where each control shows its text, in the dialog's client coordinates.
struct TTextArea {
  const char* What;
  std::function<RECT(TDialog&)> Area;
};

RECT ClientOf(TDialog& dialog, const char* name) {
  RECT client = {};
  GetClientRect(dialog.Control(name), &client);
  return InWindow(dialog.Control(name), dialog.Handle(), client);
}

// A picker's field, left of its drop-down button or spin buttons.
RECT PickerField(TDialog& dialog, const char* name) {
  RECT area = ClientOf(dialog, name);
  InflateRect(&area, -2, -2);
  area.right -= GetSystemMetrics(SM_CXVSCROLL) + 2;
  return area;
}

const TTextArea kTextAreas[] = {
    {"group box caption",
     [](TDialog& d) {
       RECT area = ClientOf(d, "grpRunAs");
       const TGdiTextMeasurer measurer(d.Font());
       // The caption starts a few pixels into the frame's top line.
       area.left += 9;
       area.right = area.left + measurer.TextWidth("Run as user") - 2;
       area.bottom = area.top + measurer.LineHeight();
       return area;
     }},
    {"check box caption",
     [](TDialog& d) {
       RECT area = ClientOf(d, "cbxAsk");
       area.left += 18;
       return area;
     }},
    {"radio button caption",
     [](TDialog& d) {
       RECT area = ClientOf(d, "rbLast");
       area.left += 18;
       return area;
     }},
    {"date picker", [](TDialog& d) { return PickerField(d, "dtpStart"); }},
    {"time picker", [](TDialog& d) { return PickerField(d, "tedStart"); }},
    {"tab header",
     [](TDialog& d) {
       RECT area = {};
       TabCtrl_GetItemRect(d.Control("pgcPages"), 1, &area);
       InflateRect(&area, -3, -3);
       return InWindow(d.Control("pgcPages"), d.Handle(), area);
     }},
    {"grid header",
     [](TDialog& d) {
       const HWND header = ListView_GetHeader(d.Control("vstGrid"));
       RECT area = {};
       Header_GetItemRect(header, 0, &area);
       InflateRect(&area, -1, -1);
       return InWindow(header, d.Handle(), area);
     }},
    {"grid cell",
     [](TDialog& d) {
       RECT area = {};
       ListView_GetSubItemRect(d.Control("vstGrid"), 0, 1, LVIR_LABEL, &area);
       return InWindow(d.Control("vstGrid"), d.Handle(), area);
     }},
};

TEST_F(ThemePainterTest, EveryThemeKeepsTheTextOfTheDialogControlsReadable) {
  TDialogOptions options{"Controls", 9, {}};
  options.Environment.ThemePainter = &Painter;
  TDialog dialog(ControlsDialog(), options);
  dialog.SetRows("vstGrid", {{"Alpha", "Beta"}});
  dialog.OnShown = [&](TDialog&) {
    for (const TThemeRow& row : ThemeTable) {
      dialog.Post([&, row] {
        ASSERT_TRUE(Painter.SwitchTo(row)) << row.DisplayName;
        SetFocus(dialog.Control("btnOK"));
        RedrawWindow(dialog.Handle(), nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        const TRgbImage shot = CaptureClient(dialog.Handle());
        WritePngFile(ScreenshotFolder() / ("dialog-controls-" + std::string(row.DisplayName) + ".png"),
                     shot);
        for (const TTextArea& text : kTextAreas) {
          const TPatch patch = ReadPatch(shot, text.Area(dialog));
          EXPECT_GE(patch.Contrast(), 4.5)
              << row.DisplayName << ", " << text.What << ": " << Describe(patch);
        }
      });
    }
    dialog.Post([&] { dialog.Cancel(); });
  };
  dialog.ShowModal(nullptr);
}

}  // namespace
}  // namespace palvetta
