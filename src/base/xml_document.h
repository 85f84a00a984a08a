#pragma once
// The project file's own XML: a writer whose output is pure ASCII (every character that
// could differ between code pages is a character reference) and a reader for it. They
// differ from general XML on purpose: line breaks inside texts are kept raw, control
// characters and lone surrogates may be written as references, and element names are
// looked up without regard to case.

#include <memory>
#include <string>
#include <string_view>

#include "base/xml_arena.h"
#include "base/xml_element.h"

namespace palvetta {

// A tree of elements and the arena that holds them. Moving the document keeps its
// elements where they are.
class TXmlDocument {
 public:
  explicit TXmlDocument(std::string_view rootName)
      : FArena(std::make_unique<TXmlArena>()),
        FRoot(&FArena->Make<TXmlElement>(*FArena, rootName, "")) {}

  TXmlElement& Root() { return *FRoot; }
  const TXmlElement& Root() const { return *FRoot; }

  bool operator==(const TXmlDocument& other) const { return Root() == other.Root(); }

 private:
  std::unique_ptr<TXmlArena> FArena;
  TXmlElement* FRoot;
};

// The whole file: the prolog naming the encoding, then the root element, each level
// indented by two blanks, CRLF after every line.
std::string WriteXmlDocument(const TXmlDocument& document, std::string_view encodingName);

// The document of a file. A UTF-8 or UTF-16 byte-order mark decides the encoding;
// otherwise the prolog's encoding does (the system's ANSI code page when it names none).
// Raises std::runtime_error: "No matching charset" for an unknown encoding, a message
// beginning "Invalid XML" for a malformed document.
TXmlDocument ParseXmlDocument(std::string_view bytes);

}  // namespace palvetta
