// The representative messages of the packet benchmarks: each one as the
// BACnet/IP payload the decoder takes and as the whole Ethernet frame the
// report reads its IPv4 addresses from.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace BenchMessages {

struct Message {
    std::string name;
    std::vector<uint8_t> payload;
    std::vector<uint8_t> frame;
};

// Who-Is, I-Am, ReadProperty request and ACK, a ReadPropertyMultiple ACK with
// twenty results, a confirmed COV notification and an Error PDU.
const std::vector<Message>& All();

}  // namespace BenchMessages
