// Game files built byte by byte in the tests, from the format alone: 64-byte
// records, headers in slots 1-400, move blocks from record 401 on.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "game/game_record.h"
#include "platform/engine_library.h"

namespace zeko::archive::testing {

inline constexpr std::size_t kRecord = 64;
inline constexpr int kFirstBlock = 401;

struct HeaderBytes {
    int slot = 1;
    double date = 45000.5;
    const char* top = "";  // as stored: single bytes, padded to 20 by the builder
    const char* bottom = "";
    int flags = 1;
    int timeLeft = 0;
    int level = 3;
    int mark = 0x43;
    int moveNumber = 1;
    int moveCount = 0;
    int scores = 0;
    int firstBlock = kFirstBlock;
};

class FileBytes {
  public:
    void Put16(std::size_t offset, int value);
    void PutHeader(const HeaderBytes& header);
    // Up to 60 moves, two to a word; the checksum is the format's unless given.
    void PutBlock(int record, const std::vector<int>& moves, int link, int checksum = -1);
    // Moves in blocks from `first` on, each linked to the next record.
    void PutMoves(int first, const std::vector<int>& moves);
    void Resize(std::size_t size) { bytes.resize(size, '\0'); }

    std::string bytes;
};

// The checksum of thirty move words, computed here from its definition.
int Checksum(const std::vector<int>& words);

// A game of `length` legal moves from the standard start, the sides taking
// turns, found with the engine; the same for the same seed.
std::vector<int> LegalGame(platform::EngineLibrary& engine, int length, unsigned seed = 1);

// A game played to its end with legal moves.
std::vector<int> FinishedGame(platform::EngineLibrary& engine, unsigned seed = 1);

// A record holding `moves` as a game of two people, all moves on the board.
game::GameRecord RecordOf(const std::vector<int>& moves);

// Empty when equal, else the sizes and the first offset that differs: file
// bytes are too long to print whole.
std::string Difference(const std::string& actual, const std::string& expected);

std::string ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, const std::string& bytes);

}  // namespace zeko::archive::testing
