#pragma once
// Median and range of repeated measures, for the benchmark programs that time their own
// rounds (those that run under Wine, without Google Benchmark).

#include <algorithm>
#include <cstdio>
#include <vector>

namespace palvetta::testing {

class TSamples {
 public:
  void Add(double value) { FValues.push_back(value); }
  bool Empty() const { return FValues.empty(); }
  double Median() const {
    std::vector<double> sorted = FValues;
    std::sort(sorted.begin(), sorted.end());
    const size_t n = sorted.size();
    return n == 0 ? 0 : n % 2 ? sorted[n / 2] : (sorted[n / 2 - 1] + sorted[n / 2]) / 2;
  }
  double Min() const { return FValues.empty() ? 0 : *std::min_element(FValues.begin(), FValues.end()); }
  double Max() const { return FValues.empty() ? 0 : *std::max_element(FValues.begin(), FValues.end()); }
  // "median [min .. max]" with the format of one number, e.g. "%.1f".
  void Print(const char* format) const {
    const auto number = [format](double value) { std::printf(format, value); };
    number(Median());
    std::printf(" [");
    number(Min());
    std::printf(" .. ");
    number(Max());
    std::printf("]");
  }

 private:
  std::vector<double> FValues;
};

}  // namespace palvetta::testing
