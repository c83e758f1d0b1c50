// The sample captures: the committed files are exactly what the generator
// writes, and their frames are well-formed Ethernet/IPv4/UDP/BACnet-IP.
#include <gtest/gtest.h>

#include <cstdlib>

#include "driver/drivertestsupport.h"

namespace {

using namespace TarnwickTest;

std::vector<std::string> RelativeFiles(const fs::path& root) {
    std::vector<std::string> names;
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(root)) {
        if (entry.is_regular_file()) names.push_back(fs::relative(entry.path(), root).string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

TEST(SampleCaptures, CommittedFilesMatchAFreshGenerationByteForByte) {
    TempDir dir;
    const std::string command = std::string("'") + SAMPLEGEN_EXE + "' '" + dir.Path().string() + "' > /dev/null";
    ASSERT_EQ(std::system(command.c_str()), 0);

    const std::vector<std::string> generated = RelativeFiles(dir.Path());
    const std::vector<std::string> committed = RelativeFiles(SamplesDir());
    EXPECT_EQ(generated, committed) << "samples/ and the generator list different files";
    EXPECT_GE(generated.size(), 20u);
    for (const std::string& name : generated) {
        SCOPED_TRACE(name);
        EXPECT_TRUE(ReadBytes(dir.Path() / name) == ReadBytes(SamplesDir() / name))
            << "regenerate with: samplegen samples";
    }
}

uint16_t Big16(const std::vector<uint8_t>& bytes, size_t offset) {
    return static_cast<uint16_t>(bytes[offset] << 8 | bytes[offset + 1]);
}

TEST(SampleCaptures, FramesCarryValidIpv4ChecksumsAndConsistentLengths) {
    for (const char* sample : {"discovery.pcap", "routed.pcap"}) {
        SCOPED_TRACE(sample);
        const PcapFile file = ReadPcap(SamplesDir() / sample);
        ASSERT_EQ(file.fileHeader.size(), 24u);
        // Version 2.4, snapshot length 65535, link type 1.
        EXPECT_EQ(std::vector<uint8_t>(file.fileHeader.begin() + 4, file.fileHeader.end()),
                  (std::vector<uint8_t>{2, 0, 4, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0xFF, 0xFF, 0, 0, 1, 0, 0, 0}));
        EXPECT_GE(file.records.size(), 10u);
        size_t udpFrames = 0;
        for (size_t i = 0; i < file.records.size(); ++i) {
            SCOPED_TRACE(i + 1);
            const std::vector<uint8_t>& frame = file.records[i].frame;
            ASSERT_GE(frame.size(), 60u) << "Ethernet frames are padded to 60 octets";
            if (Big16(frame, 12) != 0x0800) continue;
            ++udpFrames;
            ASSERT_EQ(frame[14], 0x45);
            ASSERT_EQ(frame[23], 17);
            uint32_t sum = 0;
            for (size_t offset = 14; offset < 34; offset += 2) sum += Big16(frame, offset);
            while (sum > 0xFFFF) sum = (sum & 0xFFFF) + (sum >> 16);
            EXPECT_EQ(sum, 0xFFFFu) << "IPv4 header checksum";
            const uint16_t ipLength = Big16(frame, 16);
            const uint16_t udpLength = Big16(frame, 38);
            EXPECT_EQ(ipLength, 20 + udpLength);
            ASSERT_LE(14u + ipLength, frame.size());
            EXPECT_EQ(Big16(frame, 36), 47808);
            if (frame[42] == 0x81) {
                EXPECT_EQ(Big16(frame, 44), udpLength - 8) << "BVLC length";
            }
        }
        EXPECT_GE(udpFrames, file.records.size() - 1);
    }
}

}  // namespace
