#pragma once
// What a fuzz target calls when the code under test breaks a promise of its format: the
// broken promise goes to standard error and the process aborts, which libFuzzer reports as
// a crash (and saves the input) and the replay test as a failure.

#include <cstdio>
#include <cstdlib>
#include <string_view>

#define FUZZ_REQUIRE(condition, promise)                                                                               \
    do {                                                                                                               \
        if (!(condition))                                                                                              \
            fuzz_broken_promise(#condition, promise);                                                                  \
    } while (0)

[[noreturn]] inline void fuzz_broken_promise(const char* condition, std::string_view promise)
{
    std::fprintf(stderr, "fuzz: broken promise: %.*s (%s)\n", static_cast<int>(promise.size()), promise.data(),
                 condition);
    std::abort();
}
