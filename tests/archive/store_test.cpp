// The store against files built byte by byte from the format: what it reads
// from them, the bytes it writes, slot and block reuse, names and dates.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <cstring>
#include <ctime>
#include <limits>

#include "archive/game_file_argument.h"
#include "archive/game_store.h"
#include "archive/ole_date.h"
#include "archive/store_error.h"
#include "settings/text_table.h"
#include "tests/archive/game_file_bytes.h"

namespace zeko::archive::testing {
namespace {

using game::GameRecord;

class Store : public ::testing::Test {
  protected:
    std::string Path(const std::string& name = "games.zgf") const {
        return dir_.path().toStdString() + "/" + name;
    }
    // The text of the error an action raises; empty when none.
    template <typename Action>
    static std::string ErrorOf(Action action) {
        try {
            action();
        } catch (const platform::NumberedError& error) {
            EXPECT_EQ(error.source(), "Zeko");
            return error.description();
        }
        return {};
    }

    QTemporaryDir dir_;
    platform::EngineLibrary engine_;
};

// The bytes of a saved game's date field.
double DateIn(const std::string& bytes, int slot) {
    double date = 0;
    std::memcpy(&date, bytes.data() + (slot - 1) * kRecord + 2, sizeof date);
    return date;
}

TEST_F(Store, FirstSaveWritesTheHeaderAndOneBlockByteForByte) {
    const std::vector<int> moves = LegalGame(engine_, 3);
    GameRecord record = RecordOf(moves);
    record.ComputerGame = true;
    record.TimerOn = true;
    record.TopToMove = true;
    record.TimeLeft = 1234;
    record.Level = 5;
    record.NameBottomHalf = "Ann";
    record.NameTopHalf = "Bob";
    record.Board[12] = 3;
    record.Board[13] = 45;
    record.GameDate = 1.0;
    const double before = OleDateNow();
    SaveGame(Path(), record);
    const double after = OleDateNow();

    const std::string written = ReadBytes(Path());
    ASSERT_EQ(written.size(), 25664u);
    const double date = DateIn(written, 1);
    EXPECT_GE(date, before);
    EXPECT_LE(date, after);
    FileBytes expected;
    expected.Resize(25664);
    expected.PutHeader({.slot = 1,
                        .date = date,
                        .top = "Bob",
                        .bottom = "Ann",
                        .flags = 1 + 4 + 8 + 16,
                        .timeLeft = 1234,
                        .level = 5,
                        .moveNumber = 4,
                        .moveCount = 3,
                        .scores = 3 * 64 + 45,
                        .firstBlock = 401});
    expected.PutBlock(401, moves, 0);
    EXPECT_EQ(Difference(written, expected.bytes), "");
    EXPECT_EQ(record.RecordNumber, 1);
    EXPECT_EQ(record.GameDate, 1.0);  // the record keeps its own date
}

TEST_F(Store, FlagsCarryEachBoolean) {
    // game over, top to move, computer game, timer on; the flags word
    for (const auto& [over, top, computer, timed, flags] :
         std::vector<std::tuple<bool, bool, bool, bool, int>>{{false, false, false, false, 1},
                                                              {true, false, false, false, 3},
                                                              {false, true, false, false, 5},
                                                              {false, false, true, false, 9},
                                                              {false, false, false, true, 17},
                                                              {true, true, true, true, 31}}) {
        GameRecord record;
        record.GameOver = over;
        record.TopToMove = top;
        record.ComputerGame = computer;
        record.TimerOn = timed;
        const std::string path = Path(std::to_string(flags) + ".zgf");
        SaveGame(path, record);
        const std::string bytes = ReadBytes(path);
        EXPECT_EQ(static_cast<uint8_t>(bytes[50]) | static_cast<uint8_t>(bytes[51]) << 8, flags);
        const GameRecord listed = ReadGameList(path).at(0);
        EXPECT_EQ(
            std::tuple(listed.GameOver, listed.TopToMove, listed.ComputerGame, listed.TimerOn),
            std::tuple(over, top, computer, timed));
    }
}

TEST_F(Store, SixtyOneMovesTakeTwoLinkedBlocks) {
    const std::vector<int> moves = LegalGame(engine_, 61);
    GameRecord record = RecordOf(moves);
    SaveGame(Path(), record);
    const std::string written = ReadBytes(Path());
    FileBytes expected;
    expected.PutHeader({.date = DateIn(written, 1), .flags = 1, .moveNumber = 62, .moveCount = 61});
    expected.PutBlock(401, std::vector<int>(moves.begin(), moves.begin() + 60), 402);
    expected.PutBlock(402, {moves[60]}, 0);
    EXPECT_EQ(Difference(written, expected.bytes), "");

    GameRecord loaded;
    loaded.RecordNumber = 1;
    LoadGame(Path(), loaded, engine_);
    EXPECT_EQ(loaded.Moves, std::vector<int16_t>(record.Moves.begin(), record.Moves.begin() + 62));
    EXPECT_EQ(loaded.MoveCount, 61);
    EXPECT_EQ(loaded.MoveNumber, 62);
}

TEST_F(Store, ReadsFilesBuiltFromTheFormat) {
    const std::vector<int> moves = LegalGame(engine_, 7);
    FileBytes file;
    file.PutHeader({.slot = 3,
                    .date = 45123.75,
                    .top = "  Bob  ",
                    .bottom = "Z\xEB\x80",
                    .flags = 1 + 8 + 16,
                    .timeLeft = 600,
                    .level = 9,
                    .moveNumber = 5,
                    .moveCount = 7,
                    .scores = 10 * 64 + 7,
                    .firstBlock = 405});
    file.PutHeader({.slot = 7, .flags = 0, .mark = 'X'});  // not in use: its mark is no matter
    file.PutBlock(405, moves, 0);
    WriteBytes(Path(), file.bytes);

    const std::vector<GameRecord> list = ReadGameList(Path());
    ASSERT_EQ(list.size(), 1u);
    const GameRecord& entry = list[0];
    EXPECT_EQ(entry.RecordNumber, 3);
    EXPECT_EQ(entry.NameTopHalf, "Bob");
    EXPECT_EQ(entry.NameBottomHalf, "Zë€");
    EXPECT_TRUE(entry.ComputerGame && entry.TimerOn && !entry.GameOver && !entry.TopToMove);
    EXPECT_EQ(std::tuple(entry.TimeLeft, entry.Level, entry.MoveNumber, entry.MoveCount),
              std::tuple(600, 9, 5, 7));
    EXPECT_EQ(std::pair(entry.Board[13], entry.Board[12]), std::pair(7, 10));
    EXPECT_EQ(entry.GameDate, 45123.75);
    EXPECT_TRUE(entry.Moves.empty());
    EXPECT_EQ(FormatOleDateTime(entry.GameDate), "2023/07/16 18:00:00");

    GameRecord loaded;
    loaded.RecordNumber = 3;
    loaded.Board[0] = 99;  // the board is the rebuild's
    LoadGame(Path(), loaded, engine_);
    EXPECT_EQ(loaded.Board[0], 99);
    ASSERT_EQ(loaded.Moves.size(), 8u);
    for (int k = 1; k <= 7; ++k)
        EXPECT_EQ(loaded.Moves[static_cast<size_t>(k)], moves[static_cast<size_t>(k - 1)]);
}

TEST_F(Store, EmptyAndMissingFiles) {
    WriteBytes(Path(), "");
    EXPECT_TRUE(ReadGameList(Path()).empty());
    EXPECT_EQ(ErrorOf([&] { ReadGameList(Path("none.zgf")); }), "Error opening Zeko Game File.");
    GameRecord record;
    record.RecordNumber = 1;
    EXPECT_EQ(ErrorOf([&] { LoadGame(Path("none.zgf"), record, engine_); }),
              "Error opening Zeko Game File.");
    EXPECT_EQ(ErrorOf([&] { SaveGame(Path("no/such/folder.zgf"), record); }),
              "Error opening Zeko Game File.");
}

TEST_F(Store, AGameWithoutMovesSavesABlankBlockAndLoadsBack) {
    GameRecord record;
    record.NameBottomHalf = "Ann";
    SaveGame(Path(), record);
    const std::string written = ReadBytes(Path());
    FileBytes expected;
    expected.PutHeader({.date = DateIn(written, 1), .bottom = "Ann", .flags = 1 + 8});
    expected.PutBlock(401, {}, 0);  // checksum 31: readable by every reader
    EXPECT_EQ(Difference(written, expected.bytes), "");
    EXPECT_EQ(Checksum(std::vector<int>(30, 0)), 31);

    GameRecord loaded;
    loaded.RecordNumber = 1;
    LoadGame(Path(), loaded, engine_);
    EXPECT_EQ(loaded.MoveCount, 0);
    EXPECT_EQ(loaded.MoveNumber, 1);

    // A header whose block was never written loads as well.
    FileBytes bare;
    bare.PutHeader({.flags = 1});
    WriteBytes(Path("bare.zgf"), bare.bytes);
    LoadGame(Path("bare.zgf"), loaded, engine_);
    EXPECT_EQ(loaded.MoveCount, 0);
}

TEST_F(Store, DeleteFreesSlotAndBlocksAndTheNextSaveReusesTheLowest) {
    const GameRecord a = RecordOf(LegalGame(engine_, 61, 1));
    const GameRecord b = RecordOf(LegalGame(engine_, 5, 2));
    GameRecord first = a, second = b;
    SaveGame(Path(), first);   // slot 1, blocks 401 and 402
    SaveGame(Path(), second);  // slot 2, block 403
    ASSERT_EQ(second.RecordNumber, 2);
    DeleteGame(Path(), 1);
    const std::string afterDelete = ReadBytes(Path());
    EXPECT_EQ(Difference(afterDelete.substr(0, 64), std::string(64, '\0')), "");
    EXPECT_EQ(Difference(afterDelete.substr(400 * 64, 128), std::string(128, '\0')), "");
    EXPECT_EQ(ReadGameList(Path()).size(), 1u);

    // Saving the second game again replaces its old copy and moves it down.
    SaveGame(Path(), second);
    EXPECT_EQ(second.RecordNumber, 1);
    const std::string bytes = ReadBytes(Path());
    EXPECT_EQ(Difference(bytes.substr(64, 64), std::string(64, '\0')), "");  // slot 2 freed
    EXPECT_EQ(Difference(bytes.substr(402 * 64, 64), std::string(64, '\0')),
              "");  // block 403 freed
    EXPECT_EQ(static_cast<uint8_t>(bytes[62]) | static_cast<uint8_t>(bytes[63]) << 8, 401);
    GameRecord loaded;
    loaded.RecordNumber = 1;
    LoadGame(Path(), loaded, engine_);
    EXPECT_EQ(loaded.MoveCount, 5);
}

TEST_F(Store, FormatMarkIsCheckedWhenListedNotWhenLoaded) {
    FileBytes file;
    file.PutHeader({.mark = 'X'});
    file.PutBlock(401, {}, 0);
    WriteBytes(Path(), file.bytes);
    EXPECT_EQ(ErrorOf([&] { ReadGameList(Path()); }), "Incorrect File Format!");
    GameRecord loaded;
    loaded.RecordNumber = 1;
    EXPECT_EQ(ErrorOf([&] { LoadGame(Path(), loaded, engine_); }), "");
}

TEST_F(Store, TheChecksumGuardsTheMoveWordsOnly) {
    const std::vector<int> moves = LegalGame(engine_, 4);
    FileBytes file;
    file.PutHeader({.moveNumber = 5, .moveCount = 4});
    file.PutBlock(401, moves, 0);
    FileBytes changedWord = file, changedLink = file, changedHeader = file;
    changedWord.bytes[400 * 64 + 2] ^= 1;
    changedLink.Put16(400 * 64 + 62, 0);
    changedHeader.Put16(52, 77);
    for (const auto& [bytes, error] :
         std::vector<std::pair<std::string, std::string>>{{changedWord.bytes, "Invalid Moves."},
                                                          {changedLink.bytes, ""},
                                                          {changedHeader.bytes, ""}}) {
        WriteBytes(Path(), bytes);
        GameRecord loaded;
        loaded.RecordNumber = 1;
        EXPECT_EQ(ErrorOf([&] { LoadGame(Path(), loaded, engine_); }), error);
    }
}

TEST_F(Store, NamesAreCutToTwentyTrimmedAndKeptInTheSingleByteCodePage) {
    // given name, the 20 bytes stored, the name read back
    for (const auto& [given, stored, back] :
         std::vector<std::tuple<std::string, std::string, std::string>>{
             {"  Alexander the Great of Macedon", "  Alexander the Grea", "Alexander the Grea"},
             {"Zoë €", "Zo\xEB \x80", "Zoë €"},
             {"日本 ok", "?? ok", "?? ok"},
             {"bad \xFF byte", "bad ? byte", "bad ? byte"},
             {"", "", ""}}) {
        GameRecord record;
        record.NameTopHalf = given;
        const std::string path = Path("names.zgf");
        std::remove(path.c_str());
        SaveGame(path, record);
        std::string expected = stored;
        expected.resize(20, ' ');
        EXPECT_EQ(ReadBytes(path).substr(10, 20), expected) << given;
        EXPECT_EQ(ReadGameList(path).at(0).NameTopHalf, back) << given;
    }
}

TEST_F(Store, LinkedBlocksAreNeverHandedOutEvenWhenTheirFirstWordIsZero) {
    // Game 1's first block starts with two moves of pit 0: a zero word.
    FileBytes file;
    file.PutHeader({.moveNumber = 3, .moveCount = 2});
    file.PutBlock(401, {0, 0}, 0);
    WriteBytes(Path(), file.bytes);
    GameRecord record = RecordOf(LegalGame(engine_, 2));
    SaveGame(Path(), record);
    const std::string bytes = ReadBytes(Path());
    EXPECT_EQ(Difference(bytes.substr(400 * 64, 64), file.bytes.substr(400 * 64, 64)), "");
    EXPECT_EQ(static_cast<uint8_t>(bytes[64 + 62]) | static_cast<uint8_t>(bytes[64 + 63]) << 8,
              402);

    // Deleting a game whose chain runs into another game's block leaves that block.
    FileBytes shared;
    shared.PutHeader({.moveNumber = 1, .moveCount = 61, .firstBlock = 401});
    shared.PutHeader({.slot = 2, .moveNumber = 1, .moveCount = 2, .firstBlock = 402});
    shared.PutBlock(401, std::vector<int>(60, 1), 402);
    shared.PutBlock(402, {1, 7}, 0);
    WriteBytes(Path("shared.zgf"), shared.bytes);
    DeleteGame(Path("shared.zgf"), 1);
    const std::string left = ReadBytes(Path("shared.zgf"));
    EXPECT_EQ(Difference(left.substr(400 * 64, 64), std::string(64, '\0')), "");
    EXPECT_EQ(Difference(left.substr(401 * 64, 64), shared.bytes.substr(401 * 64, 64)), "");
}

TEST_F(Store, AFullFileIsRefusedAndLeftAsItWas) {
    FileBytes fullSlots, blocks;
    for (int slot = 1; slot <= 400; ++slot)
        fullSlots.PutHeader({.slot = slot, .firstBlock = 401});
    fullSlots.PutBlock(401, {}, 0);
    // Every block up to 32767 holds a move in its first word.
    blocks.PutHeader({.slot = 1, .moveNumber = 1, .moveCount = 1});
    for (int block = 401; block <= 32767; ++block)
        blocks.PutBlock(block, {1}, 0);
    for (const std::string& bytes : {fullSlots.bytes, blocks.bytes}) {
        WriteBytes(Path(), bytes);
        GameRecord record;
        EXPECT_EQ(ErrorOf([&] { SaveGame(Path(), record); }), "No more room in Zeko Game File.");
        EXPECT_EQ(Difference(ReadBytes(Path()), bytes), "");
        EXPECT_EQ(record.RecordNumber, 0);
    }
}

TEST_F(Store, AGameFromASetUpPositionIsRefusedInTheCurrentLanguage) {
    GameRecord record;
    record.StandardStart = false;
    EXPECT_EQ(ErrorOf([&] { SaveGame(Path(), record); }),
              "A game from a set-up position cannot be saved.");
    settings::texts::SetCurrentLanguage(settings::kDutch);
    EXPECT_EQ(ErrorOf([&] { SaveGame(Path(), record); }),
              "Een partij vanuit een opgezette stelling kan niet worden opgeslagen.");
    EXPECT_EQ(ErrorOf([&] { ReadGameList(Path()); }), "Fout bij openen partijenbestand");
    settings::texts::SetCurrentLanguage(settings::kEnglish);
    EXPECT_FALSE(QFile::exists(QString::fromStdString(Path())));
}

TEST_F(Store, TheGameFileOnTheCommandLineIsTheFirstArgumentNamingAFile) {
    WriteBytes(Path(), "");
    WriteBytes(Path("with space.zgf"), "");
    const std::string dir = dir_.path().toStdString();
    // the arguments, the file taken
    for (const auto& [arguments, file] :
         std::vector<std::pair<std::vector<std::string>, std::string>>{
             {{}, ""},
             {{Path()}, Path()},
             {{"--x", Path("none.zgf"), Path()}, Path()},
             {{dir + "/with", "space.zgf"}, Path("with space.zgf")},
             {{dir}, ""},
             {{Path("none.zgf")}, ""}})
        EXPECT_EQ(GameFileArgument(arguments), file);
}

TEST(OleDate, DaysSinceTheEndOf1899InLocalTime) {
    // date, the value
    for (const auto& [time, value] :
         std::vector<std::pair<CivilTime, double>>{{{1899, 12, 30, 0, 0, 0}, 0.0},
                                                   {{1900, 1, 1, 6, 0, 0}, 2.25},
                                                   {{2000, 2, 29, 12, 0, 0}, 36585.5},
                                                   {{1899, 12, 29, 6, 0, 0}, -1.25}}) {
        EXPECT_DOUBLE_EQ(OleDateOf(time), value);
        const auto back = CivilTimeOf(value);
        ASSERT_TRUE(back);
        EXPECT_EQ(std::tuple(back->Year, back->Month, back->Day, back->Hour),
                  std::tuple(time.Year, time.Month, time.Day, time.Hour));
    }
    EXPECT_EQ(FormatOleDate(36585.99), "2000/02/29");
    EXPECT_EQ(FormatOleDate(std::numeric_limits<double>::quiet_NaN()), "");
    EXPECT_EQ(FormatOleDate(1e300), "");
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    EXPECT_EQ(CivilTimeOf(OleDateNow())->Hour, local.tm_hour);
}

}  // namespace
}  // namespace zeko::archive::testing
