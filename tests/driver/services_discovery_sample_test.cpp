// The discovery-time sample run end to end: Who-Is/I-Am, Who-Has/I-Have by
// identifier and by name, both time synchronisations, a private transfer and
// Error PDUs of eight error choices all decode, and the report shows what
// they carried.
#include <gtest/gtest.h>

#include "driver/drivertestsupport.h"

namespace {

using namespace TarnwickTest;

const std::string kCapture = "discovery-time.pcap";

std::string Document(const char* bvllFunction, const std::string& pdu) {
    return kXmlHeader + "<BACnetPacket networkType='IP'><BVLL function='" + bvllFunction +
           "' /><NPDU control='0x00' version='1' />" + pdu + "</BACnetPacket>";
}

std::string ErrorXml(const char* context, unsigned errorClass, const char* className, unsigned code,
                     const char* codeName) {
    return std::string("<Error") + (context != nullptr ? std::string(" context='") + context + "'" : "") +
           "><ErrorClass datatype='9' value='" + std::to_string(errorClass) + "'>" + className +
           "</ErrorClass><ErrorCode datatype='9' value='" + std::to_string(code) + "'>" + codeName +
           "</ErrorCode></Error>";
}

// The lines of `text` from the first line equal to `first` up to, not
// including, the next line equal to `end`.
std::vector<std::string> Section(const std::string& text, const std::string& first, const std::string& end) {
    std::vector<std::string> section;
    bool inside = false;
    for (const std::string& line : SplitLines(text)) {
        if (!inside && line == first) inside = true;
        if (!inside) continue;
        if (line == end) break;
        section.push_back(line);
    }
    return section;
}

class DiscoveryTimeSample : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        dir_ = new TempDir();
        CopySample(kCapture, dir_->Path());
        run_ = new RunResult(RunTarnwick(dir_->Path(), {kCapture}));
    }
    static void TearDownTestSuite() {
        delete run_;
        delete dir_;
        run_ = nullptr;
        dir_ = nullptr;
    }
    static std::string PacketXml(int packet) {
        char name[64];
        std::snprintf(name, sizeof name, "%s__packet_%03d.xml", kCapture.c_str(), packet);
        return ReadFile(dir_->Path() / name);
    }

    static TempDir* dir_;
    static RunResult* run_;
};

TempDir* DiscoveryTimeSample::dir_ = nullptr;
RunResult* DiscoveryTimeSample::run_ = nullptr;

TEST_F(DiscoveryTimeSample, EveryPacketDecodes) {
    EXPECT_EQ(run_->exitCode, 0);
    const std::vector<std::pair<std::string, int>> expected = {{"packet.count", 17},
                                                               {"packet.decode.error.count", 0},
                                                               {"packet.not.udp.skip.count", 0},
                                                               {"packet.write.error.count", 0}};
    EXPECT_EQ(CaptureCounters(run_->console, kCapture), expected);
    EXPECT_EQ(NamesEndingWith(dir_->Path(), ".xml").size(), 17u);
    // The only stack report: the VT-Close session list ends where an
    // Unsigned fails to decode on its closing tag.
    std::vector<std::string> stackReports;
    for (const std::string& line : SplitLines(run_->console)) {
        if (line.rfind("::ZalvoBACnetStack::", 0) == 0) stackReports.push_back(line);
    }
    ASSERT_EQ(stackReports.size(), 1u);
    EXPECT_NE(stackReports[0].find("BACnetPrimitiveUINT::Decode() in file: bacnetprimitiveuint("), std::string::npos);
    EXPECT_TRUE(stackReports[0].ends_with(") - Tag value out of range")) << stackReports[0];
}

TEST_F(DiscoveryTimeSample, DocumentsShowEachServiceAndErrorType) {
    const std::string limits =
        "<DeviceInstanceRangeLowLimit context='0' datatype='2' value='100'>100</DeviceInstanceRangeLowLimit>"
        "<DeviceInstanceRangeHighLimit context='1' datatype='2' value='200'>200</DeviceInstanceRangeHighLimit>";
    const std::string outdoorAir = "encoding='0' length='11'>Outdoor Air</ObjectName>";
    const std::string dateTime =
        "<DateTime><Date datatype='10' day='5' month='3' weekday='2' year='124'>March, 5, 2024, Tuesday</Date>";
    const std::vector<std::pair<int, std::string>> documents = {
        {1, Document("originalBroadcastNPDU", "<UnconfirmedRequestPDU serviceChoice='whoIs'><WhoIsRequest>" + limits +
                                                  "</WhoIsRequest></UnconfirmedRequestPDU>")},
        {2, Document("originalBroadcastNPDU",
                     "<UnconfirmedRequestPDU serviceChoice='iAm'><IAmRequest><IAmDeviceIdentifier datatype='12' "
                     "objectInstance='150' objectType='8'>device, 150</IAmDeviceIdentifier><MaxAPDULengthAccepted "
                     "datatype='2' value='480'>480</MaxAPDULengthAccepted><SegmentationSupported datatype='9' "
                     "value='3'>noSegmentation</SegmentationSupported><VendorId datatype='2' value='15'>15</VendorId>"
                     "</IAmRequest></UnconfirmedRequestPDU>")},
        {3, Document("originalBroadcastNPDU",
                     "<UnconfirmedRequestPDU serviceChoice='whoHas'><WhoHasRequest>" + limits +
                         "<ObjectIdentifier context='2' datatype='12' objectInstance='5' objectType='0'>analogInput, 5"
                         "</ObjectIdentifier></WhoHasRequest></UnconfirmedRequestPDU>")},
        {4, Document("originalBroadcastNPDU",
                     "<UnconfirmedRequestPDU serviceChoice='iHave'><IHaveRequest><DeviceIdentifier datatype='12' "
                     "objectInstance='150' objectType='8'>device, 150</DeviceIdentifier><ObjectIdentifier "
                     "datatype='12' objectInstance='5' objectType='0'>analogInput, 5</ObjectIdentifier><ObjectName "
                     "datatype='7' " +
                         outdoorAir + "</IHaveRequest></UnconfirmedRequestPDU>")},
        {5, Document("originalBroadcastNPDU",
                     "<UnconfirmedRequestPDU serviceChoice='whoHas'><WhoHasRequest><ObjectName context='3' "
                     "datatype='7' " +
                         outdoorAir + "</WhoHasRequest></UnconfirmedRequestPDU>")},
        {7, Document("originalBroadcastNPDU",
                     "<UnconfirmedRequestPDU serviceChoice='timeSynchronization'><TimeSynchronizationRequest>" +
                         dateTime +
                         "<Time datatype='11' hour='14' hundrethSeconds='7' minute='5' second='3'>14:5:3.7</Time>"
                         "</DateTime></TimeSynchronizationRequest></UnconfirmedRequestPDU>")},
        {8, Document("originalBroadcastNPDU",
                     "<UnconfirmedRequestPDU serviceChoice='utcTimeSynchronization'><UTCTimeSynchronizationRequest>" +
                         dateTime +
                         "<Time datatype='11' hour='13' hundrethSeconds='7' minute='5' second='3'>13:5:3.7</Time>"
                         "</DateTime></UTCTimeSynchronizationRequest></UnconfirmedRequestPDU>")},
        {9, Document("originalUnicastNPDU",
                     "<UnconfirmedRequestPDU serviceChoice='unconfirmedPrivateTransfer'>"
                     "<UnconfirmedPrivateTransferRequest><UnsignedInteger context='0' datatype='2' value='15'>15"
                     "</UnsignedInteger><UnsignedInteger context='1' datatype='2' value='2'>2</UnsignedInteger>"
                     "<AbstractSyntaxtType><UnsignedInteger datatype='2' value='42'>42</UnsignedInteger>"
                     "<CharacterString datatype='7' encoding='0' length='2'>OK</CharacterString></AbstractSyntaxtType>"
                     "</UnconfirmedPrivateTransferRequest></UnconfirmedRequestPDU>")},
        {10, Document("originalUnicastNPDU", "<ErrorPDU errorChoice='readProperty' originalInvokeId='1'>" +
                                                 ErrorXml(nullptr, 2, "property", 32, "unknownProperty") +
                                                 "</ErrorPDU>")},
        {11, Document("originalUnicastNPDU",
                      "<ErrorPDU errorChoice='addListElement' originalInvokeId='2'><ChangeListError>" +
                          ErrorXml("0", 2, "property", 37, "valueOutOfRange") +
                          "<FirstFailedElementNumber context='1' datatype='2' value='2'>2</FirstFailedElementNumber>"
                          "</ChangeListError></ErrorPDU>")},
        {12, Document("originalUnicastNPDU",
                      "<ErrorPDU errorChoice='writePropertyMultiple' originalInvokeId='3'><WritePropertyMultipleError>" +
                          ErrorXml("0", 2, "property", 40, "writeAccessDenied") +
                          "<ObjectPropertyReference context='1'><ObjectIdentifier context='0' datatype='12' "
                          "objectInstance='1' objectType='2'>analogValue, 1</ObjectIdentifier><PropertyIdentifier "
                          "context='1' datatype='9' value='85'>presentValue</PropertyIdentifier>"
                          "</ObjectPropertyReference></WritePropertyMultipleError></ErrorPDU>")},
        {13, Document("originalUnicastNPDU",
                      "<ErrorPDU errorChoice='createObject' originalInvokeId='4'><CreateObjectError>" +
                          ErrorXml("0", 1, "object", 18, "noSpaceForObject") +
                          "<FirstFailedElementNumber context='1' datatype='2' value='0'>0</FirstFailedElementNumber>"
                          "</CreateObjectError></ErrorPDU>")},
        {14, Document("originalUnicastNPDU",
                      "<ErrorPDU errorChoice='subscribeCOVPropertyMultiple' originalInvokeId='5'>"
                      "<SubscribeCOVPropertyMultipleError><FirstFailedSubscription context='1'>"
                      "<MonitoredObjectIdentifier context='0' datatype='12' objectInstance='5' objectType='0'>"
                      "analogInput, 5</MonitoredObjectIdentifier><MonitoredPropertyReference context='1'>"
                      "<PropertyIdentifier context='0' datatype='9' value='85'>presentValue</PropertyIdentifier>"
                      "</MonitoredPropertyReference>" +
                          ErrorXml("2", 2, "property", 44, "notCovProperty") +
                          "</FirstFailedSubscription></SubscribeCOVPropertyMultipleError></ErrorPDU>")},
        {15, Document("originalUnicastNPDU",
                      "<ErrorPDU errorChoice='vtClose' originalInvokeId='6'><VTCloseError>" +
                          ErrorXml("0", 6, "vt", 35, "unknownVtSession") +
                          "<ListOfVtSessionIdentifiers context='1' count='2'><UnsignedInteger datatype='2' "
                          "value='1'>1</UnsignedInteger><UnsignedInteger datatype='2' value='2'>2</UnsignedInteger>"
                          "</ListOfVtSessionIdentifiers></VTCloseError></ErrorPDU>")},
        {16, Document("originalUnicastNPDU",
                      "<ErrorPDU errorChoice='confirmedPrivateTransfer' originalInvokeId='7'>"
                      "<ConfirmedPrivateTransferError>" +
                          ErrorXml("0", 5, "services", 0, "other") +
                          "<VendorId context='1' datatype='2' value='15'>15</VendorId><ServiceNumber context='2' "
                          "datatype='2' value='2'>2</ServiceNumber></ConfirmedPrivateTransferError></ErrorPDU>")},
        {17, Document("originalUnicastNPDU", "<ErrorPDU errorChoice='deviceCommunicationControl' originalInvokeId='8'>" +
                                                 ErrorXml(nullptr, 5, "services", 26, "passwordFailure") +
                                                 "</ErrorPDU>")},
    };
    for (const auto& [packet, text] : documents) EXPECT_EQ(PacketXml(packet), text) << "packet " << packet;
}

TEST_F(DiscoveryTimeSample, ReportCountsThePDUsAndNamesTheAnnouncedObjects) {
    const std::vector<std::string> expected = {
        " QUORIX REPORT TOOL v1.0.0",
        "---------------------------------------------------",
        "FYI: Packets received: 17",
        "FYI: Packets successfully processed: 17",
        "FYI: Packets unsuccessfully processed: 0",
        "",
        "Global PDU Count",
        "-------------------",
        "- Error: 8 ",
        "- Unconfirmed-REQ: 9 ",
        "",
        "Packet Statistics",
        "-------------------",
        "Packet size stats:",
        "     Average packet size: 20 bytes",
        "     Largest packet size: 32 bytes (Pkt: 4)",
        "     Smallest packet size: 12 bytes (Pkt: 1)",
        "",
        "     Packets with size 1-60 bytes: 17 (100%)",
        "     Packets with size 61-100 bytes: 0 (0%)",
        "     Packets with size 101-300 bytes: 0 (0%)",
        "     Packets with size 301-1200 bytes: 0 (0%)",
        "     Packets with size 1201+ bytes: 0 (0%)",
        "",
        "Hop count stats:",
        "",
        "     Packets with hop count 1-49: 0 (0%)",
        "     Packets with hop count 50-99: 0 (0%)",
        "     Packets with hop count 100-249: 0 (0%)",
        "     Packets with hop count 250-255: 0 (0%)",
        "",
        "Networks Information",
        "-------------------",
        "Network Address: 192.168.3.10",
        "     Sent.Messages: 6",
        "     Recv.Messages: 8",
        "     Sent.PDU.UnconfirmedRequest: 6",
        "     Recv.PDU.Error: 8",
        "",
        "     BACnet Network: 0 (Local network)",
        "          Device Address: 0 (Local device address)",
        "",
        "Network Address: 192.168.3.255",
        "     Recv.Messages: 8",
        "     Recv.PDU.UnconfirmedRequest: 8",
        "",
        "     BACnet Network: 0 (Local network)",
        "          Device Address: 0 (Local device address)",
        "",
        "Network Address: 192.168.3.20",
        "     Sent.Messages: 10",
        "     Recv.Messages: 1",
        "     Sent.PDU.UnconfirmedRequest: 2",
        "     Sent.PDU.Error: 8",
        "     Recv.PDU.UnconfirmedRequest: 1",
        "",
        "     BACnet Network: 0 (Local network)",
        "          Device Address: 0 (Local device address)",
        "               Object Identifier - device: 150",
        "               Object Identifier - analogInput: 5",
        "",
        "Network Address: 192.168.3.21",
        "     Sent.Messages: 1",
        "     Sent.PDU.UnconfirmedRequest: 1",
        "",
        "     BACnet Network: 0 (Local network)",
        "          Device Address: 0 (Local device address)",
        "               Object Identifier - device: 151",
        "               Object Identifier - analogValue: 2",
        "",
    };
    // The report runs from its title to the separator before the session stats.
    const std::vector<std::string> report =
        Section(run_->report, " QUORIX REPORT TOOL v1.0.0", "FYI: Global session stats:");
    ASSERT_GE(report.size(), 2u);
    EXPECT_EQ(report.back(), "---------------------------------------------------");
    EXPECT_EQ(std::vector<std::string>(report.begin(), report.end() - 1), expected);
    // The console shows the same report.
    EXPECT_EQ(Section(run_->console, " QUORIX REPORT TOOL v1.0.0", "FYI: Global session stats:"), report);
}

}  // namespace
