#pragma once
// An element of the project file's document tree: name, attributes, text and child
// elements. Published properties map onto it one element per property. Elements and
// their strings live in the arena of their TXmlDocument and are valid as long as it is.

#include <cstddef>
#include <iterator>
#include <string_view>

#include "base/xml_arena.h"

namespace palvetta {

class TXmlAttribute {
 public:
  TXmlAttribute(std::string_view name, std::string_view value) : Name(name), Value(value) {}

  std::string_view Name;
  std::string_view Value;
  const TXmlAttribute* Next() const { return FNext; }

 private:
  friend class TXmlElement;
  TXmlAttribute* FNext = nullptr;
};

// Steps along a chain of nodes linked by their Next().
template <class TNode>
class TXmlChain {
 public:
  class TIterator {
   public:
    using iterator_category = std::forward_iterator_tag;
    using value_type = TNode;
    using difference_type = std::ptrdiff_t;
    using pointer = const TNode*;
    using reference = const TNode&;

    TIterator() = default;
    explicit TIterator(const TNode* node) : FNode(node) {}
    const TNode& operator*() const { return *FNode; }
    const TNode* operator->() const { return FNode; }
    TIterator& operator++() {
      FNode = FNode->Next();
      return *this;
    }
    TIterator operator++(int) {
      TIterator before = *this;
      ++*this;
      return before;
    }
    bool operator==(const TIterator&) const = default;

   private:
    const TNode* FNode = nullptr;
  };

  explicit TXmlChain(const TNode* first) : FFirst(first) {}
  TIterator begin() const { return TIterator(FFirst); }
  TIterator end() const { return TIterator(); }

 private:
  const TNode* FFirst;
};

class TXmlElement {
 public:
  TXmlElement(const TXmlElement&) = delete;
  TXmlElement& operator=(const TXmlElement&) = delete;

  std::string_view Name() const { return FName; }
  std::string_view Text() const { return FText; }
  void SetText(std::string_view text) { FText = FArena->Store(text); }

  TXmlChain<TXmlElement> Children() const { return TXmlChain<TXmlElement>(FFirstChild); }
  size_t ChildCount() const { return FChildCount; }
  bool HasChildren() const { return FFirstChild != nullptr; }
  TXmlElement& AddChild(std::string_view name, std::string_view text = {});
  // The first child of that name, ignoring the case of ASCII letters; nullptr if none.
  const TXmlElement* FindChild(std::string_view name) const;

  TXmlChain<TXmlAttribute> Attributes() const { return TXmlChain<TXmlAttribute>(FFirstAttribute); }
  // The value of the attribute of that name, ignoring case; nullptr if none.
  const std::string_view* FindAttribute(std::string_view name) const;
  // Appends without looking for one of the same name (reading a tag of any number of
  // attributes stays linear): FindAttribute finds the first.
  void AddAttribute(std::string_view name, std::string_view value);

  // Same name, attributes, text and children, in the same order.
  bool operator==(const TXmlElement& other) const;

  // The next sibling; nullptr for the last.
  const TXmlElement* Next() const { return FNext; }

 private:
  // Only an arena makes elements (TXmlDocument its root, AddChild the rest).
  friend class TXmlArena;
  TXmlElement(TXmlArena& arena, std::string_view name, std::string_view text)
      : FArena(&arena), FName(arena.Store(name)), FText(arena.Store(text)) {}

  TXmlArena* FArena;
  std::string_view FName;
  std::string_view FText;
  TXmlElement* FFirstChild = nullptr;
  TXmlElement* FLastChild = nullptr;
  size_t FChildCount = 0;
  TXmlAttribute* FFirstAttribute = nullptr;
  TXmlAttribute* FLastAttribute = nullptr;
  TXmlElement* FNext = nullptr;
};

}  // namespace palvetta
