// What the core writes for each request, computed by the tests themselves from the
// core's own operations (never through the dialogs), as the oracle for every test
// that reads an answer off a screen or a message box.
#pragma once

#include "generate/generators.h"
#include "generate/random_source.h"
#include "history/state.h"

#include <algorithm>
#include <array>
#include <cstdint>

// A Type 1 answer into ResultText under the given options.
inline void ReferenceType1(bool withoutLatest, std::int32_t parity) {
    excludePrevious = withoutLatest ? 1 : 0;
    ParityMode = parity;
    if (withoutLatest) {
        BeginResult("Pattern 2\n\n");
        GenerateUniformNoRepeat();
        GeneratePooledNoRepeat();
        GenerateInverseNoRepeat();
    } else {
        BeginResult("Pattern 1\n\n");
        GenerateUniform();
        GeneratePooled();
        GenerateInverse();
    }
}

// A Type 2 answer into ResultText under the given exclusion flags.
inline void ReferenceType2(const std::array<std::uint8_t, 5>& decades,
                           const std::array<std::uint8_t, 10>& pastDraws) {
    std::copy(decades.begin(), decades.end(), DecadeFlags);
    std::copy(pastDraws.begin(), pastDraws.end(), PastDrawFlags);
    BeginResult("Type 2\n\n");
    GenerateTickets();
}
