#include "report/reportwriter.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "reportcapture.h"

namespace Tarnwick {
namespace {

const std::string kBanner = "\n\n QUORIX REPORT TOOL v1.0.0\n---------------------------------------------------\n";

TEST(ReportWriter, PrintsTheSkeletonOfAnEmptyCapture) {
    ScopedReportDirectory directory;
    PacketInfoDB db;
    db.Clear();
    db.packetsReceived = 2;
    db.packetsFailed = 2;
    const std::string printed = CapturePrinted([&] { PrintReport(db); });
    EXPECT_EQ(printed, kBanner +
                           "FYI: Packets received: 2\n"
                           "FYI: Packets successfully processed: 0\n"
                           "FYI: Packets unsuccessfully processed: 2\n"
                           "\nGlobal PDU Count\n-------------------\n"
                           "\nPacket Statistics\n-------------------\n" +
                           kEmptyStats + "\nNetworks Information\n-------------------");
    EXPECT_EQ(directory.ReportFileText(), printed);
}

TEST(ReportWriter, PrintsTheNewestThreeValuesNewestFirst) {
    struct Row {
        const char* label;
        std::vector<std::pair<uint32_t, const char*>> values;
        std::string printed;
    };
    const Row rows[] = {
        {"never answered", {}, "{No response}"},
        {"one value", {{7, "active (1)"}}, "active (1) (Pkt: 7)"},
        {"two values", {{12, "71"}, {40, "72.5"}}, "72.5 (Pkt: 40), 71 (Pkt: 12)"},
        {"three values, no note", {{1, "a"}, {2, "b"}, {3, "c"}}, "c (Pkt: 3), b (Pkt: 2), a (Pkt: 1)"},
        {"five values",
         {{1, "a"}, {2, "b"}, {3, "c"}, {1000, "d"}, {1001, "e"}},
         "e (Pkt: 1001), d (Pkt: 1000), c (Pkt: 3) - (FYI: Only showing last 3 values)"},
        {"text with a percent sign", {{5, "50 %s"}}, "50 %s (Pkt: 5)"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.label);
        ScopedReportDirectory directory;
        PropertyRecord property;
        for (const auto& [packet, value] : row.values) property.AddValue(packet, value);
        EXPECT_EQ(CapturePrinted([&] { PrintValueHistory(property); }), row.printed);
    }
}

TEST(ReportWriter, NamesStandardObjectTypesAndCallsTheRestProprietary) {
    const std::pair<uint32_t, const char*> rows[] = {
        {0, "analogInput"}, {8, "device"}, {17, "schedule"}, {56, "networkPort"}, {59, "lift"},
        {60, "Proprietary/Unknown"}, {128, "Proprietary/Unknown"}, {1023, "Proprietary/Unknown"},
        {4294967295u, "Proprietary/Unknown"},
    };
    for (const auto& [type, name] : rows) EXPECT_STREQ(ReportObjectTypeName(type), name) << type;
}

TEST(ReportWriter, PrintsTheRecordTreeWithCountersAndValues) {
    ScopedReportDirectory directory;
    PacketInfoDB db;
    db.packetsReceived = 5;
    db.packetsSucceeded = 4;
    db.packetsFailed = 1;
    db.CountPdu("Simple-Ack");
    db.CountPdu("Confirmed-REQ");
    db.CountPdu("Confirmed-REQ");
    db.CountPdu("Complex-Ack");
    std::string warnings = CapturePrinted([&] {
        db.packetStats.AddPacketSize(25, 1);
        db.packetStats.AddPacketSize(30, 2);
        db.packetStats.AddPacketSize(90, 3);
        db.packetStats.AddPacketSize(0, 4);
        db.packetStats.AddHopCount(255, 1);
    });
    EXPECT_EQ(warnings, "WARNING: (Packet 4) The packet's size is <= 0\n");

    NetworkAddressRecord& client = db.GetOrAddNetworkAddress({192, 168, 1, 10});
    NetworkAddressRecord& server = db.GetOrAddNetworkAddress({192, 168, 1, 20});
    NetworkAddressRecord& silent = db.GetOrAddNetworkAddress({10, 0, 0, 9});
    CountPduForAddresses(client, server, NetworkAddressStats::kSentConfirmedRequest,
                         NetworkAddressStats::kRecvConfirmedRequest);
    CountPduForAddresses(client, server, NetworkAddressStats::kSentConfirmedRequest,
                         NetworkAddressStats::kRecvConfirmedRequest);
    CountPduForAddresses(server, client, NetworkAddressStats::kSentComplexAck, NetworkAddressStats::kRecvComplexAck);
    CountPduForAddresses(silent, client, NetworkAddressStats::kSentSimpleAck, NetworkAddressStats::kRecvSimpleAck);

    client.GetOrAddNetwork(0).GetOrAddDevice("0");
    DeviceRecord& remote = server.GetOrAddNetwork(5).GetOrAddDevice("0x0A");
    ObjectRecord* input = remote.GetOrAddObject(1, 0);
    ASSERT_NE(input, nullptr);
    input->GetOrAddProperty("presentValue").AddValue(2, "72.5");
    input->GetOrAddProperty("presentValue").AddValue(9, "71");
    input->GetOrAddProperty("objectList").AddValue(2, "[hidden]");
    input->GetOrAddProperty("all");
    input->GetOrAddProperty("required");
    input->GetOrAddProperty("optional");
    input->GetOrAddProperty("objectListing").AddValue(3, "shown");
    input->GetOrAddProperty("description");
    ASSERT_NE(remote.GetOrAddObject(2, 130), nullptr);
    ASSERT_NE(remote.GetOrAddObject(4194303, 59), nullptr);
    server.GetOrAddNetwork(0).GetOrAddDevice("0").GetOrAddObject(5, 8);

    const std::string printed = CapturePrinted([&] { PrintReport(db); });
    const std::string expected = kBanner +
                                 "FYI: Packets received: 5\n"
                                 "FYI: Packets successfully processed: 4\n"
                                 "FYI: Packets unsuccessfully processed: 1\n"
                                 "\nGlobal PDU Count\n-------------------\n"
                                 "- Complex-Ack: 1 \n"
                                 "- Confirmed-REQ: 2 \n"
                                 "- Simple-Ack: 1 \n"
                                 "\nPacket Statistics\n-------------------\n"
                                 "Packet size stats:\n"
                                 "     Average packet size: 48 bytes\n"
                                 "     Largest packet size: 90 bytes (Pkt: 3)\n"
                                 "     Smallest packet size: 0 bytes (Pkt: 4)\n"
                                 "\n"
                                 "     Packets with size 1-60 bytes: 2 (66%)\n"
                                 "     Packets with size 61-100 bytes: 1 (33%)\n"
                                 "     Packets with size 101-300 bytes: 0 (0%)\n"
                                 "     Packets with size 301-1200 bytes: 0 (0%)\n"
                                 "     Packets with size 1201+ bytes: 0 (0%)\n"
                                 "\n"
                                 "Hop count stats:\n"
                                 "     Lowest hop count: 255 bytes (Pkt: 1)\n"
                                 "\n"
                                 "     Packets with hop count 1-49: 0 (0%)\n"
                                 "     Packets with hop count 50-99: 0 (0%)\n"
                                 "     Packets with hop count 100-249: 0 (0%)\n"
                                 "     Packets with hop count 250-255: 1 (100%)\n"
                                 "\nNetworks Information\n-------------------"
                                 "\nNetwork Address: 192.168.1.10\n"
                                 "     Sent.Messages: 2\n"
                                 "     Recv.Messages: 2\n"
                                 "     Sent.PDU.ConfirmedRequest: 2\n"
                                 "     Recv.PDU.ComplexAck: 1\n"
                                 "     Recv.PDU.SimpleAck: 1\n"
                                 "\n"
                                 "     BACnet Network: 0 (Local network)\n"
                                 "          Device Address: 0 (Local device address)\n"
                                 "\nNetwork Address: 192.168.1.20\n"
                                 "     Sent.Messages: 1\n"
                                 "     Recv.Messages: 2\n"
                                 "     Sent.PDU.ComplexAck: 1\n"
                                 "     Recv.PDU.ConfirmedRequest: 2\n"
                                 "\n"
                                 "     BACnet Network: 5 \n"
                                 "          Device Address: 0x0A \n"
                                 "               Object Identifier - analogInput: 1\n"
                                 "                    Property - presentValue: 71 (Pkt: 9), 72.5 (Pkt: 2)\n"
                                 "                    Property - objectListing: shown (Pkt: 3)\n"
                                 "                    Property - description: {No response}\n"
                                 "               Object Identifier - Proprietary/Unknown: 2\n"
                                 "               Object Identifier - lift: 4194303\n"
                                 "     BACnet Network: 0 (Local network)\n"
                                 "          Device Address: 0 (Local device address)\n"
                                 "               Object Identifier - device: 5\n"
                                 "\nNetwork Address: 10.0.0.9\n"
                                 "     Sent.Messages: 1\n"
                                 "     Sent.PDU.SimpleAck: 1\n"
                                 "\n";
    EXPECT_EQ(printed, expected);
    EXPECT_EQ(directory.ReportFileText(), warnings + printed);
}

}  // namespace
}  // namespace Tarnwick
