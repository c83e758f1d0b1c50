#include "report/packetstats.h"

#include "report/reportprint.h"

namespace Tarnwick {
namespace {

struct BucketLine {
    uint8_t bucket;
    const char* format;
};

constexpr BucketLine kSizeLines[] = {
    {PacketStats::kSize1To60, "     Packets with size 1-60 bytes: %u (%u%%)\n"},
    {PacketStats::kSize61To100, "     Packets with size 61-100 bytes: %u (%u%%)\n"},
    {PacketStats::kSize101To300, "     Packets with size 101-300 bytes: %u (%u%%)\n"},
    {PacketStats::kSize301To1200, "     Packets with size 301-1200 bytes: %u (%u%%)\n"},
    {PacketStats::kSize1201AndMore, "     Packets with size 1201+ bytes: %u (%u%%)\n"},
};

constexpr BucketLine kHopLines[] = {
    {PacketStats::kHop1To49, "     Packets with hop count 1-49: %u (%u%%)\n"},
    {PacketStats::kHop50To99, "     Packets with hop count 50-99: %u (%u%%)\n"},
    {PacketStats::kHop100To249, "     Packets with hop count 100-249: %u (%u%%)\n"},
    {PacketStats::kHop250To255, "     Packets with hop count 250-255: %u (%u%%)\n"},
};

}  // namespace

PacketStats::PacketStats() {
    for (uint8_t bucket = kSize1To60; bucket <= kHop250To255; ++bucket) CreateBucket(bucket);
}

void PacketStats::AddPacketSize(uint32_t size, int32_t packetNumber) {
    totalSize_ += size;
    if (!smallestSizeSet_) {
        smallestSizeSet_ = true;
        smallestSize_ = size;
        smallestSizePacket_ = packetNumber;
    }
    // Strict comparisons: the first packet of a record size keeps the record.
    if (size > largestSize_) {
        largestSize_ = size;
        largestSizePacket_ = packetNumber;
    }
    if (size < smallestSize_) {
        smallestSize_ = size;
        smallestSizePacket_ = packetNumber;
    }
    if (size == 0) {
        ReportPrint("WARNING: (Packet %d) The packet's size is <= 0\n", packetNumber);
    } else if (size <= 60) {
        Increment(kSize1To60);
    } else if (size <= 100) {
        Increment(kSize61To100);
    } else if (size <= 300) {
        Increment(kSize101To300);
    } else if (size <= 1200) {
        Increment(kSize301To1200);
    } else {
        Increment(kSize1201AndMore);
    }
}

void PacketStats::AddHopCount(uint8_t hopCount, int32_t packetNumber) {
    if (!lowestHopCountSet_ || hopCount < lowestHopCount_) {
        lowestHopCount_ = hopCount;
        lowestHopCountPacket_ = packetNumber;
        lowestHopCountSet_ = true;
    }
    if (hopCount == 0) {
        ReportPrint("WARNING: (Packet %d) The hopcount size is 0\n", packetNumber);
    } else if (hopCount <= 49) {
        Increment(kHop1To49);
    } else if (hopCount <= 99) {
        Increment(kHop50To99);
    } else if (hopCount <= 249) {
        Increment(kHop100To249);
    } else {
        Increment(kHop250To255);
    }
}

uint8_t PacketStats::Percentage(uint8_t bucket, uint8_t low, uint8_t high) const {
    uint32_t groupTotal = SumRange(low, high);
    if (groupTotal == 0) groupTotal = 1;
    // Divide first, then multiply, as the report always has: 29 of 100 gives 28.
    const double percent = static_cast<double>(GetCount(bucket)) / static_cast<double>(groupTotal) * 100.0;
    return static_cast<uint8_t>(static_cast<uint32_t>(percent) & 0xFFu);
}

uint32_t PacketStats::AverageSize() const {
    const uint32_t sizedPackets = SumRange(kSize1To60, kSize1201AndMore);
    return sizedPackets == 0 ? 0 : totalSize_ / sizedPackets;
}

void PacketStats::Print() const {
    ReportPrint("Packet size stats:\n");
    ReportPrint("     Average packet size: %u bytes\n", AverageSize());
    ReportPrint("     Largest packet size: %u bytes (Pkt: %d)\n", largestSize_, largestSizePacket_);
    ReportPrint("     Smallest packet size: %u bytes (Pkt: %d)\n", smallestSize_, smallestSizePacket_);
    ReportPrint("\n");
    for (const BucketLine& line : kSizeLines) {
        ReportPrint(line.format, GetCount(line.bucket),
                    static_cast<unsigned>(Percentage(line.bucket, kSize1To60, kSize1201AndMore)));
    }
    ReportPrint("\n");
    ReportPrint("Hop count stats:\n");
    if (lowestHopCountSet_) {
        ReportPrint("     Lowest hop count: %u bytes (Pkt: %d)\n", static_cast<unsigned>(lowestHopCount_),
                    lowestHopCountPacket_);
    }
    ReportPrint("\n");
    for (const BucketLine& line : kHopLines) {
        ReportPrint(line.format, GetCount(line.bucket),
                    static_cast<unsigned>(Percentage(line.bucket, kHop1To49, kHop250To255)));
    }
}

}  // namespace Tarnwick
