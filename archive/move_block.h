// One move block: thirty words of two moves each, their checksum and the
// record number of the next block of the same game (0 for the last).
#pragma once

#include <array>
#include <cstdint>

#include "archive/game_file_layout.h"

namespace zeko::archive {

using MoveWords = std::array<uint16_t, kWordsPerBlock>;

// The XOR of (word j + j) mod 65536 over j = 1 to 30.
uint16_t MovesChecksum(const MoveWords& words);

struct MoveBlock {
    MoveWords Words{};
    uint16_t Checksum = 0;
    int16_t Link = 0;

    bool ChecksumHolds() const { return MovesChecksum(Words) == Checksum; }

    static MoveBlock Decode(const Record& record);
    Record Encode() const;
};

}  // namespace zeko::archive
