// load_timer PROJECT OUT.bat
// Does what batchgen does, step by step, and times each step apart: reading the file,
// loading it (parsing and making the items), making the batch text, writing the batch
// file, freeing the project. Prints one line "read_ms=... load_ms=... generate_ms=...
// write_ms=... free_ms=...", so that the time spent loading is not mixed up with the
// rest (scripts/bench_load.sh). One run per process, as the program opens a file once:
// a second run would find the heap grown already.

#include <chrono>
#include <cstdio>
#include <exception>
#include <memory>
#include <string>
#include <utility>
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


int Run(const std::vector<std::string>& args) {
  using namespace palvetta;
  if (args.size() != 2) {
    std::fputs("usage: load_timer PROJECT OUT.bat\n", stderr);
    return 1;
  }
  try {
    TClassRegistry classes;
    RegisterItemFamilies(classes);
    // Printed at the end: the first output of a console program can cost more than a
    // step (under Wine), and must not land in one.
    std::vector<std::pair<const char*, double>> steps;
    TClock::time_point start = TClock::now();
    const auto lap = [&](const char* step) {
      const TClock::time_point now = TClock::now();
      steps.emplace_back(step, std::chrono::duration<double, std::milli>(now - start).count());
      start = now;
    };
    const std::string bytes = ReadFileBytes(PathFromUtf8(args[0]));
    lap("read");
    auto project = std::make_unique<TProject>();
    TProjectReaderWriter reader(classes);
    reader.Project = project.get();
    reader.LoadFromBytes(bytes);
    lap("load");
    TBatchGenerator maker;
    maker.Project = project.get();
    maker.MakeBatchFile();
    lap("generate");
    WriteFileReplacing(PathFromUtf8(args[1]), maker.CreatedFiles().Items(0).Stream);
    lap("write");
    project.reset();
    lap("free");
    for (const auto& [step, ms] : steps) std::printf("%s_ms=%.1f ", step, ms);
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
