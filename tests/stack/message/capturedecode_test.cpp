// Every UDP payload of the shared captures goes through the decode entry:
// none may crash or read outside its payload (run under the sanitizer
// build), and every document that comes back has the packet's shape.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "bacnetstack.h"
#include "core/stackerrorlog.h"
#include "messagetestsupport.h"

namespace ZalvoBACnetStack {
namespace {
using namespace MessageTest;

// The UDP payloads of an Ethernet capture (classic pcap format), each copied
// to a vector of exactly its size.
std::vector<std::vector<uint8_t>> UdpPayloads(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::vector<std::vector<uint8_t>> payloads;
    if (bytes.size() < 24) return payloads;
    const uint32_t magic = bytes[0] | bytes[1] << 8 | bytes[2] << 16 | uint32_t{bytes[3]} << 24;
    const bool swapped = magic == 0xD4C3B2A1 || magic == 0x4D3CB2A1;
    auto u32 = [&](size_t at) -> uint32_t {
        return swapped ? uint32_t{bytes[at]} << 24 | bytes[at + 1] << 16 | bytes[at + 2] << 8 | bytes[at + 3]
                       : bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 | uint32_t{bytes[at + 3]} << 24;
    };
    size_t at = 24;
    while (bytes.size() - at >= 16) {
        const uint32_t captured = u32(at + 8);
        at += 16;
        if (captured > bytes.size() - at) break;
        const uint8_t* frame = bytes.data() + at;
        at += captured;
        if (captured < 14 + 20 + 8 || frame[12] != 0x08 || frame[13] != 0x00 || frame[23] != 17) continue;
        const size_t ipHeader = (frame[14] & 0x0Fu) * 4u;
        const size_t udp = 14 + ipHeader;
        if (udp + 8 > captured) continue;
        const size_t udpLength = static_cast<size_t>(frame[udp + 4] << 8 | frame[udp + 5]);
        const size_t payloadLength = std::min(udpLength < 8 ? 0 : udpLength - 8, captured - udp - 8);
        payloads.emplace_back(frame + udp + 8, frame + udp + 8 + payloadLength);
    }
    return payloads;
}

// Documents per capture, counted independently with a reference decoder.
struct CaptureCounts {
    const char* file;
    size_t whoIs;
    size_t simpleAck;
    size_t reject;
    size_t abort;
};

const CaptureCounts kCaptureCounts[] = {
    {"sample-pcap.pcap", 1617, 0, 0, 0},
    {"bacnet_services.pcap", 8, 13, 0, 0},  // four more Who-Is travel on BACnet/Ethernet
    {"bacnet_error_reject_abort.pcap", 1, 0, 1, 1},
    {"bacnet_segmented_data.pcap", 1, 0, 0, 0},
    {"bacnet_test.pcap", 0, 0, 0, 0},
};

TEST(CaptureDecode, EveryPayloadDecodesToAWholeDocumentOrNothing) {
    const std::filesystem::path folder = std::filesystem::path(TARNWICK_SHARED_DIR) / "captures";
    if (!std::filesystem::is_directory(folder)) GTEST_SKIP() << "no captures at " << folder;
    std::vector<char> xml(102400);
    size_t files = 0;
    for (const CaptureCounts& expected : kCaptureCounts) {
        const std::filesystem::path file = folder / expected.file;
        if (!std::filesystem::exists(file)) continue;
        ++files;
        SCOPED_TRACE(expected.file);
        std::map<std::string, size_t> seen;
        size_t decoded = 0;
        const std::vector<std::vector<uint8_t>> payloads = UdpPayloads(file);
        StackErrorLogCapture quiet;
        for (const std::vector<uint8_t>& payload : payloads) {
            // An exact-size copy, so the sanitizer sees any read past the payload.
            std::unique_ptr<uint8_t[]> exact(new uint8_t[payload.size() + 1]);
            std::copy(payload.begin(), payload.end(), exact.get());
            const uint32_t size = BACnetStack_DecodeAsXML(payload.empty() ? nullptr : exact.get(),
                                                          static_cast<uint16_t>(payload.size()), xml.data(),
                                                          static_cast<uint32_t>(xml.size()));
            quiet.Clear();
            if (size == 0) continue;
            ++decoded;
            const std::string text(xml.data(), size);
            ASSERT_EQ(text.rfind(std::string(kDocumentHeader) + "<BACnetPacket networkType='IP'><BVLL", 0), 0u)
                << text;
            ASSERT_EQ(text.substr(text.size() - 15), "</BACnetPacket>") << text;
            for (const char* marker : {"serviceChoice='whoIs'", "<SimpleAckPDU ", "<RejectPDU ", "<AbortPDU "}) {
                if (text.find(marker) != std::string::npos) ++seen[marker];
            }
        }
        EXPECT_GT(decoded, 0u);
        EXPECT_EQ(seen["serviceChoice='whoIs'"], expected.whoIs);
        EXPECT_EQ(seen["<SimpleAckPDU "], expected.simpleAck);
        EXPECT_EQ(seen["<RejectPDU "], expected.reject);
        EXPECT_EQ(seen["<AbortPDU "], expected.abort);
    }
    if (files == 0) GTEST_SKIP() << "no captures";
}

}  // namespace
}  // namespace ZalvoBACnetStack
