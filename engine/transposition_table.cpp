#include "engine/transposition_table.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace zeko::engine {

namespace {

// 2^16 buckets of two entries: 3 MiB. Deep analyses need hardly fewer
// positions searched with a table many times larger.
constexpr int kSharedBucketBits = 16;

void split(const Cells& key, uint64_t halves[2]) {
    std::memcpy(halves, &key, 2 * sizeof(uint64_t));
}

int depthOf(const TranspositionTable::Entry& entry) {
    uint8_t lanes[sizeof entry.key];
    std::memcpy(lanes, entry.key, sizeof lanes);
    return lanes[kSpareLane];
}

bool same(const TranspositionTable::Entry& entry, const uint64_t key[2]) {
    return entry.bound != TranspositionTable::kNone && entry.key[0] == key[0] &&
           entry.key[1] == key[1];
}

}  // namespace

std::unique_ptr<TranspositionTable> TranspositionTable::Make(int bucketBits) {
    std::unique_ptr<Bucket[]> buckets(new (std::nothrow) Bucket[size_t{1} << bucketBits]());
    if (!buckets) return nullptr;
    return std::unique_ptr<TranspositionTable>(
        new (std::nothrow) TranspositionTable(std::move(buckets), bucketBits));
}

TranspositionTable* TranspositionTable::Shared() {
    static const std::unique_ptr<TranspositionTable> table = Make(kSharedBucketBits);
    return table.get();
}

void TranspositionTable::Clear() {
    std::fill_n(buckets_.get(), size_t{1} << bucketBits_, Bucket{});
}

TranspositionTable::Bucket& TranspositionTable::BucketOf(const uint64_t* key) const {
    const uint64_t mixed = (key[0] * 0x9E3779B97F4A7C15ull) ^ (key[1] * 0xC2B2AE3D27D4EB4Full);
    return buckets_[(mixed ^ (mixed >> 29)) >> (64 - bucketBits_)];
}

const TranspositionTable::Entry* TranspositionTable::Find(const Cells& key) const {
    uint64_t k[2];
    split(key, k);
    const Bucket& bucket = BucketOf(k);
    for (const Entry& entry : bucket.slot) {
        if (same(entry, k)) return &entry;
    }
    return nullptr;
}

void TranspositionTable::Store(const Cells& key, int32_t value, Bound bound, int move) {
    uint64_t k[2];
    split(key, k);
    Bucket& bucket = BucketOf(k);
    const Entry entry{{k[0], k[1]}, static_cast<int16_t>(value), bound, static_cast<uint8_t>(move)};
    Entry& deep = bucket.slot[0];
    if (same(deep, k) || deep.bound == kNone || key[kSpareLane] >= depthOf(deep)) {
        // The displaced deeper entry still beats whatever the second slot holds.
        if (!same(deep, k) && deep.bound != kNone) bucket.slot[1] = deep;
        deep = entry;
    } else {
        bucket.slot[1] = entry;
    }
}

}  // namespace zeko::engine
