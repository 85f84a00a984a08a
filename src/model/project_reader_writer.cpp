#include "model/project_reader_writer.h"

#include <stdexcept>

#include "base/charsets.h"
#include "base/code_page.h"
#include "base/file_io.h"
#include "base/text.h"
#include "base/xml_document.h"
#include "model/project.h"
#include "model/property_mapping.h"

namespace palvetta {
namespace {

TProject& Required(TProject* project) {
  if (project == nullptr) throw std::logic_error("The project reader/writer has no project.");
  return *project;
}

}  // namespace

std::string TProjectReaderWriter::SaveToBytes() const {
  TProject& project = Required(Project);
  TXmlDocument document("palvetta");
  TXmlElement& items = document.Root().AddChild("items");
  for (int i = 0; i < project.Count(); ++i) {
    TCustomProjectItem& item = project.Items(i);
    TXmlElement& element = items.AddChild("item");
    element.AddAttribute("classname", item.ClassName());
    WriteProperties(item, element);
  }
  return WriteXmlDocument(document, CharsetName(SystemCodePage().Id()));
}

void TProjectReaderWriter::SaveToFile() const {
  WriteFileReplacing(PathFromUtf8(FileName), SaveToBytes());
}

void TProjectReaderWriter::LoadFromBytes(std::string_view bytes) const {
  TProject& project = Required(Project);
  const TXmlDocument document = ParseXmlDocument(bytes);
  const TXmlElement* items = document.Root().FindChild("items");
  if (items == nullptr) throw std::runtime_error("This file is not a Palvetta project.");
  for (const TXmlElement& element : items->Children()) {
    if (Trim(element.Name()).empty()) continue;
    const std::string_view* className = element.FindAttribute("classname");
    if (className == nullptr) {
      throw std::runtime_error(std::string(kDamagedProjectFile) + "a command has no type.");
    }
    const TClass& cls = FClasses.Get(*className);
    // An abstract base names no command that can be made, just like a class that is no item.
    if (!cls.InheritsFrom(TCustomProjectItem::Class) || cls.Create == nullptr) {
      throw std::runtime_error(std::string(kDamagedProjectFile) + "\"" + std::string(*className) +
                               "\" is not a command.");
    }
    ReadProperties(element, project.AddItem(cls, -1));
  }
}

void TProjectReaderWriter::LoadFromFile() const {
  LoadFromBytes(ReadFileBytes(PathFromUtf8(FileName)));
}

}  // namespace palvetta
