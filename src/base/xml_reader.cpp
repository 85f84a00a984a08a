#include <stdexcept>

#include "base/charsets.h"
#include "base/code_page.h"
#include "base/text.h"
#include "base/utf.h"
#include "base/xml_document.h"

namespace palvetta {
namespace {

constexpr int kMaxDepth = 500;  // far deeper than any project; keeps the stack bounded

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

bool IsNameChar(char c, bool first) {
  const auto u = static_cast<unsigned char>(c);
  if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' || c == ':' || u >= 0x80) {
    return true;
  }
  return !first && ((c >= '0' && c <= '9') || c == '-' || c == '.');
}

// "line L, column C" of the position in the text, both counted from 1, a column being a
// character, not a byte.
std::string LineAndColumn(std::string_view text, size_t position) {
  int line = 1;
  int column = 1;
  for (size_t i = 0; i < position && i < text.size(); ++i) {
    if (text[i] == '\n') {
      line = line + 1;
      column = 1;
    } else if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) {
      ++column;
    }
  }
  return "line " + std::to_string(line) + ", column " + std::to_string(column);
}

[[noreturn]] void FailAt(std::string_view text, size_t position, const std::string& what) {
  throw std::runtime_error("Invalid XML Element: " + what + " (" + LineAndColumn(text, position) + ")");
}

// Texts and attribute values are put together in one scratch string that every element
// shares (each appends after its parent's part and takes its own off again), and only
// the finished text is copied into the document's arena: reading a file costs a few
// heap calls, not several per element.
class TXmlParser {
 public:
  explicit TXmlParser(std::string_view text) : FText(text) {}

  TXmlDocument Document() {
    SkipMisc();
    if (AtEnd() || Peek() != '<') Fail("the document has no root element");
    ++FPos;
    TXmlDocument document(Name());
    ElementAfterName(document.Root(), 0);
    SkipMisc();
    if (!AtEnd()) Fail("text after the root element");
    return document;
  }

 private:
  [[noreturn]] void Fail(const std::string& what) const { FailAt(FText, FPos, what); }

  bool AtEnd() const { return FPos >= FText.size(); }
  char Peek() const { return FText[FPos]; }
  bool LookingAt(std::string_view s) const { return FText.substr(FPos).starts_with(s); }
  void SkipSpace() {
    while (!AtEnd() && IsSpace(Peek())) ++FPos;
  }
  void Expect(char c) {
    if (AtEnd() || Peek() != c) Fail(std::string("expected '") + c + "'");
    ++FPos;
  }
  // Moves past the terminator; fails when it never comes.
  void SkipPast(std::string_view terminator, const char* what) {
    const size_t end = FText.find(terminator, FPos);
    if (end == std::string_view::npos) Fail(std::string("unterminated ") + what);
    FPos = end + terminator.size();
  }

  // Prolog, processing instructions, comments, a document type and white space.
  void SkipMisc() {
    for (;;) {
      SkipSpace();
      if (LookingAt("<?")) {
        SkipPast("?>", "processing instruction");
      } else if (LookingAt("<!--")) {
        SkipPast("-->", "comment");
      } else if (LookingAt("<!DOCTYPE")) {
        SkipDocumentType();
      } else {
        return;
      }
    }
  }

  void SkipDocumentType() {
    int brackets = 0;
    for (; !AtEnd(); ++FPos) {
      if (Peek() == '[') ++brackets;
      if (Peek() == ']') --brackets;
      if (Peek() == '>' && brackets <= 0) {
        ++FPos;
        return;
      }
    }
    Fail("unterminated document type");
  }

  std::string_view Name() {
    const size_t start = FPos;
    if (AtEnd() || !IsNameChar(Peek(), true)) Fail("expected a name");
    while (!AtEnd() && IsNameChar(Peek(), false)) ++FPos;
    return FText.substr(start, FPos - start);
  }

  // A reference after its "&"; appends the character(s) it stands for.
  void Reference(std::string& out) {
    const size_t end = FText.find(';', FPos);
    if (end == std::string_view::npos || end - FPos > 12) Fail("unterminated reference");
    const std::string_view name = FText.substr(FPos, end - FPos);
    FPos = end + 1;
    if (name == "lt") return out.push_back('<');
    if (name == "gt") return out.push_back('>');
    if (name == "amp") return out.push_back('&');
    if (name == "quot") return out.push_back('"');
    if (name == "apos") return out.push_back('\'');
    if (name.size() < 2 || name[0] != '#') Fail("unknown entity &" + std::string(name) + ";");
    const size_t start = FPos - name.size() - 2;
    char32_t code = CharacterCode(name);
    if (code >= 0xD800 && code <= 0xDBFF) {
      // A high surrogate joins the low surrogate of a reference right after it.
      char32_t low = 0;
      if (LookingAt("&#")) {
        const size_t next = FText.find(';', FPos);
        if (next != std::string_view::npos && next - FPos <= 12) {
          low = CharacterCode(FText.substr(FPos + 1, next - FPos - 1));
          if (low >= 0xDC00 && low <= 0xDFFF) FPos = next + 1;
        }
      }
      if (low < 0xDC00 || low > 0xDFFF) FailAt(FText, start, "lone surrogate &" + std::string(name) + ";");
      code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
    } else if (code >= 0xDC00 && code <= 0xDFFF) {
      FailAt(FText, start, "lone surrogate &" + std::string(name) + ";");
    }
    AppendUtf8(out, code);
  }

  // "#123" or "#x7B".
  char32_t CharacterCode(std::string_view name) {
    const bool hex = name.size() > 1 && (name[1] == 'x' || name[1] == 'X');
    const std::string_view digits = name.substr(hex ? 2 : 1);
    if (digits.empty()) Fail("empty character reference");
    unsigned long value = 0;
    for (char c : digits) {
      int digit;
      if (c >= '0' && c <= '9') {
        digit = c - '0';
      } else if (hex && c >= 'a' && c <= 'f') {
        digit = c - 'a' + 10;
      } else if (hex && c >= 'A' && c <= 'F') {
        digit = c - 'A' + 10;
      } else {
        Fail("bad character reference &" + std::string(name) + ";");
      }
      value = value * (hex ? 16 : 10) + static_cast<unsigned long>(digit);
      if (value > 0x10FFFF) Fail("character reference out of range");
    }
    return static_cast<char32_t>(value);
  }

  // The part of the scratch string from `start` on, which the caller then drops.
  std::string_view ScratchFrom(size_t start) const {
    return std::string_view(FScratch).substr(start);
  }

  void Attribute(TXmlElement& element) {
    const std::string_view name = Name();
    SkipSpace();
    Expect('=');
    SkipSpace();
    if (AtEnd() || (Peek() != '"' && Peek() != '\'')) Fail("expected a quoted attribute value");
    const char quote = Peek();
    ++FPos;
    const size_t start = FScratch.size();
    for (;;) {
      if (AtEnd()) Fail("unterminated attribute value");
      const char c = Peek();
      ++FPos;
      if (c == quote) break;
      if (c == '<') Fail("'<' in an attribute value");
      if (c == '&') {
        Reference(FScratch);
      } else {
        FScratch += c;
      }
    }
    element.AddAttribute(name, ScratchFrom(start));
    FScratch.resize(start);
  }

  // The rest of an element whose "<" and name have been read.
  void ElementAfterName(TXmlElement& element, int depth) {
    if (depth > kMaxDepth) Fail("elements nested too deeply");
    for (;;) {
      const bool spaced = !AtEnd() && IsSpace(Peek());
      SkipSpace();
      if (AtEnd()) Fail("unterminated start tag");
      if (LookingAt("/>")) {
        FPos += 2;
        return;
      }
      if (Peek() == '>') {
        ++FPos;
        break;
      }
      if (!spaced) Fail("expected a blank before an attribute");
      Attribute(element);
    }
    Content(element, depth);
  }

  void Content(TXmlElement& element, int depth) {
    const size_t start = FScratch.size();
    for (;;) {
      if (AtEnd()) Fail("element " + std::string(element.Name()) + " is not closed");
      const char c = Peek();
      if (c == '&') {
        ++FPos;
        Reference(FScratch);
      } else if (c != '<') {
        const size_t next = FText.find_first_of("<&", FPos);
        const size_t end = next == std::string_view::npos ? FText.size() : next;
        FScratch.append(FText.substr(FPos, end - FPos));
        FPos = end;
      } else if (LookingAt("</")) {
        FPos += 2;
        const std::string_view name = Name();
        if (name != element.Name()) {
          Fail("end tag " + std::string(name) + " does not close " + std::string(element.Name()));
        }
        SkipSpace();
        Expect('>');
        break;
      } else if (LookingAt("<!--")) {
        SkipPast("-->", "comment");
      } else if (LookingAt("<![CDATA[")) {
        FPos += 9;
        const size_t end = FText.find("]]>", FPos);
        if (end == std::string_view::npos) Fail("unterminated CDATA section");
        FScratch.append(FText.substr(FPos, end - FPos));
        FPos = end + 3;
      } else if (LookingAt("<?")) {
        SkipPast("?>", "processing instruction");
      } else {
        ++FPos;
        ElementAfterName(element.AddChild(Name()), depth + 1);
      }
    }
    // White space between child elements is layout, not a value.
    const std::string_view text = ScratchFrom(start);
    if (!element.HasChildren() || !IsBlank(text)) element.SetText(text);
    FScratch.resize(start);
  }

  std::string_view FText;
  size_t FPos = 0;
  std::string FScratch;
};

// The encoding that the prolog names, or empty.
std::string PrologEncoding(std::string_view bytes) {
  if (!bytes.starts_with("<?xml")) return {};
  const std::string_view prolog = bytes.substr(0, bytes.find("?>"));
  const size_t key = prolog.find("encoding");
  if (key == std::string_view::npos) return {};
  size_t i = key + 8;
  while (i < prolog.size() && IsSpace(prolog[i])) ++i;
  if (i >= prolog.size() || prolog[i] != '=') return {};
  ++i;
  while (i < prolog.size() && IsSpace(prolog[i])) ++i;
  if (i >= prolog.size() || (prolog[i] != '"' && prolog[i] != '\'')) return {};
  const size_t end = prolog.find(prolog[i], i + 1);
  if (end == std::string_view::npos) return {};
  return std::string(prolog.substr(i + 1, end - i - 1));
}

// Raises, with the place, on a surrogate without its partner: it is no character.
std::string Utf16LeToUtf8(std::string_view bytes) {
  std::u16string units;
  units.reserve(bytes.size() / 2);
  for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
    units += static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                   (static_cast<unsigned char>(bytes[i + 1]) << 8));
  }
  for (size_t i = 0; i < units.size(); ++i) {
    const bool high = units[i] >= 0xD800 && units[i] <= 0xDBFF;
    const bool low = units[i] >= 0xDC00 && units[i] <= 0xDFFF;
    if (high && i + 1 < units.size() && units[i + 1] >= 0xDC00 && units[i + 1] <= 0xDFFF) {
      ++i;
    } else if (high || low) {
      // The text before it converts cleanly; its end is the place.
      const std::string before = Utf16ToUtf8(units.substr(0, i));
      FailAt(before, before.size(), "lone surrogate in UTF-16");
    }
  }
  return Utf16ToUtf8(units);
}

// Raises, with the place, on bytes that are no UTF-8: reading on would lose them.
void CheckUtf8(std::string_view text) {
  for (size_t i = 0; i < text.size();) {
    const size_t length = Utf8SequenceLength(text, i);
    if (length == 0) FailAt(text, i, "invalid UTF-8");
    i += length;
  }
}

}  // namespace

TXmlDocument ParseXmlDocument(std::string_view bytes) {
  std::string text;
  if (bytes.starts_with("\xEF\xBB\xBF")) {
    text = bytes.substr(3);
    CheckUtf8(text);
  } else if (bytes.starts_with("\xFF\xFE")) {
    text = Utf16LeToUtf8(bytes.substr(2));
  } else {
    const std::string name = PrologEncoding(bytes);
    const ICodePage* codePage = &SystemCodePage();
    if (!name.empty()) {
      const auto id = CharsetCodePage(name);
      codePage = id ? CodePageById(*id) : nullptr;
      if (codePage == nullptr) throw std::runtime_error("No matching charset");
    }
    if (codePage->Id() == Utf8CodePage().Id()) CheckUtf8(bytes);
    text = codePage->ToUtf8(bytes);
  }
  return TXmlParser(text).Document();
}

}  // namespace palvetta
