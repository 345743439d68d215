// Values of positions already searched by the analysis, kept from one call to
// the next: a position's value at a given depth never changes, so an entry
// stays true for as long as the library is loaded.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "engine/board.h"
#include "engine/cells.h"

namespace zeko::engine {

class TranspositionTable {
  public:
    // What an entry's value says of the position's true value.
    enum Bound : uint8_t { kNone = 0, kExact, kLower, kUpper };
    static constexpr uint8_t kNoMove = 0xFF;

    struct Entry {
        uint64_t Key[2];
        int16_t Value;
        Bound ValueBound;
        uint8_t Move;  // the pit (0-5) that gave the value, for ordering
    };

    // A table of 2^bucketBits buckets, or null when the memory is not there.
    static std::unique_ptr<TranspositionTable> Make(int bucketBits);

    // The position seen from the side to move (top: the side of cells 6-11),
    // so that it is found whichever row the side to move has, and the depth
    // still to search in a spare lane.
    static Cells Key(const Cells& position, int depth, bool top) {
        Cells key{};
        for (int i = 0; i < kPitsPerRow; ++i) {
            key[i] = position[top ? i : i + kPitsPerRow];
            key[i + kPitsPerRow] = position[top ? i + kPitsPerRow : i];
        }
        key[kTopStore] = position[top ? kTopStore : kBottomStore];
        key[kBottomStore] = position[top ? kBottomStore : kTopStore];
        key[kSpareLane] = static_cast<uint8_t>(depth);
        return key;
    }

    // The entry for key, or null. The pointer is good until the next Store.
    const Entry* Find(const Cells& key) const;

    // Deeper searches keep the first slot of a bucket, the newest the second.
    // Looks the key up afresh: searches below may have filled the bucket since
    // the caller's Find.
    void Store(const Cells& key, int32_t value, Bound bound, int move);

    // Forgets every entry.
    void Clear();

    // The one table of the library, made at its first use; null when it could
    // not be had, and the analysis searches without one.
    static TranspositionTable* Shared();

  private:
    struct Bucket {
        Entry Slot[2];
    };

    explicit TranspositionTable(std::unique_ptr<Bucket[]> buckets, int bucketBits)
        : buckets_(std::move(buckets)), bucketBits_(bucketBits) {}

    Bucket& BucketOf(const uint64_t* key) const;

    std::unique_ptr<Bucket[]> buckets_;
    int bucketBits_;
};

}  // namespace zeko::engine
