// Packet sizes and hop counts of one capture: the size distribution over
// five ranges with the average, largest and smallest size, and the hop-count
// distribution over four ranges with the lowest hop count. Sizes are the
// BACnet/IP payload lengths taken from the UDP header.
#pragma once

#include <cstdint>

#include "report/basedistributiontable.h"

namespace Tarnwick {

class PacketStats final : public BaseDistributionTable {
public:
    // Size buckets.
    static constexpr uint8_t kSize1To60 = 0;
    static constexpr uint8_t kSize61To100 = 1;
    static constexpr uint8_t kSize101To300 = 2;
    static constexpr uint8_t kSize301To1200 = 3;
    static constexpr uint8_t kSize1201AndMore = 4;
    // Hop-count buckets.
    static constexpr uint8_t kHop1To49 = 5;
    static constexpr uint8_t kHop50To99 = 6;
    static constexpr uint8_t kHop100To249 = 7;
    static constexpr uint8_t kHop250To255 = 8;

    // Buckets 0 to 8 exist from the start, at 0; no size or hop count yet.
    PacketStats();

    // Records one payload size. A size of 0 counts in the total and may become
    // the smallest size, but falls into no bucket and prints a warning.
    void AddPacketSize(uint32_t size, int32_t packetNumber);
    // Records one hop count. A hop count of 0 falls into no bucket and prints
    // a warning; it still competes for the lowest hop count.
    void AddHopCount(uint8_t hopCount, int32_t packetNumber);

    // The size and hop-count statistics, through ReportPrint.
    void Print() const override;

    // Integer percentage of bucket `bucket` within the group low..high:
    // count / group total * 100 in double precision (a total of 0 counts as 1),
    // truncated toward zero and kept as its low 8 bits.
    uint8_t Percentage(uint8_t bucket, uint8_t low, uint8_t high) const;
    // Total size divided by the number of sized packets (truncating); 0 without any.
    uint32_t AverageSize() const;

    uint32_t TotalSize() const { return totalSize_; }
    uint32_t LargestSize() const { return largestSize_; }
    int32_t LargestSizePacket() const { return largestSizePacket_; }
    bool HasSmallestSize() const { return smallestSizeSet_; }
    uint32_t SmallestSize() const { return smallestSize_; }
    int32_t SmallestSizePacket() const { return smallestSizePacket_; }
    bool HasLowestHopCount() const { return lowestHopCountSet_; }
    uint8_t LowestHopCount() const { return lowestHopCount_; }
    int32_t LowestHopCountPacket() const { return lowestHopCountPacket_; }

private:
    uint32_t totalSize_ = 0;
    uint32_t largestSize_ = 0;
    int32_t largestSizePacket_ = 0;
    bool smallestSizeSet_ = false;
    uint32_t smallestSize_ = 0;
    int32_t smallestSizePacket_ = 0;
    bool lowestHopCountSet_ = false;
    uint8_t lowestHopCount_ = 0;
    int32_t lowestHopCountPacket_ = 0;
};

}  // namespace Tarnwick
