// bench_project_writer ITEMS OUT.kwj
// Writes the benchmarks' project of that many items as a project file that every build
// of the program loads (its commands are items that run a program), for timing the
// loading of large projects (scripts/bench_load.sh).

#include <charconv>
#include <cstdio>
#include <exception>
#include <string_view>

#include "bench_project.h"
#include "items/item_families.h"
#include "model/project_reader_writer.h"

int main(int argc, char** argv) {
  using namespace palvetta;
  int items = 0;
  const std::string_view count = argc == 3 ? argv[1] : "";
  if (std::from_chars(count.data(), count.data() + count.size(), items).ec != std::errc() || items < 1) {
    std::fputs("usage: bench_project_writer ITEMS OUT.kwj\n", stderr);
    return 1;
  }
  try {
    TClassRegistry classes;
    RegisterItemFamilies(classes);
    const auto project = testing::MakeBenchProject(items, testing::TBenchCommands::bcRunProgram);
    TProjectReaderWriter writer(classes);
    writer.Project = project.get();
    writer.FileName = argv[2];
    writer.SaveToFile();
    return 0;
  } catch (const std::exception& error) {
    std::fprintf(stderr, "%s\n", error.what());
    return 1;
  }
}
