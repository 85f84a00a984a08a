#include "crash/stack/recursion.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace palvetta {
namespace {

// Frames as letters, outermost first; '-' stands for an already invalid candidate.
std::vector<TStackCandidate> Frames(const std::string& letters) {
  std::vector<TStackCandidate> frames;
  for (const char letter : letters) {
    TStackCandidate candidate;
    candidate.AfterInstr = static_cast<uint64_t>(letter);
    candidate.Valid = letter != '-';
    frames.push_back(candidate);
  }
  return frames;
}

std::string Remaining(const std::vector<TStackCandidate>& frames) {
  std::string letters;
  for (const TStackCandidate& candidate : frames)
    if (candidate.Valid) letters += static_cast<char>(candidate.AfterInstr);
  return letters;
}

TEST(Recursion, RepeatedBlocksAreShownOnce) {
  const struct {
    const char* Frames;
    const char* Expected;
  } rows[] = {
      {"mfffff", "mf"},               // direct recursion
      {"mfgfgfgfg", "mfg"},           // a block of two, four times
      {"mabcabcabcx", "mabcx"},       // a block of three with a different innermost frame
      {"mfgh", "mfgh"},               // no repetition
      {"mfgmh", "mfgmh"},             // the same address again, but no repeated block
      {"mfg-fg", "mfg"},              // invalid candidates do not interrupt a block
      {"mfgfhfg", "mfgfhfg"},         // blocks that differ stay
      {"", ""},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.Frames);
    std::vector<TStackCandidate> frames = Frames(row.Frames);
    RemoveRecursionEchoes(frames);
    EXPECT_EQ(Remaining(frames), row.Expected);
  }
}

TEST(Recursion, AnEchoLosesItsAnchorMark) {
  std::vector<TStackCandidate> frames = Frames("mff");
  frames[2].Anchor = true;
  EXPECT_EQ(RemoveRecursionEchoes(frames), 1u);
  EXPECT_FALSE(frames[2].Valid);
  EXPECT_FALSE(frames[2].Anchor);
}

}  // namespace
}  // namespace palvetta
