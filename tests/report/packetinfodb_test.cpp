#include "report/packetinfodb.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace Tarnwick {
namespace {

TEST(PropertyRecord, AddValueComparesOnlyWithTheNewestEntry) {
    struct Step {
        uint32_t packet;
        const char* value;
    };
    struct Row {
        const char* label;
        std::vector<Step> steps;
        std::map<uint32_t, std::string> expected;
    };
    const Row rows[] = {
        {"one value", {{5, "A"}}, {{5, "A"}}},
        {"same value twice keeps the earlier packet", {{5, "A"}, {9, "A"}}, {{5, "A"}}},
        {"A B A gives three entries", {{5, "A"}, {9, "B"}, {12, "A"}}, {{5, "A"}, {9, "B"}, {12, "A"}}},
        {"second value in the same packet replaces the first", {{5, "A"}, {5, "B"}}, {{5, "B"}}},
        {"equal value in the same packet changes nothing", {{5, "A"}, {5, "A"}}, {{5, "A"}}},
        {"an older packet is compared with the highest packet number",
         {{9, "B"}, {3, "A"}, {4, "A"}},
         {{3, "A"}, {4, "A"}, {9, "B"}}},
        {"empty text is a value", {{1, ""}, {2, ""}, {3, "x"}}, {{1, ""}, {3, "x"}}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.label);
        PropertyRecord property;
        for (const Step& step : row.steps) property.AddValue(step.packet, step.value);
        EXPECT_EQ(property.values, row.expected);
    }
}

TEST(PacketInfoDB, FindOrAppendChainKeepsFirstSeenOrderAndEachEntryOnce) {
    PacketInfoDB db;
    NetworkAddressRecord& first = db.GetOrAddNetworkAddress({192, 168, 1, 10});
    NetworkAddressRecord& second = db.GetOrAddNetworkAddress({192, 168, 1, 2});
    EXPECT_EQ(&db.GetOrAddNetworkAddress({192, 168, 1, 10}), &first);
    ASSERT_EQ(db.networkAddresses.size(), 2u);
    EXPECT_EQ(db.networkAddresses[1].ipv4Address, (IPv4Address{192, 168, 1, 2}));
    EXPECT_EQ(second.stats.SumRange(0, 15), 0u);

    BACnetNetworkRecord& network = first.GetOrAddNetwork(5);
    first.GetOrAddNetwork(0);
    EXPECT_EQ(&first.GetOrAddNetwork(5), &network);
    ASSERT_EQ(first.networks.size(), 2u);
    EXPECT_EQ(first.networks[1].networkNumber, 0);

    DeviceRecord& device = network.GetOrAddDevice("0x0A");
    network.GetOrAddDevice("0x0a");  // texts compare byte for byte
    network.GetOrAddDevice("0x0A0");
    EXPECT_EQ(&network.GetOrAddDevice("0x0A"), &device);
    ASSERT_EQ(network.devices.size(), 3u);

    ObjectRecord* object = device.GetOrAddObject(1, 0);
    ASSERT_NE(object, nullptr);
    EXPECT_EQ(device.GetOrAddObject(1, 0), object);
    EXPECT_NE(device.GetOrAddObject(0, 1), object);
    EXPECT_EQ(device.objects.size(), 2u);

    PropertyRecord& property = object->GetOrAddProperty("presentValue");
    object->GetOrAddProperty("units");
    EXPECT_EQ(&object->GetOrAddProperty("presentValue"), &property);
    EXPECT_EQ(object->properties.size(), 2u);
}

TEST(PacketInfoDB, RecordsStayInPlaceWhileSiblingsAreAppended) {
    PacketInfoDB db;
    NetworkAddressRecord& address = db.GetOrAddNetworkAddress({10, 0, 0, 1});
    DeviceRecord& device = address.GetOrAddNetwork(0).GetOrAddDevice("0");
    ObjectRecord* object = device.GetOrAddObject(3, 2);
    PropertyRecord& property = object->GetOrAddProperty("presentValue");
    for (uint8_t i = 0; i < 200; ++i) {
        db.GetOrAddNetworkAddress({10, 0, 1, i});
        address.GetOrAddNetwork(static_cast<uint16_t>(i + 1));
        address.networks[0].GetOrAddDevice(std::to_string(i + 1));
        device.GetOrAddObject(i + 100u, 8);
        object->GetOrAddProperty("p" + std::to_string(i));
    }
    property.AddValue(1, "still here");
    EXPECT_EQ(db.networkAddresses[0].networks[0].devices[0].objects[0].properties[0].values.at(1), "still here");
    EXPECT_EQ(&db.networkAddresses[0], &address);
}

TEST(DeviceRecord, ObjectIdentifiersCarryTypeAndInstanceAndRefuseWhatDoesNotFit) {
    struct Row {
        uint32_t instance;
        uint32_t type;
        bool stored;
        uint32_t identifier;
    };
    const Row rows[] = {
        {0, 0, true, 0},
        {1, 0, true, 1},
        {5, 8, true, 0x02000005},
        {4194303, 1023, true, 0xFFFFFFFF},
        {4194304, 0, false, 0},
        {0, 1024, false, 0},
        {0xFFFFFFFF, 0xFFFFFFFF, false, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::to_string(row.instance) + "/" + std::to_string(row.type));
        DeviceRecord device;
        ObjectRecord* object = device.GetOrAddObject(row.instance, row.type);
        if (!row.stored) {
            EXPECT_EQ(object, nullptr);
            EXPECT_TRUE(device.objects.empty());
            continue;
        }
        ASSERT_NE(object, nullptr);
        EXPECT_EQ(object->objectIdentifier, row.identifier);
        EXPECT_EQ(object->Instance(), row.instance);
        EXPECT_EQ(object->Type(), row.type);
        EXPECT_EQ(device.GetOrAddObject(row.instance, row.type), object);
        EXPECT_EQ(device.objects.size(), 1u);
    }
}

TEST(PacketInfoDB, PendingRequestsAreCopiesReplacedByInvokeId) {
    PacketInfoDB db;
    EXPECT_EQ(db.FindPendingRequest(7), nullptr);
    db.pendingRequest = PendingRequest{{10, 0, 0, 2}, 5, "0x0A", 1, 0, "presentValue"};
    db.StorePendingRequest(7);
    db.pendingRequest.Clear();
    const PendingRequest* stored = db.FindPendingRequest(7);
    ASSERT_NE(stored, nullptr);
    EXPECT_EQ(stored->ipv4Address, (IPv4Address{10, 0, 0, 2}));
    EXPECT_EQ(stored->network, 5);
    EXPECT_EQ(stored->deviceAddress, "0x0A");
    EXPECT_EQ(stored->objectInstance, 1u);
    EXPECT_EQ(stored->objectType, 0);
    EXPECT_EQ(stored->propertyName, "presentValue");

    db.pendingRequest.propertyName = "units";
    db.StorePendingRequest(7);
    EXPECT_EQ(db.FindPendingRequest(7)->propertyName, "units");
    EXPECT_EQ(db.FindPendingRequest(7)->network, 0);
    EXPECT_EQ(db.pendingRequests.size(), 1u);
}

TEST(PacketInfoDB, ClearForgetsEverythingOfTheCapture) {
    PacketInfoDB db;
    db.packetsReceived = 3;
    db.packetsSucceeded = 2;
    db.packetsFailed = 1;
    db.CountPdu("Simple-Ack");
    db.CountPdu("Simple-Ack");
    db.CountPdu("Abort");
    EXPECT_EQ(db.pduCounts.at("Simple-Ack"), 2);
    db.packetStats.AddPacketSize(20, 1);
    db.packetStats.AddHopCount(3, 1);
    db.GetOrAddNetworkAddress({1, 2, 3, 4});
    db.pendingRequest.propertyName = "x";
    db.StorePendingRequest(1);

    db.Clear();
    EXPECT_EQ(db.packetsReceived, 0u);
    EXPECT_EQ(db.packetsSucceeded, 0u);
    EXPECT_EQ(db.packetsFailed, 0u);
    EXPECT_TRUE(db.pduCounts.empty());
    EXPECT_TRUE(db.networkAddresses.empty());
    EXPECT_TRUE(db.pendingRequests.empty());
    EXPECT_EQ(db.packetStats.TotalSize(), 0u);
    EXPECT_FALSE(db.packetStats.HasSmallestSize());
    EXPECT_FALSE(db.packetStats.HasLowestHopCount());
    EXPECT_EQ(db.packetStats.SumRange(0, 8), 0u);
    EXPECT_TRUE(db.packetStats.HasBucket(8));
}

TEST(PacketInfoDB, PduLabelsAreOrderedByteWise) {
    PacketInfoDB db;
    for (const char* label :
         {"Unconfirmed-REQ", "Abort", "Reject", "Complex-Ack", "Simple-Ack", "Error", "Confirmed-REQ"}) {
        db.CountPdu(label);
    }
    std::vector<std::string> order;
    for (const auto& entry : db.pduCounts) order.push_back(entry.first);
    EXPECT_EQ(order, (std::vector<std::string>{"Abort", "Complex-Ack", "Confirmed-REQ", "Error", "Reject", "Simple-Ack",
                                               "Unconfirmed-REQ"}));
}

}  // namespace
}  // namespace Tarnwick
