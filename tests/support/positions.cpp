#include "tests/support/positions.h"

#include <numeric>
#include <stdexcept>

#include "engine/repetition.h"
#include "engine/rules.h"

namespace zeko::testing {

using engine::kPitsPerRow;

Board makeBoard(std::initializer_list<int32_t> cells) {
    if (cells.size() != engine::kCells) throw std::invalid_argument("a board has 14 cells");
    Board board{};
    std::copy(cells.begin(), cells.end(), board.begin());
    return board;
}

std::string boardText(const Board& board) {
    std::string text = "{";
    for (int i = 0; i < engine::kCells; ++i) {
        if (i > 0) text += i == 6 || i == 12 ? " | " : ",";
        text += std::to_string(board[static_cast<size_t>(i)]);
    }
    return text + "}";
}

int32_t totalStones(const Board& board) {
    return std::accumulate(board.begin(), board.end(), 0);
}

Board randomPosition(std::mt19937& rng, int plies, bool topToMove) {
    Board board = engine::kStartBoard;
    engine::RepetitionTracker trackers[2] = {};
    bool top = false;  // the bottom half opens
    for (int ply = 0; ply < plies; ++ply) {
        // The mover's legal pits, asked from its own side as the program does.
        const Board seen = top ? engine::rotateboard(board) : board;
        std::vector<int> legal;
        for (int pit = 0; pit < kPitsPerRow; ++pit) {
            if (engine::checkmove(seen, pit, ply < 2)) legal.push_back(pit);
        }
        if (legal.empty()) break;
        const int pit = legal[std::uniform_int_distribution<size_t>(0, legal.size() - 1)(rng)];
        Board next = board;
        engine::RepetitionTracker nextTrackers[2] = {trackers[0], trackers[1]};
        if (engine::execmove(next, top ? pit + kPitsPerRow : pit, nextTrackers) != engine::kPlayOn)
            break;
        board = next;
        trackers[0] = nextTrackers[0];
        trackers[1] = nextTrackers[1];
        top = !top;
    }
    // Hand the position over with the requested side to move.
    return top == topToMove ? board : engine::rotateboard(board);
}

std::vector<Board> randomPositions(uint32_t seed, int count, int maxPlies, bool topToMove) {
    std::mt19937 rng(seed);
    std::vector<Board> positions;
    positions.reserve(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) {
        const int plies = maxPlies * i / std::max(1, count - 1);
        positions.push_back(randomPosition(rng, plies, topToMove));
    }
    return positions;
}

}  // namespace zeko::testing
