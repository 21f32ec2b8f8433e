#include "freed_blocks.h"

#include <cstring>
#include <vector>

namespace {

struct FreedBlock {
    HANDLE heap;
    void *block;
    SIZE_T size;
};

const unsigned char FreedPattern = 0xDD;
std::vector<FreedBlock> freedBlocks;
decltype(&HeapFree) realHeapFree = nullptr;

BOOL WINAPI QuarantiningHeapFree(HANDLE heap, DWORD, LPVOID block)
{
    const SIZE_T size = HeapSize(heap, 0, block);
    std::memset(block, FreedPattern, size);
    freedBlocks.push_back({heap, block, size});
    return TRUE;
}

}  // namespace

FreedBlockWatch::FreedBlockWatch()
    : patch(LibraryModule(), "KERNEL32.dll", "HeapFree", reinterpret_cast<void *>(QuarantiningHeapFree))
{
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
            if (bytes[i] != FreedPattern)
                return false;
        }
    }
    return true;
}
