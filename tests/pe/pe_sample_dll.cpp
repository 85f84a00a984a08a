// A tiny DLL built with mingw-w64 whose export table the image readers are checked
// against: named exports, an export without a name and a forwarder (pe_sample_dll.def).
// It needs no run time, so it stays a few kilobytes.

#include <windows.h>

extern "C" {

__declspec(dllexport) int SampleAdd(int a, int b) { return a + b; }
int SampleHidden() { return 7; }
int SampleNamed() { return GetCurrentProcessId() != 0 ? 1 : 0; }

BOOL WINAPI SampleEntry(HINSTANCE, DWORD, void*) { return TRUE; }
}
