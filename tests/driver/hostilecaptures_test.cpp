// Whole-program runs over captures that break the rules (samples/hostile)
// and over the real captures of the shared folder: every run reaches its
// end with exit code 0, a clear line for what went wrong, and counters that
// add up.
#include <gtest/gtest.h>

#include <map>

#include "driver/drivertestsupport.h"

namespace {

using namespace TarnwickTest;

const std::string kPacketStart = kXmlHeader + "<BACnetPacket networkType='IP'>";
const std::string kWhoIsXml =
    kPacketStart +
    "<BVLL function='originalBroadcastNPDU' /><NPDU control='0x20' version='1'><DestinationNetwork>65535"
    "</DestinationNetwork><DestinationAddress length='0' /><HopCount>255</HopCount></NPDU>"
    "<UnconfirmedRequestPDU serviceChoice='whoIs'><WhoIsRequest /></UnconfirmedRequestPDU></BACnetPacket>";
const std::string kReadBdtXml =
    kPacketStart + "<BVLL function='readBroadcastDistributionTable' /></BACnetPacket>";

struct HostileRow {
    const char* file;
    // For a capture that opens: its counters; for one that does not: -1.
    int packetCount;
    int decodeErrors;
    int notUdp;
    std::string errorLine;       // the line that must appear, matched on its start
    std::map<int, std::string> documents;  // packet -> exact XML file content
};

std::vector<HostileRow> HostileRows() {
    const std::string readFailed = "Error: Failed reading the capture. Error=[";
    return {
        {"truncated-record.pcap", 2, 0, 0, readFailed + "truncated dump file; tried to read 16 header bytes",
         {{1, kWhoIsXml}, {2, kReadBdtXml}}},
        {"caplen-beyond-file.pcap", 1, 0, 0, readFailed + "truncated dump file; tried to read 4000 captured bytes",
         {{1, kWhoIsXml}}},
        {"caplen-huge.pcap", 1, 0, 0, readFailed + "invalid packet capture length 2147483632", {{1, kWhoIsXml}}},
        {"zero-length-record.pcap", 3, 0, 1, "", {{1, kWhoIsXml}, {3, kWhoIsXml}}},
        // Both frames are cut after a 4-octet payload: the Who-Is no longer
        // decodes, the Read-BDT (4 octets) still does.
        {"small-snaplen.pcap", 2, 1, 0, "Error: (Pkt: 1) Could not decode packet as BACnet", {{2, kReadBdtXml}}},
        {"raw-ip-linktype.pcap", 1, 0, 1, "", {}},
        {"ipv6.pcap", 2, 1, 1, "Error: (Pkt: 2) Could not decode packet as BACnet", {}},
        {"vlan-tagged.pcap", 2, 1, 1, "Error: (Pkt: 2) Could not decode packet as BACnet", {}},
        {"ipv4-options.pcap", 1, 0, 0, "", {{1, kWhoIsXml}}},
        {"udp-length-beyond-capture.pcap", 1, 0, 0, "", {{1, kWhoIsXml}}},
        {"udp-length-below-8.pcap", 3, 3, 0, "Error: (Pkt: 3) Could not decode packet as BACnet", {}},
        {"bvlc-length-lies.pcap", 2, 0, 0, "", {{1, kWhoIsXml}, {2, kWhoIsXml}}},
        {"short-frames.pcap", 4, 3, 1, "Error: (Pkt: 4) Could not decode packet as BACnet", {}},
        {"header-only.pcap", 0, 0, 0, "", {}},
        {"pcapng-format.pcap", 2, 0, 0, "", {{1, kWhoIsXml}, {2, kReadBdtXml}}},
        {"big-endian.pcap", 2, 0, 0, "", {{1, kWhoIsXml}, {2, kReadBdtXml}}},
        {"empty.pcap", -1, 0, 0,
         "Error: Unable to open the file. Error=[truncated dump file; tried to read 4 file header bytes, only got 0], "
         "source=[empty.pcap].",
         {}},
        {"not-a-capture.pcap", -1, 0, 0,
         "Error: Unable to open the file. Error=[unknown file format], source=[not-a-capture.pcap].", {}},
    };
}

bool HasLineStartingWith(const std::string& text, const std::string& start) {
    for (const std::string& line : SplitLines(text)) {
        if (line.rfind(start, 0) == 0) return true;
    }
    return false;
}

TEST(HostileCaptures, EveryCaptureRunsToTheEndWithAClearLineAndExitCodeZero) {
    for (const HostileRow& row : HostileRows()) {
        SCOPED_TRACE(row.file);
        TempDir dir;
        CopySample(std::string("hostile/") + row.file, dir.Path());
        const RunResult run = RunTarnwick(dir.Path(), {row.file});
        EXPECT_EQ(run.exitCode, 0);
        EXPECT_TRUE(Contains(SplitLines(run.report), "FYI: Global session stats:"))
            << "the session summary must close the run";
        if (!row.errorLine.empty()) {
            EXPECT_TRUE(HasLineStartingWith(run.report, row.errorLine)) << run.report;
        }

        const auto session = SessionCounters(run.report);
        if (row.packetCount < 0) {
            EXPECT_TRUE(session.empty());
            EXPECT_FALSE(fs::exists(dir.Path() / "logTiming.csv"));
            continue;
        }
        const std::vector<std::pair<std::string, int>> expected = {
            {"filesProcessed", 1},
            {"packet.count", row.packetCount},
            {"packet.decode.error.count", row.decodeErrors},
            {"packet.not.udp.skip.count", row.notUdp},
            {"packet.write.error.count", 0}};
        EXPECT_EQ(session, expected);

        std::vector<std::string> names;
        for (const auto& [packet, text] : row.documents) {
            char name[128];
            std::snprintf(name, sizeof name, "%s__packet_%03d.xml", row.file, packet);
            names.push_back(name);
            EXPECT_EQ(ReadFile(dir.Path() / name), text) << name;
        }
        EXPECT_EQ(NamesEndingWith(dir.Path(), ".xml"), names);
        const size_t decoded = row.documents.size();
        EXPECT_EQ(static_cast<size_t>(row.packetCount), decoded + static_cast<size_t>(row.decodeErrors + row.notUdp));
    }
}

TEST(HostileCaptures, ADirectoryOfThemIsReadToTheEndInOneRun) {
    TempDir dir;
    int opened = 0;
    int packets = 0;
    for (const HostileRow& row : HostileRows()) {
        CopySample(std::string("hostile/") + row.file, dir.Path());
        if (row.packetCount >= 0) {
            ++opened;
            packets += row.packetCount;
        }
    }
    fs::create_directory(dir.Path() / "folder.pcap");
    const RunResult run = RunTarnwick(dir.Path());
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_TRUE(HasLineStartingWith(run.report, "Error: Unable to open the file. Error=[error reading dump file"))
        << "a directory named like a capture is reported, not read";
    const auto session = SessionCounters(run.report);
    EXPECT_EQ(CounterValue(session, "filesProcessed"), opened);
    EXPECT_EQ(CounterValue(session, "packet.count"), packets);
    EXPECT_EQ(CounterValue(session, "packet.write.error.count"), 0);
}

// The real captures of the shared folder, with their packet counts.
TEST(SharedCaptures, RealCapturesFinishAndTheirCountersAddUp) {
    const fs::path shared = fs::path(TARNWICK_SHARED_DIR) / "captures";
    if (!fs::is_directory(shared)) GTEST_SKIP() << "no shared captures at " << shared;
    const std::map<std::string, int> knownCounts = {{"bacnet_services.pcap", 7158},
                                                    {"sample-pcap.pcap", 6680},
                                                    {"bacnet_error_reject_abort.pcap", 45},
                                                    {"bacnet_segmented_data.pcap", 20},
                                                    {"bacnet_test.pcap", 26}};
    TempDir dir;
    std::vector<std::string> captures;
    for (const fs::directory_entry& entry : fs::directory_iterator(shared)) {
        const std::string name = entry.path().filename().string();
        if (!name.ends_with(".pcap")) continue;
        fs::copy_file(entry.path(), dir.Path() / name);
        captures.push_back(name);
    }
    if (captures.empty()) GTEST_SKIP() << "no .pcap files in " << shared;
    const RunResult run = RunTarnwick(dir.Path());
    EXPECT_EQ(run.exitCode, 0);

    int totalPackets = 0;
    size_t totalFiles = 0;
    for (const std::string& capture : captures) {
        SCOPED_TRACE(capture);
        const auto counters = CaptureCounters(run.report, capture);
        ASSERT_EQ(counters.size(), 4u);
        const int count = CounterValue(counters, "packet.count");
        const int decodeErrors = CounterValue(counters, "packet.decode.error.count");
        const int notUdp = CounterValue(counters, "packet.not.udp.skip.count");
        EXPECT_EQ(CounterValue(counters, "packet.write.error.count"), 0);
        const auto known = knownCounts.find(capture);
        if (known != knownCounts.end()) {
            EXPECT_EQ(count, known->second);
        }
        size_t xmlFiles = 0;
        for (const std::string& name : NamesEndingWith(dir.Path(), ".xml")) {
            if (name.rfind(capture + "__packet_", 0) == 0) ++xmlFiles;
        }
        EXPECT_EQ(static_cast<size_t>(count), xmlFiles + static_cast<size_t>(decodeErrors + notUdp));
        // One progress line per 500 packets.
        int progressLines = 0;
        const size_t start = run.report.find("FYI: Processing Wirehark packet. File=[" + capture + "]");
        const size_t end = run.report.find("FYI: packet.count: ", start);
        for (const std::string& line : SplitLines(run.report.substr(start, end - start))) {
            if (line.rfind("FYI: Processed ", 0) == 0) ++progressLines;
        }
        EXPECT_EQ(progressLines, count / 500);
        totalPackets += count;
        totalFiles += xmlFiles;
    }
    const auto session = SessionCounters(run.report);
    EXPECT_EQ(CounterValue(session, "filesProcessed"), static_cast<int>(captures.size()));
    EXPECT_EQ(CounterValue(session, "packet.count"), totalPackets);
    EXPECT_EQ(static_cast<size_t>(totalPackets),
              totalFiles + static_cast<size_t>(CounterValue(session, "packet.decode.error.count") +
                                               CounterValue(session, "packet.not.udp.skip.count")));
}

}  // namespace
