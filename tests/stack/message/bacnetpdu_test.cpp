#include "message/bacnetpdu.h"

#include <gtest/gtest.h>

#include "message/bacnetabortpdu.h"
#include "message/bacnetcomplexackpdu.h"
#include "message/bacnetconfirmedrequestpdu.h"
#include "message/bacneterrorpdu.h"
#include "message/bacnetrejectpdu.h"
#include "message/bacnetsimpleackpdu.h"
#include "message/bacnetunconfirmedrequestpdu.h"
#include "messagetestsupport.h"
#include "services/bacneterrorbase.h"
#include "services/bacnetwhoisrequest.h"

namespace ZalvoBACnetStack {
namespace {
using namespace MessageTest;

TEST(BACnetPDU, FactoryMakesOneClassPerTypeNibble) {
    const char* names[16] = {"ConfirmedRequestPDU", "UnconfirmedRequestPDU", "SimpleAckPDU", "ComplexACKPDU",
                             nullptr, "ErrorPDU", "RejectPDU", "AbortPDU"};
    for (uint8_t type = 0; type < 16; ++type) {
        SCOPED_TRACE(unsigned{type});
        std::unique_ptr<BACnetPDU> pdu = BACnetPDU::CreatePDU(type);
        if (names[type] == nullptr) {
            EXPECT_EQ(pdu, nullptr);
            continue;
        }
        ASSERT_NE(pdu, nullptr);
        EXPECT_EQ(pdu->GetPDUType(), type);
        EXPECT_EQ(pdu->GetElementName(), names[type]);
        EXPECT_FALSE(pdu->IsValid());
    }
    EXPECT_EQ(BACnetPDU::CreatePDU(255), nullptr);
}

struct PDURow {
    const char* label;
    const char* octets;
    uint16_t consumed;
    const char* xml;
};

const PDURow kPDURows[] = {
    {"Simple-ACK for WriteProperty", "20 05 0F", 3,
     "<SimpleAckPDU originalInvokeID='5' serviceAckChoice='writeProperty' />"},
    {"Simple-ACK for an unnamed service", "20 FF 19", 3,
     "<SimpleAckPDU originalInvokeID='255' serviceAckChoice='Unknown Enumeration Value (25)' />"},
    {"Reject, unrecognized service", "60 01 09", 3, "<RejectPDU originalInvokeId='1' rejectReason='unrecognizedService' />"},
    {"Reject with an unnamed reason", "60 02 40", 3,
     "<RejectPDU originalInvokeId='2' rejectReason='Unknown Enumeration Value (64)' />"},
    {"Abort from the client", "70 07 04", 3,
     "<AbortPDU abortReason='segmentationNotSupported' originalInvokeId='7' server='0' />"},
    {"Abort from the server", "71 07 04", 3,
     "<AbortPDU abortReason='segmentationNotSupported' originalInvokeId='7' server='1' />"},
    {"Error for ReadProperty", "50 01 0C 91 02 91 20", 7,
     "<ErrorPDU errorChoice='readProperty' originalInvokeId='1'><Error><ErrorClass datatype='9' value='2'>property"
     "</ErrorClass><ErrorCode datatype='9' value='32'>unknownProperty</ErrorCode></Error></ErrorPDU>"},
    {"Error for CreateObject", "50 02 0A 0E 91 05 91 07 0F 19 01", 11,
     "<ErrorPDU errorChoice='createObject' originalInvokeId='2'><CreateObjectError><Error context='0'><ErrorClass "
     "datatype='9' value='5'>services</ErrorClass><ErrorCode datatype='9' value='7'>inconsistentParameters"
     "</ErrorCode></Error><FirstFailedElementNumber context='1' datatype='2' value='1'>1</FirstFailedElementNumber>"
     "</CreateObjectError></ErrorPDU>"},
    {"ReadProperty request", "00 05 01 0C 0C 00 00 00 01 19 55", 11,
     "<ConfirmedRequestPDU invokeId='1' maxAdpuLengthAccepted='0x5' maxSegmentsAccepted='0x0' moreFollows='0' "
     "segmentedMessage='0' segmentedResponseAccepted='0' serviceChoice='readProperty'><ReadPropertyRequest>"
     "<ObjectIdentifier context='0' datatype='12' objectInstance='1' objectType='0'>analogInput, 1</ObjectIdentifier>"
     "<PropertyIdentifier context='1' datatype='9' value='85'>presentValue</PropertyIdentifier></ReadPropertyRequest>"
     "</ConfirmedRequestPDU>"},
    {"ReadProperty request accepting a segmented answer", "02 44 7F 0C 0C 02 00 00 08 19 4B", 11,
     "<ConfirmedRequestPDU invokeId='127' maxAdpuLengthAccepted='0x4' maxSegmentsAccepted='0x4' moreFollows='0' "
     "segmentedMessage='0' segmentedResponseAccepted='1' serviceChoice='readProperty'><ReadPropertyRequest>"
     "<ObjectIdentifier context='0' datatype='12' objectInstance='8' objectType='8'>device, 8</ObjectIdentifier>"
     "<PropertyIdentifier context='1' datatype='9' value='75'>objectIdentifier</PropertyIdentifier>"
     "</ReadPropertyRequest></ConfirmedRequestPDU>"},
    {"ReadProperty-ACK", "30 01 0C 0C 00 00 00 01 19 55 3E 44 42 91 00 00 3F", 17,
     "<ComplexACKPDU moreFollows='0' originalInvokeId='1' segmentedMessage='0' serviceChoice='readProperty'>"
     "<ReadPropertyACK><ObjectIdentifier context='0' datatype='12' objectInstance='1' objectType='0'>analogInput, 1"
     "</ObjectIdentifier><PropertyIdentifier context='1' datatype='9' value='85'>presentValue</PropertyIdentifier>"
     "<PropertyValue context='3'><Real datatype='4' value='72.5'>72.5</Real></PropertyValue></ReadPropertyACK>"
     "</ComplexACKPDU>"},
    {"Who-Is without limits", "10 08", 2,
     "<UnconfirmedRequestPDU serviceChoice='whoIs'><WhoIsRequest /></UnconfirmedRequestPDU>"},
    {"Who-Is with limits", "10 08 09 00 1A 0F FF", 7,
     "<UnconfirmedRequestPDU serviceChoice='whoIs'><WhoIsRequest><DeviceInstanceRangeLowLimit context='0' "
     "datatype='2' value='0'>0</DeviceInstanceRangeLowLimit><DeviceInstanceRangeHighLimit context='1' "
     "datatype='2' value='4095'>4095</DeviceInstanceRangeHighLimit></WhoIsRequest></UnconfirmedRequestPDU>"},
};

TEST(BACnetPDU, HeadersDecodeRenderAndReencode) {
    for (const PDURow& row : kPDURows) {
        SCOPED_TRACE(row.label);
        const std::vector<uint8_t> octets = ParseHex(row.octets);
        std::unique_ptr<BACnetPDU> pdu = BACnetPDU::CreatePDU(BACnetPDU::TypeOf(octets[0]));
        ASSERT_NE(pdu, nullptr);
        BACnetErrorOutcome outcome;
        StackErrorLogCapture log;
        ASSERT_EQ(pdu->Decode(octets.data(), static_cast<uint16_t>(octets.size()), &outcome), row.consumed);
        EXPECT_EQ(log.Text(), "");
        EXPECT_FALSE(outcome.set);
        EXPECT_TRUE(pdu->IsValid());
        EXPECT_EQ(Xml(*pdu), row.xml);

        std::vector<uint8_t> out(32, 0xEE);
        ASSERT_EQ(pdu->Encode(out.data(), static_cast<uint16_t>(out.size()), &outcome), row.consumed);
        out.resize(row.consumed);
        EXPECT_EQ(HexText(out), HexText(octets));

        std::unique_ptr<ICodable> copy = pdu->Clone();
        ASSERT_NE(copy, nullptr);
        EXPECT_TRUE(copy->IsEqual(pdu.get()));
        pdu->Reset();
        EXPECT_FALSE(copy->IsEqual(pdu.get()));
        const uint8_t type = BACnetPDU::TypeOf(octets[0]);
        ExpectEveryCutStaysInside(octets, [type] { return BACnetPDU::CreatePDU(type); });
    }
}

struct PDUFailureRow {
    const char* label;
    uint8_t pduType;  // the class that decodes
    const char* octets;
    const char* operation;
    const char* source;
    std::vector<const char*> messages;
    uint32_t kind;
    uint32_t value;
};

constexpr uint32_t kAbort = 1;
constexpr uint32_t kReject = 2;

const PDUFailureRow kFailureRows[] = {
    // Confirmed request.
    {"confirmed: empty", 0, "", "BACnetConfirmedRequestPDU::Decode", "bacnetconfirmedrequestpdu",
     {"Invalid parameters "}, kReject, 0},
    {"confirmed: wrong type", 0, "10 05 01 0C", "BACnetConfirmedRequestPDU::Decode", "bacnetconfirmedrequestpdu",
     {"Invalid pdu type "}, kAbort, 0},
    {"confirmed: three octets", 0, "00 05 01", "BACnetConfirmedRequestPDU::Decode", "bacnetconfirmedrequestpdu",
     {"Not enough bytes to decode a confirmed request pdu"}, kReject, 0},
    {"confirmed: segmented, three octets", 0, "0A 05 01", "BACnetConfirmedRequestPDU::Decode",
     "bacnetconfirmedrequestpdu", {"Not enough bytes to decode a confirmed request pdu"}, kReject, 0},
    {"confirmed: segmented, cut before the window size", 0, "08 05 01 00", "BACnetConfirmedRequestPDU::Decode",
     "bacnetconfirmedrequestpdu", {"Not enough bytes to decode a segmented confirmed request pdu"}, kReject, 0},
    {"confirmed: segmented, cut before the service choice", 0, "08 05 01 00 01", "BACnetConfirmedRequestPDU::Decode",
     "bacnetconfirmedrequestpdu", {"Not enough bytes to decode a segmented confirmed request pdu"}, kReject, 0},
    {"confirmed: acknowledgeAlarm has no class", 0, "00 05 01 00 09 01", "BACnetConfirmedRequestPDU::Decode",
     "bacnetconfirmedrequestpdu", {"Unrecognized service=[&u]"}, kReject, 9},
    {"confirmed: unassigned choice", 0, "00 05 01 7F", "BACnetConfirmedRequestPDU::Decode",
     "bacnetconfirmedrequestpdu", {"Unrecognized service=[&u]"}, kReject, 9},
    // Unconfirmed request.
    {"unconfirmed: empty", 1, "", "BACnetUnconfirmedRequestPDU::Decode", "bacnetunconfirmedrequestpdu",
     {"Invalid parameters "}, kReject, 0},
    {"unconfirmed: wrong type", 1, "00 08", "BACnetUnconfirmedRequestPDU::Decode", "bacnetunconfirmedrequestpdu",
     {"Invalid pdu type "}, kAbort, 0},
    {"unconfirmed: no service choice", 1, "10", "BACnetUnconfirmedRequestPDU::Decode", "bacnetunconfirmedrequestpdu",
     {"Not enough bytes to decode a unconfirmed request pdu"}, kReject, 0},
    {"unconfirmed: choice 3 has no class", 1, "10 03 00 01", "BACnetUnconfirmedRequestPDU::Decode",
     "bacnetunconfirmedrequestpdu", {"Invalid unconfirmed service choice "}, kAbort, 0},
    {"unconfirmed: choice 10 has no class", 1, "10 0A", "BACnetUnconfirmedRequestPDU::Decode",
     "bacnetunconfirmedrequestpdu", {"Invalid unconfirmed service choice "}, kAbort, 0},
    // Simple-ACK.
    {"simple ack: empty", 2, "", "BACnetSimpleACKPDU::Decode", "bacnetsimpleackpdu", {"Invalid parameters "}, kReject,
     0},
    {"simple ack: wrong type", 2, "30 05 0F", "BACnetSimpleACKPDU::Decode", "bacnetsimpleackpdu", {"Invalid pdu type"},
     kReject, 4},
    {"simple ack: two octets", 2, "20 05", "BACnetSimpleACKPDU::Decode", "bacnetsimpleackpdu",
     {"Buffer does not have enough bytes to decode a proper Simple Ack message"}, kAbort, 0},
    {"simple ack: four octets", 2, "20 05 0F 00", "BACnetSimpleACKPDU::Decode", "bacnetsimpleackpdu",
     {"Buffer does not have enough bytes to decode a proper Simple Ack message"}, kAbort, 0},
    // Complex-ACK.
    {"complex ack: empty", 3, "", "BACnetComplexACKPDU::Decode", "bacnetcomplexackpdu", {"Invalid parameters "},
     kReject, 0},
    {"complex ack: wrong type", 3, "20 05 0C", "BACnetComplexACKPDU::Decode", "bacnetcomplexackpdu",
     {"Invalid pdu type "}, kAbort, 0},
    {"complex ack: two octets", 3, "30 05", "BACnetComplexACKPDU::Decode", "bacnetcomplexackpdu",
     {"Not enough bytes to decode a complex ack pdu"}, kReject, 0},
    {"complex ack: segmented, cut before the window size", 3, "38 05 00", "BACnetComplexACKPDU::Decode",
     "bacnetcomplexackpdu", {"Not enough bytes to decode a segmented complex ack pdu"}, kReject, 0},
    {"complex ack: segmented, cut before the choice", 3, "3C 05 00 01", "BACnetComplexACKPDU::Decode",
     "bacnetcomplexackpdu", {"Not enough bytes to decode a segmented complex ack pdu"}, kReject, 0},
    {"complex ack: choice without an acknowledgement class", 3, "30 05 1F 00", "BACnetComplexACKPDU::Decode",
     "bacnetcomplexackpdu", {"Invalid confirmed service ack choice"}, kAbort, 0},
    // Error.
    {"error: empty", 5, "", "BACnetErrorPDU::Decode", "bacneterrorpdu", {"Invalid parameters "}, kReject, 0},
    {"error: wrong type", 5, "60 01 0C 91 02 91 20", "BACnetErrorPDU::Decode", "bacneterrorpdu", {"Invalid pdu type "},
     kAbort, 0},
    {"error: five octets", 5, "50 01 0C 91 02", "BACnetErrorPDU::Decode", "bacneterrorpdu",
     {"Buffer does not have enough bytes to decode a proper Error message"}, kAbort, 0},
    {"error: choice 13 has no error type", 5, "50 01 0D 91 02 91 20", "BACnetErrorPDU::Decode", "bacneterrorpdu",
     {"Invalid error choice"}, kAbort, 0},
    {"error: choice 200 has no error type", 5, "50 01 C8 91 02 91 20", "BACnetErrorPDU::Decode", "bacneterrorpdu",
     {"Invalid error choice"}, kAbort, 0},
    // Reject.
    {"reject: empty", 6, "", "BACnetRejectPDU::Decode", "bacnetrejectpdu", {"Invalid parameters "}, kReject, 0},
    {"reject: wrong type", 6, "70 01 02", "BACnetRejectPDU::Decode", "bacnetrejectpdu", {"Invalid pdu type"}, kReject,
     4},
    {"reject: one octet", 6, "60", "BACnetRejectPDU::Decode", "bacnetrejectpdu",
     {"Buffer does not have enough bytes to decode a proper Reject message"}, kAbort, 0},
    // Abort.
    {"abort: empty", 7, "", "BACnetAbortPDU::Decode", "bacnetabortpdu", {"Invalid parameters "}, kReject, 0},
    {"abort: wrong type", 7, "60 07 04", "BACnetAbortPDU::Decode", "bacnetabortpdu", {"Invalid pdu type "}, kAbort, 0},
    {"abort: two octets", 7, "70 07", "BACnetAbortPDU::Decode", "bacnetabortpdu",
     {"Buffer does not have enough bytes to decode a proper Abort message"}, kAbort, 0},
    {"abort: four octets", 7, "71 07 04 00", "BACnetAbortPDU::Decode", "bacnetabortpdu",
     {"Buffer does not have enough bytes to decode a proper Abort message"}, kAbort, 0},
};

TEST(BACnetPDU, DecodeFailuresReportAndSetTheOutcome) {
    for (const PDUFailureRow& row : kFailureRows) {
        SCOPED_TRACE(row.label);
        const std::vector<uint8_t> octets = ParseHex(row.octets);
        std::unique_ptr<BACnetPDU> pdu = BACnetPDU::CreatePDU(row.pduType);
        ASSERT_NE(pdu, nullptr);
        BACnetErrorOutcome outcome;
        StackErrorLogCapture log;
        EXPECT_EQ(pdu->Decode(octets.empty() ? nullptr : octets.data(), static_cast<uint16_t>(octets.size()), &outcome),
                  0);
        std::vector<Report> expected;
        for (const char* message : row.messages) expected.push_back({row.operation, row.source, message});
        ExpectReports(log, expected);
        EXPECT_FALSE(pdu->IsValid());
        EXPECT_TRUE(outcome.set);
        EXPECT_EQ(outcome.kind, row.kind);
        EXPECT_EQ(outcome.value, row.value);
        EXPECT_EQ(Xml(*pdu).find("Request />"), std::string::npos);  // no service child
    }
}

TEST(BACnetConfirmedRequestPDU, ReadsEveryHeaderFieldBeforeTheServiceChoice) {
    struct {
        const char* label;
        const char* octets;
        bool segmented, moreFollows, segmentedResponseAccepted;
        uint32_t maxSegments, maxApdu;
        uint8_t invokeId, sequenceNumber, windowSize;
        uint32_t serviceChoice;
    } rows[] = {
        {"unsegmented", "00 05 01 00", false, false, false, 0, 5, 1, 0, 0, 0},
        {"segmented response accepted", "02 75 2A 1E", false, false, true, 7, 5, 42, 0, 0, 30},
        {"segment with more following", "0E 43 80 03 04 00", true, true, true, 4, 3, 128, 3, 4, 0},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        const std::vector<uint8_t> octets = ParseHex(row.octets);
        BACnetConfirmedRequestPDU pdu;
        StackErrorLogCapture log;
        EXPECT_EQ(pdu.Decode(octets.data(), static_cast<uint16_t>(octets.size()), nullptr), 0);  // no service class
        EXPECT_EQ(pdu.IsSegmentedMessage(), row.segmented);
        EXPECT_EQ(pdu.GetMoreFollows(), row.moreFollows);
        EXPECT_EQ(pdu.IsSegmentedResponseAccepted(), row.segmentedResponseAccepted);
        EXPECT_EQ(pdu.GetMaxSegmentsAccepted(), row.maxSegments);
        EXPECT_EQ(pdu.GetMaxApduLengthAccepted(), row.maxApdu);
        EXPECT_EQ(pdu.GetInvokeId(), row.invokeId);
        EXPECT_EQ(pdu.GetSequenceNumber(), row.sequenceNumber);
        EXPECT_EQ(pdu.GetProposedWindowSize(), row.windowSize);
        EXPECT_EQ(pdu.GetServiceChoice(), row.serviceChoice);
        EXPECT_EQ(pdu.GetService(), nullptr);
    }
}

TEST(BACnetConfirmedRequestPDU, ASegmentIsDecodedAsIfItWereTheWholeRequest) {
    // A first segment carrying only part of a ReadProperty request.
    const std::vector<uint8_t> first = ParseHex("0C 05 01 00 04 0C 0C 00 00");
    BACnetConfirmedRequestPDU pdu;
    StackErrorLogCapture log;
    EXPECT_EQ(pdu.Decode(first.data(), static_cast<uint16_t>(first.size()), nullptr), 0);
    EXPECT_EQ(ReportLines(log).back(),
              "BACnetConfirmedRequestPDU::Decode|bacnetconfirmedrequestpdu|Unable to decode the BACnet Confirmed "
              "Service Request");
    // A segment whose octets happen to form a whole request decodes, with its segment fields shown.
    const std::vector<uint8_t> whole = ParseHex("08 05 01 02 04 0C 0C 00 00 00 01 19 55");
    ASSERT_EQ(pdu.Decode(whole.data(), static_cast<uint16_t>(whole.size()), nullptr), 13);
    EXPECT_EQ(Xml(pdu).substr(0, Xml(pdu).find('>') + 1),
              "<ConfirmedRequestPDU invokeId='1' maxAdpuLengthAccepted='0x5' maxSegmentsAccepted='0x0' "
              "moreFollows='0' proposedWindowSize='4' segmentedMessage='1' segmentedResponseAccepted='0' "
              "sequenceNumber='2' serviceChoice='readProperty'>");
    uint8_t out[16];
    ASSERT_EQ(pdu.Encode(out, sizeof out, nullptr), 13);
    EXPECT_EQ(HexText(out, 13), "08 05 01 02 04 0C 0C 00 00 00 01 19 55");
    ExpectEveryCutStaysInside(whole, [] { return std::make_unique<BACnetConfirmedRequestPDU>(); });
}

TEST(BACnetConfirmedRequestPDU, BuildsARequestAroundACopyOfAService) {
    const std::vector<uint8_t> octets = ParseHex("0E 75 80 03 04 0C 0C 00 00 00 01 19 55");
    BACnetConfirmedRequestPDU decoded;
    ASSERT_EQ(decoded.Decode(octets.data(), static_cast<uint16_t>(octets.size()), nullptr), 13);
    ASSERT_NE(decoded.GetService(), nullptr);
    BACnetConfirmedRequestPDU built;
    ASSERT_TRUE(built.SetConfirmedRequest(3, 9, *decoded.GetService()));
    decoded.Reset();  // the built PDU keeps its own copy
    EXPECT_FALSE(built.IsSegmentedMessage());
    EXPECT_FALSE(built.GetMoreFollows());
    uint8_t out[16];
    BACnetErrorOutcome outcome;
    ASSERT_EQ(built.Encode(out, sizeof out, &outcome), 11);
    EXPECT_EQ(HexText(out, 11), "00 03 09 0C 0C 00 00 00 01 19 55");
    StackErrorLogCapture log;
    EXPECT_EQ(built.Encode(out, 3, &outcome), 0);
    ExpectReports(log, {{"BACnetConfirmedRequestPDU::Encode", "bacnetconfirmedrequestpdu",
                         "Not enough bytes to encode a confirmed request pdu"}});
    EXPECT_EQ(outcome.kind, kReject);
}

TEST(BACnetComplexACKPDU, ReadsEveryHeaderFieldBeforeTheServiceAckChoice) {
    const std::vector<uint8_t> octets = ParseHex("3C 2A 03 04 1F 00");
    BACnetComplexACKPDU pdu;
    StackErrorLogCapture log;
    EXPECT_EQ(pdu.Decode(octets.data(), static_cast<uint16_t>(octets.size()), nullptr), 0);
    EXPECT_TRUE(pdu.IsSegmentedMessage());
    EXPECT_TRUE(pdu.GetMoreFollows());
    EXPECT_EQ(pdu.GetOriginalInvokeId(), 42);
    EXPECT_EQ(pdu.GetSequenceNumber(), 3);
    EXPECT_EQ(pdu.GetProposedWindowSize(), 4);
    EXPECT_EQ(pdu.GetServiceAckChoice(), 31u);
}

// Stand-ins for service classes that have no line in the factory tables.
class UnlistedConfirmedService final : public BACnetConfirmedServiceRequest {
public:
    explicit UnlistedConfirmedService(bool valid) { valid_ = valid; }
    uint16_t Decode(const uint8_t*, uint16_t, BACnetErrorOutcome*) override { return 0; }
    uint16_t Encode(uint8_t*, uint16_t, BACnetErrorOutcome*) override { return 0; }
    std::unique_ptr<ICodable> Clone() const override { return std::make_unique<UnlistedConfirmedService>(*this); }
    uint8_t GetDatatype() const override { return 250; }
    void Reset() override { valid_ = false; }
    bool IsEqual(const ICodable* other) const override { return other == this; }
    uint32_t GetServiceChoice() const override { return 0; }
};

class UnlistedServiceAck final : public BACnetConfirmedServiceACK {
public:
    explicit UnlistedServiceAck(bool valid) { valid_ = valid; }
    uint16_t Decode(const uint8_t*, uint16_t, BACnetErrorOutcome*) override { return 0; }
    uint16_t Encode(uint8_t*, uint16_t, BACnetErrorOutcome*) override { return 0; }
    std::unique_ptr<ICodable> Clone() const override { return std::make_unique<UnlistedServiceAck>(*this); }
    uint8_t GetDatatype() const override { return 251; }
    void Reset() override { valid_ = false; }
    bool IsEqual(const ICodable* other) const override { return other == this; }
    uint32_t GetServiceChoice() const override { return 6; }
};

TEST(BACnetConfirmedRequestPDU, BuildersRefuseWhatTheyCannotCarry) {
    constexpr const char* kSrc = "bacnetconfirmedrequestpdu";
    BACnetConfirmedRequestPDU pdu;
    StackErrorLogCapture log;
    EXPECT_FALSE(pdu.SetConfirmedRequest(6, 1, UnlistedConfirmedService(true)));
    EXPECT_FALSE(pdu.SetConfirmedRequest(5, 1, UnlistedConfirmedService(false)));
    EXPECT_FALSE(pdu.SetConfirmedRequest(5, 1, UnlistedConfirmedService(true)));
    ExpectReports(log, {{"BACnetConfirmedRequestPDU::SetMaxApduLengthAccepted", kSrc,
                         "Invalid max apdu length accepted = [6]"},
                        {"BACnetConfirmedRequestPDU::SetConfirmedRequest", kSrc,
                         "Failed to set the max apdu length accepted"},
                        {"BACnetConfirmedRequestPDU::SetServiceRequest", kSrc, "Service request is not valid"},
                        {"BACnetConfirmedRequestPDU::SetConfirmedRequest", kSrc, "Failed to set the service request"},
                        {"BACnetConfirmedRequestPDU::SetServiceRequest", kSrc, "Invalid confirmed service choice"},
                        {"BACnetConfirmedRequestPDU::SetConfirmedRequest", kSrc, "Failed to set the service request"}});
    EXPECT_FALSE(pdu.IsValid());
    log.Clear();
    uint8_t out[16];
    BACnetErrorOutcome outcome;
    EXPECT_EQ(pdu.Encode(out, sizeof out, &outcome), 0);
    EXPECT_EQ(pdu.Encode(nullptr, sizeof out, &outcome), 0);
    ExpectReports(log, {{"BACnetConfirmedRequestPDU::Encode", kSrc, "Invalid confirmedRequest pdu object"},
                        {"BACnetConfirmedRequestPDU::Encode", kSrc, "Invalid parameters"}});
    EXPECT_EQ(outcome.kind, kAbort);
}

TEST(BACnetComplexACKPDU, BuildersRefuseWhatTheyCannotCarry) {
    constexpr const char* kSrc = "bacnetcomplexackpdu";
    BACnetComplexACKPDU pdu;
    StackErrorLogCapture log;
    EXPECT_FALSE(pdu.SetServiceAck(UnlistedServiceAck(false)));
    EXPECT_FALSE(pdu.SetServiceAck(UnlistedServiceAck(true)));
    uint8_t out[16];
    BACnetErrorOutcome outcome;
    EXPECT_EQ(pdu.Encode(out, sizeof out, &outcome), 0);
    ExpectReports(log, {{"BACnetComplexACKPDU::SetServiceAck", kSrc, "Service ack is invalid"},
                        {"BACnetComplexACKPDU::SetServiceAck", kSrc, "Invalid confirmed service ack choice"},
                        {"BACnetComplexACKPDU::Encode", kSrc, "Invalid complexAck pdu object"}});
    EXPECT_EQ(outcome.kind, kAbort);
}

TEST(BACnetUnconfirmedRequestPDU, CarriesACopyOfTheServiceItIsGiven) {
    constexpr const char* kSrc = "bacnetunconfirmedrequestpdu";
    BACnetUnconfirmedRequestPDU pdu;
    uint8_t out[16];
    BACnetErrorOutcome outcome;
    {
        StackErrorLogCapture log;
        BACnetWhoIsRequest notValid;
        EXPECT_FALSE(pdu.SetService(notValid));
        EXPECT_EQ(pdu.Encode(out, sizeof out, &outcome), 0);
        ExpectReports(log, {{"BACnetUnconfirmedRequestPDU::SetService", kSrc, "Unconfirmed service request is invalid"},
                            {"BACnetUnconfirmedRequestPDU::Encode", kSrc, "Invalid unconfirmed request pdu object"}});
    }
    BACnetWhoIsRequest whoIs;
    whoIs.SetWithoutLimits();
    ASSERT_TRUE(pdu.SetService(whoIs));
    EXPECT_EQ(pdu.GetServiceChoice(), 8u);
    ASSERT_EQ(pdu.Encode(out, 2, &outcome), 2);
    EXPECT_EQ(HexText(out, 2), "10 08");

    ASSERT_TRUE(whoIs.SetDeviceInstanceRangeLimits(100, 4194303));
    ASSERT_TRUE(pdu.SetService(whoIs));
    whoIs.SetWithoutLimits();  // the PDU holds its own copy
    ASSERT_EQ(pdu.Encode(out, sizeof out, &outcome), 8);
    EXPECT_EQ(HexText(out, 8), "10 08 09 64 1B 3F FF FF");

    StackErrorLogCapture log;
    EXPECT_EQ(pdu.Encode(out, 1, &outcome), 0);
    ExpectReports(log, {{"BACnetUnconfirmedRequestPDU::Encode", kSrc,
                         "Not enough bytes to decode a unconfirmed request pdu"}});
    EXPECT_EQ(outcome.kind, kReject);
    log.Clear();
    EXPECT_EQ(pdu.Encode(out, 6, &outcome), 0);
    EXPECT_EQ(ReportLines(log).back(),
              "BACnetUnconfirmedRequestPDU::Encode|bacnetunconfirmedrequestpdu|Error occurred while encoding the "
              "BACnetUnconfirmedRequest");
}

TEST(BACnetPDU, SmallPDUsRefuseToEncodeWithoutRoomOrContents) {
    struct {
        std::unique_ptr<BACnetPDU> pdu;
        const char* operation;
        const char* source;
        const char* invalidMessage;
    } rows[] = {
        {std::make_unique<BACnetSimpleACKPDU>(), "BACnetSimpleACKPDU::Encode", "bacnetsimpleackpdu",
         "Invalid abort pdu object"},
        {std::make_unique<BACnetRejectPDU>(), "BACnetRejectPDU::Encode", "bacnetrejectpdu", "Invalid abort pdu object"},
        {std::make_unique<BACnetAbortPDU>(), "BACnetAbortPDU::Encode", "bacnetabortpdu", "Invalid abort pdu object"},
        {std::make_unique<BACnetErrorPDU>(), "BACnetErrorPDU::Encode", "bacneterrorpdu", "Invalid error pdu object"},
    };
    for (auto& row : rows) {
        SCOPED_TRACE(row.operation);
        uint8_t out[4] = {0xEE, 0xEE, 0xEE, 0xEE};
        BACnetErrorOutcome outcome;
        StackErrorLogCapture log;
        EXPECT_EQ(row.pdu->Encode(nullptr, 4, &outcome), 0);
        EXPECT_EQ(row.pdu->Encode(out, 4, &outcome), 0);
        ExpectReports(log, {{row.operation, row.source, "Invalid parameters"},
                            {row.operation, row.source, row.invalidMessage}});
        EXPECT_EQ(outcome.kind, kAbort);
        EXPECT_EQ(outcome.value, 0u);
    }
    BACnetSimpleACKPDU ack;
    ack.Set(5, 15);
    BACnetRejectPDU reject;
    reject.Set(1, 9);
    BACnetAbortPDU abort;
    abort.Set(false, 7, 4);
    for (BACnetPDU* pdu : std::initializer_list<BACnetPDU*>{&ack, &reject, &abort}) {
        uint8_t out[3] = {0xEE, 0xEE, 0xEE};
        BACnetErrorOutcome outcome;
        StackErrorLogCapture log;
        EXPECT_EQ(pdu->Encode(out, 2, &outcome), 0);
        EXPECT_EQ(out[2], 0xEE);
        EXPECT_EQ(log.Messages(), "Not enough space to encode this object\n");
        EXPECT_EQ(outcome.kind, kAbort);
        EXPECT_EQ(outcome.value, 4u);
        EXPECT_EQ(pdu->Encode(out, 3, &outcome), 3);
    }
    uint8_t out[3];
    ASSERT_EQ(ack.Encode(out, 3, nullptr), 3);
    EXPECT_EQ(HexText(out, 3), "20 05 0F");
    ASSERT_EQ(reject.Encode(out, 3, nullptr), 3);
    EXPECT_EQ(HexText(out, 3), "60 01 09");
    ASSERT_EQ(abort.Encode(out, 3, nullptr), 3);
    EXPECT_EQ(HexText(out, 3), "70 07 04");
}

TEST(BACnetErrorPDU, TellsTheErrorItsChoice) {
    for (const auto& [octets, choice] : {std::pair{"50 01 0C 91 02 91 20", 12u}, std::pair{"50 07 1F 91 01 91 1F", 31u},
                                         std::pair{"50 07 7F 91 01 91 1F", 127u}}) {
        SCOPED_TRACE(octets);
        const std::vector<uint8_t> bytes = ParseHex(octets);
        BACnetErrorPDU pdu;
        ASSERT_EQ(pdu.Decode(bytes.data(), static_cast<uint16_t>(bytes.size()), nullptr), bytes.size());
        const auto* error = dynamic_cast<const BACnetErrorBase*>(pdu.GetError());
        ASSERT_NE(error, nullptr);
        EXPECT_EQ(error->GetErrorChoice(), choice);
        EXPECT_EQ(pdu.GetErrorChoice(), choice);
    }
    const std::vector<uint8_t> classOnly = ParseHex("50 01 0C 91 02 00");
    BACnetErrorPDU pdu;
    StackErrorLogCapture log;
    EXPECT_EQ(pdu.Decode(classOnly.data(), static_cast<uint16_t>(classOnly.size()), nullptr), 0);
    EXPECT_EQ(ReportLines(log).back(), "BACnetErrorPDU::Decode|bacneterrorpdu|Unable to decode the BACnet error");
    EXPECT_EQ(Xml(pdu), "<ErrorPDU errorChoice='readProperty' originalInvokeId='1' />");  // no error child
}

TEST(BACnetErrorPDU, RefusesAnErrorItCannotCarry) {
    BACnetErrorPDU pdu;
    StackErrorLogCapture log;
    EXPECT_FALSE(pdu.SetErrorAndTakeOwnership(1, 12, nullptr));
    EXPECT_FALSE(pdu.SetErrorAndTakeOwnership(1, 13, std::make_unique<BACnetWhoIsRequest>()));
    ExpectReports(log, {{"BACnetErrorPDU::SetErrorAndTakeOwnership", "bacneterrorpdu", "Error - error does not exist"},
                        {"BACnetErrorPDU::SetErrorAndTakeOwnership", "bacneterrorpdu", "Invalid error choice"}});
    EXPECT_FALSE(pdu.IsValid());
    EXPECT_EQ(pdu.GetError(), nullptr);
}

}  // namespace
}  // namespace ZalvoBACnetStack
