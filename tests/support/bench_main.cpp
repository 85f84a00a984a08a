#include "support/bench_main.h"

#include "support/bench_samples.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace palvetta::testing {
namespace {

constexpr const char* kDefaultOptions[] = {"--benchmark_repetitions=9", "--benchmark_enable_random_interleaving=true"};

struct TSeries {
  std::vector<double> Times;  // CPU time per iteration, in Unit
  std::vector<double> Rates;  // items or bytes per second
  const char* RateName = nullptr;
  benchmark::TimeUnit Unit = benchmark::kNanosecond;
  std::string Error;
  int64_t Family = 0;    // the registration order
  int64_t Instance = 0;
};

struct TSummary {
  double Median = 0, Min = 0, Max = 0;
};

TSummary Summarize(const std::vector<double>& values) {
  TSamples samples;
  for (double value : values) samples.Add(value);
  return {samples.Median(), samples.Min(), samples.Max()};
}

// 1.23G, 456.7M, 89.1k
std::string Scaled(double value) {
  const char* suffix = "";
  for (const char* next : {"k", "M", "G"}) {
    if (value < 1000) break;
    value /= 1000;
    suffix = next;
  }
  char text[32];
  std::snprintf(text, sizeof text, "%.4g%s", value, suffix);
  return text;
}

// Collects the repetitions of each benchmark and prints their medians and ranges at the end.
class TRangeReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      if (run.run_type != Run::RT_Iteration) continue;
      const std::string name = run.benchmark_name();
      if (!FSeries.contains(name)) FOrder.push_back(name);
      TSeries& series = FSeries[name];
      series.Family = run.family_index;
      series.Instance = run.per_family_instance_index;
      if (run.error_occurred) {
        series.Error = run.error_message;
        continue;
      }
      series.Unit = run.time_unit;
      series.Times.push_back(run.GetAdjustedCPUTime());
      for (const char* rate : {"items_per_second", "bytes_per_second"}) {
        if (const auto found = run.counters.find(rate); found != run.counters.end()) {
          series.Rates.push_back(found->second.value);
          series.RateName = rate;
        }
      }
    }
    std::fputc('.', stderr);
  }

  void Finalize() override {
    std::fputc('\n', stderr);
    // In the order the benchmarks were registered, not the random one they ran in.
    std::sort(FOrder.begin(), FOrder.end(), [this](const std::string& a, const std::string& b) {
      const TSeries& x = FSeries[a];
      const TSeries& y = FSeries[b];
      return x.Family != y.Family ? x.Family < y.Family : x.Instance < y.Instance;
    });
    std::printf("%-44s %10s %23s %10s %21s\n", "benchmark (CPU time per iteration, rate)", "median", "range",
                "median", "range");
    for (const std::string& name : FOrder) PrintSeries(name, FSeries[name]);
    PrintRatios();
  }

 private:
  static void PrintSeries(const std::string& name, const TSeries& series) {
    if (!series.Error.empty()) {
      std::printf("%-44s ERROR: %s\n", name.c_str(), series.Error.c_str());
      return;
    }
    const TSummary time = Summarize(series.Times);
    const char* unit = benchmark::GetTimeUnitString(series.Unit);
    char times[80];
    std::snprintf(times, sizeof times, "%8.3f %s  [%8.3f .. %8.3f %s]", time.Median, unit, time.Min, time.Max, unit);
    std::string rates;
    if (series.RateName != nullptr) {
      const TSummary rate = Summarize(series.Rates);
      const char* per = std::string_view(series.RateName) == "bytes_per_second" ? "B/s" : "/s";
      rates = "  " + Scaled(rate.Median) + per + "  [" + Scaled(rate.Min) + " .. " + Scaled(rate.Max) + per + "]";
    }
    std::printf("%-44s %s%s (%zu runs)\n", name.c_str(), times, rates.c_str(), series.Times.size());
  }

  // Ours' speed relative to each other member of its group.
  void PrintRatios() {
    bool header = false;
    for (const std::string& name : FOrder) {
      const size_t slash = name.rfind('/');
      if (slash == std::string::npos || name.compare(slash + 1, 4, "ours") != 0) continue;
      const std::string group = name.substr(0, slash + 1);
      for (const std::string& other : FOrder) {
        if (other == name || other.compare(0, group.size(), group) != 0 ||
            other.find('/', group.size()) != std::string::npos || other.compare(group.size(), 4, "ours") == 0)
          continue;
        const double ratio = Speed(FSeries[name]) / Speed(FSeries[other]);
        if (!header) std::printf("\nours' speed relative to the reference (median against median):\n");
        header = true;
        std::printf("  %-40s %6.2fx %s\n", name.c_str(), ratio, other.c_str());
      }
    }
  }

  static double Speed(const TSeries& series) {
    if (series.RateName != nullptr) return Summarize(series.Rates).Median;
    const double time = Summarize(series.Times).Median;
    return time > 0 ? 1 / time : 0;
  }

  std::map<std::string, TSeries> FSeries;
  std::vector<std::string> FOrder;
};

}  // namespace

int RunBenchmarks(int argc, char** argv) {
  // The defaults first: the command line's own options come later and win.
  std::vector<char*> arguments{argv[0]};
  for (const char* option : kDefaultOptions) arguments.push_back(const_cast<char*>(option));
  bool ownFormat = false;
  for (int i = 1; i < argc; ++i) {
    arguments.push_back(argv[i]);
    ownFormat = ownFormat || std::string_view(argv[i]).starts_with("--benchmark_format");
  }
  int count = static_cast<int>(arguments.size());
  arguments.push_back(nullptr);
  benchmark::Initialize(&count, arguments.data());
  if (benchmark::ReportUnrecognizedArguments(count, arguments.data())) return 1;
  if (ownFormat) {
    benchmark::RunSpecifiedBenchmarks();
  } else {
    TRangeReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
  }
  benchmark::Shutdown();
  return 0;
}

}  // namespace palvetta::testing
