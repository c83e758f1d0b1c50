// The service-specific error types: change-list, create-object,
// write-property-multiple and subscribe-COV-property-multiple errors with the
// first failed subscription, and the Error PDU picking each by error choice.
#include <gtest/gtest.h>

#include "discoverytestsupport.h"
#include "message/bacneterrorpdu.h"
#include "message/bacnetservicefactory.h"
#include "services/bacnetchangelisterror.h"
#include "services/bacnetcreateobjecterror.h"
#include "services/bacnetfirstfailedsubscription.h"
#include "services/bacnetsubscribecovpropertymultipleerror.h"
#include "services/bacnetwritepropertymultipleerror.h"

namespace ZalvoBACnetStack::DiscoveryTest {
namespace {

std::string ErrorXml(const char* context, unsigned errorClass, const char* className, unsigned code,
                     const char* codeName) {
    std::string xml = "<Error";
    if (context != nullptr) xml += std::string(" context='") + context + "'";
    return xml + "><ErrorClass datatype='9' value='" + std::to_string(errorClass) + "'>" + className +
           "</ErrorClass><ErrorCode datatype='9' value='" + std::to_string(code) + "'>" + codeName +
           "</ErrorCode></Error>";
}

const std::string kAnalogInput1 =
    "<MonitoredObjectIdentifier context='0' datatype='12' objectInstance='1' objectType='0'>analogInput, 1"
    "</MonitoredObjectIdentifier>";

TEST(BACnetErrorTypesTest, GoldenVectorsDecodeRenderAndReencode) {
    struct Row {
        const char* label;
        Maker make;
        const char* hex;
        std::string xml;
    };
    const std::vector<Row> rows = {
        {"change list", Make<BACnetChangeListError>(), "0E 91 02 91 20 0F 19 03",
         "<ChangeListError>" + ErrorXml("0", 2, "property", 32, "unknownProperty") +
             "<FirstFailedElementNumber context='1' datatype='2' value='3'>3</FirstFailedElementNumber>"
             "</ChangeListError>"},
        {"create object", Make<BACnetCreateObjectError>(), "0E 91 05 91 07 0F 19 01",
         "<CreateObjectError>" + ErrorXml("0", 5, "services", 7, "inconsistentParameters") +
             "<FirstFailedElementNumber context='1' datatype='2' value='1'>1</FirstFailedElementNumber>"
             "</CreateObjectError>"},
        {"create object, element 300", Make<BACnetCreateObjectError>(), "0E 91 01 91 12 0F 1A 01 2C",
         "<CreateObjectError>" + ErrorXml("0", 1, "object", 18, "noSpaceForObject") +
             "<FirstFailedElementNumber context='1' datatype='2' value='300'>300</FirstFailedElementNumber>"
             "</CreateObjectError>"},
        {"write property multiple", Make<BACnetWritePropertyMultipleError>(),
         "0E 91 02 91 28 0F 1E 0C 00 00 00 01 19 55 1F",
         "<WritePropertyMultipleError>" + ErrorXml("0", 2, "property", 40, "writeAccessDenied") +
             "<ObjectPropertyReference context='1'>"
             "<ObjectIdentifier context='0' datatype='12' objectInstance='1' objectType='0'>analogInput, 1"
             "</ObjectIdentifier>"
             "<PropertyIdentifier context='1' datatype='9' value='85'>presentValue</PropertyIdentifier>"
             "</ObjectPropertyReference></WritePropertyMultipleError>"},
        {"write property multiple with array index", Make<BACnetWritePropertyMultipleError>(),
         "0E 91 02 91 2A 0F 1E 0C 02 00 00 05 19 57 29 10 1F",
         "<WritePropertyMultipleError>" + ErrorXml("0", 2, "property", 42, "invalidArrayIndex") +
             "<ObjectPropertyReference context='1'>"
             "<ObjectIdentifier context='0' datatype='12' objectInstance='5' objectType='8'>device, 5"
             "</ObjectIdentifier>"
             "<PropertyIdentifier context='1' datatype='9' value='87'>priorityArray</PropertyIdentifier>"
             "<PropertyArrayIndex context='2' datatype='2' value='16'>16</PropertyArrayIndex>"
             "</ObjectPropertyReference></WritePropertyMultipleError>"},
        {"subscribe COV property multiple, error form", Make<BACnetSubscribeCOVPropertyMultipleError>(),
         "0E 91 02 91 2B 0F",
         "<SubscribeCOVPropertyMultipleError>" + ErrorXml("0", 2, "property", 43, "covSubscriptionFailed") +
             "</SubscribeCOVPropertyMultipleError>"},
        {"subscribe COV property multiple, first failed subscription",
         Make<BACnetSubscribeCOVPropertyMultipleError>(), "1E 0C 00 00 00 01 1E 09 55 1F 2E 91 02 91 2C 2F 1F",
         "<SubscribeCOVPropertyMultipleError><FirstFailedSubscription context='1'>" + kAnalogInput1 +
             "<MonitoredPropertyReference context='1'>"
             "<PropertyIdentifier context='0' datatype='9' value='85'>presentValue</PropertyIdentifier>"
             "</MonitoredPropertyReference>" +
             ErrorXml("2", 2, "property", 44, "notCovProperty") +
             "</FirstFailedSubscription></SubscribeCOVPropertyMultipleError>"},
        {"first failed subscription", Make<BACnetFirstFailedSubscription>(),
         "0C 00 00 00 01 1E 09 55 19 02 1F 2E 91 02 91 2C 2F",
         "<FirstFailedSubscription>" + kAnalogInput1 +
             "<MonitoredPropertyReference context='1'>"
             "<PropertyIdentifier context='0' datatype='9' value='85'>presentValue</PropertyIdentifier>"
             "<PropertyArrayIndex context='1' datatype='2' value='2'>2</PropertyArrayIndex>"
             "</MonitoredPropertyReference>" +
             ErrorXml("2", 2, "property", 44, "notCovProperty") + "</FirstFailedSubscription>"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.label);
        CheckGolden(row.make, ParseHex(row.hex), row.xml);
    }
}

TEST(BACnetErrorTypesTest, DecodeFailuresReportEachMissingMember) {
    const std::string base = "BACnetObjectBase::DecodeWithContext|bacnetobjectbase|";
    const std::string primitive = "BACnetPrimitiveBase::DecodeWithContext|bacnetprimitivebase|";
    const std::string error = "BACnetError::Decode|bacneterror|";
    const std::string enumerated = "BACnetPrimitiveENUM::Decode|bacnetprimitiveenum|";
    const std::string changeList = "BACnetChangeListError::Decode|bacnetchangelisterror|";
    const std::string createObject = "BACnetCreateObjectError::Decode|bacnetcreateobjecterror|";
    const std::string wpm = "BACnetWritePropertyMultipleError::Decode|bacnetwritepropertymultipleerror|";
    const std::string scovpm =
        "BACnetSubscribeCOVPropertyMultipleError::Decode|bacnetsubscribecovpropertymultipleerror|";
    const std::string ffs = "BACnetFirstFailedSubscription::Decode|bacnetfirstfailedsubscription|";
    const std::string tag = "BACnetTag::DecodeAndCheckOpeningTag|bacnettag|";
    const std::string closing = "BACnetTag::DecodeAndCheckClosingTag|bacnettag|";
    CheckDecodeRows({
        {"change list: null buffer", Make<BACnetChangeListError>(), {}, {changeList + "Invalid parameters "},
         Reject(0)},
        {"change list: error not enclosed", Make<BACnetChangeListError>(), ParseHex("91 02 91 20 19 03"),
         {tag + "Not an opening tag with the correct tag number=[0]", base + "Error Decoding opening tag ",
          changeList + "Error decoding the error"},
         kNoOutcome},
        {"change list: closing tag missing", Make<BACnetChangeListError>(), ParseHex("0E 91 02 91 20 19 03"),
         {closing + "Not a closing tag with the correct tag number=[0]", base + "Error Decoding closing tag ",
          changeList + "Error decoding the error"},
         kNoOutcome},
        {"change list: error code missing", Make<BACnetChangeListError>(), ParseHex("0E 91 02 0F 19 03"),
         {enumerated + "Tag value out of range", error + "Failed to decode error code ",
          base + "Error decoding the error", changeList + "Error decoding the error"},
         Reject(4)},
        {"change list: element number missing", Make<BACnetChangeListError>(), ParseHex("0E 91 02 91 20 0F"),
         {primitive + "Invalid parameters ", changeList + "Error Decoding First Failed Element"}, Reject(0)},
        {"change list: element number in tag 2", Make<BACnetChangeListError>(), ParseHex("0E 91 02 91 20 0F 29 03"),
         {primitive + "Invalid Tag Number", changeList + "Error Decoding First Failed Element"}, Reject(4)},
        {"create object: null buffer", Make<BACnetCreateObjectError>(), {}, {createObject + "Invalid parameters "},
         Reject(0)},
        {"create object: element number cut short", Make<BACnetCreateObjectError>(),
         ParseHex("0E 91 05 91 07 0F 1A 01"),
         {"BACnetPrimitiveUINT::Decode|bacnetprimitiveuint|Message is to short. ",
          primitive + "Could not decode the primitive", createObject + "Error Decoding First Failed Element"},
         Reject(4)},
        {"write property multiple: null buffer", Make<BACnetWritePropertyMultipleError>(), {},
         {wpm + "Invalid parameters"}, Reject(0)},
        {"write property multiple: error missing", Make<BACnetWritePropertyMultipleError>(),
         ParseHex("1E 0C 00 00 00 01 19 55 1F"),
         {tag + "Not an opening tag with the correct tag number=[0]", base + "Error Decoding opening tag ",
          wpm + "Failed to decode the error"},
         kNoOutcome},
        {"write property multiple: reference missing", Make<BACnetWritePropertyMultipleError>(),
         ParseHex("0E 91 02 91 28 0F"),
         {base + "Invalid parameters ", wpm + "Failed to decode firstFailedWriteAttempt"}, Reject(0)},
        {"subscribe COV property multiple: null buffer", Make<BACnetSubscribeCOVPropertyMultipleError>(), {},
         {scovpm + "Invalid parameters"}, Reject(0)},
        {"subscribe COV property multiple: choice tag cut", Make<BACnetSubscribeCOVPropertyMultipleError>(),
         ParseHex("F9"), {scovpm + "Unable to decode the choice tag"}, Reject(0)},
        {"subscribe COV property multiple: choice tag 2", Make<BACnetSubscribeCOVPropertyMultipleError>(),
         ParseHex("2E 91 02 91 2C 2F"), {scovpm + "Invalid context tag choice=[2]"}, Reject(4)},
        {"subscribe COV property multiple: application tag", Make<BACnetSubscribeCOVPropertyMultipleError>(),
         ParseHex("91 02 91 2C"), {scovpm + "Invalid context tag choice=[9]"}, Reject(4)},
        {"subscribe COV property multiple: error cut", Make<BACnetSubscribeCOVPropertyMultipleError>(),
         ParseHex("0E 91 02 91 2C"),
         {closing + "Invalid prameters ", base + "Error Decoding closing tag ", scovpm + "Failed to decode errorType"},
         kNoOutcome},
        {"subscribe COV property multiple: subscription cut", Make<BACnetSubscribeCOVPropertyMultipleError>(),
         ParseHex("1E 0C 00 00 00 01 1F"),
         {tag + "Not an opening tag with the correct tag number=[1]", base + "Error Decoding opening tag ",
          ffs + "Failed to decode monitoredPropertyReference", base + "Error decoding the error",
          scovpm + "Failed to decode firstFailedSubscription"},
         kNoOutcome},
        {"first failed subscription: null buffer", Make<BACnetFirstFailedSubscription>(), {},
         {ffs + "Invalid parameters"}, Reject(0)},
        {"first failed subscription: object identifier missing", Make<BACnetFirstFailedSubscription>(),
         ParseHex("1E 09 55 1F 2E 91 02 91 2C 2F"),
         {primitive + "Invalid Tag Number", ffs + "Failed to decode monitoredObjectIdentifier"}, Reject(4)},
        {"first failed subscription: error missing", Make<BACnetFirstFailedSubscription>(),
         ParseHex("0C 00 00 00 01 1E 09 55 1F"), {base + "Invalid parameters ", ffs + "Failed to decode errorType"},
         Reject(0)},
    });
}

TEST(BACnetErrorTypesTest, EncodeRefusesWhatIsNotComplete) {
    const auto changeList = [] {
        auto error = std::make_unique<BACnetChangeListError>();
        error->SetError(8, 2, 32);
        error->SetFirstFailedElementNumber(3);
        return std::unique_ptr<ICodable>(std::move(error));
    };
    const auto wpm = [] {
        auto error = std::make_unique<BACnetWritePropertyMultipleError>();
        error->SetError(16, 2, 40);
        BACnetObjectPropertyReference reference;
        reference.SetObjectPropertyReference(0, 1, 85);
        error->SetFirstFailedWriteAttempt(reference);
        return std::unique_ptr<ICodable>(std::move(error));
    };
    const auto errorOnly = [] {
        auto error = std::make_unique<BACnetChangeListError>();
        error->SetError(8, 2, 32);
        return std::unique_ptr<ICodable>(std::move(error));
    };
    const std::string changeListEncode = "BACnetChangeListError::Encode|bacnetchangelisterror|";
    const std::string wpmEncode = "BACnetWritePropertyMultipleError::Encode|bacnetwritepropertymultipleerror|";
    const std::string scovpmEncode =
        "BACnetSubscribeCOVPropertyMultipleError::Encode|bacnetsubscribecovpropertymultipleerror|";
    const std::string baseEncode = "BACnetObjectBase::EncodeWithContext|bacnetobjectbase|";
    CheckEncodeRows({
        {"change list: null buffer", changeList, true, 20, {changeListEncode + "Invalid parameters"}, Abort(0)},
        {"change list: error without element number", errorOnly, false, 20,
         {changeListEncode + "Invalid BACnetChangeListError object"}, Abort(0)},
        {"create object: empty", Make<BACnetCreateObjectError>(), false, 20,
         {"BACnetCreateObjectError::Encode|bacnetcreateobjecterror|Invalid BACnetChangeListError object"},
         Abort(0)},
        {"change list: room for the error only", changeList, false, 6,
         {"BACnetPrimitiveBase::EncodeWithContext|bacnetprimitivebase|Invalid parameters",
          changeListEncode + "Error encoding first failed element number for context=1"},
         Abort(0)},
        {"change list: no room for the closing tag", changeList, false, 5,
         {baseEncode + "Error encoding closing tag for context=0", changeListEncode + "Error encoding the BACnetError"},
         kNoOutcome},
        {"write property multiple: empty", Make<BACnetWritePropertyMultipleError>(), false, 20,
         {wpmEncode + "Invalid BACnetPropertyReference object"}, Abort(0)},
        {"write property multiple: reference cut", wpm, false, 8,
         {"BACnetPrimitiveObjectIdentifier::Encode|bacnetprimitiveobjectidentifier|Not enough space to encode this "
          "object",
          "BACnetPrimitiveBase::EncodeWithContext|bacnetprimitivebase|Error encoding primitive",
          "BACnetObjectPropertyReference::Encode|bacnetobjectpropertyreference|Unable to encode the objectIdentifier",
          baseEncode + "Error encoding the constructed object", wpmEncode + "Unable to encode the firstFailedWriteAttempt"},
         Abort(4)},
        {"write property multiple: no room after the error", wpm, false, 6,
         {baseEncode + "Invalid parameters", wpmEncode + "Unable to encode the firstFailedWriteAttempt"}, Abort(0)},
        {"subscribe COV property multiple: empty", Make<BACnetSubscribeCOVPropertyMultipleError>(), false, 20,
         {scovpmEncode + "Invalid BACnetPropertyReference object"}, Abort(0)},
        {"first failed subscription: empty", Make<BACnetFirstFailedSubscription>(), false, 20,
         {"BACnetFirstFailedSubscription::Encode|bacnetfirstfailedsubscription|Invalid BACnetPropertyReference object"},
         Abort(0)},
    });
}

TEST(BACnetErrorTypesTest, SettersBuildEachForm) {
    BACnetFirstFailedSubscription subscription;
    ASSERT_TRUE(subscription.SetFirstFailedSubscription(BACnetPrimitiveObjectIdentifier(0, 1),
                                                        BACnetPropertyReference(85), 2, 44));

    struct Row {
        const char* label;
        std::function<std::unique_ptr<BACnetErrorBase>()> build;
        bool valid;
        const char* hex;  // when valid
    };
    const std::vector<Row> rows = {
        {"change list: error and element number",
         [] {
             auto error = std::make_unique<BACnetChangeListError>();
             error->SetFirstFailedElementNumber(2);
             error->SetError(9, 2, 32);
             return error;
         },
         true, "0E 91 02 91 20 0F 19 02"},
        {"change list: error alone is not complete",
         [] {
             auto error = std::make_unique<BACnetChangeListError>();
             error->SetError(9, 2, 32);
             return error;
         },
         false, ""},
        {"create object: element number alone is not complete",
         [] {
             auto error = std::make_unique<BACnetCreateObjectError>();
             error->SetFirstFailedElementNumber(70000);
             return error;
         },
         false, ""},
        {"create object: large element number",
         [] {
             auto error = std::make_unique<BACnetCreateObjectError>();
             error->SetError(10, 1, 18);
             error->SetFirstFailedElementNumber(70000);
             return error;
         },
         true, "0E 91 01 91 12 0F 1B 01 11 70"},
        {"write property multiple",
         [] {
             auto error = std::make_unique<BACnetWritePropertyMultipleError>();
             BACnetObjectPropertyReference reference;
             reference.SetObjectPropertyReference(8, 5, 87, 16);
             EXPECT_TRUE(error->SetFirstFailedWriteAttempt(reference));
             error->SetError(16, 2, 42);
             return error;
         },
         true, "0E 91 02 91 2A 0F 1E 0C 02 00 00 05 19 57 29 10 1F"},
        {"subscribe COV property multiple: subscription replaces the error",
         [&subscription] {
             auto error = std::make_unique<BACnetSubscribeCOVPropertyMultipleError>();
             error->SetError(30, 2, 43);
             EXPECT_TRUE(error->SetFirstFailedSubscription(30, subscription));
             return error;
         },
         true, "1E 0C 00 00 00 01 1E 09 55 1F 2E 91 02 91 2C 2F 1F"},
        {"subscribe COV property multiple: error replaces the subscription",
         [&subscription] {
             auto error = std::make_unique<BACnetSubscribeCOVPropertyMultipleError>();
             EXPECT_TRUE(error->SetFirstFailedSubscription(30, subscription));
             error->SetError(30, 2, 43);
             return error;
         },
         true, "0E 91 02 91 2B 0F"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.label);
        StackErrorLogCapture log;
        std::unique_ptr<BACnetErrorBase> error = row.build();
        EXPECT_EQ(error->IsValid(), row.valid);
        if (!row.valid) continue;
        Octets out(32, 0);
        const uint16_t written = error->Encode(out.data(), static_cast<uint16_t>(out.size()), nullptr);
        EXPECT_EQ(HexText(out.data(), written), row.hex);
        EXPECT_EQ(log.Text(), "");
        // What the setters built decodes back to an equal error.
        std::unique_ptr<ICodable> decoded = error->Clone();
        decoded->Reset();
        ASSERT_EQ(decoded->Decode(out.data(), written, nullptr), written);
        static_cast<BACnetErrorBase*>(decoded.get())->SetErrorChoice(error->GetErrorChoice());
        EXPECT_TRUE(decoded->IsEqual(error.get()));
    }
}

TEST(BACnetErrorTypesTest, SettersRefuseEmptyParts) {
    const std::string ffs = "BACnetFirstFailedSubscription::SetFirstFailedSubscription|bacnetfirstfailedsubscription|";
    {
        BACnetFirstFailedSubscription subscription;
        StackErrorLogCapture log;
        EXPECT_FALSE(subscription.SetFirstFailedSubscription(BACnetPrimitiveObjectIdentifier(),
                                                             BACnetPropertyReference(85), 2, 44));
        EXPECT_FALSE(subscription.SetFirstFailedSubscription(BACnetPrimitiveObjectIdentifier(0, 1),
                                                             BACnetPropertyReference(), 2, 44));
        EXPECT_FALSE(subscription.SetFirstFailedSubscription(BACnetPrimitiveObjectIdentifier(0, 1),
                                                             BACnetPropertyReference(85), 2, 70000));
        EXPECT_FALSE(subscription.IsValid());
        EXPECT_EQ(ReportLines(log), (std::vector<std::string>{
                                    ffs + "Failed to set the monitored object identifier",
                                    ffs + "Failed to set the monitored property reference",
                                    "BACnetError::SetErrorCode|bacneterror|Failed to set the value of the error code",
                                    "BACnetError::SetError|bacneterror|Failed to set the error code",
                                    ffs + "Failed to set the error type",
                                }));
    }
    {
        BACnetSubscribeCOVPropertyMultipleError error;
        ASSERT_TRUE(error.SetError(30, 2, 43));
        StackErrorLogCapture log;
        EXPECT_FALSE(error.SetFirstFailedSubscription(30, BACnetFirstFailedSubscription()));
        EXPECT_TRUE(error.IsValid()) << "a refused subscription keeps the error form";
        EXPECT_FALSE(error.HoldsFirstFailedSubscription());
        EXPECT_EQ(ReportLines(log), (std::vector<std::string>{
                                    "BACnetSubscribeCOVPropertyMultipleError::SetFirstFailedSubscription|"
                                    "bacnetsubscribecovpropertymultipleerror|Failed to set the first failed subscription",
                                }));
    }
    {
        BACnetWritePropertyMultipleError error;
        ASSERT_TRUE(error.SetError(16, 2, 40));
        StackErrorLogCapture log;
        EXPECT_FALSE(error.SetFirstFailedWriteAttempt(BACnetObjectPropertyReference()));
        EXPECT_FALSE(error.IsValid());
        EXPECT_EQ(ReportLines(log), (std::vector<std::string>{
                                    "BACnetWritePropertyMultipleError::SetFirstFailedWriteAttempt|"
                                    "bacnetwritepropertymultipleerror|Failed to set the first failed write attempt",
                                }));
    }
}

TEST(BACnetErrorTypesTest, ErrorPDUPicksTheTypeByErrorChoice) {
    struct Row {
        const char* hex;
        uint8_t datatype;  // of the error the PDU holds
        std::string xml;
    };
    const std::string readProperty = ErrorXml(nullptr, 2, "property", 32, "unknownProperty");
    const std::vector<Row> rows = {
        {"50 01 0C 91 02 91 20", 53,
         "<ErrorPDU errorChoice='readProperty' originalInvokeId='1'>" + readProperty + "</ErrorPDU>"},
        {"50 07 00 91 02 91 20", 53,
         "<ErrorPDU errorChoice='acknowledgeAlarm' originalInvokeId='7'>" + readProperty + "</ErrorPDU>"},
        {"50 02 1F 91 02 91 20", 53,
         "<ErrorPDU errorChoice='confirmedCOVNotificationMultiple' originalInvokeId='2'>" + readProperty +
             "</ErrorPDU>"},
        {"50 03 08 0E 91 02 91 20 0F 19 03", 47,
         "<ErrorPDU errorChoice='addListElement' originalInvokeId='3'><ChangeListError>" +
             ErrorXml("0", 2, "property", 32, "unknownProperty") +
             "<FirstFailedElementNumber context='1' datatype='2' value='3'>3</FirstFailedElementNumber>"
             "</ChangeListError></ErrorPDU>"},
        {"50 04 09 0E 91 02 91 20 0F 19 03", 47, ""},
        {"50 05 0A 0E 91 05 91 07 0F 19 01", 49,
         "<ErrorPDU errorChoice='createObject' originalInvokeId='5'><CreateObjectError>" +
             ErrorXml("0", 5, "services", 7, "inconsistentParameters") +
             "<FirstFailedElementNumber context='1' datatype='2' value='1'>1</FirstFailedElementNumber>"
             "</CreateObjectError></ErrorPDU>"},
        {"50 06 10 0E 91 02 91 28 0F 1E 0C 00 00 00 01 19 55 1F", 54, ""},
        {"50 08 1E 0E 91 02 91 2B 0F", 51,
         "<ErrorPDU errorChoice='subscribeCOVPropertyMultiple' originalInvokeId='8'>"
         "<SubscribeCOVPropertyMultipleError>" +
             ErrorXml("0", 2, "property", 43, "covSubscriptionFailed") +
             "</SubscribeCOVPropertyMultipleError></ErrorPDU>"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.hex);
        const Octets octets = ParseHex(row.hex);
        BACnetErrorPDU pdu;
        StackErrorLogCapture log;
        ASSERT_EQ(DecodeExact(pdu, octets, nullptr), octets.size()) << log.Text();
        EXPECT_EQ(log.Text(), "");
        ASSERT_NE(pdu.GetError(), nullptr);
        EXPECT_EQ(pdu.GetError()->GetDatatype(), row.datatype);
        const auto* error = dynamic_cast<const BACnetErrorBase*>(pdu.GetError());
        ASSERT_NE(error, nullptr);
        EXPECT_EQ(error->GetErrorChoice(), octets[2]) << "the PDU tells the error its choice";
        if (!row.xml.empty()) {
            EXPECT_EQ(Xml(pdu), row.xml);
        }
        Octets out(octets.size(), 0);
        ASSERT_EQ(pdu.Encode(out.data(), static_cast<uint16_t>(out.size()), nullptr), octets.size());
        EXPECT_EQ(HexText(out), HexText(octets));
    }
}

TEST(BACnetErrorTypesTest, ErrorPDUFailuresNameTheError) {
    struct Row {
        const char* hex;
        std::vector<std::string> reports;
    };
    const std::string pdu = "BACnetErrorPDU::Decode|bacneterrorpdu|";
    const std::vector<Row> rows = {
        {"50 01 0C 91 02 21 20",
         {"BACnetPrimitiveENUM::Decode|bacnetprimitiveenum|Invalid application tag",
          "BACnetError::Decode|bacneterror|Failed to decode error code ",
          "BACnetErrorBase::Decode|bacneterrorbase|Failed to decode error ", pdu + "Unable to decode the BACnet error"}},
        {"50 01 0D 91 02 91 20", {pdu + "Invalid error choice"}},
        {"50 01 0A 91 05 91 07 19 01",
         {"BACnetTag::DecodeAndCheckOpeningTag|bacnettag|Not an opening tag with the correct tag number=[0]",
          "BACnetObjectBase::DecodeWithContext|bacnetobjectbase|Error Decoding opening tag ",
          "BACnetCreateObjectError::Decode|bacnetcreateobjecterror|Error decoding the error",
          pdu + "Unable to decode the BACnet error"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.hex);
        BACnetErrorPDU decoded;
        StackErrorLogCapture log;
        EXPECT_EQ(DecodeExact(decoded, ParseHex(row.hex), nullptr), 0);
        EXPECT_EQ(ReportLines(log), row.reports);
    }
}

}  // namespace
}  // namespace ZalvoBACnetStack::DiscoveryTest
