// SubscribeCOV and the types that describe a subscription: recipient,
// recipient process and COV subscription. Wire octets -> XML -> wire octets,
// optional members present and absent, every decode and encode failure with
// its exact reports and outcome, and the setters.
#include <gtest/gtest.h>

#include "readservicestestsupport.h"
#include "services/bacnetcovsubscription.h"
#include "services/bacnetrecipient.h"
#include "services/bacnetrecipientprocess.h"
#include "services/bacnetsubscribecovrequest.h"

namespace ZalvoBACnetStack {
namespace {
using namespace ReadServicesTest;

constexpr const char* kDeviceRecipientXml =
    "<Recipient context='0'><Device context='0' datatype='12' objectInstance='5' objectType='8'>device, 5</Device>"
    "</Recipient>";
constexpr const char* kAnalogInputReferenceXml =
    "<MonitoredPropertyReference context='1'><ObjectIdentifier context='0' datatype='12' objectInstance='1' "
    "objectType='0'>analogInput, 1</ObjectIdentifier><PropertyIdentifier context='1' datatype='9' value='85'>"
    "presentValue</PropertyIdentifier></MonitoredPropertyReference>";

struct GoldenRow {
    const char* label;
    Maker make;
    const char* octets;
    std::string xml;
};

TEST(COVTypes, GoldenVectorsDecodeRenderAndReencode) {
    const GoldenRow rows[] = {
        {"subscription, confirmed, 120 s", Make<BACnetSubscribeCOVRequest>(), "09 12 1C 00 00 00 01 29 01 39 78",
         "<SubscribeCOVRequest><SubscriberProcessIdentifier context='0' datatype='2' value='18'>18"
         "</SubscriberProcessIdentifier><MonitoredObjectIdentifier context='1' datatype='12' objectInstance='1' "
         "objectType='0'>analogInput, 1</MonitoredObjectIdentifier><IssueConfirmedNotifications context='2' "
         "datatype='1' value='1'>true</IssueConfirmedNotifications><Lifetime context='3' datatype='2' value='120'>"
         "120</Lifetime></SubscribeCOVRequest>"},
        // A cancellation still lists both optional members, as empty values.
        {"cancellation", Make<BACnetSubscribeCOVRequest>(), "09 12 1C 00 00 00 01",
         "<SubscribeCOVRequest><SubscriberProcessIdentifier context='0' datatype='2' value='18'>18"
         "</SubscriberProcessIdentifier><MonitoredObjectIdentifier context='1' datatype='12' objectInstance='1' "
         "objectType='0'>analogInput, 1</MonitoredObjectIdentifier><IssueConfirmedNotifications context='2' "
         "datatype='1' value='0'>false</IssueConfirmedNotifications><Lifetime context='3' datatype='2' value='0'>0"
         "</Lifetime></SubscribeCOVRequest>"},
        {"unconfirmed, no lifetime", Make<BACnetSubscribeCOVRequest>(), "0A 01 00 1C 00 C0 00 04 29 00",
         "<SubscribeCOVRequest><SubscriberProcessIdentifier context='0' datatype='2' value='256'>256"
         "</SubscriberProcessIdentifier><MonitoredObjectIdentifier context='1' datatype='12' objectInstance='4' "
         "objectType='3'>binaryInput, 4</MonitoredObjectIdentifier><IssueConfirmedNotifications context='2' "
         "datatype='1' value='0'>false</IssueConfirmedNotifications><Lifetime context='3' datatype='2' value='0'>0"
         "</Lifetime></SubscribeCOVRequest>"},
        {"lifetime only, four octets", Make<BACnetSubscribeCOVRequest>(), "09 01 1C 02 00 00 07 3C 00 01 51 80",
         "<SubscribeCOVRequest><SubscriberProcessIdentifier context='0' datatype='2' value='1'>1"
         "</SubscriberProcessIdentifier><MonitoredObjectIdentifier context='1' datatype='12' objectInstance='7' "
         "objectType='8'>device, 7</MonitoredObjectIdentifier><IssueConfirmedNotifications context='2' "
         "datatype='1' value='0'>false</IssueConfirmedNotifications><Lifetime context='3' datatype='2' "
         "value='86400'>86400</Lifetime></SubscribeCOVRequest>"},
        {"device recipient", Make<BACnetRecipient>(), "0C 02 00 00 05",
         "<Recipient><Device context='0' datatype='12' objectInstance='5' objectType='8'>device, 5</Device>"
         "</Recipient>"},
        {"address recipient", Make<BACnetRecipient>(), "1E 21 05 62 0A 01 1F",
         "<Recipient><Address context='1'><NetworkNumber datatype='2' value='5'>5</NetworkNumber>"
         "<MacAddress datatype='6' length='2'>0x0A01</MacAddress></Address></Recipient>"},
        {"recipient process", Make<BACnetRecipientProcess>(), "0E 0C 02 00 00 05 0F 19 12",
         std::string("<RecipientProcess>") + kDeviceRecipientXml +
             "<ProcessIdentifier context='1' datatype='2' value='18'>18</ProcessIdentifier></RecipientProcess>"},
        {"COV subscription with increment", Make<BACnetCOVSubscription>(),
         "0E 0E 1E 21 00 65 06 C0 A8 01 0A BA C0 1F 0F 19 12 0F 1E 0C 00 00 00 01 19 55 1F 29 01 39 3C "
         "4C 3F 80 00 00",
         std::string("<COVSubscription><RecipientProcess context='0'><Recipient context='0'><Address context='1'>"
                     "<NetworkNumber datatype='2' value='0'>0</NetworkNumber><MacAddress datatype='6' length='6'>"
                     "0xC0A8010ABAC0</MacAddress></Address></Recipient><ProcessIdentifier context='1' datatype='2' "
                     "value='18'>18</ProcessIdentifier></RecipientProcess>") +
             kAnalogInputReferenceXml +
             "<IssueConfirmedNotifications context='2' datatype='1' value='1'>true</IssueConfirmedNotifications>"
             "<TimeRemaining context='3' datatype='2' value='60'>60</TimeRemaining><COVIncrement context='4' "
             "datatype='4' value='1'>1</COVIncrement></COVSubscription>"},
        // Without an increment the element is still there, as an empty value.
        {"COV subscription without increment", Make<BACnetCOVSubscription>(),
         "0E 0E 0C 02 00 00 05 0F 19 12 0F 1E 0C 00 00 00 01 19 55 1F 29 00 39 00",
         std::string("<COVSubscription><RecipientProcess context='0'>") + kDeviceRecipientXml +
             "<ProcessIdentifier context='1' datatype='2' value='18'>18</ProcessIdentifier></RecipientProcess>" +
             kAnalogInputReferenceXml +
             "<IssueConfirmedNotifications context='2' datatype='1' value='0'>false</IssueConfirmedNotifications>"
             "<TimeRemaining context='3' datatype='2' value='0'>0</TimeRemaining><COVIncrement context='4' "
             "datatype='4' value='0'>0</COVIncrement></COVSubscription>"},
    };
    for (const GoldenRow& row : rows) {
        SCOPED_TRACE(row.label);
        CheckRoundTrip(row.make, ParseHex(row.octets), row.xml);
    }
}

TEST(COVTypes, OptionalMembersAreTakenOnlyFromTheirOwnTags) {
    struct Row {
        const char* label;
        Maker make;
        const char* octets;
        uint16_t consumed;
    };
    const Row rows[] = {
        // The issue flag in tag 3 is not this request's lifetime (an Unsigned of one octet 01 would be).
        {"subscribe followed by tag 4", Make<BACnetSubscribeCOVRequest>(), "09 12 1C 00 00 00 01 49 01", 7},
        {"subscribe, lifetime before issue flag", Make<BACnetSubscribeCOVRequest>(),
         "09 12 1C 00 00 00 01 39 78 29 01", 9},
        {"subscribe followed by a closing tag", Make<BACnetSubscribeCOVRequest>(), "09 12 1C 00 00 00 01 29 01 3F",
         9},
        {"recipient followed by more", Make<BACnetRecipient>(), "0C 02 00 00 05 19 12", 5},
        {"subscription followed by tag 5", Make<BACnetCOVSubscription>(),
         "0E 0E 0C 02 00 00 05 0F 19 12 0F 1E 0C 00 00 00 01 19 55 1F 29 00 39 00 5C 3F 80 00 00", 24},
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
    BACnetSubscribeCOVRequest request;
    ASSERT_EQ(DecodeExact(request, ParseHex("09 12 1C 00 00 00 01 39 78 29 01"), nullptr), 9);
    EXPECT_FALSE(request.HasIssueConfirmedNotifications());
    EXPECT_TRUE(request.HasLifetime());
    EXPECT_EQ(request.GetLifetime().GetValue(), 120u);
    EXPECT_FALSE(request.IsCancellation());
    ASSERT_EQ(DecodeExact(request, ParseHex("09 12 1C 00 00 00 01"), nullptr), 7);
    EXPECT_TRUE(request.IsCancellation());
    EXPECT_EQ(request.GetServiceChoice(), 5u);
}

TEST(COVTypes, DecodeFailuresReportAndLeaveTheValueEmpty) {
    CheckDecodeFailures({
        {"subscribe null buffer", Make<BACnetSubscribeCOVRequest>(), {},
         {"BACnetSubscribeCOVRequest::Decode: Invalid parameters"}, Reject(0)},
        {"subscribe starting with the object", Make<BACnetSubscribeCOVRequest>(), ParseHex("1C 00 00 00 01 29 01"),
         {"BACnetPrimitiveBase::DecodeWithContext: Invalid Tag Number",
          "BACnetSubscribeCOVRequest::Decode: Failed to decode subscriberProcessIdentifier"},
         Reject(4)},
        {"subscribe without the object", Make<BACnetSubscribeCOVRequest>(), ParseHex("09 12"),
         {"BACnetPrimitiveBase::DecodeWithContext: Invalid parameters ",
          "BACnetSubscribeCOVRequest::Decode: Failed to decode monitoredObjectIdentifier"},
         Reject(0)},
        {"subscribe with the object cut short", Make<BACnetSubscribeCOVRequest>(), ParseHex("09 12 1C 00 00"),
         {"BACnetPrimitiveObjectIdentifier::Decode: Message is to short. ",
          "BACnetPrimitiveBase::DecodeWithContext: Could not decode the primitive",
          "BACnetSubscribeCOVRequest::Decode: Failed to decode monitoredObjectIdentifier"},
         Reject(4)},
        {"recipient null buffer", Make<BACnetRecipient>(), {}, {"BACnetRecipient::Decode: Invalid prameters"},
         Reject(0)},
        {"recipient with a cut extended tag", Make<BACnetRecipient>(), ParseHex("F8"),
         {"BACnetRecipient::Decode: Unable to decode the choice tag"}, Reject(0)},
        {"recipient in tag 2", Make<BACnetRecipient>(), ParseHex("2C 02 00 00 05"),
         {"BACnetRecipient::Decode: Invalid context tag choice=[2]"}, Reject(0)},
        {"recipient application-tagged", Make<BACnetRecipient>(), ParseHex("C4 02 00 00 05"),
         {"BACnetRecipient::Decode: Invalid context tag choice=[12]"}, Reject(0)},
        {"recipient device cut short", Make<BACnetRecipient>(), ParseHex("0C 02 00"),
         {"BACnetPrimitiveObjectIdentifier::Decode: Message is to short. ",
          "BACnetPrimitiveBase::DecodeWithContext: Could not decode the primitive",
          "BACnetRecipient::Decode: Failed to decode device"},
         Reject(4)},
        {"recipient address without its closing tag", Make<BACnetRecipient>(), ParseHex("1E 21 05 62 0A 01"),
         {"BACnetTag::DecodeAndCheckClosingTag: Invalid prameters ",
          "BACnetObjectBase::DecodeWithContext: Error Decoding closing tag ",
          "BACnetRecipient::Decode: Failed to decode address"},
         kNoOutcome},
        {"recipient address not constructed", Make<BACnetRecipient>(), ParseHex("19 05"),
         {"BACnetTag::DecodeAndCheckOpeningTag: Not an opening tag with the correct tag number=[1]",
          "BACnetObjectBase::DecodeWithContext: Error Decoding opening tag ",
          "BACnetRecipient::Decode: Failed to decode address"},
         kNoOutcome},
        {"recipient process null buffer", Make<BACnetRecipientProcess>(), {},
         {"BACnetRecipientProcess::Decode: Invalid prameters"}, Reject(0)},
        {"recipient process without recipient", Make<BACnetRecipientProcess>(), ParseHex("19 12"),
         {"BACnetTag::DecodeAndCheckOpeningTag: Not an opening tag with the correct tag number=[0]",
          "BACnetObjectBase::DecodeWithContext: Error Decoding opening tag ",
          "BACnetRecipientProcess::Decode: Failed to decode recipient"},
         kNoOutcome},
        {"recipient process without process", Make<BACnetRecipientProcess>(), ParseHex("0E 0C 02 00 00 05 0F"),
         {"BACnetPrimitiveBase::DecodeWithContext: Invalid parameters ",
          "BACnetRecipientProcess::Decode: Failed to decode processIdentifier"},
         Reject(0)},
        {"subscription null buffer", Make<BACnetCOVSubscription>(), {},
         {"BACnetCOVSubscription::Decode: Invalid prameters"}, Reject(0)},
        {"subscription with an empty recipient", Make<BACnetCOVSubscription>(), ParseHex("0E 0F"),
         {"BACnetTag::DecodeAndCheckOpeningTag: Not an opening tag with the correct tag number=[0]",
          "BACnetObjectBase::DecodeWithContext: Error Decoding opening tag ",
          "BACnetRecipientProcess::Decode: Failed to decode recipient",
          "BACnetObjectBase::DecodeWithContext: Error decoding the error",
          "BACnetCOVSubscription::Decode: Failed to decode recipient"},
         kNoOutcome},
        {"subscription without reference", Make<BACnetCOVSubscription>(), ParseHex("0E 0E 0C 02 00 00 05 0F 19 12 0F"),
         {"BACnetObjectBase::DecodeWithContext: Invalid parameters ",
          "BACnetCOVSubscription::Decode: Failed to decode monitoredPropertyReference"},
         Reject(0)},
        {"subscription without issue flag", Make<BACnetCOVSubscription>(),
         ParseHex("0E 0E 0C 02 00 00 05 0F 19 12 0F 1E 0C 00 00 00 01 19 55 1F 39 00"),
         {"BACnetPrimitiveBase::DecodeWithContext: Invalid Tag Number",
          "BACnetCOVSubscription::Decode: Failed to decode issueConfirmedNotifications"},
         Reject(4)},
        {"subscription without time remaining", Make<BACnetCOVSubscription>(),
         ParseHex("0E 0E 0C 02 00 00 05 0F 19 12 0F 1E 0C 00 00 00 01 19 55 1F 29 00"),
         {"BACnetPrimitiveBase::DecodeWithContext: Invalid parameters ",
          "BACnetCOVSubscription::Decode: Failed to decode timeRemaining"},
         Reject(0)},
    });
}

std::unique_ptr<BACnetObjectBase> BuiltSubscribe() {
    auto request = std::make_unique<BACnetSubscribeCOVRequest>();
    request->SetSubscribeCOVRequest(18, 0, 1, true, 120);
    return request;
}

std::unique_ptr<BACnetObjectBase> BuiltRecipientProcess() {
    BACnetRecipient recipient;
    recipient.SetDevice(5);
    auto process = std::make_unique<BACnetRecipientProcess>();
    process->SetRecipientProcess(recipient, BACnetPrimitiveUINT(18));
    return process;
}

std::unique_ptr<BACnetObjectBase> BuiltSubscription() {
    BACnetObjectPropertyReference reference;
    reference.SetObjectPropertyReference(0, 1, 85);
    const float increment = 0.5f;
    auto subscription = std::make_unique<BACnetCOVSubscription>();
    subscription->SetCOVSubscription(*dynamic_cast<BACnetRecipientProcess*>(BuiltRecipientProcess().get()),
                                     reference, false, 30, &increment);
    return subscription;
}

TEST(COVTypes, EncodeFailuresReportAndWriteNothingPastTheRoom) {
    const std::vector<EncodeFailureRow> rows = {
        {"subscribe null buffer", BuiltSubscribe, true, 20, {"BACnetSubscribeCOVRequest::Encode: Invalid parameters"},
         Abort(0)},
        {"empty subscribe", Make<BACnetSubscribeCOVRequest>(), false, 20,
         {"BACnetSubscribeCOVRequest::Encode: Invalid BACnetPropertyReference object"}, Abort(0)},
        {"subscribe cramped process", BuiltSubscribe, false, 1,
         {"BACnetPrimitiveUINT::Encode: Not enough space to encode this object",
          "BACnetPrimitiveBase::EncodeWithContext: Error encoding primitive",
          "BACnetSubscribeCOVRequest::Encode: Failed to encode subscriberProcessIdentifier"},
         Abort(4)},
        {"subscribe cramped object", BuiltSubscribe, false, 6,
         {"BACnetPrimitiveObjectIdentifier::Encode: Not enough space to encode this object",
          "BACnetPrimitiveBase::EncodeWithContext: Error encoding primitive",
          "BACnetSubscribeCOVRequest::Encode: Failed to encode monitoredObjectIdentifier"},
         Abort(4)},
        {"subscribe without room for the flag", BuiltSubscribe, false, 7,
         {"BACnetPrimitiveBase::EncodeWithContext: Invalid parameters",
          "BACnetSubscribeCOVRequest::Encode: Failed to encode issueConfirmedNotifications"},
         Abort(0)},
        {"subscribe cramped lifetime", BuiltSubscribe, false, 10,
         {"BACnetPrimitiveUINT::Encode: Not enough space to encode this object",
          "BACnetPrimitiveBase::EncodeWithContext: Error encoding primitive",
          "BACnetSubscribeCOVRequest::Encode: Failed to encode lifetime"},
         Abort(4)},
        {"recipient zero room", [] { auto r = std::make_unique<BACnetRecipient>(); r->SetDevice(5);
                                     return std::unique_ptr<BACnetObjectBase>(std::move(r)); },
         false, 0, {"BACnetRecipient::Encode: Invalid parameters"}, Abort(0)},
        {"empty recipient", Make<BACnetRecipient>(), false, 10,
         {"BACnetRecipient::Encode: Error - Both device and address are invalid and one must be valid"}, Abort(0)},
        {"recipient cramped device", [] { auto r = std::make_unique<BACnetRecipient>(); r->SetDevice(5);
                                          return std::unique_ptr<BACnetObjectBase>(std::move(r)); },
         false, 4,
         {"BACnetPrimitiveObjectIdentifier::Encode: Not enough space to encode this object",
          "BACnetPrimitiveBase::EncodeWithContext: Error encoding primitive",
          "BACnetRecipient::Encode: Failed to encode device"},
         Abort(4)},
        {"recipient address without room for the MAC",
         [] { auto r = std::make_unique<BACnetRecipient>(); r->SetAddress(5, {0x0A, 0x01});
              return std::unique_ptr<BACnetObjectBase>(std::move(r)); },
         false, 3,
         {"BACnetPrimitiveOctSTRING::Encode: Invalid parameters", "BACnetAddress::Encode: Failed to decode macAddress",
          "BACnetObjectBase::EncodeWithContext: Error encoding the constructed object",
          "BACnetRecipient::Encode: Failed to encode address"},
         Abort(0)},
        {"recipient process null buffer", BuiltRecipientProcess, true, 10,
         {"BACnetRecipientProcess::Encode: BACnetRecipientProcess::Encode - Invalid parameters"}, Abort(0)},
        {"empty recipient process", Make<BACnetRecipientProcess>(), false, 10,
         {"BACnetRecipientProcess::Encode: BACnetRecipientProcess::Encode - Invalid BACnetPropertyReference object"},
         Abort(0)},
        {"recipient process cramped recipient", BuiltRecipientProcess, false, 6,
         {"BACnetObjectBase::EncodeWithContext: Error encoding closing tag for context=0",
          "BACnetRecipientProcess::Encode: Failed to encode recipient"},
         kNoOutcome},
        {"recipient process without room for the process", BuiltRecipientProcess, false, 7,
         {"BACnetPrimitiveBase::EncodeWithContext: Invalid parameters",
          "BACnetRecipientProcess::Encode: Failed to encode processIdentifier"},
         Abort(0)},
        {"subscription null buffer", BuiltSubscription, true, 40,
         {"BACnetCOVSubscription::Encode: BACnetCOVSubscription::Encode - Invalid parameters"}, Abort(0)},
        {"empty subscription", Make<BACnetCOVSubscription>(), false, 40,
         {"BACnetCOVSubscription::Encode: BACnetCOVSubscription::Encode - Invalid BACnetPropertyReference object"},
         Abort(0)},
        {"subscription cramped recipient", BuiltSubscription, false, 10,
         {"BACnetObjectBase::EncodeWithContext: Error encoding closing tag for context=0",
          "BACnetCOVSubscription::Encode: Failed to decode recipient"},
         kNoOutcome},
        {"subscription cramped reference", BuiltSubscription, false, 19,
         {"BACnetObjectBase::EncodeWithContext: Error encoding closing tag for context=1",
          "BACnetCOVSubscription::Encode: Failed to decode monitoredPropertyReference"},
         kNoOutcome},
        {"subscription cramped flag", BuiltSubscription, false, 21,
         {"BACnetPrimitiveBOOL::Encode: Not enough space to encode this object",
          "BACnetPrimitiveBase::EncodeWithContext: Error encoding primitive",
          "BACnetCOVSubscription::Encode: Failed to decode issueConfirmedNotifications"},
         Abort(4)},
        {"subscription cramped time", BuiltSubscription, false, 23,
         {"BACnetPrimitiveUINT::Encode: Not enough space to encode this object",
          "BACnetPrimitiveBase::EncodeWithContext: Error encoding primitive",
          "BACnetCOVSubscription::Encode: Failed to decode timeRemaining"},
         Abort(4)},
        {"subscription cramped increment", BuiltSubscription, false, 27,
         {"BACnetPrimitiveREAL::Encode: Not enough space to encode this object",
          "BACnetPrimitiveBase::EncodeWithContext: Error encoding primitive",
          "BACnetCOVSubscription::Encode: Failed to decode covIncrement"},
         Abort(4)},
    };
    CheckEncodeFailures(rows);
}

TEST(COVTypes, BuiltValuesEncodeLikeDecodedOnes) {
    struct Row {
        const char* label;
        Maker make;
        const char* octets;
    };
    const Row rows[] = {
        {"subscription request", BuiltSubscribe, "09 12 1C 00 00 00 01 29 01 39 78"},
        {"cancellation",
         [] {
             auto request = std::make_unique<BACnetSubscribeCOVRequest>();
             request->SetSubscribeCOVRequest(70000, 8, 4194303, std::nullopt, std::nullopt);
             return std::unique_ptr<BACnetObjectBase>(std::move(request));
         },
         "0B 01 11 70 1C 02 3F FF FF"},
        {"subscription from values",
         [] {
             auto request = std::make_unique<BACnetSubscribeCOVRequest>();
             const BACnetPrimitiveBOOL confirmed(false);
             const BACnetPrimitiveUINT lifetime(300);
             EXPECT_TRUE(request->SetSubscribeCOVRequest(BACnetPrimitiveUINT(1),
                                                         BACnetPrimitiveObjectIdentifier(2, 3), &confirmed,
                                                         &lifetime));
             return std::unique_ptr<BACnetObjectBase>(std::move(request));
         },
         "09 01 1C 00 80 00 03 29 00 3A 01 2C"},
        {"address recipient",
         [] {
             auto recipient = std::make_unique<BACnetRecipient>();
             recipient->SetAddress(0, {0xC0, 0xA8, 0x01, 0x0A, 0xBA, 0xC0});
             return std::unique_ptr<BACnetObjectBase>(std::move(recipient));
         },
         "1E 21 00 65 06 C0 A8 01 0A BA C0 1F"},
        {"recipient process", BuiltRecipientProcess, "0E 0C 02 00 00 05 0F 19 12"},
        {"subscription", BuiltSubscription,
         "0E 0E 0C 02 00 00 05 0F 19 12 0F 1E 0C 00 00 00 01 19 55 1F 29 00 39 1E 4C 3F 00 00 00"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.label);
        CheckBuiltValue(row.make, row.octets);
    }
}

TEST(COVTypes, SettersRefuseEmptyValues) {
    const BACnetPrimitiveUINT process(18);
    const BACnetPrimitiveObjectIdentifier object(0, 1);
    const BACnetPrimitiveBOOL noFlag;
    struct Row {
        const char* label;
        BACnetPrimitiveUINT process;
        BACnetPrimitiveObjectIdentifier object;
        const BACnetPrimitiveBOOL* flag;
        std::vector<std::string> reports;
    };
    const Row rows[] = {
        {"empty process", BACnetPrimitiveUINT(), object, nullptr,
         {"BACnetSubscribeCOVRequest::SetSubscribeCOVRequest: Failed to set the subscriber process identifier",
          "BACnetSubscribeCOVRequest::SetSubscribeCOVRequest: Failed to set the subscribe cov request"}},
        {"empty object", process, BACnetPrimitiveObjectIdentifier(), nullptr,
         {"BACnetSubscribeCOVRequest::SetSubscribeCOVRequest: Failed to set the monitored object identifier",
          "BACnetSubscribeCOVRequest::SetSubscribeCOVRequest: Failed to set the subscribe cov request"}},
        {"empty flag", process, object, &noFlag,
         {"BACnetSubscribeCOVRequest::SetSubscribeCOVRequest: Failed to set the subscribe cov request"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.label);
        BACnetSubscribeCOVRequest request;
        request.SetSubscribeCOVRequest(1, 0, 1, true, 60);
        StackErrorLogCapture log;
        EXPECT_FALSE(request.SetSubscribeCOVRequest(row.process, row.object, row.flag, nullptr));
        EXPECT_FALSE(request.IsValid());
        EXPECT_EQ(Reports(log), row.reports);
    }

    BACnetRecipient recipient;
    BACnetRecipient copy;
    {
        StackErrorLogCapture log;
        EXPECT_FALSE(recipient.SetDevice(BACnetPrimitiveObjectIdentifier()));
        EXPECT_FALSE(recipient.SetAddress(BACnetAddress()));
        EXPECT_FALSE(copy.SetRecipient(recipient));
        EXPECT_EQ(Reports(log),
                  (std::vector<std::string>{
                      "BACnetRecipient::SetDevice: Failed to set the device",
                      "BACnetRecipient::SetAddress: Failed to set the address",
                      "BACnetRecipient::SetRecipient: Error - Both device and address are invalid and one must be "
                      "valid"}));
        EXPECT_FALSE(recipient.IsValid());
        EXPECT_FALSE(copy.IsValid());
    }
    // A new choice replaces the old one.
    EXPECT_TRUE(recipient.SetDevice(BACnetPrimitiveObjectIdentifier(8, 9)));
    EXPECT_TRUE(recipient.SetAddress(BACnetAddress(3, {0x01})));
    EXPECT_FALSE(recipient.HasDevice());
    EXPECT_TRUE(recipient.HasAddress());
    EXPECT_TRUE(copy.SetRecipient(recipient));
    EXPECT_TRUE(copy.IsEqual(&recipient));
    recipient.SetDevice(9);
    EXPECT_FALSE(copy.IsEqual(&recipient));
    EXPECT_TRUE(copy.SetRecipient(recipient));
    EXPECT_TRUE(copy.IsEqual(&recipient));
    EXPECT_EQ(copy.GetDevice().GetObjectType(), 8);

    BACnetRecipientProcess recipientProcess;
    StackErrorLogCapture log;
    EXPECT_FALSE(recipientProcess.SetRecipientProcess(BACnetRecipient(), process));
    EXPECT_FALSE(recipientProcess.SetRecipientProcess(recipient, BACnetPrimitiveUINT()));
    EXPECT_FALSE(recipientProcess.IsValid());
    BACnetCOVSubscription subscription;
    BACnetObjectPropertyReference reference;
    EXPECT_FALSE(subscription.SetCOVSubscription(recipientProcess, reference, true, 1, nullptr));
    EXPECT_TRUE(recipientProcess.SetRecipientProcess(recipient, process));
    EXPECT_FALSE(subscription.SetCOVSubscription(recipientProcess, reference, true, 1, nullptr));
    EXPECT_FALSE(subscription.IsValid());
    EXPECT_EQ(Reports(log),
              (std::vector<std::string>{
                  "BACnetRecipient::SetRecipient: Error - Both device and address are invalid and one must be valid",
                  "BACnetRecipientProcess::SetRecipientProcess: Failed to set the recipient",
                  "BACnetRecipientProcess::SetRecipientProcess: Failed to set the process identifier",
                  "BACnetCOVSubscription::SetCOVSubscription: Failed to set the recipient",
                  "BACnetCOVSubscription::SetCOVSubscription: Failed to set the monitored property reference"}));
}

TEST(COVTypes, EqualityComparesTheChoiceAndEveryMember) {
    BACnetSubscribeCOVRequest left;
    BACnetSubscribeCOVRequest right;
    left.SetSubscribeCOVRequest(1, 0, 1, true, std::nullopt);
    right.SetSubscribeCOVRequest(1, 0, 1, true, std::nullopt);
    EXPECT_TRUE(left.IsEqual(&right));
    right.SetSubscribeCOVRequest(1, 0, 1, true, 0);
    EXPECT_FALSE(left.IsEqual(&right));
    right.SetSubscribeCOVRequest(1, 0, 1, false, std::nullopt);
    EXPECT_FALSE(left.IsEqual(&right));
    right.SetSubscribeCOVRequest(1, 0, 2, true, std::nullopt);
    EXPECT_FALSE(left.IsEqual(&right));
    right.SetSubscribeCOVRequest(2, 0, 1, true, std::nullopt);
    EXPECT_FALSE(left.IsEqual(&right));
    EXPECT_FALSE(left.IsEqual(nullptr));

    BACnetRecipient device;
    BACnetRecipient address;
    device.SetDevice(5);
    address.SetAddress(0, {5});
    EXPECT_FALSE(device.IsEqual(&address));
    EXPECT_FALSE(address.IsEqual(&device));
    EXPECT_FALSE(device.IsEqual(&left));

    auto built = BuiltSubscription();
    auto other = BuiltSubscription();
    EXPECT_TRUE(built->IsEqual(other.get()));
    Octets octets = ParseHex("0E 0E 0C 02 00 00 05 0F 19 12 0F 1E 0C 00 00 00 01 19 55 1F 29 00 39 1E");
    ASSERT_EQ(DecodeExact(*other, octets, nullptr), octets.size());
    EXPECT_FALSE(built->IsEqual(other.get()));  // the increment is missing
}

}  // namespace
}  // namespace ZalvoBACnetStack
