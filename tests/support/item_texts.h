#pragma once
// Tables of item texts: how to make an item with some values, and what it must write as
// batch text and as readable text.

#include <functional>
#include <memory>
#include <string>

#include "model/custom_project_item.h"

namespace palvetta::testing {

struct TTextCase {
  std::function<std::unique_ptr<TCustomProjectItem>()> make;
  std::string batch;
  std::string readable;
};

// A maker of an item of class T with the values the setup gives it.
template <class T>
std::function<std::unique_ptr<TCustomProjectItem>()> Make(std::function<void(T&)> setup) {
  return [setup] {
    auto item = std::make_unique<T>();
    setup(*item);
    return item;
  };
}

}  // namespace palvetta::testing
