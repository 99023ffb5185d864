// The directory that holds the executable, fixed once at start-up.
#pragma once
#include <string>

// The module path cut before its last backslash ("C:\Tools\app.exe" -> "C:\Tools").
std::string DirectoryOfModulePath(const std::string& modulePath);

// Reads the executable's path, keeps its directory and makes it the current directory.
void FixRunDirectory();

// The run directory, without a trailing backslash; empty before FixRunDirectory.
const std::string& RunDirectory();
