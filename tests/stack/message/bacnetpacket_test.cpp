#include "message/bacnetippacket.h"

#include <gtest/gtest.h>

#include "bacnetstack.h"
#include "message/bacnetabortpdu.h"
#include "message/bacnetsimpleackpdu.h"
#include "messagetestsupport.h"

namespace ZalvoBACnetStack {
namespace {
using namespace MessageTest;

// The document BACnetStack_DecodeAsXML gives for a payload ("" when it fails).
std::string Document(const std::vector<uint8_t>& payload) {
    std::vector<char> xml(8192);
    const uint32_t size = BACnetStack_DecodeAsXML(payload.empty() ? nullptr : payload.data(),
                                                  static_cast<uint16_t>(payload.size()), xml.data(),
                                                  static_cast<uint32_t>(xml.size()));
    return std::string(xml.data(), size);
}

struct PacketRow {
    const char* label;
    const char* octets;
    uint16_t consumed;
    const char* document;  // after the header comment
};

const PacketRow kPacketRows[] = {
    {"global broadcast Who-Is", "81 0B 00 0C 01 20 FF FF 00 FF 10 08", 12,
     "<BACnetPacket networkType='IP'><BVLL function='originalBroadcastNPDU' /><NPDU control='0x20' version='1'>"
     "<DestinationNetwork>65535</DestinationNetwork><DestinationAddress length='0' /><HopCount>255</HopCount>"
     "</NPDU><UnconfirmedRequestPDU serviceChoice='whoIs'><WhoIsRequest /></UnconfirmedRequestPDU></BACnetPacket>"},
    {"local Who-Is with limits", "81 0B 00 0D 01 00 10 08 09 00 1A 0F FF", 13,
     "<BACnetPacket networkType='IP'><BVLL function='originalBroadcastNPDU' /><NPDU control='0x00' version='1' />"
     "<UnconfirmedRequestPDU serviceChoice='whoIs'><WhoIsRequest><DeviceInstanceRangeLowLimit context='0' "
     "datatype='2' value='0'>0</DeviceInstanceRangeLowLimit><DeviceInstanceRangeHighLimit context='1' datatype='2' "
     "value='4095'>4095</DeviceInstanceRangeHighLimit></WhoIsRequest></UnconfirmedRequestPDU></BACnetPacket>"},
    {"BVLC-Result NAK", "81 00 00 06 00 30", 6,
     "<BACnetPacket networkType='IP'><BVLL function='result'><Result code='0x0030'>RegisterForeignDeviceNAK</Result>"
     "</BVLL></BACnetPacket>"},
    {"Read-Broadcast-Distribution-Table", "81 02 00 04", 4,
     "<BACnetPacket networkType='IP'><BVLL function='readBroadcastDistributionTable' /></BACnetPacket>"},
    {"Register-Foreign-Device", "81 05 00 06 00 3C", 6,
     "<BACnetPacket networkType='IP'><BVLL function='registerForeignDevice' /></BACnetPacket>"},
    {"Simple-ACK for WriteProperty", "81 0A 00 09 01 00 20 05 0F", 9,
     "<BACnetPacket networkType='IP'><BVLL function='originalUnicastNPDU' /><NPDU control='0x00' version='1' />"
     "<SimpleAckPDU originalInvokeID='5' serviceAckChoice='writeProperty' /></BACnetPacket>"},
    {"Reject, unrecognized service", "81 0A 00 09 01 00 60 2A 09", 9,
     "<BACnetPacket networkType='IP'><BVLL function='originalUnicastNPDU' /><NPDU control='0x00' version='1' />"
     "<RejectPDU originalInvokeId='42' rejectReason='unrecognizedService' /></BACnetPacket>"},
    {"Abort from the server, routed", "81 0A 00 12 01 08 00 07 06 C0 A8 01 0A BA C0 71 07 04", 18,
     "<BACnetPacket networkType='IP'><BVLL function='originalUnicastNPDU' /><NPDU control='0x08' version='1'>"
     "<SourceNetwork>7</SourceNetwork><SourceAddress length='6'>0xC0A8010ABAC0</SourceAddress></NPDU>"
     "<AbortPDU abortReason='segmentationNotSupported' originalInvokeId='7' server='1' /></BACnetPacket>"},
    {"Forwarded Simple-ACK", "81 04 00 0F 0A 00 00 05 BA C0 01 00 20 05 0F", 15,
     "<BACnetPacket networkType='IP'><BVLL function='forwardedNPDU'><OriginatingDevice>10.0.0.5:47808"
     "</OriginatingDevice></BVLL><NPDU control='0x00' version='1' /><SimpleAckPDU originalInvokeID='5' "
     "serviceAckChoice='writeProperty' /></BACnetPacket>"},
    {"Distribute-Broadcast-To-Network Abort", "81 09 00 09 01 00 70 01 00", 9,
     "<BACnetPacket networkType='IP'><BVLL function='distributeBroadcastToNetwork' /><NPDU control='0x00' "
     "version='1' /><AbortPDU abortReason='other' originalInvokeId='1' server='0' /></BACnetPacket>"},
};

TEST(BACnetIPPacket, DecodesAndRendersWholeDocuments) {
    for (const PacketRow& row : kPacketRows) {
        SCOPED_TRACE(row.label);
        const std::vector<uint8_t> octets = ParseHex(row.octets);
        BACnetIPPacket packet;
        BACnetErrorOutcome outcome;
        StackErrorLogCapture log;
        ASSERT_EQ(packet.Decode(octets.data(), static_cast<uint16_t>(octets.size()), &outcome), row.consumed);
        EXPECT_TRUE(packet.IsDecoded());
        EXPECT_EQ(Xml(packet), row.document);
        EXPECT_EQ(Document(octets), std::string(kDocumentHeader) + row.document);
        EXPECT_EQ(log.Text(), "");

        // Re-encoded, the packet is the payload again (these length fields agree).
        std::vector<uint8_t> out(64, 0xEE);
        ASSERT_EQ(packet.Encode(out.data(), static_cast<uint16_t>(out.size()), &outcome), row.consumed);
        out.resize(row.consumed);
        EXPECT_EQ(HexText(out), HexText(octets));

        std::unique_ptr<ICodable> copy = packet.Clone();
        ASSERT_NE(copy, nullptr);
        EXPECT_TRUE(copy->IsEqual(&packet));
        EXPECT_EQ(Xml(*dynamic_cast<BACnetIPPacket*>(copy.get())), row.document);
        ExpectEveryCutStaysInside(octets, [] { return std::make_unique<BACnetIPPacket>(); });
    }
}

TEST(BACnetIPPacket, AcceptsAWhoIsWhoseLimitsFailedWithoutShowingIt) {
    const std::vector<uint8_t> octets = ParseHex("81 0A 00 0A 01 00 10 08 09 05");
    BACnetIPPacket packet;
    StackErrorLogCapture log;
    EXPECT_EQ(packet.Decode(octets.data(), static_cast<uint16_t>(octets.size()), nullptr), 8);
    ExpectReports(log, {{"BACnetWhoIsRequest::Decode", "bacnetwhoisrequest",
                         "Error, only one limit was provided.  Either both must be provided or neither."}});
    EXPECT_EQ(Xml(packet),
              "<BACnetPacket networkType='IP'><BVLL function='originalUnicastNPDU' /><NPDU control='0x00' "
              "version='1' /><UnconfirmedRequestPDU serviceChoice='whoIs' /></BACnetPacket>");
}

TEST(BACnetIPPacket, IgnoresOctetsAfterTheAPDU) {
    // Link-layer padding behind a Who-Is.
    const std::vector<uint8_t> padded = ParseHex("81 0B 00 08 01 00 10 08 00 00 00 00 00 00");
    BACnetIPPacket packet;
    EXPECT_EQ(packet.Decode(padded.data(), static_cast<uint16_t>(padded.size()), nullptr), 8);
    EXPECT_TRUE(packet.IsDecoded());
}

TEST(BACnetIPPacket, IgnoresTheLengthField) {
    const std::vector<uint8_t> octets = ParseHex("81 0A 00 04 01 00 20 05 0F");
    BACnetIPPacket packet;
    BACnetErrorOutcome outcome;
    EXPECT_EQ(packet.Decode(octets.data(), static_cast<uint16_t>(octets.size()), &outcome), 9);
    EXPECT_EQ(packet.GetBVLL().GetLength(), 4);
    EXPECT_EQ(Document(octets), std::string(kDocumentHeader) +
                                    "<BACnetPacket networkType='IP'><BVLL function='originalUnicastNPDU' /><NPDU "
                                    "control='0x00' version='1' /><SimpleAckPDU originalInvokeID='5' "
                                    "serviceAckChoice='writeProperty' /></BACnetPacket>");
}

struct PacketFailureRow {
    const char* label;
    const char* octets;
    std::vector<Report> reports;
    bool outcomeSet;
    uint32_t kind;
    uint32_t value;
};

TEST(BACnetIPPacket, FailuresReportEveryLayerAndGiveNoDocument) {
    const PacketFailureRow rows[] = {
        {"empty payload", "", {{"BACnetIPPacket::Decode", "bacnetippacket", "Invalid parameters "}}, true, 2, 0},
        {"three octets",
         "81 0A 00",
         {{"BACnetBVLL::Decode", "bacnetbvll", "Buffer does not have enough bytes to decode a proper BVLL"},
          {"BACnetIPPacket::Decode", "bacnetippacket", "Unable to decode the BVLL"}},
         false, 0, 0},
        {"not BACnet/IP",
         "45 00 00 1C",
         {{"BACnetBVLL::Decode", "bacnetbvll", "Invalid BVLC type=[69]"},
          {"BACnetIPPacket::Decode", "bacnetippacket", "Unable to decode the BVLL"}},
         false, 0, 0},
        {"original unicast with nothing behind it",
         "81 0A 00 04",
         {{"BACnetPacket::Decode", "bacnetpacket", "Invalid parameters "},
          {"BACnetIPPacket::Decode", "bacnetippacket", "Unable to decode the rest of the packet"}},
         true, 2, 0},
        {"NPDU version 2",
         "81 0A 00 09 02 00 20 05 0F",
         {{"BACnetNPDU::Decode", "bacnetnpdu", "Invalid BACnet version"},
          {"BACnetPacket::Decode", "bacnetpacket", "Unable to decode the NPDU"},
          {"BACnetIPPacket::Decode", "bacnetippacket", "Unable to decode the rest of the packet"}},
         true, 1, 0},
        {"NPDU uses every octet",
         "81 0B 00 0A 01 20 FF FF 00 FF",
         {{"BACnetPacket::Decode", "bacnetpacket", "Buffer does not have enough bytes to decode the APDU"},
          {"BACnetIPPacket::Decode", "bacnetippacket", "Unable to decode the rest of the packet"}},
         false, 0, 0},
        {"Segment-ACK",
         "81 0A 00 0A 01 00 40 01 02 03",
         {{"BACnetPacket::Decode", "bacnetpacket", "Invalid PDU Type"},
          {"BACnetIPPacket::Decode", "bacnetippacket", "Unable to decode the rest of the packet"}},
         false, 0, 0},
        {"Simple-ACK one octet too long",
         "81 0A 00 0A 01 00 20 05 0F 00",
         {{"BACnetSimpleACKPDU::Decode", "bacnetsimpleackpdu",
           "Buffer does not have enough bytes to decode a proper Simple Ack message"},
          {"BACnetPacket::Decode", "bacnetpacket", "Unable to decode the APDU"},
          {"BACnetIPPacket::Decode", "bacnetippacket", "Unable to decode the rest of the packet"}},
         true, 1, 0},
        {"forwarded NPDU cut in its address",
         "81 04 00 08 0A 00 00 05",
         {{"BACnetBVLL::Decode", "bacnetbvll",
           "Buffer does not have enough bytes to decode the originating device address"},
          {"BACnetIPPacket::Decode", "bacnetippacket", "Unable to decode the BVLL"}},
         false, 0, 0},
    };
    for (const PacketFailureRow& row : rows) {
        SCOPED_TRACE(row.label);
        const std::vector<uint8_t> octets = ParseHex(row.octets);
        BACnetIPPacket packet;
        BACnetErrorOutcome outcome;
        StackErrorLogCapture log;
        EXPECT_EQ(packet.Decode(octets.empty() ? nullptr : octets.data(), static_cast<uint16_t>(octets.size()),
                                &outcome),
                  0);
        ExpectReports(log, row.reports);
        EXPECT_FALSE(packet.IsDecoded());
        EXPECT_EQ(outcome.set, row.outcomeSet);
        if (row.outcomeSet) {
            EXPECT_EQ(outcome.kind, row.kind);
            EXPECT_EQ(outcome.value, row.value);
        }
        std::vector<char> xml(256, 'x');
        EXPECT_EQ(BACnetStack_DecodeAsXML(octets.empty() ? nullptr : octets.data(),
                                          static_cast<uint16_t>(octets.size()), xml.data(), 256),
                  0u);
        EXPECT_EQ(std::string(xml.data(), 256), std::string(256, 'x'));
    }
}

TEST(BACnetIPPacket, EveryPDUTypeWithoutAClassFails) {
    for (unsigned type : {4u, 8u, 9u, 10u, 11u, 12u, 13u, 14u, 15u}) {
        SCOPED_TRACE(type);
        std::vector<uint8_t> octets = ParseHex("81 0A 00 09 01 00 00 05 0F");
        octets[6] = static_cast<uint8_t>(type << 4);
        BACnetIPPacket packet;
        StackErrorLogCapture log;
        EXPECT_EQ(packet.Decode(octets.data(), static_cast<uint16_t>(octets.size()), nullptr), 0);
        ExpectReports(log, {{"BACnetPacket::Decode", "bacnetpacket", "Invalid PDU Type"},
                            {"BACnetIPPacket::Decode", "bacnetippacket", "Unable to decode the rest of the packet"}});
    }
}

TEST(BACnetStackDecodeAsXML, CopiesOnlyWhenTheWholeTextFits) {
    const std::vector<uint8_t> payload = ParseHex("81 02 00 04");
    const std::string expected = std::string(kDocumentHeader) +
                                 "<BACnetPacket networkType='IP'><BVLL function='readBroadcastDistributionTable' />"
                                 "</BACnetPacket>";
    std::vector<char> xml(expected.size() + 8, '#');
    StackErrorLogCapture log;
    const auto shorter = static_cast<uint32_t>(expected.size() - 1);
    EXPECT_EQ(BACnetStack_DecodeAsXML(payload.data(), 4, xml.data(), shorter), 0u);
    EXPECT_EQ(std::string(xml.data(), xml.size()), std::string(xml.size(), '#'));

    const auto exact = static_cast<uint32_t>(expected.size());
    ASSERT_EQ(BACnetStack_DecodeAsXML(payload.data(), 4, xml.data(), exact), exact);
    EXPECT_EQ(std::string(xml.data(), exact), expected);
    EXPECT_EQ(xml[exact], '#');  // no terminator is written
    EXPECT_EQ(BACnetStack_DecodeAsXML(payload.data(), 4, nullptr, 1000), 0u);
    EXPECT_EQ(log.Text(), "");
}

TEST(BACnetIPPacket, RendersOnlyTheValidParts) {
    BACnetIPPacket packet;
    EXPECT_EQ(Xml(packet), "<BACnetPacket networkType='IP' />");
    BACnetBVLL bvll;
    bvll.SetOriginalUnicastNPDU();
    packet.SetBVLL(bvll);
    EXPECT_TRUE(packet.IsDecoded());
    EXPECT_EQ(Xml(packet), "<BACnetPacket networkType='IP'><BVLL function='originalUnicastNPDU' /></BACnetPacket>");

    // A failed decode of the APDU leaves the valid BVLL and NPDU but shows neither layer pair.
    const std::vector<uint8_t> octets = ParseHex("81 0A 00 0A 01 00 20 05 0F 00");
    StackErrorLogCapture log;
    EXPECT_EQ(packet.Decode(octets.data(), static_cast<uint16_t>(octets.size()), nullptr), 0);
    EXPECT_TRUE(packet.GetNPDU().IsValid());
    EXPECT_EQ(Xml(packet), "<BACnetPacket networkType='IP'><BVLL function='originalUnicastNPDU' /></BACnetPacket>");
    log.Clear();
    EXPECT_EQ(packet.Decode(nullptr, 10, nullptr), 0);
    EXPECT_EQ(Xml(packet), "<BACnetPacket networkType='IP' />");
}

TEST(BACnetIPPacket, BuildsAndEncodesAServerReply) {
    std::unique_ptr<BACnetPacket> created = BACnetPacket::CreatePacket(BACnetPacket::kNetworkTypeIP);
    ASSERT_NE(created, nullptr);
    EXPECT_EQ(BACnetPacket::CreatePacket(BACnetPacket::kNetworkTypeMSTP), nullptr);
    auto* packet = dynamic_cast<BACnetIPPacket*>(created.get());
    ASSERT_NE(packet, nullptr);

    uint8_t out[64];
    BACnetErrorOutcome outcome;
    {
        StackErrorLogCapture log;
        EXPECT_EQ(packet->Encode(out, sizeof out, &outcome), 0);
        ExpectReports(log, {{"BACnetIPPacket::Encode", "bacnetippacket", "Invalid object"}});
        EXPECT_EQ(outcome.kind, 1u);
        EXPECT_FALSE(packet->InsertAPDUAndTakeOwnership(nullptr));
    }
    BACnetBVLL bvll;
    bvll.SetOriginalUnicastNPDU();
    packet->SetBVLL(bvll);
    auto abort = std::make_unique<BACnetAbortPDU>();
    abort->Set(true, 9, 4);
    ASSERT_TRUE(packet->InsertAPDUAndTakeOwnership(std::move(abort)));
    EXPECT_TRUE(packet->IsDecoded());
    ASSERT_EQ(packet->Encode(out, sizeof out, &outcome), 9);
    EXPECT_EQ(HexText(out, 9), "81 0A 00 09 01 00 71 09 04");

    // Too little room for the APDU: each layer reports, nothing is written past the room.
    const struct {
        uint16_t room;
        std::vector<Report> reports;
    } rows[] = {
        {4,
         {{"BACnetPacket::Encode", "bacnetpacket", "Invalid parameters"},
          {"BACnetIPPacket::Encode", "bacnetippacket", "Error occurred while encoding the rest of the packet"}}},
        {5,
         {{"BACnetNPDU::Encode", "bacnetnpdu", "Not enough space to encode the minimum object"},
          {"BACnetPacket::Encode", "bacnetpacket", "Error occurred while encoding the NPDU"},
          {"BACnetIPPacket::Encode", "bacnetippacket", "Error occurred while encoding the rest of the packet"}}},
        {8,
         {{"BACnetAbortPDU::Encode", "bacnetabortpdu", "Not enough space to encode this object"},
          {"BACnetPacket::Encode", "bacnetpacket", "Error occurred while encoding the APDU"},
          {"BACnetIPPacket::Encode", "bacnetippacket", "Error occurred while encoding the rest of the packet"}}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.room);
        std::vector<uint8_t> small(row.room + 1u, 0xEE);
        StackErrorLogCapture log;
        EXPECT_EQ(packet->Encode(small.data(), row.room, &outcome), 0);
        ExpectReports(log, row.reports);
        EXPECT_EQ(small[row.room], 0xEE);
    }

    // A BVLL-only packet encodes as its header.
    BACnetBVLL result;
    result.SetResult(0x0060);
    BACnetIPPacket nak;
    nak.SetBVLL(result);
    ASSERT_EQ(nak.Encode(out, sizeof out, &outcome), 6);
    EXPECT_EQ(HexText(out, 6), "81 00 00 06 00 60");
}

TEST(BACnetPacket, DecodesWithoutALinkLayerHeader) {
    const std::vector<uint8_t> octets = ParseHex("01 00 20 05 0F");
    BACnetPacket packet;
    BACnetErrorOutcome outcome;
    ASSERT_EQ(packet.Decode(octets.data(), 5, &outcome), 5);
    EXPECT_EQ(Xml(packet),
              "<BACnetPacket networkType='IP'><NPDU control='0x00' version='1' /><SimpleAckPDU originalInvokeID='5' "
              "serviceAckChoice='writeProperty' /></BACnetPacket>");
    uint8_t out[8];
    ASSERT_EQ(packet.Encode(out, sizeof out, &outcome), 5);
    EXPECT_EQ(HexText(out, 5), "01 00 20 05 0F");
    BACnetIPPacket withHeader;
    EXPECT_FALSE(packet.IsEqual(&withHeader));

    StackErrorLogCapture log;
    EXPECT_EQ(packet.Decode(octets.data(), 0, &outcome), 0);
    ExpectReports(log, {{"BACnetPacket::Decode", "bacnetpacket", "Invalid parameters "}});
    EXPECT_EQ(Xml(packet), "<BACnetPacket networkType='IP' />");  // the earlier contents are gone
    log.Clear();
    packet.Reset();
    EXPECT_EQ(packet.Encode(out, sizeof out, &outcome), 0);
    ExpectReports(log, {{"BACnetPacket::Encode", "bacnetpacket", "Invalid packet object"}});
}

}  // namespace
}  // namespace ZalvoBACnetStack
