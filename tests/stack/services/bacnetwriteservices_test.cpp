// WriteProperty and WritePropertyMultiple: wire octets -> XML -> wire
// octets, optional members present and absent, the value kept as its tags
// describe it, every decode and encode failure with its exact reports and
// outcome, and the setters.
#include <gtest/gtest.h>

#include "core/bacnetprimitivereal.h"
#include "readservicestestsupport.h"
#include "services/bacnetlistofwriteaccessspecifications.h"
#include "services/bacnetwriteaccessspecification.h"
#include "services/bacnetwritepropertymultiplerequest.h"
#include "services/bacnetwritepropertyrequest.h"

namespace ZalvoBACnetStack {
namespace {
using namespace ReadServicesTest;

// A value holder with the given values, as decoded from "<opening 3> octets <closing 3>".
BACnetAbstractSyntaxType ValueOf(const char* octets) {
    const Octets bracketed = ParseHex(std::string("3E ") + octets + " 3F");
    BACnetAbstractSyntaxType value(3);
    EXPECT_EQ(value.DecodeWithContext(bracketed.data(), static_cast<uint16_t>(bracketed.size()), nullptr, 3),
              bracketed.size());
    return value;
}

BACnetPropertyValue PropertyValueOf(uint32_t property, const char* octets, std::optional<uint32_t> priority) {
    BACnetPropertyValue value;
    EXPECT_TRUE(value.SetPropertyValue(property, std::nullopt, ValueOf(octets), priority));
    return value;
}

constexpr const char* kAnalogValueOneXml =
    "<ObjectIdentifier context='0' datatype='12' objectInstance='1' objectType='2'>analogValue, 1</ObjectIdentifier>";
constexpr const char* kPresentValueXml =
    "<PropertyIdentifier context='1' datatype='9' value='85'>presentValue</PropertyIdentifier>";

struct GoldenRow {
    const char* label;
    Maker make;
    const char* octets;
    std::string xml;
};

TEST(WriteServices, GoldenVectorsDecodeRenderAndReencode) {
    const GoldenRow rows[] = {
        {"100.0 to analog-value 1 at priority 8", Make<BACnetWritePropertyRequest>(),
         "0C 00 80 00 01 19 55 3E 44 42 C8 00 00 3F 49 08",
         std::string("<WritePropertyRequest>") + kAnalogValueOneXml + kPresentValueXml +
             "<PropertyValue context='3'><Real datatype='4' value='100'>100</Real></PropertyValue>"
             "<Priority context='4' datatype='2' value='8'>8</Priority></WritePropertyRequest>"},
        {"the same without priority", Make<BACnetWritePropertyRequest>(), "0C 00 80 00 01 19 55 3E 44 42 C8 00 00 3F",
         std::string("<WritePropertyRequest>") + kAnalogValueOneXml + kPresentValueXml +
             "<PropertyValue context='3'><Real datatype='4' value='100'>100</Real></PropertyValue>"
             "</WritePropertyRequest>"},
        // A NULL into one slot of a priority array: a relinquish, kept as a NULL.
        {"NULL to priority-array[8]", Make<BACnetWritePropertyRequest>(), "0C 00 40 00 01 19 57 29 08 3E 00 3F",
         "<WritePropertyRequest><ObjectIdentifier context='0' datatype='12' objectInstance='1' objectType='1'>"
         "analogOutput, 1</ObjectIdentifier><PropertyIdentifier context='1' datatype='9' value='87'>priorityArray"
         "</PropertyIdentifier><PropertyArrayIndex context='2' datatype='2' value='8'>8</PropertyArrayIndex>"
         "<PropertyValue context='3'><Null datatype='0' /></PropertyValue></WritePropertyRequest>"},
        // An enumerated value stays a plain ENUMERATED: no lookup by object type and property.
        {"active to binary-output 3 at priority 16", Make<BACnetWritePropertyRequest>(),
         "0C 01 00 00 03 19 55 3E 91 01 3F 49 10",
         "<WritePropertyRequest><ObjectIdentifier context='0' datatype='12' objectInstance='3' objectType='4'>"
         "binaryOutput, 3</ObjectIdentifier>" +
             std::string(kPresentValueXml) +
             "<PropertyValue context='3'><Enumerated datatype='9' value='1'>Unknown Enumeration Value (1)"
             "</Enumerated></PropertyValue><Priority context='4' datatype='2' value='16'>16</Priority>"
             "</WritePropertyRequest>"},
        {"a list of two values with an index and a priority", Make<BACnetWritePropertyRequest>(),
         "0C 00 80 00 01 1A 01 F4 29 00 3E 21 01 73 00 41 42 3F 49 01",
         std::string("<WritePropertyRequest>") + kAnalogValueOneXml +
             "<PropertyIdentifier context='1' datatype='9' value='500'>Unknown Enumeration Value (500)"
             "</PropertyIdentifier><PropertyArrayIndex context='2' datatype='2' value='0'>0</PropertyArrayIndex>"
             "<PropertyValue context='3'><UnsignedInteger datatype='2' value='1'>1</UnsignedInteger>"
             "<CharacterString datatype='7' encoding='0' length='2'>AB</CharacterString></PropertyValue>"
             "<Priority context='4' datatype='2' value='1'>1</Priority></WritePropertyRequest>"},
        // The written value of a real network (analog-output 101, 50.0, priority 10).
        {"captured WriteProperty", Make<BACnetWritePropertyRequest>(),
         "0C 00 40 00 65 19 55 3E 44 42 48 00 00 3F 49 0A",
         "<WritePropertyRequest><ObjectIdentifier context='0' datatype='12' objectInstance='101' objectType='1'>"
         "analogOutput, 101</ObjectIdentifier>" +
             std::string(kPresentValueXml) +
             "<PropertyValue context='3'><Real datatype='4' value='50'>50</Real></PropertyValue>"
             "<Priority context='4' datatype='2' value='10'>10</Priority></WritePropertyRequest>"},
        {"one write access entry with two values", Make<BACnetWritePropertyMultipleRequest>(),
         "0C 00 80 00 05 1E 09 55 2E 44 42 C8 00 00 2F 39 08 09 51 2E 11 2F 1F",
         "<WritePropertyMultipleRequest><ListOfWriteAccessSpecifications count='1'><WriteAccessSpecification>"
         "<ObjectIdentifier context='0' datatype='12' objectInstance='5' objectType='2'>analogValue, 5"
         "</ObjectIdentifier><ListOfProperties context='1' count='2'><PropertyValue><PropertyIdentifier "
         "context='0' datatype='9' value='85'>presentValue</PropertyIdentifier><Value context='2'><Real "
         "datatype='4' value='100'>100</Real></Value><Priority context='3' datatype='2' value='8'>8</Priority>"
         "</PropertyValue><PropertyValue><PropertyIdentifier context='0' datatype='9' value='81'>outOfService"
         "</PropertyIdentifier><Value context='2'><Boolean datatype='1' value='1'>true</Boolean></Value>"
         "</PropertyValue></ListOfProperties></WriteAccessSpecification></ListOfWriteAccessSpecifications>"
         "</WritePropertyMultipleRequest>"},
        // Two objects of one request, as a client on a real network sent them.
        {"captured WritePropertyMultiple", Make<BACnetWritePropertyMultipleRequest>(),
         "0C 01 00 00 00 1E 09 55 2E 44 00 00 00 00 2F 39 05 1F 0C 01 00 00 01 1E 09 55 2E 44 00 00 00 00 2F 39 05 1F",
         "<WritePropertyMultipleRequest><ListOfWriteAccessSpecifications count='2'><WriteAccessSpecification>"
         "<ObjectIdentifier context='0' datatype='12' objectInstance='0' objectType='4'>binaryOutput, 0"
         "</ObjectIdentifier><ListOfProperties context='1' count='1'><PropertyValue><PropertyIdentifier "
         "context='0' datatype='9' value='85'>presentValue</PropertyIdentifier><Value context='2'><Real "
         "datatype='4' value='0'>0</Real></Value><Priority context='3' datatype='2' value='5'>5</Priority>"
         "</PropertyValue></ListOfProperties></WriteAccessSpecification><WriteAccessSpecification>"
         "<ObjectIdentifier context='0' datatype='12' objectInstance='1' objectType='4'>binaryOutput, 1"
         "</ObjectIdentifier><ListOfProperties context='1' count='1'><PropertyValue><PropertyIdentifier "
         "context='0' datatype='9' value='85'>presentValue</PropertyIdentifier><Value context='2'><Real "
         "datatype='4' value='0'>0</Real></Value><Priority context='3' datatype='2' value='5'>5</Priority>"
         "</PropertyValue></ListOfProperties></WriteAccessSpecification></ListOfWriteAccessSpecifications>"
         "</WritePropertyMultipleRequest>"},
        {"write access entry with an empty list", Make<BACnetWriteAccessSpecification>(), "0C 00 80 00 05 1E 1F",
         "<WriteAccessSpecification><ObjectIdentifier context='0' datatype='12' objectInstance='5' objectType='2'>"
         "analogValue, 5</ObjectIdentifier><ListOfProperties context='1' count='0' /></WriteAccessSpecification>"},
    };
    for (const GoldenRow& row : rows) {
        SCOPED_TRACE(row.label);
        CheckRoundTrip(row.make, ParseHex(row.octets), row.xml);
    }
}

TEST(WriteServices, OptionalMembersAreReadFromTheirOwnTagsOnly) {
    BACnetWritePropertyRequest request;
    StackErrorLogCapture log;
    // A priority before the value is not the priority: the value is missing.
    EXPECT_EQ(DecodeExact(request, ParseHex("0C 00 80 00 01 19 55 49 08 3E 44 42 C8 00 00 3F"), nullptr), 0);
    EXPECT_EQ(Reports(log).back(), "BACnetWritePropertyRequest::Decode: Failed to decode propertyValue");
    log.Clear();
    // What follows the priority is left for the caller.
    ASSERT_EQ(DecodeExact(request, ParseHex("0C 00 80 00 01 19 55 3E 44 42 C8 00 00 3F 49 08 59 01"), nullptr), 16);
    EXPECT_TRUE(request.HasPriority());
    EXPECT_EQ(request.GetPriority().GetValue(), 8u);
    EXPECT_FALSE(request.HasPropertyArrayIndex());
    EXPECT_EQ(request.GetObjectIdentifier().GetInstance(), 1u);
    EXPECT_EQ(request.GetPropertyIdentifier().GetValue(), 85u);
    const auto* real = dynamic_cast<const BACnetPrimitiveREAL*>(request.GetPropertyValue().At(0));
    ASSERT_NE(real, nullptr);
    EXPECT_EQ(real->GetValue(), 100.0f);
    EXPECT_EQ(request.GetServiceChoice(), 15u);
    // A priority outside 1 to 16 is decoded as sent; the device that executes the write refuses it.
    ASSERT_EQ(DecodeExact(request, ParseHex("0C 00 80 00 01 19 55 3E 00 3F 49 11"), nullptr), 12);
    EXPECT_EQ(request.GetPriority().GetValue(), 17u);
    EXPECT_EQ(log.Text(), "");
    EXPECT_EQ(BACnetWritePropertyMultipleRequest().GetServiceChoice(), 16u);
}

TEST(WriteServices, DecodeFailuresReportAndLeaveTheValueEmpty) {
    CheckDecodeFailures({
        {"write null buffer", Make<BACnetWritePropertyRequest>(), {},
         {"BACnetWritePropertyRequest::Decode: Invalid parameters"}, Reject(0)},
        {"write without object", Make<BACnetWritePropertyRequest>(), ParseHex("19 55 3E 00 3F"),
         {"BACnetPrimitiveBase::DecodeWithContext: Invalid Tag Number",
          "BACnetWritePropertyRequest::Decode: Failed to decode objectIdentifier"},
         Reject(4)},
        {"write without property", Make<BACnetWritePropertyRequest>(), ParseHex("0C 00 80 00 01 3E 00 3F"),
         {"BACnetPrimitiveBase::DecodeWithContext: Invalid Tag Number",
          "BACnetWritePropertyRequest::Decode: Failed to decode propertyIdentifier"},
         Reject(4)},
        {"write without value", Make<BACnetWritePropertyRequest>(), ParseHex("0C 00 80 00 01 19 55"),
         {"BACnetObjectBase::DecodeWithContext: Invalid parameters ",
          "BACnetWritePropertyRequest::Decode: Failed to decode propertyValue"},
         Reject(0)},
        {"write without closing tag 3", Make<BACnetWritePropertyRequest>(),
         ParseHex("0C 00 80 00 01 19 55 3E 44 42 C8 00 00"),
         {"BACnetAbstractSyntaxType::Decode: Error decoding the tag ",
          "BACnetObjectBase::DecodeWithContext: Error decoding the error",
          "BACnetWritePropertyRequest::Decode: Failed to decode propertyValue"},
         kNoOutcome},
        {"write with the value cut", Make<BACnetWritePropertyRequest>(),
         ParseHex("0C 00 80 00 01 19 55 3E 44 42 C8 3F"),
         {"BACnetPrimitiveREAL::Decode: Message is to short. ", "BACnetAbstractSyntaxType::Decode: Unable to decode the Primitive",
          "BACnetObjectBase::DecodeWithContext: Error decoding the error",
          "BACnetWritePropertyRequest::Decode: Failed to decode propertyValue"},
         Reject(4)},
        {"write with the value in tag 4", Make<BACnetWritePropertyRequest>(), ParseHex("0C 00 80 00 01 19 55 4E 00 4F"),
         {"BACnetTag::DecodeAndCheckOpeningTag: Not an opening tag with the correct tag number=[3]",
          "BACnetObjectBase::DecodeWithContext: Error Decoding opening tag ",
          "BACnetWritePropertyRequest::Decode: Failed to decode propertyValue"},
         kNoOutcome},
        {"multiple null buffer", Make<BACnetWritePropertyMultipleRequest>(), {},
         {"BACnetWritePropertyMultipleRequest::Decode: Invalid parameters"}, Reject(0)},
        {"multiple without object", Make<BACnetWritePropertyMultipleRequest>(), ParseHex("1E 09 55 2E 00 2F 1F"),
         {"BACnetPrimitiveBase::DecodeWithContext: Invalid Tag Number",
          "BACnetWriteAccessSpecification::Decode: Failed to decode objectIdentifier",
          "BACnetWritePropertyMultipleRequest::Decode: Failed to decode listOfWriteAccessSpecifications"},
         Reject(4)},
        {"multiple without list", Make<BACnetWritePropertyMultipleRequest>(), ParseHex("0C 00 80 00 05"),
         {"BACnetPropertyValueList::DecodeWithContext: Invalid parameters ",
          "BACnetWriteAccessSpecification::Decode: Failed to decode listOfProperties",
          "BACnetWritePropertyMultipleRequest::Decode: Failed to decode listOfWriteAccessSpecifications"},
         Reject(0)},
        {"multiple list cut after one value", Make<BACnetWritePropertyMultipleRequest>(),
         ParseHex("0C 00 80 00 05 1E 09 55 2E 44 42 C8 00 00 2F"),
         {"BACnetPropertyValueList::DecodeWithContext: Error decoding tag",
          "BACnetWriteAccessSpecification::Decode: Failed to decode listOfProperties",
          "BACnetWritePropertyMultipleRequest::Decode: Failed to decode listOfWriteAccessSpecifications"},
         kNoOutcome},
        {"multiple value without its tag 2", Make<BACnetWritePropertyMultipleRequest>(),
         ParseHex("0C 00 80 00 05 1E 09 55 39 08 1F"),
         {"BACnetTag::DecodeAndCheckOpeningTag: Not an opening tag with the correct tag number=[2]",
          "BACnetObjectBase::DecodeWithContext: Error Decoding opening tag ",
          "BACnetPropertyValue::Decode: Failed to decode propertyValue",
          "BACnetPropertyValueList::DecodeWithContext: Error decoding a list item",
          "BACnetWriteAccessSpecification::Decode: Failed to decode listOfProperties",
          "BACnetWritePropertyMultipleRequest::Decode: Failed to decode listOfWriteAccessSpecifications"},
         kNoOutcome},
        {"multiple list closed by the wrong tag", Make<BACnetWritePropertyMultipleRequest>(),
         ParseHex("0C 00 80 00 05 1E 09 55 2E 00 2F 2F"),
         {"BACnetPrimitiveBase::DecodeWithContext: Invalid Tag Number",
          "BACnetPropertyValue::Decode: Failed to decode propertyIdentifier",
          "BACnetPropertyValueList::DecodeWithContext: Error decoding a list item",
          "BACnetWriteAccessSpecification::Decode: Failed to decode listOfProperties",
          "BACnetWritePropertyMultipleRequest::Decode: Failed to decode listOfWriteAccessSpecifications"},
         Reject(4)},
        // The second write access entry is broken: nothing of the first is kept.
        {"multiple second write access entry cut", Make<BACnetWritePropertyMultipleRequest>(),
         ParseHex("0C 00 80 00 05 1E 09 55 2E 00 2F 1F 0C 00 80"),
         {"BACnetPrimitiveObjectIdentifier::Decode: Message is to short. ",
          "BACnetPrimitiveBase::DecodeWithContext: Could not decode the primitive",
          "BACnetWriteAccessSpecification::Decode: Failed to decode objectIdentifier",
          "BACnetWritePropertyMultipleRequest::Decode: Failed to decode listOfWriteAccessSpecifications"},
         Reject(4)},
        {"write access entry null buffer", Make<BACnetWriteAccessSpecification>(), {},
         {"BACnetWriteAccessSpecification::Decode: Invalid parameters"}, Reject(0)},
        {"list null buffer", Make<BACnetListOfWriteAccessSpecifications>(), {},
         {"BACnetListOfWriteAccessSpecifications::Decode: Invalid parameters"}, Reject(0)},
    });
}

std::unique_ptr<BACnetObjectBase> BuiltWrite() {
    auto request = std::make_unique<BACnetWritePropertyRequest>();
    EXPECT_TRUE(request->SetWritePropertyRequest(2, 1, 85, 3, ValueOf("44 42 C8 00 00"), 8));
    return request;
}

std::unique_ptr<BACnetObjectBase> BuiltMultiple() {
    BACnetWriteAccessSpecification accessSpecification;
    accessSpecification.SetObjectIdentifier(2, 5);
    EXPECT_TRUE(accessSpecification.AddPropertyValue(PropertyValueOf(85, "44 42 C8 00 00", 8)));
    auto request = std::make_unique<BACnetWritePropertyMultipleRequest>();
    EXPECT_TRUE(request->InsertWriteAccessSpecification(accessSpecification));
    return request;
}

TEST(WriteServices, EncodeFailuresReportAndWriteNothingPastTheRoom) {
    // BuiltWrite: 0C 00 80 00 01 19 55 29 03 3E 44 42 C8 00 00 3F 49 08 (18 octets).
    // BuiltMultiple: 0C 00 80 00 05 1E 09 55 2E 44 42 C8 00 00 2F 39 08 1F (18 octets).
    const std::vector<EncodeFailureRow> rows = {
        {"write null buffer", BuiltWrite, true, 18, {"BACnetWritePropertyRequest::Encode: Invalid parameters"},
         Abort(0)},
        {"empty write", Make<BACnetWritePropertyRequest>(), false, 18,
         {"BACnetWritePropertyRequest::Encode: Invalid BACnetPropertyReference object"}, Abort(0)},
        {"write cramped object", BuiltWrite, false, 4,
         {"BACnetPrimitiveObjectIdentifier::Encode: Not enough space to encode this object",
          "BACnetPrimitiveBase::EncodeWithContext: Error encoding primitive",
          "BACnetWritePropertyRequest::Encode: Failed to encode objectIdentifier"},
         Abort(4)},
        {"write without room for the property", BuiltWrite, false, 5,
         {"BACnetPrimitiveBase::EncodeWithContext: Invalid parameters",
          "BACnetWritePropertyRequest::Encode: Failed to encode propertyIdentifier"},
         Abort(0)},
        {"write cramped index", BuiltWrite, false, 8,
         {"BACnetPrimitiveUINT::Encode: Not enough space to encode this object",
          "BACnetPrimitiveBase::EncodeWithContext: Error encoding primitive",
          "BACnetWritePropertyRequest::Encode: Failed to encode propertyArrayIndex"},
         Abort(4)},
        {"write without room for the closing tag", BuiltWrite, false, 15,
         {"BACnetObjectBase::EncodeWithContext: Error encoding closing tag for context=3",
          "BACnetWritePropertyRequest::Encode: Failed to encode propertyValue"},
         kNoOutcome},
        {"write cramped priority", BuiltWrite, false, 17,
         {"BACnetPrimitiveUINT::Encode: Not enough space to encode this object",
          "BACnetPrimitiveBase::EncodeWithContext: Error encoding primitive",
          "BACnetWritePropertyRequest::Encode: Failed to encode priority"},
         Abort(4)},
        {"multiple zero room", BuiltMultiple, false, 0,
         {"BACnetWritePropertyMultipleRequest::Encode: Invalid parameters"}, Abort(0)},
        {"empty multiple", Make<BACnetWritePropertyMultipleRequest>(), false, 18,
         {"BACnetWritePropertyMultipleRequest::Encode: Invalid BACnetPropertyReference object"}, Abort(0)},
        {"multiple cramped object", BuiltMultiple, false, 3,
         {"BACnetPrimitiveObjectIdentifier::Encode: Not enough space to encode this object",
          "BACnetPrimitiveBase::EncodeWithContext: Error encoding primitive",
          "BACnetWriteAccessSpecification::Encode: Failed to encode objectIdentifier",
          "BACnetListOfWriteAccessSpecifications::Encode: Error encoding a list item",
          "BACnetWritePropertyMultipleRequest::Encode: Failed to encode listOfWriteAccessSpecifications"},
         Abort(4)},
        {"multiple without room for the list", BuiltMultiple, false, 5,
         {"BACnetPropertyValueList::EncodeWithContext: Invalid parameters",
          "BACnetWriteAccessSpecification::Encode: Failed to encode listOfProperties",
          "BACnetListOfWriteAccessSpecifications::Encode: Error encoding a list item",
          "BACnetWritePropertyMultipleRequest::Encode: Failed to encode listOfWriteAccessSpecifications"},
         Abort(0)},
        {"multiple cramped property value", BuiltMultiple, false, 16,
         {"BACnetPrimitiveUINT::Encode: Not enough space to encode this object",
          "BACnetPrimitiveBase::EncodeWithContext: Error encoding primitive",
          "BACnetPropertyValue::Encode: Failed to encode the priority",
          "BACnetPropertyValueList::EncodeWithContext: Error encoding a list item",
          "BACnetWriteAccessSpecification::Encode: Failed to encode listOfProperties",
          "BACnetListOfWriteAccessSpecifications::Encode: Error encoding a list item",
          "BACnetWritePropertyMultipleRequest::Encode: Failed to encode listOfWriteAccessSpecifications"},
         Abort(4)},
        {"multiple without room for the closing tag", BuiltMultiple, false, 17,
         {"BACnetPropertyValueList::EncodeWithContext: Error encoding closing tag for context=1",
          "BACnetWriteAccessSpecification::Encode: Failed to encode listOfProperties",
          "BACnetListOfWriteAccessSpecifications::Encode: Error encoding a list item",
          "BACnetWritePropertyMultipleRequest::Encode: Failed to encode listOfWriteAccessSpecifications"},
         kNoOutcome},
        {"empty write access entry", Make<BACnetWriteAccessSpecification>(), false, 10,
         {"BACnetWriteAccessSpecification::Encode: Invalid BACnetPropertyReference object"}, Abort(0)},
        {"empty list", Make<BACnetListOfWriteAccessSpecifications>(), false, 10,
         {"BACnetListOfWriteAccessSpecifications::Encode: Invalid BACnetListOfWriteAccessSpecifications object"},
         Abort(0)},
    };
    CheckEncodeFailures(rows);
}

TEST(WriteServices, BuiltRequestsEncodeLikeDecodedOnes) {
    struct Row {
        const char* label;
        Maker make;
        const char* octets;
    };
    const Row rows[] = {
        {"write with index and priority", BuiltWrite, "0C 00 80 00 01 19 55 29 03 3E 44 42 C8 00 00 3F 49 08"},
        {"write from values",
         [] {
             auto request = std::make_unique<BACnetWritePropertyRequest>();
             const BACnetPrimitiveUINT priority(16);
             EXPECT_TRUE(request->SetWritePropertyRequest(BACnetPrimitiveObjectIdentifier(4, 3),
                                                          BACnetPropertyIdentifier(85), nullptr, ValueOf("91 00"),
                                                          &priority));
             return std::unique_ptr<BACnetObjectBase>(std::move(request));
         },
         "0C 01 00 00 03 19 55 3E 91 00 3F 49 10"},
        {"write of an empty value",
         [] {
             auto request = std::make_unique<BACnetWritePropertyRequest>();
             EXPECT_TRUE(request->SetWritePropertyRequest(8, 7, 77, std::nullopt, ValueOf(""), std::nullopt));
             return std::unique_ptr<BACnetObjectBase>(std::move(request));
         },
         "0C 02 00 00 07 19 4D 3E 3F"},
        {"multiple", BuiltMultiple, "0C 00 80 00 05 1E 09 55 2E 44 42 C8 00 00 2F 39 08 1F"},
        {"multiple with two objects",
         [] {
             BACnetWriteAccessSpecification first;
             EXPECT_TRUE(first.SetObjectIdentifier(BACnetPrimitiveObjectIdentifier(1, 2)));
             EXPECT_TRUE(first.AddPropertyValue(PropertyValueOf(85, "00", std::nullopt)));
             EXPECT_TRUE(first.AddPropertyValue(PropertyValueOf(81, "10", std::nullopt)));
             BACnetWriteAccessSpecification second;
             second.SetObjectIdentifier(8, 9);
             auto request = std::make_unique<BACnetWritePropertyMultipleRequest>();
             EXPECT_TRUE(request->InsertWriteAccessSpecification(first));
             EXPECT_TRUE(request->InsertWriteAccessSpecification(second));
             return std::unique_ptr<BACnetObjectBase>(std::move(request));
         },
         "0C 00 40 00 02 1E 09 55 2E 00 2F 09 51 2E 10 2F 1F 0C 02 00 00 09 1E 1F"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.label);
        CheckBuiltValue(row.make, row.octets);
    }
}

TEST(WriteServices, PriorityMustBeOneToSixteen) {
    struct Row {
        uint32_t priority;
        bool accepted;
    };
    for (const Row& row : {Row{0, false}, Row{1, true}, Row{16, true}, Row{17, false}, Row{255, false}}) {
        SCOPED_TRACE(row.priority);
        BACnetWritePropertyRequest request;
        StackErrorLogCapture log;
        EXPECT_EQ(request.SetPriority(row.priority), row.accepted);
        EXPECT_EQ(request.HasPriority(), row.accepted);
        if (row.accepted) {
            EXPECT_EQ(request.GetPriority().GetValue(), row.priority);
            EXPECT_EQ(log.Text(), "");
        } else {
            EXPECT_EQ(Reports(log), std::vector<std::string>{"BACnetWritePropertyRequest::SetPriority: Invalid priority=[" +
                                                             std::to_string(row.priority) +
                                                             "]. Must be between 1 and 16 inclusively"});
        }
    }
}

TEST(WriteServices, SettersRefuseEmptyOrOutOfRangeParts) {
    const BACnetPrimitiveObjectIdentifier object(2, 1);
    const BACnetPropertyIdentifier property(85);
    const BACnetPrimitiveUINT index(2);
    const BACnetPrimitiveUINT noIndex;
    const BACnetPrimitiveUINT priority(8);
    const BACnetPrimitiveUINT priorityZero(0);
    const BACnetAbstractSyntaxType value = ValueOf("44 42 C8 00 00");
    const BACnetAbstractSyntaxType noValue(3);
    const std::string kSet = "BACnetWritePropertyRequest::SetWritePropertyRequest: ";
    struct Row {
        const char* label;
        BACnetPrimitiveObjectIdentifier object;
        BACnetPrimitiveENUM property;
        const BACnetPrimitiveUINT* index;
        const BACnetAbstractSyntaxType* value;
        const BACnetPrimitiveUINT* priority;
        std::vector<std::string> reports;
    };
    const Row rows[] = {
        {"empty object", BACnetPrimitiveObjectIdentifier(), property, nullptr, &value, nullptr,
         {kSet + "Failed to set the object identifier", kSet + "Failed to set the write property request"}},
        {"empty property", object, BACnetPrimitiveENUM(), nullptr, &value, nullptr,
         {kSet + "Failed to set the property identifier", kSet + "Failed to set the write property request"}},
        {"empty index", object, property, &noIndex, &value, nullptr,
         {kSet + "Failed to set the property array index", kSet + "Failed to set the write property request"}},
        {"priority 0", object, property, &index, &value, &priorityZero,
         {"BACnetWritePropertyRequest::SetPriority: Invalid priority=[0]. Must be between 1 and 16 inclusively",
          kSet + "Failed to set the priority", kSet + "Failed to set the write property request"}},
        {"empty priority", object, property, &index, &value, &noIndex,
         {kSet + "Failed to set the priority", kSet + "Failed to set the write property request"}},
        {"empty value", object, property, &index, &noValue, &priority,
         {kSet + "Failed to set the property value", kSet + "Failed to set the write property request"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.label);
        BACnetWritePropertyRequest request;
        ASSERT_TRUE(request.SetWritePropertyRequest(object, property, &index, value, &priority));
        StackErrorLogCapture log;
        EXPECT_FALSE(request.SetWritePropertyRequest(row.object, row.property, row.index, *row.value, row.priority));
        EXPECT_FALSE(request.IsValid());
        EXPECT_FALSE(request.HasPriority());
        EXPECT_EQ(Reports(log), row.reports);
    }

    BACnetWritePropertyRequest request;
    StackErrorLogCapture log;
    EXPECT_FALSE(request.SetWritePropertyRequest(2, 1, 85, std::nullopt, value, 17));
    EXPECT_EQ(Reports(log).size(), 3u);

    log.Clear();
    BACnetWriteAccessSpecification accessSpecification;
    // No value before the object is named.
    EXPECT_FALSE(accessSpecification.AddPropertyValue(PropertyValueOf(85, "00", std::nullopt)));
    EXPECT_EQ(Reports(log), std::vector<std::string>{
                                "BACnetWriteAccessSpecification::AddPropertyValue: Failed to add the property value"});
    log.Clear();
    accessSpecification.SetObjectIdentifier(2, 5);
    EXPECT_FALSE(accessSpecification.AddPropertyValue(BACnetPropertyValue()));
    EXPECT_EQ(accessSpecification.GetListOfProperties().Size(), 0u);
    EXPECT_FALSE(accessSpecification.SetObjectIdentifier(BACnetPrimitiveObjectIdentifier()));
    EXPECT_FALSE(accessSpecification.IsValid());
    BACnetWritePropertyMultipleRequest multiple;
    EXPECT_FALSE(multiple.InsertWriteAccessSpecification(accessSpecification));
    EXPECT_FALSE(multiple.IsValid());
    EXPECT_EQ(Reports(log),
              (std::vector<std::string>{
                  "BACnetPropertyValueList::Add: Error - unable to add the property value",
                  "BACnetWriteAccessSpecification::AddPropertyValue: Failed to add the property value",
                  "BACnetWriteAccessSpecification::SetObjectIdentifier: Failed to set the object identifier",
                  "BACnetListOfWriteAccessSpecifications::InsertWriteAccessSpecification: Failed to insert write "
                  "access specification into list",
                  "BACnetWritePropertyMultipleRequest::InsertWriteAccessSpecification: Failed to insert write access "
                  "specification into list"}));
}

TEST(WriteServices, EqualityComparesEveryMember) {
    auto base = BuiltWrite();
    const BACnetAbstractSyntaxType hundred = ValueOf("44 42 C8 00 00");
    struct Row {
        const char* label;
        uint16_t type;
        std::optional<uint32_t> index;
        const char* value;
        std::optional<uint32_t> priority;
        bool equal;
    };
    const Row rows[] = {
        {"same", 2, 3, "44 42 C8 00 00", 8, true},
        {"other object", 1, 3, "44 42 C8 00 00", 8, false},
        {"no index", 2, std::nullopt, "44 42 C8 00 00", 8, false},
        {"other value", 2, 3, "44 42 C9 00 00", 8, false},
        {"two values", 2, 3, "44 42 C8 00 00 00", 8, false},
        {"no priority", 2, 3, "44 42 C8 00 00", std::nullopt, false},
        {"other priority", 2, 3, "44 42 C8 00 00", 9, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.label);
        BACnetWritePropertyRequest other;
        ASSERT_TRUE(other.SetWritePropertyRequest(row.type, 1, 85, row.index, ValueOf(row.value), row.priority));
        EXPECT_EQ(other.IsEqual(base.get()), row.equal);
        EXPECT_EQ(base->IsEqual(&other), row.equal);
    }
    EXPECT_FALSE(base->IsEqual(nullptr));
    EXPECT_FALSE(base->IsEqual(BuiltMultiple().get()));
    auto multiple = BuiltMultiple();
    EXPECT_TRUE(multiple->IsEqual(BuiltMultiple().get()));
    EXPECT_FALSE(multiple->IsEqual(BACnetWritePropertyMultipleRequest().Clone().get()));
}

}  // namespace
}  // namespace ZalvoBACnetStack
