#include "tests/archive/game_file_bytes.h"

#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>
#include <random>

namespace zeko::archive::testing {

void FileBytes::Put16(std::size_t offset, int value) {
    if (bytes.size() < offset + 2) bytes.resize(offset + 2, '\0');
    bytes[offset] = static_cast<char>(value & 0xFF);
    bytes[offset + 1] = static_cast<char>((value >> 8) & 0xFF);
}

void FileBytes::PutHeader(const HeaderBytes& h) {
    const std::size_t at = (static_cast<std::size_t>(h.slot) - 1) * kRecord;
    if (bytes.size() < at + kRecord) bytes.resize(at + kRecord, '\0');
    Put16(at, h.slot);
    std::memcpy(&bytes[at + 2], &h.date, sizeof h.date);  // little-endian host
    const auto name = [&](std::size_t offset, std::string text) {
        text.resize(20, ' ');
        bytes.replace(at + offset, 20, text);
    };
    name(10, h.top);
    name(30, h.bottom);
    Put16(at + 50, h.flags);
    Put16(at + 52, h.timeLeft);
    bytes[at + 54] = static_cast<char>(h.level);
    bytes[at + 55] = static_cast<char>(h.mark);
    Put16(at + 56, h.moveNumber);
    Put16(at + 58, h.moveCount);
    Put16(at + 60, h.scores);
    Put16(at + 62, h.firstBlock);
}

void FileBytes::PutBlock(int record, const std::vector<int>& moves, int link, int checksum) {
    const std::size_t at = (static_cast<std::size_t>(record) - 1) * kRecord;
    if (bytes.size() < at + kRecord) bytes.resize(at + kRecord, '\0');
    std::vector<int> words(30, 0);
    for (std::size_t i = 0; i < moves.size(); ++i)
        words[i / 2] += i % 2 == 0 ? moves[i] : moves[i] * 64;
    for (std::size_t j = 0; j < words.size(); ++j)
        Put16(at + 2 * j, words[j]);
    Put16(at + 60, checksum < 0 ? Checksum(words) : checksum);
    Put16(at + 62, link);
}

void FileBytes::PutMoves(int first, const std::vector<int>& moves) {
    for (std::size_t from = 0, block = static_cast<std::size_t>(first); from < moves.size();
         from += 60, ++block) {
        const std::size_t to = std::min(moves.size(), from + 60);
        PutBlock(static_cast<int>(block),
                 std::vector<int>(moves.begin() + static_cast<std::ptrdiff_t>(from),
                                  moves.begin() + static_cast<std::ptrdiff_t>(to)),
                 to < moves.size() ? static_cast<int>(block) + 1 : 0);
    }
}

int Checksum(const std::vector<int>& words) {
    int sum = 0;
    for (int j = 1; j <= 30; ++j)
        sum ^= (words[static_cast<std::size_t>(j - 1)] + j) & 0xFFFF;
    return sum;
}

namespace {

// Random legal moves, the sides taking turns, up to `length` moves or the end.
std::vector<int> PlayRandom(platform::EngineLibrary& engine, std::mt19937& random, int length) {
    engine::Board board = engine::kStartBoard;
    std::array<int32_t, engine::kTrackerPairSize> trackers{};
    std::vector<int> moves;
    for (bool top = false; static_cast<int>(moves.size()) < length; top = !top) {
        const engine::Board seen = top ? engine::rotateboard(board) : board;
        std::vector<int> legal;
        for (int pit = 0; pit < engine::kPitsPerRow; ++pit)
            if (engine.checkmove(seen.data(), pit, 0) == 1) legal.push_back(pit);
        const int pit = legal[random() % legal.size()] + (top ? engine::kPitsPerRow : 0);
        moves.push_back(pit);
        if (engine.execmove(board.data(), pit, trackers.data()) != 0) break;
    }
    return moves;
}

}  // namespace

std::vector<int> FinishedGame(platform::EngineLibrary& engine, unsigned seed) {
    std::mt19937 random(seed);
    return PlayRandom(engine, random, 1000);
}

std::vector<int> LegalGame(platform::EngineLibrary& engine, int length, unsigned seed) {
    for (std::mt19937 random(seed);;) {
        std::vector<int> moves = PlayRandom(engine, random, length);
        if (static_cast<int>(moves.size()) == length) return moves;
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
    std::size_t at = 0;
    while (at < actual.size() && at < expected.size() && actual[at] == expected[at])
        ++at;
    return "sizes " + std::to_string(actual.size()) + " and " + std::to_string(expected.size()) +
           ", first difference at offset " + std::to_string(at);
}

std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

}  // namespace zeko::archive::testing
