// Written for clarity, not speed: every move is played on a fresh copy, the
// board is turned round at every ply and the evaluation is computed from its
// formulas. Nothing here is shared with the engine, so a misreading of the
// rules in one of them shows up as a difference.
#include "tests/support/reference_engine.h"

#include <algorithm>
#include <limits>

namespace zeko::reference {

namespace {

constexpr int32_t kEmpty = -2000;
constexpr int32_t kStarving = -1000;
constexpr int32_t kWinNow = 515;

constexpr int32_t kLanding[6] = {2, 2, 4, 4, 2, 2};

constexpr int32_t kReserve[5][6] = {
    {0, 0, 0, 0, 0, 0},   //
    {5, 4, 3, 2, 1, 0},   //
    {8, 6, 4, 2, 0, 0},   //
    {10, 7, 4, 0, 0, 0},  //
    {11, 7, 0, 0, 0, 0},  //
};

int32_t bottomRow(const Board& b) {
    return b[0] + b[1] + b[2] + b[3] + b[4] + b[5];
}
int32_t topRow(const Board& b) {
    return b[6] + b[7] + b[8] + b[9] + b[10] + b[11];
}

Board rotateboard(const Board& b) {
    Board r{};
    for (int i = 0; i < 6; ++i) {
        r[i] = b[i + 6];
        r[i + 6] = b[i];
    }
    r[12] = b[13];
    r[13] = b[12];
    return r;
}

struct RowSums {
    int32_t top;
    int32_t bottom;
};

RowSums sow(Board& b, int pit) {
    int32_t n = b[pit];
    if (n > 0) {
        b[pit] = 0;
        int cursor = pit;
        while (n > 0) {
            cursor = (cursor + 1) % 12;
            if (cursor == pit) continue;
            ++b[cursor];
            --n;
        }
        const int last = cursor;
        if (pit <= 5 && last >= 6) {
            for (int c = last; c >= 6 && (b[c] == 2 || b[c] == 3); --c) {
                b[13] += b[c];
                b[c] = 0;
            }
        } else if (pit >= 6 && last <= 5) {
            for (int c = last; c >= 0 && (b[c] == 2 || b[c] == 3); --c) {
                b[12] += b[c];
                b[c] = 0;
            }
        }
    }
    return {topRow(b), bottomRow(b)};
}

// tracker: bottom stones, top stones, repeat count.
bool checkrepetition(int32_t* tracker, int32_t bottom, int32_t top) {
    if (tracker[0] == bottom && tracker[1] == top) {
        if (tracker[2] < std::numeric_limits<int32_t>::max()) ++tracker[2];
    } else {
        tracker[0] = bottom;
        tracker[1] = top;
        tracker[2] = 0;
    }
    const int32_t s = bottom + top;
    return s < 10 && tracker[2] > 2 * s + 10;
}

int firstBest(const int32_t* values) {
    int best = 0;
    for (int k = 1; k < 6; ++k) {
        if (values[k] > values[best]) best = k;
    }
    return best;
}

int32_t landingCell(int pit, int32_t stones) {
    int32_t cell = pit + stones % 11;
    if (cell > 11) cell -= 12;
    return cell;
}

}  // namespace

int32_t ReferenceEngine::checkmove(const Board& board, int32_t pit, int32_t opening) {
    if (pit < 0 || pit > 5) return 0;
    if (board[pit] == 0) return 0;
    Board copy = board;
    sow(copy, pit);
    if (opening != 0 && copy[6] == 4) return 0;
    if (topRow(copy) > 0) return 1;
    for (int other = 0; other < 6; ++other) {
        if (board[other] == 0) continue;
        Board trial = board;
        sow(trial, other);
        if (topRow(trial) > 0) return 0;
    }
    return 1;
}

int32_t ReferenceEngine::execmove(Board& board, int32_t pit, int32_t* trackers) {
    if (pit < 0 || pit > 11) return 0;  // the library ignores such a call too
    const bool top = pit >= 6;
    const RowSums sums = sow(board, pit);
    if (top && bottomRow(board) == 0) {
        board[12] += topRow(board);
        for (int i = 6; i < 12; ++i)
            board[i] = 0;
    } else if (!top && topRow(board) == 0) {
        board[13] += bottomRow(board);
        for (int i = 0; i < 6; ++i)
            board[i] = 0;
    }
    const bool over = board[12] > 24 || board[13] > 24 || board[12] + board[13] == 48;
    if (checkrepetition(trackers + (top ? 3 : 0), sums.bottom, sums.top)) {
        // What is in the rows now: a swept row already lies in its store.
        board[12] += topRow(board);
        board[13] += bottomRow(board);
        for (int i = 0; i < 12; ++i)
            board[i] = 0;
        return 2;
    }
    return over ? 1 : 0;
}

int32_t ReferenceEngine::evaluate(const Board& p) {
    const int32_t stored = p[12] + p[13];
    int32_t value = 0;
    if (stored < 32) {
        for (int i = 0; i < 6; ++i) {
            const int32_t c = p[i];
            if (c == 0) value -= 5;
            if (c == 1) value += 3;
            const int32_t landing = landingCell(i, c);
            if (landing >= 6) value += kLanding[landing - 6];
        }
        for (int j = 6; j < 12; ++j) {
            const int32_t c = p[j];
            if (c == 0) value += 13;
            if (c == 1) value -= 9;
            const int32_t landing = landingCell(j, c);
            if (landing <= 5) value -= kLanding[landing];
        }
    } else if (stored < 40) {
        for (int col = 0; col < 5; ++col) {
            const int32_t own = p[col];
            value += own <= 4 ? kReserve[own][col] : -own;
            const int32_t opp = p[col + 6];
            value += opp <= 4 ? -kReserve[opp][col] : opp;
        }
    } else {
        int32_t own = 0;
        int32_t opp = 0;
        for (int col = 0; col < 5; ++col) {
            if (p[col] <= 4) own += kReserve[p[col]][col];
            if (p[col + 6] <= 4) opp += kReserve[p[col + 6]][col];
        }
        value = 3 * (own - opp);
    }
    return value;
}

int32_t ReferenceEngine::pumpmessages() {
    ++looks;
    if (look && look(lookWork_)) stopflag_ = 1;
    return stopflag_;
}

void ReferenceEngine::searchmoves(const Board& board, int32_t* values, int32_t depth,
                                  int32_t* work) {
    for (int k = 0; k < 6; ++k) {
        work[depth] = k;
        if (board[6 + k] == 0) {
            values[k] = kEmpty;
            continue;
        }
        Board copy = rotateboard(board);
        sow(copy, k);
        ++movesTried;
        if (topRow(copy) == 0) {
            values[k] = kStarving;
            continue;
        }
        if (copy[13] > 24) {
            values[k] = kWinNow;
            continue;
        }
        if (depth == 1 && bottomRow(copy) > 0) {
            values[k] = evaluate(copy) + 20 * (copy[13] - copy[12]);
            continue;
        }
        // A mover that has emptied its own row is followed one ply further.
        const int32_t next = depth == 1 ? 1 : depth - 1;
        int32_t replies[6] = {};
        searchmoves(copy, replies, next, work);
        if (stopflag_) return;
        int32_t m = *std::max_element(replies, replies + 6);
        if (m == kStarving) {
            m = copy[13] < 24 ? 514 : 250;
        } else if (m > 500) {
            m -= 1;
        }
        values[k] = -m;
        if (depth == 4) {
            lookWork_ = work;
            if (pumpmessages()) return;
        }
    }
}

int32_t ReferenceEngine::findmove(const Board& board, int32_t level) {
    stopflag_ = 0;
    level = std::clamp(level, 1, 28);

    int empty = 0;
    int starving = 0;
    int lastNonEmpty = 0;
    int lastFeeding = 0;
    for (int pit = 6; pit < 12; ++pit) {
        if (board[pit] == 0) {
            ++empty;
            continue;
        }
        lastNonEmpty = pit;
        Board copy = board;
        sow(copy, pit);
        if (bottomRow(copy) == 0) {
            ++starving;
        } else {
            lastFeeding = pit;
        }
    }
    if (empty == 6) return 6;
    if (empty == 5) return lastNonEmpty;
    if (empty + starving == 6) return lastNonEmpty;
    if (empty + starving == 5) return lastFeeding;

    int32_t work[33] = {};
    int32_t values[6] = {};
    searchmoves(board, values, 1, work);
    for (int k = 0; k < 6; ++k) {
        if (values[k] >= 500) return 6 + k;
    }

    const int32_t left = 48 - board[12] - board[13];
    int32_t depth = level;
    if (left <= 20) ++depth;
    if (left <= 14) ++depth;
    if (left <= 10) ++depth;
    if (left <= 7) ++depth;
    searchmoves(board, values, depth, work);
    const int best = firstBest(values);
    if (stopflag_) return 0;
    return 6 + best;
}

int32_t ReferenceEngine::analyze(const Board& board, int32_t depth, int32_t* values,
                                 int32_t* work) {
    if (depth < 1) return 0;
    stopflag_ = 0;
    const Board copy = rotateboard(board);
    searchmoves(copy, values, depth, work);

    bool anyOther = false;
    for (int k = 0; k < 6; ++k) {
        if (values[k] != kEmpty && values[k] != kStarving) anyOther = true;
    }
    if (!anyOther) {
        for (int k = 0; k < 6; ++k) {
            if (values[k] == kStarving) values[k] = kWinNow;
        }
    }
    const int best = firstBest(values);
    for (int k = 0; k < 6; ++k) {
        const int32_t v = values[k];
        if (v == kEmpty || v == kStarving) {
            values[k] = 0x4000;
        } else if (v > 500) {
            values[k] = 8708 - v;
        } else if (v < -500) {
            values[k] = v + 4611;
        }
    }
    return best;
}

int32_t ReferenceEngine::findline(const Board& board, int32_t plies, int32_t first, int32_t* line,
                                  int32_t* work) {
    if (plies < 1 || first < 0 || first > 5) return 0;  // no line to play
    stopflag_ = 0;
    Board copy = rotateboard(board);
    // One set of values for the whole line: a stopped search chooses from what
    // the earlier plies left in it.
    int32_t values[6];
    std::fill(values, values + 6, kEmpty);
    int32_t count = 0;
    int32_t b = first;
    int32_t r = plies;
    for (;;) {
        line[count] = count % 2 == 0 ? b : b + 6;
        ++count;
        --r;
        if (r == 0 || stopflag_) return count;
        sow(copy, b + 6);
        if (copy[12] > 24 || bottomRow(copy) == 0) return count;
        copy = rotateboard(copy);
        searchmoves(copy, values, r, work);
        work[r] = 6;
        b = firstBest(values);
    }
}

}  // namespace zeko::reference
