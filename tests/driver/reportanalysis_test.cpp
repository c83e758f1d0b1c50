// The report behind the seam: one database per capture, filled per packet,
// printed at the end of a capture read through and dropped silently for a
// capture that could not be opened.
#include "driver/reportanalysis.h"

#include <gtest/gtest.h>

#include "driver/drivertestsupport.h"

namespace {

using namespace TarnwickTest;

const std::string kReadBdtXml =
    kXmlHeader + "<BACnetPacket networkType='IP'><BVLL function='readBroadcastDistributionTable' /></BACnetPacket>";

TEST(ReportAnalysis, KeepsOneDatabasePerCaptureAndPrintsItOnlyWhenTheCaptureWasRead) {
    TempDir dir;
    ScopedCurrentDirectory cwd(dir.Path());
    const PcapFile sample = ReadPcap(SamplesDir() / "discovery.pcap");
    ASSERT_GE(sample.records.size(), 5u);
    const std::vector<uint8_t>& frame = sample.records[4].frame;  // the Read-BDT frame

    Tarnwick::ReportAnalysis analysis;
    EXPECT_EQ(analysis.Database(), nullptr);
    analysis.AnalysePacket(kReadBdtXml.c_str(), static_cast<uint32_t>(kReadBdtXml.size()), frame.data(),
                           static_cast<uint32_t>(frame.size()), 5, 4);  // before any capture: ignored
    EXPECT_FALSE(fs::exists("Report.txt"));

    analysis.BeginCapture();
    ASSERT_NE(analysis.Database(), nullptr);
    EXPECT_EQ(analysis.Database()->packetsReceived, 0u);
    analysis.AnalysePacket(kReadBdtXml.c_str(), static_cast<uint32_t>(kReadBdtXml.size()), frame.data(),
                           static_cast<uint32_t>(frame.size()), 5, 4);
    analysis.AnalysePacket(kReadBdtXml.c_str(), static_cast<uint32_t>(kReadBdtXml.size()), frame.data(),
                           static_cast<uint32_t>(frame.size()), 6, 4);
    EXPECT_EQ(analysis.Database()->packetsReceived, 2u);
    analysis.EndCapture();
    EXPECT_EQ(analysis.Database(), nullptr);
    const std::vector<std::string> printed = SplitLines(ReadFile("Report.txt"));
    EXPECT_TRUE(Contains(printed, " QUORIX REPORT TOOL v1.0.0"));
    EXPECT_TRUE(Contains(printed, "FYI: Packets received: 2"));

    // A new capture starts from an empty database; a discarded one prints nothing.
    fs::remove("Report.txt");
    analysis.BeginCapture();
    ASSERT_NE(analysis.Database(), nullptr);
    EXPECT_EQ(analysis.Database()->packetsReceived, 0u);
    analysis.DiscardCapture();
    EXPECT_EQ(analysis.Database(), nullptr);
    EXPECT_FALSE(fs::exists("Report.txt"));
}

}  // namespace
