// The timing table of a long capture: its entries leave memory in chunks as
// the capture is read, and logTiming.csv must still list every timed packet
// once, in ascending order, with nothing lost at the chunk boundaries.
#include "driver/capturerun.h"

#include <gtest/gtest.h>

#include "driver/drivertestsupport.h"

namespace {

using namespace TarnwickTest;
using Tarnwick::CaptureRun;
using Tarnwick::CounterMap;

class CountingAnalysis final : public Tarnwick::PacketAnalysis {
public:
    void BeginCapture() override {}
    void AnalysePacket(const char*, uint32_t, const uint8_t*, uint32_t, uint32_t, uint16_t) override { ++packets; }
    void EndCapture() override {}
    void DiscardCapture() override {}
    uint32_t packets = 0;
};

TEST(TimingLog, ALongCaptureListsEveryTimedPacketOnceInOrder) {
    // discovery.pcap repeated: its ARP frame is never timed, its frame that
    // is not BACnet/IP is timed although it fails to decode.
    const PcapFile sample = ReadPcap(SamplesDir() / "discovery.pcap");
    ASSERT_FALSE(sample.records.empty());
    // Timed packets just below, at and just above one chunk of entries
    // (8192), and over two chunks with a remainder.
    for (const size_t timed : {size_t{8191}, size_t{8192}, size_t{8193}, size_t{18000}}) {
        SCOPED_TRACE(timed);
        PcapFile big;
        big.fileHeader = sample.fileHeader;
        std::vector<std::string> expected = {"Packet, Time in ms"};
        for (size_t i = 0; expected.size() <= timed; ++i) {
            const PcapRecord& record = sample.records[i % sample.records.size()];
            big.records.push_back(record);
            if (record.frame.size() > 23 && record.frame[23] == 17) {
                char number[32];
                std::snprintf(number, sizeof number, "%03zu", i + 1);
                expected.push_back(number);
            }
        }
        const size_t records = big.records.size();

        TempDir dir;
        WriteBytes(dir.Path() / "big.pcap", WritePcap(big));
        ScopedCurrentDirectory cwd(dir.Path());
        CountingAnalysis analysis;
        CaptureRun run(analysis);
        run.SetWriteXmlFiles(false);
        CounterMap session;
        run.ProcessCaptureFile("big.pcap", false, 0, session);
        EXPECT_EQ(session["packet.count"], static_cast<int>(records));

        const std::vector<std::string> lines = SplitLines(ReadFile("logTiming.csv"));
        ASSERT_FALSE(lines.empty());
        std::vector<std::string> listed = {lines[0]};
        for (size_t i = 1; i < lines.size(); ++i) {
            const size_t comma = lines[i].find(", ");
            ASSERT_NE(comma, std::string::npos) << lines[i];
            EXPECT_EQ(lines[i].find_first_not_of("0123456789", comma + 2), std::string::npos) << lines[i];
            listed.push_back(lines[i].substr(0, comma));
        }
        EXPECT_EQ(listed, expected);
        EXPECT_GT(analysis.packets, 0u);
    }
}

}  // namespace
