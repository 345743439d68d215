// A game as its slot held it when it was read or written: the header's bytes
// and the moves of its chain. Saving replaces a game in place only while its
// slot still holds the same, so that a game another writer has put there
// meanwhile is never removed.
#pragma once

#include <cstdint>
#include <vector>

#include "archive/game_file_layout.h"

namespace zeko::archive {

struct StoredGame {
    Record Header{};
    std::vector<int16_t> Moves;  // 1 to the header's move count; index 0 unused

    bool operator==(const StoredGame&) const = default;
};

}  // namespace zeko::archive
