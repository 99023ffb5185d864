#include "skin/skin_binding.h"

// Nothing is drawn by an engine yet: the program keeps the platform's look until the engine and
// its binding are built.
void ApplySkin(int) {}

void ReleaseSkinEngine() {}
