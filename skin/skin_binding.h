// Handing a skin to the skin engine, and binding the engine at its first use.
#pragma once
#include <windows.h>
#include <string>

typedef int(WINAPI* SkinAttachEntry)(const void* data, DWORD size, const char* password, DWORD, DWORD, DWORD);

extern const char SkinEntryName[];  // "SkinH_AttachRes"

// "无法找到指定DLL库文件“SkinH_EL.dll”中的输出命令“SkinH_AttachRes”"
std::string SkinBindingFailedText();

// Makes sure the engine file exists, then attaches skin `number` (1..33; any other number
// passes no data).
void ApplySkin(int number);

// Hands skin `number` to `entry` from a fresh copy that is released as soon as the call returns;
// a number outside 1..33 passes a null address and 0.
void AttachSkin(SkinAttachEntry entry, int number);

// Releases the engine module at shutdown.
void ReleaseSkinEngine();
