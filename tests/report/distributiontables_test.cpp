#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "report/networkaddressstats.h"
#include "report/packetrecords.h"
#include "report/packetstats.h"
#include "reportcapture.h"

namespace Tarnwick {
namespace {

constexpr const char* kMissingBucket = "Error: Could not find the entry in the distribution table";

TEST(BaseDistributionTable, IncrementCreatesAbsentBucketsAndGetCountReportsMissingOnes) {
    ScopedReportDirectory directory;
    NetworkAddressStats table;
    EXPECT_FALSE(table.HasBucket(200));
    std::string printed = CapturePrinted([&] { EXPECT_EQ(table.GetCount(200), 0u); });
    EXPECT_EQ(printed, kMissingBucket);  // no line end

    table.Increment(200);
    table.Increment(200);
    printed = CapturePrinted([&] { EXPECT_EQ(table.GetCount(200), 2u); });
    EXPECT_EQ(printed, "");
    EXPECT_EQ(table.GetCount(15), 0u);  // created at construction
}

TEST(BaseDistributionTable, SumRangeAddsPresentBucketsInclusively) {
    NetworkAddressStats table;
    const std::vector<std::pair<uint8_t, int>> fills = {{0, 3}, {2, 5}, {4, 2}, {5, 7}, {255, 4}};
    for (const auto& [bucket, times] : fills) {
        for (int i = 0; i < times; ++i) table.Increment(bucket);
    }
    struct Row {
        uint8_t low, high;
        uint32_t sum;
    };
    const Row rows[] = {{0, 4, 10}, {0, 0, 3}, {1, 1, 0}, {4, 5, 9}, {5, 4, 0}, {0, 255, 21}, {100, 255, 4}};
    for (const Row& row : rows) {
        SCOPED_TRACE(std::to_string(row.low) + ".." + std::to_string(row.high));
        EXPECT_EQ(table.SumRange(row.low, row.high), row.sum);
    }
}

TEST(NetworkAddressStats, PrintsOnlyNonZeroCountersInBucketOrder) {
    ScopedReportDirectory directory;
    NetworkAddressStats stats;
    EXPECT_EQ(CapturePrinted([&] { stats.Print(); }), "");
    stats.Increment(NetworkAddressStats::kRecvReject);
    stats.Increment(NetworkAddressStats::kSentMessages);
    stats.Increment(NetworkAddressStats::kSentMessages);
    stats.Increment(NetworkAddressStats::kSentConfirmedRequest);
    EXPECT_EQ(CapturePrinted([&] { stats.Print(); }),
              "     Sent.Messages: 2\n"
              "     Sent.PDU.ConfirmedRequest: 1\n"
              "     Recv.PDU.Reject: 1\n");
}

TEST(NetworkAddressStats, BucketNamesFollowTheFixedTable) {
    const char* expected[] = {"Sent.Messages",
                              "Recv.Messages",
                              "Sent.PDU.ConfirmedRequest",
                              "Sent.PDU.UnconfirmedRequest",
                              "Sent.PDU.ComplexAck",
                              "Sent.PDU.SimpleAck",
                              "Sent.PDU.Abort",
                              "Sent.PDU.Error",
                              "Sent.PDU.Reject",
                              "Recv.PDU.ConfirmedRequest",
                              "Recv.PDU.UnconfirmedRequest",
                              "Recv.PDU.ComplexAck",
                              "Recv.PDU.SimpleAck",
                              "Recv.PDU.Abort",
                              "Recv.PDU.Error",
                              "Recv.PDU.Reject"};
    for (uint8_t bucket = 0; bucket < 16; ++bucket) {
        EXPECT_STREQ(NetworkAddressStats::BucketName(bucket), expected[bucket]);
    }
    EXPECT_EQ(NetworkAddressStats::BucketName(16), nullptr);
}

TEST(CountPduForAddresses, CountsSentOnSourceAndReceivedOnDestination) {
    NetworkAddressRecord source;
    NetworkAddressRecord destination;
    CountPduForAddresses(source, destination, 4, 11);
    CountPduForAddresses(source, destination, 2, 9);
    EXPECT_EQ(source.stats.GetCount(0), 2u);
    EXPECT_EQ(source.stats.GetCount(4), 1u);
    EXPECT_EQ(source.stats.GetCount(2), 1u);
    EXPECT_EQ(source.stats.SumRange(1, 1) + source.stats.SumRange(9, 15), 0u);
    EXPECT_EQ(destination.stats.GetCount(1), 2u);
    EXPECT_EQ(destination.stats.GetCount(11), 1u);
    EXPECT_EQ(destination.stats.GetCount(9), 1u);
    EXPECT_EQ(destination.stats.SumRange(0, 0) + destination.stats.SumRange(2, 8), 0u);

    // One address that sends to itself gets both a sent and a received count.
    NetworkAddressRecord self;
    CountPduForAddresses(self, self, 5, 12);
    EXPECT_EQ(self.stats.GetCount(0), 1u);
    EXPECT_EQ(self.stats.GetCount(1), 1u);
    EXPECT_EQ(self.stats.GetCount(5), 1u);
    EXPECT_EQ(self.stats.GetCount(12), 1u);
}

TEST(PacketStats, SizesFallIntoTheirRangesAndZeroWarns) {
    ScopedReportDirectory directory;
    struct Row {
        uint32_t size;
        int bucket;  // -1: none
    };
    const Row rows[] = {{1, 0},   {60, 0},   {61, 1},   {100, 1},   {101, 2}, {300, 2},
                        {301, 3}, {1200, 3}, {1201, 4}, {65535, 4}, {0, -1}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.size);
        PacketStats stats;
        const std::string printed = CapturePrinted([&] { stats.AddPacketSize(row.size, 17); });
        for (uint8_t bucket = 0; bucket <= 8; ++bucket) {
            EXPECT_EQ(stats.GetCount(bucket), static_cast<int>(bucket) == row.bucket ? 1u : 0u) << int(bucket);
        }
        EXPECT_EQ(printed, row.bucket < 0 ? "WARNING: (Packet 17) The packet's size is <= 0\n" : "");
        EXPECT_EQ(stats.TotalSize(), row.size);
        EXPECT_EQ(stats.SmallestSize(), row.size);
        EXPECT_EQ(stats.SmallestSizePacket(), 17);
    }
}

TEST(PacketStats, HopCountsFallIntoTheirRangesAndZeroWarns) {
    ScopedReportDirectory directory;
    struct Row {
        uint8_t hopCount;
        int bucket;
    };
    const Row rows[] = {{1, 5}, {49, 5}, {50, 6}, {99, 6}, {100, 7}, {249, 7}, {250, 8}, {255, 8}, {0, -1}};
    for (const Row& row : rows) {
        SCOPED_TRACE(int(row.hopCount));
        PacketStats stats;
        const std::string printed = CapturePrinted([&] { stats.AddHopCount(row.hopCount, 9); });
        for (uint8_t bucket = 0; bucket <= 8; ++bucket) {
            EXPECT_EQ(stats.GetCount(bucket), static_cast<int>(bucket) == row.bucket ? 1u : 0u) << int(bucket);
        }
        EXPECT_EQ(printed, row.bucket < 0 ? "WARNING: (Packet 9) The hopcount size is 0\n" : "");
        EXPECT_TRUE(stats.HasLowestHopCount());
        EXPECT_EQ(stats.LowestHopCount(), row.hopCount);
    }
}

TEST(PacketStats, RecordSizesKeepTheEarliestPacket) {
    PacketStats stats;
    stats.AddPacketSize(100, 1);
    stats.AddPacketSize(500, 2);
    stats.AddPacketSize(500, 3);  // same largest: packet 2 keeps it
    stats.AddPacketSize(20, 4);
    stats.AddPacketSize(20, 5);  // same smallest: packet 4 keeps it
    stats.AddHopCount(200, 6);
    stats.AddHopCount(40, 7);
    stats.AddHopCount(40, 8);
    stats.AddHopCount(90, 9);
    EXPECT_EQ(stats.LargestSize(), 500u);
    EXPECT_EQ(stats.LargestSizePacket(), 2);
    EXPECT_EQ(stats.SmallestSize(), 20u);
    EXPECT_EQ(stats.SmallestSizePacket(), 4);
    EXPECT_EQ(stats.LowestHopCount(), 40u);
    EXPECT_EQ(stats.LowestHopCountPacket(), 7);
    EXPECT_EQ(stats.TotalSize(), 1140u);
    EXPECT_EQ(stats.AverageSize(), 228u);
}

TEST(PacketStats, PercentagesDivideThenMultiplyAndTruncate) {
    struct Row {
        const char* label;
        std::vector<uint32_t> sizes;  // one packet per entry
        uint8_t bucket;
        uint8_t percent;
    };
    const std::vector<uint32_t> threeEach = {10, 10, 10, 80, 80, 80, 200, 200, 200};
    std::vector<uint32_t> twentyNineOfHundred(29, 10);
    twentyNineOfHundred.resize(100, 80);
    const Row rows[] = {
        {"empty group counts as one", {}, 0, 0},
        {"three of nine", threeEach, 0, 33},
        {"three of nine, middle", threeEach, 1, 33},
        {"all in one bucket", {10, 20}, 0, 100},
        {"one of three", {10, 80, 200}, 2, 33},
        {"two of three", {10, 10, 200}, 0, 66},
        {"29 of 100 in double precision", twentyNineOfHundred, 0, 28},
        {"size zero is outside the group", {0, 10}, 0, 100},
    };
    ScopedReportDirectory directory;  // the zero size warns
    for (const Row& row : rows) {
        SCOPED_TRACE(row.label);
        PacketStats stats;
        CapturePrinted([&] {
            int packet = 1;
            for (uint32_t size : row.sizes) stats.AddPacketSize(size, packet++);
        });
        EXPECT_EQ(stats.Percentage(row.bucket, PacketStats::kSize1To60, PacketStats::kSize1201AndMore), row.percent);
    }
}

TEST(PacketStats, AverageIgnoresZeroSizesInTheDivisorOnly) {
    ScopedReportDirectory directory;
    PacketStats stats;
    EXPECT_EQ(stats.AverageSize(), 0u);
    CapturePrinted([&] {
        stats.AddPacketSize(0, 1);
        stats.AddPacketSize(10, 2);
        stats.AddPacketSize(15, 3);
    });
    EXPECT_EQ(stats.AverageSize(), 12u);  // 25 / 2, truncated
    EXPECT_EQ(stats.SmallestSize(), 0u);
    EXPECT_EQ(stats.SmallestSizePacket(), 1);
}

TEST(PacketStats, PrintsEmptyStatistics) {
    ScopedReportDirectory directory;
    PacketStats stats;
    EXPECT_EQ(CapturePrinted([&] { stats.Print(); }), kEmptyStats);
}

TEST(PacketStats, PrintsFilledStatistics) {
    ScopedReportDirectory directory;
    PacketStats stats;
    const uint32_t sizes[] = {25, 25, 70, 150, 150, 150, 400, 1500, 2000};
    int packet = 1;
    for (uint32_t size : sizes) stats.AddPacketSize(size, packet++);
    stats.AddHopCount(255, 3);
    stats.AddHopCount(254, 4);
    stats.AddHopCount(30, 8);
    EXPECT_EQ(CapturePrinted([&] { stats.Print(); }),
              "Packet size stats:\n"
              "     Average packet size: 496 bytes\n"
              "     Largest packet size: 2000 bytes (Pkt: 9)\n"
              "     Smallest packet size: 25 bytes (Pkt: 1)\n"
              "\n"
              "     Packets with size 1-60 bytes: 2 (22%)\n"
              "     Packets with size 61-100 bytes: 1 (11%)\n"
              "     Packets with size 101-300 bytes: 3 (33%)\n"
              "     Packets with size 301-1200 bytes: 1 (11%)\n"
              "     Packets with size 1201+ bytes: 2 (22%)\n"
              "\n"
              "Hop count stats:\n"
              "     Lowest hop count: 30 bytes (Pkt: 8)\n"
              "\n"
              "     Packets with hop count 1-49: 1 (33%)\n"
              "     Packets with hop count 50-99: 0 (0%)\n"
              "     Packets with hop count 100-249: 0 (0%)\n"
              "     Packets with hop count 250-255: 2 (66%)\n");
}

}  // namespace
}  // namespace Tarnwick
