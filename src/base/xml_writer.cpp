#include "base/utf.h"
#include "base/xml_document.h"

namespace palvetta {
namespace {

void AppendReference(std::string& out, unsigned unit, int digits) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  out += "&#x";
  for (int shift = (digits - 1) * 4; shift >= 0; shift -= 4) out += kHex[(unit >> shift) & 0xF];
  out += ';';
}

// Per UTF-16 code unit, so a character outside the basic plane becomes two references.
std::string Encode(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char16_t unit : Utf8ToUtf16(text)) {
    switch (unit) {
      case '"': out += "&quot;"; break;
      case '&': out += "&amp;"; break;
      case '\'': out += "&apos;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '\t': case '\n': case '\r': out += static_cast<char>(unit); break;
      default:
        if (unit >= 32 && unit <= 127) {
          out += static_cast<char>(unit);
        } else {
          AppendReference(out, unit, unit > 255 ? 4 : 2);
        }
    }
  }
  return out;
}

void WriteElement(std::string& out, const TXmlElement& element, int depth) {
  const size_t indent = static_cast<size_t>(depth) * 2;
  out.append(indent, ' ');
  out += '<';
  out += element.Name();
  for (const TXmlAttribute& attribute : element.Attributes()) {
    out += ' ';
    out += attribute.Name;
    out += "=\"";
    out += Encode(attribute.Value);
    out += '"';
  }
  if (element.HasChildren()) {
    out += ">\r\n";
    for (const TXmlElement& child : element.Children()) WriteElement(out, child, depth + 1);
    out.append(indent, ' ');
    out += "</";
    out += element.Name();
    out += ">\r\n";
  } else if (!element.Text().empty()) {
    out += '>';
    out += Encode(element.Text());
    out += "</";
    out += element.Name();
    out += ">\r\n";
  } else {
    out += "/>\r\n";
  }
}

}  // namespace

std::string WriteXmlDocument(const TXmlDocument& document, std::string_view encodingName) {
  std::string out = "<?xml version=\"1.0\" encoding=\"" + std::string(encodingName) +
                    "\" standalone=\"no\"?>\r\n";
  WriteElement(out, document.Root(), 0);
  return out;
}

}  // namespace palvetta
