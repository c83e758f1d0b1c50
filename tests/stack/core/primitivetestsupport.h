// Checks for the primitive datatype tests, built on the shared stack test
// helpers: the class and source file names of each primitive, its reports
// matched line by line, the golden-vector round trip, and the decode and
// encode failure rows.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/bacnetprimitivebase.h"
#include "core/stackerrorlog.h"
#include "support/stacktestsupport.h"

namespace ZalvoBACnetStack::PrimitiveTest {

using namespace TestSupport;

// Class name and source file name of each primitive datatype 0 to 12.
struct ClassNames {
    const char* className;
    const char* source;
};
inline ClassNames NamesOf(uint8_t datatype) {
    static const ClassNames kNames[] = {
        {"BACnetPrimitiveNULL", "bacnetprimitivenull"},
        {"BACnetPrimitiveBOOL", "bacnetprimitivebool"},
        {"BACnetPrimitiveUINT", "bacnetprimitiveuint"},
        {"BACnetPrimitiveINT", "bacnetprimitiveint"},
        {"BACnetPrimitiveREAL", "bacnetprimitivereal"},
        {"BACnetPrimitiveDOUBLE", "bacnetprimitivedouble"},
        {"BACnetPrimitiveOctSTRING", "bacnetprimitiveoctstring"},
        {"BACnetPrimitiveCharSTRING", "bacnetprimitivecharstring"},
        {"BACnetPrimitiveBitSTRING", "bacnetprimitivebitstring"},
        {"BACnetPrimitiveENUM", "bacnetprimitiveenum"},
        {"BACnetPrimitiveDATE", "bacnetprimitivedate"},
        {"BACnetPrimitiveTIME", "bacnetprimitivetime"},
        {"BACnetPrimitiveObjectIdentifier", "bacnetprimitiveobjectidentifier"},
    };
    return datatype < 13 ? kNames[datatype] : ClassNames{"?", "?"};
}

// Every captured line must be one report of `operation` ("Decode",
// "Encode") of the datatype's class from its own source file, carrying the
// given messages in order.
inline void ExpectReports(const StackErrorLogCapture& log, uint8_t datatype, const std::string& operation,
                          const std::vector<std::string>& messages) {
    const ClassNames names = NamesOf(datatype);
    const std::string prefix = std::string("::ZalvoBACnetStack::") + names.className + "::" + operation +
                               "() in file: " + names.source + "(";
    std::string expected;
    for (const std::string& message : messages) expected += message + "\n";
    EXPECT_EQ(log.Messages(), expected);
    size_t start = 0;
    const std::string& text = log.Text();
    while (start < text.size()) {
        const size_t end = text.find('\n', start);
        EXPECT_EQ(text.compare(start, prefix.size(), prefix), 0) << text.substr(start, end - start);
        start = end == std::string::npos ? text.size() : end + 1;
    }
}

// A golden vector: these octets decode completely, render as `xml`,
// re-encode to the same octets (`spareRoom` is what the encoder wants beyond
// the octets it writes: the string encoders refuse an exact fit), copy into
// an equal value that outlives the original, and never decode when cut
// short anywhere.
inline void CheckGoldenVector(uint8_t datatype, const Octets& octets, const std::string& xml, size_t spareRoom) {
    const auto make = [datatype] { return BACnetPrimitiveBase::PrimitiveFactory(datatype); };
    std::unique_ptr<BACnetPrimitiveBase> value = make();
    ASSERT_NE(value, nullptr);
    {
        StackErrorLogCapture log;
        BACnetErrorOutcome outcome;
        ASSERT_EQ(DecodeExact(*value, octets, &outcome), octets.size());
        EXPECT_TRUE(value->IsValid());
        EXPECT_FALSE(outcome.set);
        EXPECT_EQ(log.Text(), "");
    }
    EXPECT_EQ(Xml(*value), xml);
    ExpectEncodesTo(*value, octets, spareRoom);
    ExpectCopyOutlivesOriginal(std::move(value), xml);
    ExpectEveryCutStaysInside(octets, make, 0, true);
}

using Maker = std::function<std::unique_ptr<BACnetPrimitiveBase>()>;

struct DecodeFailureRow {
    const char* label;
    uint8_t datatype;
    Octets octets;  // empty: a null buffer
    std::vector<std::string> messages;
    Outcome outcome;
    uint16_t consumed = 0;  // non-zero only for a control row that must succeed
};

inline void CheckDecodeFailures(const std::vector<DecodeFailureRow>& rows) {
    for (const DecodeFailureRow& row : rows) {
        SCOPED_TRACE(row.label);
        std::unique_ptr<BACnetPrimitiveBase> value = BACnetPrimitiveBase::PrimitiveFactory(row.datatype);
        ASSERT_NE(value, nullptr);
        StackErrorLogCapture log;
        BACnetErrorOutcome outcome;
        EXPECT_EQ(DecodeExact(*value, row.octets, &outcome), row.consumed);
        EXPECT_EQ(value->IsValid(), row.consumed != 0);
        if (row.consumed == 0) {
            EXPECT_EQ(value->GetContextTag(), -1);
        }
        ExpectReports(log, row.datatype, "Decode", row.messages);
        ExpectOutcome(outcome, row.outcome);
        // A non-null buffer of length zero is refused like a null one.
        if (row.octets.empty()) {
            log.Clear();
            const uint8_t octet = 0x21;
            BACnetErrorOutcome zero;
            EXPECT_EQ(value->Decode(&octet, 0, &zero), 0);
            ExpectReports(log, row.datatype, "Decode", row.messages);
            ExpectOutcome(zero, row.outcome);
        }
    }
}

struct EncodeFailureRow {
    const char* label;
    Maker make;
    bool nullBuffer;
    uint16_t room;
    std::vector<std::string> messages;
    Outcome outcome;
    uint16_t written = 0;  // non-zero only for a control row that must succeed
};

template <class T>
Maker Empty() {
    return [] { return std::unique_ptr<BACnetPrimitiveBase>(std::make_unique<T>()); };
}

inline void CheckEncodeFailures(const std::vector<EncodeFailureRow>& rows) {
    for (const EncodeFailureRow& row : rows) {
        SCOPED_TRACE(row.label);
        const std::unique_ptr<BACnetPrimitiveBase> value = row.make();
        Octets out(static_cast<size_t>(row.room) + 1, 0xA5);
        StackErrorLogCapture log;
        BACnetErrorOutcome outcome;
        EXPECT_EQ(value->Encode(row.nullBuffer ? nullptr : out.data(), row.room, &outcome), row.written);
        ExpectReports(log, value->GetDatatype(), "Encode", row.messages);
        ExpectOutcome(outcome, row.outcome);
        EXPECT_EQ(out[row.room], 0xA5);
        if (row.written == 0) {
            EXPECT_EQ(Octets(out.begin(), out.begin() + row.room), Octets(row.room, 0xA5));
        }
    }
}

}  // namespace ZalvoBACnetStack::PrimitiveTest
