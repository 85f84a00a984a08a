#include "project_files.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "items/item_families.h"
#include "model/batch_generator.h"
#include "model/file_io.h"
#include "model/project_reader_writer.h"
#include "test_items.h"

namespace palvetta::testing {

std::filesystem::path ProjectFile(const std::string& name) {
  return PathFromUtf8(std::string(PALVETTA_PROJECT_FILES) + "/" + name);
}

void ExpectGoldenFile(const std::string& name, const std::string& bytes) {
  const char* update = std::getenv("PALVETTA_UPDATE_GOLDEN");
  if (update && std::string(update) == "1") {
    WriteFileReplacing(ProjectFile(name), bytes);
    return;
  }
  EXPECT_EQ(ReadFileBytes(ProjectFile(name)), bytes) << name;
}

void ExpectGoldenItemFile(const std::string& name, TProject& project, const TClass& cls) {
  ExpectGoldenFile(name, SaveProject(project));
  TProject loaded;
  TProjectReaderWriter reader(TestClasses());
  reader.Project = &loaded;
  const std::string golden = ReadFileBytes(ProjectFile(name));
  reader.LoadFromBytes(golden);
  ASSERT_EQ(loaded.Count(), 1);
  EXPECT_EQ(&loaded.Items(0).ClassType(), &cls);
  EXPECT_EQ(SaveProject(loaded), golden);
}

const TClassRegistry& TestClasses() {
  static const TClassRegistry classes = [] {
    TClassRegistry registry;
    RegisterItemFamilies(registry);
    for (const TClass* cls : {&TTestCommandItem::Class, &TAllKindsItem::Class, &TFailingItem::Class}) {
      registry.Register(*cls);
    }
    return registry;
  }();
  return classes;
}

std::string SaveProject(TProject& project) {
  TProjectReaderWriter writer(TestClasses());
  writer.Project = &project;
  return writer.SaveToBytes();
}

std::string GenerateBatch(TProject& project) {
  TRuvurUzudIravo maker;
  maker.Project = &project;
  maker.MakeBatchFile();
  return maker.CreatedFiles().Items(0).Stream;
}

}  // namespace palvetta::testing
