// Written for clarity, not speed: every move is played on a fresh copy, the
// board is turned round at every ply and the evaluation is computed from its
// formulas. Nothing here is shared with the engine, so a misreading of the
// rules in one of them shows up as a difference.
#include "tests/support/reference_engine.h"

#include <algorithm>
#include <numeric>
#include <utility>

namespace zeko::reference {

namespace {

constexpr int32_t kEmpty = -2000;
constexpr int32_t kStarving = -1000;
constexpr int32_t kWinNow = 515;
constexpr int32_t kLanding[6] = {2, 2, 4, 4, 2, 2};
constexpr int32_t kReserve[5][6] = {{0, 0, 0, 0, 0, 0},
                                    {5, 4, 3, 2, 1, 0},
                                    {8, 6, 4, 2, 0, 0},
                                    {10, 7, 4, 0, 0, 0},
                                    {11, 7, 0, 0, 0, 0}};

// The stones in the row of cells first to first + 5.
int32_t row(const Board& b, int first) {
    return std::accumulate(b.begin() + first, b.begin() + first + 6, 0);
}

Board rotateboard(const Board& b) {
    return {b[6], b[7], b[8], b[9], b[10], b[11], b[0], b[1], b[2], b[3], b[4], b[5], b[13], b[12]};
}

// Sows pit and captures; an empty pit changes nothing.
void sow(Board& b, int pit) {
    int cursor = pit;
    // One stone into each cell round the board, the origin skipped.
    for (int32_t n = std::exchange(b[pit], 0); n > 0; n -= cursor != pit) {
        cursor = (cursor + 1) % 12;
        b[cursor] += cursor != pit;
    }
    // The opponent's row starts at 6 for the bottom half and at 0 for the top.
    const int first = pit <= 5 ? 6 : 0;
    const int store = pit <= 5 ? 13 : 12;
    for (int c = cursor; c >= first && cursor <= first + 5 && (b[c] == 2 || b[c] == 3); --c)
        b[store] += std::exchange(b[c], 0);
}

int firstBest(const int32_t* values) {
    return static_cast<int>(std::max_element(values, values + 6) - values);
}

}  // namespace

int32_t ReferenceEngine::checkmove(const Board& board, int32_t pit, int32_t opening) {
    if (pit < 0 || pit > 5 || board[pit] == 0) return 0;
    Board copy = board;
    sow(copy, pit);
    if (opening != 0 && copy[6] == 4) return 0;
    if (row(copy, 6) > 0) return 1;
    for (int other = 0; other < 6; ++other) {
        Board trial = board;
        sow(trial, other);
        if (board[other] > 0 && row(trial, 6) > 0) return 0;
    }
    return 1;
}

int32_t ReferenceEngine::execmove(Board& board, int32_t pit, int32_t* trackers) {
    const bool top = pit >= 6;
    sow(board, pit);
    const int32_t bottom = row(board, 0);
    const int32_t upper = row(board, 6);
    if (top ? bottom == 0 : upper == 0) {  // the mover takes its own row
        board[top ? 12 : 13] += top ? upper : bottom;
        std::fill_n(board.begin() + (top ? 6 : 0), 6, 0);
    }
    const bool over = board[12] > 24 || board[13] > 24 || board[12] + board[13] == 48;
    int32_t* record = trackers + (top ? 3 : 0);  // bottom stones, top stones, repeat count
    const bool repeated = record[0] == bottom && record[1] == upper;
    record[2] = repeated ? record[2] + (record[2] < INT32_MAX) : 0;  // the count stays at its top
    record[0] = bottom;
    record[1] = upper;
    if (bottom + upper < 10 && record[2] > 2 * (bottom + upper) + 10) {
        // What is in the rows now: a swept row already lies in its store.
        board[12] += row(board, 6);
        board[13] += row(board, 0);
        std::fill(board.begin(), board.begin() + 12, 0);
        return 2;
    }
    return over ? 1 : 0;
}

int32_t ReferenceEngine::evaluate(const Board& p) {
    const int32_t stored = p[12] + p[13];
    int32_t value = 0;
    for (int i = 0; i < 12; ++i) {
        const int32_t c = p[i];
        const int col = i % 6;
        const int sign = i < 6 ? 1 : -1;  // own pits count for, the opponent's against
        if (stored < 32) {
            if (c == 0) value += i < 6 ? -5 : 13;
            if (c == 1) value += i < 6 ? 3 : -9;
            // The last stone's cell; 11 stones (or 22...) end on the pit itself.
            const int landing = (i + c % 11) % 12;
            if ((landing < 6) != (i < 6)) value += sign * kLanding[landing % 6];
        } else if (col < 5) {
            const int32_t reserve = c <= 4 ? kReserve[c][col] : 0;
            value += sign * (stored < 40 ? (c <= 4 ? reserve : -c) : 3 * reserve);
        }
    }
    return value;
}

void ReferenceEngine::searchmoves(const Board& board, int32_t* values, int32_t depth,
                                  int32_t* work) {
    for (int k = 0; k < 6; ++k) {
        work[depth] = k;
        Board copy = rotateboard(board);
        sow(copy, k);
        movesTried += board[6 + k] > 0;
        if (board[6 + k] == 0) {
            values[k] = kEmpty;
        } else if (row(copy, 6) == 0) {
            values[k] = kStarving;
        } else if (copy[13] > 24) {
            values[k] = kWinNow;
        } else if (depth == 1 && row(copy, 0) > 0) {
            values[k] = evaluate(copy) + 20 * (copy[13] - copy[12]);
        } else {
            // A mover that has emptied its own row is followed one ply further.
            int32_t replies[6] = {};
            searchmoves(copy, replies, depth == 1 ? 1 : depth - 1, work);
            if (stopflag_) return;
            // Every reply starves the mover: a loss, or a draw at 24; a win
            // found further on is a move further away.
            const int32_t m = *std::max_element(replies, replies + 6);
            values[k] = -(m == kStarving ? (copy[13] < 24 ? 514 : 250) : m > 500 ? m - 1 : m);
            if (depth == 4 && ++looks > 0 && look && look(work)) {
                stopflag_ = 1;
                return;
            }
        }
    }
}

int32_t ReferenceEngine::findmove(const Board& board, int32_t level) {
    stopflag_ = 0;
    level = std::clamp(level, 1, 28);
    int empty = 0, starving = 0, lastNonEmpty = 0, lastFeeding = 0;
    for (int pit = 6; pit < 12; ++pit) {
        Board copy = board;
        sow(copy, pit);
        const bool feeds = row(copy, 0) > 0;
        empty += board[pit] == 0;
        starving += board[pit] > 0 && !feeds;
        if (board[pit] > 0) lastNonEmpty = pit;
        if (board[pit] > 0 && feeds) lastFeeding = pit;
    }
    if (empty == 6) return 6;
    if (empty == 5 || empty + starving == 6) return lastNonEmpty;
    if (empty + starving == 5) return lastFeeding;

    int32_t work[33] = {}, values[6] = {};
    searchmoves(board, values, 1, work);
    for (int k = 0; k < 6; ++k)
        if (values[k] >= 500) return 6 + k;
    const int32_t left = 48 - board[12] - board[13];
    const int32_t depth = level + (left <= 20) + (left <= 14) + (left <= 10) + (left <= 7);
    searchmoves(board, values, depth, work);
    return stopflag_ ? 0 : 6 + firstBest(values);
}

int32_t ReferenceEngine::analyze(const Board& board, int32_t depth, int32_t* values,
                                 int32_t* work) {
    if (depth < 1) return 0;
    stopflag_ = 0;
    searchmoves(rotateboard(board), values, depth, work);
    // When every move starves the opponent, those are the legal ones: wins now.
    if (std::all_of(values, values + 6, [](int32_t v) { return v == kEmpty || v == kStarving; }))
        std::replace(values, values + 6, kStarving, kWinNow);
    const int best = firstBest(values);
    // Illegal 0x4000, a win 0x2000 + n and a loss 0x1000 + n for the n-th move.
    for (int k = 0; k < 6; ++k) {
        const int32_t v = values[k];
        values[k] = v == kEmpty || v == kStarving ? 0x4000
                    : v > 500                     ? 0x2000 + 516 - v
                    : v < -500                    ? 0x1000 + 515 + v
                                                  : v;
    }
    return best;
}

int32_t ReferenceEngine::findline(const Board& board, int32_t plies, int32_t first, int32_t* line,
                                  int32_t* work) {
    stopflag_ = 0;
    Board copy = rotateboard(board);
    // One set of values for the whole line: a stopped search chooses from what
    // the earlier plies left in it.
    int32_t values[6] = {kEmpty, kEmpty, kEmpty, kEmpty, kEmpty, kEmpty};
    int32_t count = 0;
    for (int32_t b = first, r = plies;;) {
        line[count] = count % 2 == 0 ? b : b + 6;
        ++count;
        if (--r == 0 || stopflag_) return count;
        sow(copy, b + 6);
        if (copy[12] > 24 || row(copy, 0) == 0) return count;
        copy = rotateboard(copy);
        searchmoves(copy, values, r, work);
        work[r] = 6;
        b = firstBest(values);
    }
}

}  // namespace zeko::reference
