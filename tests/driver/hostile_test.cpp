// Captures that lie about themselves. Every file of samples/hostile is run
// through the tarnwick program on its own (whatever files the folder holds
// now or later), the folder is checked to still hold each kind of lie, and
// the sample captures are cut at every length and have their header fields
// bent, then read in-process by the capture run with the real decoder and
// report behind it. Each run must finish, with exit code 0, counters that
// add up, and only clear lines: printable text, and every fault line naming
// the packet or the capture problem it reports.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <functional>
#include <set>

#include <fcntl.h>
#include <unistd.h>

#include "driver/capturerun.h"
#include "driver/drivertestsupport.h"
#include "driver/platform.h"
#include "driver/reportanalysis.h"

namespace {

using namespace TarnwickTest;

std::vector<std::string> HostileCaptureNames() {
    std::vector<std::string> names;
    for (const fs::directory_entry& entry : fs::directory_iterator(SamplesDir() / "hostile")) {
        if (entry.is_regular_file()) names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

bool StartsWith(const std::string& text, const char* start) { return text.rfind(start, 0) == 0; }

// The fault lines a hostile capture may cause: a packet that fails, a
// capture that cannot be opened, a capture whose reading breaks off.
const char* const kClearFaultStarts[] = {
    "Error: (Pkt: ",
    "Error: (Packet ",
    "WARNING: (Packet ",
    "Error: Unable to open the file. Error=[",
    "Error: Failed reading the capture. Error=[",
};

// Empty when every line is clear; else the first line that is not.
std::string FirstUnclearLine(const std::string& text) {
    for (const std::string& line : SplitLines(text)) {
        for (const char c : line) {
            if (c < 0x20 || c > 0x7E) return "not printable: " + line;
        }
        if (!StartsWith(line, "Error") && !StartsWith(line, "WARNING")) continue;
        bool known = false;
        for (const char* start : kClearFaultStarts) known = known || StartsWith(line, start);
        if (!known) return line;
    }
    return {};
}

TEST(HostileCorpus, EachFileOfTheFolderRunsToTheEndWithClearLines) {
    const std::vector<std::string> names = HostileCaptureNames();
    ASSERT_GE(names.size(), 15u);
    for (const std::string& name : names) {
        SCOPED_TRACE(name);
        TempDir dir;
        CopySample("hostile/" + name, dir.Path());
        const RunResult run = RunTarnwick(dir.Path(), {name});
        EXPECT_EQ(run.exitCode, 0);
        EXPECT_EQ(FirstUnclearLine(run.report), "");
        for (const char* alarm : {"Sanitizer", "runtime error", "terminate called", "Segmentation", "Aborted"}) {
            EXPECT_EQ(run.console.find(alarm), std::string::npos) << run.console;
        }
        // What the report file holds is what the console showed, where the
        // stack's own error lines ("::...") are mixed in.
        std::string printed;
        for (const std::string& line : SplitLines(run.console)) {
            if (!StartsWith(line, "::")) printed += line + "\n";
        }
        EXPECT_NE(printed.find(run.report), std::string::npos) << run.console;

        const auto session = SessionCounters(run.report);
        const bool opened = run.report.find("Error: Unable to open the file.") == std::string::npos;
        if (!opened) {
            EXPECT_TRUE(session.empty());
            EXPECT_TRUE(NamesEndingWith(dir.Path(), ".xml").empty());
            continue;
        }
        // The capture was finished: its own counters and the session's.
        ASSERT_EQ(CaptureCounters(run.report, name).size(), 4u) << run.report;
        EXPECT_EQ(CounterValue(session, "filesProcessed"), 1);
        EXPECT_EQ(CounterValue(session, "packet.write.error.count"), 0);
        const size_t xmlFiles = NamesEndingWith(dir.Path(), ".xml").size();
        EXPECT_EQ(CounterValue(session, "packet.count"),
                  static_cast<int>(xmlFiles) + CounterValue(session, "packet.decode.error.count") +
                      CounterValue(session, "packet.not.udp.skip.count"));
        EXPECT_TRUE(fs::exists(dir.Path() / "logTiming.csv"));
    }
}

// ---------------------------------------------------------------- the lies

uint32_t Read32(const std::vector<uint8_t>& bytes, size_t offset, bool bigEndian) {
    uint32_t value = 0;
    for (size_t i = 0; i < 4; ++i) {
        const uint32_t octet = bytes[offset + (bigEndian ? i : 3 - i)];
        value = value << 8 | octet;
    }
    return value;
}

uint16_t Big16(const uint8_t* bytes) { return static_cast<uint16_t>(bytes[0] << 8 | bytes[1]); }

// What one classic pcap file does that a well-behaved capture does not.
std::set<std::string> LiesOf(const std::vector<uint8_t>& file) {
    std::set<std::string> lies;
    if (file.size() < 24) return lies;
    const uint32_t magic = Read32(file, 0, false);
    if (magic != 0xA1B2C3D4u && magic != 0xD4C3B2A1u) return lies;
    const bool bigEndian = magic == 0xD4C3B2A1u;
    const uint32_t snapLength = Read32(file, 16, bigEndian);
    const uint32_t linkType = Read32(file, 20, bigEndian);
    if (linkType != 1) lies.insert("link type other than Ethernet");
    size_t offset = 24;
    while (offset < file.size()) {
        if (file.size() - offset < 16) {
            lies.insert("truncated record");
            break;
        }
        const uint32_t captured = Read32(file, offset + 8, bigEndian);
        const uint32_t original = Read32(file, offset + 12, bigEndian);
        offset += 16;
        if (captured > file.size() - offset) {
            lies.insert("captured length beyond the file");
            break;
        }
        if (captured == 0) lies.insert("zero-length record");
        if (captured > snapLength || (original > captured && captured == snapLength)) {
            lies.insert("snapshot length smaller than the frames");
        }
        const uint8_t* frame = file.data() + offset;
        offset += captured;
        if (linkType != 1 || captured < 14) continue;
        const uint16_t etherType = Big16(frame + 12);
        if (etherType == 0x86DD) lies.insert("IPv6");
        if (etherType == 0x8100) lies.insert("VLAN tag");
        if (etherType != 0x0800 || captured < 34 || frame[23] != 17) continue;
        const size_t ipHeader = static_cast<size_t>(frame[14] & 0x0F) * 4;
        if (ipHeader > 20) lies.insert("IPv4 options");
        if ((Big16(frame + 20) & 0x1FFF) != 0) lies.insert("later IPv4 fragment");
        const size_t ipLength = Big16(frame + 16);
        if (ipHeader < 20 || 14 + ipHeader + 8 > captured) continue;
        const uint8_t* udp = frame + 14 + ipHeader;
        const size_t udpLength = Big16(udp + 4);
        const size_t udpCaptured = captured - 14 - ipHeader;
        if (udpLength > udpCaptured) lies.insert("UDP length beyond the frame");
        if (udpLength < 8) lies.insert("UDP length below its header");
        if (udpLength >= 8 && ipLength > ipHeader && udpLength < ipLength - ipHeader) {
            lies.insert("UDP length short of the datagram");
        }
        if (udpLength < 8 || udpLength > udpCaptured || udpLength < 12 || udp[8] != 0x81) continue;
        if (Big16(udp + 10) != udpLength - 8) lies.insert("BVLC length that lies");
    }
    return lies;
}

TEST(HostileCorpus, TheFolderStillHoldsEveryKindOfLie) {
    std::set<std::string> found;
    for (const std::string& name : HostileCaptureNames()) {
        const std::set<std::string> lies = LiesOf(ReadBytes(SamplesDir() / "hostile" / name));
        found.insert(lies.begin(), lies.end());
    }
    const std::set<std::string> expected = {
        "truncated record",           "captured length beyond the file",
        "zero-length record",         "snapshot length smaller than the frames",
        "link type other than Ethernet", "IPv6",
        "VLAN tag",                   "IPv4 options",
        "UDP length beyond the frame", "UDP length below its header",
        "BVLC length that lies",      "UDP length short of the datagram",
        "later IPv4 fragment",
    };
    for (const std::string& lie : expected) EXPECT_TRUE(found.count(lie) == 1) << "no capture with: " << lie;
    // The samples themselves tell no lie: the detector is not simply always on.
    for (const char* sample : {"discovery.pcap", "routed.pcap"}) {
        EXPECT_EQ(LiesOf(ReadBytes(SamplesDir() / sample)), std::set<std::string>()) << sample;
    }
}

// ---------------------------------------------------------------- in-process sweeps

// Standard output goes to /dev/null while it lives: the sweeps print
// thousands of lines that the checks below do not read.
class QuietStandardOutput {
public:
    QuietStandardOutput() {
        std::fflush(stdout);
        saved_ = ::dup(STDOUT_FILENO);
        const int null = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
        if (null >= 0) {
            ::dup2(null, STDOUT_FILENO);
            ::close(null);
        }
    }
    ~QuietStandardOutput() {
        std::fflush(stdout);
        if (saved_ >= 0) {
            ::dup2(saved_, STDOUT_FILENO);
            ::close(saved_);
        }
    }
    QuietStandardOutput(const QuietStandardOutput&) = delete;
    QuietStandardOutput& operator=(const QuietStandardOutput&) = delete;

private:
    int saved_ = -1;
};

struct SweepResult {
    bool opened = false;
    int packets = 0;
    int decodeErrors = 0;
    int notUdp = 0;
    int writeErrors = 0;
    int files = 0;
    size_t xmlFiles = 0;
};

// Reads `bytes` as capture "sweep.pcap" in the current directory, then
// removes what the run wrote.
SweepResult ReadCaptureInProcess(const std::vector<uint8_t>& bytes) {
    WriteBytes("sweep.pcap", bytes);
    Tarnwick::ReportAnalysis analysis;
    Tarnwick::CaptureRun run(analysis);
    Tarnwick::CounterMap session;
    EXPECT_EQ(run.ProcessCaptureFile("sweep.pcap", false, 0, session), 0);
    EXPECT_EQ(analysis.Database(), nullptr) << "the capture's database outlived it";
    SweepResult result;
    result.opened = !session.empty();
    if (result.opened) {
        result.packets = session[Tarnwick::kPacketCount];
        result.decodeErrors = session[Tarnwick::kDecodeErrorCount];
        result.notUdp = session[Tarnwick::kNotUdpSkipCount];
        result.writeErrors = session[Tarnwick::kWriteErrorCount];
        result.files = session[Tarnwick::kFilesProcessed];
    }
    result.xmlFiles = NamesEndingWith(".", ".xml").size();
    Tarnwick::RemoveOldOutputs();
    return result;
}

void ExpectCountersAddUp(const SweepResult& result) {
    if (!result.opened) {
        EXPECT_EQ(result.xmlFiles, 0u);
        return;
    }
    EXPECT_EQ(result.files, 1);
    EXPECT_EQ(result.writeErrors, 0);
    EXPECT_EQ(static_cast<size_t>(result.packets),
              result.xmlFiles + static_cast<size_t>(result.decodeErrors + result.notUdp));
}

TEST(HostileCorpus, SamplesCutAtEveryLengthAreReadUpToTheCut) {
    for (const char* sample : {"discovery.pcap", "routed.pcap"}) {
        SCOPED_TRACE(sample);
        const std::vector<uint8_t> whole = ReadBytes(SamplesDir() / sample);
        const PcapFile parsed = ReadPcap(SamplesDir() / sample);
        TempDir dir;
        ScopedCurrentDirectory here(dir.Path());
        QuietStandardOutput quiet;
        for (size_t cut = 0; cut <= whole.size(); ++cut) {
            SCOPED_TRACE(cut);
            const SweepResult result =
                ReadCaptureInProcess(std::vector<uint8_t>(whole.begin(), whole.begin() + static_cast<long>(cut)));
            // Below a whole file header there is no capture to open.
            EXPECT_EQ(result.opened, cut >= 24);
            ExpectCountersAddUp(result);
            // Exactly the records that are whole before the cut are read.
            size_t complete = 0;
            size_t end = 24;
            for (const PcapRecord& record : parsed.records) {
                end += 16 + record.frame.size();
                if (end <= cut) ++complete;
            }
            if (result.opened) {
                EXPECT_EQ(static_cast<size_t>(result.packets), complete);
            }
        }
    }
}

void Put32(std::vector<uint8_t>& bytes, size_t offset, uint32_t value) {
    for (size_t i = 0; i < 4; ++i) bytes[offset + i] = static_cast<uint8_t>(value >> (8 * i));
}

TEST(HostileCorpus, BentHeaderFieldsNeverStopTheRun) {
    const std::vector<uint8_t> whole = ReadBytes(SamplesDir() / "routed.pcap");
    const PcapFile parsed = ReadPcap(SamplesDir() / "routed.pcap");
    ASSERT_GE(parsed.records.size(), 3u);
    const uint32_t lengths[] = {0, 1, 13, 14, 23, 24, 41, 42, 0xFFFF, 0x40000, 0x7FFFFFFF, 0xFFFFFFFF};

    struct Bend {
        std::string label;
        std::function<void(std::vector<uint8_t>&, uint32_t)> apply;
    };
    std::vector<Bend> bends = {
        {"snapshot length", [](std::vector<uint8_t>& b, uint32_t v) { Put32(b, 16, v); }},
        {"link type", [](std::vector<uint8_t>& b, uint32_t v) { Put32(b, 20, v); }},
        {"version", [](std::vector<uint8_t>& b, uint32_t v) { Put32(b, 4, v); }},
    };
    // The captured and original length of the first, a middle and the last record.
    size_t offset = 24;
    for (size_t index = 0; index < parsed.records.size(); ++index) {
        const size_t recordOffset = offset;
        offset += 16 + parsed.records[index].frame.size();
        if (index != 0 && index != parsed.records.size() / 2 && index + 1 != parsed.records.size()) continue;
        const std::string which = "record " + std::to_string(index + 1);
        bends.push_back({which + " captured length",
                         [recordOffset](std::vector<uint8_t>& b, uint32_t v) { Put32(b, recordOffset + 8, v); }});
        bends.push_back({which + " original length",
                         [recordOffset](std::vector<uint8_t>& b, uint32_t v) { Put32(b, recordOffset + 12, v); }});
    }

    TempDir dir;
    ScopedCurrentDirectory here(dir.Path());
    QuietStandardOutput quiet;
    for (const Bend& bend : bends) {
        for (const uint32_t value : lengths) {
            SCOPED_TRACE(bend.label + " = " + std::to_string(value));
            std::vector<uint8_t> bytes = whole;
            bend.apply(bytes, value);
            const SweepResult result = ReadCaptureInProcess(bytes);
            ExpectCountersAddUp(result);
            // A bent length makes the reader take frame octets for record
            // headers, but every record still costs a 16-octet header.
            EXPECT_LE(static_cast<size_t>(result.packets), (bytes.size() - 24) / 16);
        }
    }
}

}  // namespace
