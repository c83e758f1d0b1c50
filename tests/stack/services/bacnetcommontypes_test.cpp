// The small constructed types shared by the services: address, date-time,
// property reference and object property reference. Wire octets -> XML ->
// wire octets, optional members present and absent, every decode and
// encode failure with its exact reports and outcome, and the setters.
#include <gtest/gtest.h>

#include "readservicestestsupport.h"
#include "services/bacnetaddress.h"
#include "services/bacnetdatetime.h"
#include "services/bacnetobjectpropertyreference.h"
#include "services/bacnetpropertyreference.h"

namespace ZalvoBACnetStack {
namespace {
using namespace ReadServicesTest;

struct GoldenRow {
    const char* label;
    Maker make;
    const char* octets;
    const char* xml;
    size_t spareRoom;
};

TEST(CommonTypes, GoldenVectorsDecodeRenderAndReencode) {
    const GoldenRow rows[] = {
        {"address with MAC", Make<BACnetAddress>(), "21 05 62 0A 01",
         "<Address><NetworkNumber datatype='2' value='5'>5</NetworkNumber>"
         "<MacAddress datatype='6' length='2'>0x0A01</MacAddress></Address>",
         1},
        {"broadcast address", Make<BACnetAddress>(), "22 FF FF 60",
         "<Address><NetworkNumber datatype='2' value='65535'>65535</NetworkNumber>"
         "<MacAddress datatype='6' length='0' /></Address>",
         1},
        {"IPv4 address", Make<BACnetAddress>(), "21 00 65 06 C0 A8 01 0A BA C0",
         "<Address><NetworkNumber datatype='2' value='0'>0</NetworkNumber>"
         "<MacAddress datatype='6' length='6'>0xC0A8010ABAC0</MacAddress></Address>",
         1},
        {"date-time", Make<BACnetDateTime>(), "A4 7C 03 05 02 B4 0E 05 03 07",
         "<DateTime><Date datatype='10' day='5' month='3' weekday='2' year='124'>March, 5, 2024, Tuesday</Date>"
         "<Time datatype='11' hour='14' hundrethSeconds='7' minute='5' second='3'>14:5:3.7</Time></DateTime>",
         0},
        {"unspecified date-time", Make<BACnetDateTime>(), "A4 FF FF FF FF B4 FF FF FF FF",
         "<DateTime><Date datatype='10' day='255' month='255' weekday='255' year='255'>Unspecified Month, "
         "Unspecified Day, Unspecified Year, Unspecified Day of Week</Date>"
         "<Time datatype='11' hour='255' hundrethSeconds='255' minute='255' second='255'>255:255:255.255</Time>"
         "</DateTime>",
         0},
        {"property reference", Make<BACnetPropertyReference>(), "09 55",
         "<PropertyReference><PropertyIdentifier context='0' datatype='9' value='85'>presentValue"
         "</PropertyIdentifier></PropertyReference>",
         0},
        {"property reference with index", Make<BACnetPropertyReference>(), "09 57 19 10",
         "<PropertyReference><PropertyIdentifier context='0' datatype='9' value='87'>priorityArray"
         "</PropertyIdentifier><PropertyArrayIndex context='1' datatype='2' value='16'>16</PropertyArrayIndex>"
         "</PropertyReference>",
         0},
        {"proprietary property reference", Make<BACnetPropertyReference>(), "0A 02 00",
         "<PropertyReference><PropertyIdentifier context='0' datatype='9' value='512'>Unknown Enumeration "
         "Value (512)</PropertyIdentifier></PropertyReference>",
         0},
        {"object property reference", Make<BACnetObjectPropertyReference>(), "0C 00 00 00 01 19 55",
         "<ObjectPropertyReference><ObjectIdentifier context='0' datatype='12' objectInstance='1' "
         "objectType='0'>analogInput, 1</ObjectIdentifier><PropertyIdentifier context='1' datatype='9' "
         "value='85'>presentValue</PropertyIdentifier></ObjectPropertyReference>",
         0},
        {"object property reference with index", Make<BACnetObjectPropertyReference>(), "0C 02 00 00 08 19 4C 29 00",
         "<ObjectPropertyReference><ObjectIdentifier context='0' datatype='12' objectInstance='8' "
         "objectType='8'>device, 8</ObjectIdentifier><PropertyIdentifier context='1' datatype='9' "
         "value='76'>objectList</PropertyIdentifier><PropertyArrayIndex context='2' datatype='2' value='0'>0"
         "</PropertyArrayIndex></ObjectPropertyReference>",
         0},
    };
    for (const GoldenRow& row : rows) {
        SCOPED_TRACE(row.label);
        CheckRoundTrip(row.make, ParseHex(row.octets), row.xml, row.spareRoom);
    }
}

TEST(CommonTypes, OptionalIndexIsLeftForWhatFollows) {
    // The optional index is only taken from its own tag; the next field of
    // an enclosing list stays unread.
    struct Row {
        const char* label;
        Maker make;
        const char* octets;
        uint16_t consumed;
    };
    const Row rows[] = {
        {"reference followed by another", Make<BACnetPropertyReference>(), "09 55 09 4D", 2},
        {"reference followed by closing tag", Make<BACnetPropertyReference>(), "09 55 1F", 2},
        {"reference with index then closing tag", Make<BACnetPropertyReference>(), "09 55 19 02 1F", 4},
        {"object reference followed by tag 3", Make<BACnetObjectPropertyReference>(), "0C 00 00 00 01 19 55 39 01",
         7},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.label);
        StackErrorLogCapture log;
        auto value = row.make();
        BACnetErrorOutcome outcome;
        EXPECT_EQ(DecodeExact(*value, ParseHex(row.octets), &outcome), row.consumed);
        EXPECT_TRUE(value->IsValid());
        EXPECT_FALSE(outcome.set);
        EXPECT_EQ(log.Text(), "");
    }
}

TEST(CommonTypes, DecodeFailuresReportAndLeaveTheValueEmpty) {
    CheckDecodeFailures({
        {"address null buffer", Make<BACnetAddress>(), {}, {"BACnetAddress::Decode: Invalid prameters"}, Reject(0)},
        {"address context-tagged network", Make<BACnetAddress>(), ParseHex("09 05 60"),
         {"BACnetAddress::Decode: Failed to decode networkNumber"}, Reject(4)},
        {"address without MAC", Make<BACnetAddress>(), ParseHex("21 05"),
         {"BACnetAddress::Decode: Failed to decode macAddress"}, Abort(0)},
        {"address MAC cut short", Make<BACnetAddress>(), ParseHex("21 05 62 0A"),
         {"BACnetPrimitiveOctSTRING::Decode: Not enough bytes to read",
          "BACnetAddress::Decode: Failed to decode macAddress"},
         Reject(0)},
        {"date-time null buffer", Make<BACnetDateTime>(), {}, {"BACnetDateTime::Decode: Invalid parameters"},
         Reject(0)},
        {"date-time starting with a time", Make<BACnetDateTime>(), ParseHex("B4 0E 05 03 07 B4 0E 05 03 07"),
         {"BACnetPrimitiveDATE::Decode: Invalid application tag", "BACnetDateTime::Decode: Failed to decode date"},
         Reject(4)},
        {"date-time without time", Make<BACnetDateTime>(), ParseHex("A4 7C 03 05 02"),
         {"BACnetDateTime::Decode: Failed to decode time"}, Reject(0)},
        {"date-time with hour 24", Make<BACnetDateTime>(), ParseHex("A4 7C 03 05 02 B4 18 05 03 07"),
         {"BACnetDateTime::Decode: Failed to decode time"}, kNoOutcome},
        {"property reference null buffer", Make<BACnetPropertyReference>(), {},
         {"BACnetPropertyReference::Decode: Invalid parameters "}, Reject(0)},
        {"property reference with tag 1 first", Make<BACnetPropertyReference>(), ParseHex("19 55"),
         {"BACnetPrimitiveBase::DecodeWithContext: Invalid Tag Number",
          "BACnetPropertyReference::Decode: Failed to decode property identifier"},
         Reject(4)},
        {"property reference on a closing tag", Make<BACnetPropertyReference>(), ParseHex("1F"),
         {"BACnetPrimitiveBase::DecodeWithContext: Invalid Tag Number",
          "BACnetPropertyReference::Decode: Failed to decode property identifier"},
         Reject(4)},
        {"property identifier cut short", Make<BACnetPropertyReference>(), ParseHex("0A 02"),
         {"BACnetPrimitiveENUM::Decode: Message is to short. ",
          "BACnetPrimitiveBase::DecodeWithContext: Could not decode the primitive",
          "BACnetPropertyReference::Decode: Failed to decode property identifier"},
         Reject(4)},
        {"object reference null buffer", Make<BACnetObjectPropertyReference>(), {},
         {"BACnetObjectPropertyReference::Decode: Invalid parameters"}, Reject(0)},
        {"object reference without object", Make<BACnetObjectPropertyReference>(), ParseHex("19 55"),
         {"BACnetPrimitiveBase::DecodeWithContext: Invalid Tag Number",
          "BACnetObjectPropertyReference::Decode: Failed to decode objectIdentifier"},
         Reject(4)},
        {"object reference without property", Make<BACnetObjectPropertyReference>(), ParseHex("0C 00 00 00 01"),
         {"BACnetPrimitiveBase::DecodeWithContext: Invalid parameters ",
          "BACnetObjectPropertyReference::Decode: Failed to decode propertyIdentifier"},
         Reject(0)},
        {"object reference with application property", Make<BACnetObjectPropertyReference>(),
         ParseHex("0C 00 00 00 01 91 55"),
         {"BACnetPrimitiveBase::DecodeWithContext: Invalid Tag Number",
          "BACnetObjectPropertyReference::Decode: Failed to decode propertyIdentifier"},
         Reject(4)},
    });
}

TEST(CommonTypes, EncodeFailuresReportAndWriteNothingPastTheRoom) {
    const auto address = [] { return std::unique_ptr<BACnetObjectBase>(new BACnetAddress(5, {0x0A, 0x01})); };
    const auto dateTime = [] {
        return std::unique_ptr<BACnetObjectBase>(
            new BACnetDateTime(BACnetPrimitiveDATE(124, 3, 5, 2), BACnetPrimitiveTIME(14, 5, 3, 7)));
    };
    const auto reference = [] { return std::unique_ptr<BACnetObjectBase>(new BACnetPropertyReference(85, 3)); };
    const auto objectReference = [] {
        auto value = std::make_unique<BACnetObjectPropertyReference>();
        value->SetObjectPropertyReference(0, 1, 85, 2);
        return std::unique_ptr<BACnetObjectBase>(std::move(value));
    };
    const std::vector<EncodeFailureRow> rows = {
        {"address null buffer", address, true, 10, {"BACnetAddress::Encode: Invalid parameters"}, Abort(0)},
        {"empty address", Make<BACnetAddress>(), false, 10,
         {"BACnetAddress::Encode: Invalid BACnetPropertyReference object"}, Abort(0)},
        {"address without room for the MAC", address, false, 3,
         {"BACnetPrimitiveOctSTRING::Encode: Not enough space to encode this object",
          "BACnetAddress::Encode: Failed to decode macAddress"},
         Abort(4)},
        {"address without room for the network", address, false, 1,
         {"BACnetPrimitiveUINT::Encode: Not enough space to encode this object",
          "BACnetAddress::Encode: Failed to decode networkNumber"},
         Abort(4)},
        {"date-time zero room", dateTime, false, 0, {"BACnetDateTime::Encode: Invalid parameters"}, Abort(0)},
        {"empty date-time", Make<BACnetDateTime>(), false, 10, {"BACnetDateTime::Encode: Invalid DateTime object"},
         Abort(0)},
        {"date-time without room for the time", dateTime, false, 7,
         {"BACnetPrimitiveTIME::Encode: Not enough space to encode this object",
          "BACnetDateTime::Encode: Failed to encode time"},
         Abort(4)},
        {"date-time without room for the date", dateTime, false, 2,
         {"BACnetPrimitiveDATE::Encode: Not enough space to encode this object",
          "BACnetDateTime::Encode: Failed to encode date"},
         Abort(4)},
        {"reference null buffer", reference, true, 4, {"BACnetPropertyReference::Encode: Invalid parameters"},
         Abort(0)},
        {"empty reference", Make<BACnetPropertyReference>(), false, 4,
         {"BACnetPropertyReference::Encode: Invalid BACnetPropertyReference object"}, Abort(0)},
        {"reference without room for the index", reference, false, 2,
         {"BACnetPrimitiveBase::EncodeWithContext: Invalid parameters",
          "BACnetPropertyReference::Encode: Unable to encode the property array index"},
         Abort(0)},
        {"reference cramped index", reference, false, 3,
         {"BACnetPrimitiveUINT::Encode: Not enough space to encode this object",
          "BACnetPrimitiveBase::EncodeWithContext: Error encoding primitive",
          "BACnetPropertyReference::Encode: Unable to encode the property array index"},
         Abort(4)},
        {"reference cramped identifier", reference, false, 1,
         {"BACnetPrimitiveENUM::Encode: Not enough space to encode this object",
          "BACnetPrimitiveBase::EncodeWithContext: Error encoding primitive",
          "BACnetPropertyReference::Encode: Unable to encode the property identifier"},
         Abort(4)},
        {"object reference null buffer", objectReference, true, 9,
         {"BACnetObjectPropertyReference::Encode: Invalid parameters"}, Abort(0)},
        {"empty object reference", Make<BACnetObjectPropertyReference>(), false, 9,
         {"BACnetObjectPropertyReference::Encode: Invalid BACnetPropertyReference object"}, Abort(0)},
        {"object reference cramped object", objectReference, false, 4,
         {"BACnetPrimitiveObjectIdentifier::Encode: Not enough space to encode this object",
          "BACnetPrimitiveBase::EncodeWithContext: Error encoding primitive",
          "BACnetObjectPropertyReference::Encode: Unable to encode the objectIdentifier"},
         Abort(4)},
        {"object reference cramped property", objectReference, false, 6,
         {"BACnetPrimitiveENUM::Encode: Not enough space to encode this object",
          "BACnetPrimitiveBase::EncodeWithContext: Error encoding primitive",
          "BACnetObjectPropertyReference::Encode: Unable to encode the propertyIdentifier"},
         Abort(4)},
        {"object reference cramped index", objectReference, false, 8,
         {"BACnetPrimitiveUINT::Encode: Not enough space to encode this object",
          "BACnetPrimitiveBase::EncodeWithContext: Error encoding primitive",
          "BACnetObjectPropertyReference::Encode: Unable to encode the propertyArrayIndex"},
         Abort(4)},
    };
    CheckEncodeFailures(rows);
}

TEST(CommonTypes, BuiltValuesEncodeLikeDecodedOnes) {
    struct Row {
        const char* label;
        std::function<std::unique_ptr<BACnetObjectBase>()> make;
        const char* octets;
    };
    const Row rows[] = {
        {"address", [] { return std::unique_ptr<BACnetObjectBase>(new BACnetAddress(2001, {0x05})); },
         "22 07 D1 61 05"},
        {"date-time",
         [] {
             return std::unique_ptr<BACnetObjectBase>(
                 new BACnetDateTime(BACnetPrimitiveDATE(124, 3, 5, 2), BACnetPrimitiveTIME(14, 5, 3, 7)));
         },
         "A4 7C 03 05 02 B4 0E 05 03 07"},
        {"reference", [] { return std::unique_ptr<BACnetObjectBase>(new BACnetPropertyReference(77)); }, "09 4D"},
        {"reference with index",
         [] { return std::unique_ptr<BACnetObjectBase>(new BACnetPropertyReference(371, 300)); },
         "0A 01 73 1A 01 2C"},
        {"object reference",
         [] {
             auto value = std::make_unique<BACnetObjectPropertyReference>();
             value->SetObjectPropertyReference(8, 4194303, 76, std::nullopt);
             return std::unique_ptr<BACnetObjectBase>(std::move(value));
         },
         "0C 02 3F FF FF 19 4C"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.label);
        CheckBuiltValue(row.make, row.octets, true);
    }
}

TEST(CommonTypes, EqualityComparesEveryMemberAndTheOptionalIndex) {
    BACnetPropertyReference plain(85);
    BACnetPropertyReference indexed(85, 0);
    BACnetPropertyReference other(77);
    BACnetAddress address(5, {1});
    EXPECT_TRUE(plain.IsEqual(&plain));
    EXPECT_FALSE(plain.IsEqual(&indexed));
    EXPECT_FALSE(indexed.IsEqual(&plain));
    EXPECT_FALSE(plain.IsEqual(&other));
    EXPECT_FALSE(plain.IsEqual(&address));
    EXPECT_FALSE(plain.IsEqual(nullptr));
    EXPECT_FALSE(address.IsEqual(std::make_unique<BACnetAddress>(5, std::vector<uint8_t>{2}).get()));
    EXPECT_TRUE(address.IsEqual(std::make_unique<BACnetAddress>(5, std::vector<uint8_t>{1}).get()));

    BACnetObjectPropertyReference left;
    BACnetObjectPropertyReference right;
    left.SetObjectPropertyReference(0, 1, 85);
    right.SetObjectPropertyReference(0, 2, 85);
    EXPECT_FALSE(left.IsEqual(&right));
    right.SetObjectPropertyReference(0, 1, 85);
    EXPECT_TRUE(left.IsEqual(&right));
    right.SetObjectPropertyReference(0, 1, 85, 1);
    EXPECT_FALSE(left.IsEqual(&right));
}

TEST(CommonTypes, ObjectPropertyReferenceSettersRefuseEmptyParts) {
    const BACnetPrimitiveObjectIdentifier object(0, 7);
    const BACnetPrimitiveObjectIdentifier noObject;
    const BACnetPropertyIdentifier property(85);
    const BACnetPropertyIdentifier noProperty;
    const BACnetPrimitiveUINT index(4);
    const BACnetPrimitiveUINT noIndex;
    struct Row {
        const char* label;
        const BACnetPrimitiveObjectIdentifier& object;
        const BACnetPrimitiveENUM& property;
        const BACnetPrimitiveUINT* index;
        std::vector<std::string> reports;
    };
    const Row rows[] = {
        {"all parts", object, property, &index, {}},
        {"no index", object, property, nullptr, {}},
        {"empty object", noObject, property, nullptr,
         {"BACnetObjectPropertyReference::SetObjectIdentifier: Failed to set the value for the object Identifier",
          "BACnetObjectPropertyReference::SetObjectPropertyReference: Failed to set the object identifier"}},
        {"empty property", object, noProperty, nullptr,
         {"BACnetObjectPropertyReference::SetPropertyIdentifier: Failed to set the value for the property identifier",
          "BACnetObjectPropertyReference::SetObjectPropertyReference: Failed to set the property identifier"}},
        {"empty index", object, property, &noIndex,
         {"BACnetObjectPropertyReference::SetPropertyArrayIndex: Failed to set the value for the property array "
          "index",
          "BACnetObjectPropertyReference::SetObjectPropertyReference: Failed to set the property array index"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.label);
        BACnetObjectPropertyReference reference;
        StackErrorLogCapture log;
        EXPECT_EQ(reference.SetObjectPropertyReference(row.object, row.property, row.index), row.reports.empty());
        EXPECT_EQ(reference.IsValid(), row.reports.empty());
        EXPECT_EQ(Reports(log), row.reports);
        if (row.reports.empty()) {
            EXPECT_EQ(reference.GetObjectIdentifier().GetInstance(), 7u);
            EXPECT_EQ(reference.GetPropertyIdentifier().GetValue(), 85u);
            EXPECT_EQ(reference.HasPropertyArrayIndex(), row.index != nullptr);
        }
    }

    BACnetObjectPropertyReference source;
    source.SetObjectPropertyReference(object, property, &index);
    BACnetObjectPropertyReference copy;
    StackErrorLogCapture log;
    EXPECT_TRUE(copy.SetObjectPropertyReference(source));
    EXPECT_TRUE(copy.IsEqual(&source));
    EXPECT_FALSE(copy.SetObjectPropertyReference(BACnetObjectPropertyReference()));
    EXPECT_EQ(Reports(log), std::vector<std::string>{"BACnetObjectPropertyReference::SetObjectPropertyReference: "
                                                      "Failed to set the object property reference"});
    EXPECT_TRUE(copy.IsEqual(&source));
}

TEST(CommonTypes, DateTimeSetterRefusesEmptyParts) {
    BACnetDateTime value;
    EXPECT_FALSE(value.SetDateTime(BACnetPrimitiveDATE(), BACnetPrimitiveTIME(1, 2, 3, 4)));
    EXPECT_FALSE(value.SetDateTime(BACnetPrimitiveDATE(124, 1, 1, 1), BACnetPrimitiveTIME()));
    EXPECT_FALSE(value.IsValid());
    EXPECT_TRUE(value.SetDateTime(BACnetPrimitiveDATE(124, 1, 1, 1), BACnetPrimitiveTIME(1, 2, 3, 4)));
    EXPECT_TRUE(value.IsValid());
    EXPECT_EQ(value.GetTime().GetSecond(), 3);
}

}  // namespace
}  // namespace ZalvoBACnetStack
