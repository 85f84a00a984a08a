// How the cost of generating a batch file in memory grows with the size of the project.

#include <benchmark/benchmark.h>

#include <map>
#include <memory>
#include <string>

#include "bench_project.h"
#include "model/batch_generator.h"
#include "support/bench_main.h"

namespace palvetta {
namespace {

// Each size is built once, outside any timing, however often the benchmark is entered.
TProject& ProjectOfSize(int itemCount) {
  static std::map<int, std::unique_ptr<TProject>> projects;
  auto& slot = projects[itemCount];
  if (!slot) slot = testing::MakeBenchProject(itemCount);
  return *slot;
}

void BM_MakeBatchFileInMemory(benchmark::State& state) {
  const int itemCount = static_cast<int>(state.range(0));
  TProject& project = ProjectOfSize(itemCount);
  TBatchGenerator generator;
  generator.Project = &project;

  // One untimed run proves the mix takes the paths it is meant to measure.
  generator.MakeBatchFile();
  const std::string& first = generator.CreatedFiles().Items(0).Stream;
  for (const char* expected : {"COPY %1\\file_0.txt %2\\file_0.txt", "ECHO Mode is %4, stamp %5",
                               "SET KWJ_PARAM_Source=%1", ":USAGEHINT", "KWJ_DATEORDER=",
                               "> \"C:\\Build Logs\\copy.log\"", ":Sub_0"}) {
    if (first.find(expected) == std::string::npos) {
      state.SkipWithError((std::string("generated text lacks ") + expected).c_str());
      return;
    }
  }
  const size_t bytesPerRun = first.size();

  for (auto _ : state) {
    generator.MakeBatchFile();
    benchmark::DoNotOptimize(generator.CreatedFiles().Items(0).Stream.data());
    benchmark::ClobberMemory();
  }

  state.SetComplexityN(itemCount);
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * itemCount);
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytesPerRun));
  state.counters["out_bytes"] = static_cast<double>(bytesPerRun);
}

BENCHMARK(BM_MakeBatchFileInMemory)
    ->RangeMultiplier(10)
    ->Range(1000, 100000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

}  // namespace
}  // namespace palvetta

int main(int argc, char** argv) { return palvetta::testing::RunBenchmarks(argc, argv); }
