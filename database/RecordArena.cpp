#include "database/RecordArena.h"

#include <algorithm>

namespace {

// Blocks double from a size that suits the few records of a usual database
// up to one that keeps the unused end of the last block small against the
// records of a large one.
constexpr std::size_t kFirstBlockSize = 16 * 1024;
constexpr std::size_t kLargestBlockSize = 1024 * 1024;

}   // namespace

void RecordArena::Release()
{
    for (Block& block : blocks)
        Unpoison(block.bytes.get(), block.size);
    blocks.clear();
    unused = nullptr;
    unusedSize = 0;
}

void* RecordArena::TakeFromNewBlock(std::size_t size)
{
    const std::size_t grown = blocks.empty() ? kFirstBlockSize : std::min(blocks.back().size * 2, kLargestBlockSize);
    const std::size_t blockSize = std::max(grown, size);
    blocks.push_back({std::unique_ptr<std::byte[]>(new std::byte[blockSize]), blockSize});
    std::byte* record = blocks.back().bytes.get();
    Poison(record + size, blockSize - size);
    unused = record + size;
    unusedSize = blockSize - size;
    return record;
}
