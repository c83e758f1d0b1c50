// OCTET STRING, CharacterString and BIT STRING: wire octets -> value -> XML
// -> wire octets for both tag classes, lengths, character sets and unused
// bits, the encoders' refusal of an exact fit, every decode and encode
// failure with its exact report and outcome, and cut-at-every-length decoding.
#include <gtest/gtest.h>

#include "core/bacnetprimitivebitstring.h"
#include "core/bacnetprimitivecharstring.h"
#include "core/bacnetprimitiveoctstring.h"
#include "primitivetestsupport.h"

namespace ZalvoBACnetStack {
namespace {
using namespace PrimitiveTest;

struct GoldenRow {
    const char* label;
    uint8_t datatype;
    Octets octets;
    std::string xml;
};

TEST(StringPrimitives, GoldenVectorsDecodeRenderAndReencode) {
    const GoldenRow rows[] = {
        {"octets", 6, {0x62, 0x0A, 0x1B}, "<OctString datatype='6' length='2'>0x0A1B</OctString>"},
        {"no octets", 6, {0x60}, "<OctString datatype='6' length='0' />"},
        {"three octets", 6, {0x63, 0x0A, 0x1B, 0xFF}, "<OctString datatype='6' length='3'>0x0A1BFF</OctString>"},
        {"extended length", 6, {0x65, 0x06, 0x00, 0x01, 0x02, 0x03, 0xFE, 0xFF},
         "<OctString datatype='6' length='6'>0x00010203FEFF</OctString>"},
        {"context octets", 6, {0x1A, 0xDE, 0xAD}, "<OctString context='1' datatype='6' length='2'>0xDEAD</OctString>"},
        {"character string", 7, {0x75, 0x06, 0x00, 'H', 'e', 'l', 'l', 'o'},
         "<CharacterString datatype='7' encoding='0' length='5'>Hello</CharacterString>"},
        {"empty character string", 7, {0x71, 0x00},
         "<CharacterString datatype='7' encoding='0' length='0' />"},
        {"UCS-2 bytes kept", 7, {0x75, 0x05, 0x04, 0x4E, 0x2D, 0x65, 0x87},
         "<CharacterString datatype='7' encoding='4' length='4'>\x4E\x2D\x65\x87</CharacterString>"},
        {"ISO 8859-1 bytes kept", 7, {0x75, 0x05, 0x05, 'c', 'a', 'f', 0xE9},
         "<CharacterString datatype='7' encoding='5' length='4'>caf\xE9</CharacterString>"},
        {"markup characters unchanged", 7, {0x74, 0x00, '<', '&', '\''},
         "<CharacterString datatype='7' encoding='0' length='3'><&'</CharacterString>"},
        {"context character string", 7, {0x2B, 0x00, 'a', 'b'},
         "<CharacterString context='2' datatype='7' encoding='0' length='2'>ab</CharacterString>"},
        {"four bits", 8, {0x82, 0x04, 0xA0}, "<BitString datatype='8' length='4' unusedBits='4'>b1010</BitString>"},
        {"ten bits", 8, {0x83, 0x06, 0xFF, 0xC0},
         "<BitString datatype='8' length='10' unusedBits='6'>b1111111111</BitString>"},
        {"nine bits", 8, {0x83, 0x07, 0x80, 0x80},
         "<BitString datatype='8' length='9' unusedBits='7'>b100000001</BitString>"},
        {"whole octet", 8, {0x82, 0x00, 0x5A}, "<BitString datatype='8' length='8' unusedBits='0'>b01011010</BitString>"},
        {"no bits", 8, {0x81, 0x00}, "<BitString datatype='8' length='0' unusedBits='0' />"},
        {"context status flags", 8, {0x0A, 0x04, 0x60},
         "<BitString context='0' datatype='8' length='4' unusedBits='4'>b0110</BitString>"},
    };
    for (const GoldenRow& row : rows) {
        SCOPED_TRACE(row.label);
        CheckGoldenVector(row.datatype, row.octets, row.xml, 1);
    }
}

TEST(StringPrimitives, LongStringsUseTheSixteenBitLength) {
    Octets octets = {0x65, 0xFE, 0x01, 0x2C};
    std::string text = "0x";
    for (int i = 0; i < 300; ++i) {
        octets.push_back(static_cast<uint8_t>(i));
        static constexpr char kDigits[] = "0123456789ABCDEF";
        text += kDigits[(i & 0xFF) >> 4];
        text += kDigits[i & 0x0F];
    }
    CheckGoldenVector(6, octets, "<OctString datatype='6' length='300'>" + text + "</OctString>", 1);
}

TEST(StringPrimitives, DecodedBitStringsDropWhatCannotBeRepresented) {
    struct Row {
        const char* label;
        Octets octets;
        Octets reencoded;
        const char* text;
    } rows[] = {
        {"unused bits set on the wire", {0x82, 0x04, 0xAF}, {0x82, 0x04, 0xA0}, "b1010"},
        {"unused count without bit octets", {0x81, 0x03}, {0x81, 0x00}, ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.label);
        BACnetPrimitiveBitSTRING bits;
        ASSERT_EQ(DecodeExact(bits, row.octets, nullptr), row.octets.size());
        EXPECT_EQ(bits.GetElementText(), row.text);
        Octets out(8, 0);
        ASSERT_EQ(bits.Encode(out.data(), static_cast<uint16_t>(out.size()), nullptr), row.reencoded.size());
        out.resize(row.reencoded.size());
        EXPECT_EQ(out, row.reencoded);
    }
}

TEST(StringPrimitives, BitSettersPackBitZeroFirst) {
    const BACnetPrimitiveBitSTRING tenOnes(std::vector<bool>(10, true));
    EXPECT_EQ(tenOnes.GetOctets(), (Octets{0xFF, 0xC0}));
    EXPECT_EQ(tenOnes.UnusedBits(), 6);

    BACnetPrimitiveBitSTRING packed;
    const uint8_t wire[] = {0xFF, 0xFF};
    packed.SetValue(wire, 10);  // the six low bits of the last octet are dropped
    EXPECT_TRUE(packed.IsEqual(&tenOnes));

    BACnetPrimitiveBitSTRING grown;
    EXPECT_TRUE(grown.SetBit(9, true));
    EXPECT_EQ(grown.GetBitCount(), 10u);
    EXPECT_EQ(grown.GetElementText(), "b0000000001");
    EXPECT_TRUE(grown.SetBit(0, true));
    EXPECT_TRUE(grown.SetBit(9, false));
    EXPECT_TRUE(grown.AppendBit(true));
    EXPECT_EQ(grown.GetElementText(), "b10000000001");
    EXPECT_TRUE(grown.GetBit(10));
    EXPECT_FALSE(grown.GetBit(11));
    EXPECT_FALSE(grown.SetBit(BACnetPrimitiveBitSTRING::kMaxBitCount, true));
    EXPECT_EQ(grown.GetBitCount(), 11u);

    uint8_t out[8];
    ASSERT_EQ(grown.Encode(out, sizeof out, nullptr), 4);
    EXPECT_EQ(Octets(out, out + 4), (Octets{0x83, 0x05, 0x80, 0x20}));
}

TEST(StringPrimitives, CharacterSetsAreStoredAndCompared) {
    const std::string ucs2("\x00\x41\x00\x42", 4);
    const BACnetPrimitiveCharSTRING wide(ucs2, BACnetPrimitiveCharSTRING::kUCS2);
    uint8_t out[16];
    ASSERT_EQ(wide.Clone()->Encode(out, sizeof out, nullptr), 7);
    EXPECT_EQ(Octets(out, out + 7), (Octets{0x75, 0x05, 0x04, 0x00, 0x41, 0x00, 0x42}));
    EXPECT_EQ(wide.GetElementText(), ucs2);
    EXPECT_EQ(Xml(wide), "<CharacterString datatype='7' encoding='4' length='4'>" + ucs2 + "</CharacterString>");
    BACnetPrimitiveCharSTRING decoded;
    ASSERT_EQ(decoded.Decode(out, 7, nullptr), 7);
    EXPECT_TRUE(decoded.IsEqual(&wide));
    const BACnetPrimitiveCharSTRING sameBytesOtherSet(ucs2, BACnetPrimitiveCharSTRING::kISO8859_1);
    EXPECT_FALSE(sameBytesOtherSet.IsEqual(&wide));
    const BACnetPrimitiveOctSTRING sameBytesAsOctets(reinterpret_cast<const uint8_t*>(ucs2.data()), ucs2.size());
    EXPECT_FALSE(sameBytesAsOctets.IsEqual(&wide));
}

const char* const kNotEnough = "Not enough bytes to read";
const char* const kWrongTag = "Invalid application tag";

TEST(StringPrimitives, DecodeFailuresReportAndSetTheOutcome) {
    CheckDecodeFailures({
        {"octets control", 6, {0x60, 0x99}, {}, kNoOutcome, 1},
        {"octets without buffer", 6, {}, {}, Abort(0)},
        {"octets header cut", 6, {0x65}, {"Could not extract BACnet Tag"}, Reject(4)},
        {"octets as character string", 6, {0x71, 0x00}, {kWrongTag}, Reject(4)},
        {"octets cut", 6, {0x62, 0x0A}, {kNotEnough}, Reject(0)},
        {"octets claiming four gigaoctets", 6, {0x65, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00}, {kNotEnough}, Reject(0)},
        {"characters control", 7, {0x71, 0x00, 0x99}, {}, kNoOutcome, 2},
        {"characters without buffer", 7, {}, {}, Abort(0)},
        {"characters header cut", 7, {0x75}, {"Could not extract BACnet Tag"}, Reject(4)},
        {"characters as octets", 7, {0x62, 0x00, 0x00}, {kWrongTag}, Reject(4)},
        {"characters cut", 7, {0x75, 0x06, 0x00, 'H'}, {kNotEnough}, Reject(0)},
        {"characters without a character set", 7, {0x70}, {"Missing character set octet"}, Reject(6)},
        {"bits control", 8, {0x81, 0x00, 0x99}, {}, kNoOutcome, 2},
        {"bits without buffer", 8, {}, {"Invalid parameters "}, Reject(0)},
        {"bits header cut", 8, {0x85}, {"Can not extract Property length "}, Reject(4)},
        {"bits as unsigned", 8, {0x21, 0x00}, {kWrongTag}, Reject(4)},
        {"bits cut", 8, {0x82, 0x04}, {kNotEnough}, Reject(0)},
        {"bits claiming 65535 octets", 8, {0x85, 0xFE, 0xFF, 0xFF, 0x00}, {kNotEnough}, Reject(0)},
        {"bits without unused count", 8, {0x80}, {"Missing unused bits octet"}, Reject(6)},
        {"eight unused bits", 8, {0x82, 0x08, 0xFF}, {"Invalid number of unused bits=[8]"}, Reject(6)},
    });
}

template <class T, class... Args>
Maker Built(int contextTag, Args... args) {
    return [=] {
        auto made = std::make_unique<T>();
        if (contextTag >= 0) made->SetContextTag(static_cast<uint8_t>(contextTag));
        made->SetValue(args...);
        return std::unique_ptr<BACnetPrimitiveBase>(std::move(made));
    };
}

const uint8_t kThreeOctets[] = {0x0A, 0x1B, 0xFF};
const uint8_t kFiveOctets[] = {1, 2, 3, 4, 5};  // extended length: a 3-octet header with tag 20
const char* const kNoRoom = "Not enough space to encode this object";

TEST(StringPrimitives, EncodeFailuresReportAndSetTheOutcome) {
    const Maker octets = Built<BACnetPrimitiveOctSTRING>(-1, kThreeOctets, size_t{3});
    const Maker hello = Built<BACnetPrimitiveCharSTRING>(-1, std::string_view("Hello"), uint8_t{0});
    const Maker tenBits = Built<BACnetPrimitiveBitSTRING>(-1, std::vector<bool>(10, true));
    CheckEncodeFailures({
        {"octets control", octets, false, 5, {}, kNoOutcome, 4},
        {"octets without buffer", octets, true, 5, {"Invalid parameters"}, Abort(0)},
        {"octets in 1", octets, false, 1, {kNoRoom}, Abort(4)},
        {"octets never set", Empty<BACnetPrimitiveOctSTRING>(), false, 10, {"Failed to encode the tag"}, Abort(0)},
        {"context 20 octets header in 2", Built<BACnetPrimitiveOctSTRING>(20, kFiveOctets, size_t{5}), false, 2,
         {"Failed to encode the tag"}, Abort(0)},
        {"octets in an exact fit", octets, false, 4,
         {"Error insufficient space. max_length=[4], message_offset=[1], value.size=[3]"}, Abort(4)},
        {"characters control", hello, false, 9, {}, kNoOutcome, 8},
        {"characters without room", hello, false, 0, {"Invalid prameters"}, Abort(0)},
        {"characters in 1", hello, false, 1, {kNoRoom}, Abort(4)},
        {"characters never set", Empty<BACnetPrimitiveCharSTRING>(), false, 10, {"size<=0"}, Abort(0)},
        {"context 20 characters header in 2", Built<BACnetPrimitiveCharSTRING>(20, std::string_view("abcd"), uint8_t{0}),
         false, 2, {"size<=0"}, Abort(0)},
        {"characters in an exact fit", hello, false, 8,
         {"Error_insufficient_space. max_length=[8], message_offset=[2], value.size+encoding=[6]", "Value=[Hello]"},
         Abort(4)},
        {"bits control", tenBits, false, 5, {}, kNoOutcome, 4},
        {"bits without buffer", tenBits, true, 5, {"Invalid parameters"}, Abort(0)},
        {"bits never set", Empty<BACnetPrimitiveBitSTRING>(), false, 5, {"Invalid primitive enum object"}, Abort(0)},
        {"bits below contents + 1", tenBits, false, 3, {kNoRoom}, Abort(4)},
        {"bits in an exact fit", tenBits, false, 4,
         {"Error insufficient space. max_length=[4], message_offset=[1], value.size+encoding=[3]"}, Abort(4)},
    });
}

}  // namespace
}  // namespace ZalvoBACnetStack
