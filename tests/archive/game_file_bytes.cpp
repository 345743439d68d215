#include "tests/archive/game_file_bytes.h"

#include <cstring>
#include <random>

namespace zeko::archive::testing {

constexpr std::size_t kRecord = 64;

void FileBytes::Put16(std::size_t offset, int value) {
    if (bytes.size() < offset + 2) bytes.resize(offset + 2, '\0');
    bytes[offset] = static_cast<char>(value & 0xFF);
    bytes[offset + 1] = static_cast<char>((value >> 8) & 0xFF);
}

void FileBytes::PutHeader(const HeaderBytes& h) {
    const std::size_t at = (static_cast<std::size_t>(h.slot) - 1) * kRecord;
    const int words[] = {h.flags,  h.timeLeft,  h.level + h.mark * 256, h.moveNumber, h.moveCount,
                         h.scores, h.firstBlock};     // from byte 50 on
    for (std::size_t k = std::size(words); k-- > 0;)  // the last first: it sizes the record
        Put16(at + 50 + 2 * k, words[k]);
    Put16(at, h.slot);
    std::memcpy(&bytes[at + 2], &h.date, sizeof h.date);  // a little-endian host
    for (const auto& [offset, name] : {std::pair{10, h.top}, {30, h.bottom}}) {
        std::string field = name;
        field.resize(20, ' ');
        bytes.replace(at + offset, 20, field);
    }
}

void FileBytes::PutBlock(int record, const std::vector<int>& moves, int link) {
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

void FileBytes::PutMoves(int first, const std::vector<int>& moves) {
    for (std::size_t from = 0; from < moves.size(); from += 60, ++first) {
        const std::size_t to = std::min(moves.size(), from + 60);
        PutBlock(first,
                 {moves.begin() + static_cast<long>(from), moves.begin() + static_cast<long>(to)},
                 to < moves.size() ? first + 1 : 0);
    }
}

std::vector<int> LegalGame(platform::EngineLibrary& engine, int length, unsigned seed) {
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

game::GameRecord RecordOf(const std::vector<int>& moves) {
    game::GameRecord record;
    record.ComputerGame = false;
    for (const int pit : moves)
        record.RecordMove(pit);
    return record;
}

std::string Difference(const std::string& actual, const std::string& expected) {
    if (actual == expected) return {};
    const auto at = std::mismatch(actual.begin(), actual.end(), expected.begin(), expected.end());
    return "sizes " + std::to_string(actual.size()) + " and " + std::to_string(expected.size()) +
           ", first difference at " + std::to_string(at.first - actual.begin());
}

}  // namespace zeko::archive::testing
