// A tiny DLL built by clang and lld with CodeView debug information and a program
// database, for the reading of program databases. It links against nothing, so it has
// its own entry point. Each function reports the line it starts on.

extern "C" int __stdcall PdbProbeEntry(void*, unsigned, void*) { return 1; }

extern "C" __declspec(dllexport) int PdbProbeFirst() { return __LINE__; }

extern "C" __declspec(dllexport) int PdbProbeSecond(int x) { return x > 0 ? __LINE__ : -__LINE__; }
