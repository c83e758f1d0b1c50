// A property keeps only the values the report can print; whatever it lets
// go, its printed history must read exactly as that of a record that kept
// every value.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "report/packetrecords.h"
#include "report/reportwriter.h"
#include "reportcapture.h"

namespace Tarnwick {
namespace {

struct Step {
    uint32_t packet;
    std::string value;
};

// The full history as the report describes it: compare with the newest
// entry only, replace under the same packet number, never forget.
std::map<uint32_t, std::string> FullHistory(const std::vector<Step>& steps) {
    std::map<uint32_t, std::string> values;
    for (const Step& step : steps) {
        if (!values.empty() && values.rbegin()->second == step.value) continue;
        values[step.packet] = step.value;
    }
    return values;
}

// Newest first, three at most, then the note when older values exist.
std::string PrintedFromFullHistory(const std::map<uint32_t, std::string>& values) {
    if (values.empty()) return "{No response}";
    std::string text;
    unsigned printed = 0;
    for (auto it = values.rbegin(); it != values.rend(); ++it) {
        if (printed == 3) return text + " - (FYI: Only showing last 3 values)";
        if (printed > 0) text += ", ";
        text += it->second + " (Pkt: " + std::to_string(it->first) + ")";
        ++printed;
    }
    return text;
}

std::vector<Step> Changing(uint32_t count) {
    std::vector<Step> steps;
    for (uint32_t packet = 1; packet <= count; ++packet) steps.push_back({packet, "v" + std::to_string(packet)});
    return steps;
}

TEST(PropertyValueLimit, PrintsExactlyWhatTheFullHistoryWouldPrint) {
    struct Row {
        const char* label;
        std::vector<Step> steps;
        size_t kept;
        bool dropped;
    };
    std::vector<Step> replacedAfterDrop = Changing(6);
    replacedAfterDrop.push_back({6, "v6 again"});
    std::vector<Step> repeatedAfterDrop = Changing(5);
    repeatedAfterDrop.push_back({9, "v5"});
    std::vector<Step> olderAfterDrop = Changing(5);
    olderAfterDrop.push_back({2, "late"});
    std::vector<Step> backAndForth;
    for (uint32_t packet = 1; packet <= 1000; ++packet) backAndForth.push_back({packet, packet % 2 ? "A" : "B"});
    const Row rows[] = {
        {"no value", {}, 0, false},
        {"three values", Changing(3), 3, false},
        {"four values drop the oldest", Changing(4), 3, true},
        {"a thousand changes", Changing(1000), 3, true},
        {"a value alternating a thousand times", backAndForth, 3, true},
        {"same packet replaces the newest after a drop", replacedAfterDrop, 3, true},
        {"an unchanged value adds nothing after a drop", repeatedAfterDrop, 3, true},
        {"an older packet after a drop is not among the newest", olderAfterDrop, 3, true},
        {"unchanged values never drop", {{1, "x"}, {2, "x"}, {3, "x"}, {4, "x"}, {5, "x"}}, 1, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.label);
        PropertyRecord property;
        for (const Step& step : row.steps) property.AddValue(step.packet, step.value);
        EXPECT_EQ(property.values.size(), row.kept);
        EXPECT_EQ(property.olderValuesDropped, row.dropped);

        ScopedReportDirectory directory;
        EXPECT_EQ(CapturePrinted([&] { PrintValueHistory(property); }),
                  PrintedFromFullHistory(FullHistory(row.steps)));
    }
}

}  // namespace
}  // namespace Tarnwick
