// The decoder beside Capstone on equal work: both decode the same instructions, of the
// same lengths, and make the listing text of each (ours the listing line into a reused
// buffer, Capstone cs_disasm_iter with details off, which fills its mnemonic and operand
// text). The instructions are those of a corpus where both agree on the length, each
// decoded from its start; where they disagree (or either finds no instruction), the
// instruction is left out of both. 64-bit: the code sections of Wine's 64-bit ntdll,
// kernelbase and ucrtbase; 32-bit: the corpus program built for i686. Our length-only
// decode (what the function analysis uses) is measured beside them, with no reference.
#include <benchmark/benchmark.h>
#include <capstone/capstone.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "crash/disasm/decoder.h"
#include "crash/disasm/instruction_text.h"
#include "pe_file.h"
#include "support/bench_main.h"

namespace {

using namespace palvetta;

struct TSection {
  std::vector<uint8_t> Bytes;
  uint64_t Base = 0;
  std::vector<uint32_t> Starts;  // offsets of the instructions both decoders agree on
};

struct TCorpus {
  TCpuMode Mode = TCpuMode::cm64;
  std::vector<TSection> Sections;
  size_t Instructions = 0;
  size_t LeftOut = 0;
};

// The bytes an instruction may take from offset on: at most 15, never past the section.
size_t Window(const TSection& section, size_t offset) {
  return std::min<size_t>(kMaxInstructionLength, section.Bytes.size() - offset);
}

// Walks each section with our decoder and keeps the instructions Capstone decodes to the
// same length.
void KeepAgreedInstructions(TCorpus& corpus) {
  csh handle;
  cs_open(CS_ARCH_X86, corpus.Mode == TCpuMode::cm64 ? CS_MODE_64 : CS_MODE_32, &handle);
  cs_insn* insn = cs_malloc(handle);
  for (TSection& section : corpus.Sections) {
    const TBufferReader reader(section.Base, section.Bytes);
    for (size_t offset = 0; offset < section.Bytes.size();) {
      const TInstrInfo ours = DecodeInstruction(corpus.Mode, section.Base + offset, reader);
      const size_t length = ours.Next - ours.This;
      const uint8_t* code = section.Bytes.data() + offset;
      size_t size = Window(section, offset);
      uint64_t address = section.Base + offset;
      if (ours.IsValid && cs_disasm_iter(handle, &code, &size, &address, insn) && insn->size == length) {
        section.Starts.push_back(static_cast<uint32_t>(offset));
      } else {
        ++corpus.LeftOut;
      }
      offset += length;
    }
    corpus.Instructions += section.Starts.size();
  }
  cs_free(insn, 1);
  cs_close(&handle);
}

TCorpus ReadCorpus(TCpuMode mode, const std::vector<std::filesystem::path>& files) {
  TCorpus corpus;
  corpus.Mode = mode;
  for (const std::filesystem::path& file : files) {
    testing::TPeFile pe;
    if (!testing::ReadPeFile(file, pe)) {
      std::fprintf(stderr, "disasm_bench: cannot read %s\n", file.c_str());
      continue;
    }
    for (const auto& section : pe.Sections) {
      if (section.IsCode()) corpus.Sections.push_back({section.Data, pe.ImageBase + section.VirtualAddress, {}});
    }
  }
  KeepAgreedInstructions(corpus);
  std::fprintf(stderr, "disasm_bench: %d-bit corpus of %zu instructions (%zu left out where the lengths differ)\n",
               mode == TCpuMode::cm64 ? 64 : 32, corpus.Instructions, corpus.LeftOut);
  return corpus;
}

const TCorpus& Corpus(TCpuMode mode) {
  static const TCorpus corpus64 = ReadCorpus(
      TCpuMode::cm64, {std::filesystem::path(PALVETTA_WINE_DLL_DIR) / "ntdll.dll",
                       std::filesystem::path(PALVETTA_WINE_DLL_DIR) / "kernelbase.dll",
                       std::filesystem::path(PALVETTA_WINE_DLL_DIR) / "ucrtbase.dll"});
  static const TCorpus corpus32 =
      ReadCorpus(TCpuMode::cm32, {std::filesystem::path(PALVETTA_DISASM_CORPUS_DIR) / "corpus_i686_O2.exe"});
  return mode == TCpuMode::cm64 ? corpus64 : corpus32;
}

void OursWithText(benchmark::State& state, TCpuMode mode) {
  const TCorpus& corpus = Corpus(mode);
  std::string line;
  size_t characters = 0;
  for (auto _ : state) {
    for (const TSection& section : corpus.Sections) {
      const TBufferReader reader(section.Base, section.Bytes);
      for (const uint32_t offset : section.Starts) {
        const TDecodedInstr instr = DecodeDetailed(mode, section.Base + offset, reader, nullptr);
        AppendInstructionLine(instr, reader, nullptr, line);
        characters += line.size();
        line.clear();
      }
    }
  }
  benchmark::DoNotOptimize(characters);
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * corpus.Instructions));
}

void CapstoneWithText(benchmark::State& state, TCpuMode mode) {
  const TCorpus& corpus = Corpus(mode);
  csh handle;
  cs_open(CS_ARCH_X86, mode == TCpuMode::cm64 ? CS_MODE_64 : CS_MODE_32, &handle);
  cs_option(handle, CS_OPT_DETAIL, CS_OPT_OFF);
  cs_insn* insn = cs_malloc(handle);
  size_t characters = 0;
  for (auto _ : state) {
    for (const TSection& section : corpus.Sections) {
      for (const uint32_t offset : section.Starts) {
        const uint8_t* code = section.Bytes.data() + offset;
        size_t size = Window(section, offset);
        uint64_t address = section.Base + offset;
        cs_disasm_iter(handle, &code, &size, &address, insn);
        characters += insn->op_str[0] != 0;
      }
    }
  }
  benchmark::DoNotOptimize(characters);
  cs_free(insn, 1);
  cs_close(&handle);
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * corpus.Instructions));
}

void OursLengthOnly(benchmark::State& state, TCpuMode mode) {
  const TCorpus& corpus = Corpus(mode);
  uint64_t sum = 0;
  for (auto _ : state) {
    for (const TSection& section : corpus.Sections) {
      const TBufferReader reader(section.Base, section.Bytes);
      for (const uint32_t offset : section.Starts) sum += DecodeInstruction(mode, section.Base + offset, reader).Next;
    }
  }
  benchmark::DoNotOptimize(sum);
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * corpus.Instructions));
}

void Register() {
  for (const TCpuMode mode : {TCpuMode::cm64, TCpuMode::cm32}) {
    const std::string bits = mode == TCpuMode::cm64 ? "64" : "32";
    benchmark::RegisterBenchmark(("text" + bits + "/ours").c_str(), OursWithText, mode)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark(("text" + bits + "/capstone").c_str(), CapstoneWithText, mode)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark(("length" + bits + "/ours").c_str(), OursLengthOnly, mode)
        ->Unit(benchmark::kMillisecond);
  }
}

}  // namespace

int main(int argc, char** argv) {
  Register();
  return palvetta::testing::RunBenchmarks(argc, argv);
}
