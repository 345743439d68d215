// The game file's fixed layout: 64-byte records addressed by number, 400
// header slots, then chained move blocks; all integers little-endian.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace zeko::archive {

inline constexpr int kRecordSize = 64;
inline constexpr int kHeaderSlots = 400;  // records 1-400
inline constexpr int kFirstMoveBlock = kHeaderSlots + 1;
inline constexpr int kLastRecord = 32767;  // record numbers are 16-bit
inline constexpr int kNameWidth = 20;      // characters, space-padded
inline constexpr int kWordsPerBlock = 30;
inline constexpr int kMovesPerBlock = 2 * kWordsPerBlock;
inline constexpr int kMoveBits = 6;  // a move word holds two moves of 6 bits
inline constexpr uint16_t kMoveMask = (1u << kMoveBits) - 1;
inline constexpr uint8_t kFormatMark = 0x43;  // "C"

using Record = std::array<uint8_t, kRecordSize>;

// Where each field of a game header starts.
enum HeaderOffset : std::size_t {
    kHeaderRecordNumber = 0,
    kHeaderDate = 2,  // IEEE 754 binary64
    kHeaderTopName = 10,
    kHeaderBottomName = 30,
    kHeaderFlags = 50,
    kHeaderTimeLeft = 52,
    kHeaderLevel = 54,  // one byte
    kHeaderMark = 55,   // one byte
    kHeaderMoveNumber = 56,
    kHeaderMoveCount = 58,
    kHeaderScores = 60,  // top store × 64 + bottom store
    kHeaderFirstBlock = 62,
};

// Where each part of a move block starts.
enum BlockOffset : std::size_t {
    kBlockWords = 0,
    kBlockChecksum = 60,
    kBlockLink = 62,
};

// The bits of a header's flags word.
enum HeaderFlag : uint16_t {
    kFlagInUse = 1,
    kFlagGameOver = 2,
    kFlagTopToMove = 4,
    kFlagComputerGame = 8,
    kFlagTimerOn = 16,
};

inline uint16_t GetWord(const Record& record, std::size_t offset) {
    return static_cast<uint16_t>(record[offset] | (record[offset + 1] << 8));
}

inline void PutWord(Record& record, std::size_t offset, uint16_t value) {
    record[offset] = static_cast<uint8_t>(value & 0xFF);
    record[offset + 1] = static_cast<uint8_t>(value >> 8);
}

}  // namespace zeko::archive
