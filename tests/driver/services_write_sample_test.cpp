// The write-cov.pcap sample end to end: a client writes to device 5678 with
// WriteProperty (with a priority, and with an array index) and
// WritePropertyMultiple, subscribes to changes of value with and without a
// lifetime, and receives a confirmed and an unconfirmed notification; every
// request is answered by a Simple-ACK. tarnwick must decode every packet,
// write the documents and report the written objects and properties and the
// notified values.
#include <gtest/gtest.h>

#include "driver/drivertestsupport.h"

namespace {

using namespace TarnwickTest;

const std::string kRequestStart = kXmlHeader +
                                  "<BACnetPacket networkType='IP'><BVLL function='originalUnicastNPDU' />"
                                  "<NPDU control='0x04' version='1' />";

// The lines of `text` from the one equal to `first` up to, not including,
// the next one that starts with `end`.
std::vector<std::string> Section(const std::string& text, const std::string& first, const std::string& end) {
    std::vector<std::string> section;
    bool inside = false;
    for (const std::string& line : SplitLines(text)) {
        if (!inside && line == first) inside = true;
        else if (inside && line.rfind(end, 0) == 0) break;
        if (inside) section.push_back(line);
    }
    return section;
}

class WriteCOVSample : public ::testing::Test {
protected:
    void SetUp() override {
        CopySample("write-cov.pcap", dir_.Path());
        run_ = RunTarnwick(dir_.Path(), {"write-cov.pcap"});
    }
    TempDir dir_;
    RunResult run_;
};

TEST_F(WriteCOVSample, EveryPacketDecodesAndCounts) {
    EXPECT_EQ(run_.exitCode, 0);
    const auto counters = CaptureCounters(run_.console, "write-cov.pcap");
    EXPECT_EQ(CounterValue(counters, "packet.count"), 13);
    EXPECT_EQ(CounterValue(counters, "packet.decode.error.count"), 0);
    EXPECT_EQ(NamesEndingWith(dir_.Path(), ".xml").size(), 13u);
    // A sound capture leaves no error report of the stack on the console.
    EXPECT_EQ(run_.console.find("::ZalvoBACnetStack::"), std::string::npos) << run_.console;

    const std::vector<std::string> report = SplitLines(run_.report);
    for (const char* line : {"FYI: Packets received: 13", "FYI: Packets successfully processed: 13",
                             "FYI: Packets unsuccessfully processed: 0", "- Confirmed-REQ: 6 ", "- Simple-Ack: 6 ",
                             "- Unconfirmed-REQ: 1 ", "     Largest packet size: 51 bytes (Pkt: 5)"}) {
        EXPECT_TRUE(Contains(report, line)) << line;
    }
}

TEST_F(WriteCOVSample, ReportShowsWrittenPropertiesAndNotifiedValues) {
    const std::vector<std::string> client = {
        "Network Address: 192.168.20.50",
        "     Sent.Messages: 6",
        "     Recv.Messages: 7",
        "     Sent.PDU.ConfirmedRequest: 5",
        "     Sent.PDU.SimpleAck: 1",
        "     Recv.PDU.ConfirmedRequest: 1",
        "     Recv.PDU.UnconfirmedRequest: 1",
        "     Recv.PDU.SimpleAck: 5",
        "",
        "     BACnet Network: 0 (Local network)",
        "          Device Address: 0 (Local device address)",
        "",
    };
    EXPECT_EQ(Section(run_.report, "Network Address: 192.168.20.50", "Network Address: "), client);
    // WriteProperty records the object only; WritePropertyMultiple its
    // properties without values; the notifications record their values.
    const std::vector<std::string> device = {
        "Network Address: 192.168.20.20",
        "     Sent.Messages: 7",
        "     Recv.Messages: 6",
        "     Sent.PDU.ConfirmedRequest: 1",
        "     Sent.PDU.UnconfirmedRequest: 1",
        "     Sent.PDU.SimpleAck: 5",
        "     Recv.PDU.ConfirmedRequest: 5",
        "     Recv.PDU.SimpleAck: 1",
        "",
        "     BACnet Network: 0 (Local network)",
        "          Device Address: 0 (Local device address)",
        "               Object Identifier - analogValue: 1",
        "                    Property - presentValue: {No response}",
        "                    Property - description: {No response}",
        "               Object Identifier - analogOutput: 2",
        "               Object Identifier - binaryValue: 3",
        "                    Property - outOfService: {No response}",
        "                    Property - presentValue: Unknown Enumeration Value (1) (1) (Pkt: 13)",
        "                    Property - statusFlags: b0000 (Pkt: 13)",
        "               Object Identifier - analogInput: 1",
        "                    Property - presentValue: 21.5 (Pkt: 9)",
        "                    Property - statusFlags: b0000 (Pkt: 9)",
        "               Object Identifier - device: 5678",
        "",
    };
    EXPECT_EQ(Section(run_.report, "Network Address: 192.168.20.20", "---"), device);
}

TEST_F(WriteCOVSample, DocumentsCarryTheServiceData) {
    const std::string kConfirmedHeader =
        "maxAdpuLengthAccepted='0x5' maxSegmentsAccepted='0x0' moreFollows='0' segmentedMessage='0' "
        "segmentedResponseAccepted='0' ";
    const std::vector<std::pair<const char*, std::string>> documents = {
        {"write-cov.pcap__packet_001.xml",
         kRequestStart + "<ConfirmedRequestPDU invokeId='1' " + kConfirmedHeader +
             "serviceChoice='writeProperty'><WritePropertyRequest><ObjectIdentifier context='0' datatype='12' "
             "objectInstance='1' objectType='2'>analogValue, 1</ObjectIdentifier><PropertyIdentifier context='1' "
             "datatype='9' value='85'>presentValue</PropertyIdentifier><PropertyValue context='3'><Real datatype='4' "
             "value='72.5'>72.5</Real></PropertyValue><Priority context='4' datatype='2' value='8'>8</Priority>"
             "</WritePropertyRequest></ConfirmedRequestPDU></BACnetPacket>"},
        {"write-cov.pcap__packet_002.xml",
         kXmlHeader +
             "<BACnetPacket networkType='IP'><BVLL function='originalUnicastNPDU' /><NPDU control='0x00' "
             "version='1' /><SimpleAckPDU originalInvokeID='1' serviceAckChoice='writeProperty' /></BACnetPacket>"},
        {"write-cov.pcap__packet_003.xml",
         kRequestStart + "<ConfirmedRequestPDU invokeId='2' " + kConfirmedHeader +
             "serviceChoice='writeProperty'><WritePropertyRequest><ObjectIdentifier context='0' datatype='12' "
             "objectInstance='2' objectType='1'>analogOutput, 2</ObjectIdentifier><PropertyIdentifier context='1' "
             "datatype='9' value='87'>priorityArray</PropertyIdentifier><PropertyArrayIndex context='2' "
             "datatype='2' value='10'>10</PropertyArrayIndex><PropertyValue context='3'><Null datatype='0' />"
             "</PropertyValue></WritePropertyRequest></ConfirmedRequestPDU></BACnetPacket>"},
        {"write-cov.pcap__packet_007.xml",
         kRequestStart + "<ConfirmedRequestPDU invokeId='4' " + kConfirmedHeader +
             "serviceChoice='subscribeCOV'><SubscribeCOVRequest><SubscriberProcessIdentifier context='0' "
             "datatype='2' value='18'>18</SubscriberProcessIdentifier><MonitoredObjectIdentifier context='1' "
             "datatype='12' objectInstance='1' objectType='0'>analogInput, 1</MonitoredObjectIdentifier>"
             "<IssueConfirmedNotifications context='2' datatype='1' value='1'>true</IssueConfirmedNotifications>"
             "<Lifetime context='3' datatype='2' value='300'>300</Lifetime></SubscribeCOVRequest>"
             "</ConfirmedRequestPDU></BACnetPacket>"},
        {"write-cov.pcap__packet_009.xml",
         kRequestStart + "<ConfirmedRequestPDU invokeId='0' " + kConfirmedHeader +
             "serviceChoice='confirmedCOVNotification'><ConfirmedCOVNotificationRequest><SubscriberProcessIdentifier "
             "context='0' datatype='2' value='18'>18</SubscriberProcessIdentifier><InitiatingDeviceIdentifier "
             "context='1' datatype='12' objectInstance='5678' objectType='8'>device, 5678"
             "</InitiatingDeviceIdentifier><MonitoredObjectIdentifier context='2' datatype='12' objectInstance='1' "
             "objectType='0'>analogInput, 1</MonitoredObjectIdentifier><TimeRemaining context='3' datatype='2' "
             "value='300'>300</TimeRemaining><ListOfValues context='4' count='2'><PropertyValue><PropertyIdentifier "
             "context='0' datatype='9' value='85'>presentValue</PropertyIdentifier><Value context='2'><Real "
             "datatype='4' value='21.5'>21.5</Real></Value></PropertyValue><PropertyValue><PropertyIdentifier "
             "context='0' datatype='9' value='111'>statusFlags</PropertyIdentifier><Value context='2'><BitString "
             "datatype='8' length='4' unusedBits='4'>b0000</BitString></Value></PropertyValue></ListOfValues>"
             "</ConfirmedCOVNotificationRequest></ConfirmedRequestPDU></BACnetPacket>"},
        {"write-cov.pcap__packet_011.xml",
         kRequestStart + "<ConfirmedRequestPDU invokeId='5' " + kConfirmedHeader +
             "serviceChoice='subscribeCOV'><SubscribeCOVRequest><SubscriberProcessIdentifier context='0' "
             "datatype='2' value='19'>19</SubscriberProcessIdentifier><MonitoredObjectIdentifier context='1' "
             "datatype='12' objectInstance='3' objectType='5'>binaryValue, 3</MonitoredObjectIdentifier>"
             "<IssueConfirmedNotifications context='2' datatype='1' value='0'>false</IssueConfirmedNotifications>"
             "<Lifetime context='3' datatype='2' value='0'>0</Lifetime></SubscribeCOVRequest></ConfirmedRequestPDU>"
             "</BACnetPacket>"},
    };
    for (const auto& [name, text] : documents) EXPECT_EQ(ReadFile(dir_.Path() / name), text) << name;

    const std::string multiple = ReadFile(dir_.Path() / "write-cov.pcap__packet_005.xml");
    for (const char* part :
         {"<ListOfWriteAccessSpecifications count='2'>", "<ListOfProperties context='1' count='2'>",
          "<ListOfProperties context='1' count='1'>",
          "<Value context='2'><CharacterString datatype='7' encoding='0' length='4'>Zone</CharacterString></Value>",
          "<Value context='2'><Boolean datatype='1' value='1'>true</Boolean></Value>"}) {
        EXPECT_NE(multiple.find(part), std::string::npos) << part;
    }
    const std::string unconfirmed = ReadFile(dir_.Path() / "write-cov.pcap__packet_013.xml");
    EXPECT_NE(unconfirmed.find("<UnconfirmedRequestPDU serviceChoice='unconfirmedCOVNotification'>"
                               "<UnconfirmedCOVNotificationRequest>"),
              std::string::npos);
    EXPECT_NE(unconfirmed.find("<Value context='2'><Enumerated datatype='9' value='1'>Unknown Enumeration Value (1)"
                               "</Enumerated></Value>"),
              std::string::npos);
}

}  // namespace
