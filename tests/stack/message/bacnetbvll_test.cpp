#include "message/bacnetbvll.h"

#include <gtest/gtest.h>

#include "messagetestsupport.h"

namespace ZalvoBACnetStack {
namespace {
using namespace MessageTest;

struct BVLLRow {
    const char* label;
    const char* octets;    // the payload (may continue past the BVLL)
    uint16_t consumed;     // octets of the BVLL itself
    uint8_t function;
    uint16_t lengthField;
    const char* data;
    const char* xml;
};

const BVLLRow kBVLLRows[] = {
    {"result success", "81 00 00 06 00 00", 6, 0x00, 6, "00 00",
     "<BVLL function='result'><Result code='0x0000'>Success</Result></BVLL>"},
    {"result register foreign device NAK", "81 00 00 06 00 30", 6, 0x00, 6, "00 30",
     "<BVLL function='result'><Result code='0x0030'>RegisterForeignDeviceNAK</Result></BVLL>"},
    {"result distribute broadcast NAK", "81 00 00 06 00 60", 6, 0x00, 6, "00 60",
     "<BVLL function='result'><Result code='0x0060'>DistributeBroadcastToNetworkNAK</Result></BVLL>"},
    {"result with an unnamed code", "81 00 00 06 00 31", 6, 0x00, 6, "00 31", "<BVLL function='result' />"},
    {"result with one data octet", "81 00 00 06 00", 5, 0x00, 6, "00", "<BVLL function='result' />"},
    {"result without data", "81 00 00 04", 4, 0x00, 4, "", "<BVLL function='result' />"},
    {"write distribution table", "81 01 00 0E C0 A8 01 01 BA C0 FF FF FF FF", 14, 0x01, 14,
     "C0 A8 01 01 BA C0 FF FF FF FF", "<BVLL function='writeBroadcastDistributionTable' />"},
    {"read distribution table", "81 02 00 04", 4, 0x02, 4, "", "<BVLL function='readBroadcastDistributionTable' />"},
    {"read distribution table ack", "81 03 00 0E C0 A8 01 01 BA C0 FF FF FF 00", 14, 0x03, 14,
     "C0 A8 01 01 BA C0 FF FF FF 00", "<BVLL function='readBroadcastDistributionTableAck' />"},
    {"forwarded NPDU", "81 04 00 0F 0A 00 00 05 BA C0 01 00 20 05 0F", 10, 0x04, 15, "0A 00 00 05 BA C0",
     "<BVLL function='forwardedNPDU'><OriginatingDevice>10.0.0.5:47808</OriginatingDevice></BVLL>"},
    {"register foreign device", "81 05 00 06 00 3C", 6, 0x05, 6, "00 3C", "<BVLL function='registerForeignDevice' />"},
    {"read foreign device table", "81 06 00 04", 4, 0x06, 4, "", "<BVLL function='readForeignDeviceTable' />"},
    {"read foreign device table ack", "81 07 00 0E C0 A8 01 02 BA C0 00 3C 00 1E", 14, 0x07, 14,
     "C0 A8 01 02 BA C0 00 3C 00 1E", "<BVLL function='readForeignDeviceTableAck' />"},
    {"delete foreign device table entry", "81 08 00 0A C0 A8 01 02 BA C0", 10, 0x08, 10, "C0 A8 01 02 BA C0",
     "<BVLL function='deleteForeignDeviceTableEntry' />"},
    {"distribute broadcast to network", "81 09 00 0C 01 20 FF FF 00 FF 10 08", 4, 0x09, 12, "",
     "<BVLL function='distributeBroadcastToNetwork' />"},
    {"original unicast", "81 0A 00 09 01 00 20 05 0F", 4, 0x0A, 9, "", "<BVLL function='originalUnicastNPDU' />"},
    {"original broadcast", "81 0B 00 0C 01 20 FF FF 00 FF 10 08", 4, 0x0B, 12, "",
     "<BVLL function='originalBroadcastNPDU' />"},
    {"secure BVLL", "81 0C 00 07 01 02 03", 7, 0x0C, 7, "01 02 03", "<BVLL function='secureBVLL' />"},
    {"length field disagreeing with the payload", "81 0A 12 34 01 00", 4, 0x0A, 0x1234, "",
     "<BVLL function='originalUnicastNPDU' />"},
};

TEST(BACnetBVLL, DecodesRendersAndReencodesEveryFunction) {
    for (const BVLLRow& row : kBVLLRows) {
        SCOPED_TRACE(row.label);
        const std::vector<uint8_t> octets = ParseHex(row.octets);
        BACnetBVLL bvll;
        BACnetErrorOutcome outcome;
        StackErrorLogCapture log;
        ASSERT_EQ(bvll.Decode(octets.data(), static_cast<uint16_t>(octets.size()), &outcome), row.consumed);
        EXPECT_EQ(log.Text(), "");
        EXPECT_FALSE(outcome.set);
        EXPECT_TRUE(bvll.IsValid());
        EXPECT_EQ(bvll.GetType(), 0x81);
        EXPECT_EQ(bvll.GetFunction(), row.function);
        EXPECT_EQ(bvll.GetLength(), row.lengthField);
        EXPECT_EQ(HexText(bvll.GetData()), row.data);
        EXPECT_EQ(Xml(bvll), row.xml);

        std::vector<uint8_t> out(64, 0xEE);
        ASSERT_EQ(bvll.Encode(out.data(), static_cast<uint16_t>(out.size()), &outcome), row.consumed);
        EXPECT_EQ(HexText(out.data(), row.consumed), HexText(octets.data(), row.consumed));
        EXPECT_EQ(out[row.consumed], 0xEE);

        std::unique_ptr<ICodable> copy = bvll.Clone();
        ASSERT_NE(copy, nullptr);
        EXPECT_TRUE(copy->IsEqual(&bvll));
        ExpectEveryCutStaysInside(octets, [] { return std::make_unique<BACnetBVLL>(); });
    }
}

struct FailureRow {
    const char* label;
    const char* octets;
    const char* message;
};

TEST(BACnetBVLL, DecodeFailuresReportOnceAndLeaveItInvalid) {
    const FailureRow rows[] = {
        {"empty", "", "Invalid parameters"},
        {"three octets", "81 0B 00", "Buffer does not have enough bytes to decode a proper BVLL"},
        {"one octet", "81", "Buffer does not have enough bytes to decode a proper BVLL"},
        {"BACnet/IPv6 type", "82 0B 00 04", "Invalid BVLC type=[130]"},
        {"unassigned function", "81 0D 00 04", "Invalid BVLC function=[13]"},
        {"function 0xFF", "81 FF 00 04", "Invalid BVLC function=[255]"},
        {"forwarded NPDU cut in its address", "81 04 00 0A 0A 00 00 05 BA",
         "Buffer does not have enough bytes to decode the originating device address"},
        {"forwarded NPDU without address", "81 04 00 04",
         "Buffer does not have enough bytes to decode the originating device address"},
    };
    for (const FailureRow& row : rows) {
        SCOPED_TRACE(row.label);
        const std::vector<uint8_t> octets = ParseHex(row.octets);
        BACnetBVLL bvll;
        bvll.SetResult(0);  // a failed decode must not keep earlier contents valid
        BACnetErrorOutcome outcome;
        StackErrorLogCapture log;
        EXPECT_EQ(bvll.Decode(octets.empty() ? nullptr : octets.data(), static_cast<uint16_t>(octets.size()), &outcome),
                  0);
        ExpectReports(log, {{"BACnetBVLL::Decode", "bacnetbvll", row.message}});
        EXPECT_FALSE(bvll.IsValid());
        EXPECT_FALSE(outcome.set);
    }
}

TEST(BACnetBVLL, EncodeRefusesWhatItCannotWrite) {
    uint8_t out[16];
    BACnetErrorOutcome outcome;
    {
        StackErrorLogCapture log;
        BACnetBVLL empty;
        EXPECT_EQ(empty.Encode(out, sizeof out, &outcome), 0);
        ExpectReports(log, {{"BACnetBVLL::Encode", "bacnetbvll", "Invalid bvll object"}});
    }
    BACnetBVLL result;
    result.SetResult(0x0010);
    const struct {
        const char* label;
        uint8_t* buffer;
        uint16_t room;
        const char* message;
    } rows[] = {
        {"null buffer", nullptr, 16, "Invalid parameters"},
        {"no room", out, 0, "Invalid parameters"},
        {"room for three octets", out, 3, "Not enough space to encode this object"},
        {"room for the header but not the code", out, 5, "Not enough space to encode this object"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        StackErrorLogCapture log;
        EXPECT_EQ(result.Encode(row.buffer, row.room, &outcome), 0);
        ExpectReports(log, {{"BACnetBVLL::Encode", "bacnetbvll", row.message}});
    }
    EXPECT_EQ(result.Encode(out, 6, &outcome), 6);
    EXPECT_EQ(HexText(out, 6), "81 00 00 06 00 10");
}

TEST(BACnetBVLL, BuildersSetTheHeaderTheRoutingSends) {
    uint8_t out[16];
    BACnetErrorOutcome outcome;
    BACnetBVLL bvll;
    bvll.SetResult(0x0030);
    ASSERT_EQ(bvll.Encode(out, sizeof out, &outcome), 6);
    EXPECT_EQ(HexText(out, 6), "81 00 00 06 00 30");
    bvll.SetLengthForNPDU(20);  // a Result carries no NPDU: the length stays
    EXPECT_EQ(bvll.GetLength(), 6);

    bvll.SetOriginalUnicastNPDU();
    EXPECT_TRUE(bvll.GetData().empty());
    bvll.SetLengthForNPDU(8);
    ASSERT_EQ(bvll.Encode(out, sizeof out, &outcome), 4);
    EXPECT_EQ(HexText(out, 4), "81 0A 00 0C");

    bvll.SetOriginalBroadcastNPDU();
    bvll.SetLengthForNPDU(8);
    ASSERT_EQ(bvll.Encode(out, sizeof out, &outcome), 4);
    EXPECT_EQ(HexText(out, 4), "81 0B 00 0C");

    const std::vector<uint8_t> forwarded = ParseHex("81 04 00 0F 0A 00 00 05 BA C0");
    BACnetBVLL decoded;
    ASSERT_EQ(decoded.Decode(forwarded.data(), static_cast<uint16_t>(forwarded.size()), &outcome), 10);
    BACnetBVLL copy;
    copy.CopyFrom(decoded);
    copy.SetLengthForNPDU(8);
    EXPECT_EQ(copy.GetLength(), 18);
    ASSERT_EQ(copy.Encode(out, sizeof out, &outcome), 10);
    EXPECT_EQ(HexText(out, 10), "81 04 00 12 0A 00 00 05 BA C0");
    EXPECT_FALSE(copy.IsEqual(&decoded));
    copy.SetLengthForNPDU(5);
    EXPECT_TRUE(copy.IsEqual(&decoded));
}

}  // namespace
}  // namespace ZalvoBACnetStack
