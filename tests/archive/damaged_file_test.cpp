// Damaged and hostile files: each is refused with its error, the game record
// stays as it was, and nothing crashes or hangs.
#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "archive/game_store.h"
#include "platform/numbered_error.h"
#include "tests/archive/game_file_bytes.h"
#include "tests/support/test_home.h"

namespace zeko::archive::testing {
namespace {

TEST(DamagedFile, EachFaultIsRefusedAndTheRecordKept) {
    platform::EngineLibrary engine;
    const std::vector<int> moves = LegalGame(engine, 64);
    FileBytes sound;  // game 1: 64 moves in blocks 401 and 402
    sound.PutHeader({.moveNumber = 65, .moveCount = 64});
    sound.PutMoves(401, moves);
    const auto header = [](HeaderBytes h) { return [h](FileBytes& f) { f.PutHeader(h); }; };
    const auto link = [](int block, int to) {
        return [=](FileBytes& f) { f.Put16(static_cast<std::size_t>(block - 1) * 64 + 62, to); };
    };
    const auto withMove = [&](std::size_t k, int pit) {
        return [=](FileBytes& f) {
            std::vector<int> changed = moves;
            changed[k] = pit;
            f.PutMoves(401, changed);
        };
    };
    std::vector<int> finished = LegalGame(engine, 0);
    finished.push_back(finished.back() < 6 ? 6 : 0);
    const int n = 64;
    // what, the change, the slot asked for, the error
    const std::vector<std::tuple<const char*, std::function<void(FileBytes&)>, int, std::string>>
        rows = {
            {"sound", [](FileBytes&) {}, 1, ""},
            {"free slot", [](FileBytes&) {}, 2, "Invalid Game."},
            {"slot 0", [](FileBytes&) {}, 0, "Error loading game."},
            {"slot 401", [](FileBytes&) {}, 401, "Error loading game."},
            {"level 0", header({.level = 0, .moveNumber = n + 1, .moveCount = n}), 1,
             "Invalid Game."},
            {"level 10", header({.level = 10, .moveNumber = n + 1, .moveCount = n}), 1,
             "Invalid Game."},
            {"move number 0", header({.moveNumber = 0, .moveCount = n}), 1, "Invalid Game."},
            {"move number past the end", header({.moveNumber = n + 2, .moveCount = n}), 1,
             "Invalid Game."},
            {"negative move count", header({.moveCount = -3}), 1, "Invalid Game."},
            {"negative time", header({.timeLeft = -1, .moveNumber = n + 1, .moveCount = n}), 1,
             "Invalid Game."},
            {"more moves than the chain", header({.moveCount = 130}), 1, "Error loading moves."},
            {"chain ends early", link(401, 0), 1, "Error loading moves."},
            {"block links to itself", link(402, 402), 1, "Error loading moves."},
            {"blocks in a circle", link(402, 401), 1, "Error loading moves."},
            {"link into the headers", link(401, 5), 1, "Error loading moves."},
            {"negative link", link(401, -2), 1, "Error loading moves."},
            {"first block 0", header({.moveNumber = n + 1, .moveCount = n, .firstBlock = 0}), 1,
             "Error loading moves."},
            {"file ends before a block", [](FileBytes& f) { f.bytes.resize(401 * 64); }, 1,
             "Error loading moves."},
            {"file ends inside a block", [](FileBytes& f) { f.bytes.resize(401 * 64 + 3); }, 1,
             "Invalid Moves."},
            {"file ends inside the header", [](FileBytes& f) { f.bytes.resize(30); }, 1,
             "Invalid Game."},
            {"move above 11", withMove(3, 12), 1, "Invalid Moves."},
            {"the same pit again, now empty", withMove(1, moves[0]), 1, "Invalid Moves."},
            {"move after the end",
             [&](FileBytes& f) {
                 f = FileBytes();
                 f.PutHeader({.moveCount = static_cast<int>(finished.size())});
                 f.PutMoves(401, finished);
             },
             1, "Invalid Moves."},
        };
    QTemporaryDir dir;
    const std::string path = dir.path().toStdString() + "/damaged.zgf";
    for (const auto& [what, change, slot, error] : rows) {
        SCOPED_TRACE(what);
        FileBytes file = sound;
        change(file);
        zeko::testing::WriteFile(path, file.bytes);
        game::GameRecord record = RecordOf({3});
        record.NameTopHalf = "kept";
        record.RecordNumber = static_cast<int16_t>(slot);
        const game::GameRecord before = record;
        std::string raised;
        try {
            LoadGame(path, record, engine);
        } catch (const platform::NumberedError& e) {
            raised = e.Description();
        }
        EXPECT_EQ(raised, error);
        if (!raised.empty()) {
            EXPECT_EQ(
                std::tuple(record.Moves, record.NameTopHalf, record.MoveCount, record.MoveNumber),
                std::tuple(before.Moves, before.NameTopHalf, before.MoveCount, before.MoveNumber));
        }
    }
}

}  // namespace
}  // namespace zeko::archive::testing
