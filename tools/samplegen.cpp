// samplegen: writes the project's own small sample captures.
//
//   samplegen <directory>
//
// Every capture is described below as a table entry: a file name and a list
// of frames, each frame a source and destination IPv4 address and the
// hand-written BACnet/IP payload in hex. The generator wraps each payload in
// Ethernet II + IPv4 (with a correct header checksum) + UDP (port 47808,
// checksum 0) and writes a classic little-endian pcap file (magic a1b2c3d4,
// version 2.4, link type 1). Time stamps are fixed, so the output is the
// same on every run and the committed files in samples/ can be compared
// byte for byte with a fresh generation.
//
// The captures under hostile/ break one rule each (truncated records, lying
// lengths, odd link types, frames that are not what they seem) to show that
// the capture run survives them. To add a capture, add an entry to
// SampleCaptures() or HostileCaptures().
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "captureframes.h"

[[noreturn]] void CaptureFrames::Fail(const std::string& message) {
    std::fprintf(stderr, "samplegen: %s\n", message.c_str());
    std::exit(1);
}

namespace {

using namespace CaptureFrames;

constexpr uint32_t kFirstTimestamp = 1700000000;  // 2023-11-14, fixed for reproducible files

enum class FileFormat { Pcap, PcapBigEndian, Pcapng };

// One capture file. fileBytesOverride, when set, replaces the whole file.
struct CaptureLayout {
    std::string fileName;
    std::vector<FrameLayout> frames;
    uint32_t linkType = 1;  // Ethernet
    uint32_t snapLength = 65535;
    FileFormat format = FileFormat::Pcap;
    // The last record's captured-length field, when not 0 (a lie about its size).
    uint32_t lastRecordCapturedLength = 0;
    // Octets cut from the end of the finished file.
    size_t truncateBy = 0;
    const char* fileBytesOverride = nullptr;
    size_t fileBytesOverrideLength = 0;
};

// ---------------------------------------------------------------- files

Bytes BuildPcap(const CaptureLayout& layout, bool bigEndian) {
    auto put16 = [bigEndian](Bytes& out, uint16_t value) {
        if (bigEndian) Put16(out, value); else PutLittle16(out, value);
    };
    auto put32 = [bigEndian](Bytes& out, uint32_t value) {
        if (bigEndian) PutBig32(out, value); else PutLittle32(out, value);
    };
    Bytes file;
    put32(file, 0xA1B2C3D4);
    put16(file, 2);
    put16(file, 4);
    put32(file, 0);  // time zone
    put32(file, 0);  // time stamp accuracy
    put32(file, layout.snapLength);
    put32(file, layout.linkType);
    for (size_t i = 0; i < layout.frames.size(); ++i) {
        const Bytes frame = BuildFrame(layout.frames[i]);
        const bool last = i + 1 == layout.frames.size();
        const uint32_t size = static_cast<uint32_t>(frame.size());
        put32(file, kFirstTimestamp + static_cast<uint32_t>(i));
        put32(file, static_cast<uint32_t>(i) * 1000);
        put32(file, last && layout.lastRecordCapturedLength != 0 ? layout.lastRecordCapturedLength : size);
        put32(file, size);
        Append(file, frame);
    }
    return file;
}

void PutBlock(Bytes& file, uint32_t type, const Bytes& body) {
    const uint32_t total = static_cast<uint32_t>(12 + body.size());
    PutLittle32(file, type);
    PutLittle32(file, total);
    Append(file, body);
    PutLittle32(file, total);
}

// pcapng: a section header, one interface description and one enhanced
// packet block per frame; time stamps in microseconds.
Bytes BuildPcapng(const CaptureLayout& layout) {
    Bytes file;
    Bytes section;
    PutLittle32(section, 0x1A2B3C4D);  // byte-order magic
    PutLittle16(section, 1);
    PutLittle16(section, 0);
    PutLittle32(section, 0xFFFFFFFF);  // section length not given
    PutLittle32(section, 0xFFFFFFFF);
    PutBlock(file, 0x0A0D0D0A, section);

    Bytes interface;
    PutLittle16(interface, static_cast<uint16_t>(layout.linkType));
    PutLittle16(interface, 0);
    PutLittle32(interface, layout.snapLength);
    PutBlock(file, 0x00000001, interface);

    for (size_t i = 0; i < layout.frames.size(); ++i) {
        const Bytes frame = BuildFrame(layout.frames[i]);
        const uint64_t microseconds = (static_cast<uint64_t>(kFirstTimestamp) + i) * 1000000u + i * 1000u;
        Bytes packet;
        PutLittle32(packet, 0);  // interface 0
        PutLittle32(packet, static_cast<uint32_t>(microseconds >> 32));
        PutLittle32(packet, static_cast<uint32_t>(microseconds));
        PutLittle32(packet, static_cast<uint32_t>(frame.size()));
        PutLittle32(packet, static_cast<uint32_t>(frame.size()));
        Append(packet, frame);
        while (packet.size() % 4 != 0) packet.push_back(0x00);
        PutBlock(file, 0x00000006, packet);
    }
    return file;
}

Bytes BuildFile(const CaptureLayout& layout) {
    if (layout.fileBytesOverride != nullptr) {
        return Bytes(layout.fileBytesOverride, layout.fileBytesOverride + layout.fileBytesOverrideLength);
    }
    Bytes file;
    switch (layout.format) {
        case FileFormat::Pcap: file = BuildPcap(layout, false); break;
        case FileFormat::PcapBigEndian: file = BuildPcap(layout, true); break;
        case FileFormat::Pcapng: file = BuildPcapng(layout); break;
    }
    if (layout.truncateBy > file.size()) Fail(layout.fileName + ": cannot cut more than the file");
    file.resize(file.size() - layout.truncateBy);
    return file;
}

void WriteFile(const std::filesystem::path& path, const Bytes& bytes) {
    FILE* file = std::fopen(path.string().c_str(), "wb");
    if (file == nullptr) Fail(path.string() + ": " + std::strerror(errno));
    const size_t written = bytes.empty() ? 0 : std::fwrite(bytes.data(), 1, bytes.size(), file);
    if (std::fclose(file) != 0 || written != bytes.size()) Fail(path.string() + ": write failed");
}

// ---------------------------------------------------------------- contents

// Messages used by several captures.
constexpr const char* kGlobalWhoIs = "810B000C 0120FFFF00FF 1008";
constexpr const char* kReadBdt = "81020004";

// ARP request: who has 192.168.1.20? tell 192.168.1.10 (not IPv4, so not UDP).
constexpr const char* kArpRequest =
    "FFFFFFFFFFFF 001A2B01010A 0806"
    "0001 0800 06 04 0001 001A2B01010A C0A8010A 000000000000 C0A80114"
    "000000000000000000000000000000000000";

std::vector<CaptureLayout> SampleCaptures() {
    std::vector<CaptureLayout> captures;

    // Device and BBMD discovery on one IP subnet.
    captures.push_back(CaptureLayout{
        .fileName = "discovery.pcap",
        .frames = {
            // Who-Is, global broadcast.
            {.source = "192.168.1.10", .destination = "192.168.1.255", .payloadHex = kGlobalWhoIs},
            // I-Am device 1001, max APDU 1476, no segmentation, vendor 15.
            {.source = "192.168.1.20", .destination = "192.168.1.255",
             .payloadHex = "810B0014 0100 1000 C4020003E9 2205C4 9103 210F"},
            // I-Am device 1002, max APDU 1024, segmented both, vendor 24.
            {.source = "192.168.1.21", .destination = "192.168.1.255",
             .payloadHex = "810B0014 0100 1000 C4020003EA 220400 9100 2118"},
            // Who-Is for devices 1000 to 1001, unicast.
            {.source = "192.168.1.10", .destination = "192.168.1.20",
             .payloadHex = "810A000E 0100 1008 0A03E8 1A03E9"},
            // Read-Broadcast-Distribution-Table and its answer (one entry).
            {.source = "192.168.1.10", .destination = "192.168.1.1", .payloadHex = kReadBdt},
            {.source = "192.168.1.1", .destination = "192.168.1.10",
             .payloadHex = "8103000E C0A80101BAC0 FFFFFF00"},
            // Register-Foreign-Device (60 s), refused with a BVLC-Result NAK.
            {.source = "192.168.1.30", .destination = "192.168.1.1", .payloadHex = "81050006 003C"},
            {.source = "192.168.1.1", .destination = "192.168.1.30", .payloadHex = "81000006 0030"},
            // Forwarded-NPDU: a Who-Is from 10.0.0.5:47808 passed on by the BBMD.
            {.source = "192.168.1.1", .destination = "192.168.1.255",
             .payloadHex = "81040012 0A000005BAC0 0120FFFF00FF 1008"},
            // ARP: not UDP, skipped but numbered.
            {.rawFrameHex = kArpRequest},
            // Something on the BACnet port that is not BACnet/IP.
            {.source = "192.168.1.40", .destination = "192.168.1.255", .payloadHex = "48656C6C6F"},
            // BVLC-Result: successful completion.
            {.source = "192.168.1.1", .destination = "192.168.1.30", .payloadHex = "81000006 0000"},
            // Distribute-Broadcast-To-Network carrying a Who-Is.
            {.source = "192.168.1.30", .destination = "192.168.1.1", .payloadHex = "8109000C 0120FFFF00FF 1008"},
        }});

    // A client on 192.168.2.50 talks through the router 192.168.2.1 to
    // devices 0x0A and 0x0B on network 5.
    captures.push_back(CaptureLayout{
        .fileName = "routed.pcap",
        .frames = {
            // Network layer messages: Who-Is-Router-To-Network, I-Am-Router-To-Network 5, 6.
            {.source = "192.168.2.50", .destination = "192.168.2.255", .payloadHex = "810B0007 0180 00"},
            {.source = "192.168.2.1", .destination = "192.168.2.255", .payloadHex = "810B000B 0180 01 0005 0006"},
            // ReadProperty analog-input 1 present-value to DNET 5 / 0x0A, and its ComplexACK (42.0).
            {.source = "192.168.2.50", .destination = "192.168.2.1",
             .payloadHex = "810A0016 0124 0005 01 0A FF 0005010C 0C00000001 1955"},
            {.source = "192.168.2.1", .destination = "192.168.2.50",
             .payloadHex = "810A001B 0108 0005 01 0A 30010C 0C00000001 1955 3E 4442280000 3F"},
            // WriteProperty analog-value 1 present-value 20.0 at priority 8, and its SimpleACK.
            {.source = "192.168.2.50", .destination = "192.168.2.1",
             .payloadHex = "810A001F 0124 0005 01 0B FF 0005020F 0C00800001 1955 3E 4441A00000 3F 4908"},
            {.source = "192.168.2.1", .destination = "192.168.2.50",
             .payloadHex = "810A000D 0108 0005 01 0B 20020F"},
            // ReadProperty of property 512 that the device does not have: Error property/unknown-property.
            {.source = "192.168.2.50", .destination = "192.168.2.1",
             .payloadHex = "810A0017 0124 0005 01 0B FF 0005030C 0C00800001 1A0200"},
            {.source = "192.168.2.1", .destination = "192.168.2.50",
             .payloadHex = "810A0011 0108 0005 01 0B 50030C 9102 9120"},
            // ReadProperty without its property identifier: Reject missing-required-parameter.
            {.source = "192.168.2.50", .destination = "192.168.2.1",
             .payloadHex = "810A0014 0124 0005 01 0A FF 0005040C 0C00000001"},
            {.source = "192.168.2.1", .destination = "192.168.2.50",
             .payloadHex = "810A000D 0108 0005 01 0A 600405"},
            // ReadProperty device 1001 object-list: Abort segmentation-not-supported from the server.
            {.source = "192.168.2.50", .destination = "192.168.2.1",
             .payloadHex = "810A0016 0124 0005 01 0A FF 0005050C 0C020003E9 194C"},
            {.source = "192.168.2.1", .destination = "192.168.2.50",
             .payloadHex = "810A000D 0108 0005 01 0A 710504"},
            // I-Am of device 1001 from network 5, and a Who-Is broadcast on network 5.
            {.source = "192.168.2.1", .destination = "192.168.2.255",
             .payloadHex = "810B0018 0108 0005 01 0A 1000 C4020003E9 2205C4 9103 210F"},
            {.source = "192.168.2.50", .destination = "192.168.2.1", .payloadHex = "810A000C 0120 0005 00 FF 1008"},
        }});
    // Discovery, time and private-transfer services on 192.168.3.0/24, and
    // Error PDUs of several error choices answering a client at .10.
    captures.push_back(CaptureLayout{
        .fileName = "discovery-time.pcap",
        .frames = {
            // Who-Is for devices 100 to 200, local broadcast.
            {.source = "192.168.3.10", .destination = "192.168.3.255",
             .payloadHex = "810B000C 0100 1008 0964 19C8"},
            // I-Am device 150, max APDU 480, no segmentation, vendor 15.
            {.source = "192.168.3.20", .destination = "192.168.3.255",
             .payloadHex = "810B0014 0100 1000 C402000096 2201E0 9103 210F"},
            // Who-Has analog-input 5 on devices 100 to 200.
            {.source = "192.168.3.10", .destination = "192.168.3.255",
             .payloadHex = "810B0011 0100 1007 0964 19C8 2C00000005"},
            // I-Have: device 150 holds analog-input 5 "Outdoor Air".
            {.source = "192.168.3.20", .destination = "192.168.3.255",
             .payloadHex = "810B0020 0100 1001 C402000096 C400000005 750C004F7574646F6F7220416972"},
            // Who-Has "Outdoor Air" on every device.
            {.source = "192.168.3.10", .destination = "192.168.3.255",
             .payloadHex = "810B0016 0100 1007 3D0C004F7574646F6F7220416972"},
            // I-Have: device 151 holds analog-value 2 "Outdoor Air".
            {.source = "192.168.3.21", .destination = "192.168.3.255",
             .payloadHex = "810B0020 0100 1001 C402000097 C400800002 750C004F7574646F6F7220416972"},
            // TimeSynchronization 2024-03-05 (Tuesday) 14:05:03.07.
            {.source = "192.168.3.10", .destination = "192.168.3.255",
             .payloadHex = "810B0012 0100 1006 A47C030502 B40E050307"},
            // UTCTimeSynchronization 2024-03-05 (Tuesday) 13:05:03.07.
            {.source = "192.168.3.10", .destination = "192.168.3.255",
             .payloadHex = "810B0012 0100 1009 A47C030502 B40D050307"},
            // UnconfirmedPrivateTransfer vendor 15, service 2, parameters 42 and "OK".
            {.source = "192.168.3.10", .destination = "192.168.3.20",
             .payloadHex = "810A0015 0100 1004 090F 1902 2E 212A 7503004F4B 2F"},
            // Error readProperty: property / unknown-property.
            {.source = "192.168.3.20", .destination = "192.168.3.10",
             .payloadHex = "810A000D 0100 50010C 9102 9120"},
            // Error addListElement: property / value-out-of-range, first failed element 2.
            {.source = "192.168.3.20", .destination = "192.168.3.10",
             .payloadHex = "810A0011 0100 500208 0E 9102 9125 0F 1902"},
            // Error writePropertyMultiple: property / write-access-denied at analog-value 1 present-value.
            {.source = "192.168.3.20", .destination = "192.168.3.10",
             .payloadHex = "810A0018 0100 500310 0E 9102 9128 0F 1E 0C00800001 1955 1F"},
            // Error createObject: object / no-space-for-object, first failed element 0.
            {.source = "192.168.3.20", .destination = "192.168.3.10",
             .payloadHex = "810A0011 0100 50040A 0E 9101 9112 0F 1900"},
            // Error subscribeCOVPropertyMultiple: the first failed subscription,
            // analog-input 5 present-value, property / not-cov-property.
            {.source = "192.168.3.20", .destination = "192.168.3.10",
             .payloadHex = "810A001A 0100 50051E 1E 0C00000005 1E 0955 1F 2E 9102 912C 2F 1F"},
            // Error vtClose: vt / unknown-vt-session, sessions 1 and 2.
            {.source = "192.168.3.20", .destination = "192.168.3.10",
             .payloadHex = "810A0015 0100 500616 0E 9106 9123 0F 1E 2101 2102 1F"},
            // Error confirmedPrivateTransfer: services / other, vendor 15, service 2.
            {.source = "192.168.3.20", .destination = "192.168.3.10",
             .payloadHex = "810A0013 0100 500712 0E 9105 9100 0F 190F 2902"},
            // Error deviceCommunicationControl: services / password-failure.
            {.source = "192.168.3.20", .destination = "192.168.3.10",
             .payloadHex = "810A000D 0100 500811 9105 911A"},
        }});
    // A client at 192.168.10.50 finds device 1234 (192.168.10.20) and reads
    // it: object-name, analog-input 1 present-value (21.5), an object that
    // does not exist (Error object/unknown-object), and with
    // ReadPropertyMultiple the object list and three properties of
    // analog-input 1 (present-value now 22.0), one of which it does not have.
    captures.push_back(CaptureLayout{
        .fileName = "readproperty.pcap",
        .frames = {
            {.source = "192.168.10.50", .destination = "192.168.10.255", .payloadHex = "810B0008 0100 1008"},
            {.source = "192.168.10.20", .destination = "192.168.10.255",
             .payloadHex = "810B0014 0100 1000 C4020004D2 2205C4 9103 210F"},
            {.source = "192.168.10.50", .destination = "192.168.10.20",
             .payloadHex = "810A0011 0104 0005010C 0C020004D2 194D"},
            {.source = "192.168.10.20", .destination = "192.168.10.50",
             .payloadHex = "810A001A 0100 30010C 0C020004D2 194D 3E 7506004148552D31 3F"},
            {.source = "192.168.10.50", .destination = "192.168.10.20",
             .payloadHex = "810A0011 0104 0005020C 0C00000001 1955"},
            {.source = "192.168.10.20", .destination = "192.168.10.50",
             .payloadHex = "810A0017 0100 30020C 0C00000001 1955 3E 4441AC0000 3F"},
            {.source = "192.168.10.50", .destination = "192.168.10.20",
             .payloadHex = "810A0011 0104 0005030C 0C00000007 1955"},
            {.source = "192.168.10.20", .destination = "192.168.10.50", .payloadHex = "810A000D 0100 50030C 9101 911F"},
            {.source = "192.168.10.50", .destination = "192.168.10.20",
             .payloadHex = "810A0021 0104 0005040E 0C020004D2 1E 094C 1F 0C00000001 1E 0955 0975 0A270F 1F"},
            {.source = "192.168.10.20", .destination = "192.168.10.50",
             .payloadHex = "810A0042 0100 30040E 0C020004D2 1E 294C 4E C4020004D2 C400000001 C400400001 4F 1F"
                           " 0C00000001 1E 2955 4E 4441B00000 4F 2975 4E 913E 4F 2A270F 5E 9102 9120 5F 1F"},
        }});
    // A client at 192.168.20.50 writes to device 5678 (192.168.20.20) and
    // subscribes to changes of value: WriteProperty with a priority and
    // with an array index (a relinquish), WritePropertyMultiple to two
    // objects, SubscribeCOV with and without a lifetime, each answered by a
    // Simple-ACK, and the device's confirmed and unconfirmed notifications.
    captures.push_back(CaptureLayout{
        .fileName = "write-cov.pcap",
        .frames = {
            // WriteProperty analog-value 1 present-value 72.5 at priority 8.
            {.source = "192.168.20.50", .destination = "192.168.20.20",
             .payloadHex = "810A001A 0104 0005010F 0C00800001 1955 3E 4442910000 3F 4908"},
            {.source = "192.168.20.20", .destination = "192.168.20.50", .payloadHex = "810A0009 0100 20010F"},
            // WriteProperty analog-output 2 priority-array[10] NULL, no priority.
            {.source = "192.168.20.50", .destination = "192.168.20.20",
             .payloadHex = "810A0016 0104 0005020F 0C00400002 1957 290A 3E 00 3F"},
            {.source = "192.168.20.20", .destination = "192.168.20.50", .payloadHex = "810A0009 0100 20020F"},
            // WritePropertyMultiple: analog-value 1 present-value 50.0 at
            // priority 8 and description "Zone"; binary-value 3 out-of-service.
            {.source = "192.168.20.50", .destination = "192.168.20.20",
             .payloadHex = "810A0033 0104 00050310 0C00800001 1E 0955 2E 4442480000 2F 3908 091C 2E 7505005A6F6E65 2F"
                           " 1F 0C01400003 1E 0951 2E 11 2F 1F"},
            {.source = "192.168.20.20", .destination = "192.168.20.50", .payloadHex = "810A0009 0100 200310"},
            // SubscribeCOV process 18, analog-input 1, confirmed, 300 s.
            {.source = "192.168.20.50", .destination = "192.168.20.20",
             .payloadHex = "810A0016 0104 00050405 0912 1C00000001 2901 3A012C"},
            {.source = "192.168.20.20", .destination = "192.168.20.50", .payloadHex = "810A0009 0100 200405"},
            // The initial ConfirmedCOVNotification: 21.5, status-flags all clear, 300 s left.
            {.source = "192.168.20.20", .destination = "192.168.20.50",
             .payloadHex = "810A002B 0104 00050001 0912 1C0200162E 2C00000001 3A012C 4E 0955 2E 4441AC0000 2F"
                           " 096F 2E 820400 2F 4F"},
            {.source = "192.168.20.50", .destination = "192.168.20.20", .payloadHex = "810A0009 0100 200001"},
            // SubscribeCOV process 19, binary-value 3, unconfirmed, no lifetime.
            {.source = "192.168.20.50", .destination = "192.168.20.20",
             .payloadHex = "810A0013 0104 00050505 0913 1C01400003 2900"},
            {.source = "192.168.20.20", .destination = "192.168.20.50", .payloadHex = "810A0009 0100 200505"},
            // The initial UnconfirmedCOVNotification: active, status-flags all clear.
            {.source = "192.168.20.20", .destination = "192.168.20.50",
             .payloadHex = "810A0025 0100 1002 0913 1C0200162E 2C01400003 3900 4E 0955 2E 9101 2F 096F 2E 820400 2F"
                           " 4F"},
        }});
    return captures;
}

std::vector<CaptureLayout> HostileCaptures() {
    static const char kNotACapture[] = "This is a text file, not a packet capture.\n";
    const FrameLayout whoIs{.payloadHex = kGlobalWhoIs};
    const FrameLayout readBdt{.destination = "192.168.1.1", .payloadHex = kReadBdt};
    std::vector<CaptureLayout> captures;

    // The file ends in the middle of the third record's header.
    captures.push_back({.fileName = "truncated-record.pcap", .frames = {whoIs, readBdt, whoIs}, .truncateBy = 60 + 8});
    // The last record claims 4000 captured octets; the file ends long before.
    captures.push_back({.fileName = "caplen-beyond-file.pcap", .frames = {whoIs, whoIs},
                        .lastRecordCapturedLength = 4000});
    // A captured length no capture can have.
    captures.push_back({.fileName = "caplen-huge.pcap", .frames = {whoIs, whoIs},
                        .lastRecordCapturedLength = 0x7FFFFFF0});
    // A record of zero octets between two Who-Is.
    captures.push_back({.fileName = "zero-length-record.pcap",
                        .frames = {whoIs, {.rawFrameHex = ""}, whoIs}});
    // Snapshot length 46: frames are cut right after a 4-octet payload.
    captures.push_back({.fileName = "small-snaplen.pcap", .frames = {whoIs, readBdt}, .snapLength = 46});
    // Link type 101 (raw IP): the frames have no Ethernet header.
    captures.push_back({.fileName = "raw-ip-linktype.pcap",
                        .frames = {{.rawFrameHex = "4500 0028 1000 0000 4011 0000 C0A8010A C0A801FF"
                                                   "BAC0 BAC0 0014 0000 810B000C0120FFFF00FF1008"}},
                        .linkType = 101});
    // IPv6 UDP frames: octet 23 lies inside the source address; in the
    // second it happens to be 17, and the IHL nibble read there is 0.
    captures.push_back({.fileName = "ipv6.pcap",
                        .frames = {{.rawFrameHex = "333300000001 001A2B01010A 86DD"
                                                   "60000000 0014 11 40 FE800000000000000000000000000001"
                                                   "FF020000000000000000000000000001"
                                                   "BAC0 BAC0 0014 0000 810B000C0120FFFF00FF1008"},
                                   {.rawFrameHex = "333300000001 001A2B01010A 86DD"
                                                   "60000000 0014 11 40 FE110000000000000000000000000001"
                                                   "FF020000000000000000000000000001"
                                                   "BAC0 BAC0 0014 0000 810B000C0120FFFF00FF1008"}}});
    // 802.1Q tagged frames: the IPv4 header starts at 18, not 14.
    captures.push_back({.fileName = "vlan-tagged.pcap",
                        .frames = {{.payloadHex = kGlobalWhoIs, .vlanTagged = true, .ipIdentification = 0x1234},
                                   {.payloadHex = kGlobalWhoIs, .vlanTagged = true, .ipIdentification = 0x0011}}});
    // IHL 6: a router-alert option before the UDP header.
    captures.push_back({.fileName = "ipv4-options.pcap",
                        .frames = {{.payloadHex = kGlobalWhoIs, .ipOptionsHex = "94040000"}}});
    // UDP length 200 for a 12-octet payload (plus Ethernet padding).
    captures.push_back({.fileName = "udp-length-beyond-capture.pcap",
                        .frames = {{.payloadHex = kGlobalWhoIs, .udpLengthField = 200}}});
    // UDP lengths 4 and 0 (below the header's own 8) and exactly 8 (no payload).
    captures.push_back({.fileName = "udp-length-below-8.pcap",
                        .frames = {{.payloadHex = kGlobalWhoIs, .udpLengthField = 4},
                                   {.payloadHex = kGlobalWhoIs, .udpLengthField = 0},
                                   {.payloadHex = kGlobalWhoIs, .udpLengthField = 8}}});
    // UDP length 12 on a 12-octet Who-Is: the field owns up to only 4 of the
    // payload octets that follow the header (the IPv4 length tells the truth).
    captures.push_back({.fileName = "udp-length-short.pcap",
                        .frames = {{.payloadHex = kGlobalWhoIs, .udpLengthField = 12}}});
    // A later IPv4 fragment (offset 1480) of a UDP datagram: protocol 17, but
    // what follows the IPv4 header is the middle of the datagram, not a UDP header.
    captures.push_back({.fileName = "ipv4-fragment.pcap",
                        .frames = {{.rawFrameHex = "FFFFFFFFFFFF 001A2B01010A 0800 4500 0020 1000 00B9 4011 0000"
                                                   "C0A8010A C0A801FF 810B000C0120FFFF00FF1008"}}});
    // Link type 113 (Linux cooked capture): a 16-octet link header instead of
    // Ethernet's 14, so octet 23 falls inside the IPv4 header's fragment field.
    captures.push_back({.fileName = "linux-cooked-linktype.pcap",
                        .frames = {{.rawFrameHex = "0000 0001 0006 001A2B01010A 0000 0800"
                                                   "4500 0028 1000 0000 4011 0000 C0A8010A C0A801FF"
                                                   "BAC0 BAC0 0014 0000 810B000C0120FFFF00FF1008"}},
                        .linkType = 113});
    // BVLC length fields of 255 and 2 on a 12-octet Who-Is.
    captures.push_back({.fileName = "bvlc-length-lies.pcap",
                        .frames = {{.payloadHex = "810B00FF 0120FFFF00FF 1008", .bvlcLengthMayLie = true},
                                   {.payloadHex = "810B0002 0120FFFF00FF 1008", .bvlcLengthMayLie = true}}});
    // Frames too short for what octet 23 promises: 20 octets (not UDP), 30
    // octets, IHL 4, and IHL 15 in a 60-octet frame.
    captures.push_back({.fileName = "short-frames.pcap",
                        .frames = {{.rawFrameHex = "FFFFFFFFFFFF 001A2B01010A 0800 4500 0028 1000"},
                                   {.rawFrameHex = "FFFFFFFFFFFF 001A2B01010A 0800 4500 0028 1000 0000 4011 0000"
                                                   "C0A8010A"},
                                   {.rawFrameHex = "FFFFFFFFFFFF 001A2B01010A 0800 4400 0028 1000 0000 4011 0000"
                                                   "C0A8010A C0A801FF BAC0 BAC0 0014 0000 810B000C0120FFFF00FF1008"},
                                   {.rawFrameHex = "FFFFFFFFFFFF 001A2B01010A 0800 4F00 0028 1000 0000 4011 0000"
                                                   "C0A8010A C0A801FF BAC0 BAC0 0014 0000 810B000C0120FFFF00FF1008"
                                                   "0000000000"}}});
    // A file of no octets, one with only the file header, and a text file.
    captures.push_back({.fileName = "empty.pcap", .frames = {}, .fileBytesOverride = "", .fileBytesOverrideLength = 0});
    captures.push_back({.fileName = "header-only.pcap", .frames = {}});
    captures.push_back({.fileName = "not-a-capture.pcap", .frames = {}, .fileBytesOverride = kNotACapture,
                        .fileBytesOverrideLength = sizeof kNotACapture - 1});
    // The same traffic in pcapng and in big-endian pcap: both are captures.
    captures.push_back({.fileName = "pcapng-format.pcap", .frames = {whoIs, readBdt}, .format = FileFormat::Pcapng});
    captures.push_back({.fileName = "big-endian.pcap", .frames = {whoIs, readBdt},
                        .format = FileFormat::PcapBigEndian});
    return captures;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: samplegen <directory>\n");
        return 2;
    }
    const std::filesystem::path directory(argv[1]);
    const std::filesystem::path hostileDirectory = directory / "hostile";
    std::error_code error;
    std::filesystem::create_directories(hostileDirectory, error);
    if (error) Fail(hostileDirectory.string() + ": " + error.message());

    for (const CaptureLayout& capture : SampleCaptures()) {
        WriteFile(directory / capture.fileName, BuildFile(capture));
        std::printf("%s\n", (directory / capture.fileName).string().c_str());
    }
    for (const CaptureLayout& capture : HostileCaptures()) {
        WriteFile(hostileDirectory / capture.fileName, BuildFile(capture));
        std::printf("%s\n", (hostileDirectory / capture.fileName).string().c_str());
    }
    return 0;
}
