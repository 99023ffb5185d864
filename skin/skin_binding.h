// Handing a skin to the skin engine, and binding the engine at its first use.
#pragma once

// Makes sure the engine file exists, then attaches skin `number` (1..33; any other number
// passes no data).
void ApplySkin(int number);

// Releases the engine module at shutdown.
void ReleaseSkinEngine();
