// The plain error (class and code) and the error base that the Error PDU
// uses for every error choice without an error type of its own.
#include <gtest/gtest.h>

#include "discoverytestsupport.h"
#include "services/bacneterror.h"
#include "services/bacneterrorbase.h"

namespace ZalvoBACnetStack::DiscoveryTest {
namespace {

const char* const kPropertyUnknown =
    "<Error><ErrorClass datatype='9' value='2'>property</ErrorClass>"
    "<ErrorCode datatype='9' value='32'>unknownProperty</ErrorCode></Error>";

TEST(BACnetErrorTest, GoldenVectorsDecodeRenderAndReencode) {
    struct Row {
        const char* hex;
        std::string xml;
    };
    const std::vector<Row> rows = {
        {"91 02 91 20", kPropertyUnknown},
        {"91 01 91 1F",
         "<Error><ErrorClass datatype='9' value='1'>object</ErrorClass>"
         "<ErrorCode datatype='9' value='31'>unknownObject</ErrorCode></Error>"},
        // A proprietary code in two octets keeps its length on re-encoding.
        {"91 05 92 01 2C",
         "<Error><ErrorClass datatype='9' value='5'>services</ErrorClass>"
         "<ErrorCode datatype='9' value='300'>Unknown Enumeration Value (300)</ErrorCode></Error>"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.hex);
        CheckGolden(Make<BACnetError>(), ParseHex(row.hex), row.xml);
    }
}

TEST(BACnetErrorTest, ErrorBaseRendersOnlyItsErrorAndKeepsItsChoice) {
    CheckGolden(Make<BACnetErrorBase>(), ParseHex("91 02 91 20"), kPropertyUnknown);

    BACnetErrorBase error;
    EXPECT_EQ(error.GetErrorChoice(), 127u);
    EXPECT_EQ(error.GetDatatype(), 53);
    EXPECT_EQ(BACnetError().GetDatatype(), 37);
    BACnetErrorOutcome outcome;
    const Octets octets = ParseHex("91 02 91 20 FF");
    ASSERT_EQ(error.Decode(octets.data(), static_cast<uint16_t>(octets.size()), &outcome), 4);
    error.SetErrorChoice(12);
    EXPECT_EQ(error.GetErrorChoice(), 12u);
    EXPECT_EQ(error.GetError().GetErrorClass().GetValue(), 2u);
    EXPECT_EQ(error.GetError().GetErrorCode().GetValue(), 32u);

    // The choice takes part in the comparison; a new decode forgets it.
    BACnetErrorBase other;
    ASSERT_EQ(other.Decode(octets.data(), 4, &outcome), 4);
    EXPECT_FALSE(other.IsEqual(&error));
    other.SetErrorChoice(12);
    EXPECT_TRUE(other.IsEqual(&error));
    ASSERT_EQ(error.Decode(octets.data(), 4, &outcome), 4);
    EXPECT_EQ(error.GetErrorChoice(), 127u);

    // An error base is not equal to a bare error holding the same values.
    BACnetError bare(2, 32);
    EXPECT_FALSE(error.IsEqual(&bare));
    EXPECT_FALSE(bare.IsEqual(&error));
    EXPECT_FALSE(bare.IsEqual(nullptr));
}

TEST(BACnetErrorTest, DecodeFailuresReportAndLeaveTheErrorEmpty) {
    const std::string enumDecode = "BACnetPrimitiveENUM::Decode|bacnetprimitiveenum|";
    const std::string errorDecode = "BACnetError::Decode|bacneterror|";
    const std::string baseDecode = "BACnetErrorBase::Decode|bacneterrorbase|";
    CheckDecodeRows({
        {"null buffer", Make<BACnetError>(), {}, {errorDecode + "Invalid parameters "}, Reject(0)},
        {"class only", Make<BACnetError>(), ParseHex("91 02"),
         {enumDecode + "Invalid parameters ", errorDecode + "Failed to decode error code "}, Reject(0)},
        {"class is not enumerated", Make<BACnetError>(), ParseHex("21 02 91 20"),
         {enumDecode + "Invalid application tag", errorDecode + "Failed to decode error class "}, Reject(4)},
        {"code is not enumerated", Make<BACnetError>(), ParseHex("91 02 21 20"),
         {enumDecode + "Invalid application tag", errorDecode + "Failed to decode error code "}, Reject(4)},
        {"class context-tagged", Make<BACnetError>(), ParseHex("09 02 91 20"),
         {errorDecode + "Failed to decode error class "}, Reject(4)},
        {"code context-tagged", Make<BACnetError>(), ParseHex("91 02 19 20"),
         {errorDecode + "Failed to decode error code "}, Reject(4)},
        {"code cut short", Make<BACnetError>(), ParseHex("91 02 92 01"),
         {enumDecode + "Message is to short. ", errorDecode + "Failed to decode error code "}, Reject(4)},
        {"class of length 5", Make<BACnetError>(), ParseHex("95 05 00 00 00 00 02 91 20"),
         {enumDecode + "Tag value out of range", errorDecode + "Failed to decode error class "}, Reject(4)},
        {"base: null buffer", Make<BACnetErrorBase>(), {}, {baseDecode + "Invalid parameters "}, Reject(0)},
        {"base: class only", Make<BACnetErrorBase>(), ParseHex("91 02"),
         {enumDecode + "Invalid parameters ", errorDecode + "Failed to decode error code ",
          baseDecode + "Failed to decode error "},
         Reject(0)},
        {"trailing octets are left to the caller", Make<BACnetError>(), ParseHex("91 02 91 20 91"), {}, kNoOutcome, 4},
    });
}

TEST(BACnetErrorTest, EncodeFailuresReport) {
    const auto valid = [] { return std::unique_ptr<ICodable>(std::make_unique<BACnetError>(2, 32)); };
    const auto validBase = [] {
        auto error = std::make_unique<BACnetErrorBase>();
        error->SetError(12, 2, 32);
        return std::unique_ptr<ICodable>(std::move(error));
    };
    const std::string errorEncode = "BACnetError::Encode|bacneterror|";
    const std::string baseEncode = "BACnetErrorBase::Encode|bacneterrorbase|";
    const std::string enumEncode = "BACnetPrimitiveENUM::Encode|bacnetprimitiveenum|";
    CheckEncodeRows({
        {"null buffer", valid, true, 10, {errorEncode + "Invalid parameters"}, Abort(0)},
        {"no room", valid, false, 0, {errorEncode + "Invalid parameters"}, Abort(0)},
        {"empty error", Make<BACnetError>(), false, 10, {errorEncode + "Invalid BACnetError object"}, Abort(0)},
        {"no room for the class", valid, false, 1,
         {enumEncode + "Not enough space to encode this object", errorEncode + "Unable to encode the BACnetErrorClass"},
         Abort(4)},
        {"no room for the code", valid, false, 2, {errorEncode + "Unable to encode the ErrorCode"}, Abort(4)},
        {"half the code", valid, false, 3,
         {enumEncode + "Not enough space to encode this object", errorEncode + "Unable to encode the ErrorCode"},
         Abort(4)},
        {"base: null buffer", validBase, true, 10, {baseEncode + "Invalid parameters"}, Abort(0)},
        {"base: empty", Make<BACnetErrorBase>(), false, 10, {baseEncode + "Invalid BACnetError object"}, Abort(0)},
        {"base: no room for the code", validBase, false, 2, {baseEncode + "Unable to encode the ErrorCode"},
         Abort(4)},
    });
}

TEST(BACnetErrorTest, SettersBuildWhatTheDecoderReads) {
    struct Row {
        uint32_t errorClass;
        uint32_t errorCode;
        const char* hex;
    };
    const std::vector<Row> rows = {
        {2, 32, "91 02 91 20"},
        {0, 0, "91 00 91 00"},
        {7, 65535, "91 07 92 FF FF"},
        {256, 1, "92 01 00 91 01"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.hex);
        BACnetErrorBase error;
        StackErrorLogCapture log;
        ASSERT_TRUE(error.SetError(15, row.errorClass, row.errorCode));
        EXPECT_TRUE(error.IsValid());
        EXPECT_EQ(error.GetErrorChoice(), 15u);
        Octets out(16, 0);
        const uint16_t written = error.Encode(out.data(), static_cast<uint16_t>(out.size()), nullptr);
        EXPECT_EQ(HexText(out.data(), written), row.hex);
        EXPECT_EQ(log.Text(), "");
    }
}

TEST(BACnetErrorTest, RefusedValuesLeaveTheErrorInvalid) {
    struct Row {
        const char* label;
        uint32_t errorClass;
        uint32_t errorCode;
        std::vector<std::string> reports;
    };
    const std::vector<Row> rows = {
        {"class above 65535", 65536, 1,
         {"BACnetError::SetErrorClass|bacneterror|Failed to set the value of the error class",
          "BACnetError::SetError|bacneterror|Failed to set the error class",
          "BACnetErrorBase::SetError|bacneterrorbase|Failed to set the error"}},
        {"code above 65535", 1, 0x10000,
         {"BACnetError::SetErrorCode|bacneterror|Failed to set the value of the error code",
          "BACnetError::SetError|bacneterror|Failed to set the error code",
          "BACnetErrorBase::SetError|bacneterrorbase|Failed to set the error"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.label);
        BACnetErrorBase error;
        ASSERT_TRUE(error.SetError(12, 2, 32));
        StackErrorLogCapture log;
        EXPECT_FALSE(error.SetError(12, row.errorClass, row.errorCode));
        EXPECT_FALSE(error.IsValid());
        EXPECT_FALSE(error.GetError().IsValid());
        EXPECT_EQ(ReportLines(log), row.reports);
    }
}

}  // namespace
}  // namespace ZalvoBACnetStack::DiscoveryTest
