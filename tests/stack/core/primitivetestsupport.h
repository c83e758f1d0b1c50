// Shared checks for the primitive datatype tests: rendering to XML text,
// decoding from an exact-size heap copy (so AddressSanitizer catches any
// read past the end), and matching the captured error reports line by line.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/bacnetprimitivebase.h"
#include "core/stackerrorlog.h"
#include "render/xmlrenderer.h"

namespace ZalvoBACnetStack::PrimitiveTest {

using Octets = std::vector<uint8_t>;

inline std::string Xml(const IRenderable& value) {
    std::string out;
    XMLRenderer().Render(&value, out);
    return out;
}

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

struct Outcome {
    bool set;
    uint32_t kind;
    uint32_t value;
};
inline constexpr Outcome kNoOutcome{false, 0, 0};
inline constexpr Outcome Reject(uint32_t reason) { return {true, BACnetErrorOutcome::kReject, reason}; }
inline constexpr Outcome Abort(uint32_t reason) { return {true, BACnetErrorOutcome::kAbort, reason}; }

inline void ExpectOutcome(const BACnetErrorOutcome& actual, const Outcome& expected) {
    EXPECT_EQ(actual.set, expected.set);
    if (expected.set) {
        EXPECT_EQ(actual.kind, expected.kind);
        EXPECT_EQ(actual.value, expected.value);
    }
}

// Decodes from a heap copy of exactly `octets` (null when empty).
inline uint16_t DecodeCopy(ICodable& value, const Octets& octets, BACnetErrorOutcome* outcome) {
    if (octets.empty()) return value.Decode(nullptr, 0, outcome);
    std::unique_ptr<uint8_t[]> copy(new uint8_t[octets.size()]);
    std::copy(octets.begin(), octets.end(), copy.get());
    return value.Decode(copy.get(), static_cast<uint16_t>(octets.size()), outcome);
}

// A golden vector: these octets decode completely, render as `xml` and
// re-encode to the same octets. `spareRoom` is what the encoder wants beyond
// the octets it writes (the string encoders refuse an exact fit).
inline void CheckGoldenVector(uint8_t datatype, const Octets& octets, const std::string& xml, size_t spareRoom) {
    std::unique_ptr<BACnetPrimitiveBase> value = BACnetPrimitiveBase::PrimitiveFactory(datatype);
    ASSERT_NE(value, nullptr);
    StackErrorLogCapture log;
    BACnetErrorOutcome outcome;
    ASSERT_EQ(DecodeCopy(*value, octets, &outcome), octets.size());
    EXPECT_TRUE(value->IsValid());
    EXPECT_FALSE(outcome.set);
    EXPECT_EQ(Xml(*value), xml);

    // Re-encode: the least room that works, and every smaller room fails
    // without touching the octet just past the room.
    const size_t minimumRoom = octets.size() + spareRoom;
    Octets out(minimumRoom + 1, 0xA5);
    ASSERT_EQ(value->Encode(out.data(), static_cast<uint16_t>(minimumRoom), &outcome), octets.size());
    EXPECT_EQ(Octets(out.begin(), out.begin() + static_cast<long>(octets.size())), octets);
    EXPECT_EQ(out[minimumRoom], 0xA5);
    EXPECT_EQ(log.Text(), "");
    for (size_t room = 0; room < minimumRoom; ++room) {
        Octets small(room + 1, 0xA5);
        EXPECT_EQ(value->Encode(small.data(), static_cast<uint16_t>(room), nullptr), 0) << "room " << room;
        EXPECT_EQ(small[room], 0xA5) << "room " << room;
    }

    // A copy renders and compares the same and outlives the original.
    std::unique_ptr<ICodable> clone = value->Clone();
    ASSERT_NE(clone, nullptr);
    EXPECT_TRUE(clone->IsEqual(value.get()));
    EXPECT_TRUE(value->IsEqual(clone.get()));
    EXPECT_EQ(clone->GetContextTag(), value->GetContextTag());
    value.reset();
    EXPECT_EQ(Xml(*dynamic_cast<const IRenderable*>(clone.get())), xml);

    // Cut short anywhere, the octets never decode.
    for (size_t cut = 0; cut < octets.size(); ++cut) {
        std::unique_ptr<BACnetPrimitiveBase> partial = BACnetPrimitiveBase::PrimitiveFactory(datatype);
        EXPECT_EQ(DecodeCopy(*partial, Octets(octets.begin(), octets.begin() + static_cast<long>(cut)), nullptr), 0)
            << "cut " << cut;
        EXPECT_FALSE(partial->IsValid());
    }
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
        EXPECT_EQ(DecodeCopy(*value, row.octets, &outcome), row.consumed);
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
