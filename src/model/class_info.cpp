#include "model/class_info.h"

#include <stdexcept>
#include <string>

#include "base/text.h"

namespace palvetta {

bool TClass::InheritsFrom(const TClass& ancestor) const {
  for (const TClass* cls = this; cls != nullptr; cls = cls->Parent) {
    if (cls == &ancestor) return true;
  }
  return false;
}

void TClassRegistry::Register(const TClass& cls) {
  for (const TClass* c = &cls; c != nullptr; c = c->Parent) {
    if (Find(c->Name) == nullptr) FClasses.push_back(c);
  }
}

const TClass* TClassRegistry::Find(std::string_view name) const {
  for (const TClass* cls : FClasses) {
    if (SameTextAscii(cls->Name, name)) return cls;
  }
  return nullptr;
}

const TClass& TClassRegistry::Get(std::string_view name) const {
  if (const TClass* cls = Find(name)) return *cls;
  throw std::runtime_error("Class " + std::string(name) + " not found");
}

}  // namespace palvetta
