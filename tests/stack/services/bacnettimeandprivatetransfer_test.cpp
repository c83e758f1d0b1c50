// Time synchronisation (local and UTC), unconfirmed private transfer, and
// the two error types that carry lists or vendor data: confirmed private
// transfer and VT-Close errors.
#include <gtest/gtest.h>

#include "core/bacnetprimitivebool.h"
#include "discoverytestsupport.h"
#include "message/bacneterrorpdu.h"
#include "message/bacnetservicefactory.h"
#include "message/bacnetunconfirmedrequestpdu.h"
#include "services/bacnetconfirmedprivatetransfererror.h"
#include "services/bacnettimesynchronizationrequest.h"
#include "services/bacnetunconfirmedprivatetransferrequest.h"
#include "services/bacnetutctimesynchronizationrequest.h"
#include "services/bacnetvtcloseerror.h"

namespace ZalvoBACnetStack::DiscoveryTest {
namespace {

const std::string kDateTime20221204 =
    "<DateTime><Date datatype='10' day='4' month='12' weekday='7' year='122'>December, 4, 2022, Sunday</Date>"
    "<Time datatype='11' hour='12' hundrethSeconds='0' minute='30' second='0'>12:30:0.0</Time></DateTime>";

const std::string kVtError =
    "<Error context='0'><ErrorClass datatype='9' value='6'>vt</ErrorClass>"
    "<ErrorCode datatype='9' value='35'>unknownVtSession</ErrorCode></Error>";

const std::string kServicesOther =
    "<Error context='0'><ErrorClass datatype='9' value='5'>services</ErrorClass>"
    "<ErrorCode datatype='9' value='0'>other</ErrorCode></Error>";

TEST(BACnetTimeAndPrivateTransferTest, GoldenVectorsDecodeRenderAndReencode) {
    struct Row {
        const char* label;
        Maker make;
        const char* hex;
        std::string xml;
    };
    const std::vector<Row> rows = {
        {"time synchronization", Make<BACnetTimeSynchronizationRequest>(), "A4 7A 0C 04 07 B4 0C 1E 00 00",
         "<TimeSynchronizationRequest>" + kDateTime20221204 + "</TimeSynchronizationRequest>"},
        {"utc time synchronization", Make<BACnetUTCTimeSynchronizationRequest>(), "A4 7A 0C 04 07 B4 0C 1E 00 00",
         "<UTCTimeSynchronizationRequest>" + kDateTime20221204 + "</UTCTimeSynchronizationRequest>"},
        // Captured: 1900-01-01, a Monday, 12:45:56.27 UTC.
        {"utc time synchronization captured", Make<BACnetUTCTimeSynchronizationRequest>(),
         "A4 00 01 01 01 B4 0C 2D 38 1B",
         "<UTCTimeSynchronizationRequest><DateTime><Date datatype='10' day='1' month='1' weekday='1' year='0'>"
         "January, 1, 1900, Monday</Date><Time datatype='11' hour='12' hundrethSeconds='27' minute='45' "
         "second='56'>12:45:56.27</Time></DateTime></UTCTimeSynchronizationRequest>"},
        {"private transfer without parameters", Make<BACnetUnconfirmedPrivateTransferRequest>(), "0A 03 E7 19 01",
         "<UnconfirmedPrivateTransferRequest><UnsignedInteger context='0' datatype='2' value='999'>999"
         "</UnsignedInteger><UnsignedInteger context='1' datatype='2' value='1'>1</UnsignedInteger>"
         "</UnconfirmedPrivateTransferRequest>"},
        // Captured: vendor 0, service 0, one Boolean parameter.
        {"private transfer captured", Make<BACnetUnconfirmedPrivateTransferRequest>(), "09 00 19 00 2E 11 2F",
         "<UnconfirmedPrivateTransferRequest><UnsignedInteger context='0' datatype='2' value='0'>0"
         "</UnsignedInteger><UnsignedInteger context='1' datatype='2' value='0'>0</UnsignedInteger>"
         "<AbstractSyntaxtType><Boolean datatype='1' value='1'>true</Boolean></AbstractSyntaxtType>"
         "</UnconfirmedPrivateTransferRequest>"},
        {"private transfer with nested parameters", Make<BACnetUnconfirmedPrivateTransferRequest>(),
         "0A 01 04 1A 01 00 2E 44 42 91 00 00 0E 21 07 0F 2F",
         "<UnconfirmedPrivateTransferRequest><UnsignedInteger context='0' datatype='2' value='260'>260"
         "</UnsignedInteger><UnsignedInteger context='1' datatype='2' value='256'>256</UnsignedInteger>"
         "<AbstractSyntaxtType><Real datatype='4' value='72.5'>72.5</Real><AbstractSyntaxtType>"
         "<UnsignedInteger datatype='2' value='7'>7</UnsignedInteger></AbstractSyntaxtType></AbstractSyntaxtType>"
         "</UnconfirmedPrivateTransferRequest>"},
        {"confirmed private transfer error", Make<BACnetConfirmedPrivateTransferError>(),
         "0E 91 05 91 00 0F 19 07 29 02 3E 21 05 3F",
         "<ConfirmedPrivateTransferError>" + kServicesOther +
             "<VendorId context='1' datatype='2' value='7'>7</VendorId>"
             "<ServiceNumber context='2' datatype='2' value='2'>2</ServiceNumber>"
             "<ErrorParameters context='3'><UnsignedInteger datatype='2' value='5'>5</UnsignedInteger>"
             "</ErrorParameters></ConfirmedPrivateTransferError>"},
        {"confirmed private transfer error without parameters", Make<BACnetConfirmedPrivateTransferError>(),
         "0E 91 05 91 00 0F 19 07 29 02",
         "<ConfirmedPrivateTransferError>" + kServicesOther +
             "<VendorId context='1' datatype='2' value='7'>7</VendorId>"
             "<ServiceNumber context='2' datatype='2' value='2'>2</ServiceNumber></ConfirmedPrivateTransferError>"},
        {"confirmed private transfer error with empty parameters", Make<BACnetConfirmedPrivateTransferError>(),
         "0E 91 05 91 00 0F 19 07 29 02 3E 3F",
         "<ConfirmedPrivateTransferError>" + kServicesOther +
             "<VendorId context='1' datatype='2' value='7'>7</VendorId>"
             "<ServiceNumber context='2' datatype='2' value='2'>2</ServiceNumber>"
             "<ErrorParameters context='3' /></ConfirmedPrivateTransferError>"},
        {"vt-close error with sessions", Make<BACnetVTCloseError>(), "0E 91 06 91 23 0F 1E 21 01 21 02 1F",
         "<VTCloseError>" + kVtError +
             "<ListOfVtSessionIdentifiers context='1' count='2'><UnsignedInteger datatype='2' value='1'>1"
             "</UnsignedInteger><UnsignedInteger datatype='2' value='2'>2</UnsignedInteger>"
             "</ListOfVtSessionIdentifiers></VTCloseError>"},
        {"vt-close error without sessions", Make<BACnetVTCloseError>(), "0E 91 06 91 23 0F",
         "<VTCloseError>" + kVtError + "</VTCloseError>"},
        {"vt-close error with an empty list", Make<BACnetVTCloseError>(), "0E 91 06 91 23 0F 1E 1F",
         "<VTCloseError>" + kVtError + "<ListOfVtSessionIdentifiers context='1' count='0' /></VTCloseError>"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.label);
        CheckGolden(row.make, ParseHex(row.hex), row.xml);
    }
}

TEST(BACnetTimeAndPrivateTransferTest, DecodeFailuresReport) {
    const std::string timeSync = "BACnetTimeSynchronizationRequest::Decode|bacnettimesynchronizationrequest|";
    const std::string dateTime = "BACnetDateTime::Decode|bacnetdatetime|";
    const std::string upt = "BACnetUnconfirmedPrivateTransferRequest::Decode|bacnetunconfirmedprivatetransferrequest|"
                            "BACnetUnconfirmedPrivateTransferRequest::Decode - ";
    const std::string cpte = "BACnetConfirmedPrivateTransferError::Decode|bacnetconfirmedprivatetransfererror|";
    const std::string vtClose = "BACnetVTCloseError::Decode|bacnetvtcloseerror|";
    const std::string primitive = "BACnetPrimitiveBase::DecodeWithContext|bacnetprimitivebase|";
    const std::string base = "BACnetObjectBase::DecodeWithContext|bacnetobjectbase|";
    const std::string ast = "BACnetAbstractSyntaxType::Decode|bacnetabstractsyntaxtype|";
    CheckDecodeRows({
        {"time: null buffer", Make<BACnetTimeSynchronizationRequest>(), {}, {timeSync + "Invalid parameters"},
         Reject(0)},
        {"time: date only", Make<BACnetTimeSynchronizationRequest>(), ParseHex("A4 7A 0C 04 07"),
         {dateTime + "Failed to decode time", timeSync + "Failed to decode datetime"}, Reject(0)},
        {"utc: time before date", Make<BACnetUTCTimeSynchronizationRequest>(),
         ParseHex("B4 0C 1E 00 00 A4 7A 0C 04 07"),
         {"BACnetPrimitiveDATE::Decode|bacnetprimitivedate|Invalid application tag", dateTime + "Failed to decode date",
          timeSync + "Failed to decode datetime"},
         Reject(4)},
        {"private transfer: null buffer", Make<BACnetUnconfirmedPrivateTransferRequest>(), {},
         {upt + "Invalid prameters"}, Reject(0)},
        {"private transfer: vendor missing", Make<BACnetUnconfirmedPrivateTransferRequest>(), ParseHex("19 01"),
         {primitive + "Invalid Tag Number", upt + "Failed to decode vendorId"}, Reject(4)},
        {"private transfer: service number missing", Make<BACnetUnconfirmedPrivateTransferRequest>(),
         ParseHex("0A 03 E7"), {primitive + "Invalid parameters ", upt + "Failed to decode serviceNumber"}, Reject(0)},
        // Broken parameters are left out; the request ends after the service number.
        {"private transfer: parameters without closing tag", Make<BACnetUnconfirmedPrivateTransferRequest>(),
         ParseHex("0A 03 E7 19 01 2E 21 05"), {ast + "Error decoding the tag ", base + "Error decoding the error"},
         kNoOutcome, 5},
        {"private transfer: parameters in tag 3", Make<BACnetUnconfirmedPrivateTransferRequest>(),
         ParseHex("0A 03 E7 19 01 3E 21 05 3F"), {}, kNoOutcome, 5},
        {"private error: null buffer", Make<BACnetConfirmedPrivateTransferError>(), {},
         {cpte + "Invalid parameters "}, Reject(0)},
        {"private error: vendor missing", Make<BACnetConfirmedPrivateTransferError>(),
         ParseHex("0E 91 05 91 00 0F 29 02"),
         {primitive + "Invalid Tag Number", cpte + "Error Decoding Vendor ID"}, Reject(4)},
        {"private error: service number missing", Make<BACnetConfirmedPrivateTransferError>(),
         ParseHex("0E 91 05 91 00 0F 19 07"),
         {primitive + "Invalid parameters ", cpte + "Error Decoding Service Number"},
         Reject(0)},
        {"private error: parameters cut", Make<BACnetConfirmedPrivateTransferError>(),
         ParseHex("0E 91 05 91 00 0F 19 07 29 02 3E 21 05"),
         {ast + "Error decoding the tag ", cpte + "Error Decoding Error Parameters"}, kNoOutcome},
        {"private error: parameters closed by tag 4", Make<BACnetConfirmedPrivateTransferError>(),
         ParseHex("0E 91 05 91 00 0F 19 07 29 02 3E 21 05 4F"),
         {"BACnetTag::DecodeAndCheckClosingTag|bacnettag|Not a closing tag with the correct tag number=[3]",
          cpte + "Error Decoding closing tag for error parameters"},
         kNoOutcome},
        {"vt-close: null buffer", Make<BACnetVTCloseError>(), {}, {vtClose + "Invalid parameters"}, Reject(0)},
        {"vt-close: error not enclosed", Make<BACnetVTCloseError>(), ParseHex("91 06 91 23"),
         {"BACnetTag::DecodeAndCheckOpeningTag|bacnettag|Not an opening tag with the correct tag number=[0]",
          base + "Error Decoding opening tag ", vtClose + "Failed to decode errorType"},
         kNoOutcome},
        {"vt-close: list not closed", Make<BACnetVTCloseError>(), ParseHex("0E 91 06 91 23 0F 1E 21 01 21 02"),
         {"BACnetTag::DecodeAndCheckClosingTag|bacnettag|Invalid prameters ", base + "Error Decoding closing tag ",
          vtClose + "Failed to decode listOfVtSessionIdentifiers"},
         kNoOutcome},
        {"vt-close: list closed by tag 2", Make<BACnetVTCloseError>(), ParseHex("0E 91 06 91 23 0F 1E 21 01 2F"),
         {"BACnetPrimitiveUINT::Decode|bacnetprimitiveuint|Tag value out of range",
          "BACnetTag::DecodeAndCheckClosingTag|bacnettag|Not a closing tag with the correct tag number=[1]",
          base + "Error Decoding closing tag ", vtClose + "Failed to decode listOfVtSessionIdentifiers"},
         Reject(4)},
    });
}

TEST(BACnetTimeAndPrivateTransferTest, EncodeFailuresReport) {
    const auto timeSync = [] {
        BACnetDateTime dateTime;
        const Octets octets = ParseHex("A4 7A 0C 04 07 B4 0C 1E 00 00");
        EXPECT_EQ(dateTime.Decode(octets.data(), static_cast<uint16_t>(octets.size()), nullptr), 10);
        auto request = std::make_unique<BACnetTimeSynchronizationRequest>();
        EXPECT_TRUE(request->SetDateTime(dateTime));
        return std::unique_ptr<ICodable>(std::move(request));
    };
    const auto privateTransfer = [] {
        auto request = std::make_unique<BACnetUnconfirmedPrivateTransferRequest>();
        EXPECT_TRUE(request->SetVendorId(999));
        request->SetServiceNumber(1);
        BACnetAbstractSyntaxType parameters;
        EXPECT_TRUE(parameters.AddValueAndTakeOwnership(std::make_unique<BACnetPrimitiveBOOL>(true)));
        EXPECT_TRUE(request->SetServiceParameters(parameters));
        return std::unique_ptr<ICodable>(std::move(request));
    };
    const auto vtClose = [] {
        auto error = std::make_unique<BACnetVTCloseError>();
        error->SetError(22, 6, 35);
        error->AddVtSessionIdentifier(1);
        return std::unique_ptr<ICodable>(std::move(error));
    };
    const auto privateError = [] {
        auto error = std::make_unique<BACnetConfirmedPrivateTransferError>();
        error->SetError(18, 5, 0);
        error->SetVendorId(7);
        error->SetServiceNumber(2);
        BACnetAbstractSyntaxType parameters;
        EXPECT_TRUE(parameters.AddValueAndTakeOwnership(std::make_unique<BACnetPrimitiveUINT>(5)));
        EXPECT_TRUE(error->SetErrorParameters(parameters));
        return std::unique_ptr<ICodable>(std::move(error));
    };
    const std::string timeEncode = "BACnetTimeSynchronizationRequest::Encode|bacnettimesynchronizationrequest|";
    const std::string upt = "BACnetUnconfirmedPrivateTransferRequest::Encode|bacnetunconfirmedprivatetransferrequest|";
    const std::string cpte = "BACnetConfirmedPrivateTransferError::Encode|bacnetconfirmedprivatetransfererror|";
    const std::string vtEncode = "BACnetVTCloseError::Encode|bacnetvtcloseerror|";
    CheckEncodeRows({
        {"time: null buffer", timeSync, true, 20, {timeEncode + "Invalid parameters"}, Abort(0)},
        {"time: empty", Make<BACnetUTCTimeSynchronizationRequest>(), false, 20,
         {timeEncode + "Invalid TimeSynchronizationRequest object"}, Abort(0)},
        {"time: no room for the time", timeSync, false, 6,
         {"BACnetPrimitiveTIME::Encode|bacnetprimitivetime|Not enough space to encode this object",
          "BACnetDateTime::Encode|bacnetdatetime|Failed to encode time", timeEncode + "Failed to encode datetime"},
         Abort(4)},
        {"private transfer: null buffer", privateTransfer, true, 20,
         {upt + "BACnetUnconfirmedPrivateTransferRequest::Encode - Invalid parameters"}, Abort(0)},
        {"private transfer: empty", Make<BACnetUnconfirmedPrivateTransferRequest>(), false, 20,
         {upt + "BACnetUnconfirmedPrivateTransferRequest::Encode - Invalid BACnetPropertyReference object"}, Abort(0)},
        {"private transfer: no room for the service number", privateTransfer, false, 3,
         {"BACnetPrimitiveBase::EncodeWithContext|bacnetprimitivebase|Invalid parameters",
          upt + "Failed to encode the propertyIdentifier"},
         Abort(0)},
        {"private transfer: no room for the closing tag", privateTransfer, false, 7,
         {"BACnetObjectBase::EncodeWithContext|bacnetobjectbase|Error encoding closing tag for context=2",
          upt + "Failed to encode the service parameters"},
         kNoOutcome},
        {"private error: empty", Make<BACnetConfirmedPrivateTransferError>(), false, 20,
         {cpte + "Invalid BACnetConfirmedPrivateTransferError object"}, Abort(0)},
        {"private error: no room for the parameters", privateError, false, 10,
         {cpte + "Error encoding opening tag for context=3"}, Abort(4)},
        {"private error: no room for the closing tag", privateError, false, 13,
         {cpte + "Error encoding closing tag for context=3"}, Abort(4)},
        {"vt-close: empty", Make<BACnetVTCloseError>(), false, 20, {vtEncode + "Invalid BACnetPropertyReference object"},
         Abort(0)},
        {"vt-close: no room for the list", vtClose, false, 7,
         {"BACnetSequenceOf<class ZalvoBACnetStack::BACnetPrimitiveUINT>::Encode|bacnetsequenceof|Invalid parameters",
          "BACnetObjectBase::EncodeWithContext|bacnetobjectbase|Error encoding the constructed object",
          vtEncode + "Unable to encode the listOfVtSessionIdentifiers"},
         kNoOutcome},
        {"vt-close: half the list", vtClose, false, 8,
         {"BACnetPrimitiveUINT::Encode|bacnetprimitiveuint|Not enough space to encode this object",
          "BACnetSequenceOf<class ZalvoBACnetStack::BACnetPrimitiveUINT>::Encode|bacnetsequenceof|Error encoding a list "
          "item",
          "BACnetObjectBase::EncodeWithContext|bacnetobjectbase|Error encoding the constructed object",
          vtEncode + "Unable to encode the listOfVtSessionIdentifiers"},
         Abort(4)},
    });
}

TEST(BACnetTimeAndPrivateTransferTest, SettersBuildWhatTheDecoderReads) {
    struct Row {
        const char* label;
        std::function<std::unique_ptr<ICodable>()> build;
        const char* hex;
    };
    const std::vector<Row> rows = {
        {"utc time synchronization",
         [] {
             BACnetDateTime dateTime;
             const Octets octets = ParseHex("A4 7C 03 05 02 B4 0E 05 03 07");
             EXPECT_EQ(dateTime.Decode(octets.data(), static_cast<uint16_t>(octets.size()), nullptr), 10);
             auto request = std::make_unique<BACnetUTCTimeSynchronizationRequest>();
             EXPECT_TRUE(request->SetDateTime(dateTime));
             return std::unique_ptr<ICodable>(std::move(request));
         },
         "A4 7C 03 05 02 B4 0E 05 03 07"},
        {"private transfer without parameters",
         [] {
             auto request = std::make_unique<BACnetUnconfirmedPrivateTransferRequest>();
             request->SetServiceNumber(1);
             EXPECT_FALSE(request->IsValid());
             EXPECT_TRUE(request->SetVendorId(999));
             // An empty holder is the same as no parameters.
             EXPECT_TRUE(request->SetServiceParameters(BACnetAbstractSyntaxType()));
             return std::unique_ptr<ICodable>(std::move(request));
         },
         "0A 03 E7 19 01"},
        {"vt-close error, empty list",
         [] {
             auto error = std::make_unique<BACnetVTCloseError>();
             error->SetError(22, 6, 35);
             error->AddVtSessionIdentifier(9);
             error->ClearVtSessionIdentifiers();
             return std::unique_ptr<ICodable>(std::move(error));
         },
         "0E 91 06 91 23 0F"},
        {"vt-close error, three sessions",
         [] {
             auto error = std::make_unique<BACnetVTCloseError>();
             error->AddVtSessionIdentifier(1);
             error->AddVtSessionIdentifier(300);
             error->AddVtSessionIdentifier(2);
             error->SetError(22, 6, 35);
             return std::unique_ptr<ICodable>(std::move(error));
         },
         "0E 91 06 91 23 0F 1E 21 01 22 01 2C 21 02 1F"},
        {"confirmed private transfer error",
         [] {
             auto error = std::make_unique<BACnetConfirmedPrivateTransferError>();
             error->SetVendorId(7);
             error->SetError(18, 5, 0);
             EXPECT_FALSE(error->IsValid());
             error->SetServiceNumber(2);
             return std::unique_ptr<ICodable>(std::move(error));
         },
         "0E 91 05 91 00 0F 19 07 29 02"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.label);
        const std::unique_ptr<ICodable> value = row.build();
        CheckBuiltValue(*value, row.hex, true, [&value](ICodable& decoded) {
            if (auto* error = dynamic_cast<BACnetErrorBase*>(&decoded)) {
                error->SetErrorChoice(dynamic_cast<const BACnetErrorBase&>(*value).GetErrorChoice());
            }
        });
    }
}

TEST(BACnetTimeAndPrivateTransferTest, SettersRefuseWhatCannotBeSent) {
    StackErrorLogCapture log;
    BACnetUnconfirmedPrivateTransferRequest request;
    EXPECT_FALSE(request.SetVendorId(65536));
    BACnetTimeSynchronizationRequest timeSync;
    EXPECT_FALSE(timeSync.SetDateTime(BACnetDateTime()));
    EXPECT_FALSE(timeSync.IsValid());
    EXPECT_EQ(ReportLines(log),
              (std::vector<std::string>{
                  "BACnetUnconfirmedPrivateTransferRequest::SetVendorId|bacnetunconfirmedprivatetransferrequest|Error - "
                  "failed to set the value",
                  "BACnetTimeSynchronizationRequest::SetDateTime|bacnettimesynchronizationrequest|Failed to set the "
                  "datetime",
              }));

    // The two time services differ only in kind: never equal to each other.
    const Octets octets = ParseHex("A4 7A 0C 04 07 B4 0C 1E 00 00");
    BACnetTimeSynchronizationRequest local;
    BACnetUTCTimeSynchronizationRequest utc;
    ASSERT_EQ(local.Decode(octets.data(), 10, nullptr), 10);
    ASSERT_EQ(utc.Decode(octets.data(), 10, nullptr), 10);
    EXPECT_FALSE(local.IsEqual(&utc));
    EXPECT_FALSE(utc.IsEqual(&local));
    EXPECT_EQ(local.GetServiceChoice(), 6u);
    EXPECT_EQ(utc.GetServiceChoice(), 9u);
    std::unique_ptr<ICodable> copy = utc.Clone();
    EXPECT_EQ(copy->GetDatatype(), 59);
    EXPECT_TRUE(copy->IsEqual(&utc));
}

TEST(BACnetTimeAndPrivateTransferTest, PDUsCarryTheServicesAndErrors) {
    struct Row {
        bool errorPDU;
        const char* hex;
        std::string xml;
    };
    const std::vector<Row> rows = {
        {false, "10 06 A4 7A 0C 04 07 B4 0C 1E 00 00",
         "<UnconfirmedRequestPDU serviceChoice='timeSynchronization'><TimeSynchronizationRequest>" +
             kDateTime20221204 + "</TimeSynchronizationRequest></UnconfirmedRequestPDU>"},
        {false, "10 09 A4 7A 0C 04 07 B4 0C 1E 00 00",
         "<UnconfirmedRequestPDU serviceChoice='utcTimeSynchronization'><UTCTimeSynchronizationRequest>" +
             kDateTime20221204 + "</UTCTimeSynchronizationRequest></UnconfirmedRequestPDU>"},
        {false, "10 04 0A 03 E7 19 01",
         "<UnconfirmedRequestPDU serviceChoice='unconfirmedPrivateTransfer'><UnconfirmedPrivateTransferRequest>"
         "<UnsignedInteger context='0' datatype='2' value='999'>999</UnsignedInteger><UnsignedInteger context='1' "
         "datatype='2' value='1'>1</UnsignedInteger></UnconfirmedPrivateTransferRequest></UnconfirmedRequestPDU>"},
        {true, "50 11 12 0E 91 05 91 00 0F 19 07 29 02",
         "<ErrorPDU errorChoice='confirmedPrivateTransfer' originalInvokeId='17'><ConfirmedPrivateTransferError>" +
             kServicesOther +
             "<VendorId context='1' datatype='2' value='7'>7</VendorId><ServiceNumber context='2' datatype='2' "
             "value='2'>2</ServiceNumber></ConfirmedPrivateTransferError></ErrorPDU>"},
        {true, "50 12 16 0E 91 06 91 23 0F",
         "<ErrorPDU errorChoice='vtClose' originalInvokeId='18'><VTCloseError>" + kVtError + "</VTCloseError></ErrorPDU>"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.hex);
        const Octets octets = ParseHex(row.hex);
        std::unique_ptr<ICodable> pdu;
        if (row.errorPDU) {
            pdu = std::make_unique<BACnetErrorPDU>();
        } else {
            pdu = std::make_unique<BACnetUnconfirmedRequestPDU>();
        }
        StackErrorLogCapture log;
        ASSERT_EQ(DecodeExact(*pdu, octets, nullptr), octets.size()) << log.Text();
        EXPECT_EQ(Xml(*pdu), row.xml);
        Octets out(octets.size(), 0);
        ASSERT_EQ(pdu->Encode(out.data(), static_cast<uint16_t>(out.size()), nullptr), octets.size());
        EXPECT_EQ(HexText(out), HexText(octets));
        EXPECT_EQ(log.Text(), "");
    }

    // A time synchronisation holding only the date fails the PDU.
    BACnetUnconfirmedRequestPDU pdu;
    StackErrorLogCapture log;
    EXPECT_EQ(DecodeExact(pdu, ParseHex("10 06 A4 7A 0C 04 07"), nullptr), 0);
    EXPECT_EQ(ReportLines(log).back(),
              "BACnetUnconfirmedRequestPDU::Decode|bacnetunconfirmedrequestpdu|Unable to decode the BACnet "
              "Unconfirmed Service Request");
    EXPECT_TRUE(log.HasMessage("Failed to decode datetime"));
}

TEST(BACnetTimeAndPrivateTransferTest, ErrorFactoryCoversEveryChoice) {
    // The choices with an error type of their own; every other choice below
    // 32 (except 13, 24, 25) and 127 give the plain error; the rest none.
    for (uint32_t choice = 0; choice < 300; ++choice) {
        SCOPED_TRACE(choice);
        std::unique_ptr<BACnetObjectBase> error = BACnetServiceFactory::CreateError(choice);
        uint8_t expected = 53;
        switch (choice) {
            case 8:
            case 9: expected = 47; break;
            case 10: expected = 49; break;
            case 16: expected = 54; break;
            case 18: expected = 48; break;
            case 22: expected = 52; break;
            case 30: expected = 51; break;
            case 13:
            case 24:
            case 25: expected = 0; break;
            case 127: break;
            default:
                if (choice > 31) expected = 0;
        }
        if (expected == 0) {
            EXPECT_EQ(error, nullptr);
            continue;
        }
        ASSERT_NE(error, nullptr);
        EXPECT_EQ(error->GetDatatype(), expected);
        EXPECT_TRUE(BACnetServiceFactory::AssignErrorChoice(*error, choice));
        EXPECT_EQ(dynamic_cast<BACnetErrorBase&>(*error).GetErrorChoice(), choice);
    }
}

TEST(BACnetTimeAndPrivateTransferTest, UnconfirmedFactoryCoversTheTimeAndTransferServices) {
    const std::vector<std::pair<uint32_t, uint8_t>> choices = {{4, 115}, {6, 57}, {9, 59}};
    for (const auto& [choice, datatype] : choices) {
        SCOPED_TRACE(choice);
        std::unique_ptr<BACnetUnconfirmedServiceRequest> request =
            BACnetServiceFactory::CreateUnconfirmedServiceRequest(choice);
        ASSERT_NE(request, nullptr);
        EXPECT_EQ(request->GetDatatype(), datatype);
        EXPECT_EQ(request->GetServiceChoice(), choice);
    }
    for (uint32_t choice : {3u, 5u, 10u, 11u, 255u}) {
        EXPECT_EQ(BACnetServiceFactory::CreateUnconfirmedServiceRequest(choice), nullptr) << choice;
    }
}

}  // namespace
}  // namespace ZalvoBACnetStack::DiscoveryTest
