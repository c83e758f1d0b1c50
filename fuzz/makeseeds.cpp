// fuzz_seeds: writes the seed corpora of the fuzz targets.
//
//   fuzz_seeds <source directory> <output directory>
//
// <output>/payload  BACnet/IP payloads: fuzz/seeds/payloads.txt and the UDP
//                   payloads of samples/*.pcap (fuzz_decodexml, fuzz_roundtrip)
// <output>/report   the XML document of every payload that decodes, and each
//                   sample packet with the one after it (fuzz_report)
// <output>/capture  the sample and hostile captures, and one capture of all
//                   listed payloads (fuzz_capture)
//
// Every seed is named after the hash of its content, so running it twice
// changes nothing. Lists the listed payloads that do not decode (a hint
// that a vector or a decoder is wrong), and fails only when it cannot read
// its inputs or write its outputs.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "bacnetstack.h"
#include "fuzzsupport.h"

namespace fs = std::filesystem;
using Bytes = std::vector<uint8_t>;
using namespace TarnwickFuzz;

namespace {

constexpr const char* kDocumentSeparator = "\n@@\n";

[[noreturn]] void Fail(const std::string& message) {
    std::fprintf(stderr, "fuzz_seeds: %s\n", message.c_str());
    std::exit(1);
}

Bytes ReadAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) Fail("cannot read " + path.string());
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteSeed(const fs::path& directory, const Bytes& content) {
    uint64_t hash = 1469598103934665603ull;  // FNV-1a
    for (const uint8_t octet : content) hash = (hash ^ octet) * 1099511628211ull;
    char name[32];
    std::snprintf(name, sizeof name, "seed-%016llx", static_cast<unsigned long long>(hash));
    std::ofstream out(directory / name, std::ios::binary);
    out.write(reinterpret_cast<const char*>(content.data()), static_cast<std::streamsize>(content.size()));
    if (!out) Fail("cannot write " + (directory / name).string());
}

uint32_t Little32(const Bytes& bytes, size_t offset) {
    return static_cast<uint32_t>(bytes[offset]) | static_cast<uint32_t>(bytes[offset + 1]) << 8 |
           static_cast<uint32_t>(bytes[offset + 2]) << 16 | static_cast<uint32_t>(bytes[offset + 3]) << 24;
}

// The UDP payloads of a little-endian classic pcap of Ethernet frames, in
// record order; frames that are not IPv4/UDP are left out.
std::vector<Bytes> UdpPayloads(const fs::path& capture) {
    const Bytes file = ReadAll(capture);
    std::vector<Bytes> payloads;
    if (file.size() < 24 || Little32(file, 0) != 0xA1B2C3D4u || Little32(file, 20) != 1) {
        Fail(capture.string() + " is not a little-endian Ethernet capture");
    }
    size_t offset = 24;
    while (file.size() - offset >= 16) {
        const uint32_t captured = Little32(file, offset + 8);
        offset += 16;
        if (captured > file.size() - offset) break;
        const uint8_t* frame = file.data() + offset;
        offset += captured;
        if (captured < 34 || frame[12] != 0x08 || frame[13] != 0x00 || frame[23] != 17) continue;
        const size_t udp = 14 + static_cast<size_t>(frame[14] & 0x0F) * 4;
        if (udp + 8 > captured) continue;
        const size_t udpLength = static_cast<size_t>(frame[udp + 4] << 8 | frame[udp + 5]);
        if (udpLength < 8 || udp + udpLength > captured) continue;
        payloads.emplace_back(frame + udp + 8, frame + udp + udpLength);
    }
    return payloads;
}

std::vector<Bytes> ListedPayloads(const fs::path& list) {
    std::ifstream in(list);
    if (!in) Fail("cannot read " + list.string());
    std::vector<Bytes> payloads;
    std::string line;
    int number = 0;
    while (std::getline(in, line)) {
        ++number;
        if (line.empty() || line[0] == '#') continue;
        Bytes payload;
        if (!ParseHex(line, payload) || payload.empty()) {
            Fail(list.string() + ":" + std::to_string(number) + ": not a hex payload");
        }
        payloads.push_back(std::move(payload));
    }
    return payloads;
}

// The XML document of a payload; empty when it does not decode.
std::string Document(const Bytes& payload) {
    static char text[kXmlBufferSize];
    if (payload.size() > kMaxPayload) return {};
    const uint32_t length =
        BACnetStack_DecodeAsXML(payload.data(), static_cast<uint16_t>(payload.size()), text, kXmlBufferSize);
    return std::string(text, length);
}

Bytes AsBytes(const std::string& text) { return Bytes(text.begin(), text.end()); }

// A classic pcap holding each payload in an Ethernet/IPv4/UDP frame.
Bytes CaptureOf(const std::vector<Bytes>& payloads) {
    Bytes file;
    auto put32 = [&file](uint32_t value) {
        for (int shift = 0; shift < 32; shift += 8) file.push_back(static_cast<uint8_t>(value >> shift));
    };
    put32(0xA1B2C3D4u);
    put32(0x00040002u);  // version 2.4
    put32(0);
    put32(0);
    put32(65535);
    put32(1);
    uint32_t second = 1700000000;
    for (const Bytes& payload : payloads) {
        const size_t udpLength = payload.size() + 8;
        const size_t ipLength = udpLength + 20;
        Bytes frame = {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x1A, 0x2B, 0x01, 0x01, 0x0A, 0x08, 0x00,
                       0x45, 0x00, static_cast<uint8_t>(ipLength >> 8), static_cast<uint8_t>(ipLength),
                       0x10, 0x00, 0x00, 0x00, 0x40, 0x11, 0x00, 0x00,
                       0xC0, 0xA8, 0x01, 0x0A, 0xC0, 0xA8, 0x01, 0xFF,
                       0xBA, 0xC0, 0xBA, 0xC0, static_cast<uint8_t>(udpLength >> 8), static_cast<uint8_t>(udpLength),
                       0x00, 0x00};
        frame.insert(frame.end(), payload.begin(), payload.end());
        put32(second++);
        put32(0);
        put32(static_cast<uint32_t>(frame.size()));
        put32(static_cast<uint32_t>(frame.size()));
        file.insert(file.end(), frame.begin(), frame.end());
    }
    return file;
}

fs::path FreshDirectory(const fs::path& path) {
    std::error_code error;
    fs::create_directories(path, error);
    if (error) Fail("cannot create " + path.string() + ": " + error.message());
    return path;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: fuzz_seeds <source directory> <output directory>\n");
        return 2;
    }
    SilenceStackErrorLog();
    const fs::path source(argv[1]);
    const fs::path output(argv[2]);
    const fs::path payloadDirectory = FreshDirectory(output / "payload");
    const fs::path reportDirectory = FreshDirectory(output / "report");
    const fs::path captureDirectory = FreshDirectory(output / "capture");

    const std::vector<Bytes> listed = ListedPayloads(source / "fuzz" / "seeds" / "payloads.txt");
    size_t payloadCount = 0;
    size_t documentCount = 0;
    for (const Bytes& payload : listed) {
        WriteSeed(payloadDirectory, payload);
        ++payloadCount;
        const std::string document = Document(payload);
        if (document.empty()) {
            std::string hex;
            for (const uint8_t octet : payload) {
                char two[4];
                std::snprintf(two, sizeof two, "%02X", octet);
                hex += two;
            }
            std::printf("fuzz_seeds: listed payload refused by the stack (a seed for its error paths): %s\n",
                        hex.c_str());
            continue;
        }
        WriteSeed(reportDirectory, AsBytes(document));
        ++documentCount;
    }

    std::vector<fs::path> samples;
    for (const auto& entry : fs::directory_iterator(source / "samples")) {
        if (entry.is_regular_file() && entry.path().extension() == ".pcap") samples.push_back(entry.path());
    }
    for (const fs::path& sample : samples) {
        const std::vector<Bytes> payloads = UdpPayloads(sample);
        std::string previous;
        for (const Bytes& payload : payloads) {
            WriteSeed(payloadDirectory, payload);
            ++payloadCount;
            const std::string document = Document(payload);
            if (document.empty()) continue;
            WriteSeed(reportDirectory, AsBytes(document));
            ++documentCount;
            if (!previous.empty()) WriteSeed(reportDirectory, AsBytes(previous + kDocumentSeparator + document));
            previous = document;
        }
        WriteSeed(captureDirectory, ReadAll(sample));
    }
    for (const auto& entry : fs::directory_iterator(source / "samples" / "hostile")) {
        if (entry.is_regular_file()) WriteSeed(captureDirectory, ReadAll(entry.path()));
    }
    WriteSeed(captureDirectory, CaptureOf(listed));

    std::printf("fuzz_seeds: %zu payloads, %zu documents, captures in %s\n", payloadCount, documentCount,
                captureDirectory.string().c_str());
    return 0;
}
