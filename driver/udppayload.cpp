#include "driver/udppayload.h"

namespace Tarnwick {

namespace {

constexpr uint32_t kEthernetHeaderLength = 14;
constexpr uint32_t kIpProtocolOffset = kEthernetHeaderLength + 9;  // 23
constexpr uint8_t kIpProtocolUdp = 17;
constexpr uint32_t kMinimumIhl = 5;
constexpr uint32_t kUdpHeaderLength = 8;
constexpr uint32_t kUdpLengthOffset = 4;

}  // namespace

UdpPayload LocateUdpPayload(const uint8_t* frame, uint32_t capturedLength) {
    UdpPayload result;
    if (frame == nullptr || capturedLength <= kIpProtocolOffset) return result;
    if (frame[kIpProtocolOffset] != kIpProtocolUdp) return result;

    result.kind = FrameKind::Malformed;
    // capturedLength > 23, so the IHL octet at 14 is present.
    const uint32_t ihl = frame[kEthernetHeaderLength] & 0x0Fu;
    if (ihl < kMinimumIhl) return result;
    const uint32_t udpOffset = kEthernetHeaderLength + ihl * 4;
    const uint32_t payloadOffset = udpOffset + kUdpHeaderLength;
    if (capturedLength < payloadOffset) return result;

    const uint32_t udpLength = (static_cast<uint32_t>(frame[udpOffset + kUdpLengthOffset]) << 8) |
                               frame[udpOffset + kUdpLengthOffset + 1];
    if (udpLength < kUdpHeaderLength) return result;

    const uint32_t claimed = udpLength - kUdpHeaderLength;
    const uint32_t captured = capturedLength - payloadOffset;
    result.kind = FrameKind::Udp;
    result.offset = payloadOffset;
    result.length = static_cast<uint16_t>(claimed < captured ? claimed : captured);
    return result;
}

}  // namespace Tarnwick
