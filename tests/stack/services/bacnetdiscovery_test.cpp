// The discovery services: Who-Is, I-Am, Who-Has (by identifier and by
// name) and I-Have, alone and inside an Unconfirmed-Request PDU.
#include <gtest/gtest.h>

#include "discoverytestsupport.h"
#include "message/bacnetservicefactory.h"
#include "message/bacnetunconfirmedrequestpdu.h"
#include "services/bacnetiamrequest.h"
#include "services/bacnetihaverequest.h"
#include "services/bacnetwhohasrequest.h"
#include "services/bacnetwhoisrequest.h"

namespace ZalvoBACnetStack::DiscoveryTest {
namespace {

const std::string kLimits0To4095 =
    "<DeviceInstanceRangeLowLimit context='0' datatype='2' value='0'>0</DeviceInstanceRangeLowLimit>"
    "<DeviceInstanceRangeHighLimit context='1' datatype='2' value='4095'>4095</DeviceInstanceRangeHighLimit>";

TEST(BACnetDiscoveryTest, GoldenVectorsDecodeRenderAndReencode) {
    struct Row {
        const char* label;
        Maker make;
        const char* hex;
        std::string xml;
        size_t spareRoom;
    };
    const std::vector<Row> rows = {
        {"who-is 0 to 4095", Make<BACnetWhoIsRequest>(), "09 00 1A 0F FF",
         "<WhoIsRequest>" + kLimits0To4095 + "</WhoIsRequest>", 0},
        {"who-is for one device, largest instance", Make<BACnetWhoIsRequest>(), "0B 3F FF FF 1B 3F FF FF",
         "<WhoIsRequest>"
         "<DeviceInstanceRangeLowLimit context='0' datatype='2' value='4194303'>4194303</DeviceInstanceRangeLowLimit>"
         "<DeviceInstanceRangeHighLimit context='1' datatype='2' value='4194303'>4194303"
         "</DeviceInstanceRangeHighLimit></WhoIsRequest>",
         0},
        {"i-am device 8", Make<BACnetIAmRequest>(), "C4 02 00 00 08 22 01 E0 91 00 22 03 E7",
         "<IAmRequest><IAmDeviceIdentifier datatype='12' objectInstance='8' objectType='8'>device, 8"
         "</IAmDeviceIdentifier><MaxAPDULengthAccepted datatype='2' value='480'>480</MaxAPDULengthAccepted>"
         "<SegmentationSupported datatype='9' value='0'>segmentedBoth</SegmentationSupported>"
         "<VendorId datatype='2' value='999'>999</VendorId></IAmRequest>",
         0},
        // Captured: device 254, 1024 octets, segmented-both, vendor 154.
        {"i-am captured", Make<BACnetIAmRequest>(), "C4 02 00 00 FE 22 04 00 91 00 21 9A",
         "<IAmRequest><IAmDeviceIdentifier datatype='12' objectInstance='254' objectType='8'>device, 254"
         "</IAmDeviceIdentifier><MaxAPDULengthAccepted datatype='2' value='1024'>1024</MaxAPDULengthAccepted>"
         "<SegmentationSupported datatype='9' value='0'>segmentedBoth</SegmentationSupported>"
         "<VendorId datatype='2' value='154'>154</VendorId></IAmRequest>",
         0},
        {"who-has by name", Make<BACnetWhoHasRequest>(), "3D 05 00 41 42 43 44",
         "<WhoHasRequest><ObjectName context='3' datatype='7' encoding='0' length='4'>ABCD</ObjectName>"
         "</WhoHasRequest>",
         1},
        {"who-has by identifier", Make<BACnetWhoHasRequest>(), "2C 00 00 00 01",
         "<WhoHasRequest><ObjectIdentifier context='2' datatype='12' objectInstance='1' objectType='0'>"
         "analogInput, 1</ObjectIdentifier></WhoHasRequest>",
         0},
        {"who-has by identifier with limits", Make<BACnetWhoHasRequest>(), "09 00 1A 0F FF 2C 05 C0 00 05",
         "<WhoHasRequest>" + kLimits0To4095 +
             "<ObjectIdentifier context='2' datatype='12' objectInstance='5' objectType='23'>accumulator, 5"
             "</ObjectIdentifier></WhoHasRequest>",
         0},
        // Captured: by name "SYNERGY".
        {"who-has by name captured", Make<BACnetWhoHasRequest>(), "3D 08 00 53 59 4E 45 52 47 59",
         "<WhoHasRequest><ObjectName context='3' datatype='7' encoding='0' length='7'>SYNERGY</ObjectName>"
         "</WhoHasRequest>",
         1},
        // Captured: device 61 holds itself, named "SYNERGY".
        {"i-have captured", Make<BACnetIHaveRequest>(), "C4 02 00 00 3D C4 02 00 00 3D 75 08 00 53 59 4E 45 52 47 59",
         "<IHaveRequest><DeviceIdentifier datatype='12' objectInstance='61' objectType='8'>device, 61"
         "</DeviceIdentifier><ObjectIdentifier datatype='12' objectInstance='61' objectType='8'>device, 61"
         "</ObjectIdentifier><ObjectName datatype='7' encoding='0' length='7'>SYNERGY</ObjectName></IHaveRequest>",
         1},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.label);
        CheckGolden(row.make, ParseHex(row.hex), row.xml, row.spareRoom);
    }
}

TEST(BACnetDiscoveryTest, WhoIsWithoutLimitsIsEmptyAndValid) {
    BACnetWhoIsRequest request;
    const uint8_t nothing = 0;
    StackErrorLogCapture log;
    EXPECT_EQ(request.Decode(&nothing, 0, nullptr), 0);
    EXPECT_TRUE(request.IsValid());
    EXPECT_TRUE(request.HasNoContents());
    EXPECT_EQ(Xml(request), "<WhoIsRequest />");
    EXPECT_EQ(log.Text(), "");
    EXPECT_EQ(request.GetDatatype(), 61);
    EXPECT_EQ(request.GetServiceChoice(), 8u);

    BACnetWhoIsRequest built;
    built.SetWithoutLimits();
    EXPECT_TRUE(built.IsEqual(&request));
    ASSERT_TRUE(built.SetDeviceInstanceRangeLimits(0, 4095));
    EXPECT_FALSE(built.IsEqual(&request));
    EXPECT_FALSE(built.HasNoContents());
}

TEST(BACnetDiscoveryTest, DecodeFailuresReport) {
    const std::string whoIs = "BACnetWhoIsRequest::Decode|bacnetwhoisrequest|";
    const std::string whoHas = "BACnetWhoHasRequest::Decode|bacnetwhohasrequest|";
    const std::string iAm = "BACnetIAmRequest::Decode|bacnetiamrequest|";
    const std::string iHave = "BACnetIHaveRequest::Decode|bacnetihaverequest|";
    const std::string primitive = "BACnetPrimitiveBase::DecodeWithContext|bacnetprimitivebase|";
    const std::string uint = "BACnetPrimitiveUINT::Decode|bacnetprimitiveuint|";
    const std::string oid = "BACnetPrimitiveObjectIdentifier::Decode|bacnetprimitiveobjectidentifier|";
    const std::string enumerated = "BACnetPrimitiveENUM::Decode|bacnetprimitiveenum|";
    const std::string string = "BACnetPrimitiveCharSTRING::Decode|bacnetprimitivecharstring|";
    CheckDecodeRows({
        {"who-is: null buffer", Make<BACnetWhoIsRequest>(), {}, {whoIs + "Invalid parameters"}, Reject(0)},
        {"who-is: low limit only", Make<BACnetWhoIsRequest>(), ParseHex("09 05"),
         {whoIs + "Error, only one limit was provided.  Either both must be provided or neither."}, kNoOutcome},
        {"who-is: high limit only", Make<BACnetWhoIsRequest>(), ParseHex("19 05"),
         {whoIs + "Error, only one limit was provided.  Either both must be provided or neither."}, kNoOutcome},
        {"who-is: high limit cut", Make<BACnetWhoIsRequest>(), ParseHex("09 00 1A 0F"),
         {uint + "Message is to short. ", primitive + "Could not decode the primitive",
          whoIs + "Unable to decode device instance range high limit with context=[1]"},
         Reject(4)},
        {"who-has: null buffer", Make<BACnetWhoHasRequest>(), {}, {whoHas + "Invalid parameters"}, Reject(0)},
        {"who-has: object in context tag 4", Make<BACnetWhoHasRequest>(), ParseHex("4C 00 00 00 01"),
         {whoHas + "Invalid Context Tag for the WhoHas object = [4]"}, Reject(4)},
        {"who-has: application-tagged object", Make<BACnetWhoHasRequest>(), ParseHex("C4 00 00 00 01"),
         {whoHas + "Invalid Context Tag for the WhoHas object = [12]"}, Reject(4)},
        {"who-has: limits without object", Make<BACnetWhoHasRequest>(), ParseHex("09 00 1A 0F FF"),
         {whoHas + "Error decoding the tag for the object choice part of the WhoHas"}, Reject(0)},
        {"who-has: object tag cut", Make<BACnetWhoHasRequest>(), ParseHex("09 00 1A 0F FF F9"),
         {whoHas + "Error decoding the tag for the object choice part of the WhoHas"}, Reject(0)},
        {"who-has: identifier cut", Make<BACnetWhoHasRequest>(), ParseHex("2C 00 00 01"),
         {oid + "Message is to short. ", primitive + "Could not decode the primitive",
          whoHas + "Error decoding the object identifier for the WhoHasRequest"},
         Reject(4)},
        {"who-has: name cut", Make<BACnetWhoHasRequest>(), ParseHex("3D 05 00 41 42"),
         {string + "Not enough bytes to read", primitive + "Could not decode the primitive",
          whoHas + "Error decoding the object name for the WhoHasRequest"},
         Reject(0)},
        {"who-has: one limit", Make<BACnetWhoHasRequest>(), ParseHex("09 00 2C 00 00 00 01"),
         {whoHas + "Error - only one limit was provided.  Either both must be provided or neither."}, kNoOutcome},
        {"who-has: low limit of five octets", Make<BACnetWhoHasRequest>(),
         ParseHex("0D 05 00 00 00 00 01 19 01 2C 00 00 00 01"),
         {uint + "Tag value out of range", primitive + "Could not decode the primitive",
          whoHas + "Unable to decode device instance range low limit with context=[0]"},
         Reject(4)},
        {"i-am: null buffer", Make<BACnetIAmRequest>(), {}, {iAm + "Invalid parameters"}, Reject(0)},
        {"i-am: identifier context-tagged", Make<BACnetIAmRequest>(),
         ParseHex("0C 02 00 00 08 22 01 E0 91 00 22 03 E7"),
         {iAm + "Failed to decode iAmDeviceIdentifier"}, Reject(4)},
        {"i-am: max apdu missing", Make<BACnetIAmRequest>(), ParseHex("C4 02 00 00 08"),
         {uint + "Invalid parameters ", iAm + "Failed to decode maxApduLengthAccepted"}, Reject(0)},
        {"i-am: segmentation as unsigned", Make<BACnetIAmRequest>(), ParseHex("C4 02 00 00 08 22 01 E0 21 00 22 03 E7"),
         {enumerated + "Invalid application tag", iAm + "Failed to decode segmentationSupported"}, Reject(4)},
        {"i-am: vendor cut", Make<BACnetIAmRequest>(), ParseHex("C4 02 00 00 08 22 01 E0 91 00 22 03"),
         {uint + "Message is to short. ", iAm + "Failed to decode vendorId"}, Reject(4)},
        {"i-have: null buffer", Make<BACnetIHaveRequest>(), {}, {iHave + "Invalid parameters"}, Reject(0)},
        {"i-have: device identifier is unsigned", Make<BACnetIHaveRequest>(), ParseHex("21 01"),
         {oid + "Invalid application tag", iHave + "Failed to decode device identifier"}, Reject(4)},
        {"i-have: object identifier missing", Make<BACnetIHaveRequest>(), ParseHex("C4 02 00 00 3D"),
         {oid + "Invalid parameters ", iHave + "Failed to decode object identifier"}, Reject(0)},
        {"i-have: name missing", Make<BACnetIHaveRequest>(), ParseHex("C4 02 00 00 3D C4 02 00 00 3D"),
         {iHave + "Failed to decode object name"}, Abort(0)},
        {"i-have: name context-tagged", Make<BACnetIHaveRequest>(),
         ParseHex("C4 02 00 00 3D C4 02 00 00 3D 0D 02 00 41"), {iHave + "Failed to decode object name"}, Reject(4)},
    });
}

TEST(BACnetDiscoveryTest, EncodeFailuresReport) {
    const auto whoHasByName = [] {
        auto request = std::make_unique<BACnetWhoHasRequest>();
        EXPECT_TRUE(request->SetDeviceInstanceRangeLimits(0, 4095));
        request->SetObjectName("ABCD");
        return std::unique_ptr<ICodable>(std::move(request));
    };
    const auto iAm = [] {
        auto request = std::make_unique<BACnetIAmRequest>();
        EXPECT_TRUE(request->SetIAmRequest(BACnetPrimitiveObjectIdentifier(8, 8), 480, 0, 999));
        return std::unique_ptr<ICodable>(std::move(request));
    };
    const auto iHave = [] {
        auto request = std::make_unique<BACnetIHaveRequest>();
        EXPECT_TRUE(request->SetIHaveRequest(BACnetPrimitiveObjectIdentifier(8, 61), BACnetPrimitiveObjectIdentifier(8, 61),
                                             "SYNERGY"));
        return std::unique_ptr<ICodable>(std::move(request));
    };
    const std::string whoHas = "BACnetWhoHasRequest::Encode|bacnetwhohasrequest|";
    const std::string iAmEncode = "BACnetIAmRequest::Encode|bacnetiamrequest|";
    const std::string iHaveEncode = "BACnetIHaveRequest::Encode|bacnetihaverequest|";
    const std::string primitive = "BACnetPrimitiveBase::EncodeWithContext|bacnetprimitivebase|";
    CheckEncodeRows({
        {"who-has: null buffer", whoHasByName, true, 20, {whoHas + "Invalid parameters"}, Abort(0)},
        {"who-has: empty", Make<BACnetWhoHasRequest>(), false, 20,
         {whoHas + "Invalid BACnetPropertyReference object"}, Abort(0)},
        {"who-has: no room for the high limit", whoHasByName, false, 2,
         {primitive + "Invalid parameters", whoHas + "Unable to encode device instance range high limit with context=[1]"},
         Abort(0)},
        {"who-has: name does not fit", whoHasByName, false, 11,
         {"BACnetPrimitiveCharSTRING::Encode|bacnetprimitivecharstring|Error_insufficient_space. max_length=[6], "
          "message_offset=[2], value.size+encoding=[5]",
          "BACnetPrimitiveCharSTRING::Encode|bacnetprimitivecharstring|Value=[ABCD]",
          primitive + "Error encoding primitive", whoHas + "Unable to encode WhoHasRequest objectChoice with context=[3]"},
         Abort(4)},
        {"i-am: empty", Make<BACnetIAmRequest>(), false, 20, {iAmEncode + "Invalid BACnetPropertyReference object"},
         Abort(0)},
        {"i-am: no room for the vendor", iAm, false, 10,
         {"BACnetPrimitiveUINT::Encode|bacnetprimitiveuint|Invalid parameters", iAmEncode + "Failed to decode vendorId"},
         Abort(0)},
        {"i-am: half the max apdu", iAm, false, 7,
         {"BACnetPrimitiveUINT::Encode|bacnetprimitiveuint|Not enough space to encode this object",
          iAmEncode + "Failed to decode maxApduLengthAccepted"},
         Abort(4)},
        {"i-have: empty", Make<BACnetIHaveRequest>(), false, 30, {iHaveEncode + "Invalid object"}, Abort(0)},
        {"i-have: half the object identifier", iHave, false, 7,
         {"BACnetPrimitiveObjectIdentifier::Encode|bacnetprimitiveobjectidentifier|Not enough space to encode this "
          "object",
          iHaveEncode + "Failed to encode object identifier"},
         Abort(4)},
        {"i-have: name exactly fits", iHave, false, 20,
         {"BACnetPrimitiveCharSTRING::Encode|bacnetprimitivecharstring|Error_insufficient_space. max_length=[10], "
          "message_offset=[2], value.size+encoding=[8]",
          "BACnetPrimitiveCharSTRING::Encode|bacnetprimitivecharstring|Value=[SYNERGY]",
          iHaveEncode + "Failed to encode object name"},
         Abort(4)},
    });
}

TEST(BACnetDiscoveryTest, SettersBuildWhatTheDecoderReads) {
    struct Row {
        const char* label;
        std::function<std::unique_ptr<ICodable>()> build;
        const char* hex;
    };
    const std::vector<Row> rows = {
        {"who-is with limits",
         [] {
             auto request = std::make_unique<BACnetWhoIsRequest>();
             EXPECT_TRUE(request->SetDeviceInstanceRangeLimits(0, 4095));
             return std::unique_ptr<ICodable>(std::move(request));
         },
         "09 00 1A 0F FF"},
        {"who-has by identifier, limits cleared",
         [] {
             auto request = std::make_unique<BACnetWhoHasRequest>();
             EXPECT_TRUE(request->SetDeviceInstanceRangeLimits(5, 5));
             request->ClearDeviceInstanceRangeLimits();
             EXPECT_TRUE(request->SetObjectIdentifier(BACnetPrimitiveObjectIdentifier(0, 1)));
             return std::unique_ptr<ICodable>(std::move(request));
         },
         "2C 00 00 00 01"},
        {"who-has: the name replaces the identifier",
         [] {
             auto request = std::make_unique<BACnetWhoHasRequest>();
             EXPECT_TRUE(request->SetObjectIdentifier(BACnetPrimitiveObjectIdentifier(0, 1)));
             request->SetObjectName("ABCD");
             EXPECT_TRUE(request->SetDeviceInstanceRangeLimits(100, 70000));
             return std::unique_ptr<ICodable>(std::move(request));
         },
         "09 64 1B 01 11 70 3D 05 00 41 42 43 44"},
        {"i-am",
         [] {
             auto request = std::make_unique<BACnetIAmRequest>();
             EXPECT_TRUE(request->SetIAmRequest(BACnetPrimitiveObjectIdentifier(8, 4194303), 1476, 3, 260));
             return std::unique_ptr<ICodable>(std::move(request));
         },
         "C4 02 3F FF FF 22 05 C4 91 03 22 01 04"},
        {"i-have",
         [] {
             auto request = std::make_unique<BACnetIHaveRequest>();
             EXPECT_TRUE(request->SetIHaveRequest(BACnetPrimitiveObjectIdentifier(8, 8),
                                                  BACnetPrimitiveObjectIdentifier(0, 1), "AI-1"));
             return std::unique_ptr<ICodable>(std::move(request));
         },
         "C4 02 00 00 08 C4 00 00 00 01 75 05 00 41 49 2D 31"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.label);
        CheckBuiltValue(*row.build(), row.hex);
    }
}

TEST(BACnetDiscoveryTest, SettersRefuseOutOfRangeValues) {
    struct Row {
        const char* label;
        std::function<bool()> set;
        std::vector<std::string> reports;
    };
    const std::string whoIsLimits = "BACnetWhoIsRequest::SetDeviceInstanceRangeLimits|bacnetwhoisrequest|";
    const std::string whoHasLimits = "BACnetWhoHasRequest::SetDeviceInstanceRangeLimits|bacnetwhohasrequest|";
    const std::string iAm = "|bacnetiamrequest|";
    const std::string iAmRefused = "BACnetIAmRequest::SetIAmRequest|bacnetiamrequest|Failed to set the i am request";
    const std::string iHave = "BACnetIHaveRequest::SetIHaveRequest|bacnetihaverequest|";
    const BACnetPrimitiveObjectIdentifier device(8, 8);
    const std::vector<Row> rows = {
        {"who-is: low above high", [] { return BACnetWhoIsRequest().SetDeviceInstanceRangeLimits(5, 4); },
         {whoIsLimits + "Error - device instance range low limit is greater than device instance high range limit"}},
        {"who-is: high not a device instance",
         [] { return BACnetWhoIsRequest().SetDeviceInstanceRangeLimits(0, 4194304); },
         {"BACnetWhoIsRequest::SetDeviceInstanceRangeHighLimit|bacnetwhoisrequest|Invalid device instance range hgih "
          "limit=[4194304]. Must be between 0 and 4194303 inclusively",
          whoIsLimits + "Failed to set the device instance range high limit"}},
        {"who-has: low above high", [] { return BACnetWhoHasRequest().SetDeviceInstanceRangeLimits(5, 4); },
         {whoHasLimits + "Error - device instance range low limit is greater than device instance high range limit"}},
        {"who-has: low not a device instance",
         [] { return BACnetWhoHasRequest().SetDeviceInstanceRangeLimits(4194304, 4194305); },
         {"BACnetWhoHasRequest::SetDeviceInstanceRangeLowLimit|bacnetwhohasrequest|Invalid device instance range low "
          "limit=[4194304]. Must be between 0 and 4194303 inclusively",
          whoHasLimits + "Failed to set the device instance range low limit"}},
        {"who-has: high not a device instance",
         [] { return BACnetWhoHasRequest().SetDeviceInstanceRangeLimits(0, 4194304); },
         {"BACnetWhoHasRequest::SetDeviceInstanceRangeHighLimit|bacnetwhohasrequest|Invalid device instance range hgih "
          "limit=[4194304]. Must be between 0 and 4194303 inclusively",
          whoHasLimits + "Failed to set the device instance range high limit"}},
        {"who-has: empty identifier",
         [] { return BACnetWhoHasRequest().SetObjectIdentifier(BACnetPrimitiveObjectIdentifier()); },
         {"BACnetWhoHasRequest::SetObjectIdentifier|bacnetwhohasrequest|Failed to set the object identifier"}},
        {"i-am: not a device",
         [] { return BACnetIAmRequest().SetIAmRequest(BACnetPrimitiveObjectIdentifier(0, 8), 480, 0, 999); },
         {"BACnetIAmRequest::SetIAmDeviceIdentifier" + iAm + "Failed to set the i am device identifier", iAmRefused}},
        {"i-am: apdu below 50", [&device] { return BACnetIAmRequest().SetIAmRequest(device, 49, 0, 999); },
         {"BACnetIAmRequest::SetMaxApduLengthAccepted" + iAm + "Failed to set the max apdu length accepted",
          iAmRefused}},
        {"i-am: segmentation 4", [&device] { return BACnetIAmRequest().SetIAmRequest(device, 480, 4, 999); },
         {"BACnetIAmRequest::SetSegmentationSupported" + iAm + "Failed to set the segmentation supported",
          iAmRefused}},
        {"i-am: vendor above 65535", [&device] { return BACnetIAmRequest().SetIAmRequest(device, 480, 0, 65536); },
         {"BACnetIAmRequest::SetVendorId" + iAm + "Failed to set the vendor id", iAmRefused}},
        {"i-have: not a device",
         [] {
             return BACnetIHaveRequest().SetIHaveRequest(BACnetPrimitiveObjectIdentifier(0, 1),
                                                         BACnetPrimitiveObjectIdentifier(0, 1), "AI-1");
         },
         {iHave + "Failed to set the device identifier"}},
        {"i-have: empty object identifier",
         [&device] {
             return BACnetIHaveRequest().SetIHaveRequest(device, BACnetPrimitiveObjectIdentifier(), "AI-1");
         },
         {iHave + "Failed to set the object identifier"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.label);
        StackErrorLogCapture log;
        EXPECT_FALSE(row.set());
        EXPECT_EQ(ReportLines(log), row.reports);
    }

    // A refused setter leaves what was there empty, not half set.
    BACnetIAmRequest iAmRequest;
    ASSERT_TRUE(iAmRequest.SetIAmRequest(device, 480, 0, 999));
    StackErrorLogCapture log;
    EXPECT_FALSE(iAmRequest.SetIAmRequest(device, 480, 0, 65536));
    EXPECT_FALSE(iAmRequest.IsValid());
    EXPECT_TRUE(iAmRequest.IsEqual(std::make_unique<BACnetIAmRequest>().get()));
    BACnetWhoHasRequest whoHas;
    ASSERT_TRUE(whoHas.SetDeviceInstanceRangeLimits(1, 2));
    EXPECT_FALSE(whoHas.SetDeviceInstanceRangeLimits(1, 4194304));
    EXPECT_FALSE(whoHas.HasLimits());
}

TEST(BACnetDiscoveryTest, UnconfirmedPDUCarriesEachDiscoveryService) {
    struct Row {
        const char* hex;
        std::string xml;
    };
    const std::vector<Row> rows = {
        {"10 08", "<UnconfirmedRequestPDU serviceChoice='whoIs'><WhoIsRequest /></UnconfirmedRequestPDU>"},
        {"10 08 09 00 1A 0F FF",
         "<UnconfirmedRequestPDU serviceChoice='whoIs'><WhoIsRequest>" + kLimits0To4095 +
             "</WhoIsRequest></UnconfirmedRequestPDU>"},
        {"10 00 C4 02 00 00 08 22 01 E0 91 00 22 03 E7",
         "<UnconfirmedRequestPDU serviceChoice='iAm'><IAmRequest><IAmDeviceIdentifier datatype='12' "
         "objectInstance='8' objectType='8'>device, 8</IAmDeviceIdentifier><MaxAPDULengthAccepted datatype='2' "
         "value='480'>480</MaxAPDULengthAccepted><SegmentationSupported datatype='9' value='0'>segmentedBoth"
         "</SegmentationSupported><VendorId datatype='2' value='999'>999</VendorId></IAmRequest>"
         "</UnconfirmedRequestPDU>"},
        {"10 07 3D 05 00 41 42 43 44",
         "<UnconfirmedRequestPDU serviceChoice='whoHas'><WhoHasRequest><ObjectName context='3' datatype='7' "
         "encoding='0' length='4'>ABCD</ObjectName></WhoHasRequest></UnconfirmedRequestPDU>"},
        {"10 07 2C 00 00 00 01",
         "<UnconfirmedRequestPDU serviceChoice='whoHas'><WhoHasRequest><ObjectIdentifier context='2' datatype='12' "
         "objectInstance='1' objectType='0'>analogInput, 1</ObjectIdentifier></WhoHasRequest>"
         "</UnconfirmedRequestPDU>"},
        {"10 01 C4 02 00 00 08 C4 00 00 00 01 75 05 00 41 49 2D 31",
         "<UnconfirmedRequestPDU serviceChoice='iHave'><IHaveRequest><DeviceIdentifier datatype='12' "
         "objectInstance='8' objectType='8'>device, 8</DeviceIdentifier><ObjectIdentifier datatype='12' "
         "objectInstance='1' objectType='0'>analogInput, 1</ObjectIdentifier><ObjectName datatype='7' encoding='0' "
         "length='4'>AI-1</ObjectName></IHaveRequest></UnconfirmedRequestPDU>"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.hex);
        const Octets octets = ParseHex(row.hex);
        BACnetUnconfirmedRequestPDU pdu;
        StackErrorLogCapture log;
        ASSERT_EQ(DecodeExact(pdu, octets, nullptr), octets.size()) << log.Text();
        EXPECT_EQ(Xml(pdu), row.xml);
        Octets out(octets.size() + 1, 0);
        ASSERT_EQ(pdu.Encode(out.data(), static_cast<uint16_t>(out.size()), nullptr), octets.size());
        EXPECT_EQ(HexText(out.data(), octets.size()), HexText(octets));
        EXPECT_EQ(log.Text(), "");
    }
}

TEST(BACnetDiscoveryTest, UnconfirmedPDUOnlyForgivesAnEmptyOrBrokenWhoIs) {
    struct Row {
        const char* hex;
        uint16_t consumed;
        std::string xml;  // when decoded
        std::vector<std::string> reports;
    };
    const std::string pdu = "BACnetUnconfirmedRequestPDU::Decode|bacnetunconfirmedrequestpdu|";
    const std::vector<Row> rows = {
        {"10 08 09 05", 2, "<UnconfirmedRequestPDU serviceChoice='whoIs' />",
         {"BACnetWhoIsRequest::Decode|bacnetwhoisrequest|Error, only one limit was provided.  Either both must be "
          "provided or neither."}},
        {"10 07", 0, "", {pdu + "Unable to decode the BACnet Unconfirmed Service Request"}},
        {"10 00", 0, "",
         {"BACnetIAmRequest::Decode|bacnetiamrequest|Invalid parameters",
          pdu + "Unable to decode the BACnet Unconfirmed Service Request"}},
        {"10 07 4C 00 00 00 01", 0, "",
         {"BACnetWhoHasRequest::Decode|bacnetwhohasrequest|Invalid Context Tag for the WhoHas object = [4]",
          pdu + "Unable to decode the BACnet Unconfirmed Service Request"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.hex);
        BACnetUnconfirmedRequestPDU decoded;
        StackErrorLogCapture log;
        EXPECT_EQ(DecodeExact(decoded, ParseHex(row.hex), nullptr), row.consumed);
        EXPECT_EQ(ReportLines(log), row.reports);
        if (row.consumed != 0) {
            EXPECT_EQ(Xml(decoded), row.xml);
        }
    }
}

TEST(BACnetDiscoveryTest, FactoryMakesAndCopiesEachDiscoveryService) {
    const std::vector<std::pair<uint32_t, uint8_t>> choices = {{0, 55}, {1, 56}, {7, 60}, {8, 61}};
    for (const auto& [choice, datatype] : choices) {
        SCOPED_TRACE(choice);
        std::unique_ptr<BACnetUnconfirmedServiceRequest> request =
            BACnetServiceFactory::CreateUnconfirmedServiceRequest(choice);
        ASSERT_NE(request, nullptr);
        EXPECT_EQ(request->GetDatatype(), datatype);
        EXPECT_EQ(request->GetServiceChoice(), choice);
    }
    BACnetWhoHasRequest whoHas;
    ASSERT_TRUE(whoHas.SetDeviceInstanceRangeLimits(3, 9));
    whoHas.SetObjectName("Zone");
    std::unique_ptr<BACnetUnconfirmedServiceRequest> copy = BACnetServiceFactory::CopyUnconfirmedServiceRequest(whoHas);
    ASSERT_NE(copy, nullptr);
    EXPECT_TRUE(copy->IsEqual(&whoHas));
    whoHas.SetObjectName("Other");
    EXPECT_FALSE(copy->IsEqual(&whoHas)) << "the copy owns its own object name";
    const auto* copied = dynamic_cast<const BACnetWhoHasRequest*>(copy.get());
    ASSERT_NE(copied, nullptr);
    ASSERT_NE(copied->GetObjectName(), nullptr);
    EXPECT_EQ(copied->GetObjectName()->GetValue(), "Zone");
    EXPECT_EQ(copied->GetObjectIdentifier(), nullptr);
}

}  // namespace
}  // namespace ZalvoBACnetStack::DiscoveryTest
