#include "engine/transposition_table.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace zeko::engine {

namespace {

// 2^16 buckets of two entries: 3 MiB. Deep analyses need hardly fewer
// positions searched with a table many times larger.
constexpr int kSharedBucketBits = 16;

void Split(const Cells& key, uint64_t halves[2]) {
    std::memcpy(halves, &key, 2 * sizeof(uint64_t));
}

int DepthOf(const TranspositionTable::Entry& entry) {
    uint8_t lanes[sizeof entry.Key];
    std::memcpy(lanes, entry.Key, sizeof lanes);
    return lanes[kSpareLane];
}

bool Same(const TranspositionTable::Entry& entry, const uint64_t key[2]) {
    return entry.ValueBound != TranspositionTable::kNone && entry.Key[0] == key[0] &&
           entry.Key[1] == key[1];
}

}  // namespace

std::unique_ptr<TranspositionTable> TranspositionTable::Make(int bucketBits) {
    std::unique_ptr<Bucket[]> buckets(new (std::nothrow) Bucket[size_t{1} << bucketBits]());
    if (!buckets) return nullptr;
    return std::unique_ptr<TranspositionTable>(
        new (std::nothrow) TranspositionTable(std::move(buckets), bucketBits));
}

TranspositionTable* TranspositionTable::Shared() {
    static const std::unique_ptr<TranspositionTable> kTable = Make(kSharedBucketBits);
    return kTable.get();
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
    Split(key, k);
    const Bucket& bucket = BucketOf(k);
    for (const Entry& entry : bucket.Slot) {
        if (Same(entry, k)) return &entry;
    }
    return nullptr;
}

void TranspositionTable::Store(const Cells& key, int32_t value, Bound bound, int move) {
    uint64_t k[2];
    Split(key, k);
    Bucket& bucket = BucketOf(k);
    const Entry entry{{k[0], k[1]}, static_cast<int16_t>(value), bound, static_cast<uint8_t>(move)};
    Entry& deep = bucket.Slot[0];
    if (Same(deep, k) || deep.ValueBound == kNone || key[kSpareLane] >= DepthOf(deep)) {
        // The displaced deeper entry still beats whatever the second slot holds.
        if (!Same(deep, k) && deep.ValueBound != kNone) bucket.Slot[1] = deep;
        deep = entry;
    } else {
        bucket.Slot[1] = entry;
    }
}

}  // namespace zeko::engine
