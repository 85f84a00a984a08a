// load_timer PROJECT OUT.bat [RUNS]
// Does what batchgen does, step by step, and times each step apart: reading the file,
// loading it (parsing and making the items), making the batch text, writing the batch
// file, freeing the project. Prints the fastest of RUNS runs (default 3) of each step as
// one line "read_ms=... load_ms=... generate_ms=... write_ms=... free_ms=...", so that
// the time spent loading is not mixed up with the rest (scripts/bench_load.sh).

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <memory>
#include <string>
#include <vector>

#include "base/file_io.h"
#include "items/item_families.h"
#include "model/batch_generator.h"
#include "model/project.h"
#include "model/project_reader_writer.h"

#ifdef _WIN32
#include "base/win/wide.h"
#endif

namespace {

using TClock = std::chrono::steady_clock;

struct TStep {
  const char* Name;
  double Fastest = 1e300;  // milliseconds
};

int Run(const std::vector<std::string>& args) {
  using namespace palvetta;
  const int runs = args.size() == 3 ? std::atoi(args[2].c_str()) : 3;
  if (args.size() < 2 || args.size() > 3 || runs < 1) {
    std::fputs("usage: load_timer PROJECT OUT.bat [RUNS]\n", stderr);
    return 1;
  }
  try {
    TClassRegistry classes;
    RegisterItemFamilies(classes);
    TStep steps[] = {{"read"}, {"load"}, {"generate"}, {"write"}, {"free"}};
    for (int run = 0; run < runs; ++run) {
      TClock::time_point start = TClock::now();
      // Ends the step under way and starts the next.
      const auto lap = [&](TStep& step) {
        const TClock::time_point now = TClock::now();
        step.Fastest = std::min(step.Fastest, std::chrono::duration<double, std::milli>(now - start).count());
        start = now;
      };
      const std::string bytes = ReadFileBytes(PathFromUtf8(args[0]));
      lap(steps[0]);
      auto project = std::make_unique<TProject>();
      TProjectReaderWriter reader(classes);
      reader.Project = project.get();
      reader.LoadFromBytes(bytes);
      lap(steps[1]);
      TBatchGenerator maker;
      maker.Project = project.get();
      maker.MakeBatchFile();
      lap(steps[2]);
      WriteFileReplacing(PathFromUtf8(args[1]), maker.CreatedFiles().Items(0).Stream);
      lap(steps[3]);
      project.reset();
      lap(steps[4]);
    }
    for (const TStep& step : steps) std::printf("%s_ms=%.1f ", step.Name, step.Fastest);
    std::printf("\n");
    return 0;
  } catch (const std::exception& error) {
    std::fprintf(stderr, "%s\n", error.what());
    return 1;
  }
}

}  // namespace

#ifdef _WIN32
int wmain(int argc, wchar_t** argv) {
  std::vector<std::string> args;
  for (int i = 1; i < argc; ++i) args.push_back(palvetta::Narrow(argv[i]));
  return Run(args);
}
#else
int main(int argc, char** argv) { return Run(std::vector<std::string>(argv + 1, argv + argc)); }
#endif
