// What every primitive shares: the factory, the context-tag wrappers
// DecodeWithContext/EncodeWithContext with their reports and outcomes,
// the "datatype"/"context" attributes, Reset, Clone and cross-type
// equality; and a sweep of odd headers through every decoder.
#include <gtest/gtest.h>

#include "core/bacnetprimitivebool.h"
#include "core/bacnetprimitiveenum.h"
#include "core/bacnetprimitiveint.h"
#include "core/bacnetprimitivenull.h"
#include "core/bacnetprimitiveuint.h"
#include "primitivetestsupport.h"

namespace ZalvoBACnetStack {
namespace {
using namespace PrimitiveTest;

const char* const kElementNames[] = {
    "Null",      "Boolean",    "UnsignedInteger", "Integer", "Real", "Double",          "OctString", "CharacterString",
    "BitString", "Enumerated", "Date",            "Time",    "ObjectIdentifier",
};

TEST(PrimitiveFactory, MakesAnEmptyPrimitiveForEachApplicationTag) {
    StackErrorLogCapture log;
    for (uint8_t datatype = 0; datatype <= 12; ++datatype) {
        SCOPED_TRACE(static_cast<int>(datatype));
        const std::unique_ptr<BACnetPrimitiveBase> value = BACnetPrimitiveBase::PrimitiveFactory(datatype);
        ASSERT_NE(value, nullptr);
        EXPECT_EQ(value->GetDatatype(), datatype);
        EXPECT_EQ(value->GetElementName(), kElementNames[datatype]);
        EXPECT_FALSE(value->IsValid());
        EXPECT_EQ(value->GetContextTag(), -1);
        EXPECT_EQ(value->Tag().tagNumber, datatype);
        EXPECT_EQ(value->Tag().tagClass, BACnetTag::kApplicationClass);
        EXPECT_EQ(value->Tag().lengthValueType, 0u);
        EXPECT_FALSE(value->Tag().valid);
        RenderAttributes attributes;
        value->GetAttributes(attributes);
        EXPECT_EQ(attributes["datatype"], std::to_string(datatype));
        EXPECT_EQ(attributes.count("context"), 0u);
    }
    EXPECT_EQ(log.Text(), "");
}

TEST(PrimitiveFactory, RefusesEveryOtherDatatypeWithOneReport) {
    for (const unsigned datatype : {13u, 16u, 34u, 255u}) {
        SCOPED_TRACE(datatype);
        StackErrorLogCapture log;
        EXPECT_EQ(BACnetPrimitiveBase::PrimitiveFactory(static_cast<uint8_t>(datatype)), nullptr);
        EXPECT_EQ(log.Messages(), "PANIC - invalid BACnet Primitive datatype=[" + std::to_string(datatype) + "]\n");
        EXPECT_EQ(log.Text().rfind("::ZalvoBACnetStack::BACnetPrimitiveBase::PrimitiveFactory() in file: "
                                   "bacnetprimitivebase(",
                                   0),
                  0u);
    }
}

void ExpectBaseReports(const StackErrorLogCapture& log, const std::string& operation,
                       const std::vector<std::string>& ownMessages, const std::string& baseMessage) {
    const std::string prefix = "::ZalvoBACnetStack::BACnetPrimitiveBase::" + operation + "() in file: bacnetprimitivebase(";
    std::string expected;
    for (const std::string& message : ownMessages) expected += message + "\n";
    if (!baseMessage.empty()) expected += baseMessage + "\n";
    EXPECT_EQ(log.Messages(), expected);
    if (!baseMessage.empty()) {
        const size_t lastLine = log.Text().rfind('\n', log.Text().size() - 2);
        const size_t start = lastLine == std::string::npos ? 0 : lastLine + 1;
        EXPECT_EQ(log.Text().compare(start, prefix.size(), prefix), 0) << log.Text();
    }
}

struct ContextDecodeRow {
    const char* label;
    uint8_t datatype;
    Octets octets;  // empty: a null buffer
    uint8_t expectedTag;
    bool quiet;
    uint16_t consumed;
    std::vector<std::string> ownMessages;  // the class's own Decode reports
    std::string baseMessage;
    Outcome outcome;
};

TEST(PrimitiveContextTags, DecodeWithContextChecksTheTagFirst) {
    const ContextDecodeRow rows[] = {
        {"unsigned control", 2, {0x1A, 0x01, 0x00}, 1, false, 3, {}, "", kNoOutcome},
        {"quiet control", 2, {0x1A, 0x01, 0x00}, 1, true, 3, {}, "", kNoOutcome},
        {"extended tag number", 1, {0xF9, 0x20, 0x01}, 32, false, 3, {}, "", kNoOutcome},
        {"no buffer", 2, {}, 1, false, 0, {}, "Invalid parameters ", Reject(0)},
        {"no buffer, quiet", 2, {}, 1, true, 0, {}, "", kNoOutcome},
        {"header cut", 2, {0x1D}, 1, false, 0, {}, "Could not decode the tag", Reject(0)},
        {"header cut, quiet", 2, {0x1D}, 1, true, 0, {}, "Could not decode the tag", Reject(0)},
        {"another tag number", 2, {0x1A, 0x01, 0x00}, 2, false, 0, {}, "Invalid Tag Number", Reject(4)},
        {"another tag number, quiet", 2, {0x1A, 0x01, 0x00}, 2, true, 0, {}, "", kNoOutcome},
        {"application tag", 2, {0x21, 0x05}, 2, false, 0, {}, "Invalid Tag Number", Reject(4)},
        {"opening tag", 2, {0x2E, 0x21, 0x05, 0x2F}, 2, false, 0, {},
         "Invalid tag, decoded an opening or closing tag when this is a primitive", Reject(4)},
        {"closing tag, quiet", 2, {0x2F}, 2, true, 0, {}, "", kNoOutcome},
        {"contents bad", 2, {0x1D, 0x05, 1, 2, 3, 4, 5}, 1, false, 0, {"Tag value out of range"},
         "Could not decode the primitive", Reject(4)},
        {"extended length 6 is not an opening tag", 7, {0x3D, 0x06, 0x00, 'H', 'e', 'l', 'l', 'o'}, 3, false, 8, {},
         "", kNoOutcome},
        {"extended length 7 is not a closing tag", 6, {0x0D, 0x07, 1, 2, 3, 4, 5, 6, 7}, 0, false, 9, {}, "",
         kNoOutcome},
        {"contents cut", 3, {0x1A, 0x01}, 1, false, 0, {"Message is to short. "}, "Could not decode the primitive",
         Reject(4)},
        {"null is never context-tagged", 0, {0x08}, 0, false, 0, {}, "Could not decode the primitive", kNoOutcome},
    };
    for (const ContextDecodeRow& row : rows) {
        SCOPED_TRACE(row.label);
        std::unique_ptr<BACnetPrimitiveBase> value = BACnetPrimitiveBase::PrimitiveFactory(row.datatype);
        StackErrorLogCapture log;
        BACnetErrorOutcome outcome;
        uint16_t used = 0;
        if (row.octets.empty()) {
            used = value->DecodeWithContext(nullptr, 0, &outcome, row.expectedTag, row.quiet);
        } else {
            const std::unique_ptr<uint8_t[]> copy(new uint8_t[row.octets.size()]);
            std::copy(row.octets.begin(), row.octets.end(), copy.get());
            used = value->DecodeWithContext(copy.get(), static_cast<uint16_t>(row.octets.size()), &outcome,
                                            row.expectedTag, row.quiet);
        }
        EXPECT_EQ(used, row.consumed);
        EXPECT_EQ(value->IsValid(), row.consumed != 0);
        EXPECT_EQ(value->GetContextTag(), row.consumed != 0 ? row.expectedTag : -1);
        ExpectBaseReports(log, "DecodeWithContext", row.ownMessages, row.baseMessage);
        ExpectOutcome(outcome, row.outcome);
    }
}

struct ContextEncodeRow {
    const char* label;
    Maker make;
    bool nullBuffer;
    uint16_t room;
    uint8_t contextTag;
    Octets written;
    std::vector<std::string> ownMessages;
    std::string baseMessage;
    Outcome outcome;
};

Maker ContextUnsigned(uint32_t value, int contextTag) {
    return [=] {
        auto made = std::make_unique<BACnetPrimitiveUINT>(value);
        if (contextTag >= 0) made->SetContextTag(static_cast<uint8_t>(contextTag));
        return std::unique_ptr<BACnetPrimitiveBase>(std::move(made));
    };
}

TEST(PrimitiveContextTags, EncodeWithContextNeedsTheTagSetBeforehand) {
    const Maker boolean = [] {
        auto made = std::make_unique<BACnetPrimitiveBOOL>(true);
        made->SetContextTag(4);
        return std::unique_ptr<BACnetPrimitiveBase>(std::move(made));
    };
    const ContextEncodeRow rows[] = {
        {"unsigned control", ContextUnsigned(5, 3), false, 8, 3, {0x39, 0x05}, {}, "", kNoOutcome},
        {"boolean control", boolean, false, 8, 4, {0x49, 0x01}, {}, "", kNoOutcome},
        {"no buffer", ContextUnsigned(5, 3), true, 8, 3, {}, {}, "Invalid parameters", Abort(0)},
        {"no room", ContextUnsigned(5, 3), false, 0, 3, {}, {}, "Invalid parameters", Abort(0)},
        {"never set", Empty<BACnetPrimitiveUINT>(), false, 8, 3, {}, {}, "Invalid primitive", Abort(0)},
        {"still an application tag", ContextUnsigned(5, -1), false, 8, 3, {}, {}, "Invalid tag", Abort(0)},
        {"another context number", ContextUnsigned(5, 2), false, 8, 3, {}, {}, "Invalid tag", Abort(0)},
        {"contents do not fit", ContextUnsigned(70000, 3), false, 3, 3, {},
         {"Not enough space to encode this object"}, "Error encoding primitive", Abort(4)},
    };
    for (const ContextEncodeRow& row : rows) {
        SCOPED_TRACE(row.label);
        const std::unique_ptr<BACnetPrimitiveBase> value = row.make();
        Octets out(static_cast<size_t>(row.room) + 1, 0xA5);
        StackErrorLogCapture log;
        BACnetErrorOutcome outcome;
        EXPECT_EQ(value->EncodeWithContext(row.nullBuffer ? nullptr : out.data(), row.room, &outcome, row.contextTag),
                  row.written.size());
        EXPECT_EQ(Octets(out.begin(), out.begin() + static_cast<long>(row.written.size())), row.written);
        ExpectBaseReports(log, "EncodeWithContext", row.ownMessages, row.baseMessage);
        ExpectOutcome(outcome, row.outcome);
    }
}

TEST(PrimitiveContextTags, ContextAttributeSortsBeforeDatatype) {
    BACnetPrimitiveUINT number;
    EXPECT_EQ(Xml(number), "<UnsignedInteger datatype='2' value='0'>0</UnsignedInteger>");
    number.SetContextTag(3);
    EXPECT_EQ(number.GetContextTag(), 3);
    EXPECT_EQ(Xml(number), "<UnsignedInteger context='3' datatype='2' value='0'>0</UnsignedInteger>");
    BACnetPrimitiveNULL nothing;
    EXPECT_EQ(Xml(nothing), "<Null datatype='0' />");
}

TEST(PrimitiveLifecycle, ResetCloneAndEqualityAcrossTypes) {
    BACnetPrimitiveINT number(-129);
    number.SetContextTag(7);
    const std::unique_ptr<ICodable> copy = number.Clone();
    number.Reset();  // back to the freshly made state; the copy is independent
    EXPECT_FALSE(number.IsValid());
    EXPECT_EQ(number.GetContextTag(), -1);
    EXPECT_EQ(number.GetValue(), 0);
    EXPECT_EQ(Xml(number), "<Integer datatype='3' value='0'>0</Integer>");
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->GetContextTag(), 7);
    EXPECT_EQ(Xml(*dynamic_cast<const IRenderable*>(copy.get())),
              "<Integer context='7' datatype='3' value='-129'>-129</Integer>");

    const BACnetPrimitiveUINT unsignedFive(5);
    const BACnetPrimitiveINT signedFive(5);
    const BACnetPrimitiveENUM enumeratedFive(5);
    EXPECT_FALSE(unsignedFive.IsEqual(nullptr));
    EXPECT_FALSE(unsignedFive.IsEqual(&signedFive));
    EXPECT_FALSE(unsignedFive.IsEqual(&enumeratedFive));
    EXPECT_FALSE(signedFive.IsEqual(&unsignedFive));
    EXPECT_TRUE(unsignedFive.IsEqual(BACnetPrimitiveUINT(5).Clone().get()));
    EXPECT_FALSE(unsignedFive.IsEqual(BACnetPrimitiveUINT(6).Clone().get()));
    BACnetPrimitiveNULL nothing;
    EXPECT_TRUE(nothing.IsEqual(BACnetPrimitiveNULL().Clone().get()));
    EXPECT_FALSE(nothing.IsEqual(&signedFive));
    EXPECT_FALSE(BACnetPrimitiveBOOL(true).IsEqual(BACnetPrimitiveBOOL(false).Clone().get()));
}

// Every first octet, followed by a fixed tail cut to every length, through
// every decoder: a result never exceeds the length given, the valid flag
// follows the result, and whatever decodes re-encodes to octets that decode
// completely and re-encode to themselves.
TEST(PrimitiveRobustness, EveryHeaderOctetAtEveryLength) {
    const uint8_t tail[] = {0x05, 0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08, 0x09};
    StackErrorLogCapture log;
    for (unsigned headerOctet = 0; headerOctet < 256; ++headerOctet) {
        for (size_t length = 1; length <= sizeof tail + 1; ++length) {
            Octets octets = {static_cast<uint8_t>(headerOctet)};
            octets.insert(octets.end(), tail, tail + length - 1);
            for (uint8_t datatype = 0; datatype <= 12; ++datatype) {
                std::unique_ptr<BACnetPrimitiveBase> value = BACnetPrimitiveBase::PrimitiveFactory(datatype);
                const uint16_t used = DecodeExact(*value, octets, nullptr);
                ASSERT_LE(used, length) << headerOctet << " " << datatype;
                ASSERT_EQ(value->IsValid(), used != 0) << headerOctet << " " << datatype;
                if (used == 0) continue;
                // A non-canonical header (application length 6 in the first
                // octet) comes back in its longer standard form.
                Octets once(used + 8u, 0);
                const uint16_t written = value->Encode(once.data(), static_cast<uint16_t>(once.size()), nullptr);
                ASSERT_GT(written, 0) << headerOctet << " " << datatype;
                once.resize(written);
                ASSERT_EQ(DecodeExact(*value, once, nullptr), written) << headerOctet << " " << datatype;
                Octets twice(written + 8u, 0);
                ASSERT_EQ(value->Encode(twice.data(), static_cast<uint16_t>(twice.size()), nullptr), written);
                twice.resize(written);
                ASSERT_EQ(twice, once) << headerOctet << " " << datatype;
            }
        }
        log.Clear();
    }
}

}  // namespace
}  // namespace ZalvoBACnetStack
