#pragma once
// The constants of the deflate format (RFC 1951) that the compressor and the decoder
// share.

#include <cstdint>

namespace palvetta::deflate {

inline constexpr int kLiterals = 256;
inline constexpr int kEndOfBlock = 256;
inline constexpr int kLengthCodes = 29;
inline constexpr int kLitLenCodes = kLiterals + 1 + kLengthCodes;  // 286 used of 288
inline constexpr int kDistanceCodes = 30;                           // 30 used of 32
inline constexpr int kCodeLengthCodes = 19;
inline constexpr int kMaxCodeBits = 15;
inline constexpr int kMaxCodeLengthBits = 7;
inline constexpr int kMinMatch = 3;
inline constexpr int kMaxMatch = 258;
inline constexpr int kMaxDistance = 32768;

// Block types, as the two bits after the final-block bit.
inline constexpr int kStoredBlock = 0;
inline constexpr int kFixedBlock = 1;
inline constexpr int kDynamicBlock = 2;

// The code-length alphabet's repeat codes.
inline constexpr int kRepeatPrevious = 16;  // 3..6 times, 2 extra bits
inline constexpr int kRepeatZero3 = 17;     // 3..10 zeros, 3 extra bits
inline constexpr int kRepeatZero11 = 18;    // 11..138 zeros, 7 extra bits

inline constexpr uint16_t kLengthBase[kLengthCodes] = {
    3, 4, 5, 6, 7, 8, 9, 10, 11, 13, 15, 17, 19, 23, 27, 31, 35, 43, 51, 59, 67, 83, 99, 115,
    131, 163, 195, 227, 258};
inline constexpr uint8_t kLengthExtra[kLengthCodes] = {
    0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2, 2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
inline constexpr uint16_t kDistanceBase[kDistanceCodes] = {
    1, 2, 3, 4, 5, 7, 9, 13, 17, 25, 33, 49, 65, 97, 129, 193, 257, 385, 513, 769, 1025, 1537,
    2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
inline constexpr uint8_t kDistanceExtra[kDistanceCodes] = {
    0, 0, 0, 0, 1, 1, 2, 2, 3, 3, 4, 4, 5, 5, 6, 6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};
inline constexpr uint8_t kCodeLengthExtra[kCodeLengthCodes] = {
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2, 3, 7};
// The order in which a dynamic block sends the code-length code's lengths.
inline constexpr uint8_t kCodeLengthOrder[kCodeLengthCodes] = {
    16, 17, 18, 0, 8, 7, 9, 6, 10, 5, 11, 4, 12, 3, 13, 2, 14, 1, 15};

// The fixed block's code lengths.
constexpr int FixedLitLenBits(int symbol) {
  return symbol < 144 ? 8 : symbol < 256 ? 9 : symbol < 280 ? 7 : 8;
}
inline constexpr int kFixedLitLenSymbols = 288;
inline constexpr int kFixedDistanceBits = 5;

}  // namespace palvetta::deflate
