#include "tests/support/positions.h"

#include <random>
#include <sstream>
#include <stdexcept>

#include "engine/repetition.h"
#include "engine/rules.h"

namespace zeko::testing {

using engine::kPitsPerRow;
using engine::rotateboard;

Board makeBoard(std::string_view cells) {
    std::istringstream in{std::string(cells)};
    Board board{};
    for (int32_t& cell : board)
        in >> cell;
    if (!in || !(in >> std::ws).eof()) throw std::invalid_argument("a board has 14 cells");
    return board;
}

std::vector<Board> randomPositions(uint32_t seed, int count, int maxPlies, bool topToMove) {
    std::mt19937 rng(seed);
    std::vector<Board> positions;
    for (int i = 0; i < count; ++i) {
        Board board = engine::kStartBoard;
        engine::RepetitionTracker trackers[2] = {};
        bool top = false;  // the bottom half opens
        for (int ply = 0; ply < maxPlies * i / std::max(1, count - 1); ++ply) {
            // The mover's legal pits, asked from its own side as the program does.
            std::vector<int> legal;
            for (int pit = 0; pit < kPitsPerRow; ++pit)
                if (engine::checkmove(top ? rotateboard(board) : board, pit, ply < 2))
                    legal.push_back(pit);
            if (legal.empty()) break;
            const int pit = legal[std::uniform_int_distribution<size_t>(0, legal.size() - 1)(rng)];
            Board next = board;
            if (engine::execmove(next, top ? pit + kPitsPerRow : pit, trackers) != engine::kPlayOn)
                break;
            board = next;
            top = !top;
        }
        positions.push_back(top == topToMove ? board : rotateboard(board));
    }
    return positions;
}

std::vector<Board> randomEndgames(uint32_t seed, int count, int maxLeft) {
    std::mt19937 rng(seed);
    std::vector<Board> positions;
    for (int i = 0; i < count; ++i) {
        const int left = 1 + (maxLeft - 1) * i / std::max(1, count - 1);
        const int stored = engine::kStones - left;
        Board b{};
        b[engine::kTopStore] = std::uniform_int_distribution<int>(
            std::max(0, stored - engine::kStones / 2), std::min(engine::kStones / 2, stored))(rng);
        b[engine::kBottomStore] = stored - b[engine::kTopStore];
        ++b[kPitsPerRow + std::uniform_int_distribution<int>(0, kPitsPerRow - 1)(rng)];
        for (int s = 1; s < left; ++s)
            ++b[std::uniform_int_distribution<int>(0, engine::kPits - 1)(rng)];
        positions.push_back(b);
    }
    return positions;
}

}  // namespace zeko::testing
