// The report's analysis of arbitrary XML text, then the printed report.
//
// One input holds one or more packet documents separated by the line
// "@@" (kSeparator), analysed in order into one capture database as packets
// 1, 2, ... exchanged between two hosts (odd packets from A to B, even ones
// back), so that a request and the acknowledgement that answers it can meet
// in one input. Each document is handed over the way the driver hands it:
// its characters in a heap block of exactly that size plus the NUL. The
// report of the capture is printed at the end (into /dev/null).
//
// Promises checked: no crash, leak or stray access (the sanitizers); every
// packet is counted once as received and once as succeeded or failed.
#include <cstring>
#include <memory>
#include <string_view>

#include "fuzzsupport.h"
#include "report/packetinfodb.h"
#include "report/packetxmlanalyzer.h"
#include "report/reportwriter.h"

using namespace TarnwickFuzz;
using namespace Tarnwick;

namespace {

constexpr std::string_view kSeparator = "\n@@\n";
constexpr size_t kMaxDocuments = 64;

// Ethernet II, IPv4 and UDP headers from `source` to `destination` (the
// last octet of 192.168.1.x).
void BuildFrame(uint8_t* frame, uint8_t source, uint8_t destination, uint16_t payloadLength) {
    static const uint8_t kTemplate[42] = {
        0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x1A, 0x2B, 0x01, 0x01, 0x0A, 0x08, 0x00,  // Ethernet
        0x45, 0x00, 0x00, 0x00, 0x10, 0x00, 0x00, 0x00, 0x40, 0x11, 0x00, 0x00,              // IPv4
        0xC0, 0xA8, 0x01, 0x00, 0xC0, 0xA8, 0x01, 0x00,                                      // addresses
        0xBA, 0xC0, 0xBA, 0xC0, 0x00, 0x00, 0x00, 0x00};                                     // UDP
    std::memcpy(frame, kTemplate, sizeof kTemplate);
    frame[29] = source;
    frame[33] = destination;
    const uint16_t udpLength = static_cast<uint16_t>(payloadLength + 8);
    frame[38] = static_cast<uint8_t>(udpLength >> 8);
    frame[39] = static_cast<uint8_t>(udpLength);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    ScratchDirectory::Instance();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    ScratchDirectory& scratch = ScratchDirectory::Instance();
    scratch.Enter();
    {
        PacketInfoDB db;
        db.Clear();
        const std::string_view input(reinterpret_cast<const char*>(data), size);
        size_t start = 0;
        uint32_t packetNumber = 0;
        while (start <= input.size() && packetNumber < kMaxDocuments) {
            size_t end = input.find(kSeparator, start);
            if (end == std::string_view::npos) end = input.size();
            const std::string_view document = input.substr(start, end - start);
            ++packetNumber;

            const std::unique_ptr<char[]> text(new char[document.size() + 1]);
            std::memcpy(text.get(), document.data(), document.size());
            text[document.size()] = '\0';
            const uint16_t payloadLength = static_cast<uint16_t>(document.size() * 7);
            uint8_t frame[42];
            const bool fromA = packetNumber % 2 == 1;
            BuildFrame(frame, fromA ? 10 : 20, fromA ? 20 : 10, payloadLength);

            ProcessPacketXml(db, text.get(), frame, sizeof frame, packetNumber, payloadLength,
                             static_cast<uint32_t>(document.size()));
            FUZZ_CHECK(db.packetsReceived == packetNumber, "a packet was not counted as received");
            FUZZ_CHECK(db.packetsSucceeded + db.packetsFailed == packetNumber,
                       "a packet was counted neither as succeeded nor as failed, or twice");
            start = end + kSeparator.size();
        }
        PrintReport(db);
    }
    scratch.Leave();
    return 0;
}
