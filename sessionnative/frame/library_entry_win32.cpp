// Library entry: nothing to set up when the library is loaded; every export initialises what it
// needs on first use.
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) { return TRUE; }
