#include "skin/skin_binding.h"

void ApplySkin(int) {}

void ReleaseSkinEngine() {}
