// NULL, BOOLEAN, Unsigned, Signed, REAL and Double: wire octets -> value ->
// XML -> wire octets for both tag classes, the content lengths the setters
// choose, every decode and encode failure with its exact report and outcome,
// and cut-at-every-length decoding.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <functional>
#include <limits>

#include "core/bacnetprimitivebool.h"
#include "core/bacnetprimitivedouble.h"
#include "core/bacnetprimitiveint.h"
#include "core/bacnetprimitivenull.h"
#include "core/bacnetprimitivereal.h"
#include "core/bacnetprimitiveuint.h"
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

TEST(ScalarPrimitives, GoldenVectorsDecodeRenderAndReencode) {
    const GoldenRow rows[] = {
        {"null", 0, {0x00}, "<Null datatype='0' />"},
        {"application false", 1, {0x10}, "<Boolean datatype='1' value='0'>false</Boolean>"},
        {"application true", 1, {0x11}, "<Boolean datatype='1' value='1'>true</Boolean>"},
        {"context true", 1, {0x29, 0x01}, "<Boolean context='2' datatype='1' value='1'>true</Boolean>"},
        {"context false", 1, {0x29, 0x00}, "<Boolean context='2' datatype='1' value='0'>false</Boolean>"},
        {"context 32 boolean", 1, {0xF9, 0x20, 0x01}, "<Boolean context='32' datatype='1' value='1'>true</Boolean>"},
        {"unsigned 0", 2, {0x21, 0x00}, "<UnsignedInteger datatype='2' value='0'>0</UnsignedInteger>"},
        {"unsigned 256", 2, {0x22, 0x01, 0x00}, "<UnsignedInteger datatype='2' value='256'>256</UnsignedInteger>"},
        {"unsigned 70000", 2, {0x23, 0x01, 0x11, 0x70},
         "<UnsignedInteger datatype='2' value='70000'>70000</UnsignedInteger>"},
        {"unsigned max", 2, {0x24, 0xFF, 0xFF, 0xFF, 0xFF},
         "<UnsignedInteger datatype='2' value='4294967295'>4294967295</UnsignedInteger>"},
        {"unsigned non-minimal length kept", 2, {0x22, 0x00, 0x05},
         "<UnsignedInteger datatype='2' value='5'>5</UnsignedInteger>"},
        {"context unsigned", 2, {0x19, 0x05},
         "<UnsignedInteger context='1' datatype='2' value='5'>5</UnsignedInteger>"},
        {"context 200 unsigned", 2, {0xFA, 0xC8, 0x01, 0x2C},
         "<UnsignedInteger context='200' datatype='2' value='300'>300</UnsignedInteger>"},
        {"signed -1", 3, {0x31, 0xFF}, "<Integer datatype='3' value='-1'>-1</Integer>"},
        {"signed 127", 3, {0x31, 0x7F}, "<Integer datatype='3' value='127'>127</Integer>"},
        {"signed -128", 3, {0x31, 0x80}, "<Integer datatype='3' value='-128'>-128</Integer>"},
        {"signed 128", 3, {0x32, 0x00, 0x80}, "<Integer datatype='3' value='128'>128</Integer>"},
        {"signed -129", 3, {0x32, 0xFF, 0x7F}, "<Integer datatype='3' value='-129'>-129</Integer>"},
        {"signed three octets negative", 3, {0x33, 0x80, 0x00, 0x00},
         "<Integer datatype='3' value='-8388608'>-8388608</Integer>"},
        {"signed min", 3, {0x34, 0x80, 0x00, 0x00, 0x00},
         "<Integer datatype='3' value='-2147483648'>-2147483648</Integer>"},
        {"signed max", 3, {0x34, 0x7F, 0xFF, 0xFF, 0xFF},
         "<Integer datatype='3' value='2147483647'>2147483647</Integer>"},
        {"context signed", 3, {0x3A, 0xFE, 0x0C}, "<Integer context='3' datatype='3' value='-500'>-500</Integer>"},
        {"real 72.5", 4, {0x44, 0x42, 0x91, 0x00, 0x00}, "<Real datatype='4' value='72.5'>72.5</Real>"},
        {"real 0.1", 4, {0x44, 0x3D, 0xCC, 0xCC, 0xCD}, "<Real datatype='4' value='0.1'>0.1</Real>"},
        {"real exponent", 4, {0x44, 0x49, 0x96, 0xB4, 0x38},
         "<Real datatype='4' value='1.23457e+06'>1.23457e+06</Real>"},
        {"real small", 4, {0x44, 0x37, 0x27, 0xC5, 0xAC}, "<Real datatype='4' value='1e-05'>1e-05</Real>"},
        {"real negative", 4, {0x44, 0xBF, 0x00, 0x00, 0x00}, "<Real datatype='4' value='-0.5'>-0.5</Real>"},
        {"real infinity", 4, {0x44, 0x7F, 0x80, 0x00, 0x00}, "<Real datatype='4' value='inf'>inf</Real>"},
        {"real minus infinity", 4, {0x44, 0xFF, 0x80, 0x00, 0x00}, "<Real datatype='4' value='-inf'>-inf</Real>"},
        {"context real", 4, {0x0C, 0x42, 0x91, 0x00, 0x00}, "<Real context='0' datatype='4' value='72.5'>72.5</Real>"},
        {"double 1234567", 5, {0x55, 0x08, 0x41, 0x32, 0xD6, 0x87, 0x00, 0x00, 0x00, 0x00},
         "<Double datatype='5' value='1.23457e+06'>1.23457e+06</Double>"},
        {"double 0.1", 5, {0x55, 0x08, 0x3F, 0xB9, 0x99, 0x99, 0x99, 0x99, 0x99, 0x9A},
         "<Double datatype='5' value='0.1'>0.1</Double>"},
        {"context double", 5, {0x4D, 0x08, 0x40, 0x52, 0x20, 0x00, 0x00, 0x00, 0x00, 0x00},
         "<Double context='4' datatype='5' value='72.5'>72.5</Double>"},
    };
    for (const GoldenRow& row : rows) {
        SCOPED_TRACE(row.label);
        CheckGoldenVector(row.datatype, row.octets, row.xml, 0);
    }
}

TEST(ScalarPrimitives, NotANumberRendersNanAndEqualsNothing) {
    const Octets octets = {0x44, 0x7F, 0xC0, 0x00, 0x00};
    BACnetPrimitiveREAL real;
    ASSERT_EQ(DecodeExact(real, octets, nullptr), 5);
    EXPECT_TRUE(std::isnan(real.GetValue()));
    EXPECT_EQ(Xml(real), "<Real datatype='4' value='nan'>nan</Real>");
    EXPECT_FALSE(real.IsEqual(&real));
    uint8_t out[5];
    ASSERT_EQ(real.Encode(out, sizeof out, nullptr), 5);
    EXPECT_EQ(Octets(out, out + 5), octets);
    const BACnetPrimitiveDOUBLE notANumber(std::numeric_limits<double>::quiet_NaN());
    EXPECT_EQ(Xml(notANumber), "<Double datatype='5' value='nan'>nan</Double>");
    EXPECT_FALSE(notANumber.IsEqual(&notANumber));
}

struct SetterRow {
    const char* label;
    std::function<std::unique_ptr<BACnetPrimitiveBase>()> make;
    Octets octets;
};

template <class T, class V>
std::function<std::unique_ptr<BACnetPrimitiveBase>()> Made(V value, int contextTag = -1) {
    return [value, contextTag] {
        auto made = std::make_unique<T>();
        if (contextTag >= 0) made->SetContextTag(static_cast<uint8_t>(contextTag));
        made->SetValue(value);
        return std::unique_ptr<BACnetPrimitiveBase>(std::move(made));
    };
}

TEST(ScalarPrimitives, SettersChooseTheShortestContentsAndEncodeThem) {
    const SetterRow rows[] = {
        {"unsigned 0", Made<BACnetPrimitiveUINT>(0u), {0x21, 0x00}},
        {"unsigned 255", Made<BACnetPrimitiveUINT>(255u), {0x21, 0xFF}},
        {"unsigned 256", Made<BACnetPrimitiveUINT>(256u), {0x22, 0x01, 0x00}},
        {"unsigned 65535", Made<BACnetPrimitiveUINT>(65535u), {0x22, 0xFF, 0xFF}},
        {"unsigned 65536", Made<BACnetPrimitiveUINT>(65536u), {0x23, 0x01, 0x00, 0x00}},
        {"unsigned 16777215", Made<BACnetPrimitiveUINT>(16777215u), {0x23, 0xFF, 0xFF, 0xFF}},
        {"unsigned 16777216", Made<BACnetPrimitiveUINT>(16777216u), {0x24, 0x01, 0x00, 0x00, 0x00}},
        {"unsigned max", Made<BACnetPrimitiveUINT>(4294967295u), {0x24, 0xFF, 0xFF, 0xFF, 0xFF}},
        {"context unsigned", Made<BACnetPrimitiveUINT>(1u, 9), {0x99, 0x01}},
        {"signed 0", Made<BACnetPrimitiveINT>(0), {0x31, 0x00}},
        {"signed -1", Made<BACnetPrimitiveINT>(-1), {0x31, 0xFF}},
        {"signed 127", Made<BACnetPrimitiveINT>(127), {0x31, 0x7F}},
        {"signed 128", Made<BACnetPrimitiveINT>(128), {0x32, 0x00, 0x80}},
        {"signed -128", Made<BACnetPrimitiveINT>(-128), {0x31, 0x80}},
        {"signed -129", Made<BACnetPrimitiveINT>(-129), {0x32, 0xFF, 0x7F}},
        {"signed 32767", Made<BACnetPrimitiveINT>(32767), {0x32, 0x7F, 0xFF}},
        {"signed 32768", Made<BACnetPrimitiveINT>(32768), {0x33, 0x00, 0x80, 0x00}},
        {"signed -32769", Made<BACnetPrimitiveINT>(-32769), {0x33, 0xFF, 0x7F, 0xFF}},
        {"signed 8388608", Made<BACnetPrimitiveINT>(8388608), {0x34, 0x00, 0x80, 0x00, 0x00}},
        {"signed -8388609", Made<BACnetPrimitiveINT>(-8388609), {0x34, 0xFF, 0x7F, 0xFF, 0xFF}},
        {"signed min", Made<BACnetPrimitiveINT>(std::numeric_limits<int32_t>::min()), {0x34, 0x80, 0x00, 0x00, 0x00}},
        {"real", Made<BACnetPrimitiveREAL>(72.5f), {0x44, 0x42, 0x91, 0x00, 0x00}},
        {"double", Made<BACnetPrimitiveDOUBLE>(-0.5), {0x55, 0x08, 0xBF, 0xE0, 0, 0, 0, 0, 0, 0}},
        {"application false", Made<BACnetPrimitiveBOOL>(false), {0x10}},
        {"application true", Made<BACnetPrimitiveBOOL>(true), {0x11}},
        {"context false", Made<BACnetPrimitiveBOOL>(false, 2), {0x29, 0x00}},
        {"context true", Made<BACnetPrimitiveBOOL>(true, 2), {0x29, 0x01}},
    };
    for (const SetterRow& row : rows) {
        SCOPED_TRACE(row.label);
        const std::unique_ptr<BACnetPrimitiveBase> value = row.make();
        EXPECT_TRUE(value->IsValid());
        Octets out(16, 0xA5);
        ASSERT_EQ(value->Encode(out.data(), static_cast<uint16_t>(out.size()), nullptr), row.octets.size());
        out.resize(row.octets.size());
        EXPECT_EQ(out, row.octets);
        // Decoding the octets gives an equal value.
        std::unique_ptr<BACnetPrimitiveBase> decoded = BACnetPrimitiveBase::PrimitiveFactory(value->GetDatatype());
        ASSERT_EQ(DecodeExact(*decoded, row.octets, nullptr), row.octets.size());
        EXPECT_TRUE(decoded->IsEqual(value.get()));
    }
}

TEST(ScalarPrimitives, BooleanKeepsItsFormAcrossContextChanges) {
    BACnetPrimitiveBOOL flag(false);
    flag.SetContextTag(2);  // a context boolean carries one content octet
    uint8_t out[4] = {};
    ASSERT_EQ(flag.Encode(out, sizeof out, nullptr), 2);
    EXPECT_EQ(Octets(out, out + 2), (Octets{0x29, 0x00}));
    flag.SetValue(true);
    ASSERT_EQ(flag.Encode(out, sizeof out, nullptr), 2);
    EXPECT_EQ(Octets(out, out + 2), (Octets{0x29, 0x01}));
    flag.Reset();  // back to an application boolean
    flag.SetValue(true);
    ASSERT_EQ(flag.Encode(out, sizeof out, nullptr), 1);
    EXPECT_EQ(out[0], 0x11);
}

const char* const kNoParameters = "Invalid parameters ";
const char* const kNoHeader = "Can not extract Property length ";
const char* const kWrongTag = "Invalid application tag";
const char* const kTooShort = "Message is to short. ";
const char* const kOutOfRange = "Tag value out of range";

TEST(ScalarPrimitives, DecodeFailuresReportAndSetTheOutcome) {
    CheckDecodeFailures({
        {"null control", 0, {0x00, 0x21}, {}, kNoOutcome, 1},
        {"null without buffer", 0, {}, {kNoParameters}, Reject(0)},
        {"null header cut", 0, {0x05}, {kNoHeader}, Reject(4)},
        {"null context tag 0", 0, {0x09, 0x00}, {}, kNoOutcome},
        {"null with a length", 0, {0x01, 0x00}, {}, kNoOutcome},
        {"null in extended length form", 0, {0x05, 0x00}, {}, kNoOutcome},
        {"null as another tag", 0, {0x10}, {}, kNoOutcome},
        {"boolean control", 1, {0x11, 0x00}, {}, kNoOutcome, 1},
        {"boolean without buffer", 1, {}, {kNoParameters}, Reject(0)},
        {"boolean header cut", 1, {0xF0}, {kNoHeader}, Reject(4)},
        {"boolean as unsigned", 1, {0x21, 0x01}, {"Invalid tag number fo application boolean"}, Reject(4)},
        {"application boolean 2", 1, {0x12}, {"Invalid value for application boolean"}, Reject(4)},
        {"context boolean 2", 1, {0x29, 0x02}, {"Invalid value for context boolean"}, Reject(3)},
        {"context boolean without its octet", 1, {0x29}, {kTooShort}, Reject(4)},
        {"unsigned control", 2, {0x21, 0x07, 0x99}, {}, kNoOutcome, 2},
        {"unsigned without buffer", 2, {}, {kNoParameters}, Reject(0)},
        {"unsigned header cut", 2, {0x25}, {kNoHeader}, Reject(4)},
        {"unsigned as signed", 2, {0x31, 0x05}, {kWrongTag}, Reject(4)},
        {"unsigned length 0", 2, {0x20}, {kOutOfRange}, Reject(4)},
        {"unsigned length 5", 2, {0x25, 0x05, 1, 2, 3, 4, 5}, {kOutOfRange}, Reject(4)},
        {"context unsigned length 6", 2, {0x1D, 0x06, 1, 2, 3, 4, 5, 6}, {kOutOfRange}, Reject(4)},
        {"unsigned contents cut", 2, {0x22, 0x01}, {kTooShort}, Reject(4)},
        {"signed control", 3, {0x31, 0xFE}, {}, kNoOutcome, 2},
        {"signed without buffer", 3, {}, {kNoParameters}, Reject(0)},
        {"signed header cut", 3, {0x35, 0xFE, 0x00}, {kNoHeader}, Reject(4)},
        {"signed as unsigned", 3, {0x21, 0x05}, {kWrongTag}, Reject(4)},
        {"signed length 0", 3, {0x30}, {kOutOfRange}, Reject(4)},
        {"signed contents cut", 3, {0x34, 0xFF, 0xFF, 0xFF}, {kTooShort}, Reject(4)},
        {"real control", 4, {0x44, 0, 0, 0, 0}, {}, kNoOutcome, 5},
        {"real without buffer", 4, {}, {kNoParameters}, Reject(0)},
        {"real header cut", 4, {0x45}, {kNoHeader}, Reject(4)},
        {"real as double", 4, {0x54, 0, 0, 0, 0}, {kWrongTag}, Reject(4)},
        {"real length 3", 4, {0x43, 0x42, 0x91, 0x00}, {}, Reject(6)},
        {"real length 8", 4, {0x45, 0x08, 0, 0, 0, 0, 0, 0, 0, 0}, {}, Reject(6)},
        {"real contents cut", 4, {0x44, 0x42, 0x91, 0x00}, {kTooShort}, Reject(4)},
        {"double control", 5, {0x55, 0x08, 0, 0, 0, 0, 0, 0, 0, 0}, {}, kNoOutcome, 10},
        {"double without buffer", 5, {}, {kNoParameters}, Reject(0)},
        {"double header cut", 5, {0x55}, {kNoHeader}, Reject(4)},
        {"double as real", 5, {0x44, 0, 0, 0, 0}, {kWrongTag}, Reject(4)},
        {"double length 4", 5, {0x54, 0, 0, 0, 0}, {}, Reject(6)},
        {"double contents cut", 5, {0x55, 0x08, 0, 0, 0, 0, 0, 0, 0}, {kTooShort}, Reject(4)},
    });
}

std::function<std::unique_ptr<BACnetPrimitiveBase>()> MadeNull() {
    return [] {
        auto made = std::make_unique<BACnetPrimitiveNULL>();
        made->SetValue();
        return std::unique_ptr<BACnetPrimitiveBase>(std::move(made));
    };
}

const char* const kNoRoom = "Not enough space to encode this object";

TEST(ScalarPrimitives, EncodeFailuresReportAndSetTheOutcome) {
    CheckEncodeFailures({
        {"null control", MadeNull(), false, 1, {}, kNoOutcome, 1},
        {"null without buffer", MadeNull(), true, 4, {"Invalid prameters."}, Abort(0)},
        {"null without room", MadeNull(), false, 0, {"Invalid prameters."}, Abort(0)},
        {"null never set", Empty<BACnetPrimitiveNULL>(), false, 4, {"Invalid primitive null object"}, Abort(0)},
        {"boolean without buffer", Made<BACnetPrimitiveBOOL>(true), true, 4, {"Invalid parameters"}, Abort(0)},
        {"boolean never set", Empty<BACnetPrimitiveBOOL>(), false, 4, {"Invalid primitive boolean object"}, Abort(0)},
        {"context boolean without room for its octet", Made<BACnetPrimitiveBOOL>(true, 2), false, 1, {kNoRoom},
         Abort(4)},
        {"context 20 boolean without room for its header", Made<BACnetPrimitiveBOOL>(true, 20), false, 1,
         {"Could not encode BACnet Tag"}, Abort(0)},
        {"unsigned control", Made<BACnetPrimitiveUINT>(70000u), false, 4, {}, kNoOutcome, 4},
        {"unsigned without room", Made<BACnetPrimitiveUINT>(5u), false, 0, {"Invalid parameters"}, Abort(0)},
        {"unsigned never set", Empty<BACnetPrimitiveUINT>(), false, 4, {"Invalid primitive enum object"}, Abort(0)},
        {"unsigned 70000 in 3", Made<BACnetPrimitiveUINT>(70000u), false, 3, {kNoRoom}, Abort(4)},
        {"context 20 unsigned in 2", Made<BACnetPrimitiveUINT>(1u, 20), false, 2, {kNoRoom}, Abort(4)},
        {"signed without buffer", Made<BACnetPrimitiveINT>(-1), true, 4, {"Invalid parameters"}, Abort(0)},
        {"signed never set", Empty<BACnetPrimitiveINT>(), false, 4, {"Invalid primitive integer object"}, Abort(0)},
        {"signed 128 in 2", Made<BACnetPrimitiveINT>(128), false, 2, {kNoRoom}, Abort(4)},
        {"real without buffer", Made<BACnetPrimitiveREAL>(1.0f), true, 8, {"Invalid parameters"}, Abort(0)},
        {"real never set", Empty<BACnetPrimitiveREAL>(), false, 8, {"Invalid primitive enum object"}, Abort(0)},
        {"real in 4", Made<BACnetPrimitiveREAL>(1.0f), false, 4, {kNoRoom}, Abort(4)},
        {"double without room", Made<BACnetPrimitiveDOUBLE>(1.0), false, 0, {"Invalid parameters"}, Abort(0)},
        {"double never set", Empty<BACnetPrimitiveDOUBLE>(), false, 16, {"Invalid primitive enum object"}, Abort(0)},
        {"double in 9", Made<BACnetPrimitiveDOUBLE>(1.0), false, 9, {kNoRoom}, Abort(4)},
    });
}

}  // namespace
}  // namespace ZalvoBACnetStack
