// Whole-output golden tests: tarnwick runs on a sample capture and its whole
// console output is compared, line by line, with a reviewed text kept in
// tests/driver/golden/<capture>.report.txt.
//
// The texts were checked line by line against what the run must print: the
// start-up banner, the capture's counters, the traffic report (PDU counts,
// per-address counters, packet sizes and hop counts, networks, devices,
// objects, properties and their value histories) and the session totals.
// Only what changes from run to run or machine to machine is masked before
// the comparison: the build date and time of the banner, the start date and
// time, the "Total time" seconds, the capture library's version text and the
// source line numbers inside the stack's error reports. Each masked part is
// still checked for its shape, so a line that loses its format fails.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "driver/drivertestsupport.h"

namespace {

using namespace TarnwickTest;

const std::string kVersionPrefix = "FYI: Application version: 1.0.0.6, Last updated: ";
const std::string kStartedPrefix = "FYI: Application started ";
const std::string kTotalTimePrefix = "FYI: Done. Total time: ";
const std::string kStackVersionLine = "FYI: BACnet Stack version 3.3.2";
const std::string kStackReportMarker = " in file: ";

bool AllDigits(const std::string& text) {
    if (text.empty()) return false;
    for (const char c : text)
        if (c < '0' || c > '9') return false;
    return true;
}

// "::<operation>() in file: <source>(<digits>) - <message>" with the digits
// replaced by "<line>"; any other line comes back unchanged.
std::string MaskStackReportLine(const std::string& line) {
    if (line.rfind("::", 0) != 0) return line;
    const size_t marker = line.find(kStackReportMarker);
    if (marker == std::string::npos) return line;
    const size_t open = line.find('(', marker + kStackReportMarker.size());
    if (open == std::string::npos) return line;
    const size_t close = line.find(')', open);
    if (close == std::string::npos || line.compare(close, 4, ") - ") != 0) return line;
    if (!AllDigits(line.substr(open + 1, close - open - 1))) return line;
    return line.substr(0, open + 1) + "<line>" + line.substr(close);
}

// Masks the run-dependent parts of every line (see the file comment). A line
// whose variable part does not have the expected shape is left as it is, so
// that the comparison with the golden text shows it.
std::vector<std::string> MaskRunDependentParts(const std::vector<std::string>& lines) {
    std::vector<std::string> masked;
    masked.reserve(lines.size());
    for (size_t index = 0; index < lines.size(); ++index) {
        const std::string& line = lines[index];
        std::string result = line;
        if (line.rfind(kVersionPrefix, 0) == 0) {
            // The compiler's __DATE__ and __TIME__: "Dec  6 2026 15:53:49 ".
            if (HasShape(line.substr(kVersionPrefix.size()), "ULL _D DDDD DD:DD:DD "))
                result = kVersionPrefix + "<build date> <build time> ";
        } else if (line.rfind(kStartedPrefix, 0) == 0) {
            if (HasShape(line.substr(kStartedPrefix.size()), "DD/DD/DD DD:DD:DD "))
                result = kStartedPrefix + "<date> <time> ";
        } else if (line.rfind(kTotalTimePrefix, 0) == 0) {
            const std::string rest = line.substr(kTotalTimePrefix.size());
            const std::string suffix = " seconds ";
            if (rest.size() > suffix.size() && rest.compare(rest.size() - suffix.size(), suffix.size(), suffix) == 0 &&
                AllDigits(rest.substr(0, rest.size() - suffix.size())))
                result = kTotalTimePrefix + "<seconds>" + suffix;
        } else if (index > 0 && lines[index - 1] == kStackVersionLine) {
            if (line.size() > 5 && line.rfind("FYI: ", 0) == 0) result = "FYI: <capture library version>";
        } else {
            result = MaskStackReportLine(line);
        }
        masked.push_back(result);
    }
    return masked;
}

// Fails the test with the first differing line, its neighbours and the
// whole masked output (ready to be reviewed against the golden text).
void ExpectSameLines(const std::vector<std::string>& actual, const std::vector<std::string>& expected,
                     const std::string& what) {
    const size_t common = std::min(actual.size(), expected.size());
    size_t first = common;
    for (size_t index = 0; index < common; ++index) {
        if (actual[index] != expected[index]) {
            first = index;
            break;
        }
    }
    if (first == common && actual.size() == expected.size()) return;
    std::string context;
    const size_t from = first >= 3 ? first - 3 : 0;
    for (size_t index = from; index < first + 3 && index < std::max(actual.size(), expected.size()); ++index) {
        context += "  line " + std::to_string(index + 1) + "\n";
        context += "    expected: [" + (index < expected.size() ? expected[index] : std::string("<none>")) + "]\n";
        context += "    actual:   [" + (index < actual.size() ? actual[index] : std::string("<none>")) + "]\n";
    }
    std::string whole;
    for (const std::string& line : actual) whole += line + "\n";
    ADD_FAILURE() << what << ": first difference at line " << first + 1 << " (" << actual.size() << " lines, "
                  << expected.size() << " expected)\n"
                  << context << "whole masked output:\n"
                  << whole;
}

// The lines that the run prints through its report channel: the console
// without the four banner lines that precede the removal of Report.txt and
// without the stack's own error reports, which go to the console only.
std::vector<std::string> ReportChannelLines(const std::vector<std::string>& console) {
    std::vector<std::string> lines;
    for (size_t index = 4; index < console.size(); ++index) {
        if (console[index].rfind("::", 0) == 0 && console[index].find(kStackReportMarker) != std::string::npos)
            continue;
        lines.push_back(console[index]);
    }
    return lines;
}

class ReportGolden : public ::testing::TestWithParam<const char*> {};

TEST_P(ReportGolden, ConsoleAndReportMatchTheReviewedText) {
    const std::string capture = GetParam();
    const fs::path golden = fs::path(TARNWICK_SOURCE_DIR) / "tests" / "driver" / "golden" / (capture + ".report.txt");
    ASSERT_TRUE(fs::exists(golden)) << golden;
    const std::vector<std::string> expected = SplitLines(ReadFile(golden));
    ASSERT_GT(expected.size(), 40u) << "golden text too short: " << golden;

    TempDir dir;
    CopySample(capture, dir.Path());
    const RunResult run = RunTarnwick(dir.Path(), {capture});
    ASSERT_EQ(run.exitCode, 0);

    // The text ends with the last session counter line and nothing after it.
    ASSERT_FALSE(run.console.empty());
    EXPECT_EQ(run.console.back(), '\n');
    const std::vector<std::string> console = SplitLines(run.console);
    ExpectSameLines(MaskRunDependentParts(console), expected, capture + " console");

    // Report.txt receives exactly what the console shows after the banner,
    // the stack's error reports aside, byte for byte, unmasked.
    ASSERT_GT(console.size(), 4u);
    ExpectSameLines(SplitLines(run.report), ReportChannelLines(console), capture + " Report.txt");
}

INSTANTIATE_TEST_SUITE_P(Samples, ReportGolden, ::testing::Values("readproperty.pcap", "write-cov.pcap", "routed.pcap"),
                         [](const ::testing::TestParamInfo<const char*>& info) {
                             std::string name;
                             for (const char* c = info.param; *c != '\0' && *c != '.'; ++c)
                                 if ((*c >= 'a' && *c <= 'z') || (*c >= 'A' && *c <= 'Z') || (*c >= '0' && *c <= '9'))
                                     name += *c;
                             return name;
                         });

// The masking itself: each run-dependent part is replaced only when it has
// its expected shape, and nothing else is touched.
TEST(ReportGoldenMasking, ReplacesOnlyWellFormedRunDependentParts) {
    const std::vector<std::pair<std::string, std::string>> rows = {
        {"FYI: Application version: 1.0.0.6, Last updated: Dec  6 2026 15:53:49 ",
         "FYI: Application version: 1.0.0.6, Last updated: <build date> <build time> "},
        {"FYI: Application version: 1.0.0.6, Last updated: Nov 26 2025 09:00:01 ",
         "FYI: Application version: 1.0.0.6, Last updated: <build date> <build time> "},
        // Without its trailing blank the line keeps its text and fails the comparison.
        {"FYI: Application version: 1.0.0.6, Last updated: Dec  6 2026 15:53:49",
         "FYI: Application version: 1.0.0.6, Last updated: Dec  6 2026 15:53:49"},
        {"FYI: Application started 12/06/26 16:06:55 ", "FYI: Application started <date> <time> "},
        {"FYI: Application started 2026-12-06 16:06:55 ", "FYI: Application started 2026-12-06 16:06:55 "},
        {"FYI: Done. Total time: 0 seconds ", "FYI: Done. Total time: <seconds> seconds "},
        {"FYI: Done. Total time: 1234 seconds ", "FYI: Done. Total time: <seconds> seconds "},
        {"FYI: Done. Total time: 0.5 seconds ", "FYI: Done. Total time: 0.5 seconds "},
        {"FYI: Done. Total time:  seconds ", "FYI: Done. Total time:  seconds "},
        {"::ZalvoBACnetStack::BACnetTag::Decode() in file: bacnettag(118) - Invalid tag",
         "::ZalvoBACnetStack::BACnetTag::Decode() in file: bacnettag(<line>) - Invalid tag"},
        {"::ZalvoBACnetStack::BACnetTag::Decode() in file: bacnettag() - Invalid tag",
         "::ZalvoBACnetStack::BACnetTag::Decode() in file: bacnettag() - Invalid tag"},
        {"Error: (Pkt: 9) Could not decode packet as BACnet", "Error: (Pkt: 9) Could not decode packet as BACnet"},
        {"     Largest packet size: 66 bytes (Pkt: 10)", "     Largest packet size: 66 bytes (Pkt: 10)"},
    };
    for (const auto& [line, expected] : rows) {
        const std::vector<std::string> masked = MaskRunDependentParts({line});
        ASSERT_EQ(masked.size(), 1u);
        EXPECT_EQ(masked[0], expected) << line;
    }

    // The capture library's line is recognised by its place after the stack
    // version line; the same text elsewhere is kept.
    const std::vector<std::string> banner = {kStackVersionLine, "FYI: libpcap version 1.10.3 (with TPACKET_V3)",
                                             "FYI: libpcap version 1.10.3 (with TPACKET_V3)"};
    const std::vector<std::string> expectedBanner = {kStackVersionLine, "FYI: <capture library version>",
                                                     "FYI: libpcap version 1.10.3 (with TPACKET_V3)"};
    EXPECT_EQ(MaskRunDependentParts(banner), expectedBanner);
}

}  // namespace
