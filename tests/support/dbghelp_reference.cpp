#include "support/dbghelp_reference.h"

namespace palvetta {
namespace {

template <typename T>
void Resolve(HMODULE library, const char* name, T& function) {
  function = reinterpret_cast<T>(reinterpret_cast<void*>(GetProcAddress(library, name)));
}

}  // namespace

bool TDbgHelpReference::Load() {
  const HMODULE library = LoadLibraryW(L"dbghelp.dll");
  if (library == nullptr) return false;
  Resolve(library, "SymInitializeW", FInitialize);
  Resolve(library, "SymSetOptions", FSetOptions);
  Resolve(library, "SymLoadModuleExW", FLoadModule);
  Resolve(library, "SymUnloadModule64", FUnloadModule);
  Resolve(library, "SymCleanup", FCleanup);
  Resolve(library, "SymFromAddr", FFromAddr);
  Resolve(library, "SymGetLineFromAddr64", FLineFromAddr);
  Resolve(library, "StackWalk64", Walk);
  Resolve(library, "SymFunctionTableAccess64", FunctionTableAccess);
  Resolve(library, "SymGetModuleBase64", ModuleBase);
  return FInitialize && FSetOptions && FLoadModule && FUnloadModule && FCleanup && FFromAddr && FLineFromAddr &&
         Walk && FunctionTableAccess && ModuleBase;
}

bool TDbgHelpReference::Start(HANDLE session, const wchar_t* twin, bool invadeProcess) const {
  const auto base = reinterpret_cast<DWORD64>(GetModuleHandleW(nullptr));
  FSetOptions(SYMOPT_LOAD_LINES);
  if (!FInitialize(session, nullptr, invadeProcess)) return false;
  if (invadeProcess && !FUnloadModule(session, base)) return false;
  return FLoadModule(session, nullptr, twin, nullptr, base, 0, nullptr, 0) == base;
}

void TDbgHelpReference::Stop(HANDLE session) const { FCleanup(session); }

TDbgHelpAnswer TDbgHelpReference::Lookup(HANDLE session, DWORD64 address) const {
  TDbgHelpAnswer answer;
  alignas(SYMBOL_INFO) char buffer[sizeof(SYMBOL_INFO) + 512] = {};
  auto* symbol = reinterpret_cast<SYMBOL_INFO*>(buffer);
  symbol->SizeOfStruct = sizeof(SYMBOL_INFO);
  symbol->MaxNameLen = 512;
  DWORD64 displacement = 0;
  answer.Named = FFromAddr(session, address, &displacement, symbol);
  if (!answer.Named) return answer;
  answer.FunctionStart = address - displacement;
  IMAGEHLP_LINE64 line{};
  line.SizeOfStruct = sizeof(line);
  DWORD lineDisplacement = 0;
  answer.HasLine = FLineFromAddr(session, address, &lineDisplacement, &line);
  if (answer.HasLine) answer.Line = static_cast<int32_t>(line.LineNumber);
  return answer;
}

}  // namespace palvetta
