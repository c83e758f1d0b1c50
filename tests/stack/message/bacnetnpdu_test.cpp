#include "message/bacnetnpdu.h"

#include <gtest/gtest.h>

#include "messagetestsupport.h"

namespace ZalvoBACnetStack {
namespace {
using namespace MessageTest;

struct NPDURow {
    const char* label;
    const char* octets;
    uint16_t consumed;
    uint8_t hopCount;
    const char* xml;
};

// Each specifier combination; all of them re-encode to the same octets.
const NPDURow kNPDURows[] = {
    {"local", "01 00", 2, 255, "<NPDU control='0x00' version='1' />"},
    {"expecting reply, priority 3", "01 07", 2, 255, "<NPDU control='0x07' version='1' />"},
    {"network layer message flag kept", "01 80", 2, 255, "<NPDU control='0x80' version='1' />"},
    {"global broadcast", "01 20 FF FF 00 FF", 6, 255,
     "<NPDU control='0x20' version='1'><DestinationNetwork>65535</DestinationNetwork>"
     "<DestinationAddress length='0' /><HopCount>255</HopCount></NPDU>"},
    {"remote station, one-octet MS/TP address", "01 24 00 05 01 0A 10", 7, 16,
     "<NPDU control='0x24' version='1'><DestinationNetwork>5</DestinationNetwork>"
     "<DestinationAddress length='1'>0x0A</DestinationAddress><HopCount>16</HopCount></NPDU>"},
    {"seven-octet destination address", "01 20 00 05 07 01 02 03 04 05 06 07 FF", 13, 255,
     "<NPDU control='0x20' version='1'><DestinationNetwork>5</DestinationNetwork>"
     "<DestinationAddress length='7'>0x01020304050607</DestinationAddress><HopCount>255</HopCount></NPDU>"},
    {"source only", "01 08 00 07 06 C0 A8 01 0A BA C0", 11, 255,
     "<NPDU control='0x08' version='1'><SourceNetwork>7</SourceNetwork>"
     "<SourceAddress length='6'>0xC0A8010ABAC0</SourceAddress></NPDU>"},
    {"destination and source", "01 28 00 05 01 0A 00 07 06 C0 A8 01 0A BA C0 FE", 16, 254,
     "<NPDU control='0x28' version='1'><DestinationNetwork>5</DestinationNetwork>"
     "<DestinationAddress length='1'>0x0A</DestinationAddress><HopCount>254</HopCount>"
     "<SourceNetwork>7</SourceNetwork><SourceAddress length='6'>0xC0A8010ABAC0</SourceAddress></NPDU>"},
    {"broadcast destination and source", "01 28 FF FF 00 00 07 01 2A 00", 10, 0,
     "<NPDU control='0x28' version='1'><DestinationNetwork>65535</DestinationNetwork>"
     "<DestinationAddress length='0' /><HopCount>0</HopCount>"
     "<SourceNetwork>7</SourceNetwork><SourceAddress length='1'>0x2A</SourceAddress></NPDU>"},
};

TEST(BACnetNPDU, DecodesRendersAndReencodesEverySpecifierCombination) {
    for (const NPDURow& row : kNPDURows) {
        SCOPED_TRACE(row.label);
        const std::vector<uint8_t> octets = ParseHex(row.octets);
        BACnetNPDU npdu;
        BACnetErrorOutcome outcome;
        StackErrorLogCapture log;
        ASSERT_EQ(npdu.Decode(octets.data(), static_cast<uint16_t>(octets.size()), &outcome), row.consumed);
        EXPECT_EQ(log.Text(), "");
        EXPECT_FALSE(outcome.set);
        EXPECT_TRUE(npdu.IsValid());
        EXPECT_EQ(npdu.GetHopCount(), row.hopCount);
        EXPECT_EQ(Xml(npdu), row.xml);

        std::vector<uint8_t> out(32, 0xEE);
        ASSERT_EQ(npdu.Encode(out.data(), static_cast<uint16_t>(out.size()), &outcome), row.consumed);
        out.resize(row.consumed);
        EXPECT_EQ(HexText(out), HexText(octets));
        std::unique_ptr<ICodable> copy = npdu.Clone();
        ASSERT_NE(copy, nullptr);
        EXPECT_TRUE(copy->IsEqual(&npdu));
        // An APDU after the header is not part of it.
        std::vector<uint8_t> withApdu = octets;
        withApdu.insert(withApdu.end(), {0x10, 0x08});
        EXPECT_EQ(npdu.Decode(withApdu.data(), static_cast<uint16_t>(withApdu.size()), &outcome), row.consumed);
        ExpectEveryCutStaysInside(octets, [] { return std::make_unique<BACnetNPDU>(); });
    }
}

TEST(BACnetNPDU, AHeaderEndingWithItsControlOctetHasNoOptionalFields) {
    // Control announces a destination but nothing follows: accepted as two octets.
    const std::vector<uint8_t> octets = ParseHex("01 28");
    BACnetNPDU npdu;
    BACnetErrorOutcome outcome;
    StackErrorLogCapture log;
    ASSERT_EQ(npdu.Decode(octets.data(), 2, &outcome), 2);
    EXPECT_EQ(log.Text(), "");
    EXPECT_EQ(npdu.GetHopCount(), 255);
    EXPECT_EQ(npdu.GetDestinationNetwork(), 0);
}

TEST(BACnetNPDU, ASourceOfLengthZeroDecodesButDoesNotEncode) {
    const std::vector<uint8_t> octets = ParseHex("01 08 00 07 00");
    BACnetNPDU npdu;
    BACnetErrorOutcome outcome;
    ASSERT_EQ(npdu.Decode(octets.data(), 5, &outcome), 5);
    EXPECT_EQ(Xml(npdu),
              "<NPDU control='0x08' version='1'><SourceNetwork>7</SourceNetwork><SourceAddress length='0' /></NPDU>");
    uint8_t out[16];
    StackErrorLogCapture log;
    EXPECT_EQ(npdu.Encode(out, sizeof out, &outcome), 0);
    ExpectReports(log, {{"BACnetNPDU::EncodeSourceAddress", "bacnetnpdu", "Invalid SLEN, SLEN must be > 0 "},
                        {"BACnetNPDU::Encode", "bacnetnpdu", "Unable to encode the source address"}});
    EXPECT_TRUE(outcome.set);
    EXPECT_EQ(outcome.kind, 1u);
    EXPECT_EQ(outcome.value, 0u);
}

struct NPDUFailureRow {
    const char* label;
    const char* octets;
    std::vector<Report> reports;
    uint32_t kind;
};

constexpr const char* kSrc = "bacnetnpdu";

TEST(BACnetNPDU, DecodeFailuresNameTheStepThatFoundThem) {
    const Report rest{"BACnetNPDU::Decode", kSrc, "Error occurred when decoding the rest of the NPDU"};
    const Report destination{"BACnetNPDU::DecodeUsingControl", kSrc,
                             "Error occurred when decoding the destination address"};
    const Report source{"BACnetNPDU::DecodeUsingControl", kSrc, "Error occurred when decoding the source address"};
    const NPDUFailureRow rows[] = {
        {"empty", "", {{"BACnetNPDU::Decode", kSrc, "Invalid parameters "}}, 2},
        {"version only", "01", {{"BACnetNPDU::Decode", kSrc, "Buffer does not have enough bytes to decode the NPDU"}}, 1},
        {"version 2", "02 00", {{"BACnetNPDU::Decode", kSrc, "Invalid BACnet version"}}, 1},
        {"version 0", "00 00 10 08", {{"BACnetNPDU::Decode", kSrc, "Invalid BACnet version"}}, 1},
        {"DNET cut", "01 20 FF",
         {{"BACnetNPDU::DecodeDestinationAddress", kSrc, "Not enough bytes to decode the DNET"}, destination, rest}, 1},
        {"DLEN missing", "01 20 FF FF",
         {{"BACnetNPDU::DecodeDestinationAddress", kSrc, "Not enough bytes to decode the DLEN"}, destination, rest}, 1},
        {"DADR cut", "01 20 00 05 02 0A",
         {{"BACnetNPDU::DecodeDestinationAddress", kSrc, "Not enough bytes to decode the DADR"}, destination, rest}, 1},
        {"DLEN above 7", "01 20 00 05 08 01 02 03 04 05 06 07 08 FF",
         {{"BACnetNPDU::DecodeDestinationAddress", kSrc, "Invalid DLEN=[8]"}, destination, rest}, 1},
        {"hop count missing", "01 20 FF FF 00",
         {{"BACnetNPDU::DecodeUsingControl", kSrc, "Unable to extract the hop count"}, rest}, 1},
        {"destination uses every octet before the source", "01 28 00 05 01 0A", {source, rest}, 1},
        {"SNET cut", "01 08 00",
         {{"BACnetNPDU::DecodeSourceAddress", kSrc, "Not enough bytes to decode the SNET"}, source, rest}, 1},
        {"SLEN missing", "01 08 00 07",
         {{"BACnetNPDU::DecodeSourceAddress", kSrc, "Not enough bytes to decode the SLEN"}, source, rest}, 1},
        {"SADR cut", "01 08 00 07 06 C0 A8",
         {{"BACnetNPDU::DecodeSourceAddress", kSrc, "Not enough bytes to decode the SADR"}, source, rest}, 1},
        {"SLEN above 6", "01 08 00 07 07 01 02 03 04 05 06 07",
         {{"BACnetNPDU::DecodeSourceAddress", kSrc, "Invalid SLEN=[7]"}, source, rest}, 1},
        {"source cut before the hop count", "01 28 00 05 01 0A 00 07 06 C0 A8 01 0A BA C0",
         {{"BACnetNPDU::DecodeUsingControl", kSrc, "Unable to extract the hop count"}, rest}, 1},
    };
    for (const NPDUFailureRow& row : rows) {
        SCOPED_TRACE(row.label);
        const std::vector<uint8_t> octets = ParseHex(row.octets);
        BACnetNPDU npdu;
        BACnetErrorOutcome outcome;
        StackErrorLogCapture log;
        EXPECT_EQ(npdu.Decode(octets.empty() ? nullptr : octets.data(), static_cast<uint16_t>(octets.size()), &outcome),
                  0);
        ExpectReports(log, row.reports);
        EXPECT_FALSE(npdu.IsValid());
        EXPECT_TRUE(outcome.set);
        EXPECT_EQ(outcome.kind, row.kind);
        EXPECT_EQ(outcome.value, 0u);
    }
}

TEST(BACnetNPDU, EncodeStopsWhereTheRoomEnds) {
    const struct {
        const char* label;
        const char* octets;
        uint16_t room;
        std::vector<Report> reports;
        uint32_t value;
    } rows[] = {
        {"room for one octet", "01 00", 1,
         {{"BACnetNPDU::Encode", kSrc, "Not enough space to encode the minimum object"}}, 4},
        {"no room after the control octet", "01 20 FF FF 00 FF", 2,
         {{"BACnetNPDU::EncodeDestinationAddress", kSrc, "Invalid parameters"},
          {"BACnetNPDU::Encode", kSrc, "Unable to encode the destination address"}}, 0},
        {"DNET cut", "01 20 FF FF 00 FF", 3,
         {{"BACnetNPDU::EncodeDestinationAddress", kSrc, "Not enough space to encode DNET"},
          {"BACnetNPDU::Encode", kSrc, "Unable to encode the destination address"}}, 0},
        {"DLEN cut", "01 20 FF FF 00 FF", 4,
         {{"BACnetNPDU::EncodeDestinationAddress", kSrc, "Not enough space to encode DLEN"},
          {"BACnetNPDU::Encode", kSrc, "Unable to encode the destination address"}}, 0},
        {"DADR cut", "01 20 00 05 02 0A 0B FF", 6,
         {{"BACnetNPDU::EncodeDestinationAddress", kSrc, " Not enough space to encode DADR"},
          {"BACnetNPDU::Encode", kSrc, "Unable to encode the destination address"}}, 0},
        {"hop count cut", "01 20 FF FF 00 FF", 5,
         {{"BACnetNPDU::Encode", kSrc, "Not enough space to encode the hop count"}}, 0},
        {"no room for the source", "01 08 00 07 01 2A", 2,
         {{"BACnetNPDU::EncodeSourceAddress", kSrc, "Invalid parameters"},
          {"BACnetNPDU::Encode", kSrc, "Unable to encode the source address"}}, 0},
        {"SNET cut", "01 08 00 07 01 2A", 3,
         {{"BACnetNPDU::EncodeSourceAddress", kSrc, "Not enough space to encode SNET"},
          {"BACnetNPDU::Encode", kSrc, "Unable to encode the source address"}}, 0},
        {"SLEN cut", "01 08 00 07 01 2A", 4,
         {{"BACnetNPDU::EncodeSourceAddress", kSrc, "Not enough space to encode SLEN"},
          {"BACnetNPDU::Encode", kSrc, "Unable to encode the source address"}}, 0},
        {"SADR cut", "01 08 00 07 01 2A", 5,
         {{"BACnetNPDU::EncodeSourceAddress", kSrc, "Not enough space to encode SADR"},
          {"BACnetNPDU::Encode", kSrc, "Unable to encode the source address"}}, 0},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        const std::vector<uint8_t> octets = ParseHex(row.octets);
        BACnetNPDU npdu;
        ASSERT_EQ(npdu.Decode(octets.data(), static_cast<uint16_t>(octets.size()), nullptr), octets.size());
        std::vector<uint8_t> out(row.room + 1u, 0xEE);
        BACnetErrorOutcome outcome;
        StackErrorLogCapture log;
        EXPECT_EQ(npdu.Encode(out.data(), row.room, &outcome), 0);
        ExpectReports(log, row.reports);
        EXPECT_EQ(out[row.room], 0xEE);
        EXPECT_EQ(outcome.kind, 1u);
        EXPECT_EQ(outcome.value, row.value);
    }
    BACnetNPDU npdu;
    uint8_t out[4];
    StackErrorLogCapture log;
    EXPECT_EQ(npdu.Encode(nullptr, 4, nullptr), 0);
    EXPECT_EQ(npdu.Encode(out, 0, nullptr), 0);
    ExpectReports(log, {{"BACnetNPDU::Encode", kSrc, "Invalid parameters"}, {"BACnetNPDU::Encode", kSrc, "Invalid parameters"}});
}

TEST(BACnetNPDU, SettersBuildTheRoutedHeader) {
    const uint8_t station[] = {0x0A};
    const uint8_t ip[] = {0xC0, 0xA8, 0x01, 0x0A, 0xBA, 0xC0};
    const uint8_t tooLong[8] = {};
    BACnetNPDU npdu;
    EXPECT_FALSE(npdu.IsValid());
    EXPECT_FALSE(npdu.SetDestination(5, tooLong, 8));
    EXPECT_FALSE(npdu.SetSource(7, tooLong, 7));
    EXPECT_FALSE(npdu.IsValid());
    EXPECT_EQ(npdu.GetControl(), 0);
    ASSERT_TRUE(npdu.SetDestination(5, station, 1));
    ASSERT_TRUE(npdu.SetSource(7, ip, 6));
    EXPECT_TRUE(npdu.IsValid());
    uint8_t out[32];
    ASSERT_EQ(npdu.Encode(out, sizeof out, nullptr), 16);
    EXPECT_EQ(HexText(out, 16), "01 28 00 05 01 0A 00 07 06 C0 A8 01 0A BA C0 FF");
    npdu.Reset();
    EXPECT_FALSE(npdu.IsValid());
    ASSERT_TRUE(npdu.SetDestination(0xFFFF, nullptr, 0));
    ASSERT_EQ(npdu.Encode(out, sizeof out, nullptr), 6);
    EXPECT_EQ(HexText(out, 6), "01 20 FF FF 00 FF");
}

}  // namespace
}  // namespace ZalvoBACnetStack
