// Whole-program runs of the built tarnwick: the banner, the clean-up of an
// earlier run, the XML files, the timing log, the counters and the
// command-line arguments. Timing values are never compared.
#include <gtest/gtest.h>

#include <set>

#include "driver/drivertestsupport.h"

namespace {

using namespace TarnwickTest;

const std::string kWhoIsNpduAndApdu =
    "<NPDU control='0x20' version='1'><DestinationNetwork>65535</DestinationNetwork>"
    "<DestinationAddress length='0' /><HopCount>255</HopCount></NPDU>"
    "<UnconfirmedRequestPDU serviceChoice='whoIs'><WhoIsRequest /></UnconfirmedRequestPDU>";
const std::string kPacketStart = kXmlHeader + "<BACnetPacket networkType='IP'>";
const std::string kWhoIsXml =
    kPacketStart + "<BVLL function='originalBroadcastNPDU' />" + kWhoIsNpduAndApdu + "</BACnetPacket>";
const std::string kReadBdtXml =
    kPacketStart + "<BVLL function='readBroadcastDistributionTable' /></BACnetPacket>";

// The packet numbers listed in logTiming.csv, after checking its format.
std::vector<int> TimingPackets(const fs::path& directory) {
    const std::vector<std::string> lines = SplitLines(ReadFile(directory / "logTiming.csv"));
    std::vector<int> packets;
    if (lines.empty() || lines[0] != "Packet, Time in ms") {
        ADD_FAILURE() << "logTiming.csv has no header line";
        return packets;
    }
    for (size_t i = 1; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        const size_t comma = line.find(", ");
        const bool wellFormed = comma != std::string::npos && comma >= 3 && comma + 2 < line.size() &&
                                line.find_first_not_of("0123456789") == comma &&
                                line.find_first_not_of("0123456789", comma + 2) == std::string::npos;
        if (!wellFormed) {
            ADD_FAILURE() << "bad timing line \"" << line << '"';
            continue;
        }
        packets.push_back(std::stoi(line.substr(0, comma)));
    }
    return packets;
}

TEST(TarnwickRun, EmptyDirectoryPrintsBannerAndAnEmptySessionSummary) {
    TempDir dir;
    const RunResult run = RunTarnwick(dir.Path());
    EXPECT_EQ(run.exitCode, 0);
    const std::vector<std::string> lines = SplitLines(run.console);
    ASSERT_EQ(lines.size(), 12u) << run.console;
    EXPECT_EQ(lines[0], "FYI: Tarnwick");
    const std::string versionStart = "FYI: Application version: 1.0.0.6, Last updated: ";
    EXPECT_EQ(lines[1].rfind(versionStart, 0), 0u) << lines[1];
    EXPECT_TRUE(HasShape(lines[1].substr(versionStart.size()), "ULL _D DDDD DD:DD:DD ")) << lines[1];
    EXPECT_EQ(lines[2], "FYI: Created by Morvane Automation Systems");
    EXPECT_EQ(lines[3], "Deleting old xml files, Report.txt, and logTiming.csv... ");
    const std::string startedStart = "FYI: Application started ";
    EXPECT_EQ(lines[4].rfind(startedStart, 0), 0u) << lines[4];
    EXPECT_TRUE(HasShape(lines[4].substr(startedStart.size()), "DD/DD/DD DD:DD:DD ")) << lines[4];
    EXPECT_EQ(lines[5], "FYI: BACnet Stack version 3.3.2");
    EXPECT_EQ(lines[6].rfind("FYI: libpcap version ", 0), 0u) << lines[6];
    EXPECT_EQ(lines[7], "");
    EXPECT_EQ(lines[8], "");
    EXPECT_EQ(lines[9], "---------------------------------------------------");
    EXPECT_EQ(lines[10], "FYI: Global session stats:");
    EXPECT_EQ(lines[11], "FYI: Done. Total time: 0 seconds ");
    EXPECT_TRUE(run.console.ends_with(" \n"));

    // Report.txt holds everything from the start line on, but not the
    // first four banner lines: they left with the old Report.txt.
    const size_t started = run.console.find("FYI: Application started ");
    ASSERT_NE(started, std::string::npos);
    EXPECT_EQ(run.report, run.console.substr(started));
    EXPECT_FALSE(fs::exists(dir.Path() / "logTiming.csv"));
}

TEST(TarnwickRun, RemovesTheOutputsOfAnEarlierRun) {
    TempDir dir;
    WriteText(dir.Path() / "old.pcap__packet_001.xml", "old");
    WriteText(dir.Path() / "notes.xml", "old");
    WriteText(dir.Path() / "logTiming.csv", "old timing\n");
    WriteText(dir.Path() / "Report.txt", "old report\n");
    WriteText(dir.Path() / "keep.txt", "kept");
    const RunResult run = RunTarnwick(dir.Path());
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_TRUE(NamesEndingWith(dir.Path(), ".xml").empty());
    EXPECT_FALSE(fs::exists(dir.Path() / "logTiming.csv"));
    EXPECT_EQ(run.report.find("old report"), std::string::npos);
    EXPECT_EQ(run.report.rfind("FYI: Application started ", 0), 0u);
    EXPECT_EQ(ReadFile(dir.Path() / "keep.txt"), "kept");
}

TEST(TarnwickRun, DecodesEveryUdpPacketOfACaptureIntoItsOwnXmlFile) {
    TempDir dir;
    CopySample("discovery.pcap", dir.Path());
    const RunResult run = RunTarnwick(dir.Path(), {"discovery.pcap"});
    EXPECT_EQ(run.exitCode, 0);

    // Packet 10 is ARP (a gap in the numbers), packet 11 is not BACnet/IP.
    std::vector<std::string> expectedFiles;
    for (int packet : {1, 2, 3, 4, 5, 6, 7, 8, 9, 12, 13}) {
        char name[64];
        std::snprintf(name, sizeof name, "discovery.pcap__packet_%03d.xml", packet);
        expectedFiles.push_back(name);
    }
    EXPECT_EQ(NamesEndingWith(dir.Path(), ".xml"), expectedFiles);

    const std::vector<std::pair<const char*, std::string>> documents = {
        {"discovery.pcap__packet_001.xml", kWhoIsXml},
        {"discovery.pcap__packet_005.xml", kReadBdtXml},
        {"discovery.pcap__packet_006.xml",
         kPacketStart + "<BVLL function='readBroadcastDistributionTableAck' /></BACnetPacket>"},
        {"discovery.pcap__packet_007.xml",
         kPacketStart + "<BVLL function='registerForeignDevice' /></BACnetPacket>"},
        {"discovery.pcap__packet_008.xml",
         kPacketStart +
             "<BVLL function='result'><Result code='0x0030'>RegisterForeignDeviceNAK</Result></BVLL></BACnetPacket>"},
        {"discovery.pcap__packet_009.xml",
         kPacketStart +
             "<BVLL function='forwardedNPDU'><OriginatingDevice>10.0.0.5:47808</OriginatingDevice></BVLL>" +
             kWhoIsNpduAndApdu + "</BACnetPacket>"},
        {"discovery.pcap__packet_012.xml",
         kPacketStart + "<BVLL function='result'><Result code='0x0000'>Success</Result></BVLL></BACnetPacket>"},
        {"discovery.pcap__packet_013.xml",
         kPacketStart + "<BVLL function='distributeBroadcastToNetwork' />" + kWhoIsNpduAndApdu + "</BACnetPacket>"},
    };
    for (const auto& [name, text] : documents) EXPECT_EQ(ReadFile(dir.Path() / name), text) << name;
    for (const char* name : {"discovery.pcap__packet_002.xml", "discovery.pcap__packet_003.xml"}) {
        EXPECT_EQ(ReadFile(dir.Path() / name).rfind(kPacketStart + "<BVLL function='originalBroadcastNPDU' /><NPDU ", 0),
                  0u)
            << name;
    }
    EXPECT_EQ(ReadFile(dir.Path() / "discovery.pcap__packet_004.xml")
                  .rfind(kPacketStart + "<BVLL function='originalUnicastNPDU' /><NPDU ", 0),
              0u);

    const std::vector<std::string> lines = SplitLines(run.console);
    EXPECT_TRUE(Contains(lines, "FYI: Processing Wirehark packet. File=[discovery.pcap]"));
    EXPECT_TRUE(Contains(lines, "FYI: Wirehark packet version [2.4]"));
    EXPECT_TRUE(Contains(lines, "Error: (Pkt: 11) Could not decode packet as BACnet"));
    EXPECT_FALSE(Contains(lines, "Error: (Pkt: 10) Could not decode packet as BACnet"));

    const auto capture = CaptureCounters(run.console, "discovery.pcap");
    const std::vector<std::pair<std::string, int>> expectedCapture = {{"packet.count", 13},
                                                                      {"packet.decode.error.count", 1},
                                                                      {"packet.not.udp.skip.count", 1},
                                                                      {"packet.write.error.count", 0}};
    EXPECT_EQ(capture, expectedCapture);
    const std::vector<std::pair<std::string, int>> expectedSession = {{"filesProcessed", 1},
                                                                      {"packet.count", 13},
                                                                      {"packet.decode.error.count", 1},
                                                                      {"packet.not.udp.skip.count", 1},
                                                                      {"packet.write.error.count", 0}};
    EXPECT_EQ(SessionCounters(run.console), expectedSession);
    EXPECT_EQ(SessionCounters(run.report), expectedSession);

    // Every UDP packet is timed, decoded or not; the ARP frame is not.
    EXPECT_EQ(TimingPackets(dir.Path()), (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 11, 12, 13}));
}

TEST(TarnwickRun, ReadsEveryCaptureOfTheDirectoryInNameOrderAndAddsUpTheSession) {
    TempDir dir;
    CopySample("routed.pcap", dir.Path());
    CopySample("discovery.pcap", dir.Path());
    WriteText(dir.Path() / ".hidden.pcap", "not read");
    const RunResult run = RunTarnwick(dir.Path());
    EXPECT_EQ(run.exitCode, 0);

    const size_t first = run.console.find("FYI: Processing Wirehark packet. File=[discovery.pcap]");
    const size_t second = run.console.find("FYI: Processing Wirehark packet. File=[routed.pcap]");
    ASSERT_NE(first, std::string::npos);
    ASSERT_NE(second, std::string::npos);
    EXPECT_LT(first, second);
    EXPECT_EQ(run.console.find(".hidden.pcap"), std::string::npos);

    // Numbering restarts with each capture.
    EXPECT_TRUE(fs::exists(dir.Path() / "discovery.pcap__packet_001.xml"));
    EXPECT_TRUE(fs::exists(dir.Path() / "routed.pcap__packet_003.xml"));

    const auto discovery = CaptureCounters(run.console, "discovery.pcap");
    const auto routed = CaptureCounters(run.console, "routed.pcap");
    const auto session = SessionCounters(run.console);
    ASSERT_EQ(session.size(), 5u);
    const std::vector<std::string> order = {"filesProcessed", "packet.count", "packet.decode.error.count",
                                            "packet.not.udp.skip.count", "packet.write.error.count"};
    for (size_t i = 0; i < order.size(); ++i) EXPECT_EQ(session[i].first, order[i]);
    EXPECT_EQ(CounterValue(session, "filesProcessed"), 2);
    EXPECT_EQ(CounterValue(routed, "packet.count"), 14);
    for (size_t i = 1; i < order.size(); ++i) {
        EXPECT_EQ(CounterValue(session, order[i]),
                  CounterValue(discovery, order[i]) + CounterValue(routed, order[i]))
            << order[i];
    }
    // Every routed packet is UDP: decoded ones have files, the rest are errors.
    EXPECT_EQ(NamesEndingWith(dir.Path(), ".xml").size(),
              11u + 14u - static_cast<size_t>(CounterValue(routed, "packet.decode.error.count")));

    // The timing log is the last capture's: all fourteen routed packets.
    std::vector<int> all(14);
    for (int i = 0; i < 14; ++i) all[static_cast<size_t>(i)] = i + 1;
    EXPECT_EQ(TimingPackets(dir.Path()), all);
}

struct SpecificRow {
    const char* argument;
    int atoiValue;
    int packetCount;          // where the loop stopped
    std::vector<int> files;   // XML files written
    std::vector<int> timing;  // timing entries
    int notUdp;
    int decodeErrors;
};

TEST(TarnwickRun, ProcessesOnlyTheNamedPacketAndStopsRightAfterIt) {
    const std::vector<SpecificRow> rows = {
        {"1", 1, 2, {1}, {1}, 0, 0},
        {"5", 5, 6, {5}, {5}, 0, 0},
        {"13", 13, 13, {13}, {13}, 0, 0},
        {"10", 10, 11, {}, {}, 1, 0},        // the ARP frame
        {"11", 11, 12, {}, {11}, 0, 1},      // not BACnet/IP
        {"0", 0, 1, {}, {}, 0, 0},           // stops at the first record
        {"-3", -3, 13, {}, {}, 0, 0},        // reads everything, decodes nothing
        {"99", 99, 13, {}, {}, 0, 0},        // beyond the end
        {"abc", 0, 1, {}, {}, 0, 0},         // atoi: no digits
        {"5x", 5, 6, {5}, {5}, 0, 0},        // atoi: leading digits
        {" +7", 7, 8, {7}, {7}, 0, 0},       // atoi: blanks and sign
    };
    for (const SpecificRow& row : rows) {
        SCOPED_TRACE(row.argument);
        TempDir dir;
        CopySample("discovery.pcap", dir.Path());
        const RunResult run = RunTarnwick(dir.Path(), {"discovery.pcap", row.argument});
        EXPECT_EQ(run.exitCode, 0);
        const std::vector<std::string> lines = SplitLines(run.report);
        EXPECT_TRUE(Contains(lines, "FYI: Processing a specific packet. Packet: " + std::to_string(row.atoiValue)));
        char found[64];
        std::snprintf(found, sizeof found, "FYI: Found specific packet #%03d", row.atoiValue);
        const bool inCapture = row.atoiValue >= 1 && row.atoiValue <= 13;
        EXPECT_EQ(Contains(lines, found), inCapture);

        std::vector<std::string> files;
        for (int packet : row.files) {
            char name[64];
            std::snprintf(name, sizeof name, "discovery.pcap__packet_%03d.xml", packet);
            files.push_back(name);
        }
        EXPECT_EQ(NamesEndingWith(dir.Path(), ".xml"), files);
        EXPECT_EQ(TimingPackets(dir.Path()), row.timing);
        const auto counters = CaptureCounters(run.report, "discovery.pcap");
        EXPECT_EQ(CounterValue(counters, "packet.count"), row.packetCount);
        EXPECT_EQ(CounterValue(counters, "packet.not.udp.skip.count"), row.notUdp);
        EXPECT_EQ(CounterValue(counters, "packet.decode.error.count"), row.decodeErrors);
        EXPECT_EQ(run.report.find("FYI: Processed "), std::string::npos);
    }
}

TEST(TarnwickRun, NumbersOfAThousandAndMoreKeepAllTheirDigits) {
    // 1,001 Read-Broadcast-Distribution-Table frames.
    TempDir dir;
    PcapFile sample = ReadPcap(SamplesDir() / "discovery.pcap");
    ASSERT_GE(sample.records.size(), 5u);
    PcapFile big{sample.fileHeader, {}};
    for (int i = 0; i < 1001; ++i) big.records.push_back(sample.records[4]);
    WriteBytes(dir.Path() / "big.pcap", WritePcap(big));

    RunResult run = RunTarnwick(dir.Path(), {"big.pcap"});
    EXPECT_EQ(run.exitCode, 0);
    std::vector<std::string> lines = SplitLines(run.report);
    EXPECT_TRUE(Contains(lines, "FYI: Processed 500 packets..."));
    EXPECT_TRUE(Contains(lines, "FYI: Processed 1000 packets..."));
    EXPECT_EQ(NamesEndingWith(dir.Path(), ".xml").size(), 1001u);
    EXPECT_EQ(ReadFile(dir.Path() / "big.pcap__packet_1000.xml"), kReadBdtXml);
    EXPECT_EQ(ReadFile(dir.Path() / "big.pcap__packet_1001.xml"), kReadBdtXml);
    EXPECT_TRUE(fs::exists(dir.Path() / "big.pcap__packet_999.xml"));
    const std::vector<int> timing = TimingPackets(dir.Path());
    ASSERT_EQ(timing.size(), 1001u);
    EXPECT_EQ(timing.back(), 1001);

    // The progress line comes only when the chosen packet is a multiple of 500.
    run = RunTarnwick(dir.Path(), {"big.pcap", "1000"});
    lines = SplitLines(run.report);
    EXPECT_TRUE(Contains(lines, "FYI: Found specific packet #1000"));
    EXPECT_TRUE(Contains(lines, "FYI: Processed 1000 packets..."));
    EXPECT_FALSE(Contains(lines, "FYI: Processed 500 packets..."));
    EXPECT_EQ(NamesEndingWith(dir.Path(), ".xml"), (std::vector<std::string>{"big.pcap__packet_1000.xml"}));

    run = RunTarnwick(dir.Path(), {"big.pcap", "999"});
    EXPECT_EQ(run.report.find("FYI: Processed "), std::string::npos);
}

TEST(TarnwickRun, AMissingCapturePrintsTheOpenErrorAndASummaryWithoutFiles) {
    TempDir dir;
    const RunResult run = RunTarnwick(dir.Path(), {"nosuch.pcap"});
    EXPECT_EQ(run.exitCode, 0);
    const std::vector<std::string> lines = SplitLines(run.report);
    const std::vector<std::string> expectedTail = {
        "",
        "FYI: Processing Wirehark packet. File=[nosuch.pcap]",
        "Error: Unable to open the file. Error=[nosuch.pcap: No such file or directory], source=[nosuch.pcap].",
        "",
        "---------------------------------------------------",
        "FYI: Global session stats:",
        "FYI: Done. Total time: 0 seconds ",
    };
    ASSERT_GE(lines.size(), expectedTail.size());
    EXPECT_EQ(std::vector<std::string>(lines.end() - static_cast<long>(expectedTail.size()), lines.end()),
              expectedTail);
    EXPECT_FALSE(fs::exists(dir.Path() / "logTiming.csv"));
}

TEST(TarnwickRun, WritesXmlFilesBesideACaptureNamedWithAPath) {
    TempDir dir;
    fs::create_directory(dir.Path() / "sub");
    CopySample("discovery.pcap", dir.Path() / "sub");
    const RunResult run = RunTarnwick(dir.Path(), {"sub/discovery.pcap", "1"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(ReadFile(dir.Path() / "sub" / "discovery.pcap__packet_001.xml"), kWhoIsXml);
    EXPECT_TRUE(NamesEndingWith(dir.Path(), ".xml").empty());
    EXPECT_TRUE(fs::exists(dir.Path() / "logTiming.csv"));
    EXPECT_TRUE(Contains(SplitLines(run.report), "FYI: Processing Wirehark packet. File=[sub/discovery.pcap]"));
}

TEST(TarnwickRun, CountsXmlFilesThatCannotBeWrittenAndStillAnalysesThePacket) {
    TempDir dir;
    CopySample("discovery.pcap", dir.Path());
    fs::create_directory(dir.Path() / "discovery.pcap__packet_005.xml");  // a folder in the way
    const RunResult run = RunTarnwick(dir.Path(), {"discovery.pcap"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_TRUE(Contains(SplitLines(run.report),
                         "Error: Could not open file for write. File=[discovery.pcap__packet_005.xml]"));
    EXPECT_EQ(CounterValue(SessionCounters(run.report), "packet.write.error.count"), 1);
    // The packet is still handed to the report, which counts it as received.
    EXPECT_TRUE(Contains(SplitLines(run.report), "FYI: Packets received: " +
                                                     std::to_string(NamesEndingWith(dir.Path(), ".xml").size())));
    const std::vector<int> timing = TimingPackets(dir.Path());
    EXPECT_TRUE(std::find(timing.begin(), timing.end(), 5) != timing.end());
}

}  // namespace
