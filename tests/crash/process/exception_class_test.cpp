#include "crash/process/exception_class.h"

#include <gtest/gtest.h>

#include <iostream>
#include <stdexcept>

#include "crash/process/stackward_exception.h"

namespace palvetta {
namespace {

struct TPlainThing {
  virtual ~TPlainThing() = default;
};

// A std::exception that is not the first base: its part lies behind another.
struct TSecondBase : TPlainThing, std::runtime_error {
  TSecondBase() : std::runtime_error("second base!!\t") {}
};

TEST(ExceptionClass, NamesAndAncestors) {
  EXPECT_EQ(ObjectClassNameOf(&typeid(std::out_of_range)), "std::out_of_range");
  EXPECT_EQ(ObjectClassNameOf(&typeid(TStackwardException)), "palvetta::TStackwardException");
  EXPECT_EQ(ObjectClassNameOf(nullptr), "Unknown");

  EXPECT_TRUE(IsClassOrAncestor(typeid(std::out_of_range), "std::logic_error"));
  EXPECT_TRUE(IsClassOrAncestor(typeid(std::out_of_range), "std::exception"));
  EXPECT_TRUE(IsClassOrAncestor(typeid(TStackwardException), "std::exception"));
  EXPECT_FALSE(IsClassOrAncestor(typeid(std::out_of_range), "std::runtime_error"));
  EXPECT_TRUE(IsClassOrAncestor(typeid(TSecondBase), "std::runtime_error"));  // through a second base
  EXPECT_TRUE(IsClassOrAncestor(typeid(TSecondBase), "palvetta::(anonymous namespace)::TPlainThing"));
  EXPECT_FALSE(IsClassOrAncestor(typeid(int), "std::exception"));
}

TEST(ExceptionClass, Messages) {
  const std::out_of_range outOfRange("index 7\x01 past the end");
  EXPECT_EQ(ExceptMessageOf(&outOfRange, &typeid(outOfRange)), "index 7 past the end");

  const TSecondBase second;
  EXPECT_EQ(ExceptMessageOf(&second, &typeid(second)), "second base!!");  // the tab goes
  EXPECT_EQ(WithFinalDot(ExceptMessageOf(&second, &typeid(second))), "second base.");

  const TStackwardException ours("  \r\n  ");
  EXPECT_EQ(ExceptMessageOf(&ours, &typeid(ours)), "Unknown");

  const TPlainThing plain;
  EXPECT_EQ(ExceptMessageOf(&plain, &typeid(plain)), "palvetta::(anonymous namespace)::TPlainThing");
  const int number = 5;
  EXPECT_EQ(ExceptMessageOf(&number, &typeid(number)), "int");
  EXPECT_EQ(ExceptMessageOf(nullptr, nullptr), "Unknown");
  EXPECT_EQ(CleanExceptMessage("line 1\r\nline 2"), "line 1\r\nline 2");
}

TEST(ExceptionClass, WithFinalDot) {
  EXPECT_EQ(WithFinalDot("Done"), "Done.");
  EXPECT_EQ(WithFinalDot("Done.!.!"), "Done.");
  EXPECT_EQ(WithFinalDot(""), ".");
}

}  // namespace
}  // namespace palvetta
