// The generated name tables: exact value sets and counts, spot checks of
// names at the edges and around gaps, the default texts, and a byte-for-byte
// comparison of the committed tables and enumeration classes with a fresh
// run of the generator.
#include "render/bacnetnametables.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <unistd.h>
#include <utility>
#include <vector>

namespace ZalvoBACnetStack {
namespace {

using Range = std::pair<uint32_t, uint32_t>;

// The set of values in `ranges` (inclusive) minus `except`.
std::set<uint32_t> Values(std::vector<Range> ranges, std::vector<uint32_t> except = {}) {
    std::set<uint32_t> values;
    for (const auto& [first, last] : ranges)
        for (uint32_t value = first; value <= last; ++value) values.insert(value);
    for (uint32_t value : except) values.erase(value);
    return values;
}

std::set<uint32_t> TableValues(const BACnetNameTable& table) {
    std::set<uint32_t> values;
    for (const BACnetNameEntry& entry : table) values.insert(entry.value);
    return values;
}

struct TableRow {
    const char* enumeration;
    const BACnetNameTable& (*table)();
    size_t count;
    std::set<uint32_t> values;
};

std::vector<TableRow> ExpectedTables() {
    // Tables whose values are 0 to count - 1.
    auto dense = [](const char* enumeration, const BACnetNameTable& (*table)(), size_t count) {
        return TableRow{enumeration, table, count, Values({{0, static_cast<uint32_t>(count - 1)}})};
    };
    std::vector<uint32_t> propertyGaps = {18,  51,  55,  95,  101, 129, 138, 194, 198, 199, 200, 201, 206,
                                          216, 217, 223, 224, 225, 236, 237, 238, 239, 240, 241, 242, 243,
                                          284, 293, 299, 312, 313, 314, 315, 316, 324, 325, 327, 466};
    std::set<uint32_t> units = Values({{0, 253}}, {189, 234});
    units.insert({47808, 47810, 47811, 47812, 47814, 47815});
    return {
        {"ObjectType", NameTables::ObjectType, 60, Values({{0, 59}})},
        {"PropertyIdentifier", NameTables::PropertyIdentifier, 454, Values({{0, 491}}, propertyGaps)},
        {"EngineeringUnits", NameTables::EngineeringUnits, 258, units},
        {"ErrorCode", NameTables::ErrorCode, 132, Values({{0, 138}}, {1, 6, 12, 22, 28, 33, 60})},
        {"ErrorClass", NameTables::ErrorClass, 8, Values({{0, 7}})},
        {"AccessEvent", NameTables::AccessEvent, 54, Values({{0, 16}, {128, 164}})},
        {"EventType", NameTables::EventType, 20, Values({{0, 22}}, {6, 7, 12})},
        {"Reliability", NameTables::Reliability, 24, Values({{0, 24}}, {11})},
        {"NetworkType", NameTables::NetworkType, 10, Values({{0, 10}}, {8})},
        {"ConfirmedServiceChoice", NameTables::ConfirmedServiceChoice, 29, Values({{0, 12}, {14, 23}, {26, 31}})},
        dense("UnconfirmedServiceChoice", NameTables::UnconfirmedServiceChoice, 12),
        dense("AbortReason", NameTables::AbortReason, 12),
        dense("RejectReason", NameTables::RejectReason, 10),
        dense("ProtocolLevel", NameTables::ProtocolLevel, 4),
        dense("AccessCredentialDisable", NameTables::AccessCredentialDisable, 4),
        dense("AccessCredentialDisableReason", NameTables::AccessCredentialDisableReason, 10),
        dense("AccessPassbackMode", NameTables::AccessPassbackMode, 3),
        dense("AccessUserType", NameTables::AccessUserType, 3),
        dense("AccessZoneOccupancyState", NameTables::AccessZoneOccupancyState, 7),
        dense("Action", NameTables::Action, 2),
        dense("AuthenticationStatus", NameTables::AuthenticationStatus, 7),
        dense("AuthorizationExemption", NameTables::AuthorizationExemption, 7),
        dense("AuthorizationMode", NameTables::AuthorizationMode, 6),
        dense("BackupState", NameTables::BackupState, 7),
        dense("BinaryLightingPV", NameTables::BinaryLightingPV, 6),
        dense("BinaryPV", NameTables::BinaryPV, 2),
        dense("DeviceStatus", NameTables::DeviceStatus, 6),
        dense("DoorAlarmState", NameTables::DoorAlarmState, 9),
        dense("DoorSecuredStatus", NameTables::DoorSecuredStatus, 3),
        dense("DoorStatus", NameTables::DoorStatus, 10),
        dense("DoorValue", NameTables::DoorValue, 4),
        dense("EscalatorFault", NameTables::EscalatorFault, 9),
        dense("EscalatorMode", NameTables::EscalatorMode, 6),
        dense("EscalatorOperationDirection", NameTables::EscalatorOperationDirection, 6),
        dense("EventState", NameTables::EventState, 6),
        dense("FaultType", NameTables::FaultType, 8),
        dense("FileAccessMethod", NameTables::FileAccessMethod, 2),
        dense("IPMode", NameTables::IPMode, 3),
        dense("LifeSafetyMode", NameTables::LifeSafetyMode, 15),
        dense("LifeSafetyOperation", NameTables::LifeSafetyOperation, 10),
        dense("LifeSafetyState", NameTables::LifeSafetyState, 24),
        dense("LiftCarDirection", NameTables::LiftCarDirection, 6),
        dense("LiftCarDoorCommand", NameTables::LiftCarDoorCommand, 3),
        dense("LiftCarDriveStatus", NameTables::LiftCarDriveStatus, 10),
        dense("LiftCarMode", NameTables::LiftCarMode, 14),
        dense("LiftFault", NameTables::LiftFault, 17),
        dense("LiftGroupMode", NameTables::LiftGroupMode, 7),
        dense("LightingInProgress", NameTables::LightingInProgress, 5),
        dense("LightingTransition", NameTables::LightingTransition, 3),
        dense("LockStatus", NameTables::LockStatus, 5),
        dense("LoggingType", NameTables::LoggingType, 3),
        dense("Maintenance", NameTables::Maintenance, 4),
        dense("NetworkNumberQuality", NameTables::NetworkNumberQuality, 4),
        dense("NetworkPortCommand", NameTables::NetworkPortCommand, 8),
        dense("NodeType", NameTables::NodeType, 22),
        dense("NotifyType", NameTables::NotifyType, 3),
        dense("Polarity", NameTables::Polarity, 2),
        dense("ProgramError", NameTables::ProgramError, 5),
        dense("ProgramRequest", NameTables::ProgramRequest, 6),
        dense("ProgramState", NameTables::ProgramState, 6),
        dense("Relationship", NameTables::Relationship, 30),
        dense("RestartReason", NameTables::RestartReason, 9),
        dense("SecurityLevel", NameTables::SecurityLevel, 6),
        dense("Segmentation", NameTables::Segmentation, 4),
        dense("ShedState", NameTables::ShedState, 4),
        dense("SilencedState", NameTables::SilencedState, 4),
        dense("TimerState", NameTables::TimerState, 3),
        dense("TimerTransition", NameTables::TimerTransition, 8),
        dense("WriteStatus", NameTables::WriteStatus, 4),
    };
}

TEST(NameTables, HoldExactlyTheExpectedValues) {
    for (const TableRow& row : ExpectedTables()) {
        SCOPED_TRACE(row.enumeration);
        const BACnetNameTable& table = row.table();
        EXPECT_EQ(table.Size(), row.count);
        EXPECT_EQ(row.values.size(), row.count);  // the expectation itself is consistent
        EXPECT_EQ(TableValues(table), row.values);
        // Strictly ascending (binary search depends on it) and every name set.
        for (const BACnetNameEntry* entry = table.begin(); entry != table.end(); ++entry) {
            ASSERT_NE(entry->name, nullptr);
            EXPECT_NE(entry->name[0], '\0');
            if (entry != table.begin()) {
                EXPECT_LT((entry - 1)->value, entry->value);
            }
            EXPECT_STREQ(table.Find(entry->value), entry->name);
        }
    }
}

struct NameRow {
    const BACnetNameTable& (*table)();
    uint32_t value;
    const char* text;
};

TEST(NameTables, NamesAtEdgesAndAroundGaps) {
    const NameRow rows[] = {
        {NameTables::ObjectType, 0, "analogInput"},
        {NameTables::ObjectType, 8, "device"},
        {NameTables::ObjectType, 59, "lift"},
        {NameTables::ObjectType, 60, "Unknown Enumeration Value (60)"},
        {NameTables::PropertyIdentifier, 0, "ackedTransitions"},
        {NameTables::PropertyIdentifier, 17, "notificationClass"},
        {NameTables::PropertyIdentifier, 18, "Unknown Enumeration Value (18)"},
        {NameTables::PropertyIdentifier, 19, "controlledVariableReference"},
        {NameTables::PropertyIdentifier, 75, "objectIdentifier"},
        {NameTables::PropertyIdentifier, 76, "objectList"},
        {NameTables::PropertyIdentifier, 77, "objectName"},
        {NameTables::PropertyIdentifier, 79, "objectType"},
        {NameTables::PropertyIdentifier, 85, "presentValue"},
        {NameTables::PropertyIdentifier, 87, "priorityArray"},
        {NameTables::PropertyIdentifier, 112, "systemStatus"},
        {NameTables::PropertyIdentifier, 466, "Unknown Enumeration Value (466)"},
        {NameTables::PropertyIdentifier, 490, "defaultSubordinateRelationship"},
        {NameTables::PropertyIdentifier, 491, "represents"},
        {NameTables::PropertyIdentifier, 492, "Unknown Enumeration Value (492)"},
        {NameTables::PropertyIdentifier, 512, "Unknown Enumeration Value (512)"},
        {NameTables::EngineeringUnits, 0, "squareMeters"},
        {NameTables::EngineeringUnits, 62, "degreesCelsius"},
        {NameTables::EngineeringUnits, 64, "degreesFahrenheit"},
        {NameTables::EngineeringUnits, 95, "noUnits"},
        {NameTables::EngineeringUnits, 98, "percent"},
        {NameTables::EngineeringUnits, 189, "Unknown Enumeration Value (189)"},
        {NameTables::EngineeringUnits, 234, "Unknown Enumeration Value (234)"},
        {NameTables::EngineeringUnits, 253, "pascalSeconds"},
        {NameTables::EngineeringUnits, 47808, "standardCubicFeetPerDay"},
        {NameTables::EngineeringUnits, 47809, "Unknown Enumeration Value (47809)"},
        {NameTables::EngineeringUnits, 47815, "milliremsPerHour"},
        {NameTables::ErrorCode, 0, "other"},
        {NameTables::ErrorCode, 1, "Unknown Enumeration Value (1)"},
        {NameTables::ErrorCode, 31, "unknownObject"},
        {NameTables::ErrorCode, 32, "unknownProperty"},
        {NameTables::ErrorCode, 138, "invalidValueInThisState"},
        {NameTables::ErrorCode, 139, "Unknown Enumeration Value (139)"},
        {NameTables::ErrorClass, 0, "device"},
        {NameTables::ErrorClass, 7, "communication"},
        {NameTables::ErrorClass, 8, "Unknown Enumeration Value (8)"},
        {NameTables::AccessEvent, 16, "noEntryAfterGranted"},
        {NameTables::AccessEvent, 17, "Unknown Enumeration Value (17)"},
        {NameTables::AccessEvent, 128, "deniedDenyAll"},
        {NameTables::AccessEvent, 164, "deniedOther"},
        {NameTables::EventType, 5, "outOfRange"},
        {NameTables::EventType, 6, "Unknown Enumeration Value (6)"},
        {NameTables::EventType, 22, "changeOfTimer"},
        {NameTables::Reliability, 0, "noFaultDetected"},
        {NameTables::Reliability, 11, "Unknown Enumeration Value (11)"},
        {NameTables::Reliability, 12, "communicationFailure"},
        {NameTables::NetworkType, 7, "virtual"},
        {NameTables::NetworkType, 8, "Unknown Enumeration Value (8)"},
        {NameTables::NetworkType, 9, "ipv6"},
        {NameTables::ConfirmedServiceChoice, 12, "readProperty"},
        {NameTables::ConfirmedServiceChoice, 13, "Unknown Enumeration Value (13)"},
        {NameTables::ConfirmedServiceChoice, 14, "readPropertyMultiple"},
        {NameTables::ConfirmedServiceChoice, 15, "writeProperty"},
        {NameTables::ConfirmedServiceChoice, 26, "readRange"},
        {NameTables::ConfirmedServiceChoice, 31, "confirmedCOVNotificationMultiple"},
        {NameTables::UnconfirmedServiceChoice, 0, "iAm"},
        {NameTables::UnconfirmedServiceChoice, 8, "whoIs"},
        {NameTables::UnconfirmedServiceChoice, 11, "unconfirmedCOVNotificationMultiple"},
        {NameTables::AbortReason, 0, "other"},
        {NameTables::AbortReason, 4, "segmentationNotSupported"},
        {NameTables::RejectReason, 9, "unrecognizedService"},
        {NameTables::ProtocolLevel, 3, "nonBacnetApplication"},
        {NameTables::DeviceStatus, 0, "operational"},
        {NameTables::Segmentation, 3, "noSegmentation"},
        {NameTables::BinaryPV, 1, "active"},
        {NameTables::BinaryPV, 2, "Unknown Enumeration Value (2)"},
        {NameTables::Relationship, 29, "receivesSteam"},
        {NameTables::WriteStatus, 4294967295u, "Unknown Enumeration Value (4294967295)"},
    };
    for (const NameRow& row : rows) {
        SCOPED_TRACE(std::string(row.text) + " / " + std::to_string(row.value));
        EXPECT_EQ(row.table().Name(row.value), row.text);
    }
}

TEST(NameTables, DefaultDeviceTexts) {
    EXPECT_STREQ(kDefaultDeviceObjectName, "Morvane BACnet Device");
    EXPECT_STREQ(kDefaultVendorName, "Morvane Automation Systems");
    EXPECT_STREQ(kDefaultModelName, "Zalvo BACnet Stack");
    EXPECT_STREQ(kDefaultApplicationSoftwareVersion, "v1");
}

std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

TEST(NameTables, CommittedFilesMatchTheGenerator) {
    const std::filesystem::path names = std::filesystem::path(TARNWICK_SHARED_DIR) / "bacnet-names";
    const std::filesystem::path source = TARNWICK_SOURCE_DIR;
    const std::filesystem::path script = source / "tools" / "gen_nametables.py";
    if (!std::filesystem::is_directory(names)) GTEST_SKIP() << "no name lists at " << names;
    if (std::system("python3 -c pass >/dev/null 2>&1") != 0) GTEST_SKIP() << "python3 is not available";
    ASSERT_TRUE(std::filesystem::exists(script));

    const std::filesystem::path out =
        std::filesystem::temp_directory_path() / ("nametables_" + std::to_string(::getpid()));
    std::filesystem::create_directories(out);
    const std::string command = "python3 '" + script.string() + "' '" + names.string() + "' '" + out.string() + "'";
    const int status = std::system(command.c_str());
    EXPECT_EQ(status, 0) << command;
    for (const char* file : {"stack/render/bacnetnametables.h", "stack/render/bacnetnametables.cpp",
                             "stack/core/bacnetenumerations.h", "stack/core/bacnetenumerations.cpp",
                             "report/reportobjecttypenames.cpp"}) {
        SCOPED_TRACE(file);
        const std::string generated = ReadFile(out / file);
        EXPECT_FALSE(generated.empty());
        EXPECT_TRUE(generated == ReadFile(source / file))
            << "the committed file differs from the generator's output; run tools/gen_nametables.py";
    }
    std::filesystem::remove_all(out);
}

}  // namespace
}  // namespace ZalvoBACnetStack
