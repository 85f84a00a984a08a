#pragma once
// The cipher's standard initial P-array and S-boxes.

#include <cstdint>

namespace palvetta {

inline constexpr int kBlowfishRounds = 16;

extern const uint32_t kBlowfishInitialP[kBlowfishRounds + 2];
extern const uint32_t kBlowfishInitialS[4][256];

}  // namespace palvetta
