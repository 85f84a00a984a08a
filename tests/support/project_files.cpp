#include "support/project_files.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "base/file_io.h"
#include "items/item_families.h"
#include "model/batch_generator.h"
#include "model/project_reader_writer.h"
#include "support/test_items.h"

namespace palvetta::testing {

void ExpectGoldenFileAt(const std::filesystem::path& file, const std::string& bytes) {
  const char* update = std::getenv("PALVETTA_UPDATE_GOLDEN");
  if (update && std::string(update) == "1") {
    WriteFileReplacing(file, bytes);
    return;
  }
  EXPECT_EQ(ReadFileBytes(file), bytes) << PathToUtf8(file);
}

void ExpectGoldenItemFileAt(const std::filesystem::path& file, TProject& project, const TClass& cls) {
  ExpectGoldenFileAt(file, SaveProject(project));
  TProject loaded;
  TProjectReaderWriter reader(TestClasses());
  reader.Project = &loaded;
  const std::string golden = ReadFileBytes(file);
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
  TBatchGenerator maker;
  maker.Project = &project;
  maker.MakeBatchFile();
  return maker.CreatedFiles().Items(0).Stream;
}

}  // namespace palvetta::testing
