// What every harness does when an invariant breaks: say which, and abort, so that libFuzzer
// (and the corpus replay) reports the input as a finding.
#pragma once

#include <cstdio>
#include <cstdlib>

#define FUZZ_CHECK(condition, ...)                                                               \
    do                                                                                           \
    {                                                                                            \
        if (!(condition))                                                                        \
        {                                                                                        \
            std::fprintf(stderr, "%s:%d: invariant broken: %s: ", __FILE__, __LINE__,           \
                         #condition);                                                            \
            std::fprintf(stderr, __VA_ARGS__);                                                   \
            std::fprintf(stderr, "\n");                                                          \
            std::abort();                                                                        \
        }                                                                                        \
    } while (false)
