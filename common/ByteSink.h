// Where an encoder's output goes: a file being written, or memory.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

class ByteSink {
public:
    virtual ~ByteSink() = default;
    // False when the bytes could not be taken; the writer then gives up.
    virtual bool Write(std::span<const std::uint8_t> bytes) = 0;
};

class MemorySink : public ByteSink {
public:
    bool Write(std::span<const std::uint8_t> part) override
    {
        bytes.insert(bytes.end(), part.begin(), part.end());
        return true;
    }

    std::vector<std::uint8_t> bytes;
};
