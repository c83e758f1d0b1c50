// A capture run with the XML files turned off (the benchmark driver's mode)
// does everything else exactly as a normal run: the same packets and texts
// reach the analysis, the same counters, timing log and report lines.
#include "driver/capturerun.h"

#include <gtest/gtest.h>

#include "driver/drivertestsupport.h"

namespace {

using namespace TarnwickTest;
using Tarnwick::CaptureRun;
using Tarnwick::CounterMap;

class TextRecorder final : public Tarnwick::PacketAnalysis {
public:
    void BeginCapture() override { texts.emplace_back("begin"); }
    void AnalysePacket(const char* xmlText, uint32_t xmlLength, const uint8_t*, uint32_t, uint32_t packetNumber,
                       uint16_t payloadLength) override {
        texts.push_back(std::to_string(packetNumber) + " " + std::to_string(payloadLength) + " " +
                        std::string(xmlText, xmlLength));
    }
    void EndCapture() override { texts.emplace_back("end"); }
    void DiscardCapture() override { texts.emplace_back("discard"); }

    std::vector<std::string> texts;
};

struct RunOutcome {
    std::vector<std::string> texts;
    CounterMap session;
    std::vector<std::string> reportLines;  // without the elapsed-time lines
    std::vector<std::string> timingPackets;
    std::vector<std::string> xmlFiles;
};

RunOutcome RunCapture(const std::string& sample, bool writeXmlFiles) {
    TempDir dir;
    CopySample(sample, dir.Path());
    ScopedCurrentDirectory cwd(dir.Path());
    TextRecorder analysis;
    CaptureRun run(analysis);
    run.SetWriteXmlFiles(writeXmlFiles);
    RunOutcome outcome;
    run.ProcessCaptureFile(fs::path(sample).filename().string(), false, 0, outcome.session);
    outcome.texts = analysis.texts;
    for (const std::string& line : SplitLines(ReadFile("Report.txt"))) {
        if (line.rfind("FYI: Done. Total time:", 0) != 0) outcome.reportLines.push_back(line);
    }
    for (const std::string& line : SplitLines(ReadFile("logTiming.csv"))) {
        outcome.timingPackets.push_back(line.substr(0, line.find(',')));
    }
    outcome.xmlFiles = NamesEndingWith(dir.Path(), ".xml");
    return outcome;
}

TEST(CaptureRunWithoutXmlFiles, WritesNoXmlFileAndOtherwiseRunsExactlyLikeANormalRun) {
    for (const char* sample : {"discovery.pcap", "routed.pcap"}) {
        SCOPED_TRACE(sample);
        const RunOutcome normal = RunCapture(sample, true);
        const RunOutcome withoutFiles = RunCapture(sample, false);

        EXPECT_FALSE(normal.xmlFiles.empty());
        EXPECT_EQ(normal.xmlFiles.size() + 2, normal.texts.size()) << "one file per analysed packet";
        EXPECT_TRUE(withoutFiles.xmlFiles.empty());

        EXPECT_EQ(withoutFiles.texts, normal.texts);
        EXPECT_EQ(withoutFiles.session, normal.session);
        EXPECT_EQ(withoutFiles.session.at("packet.write.error.count"), 0);
        EXPECT_EQ(withoutFiles.reportLines, normal.reportLines);
        EXPECT_EQ(withoutFiles.timingPackets, normal.timingPackets);
        EXPECT_GT(withoutFiles.timingPackets.size(), 1u);
    }
}

TEST(CaptureRunWithoutXmlFiles, AFolderInTheWayOfAnXmlFileIsNoWriteErrorWhenFilesAreOff) {
    // With files on, a folder named like packet 1's file makes a write error;
    // with files off nothing is opened, so nothing fails.
    for (const bool writeXmlFiles : {true, false}) {
        SCOPED_TRACE(writeXmlFiles ? "files on" : "files off");
        TempDir dir;
        CopySample("discovery.pcap", dir.Path());
        ScopedCurrentDirectory cwd(dir.Path());
        fs::create_directory("discovery.pcap__packet_001.xml");
        TextRecorder analysis;
        CaptureRun run(analysis);
        run.SetWriteXmlFiles(writeXmlFiles);
        CounterMap session;
        run.ProcessCaptureFile("discovery.pcap", false, 0, session);
        EXPECT_EQ(session["packet.write.error.count"], writeXmlFiles ? 1 : 0);
        const bool reported =
            Contains(SplitLines(ReadFile("Report.txt")),
                     "Error: Could not open file for write. File=[discovery.pcap__packet_001.xml]");
        EXPECT_EQ(reported, writeXmlFiles);
        EXPECT_EQ(analysis.texts.size(), 13u) << "packet 1 is analysed either way";
    }
}

}  // namespace
