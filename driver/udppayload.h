// Finds the BACnet/IP message inside one captured frame.
//
// Every frame is read as Ethernet II with an IPv4 header at offset 14. The
// frame is UDP when its IPv4 protocol octet (offset 23) is 17; nothing else
// is checked (EtherType, IP version, VLAN tags and fragments are not looked
// at). The UDP header follows the IPv4 header, whose length is its IHL field
// times four, and the payload follows the 8-octet UDP header; its length is
// the UDP length field minus 8.
//
// Captures are untrusted, so the captured length bounds every read:
// - a frame of fewer than 24 octets, or whose octet 23 is not 17, is NotUdp;
// - a UDP frame whose IHL is below 5, that is too short to hold its IPv4 and
//   UDP headers, or whose UDP length field is below 8 is Malformed;
// - a UDP length that claims more octets than were captured is clipped to
//   the captured octets.
#pragma once

#include <cstdint>

namespace Tarnwick {

enum class FrameKind { NotUdp, Malformed, Udp };

struct UdpPayload {
    FrameKind kind = FrameKind::NotUdp;
    uint32_t offset = 0;   // of the payload in the frame (Udp only)
    uint16_t length = 0;   // payload octets, never past the captured length (Udp only)
};

UdpPayload LocateUdpPayload(const uint8_t* frame, uint32_t capturedLength);

}  // namespace Tarnwick
