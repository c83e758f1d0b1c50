// Building Ethernet II + IPv4 + UDP frames around BACnet/IP payloads, for
// the tools that write captures (samplegen, benchcapture).
//
// A frame is described by a FrameLayout: the IPv4 addresses and the payload in
// hex, plus the fields that bend a frame for hostile captures. The IPv4
// header carries a correct checksum, the UDP header port 47808 and checksum
// 0; frames shorter than Ethernet's 60 octets are padded with zeros.
//
// A tool that includes this header defines CaptureFrames::Fail, which ends
// the tool with its own name in the message.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace CaptureFrames {

using Bytes = std::vector<uint8_t>;

inline constexpr uint16_t kBacnetPort = 47808;

// Prints "<tool>: <message>" and ends the tool; defined by each tool.
[[noreturn]] void Fail(const std::string& message);

// One frame of a capture. Most entries give only the addresses and the
// payload; the other fields bend the frame for the hostile captures.
struct FrameLayout {
    const char* source = "192.168.1.10";
    const char* destination = "192.168.1.255";
    const char* payloadHex = "";
    // A BVLC length field that disagrees with the payload is refused unless
    // the entry says the lie is deliberate.
    bool bvlcLengthMayLie = false;
    uint16_t sourcePort = kBacnetPort;
    uint16_t destinationPort = kBacnetPort;
    // Extra IPv4 header octets (a multiple of 4); the IHL grows to match.
    const char* ipOptionsHex = "";
    // When not negative, written as the UDP length instead of the true one.
    int udpLengthField = -1;
    // 802.1Q tag inserted after the MAC addresses, with this IPv4 identification.
    bool vlanTagged = false;
    uint16_t ipIdentification = 0x1000;
    // When set, the frame is these octets exactly (no headers are built).
    const char* rawFrameHex = nullptr;
    // Ethernet frames shorter than 60 octets are padded with zeros, as on the wire.
    bool padToMinimum = true;
};

inline Bytes FromHex(const char* hex) {
    Bytes bytes;
    int high = -1;
    for (const char* p = hex; *p != '\0'; ++p) {
        const char c = *p;
        if (c == ' ') continue;
        int nibble;
        if (c >= '0' && c <= '9') nibble = c - '0';
        else if (c >= 'A' && c <= 'F') nibble = c - 'A' + 10;
        else if (c >= 'a' && c <= 'f') nibble = c - 'a' + 10;
        else Fail(std::string("not a hex digit in \"") + hex + "\"");
        if (high < 0) {
            high = nibble;
        } else {
            bytes.push_back(static_cast<uint8_t>(high * 16 + nibble));
            high = -1;
        }
    }
    if (high >= 0) Fail(std::string("odd number of hex digits in \"") + hex + "\"");
    return bytes;
}

inline Bytes ParseIpv4(const char* text) {
    unsigned a, b, c, d;
    char tail;
    if (std::sscanf(text, "%u.%u.%u.%u%c", &a, &b, &c, &d, &tail) != 4 || a > 255 || b > 255 || c > 255 || d > 255) {
        Fail(std::string("not an IPv4 address: ") + text);
    }
    return Bytes{static_cast<uint8_t>(a), static_cast<uint8_t>(b), static_cast<uint8_t>(c), static_cast<uint8_t>(d)};
}

inline void Put16(Bytes& out, uint16_t value) {
    out.push_back(static_cast<uint8_t>(value >> 8));
    out.push_back(static_cast<uint8_t>(value));
}

inline void Append(Bytes& out, const Bytes& more) { out.insert(out.end(), more.begin(), more.end()); }

inline void PutLittle16(Bytes& out, uint16_t value) {
    out.push_back(static_cast<uint8_t>(value));
    out.push_back(static_cast<uint8_t>(value >> 8));
}

inline void PutLittle32(Bytes& out, uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<uint8_t>(value >> shift));
}

inline void PutBig32(Bytes& out, uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<uint8_t>(value >> shift));
}

// A MAC address derived from the IPv4 address; broadcasts go to ff:ff:ff:ff:ff:ff.
inline Bytes MacFor(const Bytes& ip) {
    if (ip[3] == 255) return Bytes(6, 0xFF);
    return Bytes{0x00, 0x1A, 0x2B, ip[1], ip[2], ip[3]};
}

inline uint16_t Ipv4HeaderChecksum(const Bytes& header) {
    uint32_t sum = 0;
    for (size_t i = 0; i + 1 < header.size(); i += 2) sum += static_cast<uint32_t>(header[i] << 8 | header[i + 1]);
    while (sum > 0xFFFF) sum = (sum & 0xFFFF) + (sum >> 16);
    return static_cast<uint16_t>(~sum);
}

inline void CheckBvlcLength(const FrameLayout& layout, const Bytes& payload) {
    if (layout.bvlcLengthMayLie || payload.size() < 4 || payload[0] != 0x81) return;
    const size_t field = static_cast<size_t>(payload[2] << 8 | payload[3]);
    if (field != payload.size()) {
        Fail(std::string("BVLC length ") + std::to_string(field) + " but " + std::to_string(payload.size()) +
             " payload octets in \"" + layout.payloadHex + "\"");
    }
}

// The frame of `layout` around `payload`; layout.payloadHex and layout.rawFrameHex
// are not looked at.
inline Bytes BuildUdpFrame(const FrameLayout& layout, const Bytes& payload) {
    const Bytes source = ParseIpv4(layout.source);
    const Bytes destination = ParseIpv4(layout.destination);
    const Bytes options = FromHex(layout.ipOptionsHex);
    if (options.size() % 4 != 0 || options.size() > 40) Fail("IPv4 options must be a multiple of 4, at most 40");

    const size_t udpLength = 8 + payload.size();
    const size_t ipHeaderLength = 20 + options.size();
    if (ipHeaderLength + udpLength > 0xFFFF) Fail("payload too large");

    Bytes frame;
    frame.reserve(18 + ipHeaderLength + udpLength);
    Append(frame, MacFor(destination));
    Append(frame, MacFor(source));
    if (layout.vlanTagged) {
        Put16(frame, 0x8100);
        Put16(frame, 0x0001);  // priority 0, VLAN 1
    }
    Put16(frame, 0x0800);

    Bytes ip;
    ip.push_back(static_cast<uint8_t>(0x40 | (ipHeaderLength / 4)));
    ip.push_back(0x00);
    Put16(ip, static_cast<uint16_t>(ipHeaderLength + udpLength));
    Put16(ip, layout.ipIdentification);
    Put16(ip, 0x0000);  // no fragmentation
    ip.push_back(64);   // time to live
    ip.push_back(17);   // UDP
    Put16(ip, 0x0000);  // checksum, filled in below
    Append(ip, source);
    Append(ip, destination);
    Append(ip, options);
    const uint16_t checksum = Ipv4HeaderChecksum(ip);
    ip[10] = static_cast<uint8_t>(checksum >> 8);
    ip[11] = static_cast<uint8_t>(checksum);
    Append(frame, ip);

    Put16(frame, layout.sourcePort);
    Put16(frame, layout.destinationPort);
    const int udpLengthField = layout.udpLengthField >= 0 ? layout.udpLengthField : static_cast<int>(udpLength);
    Put16(frame, static_cast<uint16_t>(udpLengthField));
    Put16(frame, 0x0000);  // no UDP checksum
    Append(frame, payload);

    if (layout.padToMinimum && frame.size() < 60) frame.resize(60, 0x00);
    return frame;
}

// The frame of `layout`: its raw octets, or its hex payload checked against
// the BVLC length and wrapped by BuildUdpFrame.
inline Bytes BuildFrame(const FrameLayout& layout) {
    if (layout.rawFrameHex != nullptr) return FromHex(layout.rawFrameHex);
    const Bytes payload = FromHex(layout.payloadHex);
    CheckBvlcLength(layout, payload);
    return BuildUdpFrame(layout, payload);
}

}  // namespace CaptureFrames
