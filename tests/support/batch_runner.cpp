#include "support/batch_runner.h"

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <iterator>
#include <set>
#include <cwchar>
#include <stdexcept>
#include <string_view>

#include "base/file_io.h"
#include "base/win/wide.h"
#include "support/batch_safety.h"

namespace palvetta::e2e {
namespace {

using Clock = std::chrono::steady_clock;

// How long the output is still read after cmd.exe ended: long enough for what is in
// the pipe, short enough that a process outside our reach holding the pipe open cannot
// stall a test.
constexpr auto kDrainTime = std::chrono::seconds(5);
constexpr UINT kKilledExitCode = 0xE2E0DEAD;

class THandle {
 public:
  THandle() = default;
  explicit THandle(HANDLE handle) : FHandle(handle == INVALID_HANDLE_VALUE ? nullptr : handle) {}
  THandle(THandle&& other) noexcept : FHandle(other.FHandle) { other.FHandle = nullptr; }
  THandle& operator=(THandle&& other) noexcept {
    if (this != &other) {
      Reset();
      FHandle = other.FHandle;
      other.FHandle = nullptr;
    }
    return *this;
  }
  ~THandle() { Reset(); }
  HANDLE Get() const { return FHandle; }
  explicit operator bool() const { return FHandle != nullptr; }
  void Reset() {
    if (FHandle) CloseHandle(FHandle);
    FHandle = nullptr;
  }

 private:
  HANDLE FHandle = nullptr;
};

[[noreturn]] void Fail(const std::string& what) {
  throw std::runtime_error(what + " (Windows error " + std::to_string(GetLastError()) + ")");
}

SECURITY_ATTRIBUTES Inheritable() {
  SECURITY_ATTRIBUTES attributes{};
  attributes.nLength = sizeof(attributes);
  attributes.bInheritHandle = TRUE;
  return attributes;
}

std::wstring CmdExe() {
  wchar_t folder[MAX_PATH];
  const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) Fail("Cannot find the system folder");
  return std::wstring(folder, length) + L"\\cmd.exe";
}

// cmd.exe splits a batch file's arguments at blanks, tabs, commas, semicolons and
// equal signs, and reads & | < > ( ) ^ as syntax unless they stand inside quotes.
std::wstring QuoteArgument(const std::string& argument) {
  if (argument.find_first_of("\"%") != std::string::npos) {
    throw std::invalid_argument("A batch argument cannot hold \" or % through cmd /c: " + argument);
  }
  const bool needsQuotes =
      argument.empty() || argument.find_first_of(" \t,;=&|<>()^") != std::string::npos;
  const std::wstring wide = Widen(argument);
  return needsQuotes ? L"\"" + wide + L"\"" : wide;
}

// A pipe whose reading end allows overlapped reads, so that one thread can wait for
// output, the process and the time limit at once. Anonymous pipes cannot do that.
void MakeOutputPipe(THandle& readEnd, THandle& writeEnd) {
  static std::atomic<unsigned> counter{0};
  const std::wstring name = L"\\\\.\\pipe\\palvetta-e2e-" + std::to_wstring(GetCurrentProcessId()) +
                            L"-" + std::to_wstring(counter++) + L"-" +
                            std::to_wstring(GetTickCount64());
  readEnd = THandle(CreateNamedPipeW(
      name.c_str(), PIPE_ACCESS_INBOUND | FILE_FLAG_OVERLAPPED | FILE_FLAG_FIRST_PIPE_INSTANCE,
      PIPE_TYPE_BYTE | PIPE_READMODE_BYTE | PIPE_WAIT, 1, 65536, 65536, 0, nullptr));
  if (!readEnd) Fail("Cannot create the output pipe");
  SECURITY_ATTRIBUTES inheritable = Inheritable();
  writeEnd = THandle(CreateFileW(name.c_str(), GENERIC_WRITE, 0, &inheritable, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!writeEnd) Fail("Cannot open the output pipe");
}

// Standard input: a temporary answer file that disappears with its last handle, or NUL.
THandle MakeInput(bool useAnswerFile, const std::string& answers) {
  SECURITY_ATTRIBUTES inheritable = Inheritable();
  if (!useAnswerFile) {
    THandle nul(CreateFileW(L"NUL", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, &inheritable,
                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!nul) Fail("Cannot open NUL");
    return nul;
  }
  wchar_t folder[MAX_PATH];
  wchar_t name[MAX_PATH];
  if (GetTempPathW(MAX_PATH, folder) == 0 || GetTempFileNameW(folder, L"ans", 0, name) == 0) {
    Fail("Cannot name an answer file");
  }
  THandle file(CreateFileW(name, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_DELETE,
                          &inheritable, CREATE_ALWAYS,
                          FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr));
  if (!file) Fail("Cannot create the answer file");
  DWORD written = 0;
  if (!answers.empty() && (!WriteFile(file.Get(), answers.data(),
                                      static_cast<DWORD>(answers.size()), &written, nullptr) ||
                           written != answers.size())) {
    Fail("Cannot write the answer file");
  }
  // The child shares this handle and so its position: it must start reading at the top.
  if (SetFilePointer(file.Get(), 0, nullptr, FILE_BEGIN) == INVALID_SET_FILE_POINTER) {
    Fail("Cannot rewind the answer file");
  }
  return file;
}

// This process's environment with the folders in front of PATH, as a block for
// CreateProcessW.
std::wstring EnvironmentWithPath(const std::vector<std::filesystem::path>& prepend) {
  std::wstring front;
  for (const auto& folder : prepend) front += folder.wstring() + L";";
  std::wstring block;
  bool hadPath = false;
  wchar_t* strings = GetEnvironmentStringsW();
  if (strings == nullptr) Fail("Cannot read the environment");
  for (const wchar_t* entry = strings; *entry; entry += std::wcslen(entry) + 1) {
    std::wstring text = entry;
    if (_wcsnicmp(text.c_str(), L"PATH=", 5) == 0) {
      text.insert(5, front);
      hadPath = true;
    }
    block += text;
    block += L'\0';
  }
  FreeEnvironmentStringsW(strings);
  if (!hadPath) {
    if (!front.empty()) front.pop_back();
    block += L"PATH=" + front;
    block += L'\0';
  }
  block += L'\0';
  return block;
}

// A job holds cmd.exe and everything it starts, so that one call ends them all. Where
// the job cannot be had, only cmd.exe itself is ended.
class TProcessTree {
 public:
  TProcessTree() : FJob(CreateJobObjectW(nullptr, nullptr)) {
    if (!FJob) return;
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
    limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
    if (!SetInformationJobObject(FJob.Get(), JobObjectExtendedLimitInformation, &limits,
                                 sizeof(limits))) {
      FJob.Reset();
    }
  }

  void Adopt(HANDLE process) {
    FProcess = process;
    if (FJob && !AssignProcessToJobObject(FJob.Get(), process)) FJob.Reset();
  }

  void Kill() {
    if (FJob) TerminateJobObject(FJob.Get(), kKilledExitCode);
    if (FProcess) TerminateProcess(FProcess, kKilledExitCode);
    WaitUntilEmpty();
  }

  // Ends what cmd.exe left running once it has ended itself.
  void KillLeftovers() {
    if (!FJob) return;
    TerminateJobObject(FJob.Get(), kKilledExitCode);
    WaitUntilEmpty();
  }

 private:
  // Termination only starts the end of a process: wait until none holds a file of the
  // test's folder any more, so that the test can check and remove them.
  void WaitUntilEmpty() {
    if (!FJob) return;
    const auto giveUp = Clock::now() + std::chrono::seconds(10);
    JOBOBJECT_BASIC_ACCOUNTING_INFORMATION accounting{};
    while (QueryInformationJobObject(FJob.Get(), JobObjectBasicAccountingInformation, &accounting,
                                     sizeof(accounting), nullptr) &&
           accounting.ActiveProcesses > 0 && Clock::now() < giveUp) {
      Sleep(10);
    }
  }

  THandle FJob;
  HANDLE FProcess = nullptr;
};

DWORD MillisecondsUntil(Clock::time_point deadline) {
  const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
  return left.count() <= 0 ? 0 : static_cast<DWORD>(left.count());
}

std::string DecodeOutput(const std::string& bytes, unsigned codePage) {
  if (bytes.empty()) return {};
  const UINT cp = codePage == 0 ? GetOEMCP() : codePage;
  const int size =
      MultiByteToWideChar(cp, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
  std::wstring wide(static_cast<size_t>(size), L'\0');
  MultiByteToWideChar(cp, 0, bytes.data(), static_cast<int>(bytes.size()), wide.data(), size);
  return Narrow(wide);
}

}  // namespace

std::wstring TBatchRunner::CommandAfterSlashC(const std::filesystem::path& batchFile) const {
  const std::wstring batch = std::filesystem::absolute(batchFile).wstring();
  if (batch.find_first_of(L"\"%") != std::wstring::npos) {
    throw std::invalid_argument("A batch file path cannot hold \" or % through cmd /c");
  }
  std::wstring line = L"\"\"" + batch + L"\"";
  for (const auto& argument : Arguments) line += L" " + QuoteArgument(argument);
  return line + L"\"";
}

bool TBatchRunner::Stubbed(std::string_view command) const {
  for (const auto& folder : PathPrepend) {
    for (const wchar_t* extension : {L".exe", L".com", L".bat", L".cmd"}) {
      std::error_code missing;
      if (std::filesystem::exists(folder / (Widen(command) + extension), missing)) return true;
    }
  }
  return false;
}

TBatchResult TBatchRunner::Run(const std::filesystem::path& batchFile) const {
  const std::set<std::string> commands = CommandWords(ReadFileBytes(batchFile));
  bool mayAsk = false;
  for (const std::string& command : commands) {
    const auto named = [&](std::string_view listed) { return listed == command; };
    if (std::any_of(std::begin(kDangerousCommands), std::end(kDangerousCommands), named) &&
        !Stubbed(command)) {
      throw TRefusedBatch("Refusing to run " + PathToUtf8(batchFile) + ": it would call " +
                          command + ". Put a stand-in named " + command +
                          ".exe in a PathPrepend folder.");
    }
    mayAsk = mayAsk ||
             (std::any_of(std::begin(kPromptingCommands), std::end(kPromptingCommands), named) &&
              !Stubbed(command));
  }
  std::string defaultAnswers;
  if (mayAsk && !UseAnswerFile) {
    for (int i = 0; i < 64; ++i) defaultAnswers += "N\r\n";
  }
  const bool useAnswerFile = UseAnswerFile || !defaultAnswers.empty();
  const std::string& answers = UseAnswerFile ? Answers : defaultAnswers;

  const std::wstring cmdExe = CmdExe();
  std::wstring commandLine = L"\"" + cmdExe + L"\" /d /c " + CommandAfterSlashC(batchFile);
  std::wstring environment = EnvironmentWithPath(PathPrepend);
  const std::filesystem::path workingDirectory =
      WorkingDirectory.empty() ? std::filesystem::absolute(batchFile).parent_path()
                               : WorkingDirectory;

  THandle readEnd;
  THandle writeEnd;
  MakeOutputPipe(readEnd, writeEnd);
  THandle input = MakeInput(useAnswerFile, answers);

  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = input.Get();
  startup.hStdOutput = writeEnd.Get();
  startup.hStdError = writeEnd.Get();
  PROCESS_INFORMATION info{};
  // Suspended until it is in the job, so that nothing it starts escapes the job.
  if (!CreateProcessW(cmdExe.c_str(), commandLine.data(), nullptr, nullptr, TRUE,
                      CREATE_UNICODE_ENVIRONMENT | CREATE_SUSPENDED | CREATE_NO_WINDOW,
                      environment.data(), workingDirectory.c_str(), &startup, &info)) {
    Fail("Cannot start cmd.exe");
  }
  THandle process(info.hProcess);
  THandle thread(info.hThread);
  TProcessTree tree;
  tree.Adopt(process.Get());
  ResumeThread(thread.Get());
  // Only the child may hold the writing end now, or the pipe would never report its end.
  writeEnd.Reset();
  input.Reset();

  TBatchResult result;
  std::string bytes;
  std::vector<char> buffer(65536);
  THandle event(CreateEventW(nullptr, TRUE, FALSE, nullptr));
  if (!event) {
    tree.Kill();
    Fail("Cannot create an event");
  }
  OVERLAPPED overlapped{};
  overlapped.hEvent = event.Get();

  auto take = [&](DWORD count) {
    const size_t room = bytes.size() < OutputLimit ? OutputLimit - bytes.size() : 0;
    if (count > room) result.Truncated = true;
    bytes.append(buffer.data(), count < room ? count : room);
  };

  Clock::time_point deadline = Clock::now() + TimeLimit;
  bool processEnded = false;
  bool pipeEnded = false;
  bool pending = false;
  while (!pipeEnded) {
    if (!pending) {
      if (ReadFile(readEnd.Get(), buffer.data(), static_cast<DWORD>(buffer.size()), nullptr,
                   &overlapped) ||
          GetLastError() == ERROR_IO_PENDING) {
        pending = true;  // the event tells when it is done, also when it was done at once
      } else {
        pipeEnded = true;  // ERROR_BROKEN_PIPE: every writer has closed its end
        break;
      }
    }
    const HANDLE waits[2] = {event.Get(), process.Get()};
    const DWORD woke =
        WaitForMultipleObjects(processEnded ? 1 : 2, waits, FALSE, MillisecondsUntil(deadline));
    if (woke == WAIT_OBJECT_0) {
      pending = false;
      DWORD count = 0;
      if (GetOverlappedResult(readEnd.Get(), &overlapped, &count, FALSE)) {
        take(count);
      } else {
        pipeEnded = true;
      }
    } else if (woke == WAIT_OBJECT_0 + 1) {
      processEnded = true;
      tree.KillLeftovers();
      deadline = Clock::now() + kDrainTime;
    } else if (woke == WAIT_TIMEOUT && !processEnded) {
      result.TimedOut = true;
      tree.Kill();
      WaitForSingleObject(process.Get(), 10000);
      processEnded = true;
      deadline = Clock::now() + kDrainTime;
    } else {
      // The drain time ran out (a process we cannot end still holds the pipe) or the
      // wait failed: give up on the rest of the output.
      break;
    }
  }
  if (pending) {
    CancelIoEx(readEnd.Get(), &overlapped);
    DWORD ignored = 0;
    GetOverlappedResult(readEnd.Get(), &overlapped, &ignored, TRUE);
  }
  if (!processEnded &&
      WaitForSingleObject(process.Get(), MillisecondsUntil(deadline)) == WAIT_TIMEOUT) {
    result.TimedOut = true;
    tree.Kill();
    WaitForSingleObject(process.Get(), 10000);
  }

  DWORD exitCode = 0;
  GetExitCodeProcess(process.Get(), &exitCode);
  result.ExitCode = exitCode;
  result.Output = DecodeOutput(bytes, OutputCodePage);
  return result;
}

std::vector<std::string> SplitOutput(const std::string& text) {
  std::vector<std::string> lines;
  std::string line;
  for (char c : text) {
    if (c == '\n') {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      lines.push_back(line);
      line.clear();
    } else {
      line += c;
    }
  }
  if (!line.empty()) lines.push_back(line);
  return lines;
}

}  // namespace palvetta::e2e
