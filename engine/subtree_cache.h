// The values of shallow subtrees already searched within one search. With few
// stones on the board the same position is reached again and again by other
// orders of the same moves; the search then takes its value from here instead
// of searching it again. Only subtrees that never look at the message queue
// are kept, so the looks, and everything a look can see, stay as they were.
#pragma once

#include <array>
#include <cstdint>
#include <cstring>

#include "engine/cells.h"

namespace zeko::engine {

class SubtreeCache {
  public:
    // Subtrees of these depths are kept: a search looks at the queue only at
    // nodes with four plies left, and a subtree of one ply is cheaper to
    // search than to look up.
    static constexpr int kShallowest = 2;
    static constexpr int kDeepest = 3;

    struct Entry {
        Cells Key;  // the position, the depth and the side to move
        int32_t Value;
    };

    // The key of a position searched to depth with the side Top to move. No
    // key is all zero, so an empty entry never matches.
    static Cells Key(const Cells& position, int depth, bool top) {
        Cells key = position;
        key[kSpareLane] = static_cast<uint8_t>(depth);
        key[kSpareLane + 1] = top ? 1 : 0;
        return key;
    }

    // The value kept for key, or null.
    const int32_t* Find(const Cells& key) const {
        const Entry& entry = entries_[Slot(key)];
        const Cells same = entry.Key == key;
        uint64_t halves[2];
        std::memcpy(halves, &same, sizeof halves);
        return (halves[0] & halves[1]) == ~uint64_t{0} ? &entry.Value : nullptr;
    }

    // The newest subtree takes the slot: nearby parts of the search reach the
    // same positions most often.
    void Store(const Cells& key, int32_t value) { entries_[Slot(key)] = Entry{key, value}; }

  private:
    static constexpr int kSlotBits = 13;

    static size_t Slot(const Cells& key) {
        uint64_t halves[2];
        std::memcpy(halves, &key, sizeof halves);
        const uint64_t mixed =
            (halves[0] * 0x9E3779B97F4A7C15ull) ^ (halves[1] * 0xC2B2AE3D27D4EB4Full);
        return static_cast<size_t>((mixed ^ (mixed >> 29)) >> (64 - kSlotBits));
    }

    std::array<Entry, size_t{1} << kSlotBits> entries_{};
};

}  // namespace zeko::engine
