// The 33 skins the program carries, numbered 1 to 33.
#pragma once
#include "resource_data.h"

ByteBlock SkinTable(int number);
