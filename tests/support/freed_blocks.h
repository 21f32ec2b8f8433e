// Watches the library's frees, so that a write through a stale record shows
// whatever the heap does with the block.
#ifndef VELK_TESTS_FREED_BLOCKS_H
#define VELK_TESTS_FREED_BLOCKS_H

#include <windows.h>

#include "import_patch.h"

// While it lives, every block the library frees is kept, filled with a
// pattern, instead of going back to the heap; a write through a stale record
// then shows as a changed byte, a read of a stale pointer as a crash. A write
// that leaves the pattern as it was (clearing a bit the pattern lacks) does
// not show: a pattern and its complement between them see every write.
struct FreedBlockWatch {
    ScopedImportPatch patch;
    explicit FreedBlockWatch(unsigned char pattern = 0xDD);
    ~FreedBlockWatch();
    int FreedCount() const;
    bool Untouched() const;
};

#endif
