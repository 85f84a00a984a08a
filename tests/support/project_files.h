#pragma once
// Golden project files, kept in the folder that the test program names with
// PALVETTA_PROJECT_FILES. With the environment variable PALVETTA_UPDATE_GOLDEN=1 the
// tests write what they produce instead of comparing, for a reviewed change of the
// format.

#include <filesystem>
#include <string>

#include "base/file_io.h"
#include "model/class_info.h"
#include "model/project.h"

namespace palvetta::testing {

// Compares the bytes with the golden file, or rewrites it when asked to.
void ExpectGoldenFileAt(const std::filesystem::path& file, const std::string& bytes);
// A project of one item of the class as a golden file, which must load back into one
// item of that class and save again to the same bytes.
void ExpectGoldenItemFileAt(const std::filesystem::path& file, TProject& project, const TClass& cls);

#ifdef PALVETTA_PROJECT_FILES
// The golden file of the name in the test program's folder.
inline std::filesystem::path ProjectFile(const std::string& name) {
  return PathFromUtf8(std::string(PALVETTA_PROJECT_FILES) + "/" + name);
}
inline void ExpectGoldenFile(const std::string& name, const std::string& bytes) {
  ExpectGoldenFileAt(ProjectFile(name), bytes);
}
inline void ExpectGoldenItemFile(const std::string& name, TProject& project, const TClass& cls) {
  ExpectGoldenItemFileAt(ProjectFile(name), project, cls);
}
#endif
// Every item family and the test item classes.
const TClassRegistry& TestClasses();

// The project as a project file, written with TestClasses().
std::string SaveProject(TProject& project);
// The bytes of the project's batch file, generated in memory.
std::string GenerateBatch(TProject& project);

}  // namespace palvetta::testing
