#pragma once
// Class references: what the project, the reader and the catalogue know of a class
// without holding an object of it (its name, its parent, how to make one and its field
// table), and the registry in which project files look classes up by name.

#include <memory>
#include <span>
#include <string_view>
#include <vector>

#include "model/field.h"

namespace palvetta {

class TPersistent;

struct TClass {
  std::string_view Name;
  const TClass* Parent;                      // nullptr for the root
  std::unique_ptr<TPersistent> (*Create)();  // nullptr for a class that cannot be made
  std::span<const TField> Fields = {};       // its own rows, without its ancestors.

  bool InheritsFrom(const TClass& ancestor) const;  // true for the class itself too
};

template <class T>
std::unique_ptr<TPersistent> CreateInstance() {
  return std::make_unique<T>();
}

// The class reference of a class that can be made / of an abstract base.
template <class T, class Parent>
constexpr TClass ConcreteClass(std::string_view name, std::span<const TField> fields = {}) {
  return TClass{name, &Parent::Class, &CreateInstance<T>, fields};
}
template <class Parent>
constexpr TClass AbstractClass(std::string_view name, std::span<const TField> fields = {}) {
  return TClass{name, &Parent::Class, nullptr, fields};
}

// Defines, in a source file, the class reference of a class that can be made, with its
// field table when it adds fields to its parent's.
#define PALVETTA_DEFINE_CLASS(T, Parent, ...) \
  const ::palvetta::TClass T::Class =         \
      ::palvetta::ConcreteClass<T, Parent>(#T __VA_OPT__(, ) __VA_ARGS__)

// Declares, inside a class body, its class reference and the override that reports it.
#define PALVETTA_CLASS                 \
  static const ::palvetta::TClass Class; \
  const ::palvetta::TClass& ClassType() const override { return Class; }

// The classes that files may name. Names are compared ignoring the case of ASCII letters.
class TClassRegistry {
 public:
  // Registers the class and, as registering does, its ancestors.
  void Register(const TClass& cls);
  const TClass* Find(std::string_view name) const;
  // Like Find, but an unknown name raises "Class <name> not found".
  const TClass& Get(std::string_view name) const;
  const std::vector<const TClass*>& Classes() const { return FClasses; }

 private:
  std::vector<const TClass*> FClasses;
};

}  // namespace palvetta
