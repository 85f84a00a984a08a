#include "crash/stack/stack_line_format.h"

#include "base/hex_digits.h"

namespace palvetta {
namespace {

uint64_t OffsetInFunction(uint64_t address, const TAddressFacts& facts) {
  return facts.FunctionStart != 0 && facts.FunctionStart <= address ? address - facts.FunctionStart : 0;
}

// The line counted from the function's first line (taken as 0 when unknown).
int32_t RelativeLine(const TAddressFacts& facts) { return facts.Line > 0 ? facts.Line - facts.FunctionLine : 0; }

}  // namespace

std::string ComposeStackLine(uint64_t address, const TAddressFacts& facts, bool showRelativeAddrs,
                             bool showRelativeLines) {
  std::string line = HexDigits(address, 16);
  if (!facts.Found) return line + (showRelativeAddrs ? " +0" : "") + " ???";
  if (showRelativeAddrs) line += " +" + HexDigits(OffsetInFunction(address, facts), 0);
  line += " " + facts.ModuleName + " " + facts.UnitName + " ";
  if (facts.Line > 0) line += std::to_string(facts.Line) + " ";
  if (showRelativeLines) line += "+" + std::to_string(RelativeLine(facts)) + " ";
  return line + facts.FunctionName;
}

std::string ComposeInternalErrorText(std::string_view routineName, std::string_view exceptionLine) {
  std::string text = ">> internal error in ";
  text += routineName;
  if (!exceptionLine.empty()) {
    text += ":\r\n";
    text += exceptionLine;
  }
  return text;
}

}  // namespace palvetta
