#pragma once
// Picks the form of a mnemonic-list entry: "|" by the ModR/M reg field (memory forms,
// then register forms from the ninth on), "/" by the prefix (none, 66, F2, F3; an empty
// form falls back to the first), ":" register form before memory form, "-" register
// forms by the r/m field. An empty result means the processor has no such instruction.

#include <string_view>

namespace palvetta::disasm {

enum TPrefixForm { pxNone, px66, pxF2, pxF3 };

struct TFormChoice {
  int Reg = 0;        // ModR/M reg field (0..7)
  int Rm = 0;         // ModR/M r/m field (0..7)
  bool RegisterForm = false;
  TPrefixForm Prefix = pxNone;
};

struct TSelectedForm {
  std::string_view Text;  // empty: no such instruction
  bool ByRm = false;      // chosen by the r/m field, which then is no operand
};

TSelectedForm SelectForm(std::string_view entry, const TFormChoice& choice) noexcept;

// Whether the entry's form depends on a 66, F2 or F3 prefix ("/" forms or the "P" and "S"
// letters), so that the prefix selects the form instead of its usual meaning.
bool HasPrefixForms(std::string_view entry) noexcept;
// Whether the prefix selects a form of its own (rather than falling back to the first),
// so that it loses its usual meaning.
bool FormTakesPrefix(std::string_view entry, TPrefixForm prefix) noexcept;

}  // namespace palvetta::disasm
