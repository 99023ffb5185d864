// A library that loads but has no SkinH_AttachRes.
#include <windows.h>

extern "C" __declspec(dllexport) int WINAPI SomethingElse(void) { return 0; }
