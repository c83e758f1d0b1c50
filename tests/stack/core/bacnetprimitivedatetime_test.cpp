// Date, Time and Object Identifier: wire octets -> value -> XML -> wire
// octets for both tag classes, wildcard and special date fields, the range
// checks of decoding, the 10/22-bit split of object identifiers, every
// decode and encode failure with its exact report and outcome, and
// cut-at-every-length decoding.
#include <gtest/gtest.h>

#include "core/bacnetprimitivedate.h"
#include "core/bacnetprimitiveobjectidentifier.h"
#include "core/bacnetprimitivetime.h"
#include "primitivetestsupport.h"

namespace ZalvoBACnetStack {
namespace {
using namespace PrimitiveTest;

struct GoldenRow {
    const char* label;
    uint8_t datatype;
    Octets octets;
    const char* xml;
};

TEST(DateTimePrimitives, GoldenVectorsDecodeRenderAndReencode) {
    const GoldenRow rows[] = {
        {"a Tuesday", 10, {0xA4, 0x7C, 0x03, 0x05, 0x02},
         "<Date datatype='10' day='5' month='3' weekday='2' year='124'>March, 5, 2024, Tuesday</Date>"},
        {"all unspecified", 10, {0xA4, 0xFF, 0xFF, 0xFF, 0xFF},
         "<Date datatype='10' day='255' month='255' weekday='255' year='255'>Unspecified Month, Unspecified Day, "
         "Unspecified Year, Unspecified Day of Week</Date>"},
        {"odd months, even days", 10, {0xA4, 0x7C, 0x0D, 0x22, 0x07},
         "<Date datatype='10' day='34' month='13' weekday='7' year='124'>Odd Months, Even days of month, 2024, "
         "Sunday</Date>"},
        {"even months, odd days", 10, {0xA4, 0x00, 0x0E, 0x21, 0x01},
         "<Date datatype='10' day='33' month='14' weekday='1' year='0'>Even Months, Odd days of month, 1900, "
         "Monday</Date>"},
        {"last day of month", 10, {0xA4, 0x63, 0x0C, 0x20, 0x06},
         "<Date datatype='10' day='32' month='12' weekday='6' year='99'>December, 32, 1999, Saturday</Date>"},
        {"January, every weekday name", 10, {0xA4, 0x7D, 0x01, 0x1F, 0x03},
         "<Date datatype='10' day='31' month='1' weekday='3' year='125'>January, 31, 2025, Wednesday</Date>"},
        {"context date", 10, {0x1C, 0x7C, 0x02, 0x1D, 0x04},
         "<Date context='1' datatype='10' day='29' month='2' weekday='4' year='124'>February, 29, 2024, "
         "Thursday</Date>"},
        {"time", 11, {0xB4, 0x0E, 0x05, 0x03, 0x07},
         "<Time datatype='11' hour='14' hundrethSeconds='7' minute='5' second='3'>14:5:3.7</Time>"},
        {"time unspecified", 11, {0xB4, 0xFF, 0xFF, 0xFF, 0xFF},
         "<Time datatype='11' hour='255' hundrethSeconds='255' minute='255' second='255'>255:255:255.255</Time>"},
        {"last moment, any hundredths", 11, {0xB4, 0x17, 0x3B, 0x3B, 0xC8},
         "<Time datatype='11' hour='23' hundrethSeconds='200' minute='59' second='59'>23:59:59.200</Time>"},
        {"context 40 time", 11, {0xFC, 0x28, 0x00, 0x00, 0x00, 0x00},
         "<Time context='40' datatype='11' hour='0' hundrethSeconds='0' minute='0' second='0'>0:0:0.0</Time>"},
        {"device 5", 12, {0xC4, 0x02, 0x00, 0x00, 0x05},
         "<ObjectIdentifier datatype='12' objectInstance='5' objectType='8'>device, 5</ObjectIdentifier>"},
        {"analog input 0", 12, {0xC4, 0x00, 0x00, 0x00, 0x00},
         "<ObjectIdentifier datatype='12' objectInstance='0' objectType='0'>analogInput, 0</ObjectIdentifier>"},
        {"last named type", 12, {0xC4, 0x0E, 0xC0, 0x00, 0x01},
         "<ObjectIdentifier datatype='12' objectInstance='1' objectType='59'>lift, 1</ObjectIdentifier>"},
        {"unnamed type", 12, {0xC4, 0x32, 0x00, 0x00, 0x07},
         "<ObjectIdentifier datatype='12' objectInstance='7' objectType='200'>Unknown Enumeration Value (200), "
         "7</ObjectIdentifier>"},
        {"every bit set", 12, {0xC4, 0xFF, 0xFF, 0xFF, 0xFF},
         "<ObjectIdentifier datatype='12' objectInstance='4194303' objectType='1023'>Unknown Enumeration Value "
         "(1023), 4194303</ObjectIdentifier>"},
        {"instance's top bit only", 12, {0xC4, 0x00, 0x20, 0x00, 0x00},
         "<ObjectIdentifier datatype='12' objectInstance='2097152' objectType='0'>analogInput, "
         "2097152</ObjectIdentifier>"},
        {"type's lowest bit only", 12, {0xC4, 0x00, 0x40, 0x00, 0x00},
         "<ObjectIdentifier datatype='12' objectInstance='0' objectType='1'>analogOutput, 0</ObjectIdentifier>"},
        {"context wildcard device", 12, {0x0C, 0x02, 0x3F, 0xFF, 0xFF},
         "<ObjectIdentifier context='0' datatype='12' objectInstance='4194303' objectType='8'>device, "
         "4194303</ObjectIdentifier>"},
    };
    for (const GoldenRow& row : rows) {
        SCOPED_TRACE(row.label);
        CheckGoldenVector(row.datatype, row.octets, row.xml, 0);
    }
}

TEST(DateTimePrimitives, DateTextFromFieldsSetInMemory) {
    struct Row {
        uint8_t year, month, day, weekday;
        const char* text;
    } rows[] = {
        {124, 3, 5, 9, "Invalid Day of Week"},
        {124, 3, 5, 0, "Invalid Day of Week"},
        {124, 3, 5, 254, "Invalid Day of Week"},
        {124, 0, 5, 2, "Invalid Month"},
        {124, 15, 5, 2, "Invalid Month"},
        {124, 254, 5, 2, "Invalid Month"},
        {124, 3, 35, 2, "Invalid Day"},
        {124, 3, 254, 2, "Invalid Day"},
        {124, 0, 35, 0, "Invalid Month"},  // month is tested first
        {124, 3, 35, 0, "Invalid Day"},    // then day
        {124, 3, 0, 2, "March, 0, 2024, Tuesday"},
        {255, 4, 1, 5, "April, 1, Unspecified Year, Friday"},
        {154, 5, 255, 255, "May, Unspecified Day, 2054, Unspecified Day of Week"},
        {100, 6, 1, 1, "June, 1, 2000, Monday"},
        {100, 7, 1, 1, "July, 1, 2000, Monday"},
        {100, 8, 1, 1, "August, 1, 2000, Monday"},
        {100, 9, 1, 1, "September, 1, 2000, Monday"},
        {100, 10, 1, 1, "October, 1, 2000, Monday"},
        {100, 11, 1, 1, "November, 1, 2000, Monday"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        const BACnetPrimitiveDATE date(row.year, row.month, row.day, row.weekday);
        EXPECT_TRUE(date.IsValid());
        EXPECT_EQ(date.GetElementText(), row.text);
    }
}

TEST(DateTimePrimitives, ObjectIdentifierSettersSplitTenAndTwentyTwoBits) {
    struct Row {
        uint16_t type;
        uint32_t instance;
        uint32_t raw;
        uint16_t storedType;
        uint32_t storedInstance;
    } rows[] = {
        {8, 5, 0x02000005, 8, 5},
        {8, 4194303, 0x023FFFFF, 8, 4194303},
        {1023, 0, 0xFFC00000, 1023, 0},
        {8, 4194304 + 5, 0x02000005, 8, 5},  // the instance keeps its low 22 bits
        {1024 + 8, 5, 0x02000005, 8, 5},     // the type keeps its low 10 bits
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.raw);
        const BACnetPrimitiveObjectIdentifier id(row.type, row.instance);
        EXPECT_EQ(id.GetRawValue(), row.raw);
        EXPECT_EQ(id.GetObjectType(), row.storedType);
        EXPECT_EQ(id.GetInstance(), row.storedInstance);
        uint8_t out[5];
        ASSERT_EQ(BACnetPrimitiveObjectIdentifier(id).Encode(out, sizeof out, nullptr), 5);
        EXPECT_EQ(Octets(out, out + 5), (Octets{0xC4, static_cast<uint8_t>(row.raw >> 24),
                                                static_cast<uint8_t>(row.raw >> 16), static_cast<uint8_t>(row.raw >> 8),
                                                static_cast<uint8_t>(row.raw)}));
    }
    const BACnetPrimitiveObjectIdentifier device(8, 5);
    EXPECT_FALSE(device.IsEqual(BACnetPrimitiveObjectIdentifier(8, 6).Clone().get()));
    EXPECT_TRUE(device.IsEqual(BACnetPrimitiveObjectIdentifier(8, 5).Clone().get()));
}

TEST(DateTimePrimitives, EqualityComparesEveryField) {
    const BACnetPrimitiveDATE date(124, 3, 5, 2);
    EXPECT_TRUE(date.IsEqual(BACnetPrimitiveDATE(124, 3, 5, 2).Clone().get()));
    EXPECT_FALSE(date.IsEqual(BACnetPrimitiveDATE(125, 3, 5, 2).Clone().get()));
    EXPECT_FALSE(date.IsEqual(BACnetPrimitiveDATE(124, 4, 5, 2).Clone().get()));
    EXPECT_FALSE(date.IsEqual(BACnetPrimitiveDATE(124, 3, 6, 2).Clone().get()));
    EXPECT_FALSE(date.IsEqual(BACnetPrimitiveDATE(124, 3, 5, 3).Clone().get()));
    const BACnetPrimitiveTIME time(14, 5, 3, 7);
    EXPECT_TRUE(time.IsEqual(BACnetPrimitiveTIME(14, 5, 3, 7).Clone().get()));
    EXPECT_FALSE(time.IsEqual(BACnetPrimitiveTIME(15, 5, 3, 7).Clone().get()));
    EXPECT_FALSE(time.IsEqual(BACnetPrimitiveTIME(14, 6, 3, 7).Clone().get()));
    EXPECT_FALSE(time.IsEqual(BACnetPrimitiveTIME(14, 5, 4, 7).Clone().get()));
    EXPECT_FALSE(time.IsEqual(BACnetPrimitiveTIME(14, 5, 3, 8).Clone().get()));
    EXPECT_FALSE(time.IsEqual(&date));  // same four octets, another datatype
}

const char* const kNoHeader = "Could not extract BACnet Tag";
const char* const kTooShort = "Message is to short. ";

TEST(DateTimePrimitives, DecodeFailuresReportAndSetTheOutcome) {
    CheckDecodeFailures({
        {"date control", 10, {0xA4, 0x7C, 0x03, 0x05, 0x02, 0x99}, {}, kNoOutcome, 5},
        {"date without buffer", 10, {}, {}, Reject(0)},
        {"date in four octets", 10, {0xA4, 0x7C, 0x03, 0x05}, {}, Reject(0)},
        {"date header cut", 10, {0xA5, 0xFF, 0x00, 0x00, 0x00}, {kNoHeader}, Reject(0)},
        {"date as time", 10, {0xB4, 0x7C, 0x03, 0x05, 0x02}, {"Invalid application tag"}, Reject(4)},
        {"date length 3", 10, {0xA3, 0x7C, 0x03, 0x05, 0x02}, {}, Reject(6)},
        {"date length 5", 10, {0xA5, 0x05, 0x7C, 0x03, 0x05, 0x02, 0x00}, {}, Reject(6)},
        {"context 20 date cut", 10, {0xFC, 0x14, 0x7C, 0x03, 0x05}, {kTooShort}, Reject(4)},
        {"month 0", 10, {0xA4, 0x7C, 0x00, 0x05, 0x02}, {}, kNoOutcome},
        {"month 15", 10, {0xA4, 0x7C, 0x0F, 0x05, 0x02}, {}, kNoOutcome},
        {"month 254", 10, {0xA4, 0x7C, 0xFE, 0x05, 0x02}, {}, kNoOutcome},
        {"day 0", 10, {0xA4, 0x7C, 0x03, 0x00, 0x02}, {}, kNoOutcome},
        {"day 35", 10, {0xA4, 0x7C, 0x03, 0x23, 0x02}, {}, kNoOutcome},
        {"weekday 0", 10, {0xA4, 0x7C, 0x03, 0x05, 0x00}, {}, kNoOutcome},
        {"weekday 8", 10, {0xA4, 0x7C, 0x03, 0x05, 0x08}, {}, kNoOutcome},
        {"time control", 11, {0xB4, 0x00, 0x00, 0x00, 0x00, 0x99}, {}, kNoOutcome, 5},
        {"time without buffer", 11, {}, {}, Reject(0)},
        {"time in four octets", 11, {0xB4, 0x0E, 0x05, 0x03}, {}, Reject(0)},
        {"time header cut", 11, {0xB5, 0xFF, 0x00, 0x00, 0x00}, {kNoHeader}, Reject(0)},
        {"time as date", 11, {0xA4, 0x0E, 0x05, 0x03, 0x07}, {"Binvalid application tag"}, Reject(4)},
        {"time length 2", 11, {0xB2, 0x0E, 0x05, 0x03, 0x07}, {}, Reject(6)},
        {"hour 24", 11, {0xB4, 0x18, 0x05, 0x03, 0x07}, {}, kNoOutcome},
        {"minute 60", 11, {0xB4, 0x0E, 0x3C, 0x03, 0x07}, {}, kNoOutcome},
        {"second 60", 11, {0xB4, 0x0E, 0x05, 0x3C, 0x07}, {}, kNoOutcome},
        {"identifier control", 12, {0xC4, 0x02, 0x00, 0x00, 0x05, 0x99}, {}, kNoOutcome, 5},
        {"identifier without buffer", 12, {}, {"Invalid parameters "}, Reject(0)},
        {"identifier header cut", 12, {0xC5}, {"Can not extract Property length "}, Reject(4)},
        {"identifier as date", 12, {0xA4, 0x02, 0x00, 0x00, 0x05}, {"Invalid application tag"}, Reject(4)},
        {"identifier length 3", 12, {0xC3, 0x02, 0x00, 0x00}, {}, Reject(6)},
        {"identifier contents cut", 12, {0xC4, 0x02, 0x00}, {kTooShort}, Reject(4)},
    });
}

template <class T>
Maker Built(int contextTag, uint8_t a, uint8_t b, uint8_t c, uint8_t d) {
    return [=] {
        auto made = std::make_unique<T>(a, b, c, d);
        if (contextTag >= 0) made->SetContextTag(static_cast<uint8_t>(contextTag));
        return std::unique_ptr<BACnetPrimitiveBase>(std::move(made));
    };
}

Maker Identifier(int contextTag) {
    return [=] {
        auto made = std::make_unique<BACnetPrimitiveObjectIdentifier>(uint16_t{8}, 5u);
        if (contextTag >= 0) made->SetContextTag(static_cast<uint8_t>(contextTag));
        return std::unique_ptr<BACnetPrimitiveBase>(std::move(made));
    };
}

const char* const kNoRoom = "Not enough space to encode this object";

TEST(DateTimePrimitives, EncodeFailuresReportAndSetTheOutcome) {
    const Maker date = Built<BACnetPrimitiveDATE>(-1, 124, 3, 5, 2);
    const Maker time = Built<BACnetPrimitiveTIME>(-1, 14, 5, 3, 7);
    CheckEncodeFailures({
        {"date control", date, false, 5, {}, kNoOutcome, 5},
        {"date without buffer", date, true, 5, {"Invalid prameters"}, Abort(0)},
        {"date never set", Empty<BACnetPrimitiveDATE>(), false, 5, {"Invalid primitive integer object"}, Abort(0)},
        {"date in 4", date, false, 4, {kNoRoom}, Abort(4)},
        {"context 20 date in 5", Built<BACnetPrimitiveDATE>(20, 124, 3, 5, 2), false, 5, {kNoRoom}, Abort(4)},
        {"context 20 date control", Built<BACnetPrimitiveDATE>(20, 124, 3, 5, 2), false, 6, {}, kNoOutcome, 6},
        {"time control", time, false, 5, {}, kNoOutcome, 5},
        {"time without room", time, false, 0, {"Invalid prameters"}, Abort(0)},
        {"time never set", Empty<BACnetPrimitiveTIME>(), false, 5, {"Invalid primitive integer object"}, Abort(0)},
        {"time in 4", time, false, 4, {kNoRoom}, Abort(4)},
        {"identifier control", Identifier(-1), false, 5, {}, kNoOutcome, 5},
        {"identifier without buffer", Identifier(-1), true, 5, {"Invalid parameters"}, Abort(0)},
        {"identifier never set", Empty<BACnetPrimitiveObjectIdentifier>(), false, 5,
         {"Invalid primitive object identifier object"}, Abort(0)},
        {"identifier in 4", Identifier(-1), false, 4, {kNoRoom}, Abort(4)},
        {"context 20 identifier in 5", Identifier(20), false, 5, {kNoRoom}, Abort(4)},
    });
}

}  // namespace
}  // namespace ZalvoBACnetStack
