#pragma once
// The main program of the Google Benchmark programs: every benchmark repeated (9 times
// unless --benchmark_repetitions says otherwise) with the repetitions of all benchmarks
// interleaved in random order, so that a slow spell of a shared machine hits them alike.
// Unless another format is asked for, one line per benchmark gives the median and range
// of its CPU time per iteration and of its rate, and each group of benchmarks named
// "GROUP/ours..." and "GROUP/other" gets a line with ours' speed relative to each other
// one (median rate over median rate; time when there is no rate).

namespace palvetta::testing {

int RunBenchmarks(int argc, char** argv);

}  // namespace palvetta::testing
