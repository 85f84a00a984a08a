#include "crash/symbols/win/pdb_map.h"

#include <windows.h>
// dbghelp.h needs windows.h first.
#include <dbghelp.h>

#include <algorithm>
#include <vector>

#include "base/utf.h"
#include "base/win/kernel_handles.h"

namespace palvetta {

namespace {

// Where the database is loaded; the records' addresses count from here.
constexpr DWORD64 kLoadBase = 0x80000000;
// The symbol tags of code: functions (5) and public symbols (10).
constexpr ULONG kCodeSymbolTags[] = {5, 10};

using TSymInitializeW = BOOL(WINAPI*)(HANDLE, PCWSTR, BOOL);
using TSymCleanup = BOOL(WINAPI*)(HANDLE);
using TSymSetOptions = DWORD(WINAPI*)(DWORD);
using TSymLoadModuleExW = DWORD64(WINAPI*)(HANDLE, HANDLE, PCWSTR, PCWSTR, DWORD64, DWORD, PMODLOAD_DATA, DWORD);
using TSymUnloadModule64 = BOOL(WINAPI*)(HANDLE, DWORD64);
using TSymGetModuleInfoW64 = BOOL(WINAPI*)(HANDLE, DWORD64, PIMAGEHLP_MODULEW64);
using TSymEnumSymbolsW = BOOL(WINAPI*)(HANDLE, ULONG64, PCWSTR, PSYM_ENUMERATESYMBOLS_CALLBACKW, PVOID);
// The ANSI line enumeration: Wine's wide one is a stub that aborts.
using TSymEnumLines = BOOL(WINAPI*)(HANDLE, ULONG64, PCSTR, PCSTR, PSYM_ENUMLINES_CALLBACK, PVOID);

struct TDbgHelp {
  TSymInitializeW Initialize = nullptr;
  TSymCleanup Cleanup = nullptr;
  TSymSetOptions SetOptions = nullptr;
  TSymLoadModuleExW LoadModule = nullptr;
  TSymUnloadModule64 UnloadModule = nullptr;
  TSymGetModuleInfoW64 GetModuleInfo = nullptr;
  TSymEnumSymbolsW EnumSymbols = nullptr;
  TSymEnumLines EnumLines = nullptr;
  bool Complete() const {
    return Initialize && Cleanup && SetOptions && LoadModule && UnloadModule && GetModuleInfo && EnumSymbols &&
           EnumLines;
  }
};

template <typename T>
void Resolve(HMODULE library, const char* name, T& function) {
  function = reinterpret_cast<T>(reinterpret_cast<void*>(GetProcAddress(library, name)));
}

std::wstring FolderOf(const std::wstring& fileName) {
  const size_t slash = fileName.find_last_of(L"\\/");
  return slash == std::wstring::npos ? std::wstring() : fileName.substr(0, slash + 1);
}

std::wstring OwnModuleFolder() {
  HMODULE own = nullptr;
  if (!GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                          reinterpret_cast<LPCWSTR>(&OwnModuleFolder), &own)) {
    return {};
  }
  wchar_t name[MAX_PATH] = {};
  const DWORD length = GetModuleFileNameW(own, name, MAX_PATH);
  return length == 0 || length >= MAX_PATH ? std::wstring() : FolderOf(std::wstring(name, length));
}

std::wstring SystemFolder() {
  wchar_t name[MAX_PATH] = {};
  const UINT length = GetSystemDirectoryW(name, MAX_PATH);
  return length == 0 || length >= MAX_PATH ? std::wstring() : std::wstring(name, length) + L"\\";
}

// The library beside the reporter's own module, else the system's; never one found on the
// search path, where anybody may have planted a file of that name.
HMODULE LoadDbgHelpLibrary() {
  for (const std::wstring& folder : {OwnModuleFolder(), SystemFolder()}) {
    if (folder.empty()) continue;
    const std::wstring path = folder + L"dbghelp.dll";
    if (GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES) continue;
    if (HMODULE library = LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH)) return library;
  }
  return nullptr;
}

const TDbgHelp& DbgHelp() {
  static const TDbgHelp functions = [] {
    TDbgHelp result;
    HMODULE library = LoadDbgHelpLibrary();
    if (!library) return result;
    Resolve(library, "SymInitializeW", result.Initialize);
    Resolve(library, "SymCleanup", result.Cleanup);
    Resolve(library, "SymSetOptions", result.SetOptions);
    Resolve(library, "SymLoadModuleExW", result.LoadModule);
    Resolve(library, "SymUnloadModule64", result.UnloadModule);
    Resolve(library, "SymGetModuleInfoW64", result.GetModuleInfo);
    Resolve(library, "SymEnumSymbolsW", result.EnumSymbols);
    Resolve(library, "SymEnumLines", result.EnumLines);
    return result;
  }();
  return functions;
}

std::string FileNameWithoutFolder(const char* path) {
  const std::string text = path ? path : "";
  const size_t slash = text.find_last_of("\\/");
  return slash == std::string::npos ? text : text.substr(slash + 1);
}

struct TSegmentStart {
  uintptr_t Address = 0;
  std::string Unit;
};

struct TReadState {
  TMapFile* Map = nullptr;
  uintptr_t ModuleBase = 0;
  std::vector<TSegmentStart> Segments;
  // Publics wait for the segments, which they are named against.
  std::vector<std::pair<std::string, uintptr_t>> Publics;
  // The previous line record: a record of another file, or one that goes back, starts a
  // new segment.
  bool HaveLast = false;
  std::string LastFile;
  PVOID LastKey = nullptr;
  DWORD64 LastAddress = 0;
  DWORD LastLine = 0;

  uintptr_t Absolute(DWORD64 loadedAddress) const {
    return ModuleBase + static_cast<uintptr_t>(loadedAddress - kLoadBase);
  }
};

void AddLineRecord(TReadState& state, const char* fileName, PVOID key, DWORD64 address, DWORD line) {
  if (address < kLoadBase) return;
  const std::string file = fileName ? fileName : "";
  if (!state.HaveLast || file != state.LastFile || key < state.LastKey || address < state.LastAddress ||
      line < state.LastLine) {
    state.Segments.push_back({state.Absolute(address), FileNameWithoutFolder(fileName)});
  }
  state.HaveLast = true;
  state.LastFile = file;
  state.LastKey = key;
  state.LastAddress = address;
  state.LastLine = line;
  state.Map->AddLine(static_cast<int32_t>(line), state.Absolute(address), false);
}

BOOL CALLBACK OnLine(PSRCCODEINFO record, PVOID context) {
  AddLineRecord(*static_cast<TReadState*>(context), record->FileName, record->Key, record->Address,
                record->LineNumber);
  return TRUE;
}

BOOL CALLBACK OnSymbol(PSYMBOL_INFOW symbol, ULONG, PVOID context) {
  auto& state = *static_cast<TReadState*>(context);
  const bool code = std::find(std::begin(kCodeSymbolTags), std::end(kCodeSymbolTags), symbol->Tag) !=
                    std::end(kCodeSymbolTags);
  if (!code || symbol->Address < kLoadBase) return TRUE;
  std::u16string name(reinterpret_cast<const char16_t*>(symbol->Name), symbol->NameLen);
  state.Publics.emplace_back(Utf16ToUtf8(name), state.Absolute(symbol->Address));
  return TRUE;
}

// Segments from the line records' starts: each reaches to the next one, the last to the
// top of code.
void AddSegments(TReadState& state) {
  auto& starts = state.Segments;
  std::stable_sort(starts.begin(), starts.end(),
                   [](const TSegmentStart& a, const TSegmentStart& b) { return a.Address < b.Address; });
  const uintptr_t top = state.Map->Ranges().TopOfCode;
  for (size_t i = 0; i < starts.size(); ++i) {
    const uintptr_t end = i + 1 < starts.size() ? starts[i + 1].Address : std::max(top, starts[i].Address + 1);
    if (end <= starts[i].Address) continue;
    state.Map->AddSegment(true, false, true, false, starts[i].Unit, static_cast<uint32_t>(end - starts[i].Address),
                          starts[i].Address);
  }
  state.Map->SortSegments();
  state.Map->CompactSegments(false);
}

// Keeps the library's session for one process handle and unloads and cleans up after it.
class TDbgHelpSession {
 public:
  explicit TDbgHelpSession(const TDbgHelp& functions) : FFunctions(functions) {
    const UINT oldMode = SetErrorMode(SEM_FAILCRITICALERRORS);
    FInitialized = FFunctions.Initialize(GetCurrentProcess(), nullptr, FALSE) != FALSE;
    SetErrorMode(oldMode);
  }
  ~TDbgHelpSession() {
    if (FLoadedBase) FFunctions.UnloadModule(GetCurrentProcess(), FLoadedBase);
    if (FInitialized) FFunctions.Cleanup(GetCurrentProcess());
  }
  TDbgHelpSession(const TDbgHelpSession&) = delete;
  TDbgHelpSession& operator=(const TDbgHelpSession&) = delete;

  bool Load(const std::u16string& fileName) {
    if (!FInitialized) return false;
    const DWORD64 base = FFunctions.LoadModule(GetCurrentProcess(), nullptr,
                                               reinterpret_cast<PCWSTR>(fileName.c_str()), nullptr, kLoadBase, 0,
                                               nullptr, 0);
    if (base != 0) FLoadedBase = base;
    return base == kLoadBase;
  }

 private:
  const TDbgHelp& FFunctions;
  bool FInitialized = false;
  DWORD64 FLoadedBase = 0;
};

}  // namespace

bool ReadProgramDatabase(const std::u16string& fileName, TMapFile& map) {
  const TDbgHelp& functions = DbgHelp();
  if (!functions.Complete()) return false;
  // The library is not thread-safe, and other processes of ours may use it too.
  TScopedKernelHandle mutex(CreateMutexW(nullptr, FALSE, L"StackwardDbgHelp"));
  if (!mutex) return false;
  const DWORD waited = WaitForSingleObject(mutex.Get(), INFINITE);
  if (waited != WAIT_OBJECT_0 && waited != WAIT_ABANDONED) return false;
  bool read = false;
  {
    functions.SetOptions(SYMOPT_LOAD_LINES | SYMOPT_FAIL_CRITICAL_ERRORS);
    TDbgHelpSession session(functions);
    IMAGEHLP_MODULEW64 info{};
    info.SizeOfStruct = sizeof(info);
    if (session.Load(fileName) && functions.GetModuleInfo(GetCurrentProcess(), kLoadBase, &info) &&
        info.SymType == SymPdb) {
      TMapFile filled(map.CodeOnly());
      filled.SetRanges(map.Ranges());
      filled.SetModuleFileName(map.ModuleFileName());
      filled.SetEntryPoint(map.EntryPoint());
      TReadState state;
      state.Map = &filled;
      state.ModuleBase = map.Ranges().HInstance;
      functions.EnumSymbols(GetCurrentProcess(), kLoadBase, L"*", &OnSymbol, &state);
      functions.EnumLines(GetCurrentProcess(), kLoadBase, nullptr, nullptr, &OnLine, &state);
      AddSegments(state);
      for (auto& [name, address] : state.Publics) filled.AddPublic(true, std::move(name), address);
      filled.SortPublics();
      filled.SortLines();
      filled.SetValid(true);
      map = std::move(filled);
      read = true;
    }
  }
  ReleaseMutex(mutex.Get());
  return read;
}

}  // namespace palvetta
