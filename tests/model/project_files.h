#pragma once
// Golden project files kept in tests/model/project_files. With the environment variable
// PALVETTA_UPDATE_GOLDEN=1 the tests write what they produce instead of comparing, for
// a reviewed change of the format.

#include <filesystem>
#include <string>

#include "model/class_info.h"
#include "model/project.h"

namespace palvetta::testing {

std::filesystem::path ProjectFile(const std::string& name);
// Compares the bytes with the golden file, or rewrites it when asked to.
void ExpectGoldenFile(const std::string& name, const std::string& bytes);
// A project of one item of the class as a golden file, which must load back into one
// item of that class and save again to the same bytes.
void ExpectGoldenItemFile(const std::string& name, TProject& project, const TClass& cls);
// Every item family and the test item classes.
const TClassRegistry& TestClasses();

// The project as a project file, written with TestClasses().
std::string SaveProject(TProject& project);
// The bytes of the project's batch file, generated in memory.
std::string GenerateBatch(TProject& project);

}  // namespace palvetta::testing
