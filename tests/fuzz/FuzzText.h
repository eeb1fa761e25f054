#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

namespace tavero::fuzz {

// Text as the program holds it, UTF-16 code units, from the fuzzer's bytes two at a time: every
// unit can come, lone surrogates and NUL included.
inline std::wstring Units(const std::uint8_t* data, std::size_t size) {
    std::wstring text;
    for (std::size_t i = 0; i + 1 < size; i += 2) {
        text.push_back(static_cast<wchar_t>(data[i] | (data[i + 1] << 8)));
    }
    return text;
}

// Stops the run where a property does not hold: libFuzzer keeps the input that broke it.
#define TAVERO_FUZZ_CHECK(condition)                                                           \
    do {                                                                                       \
        if (!(condition)) {                                                                    \
            std::fprintf(stderr, "%s:%d: %s does not hold\n", __FILE__, __LINE__, #condition); \
            __builtin_trap();                                                                  \
        }                                                                                      \
    } while (false)

}  // namespace tavero::fuzz
