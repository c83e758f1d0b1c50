// The capture run in-process: the XML files, the timing log, and what the
// packet loop hands to the analysis behind the report seam.
#include "driver/capturerun.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstring>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include "driver/drivertestsupport.h"

namespace {

using namespace TarnwickTest;
using Tarnwick::CaptureRun;
using Tarnwick::CounterMap;
using Tarnwick::TimingTable;

// Records every call of the seam, checking what it is given on the way.
class RecordingAnalysis final : public Tarnwick::PacketAnalysis {
public:
    struct Packet {
        uint32_t number;
        uint16_t payloadLength;
        uint32_t frameLength;
        std::string xml;
    };

    void BeginCapture() override { calls.push_back("begin"); }
    void AnalysePacket(const char* xmlText, uint32_t xmlLength, const uint8_t* frame, uint32_t frameLength,
                       uint32_t packetNumber, uint16_t payloadLength) override {
        calls.push_back("packet " + std::to_string(packetNumber));
        EXPECT_EQ(std::strlen(xmlText), xmlLength) << "the text must be NUL-terminated at its length";
        EXPECT_NE(frame, nullptr);
        EXPECT_GE(frameLength, 42u + payloadLength) << "the payload must lie inside the frame";
        packets.push_back({packetNumber, payloadLength, frameLength, std::string(xmlText, xmlLength)});
    }
    void EndCapture() override { calls.push_back("end"); }
    void DiscardCapture() override { calls.push_back("discard"); }

    std::vector<std::string> calls;
    std::vector<Packet> packets;
};

struct XmlFileRow {
    const char* label;
    uint32_t packetNumber;
    std::string capture;
    std::string text;
    bool written;
    std::string fileName;  // relative to the working directory; "" when none
};

TEST(WritePacketXmlFile, NamesTheFileAfterCaptureAndPacketAndWritesTheTextExactly) {
    TempDir dir;
    ScopedCurrentDirectory cwd(dir.Path());
    fs::create_directory("sub");
    // A path longer than the usual name buffer, each component short enough.
    std::string deep = "d" + std::string(200, 'x');
    fs::create_directories(deep + "/" + deep + "/" + deep);
    const std::string deepCapture = deep + "/" + deep + "/" + deep + "/a.pcap";

    const std::vector<XmlFileRow> rows = {
        {"packet 7", 7, "a.pcap", "<x/>", true, "a.pcap__packet_007.xml"},
        {"packet 1", 1, "a.pcap", "<y></y>", true, "a.pcap__packet_001.xml"},
        {"four digits", 1000, "a.pcap", "z", true, "a.pcap__packet_1000.xml"},
        {"six digits", 123456, "b.pcap", "z", true, "b.pcap__packet_123456.xml"},
        {"beside a capture in a folder", 12, "sub/c.pcap", "<c/>", true, "sub/c.pcap__packet_012.xml"},
        {"a very long capture path", 3, deepCapture, "<deep/>", true, deepCapture + "__packet_003.xml"},
        {"a line break is kept as is", 2, "n.pcap", "a\nb", true, "n.pcap__packet_002.xml"},
        {"length 0 writes nothing", 5, "e.pcap", "", false, ""},
    };
    for (const XmlFileRow& row : rows) {
        SCOPED_TRACE(row.label);
        EXPECT_EQ(CaptureRun::WritePacketXmlFile(row.packetNumber, row.text.c_str(), row.capture,
                                                 static_cast<uint32_t>(row.text.size())),
                  row.written);
        if (!row.fileName.empty()) {
            EXPECT_EQ(ReadFile(row.fileName), row.text);
        }
    }
    EXPECT_FALSE(fs::exists("e.pcap__packet_005.xml"));
    EXPECT_FALSE(fs::exists("Report.txt")) << "no row may print an error";
}

TEST(WritePacketXmlFile, ReportsFilesThatCannotBeOpenedOrCompletelyWritten) {
    TempDir dir;
    ScopedCurrentDirectory cwd(dir.Path());
    fs::create_directory("a.pcap__packet_004.xml");  // a folder in the way
    EXPECT_FALSE(CaptureRun::WritePacketXmlFile(4, "<x/>", "a.pcap", 4));
    EXPECT_FALSE(CaptureRun::WritePacketXmlFile(9, "<x/>", "missing/a.pcap", 4));
    EXPECT_EQ(ReadFile("Report.txt"),
              "Error: Could not open file for write. File=[a.pcap__packet_004.xml]\n"
              "Error: Could not open file for write. File=[missing/a.pcap__packet_009.xml]\n");

    // A file size limit makes the write fail part-way; run in a child so
    // the limit cannot touch anything else.
    fs::remove("Report.txt");
    const std::string text(4000, 'x');
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        struct rlimit limit {1000, 1000};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        const bool written = CaptureRun::WritePacketXmlFile(1, text.c_str(), "big.pcap", 4000);
        ::_exit(written ? 1 : 0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "an incomplete write must return false";
    EXPECT_EQ(ReadFile("Report.txt"),
              "Error: Could not write contents to file. xmlDataLength=[4000], File=[big.pcap__packet_001.xml]\n");
}

struct TimingRow {
    const char* label;
    TimingTable table;
    std::string file;
};

TEST(WriteTimingLog, WritesTheHeaderAndOneLinePerPacketInOrder) {
    TempDir dir;
    ScopedCurrentDirectory cwd(dir.Path());
    const std::vector<TimingRow> rows = {
        {"no packets", {}, "Packet, Time in ms\n"},
        {"three digits and more", {{1, 5}, {2, 0}, {10, 17}, {1000, 123456}},
         "Packet, Time in ms\n001, 5\n002, 0\n010, 17\n1000, 123456\n"},
        {"rewritten by the next capture", {{3, 2}}, "Packet, Time in ms\n003, 2\n"},
    };
    for (const TimingRow& row : rows) {
        SCOPED_TRACE(row.label);
        CaptureRun::WriteTimingLog(row.table);
        EXPECT_EQ(ReadFile("logTiming.csv"), row.file);
    }
    fs::remove("logTiming.csv");
    fs::create_directory("logTiming.csv");
    CaptureRun::WriteTimingLog({{1, 1}});
    EXPECT_EQ(ReadFile("Report.txt"), "Error: Could not open file for write. File=[logTiming.csv]\n");
}

TEST(ProcessCaptureFile, HandsEveryDecodedPacketToTheAnalysisBetweenBeginAndEnd) {
    TempDir dir;
    CopySample("discovery.pcap", dir.Path());
    ScopedCurrentDirectory cwd(dir.Path());
    RecordingAnalysis analysis;
    CaptureRun run(analysis);
    CounterMap session;
    EXPECT_EQ(run.ProcessCaptureFile("discovery.pcap", false, 0, session), 0);

    // Packet 10 is ARP, packet 11 is not BACnet/IP.
    const std::vector<std::string> calls = {"begin",     "packet 1", "packet 2", "packet 3",  "packet 4",
                                            "packet 5",  "packet 6", "packet 7", "packet 8",  "packet 9",
                                            "packet 12", "packet 13", "end"};
    EXPECT_EQ(analysis.calls, calls);
    const std::vector<std::pair<uint16_t, uint32_t>> sizes = {{12, 60}, {20, 62}, {20, 62}, {14, 60},
                                                              {4, 60},  {14, 60}, {6, 60},  {6, 60},
                                                              {18, 60}, {6, 60},  {12, 60}};
    ASSERT_EQ(analysis.packets.size(), sizes.size());
    for (size_t i = 0; i < sizes.size(); ++i) {
        SCOPED_TRACE(analysis.packets[i].number);
        EXPECT_EQ(analysis.packets[i].payloadLength, sizes[i].first);
        EXPECT_EQ(analysis.packets[i].frameLength, sizes[i].second);
        EXPECT_EQ(analysis.packets[i].xml.rfind(kXmlHeader + "<BACnetPacket networkType='IP'>", 0), 0u);
        // The text handed on is the text written to the packet's file.
        char name[64];
        std::snprintf(name, sizeof name, "discovery.pcap__packet_%03u.xml", analysis.packets[i].number);
        EXPECT_EQ(ReadFile(name), analysis.packets[i].xml);
    }
    const CounterMap expected = {{"filesProcessed", 1}, {"packet.count", 13}, {"packet.decode.error.count", 1},
                                 {"packet.not.udp.skip.count", 1}, {"packet.write.error.count", 0}};
    EXPECT_EQ(session, expected);

    // A second capture adds to the session counters.
    EXPECT_EQ(run.ProcessCaptureFile("discovery.pcap", true, 5, session), 0);
    const CounterMap twice = {{"filesProcessed", 2}, {"packet.count", 19}, {"packet.decode.error.count", 1},
                              {"packet.not.udp.skip.count", 1}, {"packet.write.error.count", 0}};
    EXPECT_EQ(session, twice);
    EXPECT_EQ(analysis.calls.back(), "end");
    EXPECT_EQ(analysis.calls[analysis.calls.size() - 2], "packet 5");
}

TEST(ProcessCaptureFile, DiscardsTheDatabaseOfACaptureThatCannotBeOpened) {
    TempDir dir;
    CopySample("hostile/not-a-capture.pcap", dir.Path());
    ScopedCurrentDirectory cwd(dir.Path());
    RecordingAnalysis analysis;
    CaptureRun run(analysis);
    CounterMap session;
    run.ProcessCaptureFile("nosuch.pcap", false, 0, session);
    run.ProcessCaptureFile("not-a-capture.pcap", false, 0, session);
    EXPECT_EQ(analysis.calls, (std::vector<std::string>{"begin", "discard", "begin", "discard"}));
    EXPECT_TRUE(session.empty());
    EXPECT_FALSE(fs::exists("logTiming.csv"));
    EXPECT_EQ(ReadFile("Report.txt"),
              "\nFYI: Processing Wirehark packet. File=[nosuch.pcap]\n"
              "Error: Unable to open the file. Error=[nosuch.pcap: No such file or directory], source=[nosuch.pcap].\n"
              "\nFYI: Processing Wirehark packet. File=[not-a-capture.pcap]\n"
              "Error: Unable to open the file. Error=[unknown file format], source=[not-a-capture.pcap].\n");
}

TEST(ProcessCaptureFile, FinishesADamagedCaptureLikeOneReadToItsEnd) {
    TempDir dir;
    CopySample("hostile/truncated-record.pcap", dir.Path());
    ScopedCurrentDirectory cwd(dir.Path());
    RecordingAnalysis analysis;
    CaptureRun run(analysis);
    CounterMap session;
    run.ProcessCaptureFile("truncated-record.pcap", false, 0, session);
    EXPECT_EQ(analysis.calls, (std::vector<std::string>{"begin", "packet 1", "packet 2", "end"}));
    EXPECT_EQ(session["filesProcessed"], 1);
    EXPECT_EQ(session["packet.count"], 2);
    const std::vector<std::string> lines = SplitLines(ReadFile("Report.txt"));
    EXPECT_TRUE(Contains(lines, "Error: Failed reading the capture. Error=[truncated dump file; tried to read 16 "
                                "header bytes, only got 8]"));
    EXPECT_TRUE(Contains(lines, "FYI: packet.count: 2 "));
    EXPECT_EQ(SplitLines(ReadFile("logTiming.csv")).size(), 3u);
}

TEST(CaptureRun, WithoutAnyArgumentTheCaptureNameIsEmpty) {
    // A program started with argc 0 (no name at all) takes the named-capture
    // path with an empty name.
    TempDir dir;
    ScopedCurrentDirectory cwd(dir.Path());
    RecordingAnalysis analysis;
    CaptureRun run(analysis);
    const char* argv[] = {nullptr};
    EXPECT_EQ(run.Run(0, argv), 0);
    const std::vector<std::string> lines = SplitLines(ReadFile("Report.txt"));
    EXPECT_TRUE(Contains(lines, "FYI: Processing Wirehark packet. File=[]"));
    EXPECT_TRUE(Contains(lines, "Error: Unable to open the file. Error=[: No such file or directory], source=[]."));
    EXPECT_EQ(lines.back(), "FYI: Done. Total time: 0 seconds ");
    EXPECT_EQ(analysis.calls, (std::vector<std::string>{"begin", "discard"}));
}

}  // namespace
