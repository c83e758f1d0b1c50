// Locating the UDP payload in a captured frame: the UDP test, the IPv4
// header length, the UDP length and the captured-length bounds.
#include "driver/udppayload.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

using Tarnwick::FrameKind;
using Tarnwick::LocateUdpPayload;

// An Ethernet II + IPv4 + UDP frame with `ihl`, protocol `protocol`, UDP
// length field `udpLength`, cut or padded to `capturedLength` octets. The
// payload octets are 0x81 so that a wrong offset shows.
std::vector<uint8_t> Frame(uint8_t ihl, uint8_t protocol, uint16_t udpLength, size_t capturedLength) {
    std::vector<uint8_t> frame(14, 0xEE);
    frame[12] = 0x08;
    frame[13] = 0x00;
    std::vector<uint8_t> ip(static_cast<size_t>(ihl < 5 ? 20 : ihl * 4), 0x00);
    ip[0] = static_cast<uint8_t>(0x40 | ihl);
    ip[9] = protocol;
    frame.insert(frame.end(), ip.begin(), ip.end());
    const uint8_t udp[8] = {0xBA, 0xC0, 0xBA, 0xC0, static_cast<uint8_t>(udpLength >> 8),
                            static_cast<uint8_t>(udpLength), 0, 0};
    frame.insert(frame.end(), udp, udp + 8);
    frame.resize(capturedLength, 0x81);
    return frame;
}

struct LocateRow {
    const char* label;
    std::vector<uint8_t> frame;
    FrameKind kind;
    uint32_t offset;
    uint16_t length;
};

TEST(UdpPayload, LocatesOrRejectsEveryFrameShape) {
    const std::vector<LocateRow> rows = {
        // Control: a Who-Is frame of 54 octets.
        {"who-is frame", Frame(5, 17, 20, 54), FrameKind::Udp, 42, 12},
        {"padded to 60, UDP length rules", Frame(5, 17, 20, 60), FrameKind::Udp, 42, 12},
        {"IHL 6 moves the payload", Frame(6, 17, 20, 58), FrameKind::Udp, 46, 12},
        {"IHL 15, headers only", Frame(15, 17, 8, 82), FrameKind::Udp, 82, 0},
        {"UDP length 8: empty payload", Frame(5, 17, 8, 60), FrameKind::Udp, 42, 0},
        {"headers exactly captured", Frame(5, 17, 8, 42), FrameKind::Udp, 42, 0},
        {"UDP length beyond capture is clipped", Frame(5, 17, 200, 60), FrameKind::Udp, 42, 18},
        {"UDP length 65535 clipped", Frame(5, 17, 65535, 50), FrameKind::Udp, 42, 8},
        {"TCP is not UDP", Frame(5, 6, 20, 60), FrameKind::NotUdp, 0, 0},
        {"ICMP is not UDP", Frame(5, 1, 20, 60), FrameKind::NotUdp, 0, 0},
        {"23 octets: no protocol octet", Frame(5, 17, 20, 23), FrameKind::NotUdp, 0, 0},
        {"24 octets with protocol 17", Frame(5, 17, 20, 24), FrameKind::Malformed, 0, 0},
        {"UDP header cut by one octet", Frame(5, 17, 8, 41), FrameKind::Malformed, 0, 0},
        {"IHL 6 header cut", Frame(6, 17, 8, 45), FrameKind::Malformed, 0, 0},
        {"IHL 15 in a short frame", Frame(15, 17, 8, 81), FrameKind::Malformed, 0, 0},
        {"IHL 4", Frame(4, 17, 20, 60), FrameKind::Malformed, 0, 0},
        {"IHL 0", Frame(0, 17, 20, 60), FrameKind::Malformed, 0, 0},
        {"UDP length 7", Frame(5, 17, 7, 60), FrameKind::Malformed, 0, 0},
        {"UDP length 0", Frame(5, 17, 0, 60), FrameKind::Malformed, 0, 0},
        {"empty record", {}, FrameKind::NotUdp, 0, 0},
    };
    for (const LocateRow& row : rows) {
        SCOPED_TRACE(row.label);
        // A heap copy of exactly the captured size, so that a read past it
        // is caught by the address sanitizer builds.
        std::vector<uint8_t> exact(row.frame);
        exact.shrink_to_fit();
        const Tarnwick::UdpPayload payload =
            LocateUdpPayload(exact.empty() ? nullptr : exact.data(), static_cast<uint32_t>(exact.size()));
        EXPECT_EQ(payload.kind, row.kind);
        if (row.kind == FrameKind::Udp) {
            EXPECT_EQ(payload.offset, row.offset);
            EXPECT_EQ(payload.length, row.length);
            EXPECT_LE(payload.offset + payload.length, exact.size());
        }
    }
}

TEST(UdpPayload, ReadsNothingPastTheCapturedLength) {
    // The same frame bytes behind shorter and shorter captured lengths: the
    // result never reaches past what was captured.
    const std::vector<uint8_t> full = Frame(5, 17, 20, 54);
    for (uint32_t captured = 0; captured <= full.size(); ++captured) {
        SCOPED_TRACE(captured);
        std::vector<uint8_t> cut(full.begin(), full.begin() + captured);
        cut.shrink_to_fit();
        const Tarnwick::UdpPayload payload = LocateUdpPayload(cut.data(), captured);
        if (captured < 24) {
            EXPECT_EQ(payload.kind, FrameKind::NotUdp);
        } else if (captured < 42) {
            EXPECT_EQ(payload.kind, FrameKind::Malformed);
        } else {
            ASSERT_EQ(payload.kind, FrameKind::Udp);
            EXPECT_EQ(payload.offset, 42u);
            EXPECT_EQ(payload.length, captured - 42);
        }
    }
}

}  // namespace
