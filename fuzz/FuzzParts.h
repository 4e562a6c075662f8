#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace tavel::fuzz {

// The input cut at each NUL byte into the files one run reads; parts the
// input does not reach are empty.
inline std::vector<std::string> Parts(const uint8_t* data, size_t size, size_t count) {
    std::vector<std::string> parts(count);
    size_t part = 0;
    for (size_t i = 0; i < size; ++i) {
        if (data[i] == 0 && part + 1 < count) {
            ++part;
            continue;
        }
        parts[part] += static_cast<char>(data[i]);
    }
    return parts;
}

// Stops the run on a broken rule, naming the line of the check.
#define TAVEL_FUZZ_CHECK(condition) ::tavel::fuzz::Check((condition), __FILE__, __LINE__)
inline void Check(bool condition, const char* file, int line) {
    if (condition) return;
    std::fprintf(stderr, "check failed at %s:%d\n", file, line);
    std::abort();
}

}  // namespace tavel::fuzz
