// The game file store: up to 400 games in one file, listed, loaded, saved and
// deleted. Every operation reads the file anew, never more of it than its
// last record. Saving and deleting hold the file's write lock from before
// they read it until the new content, written beside the old file, has taken
// its place; so writers of this program never undo each other's work, and a
// failure at any step leaves the file as it was. Failures raise a
// NumberedError (source "Zeko", StoreError codes).
#pragma once

#include <string>
#include <vector>

#include "archive/game_file_image.h"
#include "archive/stored_game.h"
#include "game/game_record.h"
#include "platform/atomic_file.h"
#include "platform/engine_library.h"

namespace zeko::archive {

// The same two on a file's content already read; they raise the same errors.
std::vector<game::GameRecord> ReadGameList(const GameFileImage& file);
StoredGame LoadGame(const GameFileImage& file, game::GameRecord& record,
                    platform::EngineLibrary& engine);

// The games in slot order, header fields only: RecordNumber is the slot,
// names trimmed, cells 12 and 13 of Board hold the stores, Moves stay empty.
std::vector<game::GameRecord> ReadGameList(const std::string& fileName);

// Loads the game in slot record.RecordNumber into `record`: its header fields
// and Moves. The game is checked whole first (header values in range, every
// block's checksum, the chain without loops, every move legal from the
// standard start), and `record` changes only when all of it holds. Returns
// the slot as read, for a later save in place.
StoredGame LoadGame(const std::string& fileName, game::GameRecord& record,
                    platform::EngineLibrary& engine);

// Stores `record` in the lowest free slot; on return RecordNumber is the slot
// used. A game with a RecordNumber replaces its old copy there when that slot
// still holds `stored` (what LoadGame or the last SaveGame returned); else
// it is stored as a new game and nothing is removed. Returns the slot as
// written. A game that began from a set-up position is refused: the file
// keeps no start position.
StoredGame SaveGame(const std::string& fileName, game::GameRecord& record,
                    const StoredGame& stored = {},
                    const platform::FileCalls& calls = platform::SystemFileCalls());

// Removes the game in slot `recordNumber` and frees its blocks. An empty
// slot, or one that no longer holds the game `listed` by ReadGameList, is
// refused ("Invalid Game.") and nothing is removed.
void DeleteGame(const std::string& fileName, int recordNumber,
                const game::GameRecord* listed = nullptr,
                const platform::FileCalls& calls = platform::SystemFileCalls());

// Whether a listed or loaded game's header values are in range: level 1-9,
// a move count of at least 0, the next move's number from 1 to one past the
// count, no negative time. A game without them cannot be loaded.
bool HeaderValuesHold(const game::GameRecord& game);

}  // namespace zeko::archive
