#pragma once

// A property that fails stops the run with a message; libFuzzer then keeps
// the input that broke it as a crash file.

#include <cstdio>
#include <cstdlib>

#define FUZZ_CHECK(condition, ...)                                                      \
    do {                                                                                \
        if (!(condition)) {                                                             \
            std::fprintf(stderr, "property failed at %s:%d: %s\n  ", __FILE__, __LINE__, \
                #condition);                                                            \
            std::fprintf(stderr, __VA_ARGS__);                                          \
            std::fprintf(stderr, "\n");                                                 \
            std::abort();                                                               \
        }                                                                               \
    } while (0)
