// The analysis over functions of the corpus programs: every call that objdump lists in a
// function is found, and the jump table of the switch leads to every case.
#include "crash/disasm/function_analysis.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <set>
#include <string>

#include "objdump_calls.h"
#include "pe_file.h"
#include "pe_module_facts.h"

namespace palvetta {
namespace {

using testing::TPeFile;
using testing::TPeImage;

std::string RunCommand(const std::string& command) {
  std::string output;
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return output;
  char buffer[4096];
  for (size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) output.append(buffer, n);
  pclose(pipe);
  return output;
}

std::map<std::string, uint64_t> Symbols(const std::string& tool, const std::string& file) {
  std::map<std::string, uint64_t> symbols;
  const std::string text = RunCommand(tool + " " + file);
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    const std::string line = text.substr(start, end - start);
    start = end + 1;
    if (line.size() > 11 && line.find(" T ") != std::string::npos) {
      symbols[line.substr(line.rfind(' ') + 1)] = std::stoull(line, nullptr, 16);
    }
  }
  return symbols;
}

struct TCorpus {
  const char* File;
  const char* Prefix;  // of the binutils
  TCpuMode Mode;
  const char* SymbolPrefix;
};

class FunctionAnalysis : public ::testing::TestWithParam<TCorpus> {};

TEST_P(FunctionAnalysis, FindsEveryCallObjdumpLists) {
  const TCorpus corpus = GetParam();
  const std::string file = std::string(PALVETTA_DISASM_CORPUS_DIR) + "/" + corpus.File;
  TPeFile pe;
  ASSERT_TRUE(testing::ReadPeFile(file, pe));
  const TPeImage image(pe);
  const auto calls = testing::ParseObjdumpCalls(RunCommand(std::string(corpus.Prefix) + "-objdump -d --no-show-raw-insn " + file));
  const auto symbols = Symbols(std::string(corpus.Prefix) + "-nm", file);
  int checked = 0;
  for (const char* name : {"CorpusSwitch", "CorpusImports", "CorpusFloat", "CorpusWide", "CorpusList", "main"}) {
    const std::string symbol = std::string(corpus.SymbolPrefix) + name;
    SCOPED_TRACE(symbol);
    ASSERT_TRUE(symbols.count(symbol));
    const TFunctionInfo info = AnalyzeFunction(corpus.Mode, symbols.at(symbol), image, image);
    ASSERT_TRUE(info.IsValid) << info.LastErrorStr << " at " << std::hex << info.LastErrorAddr;
    std::set<uint64_t> found;
    for (const TFarCall& call : info.FarCalls) {
      if (call.Call) found.insert(call.CodeAddr1);
    }
    for (const TUnknownTarget& unknown : info.UnknownTargets) {
      if (unknown.Call) found.insert(unknown.CodeAddr1);
    }
    if (std::string(name) == "CorpusSwitch") {
      // Eight cases and the default, each reached through the jump table or the bound.
      std::set<uint64_t> starts;
      for (const TCodeArea& area : info.CodeAreas) {
        if (area.CalledFrom != 0) starts.insert(area.AreaBegin);
      }
      EXPECT_GE(starts.size(), 8u);
      for (const TUnknownTarget& unknown : info.UnknownTargets) EXPECT_TRUE(unknown.Call);  // the table's jump is known
    }
    const auto listed = calls.find(symbol);
    if (listed == calls.end()) continue;
    for (const uint64_t offset : listed->second.CallOffsets) {
      EXPECT_TRUE(found.count(listed->second.Address + offset)) << "call at +" << std::hex << offset;
    }
    ++checked;
  }
  EXPECT_GE(checked, 4);
}

INSTANTIATE_TEST_SUITE_P(Corpora, FunctionAnalysis,
                         ::testing::Values(TCorpus{"corpus_x86_64_O2.exe", "x86_64-w64-mingw32", TCpuMode::cm64, ""},
                                           TCorpus{"corpus_x86_64_O0.exe", "x86_64-w64-mingw32", TCpuMode::cm64, ""},
                                           TCorpus{"corpus_x86_64_Os.exe", "x86_64-w64-mingw32", TCpuMode::cm64, ""},
                                           TCorpus{"corpus_i686_O2.exe", "i686-w64-mingw32", TCpuMode::cm32, "_"}));

}  // namespace
}  // namespace palvetta
