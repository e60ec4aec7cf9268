// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdio>
#include <cstdlib>

// A broken promise ends the run with a message, so that libFuzzer keeps the input as a crash
// and the corpus replay fails.
namespace wendrix::fuzz {

inline void Check(bool condition, const char* what)
{
    if (!condition) {
        std::fprintf(stderr, "broken promise: %s\n", what);
        std::abort();
    }
}

}  // namespace wendrix::fuzz
