// Memory for many small records that go away together: each record is placed
// after the one before in large blocks, and the blocks are freed all at once.
// No record is ever freed on its own. Under AddressSanitizer the memory not
// handed out and every discarded record are poisoned, so that touching them
// is reported as it would be for freed memory.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <new>
#include <type_traits>
#include <vector>

#if defined(__SANITIZE_ADDRESS__)
#define LUMISAT_ADDRESS_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define LUMISAT_ADDRESS_SANITIZER 1
#endif
#endif
#ifdef LUMISAT_ADDRESS_SANITIZER
#include <sanitizer/asan_interface.h>
#endif

class RecordArena {
public:
    RecordArena() = default;
    RecordArena(const RecordArena&) = delete;
    RecordArena& operator=(const RecordArena&) = delete;
    ~RecordArena() { Release(); }

    // A value-initialised record; it lives until Release.
    template <typename Record>
    Record* New()
    {
        static_assert(std::is_trivially_destructible_v<Record>, "the arena runs no destructors");
        static_assert(alignof(Record) <= __STDCPP_DEFAULT_NEW_ALIGNMENT__, "blocks start at this alignment");
        return ::new (Take(sizeof(Record), alignof(Record))) Record{};
    }

    // The record is no longer used; its memory comes back with the others.
    template <typename Record>
    void Discard(Record* record)
    {
        Poison(record, sizeof(Record));
    }

    // Frees every block: every record taken from the arena is gone.
    void Release();

private:
    void* Take(std::size_t size, std::size_t alignment)
    {
        const std::size_t padding = (alignment - reinterpret_cast<std::uintptr_t>(unused) % alignment) % alignment;
        if (unusedSize < padding + size)
            return TakeFromNewBlock(size);
        std::byte* record = unused + padding;
        unused = record + size;
        unusedSize -= padding + size;
        Unpoison(record, size);
        return record;
    }

    void* TakeFromNewBlock(std::size_t size);

    static void Poison([[maybe_unused]] const void* memory, [[maybe_unused]] std::size_t size)
    {
#ifdef LUMISAT_ADDRESS_SANITIZER
        ASAN_POISON_MEMORY_REGION(memory, size);
#endif
    }

    static void Unpoison([[maybe_unused]] const void* memory, [[maybe_unused]] std::size_t size)
    {
#ifdef LUMISAT_ADDRESS_SANITIZER
        ASAN_UNPOISON_MEMORY_REGION(memory, size);
#endif
    }

    struct Block {
        std::unique_ptr<std::byte[]> bytes;
        std::size_t size = 0;
    };
    std::vector<Block> blocks;
    std::byte* unused = nullptr;   // the rest of the newest block
    std::size_t unusedSize = 0;
};
