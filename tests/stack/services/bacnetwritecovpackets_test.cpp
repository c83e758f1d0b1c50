// Whole BACnet/IP payloads carrying WriteProperty, WritePropertyMultiple,
// SubscribeCOV and COV notifications through the stack's decode-as-XML
// entry: the documents the traffic report reads, and the report chain of a
// broken service inside an otherwise sound packet.
#include <gtest/gtest.h>

#include "bacnetstack.h"
#include "readservicestestsupport.h"
#include "services/bacnetconfirmedcovnotificationrequest.h"
#include "services/bacnetcovsubscription.h"
#include "services/bacnetsubscribecovrequest.h"
#include "services/bacnetunconfirmedcovnotificationrequest.h"
#include "services/bacnetwritepropertymultiplerequest.h"
#include "services/bacnetwritepropertyrequest.h"

namespace ZalvoBACnetStack {
namespace {
using namespace ReadServicesTest;

constexpr const char* kHeader = "<!-- Zalvo BACnet Stack v3.3.2.0 -->";

std::string Document(const Octets& payload) {
    std::vector<char> xml(16384);
    const uint32_t size = BACnetStack_DecodeAsXML(payload.data(), static_cast<uint16_t>(payload.size()), xml.data(),
                                                  static_cast<uint32_t>(xml.size()));
    return std::string(xml.data(), size);
}

struct PacketRow {
    const char* label;
    const char* payload;
    std::string document;  // after the header comment
};

TEST(WriteAndCOVPackets, DecodeToTheDocumentsTheReportReads) {
    const std::string kUnicast = "<BACnetPacket networkType='IP'><BVLL function='originalUnicastNPDU' />";
    const std::string kExpectingReply = kUnicast + "<NPDU control='0x04' version='1' />";
    const std::string kConfirmedHeader =
        "maxAdpuLengthAccepted='0x5' maxSegmentsAccepted='0x0' moreFollows='0' segmentedMessage='0' "
        "segmentedResponseAccepted='0' ";
    const PacketRow rows[] = {
        {"WriteProperty, captured", "81 0A 00 1A 01 04 00 05 01 0F 0C 00 40 00 00 19 55 3E 44 42 A0 00 00 3F 49 05",
         kExpectingReply + "<ConfirmedRequestPDU invokeId='1' " + kConfirmedHeader +
             "serviceChoice='writeProperty'><WritePropertyRequest><ObjectIdentifier context='0' datatype='12' "
             "objectInstance='0' objectType='1'>analogOutput, 0</ObjectIdentifier><PropertyIdentifier context='1' "
             "datatype='9' value='85'>presentValue</PropertyIdentifier><PropertyValue context='3'><Real "
             "datatype='4' value='80'>80</Real></PropertyValue><Priority context='4' datatype='2' value='5'>5"
             "</Priority></WritePropertyRequest></ConfirmedRequestPDU></BACnetPacket>"},
        {"WriteProperty routed to network 3, captured",
         "81 0A 00 1F 01 24 00 03 01 6C FF 02 03 02 0F 0C 00 40 00 65 19 55 3E 44 42 48 00 00 3F 49 0A",
         kUnicast +
             "<NPDU control='0x24' version='1'><DestinationNetwork>3</DestinationNetwork><DestinationAddress "
             "length='1'>0x6C</DestinationAddress><HopCount>255</HopCount></NPDU><ConfirmedRequestPDU invokeId='2' "
             "maxAdpuLengthAccepted='0x3' maxSegmentsAccepted='0x0' moreFollows='0' segmentedMessage='0' "
             "segmentedResponseAccepted='1' serviceChoice='writeProperty'><WritePropertyRequest><ObjectIdentifier "
             "context='0' datatype='12' objectInstance='101' objectType='1'>analogOutput, 101</ObjectIdentifier>"
             "<PropertyIdentifier context='1' datatype='9' value='85'>presentValue</PropertyIdentifier>"
             "<PropertyValue context='3'><Real datatype='4' value='50'>50</Real></PropertyValue><Priority "
             "context='4' datatype='2' value='10'>10</Priority></WritePropertyRequest></ConfirmedRequestPDU>"
             "</BACnetPacket>"},
        {"WritePropertyMultiple, captured",
         "81 0A 00 2E 01 04 00 05 01 10 0C 01 00 00 00 1E 09 55 2E 44 00 00 00 00 2F 39 05 1F 0C 01 00 00 01 1E 09 55 "
         "2E 44 00 00 00 00 2F 39 05 1F",
         kExpectingReply + "<ConfirmedRequestPDU invokeId='1' " + kConfirmedHeader +
             "serviceChoice='writePropertyMultiple'><WritePropertyMultipleRequest><ListOfWriteAccessSpecifications "
             "count='2'><WriteAccessSpecification><ObjectIdentifier context='0' datatype='12' objectInstance='0' "
             "objectType='4'>binaryOutput, 0</ObjectIdentifier><ListOfProperties context='1' count='1'>"
             "<PropertyValue><PropertyIdentifier context='0' datatype='9' value='85'>presentValue"
             "</PropertyIdentifier><Value context='2'><Real datatype='4' value='0'>0</Real></Value><Priority "
             "context='3' datatype='2' value='5'>5</Priority></PropertyValue></ListOfProperties>"
             "</WriteAccessSpecification><WriteAccessSpecification><ObjectIdentifier context='0' datatype='12' "
             "objectInstance='1' objectType='4'>binaryOutput, 1</ObjectIdentifier><ListOfProperties context='1' "
             "count='1'><PropertyValue><PropertyIdentifier context='0' datatype='9' value='85'>presentValue"
             "</PropertyIdentifier><Value context='2'><Real datatype='4' value='0'>0</Real></Value><Priority "
             "context='3' datatype='2' value='5'>5</Priority></PropertyValue></ListOfProperties>"
             "</WriteAccessSpecification></ListOfWriteAccessSpecifications></WritePropertyMultipleRequest>"
             "</ConfirmedRequestPDU></BACnetPacket>"},
        {"SubscribeCOV", "81 0A 00 15 01 04 00 05 07 05 09 12 1C 00 00 00 01 29 01 39 78",
         kExpectingReply + "<ConfirmedRequestPDU invokeId='7' " + kConfirmedHeader +
             "serviceChoice='subscribeCOV'><SubscribeCOVRequest><SubscriberProcessIdentifier context='0' "
             "datatype='2' value='18'>18</SubscriberProcessIdentifier><MonitoredObjectIdentifier context='1' "
             "datatype='12' objectInstance='1' objectType='0'>analogInput, 1</MonitoredObjectIdentifier>"
             "<IssueConfirmedNotifications context='2' datatype='1' value='1'>true</IssueConfirmedNotifications>"
             "<Lifetime context='3' datatype='2' value='120'>120</Lifetime></SubscribeCOVRequest>"
             "</ConfirmedRequestPDU></BACnetPacket>"},
        {"ConfirmedCOVNotification, captured",
         "81 0A 00 2B 01 00 00 05 01 01 09 01 1C 02 00 04 D2 2C 00 40 00 01 3A 02 57 4E 09 55 2E 44 00 00 00 00 2F 09 "
         "6F 2E 82 04 00 2F 4F",
         kUnicast + "<NPDU control='0x00' version='1' /><ConfirmedRequestPDU invokeId='1' " + kConfirmedHeader +
             "serviceChoice='confirmedCOVNotification'><ConfirmedCOVNotificationRequest>"
             "<SubscriberProcessIdentifier context='0' datatype='2' value='1'>1</SubscriberProcessIdentifier>"
             "<InitiatingDeviceIdentifier context='1' datatype='12' objectInstance='1234' objectType='8'>device, "
             "1234</InitiatingDeviceIdentifier><MonitoredObjectIdentifier context='2' datatype='12' "
             "objectInstance='1' objectType='1'>analogOutput, 1</MonitoredObjectIdentifier><TimeRemaining "
             "context='3' datatype='2' value='599'>599</TimeRemaining><ListOfValues context='4' count='2'>"
             "<PropertyValue><PropertyIdentifier context='0' datatype='9' value='85'>presentValue"
             "</PropertyIdentifier><Value context='2'><Real datatype='4' value='0'>0</Real></Value></PropertyValue>"
             "<PropertyValue><PropertyIdentifier context='0' datatype='9' value='111'>statusFlags"
             "</PropertyIdentifier><Value context='2'><BitString datatype='8' length='4' unusedBits='4'>b0000"
             "</BitString></Value></PropertyValue></ListOfValues></ConfirmedCOVNotificationRequest>"
             "</ConfirmedRequestPDU></BACnetPacket>"},
        {"UnconfirmedCOVNotification broadcast, captured",
         "81 0A 00 25 01 20 FF FF 00 FF 10 02 09 01 1C 02 00 00 02 2C 00 C0 00 04 39 05 4E 09 55 2E 44 42 C8 00 00 2F "
         "4F",
         kUnicast +
             "<NPDU control='0x20' version='1'><DestinationNetwork>65535</DestinationNetwork><DestinationAddress "
             "length='0' /><HopCount>255</HopCount></NPDU><UnconfirmedRequestPDU "
             "serviceChoice='unconfirmedCOVNotification'><UnconfirmedCOVNotificationRequest>"
             "<SubscriberProcessIdentifier context='0' datatype='2' value='1'>1</SubscriberProcessIdentifier>"
             "<InitiatingDeviceIdentifier context='1' datatype='12' objectInstance='2' objectType='8'>device, 2"
             "</InitiatingDeviceIdentifier><MonitoredObjectIdentifier context='2' datatype='12' objectInstance='4' "
             "objectType='3'>binaryInput, 4</MonitoredObjectIdentifier><TimeRemaining context='3' datatype='2' "
             "value='5'>5</TimeRemaining><ListOfValues context='4' count='1'><PropertyValue><PropertyIdentifier "
             "context='0' datatype='9' value='85'>presentValue</PropertyIdentifier><Value context='2'><Real "
             "datatype='4' value='100'>100</Real></Value></PropertyValue></ListOfValues>"
             "</UnconfirmedCOVNotificationRequest></UnconfirmedRequestPDU></BACnetPacket>"},
    };
    for (const PacketRow& row : rows) {
        SCOPED_TRACE(row.label);
        const Octets payload = ParseHex(row.payload);
        StackErrorLogCapture log;
        EXPECT_EQ(Document(payload), kHeader + row.document);
        EXPECT_EQ(log.Text(), "");
    }
}

struct BrokenRow {
    const char* label;
    const char* payload;
    std::vector<std::string> reports;
};

TEST(WriteAndCOVPackets, ABrokenServiceFailsTheWholePacket) {
    const std::vector<std::string> kConfirmedTail = {
        "BACnetConfirmedRequestPDU::Decode: Unable to decode the BACnet Confirmed Service Request",
        "BACnetPacket::Decode: Unable to decode the APDU",
        "BACnetIPPacket::Decode: Unable to decode the rest of the packet"};
    const std::vector<std::string> kUnconfirmedTail = {
        "BACnetUnconfirmedRequestPDU::Decode: Unable to decode the BACnet Unconfirmed Service Request",
        "BACnetPacket::Decode: Unable to decode the APDU",
        "BACnetIPPacket::Decode: Unable to decode the rest of the packet"};
    const auto with = [](std::vector<std::string> head, const std::vector<std::string>& tail) {
        head.insert(head.end(), tail.begin(), tail.end());
        return head;
    };
    const BrokenRow rows[] = {
        {"WriteProperty cut inside its value", "81 0A 00 16 01 04 00 05 01 0F 0C 00 40 00 00 19 55 3E 44 42 A0 00",
         with({"BACnetPrimitiveREAL::Decode: Message is to short. ",
               "BACnetAbstractSyntaxType::Decode: Unable to decode the Primitive",
               "BACnetObjectBase::DecodeWithContext: Error decoding the error",
               "BACnetWritePropertyRequest::Decode: Failed to decode propertyValue"},
              kConfirmedTail)},
        {"WritePropertyMultiple without its closing tag 1",
         "81 0A 00 19 01 04 00 05 01 10 0C 01 00 00 00 1E 09 55 2E 44 00 00 00 00 2F",
         with({"BACnetPropertyValueList::DecodeWithContext: Error decoding tag",
               "BACnetWriteAccessSpecification::Decode: Failed to decode listOfProperties",
               "BACnetWritePropertyMultipleRequest::Decode: Failed to decode listOfWriteAccessSpecifications"},
              kConfirmedTail)},
        {"SubscribeCOV without its object", "81 0A 00 0C 01 04 00 05 07 05 09 12",
         with({"BACnetPrimitiveBase::DecodeWithContext: Invalid parameters ",
               "BACnetSubscribeCOVRequest::Decode: Failed to decode monitoredObjectIdentifier"},
              kConfirmedTail)},
        {"UnconfirmedCOVNotification without its closing tag 4",
         "81 0A 00 1A 01 00 10 02 09 01 1C 02 00 00 02 2C 00 C0 00 04 39 05 4E 09 55 2E 44 42 C8 00 00 2F",
         with({"BACnetPropertyValueList::DecodeWithContext: Error decoding tag",
               "BACnetCOVNotificationRequest::Decode: Failed to decode listOfValues",
               "BACnetUnconfirmedCOVNotificationRequest::Decode: Failed to decode the cov notification request"},
              kUnconfirmedTail)},
        {"ConfirmedCOVNotification with nothing after the header", "81 0A 00 0A 01 00 00 05 01 01",
         with({"BACnetConfirmedCOVNotificationRequest::Decode: Invalid parameters"}, kConfirmedTail)},
    };
    for (const BrokenRow& row : rows) {
        SCOPED_TRACE(row.label);
        const Octets payload = ParseHex(row.payload);
        StackErrorLogCapture log;
        EXPECT_EQ(Document(payload), "");
        EXPECT_EQ(Reports(log), row.reports);
    }
}

// Every octet of sound service data replaced by octets that matter to the
// tag codec (opening and closing tags, extended lengths and numbers): each
// decode stays inside its exact-size buffer, leaves the value valid exactly
// when it reports octets, and what decoded renders and encodes within its room.
TEST(WriteAndCOVPackets, AlteredOctetsNeverLeadOutsideTheBuffer) {
    struct Row {
        const char* label;
        Maker make;
        const char* octets;
    };
    const Row rows[] = {
        {"WriteProperty", Make<BACnetWritePropertyRequest>(), "0C 00 80 00 01 19 55 29 03 3E 44 42 C8 00 00 3F 49 08"},
        {"WritePropertyMultiple", Make<BACnetWritePropertyMultipleRequest>(),
         "0C 00 80 00 05 1E 09 55 2E 44 42 C8 00 00 2F 39 08 09 51 2E 11 2F 1F 0C 02 00 00 09 1E 1F"},
        {"SubscribeCOV", Make<BACnetSubscribeCOVRequest>(), "09 12 1C 00 00 00 01 29 01 39 78"},
        {"ConfirmedCOVNotification", Make<BACnetConfirmedCOVNotificationRequest>(),
         "09 01 1C 02 00 04 D2 2C 00 40 00 01 3A 02 57 4E 09 55 2E 44 00 00 00 00 2F 09 6F 2E 82 04 00 2F 4F"},
        {"UnconfirmedCOVNotification", Make<BACnetUnconfirmedCOVNotificationRequest>(),
         "09 01 1C 02 00 00 02 2C 00 C0 00 04 39 05 4E 09 55 2E 44 42 C8 00 00 2F 4F"},
        {"COVSubscription", Make<BACnetCOVSubscription>(),
         "0E 0E 1E 21 00 65 02 0A 01 1F 0F 19 12 0F 1E 0C 00 00 00 01 19 55 1F 29 01 39 3C 4C 3F 80 00 00"},
    };
    const uint8_t replacements[] = {0x00, 0x0E, 0x0F, 0x1F, 0x2E, 0x3E, 0x3F, 0x4F, 0x5D, 0x7F, 0xF8, 0xFE, 0xFF};
    StackErrorLogCapture quiet;
    size_t decoded = 0;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.label);
        const Octets sound = ParseHex(row.octets);
        for (size_t position = 0; position < sound.size(); ++position) {
            for (uint8_t replacement : replacements) {
                Octets altered = sound;
                altered[position] = replacement;
                auto value = row.make();
                const uint16_t used = DecodeExact(*value, altered, nullptr);
                ASSERT_LE(used, altered.size()) << "octet " << position << " = " << unsigned{replacement};
                ASSERT_EQ(value->IsValid(), used != 0) << "octet " << position << " = " << unsigned{replacement};
                if (used == 0) continue;
                ++decoded;
                EXPECT_FALSE(Xml(*value).empty());
                Octets out(2 * altered.size() + 1, 0xA5);
                const uint16_t room = static_cast<uint16_t>(out.size() - 1);
                EXPECT_LE(value->Encode(out.data(), room, nullptr), room);
                EXPECT_EQ(out[room], 0xA5);
            }
        }
    }
    // Replacing an octet by itself or inside a value keeps many of them decodable.
    EXPECT_GT(decoded, 50u);
}

}  // namespace
}  // namespace ZalvoBACnetStack
