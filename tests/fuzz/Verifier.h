#pragma once

#include <cstdio>
#include <cstdlib>

// A property that does not hold is a finding: the fuzzer keeps the input that
// broke it, the corpus replay fails on it.
#define VERIFIER(condition)                                                                        \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            std::fprintf(stderr, "%s:%d: propriété fausse : %s\n", __FILE__, __LINE__,             \
                         #condition);                                                              \
            std::abort();                                                                          \
        }                                                                                          \
    } while (false)
