// EnumerationFactory: the class chosen for a property of an object type,
// the walk on to later groups of the chain when the object type's own group
// does not list the property, and the exact reports of every step passed.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "core/bacnetenumerations.h"
#include "core/bacnetprimitiveenum.h"
#include "core/stackerrorlog.h"
#include "render/xmlrenderer.h"

namespace ZalvoBACnetStack {
namespace {

std::string NotEnumeration(uint32_t property, uint32_t objectType) {
    return "PropertyIdentifier=[" + std::to_string(property) + "] is not an enumeration for objectType=[" +
           std::to_string(objectType) + "]\n";
}
std::string UnknownObjectType(uint32_t objectType) {
    return "Unknown objectType=[" + std::to_string(objectType) + "] for enumerated values\n";
}
std::string Repeat(const std::string& line, int times) {
    std::string text;
    for (int i = 0; i < times; ++i) text += line;
    return text;
}

struct FactoryRow {
    uint16_t objectType;
    uint32_t property;
    const char* element;  // null: no class
    int walkedPast;       // groups passed before the answer
};

TEST(EnumerationFactory, PicksTheClassOfTheFirstGroupThatListsTheProperty) {
    const FactoryRow rows[] = {
        // Found in the object type's own group.
        {8, 112, "DeviceStatus", 0},
        {0, 117, "EngineeringUnits", 0},
        {45, 117, "EngineeringUnits", 0},
        {32, 263, "AccessCredentialDisable", 0},
        {32, 264, "BinaryPV", 0},
        {32, 303, "AccessCredentialDisableReason", 0},
        {32, 364, "AuthorizationExemption", 0},
        {30, 7, "DoorAlarmState", 0},
        {30, 85, "DoorValue", 0},
        {30, 104, "DoorValue", 0},
        {30, 158, "Maintenance", 0},
        {30, 233, "LockStatus", 0},
        {30, 235, "DoorSecuredStatus", 0},
        {33, 260, "AuthenticationStatus", 0},
        {33, 261, "AuthorizationMode", 0},
        {33, 272, "AccessEvent", 0},
        {35, 318, "AccessUserType", 0},
        {36, 7, "AccessZoneOccupancyState", 0},
        {36, 300, "AccessPassbackMode", 0},
        {52, 72, "NotifyType", 0},
        {3, 84, "Polarity", 0},
        {3, 85, "BinaryPV", 0},
        {55, 40, "BinaryLightingPV", 0},
        {55, 104, "BinaryLightingPV", 0},
        {4, 40, "BinaryPV", 0},
        {5, 104, "BinaryPV", 0},
        {19, 36, "EventState", 0},
        {53, 370, "WriteStatus", 0},
        {8, 107, "Segmentation", 0},
        {8, 196, "RestartReason", 0},
        {8, 338, "BackupState", 0},
        {57, 467, "LiftGroupMode", 0},
        {58, 462, "EscalatorMode", 0},
        {58, 463, "EscalatorFault", 0},
        {58, 477, "EscalatorOperationDirection", 0},
        {9, 37, "EventType", 0},
        {9, 359, "FaultType", 0},
        {10, 41, "FileAccessMethod", 0},
        {21, 85, "LifeSafetyState", 0},
        {21, 117, "EngineeringUnits", 0},
        {21, 158, "Maintenance", 0},
        {21, 160, "LifeSafetyMode", 0},
        {21, 161, "LifeSafetyOperation", 0},
        {21, 163, "SilencedState", 0},
        {22, 175, "LifeSafetyMode", 0},
        {59, 448, "LiftCarDirection", 0},
        {59, 449, "LiftCarDoorCommand", 0},
        {59, 450, "DoorStatus", 0},
        {59, 453, "LiftCarDriveStatus", 0},
        {59, 455, "EngineeringUnits", 0},
        {59, 456, "LiftCarMode", 0},
        {59, 463, "LiftFault", 0},
        {54, 378, "LightingInProgress", 0},
        {54, 385, "LightingTransition", 0},
        {28, 85, "ShedState", 0},
        {12, 2, "Action", 0},
        {12, 20, "EngineeringUnits", 0},
        {12, 94, "EngineeringUnits", 0},
        {56, 408, "IPMode", 0},
        {56, 417, "NetworkPortCommand", 0},
        {56, 426, "NetworkNumberQuality", 0},
        {56, 427, "NetworkType", 0},
        {56, 435, "IPMode", 0},
        {56, 482, "ProtocolLevel", 0},
        {38, 327, "SecurityLevel", 0},
        {16, 90, "ProgramRequest", 0},
        {16, 92, "ProgramState", 0},
        {16, 100, "ProgramError", 0},
        {24, 117, "EngineeringUnits", 0},
        {29, 208, "NodeType", 0},
        {29, 487, "NodeType", 0},
        {29, 489, "Relationship", 0},
        {29, 490, "Relationship", 0},
        {31, 7, "TimerState", 0},
        {31, 197, "LoggingType", 0},
        {31, 395, "TimerTransition", 0},
        {31, 398, "TimerState", 0},
        {27, 197, "LoggingType", 0},
        // Not enumerated for its own object type: named by a later group.
        {0, 6, "BinaryPV", 2},           // groups 9, 10; found in 11
        {30, 6, "BinaryPV", 9},          // groups 2 to 10
        {55, 36, "EventState", 1},       // binary lighting output has no event state
        {22, 117, "EngineeringUnits", 10},  // groups 27 to 36; found in pulse converter's
        {8, 85, "LifeSafetyState", 7},   // groups 19 to 25; found in life safety point's
        {52, 103, "Reliability", 1},     // alert enrollment has no reliability
        {18, 36, "EventState", 1},       // averaging has only the object type
        {33, 7, "AccessZoneOccupancyState", 3},  // groups 3 to 5
        {26, 7, "LifeSafetyState", 2},   // groups 24, 25
        {20, 7, nullptr, 1},             // only the last group follows
        {60, 79, nullptr, 0},            // no group at all
        {65535, 79, nullptr, 0},
        {0, 999, nullptr, 32},           // groups 9 to 40
        {32, 0, nullptr, 40},            // the whole chain
    };
    for (const FactoryRow& row : rows) {
        SCOPED_TRACE("objectType " + std::to_string(row.objectType) + " property " + std::to_string(row.property));
        StackErrorLogCapture log;
        std::unique_ptr<BACnetPrimitiveENUM> value =
            BACnetPrimitiveENUM::EnumerationFactory(row.objectType, row.property);
        std::string expected = Repeat(NotEnumeration(row.property, row.objectType), row.walkedPast);
        if (row.element == nullptr) {
            EXPECT_EQ(value, nullptr);
            expected += UnknownObjectType(row.objectType);
        } else {
            ASSERT_NE(value, nullptr);
            EXPECT_EQ(value->GetElementName(), row.element);
            EXPECT_FALSE(value->IsValid());
            EXPECT_EQ(value->GetContextTag(), -1);
        }
        EXPECT_EQ(log.Messages(), expected);
    }
}

TEST(EnumerationFactory, ReportsCarryTheFactoryNameAndSource) {
    StackErrorLogCapture log;
    EXPECT_EQ(BACnetPrimitiveENUM::EnumerationFactory(40, 999), nullptr);
    const std::string prefix =
        "::ZalvoBACnetStack::BACnetPrimitiveENUM::EnumerationFactory() in file: bacnetprimitiveenum(";
    const std::string text = log.Text();
    size_t lines = 0;
    for (size_t start = 0; start < text.size(); start = text.find('\n', start) + 1) {
        EXPECT_EQ(text.compare(start, prefix.size(), prefix), 0) << text.substr(start);
        ++lines;
    }
    // Characterstring value starts at group 15: 26 groups passed, then the final report.
    EXPECT_EQ(lines, 27u);
}

TEST(EnumerationFactory, EveryObjectTypeStartsAtItsOwnGroup) {
    // The group (1 to 40) each standard object type 0 to 59 starts at.
    const int start[60] = {
        9,  9,  9,  11, 13, 14, 16, 15, 19, 22,  // 0 to 9
        23, 25, 31, 15, 15, 15, 36, 15, 10, 15,  // 10 to 19
        40, 26, 27, 7,  37, 15, 24, 40, 30, 38,  // 20 to 29
        2,  39, 1,  3,  4,  5,  6,  18, 33, 15,  // 30 to 39
        15, 15, 15, 15, 15, 9,  9,  35, 9,  15,  // 40 to 49
        15, 34, 8,  17, 29, 12, 32, 20, 21, 28,  // 50 to 59
    };
    for (uint16_t objectType = 0; objectType < 60; ++objectType) {
        SCOPED_TRACE(objectType);
        {
            // Every group lists the object-type property, so it never walks.
            StackErrorLogCapture log;
            std::unique_ptr<BACnetPrimitiveENUM> value = BACnetPrimitiveENUM::EnumerationFactory(objectType, 79);
            ASSERT_NE(value, nullptr);
            EXPECT_EQ(value->GetElementName(), "ObjectType");
            EXPECT_EQ(log.Text(), "");
        }
        // A property no group lists: one report per group from the start to
        // the end of the chain, then the final one.
        StackErrorLogCapture log;
        EXPECT_EQ(BACnetPrimitiveENUM::EnumerationFactory(objectType, 1000), nullptr);
        EXPECT_EQ(log.Messages(),
                  Repeat(NotEnumeration(1000, objectType), 40 - start[objectType] + 1) + UnknownObjectType(objectType));
    }
}

TEST(EnumerationFactory, MadeValuesDecodeAndRenderByName) {
    struct Row {
        uint16_t objectType;
        uint32_t property;
        std::vector<uint8_t> octets;
        const char* xml;
    };
    const Row rows[] = {
        {8, 112, {0x91, 0x00}, "<DeviceStatus datatype='9' value='0'>operational</DeviceStatus>"},
        {0, 117, {0x91, 0x3E}, "<EngineeringUnits datatype='9' value='62'>degreesCelsius</EngineeringUnits>"},
        {0, 103, {0x91, 0x63}, "<Reliability datatype='9' value='99'>Unknown Enumeration Value (99)</Reliability>"},
        {8, 107, {0x91, 0x03}, "<Segmentation datatype='9' value='3'>noSegmentation</Segmentation>"},
        {17, 79, {0x91, 0x11}, "<ObjectType datatype='9' value='17'>schedule</ObjectType>"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.xml);
        std::unique_ptr<BACnetPrimitiveENUM> value = BACnetPrimitiveENUM::EnumerationFactory(row.objectType, row.property);
        ASSERT_NE(value, nullptr);
        BACnetErrorOutcome outcome;
        ASSERT_EQ(value->Decode(row.octets.data(), static_cast<uint16_t>(row.octets.size()), &outcome),
                  row.octets.size());
        std::string xml;
        XMLRenderer().Render(value.get(), xml);
        EXPECT_EQ(xml, row.xml);
    }
}

}  // namespace
}  // namespace ZalvoBACnetStack
