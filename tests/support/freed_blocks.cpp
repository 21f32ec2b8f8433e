#include "freed_blocks.h"

#include <cstring>
#include <vector>

namespace {

struct FreedBlock {
    HANDLE heap;
    void *block;
    SIZE_T size;
};

unsigned char freedPattern = 0xDD;
std::vector<FreedBlock> freedBlocks;
decltype(&HeapFree) realHeapFree = nullptr;

BOOL WINAPI QuarantiningHeapFree(HANDLE heap, DWORD, LPVOID block)
{
    const SIZE_T size = HeapSize(heap, 0, block);
    std::memset(block, freedPattern, size);
    freedBlocks.push_back({heap, block, size});
    return TRUE;
}

}  // namespace

FreedBlockWatch::FreedBlockWatch(unsigned char pattern)
    : patch(LibraryModule(), "KERNEL32.dll", "HeapFree", reinterpret_cast<void *>(QuarantiningHeapFree))
{
    freedPattern = pattern;
    realHeapFree = reinterpret_cast<decltype(&HeapFree)>(patch.original);
    freedBlocks.clear();
}

FreedBlockWatch::~FreedBlockWatch()
{
    for (const FreedBlock &freed : freedBlocks)
        realHeapFree(freed.heap, 0, freed.block);
    freedBlocks.clear();
}

int FreedBlockWatch::FreedCount() const
{
    return static_cast<int>(freedBlocks.size());
}

bool FreedBlockWatch::Untouched() const
{
    for (const FreedBlock &freed : freedBlocks) {
        const auto *bytes = static_cast<const unsigned char *>(freed.block);
        for (SIZE_T i = 0; i < freed.size; ++i) {
            if (bytes[i] != freedPattern)
                return false;
        }
    }
    return true;
}
