#include "report/packetinfodb.h"

namespace Tarnwick {

void PacketInfoDB::Clear() {
    packetsReceived = 0;
    packetsSucceeded = 0;
    packetsFailed = 0;
    packetError = false;
    currentPacketNumber = 0;
    pduCounts.clear();
    invokeId.reset();
    originalInvokeId.reset();
    pendingRequest.Clear();
    packetStats = PacketStats{};
    networkAddresses.clear();
    pendingRequests.clear();
}

NetworkAddressRecord& PacketInfoDB::GetOrAddNetworkAddress(const IPv4Address& address) {
    for (NetworkAddressRecord& record : networkAddresses) {
        if (record.ipv4Address == address) return record;
    }
    NetworkAddressRecord& added = networkAddresses.emplace_back();
    added.ipv4Address = address;
    return added;
}

void PacketInfoDB::CountPdu(std::string_view label) {
    auto it = pduCounts.find(label);
    if (it == pduCounts.end()) it = pduCounts.emplace(std::string(label), 0).first;
    ++it->second;
}

const PendingRequest* PacketInfoDB::FindPendingRequest(uint8_t id) const {
    const auto it = pendingRequests.find(id);
    return it == pendingRequests.end() ? nullptr : &it->second;
}

}  // namespace Tarnwick
