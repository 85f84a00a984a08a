#include "gui/win/gdi_text_measurer.h"

#include <string>

#include "base/win/wide.h"

namespace palvetta {

int FontHeightFor(int points, int dpi) { return -MulDiv(points, dpi, 72); }

TScopedFont CreateMessageFont(int points, int dpi) {
  NONCLIENTMETRICSW metrics = {};
  metrics.cbSize = sizeof(metrics);
  LOGFONTW font = {};
  if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0)) {
    font = metrics.lfMessageFont;
  } else {
    lstrcpynW(font.lfFaceName, L"Segoe UI", LF_FACESIZE);
    font.lfWeight = FW_NORMAL;
    font.lfCharSet = DEFAULT_CHARSET;
  }
  // Only the face is the system's: the size follows the user's choice and this window's
  // DPI, not the DPI the system metrics were read at.
  font.lfHeight = FontHeightFor(points, dpi);
  font.lfWidth = 0;
  return TScopedFont(CreateFontIndirectW(&font));
}

TGdiTextMeasurer::TGdiTextMeasurer(HFONT font) : FDC(CreateCompatibleDC(nullptr)) {
  FOldFont = SelectObject(FDC.Get(), font);
  TEXTMETRICW metrics = {};
  GetTextMetricsW(FDC.Get(), &metrics);
  FLineHeight = metrics.tmHeight;
  SIZE extent = {};
  const wchar_t* letters = L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
  GetTextExtentPoint32W(FDC.Get(), letters, 52, &extent);
  FAverageChar = extent.cx / 52.0;
}

TGdiTextMeasurer::~TGdiTextMeasurer() {
  SelectObject(FDC.Get(), FOldFont);
}

int TGdiTextMeasurer::TextWidth(std::string_view text) const {
  const std::wstring wide = Widen(text);
  SIZE extent = {};
  GetTextExtentPoint32W(FDC.Get(), wide.c_str(), static_cast<int>(wide.size()), &extent);
  return extent.cx;
}

}  // namespace palvetta
