// Game files built byte by byte in the tests, from the format alone: 64-byte
// records, headers in slots 1-400, move blocks from record 401 on.
#pragma once

#include <string>
#include <vector>

#include "game/game_record.h"
#include "platform/engine_library.h"

namespace zeko::archive::testing {

// The fields in the order of the record.
struct HeaderBytes {
    int slot = 1;
    double date = 45000.5;
    const char* top = "";  // as stored: single bytes, padded to 20 by the builder
    const char* bottom = "";
    int flags = 1, timeLeft = 0, level = 3, mark = 0x43;
    int moveNumber = 1, moveCount = 0, scores = 0, firstBlock = 401;
};

struct FileBytes {
    void Put16(std::size_t offset, int value);
    void PutHeader(const HeaderBytes& header);
    // Up to 60 moves, two to a word, with the format's checksum.
    void PutBlock(int record, const std::vector<int>& moves, int link);
    // Moves in blocks from `first` on, each linked to the next record.
    void PutMoves(int first, const std::vector<int>& moves);
    std::string bytes;
};

// Random legal moves from the standard start, the sides taking turns: exactly
// `length` of them, or (length 0) a whole game to its end.
std::vector<int> LegalGame(platform::EngineLibrary& engine, int length, unsigned seed = 1);
// A game of two people holding `moves`, all on the board.
game::GameRecord RecordOf(const std::vector<int>& moves);
// Empty when equal, else where they first differ: file bytes are too long to print.
std::string Difference(const std::string& actual, const std::string& expected);

}  // namespace zeko::archive::testing
