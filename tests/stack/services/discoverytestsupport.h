// Helpers of the error, discovery and time service tests, built on the
// shared stack test helpers: values made by class, the golden-vector round
// trip, and the decode and encode rows with their exact reports
// ("Class::Operation|source|message") and outcomes.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/icodable.h"
#include "core/stackerrorlog.h"
#include "support/stacktestsupport.h"

namespace ZalvoBACnetStack::DiscoveryTest {

using namespace TestSupport;

using Maker = std::function<std::unique_ptr<ICodable>()>;

template <class T>
Maker Make() {
    return [] { return std::unique_ptr<ICodable>(std::make_unique<T>()); };
}

// A golden vector: `octets` decode completely into a value made by `make`,
// render as `xml`, re-encode to the same octets in their room plus
// `spareRoom` (a character string wants one octet more than it writes), fail
// without writing past any smaller room, copy into an equal value that
// outlives the original and, reset, equals a fresh one; every cut decodes
// to 0 or to a count within the cut.
inline void CheckGolden(const Maker& make, const Octets& octets, const std::string& xml, size_t spareRoom = 0) {
    std::unique_ptr<ICodable> value = make();
    ASSERT_NE(value, nullptr);
    {
        StackErrorLogCapture log;
        BACnetErrorOutcome outcome;
        ASSERT_EQ(DecodeExact(*value, octets, &outcome), octets.size()) << log.Text();
        EXPECT_FALSE(outcome.set);
    }
    EXPECT_EQ(Xml(*value), xml);
    ExpectEncodesTo(*value, octets, spareRoom);
    std::unique_ptr<ICodable> copy = ExpectCopyOutlivesOriginal(std::move(value), xml);
    ASSERT_NE(copy, nullptr);
    copy->Reset();
    std::unique_ptr<ICodable> fresh = make();
    EXPECT_TRUE(copy->IsEqual(fresh.get()));
    ExpectEveryCutStaysInside(octets, make);
}

// A value built through its setters encodes to `hex` without a report; a
// reset copy of it decodes those octets back into a value equal to it that
// renders the same (without a report too, unless `decodeMayReport`: a list
// probing its end). `completeDecoded` adds to the decoded value what the
// octets do not carry (an error's choice).
inline void CheckBuiltValue(const ICodable& built, const std::string& hex, bool decodeMayReport = false,
                            const std::function<void(ICodable&)>& completeDecoded = {}) {
    std::unique_ptr<ICodable> value = built.Clone();
    ASSERT_NE(value, nullptr);
    StackErrorLogCapture log;
    Octets out(32, 0);
    const uint16_t written = value->Encode(out.data(), static_cast<uint16_t>(out.size()), nullptr);
    EXPECT_EQ(HexText(out.data(), written), hex);
    EXPECT_EQ(log.Text(), "");
    std::unique_ptr<ICodable> decoded = value->Clone();
    ASSERT_NE(decoded, nullptr);
    decoded->Reset();
    ASSERT_EQ(decoded->Decode(out.data(), written, nullptr), written);
    if (completeDecoded) completeDecoded(*decoded);
    EXPECT_TRUE(decoded->IsEqual(value.get()));
    EXPECT_EQ(Xml(*decoded), Xml(*value));
    if (!decodeMayReport) {
        EXPECT_EQ(log.Text(), "");
    }
}

// A decode that must fail (or, with `consumed` set, succeed) with exactly
// these reports and this outcome.
struct DecodeRow {
    const char* label;
    Maker make;
    Octets octets;  // empty: a null buffer
    std::vector<std::string> reports;
    Outcome outcome;
    uint16_t consumed = 0;
};

inline void CheckDecodeRows(const std::vector<DecodeRow>& rows) {
    for (const DecodeRow& row : rows) {
        SCOPED_TRACE(row.label);
        std::unique_ptr<ICodable> value = row.make();
        StackErrorLogCapture log;
        BACnetErrorOutcome outcome;
        EXPECT_EQ(DecodeExact(*value, row.octets, &outcome), row.consumed);
        EXPECT_EQ(ReportLines(log), row.reports);
        ExpectOutcome(outcome, row.outcome);
        if (row.consumed == 0) {
            std::unique_ptr<ICodable> fresh = row.make();
            EXPECT_TRUE(value->IsEqual(fresh.get())) << "a failed decode leaves the value empty";
        }
    }
}

// An encode that must fail with exactly these reports and this outcome,
// writing nothing past `room`.
struct EncodeRow {
    const char* label;
    Maker make;  // the value to encode
    bool nullBuffer;
    uint16_t room;
    std::vector<std::string> reports;
    Outcome outcome;
};

inline void CheckEncodeRows(const std::vector<EncodeRow>& rows) {
    CheckEncodeFailureRows(rows, [](const StackErrorLogCapture& log) { return ReportLines(log); });
}

}  // namespace ZalvoBACnetStack::DiscoveryTest
