// Golden listings: each file in listings/ holds its input (mode, load address, bytes)
// above the line "listing:" and the expected listing below it. With
// PALVETTA_UPDATE_GOLDEN=1 the test rewrites the listing part instead, for review.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "crash/disasm/instruction_text.h"
#include "listing_cases.h"

namespace palvetta {
namespace {

TEST(ListingGolden, EveryFileMatches) {
  const std::filesystem::path folder = PALVETTA_DISASM_LISTINGS;
  const bool update = std::getenv("PALVETTA_UPDATE_GOLDEN") != nullptr;
  int files = 0;
  for (const auto& item : std::filesystem::directory_iterator(folder)) {
    if (item.path().extension() != ".txt") continue;
    ++files;
    SCOPED_TRACE(item.path().filename().string());
    std::ifstream in(item.path(), std::ios::binary);
    std::stringstream whole;
    whole << in.rdbuf();
    testing::TListingCase listingCase;
    std::string error;
    ASSERT_TRUE(testing::ParseListingCase(whole.str(), listingCase, error)) << error;
    const std::string listing = testing::ListingOf(listingCase);
    if (update) {
      std::ofstream out(item.path(), std::ios::binary | std::ios::trunc);
      out << listingCase.Header << "listing:\n" << listing;
    } else {
      EXPECT_EQ(listing, listingCase.Expected);
    }
  }
  EXPECT_GT(files, 0);
}

}  // namespace
}  // namespace palvetta
