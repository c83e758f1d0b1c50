#include "report/reportwriter.h"

#include <string_view>

#include "report/reportprint.h"

namespace Tarnwick {
namespace {

constexpr unsigned kValuesShown = 3;
static_assert(kValuesShown <= kPropertyValuesKept, "a property keeps every value the report shows");

constexpr const char* kNetworkIndent = "     ";
constexpr const char* kDeviceIndent = "          ";
constexpr const char* kObjectIndent = "               ";
constexpr const char* kPropertyIndent = "                    ";

// Properties that only served to find objects or name groups of properties.
bool IsHiddenProperty(std::string_view name) {
    return name == "objectList" || name == "optional" || name == "required" || name == "all";
}

void PrintObject(const ObjectRecord& object) {
    ReportPrint("%s", kObjectIndent);
    ReportPrint("Object Identifier - %s: %u\n", ReportObjectTypeName(object.Type()), object.Instance());
    for (const PropertyRecord& property : object.properties) {
        if (IsHiddenProperty(property.name)) continue;
        ReportPrint("%s", kPropertyIndent);
        ReportPrint("Property - %s: ", property.name.c_str());
        PrintValueHistory(property);
        ReportPrint("\n");
    }
}

void PrintAddress(const NetworkAddressRecord& address) {
    const IPv4Address& ip = address.ipv4Address;
    ReportPrint("\nNetwork Address: %u.%u.%u.%u\n", ip[0], ip[1], ip[2], ip[3]);
    address.stats.Print();
    ReportPrint("\n");
    for (const BACnetNetworkRecord& network : address.networks) {
        ReportPrint("%s", kNetworkIndent);
        ReportPrint("BACnet Network: %u ", static_cast<unsigned>(network.networkNumber));
        ReportPrint(network.networkNumber == 0 ? "(Local network)\n" : "\n");
        for (const DeviceRecord& device : network.devices) {
            ReportPrint("%s", kDeviceIndent);
            ReportPrint("Device Address: %s ", device.address.c_str());
            ReportPrint(device.address == "0" ? "(Local device address)\n" : "\n");
            for (const ObjectRecord& object : device.objects) PrintObject(object);
        }
    }
}

}  // namespace

void PrintValueHistory(const PropertyRecord& property) {
    if (property.values.empty()) {
        ReportPrint("{No response}");
        return;
    }
    unsigned printed = 0;
    for (auto it = property.values.rbegin(); it != property.values.rend() && printed < kValuesShown; ++it) {
        if (printed > 0) ReportPrint(", ");
        ReportPrint("%s (Pkt: %d)", it->second.c_str(), static_cast<int>(it->first));
        ++printed;
    }
    // Older values remain: still kept, or already let go by the record.
    if (property.values.size() > kValuesShown || property.olderValuesDropped) {
        ReportPrint(" - (FYI: Only showing last %u values)", kValuesShown);
    }
}

void PrintReport(const PacketInfoDB& db) {
    ReportPrint("\n\n QUORIX REPORT TOOL v1.0.0\n");
    ReportPrint("---------------------------------------------------\n");
    ReportPrint("FYI: Packets received: %d\n", static_cast<int>(db.packetsReceived));
    ReportPrint("FYI: Packets successfully processed: %d\n", static_cast<int>(db.packetsSucceeded));
    ReportPrint("FYI: Packets unsuccessfully processed: %d\n", static_cast<int>(db.packetsFailed));

    ReportPrint("\nGlobal PDU Count\n");
    ReportPrint("-------------------\n");
    for (const auto& [label, count] : db.pduCounts) ReportPrint("- %s: %d \n", label.c_str(), count);

    ReportPrint("\nPacket Statistics\n");
    ReportPrint("-------------------\n");
    db.packetStats.Print();

    ReportPrint("\nNetworks Information\n");
    ReportPrint("-------------------");
    for (const NetworkAddressRecord& address : db.networkAddresses) PrintAddress(address);
}

}  // namespace Tarnwick
