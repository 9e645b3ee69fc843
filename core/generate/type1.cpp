// The six Type 1 generators: one procedure that fills seven distinct numbers passing
// every test of its member, differing in where a candidate comes from, whether it
// must pass a roll against its share, and whether the latest draw is left out.
#include "core/generate/generators.h"

#include "core/generate/pick.h"
#include "core/history/state.h"

#include <cassert>
#include <cstring>

namespace {

enum class CandidateSource { Uniform, Pool };
enum class ShareRoll { None, AgainstShare };
enum class LatestDraw { Allowed, LeftOut };

template <CandidateSource source>
std::uint8_t DrawCandidate() {
    std::int32_t value = NextRandom();
    if constexpr (source == CandidateSource::Pool) {
        // The pool is built at start with every number in it; before that there is
        // nothing to draw from, and the remainder below would divide by zero.
        assert(poolLength > 0);
        return WeightedPool[static_cast<std::uint32_t>(value) % poolLength];
    }
    return static_cast<std::uint8_t>(value % NUMBER_COUNT + 1);
}

// Both tests compare against every entry, joining the comparisons with & and | rather
// than && and ||: a branch that follows the random candidate is mispredicted on most
// attempts, and that would cost more than the random step itself.
bool InLatestDraw(std::uint8_t number) {
    // With no draw held there is nothing to leave out.
    if (drawCount < 1) {
        return false;
    }
    const DrawRecord& latest = DrawHistory[drawCount - 1];
    bool found = false;
    for (int position = 0; position < MAIN_NUMBERS; ++position) {
        found |= latest[position] == number;
    }
    return found;
}

bool AlreadyPicked(std::uint8_t number, int filled) {
    bool found = false;
    for (int position = 0; position < PICK_SIZE; ++position) {
        found |= (position < filled) & (Pick[position] == number);
    }
    return found;
}

// One instance per member, so the stages a member lacks cost nothing at all.
template <CandidateSource source, ShareRoll roll, LatestDraw latestDraw>
void FillPick() {
    std::memset(Pick, 0, sizeof Pick);
    int position = 0;
    while (position < PICK_SIZE) {
        std::uint8_t rejected = 0;
        std::uint8_t candidate = DrawCandidate<source>();
        Pick[position] = candidate;
        if constexpr (latestDraw == LatestDraw::LeftOut) {
            rejected = InLatestDraw(candidate) ? 1 : 0;
        }
        if constexpr (roll == ShareRoll::AgainstShare) {
            // Often-drawn numbers are held back: a share of x% passes (100 - x) times in 100.
            int threshold = 100 - static_cast<int>(percent[candidate - 1]);
            if (NextRandom() % 100 >= threshold) {
                continue;
            }
        }
        if (AlreadyPicked(candidate, position)) {
            rejected = 1;
        }
        rejected = static_cast<std::uint8_t>(rejected + RejectByParity(candidate));
        if (rejected == 0) {
            ++position;
        }
    }
    SortPick();
    AppendPickLine();
}

} // namespace

void GenerateUniform() {
    FillPick<CandidateSource::Uniform, ShareRoll::None, LatestDraw::Allowed>();
}

void GeneratePooled() {
    FillPick<CandidateSource::Pool, ShareRoll::None, LatestDraw::Allowed>();
}

void GenerateInverse() {
    FillPick<CandidateSource::Uniform, ShareRoll::AgainstShare, LatestDraw::Allowed>();
}

void GenerateUniformNoRepeat() {
    FillPick<CandidateSource::Uniform, ShareRoll::None, LatestDraw::LeftOut>();
}

void GeneratePooledNoRepeat() {
    FillPick<CandidateSource::Pool, ShareRoll::None, LatestDraw::LeftOut>();
}

void GenerateInverseNoRepeat() {
    FillPick<CandidateSource::Uniform, ShareRoll::AgainstShare, LatestDraw::LeftOut>();
}
