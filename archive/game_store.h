// The game file store: up to 400 games in one file, listed, loaded, saved and
// deleted. Every operation reads the file anew; saving and deleting write the
// whole new content beside the old file and put it in its place, so a failure
// at any step leaves the file as it was. Failures raise a NumberedError
// (source "Zeko", StoreError codes).
#pragma once

#include <string>
#include <vector>

#include "archive/game_file_image.h"
#include "game/game_record.h"
#include "platform/atomic_file.h"
#include "platform/engine_library.h"

namespace zeko::archive {

// The same two on a file's content already read; they raise the same errors.
std::vector<game::GameRecord> ReadGameList(const GameFileImage& file);
void LoadGame(const GameFileImage& file, game::GameRecord& record, platform::EngineLibrary& engine);

// Whether each record number is a move block that a stored game links to.
using LinkedBlocks = std::vector<bool>;

// The games in slot order, header fields only: RecordNumber is the slot,
// names trimmed, cells 12 and 13 of Board hold the stores, Moves stay empty.
std::vector<game::GameRecord> ReadGameList(const std::string& fileName);

// Loads the game in slot record.RecordNumber into `record`: its header fields
// and Moves. The game is checked whole first (header values in range, every
// block's checksum, the chain without loops, every move legal from the
// standard start), and `record` changes only when all of it holds.
void LoadGame(const std::string& fileName, game::GameRecord& record,
              platform::EngineLibrary& engine);

// Stores `record` in the lowest free slot, replacing its old copy when it has
// a RecordNumber; on return RecordNumber is the slot used. A game that began
// from a set-up position is refused: the file keeps no start position.
void SaveGame(const std::string& fileName, game::GameRecord& record,
              const platform::FileCalls& calls = platform::SystemFileCalls());

// Removes the game in slot `recordNumber` and frees its blocks.
void DeleteGame(const std::string& fileName, int recordNumber,
                const platform::FileCalls& calls = platform::SystemFileCalls());

// The blocks reachable from the chains of all stored games (a chain is
// followed while its links stay among the move blocks and do not repeat).
LinkedBlocks LinkedMoveBlocks(const GameFileImage& file);

// Blanks the header in `recordNumber` and those blocks of its chain that no
// other stored game links to. False for a slot outside 1-400.
bool ClearGameRecords(GameFileImage& file, int recordNumber);

// The lowest block from 401 on whose first word is 0 (or that lies beyond the
// end) and that no game links to; 0 when none is left below 32768.
int FindFreeBlock(const GameFileImage& file, const LinkedBlocks& linked);

}  // namespace zeko::archive
