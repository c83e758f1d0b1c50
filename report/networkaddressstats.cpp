#include "report/networkaddressstats.h"

#include "report/packetrecords.h"
#include "report/reportprint.h"

namespace Tarnwick {
namespace {

constexpr const char* kBucketNames[NetworkAddressStats::kBucketCount] = {
    "Sent.Messages",
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
    "Recv.PDU.Reject",
};

}  // namespace

NetworkAddressStats::NetworkAddressStats() {
    for (uint8_t bucket = 0; bucket < kBucketCount; ++bucket) CreateBucket(bucket);
}

const char* NetworkAddressStats::BucketName(uint8_t bucket) {
    return bucket < kBucketCount ? kBucketNames[bucket] : nullptr;
}

void NetworkAddressStats::Print() const {
    for (uint8_t bucket = 0; bucket < kBucketCount; ++bucket) {
        // GetCount reports an absent bucket itself; a zero count prints nothing.
        const uint32_t count = GetCount(bucket);
        if (count == 0) continue;
        ReportPrint("     %s: %u\n", kBucketNames[bucket], count);
    }
}

void CountPduForAddresses(NetworkAddressRecord& source, NetworkAddressRecord& destination, uint8_t sentBucket,
                          uint8_t receivedBucket) {
    source.stats.Increment(sentBucket);
    source.stats.Increment(NetworkAddressStats::kSentMessages);
    destination.stats.Increment(receivedBucket);
    destination.stats.Increment(NetworkAddressStats::kRecvMessages);
}

}  // namespace Tarnwick
