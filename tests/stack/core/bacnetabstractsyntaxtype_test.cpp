#include "core/bacnetabstractsyntaxtype.h"

#include <gtest/gtest.h>

#include "core/bacnetprimitiveenum.h"
#include "core/bacnetprimitivereal.h"
#include "core/bacnetprimitiveuint.h"
#include "core/bacnetsequenceof.h"
#include "core/bacnetstackunknownapdu.h"
#include "stack/message/messagetestsupport.h"

namespace ZalvoBACnetStack {
namespace {
using namespace MessageTest;

constexpr const char* kSrc = "bacnetabstractsyntaxtype";

struct HolderRow {
    const char* label;
    const char* octets;  // opening tag 3 ... closing tag 3
    uint16_t consumed;
    size_t values;
    const char* xml;
};

const HolderRow kHolderRows[] = {
    {"one REAL", "3E 44 42 91 00 00 3F", 7, 1,
     "<AbstractSyntaxtType><Real datatype='4' value='72.5'>72.5</Real></AbstractSyntaxtType>"},
    {"empty", "3E 3F", 2, 0, "<AbstractSyntaxtType />"},
    {"a list of two values", "3E 21 05 91 00 3F", 6, 2,
     "<AbstractSyntaxtType><UnsignedInteger datatype='2' value='5'>5</UnsignedInteger><Enumerated datatype='9' "
     "value='0'>Unknown Enumeration Value (0)</Enumerated></AbstractSyntaxtType>"},
    {"a nested constructed value", "3E 0E 21 01 0F 21 02 3F", 8, 2,
     "<AbstractSyntaxtType><AbstractSyntaxtType><UnsignedInteger datatype='2' value='1'>1</UnsignedInteger>"
     "</AbstractSyntaxtType><UnsignedInteger datatype='2' value='2'>2</UnsignedInteger></AbstractSyntaxtType>"},
};

TEST(BACnetAbstractSyntaxType, DecodesRendersAndReencodesHeldValues) {
    for (const HolderRow& row : kHolderRows) {
        SCOPED_TRACE(row.label);
        const std::vector<uint8_t> octets = ParseHex(row.octets);
        BACnetAbstractSyntaxType holder;
        BACnetErrorOutcome outcome;
        StackErrorLogCapture log;
        ASSERT_EQ(holder.DecodeWithContext(octets.data(), static_cast<uint16_t>(octets.size()), &outcome, 3),
                  row.consumed);
        EXPECT_EQ(log.Text(), "");
        EXPECT_TRUE(holder.IsValid());
        EXPECT_EQ(holder.Size(), row.values);
        EXPECT_EQ(Xml(holder), row.xml);
        std::vector<uint8_t> out(32, 0xEE);
        ASSERT_EQ(holder.EncodeWithContext(out.data(), static_cast<uint16_t>(out.size()), &outcome, 3), row.consumed);
        out.resize(row.consumed);
        EXPECT_EQ(HexText(out), HexText(octets));
        std::unique_ptr<ICodable> copy = holder.Clone();
        ASSERT_NE(copy, nullptr);
        EXPECT_TRUE(copy->IsEqual(&holder));
        ExpectEveryCutStaysInside(octets, [] { return std::make_unique<BACnetAbstractSyntaxType>(); });
    }
}

TEST(BACnetAbstractSyntaxType, DecodeFailuresReportWhereTheyAreFound) {
    const struct {
        const char* label;
        const char* octets;  // given to Decode (after the opening tag)
        std::vector<Report> reports;
    } rows[] = {
        {"no closing tag", "44 42 91 00 00", {{"BACnetAbstractSyntaxType::Decode", kSrc, "Error decoding the tag "}}},
        {"application tag 13",
         "D1 00 3F",
         {{"BACnetPrimitiveBase::PrimitiveFactory", "bacnetprimitivebase",
           "PANIC - invalid BACnet Primitive datatype=[13]"},
          {"BACnetAbstractSyntaxType::Decode", kSrc, "Invalid primitive choice"}}},
        {"a value cut short",
         "24 01 3F",
         {{"BACnetPrimitiveUINT::Decode", "bacnetprimitiveuint", "Message is to short. "},
          {"BACnetAbstractSyntaxType::Decode", kSrc, "Unable to decode the Primitive"}}},
        {"nested value closed by another tag",
         "0E 21 01 1F 3F",
         {{"BACnetAbstractSyntaxType::Decode", kSrc, "Error, expected a closing tag with tagNumber=[0]"}}},
        {"unknown context tag, raw data kept",
         "19 05 3F",
         {{"BACnetAbstractSyntaxType::Decode", kSrc,
           "PANIC - unknown context when decoding, check callstack to see if we can use DecodeByDatatype instead"}}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        const std::vector<uint8_t> octets = ParseHex(row.octets);
        BACnetAbstractSyntaxType holder;
        BACnetErrorOutcome outcome;
        StackErrorLogCapture log;
        const uint16_t used = holder.Decode(octets.data(), static_cast<uint16_t>(octets.size()), &outcome);
        ExpectReports(log, row.reports);
        if (std::string(row.label).rfind("unknown context", 0) == 0) {
            EXPECT_EQ(used, 2);  // the raw value; the closing tag is left to the caller
            ASSERT_EQ(holder.Size(), 1u);
            EXPECT_EQ(holder.At(0)->GetDatatype(), Datatype::kStackUnknownAPDU);
            EXPECT_EQ(Xml(holder), "<AbstractSyntaxtType><UnknownAPDU /></AbstractSyntaxtType>");
        } else {
            EXPECT_EQ(used, 0);
            EXPECT_FALSE(holder.IsValid());
        }
    }
}

TEST(BACnetAbstractSyntaxType, RefusesValuesNestedWithoutEnd) {
    std::vector<uint8_t> octets(400, 0x0E);  // opening tag 0, over and over
    BACnetAbstractSyntaxType holder;
    StackErrorLogCapture log;
    EXPECT_EQ(holder.Decode(octets.data(), static_cast<uint16_t>(octets.size()), nullptr), 0);
    EXPECT_TRUE(log.HasMessage("Error - values nested too deeply"));
}

TEST(BACnetAbstractSyntaxType, DecodeByDatatypeMakesTheClassThePropertyHas) {
    const std::vector<uint8_t> octets = ParseHex("3E 91 00 3F");
    BACnetAbstractSyntaxType holder;
    BACnetErrorOutcome outcome;
    // analog-input (0), event-state (36), ENUMERATED
    ASSERT_EQ(holder.DecodeByDatatype(octets.data(), 4, &outcome, 3, 0, 36, Datatype::kEnumerated), 4);
    EXPECT_EQ(Xml(holder),
              "<AbstractSyntaxtType><EventState datatype='9' value='0'>normal</EventState></AbstractSyntaxtType>");
    EXPECT_EQ(holder.GetContextTag(), 3);
    ASSERT_NE(holder.GetObjectByDatatype(Datatype::kEnumerated), nullptr);
    EXPECT_EQ(holder.GetObjectByDatatype(Datatype::kUnsigned), nullptr);

    BACnetAbstractSyntaxType plain;
    ASSERT_EQ(plain.DecodeWithContext(octets.data(), 4, &outcome, 3), 4);
    EXPECT_EQ(Xml(plain), "<AbstractSyntaxtType><Enumerated datatype='9' value='0'>Unknown Enumeration Value (0)"
                          "</Enumerated></AbstractSyntaxtType>");

    const struct {
        const char* label;
        const char* octets;
        uint8_t datatype;
        std::vector<std::string> messages;  // the last ones reported
    } rows[] = {
        {"wrong opening tag", "2E 21 01 2F", Datatype::kUnsigned,
         {"Not an opening tag with the correct tag number=[3]", "Error Decoding opening tag "}},
        {"no closing tag", "3E 21 01", Datatype::kUnsigned, {"Error Decoding closing tag "}},
        {"value of another datatype", "3E 44 42 91 00 00 3F", Datatype::kUnsigned,
         {"Invalid application tag", "Error failed to decode"}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        const std::vector<uint8_t> bad = ParseHex(row.octets);
        StackErrorLogCapture log;
        EXPECT_EQ(holder.DecodeByDatatype(bad.data(), static_cast<uint16_t>(bad.size()), &outcome, 3, 0, 85,
                                          row.datatype),
                  0);
        std::string expected;
        for (const std::string& message : row.messages) expected += message + "\n";
        EXPECT_EQ(log.Messages(), expected);
        EXPECT_FALSE(holder.IsValid());
    }
}

TEST(BACnetAbstractSyntaxType, ObjectFactoryCoversEveryDatatype) {
    for (uint8_t datatype : {0, 1, 2, 3, 4, 5, 6, 7, 8, 10, 11, 12}) {
        std::unique_ptr<ICodable> value = BACnetAbstractSyntaxType::ObjectFactory(8, 85, datatype);
        ASSERT_NE(value, nullptr);
        EXPECT_EQ(value->GetDatatype(), datatype);
    }
    for (uint8_t datatype : {Datatype::kCOVSubscription, Datatype::kPriorityValue, Datatype::kPriorityArray}) {
        std::unique_ptr<ICodable> value = BACnetAbstractSyntaxType::ObjectFactory(8, 152, datatype);
        ASSERT_NE(value, nullptr);
        EXPECT_EQ(value->GetDatatype(), datatype);
    }
    std::unique_ptr<ICodable> units = BACnetAbstractSyntaxType::ObjectFactory(0, 117, Datatype::kEnumerated);
    ASSERT_NE(units, nullptr);
    EXPECT_EQ(dynamic_cast<IRenderable*>(units.get())->GetElementName(), "EngineeringUnits");
    StackErrorLogCapture log;
    std::unique_ptr<ICodable> raw = BACnetAbstractSyntaxType::ObjectFactory(0, 85, 200);
    ASSERT_NE(raw, nullptr);
    EXPECT_EQ(raw->GetDatatype(), Datatype::kStackUnknownAPDU);
    ExpectReports(log, {{"BACnetAbstractSyntaxType::ObjectFactory", kSrc, "Error - unknown datatype=[200]"}});
}

TEST(BACnetAbstractSyntaxType, EncodeRefusesAnEmptyHolderAndReportsTheFailingValue) {
    uint8_t out[8];
    BACnetErrorOutcome outcome;
    StackErrorLogCapture log;
    BACnetAbstractSyntaxType holder;
    EXPECT_EQ(holder.Encode(out, sizeof out, &outcome), 0);
    ASSERT_TRUE(holder.AddValueAndTakeOwnership(std::make_unique<BACnetPrimitiveUINT>(70000)));
    EXPECT_FALSE(holder.AddValueAndTakeOwnership(nullptr));
    EXPECT_EQ(holder.Encode(out, 3, &outcome), 0);
    ExpectReports(log, {{"BACnetAbstractSyntaxType::Encode", kSrc, "Error - this object is invalid"},
                        {"BACnetPrimitiveUINT::Encode", "bacnetprimitiveuint", "Not enough space to encode this object"},
                        {"BACnetAbstractSyntaxType::Encode", kSrc, "Error encoding object at offset=[0]"}});
    ASSERT_EQ(holder.Encode(out, sizeof out, &outcome), 4);
    EXPECT_EQ(HexText(out, 4), "23 01 11 70");
    EXPECT_NE(holder.GetObjectByDatatype(Datatype::kUnsigned), nullptr);
}

TEST(BACnetSequenceOf, StopsAtTheFirstElementThatDoesNotDecode) {
    const std::vector<uint8_t> octets = ParseHex("21 01 21 02 1F");
    BACnetSequenceOf<BACnetPrimitiveUINT> list;
    BACnetErrorOutcome outcome;
    StackErrorLogCapture log;
    ASSERT_EQ(list.Decode(octets.data(), 5, &outcome), 4);
    EXPECT_EQ(log.Messages(), "Tag value out of range\n");
    EXPECT_TRUE(list.IsValid());
    ASSERT_EQ(list.Size(), 2u);
    EXPECT_EQ(list.At(1).GetValue(), 2u);
    EXPECT_EQ(list.GetDatatype(), Datatype::kSequenceOf);
    EXPECT_EQ(Xml(list), "<UnsignedInteger datatype='2' value='1'>1</UnsignedInteger>"
                         "<UnsignedInteger datatype='2' value='2'>2</UnsignedInteger>");
    uint8_t out[8];
    ASSERT_EQ(list.Encode(out, sizeof out, &outcome), 4);
    EXPECT_EQ(HexText(out, 4), "21 01 21 02");
    std::unique_ptr<ICodable> copy = list.Clone();
    EXPECT_TRUE(copy->IsEqual(&list));

    // Bracketed by context tag 1, as a service member.
    const std::vector<uint8_t> bracketed = ParseHex("1E 21 01 21 02 1F");
    log.Clear();
    ASSERT_EQ(list.DecodeWithContext(bracketed.data(), 6, &outcome, 1), 6);
    ASSERT_EQ(list.EncodeWithContext(out, sizeof out, &outcome, 1), 6);
    EXPECT_EQ(HexText(out, 6), "1E 21 01 21 02 1F");
}

TEST(BACnetSequenceOf, ReportsUnderItsInstantiationsName) {
    BACnetSequenceOf<BACnetPrimitiveUINT> list;
    const std::vector<uint8_t> cut = ParseHex("21 05 F5");  // a header cut after its first octet
    uint8_t out[2];
    StackErrorLogCapture log;
    EXPECT_EQ(list.Decode(cut.data(), 3, nullptr), 0);
    EXPECT_FALSE(list.IsValid());
    EXPECT_EQ(list.Encode(out, sizeof out, nullptr), 0);
    list.Add(BACnetPrimitiveUINT(70000));
    EXPECT_EQ(list.Encode(out, sizeof out, nullptr), 0);
    const std::string name = "BACnetSequenceOf<class ZalvoBACnetStack::BACnetPrimitiveUINT>::";
    ExpectReports(log, {{name + "Decode", "bacnetsequenceof", "Error decoding tag"},
                        {name + "Encode", "bacnetsequenceof", "Invalid BACnetListOfValues object"},
                        {"BACnetPrimitiveUINT::Encode", "bacnetprimitiveuint", "Not enough space to encode this object"},
                        {name + "Encode", "bacnetsequenceof", "Error encoding a list item"}});
}

TEST(BACnetStackUnknownAPDU, HoldsTheRawContentsOfAContextTag) {
    constexpr const char* kUnknownSrc = "bacnetstackunknownapdu";
    const std::vector<uint8_t> octets = ParseHex("2B 01 02 03");
    BACnetStackUnknownAPDU raw;
    BACnetErrorOutcome outcome;
    ASSERT_EQ(raw.Decode(octets.data(), 4, &outcome), 4);
    EXPECT_EQ(raw.GetLength(), 3u);
    EXPECT_EQ(raw.GetContextTag(), 2);
    EXPECT_EQ(HexText(raw.GetData(), raw.GetLength()), "01 02 03");
    EXPECT_EQ(Xml(raw), "<UnknownAPDU />");
    std::unique_ptr<ICodable> copy = raw.Clone();
    EXPECT_TRUE(copy->IsEqual(&raw));
    ExpectEveryCutStaysInside(octets, [] { return std::make_unique<BACnetStackUnknownAPDU>(); });

    const struct {
        const char* label;
        const char* octets;
        std::vector<std::string> messages;
    } rows[] = {
        {"empty", "", {"Invalid parameters "}},
        {"header cut", "2D", {"Error decoding tag"}},
        {"application tag", "21 05", {"Error - not a context tag"}},
        {"contents cut", "2B 01 02", {"Error - not enough bytes"}},
        {"no contents", "28", {"Error - invalid buffer", "Error - failed to set the buffer"}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        const std::vector<uint8_t> bad = ParseHex(row.octets);
        StackErrorLogCapture log;
        EXPECT_EQ(raw.Decode(bad.empty() ? nullptr : bad.data(), static_cast<uint16_t>(bad.size()), &outcome), 0);
        std::string expected;
        for (const std::string& message : row.messages) expected += message + "\n";
        EXPECT_EQ(log.Messages(), expected);
        EXPECT_TRUE(log.Text().find(kUnknownSrc) != std::string::npos);
        EXPECT_FALSE(raw.IsValid());
    }
    std::vector<uint8_t> large(1498, 0x55);
    uint8_t out[8];
    StackErrorLogCapture log;
    EXPECT_FALSE(raw.SetBuffer(large.data(), 1498));
    EXPECT_TRUE(raw.SetBuffer(large.data(), 1497));
    EXPECT_EQ(raw.Encode(out, sizeof out, &outcome), 0);
    ExpectReports(log, {{"BACnetStackUnknownAPDU::SetBuffer", kUnknownSrc, "Error - buffer overflow"},
                        {"BACnetStackUnknownAPDU::Encode", kUnknownSrc,
                         "PANIC - attempted to Encode an UnknownAPDU object"}});
}

}  // namespace
}  // namespace ZalvoBACnetStack
