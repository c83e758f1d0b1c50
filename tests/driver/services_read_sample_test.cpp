// The readproperty.pcap sample end to end: a client discovers device 1234
// and reads it with ReadProperty (a value, a name, an Error answer) and
// ReadPropertyMultiple (the object list, a value, units and a property
// access error). tarnwick must decode every packet, write the expected
// documents and report the device, its objects, properties and values.
#include <gtest/gtest.h>

#include "driver/drivertestsupport.h"

namespace {

using namespace TarnwickTest;

const std::string kAckStart = kXmlHeader +
                              "<BACnetPacket networkType='IP'><BVLL function='originalUnicastNPDU' />"
                              "<NPDU control='0x00' version='1' />";

// The lines of `text` from the one equal to `first` up to, not including,
// the next one that starts with `end`.
std::vector<std::string> Section(const std::string& text, const std::string& first, const std::string& end) {
    const std::vector<std::string> lines = SplitLines(text);
    std::vector<std::string> section;
    bool inside = false;
    for (const std::string& line : lines) {
        if (!inside && line == first) inside = true;
        else if (inside && line.rfind(end, 0) == 0) break;
        if (inside) section.push_back(line);
    }
    return section;
}

class ReadPropertySample : public ::testing::Test {
protected:
    void SetUp() override {
        CopySample("readproperty.pcap", dir_.Path());
        run_ = RunTarnwick(dir_.Path(), {"readproperty.pcap"});
    }
    TempDir dir_;
    RunResult run_;
};

TEST_F(ReadPropertySample, EveryPacketDecodesAndCounts) {
    EXPECT_EQ(run_.exitCode, 0);
    const auto counters = CaptureCounters(run_.console, "readproperty.pcap");
    EXPECT_EQ(CounterValue(counters, "packet.count"), 10);
    EXPECT_EQ(CounterValue(counters, "packet.decode.error.count"), 0);
    std::vector<std::string> expectedFiles;
    for (int packet = 1; packet <= 10; ++packet) {
        char name[64];
        std::snprintf(name, sizeof name, "readproperty.pcap__packet_%03d.xml", packet);
        expectedFiles.push_back(name);
    }
    EXPECT_EQ(NamesEndingWith(dir_.Path(), ".xml"), expectedFiles);

    const std::vector<std::string> report = SplitLines(run_.report);
    for (const char* line : {"FYI: Packets received: 10", "FYI: Packets successfully processed: 10",
                             "FYI: Packets unsuccessfully processed: 0", "- Complex-Ack: 3 ", "- Confirmed-REQ: 4 ",
                             "- Error: 1 ", "- Unconfirmed-REQ: 2 "}) {
        EXPECT_TRUE(Contains(report, line)) << line;
    }
}

TEST_F(ReadPropertySample, ReportShowsTheDeviceItsObjectsPropertiesValuesAndErrors) {
    const std::vector<std::string> expected = {
        "Network Address: 192.168.10.20",
        "     Sent.Messages: 5",
        "     Recv.Messages: 4",
        "     Sent.PDU.UnconfirmedRequest: 1",
        "     Sent.PDU.ComplexAck: 3",
        "     Sent.PDU.Error: 1",
        "     Recv.PDU.ConfirmedRequest: 4",
        "",
        "     BACnet Network: 0 (Local network)",
        "          Device Address: 0 (Local device address)",
        "               Object Identifier - device: 1234",
        "                    Property - objectName: AHU-1 (Pkt: 4)",
        "               Object Identifier - analogInput: 1",
        "                    Property - presentValue: 22 (Pkt: 10), 21.5 (Pkt: 6)",
        "                    Property - units: degreesCelsius (62) (Pkt: 10)",
        "                    Property - Unknown Enumeration Value (9999): [Error: Error-class: property, "
        "Error-code: unknownProperty] (Pkt: 10)",
        "               Object Identifier - analogInput: 7",
        "                    Property - presentValue: [Error: Error-class: object, Error-code: unknownObject] (Pkt: 8)",
        "               Object Identifier - analogOutput: 1",
        "",
    };
    EXPECT_EQ(Section(run_.report, "Network Address: 192.168.10.20", "---"), expected);
}

TEST_F(ReadPropertySample, DocumentsCarryTypedValuesAndErrors) {
    const std::vector<std::pair<const char*, std::string>> documents = {
        {"readproperty.pcap__packet_004.xml",
         kAckStart +
             "<ComplexACKPDU moreFollows='0' originalInvokeId='1' segmentedMessage='0' serviceChoice='readProperty'>"
             "<ReadPropertyACK><ObjectIdentifier context='0' datatype='12' objectInstance='1234' objectType='8'>"
             "device, 1234</ObjectIdentifier><PropertyIdentifier context='1' datatype='9' value='77'>objectName"
             "</PropertyIdentifier><PropertyValue context='3'><CharacterString datatype='7' encoding='0' length='5'>"
             "AHU-1</CharacterString></PropertyValue></ReadPropertyACK></ComplexACKPDU></BACnetPacket>"},
        {"readproperty.pcap__packet_010.xml",
         kAckStart +
             "<ComplexACKPDU moreFollows='0' originalInvokeId='4' segmentedMessage='0' "
             "serviceChoice='readPropertyMultiple'><ReadPropertyMultipleACK><ListOfReadAccessResults count='2'>"
             "<ReadAccessResult><ObjectIdentifier context='0' datatype='12' objectInstance='1234' objectType='8'>"
             "device, 1234</ObjectIdentifier><ListOfResults context='1' count='1'><ReadResult>"
             "<PropertyIdentifier context='2' datatype='9' value='76'>objectList</PropertyIdentifier>"
             "<PropertyValue context='4'><ObjectIdentifier datatype='12' objectInstance='1234' objectType='8'>"
             "device, 1234</ObjectIdentifier><ObjectIdentifier datatype='12' objectInstance='1' objectType='0'>"
             "analogInput, 1</ObjectIdentifier><ObjectIdentifier datatype='12' objectInstance='1' objectType='1'>"
             "analogOutput, 1</ObjectIdentifier></PropertyValue></ReadResult></ListOfResults></ReadAccessResult>"
             "<ReadAccessResult><ObjectIdentifier context='0' datatype='12' objectInstance='1' objectType='0'>"
             "analogInput, 1</ObjectIdentifier><ListOfResults context='1' count='3'><ReadResult>"
             "<PropertyIdentifier context='2' datatype='9' value='85'>presentValue</PropertyIdentifier>"
             "<PropertyValue context='4'><Real datatype='4' value='22'>22</Real></PropertyValue></ReadResult>"
             "<ReadResult><PropertyIdentifier context='2' datatype='9' value='117'>units</PropertyIdentifier>"
             "<PropertyValue context='4'><EngineeringUnits datatype='9' value='62'>degreesCelsius</EngineeringUnits>"
             "</PropertyValue></ReadResult><ReadResult><PropertyIdentifier context='2' datatype='9' value='9999'>"
             "Unknown Enumeration Value (9999)</PropertyIdentifier><PropertyAccessError context='5'>"
             "<ErrorClass datatype='9' value='2'>property</ErrorClass><ErrorCode datatype='9' value='32'>"
             "unknownProperty</ErrorCode></PropertyAccessError></ReadResult></ListOfResults></ReadAccessResult>"
             "</ListOfReadAccessResults></ReadPropertyMultipleACK></ComplexACKPDU></BACnetPacket>"},
    };
    for (const auto& [name, text] : documents) EXPECT_EQ(ReadFile(dir_.Path() / name), text) << name;

    // The requests name what they ask for.
    const std::string request = ReadFile(dir_.Path() / "readproperty.pcap__packet_009.xml");
    EXPECT_NE(request.find("<ListOfReadAccessSpecifications count='2'>"), std::string::npos);
    EXPECT_NE(request.find("<ListOfPropertyReferences context='1' count='3'>"), std::string::npos);
    const std::string error = ReadFile(dir_.Path() / "readproperty.pcap__packet_008.xml");
    EXPECT_NE(error.find("<ErrorPDU errorChoice='readProperty' originalInvokeId='3'><Error><ErrorClass datatype='9' "
                         "value='1'>object</ErrorClass><ErrorCode datatype='9' value='31'>unknownObject</ErrorCode>"
                         "</Error></ErrorPDU>"),
              std::string::npos)
        << error;
}

}  // namespace
