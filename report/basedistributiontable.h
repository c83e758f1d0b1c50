// A small table of counters indexed by an 8-bit bucket number, the common
// base of the report's distributions (per-address message counts, packet
// sizes and hop counts). Each derived table names its buckets and prints
// itself.
#pragma once

#include <array>
#include <bitset>
#include <cstdint>

namespace Tarnwick {

class BaseDistributionTable {
public:
    virtual ~BaseDistributionTable() = default;

    // Writes the table through ReportPrint.
    virtual void Print() const = 0;

    // Adds 1 to the bucket, creating it at 0 first when absent.
    void Increment(uint8_t bucket);
    // The bucket's count. An absent bucket prints
    // "Error: Could not find the entry in the distribution table" and gives 0.
    uint32_t GetCount(uint8_t bucket) const;
    // The sum of the present buckets from `low` to `high`, both included.
    uint32_t SumRange(uint8_t low, uint8_t high) const;
    bool HasBucket(uint8_t bucket) const { return present_.test(bucket); }

protected:
    // Creates the bucket at 0 (a derived table creates its fixed buckets
    // when it is constructed).
    void CreateBucket(uint8_t bucket);

private:
    // An ordered map over 256 possible keys, kept as a flat array so that
    // counting never allocates: `present_` marks the buckets that exist.
    std::array<uint32_t, 256> counts_{};
    std::bitset<256> present_;
};

}  // namespace Tarnwick
