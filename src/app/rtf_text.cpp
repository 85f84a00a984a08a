#include "app/rtf_text.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>

#include "app/batch_highlighter.h"

namespace palvetta {

namespace {

constexpr int kBackgroundIndex = 9;
// RichEdit's largest font size.
constexpr int kMaxPoints = 1638;

void AppendColor(std::string& rtf, TRgb color) {
  char entry[48];
  std::snprintf(entry, sizeof entry, "\\red%u\\green%u\\blue%u;", (color >> 16) & 0xFFu,
                (color >> 8) & 0xFFu, color & 0xFFu);
  rtf += entry;
}

// Decodes the UTF-8 sequence at text[i], moving i past it; a malformed sequence reads as one
// U+FFFD per byte.
char32_t NextCodePoint(std::string_view text, std::size_t& i) {
  const auto byte = [&](std::size_t at) { return static_cast<unsigned char>(text[at]); };
  const unsigned char lead = byte(i);
  const int length = lead >= 0xC2 && lead <= 0xDF   ? 2
                     : lead >= 0xE0 && lead <= 0xEF ? 3
                     : lead >= 0xF0 && lead <= 0xF4 ? 4
                                                    : 0;
  char32_t code = length == 4 ? lead & 0x07u : length == 3 ? lead & 0x0Fu : lead & 0x1Fu;
  bool valid = length > 0 && i + length <= text.size();
  for (int k = 1; valid && k < length; ++k) {
    valid = (byte(i + k) & 0xC0) == 0x80;
    code = (code << 6) | (byte(i + k) & 0x3Fu);
  }
  // Overlong forms, surrogates and values beyond Unicode are malformed too.
  if (valid &&
      ((length == 3 && code < 0x800) || (length == 4 && (code < 0x10000 || code > 0x10FFFF)) ||
       (code >= 0xD800 && code <= 0xDFFF)))
    valid = false;
  if (!valid) {
    ++i;
    return 0xFFFD;
  }
  i += length;
  return code;
}

void AppendUtf16Unit(std::string& rtf, unsigned unit) {
  rtf += "\\u" + std::to_string(static_cast<int16_t>(unit)) + "?";
}

// The text with RTF's special characters escaped and each line break turned into \par.
void AppendText(std::string& rtf, std::string_view text) {
  for (std::size_t i = 0; i < text.size();) {
    const char c = text[i];
    if (c == '\r' || c == '\n') {
      rtf += "\\par\n";
      i += c == '\r' && i + 1 < text.size() && text[i + 1] == '\n' ? 2 : 1;
    } else if (c == '\t') {
      rtf += "\\tab ";
      ++i;
    } else if (c == '\\' || c == '{' || c == '}') {
      rtf += '\\';
      rtf += c;
      ++i;
    } else if (static_cast<unsigned char>(c) < 0x20) {
      char hex[8];
      std::snprintf(hex, sizeof hex, "\\'%02x", static_cast<unsigned>(c));
      rtf += hex;
      ++i;
    } else if (static_cast<unsigned char>(c) < 0x80) {
      rtf += c;
      ++i;
    } else {
      const char32_t code = NextCodePoint(text, i);
      if (code < 0x10000) {
        AppendUtf16Unit(rtf, code);
      } else {
        AppendUtf16Unit(rtf, 0xD800 + ((code - 0x10000) >> 10));
        AppendUtf16Unit(rtf, 0xDC00 + ((code - 0x10000) & 0x3FF));
      }
    }
  }
}

}  // namespace

std::string BatchToRtf(std::string_view text, const THighlighterColors& colors, TRgb background,
                       std::string_view fontName, int fontPoints) {
  std::string rtf = "{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1{\\fonttbl{\\f0\\fmodern ";
  // A ';' would end the font entry early.
  std::string font(fontName);
  std::erase(font, ';');
  AppendText(rtf, font);
  rtf += ";}}\n{\\colortbl ;";
  // In the order of TBatchTokenKind, so that a kind's colour index is its value + 1.
  for (TRgb color : {colors.Comment, colors.Command, colors.Label, colors.Variable, colors.String,
                     colors.Number, colors.Operator, colors.PlainText})
    AppendColor(rtf, color);
  AppendColor(rtf, background);
  rtf += "}\n\\pard\\f0\\fs" + std::to_string(2 * std::clamp(fontPoints, 1, kMaxPoints)) +
         "\\highlight" + std::to_string(kBackgroundIndex) + "\n";
  for (const TBatchToken& token : TokenizeBatch(text)) {
    rtf += "\\cf" + std::to_string(static_cast<int>(token.Kind) + 1) + " ";
    AppendText(rtf, text.substr(token.Start, token.Length));
  }
  rtf += "}";
  return rtf;
}

}  // namespace palvetta
