#include "archive/move_block.h"

namespace zeko::archive {

uint16_t MovesChecksum(const MoveWords& words) {
    uint16_t checksum = 0;
    for (std::size_t j = 1; j <= words.size(); ++j)
        checksum ^= static_cast<uint16_t>(words[j - 1] + j);
    return checksum;
}

MoveBlock MoveBlock::Decode(const Record& record) {
    MoveBlock block;
    for (std::size_t j = 0; j < block.Words.size(); ++j)
        block.Words[j] = GetWord(record, kBlockWords + 2 * j);
    block.Checksum = GetWord(record, kBlockChecksum);
    block.Link = static_cast<int16_t>(GetWord(record, kBlockLink));
    return block;
}

Record MoveBlock::Encode() const {
    Record record{};
    for (std::size_t j = 0; j < Words.size(); ++j)
        PutWord(record, kBlockWords + 2 * j, Words[j]);
    PutWord(record, kBlockChecksum, Checksum);
    PutWord(record, kBlockLink, static_cast<uint16_t>(Link));
    return record;
}

}  // namespace zeko::archive
