// batchgen PROJECT OUT.bat [--save COPY]
// Loads a project file, writes its batch file and, with --save, saves the loaded project
// again. Exit code 0 on success; on failure 1 and the error message on standard error.
// The end-to-end tests drive the generator through it.

#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include "items/item_families.h"
#include "model/batch_generator.h"
#include "model/project.h"
#include "model/project_reader_writer.h"

#ifdef _WIN32
#include "base/win/wide.h"
#endif

namespace {

int Run(const std::vector<std::string>& args) {
  using namespace palvetta;
  if (!(args.size() == 2 || (args.size() == 4 && args[2] == "--save"))) {
    std::fputs("usage: batchgen PROJECT OUT.bat [--save COPY]\n", stderr);
    return 1;
  }
  try {
    TClassRegistry classes;
    RegisterItemFamilies(classes);
    TProject project;
    TProjectReaderWriter files(classes);
    files.Project = &project;
    files.FileName = args[0];
    files.LoadFromFile();

    TBatchGenerator maker;
    maker.Project = &project;
    maker.MakeBatchFile(args[1]);
    // The file is written all the same; the user learns what became "?".
    if (!maker.LostCharacters().empty()) {
      const std::string message = LostCharactersMessage(maker.LostCharacters(), [&](int position) {
        return "Item " + std::to_string(position) + " (" +
               std::string(project.Items(position - 1).ClassName()) + ")";
      });
      std::fprintf(stderr, "%s\n", message.c_str());
    }

    if (args.size() == 4) {
      files.FileName = args[3];
      files.SaveToFile();
    }
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
