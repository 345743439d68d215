// The store against files built byte by byte from the format: what it reads
// from them, the bytes it writes, slot and block reuse, names and dates; and
// damaged or hostile files, each refused with its error, the game record kept.
// Saving and deleting never lose data: a failure at any write, flush or
// rename, or a file that may not be written, leaves the file byte for byte as
// it was, no stray file beside it, and an error; a writer killed in the middle
// leaves nothing that stays.
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <random>
#include <thread>

#include "archive/game_file_argument.h"
#include "archive/game_list_columns.h"
#include "archive/game_store.h"
#include "archive/ole_date.h"
#include "platform/numbered_error.h"
#include "settings/text_table.h"
#include "tests/archive/game_file_bytes.h"
#include "tests/support/test_home.h"

namespace zeko::archive::testing {
namespace {

using game::GameRecord;
using zeko::testing::ReadFile;
using zeko::testing::WriteFile;

class Store : public ::testing::Test {
  protected:
    std::string Path(const std::string& name = "games.zgf") const {
        return dir_.path().toStdString() + "/" + name;
    }
    // The text of the error an action raises; empty when none.
    static std::string ErrorOf(const std::function<void()>& action) {
        try {
            action();
        } catch (const platform::NumberedError& error) {
            EXPECT_EQ(error.Source(), "Zeko");
            return error.Description();
        }
        return {};
    }
    // The files in the folder, hidden ones too.
    QStringList Files() const {
        return QDir(dir_.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name);
    }
    GameRecord Load(const std::string& path, int slot) {
        GameRecord record;
        record.RecordNumber = static_cast<int16_t>(slot);
        LoadGame(path, record, engine_);
        return record;
    }

    QTemporaryDir dir_;
    platform::EngineLibrary engine_;
};

TEST_F(Store, SavesHeaderAndBlocksByteForByteAndReadsThemBack) {
    // moves; the flags word (in use, game over, top to move, computer game,
    // timed); the top half's name given, its 20 bytes stored (cut, in the
    // single-byte code page) and the name read back (trimmed)
    for (const auto& [length, flags, given, stored, back] :
         std::vector<std::tuple<int, int, std::string, std::string, std::string>>{
             {3, 1 + 4 + 8 + 16,  // the last word half used
              "  Alexander the Great of Macedon", "  Alexander the Grea", "Alexander the Grea"},
             {61, 1 + 2, "Zoë €", "Zo\xEB \x80", "Zoë €"},   // two blocks
             {0, 1 + 8, "日本 ok 😀", "?? ok ?", "?? ok ?"},  // one blank block
             {1, 1 + 16, "bad \xFF byte", "bad ? byte", "bad ? byte"}}) {
        SCOPED_TRACE(length);
        const std::vector<int> moves = length > 0 ? LegalGame(engine_, length) : std::vector<int>();
        const bool over = flags & 2, top = flags & 4, computer = flags & 8, timed = flags & 16;
        GameRecord record = RecordOf(moves);
        std::tie(record.ComputerGame, record.TimerOn, record.TopToMove, record.GameOver,
                 record.TimeLeft, record.Level, record.NameBottomHalf, record.NameTopHalf) =
            std::tuple(computer, timed, top, over, 1234, 5, "Ann", given);
        std::tie(record.Board[engine::kTopStore], record.Board[engine::kBottomStore]) =
            std::pair(3, 45);
        const std::string path = Path(std::to_string(length) + ".zgf");
        SaveGame(path, record);
        const GameRecord listed = ReadGameList(path).at(0);
        const double date = listed.GameDate;
        EXPECT_NEAR(date, OleDateNow(), 2.0 / (24 * 60 * 60));  // two seconds
        FileBytes expected;
        expected.PutHeader({1, date, stored.c_str(), "Ann", flags, 1234, 5, 0x43, length + 1,
                            length, 3 * 64 + 45});
        expected.PutMoves(401, moves);
        if (moves.empty()) expected.PutBlock(401, {}, 0);  // checksum 31, readable by all
        EXPECT_EQ(Difference(ReadFile(path), expected.bytes), "");
        EXPECT_EQ(record.RecordNumber, 1);
        EXPECT_EQ(std::tuple(listed.ComputerGame, listed.TimerOn, listed.TopToMove, listed.GameOver,
                             listed.Board[13], listed.Board[12], listed.NameTopHalf),
                  std::tuple(computer, timed, top, over, 45, 3, back));
        const GameRecord loaded = Load(path, 1);
        record.Moves.resize(static_cast<std::size_t>(length) + 1);
        EXPECT_EQ(std::tuple(loaded.Moves, loaded.MoveNumber, loaded.TimeLeft, loaded.Level,
                             loaded.GameDate),
                  std::tuple(record.Moves, length + 1, 1234, 5, date));
    }
}

TEST_F(Store, ReadsFilesBuiltFromTheFormat) {
    const std::vector<int> moves = LegalGame(engine_, 7);
    FileBytes file;
    file.PutHeader(
        {3, 45123.75, "  Bob  ", "Z\xEB\x80", 1 + 8 + 16, 600, 9, 0x43, 5, 7, 10 * 64 + 7, 405});
    file.PutHeader({.slot = 7, .flags = 0, .mark = 'X'});  // free: its mark does not count
    file.PutMoves(405, moves);
    // A header whose block was never written: a game without moves; its
    // name padded with zero bytes, which end it.
    file.PutHeader({.slot = 9, .firstBlock = 900});
    file.bytes.replace(8 * 64 + 10, 20, std::string("Bo\x01\0Z", 5) + std::string(15, '\0'));
    file.PutHeader({.slot = 12, .moveCount = -3});  // damaged
    WriteFile(Path(), file.bytes);

    const std::vector<GameRecord> list = ReadGameList(Path());
    ASSERT_EQ(list.size(), 3u);
    EXPECT_EQ(list[1].NameTopHalf, "Bo?");
    const GameListRow damaged =
        GameListColumns(list[2], [](int n) { return settings::texts::GetText(n); });
    EXPECT_EQ(damaged[kColumnMoves] + damaged[kColumnLevel], "Invalid Game.");
    const GameRecord& e = list[0];
    EXPECT_EQ(std::tuple(e.RecordNumber, e.NameTopHalf, e.NameBottomHalf, e.ComputerGame, e.TimerOn,
                         e.GameOver, e.TopToMove, e.TimeLeft, e.Level, e.MoveNumber, e.MoveCount,
                         e.Board[13], e.Board[12], FormatOleDateTime(e.GameDate), e.Moves.empty()),
              std::tuple(3, "Bob", "Zë€", true, true, false, false, 600, 9, 5, 7, 7, 10,
                         "2023/07/16 18:00:00", true));
    const GameRecord loaded = Load(Path(), 3);
    EXPECT_EQ(std::vector<int>(loaded.Moves.begin() + 1, loaded.Moves.end()), moves);
    EXPECT_EQ(Load(Path(), 9).MoveCount, 0);
    // A header of a game in use without the format's mark makes no game file.
    file.bytes[2 * 64 + 55] = 'X';
    WriteFile(Path(), file.bytes);
    EXPECT_EQ(ErrorOf([&] { ReadGameList(Path()); }), "Incorrect File Format!");
}

TEST_F(Store, DeletesAndSavesInPlaceFreeOnlyTheirOwnGameAndReuseTheLowestPlaces) {
    GameRecord first = RecordOf(LegalGame(engine_, 61, 1));
    GameRecord second = RecordOf(LegalGame(engine_, 5, 2));
    SaveGame(Path(), first);                       // slot 1, blocks 401 and 402
    StoredGame stored = SaveGame(Path(), second);  // slot 2, block 403
    DeleteGame(Path(), 1);
    const std::string zero(64, '\0');
    std::string bytes = ReadFile(Path());
    EXPECT_EQ(Difference(bytes.substr(0, 64) + bytes.substr(400 * 64, 128), zero + zero + zero),
              "");
    // Saved again, the second game replaces its old copy in the lowest places.
    stored = SaveGame(Path(), second, stored);
    EXPECT_EQ(second.RecordNumber, 1);
    bytes = ReadFile(Path());
    EXPECT_EQ(Difference(bytes.substr(64, 64) + bytes.substr(402 * 64, 64), zero + zero), "");
    EXPECT_EQ(bytes.substr(62, 2), std::string("\x91\x01", 2));  // block 401
    EXPECT_EQ(Load(Path(), 1).MoveCount, 5);
    // Another writer puts its own game into that slot: a save in place and a
    // delete of the game as listed before leave it there.
    const GameRecord listed = ReadGameList(Path()).at(0);
    DeleteGame(Path(), 1);
    GameRecord other = RecordOf(LegalGame(engine_, 3, 3));
    SaveGame(Path(), other);
    SaveGame(Path(), second, stored);
    EXPECT_EQ(second.RecordNumber, 2);
    EXPECT_EQ(ErrorOf([&] { DeleteGame(Path(), 1, &listed); }), "Invalid Game.");
    EXPECT_EQ(Load(Path(), 1).MoveCount, 3);
}

TEST_F(Store, LinkedBlocksAreNeverHandedOutOrBlankedForAnother) {
    // Game 1's block starts with two moves of pit 0, a zero word; game 2's
    // chain runs into game 3's block.
    FileBytes file;
    file.PutHeader({.moveNumber = 3, .moveCount = 2});
    file.PutBlock(401, {0, 0}, 0);
    file.PutHeader({.slot = 2, .moveCount = 61, .firstBlock = 402});
    file.PutHeader({.slot = 3, .moveCount = 2, .firstBlock = 403});
    file.PutBlock(402, std::vector<int>(60, 1), 403);
    file.PutBlock(403, {1, 7}, 0);
    WriteFile(Path(), file.bytes);
    GameRecord record = RecordOf(LegalGame(engine_, 2));
    SaveGame(Path(), record);
    EXPECT_EQ(ReadFile(Path()).substr(3 * 64 + 62, 2), std::string("\x94\x01", 2));  // block 404
    DeleteGame(Path(), 2);
    std::string kept = file.bytes.substr(400 * 64, 3 * 64);  // game 2's own block blanked
    std::fill_n(kept.begin() + 64, 64, '\0');
    EXPECT_EQ(Difference(ReadFile(Path()).substr(400 * 64, 3 * 64), kept), "");
}

TEST_F(Store, RefusalsLeaveTheFileAsItWas) {
    FileBytes noSlot, noBlock;
    for (int slot = 1; slot <= 400; ++slot)
        noSlot.PutHeader({.slot = slot});
    noBlock.PutHeader({.moveCount = 1});
    for (int block = 401; block <= 32767; ++block)
        noBlock.PutBlock(block, {1}, 0);
    GameRecord setUp;
    setUp.StandardStart = false;
    const std::string room = "No more room in Zeko Game File.",
                      setUpError = "A game from a set-up position cannot be saved.";
    // the file, its bytes (none: not there), the game, the error
    for (const auto& [name, bytes, record, error] :
         std::vector<std::tuple<std::string, std::string, GameRecord, std::string>>{
             {"games.zgf", noSlot.bytes, GameRecord(), room},
             {"games.zgf", noBlock.bytes, GameRecord(), room},
             {"games.zgf", noSlot.bytes, setUp, setUpError},
             {"no/folder.zgf", "", setUp, setUpError},  // refused before it is opened
             {"no/folder.zgf", "", GameRecord(), "Error opening Zeko Game File."}}) {
        if (!bytes.empty()) WriteFile(Path(name), bytes);
        GameRecord game = record;
        EXPECT_EQ(ErrorOf([&] { SaveGame(Path(name), game); }), error);
        EXPECT_EQ(Difference(ReadFile(Path(name)), bytes), "");
        EXPECT_EQ(game.RecordNumber, 0);
    }
    settings::texts::SetCurrentLanguage(settings::kDutch);
    EXPECT_EQ(ErrorOf([&] { SaveGame(Path("new.zgf"), setUp); }),
              "Een partij vanuit een opgezette stelling kan niet worden opgeslagen.");
    settings::texts::SetCurrentLanguage(settings::kEnglish);
    WriteFile(Path("empty.zgf"), "");
    EXPECT_TRUE(ReadGameList(Path("empty.zgf")).empty());
}

TEST_F(Store, SavesAndDeletesThroughSymbolicLinksIntoTheirTargets) {
    // A link to a link to a file not there yet, in a folder that is.
    std::filesystem::create_directory(Path("other"));
    std::filesystem::create_symlink("other/games.zgf", Path("link.zgf"));
    std::filesystem::create_symlink("link.zgf", Path("chain.zgf"));
    GameRecord record;
    SaveGame(Path("chain.zgf"), record);
    EXPECT_TRUE(std::filesystem::is_symlink(Path("chain.zgf")));
    EXPECT_EQ(ReadGameList(Path("other/games.zgf")).size(), 1u);
    DeleteGame(Path("chain.zgf"), record.RecordNumber);
    EXPECT_TRUE(ReadGameList(Path("other/games.zgf")).empty());
    std::filesystem::create_symlink("loop.zgf", Path("loop.zgf"));
    EXPECT_EQ(ErrorOf([&] { SaveGame(Path("loop.zgf"), record); }),
              "Error opening Zeko Game File.");
}

TEST_F(Store, DatesAndTheCommandLinesFile) {
    // date, OLE Automation value, as shown
    for (const auto& [time, value, shown] : std::vector<std::tuple<CivilTime, double, std::string>>{
             {{1899, 12, 30, 0, 0, 0}, 0.0, "1899/12/30 00:00:00"},
             {{2000, 2, 29, 12, 0, 0}, 36585.5, "2000/02/29 12:00:00"},
             {{1899, 12, 29, 6, 0, 0}, -1.25, "1899/12/29 06:00:00"}}) {
        EXPECT_DOUBLE_EQ(OleDateOf(time), value);
        EXPECT_EQ(FormatOleDateTime(value), shown);
    }
    EXPECT_EQ(FormatOleDate(std::numeric_limits<double>::quiet_NaN()) + FormatOleDate(1e300), "");
    EXPECT_EQ(FormatOleDateTime(OleDateNow()).substr(0, 13),
              QDateTime::currentDateTime().toString("yyyy/MM/dd hh").toStdString());

    WriteFile(Path(), "");
    WriteFile(Path("with space.zgf"), "");
    const std::string dir = dir_.path().toStdString();
    // the arguments, the file taken
    for (const auto& [arguments, file] :
         std::vector<std::pair<std::vector<std::string>, std::string>>{
             {{}, ""},
             {{"--x", Path("none.zgf"), Path()}, Path()},
             {{dir + "/with", "space.zgf"}, Path("with space.zgf")},
             {{dir}, ""}})
        EXPECT_EQ(GameFileArgument(arguments), file);
}

TEST_F(Store, EachFaultInADamagedFileIsRefusedAndTheRecordKept) {
    const std::vector<int> moves = LegalGame(engine_, 64);
    FileBytes sound;  // game 1: 64 moves in blocks 401 and 402
    sound.PutHeader({.moveNumber = 65, .moveCount = 64});
    sound.PutMoves(401, moves);
    using Change = std::function<void(FileBytes&)>;
    // A word set: in the header 52 holds the time left, 54 the level (the
    // mark above it), 56 the move number, 58 the move count, 62 the first
    // block; 62 of a block its link.
    const auto put = [](std::size_t offset, int value) -> Change {
        return [=](FileBytes& f) { f.Put16(offset, value); };
    };
    constexpr std::size_t link401 = 400 * 64 + 62, link402 = 401 * 64 + 62;
    const auto cut = [](std::size_t size) -> Change {
        return [=](FileBytes& f) { f.bytes.resize(size); };
    };
    const auto withMoves = [](std::vector<int> changed) -> Change {
        const int n = static_cast<int>(changed.size());
        return [=](FileBytes& f) {
            f = FileBytes();
            f.PutHeader({.moveNumber = n + 1, .moveCount = n});
            f.PutMoves(401, changed);
        };
    };
    std::vector<int> above = moves, again = moves, finished = LegalGame(engine_, 0);
    above[3] = 12;
    again[1] = moves[0];  // the same pit, now empty
    finished.push_back(finished.back() < 6 ? 6 : 0);
    const std::string game = "Invalid Game.", chain = "Error loading moves.",
                      bad = "Invalid Moves.";
    // what, the change, the slot asked for, the error
    for (const auto& [what, change, slot, error] :
         std::vector<std::tuple<const char*, Change, int, std::string>>{
             {"free slot", {}, 2, game},
             {"slot 0", {}, 0, "Error loading game."},
             {"slot 401", {}, 401, "Error loading game."},
             {"level 0", put(54, 'C' * 256), 1, game},
             {"level 10", put(54, 'C' * 256 + 10), 1, game},
             {"move number 0", put(56, 0), 1, game},
             {"move number past the end", put(56, 66), 1, game},
             {"negative move count", put(58, -3), 1, game},
             {"negative time", put(52, -1), 1, game},
             {"more moves than the chain", put(58, 130), 1, chain},
             {"blocks in a circle", put(link402, 401), 1, chain},
             {"link into the headers", put(link401, 5), 1, chain},
             {"first block 0", put(62, 0), 1, chain},
             {"file ends before a block", cut(401 * 64), 1, chain},
             {"file ends inside a block", cut(401 * 64 + 3), 1, bad},
             {"file ends inside the header", cut(30), 1, game},
             {"move above 11", withMoves(above), 1, bad},
             {"a move changed, not its checksum", [](FileBytes& f) { f.bytes[400 * 64 + 2] ^= 1; },
              1, bad},
             {"the same pit again", withMoves(again), 1, bad},
             {"move after the end", withMoves(finished), 1, bad},
         }) {
        SCOPED_TRACE(what);
        FileBytes file = sound;
        if (change) change(file);
        WriteFile(Path(), file.bytes);
        GameRecord record = RecordOf({3});
        record.NameTopHalf = "kept";
        record.RecordNumber = static_cast<int16_t>(slot);
        const GameRecord before = record;
        EXPECT_EQ(ErrorOf([&] { LoadGame(Path(), record, engine_); }), error);
        EXPECT_EQ(
            std::tuple(record.Moves, record.NameTopHalf, record.MoveCount, record.MoveNumber),
            std::tuple(before.Moves, before.NameTopHalf, before.MoveCount, before.MoveNumber));
    }
}

enum class Step { Write, Flush, Rename, None };
constexpr std::size_t kPiece = 4096;  // writes go in pieces, so each can fail

// unnamed: whether the file system makes copies without a name; each write
// waits `slow` first.
platform::FileCalls Failing(Step step, int failingWrite, int& writes, bool unnamed,
                            std::chrono::microseconds slow = {}) {
    const platform::FileCalls& system = platform::SystemFileCalls();
    return {[=, &writes](int fd, const char* data, std::size_t size) -> long {
                if (step == Step::Write && ++writes == failingWrite) return errno = ENOSPC, -1;
                std::this_thread::sleep_for(slow);
                return ::write(fd, data, std::min(size, kPiece));
            },
            [=](int fd) { return step == Step::Flush ? (errno = EIO, -1) : ::fsync(fd); },
            [=](const char* from, const char* to) {
                return step == Step::Rename ? (errno = EXDEV, -1) : ::rename(from, to);
            },
            [=](const char* folder, unsigned mode) {
                return unnamed ? system.OpenUnnamed(folder, mode) : (errno = EOPNOTSUPP, -1);
            }};
}

using Faults = Store;

TEST_F(Faults, AFailedSaveOrDeleteLeavesTheFileAsItWas) {
    const std::string scratch = Path("scratch.zgf");
    GameRecord record = RecordOf(LegalGame(engine_, 61, 1));
    SaveGame(Path(), record);
    record = RecordOf(LegalGame(engine_, 9, 2));
    const StoredGame stored = SaveGame(Path(), record);
    const GameRecord second = record;
    const std::string before = zeko::testing::ReadFile(Path());
    // Save replaces the game in slot 2, delete removes slot 1; with and
    // without unnamed copies.
    const auto run = [&](const std::string& file, bool save, const platform::FileCalls& calls) {
        record = second;
        save ? (void)SaveGame(file, record, stored, calls) : DeleteGame(file, 1, nullptr, calls);
    };
    for (const bool unnamed : {true, false}) {
        for (const bool save : {true, false}) {
            int writes = 0;
            zeko::testing::WriteFile(scratch, before);
            run(scratch, save, Failing(Step::None, 0, writes, unnamed));
            std::vector<std::pair<Step, int>> faults = {{Step::Flush, 0}, {Step::Rename, 0}};
            for (int n = 1; n <= writes; ++n)
                faults.emplace_back(Step::Write, n);
            for (const auto& [step, failingWrite] : faults) {
                SCOPED_TRACE(::testing::Message()
                             << static_cast<int>(step) << failingWrite << save << unnamed);
                writes = 0;
                EXPECT_THROW(run(Path(), save, Failing(step, failingWrite, writes, unnamed)),
                             platform::NumberedError);
                EXPECT_EQ(Difference(zeko::testing::ReadFile(Path()), before), "");
                EXPECT_EQ(record.RecordNumber, 2);
                EXPECT_EQ(Files(), QStringList({".games.zgf.lock", ".scratch.zgf.lock", "games.zgf",
                                                "scratch.zgf"}));
            }
        }
    }
    EXPECT_EQ(ReadGameList(scratch).size(), 1u);
}

TEST_F(Faults, WritersKilledInTheMiddleLeaveNoStrayFile) {
    GameRecord kept = RecordOf(LegalGame(engine_, 61, 1));
    SaveGame(Path(), kept);
    std::mt19937 random(7);
    for (int round = 0; round < 40; ++round) {
        const pid_t writer = ::fork();
        if (writer == 0) {
            // A writer outlives no test, not even one killed for taking too long.
            ::prctl(PR_SET_PDEATHSIG, SIGKILL);
            // Slow writes, so that the kill comes while the copy is made.
            int writes = 0;
            const platform::FileCalls calls =
                Failing(Step::None, 0, writes, round % 2 == 0, std::chrono::microseconds(500));
            try {
                for (;;) {
                    GameRecord record = RecordOf(LegalGame(engine_, 9, 2));
                    SaveGame(Path(), record, {}, calls);
                    DeleteGame(Path(), record.RecordNumber, nullptr, calls);
                }
            } catch (...) {
                ::_exit(1);
            }
        }
        std::this_thread::sleep_for(std::chrono::microseconds(random() % 8000));
        ::kill(writer, SIGKILL);
        ::waitpid(writer, nullptr, 0);
    }
    // The next writer clears what a killed one may have left.
    GameRecord last = RecordOf(LegalGame(engine_, 3, 3));
    SaveGame(Path(), last);
    EXPECT_EQ(Files(), QStringList({".games.zgf.lock", "games.zgf"}));
    ASSERT_GE(ReadGameList(Path()).size(), 2u);
    for (GameRecord game : ReadGameList(Path()))
        EXPECT_NO_THROW(LoadGame(Path(), game, engine_));
}

TEST_F(Faults, AFileOrFolderThatMayNotBeWrittenIsNotTouched) {
    if (::geteuid() == 0) GTEST_SKIP() << "permissions do not bind the superuser";
    GameRecord record;
    SaveGame(Path(), record);
    const std::string before = zeko::testing::ReadFile(Path());
    ASSERT_EQ(::chmod(Path().c_str(), 0444), 0);
    EXPECT_THROW(SaveGame(Path(), record), platform::NumberedError);
    EXPECT_THROW(DeleteGame(Path(), 1), platform::NumberedError);
    ASSERT_EQ(::chmod(dir_.path().toLocal8Bit(), 0555), 0);
    EXPECT_THROW(SaveGame(Path("new.zgf"), record), platform::NumberedError);
    ::chmod(dir_.path().toLocal8Bit(), 0755);
    EXPECT_EQ(zeko::testing::ReadFile(Path()), before);
}

}  // namespace
}  // namespace zeko::archive::testing
