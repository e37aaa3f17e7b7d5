#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

// The fuzzer's bytes as the readers take them.
inline std::string_view AsBytes(const std::uint8_t *data, std::size_t size)
{
    return {reinterpret_cast<const char *>(data), size};
}

// Stops the run with a crash the fuzzer saves, when a property of the readers does not hold.
#define FUZZ_CHECK(condition)                                                                                \
    do {                                                                                                     \
        if (!(condition))                                                                                    \
            __builtin_trap();                                                                                \
    } while (false)
