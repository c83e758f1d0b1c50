// Property values and priority values/arrays: wire octets -> XML -> wire
// octets, optional members, the choice of a priority value, the sixteen
// slots of a priority array, failures with their exact reports and
// outcomes, and the setters.
#include <gtest/gtest.h>

#include "core/bacnetprimitivenull.h"
#include "core/bacnetprimitivereal.h"
#include "core/bacnetprimitiveuint.h"
#include "readservicestestsupport.h"
#include "services/bacnetdatetime.h"
#include "services/bacnetpriorityarray.h"
#include "services/bacnetpriorityvalue.h"
#include "services/bacnetpropertyreference.h"
#include "services/bacnetpropertyvalue.h"

namespace ZalvoBACnetStack {
namespace {
using namespace ReadServicesTest;

constexpr const char* kNullSlot = "<Null datatype='0' />";

std::unique_ptr<ICodable> ValidNull() {
    auto value = std::make_unique<BACnetPrimitiveNULL>();
    value->SetValue();
    return value;
}

std::string NullArrayOctets(int count) {
    std::string text;
    for (int i = 0; i < count; ++i) text += "00 ";
    return text;
}

// The XML of a priority array whose slots are NULL except `slot` (1-based),
// which renders as `inner`.
std::string ArrayXml(int slot, const std::string& inner) {
    std::string xml = "<PriorityArray count='16'>";
    for (int i = 1; i <= 16; ++i) {
        xml += "<PriorityValue priority='" + std::to_string(i) + "'>" + (i == slot ? inner : kNullSlot) +
               "</PriorityValue>";
    }
    return xml + "</PriorityArray>";
}

struct GoldenRow {
    const char* label;
    Maker make;
    std::string octets;
    std::string xml;
};

TEST(PropertyValues, GoldenVectorsDecodeRenderAndReencode) {
    const GoldenRow rows[] = {
        {"property value with only tags 0 and 2", Make<BACnetPropertyValue>(), "09 55 2E 44 42 C8 00 00 2F",
         "<PropertyValue><PropertyIdentifier context='0' datatype='9' value='85'>presentValue</PropertyIdentifier>"
         "<Value context='2'><Real datatype='4' value='100'>100</Real></Value></PropertyValue>"},
        {"property value with index and priority", Make<BACnetPropertyValue>(), "09 57 19 08 2E 91 01 2F 39 08",
         "<PropertyValue><PropertyIdentifier context='0' datatype='9' value='87'>priorityArray</PropertyIdentifier>"
         "<PropertyArrayIndex context='1' datatype='2' value='8'>8</PropertyArrayIndex><Value context='2'>"
         "<Enumerated datatype='9' value='1'>Unknown Enumeration Value (1)</Enumerated></Value>"
         "<Priority context='3' datatype='2' value='8'>8</Priority></PropertyValue>"},
        {"property value with priority only", Make<BACnetPropertyValue>(), "09 55 2E 00 2F 39 10",
         "<PropertyValue><PropertyIdentifier context='0' datatype='9' value='85'>presentValue</PropertyIdentifier>"
         "<Value context='2'><Null datatype='0' /></Value><Priority context='3' datatype='2' value='16'>16"
         "</Priority></PropertyValue>"},
        {"property value with an empty value", Make<BACnetPropertyValue>(), "09 55 2E 2F",
         "<PropertyValue><PropertyIdentifier context='0' datatype='9' value='85'>presentValue</PropertyIdentifier>"
         "<Value context='2' /></PropertyValue>"},
        {"property value with a list", Make<BACnetPropertyValue>(), "09 6F 2E 82 04 00 2F",
         "<PropertyValue><PropertyIdentifier context='0' datatype='9' value='111'>statusFlags</PropertyIdentifier>"
         "<Value context='2'><BitString datatype='8' length='4' unusedBits='4'>b0000</BitString></Value>"
         "</PropertyValue>"},
        {"priority value real", Make<BACnetPriorityValue>(), "44 42 91 00 00",
         "<PriorityValue><Real datatype='4' value='72.5'>72.5</Real></PriorityValue>"},
        {"priority value null", Make<BACnetPriorityValue>(), "00", "<PriorityValue><Null datatype='0' /></PriorityValue>"},
        {"priority value boolean", Make<BACnetPriorityValue>(), "11",
         "<PriorityValue><Boolean datatype='1' value='1'>true</Boolean></PriorityValue>"},
        {"priority value constructed", Make<BACnetPriorityValue>(), "0E 21 05 0F",
         "<PriorityValue><AbstractSyntaxtType><UnsignedInteger datatype='2' value='5'>5</UnsignedInteger>"
         "</AbstractSyntaxtType></PriorityValue>"},
        {"priority value date-time", Make<BACnetPriorityValue>(), "1E A4 7C 03 05 02 B4 0E 05 03 07 1F",
         "<PriorityValue><DateTime><Date datatype='10' day='5' month='3' weekday='2' year='124'>March, 5, 2024, "
         "Tuesday</Date><Time datatype='11' hour='14' hundrethSeconds='7' minute='5' second='3'>14:5:3.7</Time>"
         "</DateTime></PriorityValue>"},
        {"priority array of nulls", Make<BACnetPriorityArray>(), NullArrayOctets(16), ArrayXml(0, "")},
        {"priority array with priority 8", Make<BACnetPriorityArray>(),
         NullArrayOctets(7) + "44 42 91 00 00 " + NullArrayOctets(8),
         ArrayXml(8, "<Real datatype='4' value='72.5'>72.5</Real>")},
        {"priority array with priority 16", Make<BACnetPriorityArray>(), NullArrayOctets(15) + "91 01",
         ArrayXml(16, "<Enumerated datatype='9' value='1'>Unknown Enumeration Value (1)</Enumerated>")},
    };
    for (const GoldenRow& row : rows) {
        SCOPED_TRACE(row.label);
        CheckRoundTrip(row.make, ParseHex(row.octets), row.xml);
    }
}

TEST(PropertyValues, DecodeFailuresReportAndLeaveTheValueEmpty) {
    CheckDecodeFailures({
        {"property value null buffer", Make<BACnetPropertyValue>(), {},
         {"BACnetPropertyValue::Decode: Invalid parameters"}, Reject(0)},
        {"property value without tag 2", Make<BACnetPropertyValue>(), ParseHex("09 55 39 08"),
         {"BACnetTag::DecodeAndCheckOpeningTag: Not an opening tag with the correct tag number=[2]",
          "BACnetObjectBase::DecodeWithContext: Error Decoding opening tag ",
          "BACnetPropertyValue::Decode: Failed to decode propertyValue"},
         kNoOutcome},
        {"property value ending after the identifier", Make<BACnetPropertyValue>(), ParseHex("09 55"),
         {"BACnetObjectBase::DecodeWithContext: Invalid parameters ",
          "BACnetPropertyValue::Decode: Failed to decode propertyValue"},
         Reject(0)},
        {"property value without closing tag 2", Make<BACnetPropertyValue>(), ParseHex("09 55 2E 44 42 C8 00 00"),
         {"BACnetAbstractSyntaxType::Decode: Error decoding the tag ",
          "BACnetObjectBase::DecodeWithContext: Error decoding the error",
          "BACnetPropertyValue::Decode: Failed to decode propertyValue"},
         kNoOutcome},
        {"property value starting with the value", Make<BACnetPropertyValue>(), ParseHex("2E 44 42 C8 00 00 2F"),
         {"BACnetPrimitiveBase::DecodeWithContext: Invalid Tag Number",
          "BACnetPropertyValue::Decode: Failed to decode propertyIdentifier"},
         Reject(4)},
        {"priority value null buffer", Make<BACnetPriorityValue>(), {},
         {"BACnetPriorityValue::Decode: BACnetPriorityValue::Decode - Invalid prameters"}, Reject(0)},
        {"priority value context tag 5", Make<BACnetPriorityValue>(), ParseHex("59 05"),
         {"BACnetPriorityValue::Decode: BACnetPriorityValue::Decode - Invalid context tag choice=[5]"}, Reject(4)},
        {"priority value header cut", Make<BACnetPriorityValue>(), ParseHex("F8"),
         {"BACnetPriorityValue::Decode: BACnetPriorityValue::Decode - Unable to decode the choice tag"}, Reject(0)},
        {"priority value application tag 13", Make<BACnetPriorityValue>(), ParseHex("D1 00"),
         {"BACnetPrimitiveBase::PrimitiveFactory: PANIC - invalid BACnet Primitive datatype=[13]",
          "BACnetPriorityValue::Decode: Error - invalid application tag number"},
         Reject(4)},
        {"priority value unsigned cut", Make<BACnetPriorityValue>(), ParseHex("22 01"),
         {"BACnetPrimitiveUINT::Decode: Message is to short. ",
          "BACnetPriorityValue::Decode: Error - Unable to decode the primitive of type=[2]"},
         Reject(0)},
        {"priority value constructed without closing", Make<BACnetPriorityValue>(), ParseHex("0E 21 05"),
         {"BACnetAbstractSyntaxType::Decode: Error decoding the tag ",
          "BACnetObjectBase::DecodeWithContext: Error decoding the error",
          "BACnetPriorityValue::Decode: BACnetPriorityValue::Decode - Failed to decode constructedValue"},
         kNoOutcome},
        {"priority value context 0 primitive", Make<BACnetPriorityValue>(), ParseHex("09 05"),
         {"BACnetTag::DecodeAndCheckOpeningTag: Not an opening tag with the correct tag number=[0]",
          "BACnetObjectBase::DecodeWithContext: Error Decoding opening tag ",
          "BACnetPriorityValue::Decode: BACnetPriorityValue::Decode - Failed to decode constructedValue"},
         kNoOutcome},
        {"priority value date-time without time", Make<BACnetPriorityValue>(), ParseHex("1E A4 7C 03 05 02 1F"),
         {"BACnetDateTime::Decode: Failed to decode time",
          "BACnetObjectBase::DecodeWithContext: Error decoding the error",
          "BACnetPriorityValue::Decode: BACnetPriorityValue::Decode - Failed to decode datetime"},
         Reject(0)},
        {"priority value date-time with a context time", Make<BACnetPriorityValue>(),
         ParseHex("1E A4 7C 03 05 02 0C 0E 05 03 07 1F"),
         {"BACnetDateTime::Decode: Failed to decode time",
          "BACnetObjectBase::DecodeWithContext: Error decoding the error",
          "BACnetPriorityValue::Decode: BACnetPriorityValue::Decode - Failed to decode datetime"},
         Reject(4)},
        {"priority value date-time with an identifier for the time", Make<BACnetPriorityValue>(),
         ParseHex("1E A4 7C 03 05 02 C4 0E 05 03 07 1F"),
         {"BACnetPrimitiveTIME::Decode: Binvalid application tag", "BACnetDateTime::Decode: Failed to decode time",
          "BACnetObjectBase::DecodeWithContext: Error decoding the error",
          "BACnetPriorityValue::Decode: BACnetPriorityValue::Decode - Failed to decode datetime"},
         Reject(4)},
        {"priority array null buffer", Make<BACnetPriorityArray>(), {},
         {"BACnetPriorityArray::Decode: Error - Invalid prameters"}, Reject(0)},
        {"priority array of fifteen nulls", Make<BACnetPriorityArray>(), ParseHex(NullArrayOctets(15)),
         {"BACnetPriorityValue::Decode: BACnetPriorityValue::Decode - Invalid prameters",
          "BACnetPriorityArray::Decode: Error - error occurred during decode of priority value at index=[15]"},
         Reject(0)},
        {"priority array with a bad slot 3", Make<BACnetPriorityArray>(),
         ParseHex("00 00 59 00 " + NullArrayOctets(13)),
         {"BACnetPriorityValue::Decode: BACnetPriorityValue::Decode - Invalid context tag choice=[5]",
          "BACnetPriorityArray::Decode: Error - error occurred during decode of priority value at index=[2]"},
         Reject(4)},
    });
}

TEST(PropertyValues, PriorityArraySlotsAreReachableByIndexOnly) {
    BACnetPriorityArray array;
    StackErrorLogCapture log;
    ASSERT_EQ(DecodeExact(array, ParseHex(NullArrayOctets(7) + "44 42 91 00 00 " + NullArrayOctets(8)), nullptr), 20);
    ASSERT_NE(array.GetPriorityValue(0), nullptr);
    EXPECT_EQ(array.GetPriorityValue(0)->GetValue()->GetDatatype(), Datatype::kNull);
    ASSERT_NE(array.GetPriorityValue(7), nullptr);
    EXPECT_EQ(array.GetPriorityValue(7)->GetValue()->GetDatatype(), Datatype::kReal);
    EXPECT_NE(array.GetPriorityValue(15), nullptr);
    EXPECT_EQ(log.Text(), "");
    EXPECT_EQ(array.GetPriorityValue(16), nullptr);
    EXPECT_EQ(array.GetPriorityValue(0xFFFFFFFF), nullptr);
    EXPECT_EQ(Reports(log), (std::vector<std::string>{
                                "BACnetPriorityArray::GetPriorityValue: Error - priority is out of range",
                                "BACnetPriorityArray::GetPriorityValue: Error - priority is out of range"}));
}

TEST(PropertyValues, PriorityValueAcceptsOnlyItsChoices) {
    struct Row {
        const char* label;
        std::function<std::unique_ptr<ICodable>()> make;
        std::vector<std::string> reports;
        const char* octets;  // the encoding when accepted
    };
    const Row rows[] = {
        {"real", [] { return std::make_unique<BACnetPrimitiveREAL>(72.5f); }, {}, "44 42 91 00 00"},
        {"null", ValidNull, {}, "00"},
        {"date-time",
         [] {
             return std::make_unique<BACnetDateTime>(BACnetPrimitiveDATE(124, 3, 5, 2),
                                                     BACnetPrimitiveTIME(14, 5, 3, 7));
         },
         {},
         "1E A4 7C 03 05 02 B4 0E 05 03 07 1F"},
        {"constructed",
         [] {
             auto holder = std::make_unique<BACnetAbstractSyntaxType>(0);
             EXPECT_TRUE(holder->AddValueAndTakeOwnership(std::make_unique<BACnetPrimitiveUINT>(5)));
             return holder;
         },
         {},
         "0E 21 05 0F"},
        {"property reference", [] { return std::make_unique<BACnetPropertyReference>(85); },
         {"BACnetPriorityValue::SetPriorityValueAndTakeControl: Error - invalid object datatype=[31] for the "
          "priorityValue"},
         nullptr},
        {"priority value", [] { return std::make_unique<BACnetPriorityValue>(); },
         {"BACnetPriorityValue::SetPriorityValueAndTakeControl: Error - invalid object datatype=[116] for the "
          "priorityValue"},
         nullptr},
        {"nothing", [] { return std::unique_ptr<ICodable>(); },
         {"BACnetPriorityValue::SetPriorityValueAndTakeControl: Error - priorityValue does not exist"}, nullptr},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.label);
        BACnetPriorityValue value;
        StackErrorLogCapture log;
        EXPECT_EQ(value.SetPriorityValueAndTakeControl(row.make()), row.octets != nullptr);
        EXPECT_EQ(Reports(log), row.reports);
        EXPECT_EQ(value.IsValid(), row.octets != nullptr);
        if (row.octets == nullptr) {
            EXPECT_EQ(value.GetValue(), nullptr);
            continue;
        }
        Octets out(32, 0);
        const uint16_t written = value.Encode(out.data(), static_cast<uint16_t>(out.size()), nullptr);
        EXPECT_EQ(HexText(out.data(), written), row.octets);
        BACnetPriorityValue decoded;
        ASSERT_EQ(DecodeExact(decoded, ParseHex(row.octets), nullptr), written);
        EXPECT_TRUE(decoded.IsEqual(&value));
        EXPECT_EQ(Xml(decoded), Xml(value));
    }
}

TEST(PropertyValues, PriorityArrayBuiltSlotBySlot) {
    BACnetPriorityArray array;
    StackErrorLogCapture log;
    for (uint32_t index = 0; index < 16; ++index) {
        EXPECT_FALSE(array.IsValid());
        std::unique_ptr<ICodable> value;
        if (index == 9)
            value = std::make_unique<BACnetPrimitiveREAL>(72.5f);
        else
            value = ValidNull();
        EXPECT_TRUE(array.SetPriorityValueAndTakeControl(index, std::move(value)));
    }
    EXPECT_TRUE(array.IsValid());
    EXPECT_FALSE(array.SetPriorityValueAndTakeControl(16, ValidNull()));
    EXPECT_EQ(Reports(log), std::vector<std::string>{
                                "BACnetPriorityArray::SetPriorityValueAndTakeControl: Error - priority is out of range"});
    Octets out(40, 0);
    const uint16_t written = array.Encode(out.data(), static_cast<uint16_t>(out.size()), nullptr);
    EXPECT_EQ(HexText(out.data(), written),
              HexText(ParseHex(NullArrayOctets(9) + "44 42 91 00 00 " + NullArrayOctets(6))));
    EXPECT_EQ(Xml(array), ArrayXml(10, "<Real datatype='4' value='72.5'>72.5</Real>"));
}

TEST(PropertyValues, EncodeFailuresReportAndWriteNothingPastTheRoom) {
    const auto propertyValue = [] {
        auto value = std::make_unique<BACnetPropertyValue>();
        BACnetAbstractSyntaxType real(2);
        EXPECT_TRUE(real.AddValueAndTakeOwnership(std::make_unique<BACnetPrimitiveREAL>(100.0f)));
        EXPECT_TRUE(value->SetPropertyValue(85, 1, real, 8));
        return std::unique_ptr<BACnetObjectBase>(std::move(value));
    };
    const auto priorityValue = [] {
        auto value = std::make_unique<BACnetPriorityValue>();
        EXPECT_TRUE(value->SetPriorityValueAndTakeControl(std::make_unique<BACnetPrimitiveREAL>(1.0f)));
        return std::unique_ptr<BACnetObjectBase>(std::move(value));
    };
    const auto nullArray = [] {
        auto array = std::make_unique<BACnetPriorityArray>();
        EXPECT_EQ(DecodeExact(*array, ParseHex(NullArrayOctets(16)), nullptr), 16);
        return std::unique_ptr<BACnetObjectBase>(std::move(array));
    };
    const std::vector<EncodeFailureRow> rows = {
        {"property value null buffer", propertyValue, true, 20, {"BACnetPropertyValue::Encode: Invalid parameters"},
         Abort(0)},
        {"empty property value", Make<BACnetPropertyValue>(), false, 20,
         {"BACnetPropertyValue::Encode: Invalid BACnetPropertyReference object"}, Abort(0)},
        {"property value cramped identifier", propertyValue, false, 1,
         {"BACnetPrimitiveENUM::Encode: Not enough space to encode this object",
          "BACnetPrimitiveBase::EncodeWithContext: Error encoding primitive",
          "BACnetPropertyValue::Encode: Failed to encode the propertyIdentifier"},
         Abort(4)},
        {"property value cramped index", propertyValue, false, 3,
         {"BACnetPrimitiveUINT::Encode: Not enough space to encode this object",
          "BACnetPrimitiveBase::EncodeWithContext: Error encoding primitive",
          "BACnetPropertyValue::Encode: Failed to encode the propertyArrayIndex"},
         Abort(4)},
        {"property value cramped value", propertyValue, false, 8,
         {"BACnetPrimitiveREAL::Encode: Not enough space to encode this object",
          "BACnetAbstractSyntaxType::Encode: Error encoding object at offset=[0]",
          "BACnetObjectBase::EncodeWithContext: Error encoding the constructed object",
          "BACnetPropertyValue::Encode: Failed to encode the propertyValue"},
         Abort(4)},
        {"property value cramped priority", propertyValue, false, 12,
         {"BACnetPrimitiveUINT::Encode: Not enough space to encode this object",
          "BACnetPrimitiveBase::EncodeWithContext: Error encoding primitive",
          "BACnetPropertyValue::Encode: Failed to encode the priority"},
         Abort(4)},
        {"priority value zero room", priorityValue, false, 0,
         {"BACnetPriorityValue::Encode: Error - Invalid parameters"}, Abort(0)},
        {"empty priority value", Make<BACnetPriorityValue>(), false, 5,
         {"BACnetPriorityValue::Encode: Error - Invalid BACnetPriorityValue object"}, Abort(0)},
        {"priority value cramped", priorityValue, false, 4,
         {"BACnetPrimitiveREAL::Encode: Not enough space to encode this object",
          "BACnetPriorityValue::Encode: Error - error occurred when encoding the PriorityValue"},
         Abort(4)},
        {"priority array null buffer", nullArray, true, 16, {"BACnetPriorityArray::Encode: Error - Invalid parameters"},
         Abort(0)},
        {"empty priority array", Make<BACnetPriorityArray>(), false, 16,
         {"BACnetPriorityArray::Encode: Error - Invalid BACnetPriorityValue object"}, Abort(0)},
        {"priority array one slot short", nullArray, false, 15,
         {"BACnetPriorityValue::Encode: Error - Invalid parameters",
          "BACnetPriorityArray::Encode: Error - error occurred during encode of priority value at index=[15]"},
         Abort(0)},
    };
    CheckEncodeFailures(rows);
}

TEST(PropertyValues, SetPropertyValueChecksEveryPart) {
    BACnetAbstractSyntaxType real(2);
    ASSERT_TRUE(real.AddValueAndTakeOwnership(std::make_unique<BACnetPrimitiveREAL>(100.0f)));
    BACnetAbstractSyntaxType empty(2);
    ASSERT_EQ(DecodeExact(empty, ParseHex("2F"), nullptr), 0);
    ASSERT_TRUE(empty.IsValid());
    const BACnetAbstractSyntaxType notDecoded(2);
    const BACnetPropertyIdentifier presentValue(85);
    const BACnetPropertyIdentifier noIdentifier;
    const BACnetPrimitiveUINT index(3);
    const BACnetPrimitiveUINT noIndex;
    const BACnetPrimitiveUINT priority16(16);
    const BACnetPrimitiveUINT priority0(0);
    const BACnetPrimitiveUINT priority17(17);
    struct Row {
        const char* label;
        const BACnetPrimitiveENUM& identifier;
        const BACnetPrimitiveUINT* index;
        const BACnetAbstractSyntaxType& value;
        const BACnetPrimitiveUINT* priority;
        const char* report;    // null: accepted
        const char* encoding;  // when accepted
    };
    const Row rows[] = {
        {"all parts", presentValue, &index, real, &priority16, nullptr, "09 55 19 03 2E 44 42 C8 00 00 2F 39 10"},
        {"empty value", presentValue, nullptr, empty, nullptr, nullptr, "09 55 2E 2F"},
        {"empty identifier", noIdentifier, nullptr, real, nullptr, "Failed to set the property identifier", nullptr},
        {"empty index", presentValue, &noIndex, real, nullptr, "Failed to set the property array index", nullptr},
        {"priority 0", presentValue, nullptr, real, &priority0, "Failed to set the priority", nullptr},
        {"priority 17", presentValue, nullptr, real, &priority17, "Failed to set the priority", nullptr},
        {"value never decoded", presentValue, nullptr, notDecoded, nullptr, "Failed to set the property value",
         nullptr},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.label);
        BACnetPropertyValue value;
        StackErrorLogCapture log;
        EXPECT_EQ(value.SetPropertyValue(row.identifier, row.index, row.value, row.priority), row.report == nullptr);
        EXPECT_EQ(value.IsValid(), row.report == nullptr);
        if (row.report != nullptr) {
            EXPECT_EQ(Reports(log),
                      std::vector<std::string>{std::string("BACnetPropertyValue::SetPropertyValue: ") + row.report});
            continue;
        }
        EXPECT_EQ(log.Text(), "");
        Octets out(32, 0);
        const uint16_t written = value.Encode(out.data(), static_cast<uint16_t>(out.size()), nullptr);
        EXPECT_EQ(HexText(out.data(), written), row.encoding);
        BACnetPropertyValue decoded;
        ASSERT_EQ(DecodeExact(decoded, ParseHex(row.encoding), nullptr), written);
        EXPECT_TRUE(decoded.IsEqual(&value));
        EXPECT_EQ(Xml(decoded), Xml(value));
    }
}

TEST(PropertyValues, PriorityTypesComeFromTheValueFactory) {
    StackErrorLogCapture log;
    std::unique_ptr<ICodable> slot = BACnetAbstractSyntaxType::ObjectFactory(1, 87, Datatype::kPriorityValue);
    ASSERT_NE(dynamic_cast<BACnetPriorityValue*>(slot.get()), nullptr);
    std::unique_ptr<ICodable> array = BACnetAbstractSyntaxType::ObjectFactory(1, 87, Datatype::kPriorityArray);
    ASSERT_NE(dynamic_cast<BACnetPriorityArray*>(array.get()), nullptr);
    EXPECT_EQ(log.Text(), "");

    // A priority array read as a whole, and one slot read by index: the
    // holder looks through the slot at its value.
    BACnetAbstractSyntaxType whole(3);
    const Octets wholeOctets = ParseHex("3E " + NullArrayOctets(7) + "44 42 91 00 00 " + NullArrayOctets(8) + "3F");
    ASSERT_EQ(whole.DecodeByDatatype(wholeOctets.data(), static_cast<uint16_t>(wholeOctets.size()), nullptr, 3, 1,
                                     87, Datatype::kPriorityArray),
              wholeOctets.size());
    EXPECT_EQ(Xml(whole), "<AbstractSyntaxtType>" + ArrayXml(8, "<Real datatype='4' value='72.5'>72.5</Real>") +
                              "</AbstractSyntaxtType>");
    BACnetAbstractSyntaxType one(3);
    const Octets oneOctets = ParseHex("3E 44 42 91 00 00 3F");
    ASSERT_EQ(one.DecodeByDatatype(oneOctets.data(), static_cast<uint16_t>(oneOctets.size()), nullptr, 3, 1, 87,
                                   Datatype::kPriorityValue),
              oneOctets.size());
    const ICodable* real = one.GetObjectByDatatype(Datatype::kReal);
    ASSERT_NE(real, nullptr);
    EXPECT_EQ(real->GetDatatype(), Datatype::kReal);
    EXPECT_EQ(one.GetObjectByDatatype(Datatype::kNull), nullptr);
    EXPECT_EQ(log.Text(), "");
}

}  // namespace
}  // namespace ZalvoBACnetStack
