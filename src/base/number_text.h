#pragma once
// Numbers as the crash reporter writes them: minimal digits, decimal with a leading "-"
// for negative values, hexadecimal in lower case after "$" and without a sign (a negative
// value shows its bit pattern: -1 as an Integer gives "$ffffffff").
//
// Padding: |width| minus the length of the digits part is the number of fill characters;
// width > 0 pads on the left, width < 0 on the right, 0 never; a text is never cut. For
// decimal texts the digits part includes the "-", and a digit fill goes between the "-"
// and the digits. For hexadecimal texts the digits part excludes the "$", and a
// hexadecimal-digit fill goes between the "$" and the digits, any other in front.
//
// These build strings, so they are not for the capture path of a faulting thread (the
// text helpers that are, are in text_search.h).

#include <cstdint>
#include <string>

namespace palvetta {

std::string IntToDecPadA(int32_t value, int width = 0, char fill = ' ');
std::string IntToHexPadA(int32_t value, int width = 0, char fill = '0');
std::string CardToDecPadA(uint32_t value, int width = 0, char fill = ' ');
std::string CardToHexPadA(uint32_t value, int width = 0, char fill = '0');
std::string Int64ToHexPadA(int64_t value, int width = 0, char fill = '0');
std::u16string CardToDecPadW(uint32_t value, int width = 0, char16_t fill = u' ');
std::u16string CardToHexPadW(uint32_t value, int width = 0, char16_t fill = u'0');

// "1023 Bytes", "1<sep>00 KB", "1<sep>50 MB", "2<sep>00 GB": two decimals, truncated, of
// the size's magnitude, with the given decimal separator (the Windows build has the
// user's in LocaleDecimalSeparator).
std::u16string SizeToText(int64_t size, char16_t decimalSeparator);

}  // namespace palvetta
