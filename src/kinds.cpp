// The class table: every row of the list in kinds.h, in its order.
#include "kinds.h"

#define VELK_TABLE_ROW(row) &row,
const SkinClass *const SkinClasses[] = {VELK_CLASS_TABLE(VELK_TABLE_ROW)};
#undef VELK_TABLE_ROW

const int SkinClassCount = sizeof SkinClasses / sizeof SkinClasses[0];
