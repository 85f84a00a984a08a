#pragma once
// Wine's dbghelp as the reference the symbol maps and stack traces are compared with:
// loaded at run time (the test programs carry no import of it), asked for the function
// and line of an address, and walking a thread's stack.

#include <windows.h>
// dbghelp.h needs windows.h first.
#include <dbghelp.h>

#include <cstdint>

namespace palvetta {

struct TDbgHelpAnswer {
  bool Named = false;
  DWORD64 FunctionStart = 0;  // the address less its displacement in the symbol
  bool HasLine = false;
  int32_t Line = 0;
};

class TDbgHelpReference {
 public:
  // Loads dbghelp.dll and resolves every function used here; false when one is missing.
  bool Load();
  // A session with line numbers in which this program's module is its DWARF twin (the
  // same link, so the same addresses). With invadeProcess the session is the process
  // itself and holds every module of it; else session may be a made-up handle that
  // nothing else in the process sees.
  bool Start(HANDLE session, const wchar_t* twin, bool invadeProcess) const;
  void Stop(HANDLE session) const;
  // The function holding the address and, when there is one, its line.
  TDbgHelpAnswer Lookup(HANDLE session, DWORD64 address) const;

  decltype(&StackWalk64) Walk = nullptr;
  decltype(&SymFunctionTableAccess64) FunctionTableAccess = nullptr;
  decltype(&SymGetModuleBase64) ModuleBase = nullptr;

 private:
  decltype(&SymInitializeW) FInitialize = nullptr;
  decltype(&SymSetOptions) FSetOptions = nullptr;
  decltype(&SymLoadModuleExW) FLoadModule = nullptr;
  decltype(&SymUnloadModule64) FUnloadModule = nullptr;
  decltype(&SymCleanup) FCleanup = nullptr;
  decltype(&SymFromAddr) FFromAddr = nullptr;
  decltype(&SymGetLineFromAddr64) FLineFromAddr = nullptr;
};

}  // namespace palvetta
