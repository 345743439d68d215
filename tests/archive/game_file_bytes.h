// Game files built byte by byte in the tests, from the format alone: 64-byte
// records, headers in slots 1-400, move blocks from record 401 on.
#pragma once

#include <cstring>
#include <random>
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

inline constexpr std::size_t kRecord = 64;

struct FileBytes {
    void Put16(std::size_t offset, int value) {
        if (bytes.size() < offset + 2) bytes.resize(offset + 2, '\0');
        bytes[offset] = static_cast<char>(value & 0xFF);
        bytes[offset + 1] = static_cast<char>((value >> 8) & 0xFF);
    }
    void PutHeader(const HeaderBytes& h) {
        const std::size_t at = (static_cast<std::size_t>(h.slot) - 1) * kRecord;
        const int words[] = {h.flags,      h.timeLeft,  h.level + h.mark * 256,
                             h.moveNumber, h.moveCount, h.scores,
                             h.firstBlock};  // from byte 50 on
        // The last first: it sizes the record.
        for (std::size_t k = std::size(words); k-- > 0;)
            Put16(at + 50 + 2 * k, words[k]);
        Put16(at, h.slot);
        std::memcpy(&bytes[at + 2], &h.date, sizeof h.date);  // a little-endian host
        for (const auto& [offset, name] : {std::pair{10, h.top}, {30, h.bottom}}) {
            std::string field = name;
            field.resize(20, ' ');
            bytes.replace(at + offset, 20, field);
        }
    }
    // Up to 60 moves, two to a word, with the format's checksum.
    void PutBlock(int record, const std::vector<int>& moves, int link) {
        const std::size_t at = (static_cast<std::size_t>(record) - 1) * kRecord;
        int checksum = 0;
        for (int j = 1; j <= 30; ++j) {
            const std::size_t first = static_cast<std::size_t>(2 * j - 2);
            int word = first < moves.size() ? moves[first] : 0;
            if (first + 1 < moves.size()) word += moves[first + 1] * 64;
            Put16(at + first, word);
            checksum ^= (word + j) & 0xFFFF;
        }
        Put16(at + 60, checksum);
        Put16(at + 62, link);
    }
    // Moves in blocks from `first` on, each linked to the next record.
    void PutMoves(int first, const std::vector<int>& moves) {
        for (std::size_t from = 0; from < moves.size(); from += 60, ++first) {
            const std::size_t to = std::min(moves.size(), from + 60);
            PutBlock(
                first,
                {moves.begin() + static_cast<long>(from), moves.begin() + static_cast<long>(to)},
                to < moves.size() ? first + 1 : 0);
        }
    }
    std::string bytes;
};

// Random legal moves from the standard start, the sides taking turns: exactly
// `length` of them, or (length 0) a whole game to its end.
inline std::vector<int> LegalGame(platform::EngineLibrary& engine, int length, unsigned seed = 1) {
    for (std::mt19937 random(seed);;) {
        engine::Board board = engine::kStartBoard;
        std::array<int32_t, engine::kTrackerPairSize> trackers{};
        std::vector<int> moves;
        bool over = false;
        for (bool top = false; !over && (length == 0 || static_cast<int>(moves.size()) < length);
             top = !top) {
            const engine::Board seen = top ? engine::rotateboard(board) : board;
            std::vector<int> legal;
            for (int pit = 0; pit < engine::kPitsPerRow; ++pit)
                if (engine.checkmove(seen.data(), pit, 0) == 1) legal.push_back(pit);
            moves.push_back(legal[random() % legal.size()] + (top ? engine::kPitsPerRow : 0));
            over = engine.execmove(board.data(), moves.back(), trackers.data()) != 0;
        }
        if (length == 0 || static_cast<int>(moves.size()) == length) return moves;
    }
}

// A game of two people holding `moves`, all on the board.
inline game::GameRecord RecordOf(const std::vector<int>& moves) {
    game::GameRecord record;
    record.ComputerGame = false;
    for (const int pit : moves)
        record.RecordMove(pit);
    return record;
}

// Empty when equal, else where they first differ: file bytes are too long to print.
inline std::string Difference(const std::string& actual, const std::string& expected) {
    if (actual == expected) return {};
    const auto at = std::mismatch(actual.begin(), actual.end(), expected.begin(), expected.end());
    return "sizes " + std::to_string(actual.size()) + " and " + std::to_string(expected.size()) +
           ", first difference at " + std::to_string(at.first - actual.begin());
}

}  // namespace zeko::archive::testing
