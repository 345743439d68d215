// Damaged and hostile files: each is refused with its error, the game record
// stays as it was, and nothing crashes or hangs.
#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "archive/game_store.h"
#include "platform/numbered_error.h"
#include "tests/archive/game_file_bytes.h"

namespace zeko::archive::testing {
namespace {

using game::GameRecord;

struct Damage {
    const char* what;
    std::function<void(FileBytes&)> change;
    int slot;  // the slot asked for
    const char* error;
};

TEST(DamagedFile, EachFaultIsRefusedAndTheRecordKept) {
    platform::EngineLibrary engine;
    const std::vector<int> moves = LegalGame(engine, 64);
    // A sound file: game 1 with 64 moves in blocks 401 and 402.
    FileBytes sound;
    sound.PutHeader({.moveNumber = 65, .moveCount = 64});
    sound.PutMoves(401, moves);
    const auto header = [](HeaderBytes h) { return [h](FileBytes& f) { f.PutHeader(h); }; };
    std::vector<int> illegal = moves;
    illegal[1] = illegal[0];  // the same pit again, now empty
    std::vector<int> tooHigh = moves;
    tooHigh[3] = 12;

    const std::vector<Damage> damages = {
        {"sound", [](FileBytes&) {}, 1, ""},
        {"free slot", [](FileBytes&) {}, 2, "Invalid Game."},
        {"slot 0", [](FileBytes&) {}, 0, "Error loading game."},
        {"slot 401", [](FileBytes&) {}, 401, "Error loading game."},
        {"level 0", header({.level = 0, .moveNumber = 65, .moveCount = 64}), 1, "Invalid Game."},
        {"level 10", header({.level = 10, .moveNumber = 65, .moveCount = 64}), 1, "Invalid Game."},
        {"move number 0", header({.moveNumber = 0, .moveCount = 64}), 1, "Invalid Game."},
        {"move number past the end", header({.moveNumber = 66, .moveCount = 64}), 1,
         "Invalid Game."},
        {"negative move count", header({.moveNumber = 1, .moveCount = -3}), 1, "Invalid Game."},
        {"negative time", header({.timeLeft = -1, .moveNumber = 65, .moveCount = 64}), 1,
         "Invalid Game."},
        {"more moves than the chain", header({.moveNumber = 1, .moveCount = 130}), 1,
         "Error loading moves."},
        {"chain ends early", [](FileBytes& f) { f.Put16(400 * 64 + 62, 0); }, 1,
         "Error loading moves."},
        {"block links to itself", [](FileBytes& f) { f.Put16(401 * 64 + 62, 402); }, 1,
         "Error loading moves."},
        {"blocks link in a circle", [](FileBytes& f) { f.Put16(401 * 64 + 62, 401); }, 1,
         "Error loading moves."},
        {"link into the headers", [](FileBytes& f) { f.Put16(400 * 64 + 62, 5); }, 1,
         "Error loading moves."},
        {"negative link", [](FileBytes& f) { f.Put16(400 * 64 + 62, -2); }, 1,
         "Error loading moves."},
        {"first block 0", header({.moveNumber = 65, .moveCount = 64, .firstBlock = 0}), 1,
         "Error loading moves."},
        {"file ends before the second block", [](FileBytes& f) { f.Resize(401 * 64); }, 1,
         "Error loading moves."},
        {"file ends inside the second block", [](FileBytes& f) { f.Resize(401 * 64 + 3); }, 1,
         "Invalid Moves."},
        {"file ends inside the header", [](FileBytes& f) { f.Resize(30); }, 1, "Invalid Game."},
        {"move above 11",
         [&](FileBytes& f) {
             f.PutBlock(401, std::vector<int>(tooHigh.begin(), tooHigh.begin() + 60), 402);
         },
         1, "Invalid Moves."},
        {"move from an empty pit",
         [&](FileBytes& f) {
             f.PutBlock(401, std::vector<int>(illegal.begin(), illegal.begin() + 60), 402);
         },
         1, "Invalid Moves."},
        {"move after the end of the game",
         [&](FileBytes& f) {
             std::vector<int> finished = FinishedGame(engine);
             finished.push_back(finished.back() < 6 ? 6 : 0);
             f = FileBytes();
             f.PutHeader({.moveNumber = 1, .moveCount = static_cast<int>(finished.size())});
             f.PutMoves(401, finished);
         },
         1, "Invalid Moves."},
    };
    QTemporaryDir dir;
    const std::string path = dir.path().toStdString() + "/damaged.zgf";
    for (const Damage& damage : damages) {
        SCOPED_TRACE(damage.what);
        FileBytes file = sound;
        damage.change(file);
        WriteBytes(path, file.bytes);
        GameRecord record;
        record.NameTopHalf = "kept";
        record.MoveCount = 2;
        record.RecordMove(3);
        record.RecordNumber = static_cast<int16_t>(damage.slot);
        const GameRecord before = record;
        std::string error;
        try {
            LoadGame(path, record, engine);
        } catch (const platform::NumberedError& e) {
            error = e.description();
        }
        EXPECT_EQ(error, damage.error);
        if (!error.empty()) {
            EXPECT_EQ(record.Moves, before.Moves);
            EXPECT_EQ(std::tuple(record.NameTopHalf, record.MoveCount, record.MoveNumber),
                      std::tuple(before.NameTopHalf, before.MoveCount, before.MoveNumber));
        }
    }
}

}  // namespace
}  // namespace zeko::archive::testing
