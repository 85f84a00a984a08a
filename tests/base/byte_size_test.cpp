#include "base/byte_size.h"

#include <gtest/gtest.h>

namespace palvetta {
namespace {

TEST(FormatByteSize, Cases) {
  struct Case {
    int64_t size;
    const char* text;
  };
  const Case cases[] = {
      {0, "0 Bytes"},
      {1024, "1024 Bytes"},
      {1025, "1 KB"},
      {1536, "1.5 KB"},
      {1048576, "1024 KB"},  // must exceed the next power to change unit
      {1048577, "1 MB"},
      {1234567890, "1.15 GB"},
      {INT64_MAX, "8 EB"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.size);
    EXPECT_EQ(FormatByteSize(c.size), c.text);
  }
  EXPECT_EQ(FormatByteSize(1536, ','), "1,5 KB");
}

}  // namespace
}  // namespace palvetta
