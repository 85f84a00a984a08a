#include "gui/win/ui_seams.h"

#include <commdlg.h>
#include <shellapi.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <stdexcept>

#include "base/text.h"
#include "base/win/wide.h"
#include "base/win/window_handles.h"

namespace palvetta {
namespace {

class TWin32MessageBox : public TMessageBoxSeam {
 public:
  int Show(HWND owner, std::string_view text, std::string_view caption, UINT flags) override {
    return MessageBoxW(owner, Widen(text).c_str(), Widen(caption).c_str(), flags);
  }
};

TWin32MessageBox RealMessageBox;
TMessageBoxSeam* Current = &RealMessageBox;

}  // namespace

TMessageBoxSeam& MessageBoxes() { return *Current; }

int ShowMessageBox(HWND owner, std::string_view text, std::string_view caption, UINT flags) {
  return Current->Show(owner, text, caption, flags);
}

TScopedMessageBoxSeam::TScopedMessageBoxSeam(TMessageBoxSeam& replacement) : FPrevious(Current) {
  Current = &replacement;
}

TScopedMessageBoxSeam::~TScopedMessageBoxSeam() { Current = FPrevious; }

// ---- File and folder pickers ----

std::wstring FilterToWin32(std::string_view filter) {
  if (filter.empty()) return {};
  std::vector<std::string_view> fields;
  for (std::size_t start = 0;;) {
    const std::size_t bar = filter.find('|', start);
    fields.push_back(filter.substr(start, bar == std::string_view::npos ? bar : bar - start));
    if (bar == std::string_view::npos) break;
    start = bar + 1;
  }
  if (fields.size() % 2 != 0)
    throw std::invalid_argument("A filter needs description|pattern pairs: " + std::string(filter));
  std::wstring result;
  for (const std::string_view field : fields) {
    if (field.empty()) throw std::invalid_argument("Empty field in filter: " + std::string(filter));
    result += Widen(field);
    result += L'\0';
  }
  result += L'\0';
  return result;
}

namespace {

std::wstring WithoutLeadingDot(std::string_view extension) {
  if (!extension.empty() && extension.front() == '.') extension.remove_prefix(1);
  return Widen(extension);
}

// What the open and save dialogs share: the owner, filter, title and flags, and the
// buffer the dialog writes the chosen path (or paths) into. The texts it points to live
// as long as the request.
struct TFileDialogRequest {
  std::wstring Buffer;
  std::wstring Filter;
  std::wstring Title;
  std::wstring Extension;
  OPENFILENAMEW Ofn = {};

  TFileDialogRequest(const TFileDialogArgs& args, size_t bufferSize, DWORD flags)
      : Buffer(bufferSize, L'\0'),
        Filter(FilterToWin32(args.Filter)),
        Title(Widen(args.Title)),
        Extension(WithoutLeadingDot(args.DefaultExt)) {
    Ofn.lStructSize = sizeof(Ofn);
    Ofn.hwndOwner = args.Owner;
    Ofn.lpstrFilter = Filter.empty() ? nullptr : Filter.c_str();
    Ofn.nFilterIndex = 1;
    Ofn.lpstrFile = Buffer.data();
    Ofn.nMaxFile = static_cast<DWORD>(Buffer.size());
    Ofn.lpstrTitle = Title.empty() ? nullptr : Title.c_str();
    Ofn.lpstrDefExt = Extension.empty() ? nullptr : Extension.c_str();
    Ofn.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR | flags;
  }
  TFileDialogRequest(const TFileDialogRequest&) = delete;
  TFileDialogRequest& operator=(const TFileDialogRequest&) = delete;
};

// The chosen path; long paths fit.
std::optional<std::string> RunFileDialog(const TFileDialogArgs& args, bool save) {
  TFileDialogRequest request(
      args, 32768,
      save ? (args.OverwritePrompt ? OFN_OVERWRITEPROMPT : 0) : OFN_FILEMUSTEXIST);
  const std::wstring initial = Widen(args.InitialName);
  if (initial.size() < request.Buffer.size()) request.Buffer.replace(0, initial.size(), initial);
  const BOOL chosen = save ? GetSaveFileNameW(&request.Ofn) : GetOpenFileNameW(&request.Ofn);
  if (!chosen) return std::nullopt;
  return Narrow(request.Buffer.c_str());
}

// Several files: the buffer holds the folder and then each name, separated by NULs and
// ended by two; a single choice is the full path alone.
std::optional<TStrings> RunSeveralFilesDialog(const TFileDialogArgs& args) {
  TFileDialogRequest request(args, 65536, OFN_FILEMUSTEXIST | OFN_ALLOWMULTISELECT);
  if (!GetOpenFileNameW(&request.Ofn)) return std::nullopt;
  const std::wstring& buffer = request.Buffer;
  std::vector<std::wstring> parts;
  for (const wchar_t* part = buffer.c_str(); *part; part += wcslen(part) + 1) parts.emplace_back(part);
  TStrings files;
  if (parts.size() == 1) {
    files.push_back(Narrow(parts[0]));
  } else {
    std::wstring folder = parts.empty() ? std::wstring() : parts[0];
    if (!folder.empty() && folder.back() != L'\\') folder += L'\\';
    for (size_t i = 1; i < parts.size(); ++i) files.push_back(Narrow(folder + parts[i]));
  }
  return files;
}

// A folder the user typed, as the shell can parse it: trimmed, without the quotes a
// pasted path may carry, and only when it exists (a browser told to start at a missing
// folder would start nowhere useful).
std::string StartFolder(std::string_view typed) {
  std::string folder = ReplaceAll(Trim(typed), "\"", "");
  if (folder.empty()) return {};
  const DWORD attributes = GetFileAttributesW(Widen(folder).c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY)) return {};
  return folder;
}

// The folder dialog of Vista and later; nothing when it cannot be created (then the
// caller falls back to the older browser); available says whether it could be created.
std::optional<std::string> ModernFolderDialog(HWND owner, std::string_view title,
                                              const std::wstring& initial, bool& available) {
  available = false;
  const HRESULT init = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
  const bool uninitialize = SUCCEEDED(init);
  std::optional<std::string> result;
  IFileOpenDialog* dialog = nullptr;
  if (SUCCEEDED(CoCreateInstance(CLSID_FileOpenDialog, nullptr, CLSCTX_INPROC_SERVER,
                                 IID_IFileOpenDialog, reinterpret_cast<void**>(&dialog)))) {
    available = true;
    FILEOPENDIALOGOPTIONS options = 0;
    dialog->GetOptions(&options);
    dialog->SetOptions(options | FOS_PICKFOLDERS | FOS_FORCEFILESYSTEM | FOS_PATHMUSTEXIST);
    if (!title.empty()) dialog->SetTitle(Widen(title).c_str());
    IShellItem* start = nullptr;
    if (!initial.empty() && SUCCEEDED(SHCreateItemFromParsingName(initial.c_str(), nullptr,
                                                                   IID_IShellItem,
                                                                   reinterpret_cast<void**>(&start)))) {
      dialog->SetFolder(start);
      start->Release();
    }
    if (SUCCEEDED(dialog->Show(owner))) {
      IShellItem* item = nullptr;
      if (SUCCEEDED(dialog->GetResult(&item))) {
        TScopedCoTaskMem<wchar_t> path;
        if (SUCCEEDED(item->GetDisplayName(SIGDN_FILESYSPATH, path.Receive()))) {
          result = Narrow(path.Get());
        }
        item->Release();
      }
    }
    dialog->Release();
  }
  if (uninitialize) CoUninitialize();
  return result;
}

// The old browser selects its start folder only once it is up.
int CALLBACK SelectStartFolder(HWND window, UINT message, LPARAM, LPARAM folder) {
  if (message == BFFM_INITIALIZED && folder) SendMessageW(window, BFFM_SETSELECTIONW, TRUE, folder);
  return 0;
}

std::optional<std::string> OldFolderDialog(HWND owner, std::string_view title,
                                           const std::wstring& initial) {
  const std::wstring wideTitle = Widen(title);
  BROWSEINFOW info = {};
  info.hwndOwner = owner;
  info.lpszTitle = wideTitle.c_str();
  info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE;
  info.lpfn = SelectStartFolder;
  info.lParam = initial.empty() ? 0 : reinterpret_cast<LPARAM>(initial.c_str());
  const TScopedCoTaskMem<ITEMIDLIST> list(SHBrowseForFolderW(&info));
  if (!list) return std::nullopt;
  std::wstring path(MAX_PATH, L'\0');
  if (!SHGetPathFromIDListW(list.Get(), path.data())) return std::nullopt;
  return Narrow(path.c_str());
}

std::optional<std::string> ComputerDialog(HWND owner, std::string_view title) {
  ITEMIDLIST* network = nullptr;
  if (FAILED(SHGetSpecialFolderLocation(owner, CSIDL_NETWORK, &network))) return std::nullopt;
  const TScopedCoTaskMem<ITEMIDLIST> root(network);
  const std::wstring wideTitle = Widen(title);
  std::wstring name(MAX_PATH, L'\0');
  BROWSEINFOW info = {};
  info.hwndOwner = owner;
  info.pidlRoot = root.Get();
  info.pszDisplayName = name.data();
  info.lpszTitle = wideTitle.c_str();
  info.ulFlags = BIF_BROWSEFORCOMPUTER;
  const TScopedCoTaskMem<ITEMIDLIST> list(SHBrowseForFolderW(&info));
  if (!list || name[0] == L'\0') return std::nullopt;
  return Narrow(name.c_str());
}

class TWin32FilePickers : public TFilePickerSeam {
 public:
  std::optional<std::string> Open(const TFileDialogArgs& args) override {
    return RunFileDialog(args, false);
  }
  std::optional<TStrings> OpenSeveral(const TFileDialogArgs& args) override {
    return RunSeveralFilesDialog(args);
  }
  std::optional<std::string> Save(const TFileDialogArgs& args) override {
    return RunFileDialog(args, true);
  }
  std::optional<std::string> Folder(HWND owner, std::string_view title,
                                    std::string_view initialFolder) override {
    const std::wstring initial = Widen(StartFolder(initialFolder));
    bool available = false;
    std::optional<std::string> path = ModernFolderDialog(owner, title, initial, available);
    if (!available) path = OldFolderDialog(owner, title, initial);
    return path;
  }
  std::optional<std::string> Computer(HWND owner, std::string_view title) override {
    return ComputerDialog(owner, title);
  }
};

TWin32FilePickers RealFilePickers;
TFilePickerSeam* CurrentPickers = &RealFilePickers;

}  // namespace

TFilePickerSeam& FilePickers() { return *CurrentPickers; }
std::optional<std::string> PickFileToOpen(const TFileDialogArgs& args) {
  return CurrentPickers->Open(args);
}
std::optional<TStrings> PickFilesToOpen(const TFileDialogArgs& args) {
  return CurrentPickers->OpenSeveral(args);
}
std::optional<std::string> PickFileToSave(const TFileDialogArgs& args) {
  return CurrentPickers->Save(args);
}
std::optional<std::string> PickFolder(HWND owner, std::string_view title,
                                      std::string_view initialFolder) {
  return CurrentPickers->Folder(owner, title, initialFolder);
}
std::optional<std::string> PickComputer(HWND owner, std::string_view title) {
  return CurrentPickers->Computer(owner, title);
}

TScopedFilePickerSeam::TScopedFilePickerSeam(TFilePickerSeam& replacement)
    : FPrevious(CurrentPickers) {
  CurrentPickers = &replacement;
}

TScopedFilePickerSeam::~TScopedFilePickerSeam() { CurrentPickers = FPrevious; }

// ---- Shell execution and help ----

namespace {

// Help is optional: loading hhctrl.ocx only when asked keeps the program running (and
// linking) on systems without it.
using THtmlHelpW = HWND(WINAPI*)(HWND, LPCWSTR, UINT, DWORD_PTR);
constexpr UINT kHhDisplayTopic = 0x0000;
constexpr UINT kHhHelpContext = 0x000F;

THtmlHelpW HtmlHelpFunction() {
  // Never unloaded: the help viewer keeps threads of the library running.
  static const THtmlHelpW function = [] {
    HMODULE library = LoadLibraryW(L"hhctrl.ocx");
    return library ? reinterpret_cast<THtmlHelpW>(
                         reinterpret_cast<void*>(GetProcAddress(library, "HtmlHelpW")))
                   : nullptr;
  }();
  return function;
}

class TWin32Shell : public TShellSeam {
 public:
  bool Execute(HWND owner, std::string_view target) override {
    const HINSTANCE result =
        ShellExecuteW(owner, L"open", Widen(target).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    // ShellExecuteW reports success as a value above 32.
    return reinterpret_cast<INT_PTR>(result) > 32;
  }
  bool Help(HWND owner, std::string_view helpFile, unsigned contextId) override {
    const THtmlHelpW htmlHelp = HtmlHelpFunction();
    if (!htmlHelp) return false;
    const std::wstring file = Widen(helpFile);
    const HWND viewer = contextId == 0
                            ? htmlHelp(owner, file.c_str(), kHhDisplayTopic, 0)
                            : htmlHelp(owner, file.c_str(), kHhHelpContext, contextId);
    return viewer != nullptr;
  }
};

TWin32Shell RealShell;
TShellSeam* CurrentShell = &RealShell;

}  // namespace

TShellSeam& Shell() { return *CurrentShell; }
bool ShellOpen(HWND owner, std::string_view target) { return CurrentShell->Execute(owner, target); }
bool ShowHelp(HWND owner, std::string_view helpFile, unsigned contextId) {
  return CurrentShell->Help(owner, helpFile, contextId);
}

TScopedShellSeam::TScopedShellSeam(TShellSeam& replacement) : FPrevious(CurrentShell) {
  CurrentShell = &replacement;
}

TScopedShellSeam::~TScopedShellSeam() { CurrentShell = FPrevious; }

// ---- Recorders ----

std::optional<std::string> TFilePickerRecorder::Answer(TPickerCall call) {
  Calls.push_back(std::move(call));
  if (Answers.empty()) return std::nullopt;
  std::optional<std::string> answer = std::move(Answers.front());
  Answers.pop_front();
  return answer;
}

std::optional<std::string> TFilePickerRecorder::Open(const TFileDialogArgs& args) {
  return Answer({TPickerKind::pkOpen, args});
}

std::optional<TStrings> TFilePickerRecorder::OpenSeveral(const TFileDialogArgs& args) {
  const std::optional<std::string> answer = Answer({TPickerKind::pkOpenSeveral, args});
  if (!answer) return std::nullopt;
  return SplitLines(*answer);
}

std::optional<std::string> TFilePickerRecorder::Save(const TFileDialogArgs& args) {
  return Answer({TPickerKind::pkSave, args});
}

std::optional<std::string> TFilePickerRecorder::Folder(HWND owner, std::string_view title,
                                                       std::string_view initialFolder) {
  TFileDialogArgs args;
  args.Owner = owner;
  args.Title = std::string(title);
  args.InitialName = std::string(initialFolder);
  return Answer({TPickerKind::pkFolder, std::move(args)});
}

std::optional<std::string> TFilePickerRecorder::Computer(HWND owner, std::string_view title) {
  TFileDialogArgs args;
  args.Owner = owner;
  args.Title = std::string(title);
  return Answer({TPickerKind::pkComputer, std::move(args)});
}

bool TShellRecorder::Result(TShellCall call) {
  Calls.push_back(std::move(call));
  if (Results.empty()) return true;
  const bool result = Results.front();
  Results.pop_front();
  return result;
}

bool TShellRecorder::Execute(HWND owner, std::string_view target) {
  return Result({TShellCallKind::skExecute, owner, std::string(target), 0});
}

bool TShellRecorder::Help(HWND owner, std::string_view helpFile, unsigned contextId) {
  return Result({TShellCallKind::skHelp, owner, std::string(helpFile), contextId});
}

}  // namespace palvetta
