// The database: devices in insertion order, objects added through it, and
// network port objects with the properties and values of their network
// type and protocol level.
#include "server/bacnetdatabase.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/bacnetprimitiveenum.h"
#include "core/bacnetprimitiveuint.h"
#include "stack/server/serverdbtestsupport.h"

namespace ZalvoBACnetStack {
namespace {

using TestSupport::MapProperties;
using TestSupport::ReportLines;
using Lines = std::vector<std::string>;

constexpr uint16_t kNetworkPort = 56;

std::vector<uint32_t> DeviceOrder(const BACnetDatabase& database) {
    std::vector<uint32_t> order;
    for (size_t index = 0; index < database.GetDeviceCount(); ++index) {
        order.push_back(database.GetDeviceAt(index)->GetDeviceInstance());
    }
    EXPECT_EQ(database.GetDeviceAt(database.GetDeviceCount()), nullptr);
    return order;
}

TEST(Database, DevicesKeepTheirOrderAndObjects) {
    BACnetDatabase database;
    EXPECT_EQ(database.GetDevice(7), nullptr);
    ASSERT_TRUE(database.AddDevice(7));
    ASSERT_TRUE(database.AddDevice(3));
    ASSERT_TRUE(database.AddDevice(9));
    ASSERT_TRUE(database.AddObject(3, 0, 1));
    BACnetDBDevice* const three = database.GetDevice(3);
    ASSERT_NE(three, nullptr);
    // Adding an existing device keeps it with its objects.
    ASSERT_TRUE(database.AddDevice(3));
    EXPECT_EQ(database.GetDevice(3), three);
    EXPECT_TRUE(three->ObjectExists(0, 1));
    EXPECT_EQ(DeviceOrder(database), (std::vector<uint32_t>{7, 3, 9}));

    database.RemoveDevice(3);
    database.RemoveDevice(42);
    EXPECT_EQ(database.GetDevice(3), nullptr);
    EXPECT_EQ(DeviceOrder(database), (std::vector<uint32_t>{7, 9}));
    ASSERT_TRUE(database.AddDevice(3));
    EXPECT_FALSE(database.GetDevice(3)->ObjectExists(0, 1));
    EXPECT_EQ(DeviceOrder(database), (std::vector<uint32_t>{7, 9, 3}));
}

TEST(Database, AddObjectNeedsTheDevice) {
    BACnetDatabase database;
    ASSERT_TRUE(database.AddDevice(1));
    StackErrorLogCapture log;
    EXPECT_TRUE(database.AddObject(1, 4, 2));  // control
    EXPECT_FALSE(database.AddObject(2, 4, 2));
    EXPECT_EQ(ReportLines(log), (Lines{"BACnetDatabase::AddObject|bacnetdatabase|Error - device does not exist"}));
}

// The value stored for (port, property), -1 when none.
int64_t StoredNumber(const BACnetDBDevice& device, uint32_t port, uint32_t property) {
    const ICodable* value = device.GetStoredValues().GetValue(kNetworkPort, port, property);
    if (value == nullptr) return -1;
    if (const auto* number = dynamic_cast<const BACnetPrimitiveENUM*>(value)) return number->GetValue();
    if (const auto* number = dynamic_cast<const BACnetPrimitiveUINT*>(value)) return number->GetValue();
    ADD_FAILURE() << "unexpected datatype " << int{value->GetDatatype()};
    return -2;
}

TEST(Database, NetworkPortObjects) {
    const std::string database = "BACnetDatabase::AddNetworkPortObject|bacnetdatabase|";
    const std::string ipv4 = "BACnetDBDevice::EnableNetworkPortIPv4Properties|bacnetdbdevice|";
    const std::string ethernet = "BACnetDBDevice::EnableNetworkPortEthernetProperties|bacnetdbdevice|";
    const auto enableFailed = [&](unsigned type, unsigned level) {
        return database + "Error - failed to enable the network port properties for networkType=[" +
               std::to_string(type) + "], protocolLevel=[" + std::to_string(level) + "], referencePort=[3]";
    };
    struct Row {
        const char* label;
        uint8_t networkType;
        uint8_t protocolLevel;
        bool expected;
        Lines reports;
        std::vector<uint32_t> enabled;  // in the port's property map
        // Stored network-type, protocol-level, reference-port, BACnet-IP-mode (-1: none).
        std::vector<int64_t> stored;
    };
    const std::vector<Row> rows = {
        {"ipv4, bacnet-application",
         5, 2, true, {}, {400, 401, 406, 408, 411, 412, 420, 423, 483}, {5, 2, 3, 0}},
        {"ipv4, protocol", 5, 1, true, {}, {400, 401, 406, 411, 420, 423, 483}, {5, 1, 3, -1}},
        {"ethernet, physical", 0, 0, true, {}, {420, 423, 483}, {0, 0, 3, -1}},
        {"ipv4, physical",
         5, 0, false, {ipv4 + "PANIC - Not yet implemented", enableFailed(5, 0)}, {483}, {5, 0, 3, -1}},
        {"ipv4, non-bacnet-application",
         5, 3, false, {ipv4 + "PANIC - Not yet implemented", enableFailed(5, 3)}, {483}, {5, 3, 3, -1}},
        {"ethernet, protocol",
         0, 1, false, {ethernet + "PANIC - Not yet implemented", enableFailed(0, 1)}, {483}, {0, 1, 3, -1}},
        {"ipv4, level 4",
         5, 4, false, {ipv4 + "Error - unknown protocol level=[4]", enableFailed(5, 4)}, {483}, {5, 4, 3, -1}},
        {"ethernet, level 9",
         0, 9, false, {ethernet + "Error - unknown protocol level=[9]", enableFailed(0, 9)}, {483}, {0, 9, 3, -1}},
        {"mstp", 2, 2, false, {database + "PANIC - Not yet implemented"}, {}, {-1, -1, -1, -1}},
        {"zigbee", 10, 2, false, {database + "PANIC - Not yet implemented"}, {}, {-1, -1, -1, -1}},
        {"network type 8", 8, 2, false, {database + "Error - unknown network type=[8]"}, {}, {-1, -1, -1, -1}},
        {"network type 11", 11, 2, false, {database + "Error - unknown network type=[11]"}, {}, {-1, -1, -1, -1}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.label);
        BACnetDatabase db;
        ASSERT_TRUE(db.AddDevice(10));
        StackErrorLogCapture log;
        EXPECT_EQ(db.AddNetworkPortObject(10, 1, row.networkType, row.protocolLevel, 3), row.expected);
        EXPECT_EQ(ReportLines(log), row.reports);
        const BACnetDBDevice& device = *db.GetDevice(10);
        // The object stays added whatever failed.
        const BACnetDBObject* port = device.GetObject(kNetworkPort, 1);
        ASSERT_NE(port, nullptr);
        EXPECT_EQ(MapProperties(*port), row.enabled);
        // network-type and protocol-level are required: readable without an entry.
        EXPECT_TRUE(port->IsPropertyEnabled(427) && port->IsPropertyEnabled(482));
        EXPECT_EQ((std::vector<int64_t>{StoredNumber(device, 1, 427), StoredNumber(device, 1, 482),
                                        StoredNumber(device, 1, 483), StoredNumber(device, 1, 408)}),
                  row.stored);
    }
    BACnetDatabase db;
    StackErrorLogCapture log;
    EXPECT_FALSE(db.AddNetworkPortObject(10, 1, 5, 2, 3));
    EXPECT_EQ(ReportLines(log), (Lines{database + "Error - device does not exist"}));
}

}  // namespace
}  // namespace ZalvoBACnetStack
