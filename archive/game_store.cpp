#include "archive/game_store.h"

#include <unistd.h>

#include <algorithm>
#include <bit>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <tuple>

#include "archive/game_header.h"
#include "archive/move_block.h"
#include "archive/ole_date.h"
#include "archive/store_error.h"
#include "archive/windows1252.h"
#include "game/skill_level.h"
#include "platform/file_write_lock.h"
#include "platform/numbered_error.h"

namespace zeko::archive {

namespace {

namespace fs = std::filesystem;

// What an operation needs of the file: to read it, to change it (it must
// exist), or to save into it (a missing one is made in an existing folder).
enum class OpenMode { Read, Change, Save };

constexpr unsigned kNewFileMode = 0644;
constexpr int kStoreShift = 6;  // scores: top store × 64 + bottom store
constexpr uint16_t kStoreMask = (1u << kStoreShift) - 1;
// No record lies beyond the last record number.
constexpr std::streamoff kMostBytes = static_cast<std::streamoff>(kLastRecord) * kRecordSize;
// Another writer holds the lock for milliseconds; waiting this long means it
// hangs, and the save is refused rather than the window frozen.
constexpr std::chrono::seconds kLockPatience{5};

[[noreturn]] void Fail(StoreError error) {
    throw MakeStoreError(error);
}

// Whether each record number is a move block that a stored game links to.
using LinkedBlocks = std::vector<bool>;

// The blocks reachable from the chains of all stored games (a chain is
// followed while its links stay among the move blocks and do not repeat).
LinkedBlocks LinkedMoveBlocks(const GameFileImage& file);

// Blanks the header in `recordNumber` and those blocks of its chain that no
// other stored game links to.
void ClearGameRecords(GameFileImage& file, int recordNumber);

// The lowest block from 401 on whose first word is 0 (or that lies beyond the
// end) and that no game links to; 0 when none is left below 32768.
int FindFreeBlock(const GameFileImage& file, const LinkedBlocks& linked);

// Refuses a file that cannot serve `mode`: no file where one must be, a
// folder or a device, or one (or, for a new file, its folder) that may not be
// written.
void CheckFile(const std::string& path, OpenMode mode) {
    std::error_code error;
    if (path.empty()) Fail(StoreError::Opening);
    if (mode == OpenMode::Save && !fs::exists(path, error)) {
        const fs::path file(path);
        const fs::path folder = file.has_parent_path() ? file.parent_path() : fs::path(".");
        if (!fs::is_directory(folder, error) || ::access(folder.c_str(), W_OK) != 0)
            Fail(StoreError::Opening);
        return;
    }
    if (!fs::is_regular_file(path, error)) Fail(StoreError::Opening);
    if (mode != OpenMode::Read && ::access(path.c_str(), W_OK) != 0) Fail(StoreError::Opening);
}

// The file's content up to its last possible record, whatever its length;
// a file to save into that is not there yet is empty.
GameFileImage ReadImage(const std::string& path, OpenMode mode) {
    std::error_code error;
    if (mode == OpenMode::Save && !fs::exists(path, error) && !error) return GameFileImage();
    std::ifstream in(path, std::ios::binary);
    if (!in) Fail(StoreError::Opening);
    in.seekg(0, std::ios::end);
    const std::streamoff size = in.tellg();
    in.seekg(0);
    if (!in || size < 0) Fail(StoreError::LoadingGame);
    std::string bytes(static_cast<std::size_t>(std::min(size, kMostBytes)), '\0');
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (in.bad()) Fail(StoreError::LoadingGame);
    bytes.resize(static_cast<std::size_t>(in.gcount()));
    return GameFileImage(std::move(bytes));
}

GameFileImage OpenGameFile(const std::string& fileName) {
    CheckFile(fileName, OpenMode::Read);
    return ReadImage(fileName, OpenMode::Read);
}

// The lock for changing the file that `fileName` names (its links followed).
std::unique_ptr<platform::FileWriteLock> LockGameFile(const std::string& fileName, OpenMode mode) {
    const std::string target = platform::WriteTarget(fileName);
    CheckFile(target, mode);
    auto lock = std::make_unique<platform::FileWriteLock>(target, kLockPatience);
    if (!lock->Held()) Fail(StoreError::Opening);
    return lock;
}

// A zero byte ends a name: other writers pad with them.
std::string TrimmedName(const std::string& field) {
    const std::string name = FromWindows1252(field.substr(0, field.find('\0')));
    const auto first = name.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    return name.substr(first, name.find_last_not_of(' ') - first + 1);
}

// The header's fields that the game record keeps.
void CopyHeader(const GameHeader& header, int slot, game::GameRecord& record) {
    record.RecordNumber = static_cast<int16_t>(slot);
    record.NameTopHalf = TrimmedName(header.TopName);
    record.NameBottomHalf = TrimmedName(header.BottomName);
    record.GameOver = header.Has(kFlagGameOver);
    record.TopToMove = header.Has(kFlagTopToMove);
    record.ComputerGame = header.Has(kFlagComputerGame);
    record.TimerOn = header.Has(kFlagTimerOn);
    record.Level = header.Level;
    record.MoveNumber = header.MoveNumber;
    record.MoveCount = header.MoveCount;
    record.TimeLeft = header.TimeLeft;
    record.GameDate = header.Date;
    record.StandardStart = true;
}

// A used slot as the game list shows it.
game::GameRecord ListedGame(const GameHeader& header, int slot) {
    game::GameRecord entry;
    CopyHeader(header, slot, entry);
    entry.Moves.clear();
    entry.Board[engine::kBottomStore] = header.Scores & kStoreMask;
    entry.Board[engine::kTopStore] = header.Scores >> kStoreShift;
    return entry;
}

bool SameListing(const game::GameRecord& a, const game::GameRecord& b) {
    const auto fields = [](const game::GameRecord& g) {
        return std::tuple(g.RecordNumber, g.NameTopHalf, g.NameBottomHalf, g.GameOver, g.TopToMove,
                          g.ComputerGame, g.TimerOn, g.Level, g.MoveNumber, g.MoveCount, g.TimeLeft,
                          std::bit_cast<uint64_t>(g.GameDate), g.Board[engine::kTopStore],
                          g.Board[engine::kBottomStore]);
    };
    return fields(a) == fields(b);
}

// Moves 1 to the header's MoveCount from its chain. Every block of the chain
// is read and checked, also after the last move.
std::vector<int16_t> ReadMoves(const GameFileImage& file, const GameHeader& header) {
    std::vector<int16_t> moves(static_cast<std::size_t>(header.MoveCount) + 1, 0);
    // A game without moves needs no block; files exist whose header names
    // one that was never written.
    if (header.MoveCount == 0) return moves;
    std::vector<bool> visited(kLastRecord + 1, false);
    int k = 0;
    int block = header.FirstBlock;
    do {
        if (block < kFirstMoveBlock || !file.Holds(block) || visited[static_cast<size_t>(block)])
            Fail(StoreError::LoadingMoves);
        visited[static_cast<size_t>(block)] = true;
        const MoveBlock b = MoveBlock::Decode(file.Read(block));
        if (!b.ChecksumHolds()) Fail(StoreError::InvalidMoves);
        for (const uint16_t word : b.Words) {
            if (k < header.MoveCount) moves[static_cast<size_t>(++k)] = word & kMoveMask;
            if (k < header.MoveCount) moves[static_cast<size_t>(++k)] = word >> kMoveBits;
        }
        block = b.Link;
    } while (block != 0);
    if (k < header.MoveCount) Fail(StoreError::LoadingMoves);
    return moves;
}

// Each move must be a pit that its side may play at that point of the game
// from the standard start, and none may follow the end of the game.
void CheckMovesLegal(const std::vector<int16_t>& moves, platform::EngineLibrary& engine) {
    engine::Board board = engine::kStartBoard;
    std::array<int32_t, engine::kTrackerPairSize> trackers{};
    bool over = false;
    for (std::size_t k = 1; k < moves.size(); ++k) {
        const int pit = moves[k];
        if (over || pit < 0 || pit >= engine::kPits) Fail(StoreError::InvalidMoves);
        const bool top = pit >= engine::kPitsPerRow;
        const engine::Board seen = top ? engine::rotateboard(board) : board;
        // Without the opening rule: it only narrows the first move.
        if (engine.checkmove(seen.data(), top ? pit - engine::kPitsPerRow : pit, 0) != 1)
            Fail(StoreError::InvalidMoves);
        over = engine.execmove(board.data(), pit, trackers.data()) != 0;
    }
}

// The game in `slot` as stored; none for a free slot or an unreadable chain.
std::optional<StoredGame> StoredGameIn(const GameFileImage& file, int slot) {
    if (slot < 1 || slot > kHeaderSlots) return {};
    const GameHeader header = GameHeader::Decode(file.Read(slot));
    if (!header.Has(kFlagInUse) || header.MoveCount < 0) return {};
    try {
        return StoredGame{file.Read(slot), ReadMoves(file, header)};
    } catch (const platform::NumberedError&) {
        return {};
    }
}

void WriteGameFile(const platform::FileWriteLock& lock, const GameFileImage& file,
                   const platform::FileCalls& calls, StoreError error) {
    if (!platform::ReplaceFileStart(lock, file.Bytes(), kNewFileMode, calls)) Fail(error);
}

int FreeSlot(const GameFileImage& file) {
    for (int slot = 1; slot <= kHeaderSlots; ++slot)
        if (!GameHeader::Decode(file.Read(slot)).Has(kFlagInUse)) return slot;
    return 0;
}

}  // namespace

std::vector<game::GameRecord> ReadGameList(const std::string& fileName) {
    return ReadGameList(OpenGameFile(fileName));
}

std::vector<game::GameRecord> ReadGameList(const GameFileImage& file) {
    std::vector<game::GameRecord> list;
    for (int slot = 1; slot <= kHeaderSlots; ++slot) {
        const GameHeader header = GameHeader::Decode(file.Read(slot));
        if (!header.Has(kFlagInUse)) continue;
        if (header.Mark != kFormatMark) Fail(StoreError::FileFormat);
        list.push_back(ListedGame(header, slot));
    }
    return list;
}

bool HeaderValuesHold(const game::GameRecord& g) {
    return g.Level >= game::kBeginner && g.Level <= game::kGrandmaster && g.MoveCount >= 0 &&
           g.MoveNumber >= 1 && g.MoveNumber <= g.MoveCount + 1 && g.TimeLeft >= 0;
}

StoredGame LoadGame(const std::string& fileName, game::GameRecord& record,
                    platform::EngineLibrary& engine) {
    if (record.RecordNumber < 1 || record.RecordNumber > kHeaderSlots)
        Fail(StoreError::LoadingGame);
    return LoadGame(OpenGameFile(fileName), record, engine);
}

StoredGame LoadGame(const GameFileImage& file, game::GameRecord& record,
                    platform::EngineLibrary& engine) {
    const int slot = record.RecordNumber;
    if (slot < 1 || slot > kHeaderSlots) Fail(StoreError::LoadingGame);
    const GameHeader header = GameHeader::Decode(file.Read(slot));
    game::GameRecord fields;
    CopyHeader(header, slot, fields);
    if (!header.Has(kFlagInUse) || !HeaderValuesHold(fields)) Fail(StoreError::InvalidGame);
    std::vector<int16_t> moves = ReadMoves(file, header);
    CheckMovesLegal(moves, engine);
    CopyHeader(header, slot, record);
    record.Moves = moves;
    return StoredGame{file.Read(slot), std::move(moves)};
}

StoredGame SaveGame(const std::string& fileName, game::GameRecord& record, const StoredGame& stored,
                    const platform::FileCalls& calls) {
    if (!record.StandardStart) Fail(StoreError::SetUpPosition);
    const auto lock = LockGameFile(fileName, OpenMode::Save);
    GameFileImage file = ReadImage(lock->Target(), OpenMode::Save);
    // The old copy goes only while its slot holds what was loaded or saved
    // there: another writer may have replaced it with another game.
    if (record.RecordNumber != 0 && StoredGameIn(file, record.RecordNumber) == stored)
        ClearGameRecords(file, record.RecordNumber);
    const int slot = FreeSlot(file);
    if (slot == 0) Fail(StoreError::NoRoom);
    LinkedBlocks linked = LinkedMoveBlocks(file);
    int block = FindFreeBlock(file, linked);
    if (block == 0) Fail(StoreError::NoRoom);

    GameHeader header;
    header.RecordNumber = static_cast<int16_t>(slot);
    header.Date = OleDateNow();
    header.TopName = ToWindows1252(record.NameTopHalf);
    header.BottomName = ToWindows1252(record.NameBottomHalf);
    header.Flags = kFlagInUse | (record.ComputerGame ? kFlagComputerGame : 0) |
                   (record.GameOver ? kFlagGameOver : 0) | (record.TimerOn ? kFlagTimerOn : 0) |
                   (record.TopToMove ? kFlagTopToMove : 0);
    header.TimeLeft = record.TimeLeft;
    header.Level = static_cast<uint8_t>(record.Level);
    header.Mark = kFormatMark;
    header.MoveNumber = record.MoveNumber;
    header.MoveCount = record.MoveCount;
    header.Scores = static_cast<uint16_t>(record.Board[engine::kTopStore] * (1 << kStoreShift) +
                                          record.Board[engine::kBottomStore]);
    header.FirstBlock = static_cast<int16_t>(block);
    file.Write(slot, header.Encode());

    // A game without moves still gets one blank block with a valid checksum,
    // so that every reader can load it.
    const int count =
        std::clamp<int>(record.MoveCount, 0, static_cast<int>(record.Moves.size()) - 1);
    const auto move = [&](int k) {
        return static_cast<uint16_t>(record.Moves[static_cast<std::size_t>(k)]);
    };
    int k = 0;
    do {
        MoveBlock b;
        for (uint16_t& word : b.Words) {
            ++k;
            word = k <= count ? move(k) : 0;
            ++k;
            if (k <= count) word = static_cast<uint16_t>(word + (move(k) << kMoveBits));
        }
        b.Checksum = MovesChecksum(b.Words);
        linked[static_cast<std::size_t>(block)] = true;
        int next = 0;
        if (k < count) {
            next = FindFreeBlock(file, linked);
            if (next == 0) Fail(StoreError::NoRoom);
            b.Link = static_cast<int16_t>(next);
        }
        file.Write(block, b.Encode());
        block = next;
    } while (k < count);

    WriteGameFile(*lock, file, calls, StoreError::SavingGame);
    record.RecordNumber = static_cast<int16_t>(slot);
    return StoredGameIn(file, slot).value_or(StoredGame{});
}

void DeleteGame(const std::string& fileName, int recordNumber, const game::GameRecord* listed,
                const platform::FileCalls& calls) {
    if (recordNumber < 1 || recordNumber > kHeaderSlots) Fail(StoreError::Deleting);
    const auto lock = LockGameFile(fileName, OpenMode::Change);
    GameFileImage file = ReadImage(lock->Target(), OpenMode::Change);
    const GameHeader header = GameHeader::Decode(file.Read(recordNumber));
    if (!header.Has(kFlagInUse) ||
        (listed != nullptr && !SameListing(ListedGame(header, recordNumber), *listed)))
        Fail(StoreError::InvalidGame);
    ClearGameRecords(file, recordNumber);
    WriteGameFile(*lock, file, calls, StoreError::Deleting);
}

namespace {

LinkedBlocks LinkedMoveBlocks(const GameFileImage& file) {
    LinkedBlocks linked(kLastRecord + 1, false);
    for (int slot = 1; slot <= kHeaderSlots; ++slot) {
        const GameHeader header = GameHeader::Decode(file.Read(slot));
        if (!header.Has(kFlagInUse)) continue;
        // A block already marked has had its chain followed.
        for (int block = header.FirstBlock;
             block >= kFirstMoveBlock && !linked[static_cast<std::size_t>(block)];
             block = MoveBlock::Decode(file.Read(block)).Link)
            linked[static_cast<std::size_t>(block)] = true;
    }
    return linked;
}

void ClearGameRecords(GameFileImage& file, int recordNumber) {
    const GameHeader header = GameHeader::Decode(file.Read(recordNumber));
    if (file.Holds(recordNumber)) file.Write(recordNumber, Record{});
    // What another game's chain reaches stays, also when this chain runs into it.
    const LinkedBlocks others = LinkedMoveBlocks(file);
    std::vector<bool> visited(kLastRecord + 1, false);
    for (int block = header.FirstBlock; block >= kFirstMoveBlock && file.Holds(block) &&
                                        !others[static_cast<std::size_t>(block)] &&
                                        !visited[static_cast<std::size_t>(block)];) {
        visited[static_cast<std::size_t>(block)] = true;
        const int next = MoveBlock::Decode(file.Read(block)).Link;
        file.Write(block, Record{});
        block = next;
    }
}

int FindFreeBlock(const GameFileImage& file, const LinkedBlocks& linked) {
    for (int block = kFirstMoveBlock; block <= kLastRecord; ++block) {
        if (linked[static_cast<std::size_t>(block)]) continue;
        if (!file.Holds(block) || GetWord(file.Read(block), kBlockWords) == 0) return block;
    }
    return 0;
}

}  // namespace

}  // namespace zeko::archive
