#pragma once
// What the fuzz targets share: the input as text, its line count, and a failed oracle that
// stops the run with the input saved (libFuzzer treats the abort as a finding).

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace xfer::fuzz {

inline std::string_view asText(const std::uint8_t* data, std::size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

// The lines a parser can name: one more than the line feeds.
inline std::size_t lineCount(std::string_view text) {
    return static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')) + 1;
}

#define XFER_ORACLE(condition, what)                                                       \
    do {                                                                                   \
        if (!(condition)) {                                                                \
            std::fprintf(stderr, "oracle failed: %s (%s:%d)\n", what, __FILE__, __LINE__); \
            std::abort();                                                                  \
        }                                                                                  \
    } while (false)

}  // namespace xfer::fuzz
