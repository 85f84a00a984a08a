#include "crash/disasm/function_listing.h"

#include <algorithm>
#include <vector>

#include "base/hex_digits.h"
#include "base/number_text.h"
#include "crash/disasm/decoder.h"

namespace palvetta {
namespace {

constexpr const char* kCrLf = "\r\n";
constexpr const char* kSeparator = "; ---------------------------------------------------------";
constexpr size_t kTitleColumn = 31;

void PadTo(std::string& text, size_t width) {
  if (text.size() < width) text.append(width - text.size(), ' ');
}

int DigitCount(int value) {
  int digits = 1;
  while (value >= 10) {
    value /= 10;
    ++digits;
  }
  return digits;
}

// One listing line and the address it belongs to (0 for labels, separators, blanks).
struct TLine {
  uint64_t Address = 0;
  std::string Text;
};

class TListing {
 public:
  TListing(TCpuMode mode, const IMemoryReader& reader, const TListingOptions& options, const TFunctionInfo& info)
      : FMode(mode), FReader(reader), FOptions(options), f(info) {}

  std::string Build() {
    for (size_t i = 1; i < f.CodeAreas.size(); ++i) {
      if (f.CodeAreas[i].AreaBegin <= f.CodeAreas[i - 1].AreaEnd) {
        return "Internal error in ParseFunction while composing the disassembling string...  :-(";
      }
    }
    Title();
    LineColumn();
    std::vector<TCodeArea> areas = f.CodeAreas;
    for (size_t i = 0; i < areas.size(); ++i) {
      const TCodeArea& area = areas[i];
      const bool last = i + 1 == areas.size();
      if (area.AreaBegin == f.EntryPoint) {
        std::string head = FTitle + ":";
        PadTo(head, kTitleColumn);
        Add(0, head + "  ; function entry point");
      } else if (FOptions.Format && area.CalledFrom != 0 && !area.CaseBlock && !area.OnExceptBlock) {
        Add(0, Label(area.AreaBegin) + ":");
      }
      if (area.CaseBlock) {
        CaseTable(area);
      } else if (area.OnExceptBlock) {
        HandlerTable(area);
      } else {
        Code(area, last);
      }
    }
    return Limited();
  }

 private:
  TCpuMode FMode;
  const IMemoryReader& FReader;
  const TListingOptions& FOptions;
  const TFunctionInfo& f;
  std::string FTitle;
  int FLineWidth = 0;  // 0: no line-number column
  int FLastLine = -1;
  std::vector<TLine> FLines;

  void Title() {
    const std::string name = FOptions.Names ? FOptions.Names->FunctionName(f.EntryPoint) : std::string();
    FTitle = name.empty() ? "sub_" + HexDigits(f.EntryPoint, 0) : "public " + name;
  }

  void LineColumn() {
    if (!FOptions.Lines) return;
    const uint64_t lastByte = f.CodeBegin + static_cast<uint64_t>(f.CodeLen) - 1;
    if (const int line = FOptions.Lines->LineOf(lastByte); line > 0) {
      FLineWidth = DigitCount(line);
    } else if (const int highlighted = FOptions.Lines->LineOf(FOptions.Highlight); highlighted > 0) {
      FLineWidth = DigitCount(highlighted * 10);
    }
  }

  std::string Label(uint64_t address) const {
    return address == f.EntryPoint ? FTitle : "loc_" + HexDigits(address, 0);
  }

  bool StartsArea(uint64_t address) const {
    return std::any_of(f.CodeAreas.begin(), f.CodeAreas.end(),
                       [&](const TCodeArea& area) { return area.AreaBegin == address && !area.CaseBlock; });
  }

  void Add(uint64_t address, std::string text) { FLines.push_back({address, std::move(text)}); }

  // The instruction line with the line-number column and the highlight mark.
  std::string Decorate(uint64_t address, std::string line) {
    const size_t markAt = static_cast<size_t>(AddressDigits(FMode)) + 1;
    if (FLineWidth > 0 && FOptions.Lines) {
      const int number = FOptions.Lines->LineOf(address);
      std::string column(static_cast<size_t>(FLineWidth) + 1, ' ');
      if (number > 0 && number != FLastLine) {
        column = IntToDecPadA(number, FLineWidth, '0') + " ";
        FLastLine = number;
      }
      line.insert(markAt, column);
    }
    if (address == FOptions.Highlight && line.size() > markAt + static_cast<size_t>(FLineWidth ? FLineWidth + 1 : 0)) {
      line[markAt + static_cast<size_t>(FLineWidth ? FLineWidth + 1 : 0)] = '>';
    }
    return line;
  }

  void Code(const TCodeArea& area, bool lastArea) {
    for (uint64_t address = area.AreaBegin; address <= area.AreaEnd;) {
      const TDecodedInstr d = DecodeDetailed(FMode, address, FReader, nullptr);
      std::string labelOperand;
      if (FOptions.Format && d.Info.RelTarget && d.Info.Target != 0 && StartsArea(d.Info.Target)) {
        labelOperand = Label(d.Info.Target);
      }
      Add(address, Decorate(address, InstructionLine(d, FReader, FOptions.Names, labelOperand)));
      const bool endOfListing = lastArea && d.Info.Next > area.AreaEnd;
      if (FOptions.Format && EndsFlow(d) && !endOfListing) {
        Add(0, "");
        Add(0, kSeparator);
        Add(0, "");
      }
      address = d.Info.Next;
    }
  }

  static bool EndsFlow(const TDecodedInstr& d) {
    if (d.Map != omOneByte) return false;
    const uint8_t op = d.OpcodeByte;
    return op == 0xC2 || op == 0xC3 || op == 0xCA || op == 0xCB || op == 0xCF || op == 0xE9 || op == 0xEA ||
           op == 0xEB || (op == 0xFF && ((d.Reg & 7) == 4 || (d.Reg & 7) == 5));
  }

  void CaseTable(const TCodeArea& area) {
    bool first = true;
    for (uint64_t address = area.AreaBegin; address + 3 <= area.AreaEnd; address += 4) {
      uint32_t target = 0;
      FReader.Read(address, &target, 4);
      std::string line = "  dd loc_" + HexDigits(target, 0);
      if (first) {
        PadTo(line, kTitleColumn);
        line += "  ; case jump table";
        first = false;
      }
      Add(address, line);
    }
  }

  // The run time's handler table: a count, then class and handler pairs.
  void HandlerTable(const TCodeArea& area) {
    uint32_t count = 0;
    if (!FReader.Read(area.AreaBegin, &count, 4)) return;
    std::vector<std::pair<std::string, uint32_t>> entries;
    size_t width = 0;
    for (uint32_t i = 0; i < count; ++i) {
      uint32_t pair[2] = {};
      if (!FReader.Read(area.AreaBegin + 4 + i * 8, pair, 8)) break;
      std::string name;
      if (pair[0] != 0) {
        name = FOptions.Names ? FOptions.Names->FunctionName(pair[0]) : std::string();
        if (name.empty()) name = "EUnknown";
      }
      width = std::max(width, name.size());
      entries.emplace_back(name, pair[1]);
    }
    for (uint32_t i = 0; i < entries.size(); ++i) {
      const auto& [name, handler] = entries[i];
      std::string line = name.empty() ? "  else" : "  on " + name;
      PadTo(line, width + 5);
      if (!name.empty()) line += " do";
      PadTo(line, width + 8);
      Add(area.AreaBegin + 4 + i * 8, line + " loc_" + HexDigits(handler, 0));
    }
  }

  // The line limit around the highlighted address, then the lines joined.
  std::string Limited() const {
    size_t begin = 0, end = FLines.size();
    bool cutFront = false, cutBack = false;
    if (FOptions.LineLimit > 0) {
      const size_t limit = static_cast<size_t>(FOptions.LineLimit);
      size_t highlighted = FLines.size();
      for (size_t i = 0; i < FLines.size(); ++i) {
        if (FOptions.Highlight != 0 && FLines[i].Address == FOptions.Highlight) {
          highlighted = i;
          break;
        }
      }
      if (highlighted == FLines.size()) return Joined(0, FLines.size(), false, false);
      if (static_cast<double>(highlighted) > static_cast<double>(limit) * 1.2) {
        begin = highlighted - limit;
        cutFront = true;
      }
      if (end > highlighted + limit + 1) {
        end = highlighted + limit + 1;
        cutBack = true;
      }
    }
    return Joined(begin, end, cutFront, cutBack);
  }

  std::string Joined(size_t begin, size_t end, bool cutFront, bool cutBack) const {
    std::string text;
    if (cutFront) text += std::string("[...]") + kCrLf;
    for (size_t i = begin; i < end; ++i) text += FLines[i].Text + kCrLf;
    if (cutBack) text += std::string("[...]") + kCrLf;
    if (text.size() >= 2) text.resize(text.size() - 2);
    return text;
  }
};

}  // namespace

bool DisassembleFunctionText(TCpuMode mode, uint64_t entry, const IMemoryReader& reader, const IModuleFacts& facts,
                             const TListingOptions& options, std::string& text, TFunctionInfo& info) {
  text.clear();
  info = AnalyzeFunction(mode, entry, reader, facts, options.Routines);
  if (!info.IsValid) return false;
  text = TListing(mode, reader, options, info).Build();
  return true;
}

TDisassembleHook DisassembleFunctionHook = nullptr;

void LinkDisassembler() { DisassembleFunctionHook = &DisassembleFunctionText; }

}  // namespace palvetta
