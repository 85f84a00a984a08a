#pragma once
// Runs a batch file the way a user's double click does, through "cmd.exe /c", and
// collects what it printed. Made for tests: every run ends within the time limit, a
// batch file that prints without end cannot exhaust memory, and one that waits for
// input reads from a file instead of hanging.

#include <chrono>
#include <cstddef>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace palvetta::e2e {

// A batch file the runner will not run: it would call a command that a test must not
// run for real (see batch_safety.h).
class TRefusedBatch : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct TBatchResult {
  unsigned long ExitCode = 0;  // cmd.exe's exit code; meaningless when TimedOut
  std::string Output;          // standard output and error as they interleaved, in UTF-8
  bool TimedOut = false;       // the time limit ran out and the processes were killed
  bool Truncated = false;      // the output went past OutputLimit and the rest was dropped
};

class TBatchRunner {
 public:
  // Arguments of the batch file, in UTF-8. One with a blank or one of & | < > ( ) ^ ,
  // ; = is quoted, an empty one becomes "", so that each arrives as one %n. One holding
  // a double quote or a percent sign cannot be passed unchanged through "cmd /c" and is
  // refused with std::invalid_argument.
  std::vector<std::string> Arguments;
  // Folders put in front of PATH, first one first.
  std::vector<std::filesystem::path> PathPrepend;
  // The batch file's working folder; empty: the folder of the batch file.
  std::filesystem::path WorkingDirectory;
  // Standard input: the text is written to an answer file that the batch file reads.
  // Without one, input is the NUL device, so every read sees the end of input at once.
  // Wine's SET /P takes the rest of such a file, not one line: one answer per run there.
  bool UseAnswerFile = false;
  std::string Answers;
  std::chrono::milliseconds TimeLimit{30000};
  std::size_t OutputLimit = 1 << 20;  // bytes kept of the output
  // The code page the output is decoded from; 0: the OEM code page, the output code
  // page of the console that cmd.exe gets, in which it writes into the pipe.
  unsigned OutputCodePage = 0;

  // The safety rules (batch_safety.h), read off the batch file itself: a batch file
  // that would call FORMAT, CONVERT, CHKDSK, SHUTDOWN or TASKKILL is refused with
  // TRefusedBatch unless a stand-in of that name (.exe, .com, .bat or .cmd) is in one of
  // the PathPrepend folders; one that would call a command that may ask a question
  // (PAUSE, COPY, XCOPY, COMP, ...) not stubbed so, run without an answer file, gets one
  // that answers "N" (no: keep, do not delete, do not go on) to every question.
  // Raises std::runtime_error when cmd.exe cannot be started.
  TBatchResult Run(const std::filesystem::path& batchFile) const;
  // Whether a PathPrepend folder holds a stand-in of the command's name.
  bool Stubbed(std::string_view command) const;

  // The command line after "cmd.exe /d /c": the batch file and the arguments, quoted,
  // wrapped in one more pair of quotes, which cmd.exe strips before it reads the rest.
  std::wstring CommandAfterSlashC(const std::filesystem::path& batchFile) const;
};

// The lines of a run's output, each without its line break (LF or CR LF); a last line
// without one counts too.
std::vector<std::string> SplitOutput(const std::string& text);

}  // namespace palvetta::e2e
