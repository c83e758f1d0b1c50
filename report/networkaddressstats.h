// The sixteen message counters that every IPv4 address of a capture carries:
// messages sent and received of any kind, and per PDU kind. "Sent" counts
// frames whose IPv4 source was the address, "Recv" frames whose IPv4
// destination it was.
#pragma once

#include <cstdint>

#include "report/basedistributiontable.h"

namespace Tarnwick {

struct NetworkAddressRecord;

class NetworkAddressStats final : public BaseDistributionTable {
public:
    // Bucket numbers; the received PDU buckets are the sent ones plus 7.
    static constexpr uint8_t kSentMessages = 0;
    static constexpr uint8_t kRecvMessages = 1;
    static constexpr uint8_t kSentConfirmedRequest = 2;
    static constexpr uint8_t kSentUnconfirmedRequest = 3;
    static constexpr uint8_t kSentComplexAck = 4;
    static constexpr uint8_t kSentSimpleAck = 5;
    static constexpr uint8_t kSentAbort = 6;
    static constexpr uint8_t kSentError = 7;
    static constexpr uint8_t kSentReject = 8;
    static constexpr uint8_t kRecvConfirmedRequest = 9;
    static constexpr uint8_t kRecvUnconfirmedRequest = 10;
    static constexpr uint8_t kRecvComplexAck = 11;
    static constexpr uint8_t kRecvSimpleAck = 12;
    static constexpr uint8_t kRecvAbort = 13;
    static constexpr uint8_t kRecvError = 14;
    static constexpr uint8_t kRecvReject = 15;
    static constexpr uint8_t kBucketCount = 16;

    // All sixteen buckets exist from the start, at 0.
    NetworkAddressStats();

    // One "     <name>: <count>\n" line per non-zero bucket, in bucket order.
    void Print() const override;

    // The bucket's fixed name ("Sent.Messages", ...), or null above 15.
    static const char* BucketName(uint8_t bucket);
};

// Counts one PDU: the source's sent bucket and "Sent.Messages", then the
// destination's received bucket and "Recv.Messages". Source and destination
// may be the same record.
void CountPduForAddresses(NetworkAddressRecord& source, NetworkAddressRecord& destination, uint8_t sentBucket,
                          uint8_t receivedBucket);

}  // namespace Tarnwick
