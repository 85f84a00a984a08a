#include "e2e_support.h"

#include "base/win/program.h"
#include "items/control_of_flow/control_of_flow_items.h"
#include "model/batch_generator.h"
#include "support/project_files.h"

namespace palvetta::e2e {

fs::path ExeFolder() { return fs::path(ProgramPath()).parent_path(); }

fs::path ArgEcho() { return ExeFolder() / L"argecho.exe"; }
fs::path FindStandIn() { return ExeFolder() / L"find_stand_in.exe"; }

std::string DescribeRun(const std::vector<std::string>& arguments, const TBatchResult& result) {
  std::string shown;
  for (const auto& argument : arguments) shown += " [" + argument + "]";
  return "--- run with" + (shown.empty() ? std::string(" no arguments") : shown) +
         ": exit code " + std::to_string(result.ExitCode) +
         (result.TimedOut ? ", timed out" : "") + "\n" + result.Output;
}

fs::path ProjectFile(const std::string& name) {
  return fs::path(Widen(PALVETTA_E2E_PROJECTS)) / Widen(name);
}

bool UnderWine() {
  const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
  return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

ProgramRun RunProgram(const fs::path& program, const std::vector<fs::path>& arguments,
                      const fs::path& outputFile) {
  std::wstring commandLine = L"\"" + program.wstring() + L"\"";
  for (const auto& argument : arguments) commandLine += L" \"" + argument.wstring() + L"\"";
  SECURITY_ATTRIBUTES inheritable{};
  inheritable.nLength = sizeof inheritable;
  inheritable.bInheritHandle = TRUE;
  const HANDLE output = CreateFileW(outputFile.c_str(), GENERIC_WRITE,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE, &inheritable,
                                    CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (output == INVALID_HANDLE_VALUE) throw std::runtime_error("cannot create the output file");
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = nullptr;
  startup.hStdOutput = output;
  startup.hStdError = output;
  PROCESS_INFORMATION process{};
  const BOOL started = CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, TRUE,
                                      CREATE_NO_WINDOW, nullptr, nullptr, &startup, &process);
  CloseHandle(output);
  if (!started) throw std::runtime_error("cannot start " + PathToUtf8(program));
  ProgramRun run;
  if (WaitForSingleObject(process.hProcess, 60000) != WAIT_OBJECT_0) {
    TerminateProcess(process.hProcess, 1);
    WaitForSingleObject(process.hProcess, INFINITE);
    run.TimedOut = true;
  }
  DWORD code = 0;
  GetExitCodeProcess(process.hProcess, &code);
  run.ExitCode = code;
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  run.Output = ReadFileBytes(outputFile);
  return run;
}

TBatchResult GeneratedBatch::Run(const std::vector<std::string>& arguments) {
  TBatchGenerator maker;
  maker.Project = &Project;
  maker.MakeBatchFile(PathToUtf8(BatchFile()));
  Runner.Arguments = arguments;
  const TBatchResult result = Runner.Run(BatchFile());
  Log += DescribeRun(arguments, result);
  return result;
}

TBatchResult GeneratedBatch::RunThroughBatchgen() {
  const fs::path project = Temp.Path() / L"project.kwj";
  WriteFileReplacing(project, testing::SaveProject(Project));
  const ProgramRun made = RunProgram(fs::path(Widen(PALVETTA_BATCHGEN)), {project, BatchFile()},
                                     Temp.Path() / L"batchgen output.txt");
  Log += "--- batchgen: exit code " + std::to_string(made.ExitCode) +
         (made.TimedOut ? ", timed out" : "") + "\n" + made.Output;
  EXPECT_FALSE(made.TimedOut);
  EXPECT_EQ(made.ExitCode, 0u);
  EXPECT_TRUE(fs::exists(BatchFile()));
  const TBatchResult result = Runner.Run(BatchFile());
  Log += DescribeRun(Runner.Arguments, result);
  EXPECT_FALSE(result.TimedOut);
  return result;
}

void GeneratedBatch::StandIns(std::initializer_list<const wchar_t*> names) {
  const fs::path folder = Temp.Folder(L"stand ins");
  for (const wchar_t* name : names) {
    fs::copy_file(ArgEcho(), folder / (std::wstring(name) + L".exe"),
                  fs::copy_options::overwrite_existing);
  }
  Runner.PathPrepend = {folder};
}

void GeneratedBatch::OpenIfBlock(const std::string& condition) {
  Project.Add<TIfItem>().Condition = condition;
}

void GeneratedBatch::CloseIfBlock() { Project.Add<TIfEndItem>(); }

void GeneratedBatch::TearDown() {
  if (!HasFailure()) return;
  std::error_code missing;
  if (fs::exists(BatchFile(), missing)) {
    std::cout << "--- generated " << PathToUtf8(BatchFile()) << "\n"
              << BatchCodePage().ToUtf8(ReadFileBytes(BatchFile()));
  }
  std::cout << Log << "---\n";
}

}  // namespace palvetta::e2e
