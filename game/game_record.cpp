#include "game/game_record.h"

#include <algorithm>

namespace zeko::game {

namespace {

bool IsTopMove(int pit) {
    return pit >= kPitsPerRow;
}

}  // namespace

void GameRecord::ResetToStart() {
    Board = engine::kStartBoard;
    ClearTrackers();
    OpeningFlag = true;
}

void GameRecord::ClearTrackers() {
    Trackers.fill(0);
}

void GameRecord::ClearMoves() {
    MoveNumber = 1;
    MoveCount = 0;
    Moves.assign(kInitialMoves, 0);
}

void GameRecord::RecordMove(int pit) {
    if (static_cast<size_t>(MoveNumber) >= Moves.size()) Moves.resize(Moves.size() + kMovesGrowth);
    Moves[static_cast<size_t>(MoveNumber)] = static_cast<int16_t>(pit);
    MoveCount = MoveNumber;
    ++MoveNumber;
}

void GameRecord::NewGame() {
    ResetToStart();
    GameOver = false;
    TopToMove = false;
    StandardStart = true;
    ClearMoves();
    RecordNumber = 0;
}

void GameRecord::AdoptPosition(const engine::Board& position, bool topToMove) {
    OpeningFlag = false;
    Board = position;
    StartBoard = Board;
    StandardStart = false;
    StartTopToMove = topToMove;
    ClearMoves();
    ClearTrackers();
    GameOver = false;
    TopToMove = topToMove;
}

void GameRecord::RebuildAfterLoad(platform::EngineLibrary& engine) {
    ResetToStart();
    // The stored moves are trusted, but never read past what is there.
    const int last = std::min<int>(MoveNumber - 1, static_cast<int>(Moves.size()) - 1);
    for (int k = 1; k <= last; ++k)
        Execute(engine, Moves[static_cast<size_t>(k)]);
    OpeningFlag = MoveNumber < 2;
}

void GameRecord::TakeBack(platform::EngineLibrary& engine) {
    if (StandardStart) {
        ResetToStart();
    } else {
        Board = StartBoard;
        ClearTrackers();
        OpeningFlag = false;
    }
    GameOver = false;
    int n = MoveNumber - 2;
    if (ComputerGame) {
        // Back to, but not including, the computer's reply before the latest move.
        while (n >= 1 && !IsTopMove(Moves[static_cast<size_t>(n)]))
            --n;
    }
    n = std::max(n, 0);
    for (int k = 1; k <= n; ++k)
        Execute(engine, Moves[static_cast<size_t>(k)]);
    MoveNumber = static_cast<int16_t>(n + 1);
    // The opening rule belongs to the standard start; a set-up gets its own
    // side to move back.
    OpeningFlag = StandardStart && MoveNumber < 2;
    if (n == 0)
        TopToMove = !StandardStart && StartTopToMove;
    else
        TopToMove = IsTopMove(Moves[static_cast<size_t>(MoveNumber)]);
}

int32_t GameRecord::Replay(platform::EngineLibrary& engine) {
    int pit = Moves[static_cast<size_t>(MoveNumber)];
    int32_t r = Execute(engine, pit);
    // A person's move comes back with the computer's reply, when one was recorded.
    if (ComputerGame && !IsTopMove(pit) && r == 0 && MoveNumber < MoveCount) {
        ++MoveNumber;
        pit = Moves[static_cast<size_t>(MoveNumber)];
        r = Execute(engine, pit);
    }
    ++MoveNumber;
    OpeningFlag = false;
    // The side to move follows from the move replayed last, so that a record
    // that does not alternate (a pass at the start, a reply never recorded)
    // still hands the turn to the right side.
    TopToMove = !IsTopMove(pit);
    return r;
}

}  // namespace zeko::game
