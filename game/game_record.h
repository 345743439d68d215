// The one game in play: position, moves, side to move, opponent, level, clock,
// names and the game's place in the game file, with the operations that
// rebuild a position from the move list.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "engine/board.h"
#include "engine/repetition.h"
#include "platform/engine_library.h"

namespace zeko::game {

// The position and its vocabulary are the engine's.
using engine::Board;
using engine::kBottomStore;
using engine::kPits;
using engine::kPitsPerRow;
using engine::kTopStore;
using engine::rotateboard;

struct GameRecord {
    engine::Board Board{};
    std::array<int32_t, engine::kTrackerPairSize> Trackers{};          // the bottom half's first
    std::vector<int16_t> Moves = std::vector<int16_t>(kInitialMoves);  // index 0 unused
    bool OpeningFlag = true;
    bool TopToMove = false;
    bool GameOver = false;
    bool ComputerGame = true;
    bool TimerOn = false;
    int16_t TimeLeft = 0;  // half-seconds
    int16_t Level = 3;
    int16_t MoveNumber = 1;  // number of the next move
    int16_t MoveCount = 0;   // moves recorded
    bool StandardStart = true;
    engine::Board StartBoard{};
    bool StartTopToMove = false;  // a set-up's side to move
    std::string NameTopHalf;
    std::string NameBottomHalf;
    double GameDate = 0;  // days since 30 December 1899, local time
    int16_t RecordNumber = 0;

    static constexpr size_t kInitialMoves = 21;  // indexes 0-20
    static constexpr size_t kMovesGrowth = 20;

    void ResetToStart();
    void ClearTrackers();
    void RecordMove(int pit);
    // No moves: the next is the first, and Moves is back to indexes 0-20.
    void ClearMoves();

    // The record's part of starting a game; the clock is the caller's.
    void NewGame();
    // Takes over a position from the editor; the clock is the caller's.
    void AdoptPosition(const engine::Board& position, bool topToMove);
    // Replays the loaded moves 1 .. MoveNumber - 1 from the standard start.
    void RebuildAfterLoad(platform::EngineLibrary& engine);
    // Takes back the last move (two people) or the last pair (computer game).
    void TakeBack(platform::EngineLibrary& engine);
    // One replay step; returns execmove's result for the last move replayed.
    int32_t Replay(platform::EngineLibrary& engine);
    void Pass() { TopToMove = true; }

    int32_t Execute(platform::EngineLibrary& engine, int pit) {
        return engine.execmove(Board.data(), pit, Trackers.data());
    }
};

}  // namespace zeko::game
