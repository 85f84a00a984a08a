#pragma once
// Tables of item texts: how to make an item with some values, and what it must write as
// batch text and as readable text.

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

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

// Each case's item writes its batch and readable texts; a failure names the case.
inline void ExpectTexts(const std::vector<TTextCase>& cases) {
  for (size_t i = 0; i < cases.size(); ++i) {
    const TTextCase& c = cases[i];
    SCOPED_TRACE("case " + std::to_string(i) + ": " + c.batch);
    const auto item = c.make();
    EXPECT_EQ(item->GetBatchText(), c.batch);
    EXPECT_EQ(item->GetHumanReadableText(), c.readable);
  }
}

// For tables about the batch text alone: each case's item writes it.
struct TBatchCase {
  std::function<std::unique_ptr<TCustomProjectItem>()> make;
  std::string batch;
};

inline void ExpectBatchTexts(const std::vector<TBatchCase>& cases) {
  for (size_t i = 0; i < cases.size(); ++i) {
    SCOPED_TRACE("case " + std::to_string(i) + ": " + cases[i].batch);
    EXPECT_EQ(cases[i].make()->GetBatchText(), cases[i].batch);
  }
}

}  // namespace palvetta::testing
