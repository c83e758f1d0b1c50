// Helpers of the message layer tests, built on the shared stack test
// helpers: the document header and the expected reports as operation,
// source and message.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/stackerrorlog.h"
#include "support/stacktestsupport.h"

namespace ZalvoBACnetStack::MessageTest {

using namespace TestSupport;

inline constexpr const char* kDocumentHeader = "<!-- Zalvo BACnet Stack v3.3.2.0 -->";

// One expected report: operation (without the namespace), source file and
// message. The line number is not compared.
struct Report {
    std::string operation;
    std::string source;
    std::string message;
};

inline void ExpectReports(const StackErrorLogCapture& log, const std::vector<Report>& expected) {
    std::vector<std::string> wanted;
    for (const Report& report : expected) wanted.push_back(report.operation + "|" + report.source + "|" + report.message);
    EXPECT_EQ(ReportLines(log), wanted);
}

}  // namespace ZalvoBACnetStack::MessageTest
