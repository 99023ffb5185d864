#include "skin/skin_table.h"

ByteBlock SkinTable(int number) { return SkinBlock(number); }
