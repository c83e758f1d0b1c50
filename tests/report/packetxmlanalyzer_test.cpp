#include "report/packetxmlanalyzer.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "analyzerfixture.h"

namespace Tarnwick {
namespace {

const std::string kC = "192.168.1.10";
const std::string kS = "192.168.1.20";

std::string E(const std::string& message) { return "Error: (Packet 12) " + message; }
std::string W(const std::string& message) { return "WARNING: (Packet 12) " + message; }

// An address record with one device "0" on the local network holding `objects`.
std::string Local(const std::string& ip, const std::string& objects = "") { return ip + "{0{'0'{" + objects + "}}}"; }
std::string Bare(const std::string& ip) { return ip + "{}"; }

std::string Confirmed(const std::string& body, const std::string& invokeId = "7") {
    std::string attributes = invokeId.empty() ? "" : "invokeId='" + invokeId + "' ";
    return "<ConfirmedRequestPDU " + attributes +
           "maxAdpuLengthAccepted='0x5' maxSegmentsAccepted='0x0' moreFollows='0' segmentedMessage='0' "
           "segmentedResponseAccepted='0' serviceChoice='readProperty'>" +
           body + "</ConfirmedRequestPDU>";
}
std::string Unconfirmed(const std::string& body) {
    return "<UnconfirmedRequestPDU serviceChoice='iAm'>" + body + "</UnconfirmedRequestPDU>";
}
std::string ComplexAck(const std::string& body) {
    return "<ComplexACKPDU moreFollows='0' originalInvokeId='7' segmentedMessage='0' serviceChoice='readProperty'>" +
           body + "</ComplexACKPDU>";
}
std::string ErrorPdu(const std::string& body, const std::string& originalInvokeId = "7") {
    std::string attributes = originalInvokeId.empty() ? "" : " originalInvokeId='" + originalInvokeId + "'";
    return "<ErrorPDU errorChoice='readProperty'" + attributes + ">" + body + "</ErrorPDU>";
}
std::string Error(const std::string& errorClass, const std::string& errorCode) {
    return "<Error>" + errorClass + errorCode + "</Error>";
}
const std::string kErrorClass = "<ErrorClass datatype='9' value='2'>property</ErrorClass>";
const std::string kErrorCode = "<ErrorCode datatype='9' value='32'>unknownProperty</ErrorCode>";

std::string ReadProperty(const std::string& objectId, const std::string& rest) {
    return "<ReadPropertyRequest>" + objectId + rest + "</ReadPropertyRequest>";
}
std::string ReadPropertyAck(const std::string& rest) {
    return ComplexAck("<ReadPropertyACK>" + ObjectId(0, 1) + rest + "</ReadPropertyACK>");
}
std::string PropertyValueOf(const std::string& inner) {
    return inner.empty() ? "<PropertyValue context='3' />" : "<PropertyValue context='3'>" + inner + "</PropertyValue>";
}
std::string ListOfValues(const std::string& values, int count) {
    return "<ListOfValues context='4' count='" + std::to_string(count) + "'>" + values + "</ListOfValues>";
}
std::string ValueEntry(const std::string& property, const std::string& value) {
    return "<PropertyValue>" + PropertyId(property, "0") + "<Value context='2'>" + value + "</Value></PropertyValue>";
}
std::string CovNotification(const std::string& element, const std::string& afterInitiating) {
    return "<" + element +
           "><SubscriberProcessIdentifier context='0' datatype='2' value='1'>1</SubscriberProcessIdentifier>" +
           ObjectId(8, 5, "InitiatingDeviceIdentifier", "context='1' ") + afterInitiating + "</" + element + ">";
}
const std::string kCovBody =
    ObjectId(0, 1, "MonitoredObjectIdentifier", "context='2' ") +
    "<TimeRemaining context='3' datatype='2' value='60'>60</TimeRemaining>" +
    ListOfValues(ValueEntry("presentValue", RealValue("72.5")) + ValueEntry("statusFlags",
                                                                            "<BitString datatype='8' length='4' "
                                                                            "unusedBits='4'>0000</BitString>"),
                 2);

struct Row {
    const char* label;
    std::string xml;
    std::string printed;
    std::string tree;
    bool failed;
};

void ExpectRows(const std::vector<Row>& rows) {
    for (const Row& row : rows) {
        SCOPED_TRACE(row.label);
        ScopedReportDirectory directory;
        PacketInfoDB db;
        EXPECT_EQ(Analyze(db, row.xml), row.printed);
        EXPECT_EQ(TreeText(db), row.tree);
        EXPECT_EQ(db.packetsReceived, 1u);
        EXPECT_EQ(db.packetsFailed, row.failed ? 1u : 0u);
        EXPECT_EQ(db.packetsSucceeded, row.failed ? 0u : 1u);
    }
}

TEST(PacketXmlAnalyzer, ReadsNumbersWithTheUnsignedPattern) {
    const char* texts[] = {"0", "5", " 12", "\t7x", "+8", "-1", "-5", "4294967295", "0x10", "12abc", "007"};
    for (const char* text : texts) {
        SCOPED_TRACE(text);
        unsigned expected = 0;
        ASSERT_EQ(std::sscanf(text, "%u", &expected), 1);
        EXPECT_EQ(ReadUnsignedText(text), expected);
    }
    for (const char* text : {"", " ", "abc", "+", "-", "x1"}) {
        SCOPED_TRACE(text);
        EXPECT_EQ(ReadUnsignedText(text), std::nullopt);
    }
    EXPECT_EQ(ReadUnsignedText(nullptr), std::nullopt);
    // Beyond 32 bits the value saturates instead of wrapping to a small number.
    EXPECT_EQ(ReadUnsignedText("4294967296"), 4294967295u);
    EXPECT_EQ(ReadUnsignedText("99999999999999999999999"), 4294967295u);
    EXPECT_EQ(ReadUnsignedText("-4294967296"), 4294967295u);
}

TEST(PacketXmlAnalyzer, ReadsSixteenBitNumbersLikeStreamExtraction) {
    const char* texts[] = {"0", "5", " 65535", "65536", "70000", "abc", "", "12abc", "+8", "-1", "0x10", "\n300"};
    for (const char* text : texts) {
        SCOPED_TRACE(text);
        std::istringstream stream(text);
        uint16_t expected = 0;
        stream >> expected;
        EXPECT_EQ(ReadUnsigned16Text(text), expected);
    }
    EXPECT_EQ(ReadUnsigned16Text(nullptr), 0);
}

TEST(PacketXmlAnalyzer, RecordsAWhoIsBroadcastFromTheRenderedDocument) {
    // The stack's rendering of 81 0B 00 0C 01 20 FF FF 00 FF 10 08.
    const std::string xml = std::string(kHeader) +
                            "<BACnetPacket networkType='IP'><BVLL function='originalBroadcastNPDU' /><NPDU "
                            "control='0x20' version='1'><DestinationNetwork>65535</DestinationNetwork>"
                            "<DestinationAddress length='0' /><HopCount>255</HopCount></NPDU><UnconfirmedRequestPDU "
                            "serviceChoice='whoIs'><WhoIsRequest /></UnconfirmedRequestPDU></BACnetPacket>";
    ScopedReportDirectory directory;
    PacketInfoDB db;
    EXPECT_EQ(Analyze(db, xml, 3, kClient, {255, 255, 255, 255}, 12), "");
    EXPECT_EQ(TreeText(db), Local(kC) + " 255.255.255.255{65535{'0'{}}}");
    EXPECT_EQ(db.packetsSucceeded, 1u);
    EXPECT_EQ(db.pduCounts.at("Unconfirmed-REQ"), 1);
    EXPECT_EQ(CountersText(db.networkAddresses[0]), "Sent.Messages=1,Sent.PDU.UnconfirmedRequest=1");
    EXPECT_EQ(CountersText(db.networkAddresses[1]), "Recv.Messages=1,Recv.PDU.UnconfirmedRequest=1");
    EXPECT_EQ(db.packetStats.GetCount(PacketStats::kSize1To60), 1u);
    EXPECT_EQ(db.packetStats.GetCount(PacketStats::kHop250To255), 1u);
    EXPECT_EQ(db.packetStats.LowestHopCountPacket(), 3);
}

TEST(PacketXmlAnalyzer, EachPduKindCountsItsLabelAndBuckets) {
    struct KindRow {
        std::string pdu;
        const char* label;
        const char* sent;
        const char* received;
    };
    const KindRow rows[] = {
        {Confirmed("<WritePropertyRequest>" + ObjectId(0, 1) + "</WritePropertyRequest>"), "Confirmed-REQ",
         "Sent.PDU.ConfirmedRequest", "Recv.PDU.ConfirmedRequest"},
        {Unconfirmed("<WhoIsRequest />"), "Unconfirmed-REQ", "Sent.PDU.UnconfirmedRequest",
         "Recv.PDU.UnconfirmedRequest"},
        {ReadPropertyAck(PropertyId("presentValue") + PropertyValueOf(RealValue("1"))), "Complex-Ack",
         "Sent.PDU.ComplexAck", "Recv.PDU.ComplexAck"},
        {"<SimpleAckPDU originalInvokeID='7' serviceAckChoice='writeProperty' />", "Simple-Ack", "Sent.PDU.SimpleAck",
         "Recv.PDU.SimpleAck"},
        {"<AbortPDU abortReason='other' originalInvokeId='7' server='1' />", "Abort", "Sent.PDU.Abort",
         "Recv.PDU.Abort"},
        {ErrorPdu(Error(kErrorClass, kErrorCode)), "Error", "Sent.PDU.Error", "Recv.PDU.Error"},
        {"<RejectPDU originalInvokeId='7' rejectReason='other' />", "Reject", "Sent.PDU.Reject", "Recv.PDU.Reject"},
    };
    for (const KindRow& row : rows) {
        SCOPED_TRACE(row.label);
        ScopedReportDirectory directory;
        PacketInfoDB db;
        EXPECT_EQ(Analyze(db, PacketXml("", row.pdu)), "");
        ASSERT_EQ(db.pduCounts.size(), 1u);
        EXPECT_EQ(db.pduCounts.at(row.label), 1);
        ASSERT_EQ(db.networkAddresses.size(), 2u);
        EXPECT_EQ(CountersText(db.networkAddresses[0]), std::string("Sent.Messages=1,") + row.sent + "=1");
        EXPECT_EQ(CountersText(db.networkAddresses[1]), std::string("Recv.Messages=1,") + row.received + "=1");
        EXPECT_EQ(db.packetsSucceeded, 1u);
    }
}

TEST(PacketXmlAnalyzer, DispatchFollowsTheTableOrderNotTheDocumentOrder) {
    ScopedReportDirectory directory;
    PacketInfoDB db;
    // The invoke ID comes from the first element after NPDU; the kind from the table.
    const std::string xml =
        PacketXml("", "<RejectPDU originalInvokeId='4' rejectReason='other' />" +
                          Confirmed(ReadProperty(ObjectId(0, 1), PropertyId("presentValue")), "") + "");
    EXPECT_EQ(
        Analyze(db, xml),
        E("ReadPropertyRequest: Could not retrieve all the necessary information to save in the PacketInfoDB \n"));
    EXPECT_EQ(db.pduCounts.count("Reject"), 0u);
    EXPECT_EQ(db.pduCounts.at("Confirmed-REQ"), 1);
    EXPECT_EQ(db.originalInvokeId, 4u);
    EXPECT_FALSE(db.invokeId.has_value());
}

TEST(PacketXmlAnalyzer, LayoutAndPduFaults) {
    const std::string noPduMessages =
        E("no PDU element found \n") +
        E("Couldn't find the XML element specifying the PDU. Expecting ConfirmedRequestPDU, UnconfirmedRequestPDU, "
          "SimpleAckPDU, ComplexACKPDU, AbortPDU, ErrorPDU or RejectPDU \n");
    const std::string layout = E("Unexpected XML Layout. Expecting BACnetPacket/BVLL/NPDU \n");
    ExpectRows({
        {"no PDU element", PacketXml("", ""), noPduMessages, Bare(kC) + " " + Bare(kS), true},
        {"unknown PDU element", PacketXml("", "<SegmentAckPDU />"),
         E("Couldn't find the XML element specifying the PDU. Expecting ConfirmedRequestPDU, UnconfirmedRequestPDU, "
           "SimpleAckPDU, ComplexACKPDU, AbortPDU, ErrorPDU or RejectPDU \n"),
         Bare(kC) + " " + Bare(kS), true},
        {"other root", std::string(kHeader) + "<Packet><BVLL /><NPDU /></Packet>", layout, "", true},
        {"no BVLL", std::string(kHeader) + "<BACnetPacket><NPDU /><SimpleAckPDU /></BACnetPacket>", layout, "", true},
        {"NPDU before BVLL", std::string(kHeader) + "<BACnetPacket><NPDU /><BVLL /></BACnetPacket>", layout, "", true},
        {"BVLL only", std::string(kHeader) + "<BACnetPacket networkType='IP'><BVLL function='result' /></BACnetPacket>",
         layout, "", true},
    });
}

TEST(PacketXmlAnalyzer, LayoutFaultsRecordNoSizeAndNoAddress) {
    ScopedReportDirectory directory;
    PacketInfoDB db;
    Analyze(db, std::string(kHeader) + "<BACnetPacket><BVLL /></BACnetPacket>");
    EXPECT_EQ(db.packetStats.TotalSize(), 0u);
    EXPECT_FALSE(db.packetStats.HasSmallestSize());
    EXPECT_TRUE(db.networkAddresses.empty());

    // Without a PDU element the size still counts and both addresses exist.
    Analyze(db, PacketXml("", ""), 13, kClient, kServer, 40);
    EXPECT_EQ(db.packetStats.TotalSize(), 40u);
    ASSERT_EQ(db.networkAddresses.size(), 2u);
    EXPECT_EQ(CountersText(db.networkAddresses[0]), "");
    EXPECT_EQ(db.packetsFailed, 2u);
}

TEST(PacketXmlAnalyzer, FallbackParseStripsNulAndHighBytes) {
    struct ParseRow {
        const char* label;
        std::string xml;
        std::string printed;
        std::string value;  // recorded presentValue, empty when none
    };
    const std::string ok = PacketXml(
        "", ReadPropertyAck(PropertyId("presentValue") + PropertyValueOf("<CharacterString datatype='7' encoding='0' "
                                                                         "length='4'>d\xC2\xB0"
                                                                         "C\x01</CharacterString>")));
    std::string withNul = ok;
    withNul.insert(withNul.find("<ComplexACKPDU"), std::string("\0", 1));
    const ParseRow rows[] = {
        {"parses at once: high bytes and 0x01 are kept", ok, "",
         "d\xC2\xB0"
         "C\x01"},
        {"NUL inside the root: second parse without the stripped bytes", withNul, "", "dC"},
        {"broken beyond repair", std::string(kHeader) + "<BACnetPacket><BVLL />",
         E("XML Could not be parsed correctly after stripping unrecognizable characters. XML Error message "
           "[Error=XML_ERROR_PARSING ErrorID=15 (0xf) Line number=1] \n"),
         ""},
        {"nesting deeper than the parser allows",
         [] {
             std::string deep = PacketXml("", "");
             const size_t inside = deep.find("</BACnetPacket>");
             std::string nested;
             for (int i = 0; i < 150; ++i) nested += "<V>";
             for (int i = 0; i < 150; ++i) nested += "</V>";
             return deep.insert(inside, nested);
         }(),
         E("XML Could not be parsed correctly after stripping unrecognizable characters. XML Error message "
           "[Error=XML_ELEMENT_DEPTH_EXCEEDED ErrorID=18 (0x12) Line number=1: Element nesting is too deep.] \n"),
         ""},
        {"empty text", "",
         E("XML Could not be parsed correctly after stripping unrecognizable characters. XML Error message "
           "[Error=XML_ERROR_EMPTY_DOCUMENT ErrorID=13 (0xd) Line number=0] \n"),
         ""},
    };
    for (const ParseRow& row : rows) {
        SCOPED_TRACE(row.label);
        ScopedReportDirectory directory;
        PacketInfoDB db;
        EXPECT_EQ(Analyze(db, row.xml), row.printed);
        const bool parsed = !row.value.empty();
        EXPECT_EQ(db.packetsSucceeded, parsed ? 1u : 0u);
        EXPECT_EQ(db.packetsFailed, parsed ? 0u : 1u);
        if (parsed) {
            EXPECT_EQ(TreeText(db), Local(kC, "0:1{presentValue[12=" + row.value + "]}") + " " + Bare(kS));
        } else {
            EXPECT_TRUE(db.networkAddresses.empty());
        }
    }
}

TEST(PacketXmlAnalyzer, EveryCutOfADocumentIsAnalysedWithoutHarm) {
    const std::string results = "<ListOfResults context='1' count='2'><ReadResult>" + PropertyId("presentValue", "2") +
                                "<PropertyValue context='4'>" + RealValue("72.5") +
                                "</PropertyValue></ReadResult><ReadResult>" + PropertyId("units", "2") +
                                "<PropertyAccessError context='5'>" + kErrorClass + kErrorCode +
                                "</PropertyAccessError></ReadResult></ListOfResults>";
    const std::string xml = PacketXml(
        "<DestinationNetwork>5</DestinationNetwork><DestinationAddress length='1'>0x0A</DestinationAddress>"
        "<HopCount>255</HopCount>",
        ComplexAck("<ReadPropertyMultipleACK><ListOfReadAccessResults count='1'><ReadAccessResult>" + ObjectId(0, 1) +
                   results + "</ReadAccessResult></ListOfReadAccessResults></ReadPropertyMultipleACK>"));
    ScopedReportDirectory directory;
    PacketInfoDB db;
    const std::vector<uint8_t> frame = FrameBetween(kClient, kServer);
    CapturePrinted([&] {
        for (size_t cut = 0; cut <= xml.size(); ++cut) {
            const std::string text = xml.substr(0, cut);
            ProcessPacketXml(db, text.c_str(), frame.data(), static_cast<uint32_t>(frame.size()),
                             static_cast<uint32_t>(cut), 40, static_cast<uint32_t>(cut));
        }
    });
    EXPECT_EQ(db.packetsReceived, xml.size() + 1);
    EXPECT_EQ(db.packetsSucceeded + db.packetsFailed, db.packetsReceived);
    EXPECT_EQ(db.packetsSucceeded, 1u);  // only the whole document
    const std::string last = std::to_string(xml.size());
    EXPECT_EQ(TreeText(db), Local(kC, "0:1{presentValue[" + last + "=72.5],units[" + last +
                                          "=[Error: Error-class: property, Error-code: unknownProperty]]}") +
                                " " + kS + "{}");
}

TEST(PacketXmlAnalyzer, ShortOrMissingFramesAreRefused) {
    const std::string xml = PacketXml("", Unconfirmed("<WhoIsRequest />"));
    for (uint32_t length : {0u, 26u, 33u}) {
        SCOPED_TRACE(length);
        ScopedReportDirectory directory;
        PacketInfoDB db;
        const std::vector<uint8_t> frame = FrameBetween(kClient, kServer);
        const std::string printed = CapturePrinted([&] {
            ProcessPacketXml(db, xml.c_str(), length == 0 ? nullptr : frame.data(), length, 12, 30,
                             static_cast<uint32_t>(xml.size()));
        });
        EXPECT_EQ(printed, E("The frame has " + std::to_string(length) +
                             " bytes, too few to hold the IPv4 source and destination addresses at bytes 26 to 33 \n"));
        EXPECT_EQ(db.packetsFailed, 1u);
        EXPECT_TRUE(db.networkAddresses.empty());
        EXPECT_TRUE(db.pduCounts.empty());
        EXPECT_EQ(db.packetStats.TotalSize(), 30u);
    }
}

TEST(PacketXmlAnalyzer, ReadsNpduAddressing) {
    const std::string whoIs = Unconfirmed("<WhoIsRequest />");
    const std::string sourceSpec =
        "<SourceNetwork>7</SourceNetwork><SourceAddress length='6'>0xC0A8010ABAC0</SourceAddress>";
    const std::string destinationSpec =
        "<DestinationNetwork>5</DestinationNetwork><DestinationAddress length='1'>0x0A</DestinationAddress>";
    struct NpduRow {
        const char* label;
        std::string npdu;
        std::string printed;
        std::string tree;
        int hopCount;  // -1: none recorded
    };
    const NpduRow rows[] = {
        {"local", "", "", Local(kC) + " " + Local(kS), -1},
        {"destination only", destinationSpec + "<HopCount>254</HopCount>", "", Local(kC) + " " + kS + "{5{'0x0A'{}}}",
         254},
        {"source only", sourceSpec, "", kC + "{7{'0xC0A8010ABAC0'{}}} " + Local(kS), -1},
        {"both: anchored at the source", destinationSpec + "<HopCount>254</HopCount>" + sourceSpec, "",
         kC + "{7{'0xC0A8010ABAC0'{}}} " + Local(kS), -1},
        {"source anchor without text", "<SourceNetwork /><SourceAddress length='1'>0x01</SourceAddress>",
         W("NPDU/SourceNetwork: Failed to get element text. Assuming local network (0) \n"),
         kC + "{0{'0x01'{}}} " + Local(kS), -1},
        {"destination anchor without text",
         "<DestinationNetwork /><DestinationAddress length='0' /><HopCount>255</HopCount>",
         W("NPDU/DestinationNetwork: Failed to get element text. Assuming local network (0)  \n"),
         Local(kC) + " " + Local(kS), 255},
        {"following destination without text", "<SourceNetwork>7</SourceNetwork><DestinationNetwork />",
         W("NPDU/DestinationNetwork: Failed to get element text. Assuming local network (0)  \n"),
         kC + "{7{'0'{}}} " + Local(kS), -1},
        {"a source network anchors even after a destination network",
         "<DestinationNetwork>5</DestinationNetwork><SourceNetwork />",
         W("NPDU/SourceNetwork: Failed to get element text. Assuming local network (0) \n"),
         Local(kC) + " " + Local(kS), -1},
        {"hop count without text", "<DestinationNetwork>5</DestinationNetwork><HopCount />",
         W("NPDU/HopCount: Failed to get element text  \n"), Local(kC) + " " + kS + "{5{'0'{}}}", -1},
        {"hop count keeps its low 8 bits", "<DestinationNetwork>5</DestinationNetwork><HopCount>300</HopCount>", "",
         Local(kC) + " " + kS + "{5{'0'{}}}", 44},
        {"unreadable and oversized networks",
         "<DestinationNetwork>abc</DestinationNetwork><SourceNetwork>70000</SourceNetwork>", "",
         kC + "{65535{'0'{}}} " + Local(kS), -1},
        {"address element without text", "<SourceNetwork>7</SourceNetwork><SourceAddress length='0' />", "",
         kC + "{7{'0'{}}} " + Local(kS), -1},
    };
    for (const NpduRow& row : rows) {
        SCOPED_TRACE(row.label);
        ScopedReportDirectory directory;
        PacketInfoDB db;
        EXPECT_EQ(Analyze(db, PacketXml(row.npdu, whoIs)), row.printed);
        EXPECT_EQ(TreeText(db), row.tree);
        EXPECT_EQ(db.packetsSucceeded, 1u);  // warnings are not faults
        EXPECT_EQ(db.packetStats.HasLowestHopCount(), row.hopCount >= 0);
        if (row.hopCount >= 0) {
            EXPECT_EQ(db.packetStats.LowestHopCount(), row.hopCount);
        }
    }
}

TEST(PacketXmlAnalyzer, ConfirmedReadPropertyRequests) {
    const std::string retrieve =
        E("ReadPropertyRequest: Could not retrieve all the necessary information to save in the PacketInfoDB \n");
    const std::string server = " " + kS;
    ExpectRows({
        {"complete", PacketXml("", Confirmed(ReadProperty(ObjectId(0, 1), PropertyId("presentValue")))), "",
         Local(kC) + " " + Local(kS, "0:1{presentValue[]}"), false},
        {"without invoke ID", PacketXml("", Confirmed(ReadProperty(ObjectId(0, 1), PropertyId("presentValue")), "")),
         retrieve, Local(kC) + " " + Local(kS, "0:1{presentValue[]}"), true},
        {"without objectInstance",
         PacketXml("", Confirmed(ReadProperty(
                           "<ObjectIdentifier context='0' datatype='12' objectType='0'>x</ObjectIdentifier>",
                           PropertyId("presentValue")))),
         E("The attribute objectInstance for the ObjectIdentifier or MonitoredObjectIdentifier element wasn't found "
           "\n") +
             retrieve,
         Local(kC) + " " + Local(kS), true},
        {"unreadable objectType",
         PacketXml("", Confirmed(ReadProperty("<ObjectIdentifier objectInstance='1' objectType='x' />",
                                              PropertyId("presentValue")))),
         E("The attribute objectType for the ObjectIdentifier or MonitoredObjectIdentifier element wasn't found \n") +
             retrieve,
         Local(kC) + " " + Local(kS), true},
        {"empty property identifier",
         PacketXml(
             "", Confirmed(ReadProperty(ObjectId(0, 1), "<PropertyIdentifier context='1' datatype='9' value='85' />"))),
         E("Could not get text from PropertyIdentifier element\n") + retrieve, Local(kC) + " " + Local(kS, "0:1{}"),
         true},
        {"no property identifier", PacketXml("", Confirmed(ReadProperty(ObjectId(0, 1), ""))),
         E("HandleSingleObjectFromRequest: Could not find a PropertyIdentifier or ListOfValues element\n") + retrieve,
         Local(kC) + " " + Local(kS, "0:1{}"), true},
        {"no object identifier", PacketXml("", Confirmed(ReadProperty("", PropertyId("presentValue")))),
         E("Unexpected confirmed-req service choice: Handled service choices are ReadPropertyRequest, "
           "ReadPropertyMultipleRequest, SubscribeCOVRequest, ConfirmedCOVNotificationRequest, WritePropertyRequest "
           "or WritePropertyMultipleRequest \n"),
         Local(kC) + " " + Local(kS), true},
    });
}

TEST(PacketXmlAnalyzer, ReadPropertyRequestsAreRememberedByInvokeId) {
    ScopedReportDirectory directory;
    PacketInfoDB db;
    const std::string npdu =
        "<DestinationNetwork>5</DestinationNetwork><DestinationAddress "
        "length='1'>0x0A</DestinationAddress><HopCount>255</HopCount>";
    Analyze(db, PacketXml(npdu, Confirmed(ReadProperty(ObjectId(2, 3), PropertyId("units")), "263")));
    const PendingRequest* pending = db.FindPendingRequest(7);  // 263 & 0xFF
    ASSERT_NE(pending, nullptr);
    EXPECT_EQ(pending->ipv4Address, kServer);
    EXPECT_EQ(pending->network, 5);
    EXPECT_EQ(pending->deviceAddress, "0x0A");
    EXPECT_EQ(pending->objectInstance, 3u);
    EXPECT_EQ(pending->objectType, 2);
    EXPECT_EQ(pending->propertyName, "units");
    EXPECT_EQ(db.pendingRequests.size(), 1u);

    // A faulty request stores nothing; the next packet starts with a cleared target.
    Analyze(db, PacketXml("", Confirmed(ReadProperty(ObjectId(2, 3), ""), "8")), 13);
    EXPECT_EQ(db.FindPendingRequest(8), nullptr);
    EXPECT_TRUE(db.pendingRequest.propertyName.empty());
    EXPECT_EQ(db.pendingRequest.ipv4Address, kServer);
}

TEST(PacketXmlAnalyzer, ConfirmedReadPropertyMultipleRequests) {
    auto readAccess = [](const std::string& objectId, const std::string& references) {
        return "<ReadAccessSpecification>" + objectId + references + "</ReadAccessSpecification>";
    };
    auto references = [](const std::string& inner, int count) {
        return count == 0 ? std::string("<ListOfPropertyReferences context='1' count='0' />")
                          : "<ListOfPropertyReferences context='1' count='" + std::to_string(count) + "'>" + inner +
                                "</ListOfPropertyReferences>";
    };
    auto reference = [](const std::string& inner) { return "<PropertyReference>" + inner + "</PropertyReference>"; };
    auto rpm = [](const std::string& specs) {
        return PacketXml("", Confirmed("<ReadPropertyMultipleRequest><ListOfReadAccessSpecifications count='2'>" +
                                       specs + "</ListOfReadAccessSpecifications></ReadPropertyMultipleRequest>"));
    };
    const std::string twoReferences =
        references(reference(PropertyId("presentValue", "0")) +
                       reference(PropertyId("units", "0") +
                                 "<PropertyArrayIndex context='1' datatype='2' value='0'>0</PropertyArrayIndex>"),
                   2);
    ExpectRows({
        {"two specifications",
         rpm(readAccess(ObjectId(0, 1), twoReferences) +
             readAccess(ObjectId(8, 5), references(reference(PropertyId("all", "0")), 1))),
         "", Local(kC) + " " + Local(kS, "0:1{presentValue[],units[]},8:5{all[]}"), false},
        {"read access entry without object identifier",
         rpm(readAccess("", twoReferences) + readAccess(ObjectId(8, 5), twoReferences)),
         E("ConfirmedRequest/ReadPropertyMultipleRequest/ListOfReadAccessSpecifications/ReadAccessSpecification: Could "
           "not find an ObjectIdentifier element \n"),
         Local(kC) + " " + Local(kS, "8:5{presentValue[],units[]}"), true},
        {"empty list of references", rpm(readAccess(ObjectId(0, 1), references("", 0))),
         E("ConfirmedRequest/ReadPropertyMultipleRequest/ListOfReadAccessSpecifications/ReadAccessSpecification/"
           "ObjectIdentifier: Could not find PropertyReference element \n"),
         Local(kC) + " " + Local(kS, "0:1{}"), true},
        {"object out of range skips its read access entry",
         rpm(readAccess(ObjectId(0, 4194304), twoReferences) + readAccess(ObjectId(0, 2), twoReferences)),
         E("The attribute objectInstance [4194304] of the ObjectIdentifier element is above the largest object "
           "instance 4194303 \n"),
         Local(kC) + " " + Local(kS, "0:2{presentValue[],units[]}"), true},
        {"references without or with an empty identifier",
         rpm(readAccess(ObjectId(0, 1), references(reference("") + reference("<PropertyIdentifier context='0' />") +
                                                       reference(PropertyId("description", "0")),
                                                   3))),
         E("PropertyReference or ReadResult: No PropertyIdentifier child element found \n") +
             E("(PropertyReference or ReadResult)/PropertyIdentifier: Could not get PropertyIdentifier text \n"),
         Local(kC) + " " + Local(kS, "0:1{description[]}"), true},
    });
}

TEST(PacketXmlAnalyzer, ConfirmedCovAndWriteRequests) {
    const std::string subscriber =
        "<SubscriberProcessIdentifier context='0' datatype='2' value='1'>1</SubscriberProcessIdentifier>";
    const std::string unexpected =
        E("Unexpected confirmed-req service choice: Handled service choices are ReadPropertyRequest, "
          "ReadPropertyMultipleRequest, SubscribeCOVRequest, ConfirmedCOVNotificationRequest, WritePropertyRequest or "
          "WritePropertyMultipleRequest \n");
    auto wpm = [](const std::string& specs) {
        return PacketXml("", Confirmed("<WritePropertyMultipleRequest><ListOfWriteAccessSpecifications count='1'>" +
                                       specs + "</ListOfWriteAccessSpecifications></WritePropertyMultipleRequest>"));
    };
    const std::string twoValues =
        "<ListOfProperties context='1' count='2'>" + ValueEntry("presentValue", RealValue("20")) +
        ValueEntry("description", "<CharacterString>x</CharacterString>") + "</ListOfProperties>";
    ExpectRows({
        {"subscribe COV",
         PacketXml("", Confirmed("<SubscribeCOVRequest>" + subscriber +
                                 ObjectId(2, 3, "MonitoredObjectIdentifier", "context='1' ") +
                                 "<IssueConfirmedNotifications context='2' datatype='1' value='1'>true"
                                 "</IssueConfirmedNotifications></SubscribeCOVRequest>")),
         "", Local(kC) + " " + Local(kS, "2:3{}"), false},
        {"subscribe COV without monitored object",
         PacketXml("", Confirmed("<SubscribeCOVRequest>" + subscriber + "</SubscribeCOVRequest>")), unexpected,
         Local(kC) + " " + Local(kS), true},
        {"confirmed COV notification",
         PacketXml("", Confirmed(CovNotification("ConfirmedCOVNotificationRequest", kCovBody))), "",
         Local(kC, "8:5{},0:1{presentValue[12=72.5],statusFlags[12=0000]}") + " " + Local(kS), false},
        {"confirmed COV notification without monitored object",
         PacketXml("", Confirmed(CovNotification("ConfirmedCOVNotificationRequest", ""))),
         E("ConfirmedCOVNotificationRequest: Couldn't find MonitoredObjectIdentifier tag  \n"),
         Local(kC, "8:5{}") + " " + Local(kS), true},
        {"notification values without identifier, without text, without value",
         PacketXml("", Confirmed(CovNotification(
                           "ConfirmedCOVNotificationRequest",
                           ObjectId(0, 1, "MonitoredObjectIdentifier", "context='2' ") +
                               ListOfValues("<PropertyValue><Value>" + RealValue("1") +
                                                "</Value></PropertyValue>"
                                                "<PropertyValue><PropertyIdentifier context='0' /></PropertyValue>"
                                                "<PropertyValue>" +
                                                PropertyId("units", "0") + "</PropertyValue>",
                                            3)))),
         E("ListOfValues/PropertyValue: No PropertyIdentifier child element found \n") +
             E("ListOfValues/PropertyValue/PropertyIdentifier: Could not get PropertyIdentifier text \n"),
         Local(kC, "8:5{},0:1{units[]}") + " " + Local(kS), true},
        {"empty list of values",
         PacketXml("", Confirmed(CovNotification("ConfirmedCOVNotificationRequest",
                                                 ObjectId(0, 1, "MonitoredObjectIdentifier", "context='2' ") +
                                                     "<ListOfValues context='4' count='0' />"))),
         E("HandleSingleObjectFromRequest: Could not find a PropertyIdentifier or ListOfValues element\n"),
         Local(kC, "8:5{},0:1{}") + " " + Local(kS), true},
        {"write property records the object only",
         PacketXml("", Confirmed("<WritePropertyRequest>" + ObjectId(0, 1) + PropertyId("presentValue") +
                                 PropertyValueOf(RealValue("20")) + "</WritePropertyRequest>")),
         "", Local(kC) + " " + Local(kS, "0:1{}"), false},
        {"write property multiple records properties without values",
         wpm("<WriteAccessSpecification>" + ObjectId(0, 1) + twoValues + "</WriteAccessSpecification>"), "",
         Local(kC) + " " + Local(kS, "0:1{presentValue[],description[]}"), false},
        {"write access list under any name",
         wpm("<WriteAccessSpecification>" + ObjectId(0, 1) + "<Anything><PropertyValue>" + PropertyId("units", "0") +
             "</PropertyValue></Anything></WriteAccessSpecification>"),
         "", Local(kC) + " " + Local(kS, "0:1{units[]}"), false},
        {"write access without object identifier, then without values",
         wpm("<WriteAccessSpecification>" + twoValues + "</WriteAccessSpecification><WriteAccessSpecification>" +
             ObjectId(0, 1) + "<ListOfProperties context='1' count='0' /></WriteAccessSpecification>"),
         E("ConfirmedRequest/WritePropertyMultipleRequest/ListOfWriteAccessSpecifications/WriteAccessSpecification: "
           "Could not find ObjectIdentifier element \n") +
             E("ConfirmedRequest/WritePropertyMultipleRequest/ListOfWriteAccessSpecifications/"
               "WriteAccessSpecification/ObjectIdentifier: Could not find PropertyValue element \n"),
         Local(kC) + " " + Local(kS, "0:1{}"), true},
        {"unhandled service", PacketXml("", Confirmed("<DeviceCommunicationControlRequest />")), unexpected,
         Local(kC) + " " + Local(kS), true},
    });
}

TEST(PacketXmlAnalyzer, DevicesAreCreatedDestinationFirstForConfirmedAndSourceFirstForUnconfirmed) {
    const std::string npdu = "<DestinationNetwork>5</DestinationNetwork><HopCount>255</HopCount>";
    ScopedReportDirectory directory;
    PacketInfoDB confirmed;
    Analyze(confirmed,
            PacketXml(npdu, Confirmed("<WritePropertyRequest>" + ObjectId(0, 1) + "</WritePropertyRequest>")), 12,
            kClient, kClient);
    EXPECT_EQ(TreeText(confirmed), kC + "{5{'0'{0:1{}}},0{'0'{}}}");
    EXPECT_EQ(CountersText(confirmed.networkAddresses[0]),
              "Sent.Messages=1,Recv.Messages=1,Sent.PDU.ConfirmedRequest=1,Recv.PDU.ConfirmedRequest=1");
    PacketInfoDB unconfirmed;
    Analyze(unconfirmed, PacketXml(npdu, Unconfirmed("<WhoIsRequest />")), 12, kClient, kClient);
    EXPECT_EQ(TreeText(unconfirmed), kC + "{0{'0'{}},5{'0'{}}}");
}

TEST(PacketXmlAnalyzer, UnconfirmedRequests) {
    const std::string unexpected =
        E("Unexpected unconfirmed-req service choice: Handled service choices are UnconfirmedCOVNotificationRequest, "
          "WhoIsRequest, IAmRequest, WhoHasRequest, IHaveRequest, TimeSynchronizationRequest, "
          "UTCTimeSynchronizationRequest, UnconfirmedPrivateTransferRequest \n");
    const std::string iAm = "<IAmRequest>" + ObjectId(8, 5, "IAmDeviceIdentifier", "") +
                            "<MaxAPDULengthAccepted datatype='2' value='1476'>1476</MaxAPDULengthAccepted>"
                            "<SegmentationSupported datatype='9' value='3'>noSegmentation</SegmentationSupported>"
                            "<VendorId datatype='2' value='99'>99</VendorId></IAmRequest>";
    const std::string dateTime =
        "<DateTime><Date datatype='10' day='4' month='12' weekday='7' year='122'>x</Date>"
        "<Time datatype='11' hour='12' hundrethSeconds='0' minute='30' second='0'>12:30:0.0"
        "</Time></DateTime>";
    ExpectRows({
        {"I-Am", PacketXml("", Unconfirmed(iAm)), "", Local(kC, "8:5{}") + " " + Local(kS), false},
        {"I-Have",
         PacketXml("", Unconfirmed("<IHaveRequest>" + ObjectId(8, 5, "DeviceIdentifier", "") +
                                   ObjectId(0, 1, "ObjectIdentifier", "") +
                                   "<ObjectName datatype='7' encoding='0' length='3'>AI1</ObjectName></IHaveRequest>")),
         "", Local(kC, "8:5{},0:1{}") + " " + Local(kS), false},
        {"I-Have without object",
         PacketXml("", Unconfirmed("<IHaveRequest>" + ObjectId(8, 5, "DeviceIdentifier", "") + "</IHaveRequest>")), "",
         Local(kC, "8:5{}") + " " + Local(kS), false},
        {"Who-Has records nothing",
         PacketXml("", Unconfirmed("<WhoHasRequest>" + ObjectId(0, 1, "ObjectIdentifier", "context='2' ") +
                                   "</WhoHasRequest>")),
         "", Local(kC) + " " + Local(kS), false},
        {"time synchronisation",
         PacketXml("", Unconfirmed("<TimeSynchronizationRequest>" + dateTime + "</TimeSynchronizationRequest>")), "",
         Local(kC) + " " + Local(kS), false},
        {"UTC time synchronisation",
         PacketXml("", Unconfirmed("<UTCTimeSynchronizationRequest>" + dateTime + "</UTCTimeSynchronizationRequest>")),
         "", Local(kC) + " " + Local(kS), false},
        {"private transfer",
         PacketXml(
             "", Unconfirmed(
                     "<UnconfirmedPrivateTransferRequest><VendorId>5</VendorId></UnconfirmedPrivateTransferRequest>")),
         "", Local(kC) + " " + Local(kS), false},
        {"unconfirmed COV notification",
         PacketXml("", Unconfirmed(CovNotification("UnconfirmedCOVNotificationRequest", kCovBody))), "",
         Local(kC, "8:5{},0:1{presentValue[12=72.5],statusFlags[12=0000]}") + " " + Local(kS), false},
        {"unconfirmed COV notification without monitored object",
         PacketXml("", Unconfirmed(CovNotification("UnconfirmedCOVNotificationRequest", ""))),
         E("UnconfirmedCOVNotificationRequest: Couldn't find MonitoredObjectIdentifier tag  \n"),
         Local(kC, "8:5{}") + " " + Local(kS), true},
        {"Who-Is whose service did not decode", PacketXml("", Unconfirmed("")), unexpected, Local(kC) + " " + Local(kS),
         true},
        {"I-Am with a type beyond 1023",
         PacketXml(
             "", Unconfirmed("<IAmRequest><IAmDeviceIdentifier objectInstance='5' objectType='1024' /></IAmRequest>")),
         E("The attribute objectType [1024] of the IAmDeviceIdentifier element is above the largest object type 1023 "
           "\n"),
         Local(kC) + " " + Local(kS), true},
        {"I-Am with a negative instance",
         PacketXml("",
                   Unconfirmed("<IAmRequest><IAmDeviceIdentifier objectInstance='-1' objectType='8' /></IAmRequest>")),
         E("The attribute objectInstance [4294967295] of the IAmDeviceIdentifier element is above the largest object "
           "instance 4194303 \n"),
         Local(kC) + " " + Local(kS), true},
        {"I-Am at the largest identifier",
         PacketXml("",
                   Unconfirmed(
                       "<IAmRequest><IAmDeviceIdentifier objectInstance='4194303' objectType='1023' /></IAmRequest>")),
         "", Local(kC, "1023:4194303{}") + " " + Local(kS), false},
    });
}

TEST(PacketXmlAnalyzer, ComplexAcknowledgements) {
    auto rpmAck = [](const std::string& results) {
        return PacketXml("", ComplexAck("<ReadPropertyMultipleACK><ListOfReadAccessResults count='1'>" + results +
                                        "</ListOfReadAccessResults></ReadPropertyMultipleACK>"));
    };
    const std::string results = "<ListOfResults context='1' count='3'><ReadResult>" + PropertyId("presentValue", "2") +
                                "<PropertyValue context='4'>" + RealValue("72.5") +
                                "</PropertyValue></ReadResult><ReadResult>" + PropertyId("units", "2") +
                                "<PropertyAccessError context='5'>" + kErrorClass + kErrorCode +
                                "</PropertyAccessError></ReadResult><ReadResult>" + PropertyId("description", "2") +
                                "</ReadResult></ListOfResults>";
    ExpectRows({
        {"read property value",
         PacketXml("", ReadPropertyAck(PropertyId("presentValue") + PropertyValueOf(RealValue("72.5")))), "",
         Local(kC, "0:1{presentValue[12=72.5]}") + " " + Bare(kS), false},
        {"object list adds the listed objects",
         PacketXml("", ComplexAck("<ReadPropertyACK>" + ObjectId(8, 5) + PropertyId("objectList") +
                                  PropertyValueOf(ObjectId(8, 5, "ObjectIdentifier", "") +
                                                  ObjectId(0, 1, "ObjectIdentifier", "")) +
                                  "</ReadPropertyACK>")),
         "", Local(kC, "8:5{objectList[12=[device, 5, analogInput, 1]]},0:1{}") + " " + Bare(kS), false},
        {"without property identifier", PacketXml("", ReadPropertyAck(PropertyValueOf(RealValue("1")))),
         E("ComplexACK/ReadPropertyAck: Could not find the PropertyIdentifier element \n"),
         Local(kC, "0:1{}") + " " + Bare(kS), true},
        {"empty property identifier",
         PacketXml("", ReadPropertyAck("<PropertyIdentifier />" + PropertyValueOf(RealValue("1")))),
         E("ComplexACK/ReadPropertyAck/PropertyIdentifier: Could not get text from PropertyIdentifier element\n"),
         Local(kC, "0:1{}") + " " + Bare(kS), true},
        {"without property value", PacketXml("", ReadPropertyAck(PropertyId("presentValue"))),
         E("ComplexACK/ReadPropertyAck/PropertyIdentifier: Could not find the PropertyValue element \n"),
         Local(kC, "0:1{presentValue[]}") + " " + Bare(kS), true},
        {"read property multiple: value, access error and neither",
         rpmAck("<ReadAccessResult>" + ObjectId(0, 1) + results + "</ReadAccessResult>"), "",
         Local(kC,
               "0:1{presentValue[12=72.5],units[12=[Error: Error-class: property, Error-code: unknownProperty]],"
               "description[]}") +
             " " + Bare(kS),
         false},
        {"result without object identifier, result without list",
         rpmAck("<ReadAccessResult>" + results + "</ReadAccessResult><ReadAccessResult>" + ObjectId(0, 2) +
                "</ReadAccessResult>"),
         E("ComplexACK/ReadPropertyMultipleACK/ReadAccessResult: Could not find ObjectIdentifier element \n"),
         Local(kC, "0:2{}") + " " + Bare(kS), true},
        {"object list inside read property multiple",
         rpmAck("<ReadAccessResult>" + ObjectId(8, 5) + "<ListOfResults><ReadResult>" + PropertyId("objectList", "2") +
                "<PropertyValue>" + ObjectId(2, 9, "ObjectIdentifier", "") +
                "</PropertyValue></ReadResult>"
                "</ListOfResults></ReadAccessResult>"),
         "", Local(kC, "8:5{objectList[12=analogValue, 9]},2:9{}") + " " + Bare(kS), false},
        {"unhandled acknowledgement", PacketXml("", ComplexAck("<AtomicReadFileACK />")),
         E("Unexpected complex-ack service choice: Handled services are ReadPropertyACK and ReadPropertyMultipleACK\n"),
         Local(kC) + " " + Bare(kS), true},
    });
}

TEST(PacketXmlAnalyzer, FormatsPropertyValues) {
    struct ValueRow {
        const char* label;
        std::string inner;
        std::string value;
    };
    const ValueRow rows[] = {
        {"single real", RealValue("72.5"), "72.5"},
        {"enumerated with its number", "<BinaryPV context='3' datatype='9' value='1'>active</BinaryPV>", "active (1)"},
        {"enumerated without value attribute", "<BinaryPV datatype='9'>active</BinaryPV>", "active"},
        {"value attribute of another datatype", "<UnsignedInteger datatype='2' value='5'>5</UnsignedInteger>", "5"},
        {"two elements", "<UnsignedInteger>1</UnsignedInteger><UnsignedInteger>2</UnsignedInteger>", "[1, 2]"},
        {"empty element", "<Null datatype='0' />", "{Empty}"},
        {"unknown value", "<UnknownAPDU />", "{Unknown}"},
        {"nested holder has no text", "<AbstractSyntaxtType>" + RealValue("1") + "</AbstractSyntaxtType>", "{Empty}"},
        {"mixed",
         "<Null datatype='0' /><Enumerated datatype='9' value='3'>Unknown Enumeration Value "
         "(3)</Enumerated><UnknownAPDU />",
         "[{Empty}, Unknown Enumeration Value (3) (3), {Unknown}]"},
        {"text is taken as written", "<CharacterString datatype='7'>a &lt; b</CharacterString>", "a < b"},
    };
    for (const ValueRow& row : rows) {
        SCOPED_TRACE(row.label);
        ScopedReportDirectory directory;
        PacketInfoDB db;
        EXPECT_EQ(Analyze(db, PacketXml("", ReadPropertyAck(PropertyId("presentValue") + PropertyValueOf(row.inner)))),
                  "");
        EXPECT_EQ(TreeText(db), Local(kC, "0:1{presentValue[12=" + row.value + "]}") + " " + Bare(kS));
    }
    ScopedReportDirectory directory;
    PacketInfoDB db;
    EXPECT_EQ(Analyze(db, PacketXml("", ReadPropertyAck(PropertyId("presentValue") + PropertyValueOf("")))),
              E("No element specifying the primitive type of the property value was found \n"));
    EXPECT_EQ(TreeText(db), Local(kC, "0:1{presentValue[]}") + " " + Bare(kS));
    EXPECT_EQ(db.packetsFailed, 1u);
}

TEST(PacketXmlAnalyzer, RepeatedEqualValuesAreRecordedOnce) {
    ScopedReportDirectory directory;
    PacketInfoDB db;
    const std::vector<std::string> answers = {"72.5", "72.5", "71", "72.5", "72.5"};
    uint32_t packet = 20;
    for (const std::string& answer : answers) {
        Analyze(db, PacketXml("", ReadPropertyAck(PropertyId("presentValue") + PropertyValueOf(RealValue(answer)))),
                packet++);
    }
    EXPECT_EQ(TreeText(db), Local(kC, "0:1{presentValue[20=72.5|22=71|23=72.5]}") + " " + Bare(kS));
    EXPECT_EQ(db.pduCounts.at("Complex-Ack"), 5);
    EXPECT_EQ(CountersText(db.networkAddresses[0]), "Sent.Messages=5,Sent.PDU.ComplexAck=5");
}

TEST(PacketXmlAnalyzer, ErrorPdusAnswerPendingReadPropertyRequests) {
    ScopedReportDirectory directory;
    PacketInfoDB db;
    const std::string npdu =
        "<DestinationNetwork>5</DestinationNetwork><DestinationAddress length='1'>0x0A"
        "</DestinationAddress><HopCount>255</HopCount>";
    const std::string error = ErrorPdu(Error(kErrorClass, kErrorCode));
    const std::string errorText = "[Error: Error-class: property, Error-code: unknownProperty]";
    std::string printed;
    printed += Analyze(db, PacketXml(npdu, Confirmed(ReadProperty(ObjectId(0, 1), PropertyId("presentValue")))), 1);
    printed += Analyze(db, PacketXml("", error), 2, kServer, kClient);
    const std::string requested = kS + "{5{'0x0A'{0:1{presentValue[2=" + errorText + "]";
    EXPECT_EQ(TreeText(db), Local(kC) + " " + requested + "}}}}");

    // The same invoke ID again replaces the target; an unknown ID and a PDU
    // without original invoke ID record nothing.
    printed += Analyze(db, PacketXml(npdu, Confirmed(ReadProperty(ObjectId(0, 1), PropertyId("units")))), 3);
    printed += Analyze(db, PacketXml("", error), 4, kServer, kClient);
    printed += Analyze(db, PacketXml("", ErrorPdu(Error(kErrorClass, kErrorCode), "9")), 5, kServer, kClient);
    printed += Analyze(db, PacketXml("", ErrorPdu(Error(kErrorClass, kErrorCode), "")), 6, kServer, kClient);
    printed += Analyze(db, PacketXml("", ErrorPdu("")), 7, kServer, kClient);
    EXPECT_EQ(printed, "");
    EXPECT_EQ(TreeText(db), Local(kC) + " " + requested + ",units[4=" + errorText + "]}}}}");
    EXPECT_EQ(db.packetsSucceeded, 7u);
    EXPECT_EQ(db.pduCounts.at("Error"), 5);
    EXPECT_NE(db.FindPendingRequest(7), nullptr);
}

TEST(PacketXmlAnalyzer, FormatsErrors) {
    struct ErrorRow {
        const char* label;
        std::string error;
        std::string printed;
        std::string value;
    };
    const std::string emptyClass = "<ErrorClass datatype='9' value='2' />";
    const std::string emptyCode = "<ErrorCode datatype='9' value='32' />";
    const ErrorRow rows[] = {
        {"complete", Error(kErrorClass, kErrorCode), "", "[Error: Error-class: property, Error-code: unknownProperty]"},
        {"without class", Error("", kErrorCode), E("Expected an ErrorClass element \n"), "[Error: ]"},
        {"class without text", Error(emptyClass, kErrorCode), E("ErrorClass text not found \n"),
         "[Error: Error-class: Unknown, Error-code: unknownProperty]"},
        {"without code", Error(kErrorClass, ""), E("Expected an ErrorCode element \n"),
         "[Error: Error-class: property, ]"},
        {"code before class is not found", Error(kErrorCode + kErrorClass, ""), E("Expected an ErrorCode element \n"),
         "[Error: Error-class: property, ]"},
        {"code without text", Error(kErrorClass, emptyCode), E("ErrorCode text not found \n"),
         "[Error: Error-class: property, Error-code: Unknown]"},
        {"neither text", Error(emptyClass, emptyCode),
         E("ErrorClass text not found \n") + E("ErrorCode text not found \n"),
         "[Error: Error-class: Unknown, Error-code: Unknown]"},
    };
    for (const ErrorRow& row : rows) {
        SCOPED_TRACE(row.label);
        ScopedReportDirectory directory;
        PacketInfoDB db;
        Analyze(db, PacketXml("", Confirmed(ReadProperty(ObjectId(0, 1), PropertyId("presentValue")))), 11);
        EXPECT_EQ(Analyze(db, PacketXml("", ErrorPdu(row.error)), 12, kServer, kClient), row.printed);
        EXPECT_EQ(TreeText(db), Local(kC) + " " + Local(kS, "0:1{presentValue[12=" + row.value + "]}"));
        EXPECT_EQ(db.packetsFailed, row.printed.empty() ? 0u : 1u);
    }
}

}  // namespace
}  // namespace Tarnwick
