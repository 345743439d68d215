// The three search exports called one way for the engine's internal routines,
// its exports and the reference, so that their answers compare in one assertion.
#pragma once

#include <gtest/gtest.h>

#include "engine/analysis.h"
#include "engine/search.h"
#include "engine/zeko32.h"
#include "tests/support/reference_engine.h"

namespace zeko::engine {

inline constexpr int32_t kUnset = -7;  // fills every output array, so a stray write shows

// A call's result, the array it fills and its work array.
struct Answer {
    int32_t result = 0;
    std::array<int32_t, kWorkSize + 2> out, work;
    Answer() {
        out.fill(kUnset);
        work.fill(kUnset);
    }
    bool operator==(const Answer&) const = default;
};

inline void PrintTo(const Answer& a, std::ostream* os) {
    *os << ::testing::PrintToString(std::make_tuple(a.result, a.out, a.work));  // result, out, work
}

enum Search { kAnalyze, kFindmove, kFindline };

// analyze at depth arg and findline of arg plies from first on a board with the
// bottom half to move; findmove at level arg on the board turned. By ref when
// given, else by the exports or the internal routines (searching with table).
inline void call(Search s, reference::ReferenceEngine* ref, bool exported, const Board& bottom,
                 int arg, int first, Answer& a,
                 TranspositionTable* table = TranspositionTable::Shared()) {
    const Board top = rotateboard(bottom);
    int32_t *out = a.out.data(), *work = a.work.data();
    if (s == kAnalyze)
        a.result = ref        ? ref->analyze(bottom, arg, out, work)
                   : exported ? ::analyze(bottom.data(), arg, out, work)
                              : analyze(bottom, arg, out, work, table);
    if (s == kFindmove)
        a.result = ref        ? ref->findmove(top, arg)
                   : exported ? ::findmove(top.data(), arg)
                              : findmove(top, arg);
    if (s == kFindline)
        a.result = ref        ? ref->findline(bottom, arg, first, out, work)
                   : exported ? ::findline(bottom.data(), arg, first, out, work)
                              : findline(bottom, arg, first, out, work, table);
}

}  // namespace zeko::engine
