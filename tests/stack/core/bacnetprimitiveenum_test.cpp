// ENUMERATED values and the enumeration classes: wire octets -> value ->
// XML -> wire octets, the minimal content length of assigned values, every
// decode and encode failure with its exact report and outcome, equality,
// cloning, and each enumeration class's name and table.
#include "core/bacnetprimitiveenum.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "core/bacnetenumerations.h"
#include "core/stackerrorlog.h"
#include "render/bacnetnametables.h"
#include "support/stacktestsupport.h"

namespace ZalvoBACnetStack {
namespace {
using TestSupport::Xml;

using Maker = std::function<std::unique_ptr<BACnetPrimitiveENUM>()>;

template <typename T>
Maker MakerOf() {
    return [] { return std::unique_ptr<BACnetPrimitiveENUM>(new T()); };
}

struct VectorRow {
    const char* label;
    Maker make;
    std::vector<uint8_t> octets;
    uint32_t value;
    const char* xml;
};

TEST(BACnetPrimitiveENUM, WireToValueToXmlAndBack) {
    const VectorRow rows[] = {
        {"plain enumerated", MakerOf<BACnetPrimitiveENUM>(), {0x91, 0x03}, 3,
         "<Enumerated datatype='9' value='3'>Unknown Enumeration Value (3)</Enumerated>"},
        {"units degrees celsius", MakerOf<BACnetEngineeringUnits>(), {0x91, 0x3E}, 62,
         "<EngineeringUnits datatype='9' value='62'>degreesCelsius</EngineeringUnits>"},
        {"units gap", MakerOf<BACnetEngineeringUnits>(), {0x91, 0xBD}, 189,
         "<EngineeringUnits datatype='9' value='189'>Unknown Enumeration Value (189)</EngineeringUnits>"},
        {"units two octets", MakerOf<BACnetEngineeringUnits>(), {0x92, 0xBA, 0xC0}, 47808,
         "<EngineeringUnits datatype='9' value='47808'>standardCubicFeetPerDay</EngineeringUnits>"},
        {"device status zero", MakerOf<BACnetDeviceStatus>(), {0x91, 0x00}, 0,
         "<DeviceStatus datatype='9' value='0'>operational</DeviceStatus>"},
        {"reliability unknown", MakerOf<BACnetReliability>(), {0x91, 0x63}, 99,
         "<Reliability datatype='9' value='99'>Unknown Enumeration Value (99)</Reliability>"},
        {"property present value", MakerOf<BACnetPropertyIdentifier>(), {0x91, 0x55}, 85,
         "<PropertyIdentifier datatype='9' value='85'>presentValue</PropertyIdentifier>"},
        {"object type kept non-minimal", MakerOf<BACnetObjectType>(), {0x92, 0x00, 0x08}, 8,
         "<ObjectType datatype='9' value='8'>device</ObjectType>"},
        {"three octets", MakerOf<BACnetPrimitiveENUM>(), {0x93, 0x01, 0x00, 0x00}, 65536,
         "<Enumerated datatype='9' value='65536'>Unknown Enumeration Value (65536)</Enumerated>"},
        {"four octets", MakerOf<BACnetPropertyIdentifier>(), {0x94, 0xFF, 0xFF, 0xFF, 0xFF}, 4294967295u,
         "<PropertyIdentifier datatype='9' value='4294967295'>Unknown Enumeration Value (4294967295)"
         "</PropertyIdentifier>"},
        {"context tag 0", MakerOf<BACnetErrorClass>(), {0x09, 0x02}, 2,
         "<ErrorClass context='0' datatype='9' value='2'>property</ErrorClass>"},
        {"context tag 1", MakerOf<BACnetErrorCode>(), {0x19, 0x1F}, 31,
         "<ErrorCode context='1' datatype='9' value='31'>unknownObject</ErrorCode>"},
        {"extended context tag", MakerOf<BACnetSegmentation>(), {0xF9, 0x14, 0x03}, 3,
         "<Segmentation context='20' datatype='9' value='3'>noSegmentation</Segmentation>"},
    };
    for (const VectorRow& row : rows) {
        SCOPED_TRACE(row.label);
        StackErrorLogCapture log;
        std::unique_ptr<BACnetPrimitiveENUM> value = row.make();
        // Trailing octets belong to the next value and stay unread.
        std::vector<uint8_t> wire = row.octets;
        wire.push_back(0x21);
        BACnetErrorOutcome outcome;
        ASSERT_EQ(value->Decode(wire.data(), static_cast<uint16_t>(wire.size()), &outcome), row.octets.size());
        EXPECT_TRUE(value->IsValid());
        EXPECT_EQ(value->GetValue(), row.value);
        EXPECT_EQ(value->GetDatatype(), 9);
        EXPECT_EQ(Xml(*value), row.xml);

        std::vector<uint8_t> out(row.octets.size() + 2, 0xAA);
        ASSERT_EQ(value->Encode(out.data(), static_cast<uint16_t>(row.octets.size()), &outcome), row.octets.size());
        EXPECT_EQ(std::vector<uint8_t>(out.begin(), out.begin() + static_cast<long>(row.octets.size())), row.octets);
        EXPECT_EQ(out[row.octets.size()], 0xAA);
        EXPECT_FALSE(outcome.set);
        EXPECT_EQ(log.Text(), "");
    }
}

TEST(BACnetPrimitiveENUM, AssignedValuesUseTheFewestContentOctets) {
    struct Row {
        uint32_t value;
        int contextTag;  // -1: application
        std::vector<uint8_t> octets;
    };
    const Row rows[] = {
        {0, -1, {0x91, 0x00}},
        {255, -1, {0x91, 0xFF}},
        {256, -1, {0x92, 0x01, 0x00}},
        {65535, -1, {0x92, 0xFF, 0xFF}},
        {65536, -1, {0x93, 0x01, 0x00, 0x00}},
        {16777215, -1, {0x93, 0xFF, 0xFF, 0xFF}},
        {16777216, -1, {0x94, 0x01, 0x00, 0x00, 0x00}},
        {4294967295u, -1, {0x94, 0xFF, 0xFF, 0xFF, 0xFF}},
        {5, 3, {0x39, 0x05}},
        {300, 2, {0x2A, 0x01, 0x2C}},
        {1, 15, {0xF9, 0x0F, 0x01}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.value);
        BACnetReliability value;
        if (row.contextTag >= 0) value.SetContextTag(static_cast<uint8_t>(row.contextTag));
        value.SetValue(row.value);
        EXPECT_TRUE(value.IsValid());
        EXPECT_EQ(value.GetContextTag(), row.contextTag);
        std::vector<uint8_t> out(8, 0xAA);
        BACnetErrorOutcome outcome;
        ASSERT_EQ(value.Encode(out.data(), static_cast<uint16_t>(out.size()), &outcome), row.octets.size());
        out.resize(row.octets.size());
        EXPECT_EQ(out, row.octets);
        // The constructor taking a value assigns the same way.
        BACnetReliability constructed(row.value);
        EXPECT_EQ(constructed.Tag().lengthValueType, row.octets.size() - (row.contextTag >= 15 ? 2 : 1));
    }
}

struct DecodeFailureRow {
    const char* label;
    std::vector<uint8_t> octets;
    bool nullBuffer;
    const char* message;
    uint32_t reason;
};

TEST(BACnetPrimitiveENUM, DecodeFailuresReportOnceAndLeaveTheValueEmpty) {
    const DecodeFailureRow rows[] = {
        {"null buffer", {0x91, 0x01}, true, "Invalid parameters ", kRejectOther},
        {"zero length", {}, false, "Invalid parameters ", kRejectOther},
        {"header cut before extended length", {0x95}, false, "Can not extract Property length ", kRejectInvalidTag},
        {"header cut before extended number", {0xF9}, false, "Can not extract Property length ", kRejectInvalidTag},
        {"application unsigned tag", {0x21, 0x05}, false, "Invalid application tag", kRejectInvalidTag},
        {"application boolean tag", {0x11}, false, "Invalid application tag", kRejectInvalidTag},
        {"content length 0", {0x90}, false, "Tag value out of range", kRejectInvalidTag},
        {"content length 5", {0x95, 0x05, 1, 2, 3, 4, 5}, false, "Tag value out of range", kRejectInvalidTag},
        {"context opening tag", {0x1E}, false, "Tag value out of range", kRejectInvalidTag},
        {"context closing tag", {0x1F}, false, "Tag value out of range", kRejectInvalidTag},
        {"one content octet missing", {0x92, 0x01}, false, "Message is to short. ", kRejectInvalidTag},
        {"all content missing", {0x91}, false, "Message is to short. ", kRejectInvalidTag},
        {"four octets cut", {0x94, 0x01, 0x02, 0x03}, false, "Message is to short. ", kRejectInvalidTag},
        {"context content missing", {0x0A, 0x01}, false, "Message is to short. ", kRejectInvalidTag},
    };
    for (const DecodeFailureRow& row : rows) {
        SCOPED_TRACE(row.label);
        // Exactly sized heap copy: a read past the end is caught by the sanitizers.
        std::unique_ptr<uint8_t[]> exact(new uint8_t[row.octets.size() + 1]);
        std::copy(row.octets.begin(), row.octets.end(), exact.get());
        BACnetEngineeringUnits value(62);
        ASSERT_TRUE(value.IsValid());
        BACnetErrorOutcome outcome;
        StackErrorLogCapture log;
        EXPECT_EQ(value.Decode(row.nullBuffer ? nullptr : exact.get(), static_cast<uint16_t>(row.octets.size()),
                               &outcome),
                  0);
        EXPECT_EQ(log.Messages(), std::string(row.message) + "\n");
        EXPECT_EQ(log.Text().rfind("::ZalvoBACnetStack::BACnetPrimitiveENUM::Decode() in file: bacnetprimitiveenum(", 0),
                  0u)
            << log.Text();
        EXPECT_TRUE(outcome.set);
        EXPECT_EQ(outcome.kind, BACnetErrorOutcome::kReject);
        EXPECT_EQ(outcome.value, row.reason);
        EXPECT_FALSE(value.IsValid());
        EXPECT_EQ(value.GetValue(), 0u);
        EXPECT_EQ(value.GetContextTag(), -1);
        // A null outcome is allowed and changes nothing but the missing record.
        StackErrorLogCapture quietLog;
        EXPECT_EQ(value.Decode(row.nullBuffer ? nullptr : exact.get(), static_cast<uint16_t>(row.octets.size()),
                               nullptr),
                  0);
        EXPECT_EQ(quietLog.Messages(), std::string(row.message) + "\n");
    }
}

// Corrupts its tag so that the header itself cannot be written.
class UnwritableTagENUM : public BACnetPrimitiveENUM {
public:
    explicit UnwritableTagENUM(uint32_t value) : BACnetPrimitiveENUM(value) { tag_.tagClass = 2; }
};

TEST(BACnetPrimitiveENUM, EncodeFailuresReportOnceAndWriteNothing) {
    struct Row {
        const char* label;
        std::function<std::unique_ptr<BACnetPrimitiveENUM>()> make;
        bool nullBuffer;
        uint16_t room;
        const char* message;
        uint32_t reason;
    };
    const Row rows[] = {
        {"null buffer", [] { return std::make_unique<BACnetPrimitiveENUM>(1); }, true, 8, "Invalid parameters",
         kAbortOther},
        {"zero room", [] { return std::make_unique<BACnetPrimitiveENUM>(1); }, false, 0, "Invalid parameters",
         kAbortOther},
        {"never assigned", [] { return std::make_unique<BACnetObjectType>(); }, false, 8,
         "Invalid primitive enum object", kAbortOther},
        {"three content octets in room 3", [] { return std::make_unique<BACnetPrimitiveENUM>(70000); }, false, 3,
         "Not enough space to encode this object", kAbortSegmentationNotSupported},
        {"header alone fits", [] { return std::make_unique<BACnetPrimitiveENUM>(1); }, false, 1,
         "Not enough space to encode this object", kAbortSegmentationNotSupported},
        {"extended context tag needs three",
         [] {
             auto value = std::make_unique<BACnetPrimitiveENUM>();
             value->SetContextTag(20);
             value->SetValue(1);
             return value;
         },
         false, 2, "Not enough space to encode this object", kAbortSegmentationNotSupported},
        {"header not writable", [] { return std::make_unique<UnwritableTagENUM>(1); }, false, 8,
         "Could not encode BACnet Tag", kAbortOther},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.label);
        std::unique_ptr<BACnetPrimitiveENUM> value = row.make();
        std::vector<uint8_t> out(16, 0xAA);
        BACnetErrorOutcome outcome;
        StackErrorLogCapture log;
        EXPECT_EQ(value->Encode(row.nullBuffer ? nullptr : out.data(), row.room, &outcome), 0);
        EXPECT_EQ(log.Messages(), std::string(row.message) + "\n");
        EXPECT_EQ(log.Text().rfind("::ZalvoBACnetStack::BACnetPrimitiveENUM::Encode() in file: bacnetprimitiveenum(", 0),
                  0u)
            << log.Text();
        EXPECT_TRUE(outcome.set);
        EXPECT_EQ(outcome.kind, BACnetErrorOutcome::kAbort);
        EXPECT_EQ(outcome.value, row.reason);
        EXPECT_EQ(out, std::vector<uint8_t>(16, 0xAA));
    }
}

TEST(BACnetPrimitiveENUM, ContextTaggedDecodeAndEncodeThroughTheBase) {
    const std::vector<uint8_t> wire = {0x29, 0x04};
    BACnetEventState value;
    BACnetErrorOutcome outcome;
    StackErrorLogCapture log;
    ASSERT_EQ(value.DecodeWithContext(wire.data(), static_cast<uint16_t>(wire.size()), &outcome, 2), 2);
    EXPECT_EQ(Xml(value), "<EventState context='2' datatype='9' value='4'>lowLimit</EventState>");
    std::vector<uint8_t> out(2);
    ASSERT_EQ(value.EncodeWithContext(out.data(), 2, &outcome, 2), 2);
    EXPECT_EQ(out, wire);
    // Probing for another tag number quietly fails and leaves the outcome alone.
    BACnetEventState probe;
    EXPECT_EQ(probe.DecodeWithContext(wire.data(), static_cast<uint16_t>(wire.size()), &outcome, 3, true), 0);
    EXPECT_FALSE(outcome.set);
    EXPECT_EQ(log.Text(), "");
}

// Another datatype, to show that equality looks at the datatype first.
class OtherDatatype : public BACnetPrimitiveENUM {
public:
    explicit OtherDatatype(uint32_t value) : BACnetPrimitiveENUM(value) {}
    uint8_t GetDatatype() const override { return Datatype::kUnsigned; }
};

TEST(BACnetPrimitiveENUM, EqualityComparesDatatypeAndValueOnly) {
    const BACnetPrimitiveENUM plain(5);
    const BACnetReliability reliability(5);
    const BACnetReliability six(6);
    const OtherDatatype unsignedFive(5);
    BACnetReliability contextFive;
    contextFive.SetContextTag(1);
    contextFive.SetValue(5);
    EXPECT_TRUE(plain.IsEqual(&reliability));
    EXPECT_TRUE(reliability.IsEqual(&plain));
    EXPECT_TRUE(reliability.IsEqual(&contextFive));
    EXPECT_FALSE(reliability.IsEqual(&six));
    EXPECT_FALSE(reliability.IsEqual(nullptr));
    EXPECT_FALSE(plain.IsEqual(&unsignedFive));
}

TEST(BACnetPrimitiveENUM, CloneKeepsClassValueAndTagAndIsIndependent) {
    BACnetLifeSafetyState original;
    original.SetContextTag(4);
    original.SetValue(2);
    std::unique_ptr<ICodable> copy = original.Clone();
    ASSERT_NE(copy, nullptr);
    auto* clone = dynamic_cast<BACnetLifeSafetyState*>(copy.get());
    ASSERT_NE(clone, nullptr);
    EXPECT_EQ(Xml(*clone), "<LifeSafetyState context='4' datatype='9' value='2'>alarm</LifeSafetyState>");
    original.SetValue(3);
    EXPECT_EQ(clone->GetValue(), 2u);

    const BACnetPrimitiveENUM plain(7);
    std::unique_ptr<ICodable> plainCopy = plain.Clone();
    ASSERT_NE(plainCopy, nullptr);
    EXPECT_EQ(Xml(*dynamic_cast<BACnetPrimitiveENUM*>(plainCopy.get())),
              "<Enumerated datatype='9' value='7'>Unknown Enumeration Value (7)</Enumerated>");
}

TEST(BACnetPrimitiveENUM, ResetReturnsToAnEmptyApplicationValue) {
    BACnetBinaryPV value;
    value.SetContextTag(6);
    value.SetValue(1);
    value.Reset();
    EXPECT_FALSE(value.IsValid());
    EXPECT_EQ(value.GetValue(), 0u);
    EXPECT_EQ(value.GetContextTag(), -1);
    EXPECT_EQ(value.Tag().tagNumber, 9);
    EXPECT_EQ(value.Tag().lengthValueType, 0u);
    EXPECT_EQ(Xml(value), "<BinaryPV datatype='9' value='0'>inactive</BinaryPV>");
}

TEST(BACnetPrimitiveENUM, PlainValuesHaveNoNames) {
    const BACnetPrimitiveENUM plain(0);
    EXPECT_EQ(plain.GetNameTable().Size(), 0u);
    EXPECT_EQ(&plain.GetNameTable(), &BACnetPrimitiveENUM(3).GetNameTable());
    EXPECT_EQ(Xml(BACnetPrimitiveENUM(3)), "<Enumerated datatype='9' value='3'>Unknown Enumeration Value (3)</Enumerated>");
}

struct ClassRow {
    const char* element;
    Maker make;
    const BACnetNameTable& (*table)();
    size_t names;
};

#define ENUMERATION_ROW(Name, names) {#Name, MakerOf<BACnet##Name>(), NameTables::Name, names}

TEST(BACnetEnumerations, EachClassNamesItselfAndItsValuesFromItsOwnTable) {
    const ClassRow rows[] = {
        ENUMERATION_ROW(AccessCredentialDisable, 4),
        ENUMERATION_ROW(AccessCredentialDisableReason, 10),
        ENUMERATION_ROW(AccessEvent, 54),
        ENUMERATION_ROW(AccessPassbackMode, 3),
        ENUMERATION_ROW(AccessUserType, 3),
        ENUMERATION_ROW(AccessZoneOccupancyState, 7),
        ENUMERATION_ROW(Action, 2),
        ENUMERATION_ROW(AuthenticationStatus, 7),
        ENUMERATION_ROW(AuthorizationExemption, 7),
        ENUMERATION_ROW(AuthorizationMode, 6),
        ENUMERATION_ROW(BackupState, 7),
        ENUMERATION_ROW(BinaryLightingPV, 6),
        ENUMERATION_ROW(BinaryPV, 2),
        ENUMERATION_ROW(DeviceStatus, 6),
        ENUMERATION_ROW(DoorAlarmState, 9),
        ENUMERATION_ROW(DoorSecuredStatus, 3),
        ENUMERATION_ROW(DoorStatus, 10),
        ENUMERATION_ROW(DoorValue, 4),
        ENUMERATION_ROW(EngineeringUnits, 258),
        ENUMERATION_ROW(ErrorClass, 8),
        ENUMERATION_ROW(ErrorCode, 132),
        ENUMERATION_ROW(EscalatorFault, 9),
        ENUMERATION_ROW(EscalatorMode, 6),
        ENUMERATION_ROW(EscalatorOperationDirection, 6),
        ENUMERATION_ROW(EventState, 6),
        ENUMERATION_ROW(EventType, 20),
        ENUMERATION_ROW(FaultType, 8),
        ENUMERATION_ROW(FileAccessMethod, 2),
        ENUMERATION_ROW(IPMode, 3),
        ENUMERATION_ROW(LifeSafetyMode, 15),
        ENUMERATION_ROW(LifeSafetyOperation, 10),
        ENUMERATION_ROW(TimerState, 3),
        ENUMERATION_ROW(WriteStatus, 4),
        ENUMERATION_ROW(LifeSafetyState, 24),
        ENUMERATION_ROW(LiftCarDirection, 6),
        ENUMERATION_ROW(LiftCarDoorCommand, 3),
        ENUMERATION_ROW(LiftCarDriveStatus, 10),
        ENUMERATION_ROW(LiftCarMode, 14),
        ENUMERATION_ROW(LiftFault, 17),
        ENUMERATION_ROW(LiftGroupMode, 7),
        ENUMERATION_ROW(LightingInProgress, 5),
        ENUMERATION_ROW(LightingTransition, 3),
        ENUMERATION_ROW(LockStatus, 5),
        ENUMERATION_ROW(LoggingType, 3),
        ENUMERATION_ROW(Maintenance, 4),
        ENUMERATION_ROW(NetworkNumberQuality, 4),
        ENUMERATION_ROW(NetworkPortCommand, 8),
        ENUMERATION_ROW(NetworkType, 10),
        ENUMERATION_ROW(NodeType, 22),
        ENUMERATION_ROW(NotifyType, 3),
        ENUMERATION_ROW(ObjectType, 60),
        ENUMERATION_ROW(Polarity, 2),
        ENUMERATION_ROW(ProgramError, 5),
        ENUMERATION_ROW(ProgramRequest, 6),
        ENUMERATION_ROW(ProgramState, 6),
        ENUMERATION_ROW(PropertyIdentifier, 454),
        ENUMERATION_ROW(ProtocolLevel, 4),
        ENUMERATION_ROW(Relationship, 30),
        ENUMERATION_ROW(Reliability, 24),
        ENUMERATION_ROW(RestartReason, 9),
        ENUMERATION_ROW(SecurityLevel, 6),
        ENUMERATION_ROW(Segmentation, 4),
        ENUMERATION_ROW(ShedState, 4),
        ENUMERATION_ROW(SilencedState, 4),
        ENUMERATION_ROW(TimerTransition, 8),
    };
    EXPECT_EQ(std::size(rows), 65u);
    std::set<const BACnetNameTable*> tables;
    for (const ClassRow& row : rows) {
        SCOPED_TRACE(row.element);
        std::unique_ptr<BACnetPrimitiveENUM> value = row.make();
        EXPECT_EQ(value->GetElementName(), row.element);
        EXPECT_EQ(&value->GetNameTable(), &row.table());
        EXPECT_EQ(value->GetNameTable().Size(), row.names);
        EXPECT_EQ(value->GetDatatype(), 9);
        EXPECT_FALSE(value->IsValid());
        EXPECT_TRUE(tables.insert(&value->GetNameTable()).second) << "table shared with another class";
        // The first named value renders by its name; a clone is of the same class.
        const BACnetNameEntry& first = *value->GetNameTable().begin();
        value->SetValue(first.value);
        EXPECT_EQ(value->GetElementText(), first.name);
        std::unique_ptr<ICodable> copy = value->Clone();
        ASSERT_NE(copy, nullptr);
        EXPECT_EQ(dynamic_cast<BACnetPrimitiveENUM&>(*copy).GetElementName(), row.element);
        EXPECT_EQ(Xml(dynamic_cast<BACnetPrimitiveENUM&>(*copy)),
                  std::string("<") + row.element + " datatype='9' value='" + std::to_string(first.value) + "'>" +
                      first.name + "</" + row.element + ">");
    }
}

}  // namespace
}  // namespace ZalvoBACnetStack
