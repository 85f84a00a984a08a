#include "crash/stack/stack_lines.h"

#include <algorithm>

#include "base/case_folding.h"
#include "base/utf.h"
#include "codec/checksums.h"
#include "base/hex_digits.h"

namespace palvetta {
namespace {

std::string PadRight(const std::string& text, size_t width) {
  return text.size() >= width ? text : text + std::string(width - text.size(), ' ');
}

std::string PadLeft(const std::string& text, size_t width) {
  return text.size() >= width ? text : std::string(width - text.size(), ' ') + text;
}

bool IsShown(const TStackFrame& frame, const TStackLineOptions& options) {
  if (frame.TopItem || frame.CreationItem) return true;
  const bool hasLine = frame.Line > 0 || frame.PublicLine > 0;
  return !frame.PublicName.empty() && (hasLine || !options.HideUglyItems);
}

bool HasOffset(const TStackFrame& frame) { return frame.PublicAddr != 0 && frame.PublicAddr < frame.Addr; }

bool HasLineEntry(const TStackFrame& frame) { return frame.Line > 0 || frame.PublicLine > 0; }

std::string LineEntry(const TStackFrame& frame, const TStackLineOptions& options) {
  if (!HasLineEntry(frame)) return {};
  const bool relative = options.ShowRelativeLines && frame.PublicLine > 0;
  return (relative ? "+" : "") + std::to_string(frame.Line);
}

uint32_t CrcOfLowerName(uint32_t crc, const std::string& name) {
  const std::u16string lower = LowerCaseW(Utf8ToUtf16(name));
  return Crc32Update(crc, lower.data(), lower.size() * sizeof(char16_t));
}

// The frame's contribution: where in which named function it is, so that two runs at
// different load addresses agree; a 64-bit address is folded into 32 bits.
uint32_t FrameChecksum(const TStackFrame& frame) {
  const bool named = frame.PublicAddr != 0 && !frame.ModuleName.empty() && frame.ModuleName != "???" &&
                     !frame.PublicName.empty();
  if (!named) return static_cast<uint32_t>(frame.Addr) ^ static_cast<uint32_t>(frame.Addr >> 32);
  uint32_t v = static_cast<uint32_t>(frame.Addr - frame.PublicAddr);
  v = CrcOfLowerName(v, frame.ModuleName);
  if (!frame.UnitName.empty()) v = CrcOfLowerName(v, frame.UnitName);
  return CrcOfLowerName(v, frame.PublicName);
}

TStackItem ItemOf(const TStackFrame& frame) {
  TStackItem item;
  item.Addr = frame.Addr;
  item.relAddr = HasOffset(frame) ? static_cast<uint32_t>(frame.Addr - frame.PublicAddr) : 0;
  item.ModuleName = frame.ModuleName;
  item.UnitName = frame.UnitName;
  if (frame.PublicLine > 0) {
    item.Line = frame.PublicLine;
    item.relLine = frame.Line;
  } else {
    item.relLine = std::max(frame.Line, 0);
  }
  item.FunctionName = frame.PublicName;
  return item;
}

}  // namespace

void MakeLineRelative(TStackFrame& frame, int32_t functionLine) {
  if (frame.Line <= 0 || functionLine <= 0) return;
  frame.PublicLine = frame.Line;
  frame.Line -= functionLine;
}

TStackText ComposeStackText(const std::vector<TStackFrame>& frames, const TStackLineOptions& options) {
  TStackText result;
  std::vector<const TStackFrame*> shown;
  for (size_t i = 0; i < frames.size(); ++i) {
    const TStackFrame& frame = frames[i];
    if (!IsShown(frame, options)) continue;
    if (!shown.empty() && shown.back()->Addr == frame.Addr) continue;
    shown.push_back(&frame);
    result.Shown.push_back(i);
  }

  size_t offsetWidth = 0, moduleWidth = 0, unitWidth = 0, publicLineWidth = 0, lineWidth = 0;
  bool anyOffset = false, anyPublicLine = false, anyLine = false;
  for (const TStackFrame* frame : shown) {
    if (HasOffset(*frame)) {
      anyOffset = true;
      offsetWidth = std::max(offsetWidth, HexDigits(frame->Addr - frame->PublicAddr, 0).size());
    }
    moduleWidth = std::max(moduleWidth, frame->ModuleName.size());
    unitWidth = std::max(unitWidth, frame->UnitName.size());
    if (frame->PublicLine > 0) {
      anyPublicLine = true;
      publicLineWidth = std::max(publicLineWidth, std::to_string(frame->PublicLine).size());
    }
    if (HasLineEntry(*frame)) {
      anyLine = true;
      lineWidth = std::max(lineWidth, LineEntry(*frame, options).size());
    }
  }
  const bool offsetColumn = options.ShowRelativeAddrs && anyOffset;

  for (const TStackFrame* frame : shown) {
    std::string line = HexDigits(frame->Addr, 16) + " ";
    if (offsetColumn)
      line +=
          "+" + HexDigits(HasOffset(*frame) ? frame->Addr - frame->PublicAddr : 0, static_cast<int>(offsetWidth)) + " ";
    line += PadRight(frame->ModuleName, moduleWidth + 1);
    line += PadRight(frame->UnitName, unitWidth + 1);
    if (anyPublicLine)
      line += PadLeft(frame->PublicLine > 0 ? std::to_string(frame->PublicLine) : "", publicLineWidth) + " ";
    if (anyLine) line += PadLeft(LineEntry(*frame, options), lineWidth) + " ";
    line += frame->PublicName;

    if (!result.Text.empty()) result.Text += "\r\n";
    result.Text += line;
    result.Items.push_back(ItemOf(*frame));
    result.HasLines = result.HasLines || frame->Line > 0 || frame->PublicLine > 0;
    const uint32_t v = FrameChecksum(*frame);
    if (result.Items.size() == 1) {
      result.Checksum1 = result.Checksum2 = v;
    } else {
      result.Checksum2 = Crc32Update(result.Checksum2, &v, sizeof v);
    }
  }
  return result;
}

}  // namespace palvetta
