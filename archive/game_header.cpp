#include "archive/game_header.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace zeko::archive {

namespace {

std::string NameAt(const Record& record, std::size_t offset) {
    return std::string(record.begin() + static_cast<std::ptrdiff_t>(offset),
                       record.begin() + static_cast<std::ptrdiff_t>(offset + kNameWidth));
}

// Left-aligned, cut at the width, padded with spaces.
void PutName(Record& record, std::size_t offset, const std::string& name) {
    std::fill_n(record.begin() + static_cast<std::ptrdiff_t>(offset), kNameWidth, ' ');
    std::copy_n(name.begin(), std::min<std::size_t>(name.size(), kNameWidth),
                record.begin() + static_cast<std::ptrdiff_t>(offset));
}

}  // namespace

GameHeader GameHeader::Decode(const Record& record) {
    GameHeader h;
    h.RecordNumber = static_cast<int16_t>(GetWord(record, kHeaderRecordNumber));
    uint64_t dateBits = 0;
    for (std::size_t i = 0; i < sizeof dateBits; ++i)
        dateBits |= static_cast<uint64_t>(record[kHeaderDate + i]) << (8 * i);
    h.Date = std::bit_cast<double>(dateBits);
    h.TopName = NameAt(record, kHeaderTopName);
    h.BottomName = NameAt(record, kHeaderBottomName);
    h.Flags = GetWord(record, kHeaderFlags);
    h.TimeLeft = static_cast<int16_t>(GetWord(record, kHeaderTimeLeft));
    h.Level = record[kHeaderLevel];
    h.Mark = record[kHeaderMark];
    h.MoveNumber = static_cast<int16_t>(GetWord(record, kHeaderMoveNumber));
    h.MoveCount = static_cast<int16_t>(GetWord(record, kHeaderMoveCount));
    h.Scores = GetWord(record, kHeaderScores);
    h.FirstBlock = static_cast<int16_t>(GetWord(record, kHeaderFirstBlock));
    return h;
}

Record GameHeader::Encode() const {
    Record record{};
    PutWord(record, kHeaderRecordNumber, static_cast<uint16_t>(RecordNumber));
    const auto dateBits = std::bit_cast<uint64_t>(Date);
    for (std::size_t i = 0; i < sizeof dateBits; ++i)
        record[kHeaderDate + i] = static_cast<uint8_t>(dateBits >> (8 * i));
    PutName(record, kHeaderTopName, TopName);
    PutName(record, kHeaderBottomName, BottomName);
    PutWord(record, kHeaderFlags, Flags);
    PutWord(record, kHeaderTimeLeft, static_cast<uint16_t>(TimeLeft));
    record[kHeaderLevel] = Level;
    record[kHeaderMark] = Mark;
    PutWord(record, kHeaderMoveNumber, static_cast<uint16_t>(MoveNumber));
    PutWord(record, kHeaderMoveCount, static_cast<uint16_t>(MoveCount));
    PutWord(record, kHeaderScores, Scores);
    PutWord(record, kHeaderFirstBlock, static_cast<uint16_t>(FirstBlock));
    return record;
}

}  // namespace zeko::archive
