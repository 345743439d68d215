// One game header as it lies in its slot, field by field.
#pragma once

#include <cstdint>
#include <string>

#include "archive/game_file_layout.h"

namespace zeko::archive {

struct GameHeader {
    int16_t RecordNumber = 0;
    double Date = 0;         // days since 30 December 1899, local time
    std::string TopName;     // kNameWidth single-byte characters
    std::string BottomName;  // kNameWidth single-byte characters
    uint16_t Flags = 0;      // HeaderFlag bits
    int16_t TimeLeft = 0;    // half-seconds
    uint8_t Level = 0;
    uint8_t Mark = 0;  // kFormatMark in a header of this format
    int16_t MoveNumber = 0;
    int16_t MoveCount = 0;
    uint16_t Scores = 0;  // top store × 64 + bottom store
    int16_t FirstBlock = 0;

    bool Has(HeaderFlag flag) const { return (Flags & flag) != 0; }

    static GameHeader Decode(const Record& record);
    Record Encode() const;
};

}  // namespace zeko::archive
