// Decoding throughput in instructions per second on one x64 corpus (the code sections of
// Wine's 64-bit ntdll, kernelbase and ucrtbase): our decoder beside Capstone's cs_disasm
// with details off, and for lengths only beside Capstone with CS_OPT_SKIPDATA. Every one
// walks the code from its first byte, one instruction after the other.
#include <benchmark/benchmark.h>
#include <capstone/capstone.h>

#include <filesystem>
#include <string>
#include <vector>

#include "crash/disasm/decoder.h"
#include "pe_file.h"

namespace {

using namespace palvetta;

struct TCorpus {
  std::vector<std::vector<uint8_t>> Sections;
  std::vector<uint64_t> Bases;
};

const TCorpus& Corpus() {
  static const TCorpus corpus = [] {
    TCorpus result;
    const std::filesystem::path folder = PALVETTA_WINE_DLL_DIR;
    for (const char* name : {"ntdll.dll", "kernelbase.dll", "ucrtbase.dll"}) {
      testing::TPeFile pe;
      if (!testing::ReadPeFile(folder / name, pe)) continue;
      for (const auto& section : pe.Sections) {
        if (!section.IsCode()) continue;
        result.Sections.push_back(section.Data);
        result.Bases.push_back(pe.ImageBase + section.VirtualAddress);
      }
    }
    return result;
  }();
  return corpus;
}

void OurDecoder(benchmark::State& state) {
  const TCorpus& corpus = Corpus();
  int64_t instructions = 0;
  for (auto _ : state) {
    for (size_t i = 0; i < corpus.Sections.size(); ++i) {
      const TBufferReader reader(corpus.Bases[i], corpus.Sections[i]);
      const uint64_t end = corpus.Bases[i] + corpus.Sections[i].size();
      for (uint64_t address = corpus.Bases[i]; address < end; ++instructions) {
        address = DecodeInstruction(TCpuMode::cm64, address, reader).Next;
      }
    }
  }
  state.SetItemsProcessed(instructions);
}
BENCHMARK(OurDecoder)->Unit(benchmark::kMillisecond);

void Capstone(benchmark::State& state, bool skipData) {
  const TCorpus& corpus = Corpus();
  csh handle;
  cs_open(CS_ARCH_X86, CS_MODE_64, &handle);
  cs_option(handle, CS_OPT_DETAIL, CS_OPT_OFF);
  if (skipData) cs_option(handle, CS_OPT_SKIPDATA, CS_OPT_ON);
  cs_insn* insn = cs_malloc(handle);
  int64_t instructions = 0;
  for (auto _ : state) {
    for (size_t i = 0; i < corpus.Sections.size(); ++i) {
      const uint8_t* code = corpus.Sections[i].data();
      size_t size = corpus.Sections[i].size();
      uint64_t address = corpus.Bases[i];
      while (size > 0) {
        if (cs_disasm_iter(handle, &code, &size, &address, insn)) {
          ++instructions;
        } else {  // an invalid byte counts as one, as ours does
          ++code;
          --size;
          ++address;
          ++instructions;
        }
      }
    }
  }
  cs_free(insn, 1);
  cs_close(&handle);
  state.SetItemsProcessed(instructions);
}
void CapstoneDisasm(benchmark::State& state) { Capstone(state, false); }
void CapstoneSkipData(benchmark::State& state) { Capstone(state, true); }
BENCHMARK(CapstoneDisasm)->Unit(benchmark::kMillisecond);
BENCHMARK(CapstoneSkipData)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
