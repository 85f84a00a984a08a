#pragma once
// The message box, the file and folder pickers, shell execution and help as seams: the
// program reaches them only through these interfaces, and tests put recorders in their
// place so that no real, blocking window of the system ever appears in a test run.

#include <windows.h>

#include <deque>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/text.h"

namespace palvetta {

class TMessageBoxSeam {
 public:
  virtual ~TMessageBoxSeam() = default;
  // Same flags and result as MessageBoxW (MB_OK | MB_ICONWARNING → IDOK, ...).
  virtual int Show(HWND owner, std::string_view text, std::string_view caption, UINT flags) = 0;
};

// The seam in use: the real message box unless a TScopedMessageBoxSeam replaced it.
TMessageBoxSeam& MessageBoxes();
int ShowMessageBox(HWND owner, std::string_view text, std::string_view caption, UINT flags);

// Puts a replacement in place for its lifetime; nests.
class TScopedMessageBoxSeam {
 public:
  explicit TScopedMessageBoxSeam(TMessageBoxSeam& replacement);
  ~TScopedMessageBoxSeam();
  TScopedMessageBoxSeam(const TScopedMessageBoxSeam&) = delete;
  TScopedMessageBoxSeam& operator=(const TScopedMessageBoxSeam&) = delete;

 private:
  TMessageBoxSeam* FPrevious;
};

// ---- File and folder pickers ----

struct TFileDialogArgs {
  HWND Owner = nullptr;
  std::string Title;
  // Description/pattern pairs separated by "|": "Batch files (*.bat)|*.bat|All files|*.*".
  std::string Filter;
  std::string DefaultExt;   // "bat" (a leading dot is ignored); added when the user types none
  std::string InitialName;  // a file name or a full path
  bool OverwritePrompt = true;  // saving: ask before replacing an existing file
};

// "Batch files (*.bat)|*.bat" → L"Batch files (*.bat)\0*.bat\0\0", the form that
// OPENFILENAMEW wants, with the final double NUL inside the string. An empty filter gives
// an empty string; an odd number of fields or an empty field raises std::invalid_argument.
std::wstring FilterToWin32(std::string_view filter);

class TFilePickerSeam {
 public:
  virtual ~TFilePickerSeam() = default;
  // The chosen path, or nothing when the user cancelled.
  virtual std::optional<std::string> Open(const TFileDialogArgs& args) = 0;
  // Several files chosen at once, as full paths; nothing when the user cancelled.
  virtual std::optional<TStrings> OpenSeveral(const TFileDialogArgs& args) = 0;
  virtual std::optional<std::string> Save(const TFileDialogArgs& args) = 0;
  // The browser opens at the initial folder when it names one that exists.
  virtual std::optional<std::string> Folder(HWND owner, std::string_view title,
                                            std::string_view initialFolder) = 0;
  // The system's browser of the network's computers; the chosen computer's name.
  virtual std::optional<std::string> Computer(HWND owner, std::string_view title) = 0;
};

TFilePickerSeam& FilePickers();
std::optional<std::string> PickFileToOpen(const TFileDialogArgs& args);
std::optional<TStrings> PickFilesToOpen(const TFileDialogArgs& args);
std::optional<std::string> PickFileToSave(const TFileDialogArgs& args);
std::optional<std::string> PickFolder(HWND owner, std::string_view title,
                                      std::string_view initialFolder = {});
std::optional<std::string> PickComputer(HWND owner, std::string_view title);

class TScopedFilePickerSeam {
 public:
  explicit TScopedFilePickerSeam(TFilePickerSeam& replacement);
  ~TScopedFilePickerSeam();
  TScopedFilePickerSeam(const TScopedFilePickerSeam&) = delete;
  TScopedFilePickerSeam& operator=(const TScopedFilePickerSeam&) = delete;

 private:
  TFilePickerSeam* FPrevious;
};

// ---- Shell execution and help ----

class TShellSeam {
 public:
  virtual ~TShellSeam() = default;
  // Opens a URL or a file with its associated program; true on success.
  virtual bool Execute(HWND owner, std::string_view target) = 0;
  // Opens a compiled help file at a context id (0: its default topic); true on success.
  virtual bool Help(HWND owner, std::string_view helpFile, unsigned contextId) = 0;
};

TShellSeam& Shell();
bool ShellOpen(HWND owner, std::string_view target);
bool ShowHelp(HWND owner, std::string_view helpFile, unsigned contextId);

class TScopedShellSeam {
 public:
  explicit TScopedShellSeam(TShellSeam& replacement);
  ~TScopedShellSeam();
  TScopedShellSeam(const TScopedShellSeam&) = delete;
  TScopedShellSeam& operator=(const TScopedShellSeam&) = delete;

 private:
  TShellSeam* FPrevious;
};

// ---- Replacements for tests: they record every call and give scripted answers ----

enum class TPickerKind { pkOpen, pkOpenSeveral, pkSave, pkFolder, pkComputer };

struct TPickerCall {
  TPickerKind Kind;
  TFileDialogArgs Args;  // for pkFolder only Owner, Title and InitialName (the folder);
                         // for pkComputer only Owner and Title
};

class TFilePickerRecorder : public TFilePickerSeam {
 public:
  std::optional<std::string> Open(const TFileDialogArgs& args) override;
  std::optional<TStrings> OpenSeveral(const TFileDialogArgs& args) override;
  std::optional<std::string> Save(const TFileDialogArgs& args) override;
  std::optional<std::string> Folder(HWND owner, std::string_view title,
                                    std::string_view initialFolder) override;
  std::optional<std::string> Computer(HWND owner, std::string_view title) override;

  std::vector<TPickerCall> Calls;
  // Consumed one per call, whatever the kind; a call with none left is cancelled. For
  // several files, the answer's lines are the files.
  std::deque<std::optional<std::string>> Answers;

 private:
  std::optional<std::string> Answer(TPickerCall call);
};

enum class TShellCallKind { skExecute, skHelp };

struct TShellCall {
  TShellCallKind Kind;
  HWND Owner;
  std::string Target;  // the URL or file, or the help file
  unsigned ContextId;  // 0 for skExecute
};

class TShellRecorder : public TShellSeam {
 public:
  bool Execute(HWND owner, std::string_view target) override;
  bool Help(HWND owner, std::string_view helpFile, unsigned contextId) override;

  std::vector<TShellCall> Calls;
  // Consumed one per call; a call with none left succeeds.
  std::deque<bool> Results;

 private:
  bool Result(TShellCall call);
};

}  // namespace palvetta
