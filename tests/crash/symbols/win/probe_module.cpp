// A module without a symbol map of its own, for the tests of maps read from a ".swd" file
// beside a module and of modules replaced on disk.

extern "C" __declspec(dllexport) int SymbolProbeExport(int value) { return value * 3 + 1; }
