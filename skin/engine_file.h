// The skin engine's file beside the executable.
#pragma once
#include "resources/resource_data.h"
#include <string>

extern const char SkinEngineFileName[];  // "SkinH_EL.dll"

// The run directory, a backslash and the engine's file name.
std::string SkinEngineFilePath();

// Writes the engine image when nothing of that name is in the run directory; any entry found
// there (a file of any content, a directory) is left as it is.
void EnsureSkinEngineFile();

// Writes `image` to `path` under a temporary name in the same directory first, so that a write
// that fails part-way never leaves a partial file under `path`; an entry that appeared at `path`
// meanwhile is kept. False when nothing was written.
bool WriteWholeFile(const std::string& path, ByteBlock image);
