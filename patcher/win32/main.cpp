#include <windows.h>

// Placeholder until the Win32 windows land.
int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) { return 0; }
