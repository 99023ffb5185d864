#include "skin/engine_file.h"

// Written once the engine image exists.
void EnsureSkinEngineFile() {}
