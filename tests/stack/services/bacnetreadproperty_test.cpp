// ReadProperty request and acknowledgement: wire octets (real payloads from
// captured traffic among them) -> XML -> wire octets, values typed by the
// object type and property, the optional array index, failures with their
// exact reports and outcomes, and the setters the device server uses.
#include <gtest/gtest.h>

#include "core/bacnetprimitivereal.h"
#include "readservicestestsupport.h"
#include "services/bacnetreadpropertyack.h"
#include "services/bacnetreadpropertyrequest.h"

namespace ZalvoBACnetStack {
namespace {
using namespace ReadServicesTest;

const std::string kAnalogOutput101 =
    "<ObjectIdentifier context='0' datatype='12' objectInstance='101' objectType='1'>analogOutput, 101"
    "</ObjectIdentifier>";
const std::string kDevice8 =
    "<ObjectIdentifier context='0' datatype='12' objectInstance='8' objectType='8'>device, 8</ObjectIdentifier>";

std::string Property(unsigned number, const std::string& name) {
    return "<PropertyIdentifier context='1' datatype='9' value='" + std::to_string(number) + "'>" + name +
           "</PropertyIdentifier>";
}

std::string Ack(const std::string& object, const std::string& property, const std::string& index,
                const std::string& value) {
    return "<ReadPropertyACK>" + object + property + index +
           (value.empty() ? "<PropertyValue context='3' />" : "<PropertyValue context='3'>" + value + "</PropertyValue>") +
           "</ReadPropertyACK>";
}

std::string NullPriorityArray() {
    std::string xml = "<PriorityArray count='16'>";
    for (int i = 1; i <= 16; ++i)
        xml += "<PriorityValue priority='" + std::to_string(i) + "'><Null datatype='0' /></PriorityValue>";
    return xml + "</PriorityArray>";
}

struct GoldenRow {
    const char* label;
    Maker make;
    std::string octets;
    std::string xml;
    std::vector<std::string> decodeReports = {};
};

TEST(ReadProperty, GoldenVectorsDecodeRenderAndReencode) {
    const GoldenRow rows[] = {
        {"request for the object name", Make<BACnetReadPropertyRequest>(), "0C 02 00 00 08 19 4D",
         "<ReadPropertyRequest>" + kDevice8 + Property(77, "objectName") + "</ReadPropertyRequest>"},
        {"request with array index 0", Make<BACnetReadPropertyRequest>(), "0C 02 00 00 08 19 4D 29 00",
         "<ReadPropertyRequest>" + kDevice8 + Property(77, "objectName") +
             "<PropertyArrayIndex context='2' datatype='2' value='0'>0</PropertyArrayIndex></ReadPropertyRequest>"},
        {"request for the wildcard device", Make<BACnetReadPropertyRequest>(), "0C 02 3F FF FF 19 4C",
         "<ReadPropertyRequest><ObjectIdentifier context='0' datatype='12' objectInstance='4194303' objectType='8'>"
         "device, 4194303</ObjectIdentifier>" +
             Property(76, "objectList") + "</ReadPropertyRequest>"},
        {"request for a proprietary property", Make<BACnetReadPropertyRequest>(), "0C 00 40 00 65 1A 02 01",
         "<ReadPropertyRequest>" + kAnalogOutput101 + Property(513, "Unknown Enumeration Value (513)") +
             "</ReadPropertyRequest>"},
        {"present value REAL", Make<BACnetReadPropertyACK>(), "0C 00 40 00 65 19 55 3E 44 42 C8 00 00 3F",
         Ack(kAnalogOutput101, Property(85, "presentValue"), "", "<Real datatype='4' value='100'>100</Real>")},
        {"units by name", Make<BACnetReadPropertyACK>(), "0C 00 40 00 65 19 75 3E 91 62 3F",
         Ack(kAnalogOutput101, Property(117, "units"), "",
             "<EngineeringUnits datatype='9' value='98'>percent</EngineeringUnits>")},
        {"event state by name", Make<BACnetReadPropertyACK>(), "0C 00 40 00 65 19 24 3E 91 01 3F",
         Ack(kAnalogOutput101, Property(36, "eventState"), "", "<EventState datatype='9' value='1'>fault</EventState>")},
        {"status flags", Make<BACnetReadPropertyACK>(), "0C 00 40 00 65 19 6F 3E 82 04 40 3F",
         Ack(kAnalogOutput101, Property(111, "statusFlags"), "",
             "<BitString datatype='8' length='4' unusedBits='4'>b0100</BitString>")},
        {"priority array of NULLs", Make<BACnetReadPropertyACK>(),
         "0C 00 40 00 65 19 57 3E 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 3F",
         Ack(kAnalogOutput101, Property(87, "priorityArray"), "", NullPriorityArray())},
        {"priority array slot 8", Make<BACnetReadPropertyACK>(), "0C 00 40 00 65 19 57 29 08 3E 44 42 C8 00 00 3F",
         Ack(kAnalogOutput101, Property(87, "priorityArray"),
             "<PropertyArrayIndex context='2' datatype='2' value='8'>8</PropertyArrayIndex>",
             "<PriorityValue><Real datatype='4' value='100'>100</Real></PriorityValue>")},
        {"priority array size", Make<BACnetReadPropertyACK>(), "0C 00 40 00 65 19 57 29 00 3E 21 10 3F",
         Ack(kAnalogOutput101, Property(87, "priorityArray"),
             "<PropertyArrayIndex context='2' datatype='2' value='0'>0</PropertyArrayIndex>",
             "<UnsignedInteger datatype='2' value='16'>16</UnsignedInteger>")},
        {"object list size", Make<BACnetReadPropertyACK>(), "0C 02 00 00 1D 19 4C 29 00 3E 21 E2 3F",
         Ack("<ObjectIdentifier context='0' datatype='12' objectInstance='29' objectType='8'>device, 29"
             "</ObjectIdentifier>",
             Property(76, "objectList"), "<PropertyArrayIndex context='2' datatype='2' value='0'>0</PropertyArrayIndex>",
             "<UnsignedInteger datatype='2' value='226'>226</UnsignedInteger>")},
        {"object list element", Make<BACnetReadPropertyACK>(), "0C 02 00 00 1D 19 4C 29 01 3E C4 02 00 00 1D 3F",
         Ack("<ObjectIdentifier context='0' datatype='12' objectInstance='29' objectType='8'>device, 29"
             "</ObjectIdentifier>",
             Property(76, "objectList"), "<PropertyArrayIndex context='2' datatype='2' value='1'>1</PropertyArrayIndex>",
             "<ObjectIdentifier datatype='12' objectInstance='29' objectType='8'>device, 29</ObjectIdentifier>")},
        {"whole object list", Make<BACnetReadPropertyACK>(), "0C 02 00 00 08 19 4C 3E C4 02 00 00 08 C4 00 00 00 01 3F",
         Ack(kDevice8, Property(76, "objectList"), "",
             "<ObjectIdentifier datatype='12' objectInstance='8' objectType='8'>device, 8</ObjectIdentifier>"
             "<ObjectIdentifier datatype='12' objectInstance='1' objectType='0'>analogInput, 1</ObjectIdentifier>")},
        {"empty object list", Make<BACnetReadPropertyACK>(), "0C 02 00 00 08 19 4C 3E 3F",
         Ack(kDevice8, Property(76, "objectList"), "", "")},
        {"vendor identifier of the wildcard device", Make<BACnetReadPropertyACK>(), "0C 02 3F FF FF 19 78 3E 21 05 3F",
         Ack("<ObjectIdentifier context='0' datatype='12' objectInstance='4194303' objectType='8'>device, 4194303"
             "</ObjectIdentifier>",
             Property(120, "vendorIdentifier"), "", "<UnsignedInteger datatype='2' value='5'>5</UnsignedInteger>")},
        {"proprietary property with a context value", Make<BACnetReadPropertyACK>(),
         "0C 00 40 00 65 1A 02 01 3E 09 05 3F",
         Ack(kAnalogOutput101, Property(513, "Unknown Enumeration Value (513)"), "", "<UnknownAPDU />"),
         {"BACnetDatatypeLookup::GetDatatype: Error - Proprietary Properties not yet implemented",
          "BACnetAbstractSyntaxType::ObjectFactory: Error - unknown datatype=[119]"}},
    };
    for (const GoldenRow& row : rows) {
        SCOPED_TRACE(row.label);
        const Octets octets = ParseHex(row.octets);
        if (row.xml.find("UnknownAPDU") != std::string::npos) {
            // A raw value cannot be written again: decode and render only.
            auto value = row.make();
            StackErrorLogCapture log;
            ASSERT_EQ(DecodeExact(*value, octets, nullptr), octets.size());
            EXPECT_EQ(Xml(*value), row.xml);
            EXPECT_EQ(Reports(log), row.decodeReports);
            continue;
        }
        CheckRoundTrip(row.make, octets, row.xml, 0, row.decodeReports);
    }
}

TEST(ReadProperty, DecodeFailuresReportAndLeaveTheValueEmpty) {
    CheckDecodeFailures({
        {"request null buffer", Make<BACnetReadPropertyRequest>(), {},
         {"BACnetReadPropertyRequest::Decode: Invalid parameters"}, Reject(0)},
        {"request without object", Make<BACnetReadPropertyRequest>(), ParseHex("19 4D"),
         {"BACnetPrimitiveBase::DecodeWithContext: Invalid Tag Number",
          "BACnetReadPropertyRequest::Decode: Failed to decode objectIdentifier"},
         Reject(4)},
        {"request without property", Make<BACnetReadPropertyRequest>(), ParseHex("0C 02 00 00 08"),
         {"BACnetPrimitiveBase::DecodeWithContext: Invalid parameters ",
          "BACnetReadPropertyRequest::Decode: Failed to decode propertyIdentifier"},
         Reject(0)},
        {"request with the object cut", Make<BACnetReadPropertyRequest>(), ParseHex("0C 02 00 00"),
         {"BACnetPrimitiveObjectIdentifier::Decode: Message is to short. ",
          "BACnetPrimitiveBase::DecodeWithContext: Could not decode the primitive",
          "BACnetReadPropertyRequest::Decode: Failed to decode objectIdentifier"},
         Reject(4)},
        {"ack null buffer", Make<BACnetReadPropertyACK>(), {}, {"BACnetReadPropertyACK::Decode: Invalid parameters"},
         Reject(0)},
        {"ack without value", Make<BACnetReadPropertyACK>(), ParseHex("0C 00 40 00 65 19 55"),
         {"BACnetAbstractSyntaxType::DecodeByDatatype: Invalid parameters",
          "BACnetReadPropertyACK::Decode: Failed to decode propertyValue"},
         Reject(0)},
        {"ack without closing tag 3", Make<BACnetReadPropertyACK>(), ParseHex("0C 00 40 00 65 19 55 3E 44 42 C8 00 00"),
         {"BACnetAbstractSyntaxType::DecodeByDatatype: Error Decoding closing tag ",
          "BACnetReadPropertyACK::Decode: Failed to decode propertyValue"},
         kNoOutcome},
        {"ack value in tag 4", Make<BACnetReadPropertyACK>(), ParseHex("0C 00 40 00 65 19 55 4E 44 42 C8 00 00 4F"),
         {"BACnetTag::DecodeAndCheckOpeningTag: Not an opening tag with the correct tag number=[3]",
          "BACnetAbstractSyntaxType::DecodeByDatatype: Error Decoding opening tag ",
          "BACnetReadPropertyACK::Decode: Failed to decode propertyValue"},
         kNoOutcome},
        {"ack with a value of the wrong datatype", Make<BACnetReadPropertyACK>(),
         ParseHex("0C 00 40 00 65 19 55 3E 21 05 3F"),
         {"BACnetPrimitiveREAL::Decode: Invalid application tag",
          "BACnetAbstractSyntaxType::DecodeByDatatype: Error failed to decode",
          "BACnetReadPropertyACK::Decode: Failed to decode propertyValue"},
         Reject(4)},
        {"ack of a proprietary property with an application value", Make<BACnetReadPropertyACK>(),
         ParseHex("0C 00 40 00 65 1A 02 01 3E 44 45 E5 3D 33 3F"),
         {"BACnetDatatypeLookup::GetDatatype: Error - Proprietary Properties not yet implemented",
          "BACnetAbstractSyntaxType::ObjectFactory: Error - unknown datatype=[119]",
          "BACnetStackUnknownAPDU::Decode: Error - not a context tag",
          "BACnetAbstractSyntaxType::DecodeByDatatype: Error failed to decode",
          "BACnetReadPropertyACK::Decode: Failed to decode propertyValue"},
         kNoOutcome},
    });
}

TEST(ReadProperty, EveryCutFailsOrStaysInside) {
    const char* vectors[] = {
        "0C 02 00 00 08 19 4D 29 00",
        "0C 00 40 00 65 19 57 3E 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 3F",
        "0C 02 00 00 08 19 4C 3E C4 02 00 00 08 C4 00 00 00 01 3F",
    };
    StackErrorLogCapture quiet;
    for (const char* vector : vectors) {
        const Octets octets = ParseHex(vector);
        for (size_t cut = 0; cut < octets.size(); ++cut) {
            const Octets part(octets.begin(), octets.begin() + static_cast<long>(cut));
            BACnetReadPropertyRequest request;
            BACnetReadPropertyACK ack;
            const uint16_t requestUsed = DecodeExact(request, part, nullptr);
            const uint16_t ackUsed = DecodeExact(ack, part, nullptr);
            EXPECT_LE(requestUsed, cut) << vector << " cut " << cut;
            EXPECT_EQ(ackUsed, 0) << vector << " cut " << cut;
            EXPECT_FALSE(ack.IsValid());
        }
    }
}

TEST(ReadProperty, SettersBuildWhatTheWireCarries) {
    const BACnetPrimitiveObjectIdentifier device(8, 8);
    const BACnetPrimitiveObjectIdentifier noObject;
    const BACnetPropertyIdentifier objectName(77);
    const BACnetPropertyIdentifier noProperty;
    const BACnetPrimitiveUINT index(2);
    const BACnetPrimitiveUINT noIndex;
    struct Row {
        const char* label;
        const BACnetPrimitiveObjectIdentifier& object;
        const BACnetPrimitiveENUM& property;
        const BACnetPrimitiveUINT* index;
        std::vector<std::string> reports;
        const char* octets;
    };
    const Row rows[] = {
        {"request", device, objectName, nullptr, {}, "0C 02 00 00 08 19 4D"},
        {"request with index", device, objectName, &index, {}, "0C 02 00 00 08 19 4D 29 02"},
        {"empty object", noObject, objectName, nullptr,
         {"BACnetReadPropertyRequest::SetObjectIdentifier: Failed to set the object identifier",
          "BACnetReadPropertyRequest::SetReadPropertyRequest: Failed to set the read proeprty request"},
         nullptr},
        {"empty property", device, noProperty, nullptr,
         {"BACnetReadPropertyRequest::SetPropertyIdentifier: Failed to set the property identifier",
          "BACnetReadPropertyRequest::SetReadPropertyRequest: Failed to set the read proeprty request"},
         nullptr},
        {"empty index", device, objectName, &noIndex,
         {"BACnetReadPropertyRequest::SetPropertyArrayIndex: Failed to set the property array index",
          "BACnetReadPropertyRequest::SetReadPropertyRequest: Failed to set the read proeprty request"},
         nullptr},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.label);
        BACnetReadPropertyRequest request;
        StackErrorLogCapture log;
        EXPECT_EQ(request.SetReadPropertyRequest(row.object, row.property, row.index), row.octets != nullptr);
        EXPECT_EQ(Reports(log), row.reports);
        EXPECT_EQ(request.IsValid(), row.octets != nullptr);
        if (row.octets == nullptr) continue;
        Octets out(16, 0);
        const uint16_t written = request.Encode(out.data(), static_cast<uint16_t>(out.size()), nullptr);
        EXPECT_EQ(HexText(out.data(), written), row.octets);
    }

    BACnetAbstractSyntaxType value(3);
    ASSERT_TRUE(value.AddValueAndTakeOwnership(std::make_unique<BACnetPrimitiveREAL>(72.5f)));
    BACnetReadPropertyACK ack;
    StackErrorLogCapture log;
    ASSERT_TRUE(ack.SetReadPropertyACK(0, 1, 85, std::nullopt, value));
    Octets out(32, 0);
    uint16_t written = ack.Encode(out.data(), static_cast<uint16_t>(out.size()), nullptr);
    EXPECT_EQ(HexText(out.data(), written), "0C 00 00 00 01 19 55 3E 44 42 91 00 00 3F");
    ASSERT_TRUE(ack.SetReadPropertyACK(8, 8, 76, 0, value));
    written = ack.Encode(out.data(), static_cast<uint16_t>(out.size()), nullptr);
    EXPECT_EQ(HexText(out.data(), written), "0C 02 00 00 08 19 4C 29 00 3E 44 42 91 00 00 3F");
    EXPECT_EQ(log.Text(), "");

    const BACnetAbstractSyntaxType notDecoded(3);
    EXPECT_FALSE(ack.SetReadPropertyACK(0, 1, 85, std::nullopt, notDecoded));
    EXPECT_FALSE(ack.IsValid());
    EXPECT_FALSE(ack.SetReadPropertyACK(noObject, objectName, nullptr, value));
    EXPECT_EQ(Reports(log), (std::vector<std::string>{
                                "BACnetReadPropertyACK::SetReadPropertyACK: Failed to set the read property ack",
                                "BACnetReadPropertyACK::SetObjectIdentifier: Failed to set the object identifier",
                                "BACnetReadPropertyACK::SetReadPropertyACK: Failed to set the read property ack"}));
    log.Clear();
    EXPECT_EQ(ack.Encode(out.data(), static_cast<uint16_t>(out.size()), nullptr), 0);
    EXPECT_EQ(Reports(log), std::vector<std::string>{"BACnetReadPropertyACK::Encode: Invalid BACnetPropertyReference "
                                                      "object"});
}

TEST(ReadProperty, EncodeFailuresReportEachMember) {
    BACnetAbstractSyntaxType value(3);
    ASSERT_TRUE(value.AddValueAndTakeOwnership(std::make_unique<BACnetPrimitiveREAL>(72.5f)));
    BACnetReadPropertyACK ack;
    ASSERT_TRUE(ack.SetReadPropertyACK(0, 1, 85, 3, value));
    BACnetReadPropertyRequest request;
    request.SetReadPropertyRequest(0, 1, 85, 3);
    struct Row {
        const char* label;
        ICodable& value;
        uint16_t room;
        std::vector<std::string> reports;
    };
    const Row rows[] = {
        {"request object", request, 3,
         {"BACnetPrimitiveObjectIdentifier::Encode: Not enough space to encode this object",
          "BACnetPrimitiveBase::EncodeWithContext: Error encoding primitive",
          "BACnetReadPropertyRequest::Encode: Failed to encode objectIdentifier"}},
        {"request property", request, 6,
         {"BACnetPrimitiveENUM::Encode: Not enough space to encode this object",
          "BACnetPrimitiveBase::EncodeWithContext: Error encoding primitive",
          "BACnetReadPropertyRequest::Encode: Failed to encode propertyIdentifier"}},
        {"request index", request, 8,
         {"BACnetPrimitiveUINT::Encode: Not enough space to encode this object",
          "BACnetPrimitiveBase::EncodeWithContext: Error encoding primitive",
          "BACnetReadPropertyRequest::Encode: Failed to encode propertyArrayIndex"}},
        {"ack value", ack, 12,
         {"BACnetPrimitiveREAL::Encode: Not enough space to encode this object",
          "BACnetAbstractSyntaxType::Encode: Error encoding object at offset=[0]",
          "BACnetObjectBase::EncodeWithContext: Error encoding the constructed object",
          "BACnetReadPropertyACK::Encode: Failed to encode propertyValue"}},
        {"ack closing tag", ack, 15,
         {"BACnetObjectBase::EncodeWithContext: Error encoding closing tag for context=3",
          "BACnetReadPropertyACK::Encode: Failed to encode propertyValue"}},
        {"ack null buffer", ack, 0, {"BACnetReadPropertyACK::Encode: Invalid parameters"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.label);
        Octets out(static_cast<size_t>(row.room) + 1, 0xA5);
        StackErrorLogCapture log;
        EXPECT_EQ(row.value.Encode(row.room == 0 ? nullptr : out.data(), row.room, nullptr), 0);
        EXPECT_EQ(Reports(log), row.reports);
        EXPECT_EQ(out[row.room], 0xA5);
    }
}

}  // namespace
}  // namespace ZalvoBACnetStack
