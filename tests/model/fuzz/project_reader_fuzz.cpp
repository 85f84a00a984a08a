// Feeds arbitrary bytes to the project reader. A malformed file must end in an
// exception with a message, never a crash, hang or leak; and whatever loads must save
// and load again to the same bytes.

#include <cstdint>
#include <cstdlib>
#include <exception>
#include <string>
#include <string_view>

#include "items/item_families.h"
#include "model/project.h"
#include "model/project_reader_writer.h"
#include "support/test_items.h"

namespace {

const palvetta::TClassRegistry& Classes() {
  static const palvetta::TClassRegistry classes = [] {
    palvetta::TClassRegistry registry;
    palvetta::RegisterItemFamilies(registry);
    registry.Register(palvetta::testing::TAllKindsItem::Class);
    return registry;
  }();
  return classes;
}

std::string SaveLoaded(std::string_view bytes) {
  palvetta::TProject project;
  palvetta::TProjectReaderWriter files(Classes());
  files.Project = &project;
  files.LoadFromBytes(bytes);
  return files.SaveToBytes();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string saved;
  try {
    saved = SaveLoaded(std::string_view(reinterpret_cast<const char*>(data), size));
  } catch (const std::exception& error) {
    if (std::string_view(error.what()).empty()) std::abort();  // every failure explains itself
    return 0;
  }
  if (SaveLoaded(saved) != saved) std::abort();
  return 0;
}
