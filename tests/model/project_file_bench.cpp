// Loading and saving project files, beside expat parsing the same bytes in the same run:
// loading (parse, build the tree, create and fill the items) should stay within three
// times expat's bare parse. The files: a project of 10,000 items (argument 0), and a
// subroutine with 10,000 and 30,000 parameters, whose list must load in time linear in
// its length.

#include <benchmark/benchmark.h>
#include <expat.h>

#include <map>
#include <string>

#include "bench_project.h"
#include "items/control_of_flow/control_of_flow_items.h"
#include "items/item_families.h"
#include "model/project_reader_writer.h"
#include "support/bench_main.h"
#include "support/test_items.h"

namespace palvetta {
namespace {

constexpr int kItems = 10000;

const TClassRegistry& Classes() {
  static const TClassRegistry classes = [] {
    TClassRegistry registry;
    RegisterItemFamilies(registry);
    registry.Register(testing::TTestCommandItem::Class);
    return registry;
  }();
  return classes;
}

std::unique_ptr<TProject> MakeListProject(int parameters) {
  auto project = std::make_unique<TProject>();
  auto& sub = project->Add<TSubroutineItem>();
  sub.Name = "CopyAll";
  for (int i = 0; i < parameters; ++i) {
    TRunParam& param = sub.RunParams.Add();
    param.Param = "Folder" + std::to_string(i);
    param.Descr = "Folder number " + std::to_string(i) + " to copy";
    param.ParamCheck = i % 2 ? TParamCheck::pcPathMustExist : TParamCheck::pcRequired;
  }
  project->Add<TSubroutineEndItem>();
  return project;
}

// The file of the benchmark's argument: 0 the project of many items, else the subroutine
// with that many parameters.
const std::string& FileBytes(int64_t argument) {
  static std::map<int64_t, std::string> files;
  std::string& bytes = files[argument];
  if (bytes.empty()) {
    auto project = argument == 0 ? testing::MakeBenchProject(kItems)
                                 : MakeListProject(static_cast<int>(argument));
    TProjectReaderWriter writer(Classes());
    writer.Project = project.get();
    bytes = writer.SaveToBytes();
  }
  return bytes;
}

void Finish(benchmark::State& state) {
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * FileBytes(state.range(0)).size()));
  const int64_t entries = state.range(0) == 0 ? kItems : state.range(0);
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * entries);
}

void BM_LoadProjectFile(benchmark::State& state) {
  const std::string& bytes = FileBytes(state.range(0));
  for (auto _ : state) {
    TProject project;
    TProjectReaderWriter reader(Classes());
    reader.Project = &project;
    reader.LoadFromBytes(bytes);
    benchmark::DoNotOptimize(project.Count());
  }
  Finish(state);
}

void BM_SaveProjectFile(benchmark::State& state) {
  TProject project;
  TProjectReaderWriter files(Classes());
  files.Project = &project;
  files.LoadFromBytes(FileBytes(state.range(0)));
  for (auto _ : state) benchmark::DoNotOptimize(files.SaveToBytes());
  Finish(state);
}

// The reference: expat parsing the same bytes with handlers that only count, so that the
// whole document is tokenised, entities decoded and text delivered.
void BM_ExpatParse(benchmark::State& state) {
  struct Counts {
    long elements = 0;
    long textBytes = 0;
  };
  const std::string& bytes = FileBytes(state.range(0));
  for (auto _ : state) {
    Counts counts;
    // The file is pure ASCII; expat has no table of its own for the prolog's Windows-1252.
    XML_Parser parser = XML_ParserCreate("ISO-8859-1");
    XML_SetUserData(parser, &counts);
    XML_SetStartElementHandler(parser, [](void* data, const XML_Char*, const XML_Char**) {
      ++static_cast<Counts*>(data)->elements;
    });
    XML_SetCharacterDataHandler(parser, [](void* data, const XML_Char*, int length) {
      static_cast<Counts*>(data)->textBytes += length;
    });
    if (XML_Parse(parser, bytes.data(), static_cast<int>(bytes.size()), 1) != XML_STATUS_OK) {
      state.SkipWithError(XML_ErrorString(XML_GetErrorCode(parser)));
    }
    XML_ParserFree(parser);
    benchmark::DoNotOptimize(counts.elements);
  }
  Finish(state);
}

// Argument 0: the project of 10,000 items; otherwise: the subroutine with that many
// parameters.
void Files(benchmark::internal::Benchmark* benchmark) {
  benchmark->ArgName("list")->Arg(0)->Arg(10000)->Arg(30000)->Unit(benchmark::kMillisecond);
}

BENCHMARK(BM_ExpatParse)->Apply(Files);
BENCHMARK(BM_LoadProjectFile)->Apply(Files);
BENCHMARK(BM_SaveProjectFile)->Apply(Files);

}  // namespace
}  // namespace palvetta

int main(int argc, char** argv) { return palvetta::testing::RunBenchmarks(argc, argv); }
