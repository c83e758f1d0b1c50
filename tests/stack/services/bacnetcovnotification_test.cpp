// Confirmed and unconfirmed COV notifications and the property value list
// they carry: wire octets -> XML -> wire octets, every member missing or
// broken with its exact reports and outcome, and the setters.
#include <gtest/gtest.h>

#include "readservicestestsupport.h"
#include "services/bacnetconfirmedcovnotificationrequest.h"
#include "services/bacnetpropertyvaluelist.h"
#include "services/bacnetunconfirmedcovnotificationrequest.h"

namespace ZalvoBACnetStack {
namespace {
using namespace ReadServicesTest;

// Captured from a real device: process 1, device 1234 reports analog-output
// 1 (present-value 0.0, status-flags) with 599 s left.
constexpr const char* kConfirmedOctets =
    "09 01 1C 02 00 04 D2 2C 00 40 00 01 3A 02 57 4E 09 55 2E 44 00 00 00 00 2F 09 6F 2E 82 04 00 2F 4F";
// Captured: process 1, device 2 reports binary-input 4 (present-value 100.0), 5 s left.
constexpr const char* kUnconfirmedOctets =
    "09 01 1C 02 00 00 02 2C 00 C0 00 04 39 05 4E 09 55 2E 44 42 C8 00 00 2F 4F";

constexpr const char* kConfirmedChildrenXml =
    "<SubscriberProcessIdentifier context='0' datatype='2' value='1'>1</SubscriberProcessIdentifier>"
    "<InitiatingDeviceIdentifier context='1' datatype='12' objectInstance='1234' objectType='8'>device, 1234"
    "</InitiatingDeviceIdentifier><MonitoredObjectIdentifier context='2' datatype='12' objectInstance='1' "
    "objectType='1'>analogOutput, 1</MonitoredObjectIdentifier><TimeRemaining context='3' datatype='2' "
    "value='599'>599</TimeRemaining><ListOfValues context='4' count='2'><PropertyValue><PropertyIdentifier "
    "context='0' datatype='9' value='85'>presentValue</PropertyIdentifier><Value context='2'><Real datatype='4' "
    "value='0'>0</Real></Value></PropertyValue><PropertyValue><PropertyIdentifier context='0' datatype='9' "
    "value='111'>statusFlags</PropertyIdentifier><Value context='2'><BitString datatype='8' length='4' "
    "unusedBits='4'>b0000</BitString></Value></PropertyValue></ListOfValues>";

struct GoldenRow {
    const char* label;
    Maker make;
    const char* octets;
    std::string xml;
};

TEST(COVNotifications, GoldenVectorsDecodeRenderAndReencode) {
    const GoldenRow rows[] = {
        {"confirmed, captured", Make<BACnetConfirmedCOVNotificationRequest>(), kConfirmedOctets,
         std::string("<ConfirmedCOVNotificationRequest>") + kConfirmedChildrenXml +
             "</ConfirmedCOVNotificationRequest>"},
        {"unconfirmed, the same data", Make<BACnetUnconfirmedCOVNotificationRequest>(), kConfirmedOctets,
         std::string("<UnconfirmedCOVNotificationRequest>") + kConfirmedChildrenXml +
             "</UnconfirmedCOVNotificationRequest>"},
        {"unconfirmed, captured", Make<BACnetUnconfirmedCOVNotificationRequest>(), kUnconfirmedOctets,
         "<UnconfirmedCOVNotificationRequest><SubscriberProcessIdentifier context='0' datatype='2' value='1'>1"
         "</SubscriberProcessIdentifier><InitiatingDeviceIdentifier context='1' datatype='12' objectInstance='2' "
         "objectType='8'>device, 2</InitiatingDeviceIdentifier><MonitoredObjectIdentifier context='2' "
         "datatype='12' objectInstance='4' objectType='3'>binaryInput, 4</MonitoredObjectIdentifier>"
         "<TimeRemaining context='3' datatype='2' value='5'>5</TimeRemaining><ListOfValues context='4' count='1'>"
         "<PropertyValue><PropertyIdentifier context='0' datatype='9' value='85'>presentValue</PropertyIdentifier>"
         "<Value context='2'><Real datatype='4' value='100'>100</Real></Value></PropertyValue></ListOfValues>"
         "</UnconfirmedCOVNotificationRequest>"},
        {"no values, an array index and a priority", Make<BACnetConfirmedCOVNotificationRequest>(),
         "09 07 1C 02 00 00 09 2C 00 00 00 02 39 00 4E 09 57 19 10 2E 00 2F 39 10 4F",
         "<ConfirmedCOVNotificationRequest><SubscriberProcessIdentifier context='0' datatype='2' value='7'>7"
         "</SubscriberProcessIdentifier><InitiatingDeviceIdentifier context='1' datatype='12' objectInstance='9' "
         "objectType='8'>device, 9</InitiatingDeviceIdentifier><MonitoredObjectIdentifier context='2' "
         "datatype='12' objectInstance='2' objectType='0'>analogInput, 2</MonitoredObjectIdentifier>"
         "<TimeRemaining context='3' datatype='2' value='0'>0</TimeRemaining><ListOfValues context='4' count='1'>"
         "<PropertyValue><PropertyIdentifier context='0' datatype='9' value='87'>priorityArray</PropertyIdentifier>"
         "<PropertyArrayIndex context='1' datatype='2' value='16'>16</PropertyArrayIndex><Value context='2'>"
         "<Null datatype='0' /></Value><Priority context='3' datatype='2' value='16'>16</Priority></PropertyValue>"
         "</ListOfValues></ConfirmedCOVNotificationRequest>"},
        {"an empty list", Make<BACnetUnconfirmedCOVNotificationRequest>(),
         "09 01 1C 02 00 00 02 2C 00 C0 00 04 39 00 4E 4F",
         "<UnconfirmedCOVNotificationRequest><SubscriberProcessIdentifier context='0' datatype='2' value='1'>1"
         "</SubscriberProcessIdentifier><InitiatingDeviceIdentifier context='1' datatype='12' objectInstance='2' "
         "objectType='8'>device, 2</InitiatingDeviceIdentifier><MonitoredObjectIdentifier context='2' "
         "datatype='12' objectInstance='4' objectType='3'>binaryInput, 4</MonitoredObjectIdentifier>"
         "<TimeRemaining context='3' datatype='2' value='0'>0</TimeRemaining><ListOfValues context='4' count='0' />"
         "</UnconfirmedCOVNotificationRequest>"},
    };
    for (const GoldenRow& row : rows) {
        SCOPED_TRACE(row.label);
        CheckRoundTrip(row.make, ParseHex(row.octets), row.xml);
    }
}

TEST(COVNotifications, DecodeReadsTheMembersAndTheValuesAsSent) {
    BACnetConfirmedCOVNotificationRequest confirmed;
    StackErrorLogCapture log;
    // Octets after the closing tag 4 belong to the caller.
    Octets octets = ParseHex(std::string(kConfirmedOctets) + " 00");
    ASSERT_EQ(DecodeExact(confirmed, octets, nullptr), octets.size() - 1);
    EXPECT_EQ(log.Text(), "");
    EXPECT_EQ(confirmed.GetServiceChoice(), 1u);
    EXPECT_EQ(confirmed.GetSubscriberProcessIdentifier().GetValue(), 1u);
    EXPECT_EQ(confirmed.GetInitiatingDeviceIdentifier().GetInstance(), 1234u);
    EXPECT_EQ(confirmed.GetMonitoredObjectIdentifier().GetObjectType(), 1);
    EXPECT_EQ(confirmed.GetTimeRemaining().GetValue(), 599u);
    ASSERT_EQ(confirmed.GetListOfValues().Size(), 2u);
    EXPECT_EQ(confirmed.GetListOfValues().At(1).GetPropertyIdentifier().GetValue(), 111u);
    EXPECT_EQ(confirmed.GetListOfValues().At(1).GetValue().At(0)->GetDatatype(), Datatype::kBitString);

    BACnetUnconfirmedCOVNotificationRequest unconfirmed;
    EXPECT_EQ(unconfirmed.GetServiceChoice(), 2u);
    ASSERT_EQ(DecodeExact(unconfirmed, ParseHex(kConfirmedOctets), nullptr), octets.size() - 1);
    // The same data in the other kind of request is not the same request.
    EXPECT_FALSE(unconfirmed.IsEqual(&confirmed));
    EXPECT_FALSE(confirmed.IsEqual(&unconfirmed));
    EXPECT_NE(confirmed.GetDatatype(), unconfirmed.GetDatatype());
}

TEST(COVNotifications, DecodeFailuresReportAndLeaveTheValueEmpty) {
    const std::string kShared = "BACnetCOVNotificationRequest::Decode: ";
    const std::string kConfirmed = "BACnetConfirmedCOVNotificationRequest::Decode: ";
    const std::string kUnconfirmed = "BACnetUnconfirmedCOVNotificationRequest::Decode: ";
    CheckDecodeFailures({
        {"confirmed null buffer", Make<BACnetConfirmedCOVNotificationRequest>(), {},
         {kConfirmed + "Invalid parameters"}, Reject(0)},
        {"unconfirmed null buffer", Make<BACnetUnconfirmedCOVNotificationRequest>(), {},
         {kUnconfirmed + "Invalid parameters"}, Reject(0)},
        {"no process", Make<BACnetConfirmedCOVNotificationRequest>(), ParseHex("1C 02 00 04 D2 2C 00 40 00 01"),
         {"BACnetPrimitiveBase::DecodeWithContext: Invalid Tag Number",
          kShared + "Failed to decode subscriberProcessIdentifier",
          kConfirmed + "Failed to decode the cov notification request"},
         Reject(4)},
        {"no initiating device", Make<BACnetUnconfirmedCOVNotificationRequest>(), ParseHex("09 01 2C 00 40 00 01"),
         {"BACnetPrimitiveBase::DecodeWithContext: Invalid Tag Number",
          kShared + "Failed to decode initiatingDeviceIdentifier",
          kUnconfirmed + "Failed to decode the cov notification request"},
         Reject(4)},
        {"no monitored object", Make<BACnetConfirmedCOVNotificationRequest>(), ParseHex("09 01 1C 02 00 04 D2"),
         {"BACnetPrimitiveBase::DecodeWithContext: Invalid parameters ",
          kShared + "Failed to decode monitoredObjectIdentifier",
          kConfirmed + "Failed to decode the cov notification request"},
         Reject(0)},
        {"no time remaining", Make<BACnetConfirmedCOVNotificationRequest>(),
         ParseHex("09 01 1C 02 00 04 D2 2C 00 40 00 01 4E 4F"),
         {"BACnetPrimitiveBase::DecodeWithContext: Invalid Tag Number", kShared + "Failed to decode timeRemaining",
          kConfirmed + "Failed to decode the cov notification request"},
         Reject(4)},
        {"no list", Make<BACnetConfirmedCOVNotificationRequest>(),
         ParseHex("09 01 1C 02 00 04 D2 2C 00 40 00 01 3A 02 57"),
         {"BACnetPropertyValueList::DecodeWithContext: Invalid parameters ",
          kShared + "Failed to decode listOfValues", kConfirmed + "Failed to decode the cov notification request"},
         Reject(0)},
        {"list without closing tag 4", Make<BACnetUnconfirmedCOVNotificationRequest>(),
         ParseHex("09 01 1C 02 00 00 02 2C 00 C0 00 04 39 05 4E 09 55 2E 44 42 C8 00 00 2F"),
         {"BACnetPropertyValueList::DecodeWithContext: Error decoding tag", kShared + "Failed to decode listOfValues",
          kUnconfirmed + "Failed to decode the cov notification request"},
         kNoOutcome},
        {"list closed by tag 3", Make<BACnetUnconfirmedCOVNotificationRequest>(),
         ParseHex("09 01 1C 02 00 00 02 2C 00 C0 00 04 39 05 4E 09 55 2E 44 42 C8 00 00 2F 3F"),
         {"BACnetPrimitiveBase::DecodeWithContext: Invalid Tag Number",
          "BACnetPropertyValue::Decode: Failed to decode propertyIdentifier",
          "BACnetPropertyValueList::DecodeWithContext: Error decoding a list item",
          kShared + "Failed to decode listOfValues",
          kUnconfirmed + "Failed to decode the cov notification request"},
         Reject(4)},
        {"list in tag 5", Make<BACnetConfirmedCOVNotificationRequest>(),
         ParseHex("09 01 1C 02 00 04 D2 2C 00 40 00 01 3A 02 57 5E 5F"),
         {"BACnetTag::DecodeAndCheckOpeningTag: Not an opening tag with the correct tag number=[4]",
          "BACnetPropertyValueList::DecodeWithContext: Error Decoding opening tag ",
          kShared + "Failed to decode listOfValues", kConfirmed + "Failed to decode the cov notification request"},
         kNoOutcome},
    });
}

std::unique_ptr<BACnetObjectBase> BuiltConfirmed() {
    BACnetAbstractSyntaxType real(2);
    const Octets octets = ParseHex("2E 44 42 C8 00 00 2F");
    EXPECT_EQ(real.DecodeWithContext(octets.data(), static_cast<uint16_t>(octets.size()), nullptr, 2), 7);
    BACnetPropertyValue value;
    EXPECT_TRUE(value.SetPropertyValue(85, std::nullopt, real));
    auto notification = std::make_unique<BACnetConfirmedCOVNotificationRequest>();
    notification->SetConfirmedCOVNotificationRequest(3, 1234, 2, 7, 60);
    EXPECT_TRUE(notification->AddPropertyValue(value));
    return notification;
}

std::unique_ptr<BACnetObjectBase> BuiltUnconfirmed() {
    BACnetPropertyValueList values;
    values.SetEmpty();
    auto notification = std::make_unique<BACnetUnconfirmedCOVNotificationRequest>();
    EXPECT_TRUE(notification->SetUnconfirmedCOVNotificationRequest(
        BACnetPrimitiveUINT(300), BACnetPrimitiveObjectIdentifier(8, 5), BACnetPrimitiveObjectIdentifier(3, 4),
        BACnetPrimitiveUINT(0), values));
    return notification;
}

TEST(COVNotifications, BuiltNotificationsEncodeLikeDecodedOnes) {
    struct Row {
        const char* label;
        Maker make;
        const char* octets;
    };
    const Row rows[] = {
        {"confirmed", BuiltConfirmed, "09 03 1C 02 00 04 D2 2C 00 80 00 07 39 3C 4E 09 55 2E 44 42 C8 00 00 2F 4F"},
        {"unconfirmed with no values", BuiltUnconfirmed, "0A 01 2C 1C 02 00 00 05 2C 00 C0 00 04 39 00 4E 4F"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.label);
        CheckBuiltValue(row.make, row.octets);
    }
}

TEST(COVNotifications, EncodeFailuresReportAndWriteNothingPastTheRoom) {
    // BuiltConfirmed: 09 03 1C 02 00 04 D2 2C 00 80 00 07 39 3C 4E 09 55 2E 44 42 C8 00 00 2F 4F (25 octets).
    const std::string kShared = "BACnetCOVNotificationRequest::Encode: ";
    const std::string kConfirmed = "BACnetConfirmedCOVNotificationRequest::Encode: ";
    const std::string kUnconfirmed = "BACnetUnconfirmedCOVNotificationRequest::Encode: ";
    const std::vector<EncodeFailureRow> rows = {
        {"confirmed null buffer", BuiltConfirmed, true, 25, {kConfirmed + "Invalid parameters"}, Abort(0)},
        {"empty confirmed", Make<BACnetConfirmedCOVNotificationRequest>(), false, 25,
         {kConfirmed + "Invalid BACnetPropertyReference object"}, Abort(0)},
        {"empty unconfirmed", Make<BACnetUnconfirmedCOVNotificationRequest>(), false, 25,
         {kUnconfirmed + "Invalid BACnetPropertyReference object"}, Abort(0)},
        {"cramped process", BuiltConfirmed, false, 1,
         {"BACnetPrimitiveUINT::Encode: Not enough space to encode this object",
          "BACnetPrimitiveBase::EncodeWithContext: Error encoding primitive",
          kShared + "Failed to encode subscriberProcessIdentifier",
          kConfirmed + "Failed to encode the cov notification request"},
         Abort(4)},
        {"cramped initiating device", BuiltConfirmed, false, 6,
         {"BACnetPrimitiveObjectIdentifier::Encode: Not enough space to encode this object",
          "BACnetPrimitiveBase::EncodeWithContext: Error encoding primitive",
          kShared + "Failed to encode initiatingDeviceIdentifier",
          kConfirmed + "Failed to encode the cov notification request"},
         Abort(4)},
        {"no room for the monitored object", BuiltConfirmed, false, 7,
         {"BACnetPrimitiveBase::EncodeWithContext: Invalid parameters",
          kShared + "Failed to encode monitoredObjectIdentifier",
          kConfirmed + "Failed to encode the cov notification request"},
         Abort(0)},
        {"cramped time remaining", BuiltConfirmed, false, 13,
         {"BACnetPrimitiveUINT::Encode: Not enough space to encode this object",
          "BACnetPrimitiveBase::EncodeWithContext: Error encoding primitive", kShared + "Failed to encode timeRemaining",
          kConfirmed + "Failed to encode the cov notification request"},
         Abort(4)},
        {"no room for the closing tag 4", BuiltConfirmed, false, 24,
         {"BACnetPropertyValueList::EncodeWithContext: Error encoding closing tag for context=4",
          kShared + "Failed to encode listOfValues", kConfirmed + "Failed to encode the cov notification request"},
         kNoOutcome},
    };
    CheckEncodeFailures(rows);
}

TEST(COVNotifications, SettersRefuseEmptyValues) {
    const BACnetPrimitiveUINT process(1);
    const BACnetPrimitiveObjectIdentifier device(8, 1);
    const BACnetPrimitiveObjectIdentifier object(0, 1);
    const BACnetPrimitiveUINT time(10);
    BACnetPropertyValueList values;
    values.SetEmpty();
    const BACnetPropertyValueList broken;  // never set: not even an empty list
    struct Row {
        const char* label;
        BACnetPrimitiveUINT process;
        BACnetPrimitiveObjectIdentifier device;
        BACnetPrimitiveObjectIdentifier object;
        BACnetPrimitiveUINT time;
        const BACnetPropertyValueList* values;
        const char* refusal;
    };
    const Row rows[] = {
        {"empty process", BACnetPrimitiveUINT(), device, object, time, &values,
         "Failed to set the subscriber process identifier"},
        {"empty device", process, BACnetPrimitiveObjectIdentifier(), object, time, &values,
         "Failed to set the initiating device identifier"},
        {"empty object", process, device, BACnetPrimitiveObjectIdentifier(), time, &values,
         "Failed to set the monitored object identifier"},
        {"empty time", process, device, object, BACnetPrimitiveUINT(), &values, "Failed to set the time remaining"},
        {"list not set", process, device, object, time, &broken, "Failed to set the list of values"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.label);
        BACnetConfirmedCOVNotificationRequest confirmed;
        BACnetUnconfirmedCOVNotificationRequest unconfirmed;
        StackErrorLogCapture log;
        EXPECT_FALSE(
            confirmed.SetConfirmedCOVNotificationRequest(row.process, row.device, row.object, row.time, *row.values));
        EXPECT_FALSE(unconfirmed.SetUnconfirmedCOVNotificationRequest(row.process, row.device, row.object, row.time,
                                                                      *row.values));
        EXPECT_FALSE(confirmed.IsValid());
        EXPECT_FALSE(unconfirmed.IsValid());
        const std::string confirmedSet =
            "BACnetConfirmedCOVNotificationRequest::SetConfirmedCOVNotificationRequest: ";
        const std::string unconfirmedSet =
            "BACnetUnconfirmedCOVNotificationRequest::SetUnconfirmedCOVNotificationRequest: ";
        EXPECT_EQ(Reports(log), (std::vector<std::string>{
                                    confirmedSet + row.refusal,
                                    confirmedSet + "Failed to set the confirmed cov notification request",
                                    unconfirmedSet + row.refusal,
                                    unconfirmedSet + "Failed to set the cov notification request"}));
    }
    BACnetConfirmedCOVNotificationRequest confirmed;
    StackErrorLogCapture log;
    EXPECT_FALSE(confirmed.AddPropertyValue(BACnetPropertyValue()));
    EXPECT_EQ(Reports(log), (std::vector<std::string>{
                                "BACnetPropertyValueList::Add: Error - unable to add the property value",
                                "BACnetCOVNotificationRequest::AddPropertyValue: Failed to add the property value"}));
    EXPECT_EQ(confirmed.GetListOfValues().Size(), 0u);
}

TEST(COVNotifications, ValueListStandsAloneBetweenItsTags) {
    BACnetPropertyValueList list;
    StackErrorLogCapture log;
    const Octets two = ParseHex("1E 09 55 2E 44 42 C8 00 00 2F 09 51 2E 10 2F 1F");
    ASSERT_EQ(list.DecodeWithContext(two.data(), static_cast<uint16_t>(two.size()), nullptr, 1), two.size());
    EXPECT_EQ(list.Size(), 2u);
    EXPECT_EQ(log.Text(), "");
    std::unique_ptr<ICodable> clone = list.Clone();
    ASSERT_NE(dynamic_cast<BACnetPropertyValueList*>(clone.get()), nullptr);
    EXPECT_TRUE(clone->IsEqual(&list));
    Octets out(two.size(), 0);
    EXPECT_EQ(list.EncodeWithContext(out.data(), static_cast<uint16_t>(out.size()), nullptr, 1), two.size());
    EXPECT_EQ(HexText(out), HexText(two));
    // Cut anywhere, the list fails without reading past the cut.
    for (size_t cut = 0; cut < two.size(); ++cut) {
        std::unique_ptr<uint8_t[]> exact(new uint8_t[cut + 1]);
        std::memcpy(exact.get(), two.data(), cut);
        BACnetPropertyValueList partial;
        EXPECT_EQ(partial.DecodeWithContext(cut == 0 ? nullptr : exact.get(), static_cast<uint16_t>(cut), nullptr, 1),
                  0)
            << "cut " << cut;
        EXPECT_EQ(partial.Size(), 0u);
        EXPECT_FALSE(partial.IsValid());
    }
    log.Clear();
    BACnetPropertyValueList empty;
    EXPECT_EQ(empty.EncodeWithContext(out.data(), static_cast<uint16_t>(out.size()), nullptr, 1), 0);
    EXPECT_EQ(Reports(log), std::vector<std::string>{
                                "BACnetPropertyValueList::EncodeWithContext: Invalid BACnetListOfValues object"});
    empty.SetEmpty();
    EXPECT_EQ(empty.EncodeWithContext(out.data(), 2, nullptr, 4), 2);
    EXPECT_EQ(HexText(out.data(), 2), "4E 4F");
    EXPECT_EQ(empty.Encode(out.data(), 2, nullptr), 0);  // no values, no octets

    // Without the tags: the values up to whatever closing tag ends them.
    log.Clear();
    BACnetPropertyValueList contents;
    const Octets inner(two.begin() + 1, two.end());
    ASSERT_EQ(contents.Decode(inner.data(), static_cast<uint16_t>(inner.size()), nullptr), inner.size() - 1);
    EXPECT_TRUE(contents.IsEqual(&list));
    ASSERT_EQ(contents.Encode(out.data(), static_cast<uint16_t>(out.size()), nullptr), inner.size() - 1);
    EXPECT_EQ(HexText(out.data(), inner.size() - 1), HexText(inner.data(), inner.size() - 1));
    EXPECT_EQ(contents.Decode(inner.data(), static_cast<uint16_t>(inner.size() - 1), nullptr), 0);
    EXPECT_EQ(Reports(log), std::vector<std::string>{"BACnetPropertyValueList::Decode: Error decoding tag"});
    EXPECT_FALSE(contents.IsValid());
    // No element of its own: unnamed, the values stand where the list would be.
    EXPECT_EQ(Xml(list),
              "<PropertyValue><PropertyIdentifier context='0' datatype='9' value='85'>presentValue"
              "</PropertyIdentifier><Value context='2'><Real datatype='4' value='100'>100</Real></Value>"
              "</PropertyValue><PropertyValue><PropertyIdentifier context='0' datatype='9' value='81'>outOfService"
              "</PropertyIdentifier><Value context='2'><Boolean datatype='1' value='0'>false</Boolean></Value>"
              "</PropertyValue>");
}

}  // namespace
}  // namespace ZalvoBACnetStack
