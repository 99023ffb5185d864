// The skin engine's file beside the executable.
#pragma once

void EnsureSkinEngineFile();
