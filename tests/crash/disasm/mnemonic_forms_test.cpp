#include "crash/disasm/mnemonic_forms.h"

#include <gtest/gtest.h>

namespace palvetta::disasm {
namespace {

struct TFormRow {
  const char* Entry;
  TFormChoice Choice;
  const char* Expected;  // "" : no such instruction
  bool ByRm;
};

TEST(MnemonicForms, SelectsTheFormOfTheEntry) {
  const TFormRow rows[] = {
      {"add|or|adc|sbb|and|sub|xor|cmp", {.Reg = 5}, "sub", false},
      {"add|or|adc|sbb|and|sub|xor|cmp", {.Reg = 7, .RegisterForm = true}, "cmp", false},  // 8 forms serve both
      {"inc|dec|call|call|jmp|jmp|push", {.Reg = 7}, "", false},
      {"ld||st|stp", {.Reg = 1}, "", false},
      {"ld|isttp|st|stp|rstor||nsave|nstsw|free|xch4", {.Reg = 1, .RegisterForm = true}, "xch4", false},
      {"pshufw/pshufd/pshuflw/pshufhw", {.Prefix = pxF3}, "pshufhw", false},
      {"pshufw/pshufd/pshuflw/pshufhw", {.Prefix = pxF2}, "pshuflw", false},
      {"cvttpd2dq//cvtpd2dq/cvtdq2pd", {.Prefix = px66}, "cvttpd2dq", false},  // empty: the first form
      {"/punpcklqdq", {.Prefix = pxNone}, "", false},
      {"movhlPS:movlPS/movlPS/movddup/movsldup", {.RegisterForm = true}, "movhlPS", false},
      {"movhlPS:movlPS/movlPS/movddup/movsldup", {.RegisterForm = false}, "movlPS", false},
      {"movhlPS:movlPS/movlPS/movddup/movsldup", {.Prefix = pxF3}, "movsldup", false},
      {"ld1-ldl2t-ldl2e-ldpi-ldlg2-ldln2-ldz", {.Rm = 6, .RegisterForm = true}, "ldz", true},
      {"chs-abs---tst-xam", {.Rm = 2, .RegisterForm = true}, "", true},
      {"chs-abs---tst-xam", {.Rm = 7, .RegisterForm = true}, "", true},
      {"fxsave|fxrstor|ldmxcsr|stmxcsr||lfence|mfence|sfence:clflush", {.Reg = 7}, "clflush", false},
      {"fxsave|fxrstor|ldmxcsr|stmxcsr||lfence|mfence|sfence:clflush", {.Reg = 7, .RegisterForm = true}, "sfence",
       false},
  };
  for (const TFormRow& row : rows) {
    const TSelectedForm form = SelectForm(row.Entry, row.Choice);
    EXPECT_EQ(form.Text, row.Expected) << row.Entry;
    if (*row.Expected) {
      EXPECT_EQ(form.ByRm, row.ByRm) << row.Entry;
    }
  }
}

TEST(MnemonicForms, TellsWhichPrefixesChooseAForm) {
  EXPECT_TRUE(HasPrefixForms("addPS"));
  EXPECT_TRUE(HasPrefixForms("bsf///tzcnt"));
  EXPECT_FALSE(HasPrefixForms("paddb"));
  EXPECT_TRUE(FormTakesPrefix("bsf///tzcnt", pxF3));
  EXPECT_FALSE(FormTakesPrefix("bsf///tzcnt", px66));  // 66 keeps its operand-size meaning
  EXPECT_TRUE(FormTakesPrefix("comisS", px66));
}

}  // namespace
}  // namespace palvetta::disasm
