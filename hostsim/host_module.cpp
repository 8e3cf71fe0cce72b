// Spindle3D.DLL and Railwise.DLL of the simulated host: fixed-base modules whose address range
// the host and the plugin address relative to their preferred bases.
#include <windows.h>

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) { return TRUE; }
