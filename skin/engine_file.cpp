#include "skin/engine_file.h"
void EnsureSkinEngineFile() {}
