// Watches the library's frees, so that a write through a stale record shows
// whatever the heap does with the block.
#ifndef VELK_TESTS_FREED_BLOCKS_H
#define VELK_TESTS_FREED_BLOCKS_H

#include <windows.h>

#include "import_patch.h"

// While it lives, every block the library frees is kept, filled with a
// pattern, instead of going back to the heap; a write through a stale record
// then shows as a changed byte, a read of a stale pointer as a crash.
struct FreedBlockWatch {
    ScopedImportPatch patch;
    FreedBlockWatch();
    ~FreedBlockWatch();
    int FreedCount() const;
    bool Untouched() const;
};

#endif
