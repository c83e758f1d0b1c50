// ReadPropertyMultiple request and acknowledgement with their lists:
// wire octets (captured traffic among them) -> XML -> wire octets, values
// typed by each access result's object type, errors in read results, empty
// lists, failures with their exact reports, cuts, and the builders.
#include <gtest/gtest.h>

#include <random>

#include "core/bacnetprimitivereal.h"
#include "readservicestestsupport.h"
#include "services/bacnetreadpropertymultipleack.h"
#include "services/bacnetreadpropertymultiplerequest.h"
#include "services/bacnetreadpropertyrequest.h"
#include "services/bacnetreadpropertyack.h"
#include "services/bacnetpriorityarray.h"
#include "services/bacnetpropertyvalue.h"

namespace ZalvoBACnetStack {
namespace {
using namespace ReadServicesTest;

std::string Object(unsigned type, unsigned instance, const std::string& name) {
    return "<ObjectIdentifier context='0' datatype='12' objectInstance='" + std::to_string(instance) +
           "' objectType='" + std::to_string(type) + "'>" + name + ", " + std::to_string(instance) +
           "</ObjectIdentifier>";
}

std::string Reference(unsigned number, const std::string& name) {
    return "<PropertyReference><PropertyIdentifier context='0' datatype='9' value='" + std::to_string(number) + "'>" +
           name + "</PropertyIdentifier></PropertyReference>";
}

std::string Result(unsigned number, const std::string& name, const std::string& rest) {
    return "<ReadResult><PropertyIdentifier context='2' datatype='9' value='" + std::to_string(number) + "'>" + name +
           "</PropertyIdentifier>" + rest + "</ReadResult>";
}

std::string Value(const std::string& values) { return "<PropertyValue context='4'>" + values + "</PropertyValue>"; }

std::string AccessError(unsigned errorClass, const std::string& className, unsigned code, const std::string& codeName) {
    return "<PropertyAccessError context='5'><ErrorClass datatype='9' value='" + std::to_string(errorClass) + "'>" +
           className + "</ErrorClass><ErrorCode datatype='9' value='" + std::to_string(code) + "'>" + codeName +
           "</ErrorCode></PropertyAccessError>";
}

// The reports of a property reference list meeting its closing tag: the
// list tries one more reference there and stops.
std::vector<std::string> ClosingProbes(size_t lists) {
    std::vector<std::string> reports;
    for (size_t i = 0; i < lists; ++i) {
        reports.push_back("BACnetPrimitiveBase::DecodeWithContext: Invalid Tag Number");
        reports.push_back("BACnetPropertyReference::Decode: Failed to decode property identifier");
    }
    return reports;
}

// Device 8: object-name "Dev1" and its object list; analog-input 1: a REAL
// present value, units, and a property it does not have.
const char* kTwoObjectAck =
    "0C 02 00 00 08 1E 29 4D 4E 75 05 00 44 65 76 31 4F 29 4C 4E C4 02 00 00 08 C4 00 00 00 01 4F 1F "
    "0C 00 00 00 01 1E 29 55 4E 44 42 91 00 00 4F 29 75 4E 91 3E 4F 2A 27 0F 5E 91 02 91 20 5F 1F";

std::string TwoObjectAckXml() {
    return "<ReadPropertyMultipleACK><ListOfReadAccessResults count='2'><ReadAccessResult>" + Object(8, 8, "device") +
           "<ListOfResults context='1' count='2'>" +
           Result(77, "objectName",
                  Value("<CharacterString datatype='7' encoding='0' length='4'>Dev1</CharacterString>")) +
           Result(76, "objectList",
                  Value("<ObjectIdentifier datatype='12' objectInstance='8' objectType='8'>device, 8</ObjectIdentifier>"
                        "<ObjectIdentifier datatype='12' objectInstance='1' objectType='0'>analogInput, 1"
                        "</ObjectIdentifier>")) +
           "</ListOfResults></ReadAccessResult><ReadAccessResult>" + Object(0, 1, "analogInput") +
           "<ListOfResults context='1' count='3'>" +
           Result(85, "presentValue", Value("<Real datatype='4' value='72.5'>72.5</Real>")) +
           Result(117, "units", Value("<EngineeringUnits datatype='9' value='62'>degreesCelsius</EngineeringUnits>")) +
           Result(9999, "Unknown Enumeration Value (9999)", AccessError(2, "property", 32, "unknownProperty")) +
           "</ListOfResults></ReadAccessResult></ListOfReadAccessResults></ReadPropertyMultipleACK>";
}

struct GoldenRow {
    const char* label;
    Maker make;
    std::string octets;
    std::string xml;
    std::vector<std::string> decodeReports = {};
};

TEST(ReadPropertyMultiple, GoldenVectorsDecodeRenderAndReencode) {
    const GoldenRow rows[] = {
        {"captured request for four device properties", Make<BACnetReadPropertyMultipleRequest>(),
         "0C 02 00 00 65 1E 09 79 09 46 09 1C 09 4C 1F",
         "<ReadPropertyMultipleRequest><ListOfReadAccessSpecifications count='1'><ReadAccessSpecification>" +
             Object(8, 101, "device") + "<ListOfPropertyReferences context='1' count='4'>" +
             Reference(121, "vendorName") + Reference(70, "modelName") + Reference(28, "description") +
             Reference(76, "objectList") +
             "</ListOfPropertyReferences></ReadAccessSpecification></ListOfReadAccessSpecifications>"
             "</ReadPropertyMultipleRequest>",
         ClosingProbes(1)},
        {"request for two objects, one with an index", Make<BACnetReadPropertyMultipleRequest>(),
         "0C 00 00 00 01 1E 09 55 09 75 1F 0C 02 00 00 08 1E 09 4C 19 00 1F",
         "<ReadPropertyMultipleRequest><ListOfReadAccessSpecifications count='2'><ReadAccessSpecification>" +
             Object(0, 1, "analogInput") + "<ListOfPropertyReferences context='1' count='2'>" +
             Reference(85, "presentValue") + Reference(117, "units") +
             "</ListOfPropertyReferences></ReadAccessSpecification><ReadAccessSpecification>" +
             Object(8, 8, "device") +
             "<ListOfPropertyReferences context='1' count='1'><PropertyReference><PropertyIdentifier context='0' "
             "datatype='9' value='76'>objectList</PropertyIdentifier><PropertyArrayIndex context='1' datatype='2' "
             "value='0'>0</PropertyArrayIndex></PropertyReference></ListOfPropertyReferences>"
             "</ReadAccessSpecification></ListOfReadAccessSpecifications></ReadPropertyMultipleRequest>",
         ClosingProbes(2)},
        {"request for all properties", Make<BACnetReadPropertyMultipleRequest>(), "0C 02 00 00 08 1E 09 08 1F",
         "<ReadPropertyMultipleRequest><ListOfReadAccessSpecifications count='1'><ReadAccessSpecification>" +
             Object(8, 8, "device") + "<ListOfPropertyReferences context='1' count='1'>" + Reference(8, "all") +
             "</ListOfPropertyReferences></ReadAccessSpecification></ListOfReadAccessSpecifications>"
             "</ReadPropertyMultipleRequest>",
         ClosingProbes(1)},
        {"captured acknowledgement with an error", Make<BACnetReadPropertyMultipleACK>(),
         "0C 00 00 08 54 1E 29 55 5E 91 01 91 1F 5F 1F",
         "<ReadPropertyMultipleACK><ListOfReadAccessResults count='1'><ReadAccessResult>" +
             Object(0, 2132, "analogInput") + "<ListOfResults context='1' count='1'>" +
             Result(85, "presentValue", AccessError(1, "object", 31, "unknownObject")) +
             "</ListOfResults></ReadAccessResult></ListOfReadAccessResults></ReadPropertyMultipleACK>"},
        {"acknowledgement for two objects", Make<BACnetReadPropertyMultipleACK>(), kTwoObjectAck, TwoObjectAckXml()},
        {"acknowledgement with an index and an empty list", Make<BACnetReadPropertyMultipleACK>(),
         "0C 02 00 00 08 1E 29 4C 39 00 4E 21 02 4F 1F 0C 00 00 00 01 1E 1F",
         "<ReadPropertyMultipleACK><ListOfReadAccessResults count='2'><ReadAccessResult>" + Object(8, 8, "device") +
             "<ListOfResults context='1' count='1'>" +
             Result(76, "objectList",
                    "<PropertyArrayIndex context='3' datatype='2' value='0'>0</PropertyArrayIndex>" +
                        Value("<UnsignedInteger datatype='2' value='2'>2</UnsignedInteger>")) +
             "</ListOfResults></ReadAccessResult><ReadAccessResult>" + Object(0, 1, "analogInput") +
             "<ListOfResults context='1' count='0' /></ReadAccessResult></ListOfReadAccessResults>"
             "</ReadPropertyMultipleACK>"},
        {"acknowledgement with an empty value", Make<BACnetReadPropertyMultipleACK>(),
         "0C 02 00 00 08 1E 29 4C 4E 4F 1F",
         "<ReadPropertyMultipleACK><ListOfReadAccessResults count='1'><ReadAccessResult>" + Object(8, 8, "device") +
             "<ListOfResults context='1' count='1'>" +
             Result(76, "objectList", "<PropertyValue context='4' />") +
             "</ListOfResults></ReadAccessResult></ListOfReadAccessResults></ReadPropertyMultipleACK>"},
    };
    for (const GoldenRow& row : rows) {
        SCOPED_TRACE(row.label);
        CheckRoundTrip(row.make, ParseHex(row.octets), row.xml, 0, row.decodeReports);
    }
}

TEST(ReadPropertyMultiple, DecodeFailuresReportAndLeaveTheValueEmpty) {
    CheckDecodeFailures({
        {"request null buffer", Make<BACnetReadPropertyMultipleRequest>(), {},
         {"BACnetReadPropertyMultipleRequest::Decode: Invalid parameters"}, Reject(0)},
        {"request without references", Make<BACnetReadPropertyMultipleRequest>(), ParseHex("0C 02 00 00 08"),
         {"BACnetObjectBase::DecodeWithContext: Invalid parameters ",
          "BACnetReadAccessSpecification::Decode: Failed to decode listOfPropertyReferences",
          "BACnetReadPropertyMultipleRequest::Decode: Failed to decode listOfReadAccessSpecifications"},
         Reject(0)},
        {"request without closing tag 1", Make<BACnetReadPropertyMultipleRequest>(),
         ParseHex("0C 02 00 00 08 1E 09 4C"),
         {"BACnetTag::DecodeAndCheckClosingTag: Invalid prameters ",
          "BACnetObjectBase::DecodeWithContext: Error Decoding closing tag ",
          "BACnetReadAccessSpecification::Decode: Failed to decode listOfPropertyReferences",
          "BACnetReadPropertyMultipleRequest::Decode: Failed to decode listOfReadAccessSpecifications"},
         kNoOutcome},
        {"second read access entry broken", Make<BACnetReadPropertyMultipleRequest>(),
         ParseHex("0C 02 00 00 08 1E 09 4C 1F 19 4C"),
         {"BACnetPrimitiveBase::DecodeWithContext: Invalid Tag Number",
          "BACnetPropertyReference::Decode: Failed to decode property identifier",
          "BACnetPrimitiveBase::DecodeWithContext: Invalid Tag Number",
          "BACnetReadAccessSpecification::Decode: Failed to decode objectIdentifier",
          "BACnetReadPropertyMultipleRequest::Decode: Failed to decode listOfReadAccessSpecifications"},
         Reject(4)},
        {"ack null buffer", Make<BACnetReadPropertyMultipleACK>(), {},
         {"BACnetReadPropertyMultipleACK::Decode: Invalid parameters"}, Reject(0)},
        {"results without opening tag 1", Make<BACnetReadPropertyMultipleACK>(), ParseHex("0C 00 00 00 01 29 55"),
         {"BACnetTag::DecodeAndCheckOpeningTag: Not an opening tag with the correct tag number=[1]",
          "BACnetListOfResults::Decode: Error Decoding opening tag",
          "BACnetReadAccessResult::Decode: Failed to decode listOfResults",
          "BACnetReadPropertyMultipleACK::Decode: Failed to decode listOfReadAccessResults"},
         Reject(4)},
        {"results without closing tag 1", Make<BACnetReadPropertyMultipleACK>(),
         ParseHex("0C 00 00 00 01 1E 29 55 4E 44 42 91 00 00 4F"),
         {"BACnetListOfResults::Decode: Error decoding tag",
          "BACnetReadAccessResult::Decode: Failed to decode listOfResults",
          "BACnetReadPropertyMultipleACK::Decode: Failed to decode listOfReadAccessResults"},
         Reject(0)},
        {"result in context tag 6", Make<BACnetReadPropertyMultipleACK>(),
         ParseHex("0C 00 00 00 01 1E 29 55 6E 21 01 6F 1F"),
         {"BACnetReadResult::Decode: Invalid tag here, expecting propertyValue context 4 or propertyAccessError "
          "context 5",
          "BACnetListOfResults::Decode: Error decoding the read result",
          "BACnetReadAccessResult::Decode: Failed to decode listOfResults",
          "BACnetReadPropertyMultipleACK::Decode: Failed to decode listOfReadAccessResults"},
         Reject(4)},
        {"result without value or error", Make<BACnetReadPropertyMultipleACK>(), ParseHex("0C 00 00 00 01 1E 29 55"),
         {"BACnetReadResult::Decode: Failed to decode tag for propertyValue or propertyAccessError",
          "BACnetListOfResults::Decode: Error decoding the read result",
          "BACnetReadAccessResult::Decode: Failed to decode listOfResults",
          "BACnetReadPropertyMultipleACK::Decode: Failed to decode listOfReadAccessResults"},
         Reject(0)},
        {"result value of the wrong datatype", Make<BACnetReadPropertyMultipleACK>(),
         ParseHex("0C 00 00 00 01 1E 29 55 4E 21 01 4F 1F"),
         {"BACnetPrimitiveREAL::Decode: Invalid application tag",
          "BACnetAbstractSyntaxType::DecodeByDatatype: Error failed to decode",
          "BACnetReadResult::Decode: Failed to decode propertyValue",
          "BACnetListOfResults::Decode: Error decoding the read result",
          "BACnetReadAccessResult::Decode: Failed to decode listOfResults",
          "BACnetReadPropertyMultipleACK::Decode: Failed to decode listOfReadAccessResults"},
         Reject(4)},
        {"error holding only the class", Make<BACnetReadPropertyMultipleACK>(),
         ParseHex("0C 00 00 00 01 1E 29 55 5E 91 02 5F 1F"),
         {"BACnetPrimitiveENUM::Decode: Tag value out of range", "BACnetError::Decode: Failed to decode error code ",
          "BACnetObjectBase::DecodeWithContext: Error decoding the error",
          "BACnetReadResult::Decode: Failed to decode propertyAccessError",
          "BACnetListOfResults::Decode: Error decoding the read result",
          "BACnetReadAccessResult::Decode: Failed to decode listOfResults",
          "BACnetReadPropertyMultipleACK::Decode: Failed to decode listOfReadAccessResults"},
         Reject(4)},
        {"access result without object", Make<BACnetReadPropertyMultipleACK>(), ParseHex("1E 29 55 4E 00 4F 1F"),
         {"BACnetPrimitiveBase::DecodeWithContext: Invalid Tag Number",
          "BACnetReadAccessResult::Decode: Failed to decode objectIdentifier",
          "BACnetReadPropertyMultipleACK::Decode: Failed to decode listOfReadAccessResults"},
         Reject(4)},
    });
}

TEST(ReadPropertyMultiple, EveryCutFailsOrStaysInside) {
    const std::string vectors[] = {
        "0C 02 00 00 65 1E 09 79 09 46 09 1C 09 4C 1F 0C 00 00 00 01 1E 09 55 19 02 1F",
        kTwoObjectAck,
        "0C 02 00 00 08 1E 29 4C 39 00 4E 21 02 4F 1F 0C 00 00 00 01 1E 1F",
    };
    StackErrorLogCapture quiet;
    for (const std::string& vector : vectors) {
        const Octets octets = ParseHex(vector);
        for (size_t cut = 0; cut < octets.size(); ++cut) {
            const Octets part(octets.begin(), octets.begin() + static_cast<long>(cut));
            BACnetReadPropertyMultipleRequest request;
            BACnetReadPropertyMultipleACK ack;
            const uint16_t requestUsed = DecodeExact(request, part, nullptr);
            const uint16_t ackUsed = DecodeExact(ack, part, nullptr);
            // A list ends only where its octets end, so a cut either ends
            // exactly after an element or fails.
            EXPECT_TRUE(requestUsed == 0 || requestUsed == cut) << vector << " cut " << cut;
            EXPECT_TRUE(ackUsed == 0 || ackUsed == cut) << vector << " cut " << cut;
            EXPECT_EQ(request.IsValid(), requestUsed != 0);
            EXPECT_EQ(ack.IsValid(), ackUsed != 0);
        }
    }
}

TEST(ReadPropertyMultiple, BuildersMakeWhatTheWireCarries) {
    StackErrorLogCapture log;
    BACnetReadAccessSpecification accessSpecification;
    accessSpecification.SetObjectIdentifier(0, 1);
    EXPECT_FALSE(accessSpecification.IsValid());
    EXPECT_TRUE(accessSpecification.AddPropertyReference(BACnetPropertyReference(85)));
    EXPECT_TRUE(accessSpecification.AddPropertyReference(BACnetPropertyReference(87, 8)));
    EXPECT_FALSE(accessSpecification.AddPropertyReference(BACnetPropertyReference()));
    BACnetReadPropertyMultipleRequest request;
    EXPECT_FALSE(request.InsertReadAccessSpecification(BACnetReadAccessSpecification()));
    EXPECT_TRUE(request.InsertReadAccessSpecification(accessSpecification));
    Octets out(64, 0);
    uint16_t written = request.Encode(out.data(), static_cast<uint16_t>(out.size()), nullptr);
    EXPECT_EQ(HexText(out.data(), written), "0C 00 00 00 01 1E 09 55 09 57 19 08 1F");

    BACnetAbstractSyntaxType real(4);
    ASSERT_TRUE(real.AddValueAndTakeOwnership(std::make_unique<BACnetPrimitiveREAL>(72.5f)));
    BACnetReadResult value;
    EXPECT_TRUE(value.SetReadResultValue(85, std::nullopt, real));
    BACnetReadResult error;
    EXPECT_TRUE(error.SetReadResultError(87, 17, 2, 42));
    BACnetReadAccessResult result;
    result.SetObjectIdentifier(0, 1);
    EXPECT_TRUE(result.AddReadResult(value));
    EXPECT_TRUE(result.AddReadResult(error));
    BACnetReadAccessResult empty;
    empty.SetObjectIdentifier(8, 8);
    BACnetReadPropertyMultipleACK ack;
    EXPECT_TRUE(ack.InsertReadAccessResult(result));
    EXPECT_TRUE(ack.InsertReadAccessResult(empty));
    written = ack.Encode(out.data(), static_cast<uint16_t>(out.size()), nullptr);
    EXPECT_EQ(HexText(out.data(), written),
              "0C 00 00 00 01 1E 29 55 4E 44 42 91 00 00 4F 29 57 39 11 5E 91 02 91 2A 5F 1F "
              "0C 02 00 00 08 1E 1F");
    EXPECT_EQ(Reports(log), (std::vector<std::string>{
                                "BACnetReadPropertyMultipleRequest::InsertReadAccessSpecification: Failed to insert "
                                "read access specification into list"}));

    // What was built decodes back to an equal acknowledgement.
    BACnetReadPropertyMultipleACK decoded;
    log.Clear();
    ASSERT_EQ(DecodeExact(decoded, Octets(out.begin(), out.begin() + written), nullptr), written);
    EXPECT_TRUE(decoded.IsEqual(&ack));
    EXPECT_EQ(Xml(decoded), Xml(ack));
    EXPECT_EQ(log.Text(), "");
}

TEST(ReadPropertyMultiple, ReadResultSetterTakesValueOrErrorNotBoth) {
    BACnetAbstractSyntaxType real(4);
    ASSERT_TRUE(real.AddValueAndTakeOwnership(std::make_unique<BACnetPrimitiveREAL>(1.0f)));
    const BACnetPropertyIdentifier presentValue(85);
    const BACnetPropertyIdentifier noProperty;
    const BACnetPrimitiveUINT noIndex;
    const BACnetError unknownProperty(2, 32);
    const BACnetError noError;
    struct Row {
        const char* label;
        const BACnetPrimitiveENUM& property;
        const BACnetPrimitiveUINT* index;
        const BACnetAbstractSyntaxType* value;
        const BACnetError* error;
        const char* report;  // null: accepted
    };
    const Row rows[] = {
        {"value", presentValue, nullptr, &real, nullptr, nullptr},
        {"error", presentValue, nullptr, nullptr, &unknownProperty, nullptr},
        {"both", presentValue, nullptr, &real, &unknownProperty, "Failed to set the read result"},
        {"neither", presentValue, nullptr, nullptr, nullptr, "Failed to set the read result"},
        {"empty property", noProperty, nullptr, &real, nullptr, "Failed to set the property identifier"},
        {"empty index", presentValue, &noIndex, &real, nullptr, "Failed to set the property array index"},
        {"empty error", presentValue, nullptr, nullptr, &noError, "Failed to set the property access error"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.label);
        BACnetReadResult result;
        StackErrorLogCapture log;
        EXPECT_EQ(result.SetReadResult(row.property, row.index, row.value, row.error), row.report == nullptr);
        EXPECT_EQ(result.IsValid(), row.report == nullptr);
        if (row.report == nullptr) {
            EXPECT_EQ(log.Text(), "");
            EXPECT_EQ(result.HasPropertyValue(), row.value != nullptr);
            EXPECT_EQ(result.HasPropertyAccessError(), row.error != nullptr);
        } else {
            EXPECT_EQ(Reports(log),
                      std::vector<std::string>{std::string("BACnetReadResult::SetReadResult: ") + row.report});
        }
    }
}

TEST(ReadPropertyMultiple, EncodeFailuresReportEachLevel) {
    BACnetReadResult emptyResult;
    StackErrorLogCapture log;
    Octets out(64, 0xA5);
    EXPECT_EQ(emptyResult.Encode(out.data(), 64, nullptr), 0);
    EXPECT_EQ(Reports(log),
              std::vector<std::string>{"BACnetReadResult::Encode: Invalid BACnetPropertyReference object"});

    BACnetReadAccessResult result;
    result.SetObjectIdentifier(0, 1);
    struct Row {
        const char* label;
        uint16_t room;
        std::vector<std::string> reports;
    };
    const Row emptyRows[] = {
        {"no room for the opening tag", 5,
         {"BACnetReadAccessResult::Encode: Failed to encode opening tag of empty listOfResults"}},
        {"no room for the closing tag", 6,
         {"BACnetReadAccessResult::Encode: Failed to encode closing tag of empty listOfResults"}},
    };
    for (const Row& row : emptyRows) {
        SCOPED_TRACE(row.label);
        log.Clear();
        Octets cramped(static_cast<size_t>(row.room) + 1, 0xA5);
        BACnetErrorOutcome outcome;
        EXPECT_EQ(result.Encode(cramped.data(), row.room, &outcome), 0);
        EXPECT_EQ(Reports(log), row.reports);
        ExpectOutcome(outcome, Abort(4));
        EXPECT_EQ(cramped[row.room], 0xA5);
    }

    BACnetReadResult error;
    ASSERT_TRUE(error.SetReadResultError(85, std::nullopt, 2, 32));
    ASSERT_TRUE(result.AddReadResult(error));
    BACnetReadPropertyMultipleACK ack;
    ASSERT_TRUE(ack.InsertReadAccessResult(result));
    // 0C 00 00 00 01 1E 29 55 5E 91 02 91 20 5F 1F: 13 octets leave no room
    // for the error's closing tag.
    log.Clear();
    EXPECT_EQ(ack.Encode(out.data(), 13, nullptr), 0);
    EXPECT_EQ(Reports(log), (std::vector<std::string>{
                                "BACnetObjectBase::EncodeWithContext: Error encoding closing tag for context=5",
                                "BACnetReadResult::Encode: Failed to encode propertyAccessError",
                                "BACnetListOfResults::Encode: Error encoding a list item",
                                "BACnetObjectBase::EncodeWithContext: Error encoding the constructed object",
                                "BACnetReadAccessResult::Encode: Failed to encode listOfResults",
                                "BACnetListOfReadAccessResults::Encode: Error encoding a list item",
                                "BACnetReadPropertyMultipleACK::Encode: Failed to encode listOfReadAccessResults"}));
    log.Clear();
    EXPECT_EQ(BACnetReadPropertyMultipleACK().Encode(out.data(), 64, nullptr), 0);
    EXPECT_EQ(BACnetListOfReadAccessResults().Encode(out.data(), 64, nullptr), 0);
    EXPECT_EQ(BACnetReadPropertyMultipleRequest().Encode(out.data(), 64, nullptr), 0);
    EXPECT_EQ(BACnetListOfReadAccessSpecifications().Encode(out.data(), 64, nullptr), 0);
    EXPECT_EQ(Reports(log),
              (std::vector<std::string>{
                  "BACnetReadPropertyMultipleACK::Encode: Invalid BACnetPropertyReference object",
                  "BACnetListOfReadAccessResults::Encode: Invalid BACnetListOfReadAccessResults object",
                  "BACnetReadPropertyMultipleRequest::Encode: Invalid BACnetPropertyReference object",
                  "BACnetListOfReadAccessSpecifications::Encode: Invalid BACnetListOfReadAccessSpecifications object"}));
}

TEST(ReadPropertyMultiple, MutatedOctetsNeverDecodePastTheirEnd) {
    // Good vectors with octets changed, dropped and repeated at random (a
    // fixed seed, so every run sees the same inputs): each decoder either
    // fails or consumes no more than it was given, and is valid exactly
    // when it consumed something.
    const std::string seeds[] = {
        kTwoObjectAck,
        "0C 02 00 00 65 1E 09 79 09 46 09 1C 09 4C 1F 0C 00 00 00 01 1E 09 55 19 02 1F",
        "0C 00 40 00 65 19 57 3E 00 00 00 00 00 00 00 00 44 42 C8 00 00 00 00 00 00 00 00 00 3F",
        "0C 02 00 00 08 19 4C 29 00 3E 21 02 3F",
        "09 57 19 08 2E 1E A4 7C 03 05 02 B4 0E 05 03 07 1F 2F 39 08",
    };
    const std::vector<Maker> makers = {
        Make<BACnetReadPropertyRequest>(), Make<BACnetReadPropertyACK>(), Make<BACnetReadPropertyMultipleRequest>(),
        Make<BACnetReadPropertyMultipleACK>(), Make<BACnetPropertyValue>(), Make<BACnetPriorityArray>(),
    };
    std::mt19937 random(20240305);
    StackErrorLogCapture quiet;
    for (const std::string& seed : seeds) {
        const Octets original = ParseHex(seed);
        for (int round = 0; round < 300; ++round) {
            Octets mutated = original;
            const int edits = 1 + static_cast<int>(random() % 4);
            for (int edit = 0; edit < edits && !mutated.empty(); ++edit) {
                const size_t at = random() % mutated.size();
                switch (random() % 3) {
                    case 0: mutated[at] = static_cast<uint8_t>(random()); break;
                    case 1: mutated.erase(mutated.begin() + static_cast<long>(at)); break;
                    default: mutated.insert(mutated.begin() + static_cast<long>(at), mutated[at]); break;
                }
            }
            for (const Maker& make : makers) {
                auto value = make();
                const uint16_t used = DecodeExact(*value, mutated, nullptr);
                ASSERT_LE(used, mutated.size()) << HexText(mutated);
                EXPECT_EQ(value->IsValid(), used != 0) << HexText(mutated);
                if (used != 0) (void)Xml(*value);
            }
        }
    }
}

}  // namespace
}  // namespace ZalvoBACnetStack
