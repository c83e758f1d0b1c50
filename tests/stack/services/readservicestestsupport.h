// Helpers of the tests of the common constructed types and the read, write
// and COV services, built on the shared stack test helpers: values made by
// class, reports as "Class::Operation: message" lines (each from the class's
// own source file), the round trip wire -> XML -> wire, and the decode and
// encode failure rows.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/bacnetobjectbase.h"
#include "core/stackerrorlog.h"
#include "support/stacktestsupport.h"

namespace ZalvoBACnetStack::ReadServicesTest {

using namespace TestSupport;

// The captured reports as "Class::Operation: message" lines (namespace
// dropped). Each line's source file must be the lower-case class name.
inline std::vector<std::string> Reports(const StackErrorLogCapture& log) {
    std::vector<std::string> lines;
    for (const ReportParts& report : SplitReports(log)) {
        if (!report.wellFormed) {
            ADD_FAILURE() << "malformed report: " << report.line;
            lines.push_back(report.line);
            continue;
        }
        std::string className = report.operation.substr(0, report.operation.find("::"));
        className = className.substr(0, className.find('<'));
        std::transform(className.begin(), className.end(), className.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        EXPECT_EQ(report.source, className) << report.line;
        lines.push_back(report.operation + ": " + report.message);
    }
    return lines;
}

using Maker = std::function<std::unique_ptr<BACnetObjectBase>()>;

template <class T>
Maker Make() {
    return [] { return std::unique_ptr<BACnetObjectBase>(std::make_unique<T>()); };
}

// Octets that decode completely, render as `xml`, re-encode to the same
// octets (in a room of size + `spareRoom`, failing cleanly in any smaller
// room), copy into an equal value that outlives the original, and fail or
// stay inside every cut. `decodeReports` are what the decode reports on the
// way (a list probing its closing tag as one more element, for one).
inline void CheckRoundTrip(const Maker& make, const Octets& octets, const std::string& xml, size_t spareRoom = 0,
                           const std::vector<std::string>& decodeReports = {}) {
    std::unique_ptr<BACnetObjectBase> value = make();
    {
        StackErrorLogCapture log;
        BACnetErrorOutcome outcome;
        ASSERT_EQ(DecodeExact(*value, octets, &outcome), octets.size()) << log.Text();
        EXPECT_TRUE(value->IsValid());
        EXPECT_EQ(Xml(*value), xml);
        EXPECT_EQ(Reports(log), decodeReports);
    }
    ExpectEncodesTo(*value, octets, spareRoom);
    ExpectCopyOutlivesOriginal(std::move(value), xml);
    ExpectEveryCutStaysInside(octets, make);
}

// A value built through its setters by `make` is valid, encodes to `hex`
// without a report, copies into an equal value, and the octets decode (into
// another built value, emptied first with `resetFirst`) to a value equal to
// it.
inline void CheckBuiltValue(const Maker& make, const std::string& hex, bool resetFirst = false) {
    std::unique_ptr<BACnetObjectBase> value = make();
    ASSERT_TRUE(value->IsValid());
    const Octets expected = ParseHex(hex);
    Octets out(expected.size() + 1, 0);
    {
        StackErrorLogCapture log;
        ASSERT_EQ(value->Encode(out.data(), static_cast<uint16_t>(out.size()), nullptr), expected.size());
        EXPECT_EQ(HexText(out.data(), expected.size()), hex);
        EXPECT_EQ(log.Text(), "");
    }
    std::unique_ptr<BACnetObjectBase> decoded = make();
    if (resetFirst) decoded->Reset();
    ASSERT_EQ(DecodeExact(*decoded, expected, nullptr), expected.size());
    EXPECT_TRUE(decoded->IsEqual(value.get()));
    std::unique_ptr<ICodable> clone = value->Clone();
    ASSERT_NE(clone, nullptr);
    EXPECT_TRUE(clone->IsEqual(value.get()));
}

struct FailureRow {
    const char* label;
    Maker make;
    Octets octets;  // empty: a null buffer
    std::vector<std::string> reports;
    Outcome outcome;
};

// Each row fails to decode with exactly these reports and this outcome, and
// leaves the value not valid.
inline void CheckDecodeFailures(const std::vector<FailureRow>& rows) {
    for (const FailureRow& row : rows) {
        SCOPED_TRACE(row.label);
        std::unique_ptr<BACnetObjectBase> value = row.make();
        StackErrorLogCapture log;
        BACnetErrorOutcome outcome;
        EXPECT_EQ(DecodeExact(*value, row.octets, &outcome), 0);
        EXPECT_FALSE(value->IsValid());
        EXPECT_EQ(Reports(log), row.reports);
        ExpectOutcome(outcome, row.outcome);
    }
}

// An encode that must fail with exactly these reports and this outcome,
// writing nothing past `room`.
struct EncodeFailureRow {
    const char* label;
    Maker make;  // the value to encode
    bool nullBuffer;
    uint16_t room;
    std::vector<std::string> reports;
    Outcome outcome;
};

inline void CheckEncodeFailures(const std::vector<EncodeFailureRow>& rows) {
    CheckEncodeFailureRows(rows, [](const StackErrorLogCapture& log) { return Reports(log); });
}

}  // namespace ZalvoBACnetStack::ReadServicesTest
