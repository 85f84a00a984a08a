#pragma once
// The user's decimal separator, for sizes in the bug report.

namespace palvetta {

// The first character of the thread locale's decimal separator, "," when the system
// gives none. Read once and kept for the life of the process; it neither allocates nor
// throws, so any thread may ask first.
char16_t LocaleDecimalSeparator() noexcept;

}  // namespace palvetta
