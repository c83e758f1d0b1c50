// Everything the traffic report learns from one capture: the packet outcome
// counters, the PDU counts, the packet statistics, the record tree of what
// was seen on the wire, and the ReadProperty requests by invoke ID. The
// driver creates and clears one per capture; ProcessPacketXml fills it packet
// by packet and PrintReport prints it.
#pragma once

#include <cstdint>
#include <deque>
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "report/packetrecords.h"
#include "report/packetstats.h"

namespace Tarnwick {

class PacketInfoDB {
public:
    // Counters at 0, fresh statistics, no addresses, requests or PDU counts.
    void Clear();

    // The record of this IPv4 address, appended (with fresh counters) when new.
    NetworkAddressRecord& GetOrAddNetworkAddress(const IPv4Address& address);

    // Adds 1 to the count of a PDU label, creating it at 0 first when new.
    void CountPdu(std::string_view label);

    // Stores a copy of `pendingRequest` under the invoke ID, replacing what
    // was there.
    void StorePendingRequest(uint8_t id) { pendingRequests.insert_or_assign(id, pendingRequest); }
    // The request stored under the invoke ID, or null.
    const PendingRequest* FindPendingRequest(uint8_t id) const;

    // Accumulated over the capture.
    uint32_t packetsReceived = 0;
    uint32_t packetsSucceeded = 0;
    uint32_t packetsFailed = 0;

    // The packet being analysed; reset at the start of each packet.
    bool packetError = false;
    uint32_t currentPacketNumber = 0;

    // Count per PDU label, in byte-wise order of the labels.
    std::map<std::string, int32_t, std::less<>> pduCounts;

    // Invoke IDs of the current packet's PDU element, when it carried them.
    std::optional<uint32_t> invokeId;
    std::optional<uint32_t> originalInvokeId;
    // The request target gathered from the current packet.
    PendingRequest pendingRequest;

    PacketStats packetStats;
    std::deque<NetworkAddressRecord> networkAddresses;  // first-seen order
    std::map<uint8_t, PendingRequest> pendingRequests;  // ReadProperty targets by invoke ID
};

}  // namespace Tarnwick
